// Cinderwatch: starts the engine and runs the game loop.
#include "zp/GameManager.h"

int main()
{
    zp::GameManager& game = zp::GameManager::getInstance();
    if (game.startUp() != 0)
        return 1;
    game.run();
    game.shutDown();
    return 0;
}
