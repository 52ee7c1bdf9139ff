// What the game keeps for the player from one run to the next, in one place:
// the best results, the saved games (through the save session) and the
// messages about their files that the menu shows. main switches it on for a
// game the player plays; replays and tests leave it off, and then nothing
// is read or written.
#pragma once

#include "progress/Records.h"
#include "progress/SavedGame.h"

#include <string>
#include <vector>

struct PlayResult;

// In the player's data folder.
const char* const RECORDS_FILE_NAME = "records";
const char* const SAVES_FOLDER_NAME = "saves";

// What the game-over screen announces about the game that just ended.
struct GameOverNews {
    // The game beat the best result of its level (or set the first).
    bool new_best = false;
    int level = 0;
    bool had_best = false;
    BestResult previous;
};

class PlayerProgress {
public:
    static PlayerProgress& getInstance();
    PlayerProgress(const PlayerProgress&) = delete;
    PlayerProgress& operator=(const PlayerProgress&) = delete;

    // Switches it on: best results in `records_path`, saves in
    // `saves_folder` (either "" for none). With `can_continue` false (a run
    // that records its input, which must hold the whole game) no save is
    // offered to continue. Problems reading the records are named (standard
    // error, log) and shown in the menu.
    void start(const std::string& records_path, const std::string& saves_folder, bool can_continue);
    // Off again, as at the program's start.
    void stop();
    bool isOn() const;

    Records& getRecords();
    // A level started live: its save session begins.
    void levelStarted(int level);
    // A wave started in the game under way.
    void waveStarted(int wave);
    // The game under way is over: its result is offered to the best results
    // and its save session ends.
    void gameOver(const PlayResult& result);
    const GameOverNews& getGameOverNews() const;

    // Reads the saves folder again (each new menu does): saves that cannot
    // be continued are named once among the notices.
    void refreshSaves();
    // The save the menu offers to continue (the latest that can be), or nullptr.
    const SavedGame* latestSave() const;
    // Continues the latest save; 0, or -1 (nothing to continue).
    int continueLatest();
    bool canContinue() const;

    // Messages for the menu, oldest first; each names a file.
    const std::vector<std::string>& getNotices() const;
    void addNotice(const std::string& notice);

private:
    PlayerProgress();

    bool on = false;
    bool can_continue = false;
    Records records;
    GameOverNews news;
    std::vector<SavedGame> saves;
    std::vector<std::string> notices;
    std::vector<std::string> named_saves;
};
