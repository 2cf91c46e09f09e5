// Layered synthesis of short sounds: band-limited tones, FM, noise, envelopes.
#include "sound/synth.h"

#include <algorithm>
#include <cmath>

namespace synth {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;
// Partials stop a little below Nyquist so the top one does not fold back.
constexpr double kNyquistMargin = 0.95;
// Noise layers of a looping sound fade out over this long before the loop.
constexpr double kFreezeFade = 0.005;
constexpr double kButterworthDamping = 1.41421356237;
// Bounds the work for very low tones; they are dark enough by then.
constexpr double kMostPartials = 512.0;

double glideAt(const Glide& g, double t, double layerLength, bool exponential) {
    double span = g.time > 0.0 ? g.time : layerLength;
    double u = span > 0.0 ? std::clamp(t / span, 0.0, 1.0) : 1.0;
    if (exponential && g.from > 0.0 && g.to > 0.0) return g.from * std::pow(g.to / g.from, u);
    return g.from + (g.to - g.from) * u;
}

double envelopeAt(const Layer& layer, double t) {
    double level = 1.0;
    if (t < layer.attack) {
        level = t / layer.attack;
    } else if (layer.decay > 0.0) {
        level = layer.sustain + (1.0 - layer.sustain) * std::exp(-(t - layer.attack) / layer.decay);
    }
    double releaseStart = layer.length - layer.release;
    if (layer.release > 0.0 && t > releaseStart) {
        level *= std::max(0.0, (layer.length - t) / layer.release);
    }
    return level;
}

double frequencyAt(const Layer& layer, double t) {
    double f = glideAt(layer.pitch, t, layer.length, true);
    if (!layer.steps.empty() && layer.stepTime > 0.0) {
        size_t step = static_cast<size_t>(t / layer.stepTime);
        step = std::min(step, layer.steps.size() - 1);
        f *= std::pow(2.0, layer.steps[step] / 12.0);
    }
    if (layer.vibratoDepth > 0.0) {
        f *= std::pow(2.0, layer.vibratoDepth * std::sin(kTwoPi * layer.vibratoRate * t) / 12.0);
    }
    return f;
}

// Fourier amplitude of partial n (its phase offset handled by the caller).
double partialAmplitude(Wave wave, int n, double duty) {
    switch (wave) {
        case Wave::kSaw:
            return (n % 2 ? 2.0 : -2.0) / (kPi * n);
        case Wave::kSquare:
            return 4.0 / (kPi * n) * std::sin(kPi * n * duty);
        case Wave::kTriangle:
            if (n % 2 == 0) return 0.0;
            return ((n / 2) % 2 ? -8.0 : 8.0) / (kPi * kPi * n * n);
        default:
            return n == 1 ? 1.0 : 0.0;
    }
}

// Sum of the harmonics of a band-limited wave at phase `phase` (in cycles).
class ToneOscillator {
   public:
    ToneOscillator(const Layer& layer, double rate) : layer_(layer), rate_(rate) {}

    double sample(double phase, double frequency, double cutoff) const {
        double room = std::min(rate_ * 0.5 * kNyquistMargin / frequency, kMostPartials);
        int partials = std::max(static_cast<int>(room), 1);
        if (layer_.maxPartials > 0) partials = std::min(partials, layer_.maxPartials);
        double theta = kTwoPi * phase;
        double c1 = std::cos(theta), s1 = std::sin(theta);
        double cn = 1.0, sn = 0.0, sum = 0.0;
        for (int n = 1; n <= partials; ++n) {
            double c = cn * c1 - sn * s1;
            sn = sn * c1 + cn * s1;
            cn = c;
            double amplitude = partialAmplitude(layer_.wave, n, layer_.duty);
            if (amplitude == 0.0) continue;
            if (cutoff > 0.0) amplitude *= lowPassGain(n * frequency / cutoff);
            sum += amplitude * partialShape(n, cn, sn);
        }
        return sum;
    }

   private:
    // A gentle 12 dB per octave slope, applied partial by partial.
    static double lowPassGain(double ratio) { return 1.0 / std::sqrt(1.0 + std::pow(ratio, 4.0)); }

    // The pulse is a sum of cosines shifted by half its duty; the rest are sines.
    double partialShape(int n, double cn, double sn) const {
        if (layer_.wave != Wave::kSquare) return sn;
        double shift = kPi * n * layer_.duty;
        return cn * std::cos(shift) + sn * std::sin(shift);
    }

