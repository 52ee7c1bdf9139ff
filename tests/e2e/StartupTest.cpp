// The real program, started as a player would start it.
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "support/RunDir.h"

namespace fs = std::filesystem;

namespace {

const std::string GAME = std::string(ZP_BUILD_DIR) + "/cinderwatch";
const auto POLL_INTERVAL = std::chrono::milliseconds(200);

// Starts the game in `folder`, its standard error going to `err_file`.
pid_t startGame(const std::string& folder, const std::string& err_file)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0 || freopen(err_file.c_str(), "w", stderr) == nullptr)
            _exit(127);
        execl(GAME.c_str(), GAME.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

// The exit status of a finished game, or -1 if it did not end in time.
int waitForExit(pid_t pid, std::chrono::seconds limit, const std::string& key_command = "")
{
    const auto give_up = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < give_up) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (!key_command.empty()) {
            // Fails quietly while the window is not there yet.
            const int key_status = std::system(key_command.c_str());
            static_cast<void>(key_status);
        }
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return -1;
}

TEST(Startup, FailedStartReportsAndExitsNonZero)
{
    // No font here and no data beside it: the engine cannot start.
    const fs::path folder = fs::path(zp::test::runDir()) / "nofont" / "run";
    fs::create_directories(folder);
    const std::string err_file = (folder / "stderr.txt").string();

    const int status = waitForExit(startGame(folder.string(), err_file), std::chrono::seconds(60));
    EXPECT_NE(status, 0);
    EXPECT_NE(status, -1) << "the game did not end";

    const std::string err = zp::test::readFile(err_file);
    EXPECT_NE(err.find("Error starting game manager!"), std::string::npos) << err;
    EXPECT_NE(err.find("zp-font.ttf"), std::string::npos) << err;
    EXPECT_NE(err.find("../GameData/"), std::string::npos) << err;
    // One line and nothing else: no resource was even tried.
    EXPECT_EQ(zp::test::readFile((folder / "zephane.log").string()), "Message: Error starting game manager!\n");
}

TEST(Startup, GameStartsAndQuitsFromTheMenu)
{
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdotool is needed to press keys";
    // The run folder has the font and ../GameData, like the build folder.
    const std::string err_file = zp::test::runDir() + "/stderr.txt";
    const pid_t pid = startGame(zp::test::runDir(), err_file);
    // Q does nothing on the splash screen; it is pressed until the menu takes it.
    const std::string press_q =
        "xdotool search --name '^Zephane$' windowfocus --sync key q >/dev/null 2>&1";
    EXPECT_EQ(waitForExit(pid, std::chrono::seconds(90), press_q), 0);

    const std::string log = zp::test::readFile(zp::test::runDir() + "/zephane.log");
    EXPECT_NE(log.find("Message: loop time: "), std::string::npos);
    EXPECT_EQ(log.find("Could not find"), std::string::npos) << log.substr(0, 2000);
    EXPECT_EQ(log.find("not loaded"), std::string::npos) << log.substr(0, 2000);
    EXPECT_EQ(log.find("Error starting"), std::string::npos);
}

} // namespace
