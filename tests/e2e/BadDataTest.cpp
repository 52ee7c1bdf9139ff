// Broken data through the real program: each kind of data file missing,
// empty, cut short, garbage, with huge numbers, or a FIFO that nobody writes
// to; text files with a line too long to be text; the data set replaced by a
// file; a working folder the game cannot write to. The game either plays on
// (menu, a level given up, quit) or refuses to start with a clear message;
// it never crashes or hangs, and the log names what was wrong.
#include "GameProcess.h"
#include "ScreenReader.h"
#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <regex>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using e2e::GameProcess;
using e2e::Seconds;
using zp::Position;

const Seconds DEADLINE(60);
const Position MENU_WELCOME(0, 10);
const char* const WELCOME = "Welcome to Cinderwatch!!";
const Position GAME_OVER_TEXT(17, 6);
const char* const GAME_OVER = "You will be brought back to the main menu shortly";
const char* const CURRENCY = "|Currency: 100|";
const Position CURRENCY_AT(55 - 7, 1);
const char* const START_FAILED = "Error starting game manager!";

enum class Damage { MISSING, EMPTY, CUT_SHORT, GARBAGE, HUGE_NUMBERS, FIFO, LINE_TOO_LONG, A_MILLION_WIDE };
enum class Format { TEXT, WAV, FONT };

struct DataKind {
    const char* name;
    // Relative to GameData/, or the font in the run folder.
    const char* file;
    Format format;
    // True: the game cannot start without it; false: it plays on.
    bool needed_to_start;
    // The level is played (and given up) to reach the file.
    bool played;
};

const DataKind KINDS[] = {
    {"Sprite", "Menu/Menu.txt", Format::TEXT, false, false},
    {"Level", "Levels/Level1/Level1.txt", Format::TEXT, false, true},
    {"Path", "Levels/Level1/Level1Mov.txt", Format::TEXT, false, true},
    {"Sound", "Music/bullet.wav", Format::WAV, false, false},
    {"Music", "Music/Menu.wav", Format::WAV, false, false},
    {"Font", "zp-font.ttf", Format::FONT, true, false},
};

struct BadDataCase {
    const DataKind* kind;
    Damage damage;
    // The damaged file is still read (nothing is wrong in the game's eyes).
    bool still_loads;
};

std::string damageName(Damage damage)
{
    const char* const names[] = {"Missing",     "Empty", "CutShort",    "Garbage",
                                 "HugeNumbers", "Fifo",  "LineTooLong", "AMillionWide"};
    return names[static_cast<int>(damage)];
}

std::string originalOf(const DataKind& kind)
{
    if (kind.format == Format::FONT)
        return zp::test::readFile(std::string(ZP_BUILD_DIR) + "/zp-font.ttf");
    return zp::test::readFile(std::string(ZP_SOURCE_DIR) + "/GameData/" + kind.file);
}

void putLittleEndian(std::string& bytes, size_t at, std::uint32_t value, int size)
{
    for (int i = 0; i < size && at + size_t(i) < bytes.size(); ++i)
        bytes[at + size_t(i)] = char((value >> (8 * i)) & 0xff);
}

// The file's content as the damage leaves it.
std::string damaged(const DataKind& kind, Damage damage)
{
    const std::string original = originalOf(kind);
    switch (damage) {
    case Damage::MISSING:
    case Damage::EMPTY:
        return "";
    case Damage::CUT_SHORT:
        // Text cut mid-way; a sound to 1 %, its header intact and promising all.
        return original.substr(0, kind.format == Format::TEXT ? original.size() / 2 : original.size() / 100);
    case Damage::GARBAGE: {
        std::string bytes(std::min<size_t>(original.size(), 65536), '\0');
        std::uint32_t state = 12345;
        for (char& byte : bytes) {
            state = state * 1103515245u + 12345u;
            byte = char(state >> 16);
        }
        return bytes;
    }
    case Damage::HUGE_NUMBERS: {
        std::string bytes = original;
        if (kind.format == Format::TEXT)
            return std::regex_replace(bytes, std::regex("[0-9]+"), "99999999999");
        if (kind.format == Format::WAV) {
            putLittleEndian(bytes, 22, 0xffff, 2);     // channels
            putLittleEndian(bytes, 24, 0xffffffff, 4); // sample rate
            putLittleEndian(bytes, 40, 0xffffffff, 4); // bytes of samples
        } else {
            putLittleEndian(bytes, 4, 0xffff, 2); // tables in the font
        }
        return bytes;
    }
    case Damage::FIFO:
        return "";
    case Damage::LINE_TOO_LONG:
        // Two megabytes without a line break, as the second line.
        return original.substr(0, original.find('\n') + 1) + std::string(2 * 1024 * 1024, 'x') + "\n" +
               original.substr(original.find('\n') + 1);
    case Damage::A_MILLION_WIDE:
        // As wide as a line may be.
        return "frames 1\nwidth 1000000\nheight 1\ncolor red\n" + std::string(1000000, '#') + "\nend\neof\n";
    }
    return original;
}

