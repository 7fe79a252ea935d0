#include "interface/widgets/gui_sounds.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/options.h"
#include "base/turn.h"

#include <algorithm>
#include <cstdio>

namespace {

// The oldest sound library this program works with, packed as major, minor and patch bytes: the
// mixer's 2.0.0, whose looping streams and per-channel panning everything here relies on.
constexpr unsigned kRequiredVersion = 0x00020000;
constexpr int kChannels = 64;

// Stands in until the window installs its device: every call succeeds and nothing is heard.
class QuietDevice : public AudioDevice {
public:
    int CreateSystem() override { return AudioError::Ok; }
    int GetVersion(unsigned& version) override {
        version = kRequiredVersion;
        return AudioError::Ok;
    }
    int GetDriverSpeakerMode(SpeakerMode& mode) override {
        mode = SpeakerMode::Stereo;
        return AudioError::Ok;
    }
    int SetSpeakerMode(SpeakerMode) override { return AudioError::Ok; }
    int Init(int) override { return AudioError::Ok; }
    void Close() override {}
    int Update() override { return AudioError::Ok; }
    int CreateSound(const std::string&, SoundHandle& sound) override {
        sound = next_++;
        return AudioError::Ok;
    }
    int CreateStream(const std::string&, SoundHandle& sound) override {
        sound = next_++;
        return AudioError::Ok;
    }
    int Play(SoundHandle, ChannelHandle& channel) override {
        channel = next_++;
        return AudioError::Ok;
    }
    int SetVolume(ChannelHandle, float) override { return AudioError::Ok; }
    int SetPan(ChannelHandle, float) override { return AudioError::Ok; }
    int SetMute(ChannelHandle, bool) override { return AudioError::Ok; }
    int SetLoopCount(ChannelHandle, int) override { return AudioError::Ok; }
    int Stop(ChannelHandle) override { return AudioError::Ok; }
    int SetMasterVolume(float) override { return AudioError::Ok; }
    std::string ErrorText(int) const override { return "no sound device"; }

private:
    int next_ = 1;
};

QuietDevice gQuietDevice;
AudioDevice* gDevice = nullptr;

AudioDevice& Device() {
    return gDevice ? *gDevice : gQuietDevice;
}

// Sounds are shared by their file name wherever they were found.
std::string SoundName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Printf(const char* format, const std::string& argument) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, format, argument.c_str());
    return buffer;
}

GUI_Sounds* gInstance = nullptr;

} // namespace

void GUI_Sounds::SetDevice(AudioDevice* device) {
    // Sounds and channels belong to the library that made them.
    if (gInstance && gInstance->started_)
        gInstance->Shutdown();
    gDevice = device;
}

bool GUI_Sounds::Check(int error, const char* message) {
    if (error == AudioError::Ok)
        return true;
    char text[1024];
    std::snprintf(text, sizeof text, "FMOD error! (%d) (%s) %s\n", error, message,
                  Device().ErrorText(error).c_str());
    REPORT_WARNING(text);
    return false;
}

bool GUI_Sounds::Start() {
    if (started_)
        Shutdown();
    AudioDevice& device = Device();
    if (!Check(device.CreateSystem(), "Failed to create FMOD"))
        return false;
    unsigned version = 0;
    if (!Check(device.GetVersion(version), "Failed to get FMOD version"))
        return false;
    if (version < kRequiredVersion) {
        LogF("Error!  You are using an old version of FMOD %08x.  This program requires %08x\n",
             version, kRequiredVersion);
    }
    SpeakerMode mode = SpeakerMode::Stereo;
    if (!Check(device.GetDriverSpeakerMode(mode), "Failed to getDriverCaps (FMOD)"))
        return false;
    if (!Check(device.SetSpeakerMode(mode), "Failed to setSpeakerMode (FMOD)"))
        return false;
    int result = device.Init(kChannels);
    if (result == AudioError::OutputCreateBuffer) {
        // The driver could not give us its own speaker layout; plain stereo nearly always works.
        Log("FMOD Setting fallback speaker mode");
        if (!Check(device.SetSpeakerMode(SpeakerMode::Stereo),
                   "Failed to setSpeakerMode default (FMOD)"))
            return false;
        result = device.Init(kChannels);
    }
    if (!Check(result, "Failed to init FMOD"))
        return false;
    started_ = true;
    return true;
}

void GUI_Sounds::Shutdown() {
    if (started_)
        Device().Close();
    started_ = false;
    cache_.clear();
    missingTracks_.clear();
    musicChannel_ = kNoHandle;
    musicStream_ = kNoHandle;
}

void GUI_Sounds::Update() {
    if (started_)
        Device().Update();
}

