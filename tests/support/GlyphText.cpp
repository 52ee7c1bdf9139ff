#include "support/GlyphText.h"

#include <string>

namespace zp::test {

sf::Text glyphText(const sf::Font& font, char ch, unsigned character_size, Position cell_origin,
                   sf::Color color)
{
    sf::Text text(std::string(1, ch), font, character_size);
    text.setStyle(sf::Text::Bold);
    text.setFillColor(color);
    text.setPosition(float(cell_origin.getX()), float(cell_origin.getY()));
    return text;
}

} // namespace zp::test
