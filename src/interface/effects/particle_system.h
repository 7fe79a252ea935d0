#pragma once
// The particle effects of the game: the configurations, read from the particle folder the first
// time an effect is asked for, and the emitters in play. A finished emitter is kept and used again
// for the next start of its effect.

#include "interface/effects/particle_config.h"
#include "interface/effects/particle_emitter.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class RenderDevice;

inline constexpr const char kParticlePattern[] = "data/particles/*.txt";

class ParticleSystem {
public:
    // Reads every file of the pattern; a bad one is reported, naming the file, and skipped.
    // textureExists, when given, rules out pictures the game does not have. Returns how many
    // effects were read.
    int LoadConfigs(const std::string& pattern = kParticlePattern,
                    const std::function<bool(const std::string&)>& textureExists = nullptr);
    // Starts the named effect (loading the configurations first if no load has happened);
    // "Particle config not found" and false for a name no configuration has.
    bool StartEffect(const std::string& name, float x, float y, int drawingOrder, uint32_t nowMs);
    void Update(uint32_t nowMs);
    // The active emitters, lowest drawing order first.
    void Draw(RenderDevice& device) const;
    // Every emitter quiet at once.
    void StopAll();
    // The configurations too: the next start reads the folder again.
    void Forget();

    const ParticleConfig* FindConfig(const std::string& name) const;
    int LiveParticles() const;
    int ActiveEmitters() const;
    size_t EmitterCount() const { return emitters.size(); }
    size_t ConfigCount() const { return configs.size(); }

private:
    // A deque: emitters keep pointers to their configuration.
    std::deque<ParticleConfig> configs;
    std::vector<std::unique_ptr<ParticleEmitter>> emitters;
    bool loaded = false;
};

// The game window's particle effects; their pictures must be among the loaded textures.
ParticleSystem& GetParticles();
