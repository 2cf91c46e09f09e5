// Writes songs as Impulse Tracker, Scream Tracker 3 and ProTracker modules.
#include "music/module.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "music/song_text.h"

namespace music {

std::vector<std::uint8_t> writeModule(const Song& song, ModuleFormat format) {
    switch (format) {
        case ModuleFormat::kIt:
            return writeIt(song);
        case ModuleFormat::kS3m:
            return writeS3m(song);
        default:
            return writeMod(song);
    }
}

std::optional<ModuleFormat> formatForFile(const std::string& fileName) {
    std::string extension = std::filesystem::path(fileName).extension().string();
    if (extension == ".it") return ModuleFormat::kIt;
    if (extension == ".s3m") return ModuleFormat::kS3m;
    if (extension == ".mod") return ModuleFormat::kMod;
    return std::nullopt;
}

std::vector<std::uint8_t> buildModule(const std::string& songText, ModuleFormat format) {
    return writeModule(parseSong(songText), format);
}

int quantize(float sample, int bits) {
    double top = std::ldexp(1.0, bits - 1) - 1.0;
    return static_cast<int>(std::lround(std::clamp(static_cast<double>(sample), -1.0, 1.0) * top));
}

}  // namespace music
