#include "platform/Platform.h"

#include <csignal>

namespace zp::platform {
namespace {

volatile std::sig_atomic_t stop_signal = 0;

const int STOP_SIGNALS[] = {
    SIGINT,
    SIGTERM,
#ifdef SIGHUP
    // The terminal the game was started from was closed.
    SIGHUP,
#endif
};

extern "C" void recordStopSignal(int signal_number)
{
    // A loop that does not come round (a hang) must not make the program
    // unstoppable: the second request gets the signal's own action.
    if (stop_signal != 0) {
        std::signal(signal_number, SIG_DFL);
        std::raise(signal_number);
        return;
    }
    stop_signal = signal_number;
}

} // namespace

void installStopSignals()
{
    stop_signal = 0;
    for (int signal_number : STOP_SIGNALS)
        std::signal(signal_number, recordStopSignal);
}

int stopSignal()
{
    return stop_signal;
}

const char* signalName(int signal_number)
{
    switch (signal_number) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
#ifdef SIGHUP
    case SIGHUP:
        return "SIGHUP";
#endif
    default:
        return "signal";
    }
}

} // namespace zp::platform
