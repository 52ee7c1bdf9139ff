#include "zp/Utility.h"

#include "platform/Platform.h"
#include "zp/Object.h"

#include <cmath>
#include <sstream>

namespace zp {
namespace {

// Height of a cell over its width (32 / 12.8 pixels).
constexpr double ROW_SCALE = 2.5;
// Degrees per radian as the engine has always computed it (180 / 3.14159).
constexpr double DEGREES_PER_RADIAN = 57.295827908797776;

bool rangesOverlap(int a_start, int a_end, int b_start, int b_end)
{
    return (b_start <= a_start && a_start <= b_end) || (a_start <= b_start && b_start <= a_end);
}

} // namespace

bool boxIntersectsBox(Box a, Box b)
{
    const int ax = a.getCorner().getX();
    const int ay = a.getCorner().getY();
    const int bx = b.getCorner().getX();
    const int by = b.getCorner().getY();
    return rangesOverlap(ax, ax + a.getHorizontal(), bx, bx + b.getHorizontal()) &&
           rangesOverlap(ay, ay + a.getVertical(), by, by + b.getVertical());
}

int scaledDistance(Position a, Position b)
{
    const double dx = double(b.getX()) - a.getX();
    const double dy = (double(b.getY()) - a.getY()) * ROW_SCALE;
    return int(std::floor(std::sqrt(dx * dx + dy * dy)));
}

int distance(Position a, Position b)
{
    const double dx = double(b.getX()) - a.getX();
    const double dy = double(b.getY()) - a.getY();
    return int(std::floor(std::sqrt(dx * dx + dy * dy)));
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
    box.setCorner(Position(corner.getX() + where.getX(), corner.getY() + where.getY()));
    return box;
}

std::string executablePath()
{
    return platform::executablePath();
}

} // namespace zp
