// Registers every sprite, sound and music of the game under its label.
#pragma once

void loadResources();
