#include "tools/assets/score.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::string piece;
    std::istringstream stream(text);
    while (std::getline(stream, piece, separator))
        pieces.push_back(piece);
    return pieces;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

// Letter and accidental at the front of `text`; the number of characters used, 0 if none.
size_t PitchClass(const std::string& text, int& pitchClass) {
    static const int kLetters[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        return 0;
    pitchClass = kLetters[text[0] - 'A'];
    size_t used = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        pitchClass += text[1] == '#' ? 1 : -1;
        used = 2;
    }
    pitchClass = (pitchClass + 12) % 12;
    return used;
}

bool ParseNumber(const std::string& text, double& value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && value > 0.0;
}

} // namespace

bool ParseChord(const std::string& text, Chord& chord) {
    struct Quality {
        const char* name;
        std::vector<int> intervals;
    };
    static const Quality kQualities[] = {
        {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},
        {"maj7", {0, 4, 7, 11}},  {"m7", {0, 3, 7, 10}},     {"sus2", {0, 2, 7}},
        {"sus4", {0, 5, 7}},      {"add9", {0, 4, 7, 14}},   {"madd9", {0, 3, 7, 14}},
        {"6", {0, 4, 7, 9}},      {"m6", {0, 3, 7, 9}},      {"dim", {0, 3, 6}},
        {"m7b5", {0, 3, 6, 10}},  {"9", {0, 4, 7, 10, 14}},  {"maj9", {0, 4, 7, 11, 14}},
        {"7sus4", {0, 5, 7, 10}}, {"m9", {0, 3, 7, 10, 14}},
    };
    const size_t slash = text.find('/');
    const std::string name = text.substr(0, slash);
    int root = 0;
    const size_t used = PitchClass(name, root);
    if (!used)
        return false;
    const std::string quality = name.substr(used);
    for (const Quality& q : kQualities) {
        if (quality != q.name)
            continue;
        chord.root = root;
        chord.bass = root;
        chord.intervals = q.intervals;
        if (slash == std::string::npos)
            return true;
        const std::string bass = text.substr(slash + 1);
        int bassClass = 0;
        if (PitchClass(bass, bassClass) != bass.size())
            return false;
        chord.bass = bassClass;
        return true;
    }
    return false;
}

bool ParseNoteName(const std::string& text, int& midi) {
    int pitchClass = 0;
    const size_t used = PitchClass(text, pitchClass);
    if (!used || used >= text.size())
        return false;
    char* end = nullptr;
    const long octave = std::strtol(text.c_str() + used, &end, 10);
    if (!end || *end != '\0' || octave < 0 || octave > 8)
        return false;
    // Spelling such as Cb or B# crosses the octave line.
    int letterClass = 0;
    PitchClass(text.substr(0, 1), letterClass);
    int shift = 0;
    if (letterClass == 11 && pitchClass == 0)
        shift = 12;
    if (letterClass == 0 && pitchClass == 11)
        shift = -12;
    midi = static_cast<int>(octave + 1) * 12 + pitchClass + shift;
    return true;
}

Score::Score(float bpm, int beatsPerBar, int bars)
    : bpm_(bpm), beatsPerBar_(beatsPerBar), bars_(bars) {}

ScorePart& Score::AddPart(Instrument instrument, float gainDb, float reverbSend) {
    parts_.push_back({instrument, DecibelsToGain(gainDb), reverbSend, {}});
    return parts_.back();
}

void Score::Progression(const std::string& text) {
    chords_.clear();
    const std::vector<std::string> bars = Split(text, '|');
    if (static_cast<int>(bars.size()) != bars_)
        problems_.push_back("progression has " + std::to_string(bars.size()) + " bars, not " +
                            std::to_string(bars_));
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        const std::vector<std::string> names = Words(bars[bar]);
        if (names.empty())
            problems_.push_back("progression bar " + std::to_string(bar + 1) + " is empty");
        for (size_t i = 0; i < names.size(); ++i) {
            Chord chord;
            if (!ParseChord(names[i], chord)) {
                problems_.push_back("unknown chord " + names[i]);
                continue;
            }
            const double beat =
                bar * beatsPerBar_ + static_cast<double>(i) * beatsPerBar_ / names.size();
            chords_.push_back({beat, chord});
        }
    }
}

const Chord& Score::ChordAt(double beat) const {
    static const Chord kSilence{0, 0, {0, 4, 7}};
    if (chords_.empty())
        return kSilence;
    beat = std::fmod(beat, TotalBeats());
    if (beat < 0)
        beat += TotalBeats();
    const TimedChord* current = &chords_.front();
    for (const TimedChord& timed : chords_)
        if (timed.beat <= beat + 1e-6)
            current = &timed;
    return current->chord;
}

