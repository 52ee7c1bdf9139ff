#include "app/CommandLine.h"

#include "app/ExitStatus.h"
#include "content/Controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Understood {
    std::vector<std::string> arguments;
    bool help;
    bool version;
    int level;
    std::string data_dir;
};

TEST(CommandLine, ReadsEveryOptionInBothForms)
{
    const Understood cases[] = {
        {{}, false, false, 0, ""},
        {{"--help"}, true, false, 0, ""},
        {{"-h"}, true, false, 0, ""},
        {{"--version"}, false, true, 0, ""},
        {{"--level", "1"}, false, false, 1, ""},
        {{"--level", "3"}, false, false, 3, ""},
        {{"--level=2"}, false, false, 2, ""},
        {{"--data", "/opt/data"}, false, false, 0, "/opt/data"},
        {{"--data=some/where"}, false, false, 0, "some/where"},
        // A value is taken as it stands, even when it looks like an option.
        {{"--data", "--help"}, false, false, 0, "--help"},
        {{"--level", "2", "--data", "d", "--version"}, false, true, 2, "d"},
        // The last of a repeated option wins.
        {{"--level", "1", "--level=3"}, false, false, 3, ""},
    };
    for (const Understood& c : cases) {
        std::ostringstream name;
        for (const std::string& argument : c.arguments)
            name << argument << ' ';
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.error, "") << name.str();
        EXPECT_EQ(line.options.help, c.help) << name.str();
        EXPECT_EQ(line.options.version, c.version) << name.str();
        EXPECT_EQ(line.options.level, c.level) << name.str();
        EXPECT_EQ(line.options.data_dir, c.data_dir) << name.str();
    }
}

TEST(CommandLine, SaysWhatIsWrong)
{
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--bogus=1"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"--lev", "2"}, "unknown option '--lev'"},
        {{"--levels", "2"}, "unknown option '--levels'"},
        {{"-"}, "unexpected argument '-'"},
        {{"play"}, "unexpected argument 'play'"},
        {{"--level"}, "--level needs a value N"},
        {{"--data"}, "--data needs a value DIR"},
        {{"--level", "0"}, "--level takes a level from 1 to 3, not '0'"},
        {{"--level", "4"}, "--level takes a level from 1 to 3, not '4'"},
        {{"--level", "12"}, "--level takes a level from 1 to 3, not '12'"},
        {{"--level", "x"}, "--level takes a level from 1 to 3, not 'x'"},
        {{"--level="}, "--level takes a level from 1 to 3, not ''"},
        {{"--data="}, "--data takes a folder"},
        {{"--help=yes"}, "--help takes no value"},
        // The first fault is reported, and nothing after it is read.
        {{"--level", "2", "--bogus", "--level", "9"}, "unknown option '--bogus'"},
    };
    for (const auto& c : cases) {
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.error, c.error) << c.arguments.front();
    }
}

