/// \file
/// How the engine's eight colour names look on screen. The graphics manager
/// draws through one palette, which can be changed at any time: the next
/// characters drawn take the new colours.
#pragma once

#include "zp/Color.h"

#include <SFML/Graphics/Color.hpp>

#include <array>
#include <string>
#include <vector>

namespace zp {

/// The number of colour names, BLACK to WHITE.
const int COLOR_COUNT = 8;

struct Palette {
    /// A short name, as a player types it ("default", "colour-blind").
    std::string name;
    /// Indexed by Color: BLACK first, WHITE last. (The background stays
    /// black whatever the palette.)
    std::array<sf::Color, COLOR_COUNT> colors;

    const sf::Color& colorOf(Color color) const;
};

/// The windowing library's eight primary colours, the engine's own look.
const Palette& defaultPalette();
/// For colour-blind eyes: the Okabe-Ito set (Okabe and Ito, 2002), whose colours stay apart under the common
/// forms of colour blindness. Red is its vermillion, green its bluish green,
/// yellow its yellow, blue its blue, magenta its reddish purple and cyan its
/// sky blue; black and white stay.
const Palette& colourBlindPalette();
/// Every colour at least 7:1 in luminance contrast against the black
/// background (the strictest text contrast of the Web Content
/// Accessibility Guidelines), so even blue text reads clearly.
const Palette& highContrastPalette();

/// The three palettes above, the default first.
const std::vector<const Palette*>& builtInPalettes();
/// The built-in palette of that name, or nullptr.
const Palette* findPalette(const std::string& name);

} // namespace zp
