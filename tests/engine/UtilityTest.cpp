#include "zp/Utility.h"

#include "zp/Object.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>

using zp::Box;
using zp::Position;

namespace {

struct BoxCase {
    const char* name;
    Box a;
    Box b;
    bool intersects;
};

const BoxCase BOX_CASES[] = {
    {"right neighbour of a 1x1 box is reached", Box(Position(5, 5), 1, 1), Box(Position(6, 5), 1, 1), true},
    {"two columns apart", Box(Position(5, 5), 1, 1), Box(Position(7, 5), 1, 1), false},
    {"touching corners", Box(Position(0, 0), 2, 2), Box(Position(2, 2), 1, 1), true},
    {"diagonal gap", Box(Position(0, 0), 2, 2), Box(Position(3, 3), 1, 1), false},
    {"empty box inside another", Box(Position(4, 4), 0, 0), Box(Position(3, 3), 3, 3), true},
    {"empty box on the same cell", Box(Position(4, 4), 0, 0), Box(Position(4, 4), 0, 0), true},
    {"contained box", Box(Position(0, 0), 10, 10), Box(Position(3, 3), 2, 2), true},
    {"overlap in x only", Box(Position(0, 0), 5, 1), Box(Position(2, 3), 5, 1), false},
    {"overlap in y only", Box(Position(0, 0), 1, 5), Box(Position(3, 2), 1, 5), false},
    {"negative corners", Box(Position(-3, -3), 2, 2), Box(Position(-1, -1), 1, 1), true},
    // Data files may place things anywhere in the range of int.
    {"at the largest column", Box(Position(INT_MAX, 3), 9, 1), Box(Position(INT_MAX - 1, 3), 1, 1), true},
    {"wide box at the largest column and one far left", Box(Position(INT_MAX, 3), 9, 1),
     Box(Position(INT_MIN, 3), 1, 1), false},
    {"at the smallest row", Box(Position(0, INT_MIN), 1, 1), Box(Position(0, INT_MIN + 1), 1, 1), true},
    {"the whole range apart", Box(Position(INT_MIN, 0), 1, 1), Box(Position(INT_MAX, 0), 1, 1), false},
};

TEST(BoxIntersection, CasesAndSymmetry)
{
    for (const BoxCase& c : BOX_CASES) {
        EXPECT_EQ(zp::boxIntersectsBox(c.a, c.b), c.intersects) << c.name;
        EXPECT_EQ(zp::boxIntersectsBox(c.b, c.a), c.intersects) << c.name << " (swapped)";
    }
}

TEST(BoxIntersection, SymmetricOverAGridOfBoxes)
{
    const Box fixed(Position(3, 2), 2, 1);
    for (int x = -1; x <= 7; ++x)
        for (int y = -1; y <= 5; ++y)
            for (int w = 0; w <= 2; ++w) {
                const Box other(Position(x, y), w, 1);
                EXPECT_EQ(zp::boxIntersectsBox(fixed, other), zp::boxIntersectsBox(other, fixed))
                    << x << "," << y << " w" << w;
            }
}

struct DistanceCase {
    Position a;
    Position b;
    int scaled;
    int plain;
};

TEST(Distances, ScaledAndPlain)
{
    const DistanceCase cases[] = {
        {Position(0, 0), Position(0, 2), 5, 2},
        {Position(0, 0), Position(3, 0), 3, 3},
        {Position(0, 0), Position(3, 4), 10, 5},
        {Position(0, 0), Position(0, 3), 7, 3},
        {Position(10, 10), Position(30, 10), 20, 20},
        {Position(10, 10), Position(31, 10), 21, 21},
        {Position(10, 10), Position(10, 18), 20, 8},
        {Position(10, 10), Position(10, 19), 22, 9},
        {Position(5, 5), Position(5, 5), 0, 0},
        {Position(2, 1), Position(-2, -2), 8, 5},
        // Farther than an int can count: the largest int.
        {Position(INT_MIN, 0), Position(INT_MAX, 0), INT_MAX, INT_MAX},
        {Position(0, INT_MIN), Position(0, INT_MAX), INT_MAX, INT_MAX},
    };
    for (const DistanceCase& c : cases) {
        EXPECT_EQ(zp::scaledDistance(c.a, c.b), c.scaled) << c.b.getX() << "," << c.b.getY();
        EXPECT_EQ(zp::distance(c.a, c.b), c.plain) << c.b.getX() << "," << c.b.getY();
    }
}

TEST(Angle, WholeDegreesWithRowsGrowingDownwards)
{
    const struct {
        Position to;
        int degrees;
    } cases[] = {
        {Position(1, 0), 0},    {Position(0, 1), 90},   {Position(-1, 0), 180},
        {Position(0, -1), -90}, {Position(1, 1), 45},   {Position(-1, -1), -135},
        {Position(3, 1), 18},   {Position(-5, 1), 168}, {Position(0, 0), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zp::angle(Position(0, 0), c.to), c.degrees) << c.to.getX() << "," << c.to.getY();
}

// The turrets aim by this angle, from atan2, whose last bit is not the same
// in every C library (the GNU one and mingw-w64's for Windows differ for
// some directions). In whole degrees it must still be the same on every
// system, or a game replayed elsewhere would aim its turrets otherwise: a
// digest (FNV-1a) of every direction within 500 cells, as computed on Linux.
TEST(Angle, WholeDegreesAreTheSameOnEverySystem)
{
    const int REACH = 500;
    std::uint64_t digest = 1469598103934665603ull;
    for (int dy = -REACH; dy <= REACH; ++dy)
        for (int dx = -REACH; dx <= REACH; ++dx) {
            const int degrees = zp::angle(Position(0, 0), Position(dx, dy));
            digest = (digest ^ std::uint64_t(std::int64_t(degrees))) * 1099511628211ull;
        }
    EXPECT_EQ(digest, 0xdc77ee5d8faea115ull);
}

TEST(ToString, DecimalText)
{
    const struct {
        int value;
        const char* text;
    } cases[] = {{-42, "-42"},
                 {0, "0"},
                 {7, "7"},
                 {100, "100"},
                 {2147483647, "2147483647"},
                 {-2147483647 - 1, "-2147483648"}};
    for (const auto& c : cases)
        EXPECT_EQ(zp::toString(c.value), c.text);
}

TEST(WorldBox, ACornerBeyondTheRangeOfIntStopsAtItsEnd)
{
    zp::Object* p_o = nullptr;
    zp::WorldManager::getInstance().startUp();
    p_o = new zp::Object;
    p_o->setBox(Box(Position(-4, 5), 9, 1)); // as a centred sprite's box
    const struct {
        Position where;
        Position corner;
    } cases[] = {
        {Position(10, 10), Position(6, 15)},
        {Position(INT_MIN, INT_MAX), Position(INT_MIN, INT_MAX)},
        {Position(INT_MIN + 4, INT_MAX - 5), Position(INT_MIN, INT_MAX)},
        {Position(INT_MAX, INT_MIN), Position(INT_MAX - 4, INT_MIN + 5)},
    };
    for (const auto& c : cases) {
        const Box box = zp::getWorldBox(p_o, c.where);
        EXPECT_EQ(box.getCorner().getX(), c.corner.getX()) << c.where.getX() << "," << c.where.getY();
        EXPECT_EQ(box.getCorner().getY(), c.corner.getY()) << c.where.getX() << "," << c.where.getY();
        EXPECT_EQ(box.getHorizontal(), 9);
    }
    zp::WorldManager::getInstance().shutDown();
}

TEST(ExecutablePath, NamesThisTestProgramByItsFullPath)
{
    namespace fs = std::filesystem;
    const std::string path = zp::executablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_TRUE(fs::path(path).is_absolute()) << path;
    // The build folder's own binary, whatever the working folder is.
    EXPECT_EQ(fs::path(path), fs::canonical(fs::path(ZP_BUILD_DIR) / ("engine_tests" ZP_EXECUTABLE_SUFFIX)));
}

} // namespace
