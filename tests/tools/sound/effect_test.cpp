// The six sound effects as the build makes them from their recipes.
#include "sound/effect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/file_io.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr size_t kHeaderBytes = 44;
constexpr int kFullScale = 32767;

Bytes buildFromAssets(const std::string& name) {
    return synth::buildEffect(
        synth::readTextFile(std::string(DORIAN_SOUND_ASSETS) + "/" + name + ".txt"));
}

std::uint32_t le32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t le16(const Bytes& b, size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
std::string tag(const Bytes& b, size_t at) {
    return std::string(b.begin() + at, b.begin() + at + 4);
}

std::vector<int> samplesOf(const Bytes& wav) {
    std::vector<int> samples;
    for (size_t at = kHeaderBytes; at + 1 < wav.size(); at += 2) {
        samples.push_back(static_cast<std::int16_t>(le16(wav, at)));
    }
    return samples;
}

std::vector<size_t> crossings(const std::vector<int>& s, size_t from, size_t to) {
    std::vector<size_t> at;
    for (size_t i = from + 1; i < to && i < s.size(); ++i) {
        if ((s[i - 1] < 0) != (s[i] < 0)) at.push_back(i);
    }
    return at;
}

// Zero crossings per sample between two times: a rough measure of pitch.
double crossingRate(const std::vector<int>& s, double fromSeconds, double toSeconds) {
    size_t from = static_cast<size_t>(fromSeconds * synth::kEffectRate);
    size_t to = static_cast<size_t>(toSeconds * synth::kEffectRate);
    return static_cast<double>(crossings(s, from, to).size()) / (to - from);
}

// How much each cycle's length differs from the one before, against the
// mean: small for a tone, even a gliding one, large for noise.
double crossingIrregularity(const std::vector<int>& s) {
    std::vector<size_t> at = crossings(s, 0, s.size());
    double change = 0.0;
    for (size_t i = 4; i < at.size(); ++i) {
        double cycle = static_cast<double>(at[i] - at[i - 2]);
        double before = static_cast<double>(at[i - 2] - at[i - 4]);
        change += std::fabs(cycle - before);
    }
    double mean = 2.0 * (at.back() - at.front()) / (at.size() - 1);
    return change / (at.size() - 4) / mean;
}

struct EffectFile : ::testing::TestWithParam<const char*> {};

TEST_P(EffectFile, IsAShortMonoPcmWavAtAHealthyLevel) {
    Bytes wav = buildFromAssets(GetParam());
    ASSERT_GT(wav.size(), kHeaderBytes);
    EXPECT_EQ(tag(wav, 0), "RIFF");
    EXPECT_EQ(le32(wav, 4), wav.size() - 8);
    EXPECT_EQ(tag(wav, 8), "WAVE");
    EXPECT_EQ(tag(wav, 12), "fmt ");
    EXPECT_EQ(le32(wav, 16), 16u);
    EXPECT_EQ(le16(wav, 20), 1);  // PCM
    EXPECT_EQ(le16(wav, 22), 1);  // mono
    EXPECT_EQ(le32(wav, 24), static_cast<std::uint32_t>(synth::kEffectRate));
    EXPECT_EQ(le32(wav, 28), static_cast<std::uint32_t>(synth::kEffectRate) * 2);
    EXPECT_EQ(le16(wav, 32), 2);
    EXPECT_EQ(le16(wav, 34), 16);
    EXPECT_EQ(tag(wav, 36), "data");
    EXPECT_EQ(le32(wav, 40), wav.size() - kHeaderBytes);

    std::vector<int> samples = samplesOf(wav);
    EXPECT_LT(samples.size(), static_cast<size_t>(synth::kEffectRate));
    int peak = 0;
    size_t atFullScale = 0;
    for (int s : samples) {
        peak = std::max(peak, std::abs(s));
        atFullScale += std::abs(s) >= kFullScale;
    }
    EXPECT_GT(peak, kFullScale / 2) << "too quiet";
    EXPECT_EQ(atFullScale, 0u) << "clipped";
    // Starts and ends near silence, so that it neither clicks in nor out.
    EXPECT_LT(std::abs(samples.front()), kFullScale / 20);
    EXPECT_LT(std::abs(samples.back()), kFullScale / 20);
}

TEST_P(EffectFile, ComesOutTheSameOnEveryBuild) {
    EXPECT_EQ(buildFromAssets(GetParam()), buildFromAssets(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectFile,
                         ::testing::Values("waa", "zap", "pickup", "pop", "spark", "jump"));

TEST(Effects, AreAllDifferent) {
    std::vector<Bytes> all;
    for (const char* name : {"waa", "zap", "pickup", "pop", "spark", "jump"}) {
        all.push_back(buildFromAssets(name));
    }
    for (size_t i = 0; i < all.size(); ++i) {
        for (size_t j = i + 1; j < all.size(); ++j) EXPECT_NE(all[i], all[j]) << i << " " << j;
    }
}

// The cry and the laser fall; the jump and the chime rise.
TEST(Effects, SweepTheWayTheyShould) {
    auto earlyOverLate = [](const char* name, double early, double late, double width) {
        std::vector<int> s = samplesOf(buildFromAssets(name));
        return crossingRate(s, early, early + width) / crossingRate(s, late, late + width);
    };
    EXPECT_GT(earlyOverLate("waa", 0.0, 0.4, 0.15), 1.5);
    EXPECT_GT(earlyOverLate("zap", 0.0, 0.1, 0.04), 1.5);
    EXPECT_LT(earlyOverLate("jump", 0.0, 0.13, 0.05), 0.6);
    EXPECT_LT(earlyOverLate("pickup", 0.0, 0.17, 0.05), 0.8);  // up an octave
}

TEST(Effects, SparkAndPopAreNoiseAndTheOthersTones) {
    for (const char* noise : {"spark", "pop"}) {
        EXPECT_GT(crossingIrregularity(samplesOf(buildFromAssets(noise))), 0.3) << noise;
    }
    for (const char* tone : {"jump", "zap"}) {
        EXPECT_LT(crossingIrregularity(samplesOf(buildFromAssets(tone))), 0.1) << tone;
    }
}

}  // namespace
