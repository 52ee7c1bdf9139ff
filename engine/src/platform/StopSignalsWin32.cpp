#include "platform/Platform.h"

#include <atomic>
#include <csignal>

#include <windows.h>

namespace zp::platform {
namespace {

// The console's events that are not C signals, numbered apart from them.
constexpr int CONSOLE_EVENT_BASE = 1000;

// The console calls its handlers on a thread of their own.
std::atomic<int> stop_signal{0};

const int STOP_SIGNALS[] = {SIGINT, SIGTERM, SIGBREAK};

// A request raised within the program (raise): recorded; a second one gets
// the signal's own action, which ends the program.
extern "C" void recordStopSignal(int signal_number)
{
    if (stop_signal.load() != 0) {
        std::signal(signal_number, SIG_DFL);
        std::raise(signal_number);
        return;
    }
    std::signal(signal_number, recordStopSignal); // Windows resets it to the default on each call
    stop_signal.store(signal_number);
}

// Ctrl+C and Ctrl+Break count as SIGINT and SIGBREAK, as in the C library;
// the console's closing, the user's logging off and the system's shutting
// down as events of their own.
int stopNumber(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT:
        return SIGINT;
    case CTRL_BREAK_EVENT:
        return SIGBREAK;
    default:
        return CONSOLE_EVENT_BASE + int(event);
    }
}

BOOL WINAPI recordConsoleEvent(DWORD event)
{
    // A second request goes on to the system's handler, which ends the
    // program at once.
    int expected = 0;
    if (!stop_signal.compare_exchange_strong(expected, stopNumber(event)))
        return FALSE;
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT)
        return TRUE;
    // After the closing events the system ends the program as soon as the
    // handler returns (or after a few seconds): this thread waits, so that
    // the game loop ends its iteration and the program exits on its own.
    Sleep(INFINITE);
    return TRUE;
}

} // namespace

void installStopSignals()
{
    stop_signal.store(0);
    for (int signal_number : STOP_SIGNALS)
        std::signal(signal_number, recordStopSignal);
    // Added once, after the C library's own handler, so that it is asked first.
    static const bool console_handler_added = SetConsoleCtrlHandler(recordConsoleEvent, TRUE) != 0;
    (void)console_handler_added;
}

int stopSignal()
{
    return stop_signal.load();
}

const char* signalName(int signal_number)
{
    switch (signal_number) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    case SIGBREAK:
        return "SIGBREAK";
    case CONSOLE_EVENT_BASE + CTRL_CLOSE_EVENT:
        return "the console's closing";
    case CONSOLE_EVENT_BASE + CTRL_LOGOFF_EVENT:
        return "the user's logging off";
    case CONSOLE_EVENT_BASE + CTRL_SHUTDOWN_EVENT:
        return "the system's shutting down";
    default:
        return "signal";
    }
}

} // namespace zp::platform
