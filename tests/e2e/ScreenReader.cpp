#include "ScreenReader.h"

#include "CellGeometry.h"
#include "support/GlyphText.h"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <vector>

namespace e2e {
namespace {

const int WINDOW_COLUMNS = 80;
// A cell whose pixels differ from the reference by more than this share of
// their ink shows another character. The same text renders identically (0);
// the closest pair of this font, its dotted 0 and the 6, differs by 0.12.
const double SAME_TEXT_LIMIT = 0.05;
// The descenders of the row above ('y', ',') reach this far into a cell,
// above the tallest glyph of its own: they are not the row's text.
const int ABOVE_ROW_PIXELS = 2;
const int BASE_ROW_PIXELS = 32;
const int LIT = 100;

double lightness(const sf::Color& c)
{
    return std::max({c.r, c.g, c.b}) / 255.0;
}

} // namespace

ScreenReader::ScreenReader()
{
    font.loadFromFile(std::string(ZP_BUILD_DIR) + "/zp-font.ttf");
}

void ScreenReader::setGrid(const Grid& new_grid)
{
    if (new_grid == grid)
        return;
    grid = new_grid;
    references.clear();
}

int ScreenReader::rowTop(int row) const
{
    return grid.origin(zp::Position(0, row)).getY();
}

int ScreenReader::rowHeight(int row) const
{
    return rowTop(row + 1) - rowTop(row);
}

int ScreenReader::columnPixel(int column) const
{
    return grid.origin(zp::Position(column, 0)).getX();
}

const sf::Image& ScreenReader::reference(int column, const std::string& text) const
{
    const auto key = std::make_pair(column, text);
    const auto found = references.find(key);
    if (found != references.end())
        return found->second;

    // The text as the game draws it: each character its own bold glyph at
    // the top-left pixel of its cell, at the cells' font size. Rendered at
    // its own columns, since columns differ by a pixel here and there.
    sf::RenderTexture canvas;
    canvas.create(unsigned(grid.left + grid.width), unsigned(rowHeight(0) + 1));
    canvas.clear(sf::Color::Black);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ')
            canvas.draw(zp::test::glyphText(font, text[i], grid.character_size,
                                            zp::Position(columnPixel(column + int(i)), 0), sf::Color::White));
    }
    canvas.display();
    return references[key] = canvas.getTexture().copyToImage();
}

double ScreenReader::difference(const sf::Image& screen, zp::Position start, const std::string& text) const
{
    const int count = int(text.size());
    if (start.getX() < 0 || start.getX() + count > WINDOW_COLUMNS)
        return 1.0;
    const sf::Image& expected_row = reference(start.getX(), text);
    const sf::Uint8* expected_pixels = expected_row.getPixelsPtr();
    const sf::Uint8* screen_pixels = screen.getPixelsPtr();
    const sf::Vector2u size = screen.getSize();
    // Lightness of an RGBA pixel at (x, y) of an image `width` wide.
    const auto light = [](const sf::Uint8* pixels, unsigned width, unsigned x, unsigned y) {
        const sf::Uint8* p = pixels + 4 * (size_t(y) * width + x);
        return std::max({p[0], p[1], p[2]}) / 255.0;
    };
    const int top = rowTop(start.getY());
    const int row_height = rowHeight(start.getY());
    const unsigned reference_width = expected_row.getSize().x;
    // In proportion to the row's height: two pixels of the base 32.
    const int above_row = row_height * ABOVE_ROW_PIXELS / BASE_ROW_PIXELS;
    // A cell's background may be tinted (a turret's reach): what shows is
    // measured above it, as a share of what is left.
    std::vector<double> backgrounds;
    for (int i = 0; i < count; ++i)
        backgrounds.push_back(backgroundLightness(screen, zp::Position(start.getX() + i, start.getY())));

    double best = std::numeric_limits<double>::max();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            double worst_cell = 0;
            for (int i = 0; i < count; ++i) {
                const int left = columnPixel(start.getX() + i);
                const int right = columnPixel(start.getX() + i + 1);
                const double background = backgrounds[size_t(i)];
                double differing = 0;
                double ink = 0;
                for (int y = above_row; y < row_height; ++y) {
                    for (int x = left; x < right; ++x) {
                        const int sx = x + dx;
                        const int sy = top + y + dy;
                        double seen = 0;
                        if (sx >= 0 && sy >= 0 && unsigned(sx) < size.x && unsigned(sy) < size.y)
                            seen = std::max(0.0, light(screen_pixels, size.x, unsigned(sx), unsigned(sy)) -
                                                     background) /
                                   (1.0 - background);
                        const double expected =
                            light(expected_pixels, reference_width, unsigned(x), unsigned(y));
                        differing += std::fabs(seen - expected);
                        ink += std::max(seen, expected);
                    }
                }
                if (ink > 0)
                    worst_cell = std::max(worst_cell, differing / ink);
            }
            best = std::min(best, worst_cell);
        }
    }
    return best;
}

