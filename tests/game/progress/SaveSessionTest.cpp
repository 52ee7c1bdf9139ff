// Saves of the level under way, on the shipped level 1: an autosave at every
// wave start, none left once the game is over, the pause menu's save and
// quit (without its own keys), the program's end, continuing a save from the
// menu, and saves that cannot be continued (named, kept, never written over).
#include "progress/SaveSession.h"

#include "LiveDriver.h"
#include "ReplayHarness.h"
#include "app/RecordedRun.h"
#include "content/DataPaths.h"
#include "hud/CurrencyView.h"
#include "level/Level.h"
#include "level/LevelFiles.h"
#include "level/LevelManager.h"
#include "play/Difficulty.h"
#include "play/PlayControls.h"
#include "progress/PlayerFiles.h"
#include "progress/PlayerProgress.h"
#include "progress/SavedGame.h"
#include "screens/GameMenu.h"
#include "screens/GameOver.h"
#include "shop/Build.h"
#include "support/RunDir.h"
#include "turrets/Turret.h"
#include "turrets/TurretKinds.h"

#include "zp/EventMouse.h"
#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/ObjectListIterator.h"
#include "zp/Random.h"
#include "zp/ViewObject.h"
#include "zp/WorldManager.h"

#include <SFML/Window/Keyboard.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using namespace live;

const int MENU_OFFERS_ROW = 20;

class SaveSessionTest : public zp::test::RealGame {
protected:
    void SetUp() override
    {
        RealGame::SetUp();
        zp::GameManager::getInstance().setPaced(false);
        saves = zp::test::runDir() + "/player/saves";
        save_path = saveFileOf(saves, 1);
        PlayerProgress::getInstance().start(zp::test::runDir() + "/player/records", saves, true);
    }

    void TearDown() override
    {
        PlayerProgress::getInstance().stop();
        RealGame::TearDown();
    }

    // Level 1 as the menu starts it, run until its first wave has started
    // and been saved.
    void playToTheFirstAutosave()
    {
        startFirstScreen(1);
        ASSERT_TRUE(driver.until([] { return counterValue("Wave:") == 1; }));
        ASSERT_FALSE(readSavedGame(save_path).canContinue())
            << "saved at the frame start after the wave began";
        driver.frame();
        ASSERT_TRUE(readSavedGame(save_path).canContinue());
    }

    std::string saves;
    std::string save_path;
    Driver driver;
};

TEST_F(SaveSessionTest, EveryWaveStartIsSavedAndAGameOverLeavesNoSave)
{
    const int origin = stepNow();
    ASSERT_NO_FATAL_FAILURE(playToTheFirstAutosave());
    SavedGame first = readSavedGame(save_path);
    ASSERT_TRUE(first.canContinue()) << first.problem;
    EXPECT_EQ(first.level, 1);
    EXPECT_EQ(first.wave, 1);
    // Counted from the level's first step, ending at the frame that saved it, in the state of then.
    EXPECT_EQ(first.recording.getEndStep(), stepNow() - origin - 1);
    EXPECT_EQ(first.recording.getMeta(DATA_META), gameDataDigest(1));

    ASSERT_NO_FATAL_FAILURE(buildAGatling(driver));
    const std::size_t clicks = SaveSession::getInstance().getInputCount();
    ASSERT_TRUE(driver.until([] { return counterValue("Wave:") == 2; }));
    driver.frame();
    SavedGame second = readSavedGame(save_path);
    ASSERT_TRUE(second.canContinue()) << second.problem;
    EXPECT_EQ(second.wave, 2);
    EXPECT_EQ(second.recording.getInputs().size(), clicks) << "the purchases' clicks";
    EXPECT_FALSE(fs::exists(save_path + ".tmp"));

    driver.press(sf::Keyboard::F);
    driver.frame();
    EXPECT_EQ(objectsOf<GameOver>().size(), 1u);
    driver.frame();
    EXPECT_FALSE(fs::exists(save_path)) << "a game that is over leaves nothing to continue";
}

