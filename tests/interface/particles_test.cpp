// The particle effects: what a configuration file must hold, how an emitter bursts, emits, moves
// its particles on fixed steps and goes quiet, the limit of 256 particles, and the fireworks'
// bursts and their sounds.

#include "test_helpers.h"

#include "base/random.h"
#include "interface/effects/fireworks.h"
#include "interface/effects/particle_config.h"
#include "interface/effects/particle_emitter.h"
#include "interface/effects/particle_system.h"
#include "platform/recording_render_device.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A configuration file with every key, any of which a test may replace or leave out.
std::string ConfigText(const std::string& name,
                       std::vector<std::pair<std::string, std::string>> changes = {},
                       const std::string& without = "") {
    std::vector<std::pair<std::string, std::string>> keys = {{"Name", name},
                                                             {"TextureName", "dot.dds"},
                                                             {"MinXVelocity", "2"},
                                                             {"MaxXVelocity", "2"},
                                                             {"MinYVelocity", "0"},
                                                             {"MaxYVelocity", "0"},
                                                             {"MinSize", "4"},
                                                             {"MaxSize", "4"},
                                                             {"AlphaFalloff", "0.1"},
                                                             {"SizeFalloff", "0"},
                                                             {"SpeedFalloff", "0.5"},
                                                             {"XScatter", "0"},
                                                             {"YScatter", "0"},
                                                             {"ParticlesPerSecond", "0"},
                                                             {"InitialParticles", "10"},
                                                             {"Lifetime", "0"}};
    std::string text = "// test effect\n[config]\n";
    for (auto& [key, value] : keys) {
        for (const auto& [changed, to] : changes)
            if (changed == key)
                value = to;
        if (key != without)
            text += key + "=" + value + "\n";
    }
    return text;
}

class ParticleTest : public ::testing::Test {
protected:
    ParticleTest() {
        SetRenderDevice(&device);
        device.RegisterTexture("dot.dds", 8, 8);
        SeedRandom(7);
    }
    ~ParticleTest() override {
        GetParticles().Forget();
        SetRenderDevice(nullptr);
    }
    ParticleConfig Read(const std::string& text, std::string& error) {
        const std::string file = logged.dir.Write("data/particles/one.txt", text);
        ParticleConfig config;
        known = [this](const std::string& t) { return device.FindTexture(t) != kNoTexture; };
        if (!LoadParticleConfig("data/particles/one.txt", config, error, known))
            config.name.clear();
        return config;
    }

    LoggedTest logged;
    RecordingRenderDevice device;
    std::function<bool(const std::string&)> known;
};

TEST_F(ParticleTest, AFileMustHoldEveryKeyACountOfNoLessThanNoneAndAKnownPicture) {
    std::string error;
    ParticleConfig good = Read(ConfigText("spark", {{"InitialParticles", "300"}}), error);
    EXPECT_EQ(good.name, "spark") << error;
    EXPECT_EQ(good.initialParticles, 300);
    EXPECT_FLOAT_EQ(good.speedFalloff, 0.5f);

    Read(ConfigText("spark", {}, "AlphaFalloff"), error);
    EXPECT_NE(error.find("AlphaFalloff is missing"), std::string::npos) << error;
    Read(ConfigText("spark", {{"InitialParticles", "-3"}}), error);
    EXPECT_NE(error.find("InitialParticles is negative"), std::string::npos) << error;
    Read(ConfigText("spark", {{"ParticlesPerSecond", "-1"}}), error);
    EXPECT_NE(error.find("ParticlesPerSecond is negative"), std::string::npos) << error;
    Read(ConfigText("spark", {{"TextureName", "nowhere.dds"}}), error);
    EXPECT_NE(error.find("nowhere.dds is unknown"), std::string::npos) << error;
}

