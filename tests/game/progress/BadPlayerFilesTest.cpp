// The files the game keeps for the player (settings, best results, saves),
// each broken in every way a file is broken: garbage, empty, cut short, from
// a newer game, in a folder that takes no files, in a full folder. The game
// goes on each time, with its defaults, says which file and what is wrong,
// and loses nothing already kept: a file it cannot read is left as it was
// or moved aside whole, and a file it cannot write keeps its old content.
// The folders that take no files and the full ones are small file systems
// of the test's own process (a read-only tmpfs, a 16 kB tmpfs).
#include "LiveDriver.h"
#include "ReplayHarness.h"
#include "app/Settings.h"
#include "progress/PlayerProgress.h"
#include "progress/PlayerSettings.h"
#include "progress/Records.h"
#include "progress/SaveSession.h"
#include "progress/SavedGame.h"
#include "support/FreshProcess.h"
#include "support/PrivateMounts.h"
#include "support/RunDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

enum class Kept { SETTINGS, RECORDS, SAVES };
enum class Trouble { GARBAGE, EMPTY, CUT_SHORT, FROM_A_NEWER_GAME, FOLDER_TAKES_NO_FILES, FOLDER_FULL };

const char* keptName(Kept kept)
{
    return kept == Kept::SETTINGS ? "settings" : kept == Kept::RECORDS ? "records" : "saves";
}

// A whole file of each kind, as the game writes it.
std::string goodFile(Kept kept)
{
    switch (kept) {
    case Kept::SETTINGS:
        return "music_volume = 40\nsound_volume = 70\nmute = false\n";
    case Kept::RECORDS:
        return "cinderwatch-records 1\nbest level 1 difficulty normal wave 8 enemies 43 steps 3955\nend\n";
    case Kept::SAVES:
        break;
    }
    return "zp-recording 1\nmeta level 1\nmeta save 1\nmeta data " + gameDataDigest(1) +
           "\nmeta wave 2\nmouse 10 moved 0 30 20\nend 300 00000000000000aa\n";
}

struct BadFile {
    Kept kept;
    Trouble trouble;
    // The file as it is found (for the troubles of reading).
    std::string content;
    // A piece of what the game says about it; "" when the file is fine as it is.
    std::string said;
};

// Test names say the case, not its bytes.
void PrintTo(const BadFile& bad, std::ostream* out)
{
    *out << keptName(bad.kept) << " " << int(bad.trouble);
}

const std::vector<BadFile>& badFiles()
{
    static const std::vector<BadFile> table = {
        {Kept::SETTINGS, Trouble::GARBAGE, "\x7f\x01 nonsense\n", "is not a 'key = value' line"},
        {Kept::SETTINGS, Trouble::EMPTY, "", "is empty"},
        {Kept::SETTINGS, Trouble::CUT_SHORT, "sound_volume = 70\nmusic_volume = 4",
         "music_volume takes a volume"},
        // A key of a newer game is no problem: it is kept as it stands.
        {Kept::SETTINGS, Trouble::FROM_A_NEWER_GAME, "difficulty = nightmare\nsound_volume = 70\n", ""},
        {Kept::SETTINGS, Trouble::FOLDER_TAKES_NO_FILES, "", "could not be written"},
        {Kept::SETTINGS, Trouble::FOLDER_FULL, "", "could not be written"},
        {Kept::RECORDS, Trouble::GARBAGE, "\x7f\x01 nonsense\n", "not a file of best results"},
        {Kept::RECORDS, Trouble::EMPTY, "", "the file is empty"},
        {Kept::RECORDS, Trouble::CUT_SHORT,
         "cinderwatch-records 1\nbest level 1 difficulty normal wave 8 enemies 43 steps 3955\n", "cut short"},
        {Kept::RECORDS, Trouble::FROM_A_NEWER_GAME, "cinderwatch-records 2\nbest level 1 anything\nend\n",
         "from a newer Cinderwatch"},
        {Kept::RECORDS, Trouble::FOLDER_TAKES_NO_FILES, "", "cannot write"},
        {Kept::RECORDS, Trouble::FOLDER_FULL, "", "cannot write"},
        {Kept::SAVES, Trouble::GARBAGE, "\x7f\x01 nonsense\n", "is not a saved game"},
        {Kept::SAVES, Trouble::EMPTY, "", "is empty"},
        {Kept::SAVES, Trouble::CUT_SHORT,
         "zp-recording 1\nmeta level 1\nmeta save 1\nmeta wave 2\nmouse 10 moved 0 30 20\nmouse 12 mov",
         "is not a saved game: line 6"},
        {Kept::SAVES, Trouble::FROM_A_NEWER_GAME, "zp-recording 1\nmeta level 1\nmeta save 2\nend 300\n",
         "a save of version 2, from a newer Cinderwatch"},
        {Kept::SAVES, Trouble::FOLDER_TAKES_NO_FILES, "", "could not be saved"},
        {Kept::SAVES, Trouble::FOLDER_FULL, "", "could not be saved"},
    };
    return table;
}

