// Best-first search over snapshots of the hero: each step holds a set of
// keys for a few frames through the real movement code; hero states that
// round to one already seen are dropped.
#include "levels/route_search.h"

#include <cmath>
#include <cstdint>
#include <deque>
#include <queue>
#include <unordered_set>
#include <vector>

#include "app/globals.h"
#include "hero/hero.h"
#include "levels/level_codes.h"
#include "levels/world_state.h"
#include "world/level.h"

namespace {

constexpr int kSearchLevel = 12;  // an exit there ends the game instead of loading a file
constexpr int kFallOutY = -10;
constexpr int kShortHold = 4;
constexpr int kLongHold = 12;
constexpr int kUnreachable = -1;
// Each change of keys counts as this many frames, so that routes prefer to
// hold a key down rather than flicker between moves of the same effect.
constexpr int kKeyChangeCost = 6;

struct Move {
    int keys;
    int frames;
};

// Walking, jumping, climbing, swimming and waiting, each held for a short
// and a long time. Ducking only matters to enemy shots, and there are none.
std::vector<Move> movesToTry() {
    const int keySets[] = {0,        kKeyRight,          kKeyLeft,         kKeyUp,
                           kKeyDown, kKeyUp | kKeyRight, kKeyUp | kKeyLeft};
    std::vector<Move> moves;
    for (int keys : keySets) {
        moves.push_back({keys, kShortHold});
        moves.push_back({keys, kLongHold});
    }
    return moves;
}

struct Node {
    Hero hero;
    int startX, startY;  // the respawn point moves at checkpoints
    int held;
    int parent;
    int move;
    int cost;  // frames so far plus the cost of key changes
};

struct Candidate {
    double priority;
    int cost;
    int node;
    bool operator<(const Candidate& other) const {
        if (priority != other.priority) return priority > other.priority;
        return cost < other.cost;
    }
};

// Hero states closer than this are taken to be the same.
uint64_t stateKey(const Hero& hero, int held) {
    const int kPositionStep = 2;
    const float kSpeedSteps = 4.0f;
    const int kOffset = 64;
    uint64_t key = static_cast<uint64_t>((hero.x + kOffset) / kPositionStep) & 0xfff;
    key = key << 12 | (static_cast<uint64_t>((hero.y + kOffset) / kPositionStep) & 0xfff);
    int speed = static_cast<int>(std::lround(hero.vy * kSpeedSteps)) + kOffset;
    key = key << 8 | (static_cast<uint64_t>(speed) & 0xff);
    key = key << 1 | static_cast<uint64_t>(hero.airborne != 0);
    key = key << 2 | static_cast<uint64_t>(hero.climbing & 3);
    key = key << 1 | static_cast<uint64_t>(hero.swimming != 0);
    key = key << 1 | static_cast<uint64_t>(hero.ducking != 0);
    key = key << 4 | static_cast<uint64_t>(held & 0xf);
    return key;
}

bool heroLeftLevel() {
    return g_completionTimer > 0;
}
bool heroLost() {
    return g_hero.dying || g_hero.y < kFallOutY;
}
void heroFrame() {
    g_hero.process();
}

class RouteSearch {
   public:
    RouteSearch(const LevelGrid& grid, const SearchSettings& settings)
        : settings_(settings), distances_(exitDistances(grid)), moves_(movesToTry()) {}

    SearchReport run() {
        nodes_.push_back({g_hero, g_startX, g_startY, 0, -1, -1, 0});
        seen_.insert(stateKey(g_hero, 0));
        open_.push({priorityOf(g_hero, 0), 0, 0});
        while (!open_.empty() && static_cast<long>(nodes_.size()) < settings_.maxStates) {
            int index = open_.top().node;
            open_.pop();
            ++report_.expansions;
            for (int m = 0; m < static_cast<int>(moves_.size()); ++m)
                if (tryMove(index, m)) return report_;
        }
        return report_;
    }

   private:
    int cellsToExit(const Hero& hero) const {
        int row = hero.y / kTileSize, col = hero.x / kTileSize;
        int cells = kUnreachable;
        if (row >= 0 && row < kGridSize && col >= 0 && col < kGridSize)
            cells = distances_[row][col];
        return cells == kUnreachable ? kGridSize * kGridSize : cells;
    }

    double priorityOf(const Hero& hero, int cost) const {
        return cost + settings_.heuristicWeight * cellsToExit(hero) * kTileSize;
    }

    void noteProgress(const Hero& hero) {
        int cells = cellsToExit(hero);
        if (cells >= closest_) return;
        closest_ = cells;
        report_.closestX = hero.x;
        report_.closestY = hero.y;
    }

    void restore(const Node& node) {
        g_hero = node.hero;
        g_startX = node.startX;
        g_startY = node.startY;
    }

    // Plays one move from a node; true when it reaches the exit.
    bool tryMove(int index, int m) {
        restore(nodes_[index]);
        const Move& move = moves_[m];
        const int held = nodes_[index].held;
        changeKeys(g_hero, held, move.keys);
        for (int f = 1; f <= move.frames; ++f) {
            heroFrame();
            ++report_.framesSimulated;
            if (heroLeftLevel()) {
                finish(index, {move.keys, f});
                return true;
            }
            if (heroLost()) return false;
        }
        if (!seen_.insert(stateKey(g_hero, move.keys)).second) return false;
        noteProgress(g_hero);
        int cost = nodes_[index].cost + move.frames + (move.keys != held ? kKeyChangeCost : 0);
        nodes_.push_back({g_hero, g_startX, g_startY, move.keys, index, m, cost});
        open_.push({priorityOf(g_hero, cost), cost, static_cast<int>(nodes_.size()) - 1});
        return false;
    }

