#include "tools/assets/instruments.h"

#include "tools/assets/synth.h"

#include <algorithm>
#include <cmath>

namespace {

// Highest partial we let through: well under Nyquist so nothing aliases or sounds glassy.
constexpr float kTopPartial = 15000.0f;

size_t Samples(float seconds) {
    return static_cast<size_t>(std::max(0.0f, seconds) * kSampleRate);
}

// Adds amplitude * exp(-decay * t) * sin(2 pi hz t) by turning a shrinking phasor, which is far
// cheaper than evaluating the sine and the exponential at every sample.
void AddDampedSine(std::vector<float>& out, double hz, double amplitude, double decayPerSecond) {
    const double w = 2.0 * kPi * hz / kSampleRate;
    const double shrink = std::exp(-decayPerSecond / kSampleRate);
    const double c = std::cos(w) * shrink, s = std::sin(w) * shrink;
    double re = amplitude, im = 0.0;
    for (float& sample : out) {
        sample += static_cast<float>(im);
        const double next = re * c - im * s;
        im = re * s + im * c;
        re = next;
    }
}

// Sustained tones: a few detuned copies of one band-limited single-cycle wave, softened by a
// gentle two-pole low-pass and shaped by the envelope.
struct PadVoice {
    int harmonics;
    float rolloff; // partial n has amplitude 1 / n^rolloff
    Envelope envelope;
    float cutoff;
    int copies;
    float detuneCents;
    float vibratoDepth; // fraction of the pitch
};

std::vector<float> Pad(const PadVoice& voice, float hz, float seconds, float velocity, Noise& rng) {
    constexpr int kTable = 2048;
    const int harmonics =
        std::max(1, std::min(voice.harmonics, static_cast<int>(kTopPartial / hz)));
    std::vector<float> table(kTable + 1, 0.0f);
    for (int n = 1; n <= harmonics; ++n) {
        const float amplitude = 1.0f / std::pow(static_cast<float>(n), voice.rolloff);
        for (int i = 0; i <= kTable; ++i)
            table[i] += amplitude * Sine(static_cast<double>(n) * i / kTable);
    }
    const float tablePeak = Peak(table);
    for (float& v : table)
        v /= tablePeak;

    const size_t count = Samples(voice.envelope.End(seconds));
    std::vector<float> out(count, 0.0f);
    for (int copy = 0; copy < voice.copies; ++copy) {
        const float spread = voice.copies == 1 ? 0.0f : (2.0f * copy / (voice.copies - 1) - 1.0f);
        const double frequency = hz * std::pow(2.0, spread * voice.detuneCents / 1200.0);
        // The outer copies a little softer, so their slow beating moves the sound without
        // hollowing it out.
        const float weight = std::fabs(spread) > 0.5f ? 0.7f : 1.0f;
        const double vibratoRate = 4.8 + 0.6 * rng.Uniform();
        const double vibratoPhase = rng.Uniform();
        // A 32-bit phase wraps by itself; its top bits index the table, the rest interpolate.
        constexpr int kFractionBits = 32 - 11;
        static_assert(kTable == 1 << 11, "the phase split assumes a 2048-entry table");
        constexpr double kCycle = 4294967296.0;
        uint32_t phase = static_cast<uint32_t>(rng.Uniform() * kCycle);
        const uint32_t steady = static_cast<uint32_t>(frequency / kSampleRate * kCycle);
        for (size_t i = 0; i < count; ++i) {
            uint32_t step = steady;
            if (voice.vibratoDepth > 0.0f) {
                const double t = static_cast<double>(i) / kSampleRate;
                const double fadeIn = std::min(1.0, t / 0.6);
                step = static_cast<uint32_t>(
                    steady *
                    (1.0 + voice.vibratoDepth * fadeIn * Sine(vibratoRate * t + vibratoPhase)));
            }
            phase += step;
            const uint32_t index = phase >> kFractionBits;
            const float fraction = static_cast<float>(phase & ((1u << kFractionBits) - 1)) *
                                   (1.0f / (1u << kFractionBits));
            out[i] += weight * (table[index] + (table[index + 1] - table[index]) * fraction);
        }
    }
    OnePoleLowPass first(voice.cutoff * (0.6f + 0.4f * velocity)), second(voice.cutoff * 1.5f);
    const float gain = velocity / std::sqrt(static_cast<float>(voice.copies));
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        out[i] = second.Process(first.Process(out[i])) * gain * voice.envelope.At(t, seconds);
    }
    return out;
}

