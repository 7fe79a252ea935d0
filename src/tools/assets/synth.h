#pragma once
// Building blocks for the generated sounds: a seeded noise source, a sine table, envelopes,
// filters, a stereo reverb and the float buffers everything is mixed in.

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;

// Fixed-seed generator so that every run writes identical files.
class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 0x9E3779B9u) {
        if (state_ == 0)
            state_ = 1;
    }
    uint32_t NextInt() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // 0 .. 1
    float Uniform() { return static_cast<float>(NextInt() >> 8) * (1.0f / 16777216.0f); }
    // -1 .. 1
    float White() { return Uniform() * 2.0f - 1.0f; }
    float Range(float low, float high) { return low + (high - low) * Uniform(); }

private:
    uint32_t state_;
};

// Sine of a phase counted in cycles, from a table; accurate to about -100 dB.
float Sine(double cycles);

float MidiToHz(float note);
float DecibelsToGain(float db);

// Attack, exponential decay towards a sustain level, and a release after the note's length that
// reaches exactly zero after `release` seconds, so a cut-off tail never clicks.
struct Envelope {
    float attack = 0.01f, decay = 0.3f, sustain = 0.7f, release = 0.2f;
    float At(float t, float length) const;
    // Seconds from note-on until the envelope is silent.
    float End(float length) const { return length + release; }
};

// Textbook biquad sections (bilinear transform).
class Biquad {
public:
    static Biquad LowPass(float hz, float q);
    static Biquad HighPass(float hz, float q);
    static Biquad BandPass(float hz, float q); // unity gain at the centre
    float Process(float x) {
        const float y = b0_ * x + z1_;
        z1_ = b1_ * x - a1_ * y + z2_;
        z2_ = b2_ * x - a2_ * y;
        return y;
    }
    // Moves the filter to a new band-pass centre without losing its state (for sweeps).
    void SetBandPass(float hz, float q);

private:
    float b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    float z1_ = 0, z2_ = 0;
};

class OnePoleLowPass {
public:
    explicit OnePoleLowPass(float hz = 20000.0f) { SetCutoff(hz); }
    void SetCutoff(float hz);
    float Process(float x) { return state_ += coefficient_ * (x - state_); }

private:
    float coefficient_ = 1, state_ = 0;
};

// Comb-and-all-pass room in the classic parallel/series arrangement, with slightly different delay
// lengths on the two sides for width.
class Reverb {
public:
    // size 0..1 (decay), damping 0..1 (how quickly the highs die).
    Reverb(float size, float damping);
    void Process(float inLeft, float inRight, float& outLeft, float& outRight);

private:
    struct Comb {
        std::vector<float> line;
        size_t pos = 0;
        float store = 0;
    };
    struct AllPass {
        std::vector<float> line;
        size_t pos = 0;
    };
    Comb combs_[2][8];
    AllPass allPasses_[2][4];
    float feedback_, damping_;
};

// Two channels of float samples at kSampleRate; a mono sound uses only `left`.
struct Stereo {
    std::vector<float> left, right;
    explicit Stereo(size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
    size_t Frames() const { return left.size(); }
    // Mixes a mono signal in at `start` with an equal-power pan (-1 left .. 1 right).
    void Mix(const std::vector<float>& mono, size_t start, float gain, float pan);
};

// Largest absolute sample of the given channels.
float Peak(const std::vector<float>& a, const std::vector<float>* b = nullptr);
// Scales the channels so that the peak sits at `peakDb` dBFS (nothing happens to silence).
void NormaliseTo(float peakDb, std::vector<float>& a, std::vector<float>* b = nullptr);
// Raised-cosine fades in and out so that a one-shot effect starts and ends at zero.
void FadeEdges(std::vector<float>& samples, float fadeInSeconds, float fadeOutSeconds);
