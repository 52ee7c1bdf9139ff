// Cinderwatch: reads the command line, finds the font, the data and a place
// for the log, starts the engine, loads the game's content, shows the splash
// screen (or the level asked for) and runs the game loop until the player quits.
#include "app/CommandLine.h"
#include "app/Locations.h"
#include "content/DataPaths.h"
#include "content/Resources.h"
#include "play/WavesGame.h"
#include "screens/SplashScreen.h"

#include "zp/GameManager.h"
#include "zp/GraphicsManager.h"
#include "zp/LogManager.h"

#include <cstdio>

namespace {

const int EXIT_START_FAILED = 1;

void useLocations(const Locations& locations)
{
    zp::GraphicsManager::getInstance().setFontFile(locations.font_file);
    zp::LogManager::getInstance().setLogFile(locations.log_file);
    setGameDataDir(locations.data_dir);
    if (locations.log_moved)
        std::fprintf(stderr, "cinderwatch: the working folder takes no files, so the log goes to \"%s\"\n",
                     locations.log_file.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    const CommandLine line = parseCommandLine(argc, argv);
    if (!line.error.empty()) {
        std::fprintf(stderr, "cinderwatch: %s\n%s", line.error.c_str(), usageText().c_str());
        return EXIT_USAGE;
    }
    if (line.options.help || line.options.version) {
        std::fputs((line.options.help ? usageText() : versionText()).c_str(), stdout);
        return 0;
    }

    const Locations locations = findLocations(processEnvironment(), line.options.data_dir);
    useLocations(locations);

    zp::GameManager& game = zp::GameManager::getInstance();
    if (game.startUp() != 0) {
        const bool logged = zp::LogManager::getInstance().writeLog("Error starting game manager!") >= 0;
        std::fprintf(stderr,
                     "Error starting game manager!\n"
                     "Cinderwatch needs its font, its game data, a place for its log and a display\n"
                     "to open its window on. It used:\n%s%s",
                     describeLocations(locations).c_str(),
                     logged ? "The same message is in the log.\n" : "The log could not be written either.\n");
        game.shutDown();
        return EXIT_START_FAILED;
    }

    loadResources();
    // The world owns the first screen from here on.
    if (line.options.level > 0)
        startWavesGame(line.options.level);
    else
        new SplashScreen;
    game.run();
    game.shutDown();
    return 0;
}
