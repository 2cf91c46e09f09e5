// Routes: per-frame key scripts that take the hero from a level's start to its exit.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "levels/level_text.h"

class Hero;

// The keys of a route, as bits: the four directions and the straight shot.
enum RouteKey { kKeyLeft = 1, kKeyRight = 2, kKeyUp = 4, kKeyDown = 8, kKeyFire = 16 };
constexpr int kDirectionKeys = kKeyLeft | kKeyRight | kKeyUp | kKeyDown;

// `frames` frames with exactly the keys `keys` held. A run with the shot
// presses it as the run starts, which fires once, and lets go as it ends.
struct RouteRun {
    int frames;
    int keys;
    bool operator==(const RouteRun&) const = default;
};

struct Route {
    std::vector<RouteRun> runs;
    int totalFrames() const;
    // Appends frames, joining them to the last run when the keys are the
    // same and hold no shot (two shots are two presses).
    void add(int frames, int keys);
    // Drops every frame after the first `frames`.
    void keepFirst(int frames);
};

// Keys as letters, "-" for none: "RU" is right and up, "RF" right and a shot.
std::string keysText(int keys);

// One run per line, "FRAMES KEYS"; lines starting with ';' are comments.
std::string routeText(const Route& route, const std::string& comment);
bool parseRoute(std::string_view text, const std::string& name, Route* out, std::string* error);
bool readRoute(const std::string& path, Route* out, std::string* error);

// Presses and releases the hero's controls to go from the direction keys
// `held` to `wanted`: releases first, then presses, always in the same order.
void changeKeys(Hero& hero, int held, int wanted);
// What happens as a run starts after a run of `held` keys: the directions
// change, then the shot fires if the run has it.
void beginRun(int held, int keys);
// Lets go of the shot as a run that holds it ends.
void endRun(int keys);

// Puts the level's tiles into the game's grid and its creatures and pick-ups
// into their lists, as loading its file does.
void installLevel(const LevelGrid& grid);
// The same, then removes every creature and pick-up.
void installLevelWithoutCreatures(const LevelGrid& grid);
// The hero as a level begins: at the start, standing, no keys held.
void beginLevelRun();

enum class RouteEnd { Exited, Died, Unfinished };
struct RouteOutcome {
    RouteEnd end;
    int frames;  // frames run until the exit or the death
};
// Plays the route from the current state, calling `frame` once a frame, and
// stops at the first level exit (the level number moves on, or the game
// completes) or the first lost life.
RouteOutcome followRoute(const Route& route, void (*frame)());
