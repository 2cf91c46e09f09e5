// Encodes mono 16-bit PCM WAV files, the format of our sound effects.
#include "sound/wav.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr std::uint16_t kPcmFormat = 1;
constexpr std::uint16_t kMono = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBytesPerFrame = kMono * kBitsPerSample / 8;
constexpr std::uint32_t kFormatChunkSize = 16;
// "WAVE" plus the format chunk and the data chunk's own header.
constexpr std::uint32_t kHeaderBytesInRiff = 4 + 8 + kFormatChunkSize + 8;
constexpr double kFullScale = 32767.0;

void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

std::vector<std::uint8_t> encodeWav(const std::vector<float>& samples, int rate) {
    std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * kBytesPerFrame);
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderBytesInRiff + 8 + dataBytes);
    putTag(out, "RIFF");
    put32(out, kHeaderBytesInRiff + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, kFormatChunkSize);
    put16(out, kPcmFormat);
    put16(out, kMono);
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate) * kBytesPerFrame);
    put16(out, kBytesPerFrame);
    put16(out, kBitsPerSample);
    putTag(out, "data");
    put32(out, dataBytes);
    for (float s : samples) {
        double clipped = std::clamp(static_cast<double>(s), -1.0, 1.0);
        put16(out, static_cast<std::uint16_t>(
                       static_cast<std::int16_t>(std::lround(clipped * kFullScale))));
    }
    return out;
}

}  // namespace synth
