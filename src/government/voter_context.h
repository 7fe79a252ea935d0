#pragma once
// What the voters know of the government in play: the national cynicism, how far off the next
// election is and, while it is near, whether the manifesto stands broken. Every pass over the
// population starts from this.

#include "population/voter.h"

VoterContext CurrentVoterContext();
