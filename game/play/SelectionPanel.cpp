#include "play/SelectionPanel.h"

#include "hud/HudLayout.h"
#include "shop/Info.h"
#include "turrets/Targeting.h"
#include "turrets/Turret.h"
#include "turrets/TurretKinds.h"
#include "turrets/TurretSummary.h"

#include "zp/GraphicsManager.h"
#include "zp/Utility.h"
#include "zp/WorldManager.h"

#include <algorithm>

namespace {

// Frame and one blank on each side.
const int PANEL_MARGIN = 2;
const int LABEL_WIDTH = 10;
const zp::Color FRAME_COLOR = zp::WHITE;
const zp::Color TITLE_COLOR = zp::YELLOW;
const zp::Color LABEL_COLOR = zp::CYAN;
const zp::Color VALUE_COLOR = zp::WHITE;

std::string steps(int count)
{
    return std::to_string(count) + (count == 1 ? " step" : " steps");
}

} // namespace

std::vector<std::pair<std::string, std::string>> selectionLines(const Turret& turret, int covered)
{
    std::vector<std::pair<std::string, std::string>> lines;
    lines.emplace_back("damage", std::to_string(turret.getDamage()));
    if (turret.getFreezeSteps() > 0)
        lines.emplace_back("freezes", steps(turret.getFreezeSteps()));
    lines.emplace_back("fires", "every " + steps(turret.getFireRate()));
    lines.emplace_back("range", std::to_string(turret.getRange()));
    lines.emplace_back("reaches", std::to_string(covered) + (covered == 1 ? " track cell" : " track cells"));
    lines.emplace_back("aim", std::string(targetModeName(turret.getTargetMode())) + "  (T)");
    lines.emplace_back("level", std::to_string(turret.getUpgradeLevel()) + " of " +
                                    std::to_string(TURRET_UPGRADE_LEVELS));
    if (const TurretUpgrade* p_next = turret.nextUpgrade()) {
        const TurretStats now = {turret.getRange(), turret.getDamage(), turret.getFireRate(),
                                 turret.getFreezeSteps()};
        lines.emplace_back("upgrade", std::to_string(p_next->cost) + "  (U)");
        lines.emplace_back("gives", upgradeEffect(now, p_next->stats));
    } else {
        lines.emplace_back("upgrade", "none left");
    }
    lines.emplace_back("sells for", std::to_string(turret.getSpent() / SELL_REFUND_DIVISOR) + "  (X)");
    return lines;
}

zp::Box selectionPanelBox(const zp::Box& turret_box, int width, int height)
{
    const zp::Box board = zp::WorldManager::getInstance().getBoundary();
    const int board_left = board.getCorner().getX();
    const int board_top = board.getCorner().getY();
    const int right_limit = board_left + board.getHorizontal() - PANEL_COLUMN_OFFSET;
    const int right = turret_box.getCorner().getX() + turret_box.getHorizontal() + 1;
    const int left = right + width <= right_limit
                         ? right
                         : std::max(board_left, turret_box.getCorner().getX() - 1 - width);
    // The bottom row is the wave preview's.
    const int lowest_top = board_top + board.getVertical() - 1 - height;
    const int top = std::max(board_top + FIELD_TOP_ROW, std::min(turret_box.getCorner().getY(), lowest_top));
    return zp::Box(zp::Position(left, top), width, height);
}

void drawSelectionPanel(const Turret& turret, int covered)
{
    const auto lines = selectionLines(turret, covered);
    std::size_t text_width = turret.getType().size();
    for (const auto& [label, value] : lines)
        text_width = std::max(text_width, LABEL_WIDTH + value.size());
    const int width = static_cast<int>(text_width) + 2 * PANEL_MARGIN;
    const int height = static_cast<int>(lines.size()) + 3;
    const zp::Box box = selectionPanelBox(zp::getWorldBox(&turret), width, height);

    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.clearBox(box);
    const int left = box.getCorner().getX();
    const int top = box.getCorner().getY();
    const int right = left + width - 1;
    const int bottom = top + height - 1;
    const std::string inside(static_cast<std::size_t>(width - 2), '-');
    graphics.drawString(zp::Position(left, top), "." + inside + ".", zp::LEFT_JUSTIFIED, FRAME_COLOR);
    graphics.drawString(zp::Position(left, bottom), "'" + inside + "'", zp::LEFT_JUSTIFIED, FRAME_COLOR);
    for (int row = top + 1; row < bottom; ++row) {
        graphics.drawCh(zp::Position(left, row), '|', FRAME_COLOR);
        graphics.drawCh(zp::Position(right, row), '|', FRAME_COLOR);
    }
    const int text_left = left + PANEL_MARGIN;
    graphics.drawString(zp::Position(text_left, top + 1), turret.getType(), zp::LEFT_JUSTIFIED, TITLE_COLOR);
    int row = top + 2;
    for (const auto& [label, value] : lines) {
        graphics.drawString(zp::Position(text_left, row), label, zp::LEFT_JUSTIFIED, LABEL_COLOR);
        graphics.drawString(zp::Position(text_left + LABEL_WIDTH, row), value, zp::LEFT_JUSTIFIED,
                            VALUE_COLOR);
        ++row;
    }
}
