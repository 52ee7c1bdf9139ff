#include "level/LevelManager.h"

#include "GameFixture.h"
#include "level/Level.h"
#include "support/RunDir.h"

#include "zp/GraphicsManager.h"
#include "zp/LineReader.h"
#include "zp/Object.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include <sys/stat.h>

using zp::Position;
using zp::test::fixture;

namespace zp {
void PrintTo(const Position& pos, std::ostream* os)
{
    *os << "(" << pos.getX() << ", " << pos.getY() << ")";
}
} // namespace zp

namespace {

std::string levelFixture(const std::string& name)
{
    return fixture("levels/" + name);
}

class LevelFiles : public zp::test::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();

        zp::ResourceManager& resources = zp::ResourceManager::getInstance();
        ASSERT_EQ(resources.loadSprite(levelFixture("BlockHorizontal.txt"), "BlockHorizontal"), 0);
        ASSERT_EQ(resources.loadSprite(levelFixture("BlockVertical.txt"), "BlockVertical"), 0);
    }
    // The blocks go with the case: the world's lists are not kept at exit.
    void TearDown() override { zp::WorldManager::getInstance().shutDown(); }

    static int load(const std::string& level, const std::string& path)
    {
        return LevelManager::getInstance().loadLevel(levelFixture(level), levelFixture(path));
    }

    static Level* current() { return LevelManager::getInstance().getLevel(); }

    static std::vector<zp::Object*> blocks()
    {
        std::vector<zp::Object*> found;
        for (zp::ObjectListIterator it(&current()->getBlocks()); !it.isDone(); it.next())
            found.push_back(it.currentObject());
        return found;
    }

    static int worldCount() { return zp::WorldManager::getInstance().getAllObjects().getCount(); }
};

TEST_F(LevelFiles, NoLevelBeforeTheFirstHeader)
{
    EXPECT_EQ(current(), nullptr);
}

TEST_F(LevelFiles, GoodLevelGivesHeaderBlocksAndPath)
{
    ASSERT_EQ(load("level-good.txt", "path-good.txt"), 0);
    Level* level = current();
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->getName(), "Test Track");
    EXPECT_EQ(level->getDescription(), "Three blocks along row 5");
    EXPECT_EQ(level->getSizeX(), 80);
    EXPECT_EQ(level->getSizeY(), 24);
    EXPECT_EQ(level->getEnemyStartX(), 2);
    EXPECT_EQ(level->getEnemyStartY(), 5);
    EXPECT_EQ(level->getTreasureX(), 10);
    EXPECT_EQ(level->getTreasureY(), 7);
    EXPECT_EQ(level->getPath(),
              (std::vector<Position>{Position(2, 5), Position(3, 5), Position(4, 5), Position(4, 6)}));
}

TEST_F(LevelFiles, BlocksArePlainSoftWorldObjectsWithTheirSprite)
{
    ASSERT_EQ(load("level-good.txt", "path-good.txt"), 0);
    const std::vector<zp::Object*> placed = blocks();
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(worldCount(), 3);

    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    struct Expected {
        Position pos;
        const char* label;
        int width;
        int height;
    };
    const Expected expected[] = {
        {Position(2, 5), "BlockHorizontal", 3, 1},
        {Position(5, 5), "BlockHorizontal", 3, 1},
        {Position(8, 5), "BlockVertical", 1, 2},
    };
    for (size_t i = 0; i < placed.size(); ++i) {
        SCOPED_TRACE(i);
        const zp::Object* block = placed[i];
        EXPECT_EQ(block->getPosition(), expected[i].pos);
        EXPECT_EQ(block->getSprite(), resources.getSprite(expected[i].label));
        EXPECT_EQ(block->getBox().getHorizontal(), expected[i].width);
        EXPECT_EQ(block->getBox().getVertical(), expected[i].height);
        EXPECT_EQ(block->getSolidness(), zp::SOFT);
        EXPECT_EQ(block->getType(), "");
        EXPECT_FALSE(block->getSpriteCenter());
        EXPECT_EQ(block->getSpriteSlowdown(), 0);
    }
    // One label used twice still gives two objects.
    EXPECT_NE(placed[0], placed[1]);
}

// Every row of the failure table, each on its own small file.
struct LoadCase {
    const char* name;
    const char* level_file;
    const char* path_file;
    int result;
    bool has_level;
    int blocks;
    std::vector<Position> path;
    // The log line that names the file and what was wrong with it ("{level}"
    // and "{path}" stand for the files' names), or none.
    const char* log;
};

const std::vector<Position> GOOD_PATH = {Position(2, 5), Position(3, 5), Position(4, 5), Position(4, 6)};

