#include "app/Settings.h"

#include "zp/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

namespace fs = std::filesystem;

namespace {

// A file or a line longer than this is not a settings file a person wrote.
const std::uintmax_t MAX_FILE_BYTES = 64 * 1024;
const std::size_t MAX_LINE_LENGTH = 1000;

// One setting: its key in the file, how its value is read (the empty string,
// or what is wrong with it) and written.
struct SettingRow {
    const char* key;
    std::string (*read)(SettingsValues& values, const std::string& text);
    std::string (*write)(const SettingsValues& values);
};

// A whole number from `low` to `high`.
template <int SettingsValues::*field, int low, int high>
std::string readWholeNumber(SettingsValues& values, const std::string& text)
{
    const std::string wanted = "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    if (text.empty() || text.size() > 9 || !std::all_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c)) != 0;
        }))
        return wanted;
    const long number = std::strtol(text.c_str(), nullptr, 10);
    if (number < low || number > high)
        return wanted;
    values.*field = static_cast<int>(number);
    return "";
}

// A volume: a whole number of percent, in steps of VOLUME_STEP.
template <int SettingsValues::*field> std::string readVolume(SettingsValues& values, const std::string& text)
{
    const std::string wanted = "a volume from " + std::to_string(zp::VOLUME_MIN) + " to " +
                               std::to_string(zp::VOLUME_MAX) + " in steps of " + std::to_string(VOLUME_STEP);
    SettingsValues read = values;
    if (!readWholeNumber<field, zp::VOLUME_MIN, zp::VOLUME_MAX>(read, text).empty() ||
        read.*field % VOLUME_STEP != 0)
        return wanted;
    values.*field = read.*field;
    return "";
}

