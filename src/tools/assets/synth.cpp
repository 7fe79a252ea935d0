#include "tools/assets/synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSineTableSize = 4096;

struct SineTable {
    float values[kSineTableSize + 1];
    SineTable() {
        for (int i = 0; i <= kSineTableSize; ++i)
            values[i] = static_cast<float>(std::sin(2.0 * kPi * i / kSineTableSize));
    }
};

const SineTable& Table() {
    static const SineTable table;
    return table;
}

} // namespace

float Sine(double cycles) {
    const double wrapped = cycles - std::floor(cycles);
    const double position = wrapped * kSineTableSize;
    const int index = static_cast<int>(position);
    const float fraction = static_cast<float>(position - index);
    const float* values = Table().values;
    return values[index] + (values[index + 1] - values[index]) * fraction;
}

float MidiToHz(float note) {
    return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f);
}

float DecibelsToGain(float db) {
    return std::pow(10.0f, db / 20.0f);
}

float Envelope::At(float t, float length) const {
    auto level = [this](float time) {
        if (time < attack)
            return time / attack;
        return sustain + (1.0f - sustain) * std::exp(-(time - attack) / decay);
    };
    if (t < 0.0f)
        return 0.0f;
    if (t <= length)
        return level(t);
    const float since = t - length;
    if (since >= release)
        return 0.0f;
    // An exponential fall that is bent down to reach zero exactly at the end of the release.
    const float floor = std::exp(-5.0f);
    const float fall = (std::exp(-5.0f * since / release) - floor) / (1.0f - floor);
    return level(length) * fall;
}

static void Coefficients(float hz, float q, float& cosW, float& alpha) {
    hz = std::min(hz, kSampleRate * 0.45f);
    const float w = static_cast<float>(2.0 * kPi) * hz / kSampleRate;
    cosW = std::cos(w);
    alpha = std::sin(w) / (2.0f * q);
}

Biquad Biquad::LowPass(float hz, float q) {
    float c, alpha;
    Coefficients(hz, q, c, alpha);
    const float a0 = 1.0f + alpha;
    Biquad f;
    f.b0_ = (1.0f - c) / 2.0f / a0;
    f.b1_ = (1.0f - c) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2.0f * c / a0;
    f.a2_ = (1.0f - alpha) / a0;
    return f;
}

Biquad Biquad::HighPass(float hz, float q) {
    float c, alpha;
    Coefficients(hz, q, c, alpha);
    const float a0 = 1.0f + alpha;
    Biquad f;
    f.b0_ = (1.0f + c) / 2.0f / a0;
    f.b1_ = -(1.0f + c) / a0;
    f.b2_ = f.b0_;
    f.a1_ = -2.0f * c / a0;
    f.a2_ = (1.0f - alpha) / a0;
    return f;
}

Biquad Biquad::BandPass(float hz, float q) {
    Biquad f;
    f.SetBandPass(hz, q);
    return f;
}

void Biquad::SetBandPass(float hz, float q) {
    float c, alpha;
    Coefficients(hz, q, c, alpha);
    const float a0 = 1.0f + alpha;
    b0_ = alpha / a0;
    b1_ = 0.0f;
    b2_ = -alpha / a0;
    a1_ = -2.0f * c / a0;
    a2_ = (1.0f - alpha) / a0;
}

void OnePoleLowPass::SetCutoff(float hz) {
    hz = std::min(hz, kSampleRate * 0.45f);
    coefficient_ = 1.0f - std::exp(static_cast<float>(-2.0 * kPi) * hz / kSampleRate);
}

Reverb::Reverb(float size, float damping)
    : feedback_(0.7f + 0.28f * size), damping_(0.4f * damping) {
    static const int combLengths[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int allPassLengths[4] = {556, 441, 341, 225};
    for (int side = 0; side < 2; ++side) {
        const int spread = side * 23;
        for (int i = 0; i < 8; ++i)
            combs_[side][i].line.assign(combLengths[i] + spread, 0.0f);
        for (int i = 0; i < 4; ++i)
            allPasses_[side][i].line.assign(allPassLengths[i] + spread, 0.0f);
    }
}

void Reverb::Process(float inLeft, float inRight, float& outLeft, float& outRight) {
    const float input = (inLeft + inRight) * 0.015f;
    float out[2] = {0.0f, 0.0f};
    for (int side = 0; side < 2; ++side) {
        for (Comb& comb : combs_[side]) {
            const float delayed = comb.line[comb.pos];
            comb.store = delayed * (1.0f - damping_) + comb.store * damping_;
            comb.line[comb.pos] = input + comb.store * feedback_;
            if (++comb.pos == comb.line.size())
                comb.pos = 0;
            out[side] += delayed;
        }
        for (AllPass& pass : allPasses_[side]) {
            const float delayed = pass.line[pass.pos];
            pass.line[pass.pos] = out[side] + delayed * 0.5f;
            out[side] = delayed - out[side];
            if (++pass.pos == pass.line.size())
                pass.pos = 0;
        }
    }
    outLeft = out[0];
    outRight = out[1];
}

void Stereo::Mix(const std::vector<float>& mono, size_t start, float gain, float pan) {
    pan = std::max(-1.0f, std::min(1.0f, pan));
    const float angle = static_cast<float>((pan + 1.0) * kPi / 4.0);
    const float gainLeft = gain * std::cos(angle) * static_cast<float>(std::sqrt(2.0));
    const float gainRight = gain * std::sin(angle) * static_cast<float>(std::sqrt(2.0));
    const size_t count = std::min(mono.size(), start < Frames() ? Frames() - start : 0);
    for (size_t i = 0; i < count; ++i) {
        left[start + i] += mono[i] * gainLeft;
        right[start + i] += mono[i] * gainRight;
    }
}

float Peak(const std::vector<float>& a, const std::vector<float>* b) {
    float peak = 0.0f;
    for (float v : a)
        peak = std::max(peak, std::fabs(v));
    if (b)
        for (float v : *b)
            peak = std::max(peak, std::fabs(v));
    return peak;
}

void NormaliseTo(float peakDb, std::vector<float>& a, std::vector<float>* b) {
    const float peak = Peak(a, b);
    if (peak <= 0.0f)
        return;
    const float gain = DecibelsToGain(peakDb) / peak;
    for (float& v : a)
        v *= gain;
    if (b)
        for (float& v : *b)
            v *= gain;
}

void FadeEdges(std::vector<float>& samples, float fadeInSeconds, float fadeOutSeconds) {
    const size_t n = samples.size();
    const size_t in = std::min(n, static_cast<size_t>(fadeInSeconds * kSampleRate));
    const size_t out = std::min(n, static_cast<size_t>(fadeOutSeconds * kSampleRate));
    for (size_t i = 0; i < in; ++i)
        samples[i] *= 0.5f - 0.5f * std::cos(static_cast<float>(kPi) * i / in);
    for (size_t i = 0; i < out; ++i)
        samples[n - 1 - i] *= 0.5f - 0.5f * std::cos(static_cast<float>(kPi) * i / out);
}
