#include "zp/AtomicFile.h"

#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
// Writes beyond `bytes` fail with EFBIG while it lives: a full disk, in-process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved);
        previous_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous_handler);
    }

private:
    rlimit saved{};
    void (*previous_handler)(int) = SIG_DFL;
};
#endif

TEST(AtomicFile, CommitReplacesTheTargetWhole)
{
    zp::test::writeFile("settings", "old\n");
    zp::AtomicFile file("settings");
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.write("new "), 0);
    EXPECT_EQ(file.flush(), 0);
    // Until the commit the target holds its old text and the new one waits beside it.
    EXPECT_EQ(zp::test::readFile("settings"), "old\n");
    EXPECT_EQ(zp::test::readFile("settings.tmp"), "new ");
    EXPECT_EQ(file.write("text\n"), 0);
    EXPECT_EQ(file.commit(), 0);
    EXPECT_EQ(zp::test::readFile("settings"), "new text\n");
    EXPECT_FALSE(fs::exists("settings.tmp"));
}

TEST(AtomicFile, ANewFileAppearsOnlyAtCommit)
{
    zp::AtomicFile file("records");
    ASSERT_EQ(file.open(), 0);
    file.write("wave 12\n");
    EXPECT_FALSE(fs::exists("records"));
    EXPECT_EQ(file.commit(), 0);
    EXPECT_EQ(zp::test::readFile("records"), "wave 12\n");
}

TEST(AtomicFile, AnAbandonedFileLeavesTheTargetAsItWas)
{
    zp::test::writeFile("save", "whole game\n");
    {
        zp::AtomicFile file("save");
        ASSERT_EQ(file.open(), 0);
        file.write("half a");
    }
    EXPECT_EQ(zp::test::readFile("save"), "whole game\n");
    EXPECT_FALSE(fs::exists("save.tmp"));

    zp::AtomicFile discarded("save");
    ASSERT_EQ(discarded.open(), 0);
    discarded.write("other");
    discarded.discard();
    EXPECT_EQ(discarded.commit(), -1);
    EXPECT_EQ(zp::test::readFile("save"), "whole game\n");
}

// (Windows has no limit of a process's file size to make a disk look full.)
#ifndef _WIN32
TEST(AtomicFile, AFullDiskKeepsTheOldFile)
{
    zp::test::writeFile("recording", "zp-recording 1\nend 40\n");
    const std::string big(64 * 1024, 'x');
    {
        FileSizeLimit limit(4096);
        zp::AtomicFile file("recording");
        ASSERT_EQ(file.open(), 0);
        file.write(big);
        // The failure is kept: later calls and the commit report it.
        EXPECT_EQ(file.write("more\n"), -1);
        EXPECT_EQ(file.commit(), -1);
    }
    EXPECT_EQ(zp::test::readFile("recording"), "zp-recording 1\nend 40\n");
    EXPECT_FALSE(fs::exists("recording.tmp"));
}
#endif

TEST(AtomicFile, PlacesThatCannotTakeTheFileFail)
{
    // A folder that does not exist: nothing can be opened.
    EXPECT_EQ(zp::writeFileAtomically("no-such-folder/settings", "x"), -1);
    // A folder where the file should be: the rename fails and the folder stays.
    fs::create_directory("taken");
    EXPECT_EQ(zp::writeFileAtomically("taken", "x"), -1);
    EXPECT_TRUE(fs::is_directory("taken"));
    EXPECT_FALSE(fs::exists("taken.tmp"));
}

TEST(AtomicFile, WriteFileAtomicallyWritesTheText)
{
    EXPECT_EQ(zp::writeFileAtomically("settings", "music_volume = 70\n"), 0);
    EXPECT_EQ(zp::test::readFile("settings"), "music_volume = 70\n");
}

} // namespace
