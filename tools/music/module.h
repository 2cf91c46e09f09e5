// Writes songs as Impulse Tracker, Scream Tracker 3 and ProTracker modules.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "music/song.h"

namespace music {

enum class ModuleFormat { kIt, kS3m, kMod };

// A song that the chosen format cannot hold (too many channels, a note out
// of range, two effects in one cell...).
class FormatError : public std::runtime_error {
   public:
    using std::runtime_error::runtime_error;
};

std::vector<std::uint8_t> writeIt(const Song& song);
std::vector<std::uint8_t> writeS3m(const Song& song);
std::vector<std::uint8_t> writeMod(const Song& song);
std::vector<std::uint8_t> writeModule(const Song& song, ModuleFormat format);

// The format a file name asks for by its extension (".it", ".s3m", ".mod").
std::optional<ModuleFormat> formatForFile(const std::string& fileName);

// Parses song text and writes it in the given format.
std::vector<std::uint8_t> buildModule(const std::string& songText, ModuleFormat format);

// Throws FormatError unless every order names a pattern, every pattern holds
// rows times channels cells, every cell names a real instrument and every
// channel has a pan: the writers rely on all of it.
void checkSongShape(const Song& song);

// Clamps a sample to [-1, 1] and scales it to a signed integer of `bits`.
int quantize(float sample, int bits);

}  // namespace music
