// The real game, started as its own process in a run folder of its own under
// this test's X display, driven with xdotool and watched through captures of
// its window and a recording of everything it played.
#pragma once

#include "CellGeometry.h"

#include "zp/Position.h"

#include <SFML/Graphics/Image.hpp>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

namespace e2e {

using Seconds = std::chrono::duration<double>;

// Polls `condition` until it holds or the deadline passes; true when it held.
bool waitUntil(const std::function<bool()>& condition, Seconds deadline, Seconds interval = Seconds(0.25));

// The run folder is laid out as the build folder: the font inside it, the
// data set beside it ("../GameData").
struct RunOptions {
    // Data files (relative to GameData/) left out of the run's data set.
    std::vector<std::string> missing_data;
    // Data files (relative to GameData/) given this content instead.
    std::map<std::string, std::string> replaced_data;
    // Data files (relative to GameData/), or the font ("zp-font.ttf"), that
    // are FIFOs nobody writes to: reading one would wait for ever.
    std::vector<std::string> fifos;
    bool with_font = true;
    bool with_data = true;
    // The font file's content instead of the game's font.
    std::optional<std::string> font_content;
    // "../GameData" is a plain file rather than the data set.
    bool data_set_is_a_file = false;
    // The run folder cannot be written by the game: permission bits when
    // the tests run as an ordinary user; as root (which they do not stop)
    // the game runs as the unprivileged user nobody (see canRunUnprivileged),
    // from copies of its binary and data set.
    bool read_only_run_dir = false;
    // The X display to use ("" for the test's own).
    std::string display;
    // The program to start: the build's own cinderwatch when empty.
    std::string program;
    // A copy of the build's program alone in a folder of its own, so that
    // nothing is found beside it and the working folder's files are used.
    bool lone_copy = false;
    std::vector<std::string> arguments;
    // Set for the game, e.g. {"XDG_STATE_HOME", "/tmp/state"}; an empty value
    // unsets. XDG_DATA_HOME and XDG_CONFIG_HOME are the run's own unless set here.
    std::vector<std::pair<std::string, std::string>> environment;
    // The run folder is removed once the game stands in it: a working folder
    // that takes no files (even from root).
    bool vanished_run_dir = false;
};

// Whether the game can be started as the user nobody; the reason when not.
bool canRunUnprivileged(std::string& reason);

class GameProcess {
public:
    explicit GameProcess(const RunOptions& options = RunOptions());
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // Waits for the game's window; false if the game ended or none appeared.
    bool waitForWindow(Seconds deadline = Seconds(60));
    // Finds the window again (fullscreen makes it anew) and measures it.
    bool findWindowAgain(Seconds deadline = Seconds(30));
    // The window's size as the X server has it, and the grid in it (as of
    // the last measure: after waitForWindow, resize and findWindowAgain).
    sf::Vector2u measureWindow();
    const Grid& grid() const { return window_grid; }
    // Resizes the window as a player dragging its edge would (kept at the
    // screen's top-left corner); waits until the X server has it.
    bool resizeWindow(unsigned width, unsigned height);
    bool isRunning();
    // The exit status once the game has ended, or -1 if it is still running at the deadline.
    int waitForExit(Seconds deadline);

    // Sends a signal to the game.
    void signal(int signal_number);
    // The X id of the game's window (after waitForWindow).
    const std::string& windowId() const { return window_id; }

    // A key by its X name ("1", "q", "f"); the pointer rests over the window so it has the focus.
    void pressKey(const std::string& key_name);
    void moveTo(zp::Position cell);
    // X buttons: 1 left, 2 middle, 3 right.
    void click(zp::Position cell, int button = 1);
    // A pixel of the window rather than a cell.
    void clickPixel(zp::Position pixel, int button = 1);
    // Asks the window to close, as its close button does through a window
    // manager; false when the request could not be sent.
    bool requestClose();

    // The window as a player sees it now.
    sf::Image capture();
    // A command (xdotool, import) with the game's display as its own.
    std::string onDisplay(const std::string& command) const;

    const std::string& runDir() const { return run_dir; }
    // The temporary folder that holds the run folder and everything else of this run.
    const std::string& rootDir() const { return root; }
    std::string logText() const;
    std::string errorText() const;
    std::string outputText() const;
    std::string recordingPath() const;

private:
    std::string root;
    std::string run_dir;
    std::string window_id;
    // The game's display when not the test's own.
    std::string display;
    Grid window_grid;
    pid_t pid = -1;
    int exit_status = -1;
};

} // namespace e2e
