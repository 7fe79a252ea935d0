// marrowgate-bench: times the set-up of the default country, its turns, and saving and loading it
// at several population sizes, each size in its own child process so that its peak memory is its
// own; then the frames of the window, beginning with a menu-like frame against its budget.

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/front_end.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "base/user_settings.h"
#include "game/load_game.h"
#include "game/startup.h"
#include "game/turn_pipeline.h"
#include "interface/frame_benchmark.h"
#include "network/neural_effect.h"
#include "platform/image_file.h"
#include "platform/sdl_display.h"
#include "saveload/save_reader.h"
#include "saveload/save_writer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2.0;
}

void StartNewGame() {
    GetMission().Reset();
    GetMission().SetMissionFile(MissionFile(kDefaultMission));
    GetMission().Load();
    NewGameSetup(kDefaultMission);
}

// Runs one population size and prints its line; called in a child process.
int RunSize(int voters, int setups, int turns) {
    SeedRandom(12345);
    // The autosave would put a whole save into every turn; saving is timed on its own below.
    SetOption("AUTOSAVE", 0.0f);
    GetSetupTable().SetFloat("AIENTITIES", static_cast<float>(voters));

    std::vector<double> setupTimes;
    for (int i = 0; i < setups; ++i) {
        auto start = Clock::now();
        StartNewGame();
        setupTimes.push_back(Milliseconds(start, Clock::now()));
    }
    std::vector<double> turnTimes;
    for (int i = 0; i < turns; ++i) {
        auto start = Clock::now();
        ProcessNewTurn();
        turnTimes.push_back(Milliseconds(start, Clock::now()));
    }
    std::vector<double> saveTimes, loadTimes;
    // Saves are timed at the sizes players use; a 100,000-voter save file is not one of them.
    for (int i = 0; i < (voters <= 20000 ? 3 : 0); ++i) {
        auto start = Clock::now();
        const bool saved = SaveGame("bench");
        saveTimes.push_back(Milliseconds(start, Clock::now()));
        start = Clock::now();
        const bool loaded = saved && LoadGame("bench") == LoadResult::Loaded;
        loadTimes.push_back(Milliseconds(start, Clock::now()));
        if (!loaded) {
            std::fprintf(stderr, "marrowgate-bench: the save and load of %d voters failed\n",
                         voters);
            return 1;
        }
    }
    std::printf("%9d  %12.1f  %12.2f", voters, Median(setupTimes), Median(turnTimes));
    if (saveTimes.empty()) {
        std::printf("  %12s  %12s  %12s", "-", "-", "-");
    } else {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(SavePath("bench"), error);
        std::printf("  %12.1f  %12.1f  %12.0f", Median(saveTimes), Median(loadTimes),
                    error ? 0.0 : static_cast<double>(bytes) / 1024.0);
    }
    std::fflush(stdout);
    return 0;
}

// A data root of links to the shipped files, with the window's settings, log and user folder kept
// beside it and removed with it, so a benchmark leaves the player's own files alone.
std::string MakeScratchDataRoot(const std::string& root) {
    namespace fs = std::filesystem;
    char rootTemplate[] = "/tmp/marrowgate-bench-root-XXXXXX";
    const char* scratch = mkdtemp(rootTemplate);
    if (!scratch)
        return {};
    std::error_code error;
    fs::create_directories(fs::path(scratch) / "data", error);
    for (const auto& entry : fs::directory_iterator(fs::path(root) / "data", error)) {
        std::string name = entry.path().filename().string();
        fs::path target = fs::path(scratch) / "data" / name;
        if (name != "debugdata")
            fs::create_directory_symlink(fs::absolute(entry.path()), target, error);
    }
    return scratch;
}

// A menu-like frame drawn straight to the display: a background, ten sprites and 500 glyphs at
// the full game size. Drawing text glyph by glyph, or allocating in every frame, would take it
// far past the budget. Processor time, not wall time: the software renderer draws on this
// thread alone, so a busy machine does not inflate the figure.
constexpr double kMenuFrameBudgetMs = 5.0;

