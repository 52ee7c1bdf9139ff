// Where the grid stands in windows of every size, and which cell a window
// pixel falls in: pure arithmetic, no window needed.
#include "zp/WindowLayout.h"

#include <gtest/gtest.h>

namespace {

using zp::Position;

const int BASE_WIDTH = 1024;
const int BASE_HEIGHT = 768;
const int COLUMNS = 80;
const int ROWS = 24;

zp::WindowLayout layOut(int width, int height, zp::Scaling scaling = zp::SCALE_TO_FIT)
{
    return zp::layOutGrid(width, height, BASE_WIDTH, BASE_HEIGHT, COLUMNS, ROWS, scaling);
}

TEST(WindowLayout, TheGridFillsTheWindowKeepingItsProportionsCentred)
{
    const struct {
        int window_width, window_height;
        zp::Scaling scaling;
        int left, top, width, height;
        unsigned character_size;
    } cases[] = {
        // The base size itself: as it always was.
        {1024, 768, zp::SCALE_TO_FIT, 0, 0, 1024, 768, 26},
        {2048, 1536, zp::SCALE_TO_FIT, 0, 0, 2048, 1536, 52},
        {640, 480, zp::SCALE_TO_FIT, 0, 0, 640, 480, 16},
        // Wider than the base size: bars left and right.
        {1920, 1080, zp::SCALE_TO_FIT, 240, 0, 1440, 1080, 37},
        {2560, 1080, zp::SCALE_TO_FIT, 560, 0, 1440, 1080, 37},
        // Taller: bars above and below.
        {1024, 1000, zp::SCALE_TO_FIT, 0, 116, 1024, 768, 26},
        {801, 2000, zp::SCALE_TO_FIT, 0, 700, 801, 600, 20},
        // Whole multiples of the base cells, centred in what is left.
        {1920, 1080, zp::SCALE_INTEGER, 448, 156, 1024, 768, 26},
        {3840, 2160, zp::SCALE_INTEGER, 896, 312, 2048, 1536, 52},
        {2048, 1536, zp::SCALE_INTEGER, 0, 0, 2048, 1536, 52},
        // Smaller than the base size: shrinks to fit all the same.
        {640, 480, zp::SCALE_INTEGER, 0, 0, 640, 480, 16},
        // Nothing is ever smaller than a pixel.
        {1, 1, zp::SCALE_TO_FIT, 0, 0, 1, 1, 1},
        {0, -5, zp::SCALE_TO_FIT, 0, 0, 1, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.window_width << " x " << c.window_height << " scaling " << c.scaling);
        const zp::WindowLayout layout = layOut(c.window_width, c.window_height, c.scaling);
        EXPECT_EQ(layout.left, c.left);
        EXPECT_EQ(layout.top, c.top);
        EXPECT_EQ(layout.width, c.width);
        EXPECT_EQ(layout.height, c.height);
        EXPECT_EQ(layout.character_size, c.character_size);
        EXPECT_EQ(layout.columns, COLUMNS);
        EXPECT_EQ(layout.rows, ROWS);
    }
}

TEST(WindowLayout, TheBaseFontSizeIsTwiceTheSmallerSideOfACell)
{
    EXPECT_EQ(zp::baseCharacterSize(1024, 768, 80, 24), 26u); // cells of 12.8 x 32
    EXPECT_EQ(zp::baseCharacterSize(800, 600, 40, 20), 40u);  // 20 x 30
    EXPECT_EQ(zp::baseCharacterSize(640, 200, 80, 25), 16u);  // 8 x 8
    EXPECT_EQ(zp::layOutGrid(1600, 1200, 800, 600, 40, 20, zp::SCALE_TO_FIT).character_size, 80u);
}

TEST(WindowLayout, CellsSpreadEvenlyOverTheGrid)
{
    const zp::WindowLayout base = layOut(1024, 768);
    EXPECT_EQ(base.cellOrigin(Position(0, 0)), Position(0, 0));
    EXPECT_EQ(base.cellOrigin(Position(1, 1)), Position(13, 32));
    EXPECT_EQ(base.cellOrigin(Position(79, 23)), Position(1012, 736));
    EXPECT_EQ(base.cellOrigin(Position(80, 24)), Position(1024, 768));
    EXPECT_EQ(base.cellOrigin(Position(-1, -1)), Position(-12, -32)) << "the cells just outside";

    const zp::WindowLayout wide = layOut(1920, 1080);
    EXPECT_EQ(wide.cellOrigin(Position(0, 0)), Position(240, 0));
    EXPECT_EQ(wide.cellOrigin(Position(1, 1)), Position(258, 45));
    EXPECT_EQ(wide.cellOrigin(Position(80, 24)), Position(1680, 1080));

    const zp::WindowLayout twice = layOut(2048, 1536);
    EXPECT_EQ(twice.cellOrigin(Position(3, 2)), Position(77, 128));
}

TEST(WindowLayout, EveryPixelOfTheGridLiesInTheCellDrawnOverIt)
{
    for (const auto& size :
         {std::make_pair(1024, 768), std::make_pair(640, 480), std::make_pair(1920, 1080),
          std::make_pair(2560, 1080), std::make_pair(1000, 1000), std::make_pair(333, 777)}) {
        SCOPED_TRACE(testing::Message() << size.first << " x " << size.second);
        const zp::WindowLayout layout = layOut(size.first, size.second);
        for (int x = layout.left; x < layout.left + layout.width; ++x) {
            Position cell;
            ASSERT_TRUE(layout.pixelToCell(Position(x, layout.top), cell)) << x;
            ASSERT_LE(layout.cellOrigin(cell).getX(), x);
            ASSERT_GT(layout.cellOrigin(Position(cell.getX() + 1, 0)).getX(), x);
        }
        for (int y = layout.top; y < layout.top + layout.height; ++y) {
            Position cell;
            ASSERT_TRUE(layout.pixelToCell(Position(layout.left, y), cell)) << y;
            ASSERT_LE(layout.cellOrigin(cell).getY(), y);
            ASSERT_GT(layout.cellOrigin(Position(0, cell.getY() + 1)).getY(), y);
        }
    }
}

// A pixel on the letterbox has no cell: nothing is clamped to the grid's edge.
TEST(WindowLayout, ThePixelsOfTheLetterboxHaveNoCell)
{
    const struct {
        int window_width, window_height;
        Position pixel;
        bool on_grid;
        Position cell;
    } cases[] = {
        {1920, 1080, {239, 500}, false, {}},        {1920, 1080, {240, 0}, true, {0, 0}},
        {1920, 1080, {1679, 1079}, true, {79, 23}}, {1920, 1080, {1680, 10}, false, {}},
        {1920, 1080, {960, 540}, true, {40, 12}},   {1920, 1080, {-1, 500}, false, {}},
        {1024, 1000, {500, 115}, false, {}},        {1024, 1000, {500, 116}, true, {39, 0}},
        {1024, 1000, {1023, 883}, true, {79, 23}},  {1024, 1000, {0, 884}, false, {}},
        {1024, 768, {1023, 767}, true, {79, 23}},   {1024, 768, {1024, 0}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.window_width << " x " << c.window_height << " at "
                                        << c.pixel.getX() << "," << c.pixel.getY());
        const zp::WindowLayout layout = layOut(c.window_width, c.window_height);
        Position cell(-7, -7);
        EXPECT_EQ(layout.pixelToCell(c.pixel, cell), c.on_grid);
        EXPECT_EQ(cell, c.on_grid ? c.cell : Position(-7, -7));
    }
}

} // namespace
