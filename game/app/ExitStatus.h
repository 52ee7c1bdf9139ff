// Every exit status of the program, in one table that --help prints.
#pragma once

#include "zp/GameManager.h"

const int EXIT_OK = 0;
// It could not start (no font, display or place for the log), lost its
// display, or could not write what it was asked to (a recording, the final
// state on standard output).
const int EXIT_FAILED = 1;
// For a command line the game does not understand.
const int EXIT_USAGE = 2;
// For a recording that cannot be read or does not fit the game.
const int EXIT_BAD_RECORDING = 3;
// For a replay that parted from its recording.
const int EXIT_REPLAY_DIFFERS = 4;

// The engine ends the program itself when the display is lost.
static_assert(zp::EXIT_DISPLAY_LOST == EXIT_FAILED, "a lost display is a failure like any other");

struct ExitStatusRow {
    int status;
    const char* meaning;
};

const ExitStatusRow EXIT_STATUSES[] = {
    {EXIT_OK, "the game ended normally"},
    {EXIT_FAILED, "it could not start, lost its display, or could not write a recording or its output"},
    {EXIT_USAGE, "a bad command line"},
    {EXIT_BAD_RECORDING, "a recording that cannot be read or does not fit the game"},
    {EXIT_REPLAY_DIFFERS, "a replay that parted from its recording"},
};
