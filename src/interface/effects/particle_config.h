#pragma once
// A particle effect as a data file describes it ("data/particles/*.txt", section "config"): the
// picture of each particle, how fast, how big and how widely scattered particles start, how
// quickly they fade, shrink and slow down, and how many the emitter makes at once and over time.

#include <functional>
#include <string>

struct ParticleConfig {
    std::string name;
    std::string textureName;
    // Pixels per step of 16 ms. The vertical range is read and kept; particles take their
    // direction from their angle, so only the horizontal range sets their speed.
    float minXVelocity = 0, maxXVelocity = 0;
    float minYVelocity = 0, maxYVelocity = 0;
    // Half-widths in pixels.
    float minSize = 0, maxSize = 0;
    // Fractions lost per step.
    float alphaFalloff = 0, sizeFalloff = 0, speedFalloff = 0;
    float xScatter = 0, yScatter = 0;
    float particlesPerSecond = 0;
    int initialParticles = 0;
    // Milliseconds of emission after the first burst; 0 or less: the burst alone.
    float lifetime = 0;
};

// Reads one configuration file. False, with what is wrong in error, for a missing key, a negative
// count or rate, or a picture that textureExists does not know (when it is given).
bool LoadParticleConfig(const std::string& file, ParticleConfig& config, std::string& error,
                        const std::function<bool(const std::string&)>& textureExists = nullptr);
