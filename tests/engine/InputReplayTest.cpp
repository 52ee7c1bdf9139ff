// Recording a run's input and playing it back through the input manager: the
// events come back at the step they were taken at, whatever the speed, the
// run ends where the recording does, and a run that takes another course is
// caught at the first check that differs.
#include "support/EngineFixture.h"
#include "support/RecordingObject.h"
#include "support/RunDir.h"

#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/EventStep.h"
#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecorder.h"
#include "zp/InputRecording.h"
#include "zp/InputReplayer.h"
#include "zp/WorldManager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

using zp::InputRecorder;
using zp::InputRecording;
using zp::InputReplayer;
using zp::Position;
using zp::test::RecordingObject;

const int KEY_A = 0;
const int KEY_B = 1;

TEST(InputRecorder, TakesKeyboardAndMouseEventsWithTheirStepAndNothingElse)
{
    InputRecording recording;
    InputRecorder recorder(recording);
    zp::EventKeyboard key;
    key.setKey(KEY_B);
    key.setKeyboardAction(zp::KEY_RELEASED);
    zp::EventMouse mouse;
    mouse.setMouseAction(zp::MOVED);
    mouse.setMouseButton(2);
    mouse.setMousePosition(Position(7, 9));
    const zp::EventStep step_event(3);

    recorder.record(key, 3);
    recorder.record(step_event, 3);
    recorder.record(mouse, 5);
    recorder.finish(8);

    InputRecording expected;
    expected.addKeyboard(3, zp::KEY_RELEASED, KEY_B);
    expected.addMouse(5, zp::MOVED, 2, Position(7, 9));
    EXPECT_EQ(recording.getInputs(), expected.getInputs());
    EXPECT_EQ(recording.getEndStep(), 8);
    EXPECT_FALSE(recording.hasEndDigest()) << "no digest, no checks";
    EXPECT_TRUE(recording.getChecks().empty());
}

TEST(InputRecorder, ChecksAtTheFirstFrameStartOnOrAfterEachInterval)
{
    InputRecording recording;
    int digest_calls = 0;
    InputRecorder recorder(
        recording, [&] { return std::uint64_t(100 + digest_calls++); }, 10);
    // Frames of four steps from step 0, as at the speed 4x.
    for (int step = 0; step <= 36; step += 4)
        recorder.beforeInput(step);
    recorder.finish(37);

    std::vector<int> steps;
    std::vector<std::uint64_t> digests;
    for (const zp::RecordedCheck& check : recording.getChecks()) {
        steps.push_back(check.step);
        digests.push_back(check.digest);
    }
    EXPECT_EQ(steps, (std::vector<int>{12, 20, 32}));
    EXPECT_EQ(digests, (std::vector<std::uint64_t>{100, 101, 102}));
    EXPECT_EQ(recording.getEndDigest(), 103u);
}

