#pragma once
// Ogg Vorbis files for the generated sounds: the encoder, and a decoder used to check every
// written file before the generator calls it done.

#include <cstdint>
#include <string>
#include <vector>

// Writes one (left only) or two channels at kSampleRate with the given VBR quality (-0.1 .. 1).
// For a `loop` the encoder is shown the sound's end before its start and its start after its end,
// where it would otherwise guess at what lies beyond, so the codec's errors at the two edges are
// as small as anywhere else and the seam stays smooth. The stream serial comes
// from the file name, so the bytes are the same on every run. False after printing why.
bool WriteOggVorbis(const std::string& path, const std::vector<float>& left,
                    const std::vector<float>* right, float quality, bool loop = false);

struct DecodedOgg {
    int channels = 0;
    long rate = 0;
    std::vector<std::vector<float>> samples; // per channel
};

// False after printing why.
bool ReadOggVorbis(const std::string& path, DecodedOgg& decoded);
