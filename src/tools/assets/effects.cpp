#include "tools/assets/effects.h"

#include <algorithm>
#include <cmath>

namespace {

size_t At(float seconds) {
    return static_cast<size_t>(std::max(0.0f, seconds) * kSampleRate);
}

void AddInto(std::vector<float>& out, const std::vector<float>& sound, size_t start, float gain) {
    for (size_t i = 0; i < sound.size() && start + i < out.size(); ++i)
        out[start + i] += sound[i] * gain;
}

// ---- Clicks -------------------------------------------------------------------------------

struct Partial {
    float hz, amplitude, decaySeconds;
};

// A small hard object tapped: a handful of quickly dying partials and a breath of noise.
std::vector<float> Tap(float seconds, const std::vector<Partial>& partials, float noiseHz,
                       float noiseLevel, float noiseDecay, uint32_t seed) {
    std::vector<float> out(At(seconds), 0.0f);
    for (const Partial& p : partials)
        for (size_t i = 0; i < out.size(); ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            out[i] +=
                p.amplitude * std::exp(-static_cast<float>(t) / p.decaySeconds) * Sine(p.hz * t);
        }
    Noise rng(seed);
    Biquad band = Biquad::BandPass(noiseHz, 1.2f);
    for (size_t i = 0; i < out.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        out[i] += band.Process(rng.White()) * noiseLevel * std::exp(-t / noiseDecay);
    }
    FadeEdges(out, 0.0006f, seconds * 0.3f);
    return out;
}

// ---- Crowds -------------------------------------------------------------------------------

struct Vowel {
    float f1, f2, f3;
};
constexpr Vowel kAh{780, 1200, 2500}, kEh{560, 1800, 2550}, kOh{520, 880, 2400},
    kOo{330, 800, 2300}, kAy{640, 1650, 2600};

// One person's shout: a band-limited buzz at a wandering pitch, plus breath, through three
// vocal-tract resonances. `rise` bends the pitch up and back over the shout; `fall` lets it sag.
void AddVoice(Stereo& out, Noise& rng, float start, float length, float pitch, float rise,
              float fall, Vowel vowel, float loudness, float pan, float breath) {
    std::vector<float> voice(At(length));
    Biquad formants[3] = {Biquad::BandPass(vowel.f1 * rng.Range(0.92f, 1.08f), 5.0f),
                          Biquad::BandPass(vowel.f2 * rng.Range(0.92f, 1.08f), 7.0f),
                          Biquad::BandPass(vowel.f3 * rng.Range(0.94f, 1.06f), 9.0f)};
    OnePoleLowPass tilt(900.0f);
    OnePoleLowPass wander(3.0f);
    const float attack = rng.Range(0.04f, 0.12f);
    const float releaseShare = rng.Range(0.25f, 0.45f);
    const double vibratoRate = rng.Range(4.5f, 6.5f);
    double phase = rng.Uniform();
    for (size_t i = 0; i < voice.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float x = t / length;
        const float drift = wander.Process(rng.White()) * 0.25f;
        const float hz = pitch * (1.0f + rise * std::sin(static_cast<float>(kPi) * x)) *
                         (1.0f - fall * x) * (1.0f + 0.012f * Sine(vibratoRate * t) + drift);
        const double step = hz / kSampleRate;
        phase += step;
        if (phase >= 1.0)
            phase -= 1.0;
        // Sawtooth with a polynomial correction at the wrap, so the buzz does not alias.
        double saw = 2.0 * phase - 1.0;
        if (phase < step) {
            const double u = phase / step;
            saw -= u + u - u * u - 1.0;
        } else if (phase > 1.0 - step) {
            const double u = (phase - 1.0) / step;
            saw -= u * u + u + u + 1.0;
        }
        const float source = tilt.Process(static_cast<float>(saw)) + breath * rng.White();
        const float shaped = formants[0].Process(source) + 0.6f * formants[1].Process(source) +
                             0.3f * formants[2].Process(source);
        const float release = (1.0f - x) / releaseShare;
        const float envelope = std::min(1.0f, t / attack) * std::min(1.0f, release);
        voice[i] = shaped * envelope * envelope;
    }
    out.Mix(voice, At(start), loudness, pan);
}

// One clap: a few milliseconds of noise coloured by the shape of the hands.
void AddClap(Stereo& out, Noise& rng, float when, float centreHz, float loudness, float pan) {
    std::vector<float> clap(At(0.05f));
    Biquad band = Biquad::BandPass(centreHz, rng.Range(1.4f, 2.4f));
    const float decay = rng.Range(0.004f, 0.009f);
    for (size_t i = 0; i < clap.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        clap[i] = band.Process(rng.White()) * std::min(1.0f, t / 0.0004f) * std::exp(-t / decay);
    }
    out.Mix(clap, At(when), loudness, pan);
}

// Clapping from `clappers` people, each at their own steady pace with a little unevenness.
void AddApplause(Stereo& out, Noise& rng, int clappers, float from, float to, float loudness) {
    for (int c = 0; c < clappers; ++c) {
        const float period = rng.Range(0.2f, 0.33f);
        const float centre = rng.Range(900.0f, 2400.0f);
        const float distance = rng.Range(0.3f, 1.0f);
        const float pan = rng.Range(-0.8f, 0.8f);
        for (float t = from + rng.Range(0.0f, period); t < to; t += period) {
            const float when = t + rng.Range(-0.012f, 0.012f);
            AddClap(out, rng, when, centre, loudness * distance * rng.Range(0.6f, 1.0f), pan);
        }
    }
}

// The murmur underneath every crowd: broad, slowly breathing noise in the voice range.
void AddHubbub(Stereo& out, Noise& rng, float loudness, float lowHz, float highHz) {
    for (int side = 0; side < 2; ++side) {
        std::vector<float>& channel = side == 0 ? out.left : out.right;
        Biquad low = Biquad::HighPass(lowHz, 0.7f), high = Biquad::LowPass(highHz, 0.7f);
        OnePoleLowPass swell(2.0f);
        for (size_t i = 0; i < channel.size(); ++i) {
            const float motion = 1.0f + 6.0f * swell.Process(rng.White());
            channel[i] += high.Process(low.Process(rng.White())) * loudness * motion;
        }
    }
}

void AddWhistle(Stereo& out, Noise& rng, float start, float length, float loudness, float pan) {
    std::vector<float> whistle(At(length));
    const float base = rng.Range(1900.0f, 2600.0f);
    double phase = 0.0;
    for (size_t i = 0; i < whistle.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float x = t / length;
        const float hz = base * (1.0f + 0.25f * std::sin(static_cast<float>(kPi) * x) - 0.1f * x) *
                         (1.0f + 0.01f * Sine(6.0 * t));
        phase += hz / kSampleRate;
        const float envelope = std::min(1.0f, t / 0.03f) * std::min(1.0f, (1.0f - x) * 6.0f);
        whistle[i] = (Sine(phase) + 0.05f * rng.White()) * envelope;
    }
    out.Mix(whistle, At(start), loudness, pan);
}

// A short shared room so the crowd sounds like one place rather than a pile of recordings.
void AddRoom(Stereo& out, float wet) {
    Reverb room(0.45f, 0.6f);
    for (size_t i = 0; i < out.Frames(); ++i) {
        float l, r;
        room.Process(out.left[i], out.right[i], l, r);
        out.left[i] += wet * l;
        out.right[i] += wet * r;
    }
}

void FinishStereo(Stereo& out, float fadeIn, float fadeOut) {
    FadeEdges(out.left, fadeIn, fadeOut);
    FadeEdges(out.right, fadeIn, fadeOut);
}

Stereo CrowdCheer() {
    Noise rng(1101);
    Stereo out(At(2.0f));
    static const Vowel vowels[] = {kAh, kEh, kOh, kAy};
    for (int v = 0; v < 70; ++v) {
        const bool high = rng.Uniform() < 0.45f;
        const float pitch = high ? rng.Range(280.0f, 460.0f) : rng.Range(150.0f, 260.0f);
        const float start = 0.45f * rng.Uniform() * rng.Uniform() + (v % 5 == 0 ? 0.6f : 0.0f);
        const float length = rng.Range(0.5f, 1.4f);
        AddVoice(out, rng, start, length, pitch, rng.Range(0.08f, 0.3f), rng.Range(0.0f, 0.2f),
                 vowels[rng.NextInt() % 4], rng.Range(0.4f, 1.0f), rng.Range(-0.9f, 0.9f), 0.15f);
    }
    AddHubbub(out, rng, 0.05f, 300.0f, 2400.0f);
    AddApplause(out, rng, 25, 0.15f, 2.0f, 0.35f);
    AddWhistle(out, rng, 0.35f, 0.6f, 0.06f, 0.5f);
    AddWhistle(out, rng, 1.0f, 0.5f, 0.05f, -0.6f);
    AddRoom(out, 0.5f);
    FinishStereo(out, 0.02f, 0.5f);
    return out;
}

Stereo CrowdClap() {
    Noise rng(2202);
    Stereo out(At(2.0f));
    AddApplause(out, rng, 45, 0.0f, 2.0f, 1.0f);
    for (int v = 0; v < 8; ++v) // a few pleased voices under the clapping
        AddVoice(out, rng, rng.Range(0.1f, 1.0f), rng.Range(0.4f, 0.8f), rng.Range(160, 380), 0.15f,
                 0.1f, v % 2 ? kEh : kOh, 0.25f, rng.Range(-0.7f, 0.7f), 0.2f);
    AddHubbub(out, rng, 0.02f, 300.0f, 2000.0f);
    AddRoom(out, 0.45f);
    // Applause swells in and thins out towards the end.
    for (size_t i = 0; i < out.Frames(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float shape =
            std::min(1.0f, t / 0.15f) * (t > 1.2f ? 1.0f - 0.6f * (t - 1.2f) / 0.8f : 1.0f);
        out.left[i] *= shape;
        out.right[i] *= shape;
    }
    FinishStereo(out, 0.01f, 0.35f);
    return out;
}

Stereo CrowdAngry() {
    Noise rng(3303);
    Stereo out(At(2.0f));
    for (int v = 0; v < 50; ++v) { // the long, sagging boo
        const float start = rng.Range(0.0f, 0.5f);
        AddVoice(out, rng, start, rng.Range(0.9f, 1.6f), rng.Range(95.0f, 175.0f), 0.04f,
                 rng.Range(0.08f, 0.2f), kOo, rng.Range(0.5f, 1.0f), rng.Range(-0.9f, 0.9f), 0.1f);
    }
    for (int v = 0; v < 12; ++v) // and a few sharper shouts over it
        AddVoice(out, rng, rng.Range(0.2f, 1.4f), rng.Range(0.25f, 0.5f), rng.Range(150.0f, 240.0f),
                 0.12f, 0.25f, v % 2 ? kAh : kEh, rng.Range(0.3f, 0.6f), rng.Range(-0.8f, 0.8f),
                 0.2f);
    AddHubbub(out, rng, 0.05f, 150.0f, 900.0f);
    AddRoom(out, 0.4f);
    FinishStereo(out, 0.04f, 0.5f);
    return out;
}

// ---- Fireworks ----------------------------------------------------------------------------

// Rocket going up: noise through a band that sweeps upward as it climbs.
void AddWhoosh(std::vector<float>& out, Noise& rng, float start, float length, float loudness) {
    std::vector<float> whoosh(At(length));
    Biquad band = Biquad::BandPass(400.0f, 1.6f);
    for (size_t i = 0; i < whoosh.size(); ++i) {
        const float x = static_cast<float>(i) / whoosh.size();
        if (i % 32 == 0)
            band.SetBandPass(400.0f * std::pow(7.0f, x), 1.6f);
        whoosh[i] =
            band.Process(rng.White()) * std::pow(x, 1.4f) * std::min(1.0f, (1.0f - x) * 12.0f);
    }
    AddInto(out, whoosh, At(start), loudness);
}

// A whistling rocket: a breathy rising tone.
void AddRisingWhistle(std::vector<float>& out, Noise& rng, float start, float length,
                      float loudness) {
    std::vector<float> whistle(At(length));
    Biquad air = Biquad::BandPass(1500.0f, 3.0f);
    double phase = 0.0;
    for (size_t i = 0; i < whistle.size(); ++i) {
        const float t = static_cast<float>(i) / kSampleRate;
        const float x = t / length;
        const float hz = 1000.0f * std::pow(2.3f, x) * (1.0f + 0.015f * Sine(23.0 * t));
        phase += hz / kSampleRate;
        if (i % 32 == 0)
            air.SetBandPass(hz, 3.0f);
        const float envelope = std::min(1.0f, x * 4.0f) * std::min(1.0f, (1.0f - x) * 15.0f);
        whistle[i] = (0.7f * Sine(phase) + 1.5f * air.Process(rng.White())) * envelope;
    }
    AddInto(out, whistle, At(start), loudness);
}

// The burst: a low thump, the crack of the charge and a rumble, with one late echo off the
// surroundings. Far bursts lose their top end.
void AddBang(std::vector<float>& out, Noise& rng, float start, float loudness, float distance) {
    std::vector<float> bang(At(1.2f));
    OnePoleLowPass crackTone(3200.0f * (1.0f - 0.6f * distance));
    OnePoleLowPass rumbleTone(260.0f);
    double phase = 0.0;
    for (size_t i = 0; i < bang.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        phase += (38.0 + 40.0 * std::exp(-t / 0.05)) / kSampleRate;
        const float thump = Sine(phase) * std::exp(-static_cast<float>(t) / 0.22f);
        const float crack =
            crackTone.Process(rng.White()) * std::exp(-static_cast<float>(t) / 0.035f);
        const float rumble =
            rumbleTone.Process(rng.White()) * 3.0f * std::exp(-static_cast<float>(t) / 0.5f);
        bang[i] =
            (0.9f * thump + 1.4f * crack + rumble) * std::min(1.0f, static_cast<float>(t) / 0.001f);
    }
    FadeEdges(bang, 0.0f, 0.3f);
    AddInto(out, bang, At(start), loudness);
    OnePoleLowPass far(1200.0f);
    std::vector<float> echo(bang.size());
    for (size_t i = 0; i < bang.size(); ++i)
        echo[i] = far.Process(bang[i]);
    AddInto(out, echo, At(start + 0.19f + 0.1f * distance), loudness * 0.3f);
}

// Glittering crackle after the burst: many tiny pops, densest at first.
void AddCrackle(std::vector<float>& out, Noise& rng, float start, float length, int pops,
                float loudness) {
    for (int p = 0; p < pops; ++p) {
        const float x = std::pow(rng.Uniform(), 1.6f);
        std::vector<float> pop(At(0.006f));
        Biquad band = Biquad::BandPass(rng.Range(1500.0f, 5500.0f), 1.0f);
        for (size_t i = 0; i < pop.size(); ++i) {
            const float t = static_cast<float>(i) / kSampleRate;
            pop[i] = band.Process(rng.White()) * std::exp(-t / 0.0009f);
        }
        AddInto(out, pop, At(start + x * length),
                loudness * rng.Range(0.15f, 1.0f) * (1.0f - 0.6f * x));
    }
}

std::vector<float> Firework(int variant) {
    Noise rng(4400 + variant);
    std::vector<float> out(At(2.0f), 0.0f);
    switch (variant) {
    case 1:
        AddWhoosh(out, rng, 0.0f, 0.55f, 2.0f);
        AddBang(out, rng, 0.55f, 1.0f, 0.1f);
        AddCrackle(out, rng, 0.7f, 1.0f, 140, 0.8f);
        break;
    case 2:
        AddRisingWhistle(out, rng, 0.0f, 0.6f, 0.35f);
        AddBang(out, rng, 0.62f, 0.9f, 0.3f);
        AddCrackle(out, rng, 0.75f, 0.6f, 60, 0.7f);
        break;
    default:
        AddBang(out, rng, 0.02f, 0.8f, 0.7f);
        AddCrackle(out, rng, 0.15f, 1.6f, 260, 1.1f);
        break;
    }
    // Rounds off the very top so the crackle glitters rather than hisses.
    OnePoleLowPass soft(9000.0f);
    for (float& v : out)
        v = soft.Process(v);
    FadeEdges(out, 0.0f, 0.25f);
    return out;
}

EffectSound Mono(const std::string& fileName, std::vector<float> samples, float peakDb) {
    EffectSound effect{fileName, Stereo(), false, peakDb};
    effect.audio.left = std::move(samples);
    return effect;
}

} // namespace

std::vector<EffectSound> MakeEffects() {
    std::vector<EffectSound> effects;
    // A soft wooden knock with a glassy edge for menus, and a lighter, higher tick for buttons.
    effects.push_back(
        Mono("menuclick.ogg",
             Tap(0.12f, {{1250, 1.0f, 0.022f}, {2890, 0.45f, 0.011f}, {4150, 0.2f, 0.018f}},
                 1800.0f, 0.25f, 0.004f, 11),
             -6.0f));
    effects.push_back(
        Mono("click.ogg",
             Tap(0.07f, {{2250, 1.0f, 0.009f}, {3700, 0.35f, 0.006f}}, 3200.0f, 0.2f, 0.002f, 12),
             -9.0f));
    effects.push_back({"crowd_cheer.ogg", CrowdCheer(), true, -3.0f});
    effects.push_back({"crowd_clap.ogg", CrowdClap(), true, -3.0f});
    effects.push_back({"crowd_angry.ogg", CrowdAngry(), true, -3.0f});
    for (int variant = 1; variant <= 3; ++variant)
        effects.push_back(
            Mono("firework" + std::to_string(variant) + ".ogg", Firework(variant), -3.0f));
    return effects;
}
