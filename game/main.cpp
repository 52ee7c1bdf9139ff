// Cinderwatch: starts the engine, loads the game's content, shows the
// splash screen and runs the game loop until the player quits.
#include "content/Resources.h"
#include "screens/SplashScreen.h"

#include "zp/GameManager.h"
#include "zp/LogManager.h"

#include <cstdio>

namespace {

const int EXIT_START_FAILED = 1;

} // namespace

int main()
{
    zp::GameManager& game = zp::GameManager::getInstance();
    if (game.startUp() != 0) {
        zp::LogManager::getInstance().writeLog("Error starting game manager!");
        std::fprintf(stderr, "Error starting game manager!\n"
                             "Cinderwatch needs the font \"zp-font.ttf\" in the working directory, the game\n"
                             "data in \"../GameData/\", a writable working directory for \"zephane.log\"\n"
                             "and a display to open its window on.\n");
        game.shutDown();
        return EXIT_START_FAILED;
    }

    loadResources();
    new SplashScreen; // the world owns it from here on
    game.run();
    game.shutDown();
    return 0;
}
