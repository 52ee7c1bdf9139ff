/// \file
/// The engine's eight text colours.
#pragma once

namespace zp {

enum Color : int {
    BLACK = 0,
    RED = 1,
    GREEN = 2,
    YELLOW = 3,
    BLUE = 4,
    MAGENTA = 5,
    CYAN = 6,
    WHITE = 7,
};

const Color COLOR_DEFAULT = WHITE;

} // namespace zp
