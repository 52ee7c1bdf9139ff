// A full screen of characters per frame: the graphics manager's single
// batch against one sf::Text draw per character (and against a transparent
// rectangle plus an sf::Text per character), in the same window, beside the
// cost of showing an empty frame.
// Run it under an X server from the build folder (the font is loaded from
// the working directory):  ../scripts/with-display.sh ./graphics_bench
// Vertical sync is turned off for every variant, so display() does not wait
// for a screen refresh and the figures compare drawing alone.
#include "zp/GraphicsManager.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

const int COLUMNS = zp::WINDOW_HORIZONTAL_CHARS_DEFAULT;
const int ROWS = zp::WINDOW_VERTICAL_CHARS_DEFAULT;
const int PRINTABLE_FIRST = 33;
const int PRINTABLE_COUNT = 94;
const unsigned CHARACTER_SIZE = 26;

char screenChar(int x, int y)
{
    return char(PRINTABLE_FIRST + (x + y * 7) % PRINTABLE_COUNT);
}

zp::Color screenColor(int x, int y)
{
    return zp::Color(1 + (x + y) % 7); // red ... white, never black
}

zp::GraphicsManager& startedGraphics()
{
    zp::GraphicsManager& graphics = zp::GraphicsManager::getInstance();
    if (graphics.getWindow() == nullptr && graphics.startUp() != 0) {
        std::fprintf(stderr, "graphics_bench: cannot open the window or load zp-font.ttf\n");
        std::exit(1);
    }
    graphics.getWindow()->setVerticalSyncEnabled(false);
    return graphics;
}

void BM_FullScreenBatched(benchmark::State& state)
{
    zp::GraphicsManager& graphics = startedGraphics();
    for (auto _ : state) {
        for (int y = 0; y < ROWS; ++y)
            for (int x = 0; x < COLUMNS; ++x)
                graphics.drawCh(zp::Position(x, y), screenChar(x, y), screenColor(x, y));
        graphics.swapBuffers();
    }
    state.SetItemsProcessed(state.iterations() * COLUMNS * ROWS);
}

// One sf::Text draw per character, as the characters were drawn before
// batching; with `background`, also the transparent cell-sized rectangle
// that was drawn under every character.
void drawOneByOne(benchmark::State& state, bool background)
{
    zp::GraphicsManager& graphics = startedGraphics();
    sf::RenderWindow& window = *graphics.getWindow();
    sf::Font font;
    if (!font.loadFromFile(zp::FONT_FILE_DEFAULT)) {
        state.SkipWithError("no font");
        return;
    }
    const sf::Color colors[] = {sf::Color::Black, sf::Color::Red,     sf::Color::Green, sf::Color::Yellow,
                                sf::Color::Blue,  sf::Color::Magenta, sf::Color::Cyan,  sf::Color::White};
    sf::Text text("", font, CHARACTER_SIZE);
    text.setStyle(sf::Text::Bold);
    sf::RectangleShape cell(sf::Vector2f(zp::charWidth(), zp::charHeight() - 1));
    cell.setFillColor(sf::Color(0, 0, 0, 0));
    for (auto _ : state) {
        for (int y = 0; y < ROWS; ++y) {
            for (int x = 0; x < COLUMNS; ++x) {
                zp::Position pixel = zp::spacesToPixels(zp::Position(x, y));
                if (background) {
                    cell.setPosition(float(pixel.getX()) + zp::charWidth() / 2 - 5,
                                     float(pixel.getY()) + zp::charHeight() / 2 - 12);
                    window.draw(cell);
                }
                text.setString(std::string(1, screenChar(x, y)));
                text.setFillColor(colors[screenColor(x, y)]);
                text.setPosition(float(pixel.getX()), float(pixel.getY()));
                window.draw(text);
            }
        }
        window.display();
        window.clear(sf::Color::Black);
    }
    state.SetItemsProcessed(state.iterations() * COLUMNS * ROWS);
}

void BM_FullScreenTextPerCharacter(benchmark::State& state)
{
    drawOneByOne(state, false);
}

void BM_FullScreenRectangleAndTextPerCharacter(benchmark::State& state)
{
    drawOneByOne(state, true);
}

void BM_EmptyFrame(benchmark::State& state)
{
    zp::GraphicsManager& graphics = startedGraphics();
    for (auto _ : state)
        graphics.swapBuffers();
}

#define ZP_FRAME_BENCHMARK(name)                                                                             \
    BENCHMARK(name)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true)

ZP_FRAME_BENCHMARK(BM_EmptyFrame);
ZP_FRAME_BENCHMARK(BM_FullScreenBatched);
ZP_FRAME_BENCHMARK(BM_FullScreenTextPerCharacter);
ZP_FRAME_BENCHMARK(BM_FullScreenRectangleAndTextPerCharacter);

// Prints the usual table and remembers each benchmark's median frame time.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> medians;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    const std::map<std::string, double>& medians = reporter.medians;
    auto median = [&](const char* name) {
        auto found = medians.find(name);
        return found == medians.end() ? 0.0 : found->second;
    };
    double batched = median("BM_FullScreenBatched");
    if (batched <= 0)
        return 0;
    std::printf("\nMedian frame time, full screen of %d x %d characters (vertical sync off):\n", COLUMNS,
                ROWS);
    std::printf("  empty frame (swapBuffers only):              %8.3f ms\n", median("BM_EmptyFrame"));
    std::printf("  batched (drawCh + swapBuffers):              %8.3f ms\n", batched);
    const struct {
        const char* name;
        const char* label;
    } others[] = {
        {"BM_FullScreenTextPerCharacter", "one sf::Text draw per character:"},
        {"BM_FullScreenRectangleAndTextPerCharacter", "rectangle + sf::Text per character:"},
    };
    for (const auto& other : others) {
        double ms = median(other.name);
        if (ms > 0)
            std::printf("  %-43s %8.3f ms  (batched is %.2fx faster)\n", other.label, ms, ms / batched);
    }
    return 0;
}
