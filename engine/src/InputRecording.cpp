#include "zp/InputRecording.h"

#include "zp/AtomicFile.h"
#include "zp/GraphicsManager.h"
#include "zp/LineReader.h"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace zp {
namespace {

const char* const KEY_ACTIONS[] = {"pressed", "released", "down"};
const char* const MOUSE_ACTIONS[] = {"clicked", "pressed", "moved"};
const int ACTION_COUNT = 3;
const size_t DIGEST_DIGITS = 16;
const std::uint64_t FNV_PRIME = 1099511628211ull;
const int FIRST_KEY = sf::Keyboard::Unknown;
const int LAST_KEY = sf::Keyboard::KeyCount - 1;
const int LAST_BUTTON = sf::Mouse::ButtonCount - 1;

std::vector<std::string> wordsOf(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// A whole decimal int, nothing else.
bool parseInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* p_end = nullptr;
    const long number = std::strtol(text.c_str(), &p_end, 10);
    if (errno != 0 || *p_end != '\0' || number < INT_MIN || number > INT_MAX)
        return false;
    value = int(number);
    return true;
}

int actionIndex(const char* const names[], const std::string& word)
{
    for (int i = 0; i < ACTION_COUNT; ++i)
        if (word == names[i])
            return i;
    return -1;
}

bool parseDigest(const std::string& text, std::uint64_t& digest)
{
    if (text.size() != DIGEST_DIGITS || text.find_first_not_of("0123456789abcdef") != std::string::npos)
        return false;
    digest = std::strtoull(text.c_str(), nullptr, 16);
    return true;
}

std::string digestText(std::uint64_t digest)
{
    std::ostringstream text;
    text << std::hex << std::setw(int(DIGEST_DIGITS)) << std::setfill('0') << digest;
    return text.str();
}

} // namespace

bool RecordedInput::operator==(const RecordedInput& other) const
{
    return step == other.step && keyboard == other.keyboard && action == other.action && code == other.code &&
           mouse_position == other.mouse_position;
}

void InputRecording::clear()
{
    *this = InputRecording();
}

void InputRecording::setMeta(const std::string& key, const std::string& value)
{
    meta[key] = value;
}

std::string InputRecording::getMeta(const std::string& key) const
{
    const auto found = meta.find(key);
    return found == meta.end() ? std::string() : found->second;
}

bool InputRecording::hasMeta(const std::string& key) const
{
    return meta.count(key) != 0;
}

int InputRecording::getMetaLine(const std::string& key) const
{
    const auto found = meta_lines.find(key);
    return found == meta_lines.end() ? 0 : found->second;
}

void InputRecording::addKeyboard(int step, KeyboardAction action, int key)
{
    if (action < 0 || action >= ACTION_COUNT)
        return;
    RecordedInput input;
    input.step = step;
    input.keyboard = true;
    input.action = action;
    input.code = key;
    inputs.push_back(input);
}

void InputRecording::addMouse(int step, MouseAction action, int button, Position position)
{
    if (action < 0 || action >= ACTION_COUNT)
        return;
    RecordedInput input;
    input.step = step;
    input.keyboard = false;
    input.action = action;
    input.code = button;
    input.mouse_position = position;
    inputs.push_back(input);
}

void InputRecording::addCheck(int step, std::uint64_t digest)
{
    checks.push_back({step, digest});
}

void InputRecording::setEndStep(int step)
{
    end_step = step;
}

void InputRecording::clearEnd()
{
    end_step = -1;
    has_end_digest = false;
    end_digest = 0;
    end_line = 0;
}

void InputRecording::keepInputs(std::size_t count)
{
    if (count < inputs.size())
        inputs.resize(count);
}

void InputRecording::setEndDigest(std::uint64_t digest)
{
    end_digest = digest;
    has_end_digest = true;
}

void InputRecording::setSeed(std::uint64_t new_seed)
{
    seed = new_seed;
    has_seed = true;
}

bool InputRecording::hasSeed() const
{
    return has_seed;
}

std::uint64_t InputRecording::getSeed() const
{
    return seed;
}

const std::vector<RecordedInput>& InputRecording::getInputs() const
{
    return inputs;
}

const std::vector<RecordedCheck>& InputRecording::getChecks() const
{
    return checks;
}

int InputRecording::getEndStep() const
{
    return end_step;
}

bool InputRecording::hasEndDigest() const
{
    return has_end_digest;
}

std::uint64_t InputRecording::getEndDigest() const
{
    return end_digest;
}

