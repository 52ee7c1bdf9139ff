#include "progress/SaveSession.h"

#include "app/GameState.h"
#include "app/RecordedRun.h"
#include "content/GameEvents.h"
#include "play/WavesGame.h"
#include "progress/PlayerFiles.h"

#include "zp/GameManager.h"
#include "zp/InputManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/WorldManager.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

zp::StateDigest digestSince(int origin)
{
    return [origin] { return stateDigestSince(origin); };
}

int stepNow()
{
    return zp::GameManager::getInstance().getStepCount();
}

} // namespace

SaveSession& SaveSession::getInstance()
{
    static SaveSession instance;
    return instance;
}

SaveSession::SaveSession() = default;

void SaveSession::setFolder(const std::string& new_folder)
{
    stopRecorder();
    if (state == State::CATCHING_UP) {
        zp::InputManager::getInstance().setReplayer(nullptr);
        zp::GameManager::getInstance().setFastForward(false);
    }
    state = State::IDLE;
    p_catch_up.reset();
    p_then = nullptr;
    folder = new_folder;
    notice_text.clear();
    notice_step = -1;
}

const std::string& SaveSession::getFolder() const
{
    return folder;
}

bool SaveSession::isOn() const
{
    return !folder.empty();
}

void SaveSession::begin(int new_level)
{
    if (!isOn())
        return;
    stopRecorder();
    state = State::RECORDING;
    level = new_level;
    path = saveFileOf(folder, level);
    origin = stepNow();
    pending_wave = 0;
    written = false;
    pause_menu_inputs = NO_PAUSE_MENU;
    recording.clear();
    // The game was just made, at the difficulty chosen now.
    setSaveMeta(recording, level, 0, chosenDifficulty());
    startRecorder();
}

void SaveSession::startRecorder()
{
    p_recorder = std::make_unique<zp::InputRecorder>(recording, digestSince(origin));
    p_recorder->setStepOrigin(origin);
    p_recorder->setFrameStartHook([this](int step) { atFrameStart(step); });
    zp::InputManager::getInstance().addRecorder(p_recorder.get());
}

void SaveSession::stopRecorder()
{
    if (!p_recorder)
        return;
    zp::InputManager::getInstance().removeRecorder(p_recorder.get());
    p_recorder.reset();
}

void SaveSession::waveStarted(int wave)
{
    if (state == State::RECORDING)
        pending_wave = wave;
}

void SaveSession::gameOver()
{
    if (state == State::RECORDING)
        state = State::ENDING;
}

std::size_t SaveSession::getInputCount() const
{
    return recording.getInputs().size();
}

void SaveSession::pauseMenuOpened(std::size_t input_count)
{
    pause_menu_inputs = input_count;
}

void SaveSession::pauseMenuClosed()
{
    pause_menu_inputs = NO_PAUSE_MENU;
}

void SaveSession::atFrameStart(int step)
{
    if (state == State::ENDING) {
        finishGame(step);
        return;
    }
    if (state != State::RECORDING || pending_wave == 0)
        return;
    recording.setMeta(WAVE_META, std::to_string(pending_wave));
    pending_wave = 0;
    std::string error;
    if (write(step, SaveMoment::WAVE_START, error) != 0)
        notice("The game could not be saved: " + error);
}

int SaveSession::write(int step, SaveMoment moment, std::string& error)
{
    recording.setEndStep(step - origin);
    recording.setEndDigest(stateDigestSince(origin));
    std::ostringstream text;
    recording.write(text);
    if (observer)
        observer(recording, moment);
    recording.clearEnd();

    if (!written) {
        // A file this game did not write may be one that cannot be continued
        // (another version's, a broken one): it is kept aside, not replaced.
        std::error_code code;
        if (fs::symlink_status(path, code).type() != fs::file_type::not_found &&
            !readSavedGame(path).canContinue()) {
            std::string move_error;
            const std::string aside = moveAside(path, move_error);
            if (aside.empty()) {
                error = move_error + " (a save that cannot be continued is there; it is not written over)";
                return -1;
            }
            reportFileProblem("the save \"" + path + "\" could not be continued and was moved to \"" + aside +
                              "\"");
        }
    }
    if (writePlayerFile(path, text.str(), error) != 0)
        return -1;
    written = true;
    zp::LogManager::getInstance().writeLog("Saved level %d at step %d to %s", level, step - origin,
                                           path.c_str());
    return 0;
}

void SaveSession::finishGame(int step)
{
    recording.setEndStep(step - origin);
    recording.setEndDigest(stateDigestSince(origin));
    if (observer)
        observer(recording, SaveMoment::GAME_OVER);
    stopRecorder();
    state = State::IDLE;
    if (!written)
        return;
    // The game is over: there is nothing left to continue.
    std::error_code code;
    fs::remove(path, code);
    if (code)
        reportFileProblem("the save of the finished game \"" + path +
                          "\" cannot be removed: " + code.message());
}

