#pragma once
// The short sound effects: interface clicks, the crowd's reaction to an election result and the
// victory fireworks.

#include "tools/assets/synth.h"

#include <string>
#include <vector>

struct EffectSound {
    std::string fileName; // inside data/sounds
    Stereo audio;         // a mono effect fills only the left channel
    bool stereo;
    float peakDb; // loudness it is normalised to
};

std::vector<EffectSound> MakeEffects();
