#include "interface/effects/particle_config.h"

#include "base/ini_section.h"

#include <cmath>
#include <cstdlib>

namespace {

// Every key must be present: an effect that silently took zeros would simply never show.
const char* const kKeys[] = {
    "Name",         "TextureName",        "MinXVelocity",     "MaxXVelocity",
    "MinYVelocity", "MaxYVelocity",       "MinSize",          "MaxSize",
    "AlphaFalloff", "SizeFalloff",        "SpeedFalloff",     "XScatter",
    "YScatter",     "ParticlesPerSecond", "InitialParticles", "Lifetime"};

} // namespace

bool LoadParticleConfig(const std::string& file, ParticleConfig& config, std::string& error,
                        const std::function<bool(const std::string&)>& textureExists) {
    CIniSection section;
    if (section.Load("config", file) <= 0) {
        error = "no [config] section could be read";
        return false;
    }
    for (const char* key : kKeys) {
        if (!section.HasKey(key)) {
            error = std::string("the key ") + key + " is missing";
            return false;
        }
    }
    auto number = [&](const char* key) { return section.GetFloat(key, 0.0f); };
    ParticleConfig read;
    read.name = section.GetString("Name");
    read.textureName = section.GetString("TextureName");
    read.minXVelocity = number("MinXVelocity");
    read.maxXVelocity = number("MaxXVelocity");
    read.minYVelocity = number("MinYVelocity");
    read.maxYVelocity = number("MaxYVelocity");
    read.minSize = number("MinSize");
    read.maxSize = number("MaxSize");
    read.alphaFalloff = number("AlphaFalloff");
    read.sizeFalloff = number("SizeFalloff");
    read.speedFalloff = number("SpeedFalloff");
    read.xScatter = number("XScatter");
    read.yScatter = number("YScatter");
    read.particlesPerSecond = number("ParticlesPerSecond");
    read.initialParticles = std::atoi(section.GetString("InitialParticles").c_str());
    read.lifetime = number("Lifetime");

    if (read.name.empty()) {
        error = "Name is empty";
        return false;
    }
    if (read.initialParticles < 0) {
        error = "InitialParticles is negative (" + section.GetString("InitialParticles") + ")";
        return false;
    }
    if (read.particlesPerSecond < 0 || !std::isfinite(read.particlesPerSecond)) {
        error = "ParticlesPerSecond is negative (" + section.GetString("ParticlesPerSecond") + ")";
        return false;
    }
    if (textureExists && !textureExists(read.textureName)) {
        error = "the texture " + read.textureName + " is unknown";
        return false;
    }
    config = read;
    return true;
}
