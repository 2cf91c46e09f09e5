// Encodes mono 16-bit PCM WAV files, the format of our sound effects.
#pragma once

#include <cstdint>
#include <vector>

namespace synth {

// Samples in [-1, 1] (louder ones are clipped) to a complete WAV file.
std::vector<std::uint8_t> encodeWav(const std::vector<float>& samples, int rate);

}  // namespace synth
