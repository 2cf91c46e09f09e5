// Turns an instrument recipe into a sample that loops without a click.
#include "music/instrument.h"

#include <cmath>

#include "sound/recipe_text.h"

namespace music {
namespace {

// Samples are stored at full scale; the instrument volume sets the level.
constexpr double kSamplePeak = 0.99;
constexpr double kWholeCycleTolerance = 1e-6;

using synth::TextError;

bool isWholeNumber(double x) {
    return std::fabs(x - std::round(x)) < kWholeCycleTolerance;
}

void fillLayerDefaults(InstrumentRecipe& r, double middleC) {
    for (size_t i = 0; i < r.recipe.layers.size(); ++i) {
        synth::Layer& layer = r.recipe.layers[i];
        if (!r.lengthGiven[i]) {
            if (r.length <= 0.0) {
                throw TextError(r.line, "instrument '" + r.name + "' needs a length");
            }
            layer.length = r.length;
        }
        double ratio = r.ratios[i];
        if (ratio <= 0.0 && layer.wave != synth::Wave::kNoise && layer.pitch.from <= 0.0) {
            ratio = 1.0;
        }
        if (ratio > 0.0) layer.pitch = synth::Glide{middleC * ratio, middleC * ratio, 0.0};
        synth::checkLayer(layer, r.line);
    }
}

// A loop repeats seamlessly only when every tone holds still and fits a
// whole number of its cycles into the loop.
void checkLoopable(const InstrumentRecipe& r, int loopFrames, int rate) {
    for (const synth::Layer& layer : r.recipe.layers) {
        if (layer.wave == synth::Wave::kNoise) continue;
        bool steady =
            layer.pitch.from == layer.pitch.to && layer.vibratoDepth == 0.0 && layer.steps.empty();
        double cycles = layer.pitch.from * loopFrames / rate;
        double modulatorCycles = cycles * layer.fmRatio;
        bool whole = isWholeNumber(cycles) &&
                     (layer.wave != synth::Wave::kFm || isWholeNumber(modulatorCycles));
        if (!steady || !whole) {
            throw TextError(r.line, "instrument '" + r.name +
                                        "' loops, so its tones must hold a steady pitch that "
                                        "is a whole multiple of middle C");
        }
    }
}

}  // namespace

Instrument buildInstrument(InstrumentRecipe r) {
    Instrument instrument;
    instrument.name = r.name;
    instrument.volume = r.volume;
    instrument.cycle = r.cycle;
    instrument.rate = static_cast<int>(std::lround(kMiddleCHertz * r.cycle));
    double middleC = static_cast<double>(instrument.rate) / r.cycle;
    if (r.recipe.layers.empty()) {
        throw TextError(r.line, "instrument '" + r.name + "' has no layer");
    }
    fillLayerDefaults(r, middleC);

    int loopStart = -1;
    if (r.loopSeconds >= 0.0) {
        loopStart = static_cast<int>(r.loopSeconds * instrument.rate / r.cycle) * r.cycle;
        r.recipe.freezeAt = static_cast<double>(loopStart) / instrument.rate;
    }
    instrument.samples = synth::render(r.recipe, instrument.rate);
    if (loopStart >= 0) {
        int end = static_cast<int>(instrument.samples.size()) / r.cycle * r.cycle;
        if (end - loopStart < r.cycle) {
            throw TextError(r.line, "instrument '" + r.name + "' loops after its end");
        }
        checkLoopable(r, end - loopStart, instrument.rate);
        instrument.samples.resize(end);
        instrument.loopStart = loopStart;
    }
    synth::normalize(instrument.samples, kSamplePeak);
    return instrument;
}

}  // namespace music
