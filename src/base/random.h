#pragma once
// The one random source of the game. Every draw of the simulation comes from here, so a seed
// given on the command line replays a whole game exactly.

#include <cstdint>

constexpr int kRandomMax = 32767;

// Restarts the sequence. The game seeds once from the clock unless a seed was given.
void SeedRandom(uint32_t seed);
// True once SeedRandom has run, so that later start-up steps leave a chosen seed alone.
bool IsRandomSeeded();
// Next draw, 0 … 32767.
int RandomInt();
// low + (high − low) × r ÷ 32767, in single precision.
float RandomFloat(float low, float high);
// True when RandomFloat(0, 1) is below p.
bool Chance(float p);
// Uniform pick of an index below count (the draw modulo count); 0 when count is 0 or less.
int RandomIndex(int count);

// The generator's whole state, for saving and restoring a sequence.
uint32_t GetRandomState();
void SetRandomState(uint32_t state);
