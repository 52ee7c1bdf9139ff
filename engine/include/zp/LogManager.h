// The engine's log file, "zephane.log" in the working directory. Every line
// is "Message: " followed by a printf-style message.
#pragma once

#include "zp/Manager.h"

#include <cstdio>

namespace zp {

const char* const LOGFILE_NAME = "zephane.log";

class LogManager : public Manager {
public:
    static LogManager& getInstance();
    ~LogManager() override;

    // Opens (and truncates) the log file; -1 when it cannot be opened.
    int startUp() override;
    void shutDown() override;

    void setFlush(bool flush);
    // Characters written for the prefix and the message (not the newline), or -1.
    int writeLog(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    LogManager();

    bool do_flush = false;
    std::FILE* p_f = nullptr;
};

} // namespace zp
