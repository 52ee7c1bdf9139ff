// What the fuzz targets that play share: the engine started as the game
// starts it (headless, silent, unpaced, its log in the fuzzer's private
// folder, the data set's sounds and music loaded), a player who buys turrets
// and places them along the level's path, and the end of each input's play,
// so that the next input starts from an empty world.
#pragma once

namespace zp::fuzz {

// Once per process; the sprites are the caller's to load.
void startGameEngine();
// Plays `frames` frames at four steps a frame. Every few frames, with the purse topped up, the
// player buys the next kind of turret at its panel and places it beside the
// next point of the level's path (places the game refuses are passed over),
// or sells a turret with the right button.
void playWithTurrets(int frames);
// Every object deleted, the level released, the music stopped, and the loop
// as it was at the start (not over, not paused, normal speed, no step limit).
void endPlay();

} // namespace zp::fuzz
