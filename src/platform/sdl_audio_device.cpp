#include "platform/sdl_audio_device.h"

#include "base/file_system.h"
#include "platform/silent_audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
int ToMixerVolume(float volume) {
    return static_cast<int>(std::lround(std::clamp(volume, 0.f, 1.f) * MIX_MAX_VOLUME));
}

#if defined(SDL_MIXER_VERSION_ATLEAST)
#if SDL_MIXER_VERSION_ATLEAST(2, 6, 0)
#define MARROWGATE_MIX_MASTER_VOLUME 1
#endif
#endif
} // namespace

SdlAudioDevice::~SdlAudioDevice() {
    Close();
}

int SdlAudioDevice::Fail(int error) {
    const char* text = Mix_GetError();
    detail_ = text ? text : "";
    return error;
}

int SdlAudioDevice::CreateSystem() {
    if (audioStarted_)
        return AudioError::Ok;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return Fail(AudioError::NoDevice);
    audioStarted_ = true;
    return AudioError::Ok;
}

int SdlAudioDevice::GetVersion(unsigned& version) {
    const SDL_version* linked = Mix_Linked_Version();
    version = static_cast<unsigned>(linked->major) << 16 |
              static_cast<unsigned>(linked->minor) << 8 | linked->patch;
    return AudioError::Ok;
}

int SdlAudioDevice::GetDriverSpeakerMode(SpeakerMode& mode) {
    mode = SpeakerMode::Stereo;
    SDL_AudioSpec format;
    // Drivers that cannot say (the dummy one among them) are taken as stereo.
    if (audioStarted_ && SDL_GetDefaultAudioInfo(nullptr, &format, 0) == 0 && format.channels >= 6)
        mode = SpeakerMode::Surround;
    return AudioError::Ok;
}

int SdlAudioDevice::SetSpeakerMode(SpeakerMode mode) {
    speakerChannels_ = mode == SpeakerMode::Surround ? 6 : 2;
    return AudioError::Ok;
}

int SdlAudioDevice::Init(int channels) {
    if (!audioStarted_ && CreateSystem() != AudioError::Ok)
        return AudioError::NoDevice;
    if (open_)
        return AudioError::Ok;
    Mix_Init(MIX_INIT_OGG);
    const bool surround = speakerChannels_ > 2;
    // Surround must be had exactly, so a refusal can fall back to stereo; stereo takes whatever
    // the device offers and the mixer converts.
    const int allowed = surround
                            ? SDL_AUDIO_ALLOW_FREQUENCY_CHANGE
                            : SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE;
    if (Mix_OpenAudioDevice(44100, MIX_DEFAULT_FORMAT, speakerChannels_, 2048, nullptr, allowed) !=
        0)
        return Fail(surround ? AudioError::OutputCreateBuffer : AudioError::NoDevice);
    open_ = true;
    const int allocated = Mix_AllocateChannels(std::max(1, channels));
    channels_.assign(static_cast<size_t>(allocated), Channel{});
    master_ = 1;
    return AudioError::Ok;
}

void SdlAudioDevice::Close() {
    if (open_) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
    }
    for (Sound& s : sounds_) {
        if (s.chunk)
            Mix_FreeChunk(s.chunk);
        if (s.music)
            Mix_FreeMusic(s.music);
    }
    sounds_.clear();
    channels_.clear();
    music_ = Channel{};
    if (open_) {
        Mix_CloseAudio();
        Mix_Quit();
    }
    open_ = false;
    if (audioStarted_)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioStarted_ = false;
}

int SdlAudioDevice::CreateFrom(const std::string& path, bool stream, SoundHandle& sound) {
    sound = kNoHandle;
    if (!open_)
        return AudioError::NoDevice;
    const std::string file = ResolveDataPath(path);
    // The music changes with the mood every few turns: each track is opened once and replayed,
    // rather than a new stream (and an open file) piling up at every change.
    if (stream) {
        for (size_t i = 0; i < sounds_.size(); ++i) {
            if (sounds_[i].music && sounds_[i].path == file) {
                sound = static_cast<SoundHandle>(i);
                return AudioError::Ok;
            }
        }
    }
    if (FILE* f = std::fopen(file.c_str(), "rb"))
        std::fclose(f);
    else {
        detail_ = file;
        return AudioError::FileNotFound;
    }
    Sound loaded;
    loaded.path = file;
    if (stream)
        loaded.music = Mix_LoadMUS(file.c_str());
    else
        loaded.chunk = Mix_LoadWAV(file.c_str());
    if (!loaded.music && !loaded.chunk)
        return Fail(AudioError::BadFile);
    sound = static_cast<SoundHandle>(sounds_.size());
    sounds_.push_back(loaded);
    return AudioError::Ok;
}

int SdlAudioDevice::CreateSound(const std::string& path, SoundHandle& sound) {
    return CreateFrom(path, false, sound);
}

int SdlAudioDevice::CreateStream(const std::string& path, SoundHandle& sound) {
    return CreateFrom(path, true, sound);
}

