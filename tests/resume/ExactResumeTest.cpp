// Exact resume, checked the way lockstep replays check a game: each
// regression game is replayed here with saving on, and its save is taken at
// every wave start, as a player's game is. Each of those saves is then
// continued by the real program, in a process of its own, and fed the rest
// of the game's input. The continued game must reach the uninterrupted
// game's state at every check and at its end (the replay compares the
// digests as it goes), and record the very same game: the same input, the
// same check lines, the same end.
#include "ReplayHarness.h"
#include "progress/PlayerProgress.h"
#include "progress/SaveSession.h"
#include "support/RunDir.h"

#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct Autosave {
    int wave;
    std::string text;
};

// What the uninterrupted game left: a save at each wave start, and the
// level's whole game to its end, as the save session recorded them.
struct Uninterrupted {
    std::vector<Autosave> autosaves;
    std::string game;
};

std::string text(const zp::InputRecording& recording)
{
    std::ostringstream out;
    recording.write(out);
    return out.str();
}

std::string firstLine(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

// Runs the real program in the run folder; its exit status, its output in
// `name`.out and .err.
int runGame(const std::string& arguments, const std::string& name)
{
    const std::string command = "cd '" + zp::test::runDir() + "' && '" ZP_BUILD_DIR "/cinderwatch' " +
                                arguments + " >" + name + ".out 2>" + name + ".err";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

std::string runFile(const std::string& name)
{
    return zp::test::runDir() + "/" + name;
}

void expectSameGame(const zp::InputRecording& resumed, const zp::InputRecording& whole)
{
    EXPECT_TRUE(resumed.getInputs() == whole.getInputs()) << "the input differs";
    ASSERT_EQ(resumed.getChecks().size(), whole.getChecks().size());
    for (std::size_t i = 0; i < whole.getChecks().size(); ++i) {
        EXPECT_EQ(resumed.getChecks()[i].step, whole.getChecks()[i].step) << "check " << i;
        EXPECT_EQ(resumed.getChecks()[i].digest, whole.getChecks()[i].digest)
            << "check at step " << whole.getChecks()[i].step;
    }
    EXPECT_EQ(resumed.getEndStep(), whole.getEndStep());
    EXPECT_EQ(resumed.getEndDigest(), whole.getEndDigest());
}

class ExactResume : public zp::test::RealGame, public testing::WithParamInterface<const char*> {
protected:
    void TearDown() override
    {
        SaveSession::getInstance().setObserver(nullptr);
        PlayerProgress::getInstance().stop();
        RealGame::TearDown();
    }

    // Replays the regression game here, from the step under way, with the
    // player's saving on.
    Uninterrupted playWithSaves(const std::string& path)
    {
        Uninterrupted played;
        PlayerProgress::getInstance().start(runFile("records"), runFile("saves"), true);
        SaveSession::getInstance().setObserver([&](const zp::InputRecording& saved, SaveMoment moment) {
            if (moment == SaveMoment::WAVE_START)
                played.autosaves.push_back({std::stoi(saved.getMeta("wave")), text(saved)});
            else
                played.game = text(saved);
        });
        // A game still under way at the end is saved as the program's end saves it.
        play(path, [] { SaveSession::getInstance().programEnds(); });
        return played;
    }
};

TEST_P(ExactResume, EverySaveContinuesToTheSameGame)
{
    const Uninterrupted played = playWithSaves(regressionGame(GetParam()));
    ASSERT_FALSE(played.game.empty()) << "the level was not recorded";
    ASSERT_FALSE(played.autosaves.empty()) << "no wave started";
    zp::test::writeFile(runFile("game.rec"), played.game);
    zp::InputRecording whole;
    std::string error;
    std::istringstream whole_text(played.game);
    ASSERT_EQ(whole.read(whole_text, error), 0) << error;

    // The level's game alone, uninterrupted, by the real program.
    ASSERT_EQ(runGame("--replay game.rec --headless", "whole"), 0)
        << zp::test::readFile(runFile("whole.err"));
    const std::string expected = firstLine(runFile("whole.out"));
    ASSERT_EQ(expected.rfind("final step ", 0), 0u) << expected;

    int previous_wave = 0;
    for (const Autosave& autosave : played.autosaves) {
        SCOPED_TRACE("the save at the start of wave " + std::to_string(autosave.wave));
        EXPECT_EQ(autosave.wave, previous_wave + 1) << "a save at every wave start";
        previous_wave = autosave.wave;
        const std::string name = "wave" + std::to_string(autosave.wave);
        zp::test::writeFile(runFile(name + ".rec"), autosave.text);
        const int status = runGame("--continue " + name + ".rec --replay game.rec --headless --record " +
                                       name + "-resumed.rec",
                                   name);
        EXPECT_EQ(status, 0) << zp::test::readFile(runFile(name + ".err"));
        EXPECT_EQ(firstLine(runFile(name + ".out")), expected);
        zp::InputRecording resumed;
        ASSERT_EQ(resumed.readFile(runFile(name + "-resumed.rec"), error), 0) << error;
        expectSameGame(resumed, whole);
    }
}

INSTANTIATE_TEST_SUITE_P(RegressionGames, ExactResume,
                         testing::Values("level1-one-gatling", "level1-veteran-upgrader", "level2-greedy",
                                         "level2-one-gatling", "level3-one-gatling",
                                         "level3-veteran-targeting", "menu-level1-sale",
                                         "menu-level2-help-speed", "menu-level3-controls"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

} // namespace
