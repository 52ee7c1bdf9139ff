#include "GameProcess.h"

#include "support/CloseRequest.h"
#include "support/RunDir.h"
#include "support/Shell.h"
#include "support/WindowCapture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace e2e {
namespace {

const char* const WINDOW_TITLE = "Zephane";
const char* const FONT_FILE = "zp-font.ttf";

void run(const std::string& command)
{
    if (std::system((command + " >/dev/null 2>&1").c_str()) != 0)
        std::fprintf(stderr, "e2e: command failed: %s\n", command.c_str());
}

// The user the game runs as when root's writes must be stopped.
const char* const UNPRIVILEGED_IDS[] = {"--reuid=65534", "--regid=65534", "--clear-groups"};
const char* const SETPRIV = "/usr/bin/setpriv";

// The data set with some files left out or replaced: folders made anew,
// files linked or written.
void copyDataSet(const fs::path& from, const fs::path& to, const RunOptions& options)
{
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
        const fs::path relative = fs::relative(entry.path(), from);
        if (entry.is_directory()) {
            fs::create_directories(to / relative);
            continue;
        }
        bool left_out = false;
        for (const std::string& name : options.missing_data)
            left_out = left_out || relative == fs::path(name);
        const auto replaced = options.replaced_data.find(relative.generic_string());
        const bool fifo = std::find(options.fifos.begin(), options.fifos.end(), relative.generic_string()) !=
                          options.fifos.end();
        if (fifo)
            mkfifo((to / relative).c_str(), 0600);
        else if (replaced != options.replaced_data.end())
            std::ofstream(to / relative, std::ios::binary) << replaced->second;
        else if (!left_out)
            fs::create_symlink(entry.path(), to / relative);
    }
}

// "../GameData" as the run asks for it: none, a plain file, the data set
// itself, or a copy with some files left out or replaced.
void placeDataSet(const fs::path& to, const RunOptions& options, bool own_copy)
{
    const fs::path data(fs::path(ZP_SOURCE_DIR) / "GameData");
    if (!options.with_data)
        return;
    if (own_copy)
        fs::copy(data, to, fs::copy_options::recursive);
    else if (options.data_set_is_a_file)
        std::ofstream(to) << "not a folder\n";
    else if (options.missing_data.empty() && options.replaced_data.empty() && options.fifos.empty())
        fs::create_directory_symlink(data, to);
    else
        copyDataSet(data, to, options);
}

bool runAsRoot()
{
    return geteuid() == 0;
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, Seconds deadline, Seconds interval)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (true) {
        if (condition())
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(interval);
    }
}

bool canRunUnprivileged(std::string& reason)
{
    if (access(SETPRIV, X_OK) != 0) {
        reason = std::string(SETPRIV) + " is missing (package util-linux)";
        return false;
    }
    const std::string check = std::string(SETPRIV) + " " + UNPRIVILEGED_IDS[0] + " " + UNPRIVILEGED_IDS[1] +
                              " " + UNPRIVILEGED_IDS[2] + " true >/dev/null 2>&1";
    if (std::system(check.c_str()) != 0) {
        reason = "setpriv cannot change to the user nobody here";
        return false;
    }
    return true;
}

