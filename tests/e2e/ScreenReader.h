// Reads text off a captured window by comparing it with a reference
// rendering of the expected text in the game's font and cell layout, at the
// size the window shows its cells.
#pragma once

#include "GameProcess.h"

#include "zp/Color.h"
#include "zp/Position.h"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>

#include <map>
#include <string>
#include <utility>

namespace e2e {

class ScreenReader {
public:
    ScreenReader();

    // Where the cells stand in the captures read from now on (the base
    // 1024 x 768 until set).
    void setGrid(const Grid& new_grid);
    const Grid& getGrid() const { return grid; }

    // True when the cells from `start` rightwards show exactly `text`
    // (blanks as empty cells), allowing a pixel of offset.
    bool shows(const sf::Image& screen, zp::Position start, const std::string& text) const;
    // The largest per-cell difference between screen and reference, as a share
    // of the cell's ink: 0 when the same, up to 1.
    double difference(const sf::Image& screen, zp::Position start, const std::string& text) const;
    // The whole number whose digits start at `start` (at most `max_digits`
    // of them), or -1 when no digit stands there.
    int readNumber(const sf::Image& screen, zp::Position start, int max_digits = 6) const;
    // True when `text` stands anywhere in the row.
    bool rowContains(const sf::Image& screen, int row, const std::string& text) const;
    // The colour most of the cell's lit pixels have, or BLACK when it is empty.
    zp::Color colorAt(const sf::Image& screen, zp::Position cell) const;
    // Lit pixels in a cell: a cheap test for "something is drawn here".
    int inkAt(const sf::Image& screen, zp::Position cell) const;
    // The colour of most of the cell's pixels: black, or the tint of a
    // turret's reach under it.
    sf::Color backgroundAt(const sf::Image& screen, zp::Position cell) const;

private:
    // The lightness of a faint background tint in the cell, 0 when black.
    double backgroundLightness(const sf::Image& screen, zp::Position cell) const;

    // The reference picture of a row holding `text` from `column` on, made once.
    const sf::Image& reference(int column, const std::string& text) const;

    // The pixel rows of a row of cells, and the pixels of a column.
    int rowTop(int row) const;
    int rowHeight(int row) const;
    int columnPixel(int column) const;

    sf::Font font;
    Grid grid;
    mutable std::map<std::pair<int, std::string>, sf::Image> references;
};

} // namespace e2e
