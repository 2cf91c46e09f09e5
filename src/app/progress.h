// The furthest level reached in each era, kept between runs.
#pragma once

// Indexed by era, 1 to 4: the furthest level reached in it, 0 for none.
extern int g_furthestLevel[5];

// Reads the progress file; a damaged one is reported and left alone.
void loadProgress();
// Play has reached `level`: raises its era's mark and saves when it rises.
void noteLevelReached(int level);