class BadPlayerFiles : public zp::test::RealGame, public testing::WithParamInterface<BadFile> {
protected:
    void SetUp() override
    {
        RealGame::SetUp();
        zp::GameManager::getInstance().setPaced(false);
        folder = zp::test::runDir() + "/player";
        path = folder + "/" +
               (GetParam().kept == Kept::SETTINGS  ? "settings"
                : GetParam().kept == Kept::RECORDS ? "records"
                                                   : "saves/level1.rec");
    }

    void TearDown() override
    {
        PlayerProgress::getInstance().stop();
        PlayerSettings::getInstance().stop();
        RealGame::TearDown();
    }

    // The game reads the file as it does at its start: what it says, and
    // that it goes on with its defaults.
    std::vector<std::string> readAsTheGameDoes()
    {
        std::vector<std::string> said;
        switch (GetParam().kept) {
        case Kept::SETTINGS: {
            Settings settings(path);
            settings.load(said);
            EXPECT_EQ(settings.getValues().music_volume, zp::VOLUME_MAX);
            break;
        }
        case Kept::RECORDS: {
            Records records(path);
            records.load(said);
            EXPECT_EQ(records.best(1, DIFFICULTY_DEFAULT), nullptr);
            break;
        }
        case Kept::SAVES: {
            const SavedGame save = readSavedGame(path);
            if (!save.problem.empty())
                said.push_back(save.problem);
            PlayerProgress::getInstance().start(folder + "/records", folder + "/saves", true);
            PlayerProgress::getInstance().refreshSaves();
            EXPECT_EQ(PlayerProgress::getInstance().latestSave(), nullptr) << "nothing to continue";
            break;
        }
        }
        return said;
    }

    // The game writes the file as it does after the player changed it: what
    // it says ("" when it wrote it).
    std::string writeAsTheGameDoes()
    {
        switch (GetParam().kept) {
        case Kept::SETTINGS: {
            PlayerSettings& settings = PlayerSettings::getInstance();
            settings.start(path, true);
            SettingsValues values = settings.getValues();
            values.music_volume = 90;
            settings.change(values);
            EXPECT_EQ(zp::ResourceManager::getInstance().getMusicVolume(), 90) << "heard all the same";
            return settings.getProblem();
        }
        case Kept::RECORDS: {
            Records records(path);
            std::vector<std::string> ignored;
            records.load(ignored);
            std::string error;
            EXPECT_TRUE(records.offer(1, DIFFICULTY_DEFAULT, {9, 50, 4000}, error))
                << "a new best all the same";
            return error;
        }
        case Kept::SAVES:
            break;
        }
        // A new game of level 1, played to its first wave, whose start is saved.
        PlayerProgress::getInstance().start(folder + "/records", folder + "/saves", true);
        startFirstScreen(1);
        live::Driver driver;
        EXPECT_TRUE(driver.until([] { return live::counterValue("Wave:") == 1; }));
        driver.frames(2);
        EXPECT_EQ(live::counterValue("Wave:"), 1) << "the game goes on";
        return SaveSession::getInstance().getNotice();
    }