std::vector<int> Score::Voicing(const Chord& chord, int low, int count) const {
    bool present[12] = {};
    for (int interval : chord.intervals)
        present[(chord.root + interval) % 12] = true;
    std::vector<int> pitches;
    for (int pitch = low; static_cast<int>(pitches.size()) < count; ++pitch)
        if (present[pitch % 12])
            pitches.push_back(pitch);
    return pitches;
}

void Score::Melody(ScorePart& part, int firstBar, const std::string& text, float velocity,
                   float pan) {
    const std::vector<std::string> bars = Split(text, '|');
    for (size_t b = 0; b < bars.size(); ++b) {
        const int bar = firstBar + static_cast<int>(b);
        double offset = 0.0;
        for (std::string word : Words(bars[b])) {
            float accent = 1.0f;
            if (!word.empty() && (word.back() == '>' || word.back() == '~')) {
                accent = word.back() == '>' ? 1.2f : 0.75f;
                word.pop_back();
            }
            const size_t slash = word.find('/');
            double beats = 0.0;
            if (slash == std::string::npos || !ParseNumber(word.substr(slash + 1), beats)) {
                problems_.push_back("bar " + std::to_string(bar) + ": bad note " + word);
                continue;
            }
            const std::string name = word.substr(0, slash);
            if (name != "r") {
                int midi = 0;
                if (ParseNoteName(name, midi))
                    Hit(part, BarStart(bar) + offset, beats, static_cast<float>(midi),
                        std::min(1.0f, velocity * accent), pan);
                else
                    problems_.push_back("bar " + std::to_string(bar) + ": bad note " + word);
            }
            offset += beats;
        }
        if (std::fabs(offset - beatsPerBar_) > 0.02)
            problems_.push_back("melody bar " + std::to_string(bar) + " holds " +
                                std::to_string(offset) + " beats");
    }
}

void Score::Comp(ScorePart& part, int firstBar, int lastBar, const std::string& hits, int low,
                 int voices, float velocity, float spread) {
    for (int bar = firstBar; bar <= lastBar; ++bar) {
        for (const std::string& hit : Words(hits)) {
            const std::vector<std::string> fields = Split(hit, ':');
            double offset = 0, beats = 0;
            if (fields.size() != 2 || !ParseNumber(fields[1], beats) ||
                (fields[0] != "0" && !ParseNumber(fields[0], offset))) {
                problems_.push_back("bad hit " + hit);
                continue;
            }
            const double beat = BarStart(bar) + offset;
            const std::vector<int> pitches = Voicing(ChordAt(beat), low, voices);
            for (size_t v = 0; v < pitches.size(); ++v) {
                const float side =
                    pitches.size() > 1 ? (2.0f * v / (pitches.size() - 1) - 1.0f) * spread : 0.0f;
                Hit(part, beat, beats, static_cast<float>(pitches[v]), velocity, side);
            }
        }
    }
}

void Score::Sustain(ScorePart& part, int firstBar, int lastBar, int low, int voices, float velocity,
                    float spread, double overlap) {
    const double from = BarStart(firstBar), to = BarStart(lastBar + 1);
    for (size_t c = 0; c < chords_.size(); ++c) {
        const double start = chords_[c].beat;
        const double end = c + 1 < chords_.size() ? chords_[c + 1].beat : TotalBeats();
        if (start < from - 1e-6 || start >= to - 1e-6)
            continue;
        const std::vector<int> pitches = Voicing(chords_[c].chord, low, voices);
        for (size_t v = 0; v < pitches.size(); ++v) {
            const float side =
                pitches.size() > 1 ? (2.0f * v / (pitches.size() - 1) - 1.0f) * spread : 0.0f;
            Hit(part, start, std::min(end, to) - start + overlap, static_cast<float>(pitches[v]),
                velocity, side);
        }
    }
}

void Score::Arpeggio(ScorePart& part, int firstBar, int lastBar, double step,
                     const std::vector<int>& order, int low, float velocity, float pan) {
    int highest = 0;
    for (int index : order)
        highest = std::max(highest, index);
    const double end = BarStart(lastBar + 1);
    size_t position = 0;
    for (double beat = BarStart(firstBar); beat < end - 1e-6; beat += step) {
        const std::vector<int> pitches = Voicing(ChordAt(beat), low, highest + 1);
        const int index = order[position++ % order.size()];
        // Downbeats a little stronger so the pattern breathes with the bar.
        const bool downbeat = std::fmod(beat, 1.0) < 1e-6;
        Hit(part, beat, step, static_cast<float>(pitches[index]),
            velocity * (downbeat ? 1.0f : 0.82f), pan);
    }
}

