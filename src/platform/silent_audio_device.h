#pragma once
// A sound library that plays nothing: every call succeeds and hands out distinct handles, so the
// sound manager runs unchanged on machines without audio and in tests.

#include "platform/audio_device.h"

class SilentAudioDevice : public AudioDevice {
public:
    int CreateSystem() override { return AudioError::Ok; }
    int GetVersion(unsigned& version) override;
    int GetDriverSpeakerMode(SpeakerMode& mode) override;
    int SetSpeakerMode(SpeakerMode) override { return AudioError::Ok; }
    int Init(int) override { return AudioError::Ok; }
    void Close() override {}
    int Update() override { return AudioError::Ok; }

    int CreateSound(const std::string& path, SoundHandle& sound) override;
    int CreateStream(const std::string& path, SoundHandle& sound) override;
    int Play(SoundHandle sound, ChannelHandle& channel) override;
    int SetVolume(ChannelHandle, float) override { return AudioError::Ok; }
    int SetPan(ChannelHandle, float) override { return AudioError::Ok; }
    int SetMute(ChannelHandle, bool) override { return AudioError::Ok; }
    int SetLoopCount(ChannelHandle, int) override { return AudioError::Ok; }
    int Stop(ChannelHandle) override { return AudioError::Ok; }
    int SetMasterVolume(float) override { return AudioError::Ok; }

    std::string ErrorText(int error) const override;

private:
    int nextSound_ = 0;
    int nextChannel_ = 0;
};

// The text for an error number, shared by every device.
const char* AudioErrorDescription(int error);