// Plucked and struck strings: harmonic partials, each dying faster the higher it is, with a
// touch of stiffness so the upper partials sit slightly sharp as on a real string.
std::vector<float> Pluck(float hz, float seconds, float velocity, int partials, float rolloff,
                         float baseDecay, float decayGrowth, float stiffness, float release) {
    const float ring = 6.9f / baseDecay; // the fundamental is 60 dB down by then
    const float held = std::min(seconds, ring);
    Envelope gate;
    gate.attack = 0.003f;
    gate.decay = 1.0f;
    gate.sustain = 1.0f;
    gate.release = release;
    const size_t count = Samples(gate.End(held));
    std::vector<float> out(count, 0.0f);
    const float brightness = 0.5f + 0.5f * velocity;
    for (int n = 1; n <= partials; ++n) {
        const float frequency = n * hz * std::sqrt(1.0f + stiffness * n * n);
        if (frequency > kTopPartial)
            break;
        const float amplitude = std::pow(brightness, static_cast<float>(n - 1)) /
                                std::pow(static_cast<float>(n), rolloff);
        const float decay = baseDecay + decayGrowth * std::pow(static_cast<float>(n - 1), 1.3f);
        AddDampedSine(out, frequency, amplitude, decay);
    }
    for (size_t i = 0; i < count; ++i)
        out[i] *= velocity * gate.At(static_cast<float>(i) / kSampleRate, held);
    return out;
}

// Struck bars and bells: fixed modes with their own amplitudes and decay times.
struct Mode {
    float ratio, amplitude, decaySeconds;
};

std::vector<float> Struck(float hz, float seconds, float velocity, const Mode* modes, int modeCount,
                          float release) {
    float longest = 0.0f;
    for (int m = 0; m < modeCount; ++m)
        longest = std::max(longest, modes[m].decaySeconds);
    const float held = std::min(seconds, longest * 6.9f);
    Envelope gate;
    gate.attack = 0.002f;
    gate.decay = 1.0f;
    gate.sustain = 1.0f;
    gate.release = release;
    const size_t count = Samples(gate.End(held));
    std::vector<float> out(count, 0.0f);
    for (int m = 0; m < modeCount; ++m) {
        const float frequency = hz * modes[m].ratio;
        if (frequency > kTopPartial)
            continue;
        // Soft strokes excite the upper modes less.
        const float amplitude = modes[m].amplitude * (m == 0 ? 1.0f : 0.4f + 0.6f * velocity);
        AddDampedSine(out, frequency, amplitude, 1.0 / modes[m].decaySeconds);
    }
    for (size_t i = 0; i < count; ++i)
        out[i] *= velocity * gate.At(static_cast<float>(i) / kSampleRate, held);
    return out;
}

std::vector<float> EPiano(float hz, float seconds, float velocity) {
    Envelope envelope;
    envelope.attack = 0.004f;
    envelope.decay = 1.6f;
    envelope.sustain = 0.0f;
    envelope.release = 0.35f;
    const size_t count = Samples(envelope.End(seconds));
    std::vector<float> out(count);
    const bool tine = hz * 7.0f < kTopPartial;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double index = 1.3 * velocity * std::exp(-t / 0.5) + 0.12;
        double y = Sine(hz * t + index / (2.0 * kPi) * Sine(hz * t));
        if (tine)
            y += 0.06 * velocity * std::exp(-t / 0.04) * Sine(7.0 * hz * t);
        out[i] = static_cast<float>(y) * velocity * envelope.At(static_cast<float>(t), seconds);
    }
    return out;
}

std::vector<float> Flute(float hz, float seconds, float velocity, Noise& rng) {
    Envelope envelope;
    envelope.attack = 0.08f;
    envelope.decay = 0.5f;
    envelope.sustain = 0.85f;
    envelope.release = 0.22f;
    const size_t count = Samples(envelope.End(seconds));
    std::vector<float> out(count);
    Biquad breath = Biquad::BandPass(hz * 2.0f, 1.5f);
    const double vibratoRate = 4.9 + 0.4 * rng.Uniform();
    double phase = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double vibrato =
            0.0035 * std::min(1.0, std::max(0.0, (t - 0.25) / 0.5)) * Sine(vibratoRate * t);
        phase += hz * (1.0 + vibrato) / kSampleRate;
        const float tone =
            Sine(phase) + 0.16f * Sine(2.0 * phase + 0.1) + 0.05f * Sine(3.0 * phase);
        const float air = breath.Process(rng.White()) * (0.05f + 0.25f * std::exp(-t / 0.06));
        out[i] = (tone + air) * velocity * envelope.At(static_cast<float>(t), seconds);
    }
    return out;
}

