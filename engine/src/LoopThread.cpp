#include "LoopThread.h"

#include "zp/LogManager.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace zp {
namespace {

// A default id is no thread: nothing is checked before the start-up.
std::atomic<std::thread::id> loop_thread{std::thread::id()};

} // namespace

void claimLoopThread()
{
    loop_thread = std::this_thread::get_id();
}

void releaseLoopThread()
{
    loop_thread = std::thread::id();
}

void checkLoopThread(const char* call)
{
    const std::thread::id owner = loop_thread;
    if (owner == std::thread::id() || owner == std::this_thread::get_id())
        return;
    const std::string message = std::string(call) +
                                " was called off the game loop's thread: every engine call belongs on the "
                                "thread that started the engine";
    std::fprintf(stderr, "zp: %s\n", message.c_str());
    LogManager& log = LogManager::getInstance();
    log.writeLog(LOG_ERROR, "%s", message.c_str());
    log.flush();
    std::abort();
}

} // namespace zp
