// The names by which the game's objects find and tell each other: the game's
// event types, the tags of its counters and the object types others look for.
#pragma once

#include <string>

// Sent by every enemy when it leaves the world, whatever the cause.
inline const std::string ENEMY_KILLED_EVENT = "EnemyKilled";
// Handed by a Freeze turret straight to its target.
inline const std::string FREEZE_EVENT = "FreezeEvent";
// Sent by the lives counter when the lives run out and by the treasure on F.
inline const std::string GAME_OVER_EVENT = "GameOver";
// Sent when the player leaves a level that is not over (saved and quit):
// the board goes, a menu follows.
inline const std::string QUIT_TO_MENU_EVENT = "QuitToMenu";

// The labels of the counters, which view events carry as their tags.
inline const std::string CURRENCY_TAG = "Currency:";
inline const std::string LIVES_TAG = "Lives:";
inline const std::string WAVE_TAG = "Wave:";

// Turrets aim at objects of this type; panels read the currency from the
// object of the other.
inline const std::string ENEMY_TYPE = "Enemy";
inline const std::string CURRENCY_VIEW_TYPE = "CurrencyView";
