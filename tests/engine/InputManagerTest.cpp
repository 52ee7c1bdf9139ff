#include "zp/InputManager.h"

#include "support/EngineFixture.h"

#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/GraphicsManager.h"

#include <gtest/gtest.h>

namespace {

using zp::Position;

sf::Event keyEvent(sf::Event::EventType type, sf::Keyboard::Key code)
{
    sf::Event event;
    event.type = type;
    event.key = sf::Event::KeyEvent{code, false, false, false, false};
    return event;
}

sf::Event moveEvent(int x, int y)
{
    sf::Event event;
    event.type = sf::Event::MouseMoved;
    event.mouseMove = sf::Event::MouseMoveEvent{x, y};
    return event;
}

sf::Event buttonEvent(sf::Event::EventType type, sf::Mouse::Button button, int x, int y)
{
    sf::Event event;
    event.type = type;
    event.mouseButton = sf::Event::MouseButtonEvent{button, x, y};
    return event;
}

TEST(InputTranslation, Keys)
{
    const struct {
        sf::Event event;
        zp::KeyboardAction action;
        int key;
    } cases[] = {
        {keyEvent(sf::Event::KeyPressed, sf::Keyboard::Q), zp::KEY_PRESSED, 16},
        {keyEvent(sf::Event::KeyReleased, sf::Keyboard::Q), zp::KEY_RELEASED, 16},
        {keyEvent(sf::Event::KeyPressed, sf::Keyboard::Num1), zp::KEY_PRESSED, 27},
        {keyEvent(sf::Event::KeyPressed, sf::Keyboard::F), zp::KEY_PRESSED, 5},
        {keyEvent(sf::Event::KeyPressed, sf::Keyboard::Pause), zp::KEY_PRESSED, 100},
        {keyEvent(sf::Event::KeyReleased, sf::Keyboard::Unknown), zp::KEY_RELEASED, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key << " action " << c.action);
        std::unique_ptr<zp::Event> p_event = zp::translateWindowEvent(c.event);
        ASSERT_NE(p_event, nullptr);
        ASSERT_EQ(p_event->getType(), zp::KEYBOARD_EVENT);
        auto* p_keyboard = dynamic_cast<zp::EventKeyboard*>(p_event.get());
        ASSERT_NE(p_keyboard, nullptr);
        EXPECT_EQ(p_keyboard->getKeyboardAction(), c.action);
        EXPECT_EQ(p_keyboard->getKey(), c.key);
    }
}

TEST(InputTranslation, PointerAndButtonsInCells)
{
    const struct {
        sf::Event event;
        zp::MouseAction action;
        int button; // -1: not meaningful
        Position cell;
    } cases[] = {
        {moveEvent(130, 64), zp::MOVED, -1, {10, 2}},
        {moveEvent(1023, 767), zp::MOVED, -1, {79, 23}},
        {moveEvent(0, 0), zp::MOVED, -1, {0, 0}},
        {buttonEvent(sf::Event::MouseButtonPressed, sf::Mouse::Left, 12, 31), zp::CLICKED, 0, {0, 0}},
        {buttonEvent(sf::Event::MouseButtonPressed, sf::Mouse::Right, 13, 32), zp::CLICKED, 1, {1, 1}},
        {buttonEvent(sf::Event::MouseButtonPressed, sf::Mouse::Middle, 1012, 736), zp::CLICKED, 2, {79, 23}},
        {buttonEvent(sf::Event::MouseButtonPressed, sf::Mouse::XButton2, 500, 300), zp::CLICKED, 4, {39, 9}},
        // A pointer dragged out of the window: the edge cells, never cells
        // that a recording could not hold.
        {moveEvent(-40, -100), zp::MOVED, -1, {0, 0}},
        {moveEvent(1024, 768), zp::MOVED, -1, {79, 23}},
        {moveEvent(2147483647, -2147483647 - 1), zp::MOVED, -1, {79, 0}},
        {moveEvent(-2147483647 - 1, 2147483647), zp::MOVED, -1, {0, 23}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << " button " << c.button);
        std::unique_ptr<zp::Event> p_event = zp::translateWindowEvent(c.event);
        ASSERT_NE(p_event, nullptr);
        ASSERT_EQ(p_event->getType(), zp::MOUSE_EVENT);
        auto* p_mouse = dynamic_cast<zp::EventMouse*>(p_event.get());
        ASSERT_NE(p_mouse, nullptr);
        EXPECT_EQ(p_mouse->getMouseAction(), c.action);
        if (c.button >= 0) {
            EXPECT_EQ(p_mouse->getMouseButton(), c.button);
        }
        EXPECT_EQ(p_mouse->getMousePosition(), c.cell);
    }
}

TEST(InputTranslation, EveryOtherWindowEventIsConsumed)
{
    const sf::Event::EventType consumed[] = {
        sf::Event::Closed,
        sf::Event::Resized,
        sf::Event::LostFocus,
        sf::Event::GainedFocus,
        sf::Event::TextEntered,
        sf::Event::MouseWheelMoved,
        sf::Event::MouseWheelScrolled,
        sf::Event::MouseButtonReleased,
        sf::Event::MouseEntered,
        sf::Event::MouseLeft,
        sf::Event::JoystickButtonPressed,
        sf::Event::JoystickMoved,
        sf::Event::TouchBegan,
        sf::Event::SensorChanged,
    };
    for (sf::Event::EventType type : consumed) {
        SCOPED_TRACE(type);
        sf::Event event = buttonEvent(type, sf::Mouse::Left, 10, 10);
        EXPECT_EQ(zp::translateWindowEvent(event), nullptr);
    }
}

// Pointer positions reach cells through the window's scale and letterbox:
// here a 1920 x 1080 window, whose grid is 1440 x 1080 pixels from x = 240.
// Over the bars there is no cell, and no event.
TEST(InputTranslation, PointerPositionsInAScaledWindowAndNoneOnTheLetterbox)
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    ASSERT_EQ(graphics.setWindowedSize(1920, 1080), 0);
    const struct {
        sf::Event event;
        bool on_grid;
        Position cell;
    } cases[] = {
        {moveEvent(960, 540), true, {40, 12}},
        {moveEvent(240, 0), true, {0, 0}},
        {moveEvent(1679, 1079), true, {79, 23}},
        {buttonEvent(sf::Event::MouseButtonPressed, sf::Mouse::Left, 257, 44), true, {0, 0}},
        {buttonEvent(sf::Event::MouseButtonPressed, sf::Mouse::Left, 258, 45), true, {1, 1}},
        {moveEvent(239, 540), false, {}},
        {moveEvent(1680, 0), false, {}},
        {buttonEvent(sf::Event::MouseButtonPressed, sf::Mouse::Left, 100, 500), false, {}},
        {buttonEvent(sf::Event::MouseButtonPressed, sf::Mouse::Right, 1900, 10), false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "type " << c.event.type << " cell " << c.cell.getX() << "," << c.cell.getY());
        std::unique_ptr<zp::Event> p_event = zp::translateWindowEvent(c.event);
        ASSERT_EQ(p_event != nullptr, c.on_grid);
        if (c.on_grid) {
            EXPECT_EQ(static_cast<zp::EventMouse*>(p_event.get())->getMousePosition(), c.cell);
        }
    }
    zp::test::restoreGraphicsDefaults();
}

