#include "interface/frame_benchmark.h"

#include "base/mission.h"
#include "interface/game_frame.h"
#include "platform/input_state.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void TimeScreen(const char* name, GameMode mode, int frames, bool switchMode = true) {
    if (switchMode)
        SetGameMode(mode);
    // The first frames load what the screen needs on first use.
    for (int i = 0; i < 10; ++i)
        Frame();
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) {
        // Sweep the mouse across the screen so hover and tooltips are part of the cost.
        GetInput().mouseX = static_cast<float>((i * 37) % 1024);
        GetInput().mouseY = static_cast<float>((i * 53) % 768);
        Frame();
        times.push_back(LastFrameWorkMs());
    }
    std::sort(times.begin(), times.end());
    std::printf("%-16s  %10.2f  %10.2f  %10.2f\n", name, times[times.size() / 2],
                times[times.size() * 95 / 100], times.back());
}

} // namespace

int RunFrameBenchmark(const std::string& userDir, int frames) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    FrameSettings settings;
    settings.userDirOverride = userDir;
    settings.seed = 12345;
    settings.seedGiven = true;
    if (!Init(settings)) {
        std::fprintf(stderr, "marrowgate-bench: the window could not start\n");
        return 1;
    }
    std::printf("\nFrames at 1024 x 768, SDL software renderer, %d frames per screen\n", frames);
    // The worst frame mostly measures what else the machine was doing; the 95th percentile is
    // the steadier figure.
    std::printf("%-16s  %10s  %10s  %10s\n", "screen", "median ms", "95% ms", "worst ms");
    TimeScreen("main menu", GameMode::Menu, frames);
    TimeScreen("options", GameMode::Options, frames);
    TimeScreen("load game", GameMode::LoadGame, frames);
    GetMission().Reset();
    GetMission().SetMissionFile(MissionFile(kDefaultMission));
    GetMission().Load();
    TimeScreen("new game", GameMode::NewGame, frames);
    StartNewGame();
    TimeScreen("processing", GameMode::Processing, frames, false);
    TimeScreen("game", GameMode::Game, frames);
    TimeScreen("save game", GameMode::SaveGame, frames);
    Quit();
    return 0;
}
