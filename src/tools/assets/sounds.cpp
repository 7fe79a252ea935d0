// The sounds step: renders the effects and the music, encodes them as Ogg Vorbis and reads every
// file back to make sure it decodes to the length and level that was meant.

#include "tools/assets/asset_steps.h"
#include "tools/assets/effects.h"
#include "tools/assets/music.h"
#include "tools/assets/ogg_writer.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {

constexpr float kEffectQuality = 0.4f;
constexpr float kMusicQuality = 0.3f;

struct Written {
    std::string path;
    size_t frames;
    int channels;
    float peakDb;
    bool loops;
};

float ToDb(float gain) {
    return 20.0f * std::log10(std::max(gain, 1e-9f));
}

// A loop is seamless when stepping from its last sample to its first is no bigger a jump than
// the signal makes anyway on either side of the seam.
bool SeamIsSmooth(const std::vector<float>& samples, float& jump, float& usual) {
    const size_t n = samples.size();
    const size_t window = std::min<size_t>(2048, n / 2);
    usual = 0.0f;
    for (size_t i = 0; i + 1 < window; ++i) {
        usual = std::max(usual, std::fabs(samples[i + 1] - samples[i]));
        usual = std::max(usual, std::fabs(samples[n - 1 - i] - samples[n - 2 - i]));
    }
    jump = std::fabs(samples.front() - samples.back());
    return jump <= std::max(1.5f * usual, 0.01f);
}

// Reads the file back and prints one line about it; false (with the reason) when it is not what
// was written.
bool Check(const Written& w, std::mutex& printing) {
    DecodedOgg decoded;
    if (!ReadOggVorbis(w.path, decoded))
        return false;
    std::vector<std::string> faults;
    if (decoded.channels != w.channels || decoded.rate != kSampleRate)
        faults.push_back("has " + std::to_string(decoded.channels) + " channels at " +
                         std::to_string(decoded.rate) + " Hz");
    const size_t frames = decoded.samples.empty() ? 0 : decoded.samples[0].size();
    if (frames != w.frames)
        faults.push_back("decodes to " + std::to_string(frames) + " samples, not " +
                         std::to_string(w.frames));
    float peak = 0.0f;
    double energy = 0.0;
    for (const auto& channel : decoded.samples) {
        peak = std::max(peak, Peak(channel));
        for (float v : channel)
            energy += static_cast<double>(v) * v;
    }
    if (peak > 0.98f)
        faults.push_back("clips (peak " + std::to_string(peak) + ")");
    if (ToDb(peak) < w.peakDb - 3.0f)
        faults.push_back("is too quiet (peak " + std::to_string(ToDb(peak)) + " dB)");
    std::string seam;
    if (w.loops && frames > 4096) {
        for (const auto& channel : decoded.samples) {
            float jump = 0, usual = 0;
            if (!SeamIsSmooth(channel, jump, usual))
                faults.push_back("clicks where it loops (jump " + std::to_string(jump) +
                                 ", usual steps up to " + std::to_string(usual) + ")");
            char text[64];
            std::snprintf(text, sizeof text, "  seam %.4f/%.4f", jump, usual);
            seam += text;
        }
    }
    const double rms = std::sqrt(energy / std::max<size_t>(1, frames * decoded.channels));
    std::error_code error;
    const auto bytes = std::filesystem::file_size(w.path, error);
    std::lock_guard<std::mutex> lock(printing);
    std::printf("  %-18s %6.2f s  peak %5.1f dB  rms %5.1f dB  %5ld KB%s\n",
                w.path.substr(w.path.find_last_of('/') + 1).c_str(),
                static_cast<double>(frames) / kSampleRate, ToDb(peak),
                ToDb(static_cast<float>(rms)), error ? -1L : static_cast<long>(bytes / 1024),
                seam.c_str());
    for (const std::string& fault : faults)
        std::fprintf(stderr, "marrowgate-assets: %s %s\n", w.path.c_str(), fault.c_str());
    return faults.empty();
}

bool WriteMusic(MusicTrack& track, const std::string& folder, std::mutex& printing) {
    if (!track.score.Problems().empty()) {
        std::lock_guard<std::mutex> lock(printing);
        for (const std::string& problem : track.score.Problems())
            std::fprintf(stderr, "marrowgate-assets: %s: %s\n", track.fileName.c_str(),
                         problem.c_str());
        return false;
    }
    Stereo audio = track.score.Render(track.roomSize, track.damping, track.wet, 7);
    NormaliseTo(-3.0f, audio.left, &audio.right);
    const Written w{folder + "/" + track.fileName, audio.Frames(), 2, -3.0f, true};
    return WriteOggVorbis(w.path, audio.left, &audio.right, kMusicQuality, true) &&
           Check(w, printing);
}

} // namespace

bool MakeSounds(const std::string& dataDir) {
    const auto started = std::chrono::steady_clock::now();
    const std::string folder = dataDir + "/sounds";
    const std::string musicFolder = folder + "/music";
    std::error_code error;
    std::filesystem::create_directories(musicFolder, error);
    if (error) {
        std::fprintf(stderr, "marrowgate-assets: cannot create %s: %s\n", musicFolder.c_str(),
                     error.message().c_str());
        return false;
    }

    std::mutex printing;
    std::atomic<bool> ok{true};
    std::printf("sounds:\n");
    for (EffectSound& effect : MakeEffects()) {
        std::vector<float>* right = effect.stereo ? &effect.audio.right : nullptr;
        NormaliseTo(effect.peakDb, effect.audio.left, right);
        const Written w{folder + "/" + effect.fileName, effect.audio.left.size(),
                        effect.stereo ? 2 : 1, effect.peakDb, false};
        if (!WriteOggVorbis(w.path, effect.audio.left, right, kEffectQuality) ||
            !Check(w, printing))
            ok = false;
    }

    // The tracks are independent; two at a time keeps both cores busy.
    std::vector<MusicTrack> tracks = ComposeMusic();
    std::atomic<size_t> next{0};
    auto worker = [&] {
        for (size_t i = next++; i < tracks.size(); i = next++)
            if (!WriteMusic(tracks[i], musicFolder, printing))
                ok = false;
    };
    std::thread helper(worker);
    worker();
    helper.join();

    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("sounds: done in %.1f s\n", seconds);
    return ok;
}
