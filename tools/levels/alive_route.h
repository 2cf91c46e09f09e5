// Routes with every creature alive: found and replayed through the whole
// world in the game's real frame, from the way play reaches the level.
#pragma once
#include <vector>

#include "levels/level_text.h"
#include "levels/route.h"

// How play reaches a level. From the menu, the first level of an era is
// loaded as choosing the era loads it and its creatures move on behind the
// menu for kMenuFrames frames before play starts. At once, play starts with
// the creatures as loaded: through the exit of the level before, or when
// the menu continues from a later level of the era. Either way the hero is
// taken to be unprotected: a game that ended in play can leave him so, and
// what holds without protection holds with it.
enum class HandOver { Menu, AtOnce };
constexpr int kMenuFrames = 300;

// The menu for the first level of each era; at once for levels 2 to 12.
std::vector<HandOver> handOversOf(int levelNumber);

// Puts the world where play of the level starts after the hand-over. The
// level number becomes the last one, so that its exit ends the game
// instead of loading a file.
void handOverLevel(const LevelGrid& grid, HandOver how);

// The search gives up after this many tries, which keeps it the same on a
// busy machine; the time limit only guards against a runaway.
struct AliveSettings {
    int maxRollouts = 20'000;
    double maxSeconds = 600.0;
};

struct AliveReport {
    bool found = false;
    Route route;
    int rollouts = 0;
    long framesSimulated = 0;
    // Where none is found, a hint: the try that got furthest along the
    // guide, up to the frame on which the hero dies.
    Route furthest;
    int furthestFrame = 0;
};

// Searches a route that finishes the level from every hand-over with no
// life lost, all creatures present and moving. It follows `guide`, a route
// that finishes the level without creatures, and where a creature would
// kill the hero it tries waiting, shooting ahead or behind, jumping on the
// spot or ducking, each ending exactly where the guide's hero stood. The
// game's globals are left as they were found.
AliveReport searchAliveRoute(const LevelGrid& grid, const Route& guide,
                             const std::vector<HandOver>& handOvers,
                             const AliveSettings& settings = {});

// What a route does from a hand-over, through the game's frame.
struct AliveOutcome {
    RouteOutcome outcome;
    int shots;         // straight shots fired
    int kills;         // creatures dead at the end
    int heroX, heroY;  // where the hero is at the end
};
// Plays the route from the hand-over; the game's globals are left as found.
AliveOutcome playAliveRoute(const LevelGrid& grid, const Route& route, HandOver how);