std::vector<float> Brass(float hz, float seconds, float velocity, Noise& rng) {
    Envelope amplitude;
    amplitude.attack = 0.05f;
    amplitude.decay = 0.35f;
    amplitude.sustain = 0.78f;
    amplitude.release = 0.16f;
    Envelope brightness = amplitude;
    brightness.attack = 0.07f;
    brightness.sustain = 0.6f;
    const size_t count = Samples(amplitude.End(seconds));
    std::vector<float> out(count, 0.0f);
    for (int copy = 0; copy < 2; ++copy) {
        const double detune = copy == 0 ? 0.9977 : 1.0023;
        double phase = rng.Uniform();
        for (size_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            // Players scoop up into the note.
            const double scoop = 1.0 - 0.012 * std::exp(-t / 0.03);
            phase += hz * detune * scoop / kSampleRate;
            const double index =
                0.5 + 2.2 * velocity * brightness.At(static_cast<float>(t), seconds);
            out[i] += static_cast<float>(Sine(phase + index / (2.0 * kPi) * Sine(phase)));
        }
    }
    OnePoleLowPass first(std::min(hz * 7.0f, 4500.0f)), second(std::min(hz * 10.0f, 7000.0f));
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        out[i] = second.Process(first.Process(out[i])) * 0.5f * velocity * amplitude.At(t, seconds);
    }
    return out;
}

std::vector<float> Kick(float velocity) {
    const size_t count = Samples(0.45f);
    std::vector<float> out(count);
    double phase = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        phase += (46.0 + 70.0 * std::exp(-t / 0.03)) / kSampleRate;
        const double body = Sine(phase) * std::exp(-t / 0.16);
        out[i] = static_cast<float>(std::tanh(1.3 * body) / std::tanh(1.3)) * velocity;
    }
    FadeEdges(out, 0.0015f, 0.05f);
    return out;
}

std::vector<float> Clap(float velocity, Noise& rng) {
    const size_t count = Samples(0.3f);
    std::vector<float> out(count);
    Biquad band = Biquad::BandPass(1300.0f, 1.1f);
    Biquad air = Biquad::HighPass(900.0f, 0.7f);
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        // A few hands a few milliseconds apart, then the room.
        float level = 0.0f;
        for (int hand = 0; hand < 3; ++hand) {
            const float since = t - hand * 0.009f;
            if (since >= 0.0f)
                level = std::max(level, std::exp(-since / 0.006f));
        }
        if (t > 0.018f)
            level = std::max(level, 0.55f * std::exp(-(t - 0.018f) / 0.07f));
        out[i] = air.Process(band.Process(rng.White())) * level * velocity * 2.2f;
    }
    FadeEdges(out, 0.001f, 0.03f);
    return out;
}

std::vector<float> Shaker(float velocity, Noise& rng) {
    const size_t count = Samples(0.14f);
    std::vector<float> out(count);
    Biquad high = Biquad::HighPass(5200.0f, 0.7f);
    Biquad soft = Biquad::LowPass(11000.0f, 0.7f);
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float level = std::min(1.0f, t / 0.008f) * std::exp(-t / 0.035f);
        out[i] = soft.Process(high.Process(rng.White())) * level * velocity;
    }
    FadeEdges(out, 0.0f, 0.02f);
    return out;
}

std::vector<float> Timpani(float hz, float velocity, Noise& rng) {
    static const Mode modes[] = {{1.0f, 1.0f, 0.9f},
                                 {1.504f, 0.5f, 0.6f},
                                 {1.742f, 0.3f, 0.45f},
                                 {2.0f, 0.22f, 0.4f},
                                 {2.245f, 0.12f, 0.3f}};
    std::vector<float> out = Struck(hz, 3.0f, velocity, modes, 5, 0.3f);
    OnePoleLowPass felt(700.0f);
    for (size_t i = 0; i < out.size() && i < Samples(0.03f); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        out[i] += felt.Process(rng.White()) * 0.8f * velocity * std::exp(-t / 0.008f);
    }
    FadeEdges(out, 0.001f, 0.05f);
    return out;
}