TEST(CommandLine, RecordReplayAndHeadlessAndHowTheyCombine)
{
    const struct {
        std::vector<std::string> arguments;
        const char* record;
        const char* replay;
        bool headless;
        const char* error;
    } cases[] = {
        {{"--record", "game.rec"}, "game.rec", "", false, ""},
        {{"--level", "2", "--record=g.rec"}, "g.rec", "", false, ""},
        {{"--replay", "game.rec"}, "", "game.rec", false, ""},
        {{"--headless", "--replay", "game.rec"}, "", "game.rec", true, ""},
        {{"--replay", "a.rec", "--headless", "--record", "b.rec"}, "b.rec", "a.rec", true, ""},
        {{"--headless"}, "", "", true, "--headless needs --replay FILE"},
        {{"--record", "a.rec", "--headless"}, "a.rec", "", true, "--headless needs --replay FILE"},
        {{"--replay", "a.rec", "--level", "1"},
         "",
         "a.rec",
         false,
         "--level cannot be used with --replay (the recording names its level)"},
        {{"--replay"}, "", "", false, "--replay needs a value FILE"},
        {{"--record="}, "", "", false, "--record takes a file"},
        {{"--replay="}, "", "", false, "--replay takes a file"},
        {{"--headless=yes", "--replay", "a.rec"}, "", "", false, "--headless takes no value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.options.record_file, c.record);
        EXPECT_EQ(line.options.replay_file, c.replay);
        EXPECT_EQ(line.options.headless, c.headless);
    }
}

TEST(CommandLine, DifficultyIsNamedAndNotWithAReplay)
{
    const struct {
        std::vector<std::string> arguments;
        Difficulty difficulty;
        const char* error;
    } cases[] = {
        {{}, Difficulty::NORMAL, ""},
        {{"--difficulty", "casual"}, Difficulty::CASUAL, ""},
        {{"--difficulty=veteran", "--level", "2"}, Difficulty::VETERAN, ""},
        {{"--difficulty", "normal"}, Difficulty::NORMAL, ""},
        {{"--difficulty", "Veteran"},
         Difficulty::NORMAL,
         "--difficulty takes casual, normal or veteran, not 'Veteran'"},
        {{"--difficulty="}, Difficulty::NORMAL, "--difficulty takes casual, normal or veteran, not ''"},
        {{"--difficulty"}, Difficulty::NORMAL, "--difficulty needs a value NAME"},
        {{"--replay", "a.rec", "--difficulty", "casual"},
         Difficulty::CASUAL,
         "--difficulty cannot be used with --replay (the recording names its difficulty)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLine line = parseCommandLine(c.arguments);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.options.difficulty, c.difficulty);
    }
    EXPECT_NE(usageText().find("--difficulty NAME"), std::string::npos);
}

TEST(CommandLine, ArgcArgvSkipsTheProgramName)
{
    const char* const argv[] = {"cinderwatch", "--level", "2", nullptr};
    const CommandLine line = parseCommandLine(3, argv);
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.options.level, 2);
    EXPECT_EQ(parseCommandLine(1, argv).options.level, 0);
}

TEST(CommandLine, UsageListsEveryOptionWithItsHelpInOneColumn)
{
    const std::string usage = usageText();
    EXPECT_EQ(usage.rfind("Usage: cinderwatch [OPTION]...\n", 0), 0u) << usage;
    const char* const labels[] = {"-h, --help",    "--version",     "--level N", "--data DIR",
                                  "--record FILE", "--replay FILE", "--headless"};
    std::size_t help_column = std::string::npos;
    for (const char* label : labels) {
        const std::size_t at = usage.find(std::string(label) + " ");
        ASSERT_NE(at, std::string::npos) << label;
        const std::size_t line_start = usage.rfind('\n', at) + 1;
        const std::size_t text = usage.find_first_not_of(' ', at + std::string(label).size());
        if (help_column == std::string::npos)
            help_column = text - line_start;
        EXPECT_EQ(text - line_start, help_column) << label;
    }
}

// The keys and the exit statuses come from their tables: a row of each is a
// line of the usage.
TEST(CommandLine, UsageListsEveryKeyAndEveryExitStatusFromTheirTables)
{
    const std::string usage = usageText();
    std::vector<std::string> lines;
    std::istringstream in(usage);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const auto hasLine = [&](const std::function<bool(const std::string&)>& matches) {
        return std::any_of(lines.begin(), lines.end(), matches);
    };
    for (const Control& control : controls()) {
        const std::string start = "  " + placeName(control.place) + " ";
        EXPECT_TRUE(hasLine([&](const std::string& line) {
            const std::size_t label = line.find(" " + control.label + "  ");
            return line.rfind(start, 0) == 0 && label != std::string::npos &&
                   line.size() >= control.help.size() &&
                   line.compare(line.size() - control.help.size(), std::string::npos, control.help) == 0;
        })) << control.label
            << "\n"
            << usage;
    }
    for (const ExitStatusRow& row : EXIT_STATUSES)
        EXPECT_TRUE(hasLine([&](const std::string& line) {
            return line == "  " + std::to_string(row.status) + "  " + row.meaning;
        })) << row.meaning
            << "\n"
            << usage;
}

TEST(CommandLine, VersionIsTheBuildsVersion)
{
    EXPECT_EQ(versionText(), std::string("cinderwatch ") + CINDERWATCH_VERSION + "\n");
}

} // namespace