const LoadCase LOAD_CASES[] = {
    {"MissingLevelFile",
     "no-such-level.txt",
     "path-good.txt",
     -1,
     false,
     0,
     {},
     "Level file {level}: not found"},
    {"HeaderWithoutEnd",
     "level-header-no-end.txt",
     "path-good.txt",
     -1,
     false,
     0,
     {},
     "Level file {level}: the header is not closed by \"end\""},
    {"HeaderEndWithTrailingBlank",
     "level-header-end-blank.txt",
     "path-good.txt",
     -1,
     false,
     0,
     {},
     "Level file {level}: the header is not closed by \"end\""},
    {"BlockRecordWithoutEnd",
     "level-block-no-end.txt",
     "path-good.txt",
     -1,
     true,
     1,
     {},
     "Level file {level}: block 2 is not closed by \"end\""},
    {"LevelWithoutEof",
     "level-no-eof.txt",
     "path-good.txt",
     -1,
     true,
     3,
     {},
     "Level file {level}: no \"eof\" after 3 blocks"},
    {"EofWithTrailingBlank",
     "level-eof-blank.txt",
     "path-good.txt",
     -1,
     true,
     3,
     {},
     "Level file {level}: no \"eof\" after 3 blocks"},
    {"MissingPathFile",
     "level-good.txt",
     "no-such-path.txt",
     0,
     true,
     3,
     {},
     "Path file {path}: not found; the level has no path"},
    {"PathHeaderWithoutEnd",
     "level-good.txt",
     "path-header-no-end.txt",
     -1,
     true,
     3,
     {},
     "Path file {path}: the header is not closed by \"end\""},
    {"PathPointWithoutEndKeepsPointsRead",
     "level-good.txt",
     "path-point-no-end.txt",
     -1,
     true,
     3,
     {Position(2, 5), Position(3, 5), Position(4, 5)},
     "Path file {path}: point 3 is not closed by \"end\""},
    {"PathEndWithTrailingBlank",
     "level-good.txt",
     "path-end-blank.txt",
     -1,
     true,
     3,
     {Position(2, 5)},
     "Path file {path}: point 1 is not closed by \"end\""},
    {"PathWithoutEofKeepsAllPoints", "level-good.txt", "path-no-eof.txt", -1, true, 3, GOOD_PATH,
     "Path file {path}: no \"eof\" after 4 points"},
    {"PathWrongKeywordGivesMinusOne",
     "level-good.txt",
     "path-wrong-keyword.txt",
     0,
     true,
     3,
     {Position(2, 5), Position(-1, 5), Position(4, 5), Position(4, 6)},
     ""},
    {"NoBlocksAtAll", "level-empty.txt", "path-short.txt", 0, true, 0, {Position(1, 2), Position(2, 2)}, ""},
    {"CrLfLineEnds", "level-crlf.txt", "path-crlf.txt", 0, true, 3, GOOD_PATH, ""},
};

class LevelLoad : public LevelFiles, public testing::WithParamInterface<LoadCase> {};

TEST_P(LevelLoad, ResultAndWhatSurvives)
{
    const LoadCase& c = GetParam();
    EXPECT_EQ(load(c.level_file, c.path_file), c.result);
    std::string line = c.log;
    for (const auto& [name, file] : {std::pair("{level}", c.level_file), std::pair("{path}", c.path_file)})
        if (const size_t at = line.find(name); at != std::string::npos)
            line.replace(at, std::string(name).size(), levelFixture(file));
    EXPECT_EQ(zp::test::readFile("zephane.log"), line.empty() ? "" : "Message: " + line + "\n");
    ASSERT_EQ(current() != nullptr, c.has_level);
    // Blocks made before a failure stay in the world.
    EXPECT_EQ(worldCount(), c.blocks);
    if (!c.has_level)
        return;
    EXPECT_EQ(current()->getBlocks().getCount(), c.blocks);
    EXPECT_EQ(current()->getPath(), c.path);
}

INSTANTIATE_TEST_SUITE_P(FailureTable, LevelLoad, testing::ValuesIn(LOAD_CASES),
                         [](const testing::TestParamInfo<LoadCase>& param_info) {
                             return param_info.param.name;
                         });

// A file with one line changed, for the cases below.
std::string withLine(const std::string& fixture_name, int line_number, const std::string& line,
                     const std::string& name)
{
    const std::string text = zp::test::readFile(levelFixture(fixture_name));
    size_t start = 0;
    for (int i = 1; i < line_number; ++i)
        start = text.find('\n', start) + 1;
    const size_t end = text.find('\n', start);
    return zp::test::writeFile(name, text.substr(0, start) + line + text.substr(end));
}

