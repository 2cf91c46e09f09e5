// What each level code stands for, as the level tools see it.
#pragma once
#include <string>
#include <vector>

#include "app/progress.h"  // eraOfLevel
#include "app/screens.h"   // kEraCount

// Tile codes.
constexpr int kCodeEmpty = -1;
constexpr int kCodeLastBlock = 63;
constexpr int kCodeFirstLadder = 64;
constexpr int kCodeLastLadder = 79;
constexpr int kCodeStart = 95;
constexpr int kCodeExit = 104;
constexpr int kCodeCheckpoint = 111;
constexpr int kCodeDeadlyLow = 126;
constexpr int kCodeDeadlyHigh = 127;
constexpr int kCodeFirstWater = 128;
constexpr int kCodeLastWater = 138;
constexpr int kCodeWaterCheckpoint = 135;
constexpr int kCodeLastTile = 138;  // the last tile that has a picture

// Spawn codes.
constexpr int kCodeFirstItem = -128;
constexpr int kCodeLastItem = -93;
constexpr int kCodeExtraLife = -122;
constexpr int kCodeFirstCreature = -34;
constexpr int kCodeLastCreature = -2;
constexpr int kCodeTurretLeft = -24;
constexpr int kCodeTurretRight = -25;

// Where a kind of creature can live.
enum class Habitat {
    Ground,      // walks on solid ground
    TallGround,  // walks on solid ground and stands two cells high
    Water,       // swims, so water lies next to it
    Air,         // flies or strolls along its row, over gaps
    Wall,        // sits in a wall, facing open space
};

// Where a creature's touch kills, around its centre and its feet: the hero's
// feet strictly inside x - side .. x + side and y - below .. y + above.
// Harmless kinds have no touch: all zero.
struct TouchBox {
    int side, below, above;
    bool harmless() const { return side == 0; }
};

// One kind of creature and the spawn codes that make it.
struct CreatureKind {
    std::string name;
    char letter;    // its mark on the level maps
    float r, g, b;  // its colour on the level maps
    std::vector<int> codes;
    Habitat habitat;
    TouchBox touch;
};

const std::vector<CreatureKind>& creatureKinds();
// The kind a spawn code makes, or nullptr for a code that makes no creature.
const CreatureKind* creatureKindOf(int code);

bool isBlockCode(int code);     // 0 to 63
bool isTurretCode(int code);    // a turret, which leaves a block behind
bool isSolidCode(int code);     // a block for the hero once the level is loaded
bool isItemCode(int code);      // -128 to -93
bool isCreatureCode(int code);  // -34 to -2
bool isLadderCode(int code);
bool isWaterCode(int code);
bool isDeadlyCode(int code);
bool isCheckpointCode(int code);
// Back walls: passable scenery that fills its whole cell behind the hero.
bool isBackWallCode(int code);
// Whether the game knows the code: a tile with a picture, a creature or a pick-up.
bool isKnownCode(int code);

constexpr int kLevelCount = 12;
