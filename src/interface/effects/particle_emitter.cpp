#include "interface/effects/particle_emitter.h"

#include "base/random.h"
#include "platform/render_device.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kDegreesToRadians = 0.0174532924f;
} // namespace

void ParticleEmitter::Start(float atX, float atY, int order, uint32_t nowMs) {
    active = true;
    x = atX;
    y = atY;
    drawingOrder = order;
    startMs = nowMs;
    for (Particle& particle : particles)
        particle.alive = false;
    const int burst = std::min(std::max(config->initialParticles, 0), kSlots);
    for (int i = 0; i < burst; ++i)
        SpawnInto(particles[static_cast<size_t>(i)], nowMs);
    lastEmissionMs = nowMs;
}

void ParticleEmitter::SpawnInto(Particle& p, uint32_t nowMs) {
    const ParticleConfig& c = *config;
    p.alive = true;
    p.x = x + RandomFloat(-c.xScatter, c.xScatter);
    p.y = y + RandomFloat(-c.yScatter, c.yScatter);
    p.size = RandomFloat(c.minSize, c.maxSize);
    p.opacity = 1.0f;
    p.angle = RandomFloat(0.0f, 360.0f);
    p.cosAngle = std::cos(p.angle * kDegreesToRadians);
    p.sinAngle = std::sin(p.angle * kDegreesToRadians);
    const float speed = RandomFloat(c.minXVelocity, c.maxXVelocity);
    p.vx = speed * p.sinAngle;
    p.vy = -speed * p.cosAngle;
    p.initialVx = p.vx;
    p.initialVy = p.vy;
    p.lastUpdateMs = nowMs;
}

bool ParticleEmitter::Emit(uint32_t nowMs) {
    for (Particle& particle : particles) {
        if (!particle.alive) {
            SpawnInto(particle, nowMs);
            return true;
        }
    }
    return false;
}

void ParticleEmitter::Update(uint32_t nowMs) {
    if (!active)
        return;
    const ParticleConfig& c = *config;
    const float keepAlpha = 1.0f - c.alphaFalloff;
    const float keepSize = 1.0f - c.sizeFalloff;
    const float keepSpeed = 1.0f - c.speedFalloff;
    bool anyAlive = false;
    for (Particle& p : particles) {
        if (!p.alive)
            continue;
        const uint32_t steps = (nowMs - p.lastUpdateMs) / kStepMs;
        p.lastUpdateMs += steps * kStepMs;
        for (uint32_t s = 0; s < steps; ++s) {
            p.opacity *= keepAlpha;
            p.size *= keepSize;
            p.y += p.vy;
            p.x += p.vx;
            if (c.speedFalloff != 0) {
                p.vx *= keepSpeed;
                p.vy *= keepSpeed;
            }
        }
        p.y += static_cast<float>(steps) * kFallPerStep;
        p.alive = static_cast<int>(p.opacity * 255.0f) > 0 && p.size >= 0.5f;
        anyAlive = anyAlive || p.alive;
    }
    if (c.lifetime > 0 && static_cast<float>(nowMs - startMs) < c.lifetime) {
        const int n = static_cast<int>(c.particlesPerSecond *
                                       static_cast<float>(nowMs - lastEmissionMs) / 1000.0f);
        if (n > 0) {
            lastEmissionMs = nowMs;
            for (int i = 0; i < n; ++i)
                anyAlive = Emit(nowMs) || anyAlive;
        }
    }
    if (!anyAlive)
        active = false;
}

int ParticleEmitter::LiveCount() const {
    int live = 0;
    for (const Particle& p : particles)
        live += p.alive ? 1 : 0;
    return live;
}

void ParticleEmitter::Draw(RenderDevice& device) const {
    if (!active)
        return;
    const TextureId texture = device.FindTexture(config->textureName);
    if (texture == kNoTexture)
        return;
    SpriteDraw sprite;
    sprite.blend = BlendMode::Additive;
    for (const Particle& p : particles) {
        if (!p.alive)
            continue;
        const unsigned alpha = static_cast<unsigned>(std::clamp(p.opacity, 0.0f, 1.0f) * 255.0f);
        if (alpha == 0)
            continue;
        sprite.left = p.x - p.size;
        sprite.top = p.y - p.size;
        sprite.right = p.x + p.size;
        sprite.bottom = p.y + p.size;
        sprite.colour = (alpha << 24) | 0x00FFFFFFu;
        sprite.rotationDegrees = p.angle;
        device.DrawSprite(texture, sprite);
    }
}
