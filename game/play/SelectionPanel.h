// The small panel beside the selected turret: its kind, damage, fire rate,
// range (and the track cells it covers), targeting mode, upgrade level and
// the next level's cost and effect, and what selling it returns, with the
// keys that change them.
#pragma once

#include "zp/Box.h"

#include <string>
#include <utility>
#include <vector>

class Turret;

// The panel's lines after its title: a label and a value each.
std::vector<std::pair<std::string, std::string>> selectionLines(const Turret& turret, int covered);

// Where a panel of that size stands: right of the turret's box, or left of
// it where the right has no room before the buy panels; level with the
// turret's top where the playing field allows, and above the bottom row,
// which the wave preview takes.
zp::Box selectionPanelBox(const zp::Box& turret_box, int width, int height);

void drawSelectionPanel(const Turret& turret, int covered);