sf::Color ScreenReader::backgroundAt(const sf::Image& screen, zp::Position cell) const
{
    // The colour most of the cell's pixels have: a glyph covers less than half of its cell.
    std::map<sf::Uint32, int> counts;
    const zp::Position origin = grid.origin(cell);
    const int right = columnPixel(cell.getX() + 1);
    const int bottom = rowTop(cell.getY() + 1);
    const sf::Vector2u size = screen.getSize();
    for (int y = origin.getY(); y < bottom && unsigned(y) < size.y; ++y)
        for (int x = origin.getX(); x < right && unsigned(x) < size.x; ++x)
            ++counts[screen.getPixel(unsigned(x), unsigned(y)).toInteger()];
    sf::Uint32 most = sf::Color::Black.toInteger();
    int most_count = 0;
    for (const auto& [color, number] : counts)
        if (number > most_count) {
            most = color;
            most_count = number;
        }
    return sf::Color(most);
}

double ScreenReader::backgroundLightness(const sf::Image& screen, zp::Position cell) const
{
    const double lightness_of_background = lightness(backgroundAt(screen, cell));
    // Only a faint tint is a background; anything brighter is ink.
    return lightness_of_background * 255 <= LIT ? lightness_of_background : 0.0;
}

bool ScreenReader::shows(const sf::Image& screen, zp::Position start, const std::string& text) const
{
    return difference(screen, start, text) < SAME_TEXT_LIMIT;
}

int ScreenReader::readNumber(const sf::Image& screen, zp::Position start, int max_digits) const
{
    int number = -1;
    for (int i = 0; i < max_digits; ++i) {
        const zp::Position cell(start.getX() + i, start.getY());
        int digit = -1;
        for (int d = 0; d <= 9 && digit < 0; ++d)
            if (shows(screen, cell, std::to_string(d)))
                digit = d;
        if (digit < 0)
            break;
        number = (number < 0 ? 0 : number * 10) + digit;
    }
    return number;
}

bool ScreenReader::rowContains(const sf::Image& screen, int row, const std::string& text) const
{
    for (int column = 0; column + int(text.size()) <= WINDOW_COLUMNS; ++column)
        if (shows(screen, zp::Position(column, row), text))
            return true;
    return false;
}

int ScreenReader::inkAt(const sf::Image& screen, zp::Position cell) const
{
    const zp::Position origin = grid.origin(cell);
    const int right = columnPixel(cell.getX() + 1);
    const int bottom = rowTop(cell.getY() + 1);
    const sf::Vector2u size = screen.getSize();
    int lit = 0;
    for (int y = origin.getY(); y < bottom && unsigned(y) < size.y; ++y)
        for (int x = origin.getX(); x < right && unsigned(x) < size.x; ++x)
            lit += lightness(screen.getPixel(unsigned(x), unsigned(y))) * 255 > LIT ? 1 : 0;
    return lit;
}

zp::Color ScreenReader::colorAt(const sf::Image& screen, zp::Position cell) const
{
    static const std::array<sf::Color, 8> palette = {sf::Color::Black,  sf::Color::Red,  sf::Color::Green,
                                                     sf::Color::Yellow, sf::Color::Blue, sf::Color::Magenta,
                                                     sf::Color::Cyan,   sf::Color::White};
    std::array<int, 8> votes{};
    const zp::Position origin = grid.origin(cell);
    const int right = columnPixel(cell.getX() + 1);
    const int bottom = rowTop(cell.getY() + 1);
    const sf::Vector2u size = screen.getSize();
    for (int y = origin.getY(); y < bottom && unsigned(y) < size.y; ++y) {
        for (int x = origin.getX(); x < right && unsigned(x) < size.x; ++x) {
            const sf::Color pixel = screen.getPixel(unsigned(x), unsigned(y));
            if (lightness(pixel) * 255 <= LIT)
                continue;
            // Antialiased edges are darker: compare the hue by scaling to full strength.
            const double scale = 255.0 / std::max({pixel.r, pixel.g, pixel.b});
            size_t nearest = 0;
            double nearest_distance = std::numeric_limits<double>::max();
            for (size_t i = 1; i < palette.size(); ++i) {
                const double dr = pixel.r * scale - palette[i].r;
                const double dg = pixel.g * scale - palette[i].g;
                const double db = pixel.b * scale - palette[i].b;
                const double d = dr * dr + dg * dg + db * db;
                if (d < nearest_distance) {
                    nearest_distance = d;
                    nearest = i;
                }
            }
            ++votes[nearest];
        }
    }
    const auto most = std::max_element(votes.begin() + 1, votes.end());
    return *most == 0 ? zp::BLACK : zp::Color(most - votes.begin());
}

} // namespace e2e
