// The signals that must end the game loop cleanly, after the iteration under
// way, with the names the log gives them: one table for the engine's tests
// and the real program's.
#pragma once

#include <csignal>

namespace zp::test {

struct StopSignal {
    int number;
    const char* name;
};

const StopSignal STOP_SIGNALS[] = {
    {SIGINT, "SIGINT"},
    {SIGTERM, "SIGTERM"},
#ifdef _WIN32
    {SIGBREAK, "SIGBREAK"}, // Ctrl+Break; Windows has no SIGHUP
#else
    {SIGHUP, "SIGHUP"},
#endif
};

} // namespace zp::test