int InputRecording::getHeaderLine() const
{
    return header_line;
}

int InputRecording::getEndLine() const
{
    return end_line;
}

int InputRecording::getLineCount() const
{
    return line_count;
}

int InputRecording::read(std::istream& in, std::string& error)
{
    LineReader reader(in, "recording");
    return read(reader, error);
}

int InputRecording::read(LineReader& in, std::string& error)
{
    clear();
    bool header_seen = false;
    int line_number = 0;
    for (std::string line; in.readLine(line);) {
        ++line_number;
        line_count = line_number;
        const std::vector<std::string> words = wordsOf(line);
        if (words.empty() || words[0][0] == '#')
            continue;
        std::string problem;
        if (!header_seen) {
            int version = 0;
            if (words[0] != RECORDING_MAGIC || words.size() != 2 || !parseInt(words[1], version))
                problem = std::string("not a recording (expected \"") + RECORDING_MAGIC + " " +
                          std::to_string(RECORDING_VERSION) + "\")";
            else if (version != RECORDING_VERSION)
                problem = "recording version " + words[1] + " is not supported (this program reads version " +
                          std::to_string(RECORDING_VERSION) + ")";
            header_seen = true;
            header_line = line_number;
        } else if (end_step >= 0) {
            problem = "nothing may follow the \"end\" line";
        } else if (parseLine(line, line_number, problem) == 0) {
            continue;
        }
        if (!problem.empty()) {
            error = "line " + std::to_string(line_number) + ": " + problem;
            return -1;
        }
    }
    // A line the reader refused (too long, a NUL byte) is a bad line like any other.
    if (in.failed()) {
        error = "line " + std::to_string(in.getError().line) + ": " + in.getError().message;
        return -1;
    }
    if (!header_seen) {
        error = "line " + std::to_string(line_number + 1) + ": not a recording (the file is empty)";
        return -1;
    }
    return 0;
}

int InputRecording::parseLine(const std::string& line, int line_number, std::string& error)
{
    const std::vector<std::string> words = wordsOf(line);
    const std::string& kind = words[0];
    if (kind == "meta") {
        if (words.size() < 2) {
            error = "\"meta\" needs a key";
            return -1;
        }
        const size_t key_start = line.find(words[1], line.find(kind) + kind.size());
        const size_t key_end = key_start + words[1].size();
        const size_t value_start = line.find_first_not_of(" \t", key_end);
        meta[words[1]] = value_start == std::string::npos ? std::string() : line.substr(value_start);
        meta_lines[words[1]] = line_number;
        return 0;
    }

    if (kind == "seed") {
        std::uint64_t value = 0;
        if (words.size() != 2 || !parseDigest(words[1], value)) {
            error = "\"seed\" takes one value of 16 hex digits";
            return -1;
        }
        if (has_seed) {
            error = "a second \"seed\" line (a recording has one)";
            return -1;
        }
        setSeed(value);
        return 0;
    }

    const size_t expected = kind == "key"     ? 4
                            : kind == "mouse" ? 6
                            : kind == "check" ? 3
                            : kind == "end"   ? 2
                                              : 0;
    if (expected == 0) {
        error = "unknown record \"" + kind + "\" (expected meta, seed, key, mouse, check or end)";
        return -1;
    }
    // The end line may carry the final state's digest.
    const bool end_with_digest = kind == "end" && words.size() == expected + 1;
    if (words.size() != expected && !end_with_digest) {
        error = "\"" + kind + "\" takes " + std::to_string(expected - 1) + (kind == "end" ? " or 2" : "") +
                " values, not " + std::to_string(words.size() - 1);
        return -1;
    }
    int step = 0;
    if (!parseInt(words[1], step) || step < 0) {
        error = "\"" + words[1] + "\" is not a step number";
        return -1;
    }
    if (step < last_step) {
        error =
            "step " + words[1] + " comes after step " + std::to_string(last_step) + " (steps never go back)";
        return -1;
    }
    last_step = step;

    if (kind == "check" || end_with_digest) {
        std::uint64_t digest = 0;
        if (!parseDigest(words[2], digest)) {
            error = "\"" + words[2] + "\" is not a digest of 16 hex digits";
            return -1;
        }
        if (end_with_digest) {
            setEndDigest(digest);
        } else {
            addCheck(step, digest);
            checks.back().line = line_number;
            return 0;
        }
    }
    if (kind == "end") {
        end_step = step;
        end_line = line_number;
        return 0;
    }

    const bool keyboard = kind == "key";
    const int action = actionIndex(keyboard ? KEY_ACTIONS : MOUSE_ACTIONS, words[2]);
    if (action < 0) {
        error =
            "\"" + words[2] + "\" is not a " +
            (keyboard ? "key action (pressed, released, down)" : "mouse action (clicked, pressed, moved)");
        return -1;
    }
    int numbers[3] = {0, 0, 0};
    for (size_t i = 3; i < words.size(); ++i) {
        if (!parseInt(words[i], numbers[i - 3])) {
            error = "\"" + words[i] + "\" is not a whole number";
            return -1;
        }
    }
    if (keyboard && (numbers[0] < FIRST_KEY || numbers[0] > LAST_KEY)) {
        error = "key code " + words[3] + " is not a key (" + std::to_string(FIRST_KEY) + " to " +
                std::to_string(LAST_KEY) + ")";
        return -1;
    }
    if (!keyboard && (numbers[0] < 0 || numbers[0] > LAST_BUTTON)) {
        error = "button " + words[3] + " is not a mouse button (0 to " + std::to_string(LAST_BUTTON) + ")";
        return -1;
    }
    // The input manager sends cells of the window only.
    if (!keyboard && (numbers[1] < 0 || numbers[1] >= WINDOW_HORIZONTAL_CHARS_DEFAULT || numbers[2] < 0 ||
                      numbers[2] >= WINDOW_VERTICAL_CHARS_DEFAULT)) {
        error = "mouse position " + words[4] + " " + words[5] + " is outside the view (x 0 to " +
                std::to_string(WINDOW_HORIZONTAL_CHARS_DEFAULT - 1) + ", y 0 to " +
                std::to_string(WINDOW_VERTICAL_CHARS_DEFAULT - 1) + ")";
        return -1;
    }
    if (keyboard)
        addKeyboard(step, KeyboardAction(action), numbers[0]);
    else
        addMouse(step, MouseAction(action), numbers[0], Position(numbers[1], numbers[2]));
    inputs.back().line = line_number;
    return 0;
}

