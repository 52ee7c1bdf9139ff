// Where the engine lays out the cells of its window, in pixels: shared by
// the programs that read captures of it (the end-to-end tests, and the
// Windows build's reader of captures made under Wine).
#pragma once

#include "zp/Position.h"

namespace e2e {

// The first pixel of a cell and the pixel at its middle.
zp::Position cellOrigin(zp::Position cell);
zp::Position cellCentre(zp::Position cell);

} // namespace e2e
