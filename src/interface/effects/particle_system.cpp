#include "interface/effects/particle_system.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "platform/render_device.h"

#include <algorithm>

int ParticleSystem::LoadConfigs(const std::string& pattern,
                                const std::function<bool(const std::string&)>& textureExists) {
    loaded = true;
    int read = 0;
    ForEachFile(pattern, [&](const std::string& path) {
        ParticleConfig config;
        std::string error;
        if (!LoadParticleConfig(path, config, error, textureExists)) {
            REPORT_WARNING(("Particle file " + path + " skipped: " + error).c_str());
            return;
        }
        if (FindConfig(config.name)) {
            REPORT_WARNING(("Particle file " + path + " skipped: the effect " + config.name +
                            " is already defined")
                               .c_str());
            return;
        }
        configs.push_back(config);
        ++read;
    });
    return read;
}

const ParticleConfig* ParticleSystem::FindConfig(const std::string& name) const {
    for (const ParticleConfig& config : configs) {
        if (config.name == name)
            return &config;
    }
    return nullptr;
}

bool ParticleSystem::StartEffect(const std::string& name, float x, float y, int drawingOrder,
                                 uint32_t nowMs) {
    if (!loaded) {
        LoadConfigs(kParticlePattern, [](const std::string& texture) {
            return GetRenderDevice().FindTexture(texture) != kNoTexture;
        });
    }
    const ParticleConfig* config = FindConfig(name);
    if (!config) {
        REPORT_WARNING(("Particle config not found: " + name).c_str());
        return false;
    }
    ParticleEmitter* emitter = nullptr;
    for (const auto& candidate : emitters) {
        if (&candidate->Config() == config && !candidate->IsActive()) {
            emitter = candidate.get();
            break;
        }
    }
    if (!emitter) {
        emitters.push_back(std::make_unique<ParticleEmitter>(*config));
        emitter = emitters.back().get();
    }
    emitter->Start(x, y, drawingOrder, nowMs);
    return true;
}

void ParticleSystem::Update(uint32_t nowMs) {
    for (const auto& emitter : emitters)
        emitter->Update(nowMs);
}

void ParticleSystem::Draw(RenderDevice& device) const {
    std::vector<const ParticleEmitter*> shown;
    for (const auto& emitter : emitters) {
        if (emitter->IsActive())
            shown.push_back(emitter.get());
    }
    std::stable_sort(shown.begin(), shown.end(), [](const auto* a, const auto* b) {
        return a->DrawingOrder() < b->DrawingOrder();
    });
    for (const ParticleEmitter* emitter : shown)
        emitter->Draw(device);
}

void ParticleSystem::StopAll() {
    // Dropped rather than silenced: nothing of them is needed until the next celebration.
    emitters.clear();
}

void ParticleSystem::Forget() {
    emitters.clear();
    configs.clear();
    loaded = false;
}

int ParticleSystem::LiveParticles() const {
    int live = 0;
    for (const auto& emitter : emitters)
        live += emitter->IsActive() ? emitter->LiveCount() : 0;
    return live;
}

int ParticleSystem::ActiveEmitters() const {
    int active = 0;
    for (const auto& emitter : emitters)
        active += emitter->IsActive() ? 1 : 0;
    return active;
}

ParticleSystem& GetParticles() {
    static ParticleSystem particles;
    return particles;
}
