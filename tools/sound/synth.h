// Layered synthesis of short sounds: band-limited tones, FM, noise, envelopes.
#pragma once

#include <cstdint>
#include <vector>

namespace synth {

enum class Wave { kSine, kSquare, kSaw, kTriangle, kFm, kNoise };

// A value gliding from `from` to `to` over `time` seconds, then holding.
// A time of 0 means the whole length of the layer.
struct Glide {
    double from = 0.0;
    double to = 0.0;
    double time = 0.0;
};

// One voice of a sound. All times are in seconds, pitches in Hz.
struct Layer {
    Wave wave = Wave::kSine;
    double duty = 0.5;          // square: the high part of each cycle
    Glide pitch;                // exponential glide; noise: redraw rate, 0 = white
    double vibratoRate = 0.0;   // Hz
    double vibratoDepth = 0.0;  // semitones
    std::vector<double> steps;  // arpeggio: semitone offsets played in turn
    double stepTime = 0.0;      // how long each arpeggio step lasts
    double fmRatio = 1.0;       // modulator pitch over carrier pitch
    Glide fmIndex{0.0, 0.0};    // modulation depth in radians
    Glide cutoff{0.0, 0.0};     // low-pass corner; 0 leaves the layer open
    double highpass = 0.0;      // noise only: removes rumble below this
    int maxPartials = 0;        // caps the harmonics of a tone; 0 = up to Nyquist
    double drive = 0.0;         // soft saturation of the raw wave; 0 = clean
    double delay = 0.0;         // silence before the layer starts
    double length = 0.5;
    double attack = 0.002;
    double decay = 0.0;  // time constant of the fall to `sustain`; 0 = none
    double sustain = 1.0;
    double release = 0.01;  // fade-out at the end of the layer
    double gain = 1.0;
    std::uint32_t seed = 1;  // noise generator seed
};

struct Recipe {
    std::vector<Layer> layers;
    // Seconds after which the sound stops changing, so that a loop laid over
    // the rest repeats seamlessly. Negative: the sound changes to its end.
    double freezeAt = -1.0;
};

// Seconds from the start to the end of the last layer.
double recipeLength(const Recipe& recipe);

// Renders the sum of the layers at `rate` samples per second, unscaled.
std::vector<float> render(const Recipe& recipe, double rate);

// Scales samples so that the loudest one reaches `peak`; silence stays silent.
void normalize(std::vector<float>& samples, double peak);

}  // namespace synth
