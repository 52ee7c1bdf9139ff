#include "zp/InputRecording.h"

#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <sys/stat.h>

namespace {

using zp::InputRecording;
using zp::Position;

InputRecording parsed(const std::string& text, int expected_result = 0, std::string* p_error = nullptr)
{
    InputRecording recording;
    std::istringstream in(text);
    std::string error;
    EXPECT_EQ(recording.read(in, error), expected_result) << error;
    if (p_error != nullptr)
        *p_error = error;
    return recording;
}

TEST(InputRecording, WritesWhatItReadsBack)
{
    InputRecording recording;
    recording.setMeta("level", "2");
    recording.setMeta("game", "Cinderwatch 1.0");
    recording.addKeyboard(0, zp::KEY_PRESSED, 27);
    recording.addMouse(150, zp::MOVED, 0, Position(70, 3));
    recording.addMouse(152, zp::CLICKED, 1, Position(79, 23));
    recording.addCheck(100, 0x0123456789abcdefull);
    recording.addCheck(152, 42);
    recording.addKeyboard(200, zp::KEY_DOWN, 100);
    recording.setEndStep(300);

    std::ostringstream out;
    recording.write(out);
    EXPECT_EQ(out.str(), "zp-recording 1\n"
                         "meta game Cinderwatch 1.0\n"
                         "meta level 2\n"
                         "key 0 pressed 27\n"
                         "check 100 0123456789abcdef\n"
                         "mouse 150 moved 0 70 3\n"
                         "check 152 000000000000002a\n"
                         "mouse 152 clicked 1 79 23\n"
                         "key 200 down 100\n"
                         "end 300\n");

    const InputRecording again = parsed(out.str());
    EXPECT_EQ(again.getInputs(), recording.getInputs());
    ASSERT_EQ(again.getChecks().size(), 2u);
    EXPECT_EQ(again.getChecks()[0].digest, 0x0123456789abcdefull);
    EXPECT_EQ(again.getChecks()[1].step, 152);
    EXPECT_EQ(again.getMeta("game"), "Cinderwatch 1.0");
    EXPECT_EQ(again.getMeta("level"), "2");
    EXPECT_FALSE(again.hasMeta("speed"));
    EXPECT_EQ(again.getEndStep(), 300);
}

TEST(InputRecording, TheRandomSeedIsWrittenAfterTheMetaLinesAndReadBack)
{
    InputRecording recording;
    recording.setMeta("level", "1");
    recording.setSeed(0xfedcba9876543210ull);
    recording.addKeyboard(4, zp::KEY_PRESSED, 16);
    recording.setEndStep(9);
    std::ostringstream out;
    recording.write(out);
    EXPECT_EQ(out.str(), "zp-recording 1\n"
                         "meta level 1\n"
                         "seed fedcba9876543210\n"
                         "key 4 pressed 16\n"
                         "end 9\n");
    const InputRecording again = parsed(out.str());
    EXPECT_TRUE(again.hasSeed());
    EXPECT_EQ(again.getSeed(), 0xfedcba9876543210ull);

    // Recordings from before the seed have none, and write none.
    const InputRecording older = parsed("zp-recording 1\nmeta level 1\nkey 4 pressed 16\nend 9\n");
    EXPECT_FALSE(older.hasSeed());
    std::ostringstream older_out;
    older.write(older_out);
    EXPECT_EQ(older_out.str().find("seed"), std::string::npos);
}

// A recording written while its run goes on: the pieces, written between
// the records' arrivals, are the text that write() gives at the end.
TEST(InputRecording, WrittenInPiecesItIsTheSameText)
{
    InputRecording recording;
    recording.setMeta("level", "1");
    std::ostringstream pieces;
    InputRecording::WrittenUpTo written;
    recording.writeHead(pieces);
    recording.writeRecords(pieces, written);
    recording.addCheck(30, 7);
    recording.writeRecords(pieces, written);
    recording.addKeyboard(30, zp::KEY_PRESSED, 15);
    recording.addMouse(31, zp::MOVED, 0, Position(4, 5));
    recording.addCheck(60, 8);
    recording.writeRecords(pieces, written);
    recording.addMouse(60, zp::CLICKED, 0, Position(4, 5));
    recording.addCheck(90, 9);
    recording.writeRecords(pieces, written);
    recording.writeRecords(pieces, written);
    recording.setEndStep(95);
    recording.writeEnd(pieces);

    std::ostringstream whole;
    recording.write(whole);
    EXPECT_EQ(pieces.str(), whole.str());
    EXPECT_EQ(whole.str(), "zp-recording 1\n"
                           "meta level 1\n"
                           "check 30 0000000000000007\n"
                           "key 30 pressed 15\n"
                           "mouse 31 moved 0 4 5\n"
                           "check 60 0000000000000008\n"
                           "mouse 60 clicked 0 4 5\n"
                           "check 90 0000000000000009\n"
                           "end 95\n");
}

TEST(InputRecording, CommentsBlankLinesAndCrLfAreAllowed)
{
    const InputRecording recording = parsed(
        "# a game of level 1\r\n\r\nzp-recording 1\r\n  # placing a turret\nkey 5 released 16\r\nend 9\r\n");
    ASSERT_EQ(recording.getInputs().size(), 1u);
    EXPECT_EQ(recording.getInputs()[0].action, zp::KEY_RELEASED);
    EXPECT_EQ(recording.getInputs()[0].code, 16);
    EXPECT_EQ(recording.getEndStep(), 9);
}

TEST(InputRecording, WithoutAnEndLineTheRunHasNotEnded)
{
    EXPECT_EQ(parsed("zp-recording 1\nkey 3 pressed 5\n").getEndStep(), -1);
}

TEST(InputRecording, MalformedRecordingsSayWhichLineAndWhy)
{
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "line 1: not a recording (the file is empty)"},
        {"key 1 pressed 2\n", "line 1: not a recording (expected \"zp-recording 1\")"},
        {"\n# x\nzp-recording 2\n",
         "line 3: recording version 2 is not supported (this program reads version 1)"},
        {"zp-recording one\n", "line 1: not a recording (expected \"zp-recording 1\")"},
        {"zp-recording 1\njump 3\n",
         "line 2: unknown record \"jump\" (expected meta, seed, key, mouse, check or end)"},
        {"zp-recording 1\nseed 12\n", "line 2: \"seed\" takes one value of 16 hex digits"},
        {"zp-recording 1\nseed 0123456789abcdef 1\n", "line 2: \"seed\" takes one value of 16 hex digits"},
        {"zp-recording 1\nseed 0123456789ABCDEF\n", "line 2: \"seed\" takes one value of 16 hex digits"},
        {"zp-recording 1\nseed 0123456789abcdef\nkey 1 pressed 2\nseed 0123456789abcdef\n",
         "line 4: a second \"seed\" line (a recording has one)"},
        {"zp-recording 1\nkey 3 pressed\n", "line 2: \"key\" takes 3 values, not 2"},
        {"zp-recording 1\nmouse 3 moved 0 1 2 3\n", "line 2: \"mouse\" takes 5 values, not 6"},
        {"zp-recording 1\nkey -1 pressed 2\n", "line 2: \"-1\" is not a step number"},
        {"zp-recording 1\nkey 9999999999 pressed 2\n", "line 2: \"9999999999\" is not a step number"},
        {"zp-recording 1\nkey 7 pressed 2\nkey 6 pressed 2\n",
         "line 3: step 6 comes after step 7 (steps never go back)"},
        {"zp-recording 1\ncheck 7 12\nkey 6 pressed 2\n", "line 2: \"12\" is not a digest of 16 hex digits"},
        {"zp-recording 1\nkey 1 held 2\n", "line 2: \"held\" is not a key action (pressed, released, down)"},
        {"zp-recording 1\nmouse 1 dragged 0 1 1\n",
         "line 2: \"dragged\" is not a mouse action (clicked, pressed, moved)"},
        {"zp-recording 1\nkey 1 pressed 2x\n", "line 2: \"2x\" is not a whole number"},
        {"zp-recording 1\nend 5\nkey 6 pressed 2\n", "line 3: nothing may follow the \"end\" line"},
        {"zp-recording 1\nmeta\n", "line 2: \"meta\" needs a key"},
        {"zp-recording 1\nkey 1 pressed 101\n", "line 2: key code 101 is not a key (-1 to 100)"},
        {"zp-recording 1\nkey 1 pressed -2\n", "line 2: key code -2 is not a key (-1 to 100)"},
        {"zp-recording 1\nmouse 1 clicked 5 0 0\n", "line 2: button 5 is not a mouse button (0 to 4)"},
        {"zp-recording 1\nmouse 1 moved 0 2147483647 2147483647\n",
         "line 2: mouse position 2147483647 2147483647 is outside the view (x 0 to 79, y 0 to 23)"},
        {"zp-recording 1\nmouse 1 clicked 0 80 0\n",
         "line 2: mouse position 80 0 is outside the view (x 0 to 79, y 0 to 23)"},
        {"zp-recording 1\nmouse 1 pressed 0 0 24\n",
         "line 2: mouse position 0 24 is outside the view (x 0 to 79, y 0 to 23)"},
        {"zp-recording 1\nmouse 1 moved 0 -1 5\n",
         "line 2: mouse position -1 5 is outside the view (x 0 to 79, y 0 to 23)"},
        {"zp-recording 1\nmouse 1 moved 0 3 -2147483648\n",
         "line 2: mouse position 3 -2147483648 is outside the view (x 0 to 79, y 0 to 23)"},
        {"zp-recording 1\nend 5 12\n", "line 2: \"12\" is not a digest of 16 hex digits"},
        {"zp-recording 1\nend 5 0123456789abcdef 1\n", "line 2: \"end\" takes 1 or 2 values, not 3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        parsed(c.text, -1, &error);
        EXPECT_EQ(error, c.error);
    }
}

