// A character drawn as the engine's font shows it, for pictures that tests
// compare with the window's: the Linux tests' captures and the Windows
// build's reader of captures made under Wine.
#pragma once

#include "zp/Position.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Text.hpp>

namespace zp::test {

// A character as the font's text shows it (bold, at a font size, in a
// colour), written at the cell whose top-left pixel is `cell_origin`.
sf::Text glyphText(const sf::Font& font, char ch, unsigned character_size, Position cell_origin,
                   sf::Color color);

} // namespace zp::test
