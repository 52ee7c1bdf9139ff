#include "zp/LogManager.h"

#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string logText()
{
    return zp::test::readFile("zephane.log");
}

// Each case starts and ends with the log shut down.
class LogManagerTest : public testing::Test {
protected:
    void SetUp() override { zp::LogManager::getInstance().shutDown(); }
    void TearDown() override
    {
        zp::LogManager::getInstance().shutDown();
        zp::LogManager::getInstance().setLogFile(zp::LOGFILE_NAME);
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

} // namespace
