// What a recorded or replayed run says about the game: the state line printed
// at the end of a replay, and the digests that the recording's checks hold.
// Both are read from the world as it stands, so they are the same on every
// machine and at every speed.
#pragma once

#include <cstdint>
#include <string>

struct GameState {
    int step = 0;
    // The latest game's level (0 before any), and its counters and standing
    // turrets as it ended, or as they are while it runs.
    int level = 0;
    int wave = 0;
    int lives = 0;
    int currency = 0;
    int turrets = 0;
    // The world's objects: type, position, and health or value where there is
    // one (a turret's and the waves' countdowns too).
    std::uint64_t objects = 0;
};

GameState readGameState();
// The objects' text that GameState::objects digests, one object a line.
std::string describeObjects();
// "step 1234 level 1 wave 5 lives 0 currency 30 turrets 2 objects 0123456789abcdef"
std::string stateLine(const GameState& state);
// The digest of the whole state line: what the recording's checks compare.
std::uint64_t stateDigest();
// The same with the steps counted from `origin`: the state as a recording
// of a game that began at that step sees it (a saved level).
std::uint64_t stateDigestSince(int origin);
