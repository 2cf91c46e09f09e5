// dorian_level_maps: draws a picture of every level, and a key to its marks.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "art/png.h"
#include "levels/level_map.h"
#include "levels/level_set.h"

namespace {

constexpr int kDefaultSize = 500;
constexpr int kKeyWidth = 250;
constexpr Rgba kUnused{0, 0, 0, 255};

int usage() {
    std::fprintf(stderr,
                 "usage: dorian_level_maps SOURCE_FOLDER DATA_FOLDER OUTPUT_FOLDER [SIZE]\n"
                 "  draws OUTPUT_FOLDER/levelNN.png (SIZE by SIZE pixels, %d by default)\n"
                 "  and OUTPUT_FOLDER/key.png with the pictures found in DATA_FOLDER;\n"
                 "  a level's stored route is drawn as the hero's trail\n",
                 kDefaultSize);
    return 2;
}

bool writePng(const std::filesystem::path& path, const Image& image) {
    std::ofstream out(path, std::ios::binary);
    out << encodePng(image, kUnused);
    out.close();
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) return usage();
    const std::filesystem::path sources = std::filesystem::absolute(argv[1]);
    const std::filesystem::path output = std::filesystem::absolute(argv[3]);
    const int size = argc == 5 ? std::atoi(argv[4]) : kDefaultSize;
    if (size <= 0) return usage();
    std::vector<LevelFile> levels;
    std::string error;
    if (!readLevelSet(sources.string(), &levels, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    // The textures load by their plain names from the data folder.
    if (chdir(argv[2]) != 0) {
        std::fprintf(stderr, "%s: cannot enter the data folder\n", argv[2]);
        return 1;
    }
    LevelMapRenderer renderer;
    if (!renderer.ok()) {
        std::fprintf(stderr, "no offscreen drawing context\n");
        return 1;
    }
    std::filesystem::create_directories(output);
    for (const LevelFile& level : levels) {
        char name[32];
        std::snprintf(name, sizeof name, "level%02d.png", level.number);
        // The route with the creatures alive where there is one: the hero's
        // way does not depend on them, so it plays without them.
        Route route;
        std::string ignored;
        std::vector<TrailPoint> trail;
        if (readRoute(levelAliveRoutePath(sources.string(), level.number), &route, &ignored) ||
            readRoute(levelRoutePath(sources.string(), level.number), &route, &ignored))
            trail = routeTrail(level.source.grid, route);
        std::string title = "Level " + std::to_string(level.number) + ": " + level.source.title;
        if (!writePng(output / name, renderer.render(level.source.grid, size, trail, title))) {
            std::fprintf(stderr, "%s: cannot be written\n", (output / name).string().c_str());
            return 1;
        }
    }
    return writePng(output / "key.png", renderer.renderKey(kKeyWidth)) ? 0 : 1;
}