void TimeDisplayFrame(const std::string& folder, int frames) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    std::vector<Argb> background(1024 * 768, 0xFF203040), glyphs(240 * 240, 0x80FFFFFF);
    SdlDisplay display;
    if (!SavePngFile(folder + "/bg.png", background, 1024, 768) ||
        !SavePngFile(folder + "/font.png", glyphs, 240, 240) ||
        !display.Open("bench", 1024, 768, true)) {
        std::printf("\nDisplay frame: the display could not start\n");
        return;
    }
    display.LoadTexturesFrom(folder);
    const TextureId bg = display.FindTexture("bg.png"), font = display.FindTexture("font.png");
    std::vector<QuadVertex> text(2000);
    for (int g = 0; g < 500; ++g) {
        const float x = 20.f + (g % 40) * 24, y = 100.f + (g / 40) * 26;
        const float u = (g % 10) / 10.f, v = (g / 10 % 10) / 10.f;
        text[4 * g] = {x, y, 0xFFFFFFFF, u, v};
        text[4 * g + 1] = {x + 24, y, 0xFFFFFFFF, u + 0.1f, v};
        text[4 * g + 2] = {x + 24, y + 24, 0xFFFFFFFF, u + 0.1f, v + 0.1f};
        text[4 * g + 3] = {x, y + 24, 0xFFFFFFFF, u, v + 0.1f};
    }
    std::vector<double> times;
    for (int f = 0; f < frames; ++f) {
        const std::clock_t start = std::clock();
        display.BeginFrame();
        display.DrawPicture(bg, 0, 0, 1024, 768);
        for (int s = 0; s < 10; ++s)
            display.DrawPicture(font, 100.f + s * 80, 600, 170.f + s * 80, 640, 0xC0FFFFFF);
        display.DrawQuads(font, text.data(), static_cast<int>(text.size()), true);
        display.EndFrame();
        display.Present();
        times.push_back(1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
    }
    display.ReleaseTextures();
    display.Close();
    const double median = Median(times);
    std::printf("\nDisplay frame (background, ten sprites, 500 glyphs), processor time: median "
                "%.2f ms, budget %.1f ms%s\n",
                median, kMenuFrameBudgetMs, median > kMenuFrameBudgetMs ? ": OVER BUDGET" : "");
}

int RunFrames(const std::string& root, int frames) {
    ShutdownCore(false);
    std::string scratch = MakeScratchDataRoot(root);
    if (scratch.empty() || chdir(scratch.c_str()) != 0)
        return 1;
    SetDataRoot(scratch);
    SetConfigDir(scratch + "/config");
    SetStateDir(scratch + "/state");
    TimeDisplayFrame(scratch, frames);
    int result = RunFrameBenchmark(scratch + "/user", frames);
    // The child leaves through _exit, which would drop what is still buffered.
    std::fflush(stdout);
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    return result;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes = {2000, 20000, 100000};
    int turns = 10;
    int frames = 300;
    std::string dataRoot;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--voters" && i + 1 < argc) {
            sizes = {std::atoi(argv[++i])};
        } else if (arg == "--turns" && i + 1 < argc) {
            turns = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--frames" && i + 1 < argc) {
            frames = std::max(0, std::atoi(argv[++i]));
        } else if (arg == "--data-root" && i + 1 < argc) {
            dataRoot = argv[++i];
        } else {
            std::fprintf(stderr, "Usage: marrowgate-bench [--voters N] [--turns N] [--frames N] "
                                 "[--data-root DIR]\n");
            return 2;
        }
    }
    std::string root, error;
    if (!FindDataRoot(dataRoot, root, error)) {
        std::fprintf(stderr, "marrowgate-bench: %s\n", error.c_str());
        return 2;
    }
    SetDataRoot(root);
    char userTemplate[] = "/tmp/marrowgate-bench-XXXXXX";
    const char* userDir = mkdtemp(userTemplate);
    if (!userDir || !StartCore(userDir)) {
        std::fprintf(stderr, "marrowgate-bench: cannot make a scratch user folder\n");
        return 2;
    }
    GetHeadlessFrontEnd().quietBoxes = true;

    std::printf("Default country, %d turns per size, single-threaded\n", turns);
    std::printf("%9s  %12s  %12s  %12s  %12s  %12s  %12s\n", "voters", "set-up ms", "turn ms",
                "save ms", "load ms", "save KB", "peak MB");
    for (int voters : sizes) {
        std::fflush(stdout);
        pid_t child = fork();
        if (child == 0)
            _exit(RunSize(voters, voters >= 50000 ? 1 : 3, turns));
        int status = 0;
        struct rusage usage;
        if (child < 0 || wait4(child, &status, 0, &usage) < 0 || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0) {
            std::printf("%9d  failed\n", voters);
            continue;
        }
        std::printf("  %12.1f\n", usage.ru_maxrss / 1024.0);
    }
    if (frames > 0) {
        std::fflush(stdout);
        pid_t child = fork();
        if (child == 0)
            _exit(RunFrames(root, frames));
        int status = 0;
        if (child < 0 || waitpid(child, &status, 0) < 0 || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            std::printf("frame timing failed\n");
    }
    std::error_code ignored;
    std::filesystem::remove_all(userDir, ignored);
    return 0;
}
