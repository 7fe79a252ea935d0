#include "base/options.h"
#include "base/turn.h"
#include "interface/widgets/gui_sounds.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

// Remembers what the manager asked for; Init answers from a queue of results.
class FakeAudio : public AudioDevice {
public:
    int CreateSystem() override { return createResult; }
    int GetVersion(unsigned& v) override {
        v = version;
        return 0;
    }
    int GetDriverSpeakerMode(SpeakerMode& mode) override {
        mode = SpeakerMode::Surround;
        return 0;
    }
    int SetSpeakerMode(SpeakerMode mode) override {
        speakerModes.push_back(mode);
        return 0;
    }
    int Init(int) override {
        ++initCalls;
        if (initResults.empty())
            return 0;
        int r = initResults.front();
        initResults.pop_front();
        return r;
    }
    void Close() override {}
    int Update() override { return 0; }
    int CreateSound(const std::string& path, SoundHandle& sound) override {
        sounds.push_back(path);
        sound = next++;
        return missingFiles ? AudioError::FileNotFound : 0;
    }
    int CreateStream(const std::string& path, SoundHandle& sound) override {
        streams.push_back(path);
        sound = next++;
        return missingFiles ? AudioError::FileNotFound : 0;
    }
    int Play(SoundHandle sound, ChannelHandle& channel) override {
        plays.push_back(sound);
        channel = next++;
        return 0;
    }
    int SetVolume(ChannelHandle channel, float v) override {
        volume[channel] = v;
        return 0;
    }
    int SetPan(ChannelHandle channel, float p) override {
        pan[channel] = p;
        return 0;
    }
    int SetMute(ChannelHandle, bool) override { return 0; }
    int SetLoopCount(ChannelHandle channel, int loops) override {
        loopCount[channel] = loops;
        return 0;
    }
    int Stop(ChannelHandle channel) override {
        stopped.push_back(channel);
        return 0;
    }
    int SetMasterVolume(float) override { return 0; }
    std::string ErrorText(int) const override { return "fake failure"; }

