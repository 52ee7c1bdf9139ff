// Cinderwatch: reads the command line, finds the font, the data and a place
// for the log, starts the engine, loads the game's content, shows the splash
// screen (or the level asked for) and runs the game loop until the player quits.
#include "app/CommandLine.h"
#include "app/ExitStatus.h"
#include "app/Locations.h"
#include "app/RecordedRun.h"
#include "app/Settings.h"
#include "content/DataPaths.h"
#include "content/Resources.h"
#include "play/Difficulty.h"
#include "progress/PlayerProgress.h"
#include "progress/PlayerSettings.h"
#include "progress/SaveSession.h"
#include "progress/SavedGame.h"

#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/InputManager.h"
#include "zp/InputRecording.h"
#include "zp/LogManager.h"
#include "zp/Palette.h"
#include "zp/Utility.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

void useLocations(const Locations& locations)
{
    zp::GraphicsManager::getInstance().setFontFile(locations.font_file);
    zp::LogManager::getInstance().setLogFile(locations.log_file);
    setGameDataDir(locations.data_dir);
    if (locations.log_moved)
        std::fprintf(stderr, "cinderwatch: the working folder takes no files, so the log goes to \"%s\"\n",
                     locations.log_file.c_str());
}

// The window as the settings keep it: opened at the player's size, fullscreen or not.
void useWindowSettings(const SettingsValues& values)
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    graphics.setWindowedSize(values.window_width, values.window_height);
    graphics.setFullscreen(values.fullscreen);
}

SettingsValues windowNow(SettingsValues values)
{
    const zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    values.window_width = static_cast<int>(graphics.getWindowedSize().x);
    values.window_height = static_cast<int>(graphics.getWindowedSize().y);
    values.fullscreen = graphics.isFullscreen();
    return values;
}

// Written only when the player changed the window since the start.
void keepWindowSettings(const SettingsValues& at_start)
{
    const SettingsValues now = windowNow(at_start);
    if (now != at_start)
        PlayerSettings::getInstance().keepWindow(now.window_width, now.window_height, now.fullscreen);
}

} // namespace

