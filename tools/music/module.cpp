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

void checkSongShape(const Song& song) {
    if (song.channels < 1 || static_cast<int>(song.pans.size()) != song.channels) {
        throw FormatError("the song needs a pan for each of its channels");
    }
    for (int index : song.order) {
        if (index < 0 || index >= static_cast<int>(song.patterns.size())) {
            throw FormatError("the order names a pattern that does not exist");
        }
    }
    int instruments = static_cast<int>(song.instruments.size());
    for (const Pattern& pattern : song.patterns) {
        if (pattern.rows < 1 ||
            pattern.cells.size() != static_cast<size_t>(pattern.rows) * song.channels) {
            throw FormatError("pattern '" + pattern.name + "' has the wrong number of cells");
        }
        for (const Cell& cell : pattern.cells) {
            bool noteWithout = cell.note >= 0 && cell.instrument == 0;
            if (cell.instrument < 0 || cell.instrument > instruments || noteWithout) {
                throw FormatError("pattern '" + pattern.name + "' names a missing instrument");
            }
        }
    }
}

int quantize(float sample, int bits) {
    double top = std::ldexp(1.0, bits - 1) - 1.0;
    return static_cast<int>(std::lround(std::clamp(static_cast<double>(sample), -1.0, 1.0) * top));
}

}  // namespace music