template <int SettingsValues::*field> std::string writeWholeNumber(const SettingsValues& values)
{
    return std::to_string(values.*field);
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// true or false (yes, no, on, off, 1 and 0 too).
template <bool SettingsValues::*field>
std::string readYesOrNo(SettingsValues& values, const std::string& text)
{
    const std::string word = lowerCase(text);
    if (word == "true" || word == "yes" || word == "on" || word == "1")
        values.*field = true;
    else if (word == "false" || word == "no" || word == "off" || word == "0")
        values.*field = false;
    else
        return "true or false";
    return "";
}

template <bool SettingsValues::*field> std::string writeYesOrNo(const SettingsValues& values)
{
    return values.*field ? "true" : "false";
}

const SettingRow SETTING_TABLE[] = {
    {"window_width", readWholeNumber<&SettingsValues::window_width, 1, zp::MAX_WINDOW_PIXELS>,
     writeWholeNumber<&SettingsValues::window_width>},
    {"window_height", readWholeNumber<&SettingsValues::window_height, 1, zp::MAX_WINDOW_PIXELS>,
     writeWholeNumber<&SettingsValues::window_height>},
    {"fullscreen", readYesOrNo<&SettingsValues::fullscreen>, writeYesOrNo<&SettingsValues::fullscreen>},
    {"music_volume", readVolume<&SettingsValues::music_volume>,
     writeWholeNumber<&SettingsValues::music_volume>},
    {"sound_volume", readVolume<&SettingsValues::sound_volume>,
     writeWholeNumber<&SettingsValues::sound_volume>},
    {"mute", readYesOrNo<&SettingsValues::mute>, writeYesOrNo<&SettingsValues::mute>},
};

const SettingRow* findSetting(const std::string& key)
{
    for (const SettingRow& row : SETTING_TABLE)
        if (key == row.key)
            return &row;
    return nullptr;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string valueOf(const std::string& line)
{
    return trimmed(line.substr(line.find('=') + 1));
}

std::string settingLine(const SettingRow& row, const SettingsValues& values)
{
    return std::string(row.key) + " = " + row.write(values);
}

} // namespace

bool SettingsValues::operator==(const SettingsValues& other) const
{
    for (const SettingRow& row : SETTING_TABLE)
        if (row.write(*this) != row.write(other))
            return false;
    return true;
}

std::string settingsKeyOf(const std::string& line)
{
    const std::string text = trimmed(line);
    const auto equals = text.find('=');
    if (text.empty() || text[0] == '#' || equals == std::string::npos)
        return "";
    return trimmed(text.substr(0, equals));
}

Settings::Settings(std::string file_path) : path(std::move(file_path))
{
}

int Settings::load(std::vector<std::string>& problems)
{
    values = SettingsValues();
    lines.clear();
    unreadable = false;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (path.empty() || status.type() == fs::file_type::not_found)
        return 0;
    // A file that cannot be read as a whole is named and left alone.
    const std::string where = "the settings file " + path;
    std::ifstream file;
    if (status.type() != fs::file_type::regular) {
        problems.push_back(where + " is not a plain file; every setting keeps its default");
    } else if (fs::file_size(path, error) > MAX_FILE_BYTES || error) {
        problems.push_back(where + " is larger than a settings file can be; every setting keeps its default");
    } else {
        file.open(path, std::ios::binary);
        if (!file)
            problems.push_back(where + " cannot be read; every setting keeps its default");
    }
    if (!file.is_open()) {
        unreadable = true;
        return -1;
    }

    if (fs::file_size(path, error) == 0 && !error)
        problems.push_back(where + " is empty; every setting keeps its default");
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        lines.push_back(line);
        const std::string at = path + " line " + std::to_string(number) + ": ";
        if (line.size() > MAX_LINE_LENGTH || line.find('\0') != std::string::npos) {
            problems.push_back(at + "not a line of text; it is ignored");
            continue;
        }
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == '#')
            continue;
        const std::string key = settingsKeyOf(line);
        if (key.empty()) {
            problems.push_back(at + "'" + text + "' is not a 'key = value' line; it is ignored");
            continue;
        }
        const SettingRow* p_row = findSetting(key);
        if (p_row == nullptr)
            continue; // someone else's key: kept as it stands
        const std::string wrong = p_row->read(values, valueOf(line));
        if (!wrong.empty()) {
            const std::string default_value = p_row->write(SettingsValues());
            p_row->read(values, default_value);
            problems.push_back(at + key + " takes " + wrong + ", not '" + valueOf(line) +
                               "'; it keeps its default (" + default_value + ")");
        }
    }
    return 0;
}

std::string Settings::text() const
{
    std::string out;
    std::vector<const SettingRow*> written;
    for (const std::string& line : lines) {
        const SettingRow* p_row = findSetting(settingsKeyOf(line));
        // What was not read (an unknown key, a comment, a line that is not
        // text) is written back as it stood.
        if (p_row == nullptr || line.size() > MAX_LINE_LENGTH || line.find('\0') != std::string::npos) {
            out += line + "\n";
            continue;
        }
        out += settingLine(*p_row, values) + "\n";
        written.push_back(p_row);
    }
    for (const SettingRow& row : SETTING_TABLE)
        if (std::find(written.begin(), written.end(), &row) == written.end())
            out += settingLine(row, values) + "\n";
    return out;
}

int Settings::save(std::string& error) const
{
    if (path.empty()) {
        error = "no home folder to keep the settings in";
        return -1;
    }
    if (unreadable) {
        error = "the settings file " + path + " could not be read, so it is left as it is";
        return -1;
    }
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    errno = 0;
    if (zp::writeFileAtomically(path, text()) != 0) {
        const int reason = errno;
        error = "the settings could not be written to " + path +
                (reason != 0 ? std::string(" (") + std::strerror(reason) + ")" : std::string()) +
                "; the file as it was is kept";
        return -1;
    }
    return 0;
}

const SettingsValues& Settings::getValues() const
{
    return values;
}

void Settings::setValues(const SettingsValues& new_values)
{
    values = new_values;
}

const std::string& Settings::getPath() const
{
    return path;
}
