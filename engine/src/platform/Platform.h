// The few services the engine needs from the operating system, behind one
// small interface; the implementation is chosen by the build.
#pragma once

#include <SFML/Window/WindowHandle.hpp>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zp::platform {

// Microseconds from a monotonic clock (never goes backwards, unaffected by
// wall-clock changes).
std::int64_t monotonicMicroseconds();
// The operating system's own sleep; it may overshoot by a millisecond or more.
void sleepMicroseconds(std::int64_t duration_us);
// Ask for (and release) a fine system timer resolution around the game's run.
void beginTimerResolution();
void endTimerResolution();

// The absolute path of the running program's executable, links resolved;
// empty when the system cannot tell.
std::string executablePath();
// Puts what was written to the file on the disk itself (not only in the
// system's cache); 0 or -1.
int syncFile(std::FILE* p_file);
// Renames `from` over `to`, replacing it in one step (the old `to` or the
// new, never neither); 0 or -1.
int replaceFile(const std::string& from, const std::string& to);

// Opens a file for reading in binary mode only when it is a regular file:
// never waits (a FIFO without a writer) and never reads a device. Null when
// it cannot, with `problem` saying why: "not found", "not a regular file",
// or the system's reason.
std::FILE* openRegularFile(const std::string& path, std::string& problem);

// Sets a variable of the program's own environment, for the libraries it
// starts later.
void setEnvironment(const char* name, const char* value);

// Waits until the monotonic clock reaches the deadline: sleeps until shortly
// before it, then waits out the rest precisely. The same on every system.
void sleepUntil(std::int64_t deadline_us);

// From here on an interrupt (Ctrl+C, SIGINT), a termination request
// (SIGTERM) or a closed terminal (SIGHUP) only records itself, for the game
// loop to end cleanly; a second one ends the program at once. Forgets an
// earlier request.
void installStopSignals();
// The signal that asked the program to stop, or 0.
int stopSignal();
// The signal's usual name ("SIGTERM"), or "signal" for others.
const char* signalName(int signal_number);

// Whether the audio library's default output device opens, asked without
// touching the library in this process (which reads its list of outputs
// once, when it first opens a device, so the answer can still change that
// list). False when no device opens or the question takes longer than a few
// seconds; true when it cannot be asked.
bool audioDeviceOpens();

// Opens a connection to the display and holds it until releaseDisplay(), so
// that a window can be opened; when the display cannot be reached, false
// and `reason` says why in a few words. Held, the connection keeps a fresh
// X server from resetting (which it does when its last client leaves)
// while the windowing library connects: a connection made during the reset
// fails, and the library then ends the program.
bool holdDisplay(std::string& reason);
// Lets the held connection go, once the window has a connection of its own.
void releaseDisplay();
// From here on, losing the connection to the display (the window destroyed
// by another program, the display server gone) is reported on standard
// error and in the log, `before_exit` is called (when given), the log is
// closed, and the program ends with EXIT_DISPLAY_LOST instead of the
// windowing library's own message.
void watchDisplayConnection(void (*before_exit)());

// Which keys of the whole keyboard are held down, read at once: held[k] for
// the windowing library's key code k (A = 0 ... Pause = 100). False, with
// nothing held, when the keyboard cannot be read.
bool readHeldKeys(std::vector<bool>& held);
// Lets go of what readHeldKeys keeps between calls (its connection).
void releaseHeldKeys();

// Standard streams closed when the program started are held by a descriptor
// that refuses writes, so that no file opened later takes their number and
// writes to them fail as they would have; a write to a pipe whose reader has
// gone fails (EPIPE) instead of ending the program with SIGPIPE.
void guardStandardStreams();
// Whether the stream is a terminal (where a line may be rewritten in place).
bool isTerminal(std::FILE* p_stream);

// A rectangle of a window's pixels, from its top-left corner.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Showing only parts of a window: the window's graphics context must be the
// current one. When the system can copy rectangles of the back buffer to the
// window without swapping the buffers, the back buffer keeps the whole
// picture from one frame to the next and only what changed need be drawn and
// shown. False when it cannot: then every frame is drawn whole and swapped.
bool canShowParts();
// Copies the rectangles of the back buffer to the window (of `window_height`
// pixels) and sends them on to the display. False when the display refused
// (a back buffer smaller than asked, the window resized meanwhile): the next
// frame should then be swapped and drawn whole.
bool showParts(const std::vector<PixelRect>& parts, int window_height);
// From here on, notes when the display loses some of the window's picture
// (another window moved off it) for tookExposure; 0 stops watching.
void watchExposure(sf::WindowHandle window_handle);
// Whether the display lost part of the window's picture since the last call.
bool tookExposure();

} // namespace zp::platform
