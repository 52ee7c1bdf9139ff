#include "app/CommandLine.h"

#include "app/ExitStatus.h"
#include "content/Controls.h"
#include "level/LevelFiles.h"

#include "zp/Palette.h"

#include <algorithm>

#ifndef CINDERWATCH_VERSION
#define CINDERWATCH_VERSION "unknown"
#endif

namespace {

// An option of the command line. One that takes a value accepts it as the
// next argument or after '=' ("--level 2", "--level=2").
struct OptionRow {
    const char* name;
    const char* short_name; // or nullptr
    const char* value_name; // nullptr for an option without a value
    const char* help;
    // Sets the option's field; returns what is wrong with the value, or "".
    std::string (*apply)(Options& options, const std::string& value);
};

std::string setLevel(Options& options, const std::string& value)
{
    const bool one_digit = value.size() == 1 && value[0] >= '1' && value[0] < '1' + LEVEL_COUNT;
    if (!one_digit)
        return "--level takes a level from 1 to " + std::to_string(LEVEL_COUNT) + ", not '" + value + "'";
    options.level = value[0] - '0';
    return "";
}

std::string setDifficulty(Options& options, const std::string& value)
{
    if (difficultyFromKey(value, options.difficulty) != 0)
        return "--difficulty takes " + difficultyKeys() + ", not '" + value + "'";
    options.difficulty_given = true;
    return "";
}

std::string setDataDir(Options& options, const std::string& value)
{
    if (value.empty())
        return "--data takes a folder";
    options.data_dir = value;
    return "";
}

std::string setRecordFile(Options& options, const std::string& value)
{
    if (value.empty())
        return "--record takes a file";
    options.record_file = value;
    return "";
}

std::string setReplayFile(Options& options, const std::string& value)
{
    if (value.empty())
        return "--replay takes a file";
    options.replay_file = value;
    return "";
}

std::string setPalette(Options& options, const std::string& value)
{
    if (zp::findPalette(value) != nullptr) {
        options.palette = value;
        return "";
    }
    std::string names;
    for (const zp::Palette* p_palette : zp::builtInPalettes())
        names += (names.empty() ? "" : ", ") + p_palette->name;
    return "--palette takes one of " + names + ", not '" + value + "'";
}

std::string setContinueFile(Options& options, const std::string& value)
{
    if (value.empty())
        return "--continue takes a file";
    options.continue_file = value;
    return "";
}

// Options that only make sense together, or not together; "" when they fit.
std::string checkCombination(const Options& options)
{
    if (!options.continue_file.empty() && options.level > 0)
        return "--level cannot be used with --continue (the save names its level)";
    if (options.headless && options.replay_file.empty())
        return "--headless needs --replay FILE";
    if (!options.replay_file.empty() && options.level > 0)
        return "--level cannot be used with --replay (the recording names its level)";
    if (!options.replay_file.empty() && options.difficulty_given)
        return "--difficulty cannot be used with --replay (the recording names its difficulty)";
    return "";
}

const OptionRow OPTION_TABLE[] = {
    {"--help", "-h", nullptr, "show this help and exit",
     [](Options& options, const std::string&) {
         options.help = true;
         return std::string();
     }},
    {"--version", nullptr, nullptr, "show the version and exit",
     [](Options& options, const std::string&) {
         options.version = true;
         return std::string();
     }},
    {"--level", nullptr, "N", "start level N (1, 2 or 3) at once, without the splash screen and the menu",
     setLevel},
    {"--difficulty", nullptr, "NAME",
     "play at casual, normal (the default) or veteran; the menu's D key changes it", setDifficulty},
    {"--data", nullptr, "DIR", "read the game data (sprites, levels, sounds) from DIR", setDataDir},
    {"--record", nullptr, "FILE",
     "write every input of this run to the recording FILE (with --replay: the replayed input, with fresh "
     "checks)",
     setRecordFile},
    {"--replay", nullptr, "FILE",
     "play the recording FILE back and check that the game takes the same course", setReplayFile},
    {"--palette", nullptr, "NAME",
     "draw in the colours of NAME: default, colour-blind (the Okabe-Ito colours) or high-contrast",
     setPalette},
    {"--continue", nullptr, "FILE",
     "continue the saved game FILE at once (with --replay: FILE is the beginning of the replayed game, "
     "which is played on from where FILE ends)",
     setContinueFile},
    {"--headless", nullptr, nullptr,
     "with --replay: no window, no sound, as fast as possible; print the final state",
     [](Options& options, const std::string&) {
         options.headless = true;
         return std::string();
     }},
};

const OptionRow* findOption(const std::string& name)
{
    for (const OptionRow& row : OPTION_TABLE)
        if (name == row.name || (row.short_name != nullptr && name == row.short_name))
            return &row;
    return nullptr;
}

// "--help" or "-h, --help", with the value's name after it.
std::string optionLabel(const OptionRow& row)
{
    std::string label = row.short_name != nullptr ? std::string(row.short_name) + ", " : "    ";
    label += row.name;
    if (row.value_name != nullptr)
        label += std::string(" ") + row.value_name;
    return label;
}

} // namespace

CommandLine parseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || argument[0] != '-') {
            line.error = "unexpected argument '" + argument + "'";
            break;
        }
        const std::size_t equals = argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
        const std::string name = argument.substr(0, equals);
        const OptionRow* p_row = findOption(name);
        if (p_row == nullptr) {
            line.error = "unknown option '" + name + "'";
            break;
        }
        std::string value;
        if (p_row->value_name == nullptr) {
            if (equals != std::string::npos)
                line.error = name + " takes no value";
        } else if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            line.error = name + " needs a value " + p_row->value_name;
        }
        if (line.error.empty())
            line.error = p_row->apply(line.options, value);
    }
    if (line.error.empty())
        line.error = checkCombination(line.options);
    return line;
}

CommandLine parseCommandLine(int argc, const char* const* argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return parseCommandLine(arguments);
}

std::string usageText()
{
    std::size_t width = 0;
    for (const OptionRow& row : OPTION_TABLE)
        width = std::max(width, optionLabel(row).size());
    std::string text = "Usage: cinderwatch [OPTION]...\n"
                       "A tower-defence game drawn in coloured text characters.\n\nOptions:\n";
    for (const OptionRow& row : OPTION_TABLE) {
        const std::string label = optionLabel(row);
        text += "  " + label + std::string(width - label.size() + 2, ' ') + row.help + "\n";
    }
    text += "\nKeys and mouse:\n" + usageKeysText();
    text += "\nExit status:\n";
    for (const ExitStatusRow& row : EXIT_STATUSES)
        text += "  " + std::to_string(row.status) + "  " + row.meaning + "\n";
    return text;
}

std::string versionText()
{
    return std::string("cinderwatch ") + CINDERWATCH_VERSION + "\n";
}
