#pragma once
// GUI_Sounds: the one sound manager. Plays short effects from a cache keyed by file name and one
// looping music track chosen by the game's mood, with volumes from the options.

#include "platform/audio_device.h"

#include <string>
#include <vector>

class GUI_Sounds {
public:
    // The library underneath; the silent device until the window installs a real one.
    static void SetDevice(AudioDevice* device);

    bool Start();
    void Shutdown();
    void Update();
    ChannelHandle PlayEffect(const std::string& path, bool loop = false);
    ChannelHandle PlayEffect(const std::string& path, float volume, float pan);
    void MenuClick(int flag);
    void SetMusicTrack(int track);
    void StartMusic();
    void StopMusic();
    void ApplyMusicVolume();
    void RestartMusic();
    // Track 2 below a third of the vote, 0 below two thirds, 1 above.
    void SetMusicByMood();

    static std::string TrackFile(int track);
    int CurrentTrack() const { return currentTrack_; }
    int LastRequestedTrack() const { return lastRequested_; }
    ChannelHandle MusicChannel() const { return musicChannel_; }
    bool IsStarted() const { return started_; }

private:
    struct CachedSound {
        std::string name;
        SoundHandle handle;
    };
    bool Check(int error, const char* message);
    std::vector<CachedSound> cache_;
    std::vector<std::string> missingTracks_;
    ChannelHandle musicChannel_ = kNoHandle;
    SoundHandle musicStream_ = kNoHandle;
    int currentTrack_ = 0;
    int lastRequested_ = 0;
    bool started_ = false;
};

GUI_Sounds& GetSounds();