SdlAudioDevice::Channel* SdlAudioDevice::Find(ChannelHandle channel) {
    if (!open_)
        return nullptr;
    if (channel == kMusicChannel)
        return &music_;
    if (channel < 0 || channel >= static_cast<int>(channels_.size()))
        return nullptr;
    return &channels_[channel];
}

void SdlAudioDevice::ApplyVolume(ChannelHandle channel) {
    Channel* c = Find(channel);
    if (!c)
        return;
    const float volume = c->muted ? 0.f : c->volume;
    if (channel == kMusicChannel) {
        // The mixer's master volume leaves music alone, so music takes it here.
        Mix_VolumeMusic(ToMixerVolume(volume * master_));
        return;
    }
#ifdef MARROWGATE_MIX_MASTER_VOLUME
    Mix_Volume(channel, ToMixerVolume(volume));
#else
    Mix_Volume(channel, ToMixerVolume(volume * master_));
#endif
}

int SdlAudioDevice::Play(SoundHandle sound, ChannelHandle& channel) {
    channel = kNoHandle;
    if (!open_)
        return AudioError::NoDevice;
    if (sound < 0 || sound >= static_cast<int>(sounds_.size()))
        return AudioError::InvalidHandle;
    const Sound& s = sounds_[sound];
    // New channels start at full volume, centred and unmuted, whatever played there before.
    if (s.music) {
        if (Mix_PlayMusic(s.music, -1) != 0)
            return Fail(AudioError::BadFile);
        channel = kMusicChannel;
    } else {
        const int playing = Mix_PlayChannel(-1, s.chunk, 0);
        if (playing < 0)
            return Fail(AudioError::NoFreeChannel);
        Mix_SetPanning(playing, 255, 255);
        channel = playing;
    }
    Channel* c = Find(channel);
    *c = Channel{};
    c->sound = sound;
    ApplyVolume(channel);
    return AudioError::Ok;
}

int SdlAudioDevice::SetVolume(ChannelHandle channel, float volume) {
    Channel* c = Find(channel);
    if (!c)
        return AudioError::InvalidHandle;
    c->volume = std::clamp(volume, 0.f, 1.f);
    ApplyVolume(channel);
    return AudioError::Ok;
}

int SdlAudioDevice::SetPan(ChannelHandle channel, float pan) {
    Channel* c = Find(channel);
    if (!c)
        return AudioError::InvalidHandle;
    // Music is never panned: the mixer could only pan everything together.
    if (channel == kMusicChannel)
        return AudioError::Ok;
    pan = std::clamp(pan, -1.f, 1.f);
    const Uint8 left = static_cast<Uint8>(std::lround(255 * std::min(1.f, 1 - pan)));
    const Uint8 right = static_cast<Uint8>(std::lround(255 * std::min(1.f, 1 + pan)));
    if (Mix_SetPanning(channel, left, right) == 0)
        return Fail(AudioError::InvalidHandle);
    return AudioError::Ok;
}

int SdlAudioDevice::SetMute(ChannelHandle channel, bool mute) {
    Channel* c = Find(channel);
    if (!c)
        return AudioError::InvalidHandle;
    c->muted = mute;
    ApplyVolume(channel);
    return AudioError::Ok;
}

int SdlAudioDevice::SetLoopCount(ChannelHandle channel, int loops) {
    Channel* c = Find(channel);
    if (!c || c->sound == kNoHandle)
        return AudioError::InvalidHandle;
    const Sound& s = sounds_[c->sound];
    // The mixer fixes the repeats when a sound starts, so the sound starts over with them.
    if (channel == kMusicChannel) {
        if (Mix_PlayingMusic() && Mix_PlayMusic(s.music, loops) != 0)
            return Fail(AudioError::BadFile);
    } else if (Mix_Playing(channel) && Mix_PlayChannel(channel, s.chunk, loops) < 0) {
        return Fail(AudioError::NoFreeChannel);
    }
    return AudioError::Ok;
}

int SdlAudioDevice::Stop(ChannelHandle channel) {
    Channel* c = Find(channel);
    if (!c)
        return AudioError::InvalidHandle;
    if (channel == kMusicChannel)
        Mix_HaltMusic();
    else
        Mix_HaltChannel(channel);
    return AudioError::Ok;
}

int SdlAudioDevice::SetMasterVolume(float volume) {
    master_ = std::clamp(volume, 0.f, 1.f);
    if (!open_)
        return AudioError::Ok;
#ifdef MARROWGATE_MIX_MASTER_VOLUME
    Mix_MasterVolume(ToMixerVolume(master_));
#else
    for (int i = 0; i < static_cast<int>(channels_.size()); ++i)
        ApplyVolume(i);
#endif
    ApplyVolume(kMusicChannel);
    return AudioError::Ok;
}

std::string SdlAudioDevice::ErrorText(int error) const {
    std::string text = AudioErrorDescription(error);
    if (error != AudioError::Ok && !detail_.empty())
        text += " (" + detail_ + ")";
    return text;
}