#ifndef _WIN32 // FIFOs as POSIX has them
// What is not a text file is refused like a missing file, and a line the
// reader refuses (too long, a NUL byte) like a broken one at that line:
// nothing waits, nothing grows, and the log names the file and the line.
TEST_F(LevelFiles, FilesThatAreNotTextAreRefusedWithTheFileAndLineNamed)
{
    const std::string fifo = zp::test::runDir() + "/fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string nul_in_header = withLine("level-good.txt", 3,
                                               std::string("size_x 8\0"
                                                           "0",
                                                           10),
                                               "nul-in-header.txt");
    const std::string long_name =
        withLine("level-good.txt", 1, "name " + std::string(zp::MAX_LINE_BYTES, 'x'), "long-name.txt");
    const std::string nul_in_block =
        withLine("level-good.txt", 16, std::string("pos_x\0 5", 8), "nul-in-block.txt");
    const std::string nul_in_point =
        withLine("path-good.txt", 7, std::string("pos_y 5\0", 8), "nul-in-point.txt");
    const std::string long_point =
        withLine("path-good.txt", 3, "pos_x 2" + std::string(zp::MAX_LINE_BYTES, ' '), "long-point.txt");
    const std::string good_level = levelFixture("level-good.txt");
    const std::string good_path = levelFixture("path-good.txt");
    const std::string nul = "the line holds a NUL byte; the file is refused";
    const std::string too_long =
        "the line is longer than " + std::to_string(zp::MAX_LINE_BYTES) + " bytes; the file is refused";
    const struct {
        const char* name;
        std::string level_file;
        std::string path_file;
        int result;
        bool has_level;
        int blocks;
        std::vector<Position> path;
        std::string log;
    } cases[] = {
        {"LevelIsAFifo", fifo, good_path, -1, false, 0, {}, "Level file " + fifo + ": not a regular file"},
        {"LevelIsADevice",
         "/dev/zero",
         good_path,
         -1,
         false,
         0,
         {},
         "Level file /dev/zero: not a regular file"},
        {"LevelIsAFolder",
         zp::test::runDir(),
         good_path,
         -1,
         false,
         0,
         {},
         "Level file " + zp::test::runDir() + ": not a regular file"},
        {"NulInTheHeader",
         nul_in_header,
         good_path,
         -1,
         false,
         0,
         {},
         "Level file " + nul_in_header + ":3: " + nul},
        {"LineTooLong",
         long_name,
         good_path,
         -1,
         false,
         0,
         {},
         "Level file " + long_name + ":1: " + too_long},
        {"NulInTheSecondBlock",
         nul_in_block,
         good_path,
         -1,
         true,
         1,
         {},
         "Level file " + nul_in_block + ":16: " + nul},
        {"PathIsAFifo",
         good_level,
         fifo,
         0,
         true,
         3,
         {},
         "Path file " + fifo + ": not a regular file; the level has no path"},
        {"PathIsADevice",
         good_level,
         "/dev/zero",
         0,
         true,
         3,
         {},
         "Path file /dev/zero: not a regular file; the level has no path"},
        {"NulInTheSecondPoint",
         good_level,
         nul_in_point,
         -1,
         true,
         3,
         {Position(2, 5)},
         "Path file " + nul_in_point + ":7: " + nul},
        {"PathLineTooLong",
         good_level,
         long_point,
         -1,
         true,
         3,
         {},
         "Path file " + long_point + ":3: " + too_long},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zp::WorldManager::getInstance().shutDown();
        ASSERT_EQ(zp::WorldManager::getInstance().startUp(), 0);
        LevelManager::getInstance().shutDown();
        EXPECT_EQ(LevelManager::getInstance().loadLevel(c.level_file, c.path_file), c.result);
        EXPECT_EQ(zp::test::logTail(1), "Message: " + c.log + "\n");
        ASSERT_EQ(current() != nullptr, c.has_level);
        EXPECT_EQ(worldCount(), c.blocks);
        if (c.has_level) {
            EXPECT_EQ(current()->getPath(), c.path);
        }
    }
}
#endif

TEST_F(LevelFiles, FailedHeaderKeepsThePreviousLevel)
{
    ASSERT_EQ(load("level-good.txt", "path-good.txt"), 0);
    Level* before = current();
    for (const char* broken : {"level-header-no-end.txt", "no-such-level.txt"}) {
        SCOPED_TRACE(broken);
        EXPECT_EQ(load(broken, "path-short.txt"), -1);
        EXPECT_EQ(current(), before);
        EXPECT_EQ(current()->getName(), "Test Track");
        EXPECT_EQ(current()->getPath(), GOOD_PATH);
    }
    EXPECT_EQ(worldCount(), 3);
}

