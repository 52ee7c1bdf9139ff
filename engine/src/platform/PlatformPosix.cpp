#include "platform/Platform.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
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

// Opened without waiting (O_NONBLOCK: a FIFO's open would wait for a
// writer), then asked what it is; a regular file reads as usual.
std::FILE* openRegularFile(const std::string& path, std::string& problem)
{
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        problem = errno == ENOENT ? "not found" : std::strerror(errno);
        return nullptr;
    }
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        problem = "not a regular file";
        return nullptr;
    }
    const int flags = fcntl(fd, F_GETFL);
    std::FILE* p_file =
        flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ? nullptr : fdopen(fd, "rb");
    if (p_file == nullptr) {
        problem = std::strerror(errno);
        close(fd);
    }
    return p_file;
}

// POSIX sleeps already resolve far below a millisecond.
void setEnvironment(const char* name, const char* value)
{
    setenv(name, value, 1);
}

void beginTimerResolution()
{
}
void endTimerResolution()
{
}

} // namespace zp::platform