// Cymbal wash: dense high noise with a slowly closing top end. A swell rises over `seconds`
// (ending on the next beat) and stops quickly; a crash starts loud and rings out.
std::vector<float> Cymbal(bool swell, float seconds, float velocity, Noise& rng) {
    const float length = swell ? seconds + 0.08f : 2.4f;
    const size_t count = Samples(length);
    std::vector<float> out(count);
    Biquad high = Biquad::HighPass(3200.0f, 0.6f);
    Biquad shimmer = Biquad::BandPass(7500.0f, 0.8f);
    OnePoleLowPass top(12000.0f);
    for (size_t i = 0; i < count; ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        float level;
        if (swell)
            level = t < seconds ? std::pow(t / seconds, 2.5f) : std::exp(-(t - seconds) / 0.02f);
        else
            level = std::min(1.0f, t / 0.002f) * std::exp(-t / 0.55f);
        if (i % 64 == 0)
            top.SetCutoff(swell ? 12000.0f : 4000.0f + 8000.0f * std::exp(-t / 0.4f));
        const float noise = high.Process(rng.White());
        out[i] = top.Process(noise * 0.6f + shimmer.Process(noise) * 0.8f) * level * velocity;
    }
    FadeEdges(out, 0.0f, swell ? 0.02f : 0.3f);
    return out;
}

// Noise-based drums vary a lot in level with their filtering; pinning the peak to the velocity
// keeps a part's gain meaning the same for all of them.
std::vector<float> PeakAt(std::vector<float> sound, float velocity) {
    const float peak = Peak(sound);
    if (peak > 0.0f)
        for (float& v : sound)
            v *= velocity / peak;
    return sound;
}

} // namespace

std::vector<float> RenderNote(Instrument instrument, float hz, float seconds, float velocity,
                              uint32_t seed) {
    Noise rng(seed);
    switch (instrument) {
    case Instrument::WarmPad:
        return Pad({9, 1.5f, {0.5f, 1.6f, 0.8f, 1.6f}, 2600.0f, 3, 5.0f, 0.0f}, hz, seconds,
                   velocity, rng);
    case Instrument::DarkPad:
        return Pad({6, 2.1f, {0.8f, 2.0f, 0.85f, 2.2f}, 1100.0f, 3, 5.0f, 0.0f}, hz, seconds,
                   velocity, rng);
    case Instrument::Strings:
        return Pad({16, 1.0f, {0.35f, 1.0f, 0.85f, 0.7f}, 3200.0f, 3, 9.0f, 0.0028f}, hz, seconds,
                   velocity, rng);
    case Instrument::Bass:
        return Pluck(hz, seconds, velocity, 10, 1.1f, 1.1f, 2.2f, 0.00002f, 0.12f);
    case Instrument::Harp:
        return Pluck(hz, seconds, velocity, 14, 1.0f, 1.4f, 1.6f, 0.00008f, 0.4f);
    case Instrument::EPiano:
        return EPiano(hz, seconds, velocity);
    case Instrument::Mallet: {
        static const Mode modes[] = {
            {1.0f, 1.0f, 0.55f}, {3.93f, 0.3f, 0.09f}, {9.2f, 0.08f, 0.03f}};
        return Struck(hz, seconds, velocity, modes, 3, 0.15f);
    }
    case Instrument::Glock: {
        static const Mode modes[] = {{1.0f, 1.0f, 1.3f},
                                     {2.76f, 0.35f, 0.45f},
                                     {5.40f, 0.18f, 0.18f},
                                     {8.93f, 0.08f, 0.07f}};
        return Struck(hz, seconds, velocity, modes, 4, 0.4f);
    }
    case Instrument::Flute:
        return Flute(hz, seconds, velocity, rng);
    case Instrument::Brass:
        return Brass(hz, seconds, velocity, rng);
    case Instrument::Kick:
        return Kick(velocity);
    case Instrument::Clap:
        return PeakAt(Clap(1.0f, rng), velocity);
    case Instrument::Shaker:
        return PeakAt(Shaker(1.0f, rng), velocity);
    case Instrument::Timpani:
        return Timpani(hz, velocity, rng);
    case Instrument::Crash:
        return PeakAt(Cymbal(false, seconds, 1.0f, rng), velocity);
    case Instrument::Swell:
        return PeakAt(Cymbal(true, seconds, 1.0f, rng), velocity);
    }
    return {};
}
