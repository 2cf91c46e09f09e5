// Fair arrivals: no creature's patrol comes near where the hero arrives.
#pragma once
#include <string>
#include <vector>

#include "levels/level_text.h"

// Runs every creature of the level through its own movement code for a
// whole patrol and reports each one whose touch can come within three tiles
// of the hero's start, of a checkpoint, or of the spot where a respawn at a
// checkpoint lands; also a respawn that lands on something deadly or falls
// out of the world. The game's globals are left as they were found.
void checkFairArrivals(const LevelGrid& grid, std::vector<std::string>* problems);
