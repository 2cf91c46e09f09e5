// Builds a sound effect, as WAV bytes, from its text recipe.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

constexpr int kEffectRate = 44100;
// Effects are short cues: a longer recipe is a mistake.
constexpr double kMaxEffectSeconds = 1.0;

// Throws TextError when the recipe is malformed or too long.
std::vector<std::uint8_t> buildEffect(const std::string& recipeText);

}  // namespace synth
