// The fuzz targets: untrusted bytes through the BMP reader, the song loader
// and the level loader.
#include "fuzz/targets.h"

#include <SDL2/SDL_mixer.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/frame.h"
#include "app/globals.h"
#include "audio/audio.h"
#include "gfx/bitmap.h"
#include "hero/hero.h"
#include "world/level.h"

namespace {
constexpr int kFramesPerLevel = 10;

// An in-memory file whose contents are `data`, named through /proc.
class MemoryFile {
   public:
    MemoryFile(const uint8_t* data, size_t size) : fd_(memfd_create("fuzz", 0)) {
        if (fd_ >= 0 && size > 0 && write(fd_, data, size) != static_cast<ssize_t>(size)) {
            close(fd_);
            fd_ = -1;
        }
        path = "/proc/self/fd/" + std::to_string(fd_);
    }
    ~MemoryFile() {
        if (fd_ >= 0) close(fd_);
    }
    std::string path;

   private:
    int fd_;
};

}  // namespace

void fuzzBitmap(const uint8_t* data, size_t size) {
    MemoryFile file(data, size);
    Bitmap bitmap;
    bitmap.loadBmp(file.path.c_str());
}

void fuzzSong(const uint8_t* data, size_t size) {
    if (!g_soundDevice) {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        initSounds();
        initMusic();
    }
    MemoryFile file(data, size);
    std::string bytes;
    if (Mix_Music* song = loadSong(file.path.c_str(), &bytes)) Mix_FreeMusic(song);
}

void prepareFuzzing() {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("dorian_fuzz_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::filesystem::current_path(folder);
    // The BMP reader's diagnostics would only flood the fuzzer's log.
    if (!std::freopen("/dev/null", "w", stdout)) std::perror("fuzzing: /dev/null");
}

void fuzzLevel(const uint8_t* data, size_t size) {
    if (std::FILE* f = std::fopen("level1.dat", "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    g_levelNumber = 1;
    g_onScreens = 0;
    g_projectiles.clear();
    reloadLevel();
    g_hero = Hero();
    g_hero.pressRight();
    for (int i = 0; i < kFramesPerLevel; ++i) runFrame();
    if (g_onScreens) g_levelNumber = 1;
}