TEST_F(ParticleTest, BadFilesAreReportedByNameAndSkippedWhileTheRestLoad) {
    logged.dir.Write("data/particles/good.txt", ConfigText("good"));
    logged.dir.Write("data/particles/broken.txt", ConfigText("broken", {}, "Lifetime"));
    logged.dir.Write("data/particles/twice.txt", ConfigText("good"));
    ParticleSystem system;
    EXPECT_EQ(system.LoadConfigs(kParticlePattern, known), 1);
    const std::string log = logged.LogText();
    EXPECT_NE(log.find("broken.txt skipped: the key Lifetime is missing"), std::string::npos);
    EXPECT_NE(log.find("twice.txt skipped: the effect good is already defined"), std::string::npos);
    EXPECT_TRUE(system.StartEffect("good", 10, 10, 0, 0));
    EXPECT_FALSE(system.StartEffect("broken", 10, 10, 0, 0));
    EXPECT_NE(logged.LogText().find("Particle config not found: broken"), std::string::npos);
}

TEST_F(ParticleTest, ParticlesMoveOnWholeStepsFallAndSlowDown) {
    ParticleConfig config;
    config.name = "one";
    config.textureName = "dot.dds";
    config.minXVelocity = config.maxXVelocity = 2;
    config.minSize = config.maxSize = 4;
    config.alphaFalloff = 0.1f;
    config.speedFalloff = 0.5f;
    config.initialParticles = 1;
    ParticleEmitter emitter(config);
    emitter.Start(100, 100, 0, 1000);
    const Particle start = emitter.Particles()[0];
    EXPECT_NEAR(std::hypot(start.vx, start.vy), 2.0f, 1e-4);

    // 40 ms are two whole steps; the 8 ms left over wait for the next update.
    emitter.Update(1040);
    const Particle& p = emitter.Particles()[0];
    EXPECT_EQ(p.lastUpdateMs, 1032u);
    EXPECT_NEAR(p.opacity, 0.81f, 1e-5);
    EXPECT_NEAR(p.x, 100 + start.vx * 1.5f, 1e-3);
    EXPECT_NEAR(p.y, 100 + start.vy * 1.5f + 2 * 0.16f, 1e-3);
    EXPECT_NEAR(p.vx, start.vx * 0.25f, 1e-5);
    EXPECT_EQ(p.initialVx, start.vx);
    emitter.Update(1047);
    EXPECT_EQ(p.lastUpdateMs, 1032u);
}

TEST_F(ParticleTest, ABurstAloneFadesOutAndTheQuietEmitterIsUsedAgain) {
    logged.dir.Write("data/particles/pop.txt", ConfigText("pop"));
    ParticleSystem system;
    system.LoadConfigs(kParticlePattern, known);
    ASSERT_TRUE(system.StartEffect("pop", 50, 50, 0, 0));
    EXPECT_EQ(system.LiveParticles(), 10);
    // With no lifetime, nothing is added after the burst.
    int most = 10;
    uint32_t t = 0;
    while (system.ActiveEmitters() > 0 && t < 10000) {
        t += 16;
        system.Update(t);
        EXPECT_LE(system.LiveParticles(), most);
        most = system.LiveParticles();
    }
    EXPECT_EQ(system.ActiveEmitters(), 0);
    // Opacity falls by a tenth a step: below 1/255 after 53 steps.
    EXPECT_EQ(t, 53u * 16);
    ASSERT_TRUE(system.StartEffect("pop", 50, 50, 0, t));
    ASSERT_TRUE(system.StartEffect("pop", 80, 50, 0, t));
    EXPECT_EQ(system.EmitterCount(), 2u) << "the quiet emitter was used for the first start";
}

