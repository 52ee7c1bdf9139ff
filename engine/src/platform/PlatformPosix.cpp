#include "platform/Platform.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zp::platform {
namespace {

using SteadyClock = std::chrono::steady_clock;
static_assert(SteadyClock::is_steady, "the frame clock must be monotonic");

// The audio library under the windowing library's audio module, and the
// calls of its device interface that the probe needs (none of them sets
// the library up in this process).
const char* const OPENAL_LIBRARY = "libopenal.so.1";
using OpenDevice = void* (*)(const char*);
using CloseDevice = char (*)(void*);
using CurrentContext = void* (*)();
const auto AUDIO_PROBE_DEADLINE = std::chrono::seconds(5);
const auto AUDIO_PROBE_POLL = std::chrono::milliseconds(5);
const int PROBE_DEVICE_OPENED = 0;
const int PROBE_NO_DEVICE = 1;
const int PROBE_CANNOT_ASK = 2;

// In the probe's own process: opens and closes the default device, with its
// messages (the sound system's complaints about missing cards) silenced.
[[noreturn]] void probeAudioDevice()
{
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
    }
    void* p_library = dlopen(OPENAL_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (p_library == nullptr)
        _exit(PROBE_CANNOT_ASK);
    const auto open_device = reinterpret_cast<OpenDevice>(dlsym(p_library, "alcOpenDevice"));
    const auto close_device = reinterpret_cast<CloseDevice>(dlsym(p_library, "alcCloseDevice"));
    if (open_device == nullptr || close_device == nullptr)
        _exit(PROBE_CANNOT_ASK);
    void* p_device = open_device(nullptr);
    if (p_device == nullptr)
        _exit(PROBE_NO_DEVICE);
    close_device(p_device);
    _exit(PROBE_DEVICE_OPENED);
}

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

// The audio library settles its list of outputs once per process, so the
// question is asked by a child process: this one's library stays untouched.
bool audioDeviceOpens()
{
    // A program that already plays (its library has a current context) has
    // its device; the probe would only disturb it (a file it records into).
    const auto current_context =
        reinterpret_cast<CurrentContext>(dlsym(RTLD_DEFAULT, "alcGetCurrentContext"));
    if (current_context != nullptr && current_context() != nullptr)
        return true;
    const pid_t child = fork();
    if (child < 0)
        return true;
    if (child == 0)
        probeAudioDevice();
    const auto deadline = SteadyClock::now() + AUDIO_PROBE_DEADLINE;
    int status = 0;
    pid_t done = 0;
    while ((done = waitpid(child, &status, WNOHANG)) == 0 && SteadyClock::now() < deadline)
        std::this_thread::sleep_for(AUDIO_PROBE_POLL);
    if (done == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
        return false;
    }
    if (done < 0)
        return true;
    if (!WIFEXITED(status))
        return false;
    return WEXITSTATUS(status) != PROBE_NO_DEVICE;
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
