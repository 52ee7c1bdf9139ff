// The built-in palettes: found by name, and the high-contrast one keeps
// every colour readable on the black background.
#include "zp/Palette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Relative luminance of an sRGB colour (IEC 61966-2-1 decoding).
double luminance(const sf::Color& c)
{
    auto linear = [](sf::Uint8 v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// The contrast ratio of the Web Content Accessibility Guidelines, 1 to 21.
double contrast(const sf::Color& a, const sf::Color& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

const double HIGH_CONTRAST_RATIO = 7.0;

TEST(Palettes, AreFoundByTheirNamesTheDefaultFirst)
{
    ASSERT_EQ(zp::builtInPalettes().size(), 3u);
    EXPECT_EQ(zp::builtInPalettes()[0], &zp::defaultPalette());
    for (const char* name : {"default", "colour-blind", "high-contrast"}) {
        const zp::Palette* p_palette = zp::findPalette(name);
        ASSERT_NE(p_palette, nullptr) << name;
        EXPECT_EQ(p_palette->name, name);
    }
    EXPECT_EQ(zp::findPalette("Default"), nullptr);
    EXPECT_EQ(zp::findPalette(""), nullptr);
    // Black stays black, so the background and black text agree.
    for (const zp::Palette* p_palette : zp::builtInPalettes())
        EXPECT_EQ(p_palette->colorOf(zp::BLACK), sf::Color::Black) << p_palette->name;
}

TEST(Palettes, HighContrastKeepsEveryColourAtSevenToOneOnBlack)
{
    const zp::Palette& high = zp::highContrastPalette();
    for (int c = zp::RED; c <= zp::WHITE; ++c)
        EXPECT_GE(contrast(high.colorOf(zp::Color(c)), sf::Color::Black), HIGH_CONTRAST_RATIO)
            << "colour " << c;
    // What it mends: the default blue is hard to read on black.
    EXPECT_LT(contrast(zp::defaultPalette().colorOf(zp::BLUE), sf::Color::Black), HIGH_CONTRAST_RATIO);
}

} // namespace