TEST_F(ParticleTest, AnEmitterHoldsAtMost256AndEmitsOnlyIntoDeadSlots) {
    logged.dir.Write("data/particles/fountain.txt",
                     ConfigText("fountain", {{"InitialParticles", "300"},
                                             {"ParticlesPerSecond", "100"},
                                             {"Lifetime", "5000"},
                                             {"AlphaFalloff", "0"}}));
    logged.dir.Write("data/particles/drip.txt", ConfigText("drip", {{"InitialParticles", "1"},
                                                                    {"ParticlesPerSecond", "100"},
                                                                    {"Lifetime", "100"},
                                                                    {"AlphaFalloff", "0"}}));
    ParticleSystem system;
    system.LoadConfigs(kParticlePattern, known);
    ASSERT_TRUE(system.StartEffect("fountain", 0, 0, 0, 0));
    EXPECT_EQ(system.LiveParticles(), ParticleEmitter::kSlots);
    system.Update(1000);
    EXPECT_EQ(system.LiveParticles(), ParticleEmitter::kSlots) << "no slot free, none made";
    system.StopAll();

    // A hundred a second: five in the first 50 ms, none after the lifetime.
    ASSERT_TRUE(system.StartEffect("drip", 0, 0, 0, 0));
    system.Update(50);
    EXPECT_EQ(system.LiveParticles(), 6);
    system.Update(99);
    EXPECT_EQ(system.LiveParticles(), 10);
    system.Update(400);
    EXPECT_EQ(system.LiveParticles(), 10);
}

TEST_F(ParticleTest, FireworksBurstAtOnceThenAfterEachDelayWithTheirSounds) {
    for (const char* name : {"slowsparks", "redsparks", "smallpyro"})
        logged.dir.Write(std::string("data/particles/") + name + ".txt", ConfigText(name));
    ParticleSystem system;
    system.LoadConfigs(kParticlePattern, known);
    Fireworks fireworks(system);
    struct Bang {
        std::string file;
        float volume, pan;
    };
    std::vector<Bang> bangs;
    fireworks.playSound = [&](const std::string& file, float volume, float pan) {
        bangs.push_back({file, volume, pan});
    };
    fireworks.Start(0, 1024, 768);
    EXPECT_EQ(bangs.size(), 1u);
    for (uint32_t t = 16; t <= 10000; t += 16)
        fireworks.Update(t, 1024, 768);
    // A shower at least every quarter of a second, plus the bangs with no shower.
    EXPECT_GE(bangs.size(), 37u);
    int kinds[3] = {0, 0, 0};
    for (const Bang& bang : bangs) {
        EXPECT_GE(bang.volume, 0.25f);
        EXPECT_LE(bang.volume, 1.0f);
        EXPECT_GE(bang.pan, -1.0f);
        EXPECT_LE(bang.pan, 1.0f);
        const char digit = bang.file.at(bang.file.size() - 5);
        ASSERT_TRUE(digit >= '1' && digit <= '3') << bang.file;
        ++kinds[digit - '1'];
    }
    for (int k : kinds)
        EXPECT_GT(k, 0);
    EXPECT_GT(system.EmitterCount(), 2u);
    fireworks.Stop();
    EXPECT_FALSE(fireworks.IsActive());
    EXPECT_EQ(system.LiveParticles(), 0);
    const size_t heard = bangs.size();
    fireworks.Update(20000, 1024, 768);
    EXPECT_EQ(bangs.size(), heard);
}

// Every effect we ship reads cleanly, with a picture the asset tool draws, and the fireworks find
// the three they burst with.
TEST(ShippedParticles, EveryEffectReadsAndTheFireworksFindTheirs) {
    LoggedTest logged;
    UseShippedContent(logged);
    const std::string pictures = std::string(MARROWGATE_SOURCE_DIR) + "/data/bitmaps/interface/";
    if (!std::filesystem::exists(pictures))
        GTEST_SKIP() << "the asset tool has not drawn the pictures in this build";
    ParticleSystem system;
    const int read = system.LoadConfigs(kParticlePattern, [&](const std::string& texture) {
        return std::filesystem::exists(pictures + texture);
    });
    EXPECT_GE(read, 5);
    EXPECT_EQ(logged.LogText().find("skipped"), std::string::npos) << logged.LogText();
    for (const char* name : {"slowsparks", "redsparks", "smallpyro", "trail", "sparkle"})
        EXPECT_NE(system.FindConfig(name), nullptr) << name;
    // The trail and the sparkle go on emitting; a burst does not.
    EXPECT_GT(system.FindConfig("trail")->lifetime, 0);
    EXPECT_GT(system.FindConfig("sparkle")->particlesPerSecond, 0);
    EXPECT_LE(system.FindConfig("slowsparks")->lifetime, 0);
}

} // namespace
