#pragma once
// Fireworks over a clear election victory: bursts of one of three effects at random places on
// the screen, every quarter of a second or less, each with its bang somewhere between the
// speakers. They run while the results window shows and stop when it closes.

#include <cstdint>
#include <functional>
#include <string>

class ParticleSystem;

class Fireworks {
public:
    static constexpr float kSoundOnlyChance = 0.16f;
    static constexpr float kMaxDelayMs = 250.0f;

    explicit Fireworks(ParticleSystem& particles) : particles(particles) {}

    // The first burst goes off at once.
    void Start(uint32_t nowMs, float width, float height);
    // A burst when the delay since the last one has passed; the emitters move on.
    void Update(uint32_t nowMs, float width, float height);
    // The bursts end and every spark goes out.
    void Stop();
    bool IsActive() const { return active; }
    int Bursts() const { return bursts; }

    // Plays a sound file at a volume (0..1) and pan (-1 left .. 1 right); the game's sounds
    // unless a test listens instead.
    std::function<void(const std::string& file, float volume, float pan)> playSound;

private:
    void Burst(uint32_t nowMs, float width, float height);

    ParticleSystem& particles;
    bool active = false;
    uint32_t lastBurstMs = 0;
    float delayMs = 0;
    int bursts = 0;
};

Fireworks& GetFireworks();
