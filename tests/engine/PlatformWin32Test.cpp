// The Windows side of the platform layer, where it differs from the POSIX
// one: the held keys read from the thread's keyboard state, and Ctrl+C from
// the console. (Built on Windows only; run under Wine.)
#ifdef _WIN32

#include "support/EngineFixture.h"
#include "support/FreshProcess.h"
#include "support/RecordingObject.h"
#include "support/RunDir.h"

#include "platform/Platform.h"
#include "zp/GameManager.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

namespace {

const BYTE KEY_DOWN = 0x80;
const BYTE KEY_TOGGLED = 0x01;

TEST(HeldKeysWin32, EachKeyIsReadFromItsVirtualKeyAndOnlyWhenDown)
{
    BYTE saved[256];
    ASSERT_TRUE(GetKeyboardState(saved));
    const struct {
        BYTE virtual_key;
        BYTE state;
        int key; // the windowing library's key held, or -1 for none
    } cases[] = {
        {'Q', KEY_DOWN, sf::Keyboard::Q},
        {'A', KEY_DOWN, sf::Keyboard::A},
        {'1', KEY_DOWN, sf::Keyboard::Num1},
        {VK_SPACE, KEY_DOWN, sf::Keyboard::Space},
        {VK_TAB, KEY_DOWN, sf::Keyboard::Tab},
        {VK_ESCAPE, KEY_DOWN, sf::Keyboard::Escape},
        {VK_RSHIFT, KEY_DOWN, sf::Keyboard::RShift},
        {VK_OEM_2, KEY_DOWN, sf::Keyboard::Slash},
        {VK_OEM_3, KEY_DOWN, sf::Keyboard::Tilde},
        {VK_LEFT, KEY_DOWN, sf::Keyboard::Left},
        {VK_NUMPAD3, KEY_DOWN, sf::Keyboard::Numpad3},
        {VK_F12, KEY_DOWN, sf::Keyboard::F12},
        {VK_PAUSE, KEY_DOWN, sf::Keyboard::Pause},
        // A key that is toggled on (as Caps Lock can be) is not held.
        {'A', KEY_TOGGLED, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "virtual key " << int(c.virtual_key));
        BYTE state[256] = {};
        state[c.virtual_key] = c.state;
        ASSERT_TRUE(SetKeyboardState(state));
        std::vector<bool> held;
        ASSERT_TRUE(zp::platform::readHeldKeys(held));
        ASSERT_EQ(held.size(), std::size_t(sf::Keyboard::KeyCount));
        for (int key = 0; key < sf::Keyboard::KeyCount; ++key)
            EXPECT_EQ(held[std::size_t(key)], key == c.key) << "key " << key;
    }
    SetKeyboardState(saved);
}

// Ctrl+C from the console ends the loop after a whole iteration, named in the
// log, as SIGINT does on Linux. (Wine generates no Ctrl+Break, which takes
// the same way.)
class ConsoleStopTest : public zp::test::EngineFixture {
protected:
    ConsoleStopTest() : EngineFixture(zp::test::Screen::HEADLESS) {}
};

TEST_F(ConsoleStopTest, CtrlCEndsTheLoopAfterTheIteration)
{
    ZP_EXPECT_IN_FRESH_PROCESS({
        // A console of this process's own, so that the event reaches no other.
        FreeConsole();
        ASSERT_TRUE(AllocConsole());
        zp::GameManager& game = zp::GameManager::getInstance();
        ASSERT_EQ(game.startUp(), 0);
        // Ctrl+C is ignored by a process that was started ignoring it.
        SetConsoleCtrlHandler(nullptr, FALSE);
        auto* p_o = new zp::test::RecordingObject;
        p_o->setSolidness(zp::SPECTRAL);
        p_o->on_step = [&](zp::test::RecordingObject& self) {
            if (self.steps.size() != 3)
                return;
            if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) {
                ADD_FAILURE() << "no Ctrl+C could be sent";
                game.setGameOver();
                return;
            }
            // The console calls the handler on a thread of its own.
            for (int waited_ms = 0; zp::platform::stopSignal() == 0 && waited_ms < 5000; waited_ms += 10)
                Sleep(10);
        };
        const int first = game.getStepCount();
        game.run();
        EXPECT_EQ(game.getStepCount(), first + 3);
        EXPECT_FALSE(game.getGameOver());
        game.shutDown();
        std::istringstream log(zp::test::readFile("zephane.log"));
        std::string line, last;
        while (std::getline(log, line))
            last = line;
        EXPECT_EQ(last, "Message: Stopped by SIGINT: the game loop ended after a whole iteration");
    });
}

} // namespace

#endif
