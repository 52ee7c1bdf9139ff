#include "progress/Records.h"

#include "progress/PlayerFiles.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>
#include <tuple>

namespace {

// Levels and difficulties as the records name them; a number beyond these is not the game's.
const int LEVEL_MAX = 999;
const long long COUNT_MAX = INT_MAX;

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> found;
    for (std::string word; in >> word;)
        found.push_back(word);
    return found;
}

// A whole number from 0 to `max`, digits only.
bool parseCount(const std::string& text, long long max, int& value)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const long long number = std::strtoll(text.c_str(), nullptr, 10);
    if (number > max)
        return false;
    value = static_cast<int>(number);
    return true;
}

bool isName(const std::string& word)
{
    return !word.empty() && word.size() <= 32 &&
           word.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-") == std::string::npos;
}

std::string lineText(int line)
{
    return "line " + std::to_string(line) + ": ";
}

} // namespace

bool BestResult::beats(const BestResult& other) const
{
    return std::make_tuple(wave, enemies, -steps) > std::make_tuple(other.wave, other.enemies, -other.steps);
}

bool BestResult::operator==(const BestResult& other) const
{
    return wave == other.wave && enemies == other.enemies && steps == other.steps;
}

Records::Records(std::string new_path) : path(std::move(new_path))
{
}

void Records::load(std::vector<std::string>& problems)
{
    table.clear();
    writable = true;
    if (path.empty())
        return;
    std::string text;
    std::string error;
    const int read = readPlayerFile(path, text, error);
    if (read == 0)
        return;
    if (read > 0 && parse(text, table, error) == 0)
        return;
    table.clear();
    if (read > 0)
        error = "\"" + path + "\": " + error;
    std::string move_error;
    const std::string aside = moveAside(path, move_error);
    if (aside.empty()) {
        writable = false;
        problems.push_back("the best results cannot be read: " + error + "; " + move_error +
                           ", so it is left as it is and this game's results are not kept");
        return;
    }
    problems.push_back("the best results cannot be read: " + error + "; the file was moved to \"" + aside +
                       "\" and the results begin afresh");
}

const BestResult* Records::best(int level, const std::string& difficulty) const
{
    const auto found = table.find({level, difficulty});
    return found == table.end() ? nullptr : &found->second;
}

bool Records::offer(int level, const std::string& difficulty, const BestResult& result, std::string& error)
{
    const BestResult* p_old = best(level, difficulty);
    if (p_old != nullptr && !result.beats(*p_old))
        return false;
    table[{level, difficulty}] = result;
    if (path.empty())
        return true;
    if (!writable)
        error = "the best results are not written: \"" + path + "\" could not be read or moved aside";
    else
        writePlayerFile(path, format(table), error);
    return true;
}

const std::string& Records::getPath() const
{
    return path;
}

bool Records::isWritable() const
{
    return writable;
}

std::string Records::format(const Table& records)
{
    std::ostringstream out;
    out << RECORDS_MAGIC << " " << RECORDS_VERSION << "\n"
        << "# The best result of each level and difficulty: the wave reached, the enemies\n"
        << "# destroyed in that game, and its length in steps (33 ms each at the normal speed).\n";
    for (const auto& [key, result] : records)
        out << "best level " << key.first << " difficulty " << key.second << " wave " << result.wave
            << " enemies " << result.enemies << " steps " << result.steps << "\n";
    out << RECORDS_END << "\n";
    return out.str();
}

int Records::parse(const std::string& text, Table& records, std::string& error)
{
    records.clear();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool header = false;
    bool ended = false;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > PLAYER_LINE_MAX) {
            error = lineText(number) + "the line is too long";
            return -1;
        }
        const std::vector<std::string> w = words(line);
        if (w.empty() || w[0][0] == '#')
            continue;
        if (ended) {
            error = lineText(number) + "nothing may follow \"" + RECORDS_END + "\"";
            return -1;
        }
        if (!header) {
            int version = 0;
            if (w.size() != 2 || w[0] != RECORDS_MAGIC || !parseCount(w[1], INT_MAX, version)) {
                error = lineText(number) + "not a file of best results (it starts \"" + RECORDS_MAGIC + " " +
                        std::to_string(RECORDS_VERSION) + "\")";
                return -1;
            }
            if (version != RECORDS_VERSION) {
                error = lineText(number) + "best results of version " + w[1] +
                        ", from a newer Cinderwatch (this one reads version " +
                        std::to_string(RECORDS_VERSION) + ")";
                return -1;
            }
            header = true;
            continue;
        }
        if (w.size() == 1 && w[0] == RECORDS_END) {
            ended = true;
            continue;
        }
        int level = 0;
        BestResult result;
        const bool shape = w.size() == 11 && w[0] == "best" && w[1] == "level" && w[3] == "difficulty" &&
                           w[5] == "wave" && w[7] == "enemies" && w[9] == "steps";
        if (!shape) {
            error =
                lineText(number) + "not a result (\"best level N difficulty D wave W enemies E steps S\")";
            return -1;
        }
        if (!parseCount(w[2], LEVEL_MAX, level) || level < 1 || !isName(w[4]) ||
            !parseCount(w[6], COUNT_MAX, result.wave) || !parseCount(w[8], COUNT_MAX, result.enemies) ||
            !parseCount(w[10], COUNT_MAX, result.steps)) {
            error = lineText(number) + "a number or name out of range";
            return -1;
        }
        if (!records.emplace(std::make_pair(level, w[4]), result).second) {
            error = lineText(number) + "a second result for level " + w[2] + " at difficulty " + w[4];
            return -1;
        }
    }
    if (!header) {
        error = "the file is empty";
        return -1;
    }
    if (!ended) {
        error = "the file is cut short (no \"" + RECORDS_END + "\" line after line " +
                std::to_string(number) + ")";
        return -1;
    }
    return 0;
}
