// The one fixture of tests that use the engine's managers. Every test starts
// from a freshly started log, world (80 x 24 cells, view at (0, 0)) and
// resource manager, with the game loop running (not over, not paused, one
// step per frame), and leaves them shut down again, so a test binary runs
// whole in one process as well as one test per process.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zp::test {

// What a test draws on.
enum class Screen {
    NONE,     // no graphics manager: drawing is refused
    HEADLESS, // drawn characters are recorded, nothing is shown
    WINDOW,   // the real window on the test's X display, with input
};

// Gives the graphics manager (shut down) its defaults back: title, sizes,
// grid, scaling, windowed and not fullscreen; and the input manager its
// fullscreen keys off.
void restoreGraphicsDefaults();

class EngineFixture : public testing::Test {
protected:
    explicit EngineFixture(Screen used_screen = Screen::NONE);

    void SetUp() override;
    void TearDown() override;

    // Pushes a world size to the boundary and the view, both at (0, 0).
    static void sizeWorld(int horizontal, int vertical);
    // Unloads every sound and music loaded under these labels: the audio
    // tables outlive the resource manager's shut-down.
    static void unloadAudio(const std::vector<std::string>& labels);

private:
    const Screen screen_kind;
};

} // namespace zp::test
