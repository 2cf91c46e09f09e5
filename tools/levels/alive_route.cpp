// The creature-alive route search: best-first over snapshots of the whole
// world. Each try follows the creature-free route (the guide) through the
// real frame until the hero would die; the tries that get furthest are
// then given detours at the moments before that death, each of which must
// leave the hero exactly where the guide had him.
#include "levels/alive_route.h"

#include <chrono>
#include <deque>
#include <functional>
#include <queue>
#include <unordered_set>

#include "app/controls.h"
#include "app/frame.h"
#include "app/globals.h"
#include "app/screens.h"
#include "enemies/enemy.h"
#include "hero/hero.h"
#include "levels/world_state.h"
#include "world/level.h"

namespace {

constexpr int kLastLevel = 12;
// Detours are tried this many frames back from a death, every few frames.
constexpr int kBranchWindow = 240;
constexpr int kBranchStride = 6;
constexpr int kWaits[] = {8, 16, 32, 64, 128};
constexpr int kDucks[] = {16, 48};
// A jump on the spot lands within this many frames or is not tried.
constexpr int kLandingLimit = 150;
constexpr int kMaxCreatures = 1000;

using Clock = std::chrono::steady_clock;

enum class Step { On, Died, Exited };

// One frame of play with `keys` held after `*held`. A shot is pressed anew
// on every frame that holds it, so a run with the shot is always one frame
// long: the route file fires once per run.
Step playStep(int* held, int keys) {
    if (keys != *held || (keys & kKeyFire)) {
        endRun(*held);
        beginRun(*held, keys);
        *held = keys;
    }
    const int lives = g_lives;
    playFrame();
    if (g_completionTimer > 0 || g_levelNumber != kLastLevel) return Step::Exited;
    if (g_hero.dying || g_lives < lives) return Step::Died;
    return Step::On;
}

// Everything of the hero that decides where it goes next.
bool sameMovement(const Hero& a, const Hero& b) {
    return a.x == b.x && a.y == b.y && a.vy == b.vy && a.dx == b.dx && a.dir == b.dir &&
           a.airborne == b.airborne && a.climbing == b.climbing && a.swimming == b.swimming &&
           a.swimY == b.swimY && a.ducking == b.ducking && a.upHeld == b.upHeld &&
           a.downHeld == b.downHeld && a.col == b.col && a.row == b.row;
}

// The hero as the next frame would take it once `next` is held after `held`.
Hero heroWithKeys(Hero hero, int held, int next) {
    changeKeys(hero, held & kDirectionKeys, next & kDirectionKeys);
    return hero;
}

int countDead() {
    int dead = 0;
    for (ListNode* n = g_enemies.first; n; n = n->next)
        dead += static_cast<Enemy*>(n->entity)->dying != 0;
    return dead;
}

uint64_t deadMask() {
    uint64_t mask = 0, bit = 1;
    for (ListNode* n = g_enemies.first; n; n = n->next, bit <<= 1)
        if (static_cast<Enemy*>(n->entity)->dying) mask |= bit;
    return mask;
}

struct Piece {
    int frames;
    int keys;
};

struct Node {
    std::vector<WorldState> worlds;  // one per hand-over
    int held;                        // the keys of the last frame played
    int at;                          // the guide frame it goes on from
    int elapsed;                     // frames played so far
    Route route;                     // what was played
    int reached = -1;                // the guide frame of its first death; -1 until tried
    int kills = 0;                   // creatures dead by then, in every world

    // Tries that get further come first; of those that die at the same
    // moment, the ones that have killed more.
    int score() const { return reached * kMaxCreatures + kills; }
};

class AliveSearch {
   public:
    AliveSearch(const LevelGrid& grid, const Route& guide, const std::vector<HandOver>& handOvers,
                const AliveSettings& settings)
        : settings_(settings), begin_(Clock::now()) {
        for (const RouteRun& run : guide.runs)
            for (int i = 0; i < run.frames; ++i) guide_.push_back(run.keys & kDirectionKeys);
        Node start{{}, 0, 0, 0, {}};
        for (HandOver how : handOvers) {
            handOverLevel(grid, how);
            start.worlds.emplace_back();
        }
        push(std::move(start));
    }

    AliveReport run() {
        while (!open_.empty() && report_.rollouts < settings_.maxRollouts && !outOfTime()) {
            int index = open_.top().node;
            open_.pop();
            Node& node = nodes_[index];
            if (node.reached < 0) {
                if (evaluate(node)) return report_;
                if (node.reached > report_.furthestFrame) noteFurthest(node);
                open_.push({node.score(), true, index});
            } else {
                expand(index);
            }
        }
        return report_;
    }