    const Layer& layer_;
    double rate_;
};

// Two-pole low-pass in the trapezoidal state-variable form: stable at any corner.
class LowPass {
   public:
    double step(double x, double cutoff, double rate) {
        double g = std::tan(kPi * std::min(cutoff, rate * 0.45) / rate);
        double a1 = 1.0 / (1.0 + g * (g + kButterworthDamping));
        double a2 = g * a1, a3 = g * a2;
        double v3 = x - ic2_;
        double v1 = a1 * ic1_ + a2 * v3;
        double v2 = ic2_ + a2 * ic1_ + a3 * v3;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        return v2;
    }

   private:
    double ic1_ = 0.0, ic2_ = 0.0;
};

class HighPass {
   public:
    double step(double x, double cutoff, double rate) {
        double rc = 1.0 / (kTwoPi * cutoff);
        double a = rc / (rc + 1.0 / rate);
        y_ = a * (y_ + x - previous_);
        previous_ = x;
        return y_;
    }

   private:
    double y_ = 0.0, previous_ = 0.0;
};

// Deterministic white noise (xorshift32), the same on every build.
class Noise {
   public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    double next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

   private:
    std::uint32_t state_;
};

double saturate(double x, double drive) {
    if (drive <= 0.0) return x;
    return std::tanh(drive * x) / std::tanh(drive);
}

// Noise of a looping sound stops before the loop: it could not repeat seamlessly.
double freezeFade(const Layer& layer, double absoluteTime, double freezeAt) {
    if (layer.wave != Wave::kNoise || freezeAt < 0.0) return 1.0;
    return std::clamp((freezeAt - absoluteTime) / kFreezeFade, 0.0, 1.0);
}

void addLayer(const Layer& layer, double freezeAt, double rate, std::vector<float>& out) {
    size_t first = static_cast<size_t>(std::lround(layer.delay * rate));
    size_t count = static_cast<size_t>(std::lround(layer.length * rate));
    ToneOscillator tone(layer, rate);
    Noise noise(layer.seed);
    LowPass lowPass;
    HighPass highPass;
    double phase = 0.0, modulatorPhase = 0.0, held = 0.0;
    bool newCycle = true;
    for (size_t i = 0; i < count && first + i < out.size(); ++i) {
        double absolute = (first + i) / rate;
        double frozen = freezeAt >= 0.0 ? std::min(absolute, freezeAt) : absolute;
        double t = std::max(0.0, frozen - layer.delay);
        double f = frequencyAt(layer, t);
        double cutoff = glideAt(layer.cutoff, t, layer.length, true);
        double value = 0.0;
        if (layer.wave == Wave::kNoise) {
            if (f <= 0.0 || newCycle) held = noise.next();
            value = held;
            if (cutoff > 0.0) value = lowPass.step(value, cutoff, rate);
            if (layer.highpass > 0.0) value = highPass.step(value, layer.highpass, rate);
        } else if (layer.wave == Wave::kFm) {
            double index = glideAt(layer.fmIndex, t, layer.length, false);
            value = std::sin(kTwoPi * phase + index * std::sin(kTwoPi * modulatorPhase));
        } else if (f > 0.0) {
            value = tone.sample(phase, f, cutoff);
        }
        value = saturate(value, layer.drive);
        value *= layer.gain * envelopeAt(layer, t) * freezeFade(layer, absolute, freezeAt);
        out[first + i] += static_cast<float>(value);
        phase += f / rate;
        newCycle = phase >= 1.0;
        phase -= std::floor(phase);
        modulatorPhase += layer.fmRatio * f / rate;
        modulatorPhase -= std::floor(modulatorPhase);
    }
}

}  // namespace

double recipeLength(const Recipe& recipe) {
    double length = 0.0;
    for (const Layer& layer : recipe.layers) length = std::max(length, layer.delay + layer.length);
    return length;
}

std::vector<float> render(const Recipe& recipe, double rate) {
    std::vector<float> out(static_cast<size_t>(std::lround(recipeLength(recipe) * rate)), 0.0f);
    for (const Layer& layer : recipe.layers) addLayer(layer, recipe.freezeAt, rate, out);
    return out;
}

void normalize(std::vector<float>& samples, double peak) {
    float loudest = 0.0f;
    for (float s : samples) loudest = std::max(loudest, std::fabs(s));
    if (loudest <= 0.0f) return;
    float scale = static_cast<float>(peak / loudest);
    for (float& s : samples) s *= scale;
}

}  // namespace synth