GameProcess::GameProcess(const RunOptions& options) : display(options.display)
{
    std::string templ = (fs::temp_directory_path() / "cinderwatch-e2e-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr)
        return;
    root = templ;
    run_dir = (fs::path(root) / "run").string();
    fs::create_directories(run_dir);
    // Run as another user, the game gets its own copies of the binary and the
    // data set, which it can read wherever the build lies.
    const bool unprivileged = options.read_only_run_dir && runAsRoot();
    placeDataSet(fs::path(root) / "GameData", options, unprivileged);
    const bool font_fifo =
        std::find(options.fifos.begin(), options.fifos.end(), FONT_FILE) != options.fifos.end();
    if (font_fifo)
        mkfifo((fs::path(run_dir) / FONT_FILE).c_str(), 0600);
    else if (options.font_content)
        std::ofstream(fs::path(run_dir) / "zp-font.ttf", std::ios::binary) << *options.font_content;
    else if (options.with_font && !options.vanished_run_dir)
        fs::copy_file(fs::path(ZP_BUILD_DIR) / "zp-font.ttf", fs::path(run_dir) / "zp-font.ttf");
    if (options.read_only_run_dir) {
        // The recording and the outputs stay writable beside the run folder.
        fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        fs::permissions(run_dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
        std::ofstream(recordingPath()).flush();
        fs::permissions(recordingPath(), fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec |
                                                            fs::perms::others_exec));
    }

    std::string binary =
        options.program.empty() ? std::string(ZP_BUILD_DIR) + "/cinderwatch" : options.program;
    if (options.lone_copy) {
        const fs::path copy = fs::path(root) / "lone" / "bin" / "cinderwatch";
        fs::create_directories(copy.parent_path());
        fs::copy_file(binary, copy);
        binary = copy.string();
    }
    std::vector<std::string> argv_strings{"cinderwatch"};
    argv_strings.insert(argv_strings.end(), options.arguments.begin(), options.arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : argv_strings)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const std::string config = root + "/alsoft.conf";
    std::ofstream(config) << "[wave]\nfile = " << recordingPath() << "\n";

    if (unprivileged) {
        fs::copy_file(binary, root + "/cinderwatch");
        binary = root + "/cinderwatch";
    }
    const std::string out = root + "/stdout.txt";
    const std::string err = root + "/stderr.txt";
    pid = fork();
    if (pid == 0) {
        if (chdir(run_dir.c_str()) != 0)
            _exit(127);
        if (options.vanished_run_dir && rmdir(run_dir.c_str()) != 0)
            _exit(127);
        setenv("ALSOFT_DRIVERS", "wave", 1);
        // In the sanitizer build the system's GL driver, unloaded when the
        // window closes, leaves blocks that only look leaked; memory errors are
        // still caught, and the game's own leaks are checked by its unit tests.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        setenv("ALSOFT_CONF", config.c_str(), 1);
        // What the game keeps for the player stays in this run's folder,
        // never in the home of whoever runs the tests.
        setenv("XDG_DATA_HOME", (root + "/data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
        for (const auto& [name, value] : options.environment) {
            if (value.empty())
                unsetenv(name.c_str());
            else
                setenv(name.c_str(), value.c_str(), 1);
        }
        if (!options.display.empty())
            setenv("DISPLAY", options.display.c_str(), 1);
        if (!freopen(out.c_str(), "w", stdout) || !freopen(err.c_str(), "w", stderr))
            _exit(127);
        if (unprivileged) {
            std::vector<char*> setpriv_argv{const_cast<char*>("setpriv"),
                                            const_cast<char*>(UNPRIVILEGED_IDS[0]),
                                            const_cast<char*>(UNPRIVILEGED_IDS[1]),
                                            const_cast<char*>(UNPRIVILEGED_IDS[2]), binary.data()};
            setpriv_argv.insert(setpriv_argv.end(), argv.begin() + 1, argv.end());
            execv(SETPRIV, setpriv_argv.data());
        } else {
            execv(binary.c_str(), argv.data());
        }
        _exit(127);
    }
}

void GameProcess::signal(int signal_number)
{
    if (pid > 0)
        kill(pid, signal_number);
}

GameProcess::~GameProcess()
{
    if (isRunning()) {
        kill(pid, SIGTERM);
        if (waitForExit(Seconds(5)) < 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    if (!root.empty() && std::getenv("ZP_KEEP_RUN_DIR") == nullptr) {
        std::error_code ignored;
        fs::permissions(run_dir, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root, ignored);
    }
}

bool GameProcess::isRunning()
{
    if (pid <= 0)
        return false;
    int status = 0;
    const pid_t result = waitpid(pid, &status, WNOHANG);
    if (result == 0)
        return true;
    if (result == pid)
        exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid = -1;
    return false;
}

int GameProcess::waitForExit(Seconds deadline)
{
    if (waitUntil([this] { return !isRunning(); }, deadline, Seconds(0.05)))
        return exit_status;
    return -1;
}

bool GameProcess::waitForWindow(Seconds deadline)
{
    const std::string search = std::string("xdotool search --name '^") + WINDOW_TITLE + "$'";
    const bool found = waitUntil(
        [&] {
            if (!isRunning())
                return true;
            window_id = zp::test::commandOutput(onDisplay(search));
            return !window_id.empty();
        },
        deadline);
    if (!found || window_id.empty())
        return false;
    window_id = window_id.substr(0, window_id.find('\n'));
    measureWindow();
    // Without a window manager the keyboard focus follows the pointer.
    const zp::Position corner = window_grid.origin(zp::Position(78, 23));
    run(onDisplay("xdotool mousemove --window " + window_id + " " + std::to_string(corner.getX()) + " " +
                  std::to_string(corner.getY())));
    return true;
}

bool GameProcess::findWindowAgain(Seconds deadline)
{
    const std::string old_id = window_id;
    const std::string search = std::string("xdotool search --name '^") + WINDOW_TITLE + "$'";
    const bool found = waitUntil(
        [&] {
            const std::string ids = zp::test::commandOutput(onDisplay(search));
            const std::string id = ids.substr(0, ids.find('\n'));
            if (id.empty() || id == old_id)
                return false;
            window_id = id;
            return true;
        },
        deadline);
    if (!found)
        return false;
    measureWindow();
    // The keyboard's focus follows the pointer: into the new window.
    const zp::Position corner = window_grid.origin(zp::Position(78, 23));
    run(onDisplay("xdotool mousemove --window " + window_id + " " + std::to_string(corner.getX()) + " " +
                  std::to_string(corner.getY())));
    return true;
}

sf::Vector2u GameProcess::measureWindow()
{
    // "Geometry: 1920x1080"
    const std::string geometry = zp::test::commandOutput(onDisplay("xdotool getwindowgeometry " + window_id));
    const std::size_t at = geometry.find("Geometry: ");
    unsigned width = 0, height = 0;
    if (at == std::string::npos ||
        std::sscanf(geometry.c_str() + at, "Geometry: %ux%u", &width, &height) != 2)
        return sf::Vector2u();
    window_grid = gridFor(int(width), int(height));
    return sf::Vector2u(width, height);
}

bool GameProcess::resizeWindow(unsigned width, unsigned height)
{
    run(onDisplay("xdotool windowmove " + window_id + " 0 0 windowsize " + window_id + " " +
                  std::to_string(width) + " " + std::to_string(height)));
    return waitUntil([&] { return measureWindow() == sf::Vector2u(width, height); }, Seconds(20));
}

void GameProcess::pressKey(const std::string& key_name)
{
    run(onDisplay("xdotool key --delay 60 " + key_name));
}

void GameProcess::moveTo(zp::Position cell)
{
    const zp::Position pixel = window_grid.centre(cell);
    run(onDisplay("xdotool mousemove --window " + window_id + " " + std::to_string(pixel.getX()) + " " +
                  std::to_string(pixel.getY())));
}

void GameProcess::click(zp::Position cell, int button)
{
    moveTo(cell);
    run(onDisplay("xdotool click " + std::to_string(button)));
}

void GameProcess::clickPixel(zp::Position pixel, int button)
{
    run(onDisplay("xdotool mousemove --window " + window_id + " " + std::to_string(pixel.getX()) + " " +
                  std::to_string(pixel.getY()) + " click " + std::to_string(button)));
}

bool GameProcess::requestClose()
{
    return !window_id.empty() && zp::test::requestWindowClose(window_id);
}

std::string GameProcess::onDisplay(const std::string& command) const
{
    return display.empty() ? command : "DISPLAY='" + display + "' " + command;
}

sf::Image GameProcess::capture()
{
    sf::Image image = zp::test::captureWindow(window_id, root + "/capture.png", display);
    if (image.getSize().x == 0)
        image.create(1, 1);
    return image;
}

std::string GameProcess::logText() const
{
    return zp::test::readFile(run_dir + "/zephane.log");
}

std::string GameProcess::errorText() const
{
    return zp::test::readFile(root + "/stderr.txt");
}

std::string GameProcess::outputText() const
{
    return zp::test::readFile(root + "/stdout.txt");
}

std::string GameProcess::recordingPath() const
{
    return root + "/recording.wav";
}

} // namespace e2e
