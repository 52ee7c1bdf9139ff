#include "play/KeyboardPlay.h"

#include "content/Controls.h"
#include "play/CommandTarget.h"
#include "shop/Build.h"
#include "shop/Info.h"
#include "turrets/Turret.h"

#include "zp/Box.h"
#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/GameManager.h"
#include "zp/ObjectList.h"
#include "zp/ObjectListIterator.h"
#include "zp/WorldManager.h"

#include <algorithm>

namespace {

bool paused()
{
    return zp::GameManager::getInstance().isPaused();
}

} // namespace

KeyboardPlay::KeyboardPlay(CommandTarget& player_selection) : selection(player_selection)
{
    // Where the reticle starts.
    const zp::Box boundary = zp::WorldManager::getInstance().getBoundary();
    cursor = zp::Position(boundary.getHorizontal() / 2, boundary.getVertical() / 2);
}

void KeyboardPlay::handle(const zp::Event* p_e)
{
    if (p_e->getType() == zp::MOUSE_EVENT) {
        const auto* p_mouse = static_cast<const zp::EventMouse*>(p_e);
        if (p_mouse->getMouseAction() == zp::MOVED)
            cursor = p_mouse->getMousePosition();
        return;
    }
    if (p_e->getType() != zp::KEYBOARD_EVENT)
        return;
    const auto* p_key = static_cast<const zp::EventKeyboard*>(p_e);
    if (p_key->getKey() != LEAP_KEY && p_key->getKey() != LEAP_KEY_OTHER)
        return;
    if (p_key->getKeyboardAction() == zp::KEY_PRESSED)
        leap_held = true;
    else if (p_key->getKeyboardAction() == zp::KEY_RELEASED)
        leap_held = false;
}

bool KeyboardPlay::cancel()
{
    if (Build* p_build = carriedBuild()) {
        // As a click would, the drop waits for the end of a pause: the cursor
        // leaves at the world's next update.
        if (!paused())
            p_build->drop();
        return true;
    }
    if (selection.turret() != nullptr) {
        selection.clear();
        return true;
    }
    return false;
}

zp::Position KeyboardPlay::getCursor() const
{
    return cursor;
}

Turret* KeyboardPlay::pointedTurret() const
{
    return turretAt(cursor);
}

void KeyboardPlay::moveCursor(int direction)
{
    // Left, right, up, down.
    const int DIRECTIONS[][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    if (direction < 0 || direction > 3)
        return;
    const int step = leap_held ? CURSOR_LEAP : 1;
    const zp::Box board = zp::WorldManager::getInstance().getBoundary();
    const int left = board.getCorner().getX();
    const int top = board.getCorner().getY();
    const int x =
        std::clamp(cursor.getX() + step * DIRECTIONS[direction][0], left, left + board.getHorizontal() - 1);
    const int y =
        std::clamp(cursor.getY() + step * DIRECTIONS[direction][1], top, top + board.getVertical() - 1);
    moveEverythingTo(zp::Position(x, y));
}

void KeyboardPlay::moveEverythingTo(zp::Position cell) const
{
    // A move of the pointer: the reticle and a cursor carried follow it, and
    // so does this cursor, when the move reaches it.
    zp::EventMouse moved;
    moved.setMouseAction(zp::MOVED);
    moved.setMousePosition(cell);
    zp::WorldManager::getInstance().onEvent(&moved);
}

void KeyboardPlay::pickPanel(int panel_index)
{
    if (paused())
        return;
    Info* p_picked = nullptr;
    const zp::ObjectList all = zp::WorldManager::getInstance().getAllObjects();
    for (zp::ObjectListIterator it(&all); !it.isDone(); it.next()) {
        auto* p_panel = dynamic_cast<Info*>(it.currentObject());
        if (p_panel == nullptr)
            continue;
        if (p_panel->getPanelIndex() == panel_index)
            p_picked = p_panel;
        else
            p_panel->setSpriteIndex(INFO_FRAME_IDLE);
    }
    if (p_picked == nullptr)
        return;
    // As a click on the panel would, the purchase ends the selection.
    selection.clear();
    Build* p_carried = carriedBuild();
    if (!p_picked->purchase())
        return;
    // The turret carried before is given back for the new one, which comes
    // to the cursor.
    if (p_carried != nullptr)
        p_carried->drop();
    moveEverythingTo(cursor);
}

void KeyboardPlay::placeOrSelect()
{
    Build* p_build = carriedBuild();
    if (p_build == nullptr) {
        selection.select(turretAt(cursor));
        return;
    }
    if (paused())
        return;
    // A cursor just bought with a click still stands on its panel.
    moveEverythingTo(cursor);
    selection.clear();
    p_build->place();
}

void KeyboardPlay::sellSelected()
{
    Turret* p_turret = selection.turret();
    if (p_turret != nullptr && !paused())
        p_turret->sell();
}