std::vector<BadDataCase> allCases()
{
    std::vector<BadDataCase> cases;
    for (const DataKind& kind : KINDS) {
        for (Damage damage : {Damage::MISSING, Damage::EMPTY, Damage::CUT_SHORT, Damage::GARBAGE,
                              Damage::HUGE_NUMBERS, Damage::FIFO}) {
            // The font library reads what tables it finds, whatever the count says.
            const bool still_loads = kind.format == Format::FONT && damage == Damage::HUGE_NUMBERS;
            cases.push_back({&kind, damage, still_loads});
        }
        if (kind.format == Format::TEXT)
            cases.push_back({&kind, Damage::LINE_TOO_LONG, false});
    }
    // A sprite that is fine but a million characters wide.
    cases.push_back({&KINDS[0], Damage::A_MILLION_WIDE, true});
    return cases;
}

class GameScreen {
public:
    explicit GameScreen(GameProcess& process) : game(process) {}

    bool waitForText(Position at, const std::string& text)
    {
        return e2e::waitUntil([&] { return reader.shows(game.capture(), at, text); }, DEADLINE);
    }

private:
    GameProcess& game;
    e2e::ScreenReader reader;
};

// Plays what the case needs to reach its file, then quits from the menu.
void playThenQuit(GameProcess& game, bool play_level)
{
    ASSERT_TRUE(game.waitForWindow(DEADLINE)) << game.errorText();
    GameScreen screen(game);
    ASSERT_TRUE(screen.waitForText(MENU_WELCOME, WELCOME));
    if (play_level) {
        game.pressKey("1");
        ASSERT_TRUE(screen.waitForText(CURRENCY_AT, CURRENCY));
        game.pressKey("f");
        ASSERT_TRUE(screen.waitForText(GAME_OVER_TEXT, GAME_OVER));
        ASSERT_TRUE(screen.waitForText(MENU_WELCOME, WELCOME));
    }
    game.pressKey("q");
    EXPECT_EQ(game.waitForExit(DEADLINE), 0) << "-1 means the game did not end\n" << game.errorText();
}

class BadData : public testing::TestWithParam<BadDataCase> {};

TEST_P(BadData, PlaysOnOrRefusesClearlyAndTheLogNamesTheFile)
{
    const DataKind& kind = *GetParam().kind;
    const Damage damage = GetParam().damage;
    const bool still_loads = GetParam().still_loads;
    e2e::RunOptions options;
    // Alone, the program finds nothing beside itself: the run's files are used.
    options.lone_copy = true;
    if (damage == Damage::FIFO) {
        options.fifos = {kind.file};
    } else if (kind.format == Format::FONT) {
        if (damage == Damage::MISSING)
            options.with_font = false;
        else
            options.font_content = damaged(kind, damage);
    } else if (damage == Damage::MISSING) {
        options.missing_data = {kind.file};
    } else {
        options.replaced_data[kind.file] = damaged(kind, damage);
    }
    GameProcess game(options);

    if (kind.needed_to_start && !still_loads) {
        EXPECT_EQ(game.waitForExit(DEADLINE), 1) << "-1 means the game did not end\n" << game.errorText();
        EXPECT_NE(game.errorText().find(START_FAILED), std::string::npos) << game.errorText();
    } else {
        playThenQuit(game, kind.played);
    }
    // What was wrong is named, when something was.
    const std::string log = game.logText();
    if (!still_loads) {
        EXPECT_NE(log.find(kind.file), std::string::npos) << log.substr(0, 2000);
    }
    EXPECT_EQ(game.errorText().find("Sanitizer"), std::string::npos) << game.errorText();
}

INSTANTIATE_TEST_SUITE_P(EveryKind, BadData, testing::ValuesIn(allCases()),
                         [](const testing::TestParamInfo<BadDataCase>& param_info) {
                             return std::string(param_info.param.kind->name) +
                                    damageName(param_info.param.damage);
                         });

TEST(BadDataSet, GameDataAsAFilePlaysOnAndTheLogNamesEveryFile)
{
    e2e::RunOptions options;
    options.lone_copy = true;
    options.data_set_is_a_file = true;
    GameProcess game(options);
    playThenQuit(game, true);
    const std::string log = game.logText();
    for (const char* named : {"../GameData/SplashScreen/SplashScreen.txt", "../GameData/Music/Menu.wav",
                              "../GameData/Music/bullet.wav", "../GameData/Levels/Level1/Level1.txt"})
        EXPECT_NE(log.find(named), std::string::npos) << named << "\n" << log.substr(0, 3000);
}

// With no home either, the log has nowhere to go.
TEST(BadDataSet, AWorkingFolderThatCannotBeWrittenIsRefusedClearly)
{
    std::string reason;
    if (geteuid() == 0 && !e2e::canRunUnprivileged(reason))
        GTEST_SKIP() << "as root, only another user is stopped by the folder's permissions, and " << reason;
    e2e::RunOptions options;
    options.read_only_run_dir = true;
    options.environment = {{"HOME", ""}, {"XDG_STATE_HOME", ""}};
    GameProcess game(options);
    EXPECT_EQ(game.waitForExit(DEADLINE), 1) << "-1 means the game did not end\n" << game.errorText();
    const std::string err = game.errorText();
    EXPECT_NE(err.find(START_FAILED), std::string::npos) << err;
    EXPECT_NE(err.find("log: \"" + game.runDir() + "/zephane.log\""), std::string::npos) << err;
    EXPECT_NE(err.find("The log could not be written either."), std::string::npos) << err;
    EXPECT_EQ(err.find("Sanitizer"), std::string::npos) << err;
}

} // namespace
