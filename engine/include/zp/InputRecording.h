/// \file
/// A recording of a run's input: every keyboard and mouse event the input
/// manager sent, with the step before whose step events it came, plus state
/// checks the game took every so often, and the state of the engine's random
/// numbers when the recording began. Playing the same input back from the
/// same random state reaches the same state, step for step.
///
/// The text format, one record per line (blank lines and lines starting
/// with '#' are ignored):
///
///     zp-recording 1                      header with the format's version
///     meta <key> <value...>               free facts the game keeps (e.g. the level)
///     seed <16 hex digits>                the engine's random state when recording began
///                                         (at most once; recordings without it are older)
///     key <step> <pressed|released|down> <key code>
///     mouse <step> <clicked|pressed|moved> <button> <x> <y>
///     check <step> <16 hex digits>        the game's state digest at that step, before its input
///     end <step> [<16 hex digits>]        the step count at which the run ended, and the
///                                         state digest then
///
/// Steps never go back; the "end" line comes last. Key codes are the
/// engine's (-1 to 100), mouse buttons 0 to 4. Records read from text keep
/// the number of their line, so that a replay can say where it parted.
#pragma once

#include "zp/EventKeyboard.h"
#include "zp/EventMouse.h"
#include "zp/Position.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace zp {

class LineReader;

const char* const RECORDING_MAGIC = "zp-recording";
const int RECORDING_VERSION = 1;

/// One input event as it was sent, before the step events of `step`.
struct RecordedInput {
    int step = 0;
    bool keyboard = true;
    /// KeyboardAction or MouseAction.
    int action = 0;
    /// The key code, or the mouse button.
    int code = 0;
    Position mouse_position;
    /// The line it was read from; 0 when added by code.
    int line = 0;

    /// Compares the event, not the line.
    bool operator==(const RecordedInput& other) const;
};

struct RecordedCheck {
    int step = 0;
    std::uint64_t digest = 0;
    /// The line it was read from; 0 when added by code.
    int line = 0;
};

class InputRecording {
public:
    void clear();

    void setMeta(const std::string& key, const std::string& value);
    /// The value, or an empty string.
    std::string getMeta(const std::string& key) const;
    bool hasMeta(const std::string& key) const;
    /// The line of the meta record that set the key, or 0.
    int getMetaLine(const std::string& key) const;

    /// Events with an action outside the engine's are not recorded.
    void addKeyboard(int step, KeyboardAction action, int key);
    void addMouse(int step, MouseAction action, int button, Position position);
    void addCheck(int step, std::uint64_t digest);
    void setEndStep(int step);
    /// The state digest when the run ended, written on the "end" line.
    void setEndDigest(std::uint64_t digest);
    /// The run goes on after all: no end step, no end digest (a saved game
    /// taken up again records on into its recording).
    void clearEnd();
    /// Keeps the first `count` inputs and drops the rest (input that must
    /// not be played again, such as the keys that asked for a save).
    void keepInputs(std::size_t count);
    /// The state of the engine's random numbers when the run began (Random::getState).
    void setSeed(std::uint64_t seed);
    bool hasSeed() const;
    std::uint64_t getSeed() const;

    const std::vector<RecordedInput>& getInputs() const;
    const std::vector<RecordedCheck>& getChecks() const;
    /// -1 while the run has not ended.
    int getEndStep() const;
    bool hasEndDigest() const;
    std::uint64_t getEndDigest() const;
    /// The lines of the header and of the "end" record, and the number of
    /// lines read; 0 for a recording made by code.
    int getHeaderLine() const;
    int getEndLine() const;
    int getLineCount() const;

    /// 0 when the whole text is a recording; otherwise -1 and, in `error`,
    /// "line N: what is wrong". A failed read leaves what was read so far.
    int read(std::istream& in, std::string& error);
    int read(LineReader& in, std::string& error);
    /// Reads a regular file (see LineReader); "cannot open PATH: why" otherwise.
    int readFile(const std::string& path, std::string& error);
    void write(std::ostream& out) const;
    /// Replaces the file whole (zp::writeFileAtomically): 0, or -1 with the
    /// old file untouched.
    int writeFile(const std::string& path) const;

    /// How far an incremental write has got.
    struct WrittenUpTo {
        std::size_t inputs = 0;
        std::size_t checks = 0;
    };
    /// write() in pieces, for a recording written while it is taken: the
    /// head (header and meta records), then the records added since the last
    /// call, as often as wanted, then the end. The pieces together are what
    /// write() writes, since records are added in time order.
    void writeHead(std::ostream& out) const;
    void writeRecords(std::ostream& out, WrittenUpTo& written) const;
    /// The "end" record; nothing while the run has not ended.
    void writeEnd(std::ostream& out) const;

private:
    int parseLine(const std::string& line, int line_number, std::string& error);
    /// The last step a record named, so that steps never go back.
    int last_step = 0;
    std::map<std::string, std::string> meta;
    std::map<std::string, int> meta_lines;
    std::vector<RecordedInput> inputs;
    std::vector<RecordedCheck> checks;
    int end_step = -1;
    bool has_end_digest = false;
    std::uint64_t end_digest = 0;
    bool has_seed = false;
    std::uint64_t seed = 0;
    int header_line = 0;
    int end_line = 0;
    int line_count = 0;
};

/// FNV-1a, 64 bits: a digest of text that stays the same on every machine.
std::uint64_t digestOf(const std::string& text, std::uint64_t digest = 14695981039346656037ull);

} // namespace zp
