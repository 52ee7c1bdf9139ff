#include "zp/LogManager.h"

#include "platform/Platform.h"

#include <cstdarg>

namespace zp {

LogManager::LogManager()
{
    setType("LogManager");
}

LogManager::~LogManager()
{
    LogManager::shutDown();
}

LogManager& LogManager::getInstance()
{
    static LogManager instance;
    return instance;
}

int LogManager::startUp()
{
    // What the open file still buffers belongs to it: written now, it cannot
    // land in the new file after the truncation below.
    if (p_f != nullptr)
        std::fflush(p_f);
    std::FILE* p_file = std::fopen(log_file.c_str(), "wb");
    if (p_file == nullptr)
        return -1;
    if (p_f != nullptr)
        std::fclose(p_f);
    p_f = p_file;
    // The rotated file of an earlier run would pass for this run's past.
    std::remove(rotatedName().c_str());
    bytes_written = 0;
    last_flush_us = platform::monotonicMicroseconds();
    return Manager::startUp();
}

void LogManager::shutDown()
{
    if (p_f != nullptr) {
        std::fclose(p_f);
        p_f = nullptr;
    }
    Manager::shutDown();
}

void LogManager::setLogFile(const std::string& path)
{
    log_file = path;
}

std::string LogManager::getLogFile() const
{
    return log_file;
}

void LogManager::setFlush(bool flush)
{
    do_flush = flush;
}

void LogManager::flush()
{
    if (p_f != nullptr)
        std::fflush(p_f);
    last_flush_us = platform::monotonicMicroseconds();
}

void LogManager::setSizeLimit(long bytes)
{
    size_limit = bytes;
}

long LogManager::getSizeLimit() const
{
    return size_limit;
}

std::string LogManager::rotatedName() const
{
    return log_file + LOGFILE_ROTATED_SUFFIX;
}

void LogManager::rotate()
{
    std::fclose(p_f);
    // The rotated file of the previous rotation is replaced (a plain rename
    // refuses to on Windows). Should it fail, reopening truncates: the cap
    // holds either way.
    platform::replaceFile(log_file, rotatedName());
    p_f = std::fopen(log_file.c_str(), "wb");
    bytes_written = 0;
}

int LogManager::writeLog(const char* format, ...)
{
    if (!isLogged(LOG_INFO))
        return 0;
    va_list args;
    va_start(args, format);
    const int count = writeLine(format, args);
    va_end(args);
    return count;
}

int LogManager::writeLog(LogLevel level, const char* format, ...)
{
    if (!isLogged(level))
        return 0;
    va_list args;
    va_start(args, format);
    const int count = writeLine(format, args);
    va_end(args);
    return count;
}

void LogManager::setLogLevel(LogLevel new_level)
{
    log_level = new_level;
}

LogLevel LogManager::getLogLevel() const
{
    return log_level;
}

bool LogManager::isLogged(LogLevel level) const
{
    return level != LOG_OFF && level >= log_level;
}

void LogManager::setTimingLevel(LogLevel new_level)
{
    timing_level = new_level;
}

LogLevel LogManager::getTimingLevel() const
{
    return timing_level;
}

int LogManager::writeLine(const char* format, va_list args)
{
    if (p_f == nullptr || format == nullptr)
        return -1;
    const int prefix_count = std::fprintf(p_f, "Message: ");
    const int message_count = std::vfprintf(p_f, format, args);
    const int newline_count = std::fprintf(p_f, "\n");
    if (prefix_count < 0 || message_count < 0)
        return -1;
    bytes_written += prefix_count + message_count + (newline_count > 0 ? newline_count : 0);
    if (bytes_written >= size_limit) {
        rotate();
        last_flush_us = platform::monotonicMicroseconds();
    } else if (do_flush || platform::monotonicMicroseconds() - last_flush_us >= LOG_FLUSH_INTERVAL_US) {
        flush();
    }
    return prefix_count + message_count;
}

} // namespace zp
