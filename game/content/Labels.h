// The labels under which the game's pictures and music are loaded and found.
// The turrets' own labels stand in their kind's row (turrets/TurretKinds.h).
#pragma once

#include <string>

inline const std::string SPLASH_SPRITE = "splashscreen";
inline const std::string MENU_SPRITE = "menu";
inline const std::string GAME_OVER_SPRITE = "gameover";
inline const std::string TREASURE_SPRITE = "treasure";

inline const std::string ENEMY_SPRITE = "enemy";
inline const std::string ENEMY_EASY_SPRITE = "enemy-easy";
inline const std::string ENEMY_MEDIUM_SPRITE = "enemy-medium";
inline const std::string ENEMY_HARD_SPRITE = "enemy-hard";

// The track's pieces, named by the level files' block records.
inline const std::string BLOCK_VERTICAL_SPRITE = "BlockVertical";
inline const std::string BLOCK_HORIZONTAL_SPRITE = "BlockHorizontal";
inline const std::string BLOCK_RIGHT_ANGLE_LEFT_SPRITE = "BlockRightAngleLeft";
inline const std::string BLOCK_RIGHT_ANGLE_LEFT_B_SPRITE = "BlockRightAngleLeftB";
inline const std::string BLOCK_RIGHT_ANGLE_RIGHT_SPRITE = "BlockRightAngleRight";
inline const std::string BLOCK_RIGHT_ANGLE_UP_SPRITE = "BlockRightAngleUp";
inline const std::string BLOCK_RIGHT_ANGLE_DOWN_SPRITE = "BlockRightAngleDown";

inline const std::string MENU_MUSIC = "menu";
inline const std::string LEVEL_MUSIC = "background";
