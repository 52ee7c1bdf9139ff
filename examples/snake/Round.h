// One game of Snake from start to game over, and what the games of this run
// scored.
#pragma once

#include <string>
#include <vector>

// Walls, the snake, its food and the score counter. The autopilot steers
// the snake by itself.
void startRound(bool autopilot);
// The snake died with this score: every object of the round goes, and the
// game-over screen comes.
void endRound(int score, bool autopilot);

// The scores of the games ended so far, in order.
const std::vector<int>& finishedScores();
// "games 2, scores 130 40" (the game under way counts with its score so far).
std::string summary(int score_now);
