// Rules every shipped level and the whole set of levels must keep.
#pragma once
#include <string>
#include <vector>

#include "levels/level_text.h"

struct NumberedLevel {
    int number;  // 1 to 12
    LevelGrid grid;
};

// The problems of one level, each a readable sentence; empty when it is sound.
std::vector<std::string> checkLevel(const LevelGrid& grid);
// The problems of the whole game: every creature kind and both kinds of
// pick-up somewhere, and an extra life in every era.
std::vector<std::string> checkGame(const std::vector<NumberedLevel>& levels);

// Where the level puts the hero: the cell below the start marker. False if
// the level has no start marker.
bool findHeroStart(const LevelGrid& grid, int* row, int* col);
