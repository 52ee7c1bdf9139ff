#include "zp/LogManager.h"

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
    std::FILE* p_file = std::fopen(log_file.c_str(), "w");
    if (p_file == nullptr)
        return -1;
    if (p_f != nullptr)
        std::fclose(p_f);
    p_f = p_file;
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

int LogManager::writeLog(const char* format, ...)
{
    if (p_f == nullptr || format == nullptr)
        return -1;
    const int prefix_count = std::fprintf(p_f, "Message: ");
    va_list args;
    va_start(args, format);
    const int message_count = std::vfprintf(p_f, format, args);
    va_end(args);
    std::fprintf(p_f, "\n");
    if (prefix_count < 0 || message_count < 0)
        return -1;
    if (do_flush)
        std::fflush(p_f);
    return prefix_count + message_count;
}

} // namespace zp
