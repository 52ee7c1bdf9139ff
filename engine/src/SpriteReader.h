// Reads a sprite file line by line exactly as the format's readers do
// (readLineInt, readLineStr, parseFrame), and says what was wrong and where:
// the first thing that went wrong, as "file:line: what", for a load that
// fails, and the things a load survives (an unknown colour name, an empty
// frame) as warnings of their own.
#pragma once

#include "zp/Frame.h"
#include "zp/LineReader.h"

#include <string>
#include <vector>

namespace zp {

class SpriteReader {
public:
    SpriteReader(LineReader& file, std::string file_name);

    // The header's lines: "frames", "width", "height" numbers, as readLineInt
    // gives them, and the colour line's text, as readLineStr gives it (a
    // line that does not start with "color" is noted).
    int numberLine(const std::string& keyword, const char* which_line);
    std::string colorLine(bool& keyword_found);
    // Notes a width or height below 0 (the frames then cannot be read).
    void checkSize(const std::string& keyword, int value, int line);
    // Frame `index` (from 1) of `count`, as parseFrame reads it.
    Frame frame(int width, int height, int index, int count);
    // True when the next line is exactly "eof".
    bool eofLine(int frames_read);
    bool atEnd() const;
    int getLineNumber() const;

    // Notes a problem at a line; the first one noted is the load's.
    void note(int line, const std::string& message);
    bool hasProblem() const;
    // "file:line: what" of the first problem.
    std::string problem() const;
    // Every problem, in the order found.
    const std::vector<std::string>& problems() const;
    // "file:line: what" for a warning about the line read last.
    std::string atLine(int line, const std::string& message) const;

private:
    bool next(std::string& line);

    LineReader& file;
    std::string file_name;
    int line_number = 0;
    int frames_expected = 0;
    bool refusal_noted = false;
    std::vector<std::string> noted;
};

} // namespace zp
