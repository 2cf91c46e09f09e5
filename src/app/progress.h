// The furthest level reached in each era, kept between runs.
#pragma once

constexpr int kLastLevel = 12;

// Indexed by era, 1 to 4: the furthest level reached in it, 0 for none.
extern int g_furthestLevel[5];

// The era (1 to 4) that a level (1 to kLastLevel) belongs to.
int eraOfLevel(int level);

// Reads the progress file; a damaged one is reported and left alone.
void loadProgress();
// Play has reached `level`: raises its era's mark and saves when it rises.
void noteLevelReached(int level);