TEST_F(SaveSessionTest, EscDropsACarriedTurretFirstThenOpensThePauseMenu)
{
    ASSERT_NO_FATAL_FAILURE(playToTheFirstAutosave());
    const int currency = counterValue("Currency:");
    driver.click(GATLING_PANEL);
    driver.frame();
    ASSERT_EQ(objectsOf<Build>().size(), 1u);
    driver.press(sf::Keyboard::Escape);
    driver.frame();
    EXPECT_TRUE(objectsOf<Build>().empty()) << "the turret carried is dropped";
    PlayControls* p_controls = objectsOf<PlayControls>().at(0);
    EXPECT_FALSE(p_controls->isPauseMenuShown());
    EXPECT_EQ(counterValue("Currency:"), currency) << "nothing is charged";

    driver.press(sf::Keyboard::Escape);
    const int step = stepNow();
    driver.frames(3);
    EXPECT_TRUE(p_controls->isPauseMenuShown());
    EXPECT_TRUE(zp::GameManager::getInstance().isPaused());
    EXPECT_EQ(stepNow(), step) << "play waits";
    EXPECT_NE(zp::GraphicsManager::getInstance().shownRow(10).find("> Resume"), std::string::npos);

    // Esc again, and Resume, both go back to the game.
    driver.press(sf::Keyboard::Escape);
    driver.frame();
    EXPECT_FALSE(p_controls->isPauseMenuShown());
    EXPECT_FALSE(zp::GameManager::getInstance().isPaused());
    driver.press(sf::Keyboard::Escape);
    driver.press(sf::Keyboard::Down);
    driver.press(sf::Keyboard::Up);
    driver.press(sf::Keyboard::Enter);
    driver.frame();
    EXPECT_FALSE(p_controls->isPauseMenuShown());
    EXPECT_GT(stepNow(), step);

    // Give up: the game is over.
    driver.press(sf::Keyboard::Escape);
    driver.press(sf::Keyboard::Up);
    EXPECT_EQ(objectsOf<GameOver>().size(), 0u);
    driver.frame();
    EXPECT_EQ(p_controls->getPauseMenuChoice(), 2);
    driver.press(sf::Keyboard::Enter);
    driver.frame();
    EXPECT_EQ(objectsOf<GameOver>().size(), 1u);
    EXPECT_FALSE(zp::GameManager::getInstance().isPaused());
}

// Saved and quit from the pause menu, then continued from the menu: the
// game stands where it was, without the pause menu, and is saved on.
TEST_F(SaveSessionTest, SaveAndQuitThenContinueFromTheMenu)
{
    const int origin = stepNow();
    ASSERT_NO_FATAL_FAILURE(playToTheFirstAutosave());
    ASSERT_NO_FATAL_FAILURE(buildAGatling(driver));
    const std::size_t clicks = SaveSession::getInstance().getInputCount();
    driver.frames(40);
    // Paused first, so that the continued game stands still where it is handed over.
    driver.press(sf::Keyboard::P);
    driver.frame();
    const std::uint64_t state = stateDigestSince(origin);
    const int at = stepNow() - origin;
    driver.press(sf::Keyboard::Escape);
    driver.press(sf::Keyboard::Down);
    driver.press(sf::Keyboard::Enter);
    driver.frame();
    ASSERT_EQ(objectsOf<GameMenu>().size(), 1u) << "back to the menu";
    EXPECT_TRUE(objectsOf<WavesGame>().empty() || objectsOf<WavesGame>()[0]->isEnded());
    EXPECT_FALSE(zp::GameManager::getInstance().isPaused());

    SavedGame saved = readSavedGame(save_path);
    ASSERT_TRUE(saved.canContinue()) << saved.problem;
    EXPECT_EQ(saved.recording.getInputs().size(), clicks + 1) << "the pause, without the pause menu's keys";
    EXPECT_EQ(saved.recording.getEndStep(), at);
    EXPECT_EQ(saved.recording.getEndDigest(), state);

    driver.frame();
    EXPECT_EQ(zp::GraphicsManager::getInstance().shownRow(MENU_OFFERS_ROW).substr(0, 27),
              "C  continue level 1, wave 1");

    // Continued: caught up unseen within this frame and the next ones, then handed over.
    driver.press(sf::Keyboard::C);
    ASSERT_TRUE(driver.until([] { return SaveSession::getInstance().isRecording(); }));
    EXPECT_FALSE(zp::GameManager::getInstance().isFastForward());
    const int resumed_origin = stepNow() - at;
    EXPECT_EQ(stateDigestSince(resumed_origin), state) << "the game stands as it was saved";
    EXPECT_EQ(objectsOf<PlayControls>().size(), 1u);
    EXPECT_FALSE(objectsOf<PlayControls>()[0]->isPauseMenuShown());
    EXPECT_TRUE(objectsOf<PlayControls>()[0]->isPausedByPlayer());
    EXPECT_EQ(objectsOf<Turret>().size(), 1u);
    driver.press(sf::Keyboard::P);
    driver.frame();
    EXPECT_FALSE(zp::GameManager::getInstance().isPaused());

    // Saved on: the next wave start holds the whole game from its first step.
    ASSERT_TRUE(driver.until([] { return counterValue("Wave:") == 2; }));
    driver.frame();
    SavedGame on = readSavedGame(save_path);
    ASSERT_TRUE(on.canContinue()) << on.problem;
    EXPECT_EQ(on.wave, 2);
    EXPECT_EQ(on.recording.getInputs().size(), clicks + 2) << "both pauses";
    EXPECT_GT(on.recording.getEndStep(), at);
    EXPECT_EQ(on.recording.getChecks().front().step, 30);
}

