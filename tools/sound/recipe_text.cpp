// Reads our text recipes: lines of "key value..." words with '#' comments.
#include "sound/recipe_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>

namespace synth {
namespace {

constexpr double kMaxSeconds = 10.0;
constexpr double kMaxHertz = 50000.0;
constexpr double kMaxSemitones = 48.0;
constexpr double kMaxGain = 16.0;
constexpr double kMaxFmIndex = 50.0;
constexpr double kMaxDrive = 50.0;
constexpr int kMaxPartials = 1000;
constexpr double kMaxSeed = 4294967295.0;

void expectWords(const TextLine& line, size_t low, size_t high) {
    size_t values = line.words.size() - 1;
    if (values < low || values > high) {
        std::string wanted =
            low == high ? std::to_string(low) : std::to_string(low) + " to " + std::to_string(high);
        throw TextError(line.number, "'" + line.words[0] + "' takes " + wanted + " values");
    }
}

// "key FROM [TO [TIME]]": a glide, or a steady value when TO is left out.
Glide parseGlide(const TextLine& line, double low, double high) {
    expectWords(line, 1, 3);
    Glide g;
    g.from = parseNumber(line, 1, low, high);
    g.to = line.words.size() > 2 ? parseNumber(line, 2, low, high) : g.from;
    g.time = line.words.size() > 3 ? parseNumber(line, 3, 0.0, kMaxSeconds) : 0.0;
    return g;
}

double single(const TextLine& line, double low, double high) {
    expectWords(line, 1, 1);
    return parseNumber(line, 1, low, high);
}

Wave parseWave(const TextLine& line) {
    static const std::map<std::string, Wave> kWaves = {
        {"sine", Wave::kSine},         {"square", Wave::kSquare}, {"saw", Wave::kSaw},
        {"triangle", Wave::kTriangle}, {"fm", Wave::kFm},         {"noise", Wave::kNoise}};
    auto found = kWaves.find(line.words[1]);
    if (found == kWaves.end()) throw TextError(line.number, "unknown wave '" + line.words[1] + "'");
    return found->second;
}

void setWave(Layer& layer, const TextLine& line) {
    expectWords(line, 1, 2);
    layer.wave = parseWave(line);
    if (line.words.size() > 2) {
        if (layer.wave != Wave::kSquare) throw TextError(line.number, "only a square has a duty");
        layer.duty = parseNumber(line, 2, 0.01, 0.99);
    }
}

// "steps TIME s1 s2 ...": an arpeggio of semitone offsets.
void setSteps(Layer& layer, const TextLine& line) {
    if (line.words.size() < 3) throw TextError(line.number, "'steps' takes a time and offsets");
    layer.stepTime = parseNumber(line, 1, 0.001, kMaxSeconds);
    layer.steps.clear();
    for (size_t i = 2; i < line.words.size(); ++i) {
        layer.steps.push_back(parseNumber(line, i, -kMaxSemitones, kMaxSemitones));
    }
}

// "fm RATIO FROM [TO [TIME]]": the modulator and its depth.
void setFm(Layer& layer, const TextLine& line) {
    expectWords(line, 2, 4);
    layer.fmRatio = parseNumber(line, 1, 0.0, 64.0);
    TextLine rest{line.number, {line.words[0]}};
    rest.words.insert(rest.words.end(), line.words.begin() + 2, line.words.end());
    layer.fmIndex = parseGlide(rest, 0.0, kMaxFmIndex);
}

void setVibrato(Layer& layer, const TextLine& line) {
    expectWords(line, 2, 2);
    layer.vibratoRate = parseNumber(line, 1, 0.0, 100.0);
    layer.vibratoDepth = parseNumber(line, 2, 0.0, 12.0);
}

using Setter = std::function<void(Layer&, const TextLine&)>;

const std::map<std::string, Setter>& layerSetters() {
    static const std::map<std::string, Setter> kSetters = {
        {"wave", setWave},
        {"pitch", [](Layer& l, const TextLine& t) { l.pitch = parseGlide(t, 0.0, kMaxHertz); }},
        {"cutoff", [](Layer& l, const TextLine& t) { l.cutoff = parseGlide(t, 0.0, kMaxHertz); }},
        {"vibrato", setVibrato},
        {"steps", setSteps},
        {"fm", setFm},
        {"highpass", [](Layer& l, const TextLine& t) { l.highpass = single(t, 0.0, kMaxHertz); }},
        {"partials",
         [](Layer& l, const TextLine& t) {
             l.maxPartials = static_cast<int>(single(t, 1.0, kMaxPartials));
         }},
        {"drive", [](Layer& l, const TextLine& t) { l.drive = single(t, 0.0, kMaxDrive); }},
        {"delay", [](Layer& l, const TextLine& t) { l.delay = single(t, 0.0, kMaxSeconds); }},
        {"length", [](Layer& l, const TextLine& t) { l.length = single(t, 0.001, kMaxSeconds); }},
        {"attack", [](Layer& l, const TextLine& t) { l.attack = single(t, 0.0, kMaxSeconds); }},
        {"decay", [](Layer& l, const TextLine& t) { l.decay = single(t, 0.0, kMaxSeconds); }},
        {"sustain", [](Layer& l, const TextLine& t) { l.sustain = single(t, 0.0, 1.0); }},
        {"release", [](Layer& l, const TextLine& t) { l.release = single(t, 0.0, kMaxSeconds); }},
        {"gain", [](Layer& l, const TextLine& t) { l.gain = single(t, 0.0, kMaxGain); }},
        {"seed",
         [](Layer& l, const TextLine& t) {
             l.seed = static_cast<std::uint32_t>(single(t, 1.0, kMaxSeed));
         }},
    };
    return kSetters;
}

}  // namespace

std::vector<TextLine> splitLines(const std::string& text) {
    std::vector<TextLine> lines;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        TextLine line{number, {}};
        std::istringstream words(raw);
        std::string word;
        while (words >> word && word[0] != '#') line.words.push_back(word);
        if (!line.words.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

double parseNumber(const TextLine& line, size_t word, double low, double high) {
    const std::string& text = line.words.at(word);
    char* end = nullptr;
    errno = 0;
    double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || errno != 0 || !std::isfinite(value)) {
        throw TextError(line.number, "'" + text + "' is not a number");
    }
    if (value < low || value > high) {
        std::ostringstream message;
        message << "'" << line.words[0] << "' value " << text << " is outside " << low << " to "
                << high;
        throw TextError(line.number, message.str());
    }
    return value;
}

bool applyLayerSetting(Layer& layer, const TextLine& line) {
    auto found = layerSetters().find(line.words[0]);
    if (found == layerSetters().end()) return false;
    found->second(layer, line);
    return true;
}

void checkLayer(const Layer& layer, int line) {
    bool tone = layer.wave != Wave::kNoise;
    if (tone && (layer.pitch.from <= 0.0 || layer.pitch.to <= 0.0)) {
        throw TextError(line, "a tone layer needs a pitch above 0");
    }
    if (layer.attack + layer.release > layer.length) {
        throw TextError(line, "attack and release are longer than the layer");
    }
}

SoundRecipe parseSoundRecipe(const std::string& text) {
    SoundRecipe sound;
    int layerLine = 0;
    for (const TextLine& line : splitLines(text)) {
        const std::string& key = line.words[0];
        if (key == "layer") {
            expectWords(line, 0, 0);
            if (layerLine) checkLayer(sound.recipe.layers.back(), layerLine);
            sound.recipe.layers.emplace_back();
            layerLine = line.number;
        } else if (key == "peak" && !layerLine) {
            sound.peak = single(line, 0.01, 1.0);
        } else if (!layerLine || !applyLayerSetting(sound.recipe.layers.back(), line)) {
            throw TextError(line.number, "unknown setting '" + key + "'");
        }
    }
    if (!layerLine) throw TextError(1, "a sound needs at least one layer");
    checkLayer(sound.recipe.layers.back(), layerLine);
    return sound;
}

}  // namespace synth
