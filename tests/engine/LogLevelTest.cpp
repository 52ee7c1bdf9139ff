// Log levels: by default the log is what it always was (every line, the
// loop's two timing lines a frame among them); a game raises the log's level
// or lowers the timing lines to keep it short.
#include "support/EngineFixture.h"
#include "support/RunDir.h"

#include "zp/GameManager.h"
#include "zp/LogManager.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> logLines()
{
    std::istringstream text(zp::test::readFile("zephane.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

class LogLevelTest : public zp::test::EngineFixture {
protected:
    LogLevelTest() : EngineFixture(zp::test::Screen::HEADLESS) {}

    void TearDown() override
    {
        log.setLogLevel(zp::LOG_LEVEL_DEFAULT);
        log.setTimingLevel(zp::LOG_INFO);
        zp::GameManager::getInstance().shutDown();
        EngineFixture::TearDown();
    }

    zp::LogManager& log = zp::LogManager::getInstance();
};

TEST_F(LogLevelTest, ByDefaultEveryLineIsWrittenAsBeforeWithTwoTimingLinesAFrame)
{
    EXPECT_EQ(log.getLogLevel(), zp::LOG_INFO);
    EXPECT_EQ(log.getTimingLevel(), zp::LOG_INFO);
    log.writeLog("plain %d", 1);
    zp::GameManager::getInstance().frame();
    log.writeLog(zp::LOG_WARNING, "warned %d", 2);
    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 4u) << zp::test::readFile("zephane.log");
    EXPECT_EQ(lines[0], "Message: plain 1");
    EXPECT_EQ(lines[1].rfind("Message: draw time: ", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2].rfind("Message: loop time: ", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3], "Message: warned 2") << "a level is not shown in the line";
}

TEST_F(LogLevelTest, TheLogsLevelAndTheTimingLevelDecideWhatIsWritten)
{
    const struct {
        zp::LogLevel log_level;
        zp::LogLevel timing_level;
        int timing_lines; // of one frame
        bool debug, info, warning, error;
    } cases[] = {
        {zp::LOG_INFO, zp::LOG_INFO, 2, false, true, true, true},
        {zp::LOG_INFO, zp::LOG_DEBUG, 0, false, true, true, true},
        {zp::LOG_INFO, zp::LOG_OFF, 0, false, true, true, true},
        {zp::LOG_DEBUG, zp::LOG_DEBUG, 2, true, true, true, true},
        {zp::LOG_DEBUG, zp::LOG_OFF, 0, true, true, true, true},
        {zp::LOG_WARNING, zp::LOG_INFO, 0, false, false, true, true},
        {zp::LOG_ERROR, zp::LOG_ERROR, 2, false, false, false, true},
        {zp::LOG_OFF, zp::LOG_ERROR, 0, false, false, false, false},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(log.startUp(), 0);
        log.setFlush(true);
        log.setLogLevel(c.log_level);
        log.setTimingLevel(c.timing_level);
        zp::GameManager::getInstance().frame();
        EXPECT_EQ(log.writeLog(zp::LOG_DEBUG, "debug"), c.debug ? 14 : 0);
        log.writeLog("info");
        log.writeLog(zp::LOG_WARNING, "warning");
        log.writeLog(zp::LOG_ERROR, "error");

        int timing = 0;
        std::vector<std::string> others;
        for (const std::string& line : logLines()) {
            if (line.find(" time: ") != std::string::npos)
                ++timing;
            else
                others.push_back(line);
        }
        std::vector<std::string> expected;
        for (const auto& [wanted, text] : {std::pair{c.debug, "debug"}, std::pair{c.info, "info"},
                                           std::pair{c.warning, "warning"}, std::pair{c.error, "error"}})
            if (wanted)
                expected.push_back(std::string("Message: ") + text);
        const std::string label =
            "log level " + std::to_string(c.log_level) + ", timing level " + std::to_string(c.timing_level);
        EXPECT_EQ(timing, c.timing_lines) << label;
        EXPECT_EQ(others, expected) << label;
    }
}

} // namespace
