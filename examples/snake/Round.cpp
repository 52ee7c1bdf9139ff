#include "Round.h"

#include "Cell.h"
#include "Food.h"
#include "GameOverScreen.h"
#include "Snake.h"
#include "Wall.h"

#include "zp/LogManager.h"
#include "zp/ViewObject.h"
#include "zp/WorldManager.h"

namespace {

std::vector<int> scores;

} // namespace

void startRound(bool autopilot)
{
    zp::LogManager::getInstance().writeLog("Game %zu begins", scores.size() + 1);
    for (int x = FIELD_LEFT - 1; x <= FIELD_RIGHT + 1; ++x) {
        new Wall(zp::Position(x, FIELD_TOP - 1));
        new Wall(zp::Position(x, FIELD_BOTTOM + 1));
    }
    for (int y = FIELD_TOP; y <= FIELD_BOTTOM; ++y) {
        new Wall(zp::Position(FIELD_LEFT - 1, y));
        new Wall(zp::Position(FIELD_RIGHT + 1, y));
    }
    zp::ViewObject* p_score = new zp::ViewObject;
    p_score->setViewString("Score:");
    p_score->setBorder(false);
    p_score->setLocation(zp::TOP_LEFT);
    p_score->setColor(zp::YELLOW);
    new Snake(zp::Position(20, 12), autopilot);
    // After the snake, so that the food never lands on it.
    new Food;
}

void endRound(int score, bool autopilot)
{
    scores.push_back(score);
    zp::LogManager::getInstance().writeLog("Game over: score %d", score);
    // Everything of the round goes at the next update; the referee stays.
    for (zp::Object* p_o : zp::WorldManager::getInstance().getAllObjects())
        if (p_o->getType() != "Referee")
            zp::WorldManager::getInstance().markForDelete(p_o);
    new GameOverScreen(score, autopilot);
}

const std::vector<int>& finishedScores()
{
    return scores;
}

std::string summary(int score_now)
{
    std::string text = "games " + std::to_string(scores.size() + (score_now >= 0 ? 1 : 0)) + ", scores";
    for (int score : scores)
        text += " " + std::to_string(score);
    if (score_now >= 0)
        text += " " + std::to_string(score_now);
    return text;
}
