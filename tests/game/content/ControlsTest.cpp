// The one table of keys and buttons: its rows do not contradict each other,
// and the README's table of keys is the one the table writes.
#include "content/Controls.h"

#include "support/RunDir.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

TEST(ControlsTable, AKeyMeansOneThingInEachPlace)
{
    std::map<std::pair<ControlPlace, int>, std::string> seen;
    for (const Control& control : controls()) {
        for (int key : control.keys) {
            const auto [at, fresh] = seen.emplace(std::make_pair(control.place, key), control.label);
            EXPECT_TRUE(fresh) << "key " << key << " in " << placeName(control.place) << ": " << at->second
                               << " and " << control.label;
        }
        EXPECT_FALSE(control.label.empty());
        EXPECT_FALSE(control.help.empty()) << control.label;
        EXPECT_FALSE(control.detail.empty()) << control.label;
    }
}

TEST(ControlsTable, KeysAreFoundInTheirPlaceOnly)
{
    const struct {
        ControlPlace place;
        int key;
        bool found;
        Command command;
        int index;
    } cases[] = {
        {ControlPlace::MENU, sf::Keyboard::Num1, true, Command::CHOOSE_LEVEL, 0},
        {ControlPlace::MENU, sf::Keyboard::Num3, true, Command::CHOOSE_LEVEL, 2},
        {ControlPlace::MENU, sf::Keyboard::Numpad1, false, Command::CHOOSE_LEVEL, -1},
        {ControlPlace::MENU, sf::Keyboard::Q, true, Command::QUIT, 0},
        {ControlPlace::PLAY, sf::Keyboard::Q, false, Command::QUIT, -1},
        {ControlPlace::PLAY, sf::Keyboard::Space, true, Command::PAUSE, 1},
        {ControlPlace::PLAY, sf::Keyboard::Slash, true, Command::HELP, 1},
        {ControlPlace::PLAY, sf::Keyboard::F, true, Command::GIVE_UP, 0},
        {ControlPlace::MENU, sf::Keyboard::F, false, Command::GIVE_UP, -1},
        {ControlPlace::MENU, sf::Keyboard::D, true, Command::DIFFICULTY, 0},
        // In play the digits buy, the first from the top panel.
        {ControlPlace::PLAY, sf::Keyboard::Num1, true, Command::BUY, 0},
        {ControlPlace::PLAY, sf::Keyboard::Num3, true, Command::BUY, 2},
        {ControlPlace::PLAY, sf::Keyboard::Num0, false, Command::BUY, -1},
        {ControlPlace::PLAY, sf::Keyboard::Left, true, Command::MOVE_CURSOR, 0},
        {ControlPlace::PLAY, sf::Keyboard::Right, true, Command::MOVE_CURSOR, 1},
        {ControlPlace::PLAY, sf::Keyboard::Up, true, Command::MOVE_CURSOR, 2},
        {ControlPlace::PLAY, sf::Keyboard::Down, true, Command::MOVE_CURSOR, 3},
        {ControlPlace::PLAY, sf::Keyboard::Enter, true, Command::PLACE_OR_SELECT, 0},
        {ControlPlace::PLAY, sf::Keyboard::Escape, true, Command::CANCEL, 0},
        {ControlPlace::PLAY, sf::Keyboard::Delete, true, Command::SELL_SELECTED, 1},
        {ControlPlace::PLAY, sf::Keyboard::T, true, Command::TARGET, 0},
        {ControlPlace::PLAY, sf::Keyboard::U, true, Command::UPGRADE, 0},
        {ControlPlace::ANYWHERE, sf::Keyboard::F11, true, Command::FULLSCREEN, 0},
        {ControlPlace::PLAY, sf::Keyboard::F11, false, Command::FULLSCREEN, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << placeName(c.place) << " key " << c.key);
        const Control* p_control = findControl(c.place, c.key);
        ASSERT_EQ(p_control != nullptr, c.found);
        if (p_control == nullptr)
            continue;
        EXPECT_EQ(p_control->command, c.command);
        EXPECT_EQ(keyIndex(*p_control, c.key), c.index);
    }
}

// The help overlay shows the menu's and play's rows and the keys heard
// anywhere, in the table's order; not the pause menu's and the settings'
// own keys, which those screens show.
TEST(ControlsTable, TheHelpOverlayShowsTheMenuAndPlayRows)
{
    const auto lines = helpOverlayLines();
    std::size_t next = 0;
    for (const Control& control : controls()) {
        const bool anywhere = control.place == ControlPlace::ANYWHERE;
        if (control.place == ControlPlace::PAUSE_MENU || control.place == ControlPlace::SETTINGS ||
            (anywhere && control.keys.empty()))
            continue;
        ASSERT_LT(next, lines.size());
        EXPECT_EQ(lines[next].first, control.label);
        const char* where = control.place == ControlPlace::MENU       ? " (menu)"
                            : control.place == ControlPlace::ANYWHERE ? " (anywhere)"
                                                                      : "";
        EXPECT_EQ(lines[next].second, control.help + where);
        ++next;
    }
    EXPECT_EQ(next, lines.size());
    EXPECT_EQ(lines.back(), std::make_pair(std::string("M"), std::string("mute or unmute (anywhere)")));
}

// After a change to the table, write the README's table again: this test
// prints it.
TEST(ControlsTable, TheReadmesTableOfKeysIsTheTables)
{
    const std::string readme = zp::test::readFile(std::string(ZP_SOURCE_DIR) + "/README.md");
    const std::size_t section = readme.find("\n## Keys and mouse\n");
    ASSERT_NE(section, std::string::npos) << "the README has no \"Keys and mouse\" section";
    const std::size_t start = readme.find("\n| ", section);
    ASSERT_NE(start, std::string::npos) << "no table under \"Keys and mouse\"";
    std::size_t end = start + 1;
    while (end < readme.size() && readme[end] == '|') {
        const std::size_t line_end = readme.find('\n', end);
        end = line_end == std::string::npos ? readme.size() : line_end + 1;
    }
    EXPECT_EQ(readme.substr(start + 1, end - start - 1), readmeKeysTable())
        << "README.md's table of keys differs from the controls table; it should read:\n"
        << readmeKeysTable();
}

} // namespace