int main(int argc, char** argv)
{
    // Before any file is opened: what is written on standard output must
    // reach it, or the run says it did not.
    zp::guardStandardStreams();
    CommandLine line = parseCommandLine(argc, argv);
    if (line.error.empty())
        line.error = sameFileProblem(line.options.replay_file, line.options.record_file);
    if (!line.error.empty()) {
        std::fprintf(stderr, "cinderwatch: %s\n%s", line.error.c_str(), usageText().c_str());
        return EXIT_USAGE;
    }
    if (line.options.help || line.options.version) {
        std::fputs((line.options.help ? usageText() : versionText()).c_str(), stdout);
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fprintf(stderr, "cinderwatch: cannot write to standard output: %s\n", std::strerror(errno));
            return EXIT_FAILED;
        }
        return EXIT_OK;
    }

    // A recording is read whole before anything starts, so a bad one costs no window.
    const Options& options = line.options;
    zp::InputRecording replay_recording;
    int level = options.level;
    if (!options.replay_file.empty()) {
        std::string error;
        if (readRecordingFile(options.replay_file, replay_recording, level, error) != 0) {
            std::fprintf(stderr, "cinderwatch: %s: %s\n", options.replay_file.c_str(), error.c_str());
            return EXIT_BAD_RECORDING;
        }
    }

    const Environment environment = processEnvironment();
    const Locations locations = findLocations(environment, options.data_dir);
    useLocations(locations);
    // A replay needs its level as it was (a game goes on without missing files, the replay would not).
    std::string level_error;
    if (!options.replay_file.empty() &&
        checkLevelFiles(level, replay_recording.getMetaLine(LEVEL_META), level_error) != 0) {
        std::fprintf(stderr, "cinderwatch: %s: %s\n", options.replay_file.c_str(), level_error.c_str());
        return EXIT_BAD_RECORDING;
    }

    // A save to continue is read and checked before anything starts too.
    SavedGame continued;
    if (!options.continue_file.empty()) {
        continued = readSavedGame(options.continue_file);
        std::string problem = continued.problem;
        if (problem.empty() && !options.replay_file.empty())
            problem = saveAndReplayProblem(continued, replay_recording);
        if (!problem.empty()) {
            std::fprintf(stderr, "cinderwatch: cannot continue %s: %s\n", options.continue_file.c_str(),
                         problem.c_str());
            return EXIT_BAD_RECORDING;
        }
        level = continued.level;
    }

    // The player's settings, read once (a headless run reads none): the
    // window opens at their size, fullscreen or not, and F11 and Alt+Enter
    // switch fullscreen in every screen; the audio hears them once the engine
    // runs. A replay hears them too but keeps no change.
    PlayerSettings& player_settings = PlayerSettings::getInstance();
    if (!options.headless) {
        player_settings.read(settingsFile(environment), options.replay_file.empty());
        useWindowSettings(player_settings.getValues());
        zp::InputManager::getInstance().setFullscreenKeys(true);
    }

    if (const zp::Palette* p_palette = zp::findPalette(options.palette))
        zp::GraphicsManager::getInstance().setPalette(*p_palette);

    // A replay is played at its recording's difficulty, a save continued at
    // its own; the menu may change it later, by recorded keys.
    if (!options.replay_file.empty())
        chooseDifficulty(recordingDifficulty(replay_recording));
    else if (!options.continue_file.empty())
        chooseDifficulty(recordingDifficulty(continued.recording));
    else
        chooseDifficulty(options.difficulty);

    zp::GameManager& game = zp::GameManager::getInstance();
    // Headless, the engine swaps in its windowless graphics and silent audio.
    if (options.headless)
        game.setHeadless(true);
    if (game.startUp() != 0) {
        const bool logged = zp::LogManager::getInstance().writeLog("Error starting game manager!") >= 0;
        std::fprintf(stderr,
                     "Error starting game manager!\n"
                     "Cinderwatch needs its font, its game data, a place for its log and a display\n"
                     "to open its window on. It used:\n%s%s",
                     describeLocations(locations).c_str(),
                     logged ? "The same message is in the log.\n" : "The log could not be written either.\n");
        game.shutDown();
        return EXIT_FAILED;
    }

    // M mutes and unmutes on every screen.
    SettingsValues window_at_start;
    if (!options.headless) {
        player_settings.hear();
        hearMuteKey();
        window_at_start = windowNow(player_settings.getValues());
    }
    loadResources();
    // What the player keeps: best results and saves, for a game the player
    // plays (a replay reads and writes none). A run that records its input
    // offers no save to continue: its recording must hold the whole game.
    const std::string player_folder = playerDataFolder(environment);
    if (options.replay_file.empty() && !player_folder.empty())
        PlayerProgress::getInstance().start(player_folder + "/" + RECORDS_FILE_NAME,
                                            player_folder + "/" + SAVES_FOLDER_NAME,
                                            options.record_file.empty());
    int status = EXIT_OK;
    {
        RecordedRun run(options, replay_recording, options.continue_file.empty() ? nullptr : &continued);
        std::string error;
        if (run.begin(error, stderr) != 0) {
            std::fprintf(stderr, "cinderwatch: %s\n", error.c_str());
            game.shutDown();
            return EXIT_FAILED;
        }
        run.startGame(level);
        const auto started = std::chrono::steady_clock::now();
        game.run();
        // A level under way when the program ends (the window closed, a stop
        // signal) is saved, to be continued.
        SaveSession::getInstance().programEnds();
        const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started;
        status = run.end(seconds.count(), stdout, stderr);
    }
    if (!options.headless)
        keepWindowSettings(window_at_start);
    game.shutDown();
    return status;
}
