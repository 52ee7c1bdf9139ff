#include "zp/Palette.h"

namespace zp {

const sf::Color& Palette::colorOf(Color color) const
{
    return colors[static_cast<std::size_t>(color)];
}

const Palette& defaultPalette()
{
    static const Palette palette{
        "default",
        {sf::Color::Black, sf::Color::Red, sf::Color::Green, sf::Color::Yellow, sf::Color::Blue,
         sf::Color::Magenta, sf::Color::Cyan, sf::Color::White},
    };
    return palette;
}

const Palette& colourBlindPalette()
{
    static const Palette palette{
        "colour-blind",
        {sf::Color(0, 0, 0), sf::Color(213, 94, 0), sf::Color(0, 158, 115), sf::Color(240, 228, 66),
         sf::Color(0, 114, 178), sf::Color(204, 121, 167), sf::Color(86, 180, 233), sf::Color(255, 255, 255)},
    };
    return palette;
}

const Palette& highContrastPalette()
{
    // The primaries that are dark on black (red, blue, magenta) are lightened
    // until they reach 7:1; the others already do.
    static const Palette palette{
        "high-contrast",
        {sf::Color(0, 0, 0), sf::Color(255, 102, 102), sf::Color(0, 255, 0), sf::Color(255, 255, 0),
         sf::Color(102, 153, 255), sf::Color(255, 102, 255), sf::Color(0, 255, 255),
         sf::Color(255, 255, 255)},
    };
    return palette;
}

const std::vector<const Palette*>& builtInPalettes()
{
    static const std::vector<const Palette*> palettes = {&defaultPalette(), &colourBlindPalette(),
                                                         &highContrastPalette()};
    return palettes;
}

const Palette* findPalette(const std::string& name)
{
    for (const Palette* p_palette : builtInPalettes())
        if (p_palette->name == name)
            return p_palette;
    return nullptr;
}

} // namespace zp