TEST_F(LevelFiles, NextLevelReplacesTheCurrentOne)
{
    ASSERT_EQ(load("level-good.txt", "path-good.txt"), 0);
    ASSERT_EQ(load("level-empty.txt", "path-short.txt"), 0);
    const Level* level = current();
    EXPECT_EQ(level->getName(), "Bare");
    EXPECT_EQ(level->getEnemyStartX(), 1);
    EXPECT_EQ(level->getEnemyStartY(), 2);
    EXPECT_EQ(level->getTreasureX(), 3);
    EXPECT_EQ(level->getTreasureY(), 4);
    EXPECT_EQ(level->getPath(), (std::vector<Position>{Position(1, 2), Position(2, 2)}));
    EXPECT_EQ(level->getBlocks().getCount(), 0);
}

TEST_F(LevelFiles, WrongKeywordsGiveMinusOneAndReadingGoesOn)
{
    ASSERT_EQ(load("level-wrong-keyword.txt", "path-good.txt"), 0);
    const Level* level = current();
    // A text line's keyword is not compared: its value starts after as many
    // characters as "name" has, plus one.
    EXPECT_EQ(level->getName(), " Odd One");
    EXPECT_EQ(level->getSizeX(), -1);
    EXPECT_EQ(level->getTreasureY(), -1);
    EXPECT_EQ(level->getSizeY(), 24);
    EXPECT_EQ(level->getBlocks().getCount(), 3);
}

TEST_F(LevelFiles, UnknownLabelsAndBareKeywordsGiveBlocksWithoutSprite)
{
    // "Nonexistent", "BlockVertical " (trailing blank) and a bare "block".
    ASSERT_EQ(load("level-odd-labels.txt", "path-good.txt"), 0);
    const Level* level = current();
    EXPECT_EQ(level->getName(), "");
    EXPECT_EQ(level->getDescription(), "");
    const std::vector<zp::Object*> placed = blocks();
    ASSERT_EQ(placed.size(), 3u);
    for (size_t i = 0; i < placed.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(placed[i]->getSprite(), nullptr);
        EXPECT_EQ(placed[i]->getPosition(), Position(int(i) + 1, int(i) + 1));
        EXPECT_EQ(placed[i]->getSolidness(), zp::SOFT);
    }
    // Without a sprite a block draws nothing and does not fail.
    zp::WorldManager::getInstance().draw();
}

TEST_F(LevelFiles, ShutDownReleasesTheLevel)
{
    ASSERT_EQ(load("level-good.txt", "path-good.txt"), 0);
    LevelManager& manager = LevelManager::getInstance();
    manager.shutDown();
    EXPECT_EQ(manager.getLevel(), nullptr);
    EXPECT_FALSE(manager.isStarted());
    EXPECT_EQ(manager.startUp(), 0);
    EXPECT_EQ(manager.getType(), "LevelManager");
    // The blocks belong to the world, not to the level.
    EXPECT_EQ(worldCount(), 3);
}

// Found by the level fuzzer: blocks at the ends of the number range. They are
// placed at the coordinate limit, and the world moves,
// collides and draws them like any other, showing only what is on the board.
TEST_F(LevelFiles, BlocksAtTheEndsOfTheNumberRangeAreOrdinaryBlocks)
{
    ASSERT_EQ(load("level-block-far-away.txt", "path-good.txt"), 0);
    const std::vector<zp::Object*> placed = blocks();
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0]->getPosition(), Position(zp::MAX_COORDINATE, 3));
    EXPECT_EQ(placed[1]->getPosition(), Position(-zp::MAX_COORDINATE, -zp::MAX_COORDINATE));
    EXPECT_EQ(placed[2]->getPosition(), Position(2, 5));

    zp::WorldManager& world = zp::WorldManager::getInstance();
    world.update();
    world.draw();
    EXPECT_EQ(worldCount(), 3);
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    EXPECT_EQ(graphics.drawnRow(5).substr(2, 3), "===");
    for (int row : {0, 3, 23})
        EXPECT_EQ(graphics.drawnRow(row), std::string(80, ' ')) << row;
}

// A level file of `count` blocks, all on one cell.
std::string writeCrowdedLevel(const std::string& name, int count)
{
    std::string text = "name Crowded\ndescription Blocks on blocks\nsize_x 80\nsize_y 24\nblock_count " +
                       std::to_string(count) +
                       "\nenemy_start_x 2\nenemy_start_y 5\ntreasure_x 10\ntreasure_y 7\nend\n";
    for (int i = 0; i < count; ++i)
        text += "block BlockHorizontal\npos_x 2\npos_y 5\nend\n";
    return zp::test::writeFile(name, text + "eof\n");
}

