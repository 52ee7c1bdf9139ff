/// \file
/// The one reader of the text files that come from outside the program:
/// sprite files, the game's level and path files, recordings. It reads line
/// by line (a line ends at a line feed; a carriage return just before it is
/// not part of the line) and is safe against what is not a text file: only a
/// regular file is opened (a FIFO would wait for a writer for ever, a device
/// such as /dev/zero would never end), a line longer than MAX_LINE_BYTES or
/// holding a NUL byte refuses the rest of the file, and every error names the
/// file and the line.
#pragma once

#include <cstddef>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

namespace zp {

/// The longest line a text file of outside input may hold, without its line
/// break: far beyond any sprite row, level or recording line.
const std::size_t MAX_LINE_BYTES = 1024 * 1024;

/// What was wrong with a file of outside input, and where.
struct ReadError {
    std::string file;
    /// The line (from 1); 0 when the file as a whole was refused.
    int line = 0;
    /// Empty when nothing was wrong.
    std::string message;

    /// "file:line: message", or "file: message" without a line.
    std::string text() const;
};

/// True when `path` names a regular file (links followed): the check made
/// before a font or an audio file is handed to the windowing and audio
/// library, which would wait on a FIFO for ever.
bool isRegularFile(const std::string& path);

class LineReader {
public:
    /// Opens the file if it is a regular file that can be read; otherwise
    /// isOpen() is false and getError() says why ("not found", "not a
    /// regular file", or the system's reason).
    explicit LineReader(const std::string& path);
    /// Reads text from a stream that the caller keeps open (text held in
    /// memory, for instance); `name` stands for the file in errors.
    LineReader(std::istream& in, std::string name);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool isOpen() const;
    /// The next line without its line break. False at the end of the text,
    /// and from a refused line on (failed() then tells the two apart).
    bool readLine(std::string& line);
    /// True once there is nothing more to read: the end of the text was
    /// reached, the file could not be opened or a line was refused.
    bool atEnd() const;
    /// True when the file could not be opened or a line was refused.
    bool failed() const;
    const ReadError& getError() const;
    /// An error of the file's own grammar at the line read last, for the
    /// format's reader to report in the same words ("file:line: message").
    ReadError errorAtLine(const std::string& message) const;
    /// The number of the line read last (from 1); 0 before the first.
    int getLineNumber() const;
    const std::string& getName() const;

private:
    bool refuse(int line, const std::string& message);

    std::unique_ptr<std::streambuf> p_file_buffer;
    std::streambuf* p_buffer = nullptr;
    std::string name;
    int line_number = 0;
    bool at_end = false;
    ReadError error;
};

} // namespace zp