int SaveSession::saveAndStop(std::string& error)
{
    if (state != State::RECORDING) {
        error = "no game is being recorded";
        return -1;
    }
    // The pause menu's keys stay in the recording until the save is made.
    zp::InputRecording kept = recording;
    if (pause_menu_inputs != NO_PAUSE_MENU)
        kept.keepInputs(pause_menu_inputs);
    std::swap(kept, recording);
    const int result = write(stepNow(), SaveMoment::SAVE_AND_QUIT, error);
    if (result != 0) {
        std::swap(kept, recording);
        return -1;
    }
    stopRecorder();
    state = State::IDLE;
    return 0;
}

void SaveSession::programEnds()
{
    if (state == State::ENDING) {
        finishGame(stepNow());
        return;
    }
    if (state != State::RECORDING)
        return;
    if (pause_menu_inputs != NO_PAUSE_MENU)
        recording.keepInputs(pause_menu_inputs);
    std::string error;
    if (write(stepNow(), SaveMoment::PROGRAM_END, error) != 0)
        reportFileProblem("the game could not be saved: " + error);
    stopRecorder();
    state = State::IDLE;
}

int SaveSession::resume(const SavedGame& save, zp::InputReplayer* p_new_then)
{
    if (!save.canContinue())
        return -1;
    stopRecorder();
    level = save.level;
    path = save.path;
    origin = stepNow();
    pending_wave = 0;
    written = true;
    pause_menu_inputs = NO_PAUSE_MENU;
    recording = save.recording;
    p_then = p_new_then;
    state = State::CATCHING_UP;

    // Unseen, unheard and unpaced until the game stands where it was saved.
    zp::ResourceManager& resources = zp::ResourceManager::getInstance();
    muted_before = resources.isMuted();
    resources.setMuted(true);
    zp::GameManager::getInstance().setFastForward(true);
    // The save's difficulty for its game (a save from before there were
    // difficulties is at Normal); the menu keeps the one the player chose.
    const Difficulty chosen = chosenDifficulty();
    chooseDifficulty(recordingDifficulty(recording));
    startWavesGame(level);
    chooseDifficulty(chosen);
    // Its seed is restored as the replayer is handed over.
    p_catch_up = std::make_unique<zp::InputReplayer>(recording, digestSince(origin));
    p_catch_up->setStepOrigin(origin);
    zp::InputManager::getInstance().setReplayer(
        p_catch_up.get(), [this](zp::InputReplayer& replayer) { endCatchUp(replayer); });
    zp::LogManager::getInstance().writeLog("Continuing level %d from %s (%d steps)", level, path.c_str(),
                                           recording.getEndStep());
    return 0;
}

void SaveSession::endCatchUp(zp::InputReplayer& replayer)
{
    zp::GameManager::getInstance().setFastForward(false);
    zp::ResourceManager::getInstance().setMuted(muted_before);
    replayer.finish(stepNow());
    if (replayer.hasFailed()) {
        state = State::IDLE;
        std::string move_error;
        const std::string aside = moveAside(path, move_error);
        notice("The save of level " + std::to_string(level) +
               " could not be continued: it does not play as it was saved (" + replayer.getError() +
               "), so another version of the game made it. " +
               (aside.empty() ? "It is kept as it is." : "It is kept as \"" + aside + "\"."));
        zp::Event quit;
        quit.setType(QUIT_TO_MENU_EVENT);
        zp::WorldManager::getInstance().onEvent(&quit);
        // What was to be played on cannot be: the run ends.
        if (p_then != nullptr)
            zp::GameManager::getInstance().setGameOver(true);
        return;
    }
    recording.clearEnd();
    // Without a saves folder (a replay) the game goes on unsaved.
    state = isOn() ? State::RECORDING : State::IDLE;
    if (isOn())
        startRecorder();
    char digest[17];
    std::snprintf(digest, sizeof digest, "%016llx",
                  static_cast<unsigned long long>(stateDigestSince(origin)));
    zp::LogManager::getInstance().writeLog(
        "Level %d continued at its step %d, in the state it was saved in (%s)", level, stepNow() - origin,
        digest);
    if (p_then != nullptr) {
        p_then->setStepOrigin(origin);
        zp::InputManager::getInstance().setReplayer(p_then);
    }
}

bool SaveSession::isCatchingUp() const
{
    return state == State::CATCHING_UP;
}

bool SaveSession::isRecording() const
{
    return state == State::RECORDING;
}

const std::string& SaveSession::getPath() const
{
    return path;
}

const zp::InputRecording& SaveSession::getRecording() const
{
    return recording;
}

const std::string& SaveSession::getNotice() const
{
    return notice_text;
}

int SaveSession::getNoticeStep() const
{
    return notice_step;
}

void SaveSession::setObserver(std::function<void(const zp::InputRecording&, SaveMoment)> new_observer)
{
    observer = std::move(new_observer);
}

void SaveSession::notice(const std::string& text)
{
    notice_text = text;
    notice_step = stepNow();
    reportFileProblem(text);
}
