#include "zp/LineReader.h"

#include "platform/Platform.h"

#include <filesystem>
#include <utility>

namespace zp {
namespace {

// A stream buffer over a C file it owns: what the platform opened without
// waiting, read in blocks.
class FileBuffer : public std::streambuf {
public:
    explicit FileBuffer(std::FILE* p_opened) : p_file(p_opened) {}
    ~FileBuffer() override { std::fclose(p_file); }
    FileBuffer(const FileBuffer&) = delete;
    FileBuffer& operator=(const FileBuffer&) = delete;

protected:
    int_type underflow() override
    {
        const std::size_t got = std::fread(block, 1, sizeof block, p_file);
        if (got == 0)
            return traits_type::eof();
        setg(block, block, block + got);
        return traits_type::to_int_type(block[0]);
    }

private:
    static const std::size_t BLOCK_BYTES = 16384;
    std::FILE* p_file;
    char block[BLOCK_BYTES];
};

const char* const NUL_BYTE = "the line holds a NUL byte; the file is refused";

std::string lineTooLong()
{
    return "the line is longer than " + std::to_string(MAX_LINE_BYTES) + " bytes; the file is refused";
}

} // namespace

std::string ReadError::text() const
{
    if (line > 0)
        return file + ":" + std::to_string(line) + ": " + message;
    return file + ": " + message;
}

bool isRegularFile(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

LineReader::LineReader(const std::string& path) : name(path)
{
    std::string problem;
    std::FILE* p_file = platform::openRegularFile(path, problem);
    if (p_file == nullptr) {
        refuse(0, problem);
        return;
    }
    p_file_buffer = std::make_unique<FileBuffer>(p_file);
    p_buffer = p_file_buffer.get();
}

LineReader::LineReader(std::istream& in, std::string stream_name)
    : p_buffer(in.rdbuf()), name(std::move(stream_name))
{
    if (p_buffer == nullptr)
        refuse(0, "nothing to read");
}

LineReader::~LineReader() = default;

bool LineReader::isOpen() const
{
    return p_buffer != nullptr;
}

bool LineReader::readLine(std::string& line)
{
    line.clear();
    if (at_end)
        return false;
    using Traits = std::streambuf::traits_type;
    bool any = false;
    for (Traits::int_type ch = p_buffer->sbumpc(); !Traits::eq_int_type(ch, Traits::eof());
         ch = p_buffer->sbumpc()) {
        any = true;
        const char byte = Traits::to_char_type(ch);
        if (byte == '\n')
            break;
        if (byte == '\0')
            return refuse(line_number + 1, NUL_BYTE);
        // One byte more than the limit may still be the carriage return
        // before the line feed; beyond it the line is too long either way.
        if (line.size() > MAX_LINE_BYTES)
            return refuse(line_number + 1, lineTooLong());
        line.push_back(byte);
    }
    if (!any) {
        at_end = true;
        return false;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > MAX_LINE_BYTES)
        return refuse(line_number + 1, lineTooLong());
    ++line_number;
    return true;
}

bool LineReader::refuse(int line, const std::string& message)
{
    at_end = true;
    error.file = name;
    error.line = line;
    error.message = message;
    return false;
}

bool LineReader::atEnd() const
{
    return at_end;
}

bool LineReader::failed() const
{
    return !error.message.empty();
}

const ReadError& LineReader::getError() const
{
    return error;
}

ReadError LineReader::errorAtLine(const std::string& message) const
{
    ReadError at_line;
    at_line.file = name;
    at_line.line = line_number;
    at_line.message = message;
    return at_line;
}

int LineReader::getLineNumber() const
{
    return line_number;
}

const std::string& LineReader::getName() const
{
    return name;
}

} // namespace zp
