// The fuzz targets: untrusted bytes through the BMP reader, the song loader
// and the level loader.
#include "fuzz/targets.h"

#include <SDL2/SDL_mixer.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "audio/audio.h"
#include "gfx/bitmap.h"
#include "hero/hero.h"
#include "support/scratch.h"
#include "world/level.h"

namespace {
constexpr int kFramesPerLevel = 10;

// Writes `data` into the file `name` of the working folder and returns the name.
const char* inputFile(const char* name, const uint8_t* data, size_t size) {
    writeFile(name, std::string(reinterpret_cast<const char*>(data), size));
    return name;
}
}  // namespace

void prepareFuzzing() {
    static const std::filesystem::path folder = uniqueFolder("dorian_fuzz_");
    std::filesystem::current_path(folder);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    });
    // The BMP reader's diagnostics would only flood the fuzzer's log.
    if (!std::freopen("/dev/null", "w", stdout)) std::perror("fuzzing: /dev/null");
}

void fuzzBitmap(const uint8_t* data, size_t size) {
    Bitmap bitmap;
    bitmap.loadBmp(inputFile("input.bmp", data, size));
}

void fuzzSong(const uint8_t* data, size_t size) {
    if (!g_soundDevice) {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        initSounds();
        initMusic();
    }
    std::string bytes;
    if (Mix_Music* song = loadSong(inputFile("input.song", data, size), &bytes))
        Mix_FreeMusic(song);
}

void fuzzLevel(const uint8_t* data, size_t size) {
    inputFile("level1.dat", data, size);
    g_levelNumber = 1;
    g_onScreens = 0;
    g_projectiles.clear();
    reloadLevel();
    g_hero = Hero();
    g_hero.pressRight();
    for (int i = 0; i < kFramesPerLevel; ++i) runFrame();
    if (g_onScreens) g_levelNumber = 1;
}
