#include "zp/WindowLayout.h"

#include <algorithm>
#include <cstdint>

namespace zp {
namespace {

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b)
{
    return -floorDiv(-a, b);
}

} // namespace

Position WindowLayout::cellOrigin(Position cell) const
{
    return Position(left + static_cast<int>(ceilDiv(std::int64_t(cell.getX()) * width, columns)),
                    top + static_cast<int>(ceilDiv(std::int64_t(cell.getY()) * height, rows)));
}

// Cell c covers the pixels from ceil(c * width / columns) up to the next
// cell's first, so the pixel p lies in floor(p * columns / width).
int WindowLayout::columnAt(int pixel_from_left) const
{
    return static_cast<int>(floorDiv(std::int64_t(pixel_from_left) * columns, width));
}

int WindowLayout::rowAt(int pixel_from_top) const
{
    return static_cast<int>(floorDiv(std::int64_t(pixel_from_top) * rows, height));
}

bool WindowLayout::pixelToCell(Position pixel, Position& cell) const
{
    const int x = pixel.getX() - left;
    const int y = pixel.getY() - top;
    if (x < 0 || y < 0 || x >= width || y >= height)
        return false;
    cell = Position(columnAt(x), rowAt(y));
    return true;
}

bool WindowLayout::operator==(const WindowLayout& other) const
{
    return left == other.left && top == other.top && width == other.width && height == other.height &&
           columns == other.columns && rows == other.rows && character_size == other.character_size;
}

unsigned int baseCharacterSize(int base_width, int base_height, int columns, int rows)
{
    const std::int64_t cell_width = ceilDiv(std::max(1, base_width), std::max(1, columns));
    const std::int64_t cell_height = ceilDiv(std::max(1, base_height), std::max(1, rows));
    return static_cast<unsigned int>(2 * std::max<std::int64_t>(1, std::min(cell_width, cell_height)));
}

WindowLayout layOutGrid(int window_width, int window_height, int base_width, int base_height, int columns,
                        int rows, Scaling scaling)
{
    const std::int64_t ww = std::max(1, window_width);
    const std::int64_t wh = std::max(1, window_height);
    const std::int64_t dw = std::max(1, base_width);
    const std::int64_t dh = std::max(1, base_height);

    std::int64_t width = 0;
    std::int64_t height = 0;
    const std::int64_t whole = std::min(ww / dw, wh / dh);
    if (scaling == SCALE_INTEGER && whole >= 1) {
        width = whole * dw;
        height = whole * dh;
    } else if (ww * dh <= wh * dw) {
        // The window is narrower than the base size: the width sets the scale.
        width = ww;
        height = std::max<std::int64_t>(1, ww * dh / dw);
    } else {
        height = wh;
        width = std::max<std::int64_t>(1, wh * dw / dh);
    }

    WindowLayout layout;
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.left = static_cast<int>((ww - width) / 2);
    layout.top = static_cast<int>((wh - height) / 2);
    layout.columns = std::max(1, columns);
    layout.rows = std::max(1, rows);
    // The base font size scaled as the grid is, to the nearest pixel.
    const std::int64_t base_size = baseCharacterSize(base_width, base_height, columns, rows);
    layout.character_size =
        static_cast<unsigned int>(std::max<std::int64_t>(1, (2 * base_size * width + dw) / (2 * dw)));
    return layout;
}

} // namespace zp
