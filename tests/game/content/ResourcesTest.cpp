#include "content/Resources.h"

#include "GameDataTree.h"
#include "GameFixture.h"
#include "support/RunDir.h"
#include "support/Wav.h"

#include "zp/LogManager.h"
#include "zp/Music.h"
#include "zp/ResourceManager.h"
#include "zp/Sound.h"
#include "zp/Sprite.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

enum Kind { SPRITE, MUSIC, SOUND };

struct Entry {
    Kind kind;
    const char* label;
    const char* file;
};

// What the game's code and its data set agree on: every label and its file.
const Entry TABLE[] = {
    {SPRITE, "splashscreen", "../GameData/SplashScreen/SplashScreen.txt"},
    {SPRITE, "menu", "../GameData/Menu/Menu.txt"},
    {SPRITE, "gameover", "../GameData/GameOver/GameOver.txt"},
    {SPRITE, "BlockVertical", "../GameData/Levels/Blocks/BlockVertical.txt"},
    {SPRITE, "BlockHorizontal", "../GameData/Levels/Blocks/BlockHorizontal.txt"},
    {SPRITE, "BlockRightAngleLeft", "../GameData/Levels/Blocks/BlockRightAngleLeft.txt"},
    {SPRITE, "BlockRightAngleLeftB", "../GameData/Levels/Blocks/BlockRightAngleLeftB.txt"},
    {SPRITE, "BlockRightAngleRight", "../GameData/Levels/Blocks/BlockRightAngleRight.txt"},
    {SPRITE, "BlockRightAngleUp", "../GameData/Levels/Blocks/BlockRightAngleUp.txt"},
    {SPRITE, "BlockRightAngleDown", "../GameData/Levels/Blocks/BlockRightAngleDown.txt"},
    {SPRITE, "gatling-select", "../GameData/Sprites/Turrets/Gatling/gatling-info-spr.txt"},
    {SPRITE, "gatling-build", "../GameData/Sprites/Turrets/Gatling/gatling-build-spr.txt"},
    {SPRITE, "gatling", "../GameData/Sprites/Turrets/Gatling/gatling-spr.txt"},
    {SPRITE, "rocket-select", "../GameData/Sprites/Turrets/Rocket/rocket-info-spr.txt"},
    {SPRITE, "rocket-build", "../GameData/Sprites/Turrets/Rocket/rocket-build-spr.txt"},
    {SPRITE, "rocket", "../GameData/Sprites/Turrets/Rocket/rocket-spr.txt"},
    {SPRITE, "freeze-select", "../GameData/Sprites/Turrets/Freeze/freeze-info-spr.txt"},
    {SPRITE, "freeze-build", "../GameData/Sprites/Turrets/Freeze/freeze-build-spr.txt"},
    {SPRITE, "freeze", "../GameData/Sprites/Turrets/Freeze/freeze-spr.txt"},
    {SPRITE, "enemy", "../GameData/Sprites/Enemies/enemy-easy-spr.txt"},
    {SPRITE, "enemy-easy", "../GameData/Sprites/Enemies/enemy-easy-spr.txt"},
    {SPRITE, "enemy-medium", "../GameData/Sprites/Enemies/enemy-medium-spr.txt"},
    {SPRITE, "enemy-hard", "../GameData/Sprites/Enemies/enemy-hard-spr.txt"},
    {SPRITE, "treasure", "../GameData/Sprites/Treasure/treasure-spr.txt"},
    {MUSIC, "menu", "../GameData/Music/Menu.wav"},
    {MUSIC, "background", "../GameData/Music/Background.wav"},
    // The turrets' sounds, in the order of their kinds' rows.
    {SOUND, "shoot", "../GameData/Music/bullet.wav"},
    {SOUND, "explosion", "../GameData/Music/Explosion.wav"},
    {SOUND, "freeze", "../GameData/Music/Freeze.wav"},
};

const int SPRITE_COUNT = 24;
const int MUSIC_COUNT = 2;
const int SOUND_COUNT = 3;

// A one-frame sprite whose only row is `mark`.
std::string spriteText(const std::string& mark)
{
    return "frames 1\nwidth " + std::to_string(mark.size()) + "\nheight 1\ncolor white\n" + mark +
           "\nend\neof\n";
}

class Resources : public zp::test::GameFixture {
protected:
    static zp::ResourceManager& resources() { return zp::ResourceManager::getInstance(); }

