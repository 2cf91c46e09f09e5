// dorian_routes: proves each level can be finished, keeping a stored route
// that still works and searching a new one where it does not.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

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

bool storedRouteHolds(const LevelFile& level, const std::string& path) {
    Route route;
    std::string ignored;
    return readRoute(path, &route, &ignored) && routeFinishesLevel(level.source.grid, route);
}

bool writeRoute(const std::string& path, const Route& route, int number) {
    std::ofstream out(path, std::ios::binary);
    out << routeText(route, "level " + std::to_string(number) + ": " +
                                std::to_string(route.totalFrames()) +
                                " frames from the start to the exit");
    out.close();
    return static_cast<bool>(out);
}

// Returns false when no route could be found or written.
bool proveLevel(const LevelFile& level, const Options& options, const std::string& path) {
    if (!options.force && storedRouteHolds(level, path)) {
        std::printf("level %2d: the stored route still works\n", level.number);
        return true;
    }
    Clock::time_point begin = Clock::now();
    SearchReport report = searchRoute(level.source.grid);
    double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    std::printf("level %2d: %s after %ld hero states, %ld frames tried, %.2f s", level.number,
                report.found ? "route found" : "NO ROUTE", report.expansions,
                report.framesSimulated, seconds);
    if (report.found) std::printf(", %d frames long", report.route.totalFrames());
    if (!report.found) {
        std::printf("; closest to an exit at row %d column %d", report.closestY / 20,
                    report.closestX / 20);
    }
    std::printf("\n");
    if (!report.found) return false;
    if (!writeRoute(path, report.route, level.number)) {
        std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
        return false;
    }
    return true;
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
    for (int number : options.levels)
        allProved &=
            proveLevel(levels[number - 1], options, levelRoutePath(options.folder, number));
    double seconds = std::chrono::duration<double>(Clock::now() - begin).count();
    std::printf("%zu levels in %.2f s\n", options.levels.size(), seconds);
    return allProved ? 0 : 1;
}
