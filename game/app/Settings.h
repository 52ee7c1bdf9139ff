// The player's settings, kept between runs in a file of "key = value" lines
// that a person can edit ($XDG_CONFIG_HOME/cinderwatch/settings). Each key is
// one row of a table and one field of SettingsValues: a new setting is a
// field and a row. The file is replaced whole when written; lines that are
// not the game's keys (unknown keys, comments) are kept as they were.
#pragma once

#include "zp/GraphicsManager.h"
#include "zp/ResourceManager.h"

#include <string>
#include <vector>

// The volumes go up and down in steps of this many percent.
const int VOLUME_STEP = 10;

// What the settings hold; each field's initial value is its default.
struct SettingsValues {
    // The window's size when it is not fullscreen, and whether it is.
    int window_width = zp::WINDOW_HORIZONTAL_PIXELS_DEFAULT;
    int window_height = zp::WINDOW_VERTICAL_PIXELS_DEFAULT;
    bool fullscreen = false;
    // The loudness of the music and of the sound effects, in percent, in
    // steps of VOLUME_STEP; and everything silent while muted.
    int music_volume = zp::VOLUME_MAX;
    int sound_volume = zp::VOLUME_MAX;
    bool mute = false;

    bool operator==(const SettingsValues& other) const;
    bool operator!=(const SettingsValues& other) const { return !(*this == other); }
};

class Settings {
public:
    explicit Settings(std::string file_path);

    // Reads the file when there is one (none: every key takes its default).
    // Each line that cannot be read is named in `problems`, with the file and
    // its line number, and its key takes its default. -1 when the file is
    // there but cannot be read at all; it is then never replaced.
    int load(std::vector<std::string>& problems);
    // Writes the values atomically (a temporary file beside it, then a
    // rename), its folder made if need be: the file's lines in their order,
    // with the game's keys given their values, then the keys it lacked.
    // 0, or -1 with what went wrong (the file as it was).
    int save(std::string& error) const;
    // The text save writes.
    std::string text() const;

    const SettingsValues& getValues() const;
    void setValues(const SettingsValues& new_values);
    const std::string& getPath() const;

private:
    std::string path;
    SettingsValues values;
    // The file's lines as read, without their line breaks.
    std::vector<std::string> lines;
    bool unreadable = false;
};

// The key of a "key = value" line, or "" when it is none (blank, a comment
// starting with '#', or no '=').
std::string settingsKeyOf(const std::string& line);
