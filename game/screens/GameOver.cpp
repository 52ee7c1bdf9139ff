#include "screens/GameOver.h"

#include "content/Labels.h"
#include "play/WavesGame.h"
#include "progress/PlayStatistics.h"
#include "progress/PlayerProgress.h"
#include "screens/GameMenu.h"

#include "zp/EventStep.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/Sprite.h"
#include "zp/WorldManager.h"

namespace {

const zp::Position PICTURE_POS(12, 0);
const zp::Position NOTE_POS(17, 6);
const char* const NOTE_TEXT = "You will be brought back to the main menu shortly";
// The report of the game, under the note.
const zp::Position REPORT_POS(17, 8);

std::string newsText(const GameOverNews& news, int wave)
{
    std::string text = "New best for level " + std::to_string(news.level) + ": wave " + std::to_string(wave);
    if (news.had_best)
        text += " (before: wave " + std::to_string(news.previous.wave) + ", " +
                std::to_string(news.previous.enemies) + " enemies)";
    return text + "!";
}

} // namespace

GameOver::GameOver() : countdown(GAME_OVER_STEPS)
{
    p_gameover_sprite = zp::ResourceManager::getInstance().getSprite(GAME_OVER_SPRITE);
    if (p_gameover_sprite == nullptr)
        zp::LogManager::getInstance().writeLog("GameOver: sprite 'gameover' not loaded");
    // The game that just ended: its result was taken when "GameOver" came.
    const PlayResult result = latestPlayResult();
    if (result.end_step < 0)
        return;
    report = statisticsLines(result.wave, result.statistics);
    const GameOverNews& news = PlayerProgress::getInstance().getGameOverNews();
    if (news.new_best && news.level == result.level) {
        report.emplace_back();
        news_line = static_cast<int>(report.size());
        report.push_back(newsText(news, result.wave));
    }
}

const std::vector<std::string>& GameOver::getReport() const
{
    return report;
}

GameOver::~GameOver() = default;

int GameOver::eventHandler(const zp::Event* p_e)
{
    if (p_e->getType() == zp::STEP_EVENT) {
        --countdown;
        if (countdown == 0) {
            zp::WorldManager::getInstance().markForDelete(this);
            new GameMenu;
        }
    }
    return 0;
}

void GameOver::draw()
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    if (p_gameover_sprite != nullptr)
        graphics.drawFrame(PICTURE_POS, p_gameover_sprite->getFrame(0), false, p_gameover_sprite->getColor());
    graphics.drawString(NOTE_POS, NOTE_TEXT, zp::LEFT_JUSTIFIED, zp::MAGENTA);
    for (int i = 0; i < static_cast<int>(report.size()); ++i)
        graphics.drawString(zp::Position(REPORT_POS.getX(), REPORT_POS.getY() + i), report[std::size_t(i)],
                            zp::LEFT_JUSTIFIED, i == news_line ? zp::YELLOW : zp::WHITE);
}
