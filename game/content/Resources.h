// Registers every sprite, sound and music of the game under its label.
#pragma once

#include <string>
#include <vector>

void loadResources();
// The labels of the game's sprites, in the order loadResources loads them.
std::vector<std::string> spriteLabels();
