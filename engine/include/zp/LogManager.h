/// \file
/// The engine's log file, "zephane.log" in the working directory unless the
/// game names another. Every line is "Message: " followed by a printf-style
/// message.
#pragma once

#include "zp/Manager.h"

#include <cstdio>
#include <string>

namespace zp {

const char* const LOGFILE_NAME = "zephane.log";

class LogManager : public Manager {
public:
    static LogManager& getInstance();
    ~LogManager() override;

    /// Opens (and truncates) the log file; -1 when it cannot be opened.
    int startUp() override;
    void shutDown() override;

    /// The file the next start-up opens; LOGFILE_NAME until set.
    void setLogFile(const std::string& path);
    std::string getLogFile() const;

    void setFlush(bool flush);
    /// Characters written for the prefix and the message (not the newline), or -1.
    int writeLog(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    LogManager();

    std::string log_file = LOGFILE_NAME;
    bool do_flush = false;
    std::FILE* p_f = nullptr;
};

} // namespace zp