TEST(InputRecording, TheEndCarriesTheFinalDigestAndRecordsKeepTheirLines)
{
    const InputRecording recording = parsed("zp-recording 1\n"
                                            "# level 2\n"
                                            "meta level 2\n"
                                            "check 30 00000000000000ff\n"
                                            "key 30 pressed -1\n"
                                            "\n"
                                            "mouse 31 clicked 4 2 3\n"
                                            "end 40 0123456789abcdef\n");
    EXPECT_EQ(recording.getHeaderLine(), 1);
    EXPECT_EQ(recording.getMetaLine("level"), 3);
    EXPECT_EQ(recording.getMetaLine("speed"), 0);
    ASSERT_EQ(recording.getChecks().size(), 1u);
    EXPECT_EQ(recording.getChecks()[0].line, 4);
    ASSERT_EQ(recording.getInputs().size(), 2u);
    EXPECT_EQ(recording.getInputs()[0].line, 5);
    EXPECT_EQ(recording.getInputs()[1].line, 7);
    EXPECT_EQ(recording.getEndStep(), 40);
    EXPECT_EQ(recording.getEndLine(), 8);
    ASSERT_TRUE(recording.hasEndDigest());
    EXPECT_EQ(recording.getEndDigest(), 0x0123456789abcdefull);

    std::ostringstream out;
    recording.write(out);
    EXPECT_NE(out.str().find("\nend 40 0123456789abcdef\n"), std::string::npos) << out.str();
    EXPECT_FALSE(parsed("zp-recording 1\nend 40\n").hasEndDigest());
}

#ifndef _WIN32 // FIFOs, devices and symbolic links as POSIX has them
// A missing file is an error, and so is what is not a regular file: a FIFO
// would wait for a writer for ever, a device would never end.
TEST(InputRecording, AMissingFileOrOneThatIsNotAFileIsAnError)
{
    const std::string fifo = zp::test::runDir() + "/fifo.rec";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {"no-such-recording.txt", "cannot open no-such-recording.txt: not found"},
        {fifo, "cannot open " + fifo + ": not a regular file"},
        {"/dev/zero", "cannot open /dev/zero: not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        InputRecording recording;
        std::string error;
        EXPECT_EQ(recording.readFile(c.path, error), -1);
        EXPECT_EQ(error, c.error);
    }
}
#endif

TEST(InputRecording, TheDigestIsFnv1aOf64Bits)
{
    EXPECT_EQ(zp::digestOf(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(zp::digestOf("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(zp::digestOf("b", zp::digestOf("a")), zp::digestOf("ab"));
}

} // namespace
