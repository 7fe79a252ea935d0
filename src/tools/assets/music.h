#pragma once
// The game's five looping music tracks, composed as scores.

#include "tools/assets/score.h"

#include <string>
#include <vector>

struct MusicTrack {
    std::string fileName; // inside data/sounds/music
    Score score;
    float roomSize, damping, wet;
};

std::vector<MusicTrack> ComposeMusic();
