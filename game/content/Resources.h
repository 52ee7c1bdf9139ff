// Registers every sprite, sound and music of the game under its label.
#pragma once

#include <string>
#include <vector>

struct TurretKind;

void loadResources();
// The labels of the game's sprites, in the order loadResources loads them.
std::vector<std::string> spriteLabels();
// The kind's panel, cursor and turret sprites, then its sound (unless a kind
// loaded before has it), from the files its row names; loadResources does
// this for the game's own kinds.
void loadTurretKindResources(const TurretKind& kind);
