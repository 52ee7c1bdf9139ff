#include "progress/SavedGame.h"

#include "app/RecordedRun.h"
#include "content/DataPaths.h"
#include "enemies/Enemy.h"
#include "enemies/EnemyEasy.h"
#include "enemies/EnemyHard.h"
#include "enemies/EnemyMedium.h"
#include "hud/CurrencyView.h"
#include "hud/LivesView.h"
#include "level/LevelFiles.h"
#include "play/Difficulty.h"
#include "play/WavePlan.h"
#include "play/WavesGame.h"
#include "progress/PlayerFiles.h"
#include "turrets/Turret.h"
#include "turrets/TurretKinds.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>

#ifndef CINDERWATCH_VERSION
#define CINDERWATCH_VERSION "unknown"
#endif

namespace fs = std::filesystem;

namespace {

// Waves whose plans the fingerprint holds: enough to take in every rule of
// their growth.
const int FINGERPRINT_WAVES = 40;

std::string fileText(const std::string& path)
{
    std::string text;
    std::string ignored;
    if (readPlayerFile(path, text, ignored) <= 0)
        return "(missing)";
    return text;
}

std::string hex(std::uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// The value of a meta record that is a whole number from 1 to 9999, or -1.
int metaNumber(const zp::InputRecording& recording, const std::string& key)
{
    const std::string value = recording.getMeta(key);
    if (value.empty() || value.size() > 4 || value.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    return std::stoi(value);
}

} // namespace

std::string gameDataDigest(int level)
{
    return gameDataDigest(level, SHIPPED_TURRET_KINDS);
}

std::string turretKindRow(const TurretKind& kind)
{
    std::ostringstream row;
    const auto stats = [&row](const TurretStats& numbers) {
        row << " " << numbers.range << " " << numbers.damage << " " << numbers.fire_rate << " "
            << numbers.freeze_steps;
    };
    row << kind.turret_type << " " << kind.build_type << " " << kind.panel_type << " " << kind.turret_sprite
        << " " << kind.turret_sprite_file << " " << kind.build_sprite << " " << kind.build_sprite_file << " "
        << kind.panel_sprite << " " << kind.panel_sprite_file << " " << kind.sound << " " << kind.sound_file
        << " price " << kind.price;
    stats(kind.base);
    for (const TurretUpgrade& upgrade : kind.upgrades) {
        row << " upgrade " << upgrade.cost;
        stats(upgrade.stats);
    }
    return row.str();
}

std::string gameDataDigest(int level, const std::vector<const TurretKind*>& turret_kinds)
{
    std::ostringstream all;
    if (level >= 1 && level <= LEVEL_COUNT) {
        all << fileText(gameDataPath(LEVELS[level - 1].level_file)) << "\n--\n"
            << fileText(gameDataPath(LEVELS[level - 1].path_file)) << "\n--\n";
    }
    // Every turret kind's whole row, in the panels' order.
    for (const TurretKind* p_kind : turret_kinds)
        all << turretKindRow(*p_kind) << "\n";
    // The difficulties' rows: a save holds its difficulty's name, not its numbers.
    for (Difficulty difficulty : {Difficulty::CASUAL, Difficulty::NORMAL, Difficulty::VETERAN}) {
        const DifficultyRow& row = difficultyRow(difficulty);
        all << "difficulty " << row.key << " " << row.health_percent << " " << row.lives << "\n";
    }
    all << "sale " << SELL_REFUND_DIVISOR << " reward " << KILL_REWARD << " freeze " << FREEZE_STEPS
        << " moves " << ENEMY_EASY_MOVE_DELAY << " " << ENEMY_MEDIUM_MOVE_DELAY << " "
        << ENEMY_HARD_MOVE_DELAY << "\n";
    all << "currency " << CURRENCY_START << " lives " << LIVES_START << " waits " << FIRST_WAVE_DELAY << " "
        << WAVE_DELAY << " " << SPAWN_INTERVAL << "\n";
    WavePlan plan;
    for (int wave = 1; wave <= FINGERPRINT_WAVES; ++wave) {
        if (wave > 1)
            plan = planOfWave(plan, wave);
        all << plan.easy_count << "x" << plan.easy_health << " " << plan.medium_count << "x"
            << plan.medium_health << " " << plan.hard_count << "x" << plan.hard_health << "\n";
    }
    return hex(zp::digestOf(all.str()));
}

std::string saveFileOf(const std::string& folder, int level)
{
    return (fs::path(folder) / ("level" + std::to_string(level) + ".rec")).string();
}

void setSaveMeta(zp::InputRecording& recording, int level, int wave, Difficulty difficulty)
{
    recording.setMeta("game", std::string("cinderwatch ") + CINDERWATCH_VERSION);
    recording.setMeta(LEVEL_META, std::to_string(level));
    recording.setMeta(DIFFICULTY_META, difficultyRow(difficulty).key);
    recording.setMeta(SAVE_META, std::to_string(SAVE_VERSION));
    recording.setMeta(DATA_META, gameDataDigest(level));
    recording.setMeta(WAVE_META, std::to_string(wave));
}

SavedGame readSavedGame(const std::string& path)
{
    SavedGame save;
    save.path = path;
    std::error_code code;
    const auto written = fs::last_write_time(path, code);
    if (!code)
        save.written = std::chrono::duration_cast<std::chrono::seconds>(written.time_since_epoch()).count();

    std::string text;
    std::string error;
    const int read = readPlayerFile(path, text, error);
    if (read <= 0) {
        save.problem = read == 0 ? "\"" + path + "\" is not there" : error;
        return save;
    }
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        save.problem = "\"" + path + "\" is empty";
        return save;
    }
    std::istringstream in(text);
    if (save.recording.read(in, error) != 0) {
        save.problem = "\"" + path + "\" is not a saved game: " + error;
        return save;
    }
    const zp::InputRecording& recording = save.recording;
    if (!recording.hasMeta(SAVE_META)) {
        save.problem = "\"" + path + "\" is not a saved game (it has no \"meta " + SAVE_META + "\" line)";
        return save;
    }
    const int version = metaNumber(recording, SAVE_META);
    if (version != SAVE_VERSION) {
        save.problem = "\"" + path + "\" is a save of version " + recording.getMeta(SAVE_META) +
                       (version > SAVE_VERSION ? ", from a newer Cinderwatch" : "") +
                       " (this one reads version " + std::to_string(SAVE_VERSION) + ")";
        return save;
    }
    save.level = metaNumber(recording, LEVEL_META);
    save.wave = std::max(0, metaNumber(recording, WAVE_META));
    if (save.level < 1 || save.level > LEVEL_COUNT) {
        save.problem = "\"" + path + "\" names no level from 1 to " + std::to_string(LEVEL_COUNT);
        save.level = 0;
        return save;
    }
    Difficulty difficulty = Difficulty::NORMAL;
    if (recording.hasMeta(DIFFICULTY_META) &&
        difficultyFromKey(recording.getMeta(DIFFICULTY_META), difficulty) != 0) {
        save.problem = "\"" + path + "\" names no difficulty this Cinderwatch knows (\"" +
                       recording.getMeta(DIFFICULTY_META) + "\"; it knows " + difficultyKeys() + ")";
        return save;
    }
    if (recording.getEndStep() < 0) {
        save.problem = "\"" + path + "\" is cut short (it has no \"end\" line)";
        return save;
    }
    if (recording.getMeta(DATA_META) != gameDataDigest(save.level)) {
        save.problem = "\"" + path + "\" was made with other game data: level " + std::to_string(save.level) +
                       "'s files or the numbers of its turrets, enemies or difficulties have changed since, "
                       "so it would not "
                       "play the same";
        return save;
    }
    return save;
}

std::vector<SavedGame> readSavedGames(const std::string& folder)
{
    std::vector<SavedGame> saves;
    if (folder.empty())
        return saves;
    std::error_code code;
    for (int level = 1; level <= LEVEL_COUNT; ++level) {
        const std::string path = saveFileOf(folder, level);
        if (fs::symlink_status(path, code).type() != fs::file_type::not_found)
            saves.push_back(readSavedGame(path));
    }
    std::stable_sort(saves.begin(), saves.end(),
                     [](const SavedGame& a, const SavedGame& b) { return a.written > b.written; });
    return saves;
}