   private:
    struct Entry {
        int score;
        bool tried;
        int node;
        // Furthest first; among equals the untried, then the first made,
        // which puts detours close before a death and short ones first.
        bool operator<(const Entry& o) const {
            if (score != o.score) return score < o.score;
            if (tried != o.tried) return tried;
            return node > o.node;
        }
    };

    bool outOfTime() const {
        return std::chrono::duration<double>(Clock::now() - begin_).count() > settings_.maxSeconds;
    }

    void push(Node node, int score = 0) {
        nodes_.push_back(std::move(node));
        open_.push({score, false, static_cast<int>(nodes_.size()) - 1});
    }

    // Follows the guide from the node in every world until a death or the
    // exit; true when every world leaves by the exit.
    bool evaluate(Node& node) {
        ++report_.rollouts;
        int reached = static_cast<int>(guide_.size());
        int exitFrame = -1;
        bool dead = false;
        node.kills = kMaxCreatures;
        for (const WorldState& world : node.worlds) {
            world.restore();
            int held = node.held, f = node.at;
            Step step = Step::On;
            for (; f < static_cast<int>(guide_.size()) && step == Step::On; ++f) {
                step = playStep(&held, guide_[f]);
                ++report_.framesSimulated;
            }
            if (step == Step::Exited) {
                exitFrame = f;
            } else {
                reached = std::min(reached, f - 1);
                dead = true;
            }
            node.kills = std::min(node.kills, countDead());
        }
        node.reached = reached;
        if (dead) return false;
        report_.route = node.route;
        for (int f = node.at; f < exitFrame; ++f) report_.route.add(1, guide_[f]);
        report_.found = true;
        return true;
    }

    void noteFurthest(const Node& node) {
        report_.furthestFrame = node.reached;
        report_.furthest = node.route;
        for (int f = node.at; f <= node.reached; ++f) report_.furthest.add(1, guide_[f]);
    }

    // Snapshots of every world at the branch frames before the node's death.
    struct Branch {
        int at;
        int held;
        std::vector<WorldState> worlds;
    };
    std::vector<Branch> branchesBefore(const Node& node) {
        std::vector<Branch> branches;
        const int from = std::max(node.at, node.reached - kBranchWindow);
        for (int f = node.reached - 1; f >= from; --f)
            if (f == node.at || (node.reached - f) % kBranchStride == 0)
                branches.push_back({f, 0, {}});
        for (const WorldState& world : node.worlds) {
            world.restore();
            int held = node.held;
            size_t next = branches.size();  // branches run latest first
            for (int f = node.at; next > 0; ++f) {
                if (branches[next - 1].at == f) {
                    branches[next - 1].held = held;
                    branches[next - 1].worlds.emplace_back();
                    --next;
                }
                playStep(&held, guide_[f]);
                ++report_.framesSimulated;
            }
        }
        return branches;
    }

    // The detours worth trying at a branch. Up and down stay held through
    // them where the guide holds them, since pressing up anew would jump.
    std::vector<std::vector<Piece>> detoursAt(const Branch& branch) {
        const Hero& hero = branch.worlds[0].hero;
        const int keep = branch.held & (kKeyUp | kKeyDown);
        const int forward = hero.dir > 0 ? kKeyRight : kKeyLeft;
        const int backward = hero.dir > 0 ? kKeyLeft : kKeyRight;
        std::vector<std::vector<Piece>> detours;
        for (int frames : kWaits) {
            detours.push_back({{frames, keep}});
            if (keep) detours.push_back({{frames, 0}});
            detours.push_back({{1, keep | kKeyFire}, {frames - 1, keep}});
        }
        detours.push_back({{1, backward | kKeyFire | keep}, {1, forward | keep}});
        for (int fire : {0, static_cast<int>(kKeyFire)}) {
            std::vector<Piece> jump = {{1, kKeyUp | fire}};
            if (keep & kKeyUp) jump.insert(jump.begin(), {1, 0});
            int landing = landingAfter(branch, jump);
            if (landing <= 0) continue;
            jump.push_back({landing, keep & kKeyUp});
            detours.push_back(jump);
        }
        for (int frames : kDucks) detours.push_back({{frames, kKeyDown | (keep & kKeyUp)}});
        return detours;
    }

    // Frames from a jump on the spot until the hero stands again, or 0.
    int landingAfter(const Branch& branch, const std::vector<Piece>& jump) {
        branch.worlds[0].restore();
        int held = branch.held;
        for (const Piece& piece : jump)
            if (playStep(&held, piece.keys) != Step::On) return 0;
        if (!g_hero.airborne) return 0;
        const int hold = branch.held & kKeyUp;
        for (int frames = 1; frames <= kLandingLimit; ++frames) {
            if (playStep(&held, hold) != Step::On) return 0;
            if (!g_hero.airborne) return frames;
        }
        return 0;
    }

