// The reader of every text file from outside: lines as the formats define
// them, only regular files, and lines refused past the length limit or with
// a NUL byte, with the file and the line named.
#include "zp/LineReader.h"

#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <istream>
#include <iterator>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using zp::LineReader;
using zp::MAX_LINE_BYTES;

// The same text read from a file and from a stream in memory.
class EitherSource {
public:
    EitherSource(const std::string& text, bool from_file)
    {
        if (from_file) {
            // Named as given: the test's run folder is the working folder.
            zp::test::writeFile("text.txt", text);
            p_reader = std::make_unique<LineReader>("text.txt");
        } else {
            memory.str(text);
            p_reader = std::make_unique<LineReader>(memory, "text.txt");
        }
    }
    LineReader& reader() { return *p_reader; }

private:
    std::istringstream memory;
    std::unique_ptr<LineReader> p_reader;
};

std::vector<std::string> allLines(LineReader& reader)
{
    std::vector<std::string> lines;
    for (std::string line; reader.readLine(line);)
        lines.push_back(line);
    return lines;
}

TEST(LineReader, LinesEndAtALineFeedWithoutTheCarriageReturnBeforeIt)
{
    const std::string long_line(MAX_LINE_BYTES, 'x');
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"only a trailing CR goes", "one\r\n\rtwo\r\r\nthree", {"one", "\rtwo\r", "three"}},
        {"blank lines count", "a\n\n\nb\n", {"a", "", "", "b"}},
        {"no line at all", "", {}},
        {"a last line without its break", "a\nb", {"a", "b"}},
        {"a line as long as allowed", long_line + "\n" + long_line + "\r\nz", {long_line, long_line, "z"}},
    };
    for (bool from_file : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (from_file ? " (file)" : " (memory)"));
            EitherSource source(c.text, from_file);
            LineReader& reader = source.reader();
            ASSERT_TRUE(reader.isOpen());
            EXPECT_EQ(allLines(reader), c.lines);
            EXPECT_TRUE(reader.atEnd());
            EXPECT_FALSE(reader.failed()) << reader.getError().text();
            EXPECT_EQ(reader.getLineNumber(), int(c.lines.size()));
        }
    }
}

TEST(LineReader, ALineTooLongOrWithANulByteRefusesTheRestOfTheFile)
{
    const std::string too_long(MAX_LINE_BYTES + 1, 'x');
    const std::string too_long_message =
        "the line is longer than " + std::to_string(MAX_LINE_BYTES) + " bytes; the file is refused";
    const std::string nul_message = "the line holds a NUL byte; the file is refused";
    const struct {
        const char* name;
        std::string text;
        std::vector<std::string> lines_before;
        int refused_line;
        std::string message;
    } cases[] = {
        {"one byte too many", "ok\n" + too_long + "\nnever read\n", {"ok"}, 2, too_long_message},
        {"one byte too many before a CR", too_long + "\r\n", {}, 1, too_long_message},
        {"a CR that is not before the line feed counts",
         std::string(MAX_LINE_BYTES, 'x') + "\ry\n",
         {},
         1,
         too_long_message},
        {"far too long, without a break", std::string(3 * MAX_LINE_BYTES, 'x'), {}, 1, too_long_message},
        {"a NUL inside a line",
         std::string("meta level 1\nkey 5\0 pressed 16\nend 9\n", 35),
         {"meta level 1"},
         2,
         nul_message},
        {"nothing but NUL bytes", std::string(100, '\0'), {}, 1, nul_message},
        {"a NUL in the last line, without a break", std::string("a\nb\0", 4), {"a"}, 2, nul_message},
    };
    for (bool from_file : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (from_file ? " (file)" : " (memory)"));
            EitherSource source(c.text, from_file);
            LineReader& reader = source.reader();
            EXPECT_EQ(allLines(reader), c.lines_before);
            EXPECT_TRUE(reader.failed());
            EXPECT_TRUE(reader.atEnd());
            EXPECT_EQ(reader.getError().line, c.refused_line);
            EXPECT_EQ(reader.getError().text(),
                      "text.txt:" + std::to_string(c.refused_line) + ": " + c.message);
            std::string after;
            EXPECT_FALSE(reader.readLine(after)) << "nothing is read after a refused line";
            EXPECT_EQ(after, "");
        }
    }
}

