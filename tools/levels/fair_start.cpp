// Fair arrivals: each creature's whole patrol, found by running its own
// movement code, kept three tiles from every place the hero arrives.
#include "levels/fair_start.h"

#include <algorithm>

#include "app/globals.h"
#include "enemies/enemy.h"
#include "hero/hero.h"
#include "levels/level_codes.h"
#include "levels/route.h"
#include "levels/world_state.h"
#include "world/level.h"

namespace {

constexpr int kFairDistance = 3 * kTileSize;
// Long enough for the slowest kind, the creeper (a tenth of a unit a frame),
// to cross the whole world and come back.
constexpr int kPatrolFrames = 40'000;
// Shots pile up while nobody is near; they are thrown away this often.
constexpr int kShotSweepFrames = 1000;
// With the camera this far off no creature sees, touches or attacks anyone.
constexpr int kFarAway = -1'000'000;
constexpr int kLandingFrames = 1000;
constexpr int kLastLevelNumber = 12;

// An inclusive box of world units.
struct Box {
    int left, right, bottom, top;
};

int gap(int low1, int high1, int low2, int high2) {
    return std::max({0, low2 - high1, low1 - high2});
}

bool near(const Box& a, const Box& b) {
    return gap(a.left, a.right, b.left, b.right) <= kFairDistance &&
           gap(a.bottom, a.top, b.bottom, b.top) <= kFairDistance;
}

// Where a creature's touch can kill over its whole patrol: the hero's feet
// anywhere in this box are touched at some moment.
struct Patrol {
    const CreatureKind* kind;
    int row, col;  // its spawn cell
    Box touch;
};

std::vector<Patrol> patrolsOfInstalledLevel() {
    struct Tracked {
        Enemy* enemy;
        Patrol patrol;
        Box span;
    };
    std::vector<Tracked> tracked;
    for (ListNode* node = g_enemies.first; node; node = node->next) {
        Enemy* e = static_cast<Enemy*>(node->entity);
        const CreatureKind* kind = creatureKindOf(e->code);
        if (!kind || kind->touch.harmless()) continue;
        tracked.push_back(
            {e, {kind, e->y / kTileSize, e->x / kTileSize, {}}, {e->x, e->x, e->y, e->y}});
    }
    g_scrollX = g_scrollY = kFarAway;
    for (int frame = 1; frame <= kPatrolFrames; ++frame) {
        g_enemies.processAll();
        for (Tracked& t : tracked) {
            t.span.left = std::min(t.span.left, t.enemy->x);
            t.span.right = std::max(t.span.right, t.enemy->x);
            t.span.bottom = std::min(t.span.bottom, t.enemy->y);
            t.span.top = std::max(t.span.top, t.enemy->y);
        }
        if (frame % kShotSweepFrames == 0) g_projectiles.clear();
    }
    std::vector<Patrol> patrols;
    for (Tracked& t : tracked) {
        const TouchBox& touch = t.patrol.kind->touch;
        // The touch tests are strict: one unit inside each edge.
        t.patrol.touch = {t.span.left - touch.side + 1, t.span.right + touch.side - 1,
                          t.span.bottom - touch.below + 1, t.span.top + touch.above - 1};
        patrols.push_back(t.patrol);
    }
    return patrols;
}

// A place the hero arrives at and the boxes its feet can stand in there.
struct Arrival {
    std::string what;
    std::vector<Box> feet;
};

// Drops the hero from a respawn point with no key held, as a new life
// starts, until it stands. False when it dies or falls out of the world.
bool landFrom(int x, int y, int* landX, int* landY) {
    g_hero = Hero();
    g_hero.x = x;
    g_hero.y = y;
    g_hero.col = x / kTileSize;
    g_hero.row = y / kTileSize;
    for (int frame = 0; frame < kLandingFrames; ++frame) {
        g_hero.process();
        if (g_hero.dying || g_hero.y < 0) return false;
        if (!g_hero.airborne) break;
    }
    *landX = g_hero.x;
    *landY = g_hero.y;
    return true;
}

Box pointBox(int x, int y) {
    return {x, x, y, y};
}

// A checkpoint: the cell the hero stands in to touch it, and the spot where
// a new life started there lands, one column to the right at the height of
// the body that touched it.
void addCheckpoint(int row, int col, std::vector<Arrival>* arrivals,
                   std::vector<std::string>* problems) {
    const int feetY = (row - 1) * kTileSize;
    const std::string where = mapPlace(row, col);
    Arrival arrival{"the checkpoint at " + where,
                    {{col * kTileSize, (col + 1) * kTileSize - 1, feetY, feetY + kTileSize - 1}}};
    int landX = 0, landY = 0;
    if (landFrom((col + 1) * kTileSize, feetY, &landX, &landY)) {
        arrival.what += " or of where a respawn there lands (" +
                        mapPlace(landY / kTileSize, landX / kTileSize) + ")";
        arrival.feet.push_back(pointBox(landX, landY));
    } else {
        problems->push_back("a respawn at the checkpoint at " + where +
                            " dies or falls out of the world");
    }
    arrivals->push_back(arrival);
}

std::vector<Arrival> arrivalsOf(const LevelGrid& grid, std::vector<std::string>* problems) {
    std::vector<Arrival> arrivals;
    for (int row = 1; row < kLevelSide; ++row) {
        for (int col = 0; col < kLevelSide; ++col) {
            int code = grid.cells[row][col];
            if (code == kCodeStart)
                arrivals.push_back({"the start at " + mapPlace(row, col),
                                    {pointBox(col * kTileSize, (row - 1) * kTileSize)}});
            if (isCheckpointCode(code)) addCheckpoint(row, col, &arrivals, problems);
        }
    }
    return arrivals;
}

bool nearAny(const Box& touch, const std::vector<Box>& feet) {
    for (const Box& box : feet)
        if (near(touch, box)) return true;
    return false;
}

}  // namespace

void checkFairArrivals(const LevelGrid& grid, std::vector<std::string>* problems) {
    WorldGuard guard;
    g_levelNumber = kLastLevelNumber;  // an exit there loads no file
    installLevel(grid);
    std::vector<Arrival> arrivals = arrivalsOf(grid, problems);
    for (const Patrol& patrol : patrolsOfInstalledLevel()) {
        for (const Arrival& arrival : arrivals) {
            if (!nearAny(patrol.touch, arrival.feet)) continue;
            problems->push_back("the " + patrol.kind->name + " at " +
                                mapPlace(patrol.row, patrol.col) + " comes within 3 tiles of " +
                                arrival.what);
        }
    }
}