void Score::BassLine(ScorePart& part, int firstBar, int lastBar, const std::string& pattern,
                     int low, float velocity) {
    for (int bar = firstBar; bar <= lastBar; ++bar) {
        for (const std::string& hit : Words(pattern)) {
            const std::vector<std::string> fields = Split(hit, ':');
            double offset = 0, beats = 0;
            if (fields.size() != 3 || !ParseNumber(fields[1], beats) ||
                (fields[0] != "0" && !ParseNumber(fields[0], offset))) {
                problems_.push_back("bad bass hit " + hit);
                continue;
            }
            const double beat = BarStart(bar) + offset;
            const Chord& chord = ChordAt(beat);
            int pitch = low + ((chord.bass - low) % 12 + 12) % 12;
            if (fields[2] == "5")
                pitch += ((chord.root + 7 - pitch) % 12 + 12) % 12;
            else if (fields[2] == "8")
                pitch += 12;
            else if (fields[2] != "R")
                problems_.push_back("bad bass degree " + hit);
            Hit(part, beat, beats, static_cast<float>(pitch),
                velocity * (offset == 0 ? 1.0f : 0.85f));
        }
    }
}

void Score::Drums(ScorePart& part, int firstBar, int lastBar, const std::string& grid, float pitch,
                  float velocity, float pan) {
    if (grid.empty())
        return;
    const double step = static_cast<double>(beatsPerBar_) / grid.size();
    for (int bar = firstBar; bar <= lastBar; ++bar) {
        for (size_t i = 0; i < grid.size(); ++i) {
            const float level = grid[i] == 'X'   ? 1.0f
                                : grid[i] == 'x' ? 0.75f
                                : grid[i] == 'o' ? 0.5f
                                                 : 0.0f;
            if (level > 0.0f)
                Hit(part, BarStart(bar) + i * step, step, pitch, velocity * level, pan);
        }
    }
}

void Score::Hit(ScorePart& part, double beat, double beats, float pitch, float velocity,
                float pan) {
    part.notes.push_back({beat, beats, pitch, velocity, pan});
}

Stereo Score::Render(float roomSize, float damping, float wet, uint32_t seed) const {
    const double secondsPerBeat = 60.0 / bpm_;
    const size_t loop = static_cast<size_t>(std::llround(Seconds() * kSampleRate));
    const size_t tail = 10 * kSampleRate;
    Stereo dry(loop + tail), send(loop + tail);

    Noise feel(seed);
    uint32_t noteSeed = seed;
    for (const ScorePart& part : parts_) {
        for (const ScoreNote& note : part.notes) {
            double beat = std::fmod(note.beat, TotalBeats());
            if (beat < 0)
                beat += TotalBeats();
            // A few milliseconds of looseness and a little loudness variation, as players have.
            const double seconds = beat * secondsPerBeat + (beat > 0 ? 0.004 * feel.White() : 0.0);
            const float velocity = note.velocity * (1.0f + 0.06f * feel.White());
            const std::vector<float> sound =
                RenderNote(part.instrument, MidiToHz(note.pitch),
                           static_cast<float>(note.beats * secondsPerBeat), velocity, ++noteSeed);
            const size_t start = static_cast<size_t>(std::max(0.0, seconds) * kSampleRate);
            dry.Mix(sound, start, part.gain, note.pan);
            if (part.reverbSend > 0.0f)
                send.Mix(sound, start, part.gain * part.reverbSend, note.pan);
        }
    }

    // Whatever rings past the end sounds again over the start, as it does when the track loops.
    for (Stereo* bus : {&dry, &send}) {
        for (size_t i = loop; i < loop + tail; ++i) {
            bus->left[i % loop] += bus->left[i];
            bus->right[i % loop] += bus->right[i];
        }
        bus->left.resize(loop);
        bus->right.resize(loop);
    }

    // The room is run over the end of the loop first so that it is already full at the start.
    Reverb room(roomSize, damping);
    const size_t warmUp = std::min(loop, static_cast<size_t>(12 * kSampleRate));
    float outLeft = 0, outRight = 0;
    for (size_t i = loop - warmUp; i < loop; ++i)
        room.Process(send.left[i], send.right[i], outLeft, outRight);
    for (size_t i = 0; i < loop; ++i) {
        room.Process(send.left[i], send.right[i], outLeft, outRight);
        dry.left[i] += wet * outLeft;
        dry.right[i] += wet * outRight;
    }

    for (std::vector<float>* channel : {&dry.left, &dry.right}) {
        double sum = 0.0;
        for (float v : *channel)
            sum += v;
        const float mean = static_cast<float>(sum / channel->size());
        for (float& v : *channel)
            v -= mean;
    }
    return dry;
}
