// Where the engine lays out the cells of its window, in pixels: shared by
// the programs that read captures of it (the end-to-end tests, and the
// Windows build's reader of captures made under Wine).
#pragma once

#include "zp/Position.h"

namespace e2e {

// Where the game's 80 x 24 cells stand in its window: the base 1024 x 768
// pixels scaled to fit the window and centred, the font in proportion.
struct Grid {
    int left = 0;
    int top = 0;
    int width = 1024;
    int height = 768;
    unsigned character_size = 26;

    // The first pixel of a cell, and the pixel at its middle.
    zp::Position origin(zp::Position cell) const;
    zp::Position centre(zp::Position cell) const;
    // A pixel on the letterbox beside (or above) the grid, or (-1, -1) when the grid fills the window.
    zp::Position onTheLetterbox() const;
    bool operator==(const Grid& other) const;
    bool operator!=(const Grid& other) const { return !(*this == other); }
};

// The grid in a window of this size.
Grid gridFor(int window_width, int window_height);

// The first pixel of a cell and the pixel at its middle, in a window of the
// base size.
zp::Position cellOrigin(zp::Position cell);
zp::Position cellCentre(zp::Position cell);

} // namespace e2e
