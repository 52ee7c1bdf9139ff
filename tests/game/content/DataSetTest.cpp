// The shipped data set under GameData/, read through the game's own loaders:
// every file loads, every sprite has the frames and the size that the game's
// use of it needs, and every level's path leads cell by cell from the enemy
// start to the treasure over a track that keeps clear of the counters and
// the buy panels.
#include "GameFixture.h"
#include "content/Resources.h"
#include "level/Level.h"
#include "level/LevelManager.h"

#include "zp/Object.h"
#include "zp/ObjectListIterator.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

namespace {

const int BOARD_W = 80;
const int BOARD_H = 24;
const int COUNTER_ROWS = 3;  // the counters and their borders: rows 0 .. 2
const int PANEL_X = 64;      // buy panels: columns 64 .. 79,
const int PANEL_BOTTOM = 17; // rows 0 .. 17

struct SpriteUse {
    const char* label;
    const char* file;
    int min_frames;
    int max_frames;
    int max_width;
    int max_height;
    const char* why;
};

// What the game does with each sprite decides its frames and its size.
const SpriteUse SPRITES[] = {
    {"splashscreen", "../GameData/SplashScreen/SplashScreen.txt", 1, 1000, 80, 24,
     "frame 0 fills at most the board from (0,0)"},
    {"menu", "../GameData/Menu/Menu.txt", 1, 1000, 72, 10,
     "frame 0 at (8,0), above the menu text that starts on row 10"},
    {"gameover", "../GameData/GameOver/GameOver.txt", 1, 1000, 68, 6,
     "frame 0 at (12,0), above the notice on row 6"},
    {"BlockVertical", "../GameData/Levels/Blocks/BlockVertical.txt", 1, 1000, 80, 21, "track piece"},
    {"BlockHorizontal", "../GameData/Levels/Blocks/BlockHorizontal.txt", 1, 1000, 80, 21, "track piece"},
    {"BlockRightAngleLeft", "../GameData/Levels/Blocks/BlockRightAngleLeft.txt", 1, 1000, 80, 21,
     "track piece"},
    {"BlockRightAngleLeftB", "../GameData/Levels/Blocks/BlockRightAngleLeftB.txt", 1, 1000, 80, 21,
     "track piece"},
    {"BlockRightAngleRight", "../GameData/Levels/Blocks/BlockRightAngleRight.txt", 1, 1000, 80, 21,
     "track piece"},
    {"BlockRightAngleUp", "../GameData/Levels/Blocks/BlockRightAngleUp.txt", 1, 1000, 80, 21, "track piece"},
    {"BlockRightAngleDown", "../GameData/Levels/Blocks/BlockRightAngleDown.txt", 1, 1000, 80, 21,
     "track piece"},
    {"gatling-select", "../GameData/Sprites/Turrets/Gatling/gatling-info-spr.txt", 2, 2, 16, 6,
     "buy panel: idle and purchase started, in a 16 x 6 slot"},
    {"gatling-build", "../GameData/Sprites/Turrets/Gatling/gatling-build-spr.txt", 3, 3, 80, 21,
     "build cursor: new, blocked, moving"},
    {"gatling", "../GameData/Sprites/Turrets/Gatling/gatling-spr.txt", 8, 8, 80, 21,
     "turret: one frame per aiming direction"},
    {"rocket-select", "../GameData/Sprites/Turrets/Rocket/rocket-info-spr.txt", 2, 2, 16, 6,
     "buy panel: idle and purchase started, in a 16 x 6 slot"},
    {"rocket-build", "../GameData/Sprites/Turrets/Rocket/rocket-build-spr.txt", 3, 3, 80, 21,
     "build cursor: new, blocked, moving"},
    {"rocket", "../GameData/Sprites/Turrets/Rocket/rocket-spr.txt", 8, 8, 80, 21,
     "turret: one frame per aiming direction"},
    {"freeze-select", "../GameData/Sprites/Turrets/Freeze/freeze-info-spr.txt", 2, 2, 16, 6,
     "buy panel: idle and purchase started, in a 16 x 6 slot"},
    {"freeze-build", "../GameData/Sprites/Turrets/Freeze/freeze-build-spr.txt", 3, 3, 80, 21,
     "build cursor: new, blocked, moving"},
    {"freeze", "../GameData/Sprites/Turrets/Freeze/freeze-spr.txt", 8, 8, 80, 21,
     "turret: one frame per aiming direction"},
    {"enemy", "../GameData/Sprites/Enemies/enemy-easy-spr.txt", 2, 1000, 5, 1,
     "walks one path cell per move, under its health bar (columns x-1 .. x+5 of the row above)"},
    {"enemy-easy", "../GameData/Sprites/Enemies/enemy-easy-spr.txt", 2, 1000, 5, 1,
     "walks one path cell per move, under its health bar"},
    {"enemy-medium", "../GameData/Sprites/Enemies/enemy-medium-spr.txt", 2, 1000, 5, 1,
     "walks one path cell per move, under its health bar"},
    {"enemy-hard", "../GameData/Sprites/Enemies/enemy-hard-spr.txt", 2, 1000, 5, 1,
     "walks one path cell per move, under its health bar"},
    {"treasure", "../GameData/Sprites/Treasure/treasure-spr.txt", 1, 1000, 80, 21,
     "frame 0 at the last path cell"},
};

void PrintTo(const SpriteUse& use, std::ostream* os)
{
    *os << use.label << " from " << use.file;
}

class DataSetSprite : public zp::test::GameFixture, public testing::WithParamInterface<SpriteUse> {};

TEST_P(DataSetSprite, LoadsWithTheFramesAndSizeItsUseNeeds)
{
    const SpriteUse& use = GetParam();
    SCOPED_TRACE(use.why);
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    ASSERT_EQ(resources.loadSprite(use.file, use.label), 0) << use.file;
    const zp::Sprite* sprite = resources.getSprite(use.label);
    ASSERT_NE(sprite, nullptr);

    EXPECT_GE(sprite->getFrameCount(), use.min_frames);
    EXPECT_LE(sprite->getFrameCount(), use.max_frames);
    EXPECT_GE(sprite->getWidth(), 1);
    EXPECT_GE(sprite->getHeight(), 1);
    EXPECT_LE(sprite->getWidth(), use.max_width);
    EXPECT_LE(sprite->getHeight(), use.max_height);

    // The reader turns a malformed frame into an empty one; none may be.
    const size_t cells = static_cast<size_t>(sprite->getWidth() * sprite->getHeight());
    for (int i = 0; i < sprite->getFrameCount(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const zp::Frame& frame = sprite->getFrame(i);
        EXPECT_EQ(frame.getWidth(), sprite->getWidth());
        EXPECT_EQ(frame.getHeight(), sprite->getHeight());
        EXPECT_EQ(frame.getString().size(), cells);
        EXPECT_NE(frame.getString().find_first_not_of(' '), std::string::npos) << "blank frame";
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, DataSetSprite, testing::ValuesIn(SPRITES),
                         [](const testing::TestParamInfo<SpriteUse>& p) {
                             std::string name = p.param.label;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

// A build cursor's box decides where its turret may stand, so the two match.
struct CursorPair {
    const char* cursor;
    const char* turret;
};

const CursorPair CURSORS[] = {
    {"gatling-build", "gatling"},
    {"rocket-build", "rocket"},
    {"freeze-build", "freeze"},
};

void PrintTo(const CursorPair& pair, std::ostream* os)
{
    *os << pair.cursor << " / " << pair.turret;
}

class DataSetCursor : public zp::test::GameFixture, public testing::WithParamInterface<CursorPair> {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        loadResources();
    }
};

TEST_P(DataSetCursor, CursorHasItsTurretsSize)
{
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    const zp::Sprite* cursor = resources.getSprite(GetParam().cursor);
    const zp::Sprite* turret = resources.getSprite(GetParam().turret);
    ASSERT_NE(cursor, nullptr);
    ASSERT_NE(turret, nullptr);
    EXPECT_EQ(cursor->getWidth(), turret->getWidth());
    EXPECT_EQ(cursor->getHeight(), turret->getHeight());
}

INSTANTIATE_TEST_SUITE_P(Shipped, DataSetCursor, testing::ValuesIn(CURSORS),
                         [](const testing::TestParamInfo<CursorPair>& p) {
                             return std::string(p.param.turret);
                         });

// Sounds are decoded whole, music is streamed; both must open.
struct AudioFile {
    bool music;
    const char* label;
    const char* file;
};

const AudioFile AUDIO[] = {
    {true, "menu", "../GameData/Music/Menu.wav"},
    {true, "background", "../GameData/Music/Background.wav"},
    {false, "explosion", "../GameData/Music/Explosion.wav"},
    {false, "freeze", "../GameData/Music/Freeze.wav"},
    {false, "shoot", "../GameData/Music/bullet.wav"},
};

void PrintTo(const AudioFile& audio, std::ostream* os)
{
    *os << (audio.music ? "music " : "sound ") << audio.label << " from " << audio.file;
}

class DataSetAudio : public zp::test::GameFixture, public testing::WithParamInterface<AudioFile> {};

TEST_P(DataSetAudio, Loads)
{
    const AudioFile& audio = GetParam();
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    if (audio.music) {
        ASSERT_EQ(resources.loadMusic(audio.file, audio.label), 0) << audio.file;
        EXPECT_NE(resources.getMusic(audio.label), nullptr);
    } else {
        ASSERT_EQ(resources.loadSound(audio.file, audio.label), 0) << audio.file;
        EXPECT_NE(resources.getSound(audio.label), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, DataSetAudio, testing::ValuesIn(AUDIO),
                         [](const testing::TestParamInfo<AudioFile>& p) {
                             return std::string(p.param.label) + (p.param.music ? "_music" : "_sound");
                         });

// ---------------------------------------------------------------- levels

struct LevelFiles {
    const char* name;
    const char* level;
    const char* path;
};

// In menu order: 1 Easy, 2 Medium, 3 Hard.
const LevelFiles LEVELS[] = {
    {"Easy", "../GameData/Levels/Level1/Level1.txt", "../GameData/Levels/Level1/Level1Mov.txt"},
    {"Medium", "../GameData/Levels/Level2/Level2.txt", "../GameData/Levels/Level2/Level2Mov.txt"},
    {"Hard", "../GameData/Levels/Level3/Level3.txt", "../GameData/Levels/Level3/Level3Mov.txt"},
};

void PrintTo(const LevelFiles& files, std::ostream* os)
{
    *os << files.name << ": " << files.level;
}

// A clean world, level and resource table with the whole game loaded.
class LevelWorld : public zp::test::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        loadResources();
    }
};

class DataSetLevel : public LevelWorld, public testing::WithParamInterface<LevelFiles> {
protected:
    static Level* load(const LevelFiles& files)
    {
        EXPECT_EQ(LevelManager::getInstance().loadLevel(files.level, files.path), 0)
            << files.level << " / " << files.path;
        return LevelManager::getInstance().getLevel();
    }
};

TEST_P(DataSetLevel, PathLeadsCellByCellFromTheStartToTheTreasure)
{
    Level* level = load(GetParam());
    ASSERT_NE(level, nullptr);
    const std::vector<zp::Position>& path = level->getPath();
    ASSERT_GE(path.size(), 2u);

    EXPECT_EQ(path.front().getX(), level->getEnemyStartX());
    EXPECT_EQ(path.front().getY(), level->getEnemyStartY());
    EXPECT_EQ(path.back().getX(), level->getTreasureX());
    EXPECT_EQ(path.back().getY(), level->getTreasureY());
    for (size_t i = 0; i < path.size(); ++i) {
        const zp::Position& p = path[i];
        EXPECT_TRUE(p.getX() >= 0 && p.getX() < BOARD_W && p.getY() >= COUNTER_ROWS && p.getY() < BOARD_H)
            << "point " << i << " (" << p.getX() << ", " << p.getY() << ") is off the playing field";
        if (i == 0)
            continue;
        const zp::Position& q = path[i - 1];
        const int step = std::abs(p.getX() - q.getX()) + std::abs(p.getY() - q.getY());
        EXPECT_EQ(step, 1) << "from (" << q.getX() << ", " << q.getY() << ") to (" << p.getX() << ", "
                           << p.getY() << ")";
    }
}

TEST_P(DataSetLevel, TrackBlocksHaveSpritesAndKeepClearOfCountersAndPanels)
{
    Level* level = load(GetParam());
    ASSERT_NE(level, nullptr);
    int count = 0;
    for (zp::ObjectListIterator it(&level->getBlocks()); !it.isDone(); it.next()) {
        const zp::Object* block = it.currentObject();
        ++count;
        ASSERT_NE(block->getSprite(), nullptr) << "block " << count << " names no loaded sprite";
        // The engine's box test includes the far edges: a w x h box reaches
        // column x + w and row y + h.
        const int left = block->getPosition().getX();
        const int top = block->getPosition().getY();
        const int right = left + block->getBox().getHorizontal();
        const int bottom = top + block->getBox().getVertical();
        SCOPED_TRACE("block " + std::to_string(count) + " at (" + std::to_string(left) + ", " +
                     std::to_string(top) + ")");
        EXPECT_GE(left, 0);
        EXPECT_GE(top, COUNTER_ROWS);
        EXPECT_LE(right, BOARD_W);
        EXPECT_LE(bottom, BOARD_H);
        EXPECT_FALSE(right >= PANEL_X && top <= PANEL_BOTTOM) << "reaches the buy panels";
    }
    EXPECT_GT(count, 0);
}

INSTANTIATE_TEST_SUITE_P(Shipped, DataSetLevel, testing::ValuesIn(LEVELS),
                         [](const testing::TestParamInfo<LevelFiles>& p) {
                             return std::string(p.param.name);
                         });

// Longer paths give the player more time: Easy has the longest, Hard the shortest.
class DataSetLevels : public LevelWorld {};

TEST_F(DataSetLevels, PathsGetShorterWithDifficulty)
{
    std::vector<size_t> lengths;
    for (const LevelFiles& files : LEVELS) {
        ASSERT_EQ(LevelManager::getInstance().loadLevel(files.level, files.path), 0) << files.level;
        lengths.push_back(LevelManager::getInstance().getLevel()->getPath().size());
    }
    for (size_t i = 1; i < lengths.size(); ++i)
        EXPECT_GT(lengths[i - 1], lengths[i]) << LEVELS[i - 1].name << " vs " << LEVELS[i].name;
}

} // namespace