// A save keeps its difficulty and its seed: continued while the menu shows
// another difficulty, its game is played at its own, from its own random
// state, and the menu keeps the player's choice.
TEST_F(SaveSessionTest, ASaveIsContinuedAtItsOwnDifficultyFromItsOwnSeed)
{
    struct ChosenAgain {
        ~ChosenAgain() { chooseDifficulty(Difficulty::NORMAL); }
    } normal_again;
    zp::Random& random = zp::GameManager::getInstance().getRandom();
    const std::uint64_t seed = 0x5eed5eed5eed5eedULL;
    random.setState(seed);
    chooseDifficulty(Difficulty::VETERAN);
    ASSERT_NO_FATAL_FAILURE(playToTheFirstAutosave());
    EXPECT_EQ(counterValue("Lives:"), difficultyRow(Difficulty::VETERAN).lives);
    driver.frames(20);
    SaveSession::getInstance().programEnds();
    SavedGame saved = readSavedGame(save_path);
    ASSERT_TRUE(saved.canContinue()) << saved.problem;
    EXPECT_EQ(saved.recording.getMeta(DIFFICULTY_META), "veteran");
    ASSERT_TRUE(saved.recording.hasSeed());
    EXPECT_EQ(saved.recording.getSeed(), seed);

    zp::WorldManager::getInstance().shutDown();
    zp::WorldManager::getInstance().startUp();
    chooseDifficulty(Difficulty::CASUAL);
    random.setState(seed + 1);
    new GameMenu;
    driver.frame();
    driver.press(sf::Keyboard::C);
    ASSERT_TRUE(driver.until([] { return SaveSession::getInstance().isRecording(); }))
        << SaveSession::getInstance().getNotice();
    EXPECT_EQ(SaveSession::getInstance().getNotice(), "");
    ASSERT_EQ(objectsOf<WavesGame>().size(), 1u);
    EXPECT_EQ(objectsOf<WavesGame>()[0]->getDifficulty(), Difficulty::VETERAN);
    EXPECT_EQ(counterValue("Lives:"), difficultyRow(Difficulty::VETERAN).lives);
    EXPECT_EQ(random.getState(), seed) << "the game draws none: the state is the save's seed";
    EXPECT_EQ(chosenDifficulty(), Difficulty::CASUAL) << "the menu's choice";
    EXPECT_EQ(SaveSession::getInstance().getRecording().getSeed(), seed) << "recorded on from the same seed";
}

