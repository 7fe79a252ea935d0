#include "platform/silent_audio_device.h"

const char* AudioErrorDescription(int error) {
    switch (error) {
    case AudioError::Ok:
        return "No errors.";
    case AudioError::OutputCreateBuffer:
        return "Could not create the sound output in the requested speaker layout.";
    case AudioError::FileNotFound:
        return "File not found.";
    case AudioError::BadFile:
        return "The file is not a sound the library can read, or it is damaged.";
    case AudioError::NoFreeChannel:
        return "Every channel is busy.";
    case AudioError::InvalidHandle:
        return "No such sound or channel.";
    case AudioError::NoDevice:
        return "No sound device could be opened.";
    default:
        return "Unknown error.";
    }
}

int SilentAudioDevice::GetVersion(unsigned& version) {
    // Reports itself as current so that no "old library" warning is logged for it.
    version = 0x00FFFFFF;
    return AudioError::Ok;
}

int SilentAudioDevice::GetDriverSpeakerMode(SpeakerMode& mode) {
    mode = SpeakerMode::Stereo;
    return AudioError::Ok;
}

int SilentAudioDevice::CreateSound(const std::string&, SoundHandle& sound) {
    sound = nextSound_++;
    return AudioError::Ok;
}

int SilentAudioDevice::CreateStream(const std::string&, SoundHandle& sound) {
    sound = nextSound_++;
    return AudioError::Ok;
}

int SilentAudioDevice::Play(SoundHandle, ChannelHandle& channel) {
    channel = nextChannel_++;
    return AudioError::Ok;
}

std::string SilentAudioDevice::ErrorText(int error) const {
    return AudioErrorDescription(error);
}