    void finish(int index, Move last) {
        std::vector<Move> path = {last};
        for (int i = index; nodes_[i].parent >= 0; i = nodes_[i].parent)
            path.push_back(moves_[nodes_[i].move]);
        for (auto it = path.rbegin(); it != path.rend(); ++it)
            report_.route.add(it->frames, it->keys);
        report_.found = true;
    }

    SearchSettings settings_;
    std::vector<std::vector<int>> distances_;
    std::vector<Move> moves_;
    std::vector<Node> nodes_;
    std::unordered_set<uint64_t> seen_;
    std::priority_queue<Candidate> open_;
    SearchReport report_;
    int closest_ = kGridSize * kGridSize + 1;
};

void prepareLevel(const LevelGrid& grid) {
    installLevelWithoutCreatures(grid);
    g_levelNumber = kSearchLevel;
    beginLevelRun();
}

// Replays a route from the start with the frame function of the search.
RouteOutcome replay(const LevelGrid& grid, const Route& route) {
    prepareLevel(grid);
    return followRoute(route, heroFrame);
}

bool routeHolds(const LevelGrid& grid, const Route& route) {
    return replay(grid, route).end == RouteEnd::Exited;
}

constexpr int kJumpRows = 3;  // a jump lifts the hero's body three rows

// The ways through a level as a walker, climber, swimmer and jumper sees
// them, cell by cell: sideways and down through any open cell, up only on
// ladders, in water, or within a jump of somewhere to stand.
class CellMoves {
   public:
    explicit CellMoves(const LevelGrid& grid) : grid_(grid) {}

    bool open(int row, int col) const {
        if (row < 0 || row >= kGridSize || col < 0 || col >= kGridSize) return false;
        int code = grid_.cells[row][col];
        return !isSolidCode(code) && !isDeadlyCode(code);
    }

    bool canRise(int row, int col) const {
        if (!open(row, col) || !open(row + 1, col)) return false;
        int here = grid_.at(row, col), above = grid_.at(row + 1, col);
        if (isLadderCode(here) || isLadderCode(above) || isWaterCode(here)) return true;
        for (int k = 0; k < kJumpRows && open(row - k, col); ++k)
            if (standable(row - k, col)) return true;
        return false;
    }

   private:
    bool standable(int row, int col) const {
        int below = grid_.at(row - 1, col);
        return isSolidCode(below) || isLadderCode(below);
    }
    const LevelGrid& grid_;
};

}  // namespace

std::vector<std::vector<int>> exitDistances(const LevelGrid& grid) {
    std::vector<std::vector<int>> distance(kGridSize, std::vector<int>(kGridSize, kUnreachable));
    CellMoves moves(grid);
    std::deque<std::pair<int, int>> todo;
    for (int row = 1; row < kGridSize; ++row) {
        for (int col = 0; col < kGridSize; ++col) {
            if (grid.cells[row][col] != kCodeExit || !moves.open(row - 1, col)) continue;
            distance[row - 1][col] = 0;
            todo.push_back({row - 1, col});
        }
    }
    // Walked backwards from the exits: which cells lead into this one?
    while (!todo.empty()) {
        auto [row, col] = todo.front();
        todo.pop_front();
        auto reach = [&](int r, int c) {
            if (!moves.open(r, c) || distance[r][c] != kUnreachable) return;
            distance[r][c] = distance[row][col] + 1;
            todo.push_back({r, c});
        };
        reach(row, col - 1);
        reach(row, col + 1);
        reach(row + 1, col);  // falling or climbing down into this cell
        if (moves.canRise(row - 1, col)) reach(row - 1, col);
    }
    return distance;
}

namespace {

std::vector<TrailPoint>* s_trail = nullptr;

void heroFrameOnTrail() {
    heroFrame();
    s_trail->push_back({g_hero.x, g_hero.y});
}

}  // namespace

std::vector<TrailPoint> routeTrail(const LevelGrid& grid, const Route& route) {
    WorldGuard guard;
    std::vector<TrailPoint> trail;
    s_trail = &trail;
    prepareLevel(grid);
    followRoute(route, heroFrameOnTrail);
    s_trail = nullptr;
    return trail;
}

bool routeFinishesLevel(const LevelGrid& grid, const Route& route) {
    WorldGuard guard;
    return routeHolds(grid, route);
}

namespace {

Route withoutKey(const Route& route, size_t run, int key) {
    Route changed;
    for (size_t i = 0; i < route.runs.size(); ++i) {
        int keys = route.runs[i].keys;
        changed.add(route.runs[i].frames, i == run ? keys & ~key : keys);
    }
    return changed;
}

// The search presses up and down wherever they cost nothing; a route reads
// better without the jumps and crouches it does not need.
Route simplified(const LevelGrid& grid, Route route) {
    for (size_t run = 0; run < route.runs.size();) {
        bool changed = false;
        for (int key : {kKeyUp, kKeyDown}) {
            if (!(route.runs[run].keys & key)) continue;
            Route candidate = withoutKey(route, run, key);
            if (!routeHolds(grid, candidate)) continue;
            route = candidate;
            changed = true;
            break;
        }
        if (!changed) ++run;
    }
    return route;
}

}  // namespace

SearchReport searchRoute(const LevelGrid& grid, const SearchSettings& settings) {
    WorldGuard guard;
    prepareLevel(grid);
    SearchReport report = RouteSearch(grid, settings).run();
    if (!report.found) return report;
    report.route = simplified(grid, report.route);
    RouteOutcome outcome = replay(grid, report.route);
    report.found = outcome.end == RouteEnd::Exited;
    // Without a needless jump or crouch the exit may come a little sooner.
    report.route.keepFirst(outcome.frames);
    return report;
}