TEST(InputTranslation, TheFullscreenKeysAreF11AndAltEnter)
{
    sf::Event alt_enter = keyEvent(sf::Event::KeyPressed, sf::Keyboard::Return);
    alt_enter.key.alt = true;
    EXPECT_TRUE(zp::isFullscreenKey(keyEvent(sf::Event::KeyPressed, sf::Keyboard::F11)));
    EXPECT_TRUE(zp::isFullscreenKey(alt_enter));
    EXPECT_FALSE(zp::isFullscreenKey(keyEvent(sf::Event::KeyPressed, sf::Keyboard::Return)));
    EXPECT_FALSE(zp::isFullscreenKey(keyEvent(sf::Event::KeyReleased, sf::Keyboard::F11)));
    EXPECT_FALSE(zp::isFullscreenKey(keyEvent(sf::Event::KeyPressed, sf::Keyboard::F12)));
    // They still reach the objects as keys.
    EXPECT_NE(zp::translateWindowEvent(keyEvent(sf::Event::KeyPressed, sf::Keyboard::F11)), nullptr);
}

class InputManagerTest : public zp::test::EngineFixture {
protected:
    InputManagerTest() : EngineFixture(zp::test::Screen::HEADLESS) {}
};

TEST_F(InputManagerTest, StartsOnlyWhileTheGraphicsManagerIsStarted)
{
    zp::InputManager& input = zp::InputManager::getInstance();
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    EXPECT_EQ(input.getType(), "InputManager");
    EXPECT_EQ(input.startUp(), 0);
    EXPECT_TRUE(input.isStarted());
    input.shutDown();
    EXPECT_FALSE(input.isStarted());

    graphics.shutDown();
    EXPECT_EQ(input.startUp(), -1);
    EXPECT_FALSE(input.isStarted());
    input.getInput(); // no window: nothing to read, and no crash
}

} // namespace
