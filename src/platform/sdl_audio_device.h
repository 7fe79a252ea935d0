#pragma once
// The sound library over SDL2_mixer: effects decoded into memory play on mixer channels, music
// streams through the mixer's single music player behind a channel handle of its own.

#include "platform/audio_device.h"

#include <string>
#include <vector>

struct Mix_Chunk;
struct _Mix_Music;

class SdlAudioDevice : public AudioDevice {
public:
    // The handle that stands for the music player; effect channels are 0 .. channels - 1.
    static constexpr ChannelHandle kMusicChannel = 1 << 20;

    SdlAudioDevice() = default;
    ~SdlAudioDevice() override;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    int CreateSystem() override;
    // The linked mixer's version as 0x00MMmmpp.
    int GetVersion(unsigned& version) override;
    // Surround when the default output device has six channels or more, else stereo.
    int GetDriverSpeakerMode(SpeakerMode& mode) override;
    int SetSpeakerMode(SpeakerMode mode) override;
    // Opens the output; a surround layout the device refuses answers OutputCreateBuffer so the
    // caller can retry in stereo.
    int Init(int channels) override;
    void Close() override;
    int Update() override { return AudioError::Ok; }

    int CreateSound(const std::string& path, SoundHandle& sound) override;
    int CreateStream(const std::string& path, SoundHandle& sound) override;
    int Play(SoundHandle sound, ChannelHandle& channel) override;
    int SetVolume(ChannelHandle channel, float volume) override;
    int SetPan(ChannelHandle channel, float pan) override;
    int SetMute(ChannelHandle channel, bool mute) override;
    // Starts the channel's sound again with that many repeats (-1: for ever).
    int SetLoopCount(ChannelHandle channel, int loops) override;
    int Stop(ChannelHandle channel) override;
    int SetMasterVolume(float volume) override;

    // The error's description, with the mixer's own words for the last failure.
    std::string ErrorText(int error) const override;

private:
    struct Sound {
        Mix_Chunk* chunk = nullptr;
        _Mix_Music* music = nullptr;
        // The file a stream reads, so that asking for the same music again reuses it.
        std::string path;
    };
    struct Channel {
        SoundHandle sound = kNoHandle;
        float volume = 1;
        bool muted = false;
    };
    int Fail(int error);
    Channel* Find(ChannelHandle channel);
    void ApplyVolume(ChannelHandle channel);
    int CreateFrom(const std::string& path, bool stream, SoundHandle& sound);

    bool audioStarted_ = false;
    bool open_ = false;
    int speakerChannels_ = 2;
    float master_ = 1;
    std::vector<Sound> sounds_;
    std::vector<Channel> channels_;
    Channel music_;
    std::string detail_;
};
