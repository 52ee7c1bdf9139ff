/// \file
/// Where the grid of cells stands in a window of any size: the grid keeps its
/// columns, rows and proportions, scaled to fill the window and centred, with
/// the rest of the window left black (the letterbox). Pure arithmetic, the
/// same with a window or without.
#pragma once

#include "zp/Position.h"

namespace zp {

/// How the grid is scaled to the window.
enum Scaling : int {
    /// As large as the window allows, at any scale (the default).
    SCALE_TO_FIT = 0,
    /// Whole multiples of the base cell size only (1x, 2x, 3x...), so
    /// every cell is the same number of pixels; a window smaller than the
    /// base size still shrinks the grid to fit.
    SCALE_INTEGER = 1,
};

/// The grid's place in the window, in window pixels.
struct WindowLayout {
    /// The grid's top-left pixel; the letterbox lies left of and above it.
    int left = 0;
    int top = 0;
    /// The grid's size in pixels.
    int width = 0;
    int height = 0;
    /// The grid in cells.
    int columns = 1;
    int rows = 1;
    /// The font size its glyphs are rasterised at, in pixels.
    unsigned int character_size = 1;

    /// The top-left pixel of a cell (cells outside the grid too); columns and
    /// rows are spread evenly over the grid, a pixel more where they fall
    /// between two pixels.
    Position cellOrigin(Position cell) const;
    /// The cell under a window pixel; false (and `cell` untouched) for a pixel
    /// outside the grid, on the letterbox.
    bool pixelToCell(Position pixel, Position& cell) const;
    /// The column (row) that a pixel along the grid's width (height) lies in,
    /// counted from the grid's edge; pixels before the edge give negative cells.
    int columnAt(int pixel_from_left) const;
    int rowAt(int pixel_from_top) const;
    bool operator==(const WindowLayout& other) const;
    bool operator!=(const WindowLayout& other) const { return !(*this == other); }
};

/// The base font size for cells of the base size: twice the smaller
/// side of a cell, rounded up (26 for 80 x 24 cells on 1024 x 768 pixels).
unsigned int baseCharacterSize(int base_width, int base_height, int columns, int rows);

/// Lays a grid made for `base_width` x `base_height` pixels out in a
/// window of `window_width` x `window_height` pixels. At the base size itself
/// the grid fills the window exactly, as it always has.
WindowLayout layOutGrid(int window_width, int window_height, int base_width, int base_height, int columns,
                        int rows, Scaling scaling);

} // namespace zp