    // Plays the detour in every world; the child goes on from the branch if
    // the hero lives and ends where the guide had him.
    void tryDetour(const Node& parent, const Branch& branch, const std::vector<Piece>& pieces,
                   int resumeAt) {
        Node child{
            {}, branch.held, resumeAt, parent.elapsed + (branch.at - parent.at), parent.route};
        for (int f = parent.at; f < branch.at; ++f) child.route.add(1, guide_[f]);
        int detourFrames = 0;
        for (const Piece& piece : pieces) {
            child.route.add(piece.frames, piece.keys);
            detourFrames += piece.frames;
        }
        child.elapsed += detourFrames;
        const int next = resumeAt < static_cast<int>(guide_.size()) ? guide_[resumeAt] : 0;
        uint64_t key = std::hash<uint64_t>()(static_cast<uint64_t>(resumeAt) << 32 | child.elapsed);
        for (const WorldState& world : branch.worlds) {
            world.restore();
            int held = branch.held;
            for (const Piece& piece : pieces)
                for (int i = 0; i < piece.frames; ++i)
                    if (playStep(&held, piece.keys) != Step::On) return;
            report_.framesSimulated += detourFrames;
            // A detour of its own keys must bring the hero back to the guide.
            const bool ownKeys = resumeAt == branch.at;
            if (ownKeys && !sameMovement(heroWithKeys(g_hero, held, next),
                                         heroWithKeys(world.hero, branch.held, next)))
                return;
            child.held = held;
            key = key * 1'000'003 + deadMask() * 7 + static_cast<uint64_t>(held);
            child.worlds.emplace_back();
        }
        if (!seen_.insert(key).second) return;
        push(std::move(child), parent.score());
    }

    // Nodes live in a deque, so `parent` stays put while children are added.
    void expand(int index) {
        const Node& parent = nodes_[index];
        for (const Branch& branch : branchesBefore(parent)) {
            Hero next = heroWithKeys(branch.worlds[0].hero, branch.held, guide_[branch.at]);
            if (next.canFire() && !(branch.held & kKeyFire))
                tryDetour(parent, branch, {{1, guide_[branch.at] | kKeyFire}}, branch.at + 1);
            for (const std::vector<Piece>& detour : detoursAt(branch))
                tryDetour(parent, branch, detour, branch.at);
        }
    }

    AliveSettings settings_;
    Clock::time_point begin_;
    std::vector<int> guide_;  // the guide's keys, frame by frame
    std::deque<Node> nodes_;
    std::priority_queue<Entry> open_;
    std::unordered_set<uint64_t> seen_;
    AliveReport report_;
};

}  // namespace

std::vector<HandOver> handOversOf(int levelNumber) {
    std::vector<HandOver> ways;
    for (int era = 1; era <= kEraCount; ++era)
        if (firstLevelOfEra(era) == levelNumber) ways.push_back(HandOver::Menu);
    if (levelNumber > 1) ways.push_back(HandOver::AtOnce);
    return ways;
}

void handOverLevel(const LevelGrid& grid, HandOver how) {
    g_projectiles.clear();
    installLevel(grid);
    g_levelNumber = kLastLevel;
    g_lives = kStartLives;
    g_ammo = kStartAmmo;
    g_score = 0;
    g_completionTimer = 0;
    g_storyPage = 0;
    letGoOfEverything();
    g_hero = Hero();
    g_hero.placeAtStart();
    g_hero.invulnTimer = kProtectionFrames;
    if (how == HandOver::AtOnce) {
        // Play starts in the loaded level, where the hero last stood.
        g_onScreens = 0;
        g_hero.col = g_hero.x / kTileSize;
        g_hero.row = g_hero.y / kTileSize;
        return;
    }
    // The menu runs with the hero absent; play then starts where he stands,
    // with nothing held.
    g_onScreens = 1;
    for (int i = 0; i < kMenuFrames; ++i) screenFrame();
    g_onScreens = 0;
    g_hero.dying = 0;
    g_hero.vy = 0;
    g_hero.airborne = 0;
    letGoOfEverything();
}

AliveReport searchAliveRoute(const LevelGrid& grid, const Route& guide,
                             const std::vector<HandOver>& handOvers,
                             const AliveSettings& settings) {
    WorldGuard guard;
    return AliveSearch(grid, guide, handOvers, settings).run();
}

AliveOutcome playAliveRoute(const LevelGrid& grid, const Route& route, HandOver how) {
    WorldGuard guard;
    handOverLevel(grid, how);
    AliveOutcome result{followRoute(route, playFrame), 0, 0, g_hero.x, g_hero.y};
    for (const RouteRun& run : route.runs) result.shots += (run.keys & kKeyFire) != 0;
    result.kills = countDead();
    return result;
}
