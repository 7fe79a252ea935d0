#include "tools/assets/music.h"

namespace {

// Main menu: stately and hopeful. D major, slow; the first four bars are an open-ended
// introduction so that each pass through the loop takes a breath before the tune returns, and the
// tune's last note lands on the downbeat of the next pass.
MusicTrack Theme() {
    MusicTrack track{"theme.ogg", Score(66.0f, 4, 16), 0.82f, 0.5f, 1.0f};
    Score& s = track.score;
    s.Progression("D | A/C# | Bm | G | D | G | Em7 | Asus4 A | Bm | G | D/F# | Em7 | G | A |"
                  " Bm G | Asus4 A");

    ScorePart& pad = s.AddPart(Instrument::WarmPad, -11.0f, 0.5f);
    s.Sustain(pad, 1, 16, 55, 4, 0.55f, 0.5f);

    ScorePart& strings = s.AddPart(Instrument::Strings, -15.0f, 0.55f);
    s.Sustain(strings, 9, 16, 62, 3, 0.45f, 0.6f);

    ScorePart& bass = s.AddPart(Instrument::Bass, -5.0f, 0.15f);
    s.BassLine(bass, 1, 16, "0:2:R 2:1.5:5 3.5:0.5:R", 36, 0.7f);

    ScorePart& harp = s.AddPart(Instrument::Harp, -11.0f, 0.35f);
    s.Arpeggio(harp, 1, 16, 0.5, {0, 1, 2, 3, 4, 3, 2, 1}, 50, 0.5f, -0.2f);

    ScorePart& bells = s.AddPart(Instrument::Glock, -12.0f, 0.5f);
    s.Melody(bells, 1, "r/2 F#5/1 A5/1 | E5/2 C#5/2 | D5/2 F#5/2 | D5/1 B4/1 G4/2", 0.5f, 0.3f);

    ScorePart& flute = s.AddPart(Instrument::Flute, -6.0f, 0.4f);
    s.Melody(flute, 5,
             "A4/1 D5/1 F#5/1.5 E5/.5 | D5/1 B4/1 D5/2 | E5/1 G5/1 F#5/1 E5/1 | D5/2 C#5/2 |"
             " B4/1 D5/1 F#5/2 | G5/1.5 F#5/.5 E5/1 D5/1 | F#5/1 A5/1 A5/1.5 G5/.5 |"
             " G5/1 B5/1 B5/1.5 A5/.5 | D6/2> B5/1 G5/1 | A5/1.5 G5/.5 E5/1 C#5/1 |"
             " F#5/1 D5/1 E5/1 D5/1 | E5/1 D5/1 C#5/1 E5/1 | D5/4",
             0.72f, 0.1f);

    ScorePart& drum = s.AddPart(Instrument::Timpani, -12.0f, 0.4f);
    s.Hit(drum, s.BarStart(1), 1, 38, 0.5f);
    s.Hit(drum, s.BarStart(5), 1, 38, 0.55f);
    s.Hit(drum, s.BarStart(9), 1, 47, 0.55f);
    s.Hit(drum, s.BarStart(13), 1, 43, 0.6f);
    return track;
}

// In game, middling polls: calm and unobtrusive, a gentle electric-piano groove in F with a
// marimba answering now and then.
MusicTrack Neutral() {
    MusicTrack track{"neutral.ogg", Score(96.0f, 4, 24), 0.6f, 0.5f, 0.8f};
    Score& s = track.score;
    const std::string verse = "Fmaj7 | Am7 | Bbmaj7 | Csus4 C | Dm7 | Am7 | Bbmaj7 | Gm7 C";
    s.Progression(verse + " | Dm7 | Bbmaj7 | F/A | Gm7 | Dm7 | Bbmaj7 | Gm7 | Csus4 C | " + verse);

    ScorePart& keys = s.AddPart(Instrument::EPiano, -9.0f, 0.3f);
    s.Comp(keys, 1, 24, "0:1.5 2.5:1.5", 53, 4, 0.5f, 0.35f);

    ScorePart& pad = s.AddPart(Instrument::WarmPad, -17.0f, 0.5f);
    s.Sustain(pad, 1, 24, 60, 3, 0.4f, 0.6f);

    ScorePart& bass = s.AddPart(Instrument::Bass, -6.0f, 0.1f);
    s.BassLine(bass, 1, 24, "0:2.5:R 2.5:0.5:R 3:1:5", 36, 0.65f);

    ScorePart& mallet = s.AddPart(Instrument::Mallet, -5.0f, 0.35f);
    const std::string answer = "r/1 A4/.5 C5/.5 D5/1 F5/1 | E5/1.5 C5/.5 A4/2 |"
                               " r/1 D5/.5 F5/.5 A5/1 F5/1 | ";
    s.Melody(mallet, 5, answer + "G5/1 F5/.5 D5/.5 E5/2", 0.6f, 0.25f);
    s.Melody(mallet, 13,
             "F5/1 E5/.5 D5/.5 A4/2 | r/.5 Bb4/.5 D5/.5 F5/.5 A5/2 | G5/1.5 F5/.5 D5/1 Bb4/1 |"
             " C5/1 F5/1 E5/2",
             0.6f, 0.25f);
    s.Melody(mallet, 21, answer + "D5/1 Bb4/.5 G4/.5 C5/2", 0.6f, 0.25f);

    ScorePart& shaker = s.AddPart(Instrument::Shaker, -12.0f, 0.2f);
    s.Drums(shaker, 9, 24, "oxoxoxox", 0, 0.6f, 0.35f);
    ScorePart& kick = s.AddPart(Instrument::Kick, -10.0f, 0.0f);
    s.Drums(kick, 9, 24, "x.........o.....", 0, 0.6f);
    return track;
}

// In game, polling well: bright G major with a plucked arpeggio, a bouncing bass and light
// percussion under a flute tune doubled by bells.
MusicTrack Great() {
    MusicTrack track{"great.ogg", Score(112.0f, 4, 24), 0.55f, 0.45f, 0.7f};
    Score& s = track.score;
    s.Progression("G | D/F# | Em | C | G | D | C | D | Em | C | G | D | Em | C | Am7 | Dsus4 D |"
                  " G | D/F# | Em | C | G/B | C | Dsus4 D | D");

    ScorePart& pad = s.AddPart(Instrument::WarmPad, -16.0f, 0.45f);
    s.Sustain(pad, 1, 24, 57, 4, 0.4f, 0.6f);

    ScorePart& harp = s.AddPart(Instrument::Harp, -11.0f, 0.3f);
    s.Arpeggio(harp, 1, 24, 0.5, {0, 1, 2, 3, 4, 3, 2, 1}, 55, 0.5f, -0.3f);

    ScorePart& bass = s.AddPart(Instrument::Bass, -7.0f, 0.1f);
    s.BassLine(bass, 1, 24, "0:1:R 1.5:.5:R 2:1:5 3:.5:8 3.5:.5:5", 36, 0.7f);

    const std::string tune = "D5/1 G5/1 B5/1.5 A5/.5 | A5/1 F#5/1 D5/2 | E5/1 G5/1 B5/1 G5/1 |"
                             " C6/1.5 B5/.5 A5/1 G5/1 | ";
    const std::string first = tune + "B5/1 D6/1 B5/1 G5/1 | A5/1.5 F#5/.5 A5/1 D6/1 |"
                                     " E6/1 D6/.5 C6/.5 G5/1 E5/1 | F#5/2 A5/1 r/1";
    const std::string last = tune + "B5/1 D6/1 B5/1 G5/1 | E6/1.5 D6/.5 C6/1 G5/1 |"
                                    " G5/1 A5/1 F#5/1.5 E5/.5 | D5/2 r/2";
    const std::string middle =
        "r/1 E5/.5 F#5/.5 G5/1 B5/1 | C6/1 B5/1 G5/1 E5/1 | D5/1 G5/1 B5/1 D6/1 |"
        " A5/2 F#5/2 | G5/1 F#5/.5 E5/.5 B4/2 | C5/1 E5/1 G5/1 C6/1 | B5/1 A5/1 G5/1 E5/1 |"
        " G5/2 F#5/2";
    ScorePart& flute = s.AddPart(Instrument::Flute, -7.0f, 0.35f);
    s.Melody(flute, 1, first + " | " + middle + " | " + last, 0.7f, 0.1f);
    ScorePart& bells = s.AddPart(Instrument::Glock, -16.0f, 0.4f);
    s.Melody(bells, 1, first, 0.5f, 0.3f);
    s.Melody(bells, 17, last, 0.5f, 0.3f);

    ScorePart& kick = s.AddPart(Instrument::Kick, -8.0f, 0.0f);
    s.Drums(kick, 1, 24, "X.....x.X.......", 0, 0.7f);
    ScorePart& clap = s.AddPart(Instrument::Clap, -5.0f, 0.25f);
    s.Drums(clap, 1, 24, "....x.......x...", 0, 0.55f, -0.1f);
    ScorePart& shaker = s.AddPart(Instrument::Shaker, -12.0f, 0.15f);
    s.Drums(shaker, 1, 24, "oxoxoxoxoxoxoxox", 0, 0.55f, 0.35f);
    return track;
}

// In game, polling badly: A minor, slow and sparse. A dark pad and a lone electric piano first,
// then a quiet pulse and a heartbeat join and strings take the line, so the unease grows.
MusicTrack Poorly() {
    MusicTrack track{"poorly.ogg", Score(66.0f, 4, 16), 0.85f, 0.6f, 0.8f};
    Score& s = track.score;
    s.Progression("Am | Am | F | E | Dm | Am | Bb | E | Am | F | Dm | E | F | Dm | Bb | Esus4 E");

    ScorePart& pad = s.AddPart(Instrument::DarkPad, -11.0f, 0.5f);
    s.Sustain(pad, 1, 16, 52, 4, 0.55f, 0.5f);

    ScorePart& strings = s.AddPart(Instrument::Strings, -17.0f, 0.55f);
    s.Sustain(strings, 9, 16, 57, 3, 0.35f, 0.6f);

    ScorePart& pulse = s.AddPart(Instrument::Bass, -10.0f, 0.15f);
    s.BassLine(pulse, 5, 16, "0:.5:R .5:.5:R 1:.5:R 1.5:.5:R 2:.5:R 2.5:.5:R 3:.5:R 3.5:.5:R", 33,
               0.45f);

    ScorePart& piano = s.AddPart(Instrument::EPiano, -6.0f, 0.45f);
    s.Melody(piano, 1,
             "r/2 E5/1 C5/1 | B4/3 r/1 | r/2 A4/1 C5/1 | B4/2 G#4/2 | r/1 F5/1 E5/1 D5/1 |"
             " E5/1 C5/2 r/1 | r/1 D5/1 F5/1 D5/1 | G#4/2 B4/1 E5/1",
             0.55f, 0.15f);
    s.Melody(piano, 13, "r/2 C6/1 A5/1 | F5/3 r/1 | r/1 F5/1 D5/1 Bb4/1 | A4/2 G#4/2", 0.5f, 0.15f);

    ScorePart& line = s.AddPart(Instrument::Strings, -8.0f, 0.5f);
    s.Melody(line, 9, "E5/4 | F5/2 E5/2 | D5/4 | B4/2 G#4/2", 0.55f, -0.1f);

    ScorePart& heart = s.AddPart(Instrument::Kick, -8.0f, 0.1f);
    s.Drums(heart, 9, 16, "x.o.............", 0, 0.5f);

    ScorePart& drum = s.AddPart(Instrument::Timpani, -11.0f, 0.45f);
    s.Hit(drum, s.BarStart(1), 1, 45, 0.45f);
    s.Hit(drum, s.BarStart(8) + 2, 1, 40, 0.5f);
    s.Hit(drum, s.BarStart(16) + 2, 1, 40, 0.55f);
    return track;
}

// Election won: a brass fanfare in B flat over marching drums, bells joining for the second half
// and a timpani roll into the final climb.
MusicTrack ElectionWin() {
    MusicTrack track{"electionwin.ogg", Score(112.0f, 4, 24), 0.7f, 0.4f, 0.8f};
    Score& s = track.score;
    s.Progression("Bb | Eb | Gm | F | Bb | Eb | Cm7 F | Bb | Gm | Eb | Bb | F | Eb | F | Dm | Gm |"
                  " Eb | F | Bb/D Eb | Fsus4 F | Bb | Eb | Cm7 | F7");

    const std::string tune =
        "F4/.75 F4/.25 Bb4/1 D5/1 F5/1 | G5/1.5 F5/.5 Eb5/2 | D5/1 Bb4/.5 D5/.5 G5/2 |"
        " F5/1 Eb5/.5 D5/.5 C5/2 | Bb4/.75 Bb4/.25 D5/1 F5/1 Bb5/1 | Bb5/1 G5/1 Eb5/1 G5/1 |"
        " G5/1 Eb5/1 C5/1 A4/1 | Bb4/3 r/1";
    const std::string answer =
        "D5/1.5 C5/.5 Bb4/1 D5/1 | Eb5/1.5 D5/.5 C5/1 Bb4/1 | D5/1 F5/1 Bb5/2 |"
        " A5/1.5 G5/.5 F5/2 | G5/1 Bb5/1 G5/1 Eb5/1 | F5/1 A5/1 C6/2 | A5/1 F5/1 D5/2 |"
        " G5/1 F5/1 D5/2 | Eb5/1 G5/1 Bb5/2 | A5/1 C6/1 A5/1 F5/1 | F5/1 D5/1 Eb5/1 G5/1 |"
        " Bb5/2 A5/2 | Bb5/3> F5/1 | G5/1.5 F5/.5 Eb5/1 G5/1 | Eb5/1 C5/1 G5/1 Eb5/1 |"
        " F5/1 A4/1 C5/1 Eb5/1";
    ScorePart& lead = s.AddPart(Instrument::Brass, -2.0f, 0.35f);
    s.Melody(lead, 1, tune + " | " + answer, 0.75f);
    ScorePart& bells = s.AddPart(Instrument::Glock, -16.0f, 0.45f);
    s.Melody(bells, 9, answer, 0.5f, 0.35f);

    ScorePart& section = s.AddPart(Instrument::Brass, -12.0f, 0.4f);
    s.Comp(section, 1, 24, "0:.9 1.5:.4 2:1.8", 53, 4, 0.5f, 0.5f);

    ScorePart& pad = s.AddPart(Instrument::WarmPad, -17.0f, 0.5f);
    s.Sustain(pad, 1, 24, 58, 4, 0.4f, 0.6f);

    ScorePart& bass = s.AddPart(Instrument::Bass, -8.0f, 0.1f);
    s.BassLine(bass, 1, 24, "0:1.5:R 1.5:.5:5 2:1.5:R 3.5:.5:5", 34, 0.7f);

    ScorePart& timpani = s.AddPart(Instrument::Timpani, -12.0f, 0.35f);
    s.BassLine(timpani, 1, 19, "0:1:R 2:1:5", 38, 0.5f);
    s.BassLine(timpani, 21, 24, "0:1:R 2:1:5", 38, 0.5f);
    s.BassLine(timpani, 20, 20, "0:1:R", 38, 0.5f);
    for (int i = 0; i < 16; ++i) // roll into the last climb
        s.Hit(timpani, s.BarStart(20) + 2 + i * 0.125, 0.125, 41, 0.2f + 0.025f * i);

    ScorePart& kick = s.AddPart(Instrument::Kick, -9.0f, 0.0f);
    s.Drums(kick, 1, 24, "X.......X.......", 0, 0.6f);
    ScorePart& snare = s.AddPart(Instrument::Clap, -4.0f, 0.3f);
    s.Drums(snare, 1, 24, "....x.......x.o.", 0, 0.5f, 0.1f);

    ScorePart& cymbal = s.AddPart(Instrument::Crash, -7.0f, 0.4f);
    for (int bar : {1, 9, 21})
        s.Hit(cymbal, s.BarStart(bar), 1, 0, 0.6f, bar == 9 ? -0.3f : 0.3f);
    ScorePart& swell = s.AddPart(Instrument::Swell, -9.0f, 0.4f);
    s.Hit(swell, s.BarStart(20) + 2, 2, 0, 0.6f);
    return track;
}

} // namespace

std::vector<MusicTrack> ComposeMusic() {
    std::vector<MusicTrack> tracks;
    tracks.push_back(Theme());
    tracks.push_back(Neutral());
    tracks.push_back(Great());
    tracks.push_back(Poorly());
    tracks.push_back(ElectionWin());
    return tracks;
}
