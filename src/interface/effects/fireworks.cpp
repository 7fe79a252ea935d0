#include "interface/effects/fireworks.h"

#include "base/random.h"
#include "interface/effects/particle_system.h"
#include "interface/widgets/gui_sounds.h"

namespace {
const char* const kBurstEffects[] = {"slowsparks", "redsparks", "smallpyro"};
} // namespace

void Fireworks::Start(uint32_t nowMs, float width, float height) {
    active = true;
    bursts = 0;
    lastBurstMs = nowMs;
    delayMs = 0;
    Burst(nowMs, width, height);
}

void Fireworks::Update(uint32_t nowMs, float width, float height) {
    if (!active)
        return;
    if (static_cast<float>(nowMs - lastBurstMs) > delayMs)
        Burst(nowMs, width, height);
    particles.Update(nowMs);
}

void Fireworks::Stop() {
    active = false;
    particles.StopAll();
}

void Fireworks::Burst(uint32_t nowMs, float width, float height) {
    const float x = RandomFloat(0.0f, width);
    const float y = RandomFloat(0.0f, height);
    // Now and then only a distant bang: the delay is left as it was, so a shower follows soon.
    if (!Chance(kSoundOnlyChance)) {
        particles.StartEffect(kBurstEffects[RandomInt() % 3], x, y, 0, nowMs);
        delayMs = RandomFloat(0.0f, kMaxDelayMs);
        lastBurstMs = nowMs;
    }
    ++bursts;
    const float volume = RandomFloat(0.25f, 1.0f);
    const float pan = RandomFloat(-1.0f, 1.0f);
    const float r = RandomFloat(0.0f, 1.0f);
    const char* file = r < 0.33f    ? "data/sounds/firework1.ogg"
                       : r >= 0.66f ? "data/sounds/firework3.ogg"
                                    : "data/sounds/firework2.ogg";
    if (playSound)
        playSound(file, volume, pan);
    else
        GetSounds().PlayEffect(file, volume, pan);
}

Fireworks& GetFireworks() {
    static Fireworks fireworks(GetParticles());
    return fireworks;
}
