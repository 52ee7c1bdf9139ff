// The game ended from outside: an interrupt or a termination request ends
// the loop cleanly with the log whole, also on a machine without a sound
// device; a lost display is reported in the game's own words on standard
// error and in the log, after the recording is put in place.
#include "GameProcess.h"
#include "PrivateXServer.h"
#include "support/RunDir.h"
#include "support/Shell.h"
#include "support/StopSignals.h"

#include "zp/InputRecording.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>

namespace {

using e2e::GameProcess;
using e2e::Seconds;

const Seconds DEADLINE(60);
const char* const DISPLAY_LOST = "Lost the connection to the display";

std::string lastLine(const std::string& text)
{
    if (text.empty() || text.back() != '\n')
        return "(no complete last line)";
    const size_t end = text.size() - 1;
    const size_t before = end == 0 ? std::string::npos : text.rfind('\n', end - 1);
    const size_t start = before == std::string::npos ? 0 : before + 1;
    return text.substr(start, end - start);
}

TEST(Ending, AnInterruptOrTerminationEndsTheLoopWithTheLogWhole)
{
    for (const zp::test::StopSignal& stop : zp::test::STOP_SIGNALS) {
        SCOPED_TRACE(stop.name);
        GameProcess game;
        ASSERT_TRUE(game.waitForWindow(DEADLINE)) << game.errorText();
        // Well into the loop: the log has been flushed at least once.
        ASSERT_TRUE(
            e2e::waitUntil([&] { return game.logText().find("loop time") != std::string::npos; }, DEADLINE));
        game.signal(stop.number);
        EXPECT_EQ(game.waitForExit(DEADLINE), 0) << game.errorText();
        EXPECT_EQ(lastLine(game.logText()), std::string("Message: Stopped by ") + stop.name +
                                                ": the game loop ended after a whole iteration");
    }
}

// Without a sound device the audio library reported every call of every
// sound and music on standard error, the streaming music without end
// (hundreds of megabytes), and a music still streaming at the end, or a
// sound destroyed after the library's error stream, once crashed the game.
// The engine now sees that no device opens and plays silently: one log line,
// nothing on standard error, and the game ends cleanly.
TEST(Ending, WithoutASoundDeviceTheGamePlaysSilentlyAndQuietly)
{
    e2e::RunOptions options;
    options.environment = {{"ALSOFT_DRIVERS", "no-such-driver"}};
    GameProcess game(options);
    ASSERT_TRUE(game.waitForWindow(DEADLINE)) << game.errorText();
    // Well into the menu, whose music streams.
    ASSERT_TRUE(e2e::waitUntil(
        [&] {
            const std::string log = game.logText();
            size_t loops = 0;
            for (size_t at = log.find("loop time"); at != std::string::npos;
                 at = log.find("loop time", at + 1))
                ++loops;
            return loops >= 60;
        },
        DEADLINE));
    game.signal(SIGTERM);
    EXPECT_EQ(game.waitForExit(DEADLINE), 0) << game.errorText().substr(0, 3000);
    // Nothing on standard error but the windowing library's remark on the test display.
    std::istringstream errors(game.errorText());
    for (std::string line; std::getline(errors, line);)
        EXPECT_EQ(line, "Setting vertical sync not supported");
    const std::string log = game.logText();
    const std::string silent = "Message: No sound device could be opened: sound and music play silently\n";
    EXPECT_EQ(log.find(silent), log.rfind(silent)) << "said once";
    EXPECT_NE(log.find(silent), std::string::npos) << log.substr(0, 2000);
}

TEST(Ending, ALostDisplayIsReportedInTheGamesOwnWords)
{
    // The window destroyed by another program: its connection is cut. The
    // game's recording is finished and put in place first.
    {
        e2e::RunOptions options;
        const std::string recording_file = zp::test::runDir() + "/lost.rec";
        options.arguments = {"--record", recording_file};
        GameProcess game(options);
        ASSERT_TRUE(game.waitForWindow(DEADLINE)) << game.errorText();
        game.pressKey("x");
        ASSERT_TRUE(e2e::waitUntil(
            [&] { return zp::test::readFile(recording_file + ".tmp").find("\nkey ") != std::string::npos; },
            DEADLINE))
            << "the key reaches the recording as the game goes";
        zp::test::commandOutput("xdotool windowkill " + game.windowId());
        EXPECT_EQ(game.waitForExit(DEADLINE), 1) << game.errorText();
        EXPECT_NE(game.errorText().find(DISPLAY_LOST), std::string::npos) << game.errorText();
        EXPECT_EQ(lastLine(game.logText()).find(std::string("Message: ") + DISPLAY_LOST), 0u)
            << lastLine(game.logText());

        zp::InputRecording recording;
        std::string error;
        ASSERT_EQ(recording.readFile(recording_file, error), 0) << error;
        EXPECT_GT(recording.getEndStep(), 0) << "the recording has its end";
        EXPECT_TRUE(recording.hasEndDigest());
        EXPECT_FALSE(recording.getInputs().empty());
        EXPECT_FALSE(std::filesystem::exists(recording_file + ".tmp"));
    }
    // The display server gone.
    {
        e2e::PrivateXServer server;
        ASSERT_FALSE(server.display.empty()) << "no private X server";
        e2e::RunOptions options;
        options.display = server.display;
        GameProcess game(options);
        ASSERT_TRUE(
            e2e::waitUntil([&] { return game.logText().find("loop time") != std::string::npos; }, DEADLINE))
            << game.errorText();
        server.stop();
        EXPECT_EQ(game.waitForExit(DEADLINE), 1) << game.errorText();
        EXPECT_NE(game.errorText().find(std::string(DISPLAY_LOST) + " " + server.display), std::string::npos)
            << game.errorText();
        EXPECT_EQ(lastLine(game.logText()).find(std::string("Message: ") + DISPLAY_LOST), 0u)
            << lastLine(game.logText());
    }
}

} // namespace
