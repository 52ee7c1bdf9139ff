// What the files the game keeps for the player (settings, best results,
// saved games) have in common: they are read with care, written whole or
// not at all, and a file that cannot be read is named and kept, never
// replaced unseen.
#pragma once

#include <string>

// The largest player's file the game reads: far beyond any it writes.
const std::size_t PLAYER_FILE_MAX_BYTES = 64u << 20;
// Lines longer than this are not the game's.
const std::size_t PLAYER_LINE_MAX = 4096;

// Reads a whole file. 1 when it is there and read; 0 when there is no such
// file (not an error: nothing was kept yet); -1 when it is there but cannot
// be read (not a regular file, unreadable, too large, NUL bytes), with the
// reason in `error` ("... is not a regular file").
int readPlayerFile(const std::string& path, std::string& text, std::string& error);
// Makes the file's folder if need be and replaces the file whole
// (zp::writeFileAtomically). 0, or -1 with the old file untouched and
// `error` naming the file and the system's reason.
int writePlayerFile(const std::string& path, const std::string& text, std::string& error);
// Renames a file that cannot be read to `path.bad-<date>_<time>` beside it,
// so that a fresh one can begin without losing it: the new name, or "" with
// the reason in `error` when it cannot be moved (it is then left alone).
std::string moveAside(const std::string& path, std::string& error);
// The local date and time as file names take it: "2024-05-01_13-45-07".
std::string fileDateStamp();
// Names a problem with a player's file where the player and the developer
// look: on standard error and in the log (once the log has started).
void reportFileProblem(const std::string& problem);