    static std::vector<std::string> logLines()
    {
        std::vector<std::string> lines;
        const std::string log = zp::test::readFile("zephane.log");
        size_t start = 0;
        for (size_t end; (end = log.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(log.substr(start, end - start));
        return lines;
    }
};

// Each file of a private data tree carries a mark of its own, so every
// label can be traced back to the file it was loaded from.
TEST_F(Resources, EveryLabelIsLoadedFromItsOwnFile)
{
    zp::test::privateGameData();
    std::map<std::string, std::string> sprite_mark;
    std::map<std::string, int> audio_samples;
    int index = 0;
    for (const Entry& entry : TABLE) {
        ++index;
        if (entry.kind == SPRITE) {
            if (sprite_mark.count(entry.file) != 0)
                continue; // "enemy" and "enemy-easy" share their file
            char mark[8];
            std::snprintf(mark, sizeof mark, "file%02d", index);
            sprite_mark[entry.file] = mark;
            zp::test::writeFile(entry.file, spriteText(mark));
        } else {
            audio_samples[entry.file] = 1000 * index;
            ASSERT_TRUE(zp::test::writeToneWav(zp::test::runDir() + "/" + entry.file, 1000 * index));
        }
    }

    loadResources();

    EXPECT_EQ(resources().getSpriteCount(), SPRITE_COUNT);
    EXPECT_EQ(resources().getMusicCount(), MUSIC_COUNT);
    EXPECT_EQ(resources().getSoundCount(), SOUND_COUNT);
    for (const Entry& entry : TABLE) {
        SCOPED_TRACE(entry.label);
        if (entry.kind == SPRITE) {
            const zp::Sprite* sprite = resources().getSprite(entry.label);
            ASSERT_NE(sprite, nullptr);
            EXPECT_EQ(sprite->getFrame(0).getString(), sprite_mark[entry.file]);
        } else if (entry.kind == MUSIC) {
            zp::Music* music = resources().getMusic(entry.label);
            ASSERT_NE(music, nullptr);
            EXPECT_EQ(music->getMusic()->getDuration(), sf::seconds(audio_samples[entry.file] / 8000.f));
        } else {
            const zp::Sound* sound = resources().getSound(entry.label);
            ASSERT_NE(sound, nullptr);
            const sf::Sound player = sound->getSound();
            ASSERT_NE(player.getBuffer(), nullptr);
            EXPECT_EQ(player.getBuffer()->getSampleCount(), sf::Uint64(audio_samples[entry.file]));
        }
    }
    // Two loads of one file give two sprites with the same frames.
    EXPECT_NE(resources().getSprite("enemy"), resources().getSprite("enemy-easy"));
}

// With almost nothing to load, every load is still tried, in the table's
// order, and what exists is loaded; a missing menu music is no reason to stop.
TEST_F(Resources, MissingFilesAreLoggedInOrderAndLoadingGoesOn)
{
    zp::test::privateGameData();
    zp::test::writeFile("../GameData/Levels/Blocks/BlockRightAngleUp.txt", spriteText("up"));
    ASSERT_TRUE(zp::test::writeToneWav(zp::test::runDir() + "/../GameData/Music/Background.wav", 800));

    loadResources();

    EXPECT_EQ(resources().getSpriteCount(), 1);
    EXPECT_NE(resources().getSprite("BlockRightAngleUp"), nullptr);
    EXPECT_EQ(resources().getMusicCount(), 1);
    EXPECT_EQ(resources().getMusic("menu"), nullptr);
    EXPECT_NE(resources().getMusic("background"), nullptr);
    EXPECT_EQ(resources().getSoundCount(), 0);

    std::vector<std::string> expected;
    for (const Entry& entry : TABLE)
        if (entry.kind == SPRITE && std::string(entry.label) != "BlockRightAngleUp")
            expected.push_back(std::string("Message: Could not find sprite file ") + entry.file);
    std::vector<std::string> sprite_lines;
    for (const std::string& line : logLines())
        if (line.find("sprite file") != std::string::npos)
            sprite_lines.push_back(line);
    EXPECT_EQ(sprite_lines, expected);
}

// A file that is there but cannot be read is named in the log with its label,
// whatever its kind, so a broken data set says which file to mend.
TEST_F(Resources, EveryFileThatDoesNotLoadIsNamedWithItsLabel)
{
    zp::test::privateGameData();
    for (const Entry& entry : TABLE)
        zp::test::writeFile(entry.file, "garbage\n\x01\x02 not a sprite, not a sound\n");

    loadResources();

    EXPECT_EQ(resources().getSpriteCount(), 0);
    EXPECT_EQ(resources().getMusicCount(), 0);
    EXPECT_EQ(resources().getSoundCount(), 0);
    const char* const kinds[] = {"Sprite", "Music", "Sound"};
    std::vector<std::string> expected;
    for (const Entry& entry : TABLE)
        expected.push_back(std::string("Message: ") + kinds[entry.kind] + " '" + entry.label +
                           "' not loaded from " + entry.file + "; going on without it");
    std::vector<std::string> named;
    for (const std::string& line : logLines())
        if (line.find("not loaded from") != std::string::npos)
            named.push_back(line);
    EXPECT_EQ(named, expected);
}

// The data set that ships with the game loads completely.
TEST_F(Resources, ShippedDataSetLoadsCompletely)
{
    loadResources();
    EXPECT_EQ(resources().getSpriteCount(), SPRITE_COUNT);
    EXPECT_EQ(resources().getMusicCount(), MUSIC_COUNT);
    EXPECT_EQ(resources().getSoundCount(), SOUND_COUNT);
    for (const Entry& entry : TABLE) {
        if (entry.kind == SPRITE) {
            EXPECT_NE(resources().getSprite(entry.label), nullptr) << entry.label;
        }
    }

    const zp::Sprite* enemy = resources().getSprite("enemy");
    const zp::Sprite* easy = resources().getSprite("enemy-easy");
    ASSERT_NE(enemy, nullptr);
    ASSERT_NE(easy, nullptr);
    ASSERT_EQ(enemy->getFrameCount(), easy->getFrameCount());
    EXPECT_EQ(enemy->getColor(), easy->getColor());
    for (int i = 0; i < enemy->getFrameCount(); ++i)
        EXPECT_EQ(enemy->getFrame(i).getString(), easy->getFrame(i).getString()) << i;
}

// The sprite labels that tools load their own pictures under are the table's,
// in its order.
TEST(ResourceLabels, SpriteLabelsAreTheTablesInLoadOrder)
{
    std::vector<std::string> expected;
    for (const Entry& entry : TABLE)
        if (entry.kind == SPRITE)
            expected.push_back(entry.label);
    EXPECT_EQ(spriteLabels(), expected);
}

} // namespace
