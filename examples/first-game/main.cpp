// Dodge: rocks fall, the arrow keys move the ship, Q quits. Every rock that
// falls past the ship counts; the first that hits it ends the game.
//   dodge [--font FILE] [--seed N] [--steps N]
#include "Ship.h"
#include "Sky.h"

#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"
#include "zp/ResourceManager.h"
#include "zp/ViewObject.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    std::string font = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
    long seed = -1;
    int steps = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--font")
            font = argv[i + 1];
        else if (option == "--seed")
            seed = std::atol(argv[i + 1]);
        else if (option == "--steps")
            steps = std::atoi(argv[i + 1]);
    }

    // 1. Name the font and the log, then start the engine.
    zp::GraphicsManager::getInstance().setFontFile(font);
    zp::LogManager::getInstance().setLogFile("dodge.log");
    zp::GameManager& game = zp::GameManager::getInstance();
    if (game.startUp() != 0) {
        std::fprintf(stderr, "dodge: the engine did not start (see dodge.log)\n");
        game.shutDown();
        return 1;
    }
    // Two lines a frame about timing are more than this game needs.
    zp::LogManager::getInstance().setTimingLevel(zp::LOG_DEBUG);
    if (seed >= 0)
        game.getRandom().setState(std::uint64_t(seed));

    // 2. Load what the objects will show.
    if (zp::ResourceManager::getInstance().loadSprite("rock.txt", "rock") != 0)
        std::fprintf(stderr, "dodge: no rock.txt here (see dodge.log)\n");

    // 3. Make the objects: the world owns them from here on.
    zp::ViewObject* p_dodged = new zp::ViewObject;
    p_dodged->setViewString("Dodged:");
    p_dodged->setLocation(zp::TOP_LEFT);
    new Ship;
    new Sky(steps);

    // 4. Run until the game is over, then shut the engine down.
    game.run();
    const int dodged = p_dodged->getValue();
    game.shutDown();
    std::printf("dodged: %d\n", dodged);
    return 0;
}
