// Reading the game's data files: regular files only, under a size cap, opened
// without blocking, so that a FIFO, a device or a directory put in place of a
// level, the level titles, a picture, a song or an effect is turned away at
// once.
#pragma once
#include <cstddef>
#include <string>

// Caps on each kind of file, far above our own (levels about 32 KB, pictures
// under 1 MB, songs under 200 KB, effects under 60 KB) so that hand-made
// replacements fit easily, yet a runaway file cannot freeze the game or fill
// its memory.
constexpr size_t kMaxLevelBytes = size_t(1) << 20;     // 1 MiB, also the titles
constexpr size_t kMaxPictureBytes = size_t(32) << 20;  // 32 MiB
constexpr size_t kMaxSongBytes = size_t(32) << 20;     // 32 MiB
constexpr size_t kMaxEffectBytes = size_t(16) << 20;   // 16 MiB

struct DataFile {
    enum Status { kRead, kMissing, kRefused };
    Status status = kMissing;
    std::string bytes;             // the whole file, when read
    const char* reason = nullptr;  // why a file that exists was refused
};

// Reads the whole of `path` if it is a regular file of at most `maxBytes`.
// A file that cannot be opened is missing; anything else that is not a
// readable regular file within the cap is refused.
DataFile readDataFile(const char* path, size_t maxBytes);

// For kinds without a diagnostic of their own: one line on standard error
// naming a refused file and why. Says nothing for a read or missing file.
void reportRefusal(const char* path, const DataFile& file);