int InputRecording::readFile(const std::string& path, std::string& error)
{
    // Only a regular file is read: a FIFO or a device is refused like a missing file.
    LineReader in(path);
    if (!in.isOpen()) {
        error = "cannot open " + path + ": " + in.getError().message;
        return -1;
    }
    return read(in, error);
}

void InputRecording::writeHead(std::ostream& out) const
{
    out << RECORDING_MAGIC << " " << RECORDING_VERSION << "\n";
    for (const auto& [key, value] : meta)
        out << "meta " << key << " " << value << "\n";
    if (has_seed)
        out << "seed " << digestText(seed) << "\n";
}

void InputRecording::writeRecords(std::ostream& out, WrittenUpTo& written) const
{
    // A check at step s is taken before the input sent at step s. Records
    // come in time order, so a check written last here still comes before
    // every input added later.
    for (; written.inputs < inputs.size(); ++written.inputs) {
        const RecordedInput& input = inputs[written.inputs];
        for (; written.checks < checks.size() && checks[written.checks].step <= input.step; ++written.checks)
            out << "check " << checks[written.checks].step << " " << digestText(checks[written.checks].digest)
                << "\n";
        if (input.keyboard)
            out << "key " << input.step << " " << KEY_ACTIONS[input.action] << " " << input.code << "\n";
        else
            out << "mouse " << input.step << " " << MOUSE_ACTIONS[input.action] << " " << input.code << " "
                << input.mouse_position.getX() << " " << input.mouse_position.getY() << "\n";
    }
    for (; written.checks < checks.size(); ++written.checks)
        out << "check " << checks[written.checks].step << " " << digestText(checks[written.checks].digest)
            << "\n";
}

void InputRecording::writeEnd(std::ostream& out) const
{
    if (end_step < 0)
        return;
    out << "end " << end_step;
    if (has_end_digest)
        out << " " << digestText(end_digest);
    out << "\n";
}

void InputRecording::write(std::ostream& out) const
{
    WrittenUpTo written;
    writeHead(out);
    writeRecords(out, written);
    writeEnd(out);
}

int InputRecording::writeFile(const std::string& path) const
{
    std::ostringstream text;
    write(text);
    return writeFileAtomically(path, text.str());
}

std::uint64_t digestOf(const std::string& text, std::uint64_t digest)
{
    for (unsigned char byte : text) {
        digest ^= byte;
        digest *= FNV_PRIME;
    }
    return digest;
}

} // namespace zp
