// The player's settings while the game runs: read at the start, given to the
// engine's audio (volumes and mute), changed from the settings screen and
// the mute key, and written at once after each change. A file with lines
// that cannot be read is not rewritten until the player changes a setting;
// one that cannot be read at all is never rewritten.
#pragma once

#include "app/Settings.h"

#include <string>
#include <vector>

class PlayerSettings {
public:
    static PlayerSettings& getInstance();
    PlayerSettings(const PlayerSettings&) = delete;
    PlayerSettings& operator=(const PlayerSettings&) = delete;

    // Reads the settings from `path` ("" keeps the defaults) and gives them
    // to the engine; each problem is named on standard error and in the log.
    // With `writable` false (a replay) changes are heard but not kept.
    void start(const std::string& path, bool writable);
    // start in two halves, for a program whose window is opened at the
    // settings' size: read names each problem on standard error (the log
    // may not have started), hear then gives the values to the engine's
    // audio and names the problems in the log.
    void read(const std::string& path, bool writable);
    void hear();
    // The defaults again, kept nowhere (as at the program's start).
    void stop();

    const SettingsValues& getValues() const;
    // Takes the new values: heard at once, and written. 0, or -1 with the
    // reason (also on standard error and in the log) in getProblem().
    int change(const SettingsValues& values);
    // The mute key: mute on or off, kept as every change is.
    void toggleMute();
    // The window's size and fullscreen now: kept (as a change) when they
    // differ from the settings'. Nothing is written otherwise.
    void keepWindow(int width, int height, bool fullscreen);
    const std::string& getPath() const;
    // Why the last write failed; "" after one that worked.
    const std::string& getProblem() const;

private:
    PlayerSettings();
    void applyToEngine() const;

    Settings settings;
    bool writable = false;
    std::string problem;
    // Named on standard error by read, in the log by hear.
    std::vector<std::string> read_problems;
};

// Takes the mute key (the controls table's) from the window's keys on every
// screen: the engine's key hook. Press toggles; its release and hold are
// taken too, so no screen and no recording sees the key.
void hearMuteKey();
