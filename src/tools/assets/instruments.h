#pragma once
// The music's instruments: each renders one note as a mono signal, tail included. Tuned for soft,
// rounded tones that stay pleasant over long listening.

#include <cstdint>
#include <vector>

enum class Instrument {
    WarmPad, // slow, soft chord bed
    DarkPad, // duller and slower still, for the tense music
    Strings, // bowed section with vibrato
    Bass,    // plucked bass
    Harp,    // bright pluck for arpeggios
    EPiano,  // electric piano (FM)
    Mallet,  // marimba-like wooden bar
    Glock,   // glockenspiel-like metal bar
    Flute,   // soft breathy lead
    Brass,   // FM brass, brightening as it swells
    Kick,    // soft bass drum
    Clap,    // light hand clap
    Shaker,  // short filtered noise tick
    Timpani, // tuned drum
    Crash,   // cymbal
    Swell,   // cymbal that rises over the note's length into the next downbeat
};

// `hz` is ignored by untuned drums; `seconds` is the held length before the release; `velocity`
// 0..1 sets both loudness and brightness. Deterministic for a given seed.
std::vector<float> RenderNote(Instrument instrument, float hz, float seconds, float velocity,
                              uint32_t seed);
