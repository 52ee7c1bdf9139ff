// Stars: walk the '@' with the arrow keys and catch the stars; walls block
// the way, every star counts and chimes. Q quits.
//   stars [--font FILE] [--autoplay STEPS]
// --autoplay walks to the stars by itself, quits after STEPS steps and says
// how many it caught (for a quick check that the engine works).
#include "Chime.h"
#include "Player.h"
#include "Wall.h"

#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/ViewObject.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const char* const DEFAULT_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

void buildWalls()
{
    for (int x = 0; x < 80; ++x) {
        new Wall(zp::Position(x, 2));
        new Wall(zp::Position(x, 23));
    }
    for (int y = 3; y < 23; ++y) {
        new Wall(zp::Position(0, y));
        new Wall(zp::Position(79, y));
    }
    // A pillar in the middle of the field.
    for (int y = 8; y < 17; ++y)
        new Wall(zp::Position(40, y));
}

} // namespace

int main(int argc, char** argv)
{
    std::string font = DEFAULT_FONT;
    int autoplay_steps = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--font")
            font = argv[i + 1];
        else if (option == "--autoplay")
            autoplay_steps = std::atoi(argv[i + 1]);
    }

    // Font and log are the game's choice; the engine's defaults would be
    // "zp-font.ttf" and "zephane.log" in the working folder.
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    zp::GraphicsManager::getInstance().setFontFile(font);
    zp::LogManager::getInstance().setLogFile((folder / "stars.log").string());
    zp::GameManager& game = zp::GameManager::getInstance();
    if (game.startUp() != 0) {
        std::fprintf(stderr, "stars: the engine did not start (font \"%s\", a display?)\n", font.c_str());
        game.shutDown();
        return 1;
    }

    // The quick check plays the same game every time: the stars fall at the
    // same cells, so how many the autopilot reaches does not vary by luck.
    if (autoplay_steps > 0)
        game.getRandom().setState(1);

    const std::string chime = (folder / "stars-chime.wav").string();
    if (writeChime(chime, 880, 120))
        zp::ResourceManager::getInstance().loadSound(chime, "chime");

    zp::ViewObject* p_counter = new zp::ViewObject;
    p_counter->setViewString("Stars:");
    p_counter->setLocation(zp::TOP_LEFT);
    p_counter->setColor(zp::YELLOW);
    buildWalls();
    Player* p_player = new Player(zp::Position(10, 12), autoplay_steps);
    placeStar();

    game.run();
    const int caught = p_player->getCaught();
    game.shutDown();
    std::printf("stars caught: %d\n", caught);
    return 0;
}
