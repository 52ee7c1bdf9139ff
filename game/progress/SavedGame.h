// A saved game: the recording of a level's game from its first step up to
// the moment it was saved (the recording format, with a few meta records of
// its own), which replays exactly to where the player left it. One file per
// level in the saves folder, "level1.rec" to "level3.rec".
#pragma once

#include "play/Difficulty.h"

#include "zp/InputRecording.h"

#include <cstdint>
#include <string>
#include <vector>

struct TurretKind;

// Meta keys of a save, beside "level" and "game".
inline const std::string SAVE_META = "save";
inline const std::string DATA_META = "data";
inline const std::string WAVE_META = "wave";
const int SAVE_VERSION = 1;

struct SavedGame {
    std::string path;
    zp::InputRecording recording;
    int level = 0;
    // The wave the counter showed when it was saved.
    int wave = 0;
    // Why it cannot be continued ("" when it can): unreadable, cut short,
    // from a newer game, or made with other game data.
    std::string problem;
    // Seconds since the epoch of its last write, to find the latest.
    std::int64_t written = 0;

    bool canContinue() const { return problem.empty(); }
};

// The fingerprint of what a game of the level depends on: its level and
// path files, the turret kinds' rows, the difficulties' numbers, and the
// numbers of the enemies, waves, currency and lives. A save keeps it; another fingerprint means the game it
// holds would not replay the same.
std::string gameDataDigest(int level);
// The same with these turret kinds in place of the game's.
std::string gameDataDigest(int level, const std::vector<const TurretKind*>& turret_kinds);
// A turret kind's row as the fingerprint takes it: every field, upgrades included.
std::string turretKindRow(const TurretKind& kind);

// "<folder>/level<N>.rec".
std::string saveFileOf(const std::string& folder, int level);
// Reads and checks one save; `problem` says what is wrong with it.
SavedGame readSavedGame(const std::string& path);
// Every save of the folder's levels, the latest first.
std::vector<SavedGame> readSavedGames(const std::string& folder);
// The save's meta records for a game of this level at this difficulty.
void setSaveMeta(zp::InputRecording& recording, int level, int wave, Difficulty difficulty);