ChannelHandle GUI_Sounds::PlayEffect(const std::string& path, bool loop) {
    if (!started_)
        return kNoHandle;
    AudioDevice& device = Device();
    std::string name = SoundName(path);
    SoundHandle sound = kNoHandle;
    bool known = false;
    for (const CachedSound& cached : cache_) {
        if (cached.name == name) {
            sound = cached.handle;
            known = true;
            break;
        }
    }
    // A sound that could not be made is remembered as none, so a missing file is reported once
    // and then stays silent.
    if (known && sound == kNoHandle)
        return kNoHandle;
    if (!known) {
        bool made = Check(device.CreateSound(ResolveDataPath(path), sound),
                          Printf("Failed create sound! (%s)", path).c_str());
        if (!made)
            sound = kNoHandle;
        cache_.push_back({name, sound});
        if (!made)
            return kNoHandle;
    }
    ChannelHandle channel = kNoHandle;
    if (!Check(device.Play(sound, channel), Printf("Failed playSound() [%s]", path).c_str()))
        return kNoHandle;
    Check(device.SetVolume(channel, GetOption(kOptionSfxVolume)), "Failed to set sound volume");
    if (loop)
        Check(device.SetLoopCount(channel, -1), "Failed to loop sound");
    return channel;
}

ChannelHandle GUI_Sounds::PlayEffect(const std::string& path, float volume, float pan) {
    ChannelHandle channel = PlayEffect(path, false);
    if (channel == kNoHandle)
        return kNoHandle;
    AudioDevice& device = Device();
    Check(device.SetPan(channel, pan), "Failed to set sound pan");
    Check(device.SetVolume(channel, GetOption(kOptionSfxVolume) * volume),
          "Failed to set sound volume");
    return channel;
}

void GUI_Sounds::MenuClick(int flag) {
    if (flag == 0)
        PlayEffect("data/sounds/menuclick.ogg");
}

std::string GUI_Sounds::TrackFile(int track) {
    switch (track) {
    case 0:
        return "data/sounds/music/neutral.ogg";
    case 1:
        return "data/sounds/music/great.ogg";
    case 2:
        return "data/sounds/music/poorly.ogg";
    case 4:
        return "data/sounds/music/electionwin.ogg";
    default:
        return "data/sounds/music/theme.ogg";
    }
}

void GUI_Sounds::SetMusicTrack(int track) {
    if (track == lastRequested_)
        return;
    lastRequested_ = track;
    if (track == currentTrack_)
        return;
    currentTrack_ = track;
    StopMusic();
    StartMusic();
}

void GUI_Sounds::StartMusic() {
    if (!started_ || GetOption(kOptionEnableMusic) == 0)
        return;
    AudioDevice& device = Device();
    std::string file = TrackFile(currentTrack_);
    // A track that could not be opened is reported once; after that it is simply silence.
    if (std::find(missingTracks_.begin(), missingTracks_.end(), file) != missingTracks_.end())
        return;
    SoundHandle stream = kNoHandle;
    if (!Check(device.CreateStream(ResolveDataPath(file), stream),
               "Failed to create stream for loop")) {
        missingTracks_.push_back(file);
        return;
    }
    musicStream_ = stream;
    if (musicChannel_ != kNoHandle) {
        device.Stop(musicChannel_);
        musicChannel_ = kNoHandle;
    }
    ChannelHandle channel = kNoHandle;
    if (!Check(device.Play(stream, channel), Printf("Failed playSound() [%s]", file).c_str()))
        return;
    musicChannel_ = channel;
    ApplyMusicVolume();
}

void GUI_Sounds::StopMusic() {
    if (musicChannel_ == kNoHandle)
        return;
    if (started_)
        Check(Device().Stop(musicChannel_), "Failed to stop music");
    musicChannel_ = kNoHandle;
}

void GUI_Sounds::ApplyMusicVolume() {
    if (musicChannel_ == kNoHandle || !started_)
        return;
    AudioDevice& device = Device();
    Check(device.SetMute(musicChannel_, false), "Failed to un-mute music");
    Check(device.SetVolume(musicChannel_, GetOption(kOptionMusic)),
          "Failed to refresh music volume");
}

void GUI_Sounds::RestartMusic() {
    StopMusic();
    StartMusic();
    if (started_)
        Check(Device().SetMasterVolume(1.0f), "Failed to get master channel group");
}

void GUI_Sounds::SetMusicByMood() {
    float share = GetPotentialVoteRate();
    if (share < 0.33f)
        SetMusicTrack(2);
    else if (share < 0.66f)
        SetMusicTrack(0);
    else
        SetMusicTrack(1);
}

GUI_Sounds& GetSounds() {
    static GUI_Sounds sounds;
    gInstance = &sounds;
    return sounds;
}
