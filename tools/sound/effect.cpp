// Builds a sound effect, as WAV bytes, from its text recipe.
#include "sound/effect.h"

#include "sound/recipe_text.h"
#include "sound/synth.h"
#include "sound/wav.h"

namespace synth {

std::vector<std::uint8_t> buildEffect(const std::string& recipeText) {
    SoundRecipe sound = parseSoundRecipe(recipeText);
    if (recipeLength(sound.recipe) >= kMaxEffectSeconds) {
        throw TextError(1, "an effect must end within one second");
    }
    std::vector<float> samples = render(sound.recipe, kEffectRate);
    normalize(samples, sound.peak);
    return encodeWav(samples, kEffectRate);
}

}  // namespace synth
