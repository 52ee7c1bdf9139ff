#include "play/RangeView.h"

#include "level/Level.h"
#include "shop/Info.h"
#include "turrets/Reach.h"

#include "zp/GraphicsManager.h"
#include "zp/WorldManager.h"

#include <algorithm>
#include <vector>

void shadeReach(const Level& level, zp::Position from, int range)
{
    const zp::Box board = zp::WorldManager::getInstance().getBoundary();
    const int left = board.getCorner().getX();
    const int top = board.getCorner().getY();
    const int width = board.getHorizontal();
    const int height = board.getVertical();
    std::vector<bool> on_track(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), false);
    for (const zp::Position& cell : trackCells(level)) {
        const int x = cell.getX() - left;
        const int y = cell.getY() - top;
        if (x >= 0 && x < width && y >= 0 && y < height)
            on_track[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)] = true;
    }
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const zp::Position cell(left + x, top + y);
            if (!reaches(from, range, cell))
                continue;
            const bool track = on_track[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                        static_cast<std::size_t>(x)];
            graphics.shadeCell(cell, track ? TRACK_REACH_SHADE : REACH_SHADE);
        }
    }
}

std::string coverageText(int covered)
{
    return "covers " + std::to_string(covered) + (covered == 1 ? " track cell" : " track cells");
}

zp::Position coverageLinePosition(const zp::Box& turret_box, int length)
{
    const zp::Box board = zp::WorldManager::getInstance().getBoundary();
    const int board_left = board.getCorner().getX();
    // The panels' column starts here.
    const int right_limit = board_left + board.getHorizontal() - PANEL_COLUMN_OFFSET;
    const int row = turret_box.getCorner().getY() + turret_box.getVertical() / 2;
    const int right = turret_box.getCorner().getX() + turret_box.getHorizontal() + 1;
    if (right + length <= right_limit)
        return zp::Position(right, row);
    return zp::Position(std::max(board_left, turret_box.getCorner().getX() - 1 - length), row);
}

void drawCoverage(const zp::Box& turret_box, int covered)
{
    const std::string text = coverageText(covered);
    const zp::Position at = coverageLinePosition(turret_box, static_cast<int>(text.size()));
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    // A line of its own over the board, which stays tinted around it.
    graphics.clearBox(zp::Box(at, static_cast<int>(text.size()), 1));
    graphics.drawString(at, text, zp::LEFT_JUSTIFIED, COVERAGE_COLOR);
}
