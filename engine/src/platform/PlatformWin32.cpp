#include "platform/Platform.h"

#include <cstdio>
#include <vector>

#include <windows.h>

#include <io.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <timeapi.h>

namespace zp::platform {

std::int64_t monotonicMicroseconds()
{
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return std::int64_t(counter.QuadPart / frequency * 1000000 +
                        counter.QuadPart % frequency * 1000000 / frequency);
}

void sleepMicroseconds(std::int64_t duration_us)
{
    if (duration_us >= 1000)
        Sleep(DWORD(duration_us / 1000));
}

// GetModuleFileName truncates silently, so a full buffer is tried again larger.
std::string executablePath()
{
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (length == 0)
            return std::string();
        if (length < size)
            return std::string(buffer.data(), length);
    }
    return std::string();
}

int syncFile(std::FILE* p_file)
{
    return _commit(_fileno(p_file)) == 0 ? 0 : -1;
}

// rename() on Windows refuses an existing target; MoveFileEx replaces it.
int replaceFile(const std::string& from, const std::string& to)
{
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : -1;
}

// Windows has no FIFOs in the file system; devices ("NUL", "CON") and
// folders are refused by their mode.
std::FILE* openRegularFile(const std::string& path, std::string& problem)
{
    struct _stat64 status {};
    if (_stat64(path.c_str(), &status) != 0) {
        problem = "not found";
        return nullptr;
    }
    if ((status.st_mode & _S_IFMT) != _S_IFREG) {
        problem = "not a regular file";
        return nullptr;
    }
    std::FILE* p_file = std::fopen(path.c_str(), "rb");
    if (p_file == nullptr)
        problem = "cannot be opened";
    return p_file;
}

// Both copies: the C library's, read with getenv, and the process's own,
// read with GetEnvironmentVariable and handed to child processes.
void setEnvironment(const char* name, const char* value)
{
    _putenv_s(name, value);
    SetEnvironmentVariableA(name, value);
}

void beginTimerResolution()
{
    timeBeginPeriod(1);
}

void endTimerResolution()
{
    timeEndPeriod(1);
}

// Not asked on Windows yet: the audio library's output there is assumed.
bool audioDeviceOpens()
{
    return true;
}

// A Windows desktop session always has its display, and losing it ends the
// session itself.
bool holdDisplay(std::string&)
{
    return true;
}

void releaseDisplay()
{
}

void watchDisplayConnection(void (*)())
{
}

// Windows has no SIGPIPE, and its closed standard handles fail writes already.
void guardStandardStreams()
{
}

bool isTerminal(std::FILE* p_stream)
{
    return _isatty(_fileno(p_stream)) != 0;
}

} // namespace zp::platform
