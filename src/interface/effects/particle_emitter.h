#pragma once
// A particle emitter: one effect in play at one place. It bursts a number of particles when it
// starts, may go on emitting for the effect's lifetime, moves its particles on a fixed step of
// 16 ms whatever the frame rate, and goes quiet when the last one has faded away.

#include "interface/effects/particle_config.h"

#include <array>
#include <cstdint>

class RenderDevice;

struct Particle {
    bool alive = false;
    float x = 0, y = 0;
    float vx = 0, vy = 0;
    float initialVx = 0, initialVy = 0;
    float size = 0;
    float opacity = 0;
    float angle = 0, cosAngle = 1, sinAngle = 0;
    uint32_t lastUpdateMs = 0;
};

class ParticleEmitter {
public:
    static constexpr int kSlots = 256;
    static constexpr uint32_t kStepMs = 16;
    // How far every particle falls per step, after its own motion.
    static constexpr float kFallPerStep = 0.16f;

    explicit ParticleEmitter(const ParticleConfig& config) : config(&config) {}

    // Every slot emptied, then the first burst.
    void Start(float x, float y, int drawingOrder, uint32_t nowMs);
    // Moves the particles on, drops the spent ones, emits while the lifetime lasts.
    void Update(uint32_t nowMs);
    // The live particles, white at their opacity, each turned by its angle, added onto what is
    // below so that overlapping sparks glow.
    void Draw(RenderDevice& device) const;

    bool IsActive() const { return active; }
    int LiveCount() const;
    int DrawingOrder() const { return drawingOrder; }
    const ParticleConfig& Config() const { return *config; }
    const std::array<Particle, kSlots>& Particles() const { return particles; }

private:
    // Into the first dead slot; false when all are alive.
    bool Emit(uint32_t nowMs);
    void SpawnInto(Particle& particle, uint32_t nowMs);

    const ParticleConfig* config;
    float x = 0, y = 0;
    int drawingOrder = 0;
    uint32_t startMs = 0;
    uint32_t lastEmissionMs = 0;
    bool active = false;
    std::array<Particle, kSlots> particles{};
};