// Blocks must leave the world room for play's own objects; a level that asks
// for more is refused whole, with a log line that names it and the count.
TEST_F(LevelFiles, ALevelWhoseBlocksWouldNotFitIsRefusedWhole)
{
    const int free_world_room = zp::MAX_OBJECTS - 1 - PLAY_OBJECTS_RESERVE; // 3999
    ASSERT_EQ(load("level-empty.txt", "path-short.txt"), 0);
    Level* before = current();
    const struct {
        const char* name;
        int already_in_world;
        std::string level_file;
        int blocks;
    } cases[] = {
        {"one block too many", 0, writeCrowdedLevel("too-many.txt", free_world_room + 1),
         free_world_room + 1},
        {"a count far beyond the records", 0, levelFixture("level-huge-block-count.txt"), 2000000000},
        {"too many beside what the world holds", 10, writeCrowdedLevel("crowded.txt", free_world_room - 9),
         free_world_room - 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zp::WorldManager::getInstance().shutDown();
        ASSERT_EQ(zp::WorldManager::getInstance().startUp(), 0);
        for (int i = 0; i < c.already_in_world; ++i)
            new zp::Object;
        const int room = free_world_room - c.already_in_world;

        EXPECT_EQ(LevelManager::getInstance().loadLevel(c.level_file, levelFixture("path-good.txt")), -1);
        EXPECT_EQ(current(), before);
        EXPECT_EQ(worldCount(), c.already_in_world);
        EXPECT_EQ(zp::test::logTail(1), "Message: Level file " + c.level_file + ": " +
                                            std::to_string(c.blocks) +
                                            " blocks do not fit in the world (room for " +
                                            std::to_string(room) + "); level refused\n");
    }

    // Exactly as many as there is room for: every block is placed.
    zp::WorldManager::getInstance().shutDown();
    ASSERT_EQ(zp::WorldManager::getInstance().startUp(), 0);
    ASSERT_EQ(LevelManager::getInstance().loadLevel(writeCrowdedLevel("full.txt", free_world_room),
                                                    levelFixture("path-good.txt")),
              0);
    EXPECT_EQ(current()->getBlocks().getCount(), free_world_room);
    EXPECT_EQ(worldCount(), free_world_room);
}

TEST_F(LevelFiles, CoordinatesBeyondTheLimitAreClampedAndLogged)
{
    const std::string level = zp::test::writeFile(
        "far.txt", "name Far\ndescription far away\nsize_x 2147483647\nsize_y 24\nblock_count 1\n"
                   "enemy_start_x -2147483648\nenemy_start_y 3\ntreasure_x 5\ntreasure_y 99999999\nend\n"
                   "block BlockHorizontal\npos_x 2147483647\npos_y -16777216\nend\neof\n");
    const std::string path =
        zp::test::writeFile("far-path.txt", "block_count 1\nend\npos_x 16777217\npos_y 4\nend\neof\n");
    ASSERT_EQ(LevelManager::getInstance().loadLevel(level, path), 0);
    const Level* p_level = current();
    ASSERT_NE(p_level, nullptr);
    EXPECT_EQ(p_level->getEnemyStartX(), -zp::MAX_COORDINATE);
    EXPECT_EQ(p_level->getTreasureY(), zp::MAX_COORDINATE);
    ASSERT_EQ(p_level->getPath().size(), 1u);
    EXPECT_EQ(p_level->getPath()[0], zp::Position(zp::MAX_COORDINATE, 4));
    ASSERT_EQ(blocks().size(), 1u);
    EXPECT_EQ(blocks()[0]->getPosition(), zp::Position(zp::MAX_COORDINATE, -zp::MAX_COORDINATE));

    const std::string log = zp::test::readFile("zephane.log");
    for (const char* line : {"size_x 2147483647 out of range, taken as 16777216",
                             "enemy_start_x -2147483648 out of range, taken as -16777216",
                             "treasure_y 99999999 out of range, taken as 16777216",
                             "pos_x 2147483647 out of range, taken as 16777216",
                             "pos_x 16777217 out of range, taken as 16777216"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
    EXPECT_EQ(log.find("pos_y -16777216"), std::string::npos) << "the limit itself is in range";

    // The world moves and draws the far block without overflowing its box.
    zp::WorldManager::getInstance().update();
    zp::WorldManager::getInstance().draw();
}

} // namespace