// Written as it goes: the file named keeps what it held until the run ends,
// the temporary file beside it grows as the run goes, and the end puts the
// whole recording in place, the same text that write() gives.
TEST(InputRecorder, WrittenAsItGoesTheRecordingIsPutInPlaceWholeAtTheEnd)
{
    const std::string path = zp::test::runDir() + "/run.rec";
    zp::test::writeFile(path, "an older recording\n");
    InputRecording recording;
    recording.setMeta("level", "2");
    int digests = 0;
    // The recorder takes the engine's random state down as it is made.
    zp::GameManager::getInstance().getRandom().setState(42);
    InputRecorder recorder(
        recording, [&] { return std::uint64_t(++digests); }, 10);
    ASSERT_EQ(recorder.writeAsItGoes(path), 0);
    EXPECT_EQ(zp::test::readFile(path + ".tmp"), "zp-recording 1\nmeta level 2\nseed 000000000000002a\n")
        << "the head at once";
    recorder.beforeInput(0);
    zp::EventKeyboard key;
    key.setKey(KEY_A);
    key.setKeyboardAction(zp::KEY_PRESSED);
    recorder.record(key, 0);
    recorder.beforeInput(10);
    EXPECT_EQ(zp::test::readFile(path), "an older recording\n");

    EXPECT_EQ(recorder.finish(12), 0);
    std::ostringstream whole;
    recording.write(whole);
    EXPECT_EQ(zp::test::readFile(path), whole.str());
    EXPECT_EQ(whole.str(), "zp-recording 1\nmeta level 2\nseed 000000000000002a\nkey 0 pressed 0\n"
                           "check 10 0000000000000001\nend 12 0000000000000002\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_EQ(recorder.finish(20), 0) << "only the first end counts";
    EXPECT_EQ(recording.getEndStep(), 12);

    InputRecorder nowhere(recording);
    EXPECT_EQ(nowhere.writeAsItGoes(zp::test::runDir() + "/no-such-folder/run.rec"), -1);
}

// A small game whose state depends on when its input came: each step it adds
// its speed to its distance, and key A (pressed) raises the speed by one.
class Runner : public zp::Object {
public:
    int eventHandler(const zp::Event* p_e) override
    {
        if (p_e->getType() == zp::STEP_EVENT)
            distance += speed;
        if (p_e->getType() == zp::KEYBOARD_EVENT) {
            const auto* p_key = static_cast<const zp::EventKeyboard*>(p_e);
            if (p_key->getKey() == KEY_A && p_key->getKeyboardAction() == zp::KEY_PRESSED)
                ++speed;
        }
        return 0;
    }

    int speed = 0;
    long distance = 0;
};

class InputReplay : public zp::test::EngineFixture {
protected:
    InputReplay() : EngineFixture(zp::test::Screen::HEADLESS) {}

    void TearDown() override
    {
        input.setRecorder(nullptr);
        input.setReplayer(nullptr);
        game.shutDown();
        EngineFixture::TearDown();
    }

    // Runs frames until the game is over (at most `frames`).
    void runFrames(int frames = 1000)
    {
        for (int i = 0; i < frames && !game.getGameOver(); ++i)
            game.frame();
    }

    zp::GameManager& game = zp::GameManager::getInstance();
    zp::InputManager& input = zp::InputManager::getInstance();
    const int start = game.getStepCount();
};

TEST_F(InputReplay, EventsComeBeforeTheStepEventsOfTheirStepAtEverySpeed)
{
    for (int speed : {1, 2, 4}) {
        SCOPED_TRACE("speed " + std::to_string(speed));
        zp::WorldManager::getInstance().shutDown();
        zp::WorldManager::getInstance().startUp();
        const int base = game.getStepCount();
        InputRecording recording;
        recording.addKeyboard(base, zp::KEY_PRESSED, KEY_A);
        recording.addMouse(base + 4, zp::CLICKED, 1, Position(3, 4));
        recording.addKeyboard(base + 8, zp::KEY_DOWN, KEY_B);
        recording.addKeyboard(base + 8, zp::KEY_RELEASED, KEY_B);
        recording.setEndStep(base + 12);
        InputReplayer replayer(recording);

        auto* p_o = new RecordingObject;
        std::vector<std::string> seen;
        p_o->on_event = [&](RecordingObject&, const zp::Event* p_e) {
            if (p_e->getType() != zp::STEP_EVENT)
                seen.push_back(p_e->getType() + " " + std::to_string(game.getStepCount() - base));
        };
        game.setGameOver(false);
        ASSERT_EQ(game.setStepsPerFrame(speed), 0);
        input.setReplayer(&replayer);
        runFrames();
        input.setReplayer(nullptr);
        replayer.finish(game.getStepCount());

        EXPECT_EQ(seen, (std::vector<std::string>{"zp::keyboard 0", "zp::mouse 4", "zp::keyboard 8",
                                                  "zp::keyboard 8"}));
        EXPECT_EQ(game.getStepCount(), base + 12) << "the run ends at the recording's end";
        EXPECT_FALSE(replayer.hasFailed()) << replayer.getError();
        EXPECT_EQ(replayer.getSentCount(), 4u);
    }
}

TEST_F(InputReplay, TheRecordingsEndStopsAFastFrameOnItsStep)
{
    InputRecording recording;
    recording.setEndStep(start + 10);
    InputReplayer replayer(recording);
    ASSERT_EQ(game.setStepsPerFrame(4), 0);
    input.setReplayer(&replayer);
    runFrames();
    EXPECT_TRUE(game.getGameOver());
    EXPECT_EQ(game.getStepCount(), start + 10);
    EXPECT_TRUE(replayer.isComplete(game.getStepCount()));
    input.setReplayer(nullptr);
    EXPECT_EQ(game.getStepLimit(), zp::NO_STEP_LIMIT) << "the window's input and an open world come back";
}

// Records a run of the Runner driven by `plan`, then replays the recording.
class RecordAndReplay : public InputReplay {
protected:
    // Plays `source`'s input into a fresh Runner; the recorder (if any) takes
    // it down with checks every CHECK_INTERVAL steps.
    InputReplayer play(const InputRecording& source, InputRecorder* p_recorder)
    {
        zp::WorldManager::getInstance().shutDown();
        zp::WorldManager::getInstance().startUp();
        p_runner = new Runner;
        game.setGameOver(false);
        InputReplayer replayer(source, [this] { return digest(); });
        input.setReplayer(&replayer);
        input.setRecorder(p_recorder);
        runFrames();
        input.setRecorder(nullptr);
        input.setReplayer(nullptr);
        if (p_recorder != nullptr)
            p_recorder->finish(game.getStepCount());
        replayer.finish(game.getStepCount());
        return replayer;
    }

    std::uint64_t digest() const
    {
        return zp::digestOf(std::to_string(p_runner->speed) + " " + std::to_string(p_runner->distance));
    }

    // A recording of three presses of key A, played at speed 1.
    InputRecording recorded()
    {
        InputRecording plan;
        for (int at : {5, 17, 40})
            plan.addKeyboard(base + at, zp::KEY_PRESSED, KEY_A);
        plan.setEndStep(base + 60);
        InputRecording recording;
        InputRecorder recorder(
            recording, [this] { return digest(); }, CHECK_INTERVAL);
        const InputReplayer source = play(plan, &recorder);
        EXPECT_FALSE(source.hasFailed());
        return recording;
    }

    static const int CHECK_INTERVAL = 10;
    const int base = start - start % CHECK_INTERVAL + CHECK_INTERVAL;
    Runner* p_runner = nullptr;

    void SetUp() override
    {
        InputReplay::SetUp();
        // The recordings start on a multiple of the check interval.
        while (game.getStepCount() < base)
            game.worldStep();
    }
};

TEST_F(RecordAndReplay, AReplayTakesTheRecordedCourse)
{
    const InputRecording recording = recorded();
    ASSERT_EQ(recording.getInputs().size(), 3u);
    EXPECT_EQ(recording.getInputs()[1].step, base + 17);
    ASSERT_GE(recording.getChecks().size(), 5u);
    EXPECT_EQ(recording.getChecks()[0].step, base);
    EXPECT_EQ(recording.getChecks()[1].step, base + CHECK_INTERVAL);

    const int replay_start = game.getStepCount();
    // The replay runs on from here: every step of the recording moves by the
    // same amount, so the steps are the recording's own.
    InputRecording shifted_to_now;
    for (const zp::RecordedInput& in : recording.getInputs())
        shifted_to_now.addKeyboard(in.step - base + replay_start, zp::KeyboardAction(in.action), in.code);
    for (const zp::RecordedCheck& check : recording.getChecks())
        shifted_to_now.addCheck(check.step - base + replay_start, check.digest);
    shifted_to_now.setEndStep(recording.getEndStep() - base + replay_start);
    shifted_to_now.setEndDigest(recording.getEndDigest());

    ASSERT_EQ(replay_start % CHECK_INTERVAL, 0);
    const InputReplayer replayer = play(shifted_to_now, nullptr);
    EXPECT_FALSE(replayer.hasFailed()) << replayer.getError();
    EXPECT_EQ(p_runner->speed, 3);
}

TEST_F(RecordAndReplay, AnInputOneStepLateIsCaughtAtTheNextCheck)
{
    InputRecording recording = recorded();
    // Rebuild the recording at the start of now, with the second press one step late.
    const int now = game.getStepCount();
    InputRecording changed;
    size_t next_check = 0;
    const auto add_checks_to = [&](int step) {
        for (; next_check < recording.getChecks().size() && recording.getChecks()[next_check].step <= step;
             ++next_check) {
            const zp::RecordedCheck& check = recording.getChecks()[next_check];
            changed.addCheck(check.step - base + now, check.digest);
        }
    };
    for (size_t i = 0; i < recording.getInputs().size(); ++i) {
        const zp::RecordedInput& in = recording.getInputs()[i];
        const int step = in.step + (i == 1 ? 1 : 0);
        add_checks_to(step);
        changed.addKeyboard(step - base + now, zp::KeyboardAction(in.action), in.code);
    }
    add_checks_to(recording.getEndStep());
    changed.setEndStep(recording.getEndStep() - base + now);
    ASSERT_EQ(now % CHECK_INTERVAL, 0);

    const InputReplayer replayer = play(changed, nullptr);
    ASSERT_TRUE(replayer.hasFailed());
    // Pressed at 18 instead of 17: the check at 20 is the first to differ.
    EXPECT_EQ(replayer.getFailedStep(), now + 20);
    EXPECT_EQ(replayer.getError(),
              "step " + std::to_string(now + 20) +
                  ": the state differs from the recording's check; it last agreed at step " +
                  std::to_string(now + 10));
    EXPECT_EQ(game.getStepCount(), now + 20) << "the world stays where the replay parted";
}

TEST_F(InputReplay, ARunThatEndsOtherwiseThanTheRecordingFails)
{
    const struct {
        const char* name;
        int end_offset;    // of the recording's end, from the start
        int game_over_at;  // the run ends itself there (-1: never)
        bool interrupt;    // the window was closed
        const char* error; // after "step N: ", or "" for none
    } cases[] = {
        {"ends before an input", 20, 6, false, "the game ended before the recording's input for step"},
        {"ends before the recording", 20, 9, false, "the game ended at step"},
        {"closed by its window", 20, 6, true, ""},
        {"ends with the recording", 20, -1, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zp::WorldManager::getInstance().shutDown();
        zp::WorldManager::getInstance().startUp();
        const int base = game.getStepCount();
        InputRecording recording;
        recording.addKeyboard(base + 8, zp::KEY_PRESSED, KEY_A);
        recording.setEndStep(base + c.end_offset);
        InputReplayer replayer(recording);
        auto* p_o = new RecordingObject;
        p_o->on_step = [&](RecordingObject& self) {
            if (self.steps.back() == base + c.game_over_at)
                game.setGameOver(true);
        };
        game.setGameOver(false);
        input.setReplayer(&replayer);
        runFrames();
        input.setReplayer(nullptr);
        if (c.interrupt)
            replayer.interrupt();
        replayer.finish(game.getStepCount());
        EXPECT_EQ(replayer.getError().find(c.error) != std::string::npos, true) << replayer.getError();
        EXPECT_EQ(replayer.hasFailed(), std::string(c.error) != "") << replayer.getError();
    }
}

TEST_F(InputReplay, ACheckOnAStepThatNoFrameStartsAtFails)
{
    InputRecording recording;
    recording.addCheck(start + 2, 1);
    recording.setEndStep(start + 8);
    InputReplayer replayer(recording, [] { return std::uint64_t(1); });
    ASSERT_EQ(game.setStepsPerFrame(4), 0);
    input.setReplayer(&replayer);
    runFrames();
    ASSERT_TRUE(replayer.hasFailed());
    EXPECT_EQ(replayer.getFailedStep(), start + 2);
    EXPECT_NE(replayer.getError().find("no frame of the replay started at this step"), std::string::npos)
        << replayer.getError();
}

// No step comes while the game is paused, so what a player does during a
// pause is recorded at the step of the pause. A recording that would resume
// at a later step can never be played on: it fails at once instead of
// waiting for ever (a headless replay would never end).
TEST_F(InputReplay, APauseThatNothingRecordedAtItsStepEndsFailsInsteadOfWaiting)
{
    const struct {
        const char* name;
        int pause_at;
        int resume_at; // -1: never
        int end_at;
        const char* error; // "" for none
    } cases[] = {
        {"paused and resumed in one step", 5, 5, 10, ""},
        {"paused to the recording's end", 5, -1, 5, ""},
        {"resumed at a later step", 5, 7, 10,
         "the game is paused here, and nothing recorded for this step "
         "resumes it (the recording goes on at step "},
        {"paused before the end", 5, -1, 10, "the game is paused here"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        zp::WorldManager::getInstance().shutDown();
        zp::WorldManager::getInstance().startUp();
        game.setPaused(false);
        const int base = game.getStepCount();
        InputRecording recording;
        recording.addKeyboard(base + c.pause_at, zp::KEY_PRESSED, KEY_A);
        if (c.resume_at >= 0)
            recording.addKeyboard(base + c.resume_at, zp::KEY_PRESSED, KEY_A);
        recording.setEndStep(base + c.end_at);
        InputReplayer replayer(recording);
        auto* p_pause_key = new RecordingObject;
        p_pause_key->on_event = [&](RecordingObject&, const zp::Event* p_e) {
            if (p_e->getType() == zp::KEYBOARD_EVENT)
                game.setPaused(!game.isPaused());
        };
        game.setGameOver(false);
        input.setReplayer(&replayer);
        runFrames();
        input.setReplayer(nullptr);
        replayer.finish(game.getStepCount());
        EXPECT_TRUE(game.getGameOver());
        EXPECT_EQ(replayer.hasFailed(), std::string(c.error) != "") << replayer.getError();
        EXPECT_NE(replayer.getError().find(c.error), std::string::npos) << replayer.getError();
        if (replayer.hasFailed())
            EXPECT_EQ(replayer.getFailedStep(), base + c.pause_at);
        else
            EXPECT_EQ(game.getStepCount(), base + c.end_at);
    }
    game.setPaused(false);
}

// A game that draws random numbers replays exactly: the recording takes the
// engine's random state down when it begins, and its replay sets it again.
TEST_F(InputReplay, TheRandomStateIsRecordedAndTheReplayDrawsTheSameNumbers)
{
    zp::Random& random = game.getRandom();
    const std::uint64_t state = 0x5eed5eed5eed5eedull;
    random.setState(state);
    InputRecording recording;
    InputRecorder recorder(recording);
    ASSERT_EQ(recorder.writeAsItGoes("seeded.rec"), 0);
    input.setRecorder(&recorder);
    ASSERT_TRUE(recording.hasSeed());
    EXPECT_EQ(recording.getSeed(), state);
    std::vector<int> drawn;
    for (int i = 0; i < 6; ++i)
        drawn.push_back(random.between(1, 1000));
    input.setRecorder(nullptr);
    ASSERT_EQ(recorder.finish(game.getStepCount()), 0);
    // Written as it goes, the file has the seed in its head.
    EXPECT_NE(zp::test::readFile("seeded.rec").find("\nseed 5eed5eed5eed5eed\n"), std::string::npos)
        << zp::test::readFile("seeded.rec");

    random.setState(~state);
    InputReplayer replayer(recording);
    input.setReplayer(&replayer);
    std::vector<int> replayed;
    for (int i = 0; i < 6; ++i)
        replayed.push_back(random.between(1, 1000));
    EXPECT_EQ(replayed, drawn);
    input.setReplayer(nullptr);

    // A recording made before recordings held the state leaves it alone.
    InputRecording older;
    older.setEndStep(game.getStepCount() + 5);
    random.setState(state);
    InputReplayer older_replayer(older);
    input.setReplayer(&older_replayer);
    EXPECT_EQ(random.getState(), state);
}

// A run taken up again from the middle of its recording (a saved game
// continued) keeps the seed it began with: the recorder that records on does
// not take the state of now, and a replayer that plays on from the middle
// does not set the beginning's state again.
TEST_F(InputReplay, ARecordingTakenUpAgainKeepsTheSeedItBeganWith)
{
    zp::Random& random = game.getRandom();
    const std::uint64_t state = 0x0123456789abcdefull;
    random.setState(state);
    InputRecording recording;
    {
        InputRecorder first(recording);
        ASSERT_EQ(recording.getSeed(), state);
    }
    recording.addKeyboard(3, zp::KEY_PRESSED, 7);
    random.between(1, 1000);
    const std::uint64_t later = random.getState();
    ASSERT_NE(later, state);
    InputRecorder on(recording);
    EXPECT_EQ(recording.getSeed(), state) << "the recording's own seed";

    InputReplayer from_middle(recording);
    from_middle.startAt(1, 4);
    input.setReplayer(&from_middle);
    EXPECT_EQ(random.getState(), later) << "the run's state goes on";
    input.setReplayer(nullptr);

    // Taken up again without a seed (made before there were seeds): none is made up.
    InputRecording older;
    older.addKeyboard(3, zp::KEY_PRESSED, 7);
    InputRecorder older_on(older);
    EXPECT_FALSE(older.hasSeed());
}

} // namespace
