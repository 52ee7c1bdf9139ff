// The game ended from outside: an interrupt or a termination request ends
// the loop cleanly with the log whole, also on a machine without a sound
// device; a lost display is reported in the game's own words on standard
// error and in the log, after the recording is put in place.
#include "GameProcess.h"
#include "support/RunDir.h"
#include "support/Shell.h"

#include "zp/InputRecording.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

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

// An X server of the test's own, which the test can take away.
class PrivateXServer {
public:
    PrivateXServer()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            // Its outputs go nowhere, so it never holds a pipe of the test's.
            const int null = open("/dev/null", O_WRONLY);
            dup2(fds[1], 3);
            dup2(null, 1);
            dup2(null, 2);
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                   "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // The server writes its display number and a line break once it is ready.
        std::string number;
        pollfd ready{fds[0], POLLIN, 0};
        char ch = 0;
        while (number.find('\n') == std::string::npos && poll(&ready, 1, 20000) == 1 &&
               read(fds[0], &ch, 1) == 1)
            number += ch;
        if (number.find('\n') != std::string::npos)
            display = ":" + number.substr(0, number.find('\n'));
        close(fds[0]);
    }
    ~PrivateXServer() { stop(); }
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    void stop()
    {
        if (pid <= 0)
            return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }

    std::string display;

private:
    pid_t pid = -1;
};

TEST(Ending, AnInterruptOrTerminationEndsTheLoopWithTheLogWhole)
{
    const struct {
        int signal_number;
        const char* name;
    } stops[] = {{SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}};
    for (const auto& stop : stops) {
        SCOPED_TRACE(stop.name);
        GameProcess game;
        ASSERT_TRUE(game.waitForWindow(DEADLINE)) << game.errorText();
        // Well into the loop: the log has been flushed at least once.
        ASSERT_TRUE(
            e2e::waitUntil([&] { return game.logText().find("loop time") != std::string::npos; }, DEADLINE));
        game.signal(stop.signal_number);
        EXPECT_EQ(game.waitForExit(DEADLINE), 0) << game.errorText();
        EXPECT_EQ(lastLine(game.logText()), std::string("Message: Stopped by ") + stop.name +
                                                ": the game loop ended after a whole iteration");
    }
}

// Without a sound device every sound and music the game made reports errors
// of the audio library, also when it is destroyed at the program's end; the
// music streaming on its own thread, or a sound destroyed after the
// library's error stream, once crashed the game there.
TEST(Ending, WithoutASoundDeviceTheGameStillEndsCleanly)
{
    e2e::RunOptions options;
    options.environment = {{"ALSOFT_DRIVERS", "no-such-driver"}};
    GameProcess game(options);
    ASSERT_TRUE(game.waitForWindow(DEADLINE)) << game.errorText();
    ASSERT_TRUE(
        e2e::waitUntil([&] { return game.logText().find("loop time") != std::string::npos; }, DEADLINE));
    game.signal(SIGTERM);
    EXPECT_EQ(game.waitForExit(DEADLINE), 0) << game.errorText().substr(0, 3000);
    EXPECT_EQ(game.errorText().find("Sanitizer"), std::string::npos) << game.errorText().substr(0, 3000);
    EXPECT_NE(game.errorText().find("Failed to open the audio device"), std::string::npos)
        << "the run had a sound device after all";
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
        PrivateXServer server;
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
