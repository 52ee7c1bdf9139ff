// Plays a real recording in this process, headless and unpaced, on the
// shipped data set, from the step under way: for tests of what a whole game
// leaves behind (its statistics, its saves). The recording's checks are
// compared as it goes.
#pragma once

#include "GameFixture.h"
#include "app/GameState.h"
#include "app/RecordedRun.h"
#include "content/Resources.h"
#include "play/Difficulty.h"
#include "play/WavesGame.h"

#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"

#include <gtest/gtest.h>

#include <string>

namespace zp::test {

// The game's data loaded, no game played yet.
class RealGame : public GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        loadResources();
        forgetPlayResults();
    }

    void TearDown() override
    {
        InputManager::getInstance().setReplayer(nullptr);
        GameFixture::TearDown();
    }

    static std::string regressionGame(const std::string& name)
    {
        return std::string(ZP_SOURCE_DIR "/tests/recordings/") + name + ".rec";
    }

    // Plays the recording to its end; `after_run` is called when the loop
    // has ended, before the replay is judged.
    static void play(const std::string& path, const std::function<void()>& after_run = nullptr)
    {
        InputRecording recording;
        int level = 0;
        std::string error;
        ASSERT_EQ(readRecordingFile(path, recording, level, error), 0) << error;
        GameManager& engine = GameManager::getInstance();
        engine.setPaced(false);
        const int origin = engine.getStepCount();
        InputReplayer replayer(recording, [origin] { return stateDigestSince(origin); });
        replayer.setStepOrigin(origin);
        InputManager::getInstance().setReplayer(&replayer);
        // Played at the recording's difficulty, as the program plays it.
        chooseDifficulty(recordingDifficulty(recording));
        startFirstScreen(level);
        engine.run();
        chooseDifficulty(Difficulty::NORMAL);
        InputManager::getInstance().setReplayer(nullptr);
        if (after_run)
            after_run();
        replayer.finish(engine.getStepCount());
        EXPECT_FALSE(replayer.hasFailed()) << replayer.getError();
    }
};

} // namespace zp::test
