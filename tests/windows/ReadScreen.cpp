// Reads a capture of the game's window the way the end-to-end tests do, for
// the Windows game's window under Wine (tests/windows/window-test.sh):
//   read_screen CAPTURE.png ROW TEXT [ROW TEXT...]
// Exits 0 when every row shows its text from its first column on, 1 when
// one does not (each row is named on standard output), 2 when the capture
// cannot be read.
#include "ScreenReader.h"

#include <SFML/Graphics/Image.hpp>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: read_screen CAPTURE.png ROW TEXT [ROW TEXT...]\n");
        return 2;
    }
    sf::Image screen;
    if (!screen.loadFromFile(argv[1])) {
        std::fprintf(stderr, "read_screen: cannot read %s\n", argv[1]);
        return 2;
    }
    const e2e::ScreenReader reader;
    int missing = 0;
    for (int i = 2; i + 1 < argc; i += 2) {
        const int row = std::atoi(argv[i]);
        const bool shown = reader.shows(screen, zp::Position(0, row), argv[i + 1]);
        std::printf("row %d %s \"%s\"\n", row, shown ? "shows" : "does not show", argv[i + 1]);
        missing += shown ? 0 : 1;
    }
    return missing == 0 ? 0 : 1;
}