    // The file's content is still there: where it was, or moved aside whole.
    void expectKept(const std::string& content)
    {
        bool kept = fs::is_regular_file(path) && zp::test::readFile(path) == content;
        for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(path).parent_path()))
            kept = kept || (entry.path().filename().string().rfind(
                                fs::path(path).filename().string() + ".bad-", 0) == 0 &&
                            zp::test::readFile(entry.path().string()) == content);
        EXPECT_TRUE(kept) << "lost: " << content;
    }

    std::string folder;
    std::string path;
};

TEST_P(BadPlayerFiles, TheGameGoesOnSaysWhatIsWrongAndLosesNothing)
{
    const BadFile& bad = GetParam();
    if (bad.trouble != Trouble::FOLDER_TAKES_NO_FILES && bad.trouble != Trouble::FOLDER_FULL) {
        fs::create_directories(fs::path(path).parent_path());
        zp::test::writeFile(path, bad.content);
        const std::vector<std::string> said = readAsTheGameDoes();
        if (bad.said.empty()) {
            EXPECT_TRUE(said.empty()) << said[0];
        } else {
            ASSERT_FALSE(said.empty()) << "nothing said";
            EXPECT_NE(said[0].find(bad.said), std::string::npos) << said[0];
            EXPECT_NE(said[0].find(path), std::string::npos) << "names the file: " << said[0];
        }
        expectKept(bad.content);
        // The next write keeps what the person wrote, or writes beside what it moved aside.
        EXPECT_EQ(writeAsTheGameDoes(), "");
        if (bad.kept == Kept::SETTINGS && bad.trouble == Trouble::FROM_A_NEWER_GAME)
            EXPECT_EQ(zp::test::readFile(path).rfind("difficulty = nightmare\n", 0), 0u);
        else if (bad.kept != Kept::SETTINGS)
            expectKept(bad.content);
        return;
    }

    std::string reason;
    if (!zp::test::canMountPrivately(reason))
        GTEST_SKIP() << reason;
    ZP_EXPECT_IN_FRESH_PROCESS({
        std::string error;
        ASSERT_EQ(zp::test::enterPrivateMounts(error), 0) << error;
        const std::string small = fs::path(path).parent_path().string();
        ASSERT_EQ(zp::test::mountSmallFolder(small, 16, error), 0) << error;
        const std::string good = goodFile(bad.kept);
        zp::test::writeFile(path, good);
        if (bad.trouble == Trouble::FOLDER_FULL)
            zp::test::fillUp(small);
        else
            ASSERT_EQ(zp::test::makeReadOnly(small, error), 0) << error;
        const std::string said = writeAsTheGameDoes();
        EXPECT_NE(said.find(bad.said), std::string::npos) << said;
        EXPECT_NE(said.find(path), std::string::npos) << "names the file: " << said;
        EXPECT_EQ(zp::test::readFile(path), good) << "the file as it was";
        EXPECT_FALSE(fs::exists(path + ".tmp"));
    });
}

const char* troubleName(Trouble trouble)
{
    switch (trouble) {
    case Trouble::GARBAGE:
        return "Garbage";
    case Trouble::EMPTY:
        return "Empty";
    case Trouble::CUT_SHORT:
        return "CutShort";
    case Trouble::FROM_A_NEWER_GAME:
        return "FromANewerGame";
    case Trouble::FOLDER_TAKES_NO_FILES:
        return "FolderTakesNoFiles";
    case Trouble::FOLDER_FULL:
        break;
    }
    return "FolderFull";
}

INSTANTIATE_TEST_SUITE_P(EveryKeptFile, BadPlayerFiles, testing::ValuesIn(badFiles()),
                         [](const testing::TestParamInfo<BadFile>& info) {
                             return std::string(keptName(info.param.kept)) + "_" +
                                    troubleName(info.param.trouble);
                         });

} // namespace
