// dorian_routes: proves each level can be finished, without its creatures
// and with them alive, keeping a stored route that still works and
// searching a new one where it does not.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "levels/alive_route.h"
#include "levels/level_set.h"
#include "levels/route_search.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    bool force = false;  // search even where the stored route works
    std::string folder;
    std::vector<int> levels;
};

int usage() {
    std::fprintf(stderr, "usage: dorian_routes [--force] SOURCE_FOLDER [LEVEL...]\n");
    return 2;
}

bool parseOptions(int argc, char** argv, Options* options) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--force") {
            options->force = true;
        } else if (options->folder.empty()) {
            options->folder = arg;
        } else {
            int number = std::atoi(arg.c_str());
            if (number < 1 || number > 12) return false;
            options->levels.push_back(number);
        }
    }
    if (options->levels.empty())
        for (int n = 1; n <= 12; ++n) options->levels.push_back(n);
    return !options->folder.empty();
}

double secondsSince(Clock::time_point begin) {
    return std::chrono::duration<double>(Clock::now() - begin).count();
}

bool writeRoute(const std::string& path, const Route& route, const std::string& comment) {
    std::ofstream out(path, std::ios::binary);
    out << routeText(route, comment);
    out.close();
    if (!out) std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
    return static_cast<bool>(out);
}

// The route without creatures; false when none could be found or written.
bool proveWithoutCreatures(const LevelFile& level, const Options& options, Route* route) {
    const std::string path = levelRoutePath(options.folder, level.number);
    std::string ignored;
    if (!options.force && readRoute(path, route, &ignored) &&
        routeFinishesLevel(level.source.grid, *route)) {
        std::printf("level %2d: the stored route still works\n", level.number);
        return true;
    }
    Clock::time_point begin = Clock::now();
    SearchReport report = searchRoute(level.source.grid);
    std::printf("level %2d: %s after %ld hero states, %ld frames tried, %.2f s", level.number,
                report.found ? "route found" : "NO ROUTE", report.expansions,
                report.framesSimulated, secondsSince(begin));
    if (!report.found) {
        std::printf("; closest to an exit at row %d column %d\n", report.closestY / 20,
                    report.closestX / 20);
        return false;
    }
    std::printf(", %d frames long\n", report.route.totalFrames());
    *route = report.route;
    return writeRoute(path, *route,
                      "level " + std::to_string(level.number) + ": " +
                          std::to_string(route->totalFrames()) +
                          " frames from the start to the exit");
}

// Whether the route finishes the level from every hand-over; its outcome
// from the first one in `first`.
bool aliveRouteHolds(const LevelFile& level, const Route& route, AliveOutcome* first) {
    bool holds = true;
    std::vector<HandOver> ways = handOversOf(level.number);
    for (size_t i = 0; i < ways.size(); ++i) {
        AliveOutcome outcome = playAliveRoute(level.source.grid, route, ways[i]);
        if (i == 0) *first = outcome;
        holds &= outcome.outcome.end == RouteEnd::Exited;
    }
    return holds;
}

// The route with every creature alive, found along the one without them.
bool proveWithCreatures(const LevelFile& level, const Options& options, const Route& guide) {
    const std::string path = levelAliveRoutePath(options.folder, level.number);
    Route route;
    AliveOutcome outcome{};
    std::string ignored;
    Clock::time_point begin = Clock::now();
    const bool kept = !options.force && readRoute(path, &route, &ignored) &&
                      aliveRouteHolds(level, route, &outcome);
    if (!kept) {
        AliveReport report = searchAliveRoute(level.source.grid, guide, handOversOf(level.number));
        if (!report.found) {
            std::printf("level %2d with creatures: NO ROUTE after %d tries, %ld frames, %.2f s",
                        level.number, report.rollouts, report.framesSimulated, secondsSince(begin));
            for (HandOver how : handOversOf(level.number)) {
                AliveOutcome death = playAliveRoute(level.source.grid, report.furthest, how);
                if (death.outcome.end != RouteEnd::Died) continue;
                std::printf("; the furthest try dies after %d frames at %s", death.outcome.frames,
                            mapPlace(death.heroY / 20, death.heroX / 20).c_str());
            }
            std::printf("\n");
            return false;
        }
        route = report.route;
        aliveRouteHolds(level, route, &outcome);
        std::printf("level %2d with creatures: route found after %d tries, %ld frames, %.2f s",
                    level.number, report.rollouts, report.framesSimulated, secondsSince(begin));
    } else {
        std::printf("level %2d with creatures: the stored route still works", level.number);
    }
    std::printf("; %d frames, %d shots, %d creatures killed\n", outcome.outcome.frames,
                outcome.shots, outcome.kills);
    if (kept) return true;
    return writeRoute(path, route,
                      "level " + std::to_string(level.number) +
                          " with its creatures: " + std::to_string(outcome.outcome.frames) +
                          " frames, " + std::to_string(outcome.shots) + " shots, " +
                          std::to_string(outcome.kills) + " creatures killed");
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, &options)) return usage();
    std::vector<LevelFile> levels;
    std::string error;
    if (!readLevelSet(options.folder, &levels, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    Clock::time_point begin = Clock::now();
    bool allProved = true;
    for (int number : options.levels) {
        const LevelFile& level = levels[number - 1];
        Route guide;
        bool free = proveWithoutCreatures(level, options, &guide);
        allProved &= free && proveWithCreatures(level, options, guide);
    }
    std::printf("%zu levels in %.2f s\n", options.levels.size(), secondsSince(begin));
    return allProved ? 0 : 1;
}
