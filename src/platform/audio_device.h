#pragma once
// The sound library underneath the sound manager: create sounds and looping streams, play them on
// free channels, set volume, pan, mute and looping, stop, a master volume and a per-frame update.
// Every call answers an error number (0 for success) that ErrorText describes. The game uses the
// SDL2_mixer device; tests and machines without audio use the silent one.

#include <string>

using SoundHandle = int;
using ChannelHandle = int;
inline constexpr int kNoHandle = -1;

namespace AudioError {
inline constexpr int Ok = 0;
// The output buffer could not be created: the caller retries in stereo.
inline constexpr int OutputCreateBuffer = 56;
inline constexpr int FileNotFound = 23;
inline constexpr int BadFile = 19;
inline constexpr int NoFreeChannel = 11;
inline constexpr int InvalidHandle = 36;
inline constexpr int NoDevice = 51;
} // namespace AudioError

enum class SpeakerMode { Stereo = 3, Surround = 6 };

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    virtual int CreateSystem() = 0;
    virtual int GetVersion(unsigned& version) = 0;
    virtual int GetDriverSpeakerMode(SpeakerMode& mode) = 0;
    virtual int SetSpeakerMode(SpeakerMode mode) = 0;
    virtual int Init(int channels) = 0;
    virtual void Close() = 0;
    virtual int Update() = 0;

    // A whole sound decoded into memory (effects) or a looping stream read as it plays (music).
    virtual int CreateSound(const std::string& path, SoundHandle& sound) = 0;
    virtual int CreateStream(const std::string& path, SoundHandle& sound) = 0;
    virtual int Play(SoundHandle sound, ChannelHandle& channel) = 0;
    virtual int SetVolume(ChannelHandle channel, float volume) = 0;
    virtual int SetPan(ChannelHandle channel, float pan) = 0;
    virtual int SetMute(ChannelHandle channel, bool mute) = 0;
    // -1 loops for ever.
    virtual int SetLoopCount(ChannelHandle channel, int loops) = 0;
    virtual int Stop(ChannelHandle channel) = 0;
    virtual int SetMasterVolume(float volume) = 0;

    virtual std::string ErrorText(int error) const = 0;
};
