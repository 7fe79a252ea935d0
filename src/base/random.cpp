#include "base/random.h"

namespace {
// The portable linear congruential generator that C library documentation gives as its example;
// it behaves identically on every platform and compiler, which a library rand() does not promise.
uint32_t g_state = 1;
bool g_seeded = false;
} // namespace

void SeedRandom(uint32_t seed) {
    g_state = seed;
    g_seeded = true;
}

bool IsRandomSeeded() {
    return g_seeded;
}

int RandomInt() {
    g_state = g_state * 1103515245u + 12345u;
    return static_cast<int>((g_state / 65536u) % 32768u);
}

float RandomFloat(float low, float high) {
    float r = static_cast<float>(RandomInt()) / static_cast<float>(kRandomMax);
    return low + (high - low) * r;
}

bool Chance(float p) {
    return RandomFloat(0.0f, 1.0f) < p;
}

int RandomIndex(int count) {
    if (count <= 0)
        return 0;
    return RandomInt() % count;
}

uint32_t GetRandomState() {
    return g_state;
}

void SetRandomState(uint32_t state) {
    g_state = state;
}