// Closing the window (or a stop signal) ends the program with the level
// saved where it stood, without the pause menu if it was open.
TEST_F(SaveSessionTest, TheProgramsEndSavesTheLevelUnderWay)
{
    const int origin = stepNow();
    ASSERT_NO_FATAL_FAILURE(playToTheFirstAutosave());
    driver.click(GATLING_PANEL);
    driver.frames(25);
    driver.press(sf::Keyboard::Escape);
    driver.press(sf::Keyboard::Escape);
    driver.frame();
    ASSERT_TRUE(objectsOf<PlayControls>()[0]->isPauseMenuShown());
    SaveSession::getInstance().programEnds();
    SavedGame saved = readSavedGame(save_path);
    ASSERT_TRUE(saved.canContinue()) << saved.problem;
    EXPECT_EQ(saved.recording.getEndStep(), stepNow() - origin);
    EXPECT_EQ(saved.recording.getInputs().size(), 2u) << "the click and the Esc that dropped the turret";
}

TEST_F(SaveSessionTest, ASaveThatCannotBeContinuedIsNamedKeptAndNeverWrittenOver)
{
    fs::create_directories(saves);
    const std::string other_data = "zp-recording 1\nmeta level 1\nmeta save 1\nmeta data 0123456789abcdef\n"
                                   "meta wave 4\nend 900 0123456789abcdef\n";
    zp::test::writeFile(save_path, other_data);
    PlayerProgress& progress = PlayerProgress::getInstance();
    progress.refreshSaves();
    EXPECT_EQ(progress.latestSave(), nullptr);
    ASSERT_EQ(progress.getNotices().size(), 1u);
    EXPECT_NE(progress.getNotices()[0].find("level1.rec"), std::string::npos);
    EXPECT_NE(readSavedGame(save_path).problem.find("other game data"), std::string::npos);
    progress.refreshSaves();
    EXPECT_EQ(progress.getNotices().size(), 1u) << "named once";

    // A new game of the level moves it aside before its first save.
    ASSERT_NO_FATAL_FAILURE(playToTheFirstAutosave());
    EXPECT_TRUE(readSavedGame(save_path).canContinue());
    int aside = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(saves))
        if (entry.path().filename().string().rfind("level1.rec.bad-", 0) == 0) {
            ++aside;
            EXPECT_EQ(zp::test::readFile(entry.path().string()), other_data);
        }
    EXPECT_EQ(aside, 1);
}

