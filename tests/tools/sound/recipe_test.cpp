// Recipe text and the synthesiser under it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "sound/effect.h"
#include "sound/recipe_text.h"
#include "sound/synth.h"

namespace {

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
    int crossings = 0;
    for (size_t i = 1; i < sine.size(); ++i) crossings += (sine[i - 1] < 0) != (sine[i] < 0);
    EXPECT_NEAR(crossings, 882, 3);
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

}  // namespace
