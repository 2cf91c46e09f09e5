// Rules every shipped level and the whole set of levels must keep.
#pragma once
#include <string>
#include <vector>

#include "levels/level_text.h"

struct NumberedLevel {
    int number;  // 1 to 12
    LevelGrid grid;
};

// The problems of one level's layout, each a readable sentence; empty when
// it is sound. Fair arrivals, which take running the creatures, are checked
// apart (levels/fair_start.h).
std::vector<std::string> checkLevel(const LevelGrid& grid);
// The problems of the whole game: every creature kind and both kinds of
// pick-up somewhere, and an extra life in every era.
std::vector<std::string> checkGame(const std::vector<NumberedLevel>& levels);
