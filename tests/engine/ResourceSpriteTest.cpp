#include "support/EngineFixture.h"
#include "support/RunDir.h"

#include "zp/LineReader.h"
#include "zp/LogManager.h"
#include "zp/Position.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/stat.h>

namespace {

using zp::test::fixture;

class ResourceSpriteTest : public zp::test::EngineFixture {
protected:
    static std::string sprite(const std::string& name) { return fixture("sprites/" + name); }
    static std::string log() { return zp::test::readFile(zp::test::runDir() + "/zephane.log"); }

    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
};

TEST_F(ResourceSpriteTest, LoadsTheFramesSizeColourAndLabel)
{
    ASSERT_EQ(resources.loadSprite(sprite("two_frames.txt"), "ship"), 0);
    zp::Sprite* p_sprite = resources.getSprite("ship");
    ASSERT_NE(p_sprite, nullptr);
    EXPECT_EQ(p_sprite->getLabel(), "ship");
    EXPECT_EQ(p_sprite->getWidth(), 3);
    EXPECT_EQ(p_sprite->getHeight(), 1);
    EXPECT_EQ(p_sprite->getColor(), zp::GREEN);
    ASSERT_EQ(p_sprite->getFrameCount(), 2);
    EXPECT_EQ(p_sprite->getFrame(0).getString(), "-o-");
    EXPECT_EQ(p_sprite->getFrame(1).getString(), "=o=");
    EXPECT_EQ(p_sprite->getFrame(1).getWidth(), 3);
    EXPECT_EQ(p_sprite->getFrame(1).getHeight(), 1);
    EXPECT_EQ(resources.getSpriteCount(), 1);
}

// One row per kind of file: what the load returns and, when it loads, what
// the sprite holds.
TEST_F(ResourceSpriteTest, SpriteFilesGoodAndMalformed)
{
    const struct {
        const char* file;
        int result;
        int frames;         // when loaded
        zp::Color color;    // when loaded
        const char* frame0; // when loaded with frames
    } cases[] = {
        {"two_rows.txt", 0, 1, zp::CYAN, "abcd"},
        {"crlf.txt", 0, 1, zp::RED, "/-\\"},
        {"no_final_newline.txt", 0, 1, zp::BLUE, "*"},
        {"zero_frames.txt", 0, 0, zp::YELLOW, ""},
        {"width_two_blanks.txt", 0, 1, zp::GREEN, "-o-"},
        {"misspelt_end.txt", 0, 1, zp::GREEN, ""}, // that frame is empty, still added
        {"color_capital.txt", 0, 1, zp::WHITE, "-o-"},
        {"color_trailing_blank.txt", 0, 1, zp::WHITE, "-o-"},
        {"color_unknown.txt", 0, 1, zp::WHITE, "-o-"},
        {"keyword_only_frames.txt", 0, 0, zp::GREEN, ""},   // no number: 0 frames
        {"keyword_only_color.txt", 0, 1, zp::WHITE, "-o-"}, // no name: white
        {"keyword_only_width.txt", 0, 1, zp::GREEN, ""},    // no number: width 0
        {"wrong_frames_keyword.txt", -1, 0, zp::WHITE, ""}, // -1 frames
        {"negative_frames.txt", -1, 0, zp::WHITE, ""},
        {"wrong_width_keyword.txt", -1, 0, zp::WHITE, ""},
        {"width_without_blank.txt", -1, 0, zp::WHITE, ""},
        {"wrong_height_keyword.txt", -1, 0, zp::WHITE, ""},
        {"short_row.txt", -1, 0, zp::WHITE, ""},
        {"long_row.txt", -1, 0, zp::WHITE, ""},
        {"missing_end.txt", -1, 0, zp::WHITE, ""},
        {"missing_eof.txt", -1, 0, zp::WHITE, ""},
        {"wrong_eof.txt", -1, 0, zp::WHITE, ""},
        {"too_few_frames.txt", -1, 0, zp::WHITE, ""},
        {"huge_frames.txt", -1, 0, zp::WHITE, ""}, // stops at the end of the file
        {"overflowing_frames.txt", -1, 0, zp::WHITE, ""},
        {"huge_height.txt", -1, 0, zp::WHITE, ""},
        {"empty.txt", -1, 0, zp::WHITE, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        int count_before = resources.getSpriteCount();
        ASSERT_EQ(resources.loadSprite(sprite(c.file), c.file), c.result);
        zp::Sprite* p_sprite = resources.getSprite(c.file);
        if (c.result != 0) {
            EXPECT_EQ(p_sprite, nullptr);
            EXPECT_EQ(resources.getSpriteCount(), count_before);
            continue;
        }
        ASSERT_NE(p_sprite, nullptr);
        EXPECT_EQ(resources.getSpriteCount(), count_before + 1);
        EXPECT_EQ(p_sprite->getFrameCount(), c.frames);
        EXPECT_EQ(p_sprite->getColor(), c.color);
        EXPECT_EQ(p_sprite->getFrame(0).getString(), c.frame0);
    }
    // A size out of range has its line of old; what the other files say is
    // in LoudErrorsTest.
    EXPECT_NE(log().find("Message: Sprite file " + sprite("huge_height.txt") +
                         ": height 2147483647 out of range\n"),
              std::string::npos);
}

#ifndef _WIN32 // FIFOs, devices and symbolic links as POSIX has them
// A missing file, and anything that is not a regular file (a FIFO would
// wait for a writer for ever, a device would never end), gets the missing
// file's line; a line the reader refuses gets one naming the file and line.
TEST_F(ResourceSpriteTest, FilesThatAreMissingOrNotTextAreLoggedWithTheirName)
{
    const std::string fifo = zp::test::runDir() + "/fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string two_frames = zp::test::readFile(sprite("two_frames.txt"));
    const std::string nul_in_row = zp::test::writeFile(
        "nul-in-row.txt", std::string(two_frames).replace(two_frames.find("=o="), 3, "=\0=", 3));
    const std::string long_color = zp::test::writeFile(
        "long-color.txt",
        std::string(two_frames).insert(two_frames.find("green") + 5, std::string(zp::MAX_LINE_BYTES, ' ')));
    const std::string nul = "the line holds a NUL byte; the file is refused";
    const std::string too_long =
        "the line is longer than " + std::to_string(zp::MAX_LINE_BYTES) + " bytes; the file is refused";
    const struct {
        std::string file;
        std::string log;
    } cases[] = {
        {"no/such-sprite.txt", "Could not find sprite file no/such-sprite.txt"},
        {fifo, "Could not find sprite file " + fifo},
        {"/dev/zero", "Could not find sprite file /dev/zero"},
        {zp::test::runDir(), "Could not find sprite file " + zp::test::runDir()},
        {nul_in_row, nul_in_row + ":7: " + nul},
        {long_color, long_color + ":4: " + too_long},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string before = log();
        EXPECT_EQ(resources.loadSprite(c.file, "ghost"), -1);
        EXPECT_EQ(resources.getSprite("ghost"), nullptr);
        EXPECT_EQ(log(), before + "Message: " + c.log + "\n");
    }
    EXPECT_EQ(resources.getSpriteCount(), 0);
}
#endif

TEST_F(ResourceSpriteTest, TheFirstOfTwoEqualLabelsIsFound)
{
    ASSERT_EQ(resources.loadSprite(sprite("two_frames.txt"), "twin"), 0);
    ASSERT_EQ(resources.loadSprite(sprite("two_rows.txt"), "twin"), 0);
    EXPECT_EQ(resources.getSpriteCount(), 2);
    ASSERT_NE(resources.getSprite("twin"), nullptr);
    EXPECT_EQ(resources.getSprite("twin")->getColor(), zp::GREEN);
    // Labels compare exactly.
    EXPECT_EQ(resources.getSprite("Twin"), nullptr);
    EXPECT_EQ(resources.getSprite("twin "), nullptr);
}

TEST_F(ResourceSpriteTest, UnloadKeepsTheOthersInOrder)
{
    for (const char* label : {"P", "Q", "R"})
        ASSERT_EQ(resources.loadSprite(sprite("two_frames.txt"), label), 0);
    zp::Sprite* p_r = resources.getSprite("R");

    EXPECT_EQ(resources.unloadSprite("Q"), 0);
    EXPECT_EQ(resources.getSpriteCount(), 2);
    EXPECT_EQ(resources.getSprite("Q"), nullptr);
    EXPECT_NE(resources.getSprite("P"), nullptr);
    EXPECT_EQ(resources.getSprite("R"), p_r);

    EXPECT_EQ(resources.unloadSprite("Q"), -1);
    EXPECT_EQ(resources.unloadSprite("nothing"), -1);
    EXPECT_EQ(resources.getSpriteCount(), 2);

    // A sprite loaded now comes after R.
    ASSERT_EQ(resources.loadSprite(sprite("two_rows.txt"), "P"), 0);
    EXPECT_EQ(resources.unloadSprite("P"), 0);
    ASSERT_NE(resources.getSprite("P"), nullptr);
    EXPECT_EQ(resources.getSprite("P")->getColor(), zp::CYAN);
    EXPECT_EQ(resources.getSprite("R"), p_r);
}

TEST_F(ResourceSpriteTest, TheThousandAndFirstSpriteIsRefused)
{
    for (int i = 0; i < zp::MAX_SPRITES; ++i)
        ASSERT_EQ(resources.loadSprite(sprite("two_frames.txt"), "s" + std::to_string(i)), 0) << i;
    EXPECT_EQ(resources.loadSprite(sprite("two_frames.txt"), "one too many"), -1);
    EXPECT_EQ(resources.getSpriteCount(), zp::MAX_SPRITES);
    EXPECT_EQ(resources.getSprite("one too many"), nullptr);
    EXPECT_NE(log().find("Message: Sprite array full"), std::string::npos) << log();

    // Making room makes the next load succeed.
    ASSERT_EQ(resources.unloadSprite("s0"), 0);
    EXPECT_EQ(resources.loadSprite(sprite("two_frames.txt"), "one too many"), 0);
}

TEST_F(ResourceSpriteTest, ASecondStartUpEmptiesTheTableButKeepsSpritesThatObjectsShow)
{
    ASSERT_EQ(resources.loadSprite(sprite("two_frames.txt"), "A"), 0);
    zp::Sprite* p_shown = resources.getSprite("A");
    ASSERT_EQ(resources.startUp(), 0);
    EXPECT_EQ(resources.getSpriteCount(), 0);
    EXPECT_EQ(resources.getSprite("A"), nullptr);
    // Still a whole sprite (AddressSanitizer would see a freed one).
    EXPECT_EQ(p_shown->getLabel(), "A");
    EXPECT_EQ(p_shown->getFrameCount(), 2);
}

TEST_F(ResourceSpriteTest, ShutDownAndStartUpReleaseEverySprite)
{
    ASSERT_EQ(resources.loadSprite(sprite("two_frames.txt"), "A"), 0);
    resources.shutDown();
    EXPECT_EQ(resources.getSpriteCount(), 0);
    EXPECT_EQ(resources.getSprite("A"), nullptr);

    ASSERT_EQ(resources.startUp(), 0);
    ASSERT_EQ(resources.loadSprite(sprite("two_frames.txt"), "B"), 0);
    ASSERT_EQ(resources.startUp(), 0);
    EXPECT_EQ(resources.getSpriteCount(), 0);
    EXPECT_EQ(resources.getType(), "ResourceManager");
}

TEST_F(ResourceSpriteTest, SizesBeyondTheCoordinateLimitAreRefusedAndLogged)
{
    const struct {
        const char* sizes;
        const char* logged;
    } cases[] = {
        {"width 2147483647\nheight 1", "width 2147483647 out of range"},
        {"width 1\nheight -2147483648", "height -2147483648 out of range"},
        {"width 16777217\nheight 1", "width 16777217 out of range"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sizes);
        const std::string file = zp::test::writeFile("big.txt", std::string("frames 1\n") + c.sizes +
                                                                    "\ncolor red\nx\nend\neof\n");
        EXPECT_EQ(resources.loadSprite(file, "big"), -1);
        EXPECT_EQ(resources.getSprite("big"), nullptr);
        EXPECT_NE(log().find(c.logged), std::string::npos) << log();
    }
    // At the limit the sizes are taken as they stand (the row then does not match).
    const std::string file =
        zp::test::writeFile("edge.txt", "frames 0\nwidth 16777216\nheight 1\ncolor red\neof\n");
    EXPECT_EQ(resources.loadSprite(file, "edge"), 0);
    EXPECT_EQ(resources.getSprite("edge")->getWidth(), zp::MAX_COORDINATE);
}

} // namespace
