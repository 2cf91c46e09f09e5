// Turns an instrument recipe into a sample that loops without a click.
#pragma once

#include <string>
#include <vector>

#include "music/song.h"
#include "sound/synth.h"

namespace music {

struct InstrumentRecipe {
    std::string name;
    int line = 0;  // where it was declared, for messages
    int volume = kMaxVolume;
    int cycle = 64;             // frames per cycle of middle C
    double loopSeconds = -1.0;  // loop from here to the end; negative: play once
    double length = 0.0;        // the length of layers that set none
    synth::Recipe recipe;
    std::vector<double> ratios;     // per layer: pitch over middle C, 0 = its own pitch
    std::vector<bool> lengthGiven;  // per layer: whether it set its own length
};

// Middle C's pitch in Hz: the rate of every sample is this times its cycle.
constexpr double kMiddleCHertz = 261.6255653;

// Renders the sample. Throws synth::TextError when the recipe cannot loop.
Instrument buildInstrument(InstrumentRecipe recipe);

}  // namespace music
