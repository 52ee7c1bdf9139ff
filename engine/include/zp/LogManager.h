/// \file
/// The engine's log file, "zephane.log" in the working directory unless the
/// game names another. Every line is "Message: " followed by a printf-style
/// message. The file is capped: once it reaches its size limit it is renamed
/// to the same name with ".1" added ("zephane.log.1", replacing the one
/// before) and a new file is begun, so a long session keeps at most twice
/// the limit on disk.
#pragma once

#include "zp/Manager.h"

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
    int writeLog(const char* format, ...) __attribute__((format(printf, 2, 3)));
    /// Writes what is buffered to the file now.
    void flush();

    /// Bytes after which the file is rotated (at a line's end); at least one line.
    void setSizeLimit(long bytes);
    long getSizeLimit() const;

private:
    LogManager();
    std::string rotatedName() const;
    void rotate();

    std::string log_file = LOGFILE_NAME;
    bool do_flush = false;
    std::FILE* p_f = nullptr;
    long size_limit = LOG_SIZE_LIMIT_DEFAULT;
    long bytes_written = 0;
    std::int64_t last_flush_us = 0;
};

} // namespace zp
