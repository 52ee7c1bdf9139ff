#include "zp/Utility.h"

#include "platform/Platform.h"
#include "zp/Object.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>

namespace zp {
namespace {

// Height of a cell over its width (32 / 12.8 pixels).
constexpr double ROW_SCALE = 2.5;
// Degrees per radian as the engine has always computed it (180 / 3.14159).
constexpr double DEGREES_PER_RADIAN = 57.295827908797776;

// Positions and sizes come from data files and may lie anywhere in the range
// of int: sums are taken in 64 bits, and results brought back into range.
using Wide = std::int64_t;

bool rangesOverlap(Wide a_start, Wide a_end, Wide b_start, Wide b_end)
{
    return (b_start <= a_start && a_start <= b_end) || (a_start <= b_start && b_start <= a_end);
}

int clampToInt(Wide value)
{
    return int(std::clamp<Wide>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int floorToInt(double value)
{
    return int(std::clamp(std::floor(value), double(std::numeric_limits<int>::min()),
                          double(std::numeric_limits<int>::max())));
}

} // namespace

bool boxIntersectsBox(Box a, Box b)
{
    const Wide ax = a.getCorner().getX();
    const Wide ay = a.getCorner().getY();
    const Wide bx = b.getCorner().getX();
    const Wide by = b.getCorner().getY();
    return rangesOverlap(ax, ax + a.getHorizontal(), bx, bx + b.getHorizontal()) &&
           rangesOverlap(ay, ay + a.getVertical(), by, by + b.getVertical());
}

int scaledDistance(Position a, Position b)
{
    const double dx = double(b.getX()) - a.getX();
    const double dy = (double(b.getY()) - a.getY()) * ROW_SCALE;
    return floorToInt(std::sqrt(dx * dx + dy * dy));
}

int distance(Position a, Position b)
{
    const double dx = double(b.getX()) - a.getX();
    const double dy = double(b.getY()) - a.getY();
    return floorToInt(std::sqrt(dx * dx + dy * dy));
}

int angle(Position from, Position to)
{
    const double dy = double(to.getY()) - from.getY();
    const double dx = double(to.getX()) - from.getX();
    return int(std::atan2(dy, dx) * DEGREES_PER_RADIAN);
}

std::string toString(int value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

Box getWorldBox(const Object* p_object)
{
    return getWorldBox(p_object, p_object->getPosition());
}

Box getWorldBox(const Object* p_object, Position where)
{
    Box box = p_object->getBox();
    Position corner = box.getCorner();
    box.setCorner(Position(clampToInt(Wide(corner.getX()) + where.getX()),
                           clampToInt(Wide(corner.getY()) + where.getY())));
    return box;
}

std::string executablePath()
{
    return platform::executablePath();
}

void guardStandardStreams()
{
    platform::guardStandardStreams();
}

bool isTerminal(std::FILE* p_stream)
{
    return platform::isTerminal(p_stream);
}

} // namespace zp
