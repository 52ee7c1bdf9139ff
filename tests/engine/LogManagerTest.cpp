#include "zp/LogManager.h"

#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string logText()
{
    return zp::test::readFile("zephane.log");
}

std::vector<std::string> linesOf(const std::string& path)
{
    std::istringstream text(zp::test::readFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

// Each case starts and ends with the log shut down, at its usual size limit.
class LogManagerTest : public testing::Test {
protected:
    void SetUp() override { zp::LogManager::getInstance().shutDown(); }
    void TearDown() override
    {
        zp::LogManager& log = zp::LogManager::getInstance();
        log.shutDown();
        log.setFlush(false);
        log.setSizeLimit(zp::LOG_SIZE_LIMIT_DEFAULT);
        log.setLogFile(zp::LOGFILE_NAME);
    }
};

TEST_F(LogManagerTest, LineFormatAndCount)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    EXPECT_EQ(log.writeLog("loop time: %ld", 12L), 22);
    EXPECT_EQ(log.writeLog("%s and %d", "text", -3), 9 + 11);
    EXPECT_EQ(log.writeLog("%s", ""), 9);
    log.shutDown();
    EXPECT_EQ(logText(), "Message: loop time: 12\nMessage: text and -3\nMessage: \n");
}

TEST_F(LogManagerTest, FlushMakesEveryLineVisibleAtOnce)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    log.setFlush(true);
    log.writeLog("visible");
    EXPECT_EQ(logText(), "Message: visible\n");
}

TEST_F(LogManagerTest, RestartTruncates)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    log.writeLog("the first run writes a longer line than the second");
    ASSERT_EQ(log.startUp(), 0);
    log.writeLog("second run");
    log.shutDown();
    EXPECT_EQ(logText(), "Message: second run\n");
}

TEST_F(LogManagerTest, ShutDownTwiceIsSafeAndWritingWithoutAFileFails)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    EXPECT_EQ(log.writeLog("before start"), -1);
    ASSERT_EQ(log.startUp(), 0);
    EXPECT_TRUE(log.isStarted());
    log.shutDown();
    log.shutDown();
    EXPECT_FALSE(log.isStarted());
    EXPECT_EQ(log.writeLog("after shut-down"), -1);
    EXPECT_EQ(logText(), "");
}

TEST_F(LogManagerTest, StartFailsWhenTheFileCannotBeOpened)
{
    std::filesystem::create_directory("zephane.log"); // a folder where the file should be
    zp::LogManager& log = zp::LogManager::getInstance();
    EXPECT_EQ(log.startUp(), -1);
    EXPECT_EQ(log.writeLog("nowhere"), -1);
    EXPECT_EQ(log.getType(), "LogManager");
}

TEST_F(LogManagerTest, AFullFileMovesToTheRotatedNameAndANewOneBegins)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    const long limit = 1000;
    log.setSizeLimit(limit);
    ASSERT_EQ(log.startUp(), 0);
    // "Message: loop time: 1000" and its line break: 25 bytes a line.
    const int lines_written = 100;
    for (int i = 1000; i < 1000 + lines_written; ++i)
        log.writeLog("loop time: %d", i);
    log.shutDown();

    const std::vector<std::string> rotated = linesOf(zp::LOGFILE_ROTATED_NAME);
    const std::vector<std::string> current = linesOf(zp::LOGFILE_NAME);
    // Rotation happens at the end of the line that reaches the limit.
    EXPECT_EQ(std::filesystem::file_size(zp::LOGFILE_ROTATED_NAME), 1000u);
    EXPECT_LT(std::filesystem::file_size(zp::LOGFILE_NAME), 1000u);
    ASSERT_EQ(rotated.size(), 40u);
    ASSERT_EQ(current.size(), 20u);
    // Whole lines on both sides, the newest in the current file, none lost
    // between the two.
    EXPECT_EQ(rotated.front(), "Message: loop time: 1040");
    EXPECT_EQ(rotated.back(), "Message: loop time: 1079");
    EXPECT_EQ(current.front(), "Message: loop time: 1080");
    EXPECT_EQ(current.back(), "Message: loop time: 1099");
}

TEST_F(LogManagerTest, StartUpRemovesTheRotatedFileOfAnEarlierRun)
{
    zp::test::writeFile(zp::LOGFILE_ROTATED_NAME, "Message: an earlier run\n");
    zp::LogManager& log = zp::LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    EXPECT_FALSE(std::filesystem::exists(zp::LOGFILE_ROTATED_NAME));
}

TEST_F(LogManagerTest, BufferedLinesReachTheFileWithinASecond)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    log.writeLog("first");
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    log.writeLog("a second later");
    // Read while the file is still open: nothing was flushed by a close.
    EXPECT_EQ(logText(), "Message: first\nMessage: a second later\n");
}

TEST_F(LogManagerTest, ANamedLogFileIsOpenedFromTheNextStartUpOn)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    EXPECT_EQ(log.getLogFile(), "zephane.log");
    ASSERT_EQ(log.startUp(), 0);
    std::filesystem::create_directory("logs");
    log.setLogFile("logs/game.log");
    EXPECT_EQ(log.getLogFile(), "logs/game.log");
    log.writeLog("still the first file");
    ASSERT_EQ(log.startUp(), 0);
    log.writeLog("in the named file");
    log.shutDown();
    EXPECT_EQ(logText(), "Message: still the first file\n");
    EXPECT_EQ(zp::test::readFile("logs/game.log"), "Message: in the named file\n");

    log.setLogFile("no-such-folder/game.log");
    EXPECT_EQ(log.startUp(), -1);
}

TEST_F(LogManagerTest, ANamedLogFileRotatesBesideItself)
{
    zp::LogManager& log = zp::LogManager::getInstance();
    std::filesystem::create_directory("logs");
    log.setLogFile("logs/game.log");
    log.setSizeLimit(30);
    ASSERT_EQ(log.startUp(), 0);
    log.writeLog("loop time: 1000"); // 25 bytes with its prefix and line break
    log.writeLog("loop time: 1001"); // reaches the limit: rotated after it
    log.writeLog("loop time: 1002");
    log.shutDown();
    EXPECT_EQ(zp::test::readFile("logs/game.log.1"), "Message: loop time: 1000\nMessage: loop time: 1001\n");
    EXPECT_EQ(zp::test::readFile("logs/game.log"), "Message: loop time: 1002\n");
    EXPECT_FALSE(std::filesystem::exists(zp::LOGFILE_ROTATED_NAME));
}

} // namespace