    int createResult = 0;
    bool missingFiles = false;
    unsigned version = 0x20602;
    std::deque<int> initResults;
    int initCalls = 0;
    int next = 1;
    std::vector<SpeakerMode> speakerModes;
    std::vector<std::string> sounds, streams;
    std::vector<SoundHandle> plays;
    std::vector<ChannelHandle> stopped;
    std::map<ChannelHandle, float> volume, pan;
    std::map<ChannelHandle, int> loopCount;
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class SoundsTest : public ::testing::Test {
protected:
    void SetUp() override {
        log.dir.Write("data/options.txt",
                      "[options]\nMUSIC = 0.40\nSFXVOLUME = 0.80\nENABLEMUSIC = 1.00\n");
        LoadOptions();
        GUI_Sounds::SetDevice(&audio);
    }
    void TearDown() override {
        GUI_Sounds::SetDevice(nullptr);
        GetPollTracker().PotentialVoteRate = 0.5f;
    }

    LoggedTest log;
    FakeAudio audio;
    GUI_Sounds sounds;
};

TEST_F(SoundsTest, StartFallsBackToStereoOnlyWhenTheOutputBufferFails) {
    audio.initResults = {AudioError::OutputCreateBuffer, AudioError::Ok};
    audio.version = 0x10208;
    EXPECT_TRUE(sounds.Start());
    EXPECT_EQ(audio.initCalls, 2);
    EXPECT_EQ(audio.speakerModes,
              (std::vector<SpeakerMode>{SpeakerMode::Surround, SpeakerMode::Stereo}));
    std::string text = log.LogText();
    EXPECT_NE(text.find("FMOD Setting fallback speaker mode"), std::string::npos);
    EXPECT_NE(text.find("You are using an old version of FMOD 00010208.  This program requires "
                        "00020000"),
              std::string::npos);

    FakeAudio other;
    other.initResults = {AudioError::NoDevice};
    GUI_Sounds::SetDevice(&other);
    GUI_Sounds second;
    EXPECT_FALSE(second.Start());
    EXPECT_EQ(other.initCalls, 1);
    EXPECT_EQ(other.speakerModes.size(), 1u);
    EXPECT_NE(log.LogText().find("FMOD error! (51) (Failed to init FMOD) fake failure"),
              std::string::npos);
    // Nothing is tried on a manager whose start failed.
    EXPECT_EQ(second.PlayEffect("data/sounds/click.ogg"), kNoHandle);
    EXPECT_TRUE(other.sounds.empty());

    FakeAudio broken;
    broken.createResult = AudioError::NoDevice;
    GUI_Sounds::SetDevice(&broken);
    GUI_Sounds third;
    EXPECT_FALSE(third.Start());
    EXPECT_EQ(broken.initCalls, 0);
    EXPECT_NE(log.LogText().find("(Failed to create FMOD)"), std::string::npos);
}

TEST_F(SoundsTest, EffectsShareOneSoundPerFileNameAndTakeTheEffectsVolume) {
    ASSERT_TRUE(sounds.Start());
    ChannelHandle first = sounds.PlayEffect("data/sounds/a/click.ogg", true);
    ChannelHandle second = sounds.PlayEffect("data/sounds/b/click.ogg", 0.5f, -0.25f);
    sounds.PlayEffect("data/sounds/b/other.ogg");
    ASSERT_EQ(audio.sounds.size(), 2u);
    EXPECT_TRUE(EndsWith(audio.sounds[0], "data/sounds/a/click.ogg"));
    EXPECT_EQ(audio.plays.size(), 3u);
    EXPECT_EQ(audio.plays[0], audio.plays[1]);
    EXPECT_FLOAT_EQ(audio.volume[first], 0.8f);
    EXPECT_EQ(audio.loopCount[first], -1);
    EXPECT_FLOAT_EQ(audio.volume[second], 0.4f);
    EXPECT_FLOAT_EQ(audio.pan[second], -0.25f);
    EXPECT_EQ(audio.loopCount.count(second), 0u);
}

TEST_F(SoundsTest, MusicFollowsTheMoodAndIsNotRestartedForTheSameTrack) {
    ASSERT_TRUE(sounds.Start());
    struct Step {
        float share;
        const char* file;
    };
    const Step steps[] = {
        {0.2f, "poorly.ogg"}, {0.33f, "neutral.ogg"}, {0.659f, nullptr},
        {0.66f, "great.ogg"}, {0.9f, nullptr},        {0.1f, "poorly.ogg"},
    };
    size_t streams = 0;
    for (const Step& step : steps) {
        GetPollTracker().PotentialVoteRate = step.share;
        sounds.SetMusicByMood();
        if (step.file) {
            ASSERT_EQ(audio.streams.size(), ++streams) << step.share;
            EXPECT_TRUE(EndsWith(audio.streams.back(), std::string("music/") + step.file));
        } else {
            EXPECT_EQ(audio.streams.size(), streams) << step.share;
        }
    }
    EXPECT_FLOAT_EQ(audio.volume[sounds.MusicChannel()], 0.4f);
    // Each change stopped the track before.
    EXPECT_EQ(audio.stopped.size(), streams - 1);

    sounds.SetMusicTrack(7);
    EXPECT_TRUE(EndsWith(audio.streams.back(), "music/theme.ogg"));
    EXPECT_EQ(sounds.CurrentTrack(), 7);
}

TEST_F(SoundsTest, MissingFilesAreReportedOnceAndThenStaySilent) {
    ASSERT_TRUE(sounds.Start());
    audio.missingFiles = true;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sounds.PlayEffect("data/sounds/gone.ogg"), kNoHandle);
        sounds.SetMusicTrack(1);
        sounds.SetMusicTrack(2);
    }
    EXPECT_EQ(audio.sounds.size(), 1u);
    EXPECT_EQ(audio.streams.size(), 2u);
    EXPECT_TRUE(audio.plays.empty());
}

TEST_F(SoundsTest, MusicSwitchedOffStartsNoTrackButEffectsStillPlay) {
    SetOption(kOptionEnableMusic, 0);
    ASSERT_TRUE(sounds.Start());
    sounds.SetMusicTrack(3);
    sounds.RestartMusic();
    EXPECT_TRUE(audio.streams.empty());
    EXPECT_EQ(sounds.MusicChannel(), kNoHandle);
    sounds.MenuClick(1);
    EXPECT_TRUE(audio.plays.empty());
    sounds.MenuClick(0);
    ASSERT_EQ(audio.sounds.size(), 1u);
    EXPECT_TRUE(EndsWith(audio.sounds[0], "data/sounds/menuclick.ogg"));
}

} // namespace
