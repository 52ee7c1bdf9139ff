#include "zp/Sprite.h"

#include "zp/Frame.h"
#include "zp/ResourceManager.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using zp::Frame;
using zp::Sprite;

TEST(Frame, StoresSizeAndStringUnchecked)
{
    Frame empty;
    EXPECT_EQ(empty.getWidth(), 0);
    EXPECT_EQ(empty.getHeight(), 0);
    EXPECT_EQ(empty.getString(), "");

    // Nothing ties the string's length to the size.
    Frame frame(3, 2, "ab");
    EXPECT_EQ(frame.getWidth(), 3);
    EXPECT_EQ(frame.getHeight(), 2);
    EXPECT_EQ(frame.getString(), "ab");
}

TEST(Sprite, StartsEmptyWhiteAndUnlabelled)
{
    Sprite sprite(4);
    EXPECT_EQ(sprite.getFrameCount(), 0);
    EXPECT_EQ(sprite.getMaxFrameCount(), 4);
    EXPECT_EQ(sprite.getWidth(), 0);
    EXPECT_EQ(sprite.getHeight(), 0);
    EXPECT_EQ(sprite.getColor(), zp::WHITE);
    EXPECT_EQ(sprite.getLabel(), "");
}

TEST(Sprite, PushesFramesInOrderUpToItsCapacity)
{
    Sprite sprite(2);
    EXPECT_EQ(sprite.pushFrame(Frame(1, 1, "a")), 0);
    EXPECT_EQ(sprite.pushFrame(Frame(1, 1, "b")), 0);
    EXPECT_EQ(sprite.pushFrame(Frame(1, 1, "c")), -1);
    EXPECT_EQ(sprite.getFrameCount(), 2);
    EXPECT_EQ(sprite.getFrame(0).getString(), "a");
    EXPECT_EQ(sprite.getFrame(1).getString(), "b");
}

TEST(Sprite, FramesOutsideTheRangeAreEmpty)
{
    Sprite sprite(3);
    sprite.pushFrame(Frame(1, 1, "a"));
    for (int index : {-1, 1, 2, 3}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(sprite.getFrame(index).getString(), "");
        EXPECT_EQ(sprite.getFrame(index).getWidth(), 0);
    }
}

TEST(Sprite, ZeroOrNegativeCapacityTakesNoFrame)
{
    for (int capacity : {0, -5}) {
        Sprite sprite(capacity);
        EXPECT_EQ(sprite.pushFrame(Frame(1, 1, "a")), -1);
        EXPECT_EQ(sprite.getFrameCount(), 0);
    }
}

TEST(SpriteReader, ReadLineIntTakesTheNumberAfterTheKeyword)
{
    const struct {
        const char* line;
        int expected;
    } cases[] = {
        {"width 3", 3},
        {"width  3", 3},     // extra blanks are skipped
        {"width\t7", 7},     // any separator
        {"width -4", -4},    // a sign is taken
        {"width 12abc", 12}, // what follows the digits is ignored
        {"width 3 4", 3},
        {"width abc", 0}, // no digits
        {"width ", 0},
        {"width", 0},   // the keyword alone: nothing after it is read
        {"width3", -1}, // not the keyword as a word
        {"Width 3", -1},
        {"height 3", -1},
        {"", -1},
        {"width 99999999999999999999", 2147483647}, // clamped, not overflowed
        {"width -99999999999999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::istringstream text(std::string(c.line) + "\nnext\n");
        zp::LineReader file(text, "test");
        EXPECT_EQ(zp::readLineInt(file, "width"), c.expected);
        std::string next;
        ASSERT_TRUE(file.readLine(next));
        EXPECT_EQ(next, "next") << "read exactly one line";
    }
}

TEST(SpriteReader, ReadLineIntAtEndOfFileIsMinusOne)
{
    std::istringstream text("");
    zp::LineReader file(text, "test");
    EXPECT_EQ(zp::readLineInt(file, "frames"), -1);
}

TEST(SpriteReader, ReadLineStrTakesTheRestUnchangedWithoutComparingTheKeyword)
{
    const struct {
        const char* line;
        const char* expected;
    } cases[] = {
        {"color green", "green"},
        {"color green ", "green "},
        {"color  green", " green"},
        {"colour red", " red"}, // the keyword is not compared, only skipped
        {"color ", ""},
        {"color", ""},
        {"co", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::istringstream text(std::string(c.line) + "\n");
        zp::LineReader file(text, "test");
        EXPECT_EQ(zp::readLineStr(file, "color"), c.expected);
    }
}

TEST(SpriteReader, ParseFrameCollectsRowsUntilEnd)
{
    std::istringstream text("ab\ncd\nend\nrest\n");
    zp::LineReader file(text, "test");
    Frame frame = zp::parseFrame(file, 2, 2);
    EXPECT_EQ(frame.getWidth(), 2);
    EXPECT_EQ(frame.getHeight(), 2);
    EXPECT_EQ(frame.getString(), "abcd");
    std::string rest;
    file.readLine(rest);
    EXPECT_EQ(rest, "rest");
}

TEST(SpriteReader, ParseFrameFailuresGiveTheEmptyFrameAndStopWhereTheyAre)
{
    const struct {
        const char* text;
        int width;
        int height;
        const char* next_line; // what the following read sees
    } cases[] = {
        {"ab\nc\nend\nX\n", 2, 2, "end"},   // short row: the rest stays unread
        {"ab\ncde\nend\nX\n", 2, 2, "end"}, // long row
        {"ab\ncd\nnope\nX\n", 2, 2, "X"},   // not "end": that line is consumed
        {"ab\ncd\n", 2, 2, ""},             // end of file instead of "end"
        {"ab\n", 2, 2, ""},                 // end of file inside the rows
        {"ab\ncd\nend\nX\n", -1, 2, "cd"},  // no row has a negative length
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::istringstream text(c.text);
        zp::LineReader file(text, "test");
        Frame frame = zp::parseFrame(file, c.width, c.height);
        EXPECT_EQ(frame.getString(), "");
        EXPECT_EQ(frame.getWidth(), 0);
        EXPECT_EQ(frame.getHeight(), 0);
        std::string next;
        file.readLine(next);
        EXPECT_EQ(next, c.next_line);
    }
}

} // namespace
