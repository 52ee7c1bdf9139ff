#include "platform/Platform.h"

#include <SFML/Window/Keyboard.hpp>

#include <cstdio>
#include <vector>

#include <windows.h>

#include <io.h>
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

void setEnvironment(const char* name, const char* value)
{
    _putenv_s(name, value);
}

void beginTimerResolution()
{
    timeBeginPeriod(1);
}

void endTimerResolution()
{
    timeEndPeriod(1);
}

// A Windows desktop session always has its display, and losing it ends the
// session itself.
bool displayAvailable(std::string&)
{
    return true;
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

// Windows answers each key from the thread's own keyboard state, without a
// round trip, so the library's own question per key costs nothing.
bool readHeldKeys(std::vector<bool>& held)
{
    held.assign(sf::Keyboard::KeyCount, false);
    for (int key = 0; key < sf::Keyboard::KeyCount; ++key)
        held[std::size_t(key)] = sf::Keyboard::isKeyPressed(static_cast<sf::Keyboard::Key>(key));
    return true;
}

void releaseHeldKeys()
{
}

} // namespace zp::platform
