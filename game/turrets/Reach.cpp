#include "turrets/Reach.h"

#include "level/Level.h"

#include "zp/Utility.h"

#include <set>
#include <utility>

bool reaches(zp::Position turret, int range, zp::Position cell)
{
    return zp::scaledDistance(turret, cell) <= range;
}

std::vector<zp::Position> trackCells(const Level& level)
{
    std::set<std::pair<int, int>> rows_and_columns;
    rows_and_columns.emplace(level.getEnemyStartY(), level.getEnemyStartX());
    for (const zp::Position& cell : level.getPath())
        rows_and_columns.emplace(cell.getY(), cell.getX());
    std::vector<zp::Position> cells;
    cells.reserve(rows_and_columns.size());
    for (const auto& [y, x] : rows_and_columns)
        cells.emplace_back(x, y);
    return cells;
}

int trackCellsCovered(const Level& level, zp::Position turret, int range)
{
    int covered = 0;
    for (const zp::Position& cell : trackCells(level))
        covered += reaches(turret, range, cell) ? 1 : 0;
    return covered;
}
