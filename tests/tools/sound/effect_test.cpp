// Recipe text, the synthesiser under it, and the six sound effects the build makes
// from their recipes.
#include "sound/effect.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "sound/file_io.h"
#include "sound/recipe_text.h"
#include "sound/synth.h"
#include "support/files.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr size_t kHeaderBytes = 44;
constexpr int kFullScale = 32767;

Bytes buildFromAssets(const std::string& name) {
    return synth::buildEffect(
        synth::readTextFile(std::string(DORIAN_SOUND_ASSETS) + "/" + name + ".txt"));
}

std::uint32_t le(const Bytes& b, size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

std::vector<int> samplesOf(const Bytes& wav) {
    std::vector<int> samples;
    for (size_t at = kHeaderBytes; at + 1 < wav.size(); at += 2)
        samples.push_back(static_cast<std::int16_t>(le(wav, at, 2)));
    return samples;
}

template <typename Sample>
std::vector<size_t> crossings(const std::vector<Sample>& s, size_t from, size_t to) {
    std::vector<size_t> at;
    for (size_t i = from + 1; i < to && i < s.size(); ++i)
        if ((s[i - 1] < 0) != (s[i] < 0)) at.push_back(i);
    return at;
}

// How much each cycle's length differs from the one before, against the
// mean: small for a tone, even a gliding one, large for noise.
double crossingIrregularity(const std::vector<int>& s) {
    const std::vector<size_t> at = crossings(s, 0, s.size());
    double change = 0.0;
    for (size_t i = 4; i < at.size(); ++i)
        change += std::fabs(double(at[i] - at[i - 2]) - double(at[i - 2] - at[i - 4]));
    return change / (at.size() - 4) / (2.0 * (at.back() - at.front()) / (at.size() - 1));
}

int errorLine(const std::string& text) {
    try {
        synth::buildEffect(text);
    } catch (const synth::TextError& error) {
        return error.line();
    }
    return 0;
}

TEST(RecipeText, ReadsLayersSettingsAndComments) {
    synth::SoundRecipe sound = synth::parseSoundRecipe(
        "# a comment line\n"
        "peak 0.5\n"
        "layer  # the first\n"
        "  wave square 0.25\n"
        "  pitch 800 200 0.1\n"
        "  length 0.3\n"
        "layer\n"
        "  wave noise\n"
        "  steps 0.05 0 7\n"
        "  delay 0.1\n");
    ASSERT_EQ(sound.recipe.layers.size(), 2u);
    const synth::Layer& tone = sound.recipe.layers[0];
    EXPECT_EQ(tone.wave, synth::Wave::kSquare);
    EXPECT_EQ((std::vector{sound.peak, tone.duty, tone.pitch.from, tone.pitch.to, tone.pitch.time}),
              (std::vector{0.5, 0.25, 800.0, 200.0, 0.1}));
    EXPECT_EQ(sound.recipe.layers[1].steps, (std::vector<double>{0, 7}));
    EXPECT_DOUBLE_EQ(synth::recipeLength(sound.recipe), 0.6);
}

TEST(RecipeText, MistakesNameTheirLine) {
    const std::string layer = "layer\n wave sine\n pitch 440\n";
    EXPECT_EQ(errorLine(layer + " volume 3\n"), 4);     // unknown key
    EXPECT_EQ(errorLine(layer + " length 0.2x\n"), 4);  // not a number
    EXPECT_EQ(errorLine(layer + " length nan\n"), 4);
    EXPECT_EQ(errorLine(layer + " sustain 1.5\n"), 4);    // out of range
    EXPECT_EQ(errorLine(layer + " pitch\n"), 4);          // missing value
    EXPECT_EQ(errorLine(layer + " wave sine 0.5\n"), 4);  // only squares have a duty
    EXPECT_EQ(errorLine(layer + " wave hum\n"), 4);
    EXPECT_EQ(errorLine("wave sine\n"), 1);         // before any layer
    EXPECT_EQ(errorLine("peak 0.5\n"), 1);          // no layer at all
    EXPECT_EQ(errorLine("layer\n wave saw\n"), 1);  // a tone without pitch
    EXPECT_EQ(errorLine(layer + " length 0.1\n attack 0.08\n release 0.05\n"), 1);
    EXPECT_EQ(errorLine(layer + " length 0.5\n delay 0.6\n"), 1);  // ends after a second
}

// One layer of `wave` at `hz` for `seconds`, rendered at 44.1 kHz.
std::vector<float> tone(synth::Wave wave, double hz, double seconds, std::uint32_t seed = 1) {
    synth::Recipe recipe;
    recipe.layers.push_back({});
    synth::Layer& layer = recipe.layers.back();
    layer.wave = wave, layer.pitch = {hz, hz}, layer.length = seconds, layer.seed = seed;
    return synth::render(recipe, 44100);
}

TEST(Synth, WavesKeepTheirPitchLengthPeakAndSeedAndSilenceStaysSilent) {
    std::vector<float> sine = tone(synth::Wave::kSine, 441.0, 1.0);
    ASSERT_EQ(sine.size(), 44100u);
    EXPECT_NEAR(crossings(sine, 0, sine.size()).size(), 882, 3);
    float peak = 0;
    for (float v : tone(synth::Wave::kSquare, 3000.0, 0.1)) peak = std::max(peak, std::fabs(v));
    // A few partials of a 3 kHz square: neither aliased spikes nor silence.
    EXPECT_GT(peak, 0.8f);
    EXPECT_LT(peak, 1.3f);
    std::vector<float> noise = tone(synth::Wave::kNoise, 0.0, 0.05);
    EXPECT_EQ(noise, tone(synth::Wave::kNoise, 0.0, 0.05));
    EXPECT_NE(noise, tone(synth::Wave::kNoise, 0.0, 0.05, 2));
    std::vector<float> silence(10, 0.0f), quiet = {0.1f, -0.2f};
    synth::normalize(silence, 0.9);
    synth::normalize(quiet, 0.9);
    EXPECT_EQ(silence, std::vector<float>(10, 0.0f));
    EXPECT_FLOAT_EQ(quiet[1], -0.9f);
    EXPECT_FLOAT_EQ(quiet[0], 0.45f);
}

struct EffectFile : ::testing::TestWithParam<const char*> {};

TEST_P(EffectFile, IsTheBuiltShortMonoPcmWavAtAHealthyLevel) {
    const Bytes wav = buildFromAssets(GetParam());
    EXPECT_EQ(wav, fileBytes<Bytes>(DORIAN_DATA_DIR "/" + std::string(GetParam()) + ".wav"));
    ASSERT_GT(wav.size(), kHeaderBytes);
    const std::string text(wav.begin(), wav.end());
    EXPECT_EQ(text.substr(0, 4) + text.substr(8, 8) + text.substr(36, 4), "RIFFWAVEfmt data");
    const std::uint32_t rate = synth::kEffectRate, size = wav.size();
    // Sizes, PCM, one channel, rate, bytes per second, bytes per frame, bits per sample.
    EXPECT_EQ(
        (std::vector{le(wav, 4, 4), le(wav, 16, 4), le(wav, 20, 2), le(wav, 22, 2), le(wav, 24, 4),
                     le(wav, 28, 4), le(wav, 32, 2), le(wav, 34, 2), le(wav, 40, 4)}),
        (std::vector{size - 8, 16u, 1u, 1u, rate, 2 * rate, 2u, 16u, size - 44}));
    std::vector<int> samples = samplesOf(wav);
    EXPECT_LT(samples.size(), static_cast<size_t>(synth::kEffectRate));
    int peak = 0;
    for (int s : samples) peak = std::max(peak, std::abs(s));
    EXPECT_GT(peak, kFullScale / 2) << "too quiet";
    EXPECT_LT(peak, kFullScale) << "clipped";
    // Starts and ends near silence, so that it neither clicks in nor out.
    EXPECT_LT(std::abs(samples.front()), kFullScale / 20);
    EXPECT_LT(std::abs(samples.back()), kFullScale / 20);
}

INSTANTIATE_TEST_SUITE_P(Effects, EffectFile,
                         ::testing::Values("waa", "zap", "pickup", "pop", "spark", "jump"));

// The cry and the laser fall; the jump and the chime rise; the spark and the
// pop are noise, the others tones.
TEST(Effects, SweepOrBuzzTheWayTheyShould) {
    // The pitch at the start over the pitch at `late`, each counted in zero crossings
    // over `width` seconds.
    auto startOverLate = [](const char* name, double late, double width) {
        std::vector<int> s = samplesOf(buildFromAssets(name));
        auto count = [&](double from) {
            const double rate = synth::kEffectRate;
            return double(crossings(s, size_t(from * rate), size_t((from + width) * rate)).size());
        };
        return count(0.0) / count(late);
    };
    EXPECT_GT(startOverLate("waa", 0.4, 0.15), 1.5);
    EXPECT_GT(startOverLate("zap", 0.1, 0.04), 1.5);
    EXPECT_LT(startOverLate("jump", 0.13, 0.05), 0.6);
    EXPECT_LT(startOverLate("pickup", 0.17, 0.05), 0.8);  // up an octave
    for (const char* noise : {"spark", "pop"})
        EXPECT_GT(crossingIrregularity(samplesOf(buildFromAssets(noise))), 0.3) << noise;
    for (const char* tone : {"jump", "zap"})
        EXPECT_LT(crossingIrregularity(samplesOf(buildFromAssets(tone))), 0.1) << tone;
}

}  // namespace
