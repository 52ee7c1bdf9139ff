#include "progress/PlayerProgress.h"

#include "play/WavesGame.h"
#include "progress/PlayerFiles.h"
#include "progress/SaveSession.h"

#include <algorithm>
#include <filesystem>

PlayerProgress& PlayerProgress::getInstance()
{
    static PlayerProgress instance;
    return instance;
}

PlayerProgress::PlayerProgress() = default;

void PlayerProgress::start(const std::string& records_path, const std::string& saves_folder,
                           bool new_can_continue)
{
    stop();
    on = true;
    can_continue = new_can_continue;
    records = Records(records_path);
    std::vector<std::string> problems;
    records.load(problems);
    for (const std::string& problem : problems)
        reportFileProblem(problem);
    // Each notice fits the menu's 80 columns.
    if (!problems.empty())
        addNotice(records.isWritable()
                      ? "Best results unreadable: the file was moved aside (the log says where)."
                      : "Best results unreadable and not moved aside: none are kept (see the log).");
    SaveSession::getInstance().setFolder(saves_folder);
}

void PlayerProgress::stop()
{
    on = false;
    can_continue = false;
    records = Records();
    news = GameOverNews();
    saves.clear();
    notices.clear();
    named_saves.clear();
    SaveSession::getInstance().setFolder("");
}

bool PlayerProgress::isOn() const
{
    return on;
}

Records& PlayerProgress::getRecords()
{
    return records;
}

void PlayerProgress::levelStarted(int level)
{
    if (on)
        SaveSession::getInstance().begin(level);
}

void PlayerProgress::waveStarted(int wave)
{
    if (on)
        SaveSession::getInstance().waveStarted(wave);
}

void PlayerProgress::gameOver(const PlayResult& result)
{
    news = GameOverNews();
    if (!on)
        return;
    SaveSession::getInstance().gameOver();
    if (result.level < 1)
        return;
    BestResult best;
    best.wave = result.wave;
    best.enemies = result.statistics.enemiesDestroyed();
    best.steps = result.statistics.steps;
    news.level = result.level;
    // Each difficulty has best results of its own.
    const std::string difficulty = difficultyRow(result.difficulty).key;
    if (const BestResult* p_old = records.best(result.level, difficulty)) {
        news.had_best = true;
        news.previous = *p_old;
    }
    std::string error;
    news.new_best = records.offer(result.level, difficulty, best, error);
    if (!error.empty()) {
        reportFileProblem(error);
        addNotice("Best results not written (the log says why).");
    }
}

const GameOverNews& PlayerProgress::getGameOverNews() const
{
    return news;
}

void PlayerProgress::refreshSaves()
{
    saves.clear();
    if (!on)
        return;
    saves = readSavedGames(SaveSession::getInstance().getFolder());
    for (const SavedGame& save : saves) {
        if (save.canContinue() ||
            std::find(named_saves.begin(), named_saves.end(), save.path) != named_saves.end())
            continue;
        named_saves.push_back(save.path);
        reportFileProblem("a saved game cannot be continued: " + save.problem + " (the file is kept)");
        addNotice("A saved game cannot be continued and is kept (the log says why): " +
                  std::filesystem::path(save.path).filename().string());
    }
}

const SavedGame* PlayerProgress::latestSave() const
{
    if (!on || !can_continue)
        return nullptr;
    for (const SavedGame& save : saves)
        if (save.canContinue())
            return &save;
    return nullptr;
}

int PlayerProgress::continueLatest()
{
    const SavedGame* p_save = latestSave();
    if (p_save == nullptr)
        return -1;
    const SavedGame save = *p_save;
    return SaveSession::getInstance().resume(save);
}

bool PlayerProgress::canContinue() const
{
    return can_continue;
}

const std::vector<std::string>& PlayerProgress::getNotices() const
{
    return notices;
}

void PlayerProgress::addNotice(const std::string& notice)
{
    notices.push_back(notice);
}
