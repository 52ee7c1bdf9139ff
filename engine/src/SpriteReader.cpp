#include "SpriteReader.h"

#include "zp/ResourceManager.h"

#include <sstream>
#include <utility>

namespace zp {

SpriteReader::SpriteReader(LineReader& new_file, std::string new_file_name)
    : file(new_file), file_name(std::move(new_file_name))
{
}

bool SpriteReader::next(std::string& line)
{
    if (!file.readLine(line)) {
        // A line the shared reader refused (too long, a NUL byte) is the
        // file's problem from there on, said once.
        if (file.failed() && !refusal_noted) {
            refusal_noted = true;
            noted.push_back(file.getError().text());
        }
        return false;
    }
    line_number = file.getLineNumber();
    return true;
}

bool SpriteReader::atEnd() const
{
    return file.atEnd();
}

int SpriteReader::getLineNumber() const
{
    return line_number;
}

int SpriteReader::numberLine(const std::string& keyword, const char* which_line)
{
    std::string line;
    const bool read = next(line);
    // One line, read by the format's own number reader.
    std::istringstream one(line);
    LineReader one_line(one, file_name);
    const int value = readLineInt(one_line, keyword);
    std::istringstream words(line);
    std::string first_word;
    words >> first_word;
    if (!read)
        note(line_number + 1, "the file ends where the " + std::string(which_line) + " line, \"" + keyword +
                                  " <number>\", should be");
    else if (first_word != keyword)
        note(line_number, "the " + std::string(which_line) + " line must be \"" + keyword +
                              " <number>\", not \"" + line + "\"");
    if (keyword == FRAMES_TOKEN && value >= 0)
        frames_expected = value;
    return value;
}

std::string SpriteReader::colorLine(bool& keyword_found)
{
    std::string line;
    next(line);
    // The format takes the value without looking at the keyword; a missing
    // colour line is worth saying all the same.
    std::istringstream words(line);
    std::string first_word;
    words >> first_word;
    keyword_found = first_word == COLOR_TOKEN;
    if (!keyword_found)
        note(line_number, "the fourth line must be \"color <name>\", not \"" + line + "\"");
    std::istringstream one(line);
    LineReader one_line(one, file_name);
    return readLineStr(one_line, COLOR_TOKEN);
}

void SpriteReader::checkSize(const std::string& keyword, int value, int line)
{
    if (value < 0)
        note(line, keyword + " " + std::to_string(value) + " is below 0");
}

Frame SpriteReader::frame(int width, int height, int index, int count)
{
    const std::string frame_name = "frame " + std::to_string(index);
    const std::string too_few = ": the file holds " + std::to_string(index - 1) + " frames, not the " +
                                std::to_string(count) + " that \"frames\" promises";
    std::string frame_str;
    std::string line;
    for (int row = 1; row <= height; ++row) {
        if (!next(line)) {
            note(line_number + 1, "the file ends in " + frame_name + too_few);
            return Frame();
        }
        if (static_cast<long>(line.size()) == width) {
            frame_str += line;
            continue;
        }
        if (line == EOF_TOKEN)
            note(line_number, "\"eof\" in " + frame_name + too_few);
        else if (index == 1 && row == 1 && static_cast<long>(line.size()) == height && height != width)
            note(line_number, "the rows are " + std::to_string(height) + " characters long, not the width " +
                                  std::to_string(width) + ": are width and height swapped?");
        else
            note(line_number, "row " + std::to_string(row) + " of " + frame_name + " is " +
                                  std::to_string(line.size()) + " characters long, not the width " +
                                  std::to_string(width));
        return Frame();
    }
    if (!next(line)) {
        note(line_number + 1, "the file ends in " + frame_name + too_few);
        return Frame();
    }
    if (line != END_FRAME_TOKEN) {
        note(line_number, frame_name + " is not closed by \"end\" (found \"" + line + "\")");
        return Frame();
    }
    return Frame(width, height, std::move(frame_str));
}

bool SpriteReader::eofLine(int frames_read)
{
    const std::string after = frames_read > 0 ? "frame " + std::to_string(frames_read) : "the header";
    std::string line;
    if (!next(line)) {
        note(line_number + 1, "the file ends without \"eof\" after " + after);
        return false;
    }
    if (line == EOF_TOKEN)
        return true;
    note(line_number, "\"eof\" expected after " + after + ", the last that \"frames " +
                          std::to_string(frames_expected) + "\" promises, found \"" + line + "\"");
    return false;
}

void SpriteReader::note(int line, const std::string& message)
{
    noted.push_back(atLine(line, message));
}

bool SpriteReader::hasProblem() const
{
    return !noted.empty();
}

std::string SpriteReader::problem() const
{
    return noted.empty() ? std::string() : noted.front();
}

const std::vector<std::string>& SpriteReader::problems() const
{
    return noted;
}

std::string SpriteReader::atLine(int line, const std::string& message) const
{
    return file_name + ":" + std::to_string(line) + ": " + message;
}

} // namespace zp