// A source of 'x' far longer than the limit (64 times; as good as endless
// for the reader, and still bounded should the reader fail to stop), that
// counts what it gave: a line without end (a file that grows, a device
// behind a link) is refused past the limit, not read to its end.
class EndlessLine : public std::streambuf {
public:
    std::size_t given = 0;

protected:
    int_type underflow() override
    {
        if (given >= 64 * MAX_LINE_BYTES)
            return traits_type::eof();
        std::fill(std::begin(block), std::end(block), 'x');
        given += sizeof block;
        setg(block, block, block + sizeof block);
        return traits_type::to_int_type('x');
    }

private:
    char block[4096];
};

TEST(LineReader, ALineWithoutEndIsRefusedPastTheLimitNotReadToItsEnd)
{
    EndlessLine endless;
    std::istream in(&endless);
    LineReader reader(in, "endless");
    std::string line;
    EXPECT_FALSE(reader.readLine(line));
    EXPECT_TRUE(reader.failed());
    EXPECT_EQ(reader.getError().line, 1);
    EXPECT_LE(endless.given, MAX_LINE_BYTES + 2 * 4096) << "read beyond the limit";
}

#ifndef _WIN32 // FIFOs, devices and symbolic links as POSIX has them
TEST(LineReader, OnlyRegularFilesAreOpenedAndNothingWaits)
{
    const std::string here = zp::test::runDir();
    const std::string fifo = here + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string regular = zp::test::writeFile("regular.txt", "a line\n");
    ASSERT_EQ(symlink(fifo.c_str(), (here + "/link-to-fifo").c_str()), 0);
    ASSERT_EQ(symlink(regular.c_str(), (here + "/link-to-file").c_str()), 0);

    const struct {
        std::string path;
        std::string problem; // empty: opened
    } cases[] = {
        {regular, ""},
        {here + "/link-to-file", ""},
        {here + "/missing.txt", "not found"},
        {fifo, "not a regular file"}, // opening it to read would wait for a writer
        {here + "/link-to-fifo", "not a regular file"},
        {here, "not a regular file"},
        {"/dev/zero", "not a regular file"}, // it would never end
        {"/dev/null", "not a regular file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        LineReader reader(c.path);
        EXPECT_EQ(zp::isRegularFile(c.path), c.problem.empty());
        EXPECT_EQ(reader.isOpen(), c.problem.empty());
        if (c.problem.empty()) {
            EXPECT_EQ(allLines(reader), std::vector<std::string>{"a line"});
            EXPECT_FALSE(reader.failed());
            continue;
        }
        EXPECT_TRUE(reader.failed());
        EXPECT_TRUE(reader.atEnd());
        EXPECT_EQ(reader.getError().text(), c.path + ": " + c.problem);
        std::string line;
        EXPECT_FALSE(reader.readLine(line));
    }
}
#endif

TEST(LineReader, AFormatsOwnErrorNamesTheFileAndTheLineReadLast)
{
    std::istringstream text("frames 1\nwidth 3\n");
    LineReader reader(text, "sprite.txt");
    EXPECT_EQ(reader.errorAtLine("nothing read yet").text(), "sprite.txt: nothing read yet");
    std::string line;
    reader.readLine(line);
    reader.readLine(line);
    EXPECT_EQ(reader.errorAtLine("width 3 is too narrow").text(), "sprite.txt:2: width 3 is too narrow");
    EXPECT_FALSE(reader.failed()) << "the format's error is the format's to report";
}

} // namespace
