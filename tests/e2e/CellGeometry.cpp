#include "CellGeometry.h"

namespace e2e {
namespace {

const int BASE_WIDTH = 1024;
const int BASE_HEIGHT = 768;
const int BASE_CHARACTER_SIZE = 26;
const int COLUMNS = 80;
const int ROWS = 24;

} // namespace

zp::Position Grid::origin(zp::Position cell) const
{
    return zp::Position(left + (cell.getX() * width + COLUMNS - 1) / COLUMNS,
                        top + (cell.getY() * height + ROWS - 1) / ROWS);
}

zp::Position Grid::centre(zp::Position cell) const
{
    const zp::Position from = origin(cell);
    const zp::Position to = origin(zp::Position(cell.getX() + 1, cell.getY() + 1));
    return zp::Position((from.getX() + to.getX()) / 2, (from.getY() + to.getY()) / 2);
}

zp::Position Grid::onTheLetterbox() const
{
    if (left > 0)
        return zp::Position(left / 2, top + height / 2);
    if (top > 0)
        return zp::Position(left + width / 2, top / 2);
    return zp::Position(-1, -1);
}

bool Grid::operator==(const Grid& other) const
{
    return left == other.left && top == other.top && width == other.width && height == other.height &&
           character_size == other.character_size;
}

Grid gridFor(int window_width, int window_height)
{
    Grid grid;
    // As wide as the window allows, or as high: whichever is smaller.
    if (long(window_width) * BASE_HEIGHT <= long(window_height) * BASE_WIDTH) {
        grid.width = window_width;
        grid.height = window_width * BASE_HEIGHT / BASE_WIDTH;
    } else {
        grid.height = window_height;
        grid.width = window_height * BASE_WIDTH / BASE_HEIGHT;
    }
    grid.left = (window_width - grid.width) / 2;
    grid.top = (window_height - grid.height) / 2;
    grid.character_size = unsigned((2 * BASE_CHARACTER_SIZE * grid.width + BASE_WIDTH) / (2 * BASE_WIDTH));
    return grid;
}

zp::Position cellOrigin(zp::Position cell)
{
    return Grid().origin(cell);
}

zp::Position cellCentre(zp::Position cell)
{
    return Grid().centre(cell);
}

} // namespace e2e
