// The command line of the real program: options that end it at once, with
// their texts and exit statuses, and no window or log.
#include "GameProcess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

TEST(ProgramCommandLine, HelpVersionAndBadOptionsEndAtOnceWithTheirTexts)
{
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string output_start; // what standard output begins with
        std::string error_start;  // what standard error begins with
    } cases[] = {
        {{"--help"}, 0, "Usage: cinderwatch [OPTION]...\n", ""},
        {{"-h", "--level", "2"}, 0, "Usage: cinderwatch [OPTION]...\n", ""},
        {{"--version"}, 0, std::string("cinderwatch ") + CINDERWATCH_VERSION + "\n", ""},
        {{"--bogus"}, 2, "", "cinderwatch: unknown option '--bogus'\nUsage: cinderwatch [OPTION]...\n"},
        {{"--level", "4"}, 2, "", "cinderwatch: --level takes a level from 1 to 3, not '4'\nUsage: "},
        {{"--level"}, 2, "", "cinderwatch: --level needs a value N\nUsage: "},
        {{"extra"}, 2, "", "cinderwatch: unexpected argument 'extra'\nUsage: "},
        {{"--palette", "pink"},
         2,
         "",
         "cinderwatch: --palette takes one of default, colour-blind, high-contrast, not 'pink'\nUsage: "},
    };
    for (const auto& c : cases) {
        const std::string name = c.arguments.front();
        e2e::RunOptions options;
        options.arguments = c.arguments;
        // Nothing to find: these options must not need the font or the data.
        options.with_font = false;
        options.with_data = false;
        e2e::GameProcess game(options);
        EXPECT_EQ(game.waitForExit(e2e::Seconds(30)), c.status) << name;
        const std::string output = game.outputText(), error = game.errorText();
        EXPECT_EQ(output.substr(0, c.output_start.size()), c.output_start) << name << "\n" << output;
        EXPECT_EQ(error.substr(0, c.error_start.size()), c.error_start) << name << "\n" << error;
        if (c.output_start.empty()) {
            EXPECT_EQ(output, "") << name;
        }
        if (c.error_start.empty()) {
            EXPECT_EQ(error, "") << name;
        }
        EXPECT_FALSE(std::filesystem::exists(game.runDir() + "/zephane.log")) << name << ": no log";
    }
}

TEST(ProgramCommandLine, HelpNamesEveryOption)
{
    e2e::RunOptions options;
    options.arguments = {"--help"};
    e2e::GameProcess game(options);
    ASSERT_EQ(game.waitForExit(e2e::Seconds(30)), 0);
    const std::string help = game.outputText();
    for (const char* option : {"--help", "--version", "--level N", "--data DIR", "--palette NAME"})
        EXPECT_NE(help.find(option), std::string::npos) << option << "\n" << help;
}

} // namespace
