// The best results: their file's text both ways, what beats what, a file
// that cannot be read (moved aside, never lost) and a result that beats the
// best (written whole).
#include "progress/Records.h"

#include "progress/PlayerFiles.h"
#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const TWO_LEVELS = "cinderwatch-records 1\n"
                               "# a comment\n"
                               "best level 1 difficulty normal wave 8 enemies 43 steps 3955\n"
                               "\n"
                               "best level 3 difficulty hard wave 12 enemies 120 steps 9000\r\n"
                               "end\n";

// The files in the folder whose names start with `prefix`.
std::vector<fs::path> filesStarting(const fs::path& folder, const std::string& prefix)
{
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind(prefix, 0) == 0)
            found.push_back(entry.path());
    return found;
}

TEST(Records, TheFilesTextBothWays)
{
    Records::Table table;
    std::string error;
    ASSERT_EQ(Records::parse(TWO_LEVELS, table, error), 0) << error;
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table.at({1, "normal"}), (BestResult{8, 43, 3955}));
    EXPECT_EQ(table.at({3, "hard"}), (BestResult{12, 120, 9000}));

    Records::Table again;
    ASSERT_EQ(Records::parse(Records::format(table), again, error), 0) << error;
    EXPECT_EQ(again, table);
}

TEST(Records, TextsThatAreNotBestResultsSayWhereAndWhy)
{
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "the file is empty"},
        {"\n# only a comment\n", "the file is empty"},
        {"garbage \x01\x02\n", "line 1: not a file of best results"},
        {"cinderwatch-records 2\nend\n", "line 1: best results of version 2, from a newer Cinderwatch"},
        {"cinderwatch-records 1\nbest level 1 difficulty normal wave 8 enemies 43 steps 3955\n", "cut short"},
        {"cinderwatch-records 1\nbest level 1 difficulty normal wave 8 ene", "line 2: not a result"},
        {"cinderwatch-records 1\nbest level 0 difficulty normal wave 8 enemies 43 steps 1\nend\n",
         "line 2: a number or name out of range"},
        {"cinderwatch-records 1\nbest level 1 difficulty normal wave 99999999999 enemies 43 steps 1\nend\n",
         "line 2: a number or name out of range"},
        {"cinderwatch-records 1\nbest level 1 difficulty Normal! wave 8 enemies 43 steps 1\nend\n",
         "line 2: a number or name out of range"},
        {"cinderwatch-records 1\nbest level 1 difficulty normal wave -8 enemies 43 steps 1\nend\n",
         "line 2: a number or name out of range"},
        {"cinderwatch-records 1\nbest level 2 difficulty normal wave 1 enemies 1 steps 1\n"
         "best level 2 difficulty normal wave 2 enemies 1 steps 1\nend\n",
         "line 3: a second result for level 2"},
        {"cinderwatch-records 1\nend\nbest level 2 difficulty normal wave 1 enemies 1 steps 1\n",
         "line 3: nothing may follow"},
        {"cinderwatch-records 1\n# " + std::string(5000, 'x') + "\nend\n", "line 2: the line is too long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        Records::Table table;
        std::string error;
        EXPECT_EQ(Records::parse(c.text, table, error), -1);
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(Records, TheFurtherWaveWinsThenMoreEnemiesThenTheShorterGame)
{
    const BestResult best{8, 43, 3955};
    EXPECT_TRUE((BestResult{9, 1, 99999}).beats(best));
    EXPECT_TRUE((BestResult{8, 44, 99999}).beats(best));
    EXPECT_TRUE((BestResult{8, 43, 3954}).beats(best));
    EXPECT_FALSE(best.beats(best));
    EXPECT_FALSE((BestResult{8, 43, 3956}).beats(best));
    EXPECT_FALSE((BestResult{7, 99, 1}).beats(best));
}

TEST(Records, AResultThatBeatsTheBestIsWrittenWholeAndReadBack)
{
    const std::string path = zp::test::runDir() + "/player/records";
    Records records(path);
    std::vector<std::string> problems;
    records.load(problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(records.best(1, DIFFICULTY_DEFAULT), nullptr);
    EXPECT_FALSE(fs::exists(path)) << "nothing is written before a game ends";

    std::string error;
    EXPECT_TRUE(records.offer(1, DIFFICULTY_DEFAULT, {5, 20, 2000}, error)) << "the first result is the best";
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_FALSE(records.offer(1, DIFFICULTY_DEFAULT, {4, 90, 100}, error));
    EXPECT_TRUE(records.offer(1, DIFFICULTY_DEFAULT, {6, 25, 2500}, error));
    EXPECT_TRUE(records.offer(2, DIFFICULTY_DEFAULT, {3, 5, 700}, error));
    EXPECT_FALSE(fs::exists(path + ".tmp"));

    Records again(path);
    again.load(problems);
    EXPECT_TRUE(problems.empty());
    ASSERT_NE(again.best(1, DIFFICULTY_DEFAULT), nullptr);
    EXPECT_EQ(*again.best(1, DIFFICULTY_DEFAULT), (BestResult{6, 25, 2500}));
    ASSERT_NE(again.best(2, DIFFICULTY_DEFAULT), nullptr);
    EXPECT_EQ(again.best(2, "hard"), nullptr);
}

// An unreadable file is moved aside whole, named, and the results begin
// afresh; the next result written does not touch the file moved aside.
TEST(Records, AFileThatCannotBeReadIsMovedAsideAndAFreshOneBegins)
{
    const fs::path folder = fs::path(zp::test::runDir()) / "player";
    fs::create_directories(folder);
    const std::string path = (folder / "records").string();
    const std::string broken = "cinderwatch-records 1\nbest level 1 difficulty normal wave 8 ene";
    zp::test::writeFile(path, broken);

    Records records(path);
    std::vector<std::string> problems;
    records.load(problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(path), std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find("records.bad-"), std::string::npos) << problems[0];
    EXPECT_EQ(records.best(1, DIFFICULTY_DEFAULT), nullptr);
    EXPECT_FALSE(fs::exists(path));
    const std::vector<fs::path> aside = filesStarting(folder, "records.bad-");
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(zp::test::readFile(aside[0].string()), broken);

    std::string error;
    EXPECT_TRUE(records.offer(1, DIFFICULTY_DEFAULT, {2, 3, 400}, error));
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_EQ(zp::test::readFile(aside[0].string()), broken);
    Records::Table table;
    EXPECT_EQ(Records::parse(zp::test::readFile(path), table, error), 0) << error;

    // A second broken file the same second gets a name of its own.
    zp::test::writeFile(path, "garbage");
    Records second(path);
    second.load(problems);
    EXPECT_EQ(filesStarting(folder, "records.bad-").size(), 2u);
}

TEST(Records, InMemoryOnlyWithoutAFile)
{
    Records records;
    std::vector<std::string> problems;
    records.load(problems);
    std::string error;
    EXPECT_TRUE(records.offer(1, DIFFICULTY_DEFAULT, {2, 3, 400}, error));
    EXPECT_TRUE(error.empty());
    ASSERT_NE(records.best(1, DIFFICULTY_DEFAULT), nullptr);
}

} // namespace
