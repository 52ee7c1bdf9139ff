/// \file
/// The engine's log file, "zephane.log" in the working directory unless the
/// game names another. Every line is "Message: " followed by a printf-style
/// message. The file is capped: once it reaches its size limit it is renamed
/// to the same name with ".1" added ("zephane.log.1", replacing the one
/// before) and a new file is begun, so a long session keeps at most twice
/// the limit on disk.
///
/// Lines have levels, which the file does not show: a line is written when
/// its level is at least the log's level. Lines written without a level,
/// the game loop's timing lines and the engine's own lines are at LOG_INFO,
/// its warnings about misuse at LOG_WARNING, so by default every line is
/// written. A game may raise the log's level, or lower the timing lines
/// (setTimingLevel(LOG_DEBUG)) or turn them off (LOG_OFF).
#pragma once

#include "zp/Manager.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

namespace zp {

const char* const LOGFILE_NAME = "zephane.log";
// Where the older half of a long session's log goes: the log's own name
// with this added.
const char* const LOGFILE_ROTATED_SUFFIX = ".1";
const char* const LOGFILE_ROTATED_NAME = "zephane.log.1";
// About an hour of play at 60 timing lines a second.
const long LOG_SIZE_LIMIT_DEFAULT = 4L * 1024 * 1024;
// Buffered lines reach the disk at least this often while lines are written.
const std::int64_t LOG_FLUSH_INTERVAL_US = 1000000;

enum LogLevel : int {
    LOG_DEBUG = 0,
    LOG_INFO = 1,
    LOG_WARNING = 2,
    LOG_ERROR = 3,
    /// As the log's level nothing is written; a line at this level never is.
    LOG_OFF = 4,
};
const LogLevel LOG_LEVEL_DEFAULT = LOG_INFO;

class LogManager : public Manager {
public:
    static LogManager& getInstance();
    ~LogManager() override;

    /// Opens (and truncates) the log file and removes the rotated file of an
    /// earlier run; -1 when the log file cannot be opened.
    int startUp() override;
    void shutDown() override;

    /// The file the next start-up opens; LOGFILE_NAME until set.
    void setLogFile(const std::string& path);
    std::string getLogFile() const;

    /// True: every line is flushed as it is written. False (the default): lines
    /// are flushed at least once a second, and when the file is closed.
    void setFlush(bool flush);
    /// Characters written for the prefix and the message (not the newline), or -1.
    /// The line is at LOG_INFO.
    int writeLog(const char* format, ...) __attribute__((format(printf, 2, 3)));
    /// The same at a level of its own: 0, and nothing written, below the log's level.
    int writeLog(LogLevel level, const char* format, ...) __attribute__((format(printf, 3, 4)));
    /// Lines below this level are not written; LOG_LEVEL_DEFAULT until set.
    void setLogLevel(LogLevel new_level);
    LogLevel getLogLevel() const;
    /// True when a line of this level would be written.
    bool isLogged(LogLevel level) const;
    /// The level of the game loop's "draw time" and "loop time" lines;
    /// LOG_INFO until set.
    void setTimingLevel(LogLevel new_level);
    LogLevel getTimingLevel() const;
    /// Writes what is buffered to the file now.
    void flush();

    /// Bytes after which the file is rotated (at a line's end); at least one line.
    void setSizeLimit(long bytes);
    long getSizeLimit() const;

private:
    LogManager();
    std::string rotatedName() const;
    void rotate();
    int writeLine(const char* format, va_list args);

    std::string log_file = LOGFILE_NAME;
    bool do_flush = false;
    std::FILE* p_f = nullptr;
    long size_limit = LOG_SIZE_LIMIT_DEFAULT;
    LogLevel log_level = LOG_LEVEL_DEFAULT;
    LogLevel timing_level = LOG_INFO;
    long bytes_written = 0;
    std::int64_t last_flush_us = 0;
};

} // namespace zp
