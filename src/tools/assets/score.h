#pragma once
// A piece of looping music written as text: a chord progression, melodies in note names, and
// accompaniment patterns that follow the chords. Rendering folds everything that rings past the
// end back onto the start (reverb included), so the last sample leads straight into the first.

#include "tools/assets/instruments.h"
#include "tools/assets/synth.h"

#include <deque>
#include <string>
#include <vector>

struct Chord {
    int root = 0; // pitch class, C = 0
    int bass = 0; // pitch class of the lowest note (differs from root for slash chords)
    std::vector<int> intervals;
};

struct ScoreNote {
    double beat = 0, beats = 1;
    float pitch = 60; // MIDI number
    float velocity = 0.7f;
    float pan = 0;
};

struct ScorePart {
    Instrument instrument;
    float gain;       // linear
    float reverbSend; // share of the note sent to the room
    std::vector<ScoreNote> notes;
};

class Score {
public:
    Score(float bpm, int beatsPerBar, int bars);

    double Seconds() const { return TotalBeats() * 60.0 / bpm_; }
    double TotalBeats() const { return static_cast<double>(bars_) * beatsPerBar_; }
    // First beat of a bar counted from 1.
    double BarStart(int bar) const { return static_cast<double>(bar - 1) * beatsPerBar_; }

    ScorePart& AddPart(Instrument instrument, float gainDb, float reverbSend);

    // "D | A/C# | Bm | Asus4 A": one entry per bar, the chords of a bar sharing it equally.
    void Progression(const std::string& text);
    const Chord& ChordAt(double beat) const;

    // Note names with lengths in beats, bars separated by '|': "A4/1 D5/1 F#5/1.5 E5/.5 | r/4".
    // A trailing '>' accents a note, '~' softens it.
    void Melody(ScorePart& part, int firstBar, const std::string& text, float velocity,
                float pan = 0.0f);
    // In every bar from first to last, hits "offset:length" of the chord sounding at each hit,
    // voiced upward from `low`; the voices fan out across the stereo field by `spread`.
    void Comp(ScorePart& part, int firstBar, int lastBar, const std::string& hits, int low,
              int voices, float velocity, float spread = 0.4f);
    // Each chord from first to last bar held for as long as it lasts, voiced upward from `low`,
    // running `overlap` beats into the next so that slow-starting sounds hand over smoothly.
    void Sustain(ScorePart& part, int firstBar, int lastBar, int low, int voices, float velocity,
                 float spread = 0.4f, double overlap = 0.3);
    // Notes every `step` beats walking `order` (indices into the chord voiced upward from `low`).
    void Arpeggio(ScorePart& part, int firstBar, int lastBar, double step,
                  const std::vector<int>& order, int low, float velocity, float pan = 0.0f);
    // "offset:length:degree" hits; degree R is the chord's bass note (lowest at or above `low`),
    // 5 the fifth above it, 8 its octave.
    void BassLine(ScorePart& part, int firstBar, int lastBar, const std::string& pattern, int low,
                  float velocity);
    // One character per step of the bar: 'X' accent, 'x' normal, 'o' soft, anything else rest.
    void Drums(ScorePart& part, int firstBar, int lastBar, const std::string& grid, float pitch,
               float velocity, float pan = 0.0f);
    void Hit(ScorePart& part, double beat, double beats, float pitch, float velocity,
             float pan = 0.0f);

    // Mistakes in the written music (unknown chord or note, a bar that does not add up), one line
    // each; a piece with any is not rendered.
    const std::vector<std::string>& Problems() const { return problems_; }

    // Returns exactly Seconds() of audio; `seed` fixes the small timing and loudness variations.
    Stereo Render(float roomSize, float damping, float wet, uint32_t seed) const;

private:
    float bpm_;
    int beatsPerBar_, bars_;
    std::deque<ScorePart> parts_; // a deque so parts handed out stay where they are
    struct TimedChord {
        double beat;
        Chord chord;
    };
    std::vector<TimedChord> chords_;
    std::vector<std::string> problems_;

    std::vector<int> Voicing(const Chord& chord, int low, int count) const;
};

// Parses "C", "F#m7", "Bbmaj7/D"...; false for anything else.
bool ParseChord(const std::string& text, Chord& chord);
// Parses "C4", "F#5", "Bb3" into a MIDI number (C4 = 60); false for anything else.
bool ParseNoteName(const std::string& text, int& midi);