// A save keeps what its game depended on. Made with other game data (a
// level's board or path edited, or a turret's numbers changed since), it
// would not replay the same: it is refused with a message that says so, and
// the file is kept as it is.
TEST_F(SaveSessionTest, ASaveMadeWithOtherGameDataIsRefusedWithAMessageAndKept)
{
    ASSERT_NO_FATAL_FAILURE(playToTheFirstAutosave());
    SaveSession::getInstance().programEnds();
    const std::string text = zp::test::readFile(save_path);
    ASSERT_TRUE(readSavedGame(save_path).canContinue());

    // The level's files, copied into a data folder of the test's own.
    const std::string data = zp::test::runDir() + "/data/";
    fs::create_directories(data + "Levels/Level1");
    for (const char* file : {LEVELS[0].level_file, LEVELS[0].path_file})
        fs::copy_file(gameDataPath(file), data + file);
    struct DataBack {
        std::string dir = gameDataDir();
        ~DataBack() { setGameDataDir(dir); }
    } data_back;
    setGameDataDir(data);
    ASSERT_TRUE(readSavedGame(save_path).canContinue()) << "the same data, from another folder";

    struct Edit {
        const char* what;
        const char* file;
        std::string from;
        std::string to;
    };
    const Edit edits[] = {
        {"the level's name", LEVELS[0].level_file, "name Ember Road", "name Ember Lane"},
        {"a waypoint of its path", LEVELS[0].path_file, "pos_y 5\n", "pos_y 6\n"},
    };
    PlayerProgress& progress = PlayerProgress::getInstance();
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.what);
        const std::string path = data + edit.file;
        const std::string original = zp::test::readFile(path);
        std::string changed = original;
        const std::size_t at = changed.find(edit.from);
        ASSERT_NE(at, std::string::npos);
        zp::test::writeFile(path, changed.replace(at, edit.from.size(), edit.to));

        const SavedGame refused = readSavedGame(save_path);
        EXPECT_FALSE(refused.canContinue());
        EXPECT_NE(refused.problem.find("was made with other game data"), std::string::npos)
            << refused.problem;
        progress.stop();
        progress.start(zp::test::runDir() + "/player/records", saves, true);
        progress.refreshSaves();
        EXPECT_EQ(progress.latestSave(), nullptr) << "no continue offered";
        ASSERT_EQ(progress.getNotices().size(), 1u);
        EXPECT_NE(progress.getNotices()[0].find("cannot be continued and is kept"), std::string::npos);
        EXPECT_EQ(zp::test::readFile(save_path), text) << "kept as it is";

        zp::test::writeFile(path, original);
        EXPECT_TRUE(readSavedGame(save_path).canContinue()) << "the data as it was";
    }

    // Each of a turret kind's numbers is part of what a save depends on: its
    // price, its base numbers and its upgrades'.
    const std::string shipped = gameDataDigest(1);
    EXPECT_EQ(gameDataDigest(1, SHIPPED_TURRET_KINDS), shipped);
    const std::vector<std::pair<const char*, std::function<void(TurretKind&)>>> changes = {
        {"price", [](TurretKind& kind) { kind.price += 1; }},
        {"range", [](TurretKind& kind) { kind.base.range += 1; }},
        {"damage", [](TurretKind& kind) { kind.base.damage += 1; }},
        {"fire rate", [](TurretKind& kind) { kind.base.fire_rate += 1; }},
        {"freeze", [](TurretKind& kind) { kind.base.freeze_steps += 1; }},
        {"upgrade cost", [](TurretKind& kind) { kind.upgrades[1].cost += 1; }},
        {"upgrade damage", [](TurretKind& kind) { kind.upgrades[0].stats.damage += 1; }},
        {"sprite file", [](TurretKind& kind) { kind.turret_sprite_file += "x"; }},
    };
    for (const auto& [what, change] : changes) {
        TurretKind rocket = ROCKET_KIND;
        change(rocket);
        EXPECT_NE(gameDataDigest(1, {&GATLING_KIND, &rocket, &FREEZE_KIND}), shipped) << what;
    }
    EXPECT_NE(gameDataDigest(1, {&ROCKET_KIND, &GATLING_KIND, &FREEZE_KIND}), shipped) << "the panels' order";
}

// A save that does not replay to the state it holds (another version's
// rules) goes back to the menu with a message, and is kept aside.
TEST_F(SaveSessionTest, ASaveThatPlaysOtherwiseIsRefusedAndKept)
{
    ASSERT_NO_FATAL_FAILURE(playToTheFirstAutosave());
    SaveSession::getInstance().programEnds();
    SavedGame saved = readSavedGame(save_path);
    ASSERT_TRUE(saved.canContinue());
    saved.recording.setEndDigest(saved.recording.getEndDigest() ^ 1);
    std::string error;
    ASSERT_EQ(writePlayerFile(
                  save_path,
                  [&] {
                      std::ostringstream out;
                      saved.recording.write(out);
                      return out.str();
                  }(),
                  error),
              0);
    const std::string text = zp::test::readFile(save_path);

    zp::WorldManager::getInstance().shutDown();
    zp::WorldManager::getInstance().startUp();
    ASSERT_EQ(SaveSession::getInstance().resume(readSavedGame(save_path)), 0);
    ASSERT_TRUE(driver.until([] { return !SaveSession::getInstance().isCatchingUp(); }));
    driver.frame();
    EXPECT_FALSE(SaveSession::getInstance().isRecording());
    EXPECT_EQ(objectsOf<GameMenu>().size(), 1u);
    EXPECT_NE(SaveSession::getInstance().getNotice().find("does not play as it was saved"), std::string::npos)
        << SaveSession::getInstance().getNotice();
    EXPECT_FALSE(fs::exists(save_path));
    bool kept = false;
    for (const fs::directory_entry& entry : fs::directory_iterator(saves))
        kept = kept || zp::test::readFile(entry.path().string()) == text;
    EXPECT_TRUE(kept);
}

} // namespace
