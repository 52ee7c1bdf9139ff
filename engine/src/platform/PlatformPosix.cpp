#include "platform/Platform.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace zp::platform {
namespace {

using SteadyClock = std::chrono::steady_clock;
static_assert(SteadyClock::is_steady, "the frame clock must be monotonic");

} // namespace

std::int64_t monotonicMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(SteadyClock::now().time_since_epoch())
        .count();
}

void sleepMicroseconds(std::int64_t duration_us)
{
    if (duration_us > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(duration_us));
}

// Linux names the executable in /proc/self/exe; a link whose target is
// longer than the buffer is read again with a larger one.
std::string executablePath()
{
    for (std::size_t size = 256; size <= 65536; size *= 4) {
        std::vector<char> buffer(size);
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return std::string();
        if (static_cast<std::size_t>(length) < buffer.size())
            return std::string(buffer.data(), static_cast<std::size_t>(length));
    }
    return std::string();
}

int syncFile(std::FILE* p_file)
{
    return fsync(fileno(p_file)) == 0 ? 0 : -1;
}

// POSIX rename replaces an existing target in one step.
int replaceFile(const std::string& from, const std::string& to)
{
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : -1;
}

// POSIX sleeps already resolve far below a millisecond.
void setEnvironment(const char* name, const char* value)
{
    setenv(name, value, 1);
}

void guardStandardStreams()
{
    for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // /dev/null opened for reading: the lowest free number is fd's, and
        // a write to it fails (EBADF) as a write to the closed one did.
        const int held = open("/dev/null", O_RDONLY);
        if (held != -1 && held != fd)
            close(held);
    }
    std::signal(SIGPIPE, SIG_IGN);
}

bool isTerminal(std::FILE* p_stream)
{
    return isatty(fileno(p_stream)) == 1;
}

void beginTimerResolution()
{
}
void endTimerResolution()
{
}

} // namespace zp::platform
