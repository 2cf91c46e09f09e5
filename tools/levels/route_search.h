// Finds a route through a level by trying the hero's own movement code.
#pragma once
#include <vector>

#include "levels/level_text.h"
#include "levels/route.h"

struct SearchSettings {
    long maxStates = 1'000'000;    // give up after keeping this many hero states
    double heuristicWeight = 2.0;  // how strongly the search leans towards the exit
};

struct SearchReport {
    bool found = false;
    Route route;
    long expansions = 0;
    long framesSimulated = 0;
    // Where the hero came closest to an exit: a hint for a level with no route.
    int closestX = 0, closestY = 0;
};

// Searches from the level's start to an exit with no creatures in the level,
// rejecting every path on which the hero dies. The game's globals are left
// as they were found.
SearchReport searchRoute(const LevelGrid& grid, const SearchSettings& settings = {});

// Whether the route takes the hero from the level's start to an exit with
// no creatures in the level, through the hero's movement alone. The game's
// globals are left as they were found.
bool routeFinishesLevel(const LevelGrid& grid, const Route& route);

struct TrailPoint {
    int x, y;
};
// Where the hero's feet are after each frame of the route, with no
// creatures in the level. The game's globals are left as they were found.
std::vector<TrailPoint> routeTrail(const LevelGrid& grid, const Route& route);

// How far each cell is from a cell under an exit, in cells, for a hero that
// can rise only on ladders, in water or by jumping; -1 where there is no way.
std::vector<std::vector<int>> exitDistances(const LevelGrid& grid);
