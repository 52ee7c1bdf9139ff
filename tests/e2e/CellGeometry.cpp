#include "CellGeometry.h"

namespace e2e {
namespace {

// Columns are 12.8 pixels wide, rows 32 pixels high.
const int WINDOW_PIXELS_X = 1024;
const int WINDOW_CHARS_X = 80;
const int CELL_PIXELS_Y = 32;

} // namespace

zp::Position cellOrigin(zp::Position cell)
{
    const int x = (cell.getX() * WINDOW_PIXELS_X + WINDOW_CHARS_X - 1) / WINDOW_CHARS_X;
    return zp::Position(x, cell.getY() * CELL_PIXELS_Y);
}

zp::Position cellCentre(zp::Position cell)
{
    const zp::Position origin = cellOrigin(cell);
    return zp::Position(origin.getX() + 6, origin.getY() + CELL_PIXELS_Y / 2);
}

} // namespace e2e
