// Reads our text recipes: lines of "key value..." words with '#' comments.
//
// A layer is one voice; its settings, all optional but a tone's pitch:
//   wave sine|square [duty]|saw|triangle|fm|noise
//   pitch FROM [TO [TIME]]    Hz, gliding exponentially over TIME (default:
//                             the layer); for noise, how often it is redrawn
//   vibrato RATE SEMITONES    steps TIME s1 s2...  (an arpeggio)
//   fm RATIO FROM [TO [TIME]] modulator pitch ratio and depth (wave fm)
//   cutoff FROM [TO [TIME]]   low-pass corner in Hz     highpass HZ (noise)
//   partials N    drive AMOUNT    gain G    seed N (noise)
//   delay S   length S   attack S   decay S (time constant)   sustain L
//   release S (a fade at the end)
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "sound/synth.h"

namespace synth {

// A mistake in a text source, with the line it was found on.
class TextError : public std::runtime_error {
   public:
    TextError(int line, const std::string& message)
        : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}
    int line() const { return line_; }

   private:
    int line_;
};

struct TextLine {
    int number = 0;
    std::vector<std::string> words;
};

// Splits text into lines of words, leaving out blank lines and comments. A
// comment is a word starting with '#' and the rest of its line, so that a
// sharp inside a note name ("c#4") is not one.
std::vector<TextLine> splitLines(const std::string& text);

// Reads a decimal number and checks it lies in [low, high].
double parseNumber(const TextLine& line, size_t word, double low, double high);

// Applies one layer setting. Returns false when the key is not a layer key.
bool applyLayerSetting(Layer& layer, const TextLine& line);

// Checks that a finished layer can be rendered; `line` is where it began.
void checkLayer(const Layer& layer, int line);

// A sound effect: "peak" (the loudest sample, 0 to 1) and its layers, each
// opened by a line "layer".
struct SoundRecipe {
    Recipe recipe;
    double peak = 0.8;
};

SoundRecipe parseSoundRecipe(const std::string& text);

}  // namespace synth
