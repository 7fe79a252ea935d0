#include "interface/frame_benchmark.h"

#include "base/mission.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "interface/effects/fireworks.h"
#include "interface/effects/particle_system.h"
#include "interface/game_frame.h"
#include "interface/screens/main_screen/icon_base.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/windows/desk_windows.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "network/neuron.h"
#include "platform/input_state.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Where the mouse stays while a screen is timed; without one it sweeps across the screen.
struct RestingMouse {
    bool rests = false;
    float x = 0, y = 0;
};

void TimeScreen(const char* name, GameMode mode, int frames, bool switchMode = true,
                RestingMouse mouse = {}) {
    if (switchMode)
        SetGameMode(mode);
    // The first frames load what the screen needs on first use; a resting mouse needs long
    // enough for what it rests on to light up.
    for (int i = 0; i < (mouse.rests ? 80 : 10); ++i) {
        if (mouse.rests) {
            GetInput().mouseX = mouse.x;
            GetInput().mouseY = mouse.y;
        }
        Frame();
    }
    std::vector<double> times;
    for (int i = 0; i < frames; ++i) {
        // Sweep the mouse across the screen so hover and tooltips are part of the cost.
        GetInput().mouseX = mouse.rests ? mouse.x : static_cast<float>((i * 37) % 1024);
        GetInput().mouseY = mouse.rests ? mouse.y : static_cast<float>((i * 53) % 768);
        Frame();
        times.push_back(LastFrameWorkMs());
    }
    std::sort(times.begin(), times.end());
    std::printf("%-16s  %10.2f  %10.2f  %10.2f\n", name, times[times.size() / 2],
                times[times.size() * 95 / 100], times.back());
}

// The game screen at its dearest: the mouse resting on the icon with the most links, so its
// connectors run; the same under an open window; and, for scale, every icon's links at once.
void TimeGameScreen(int frames) {
    auto* screen = dynamic_cast<GUI_MainScreen*>(GetCurrentScreen());
    if (!screen)
        return;
    const GUI_IconBase* busiest = nullptr;
    for (const auto& icon : screen->Icons()) {
        if (!busiest || icon->connectors.size() > busiest->connectors.size())
            busiest = icon.get();
    }
    if (!busiest)
        return;
    std::printf("(%zu icons; the busiest, %s, has %zu links)\n", screen->Icons().size(),
                busiest->nodeName.c_str(), busiest->connectors.size());
    const RestingMouse onIcon{true, busiest->CentreX(), busiest->CentreY()};
    TimeScreen("game, links", GameMode::Game, frames, false, onIcon);
    OpenDebugObjectViewer(static_cast<int>(NeuronType::Situation));
    TimeScreen("game + window", GameMode::Game, frames, false);
    screen->Windows().CloseAll();
    screen->ShowAllConnectors(true);
    TimeScreen("game, all links", GameMode::Game, frames, false);
    screen->ShowAllConnectors(false);
}

// The fireworks over the results window of a victory. After a few seconds the bursts have
// reached their usual density; frames are then timed with the number of sparks each drew, and
// the busiest quarter of them (the most sparks) is reported on its own.
// Frames of whatever shows now, with the sparks alive at the start of each.
struct FrameSample {
    int sparks;
    double ms;
    double cpuMs;
};

std::vector<FrameSample> SampleFrames(int frames) {
    std::vector<FrameSample> samples;
    for (int i = 0; i < frames; ++i) {
        GetInput().mouseX = static_cast<float>((i * 37) % 1024);
        GetInput().mouseY = static_cast<float>((i * 53) % 768);
        const int sparks = GetParticles().LiveParticles();
        const double cpuStart = ThreadCpuMs();
        Frame();
        samples.push_back({sparks, LastFrameWorkMs(), ThreadCpuMs() - cpuStart});
    }
    return samples;
}

// Median, 95th percentile and worst of the clock and of the processor time: on a shared machine
// the clock also counts other programs' turns, this thread's processor time does not.
void PrintFrames(const char* name, const std::vector<FrameSample>& samples,
                 const std::string& note) {
    std::vector<double> clock, cpu;
    for (const FrameSample& sample : samples) {
        clock.push_back(sample.ms);
        cpu.push_back(sample.cpuMs);
    }
    std::sort(clock.begin(), clock.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-16s  %10.2f  %10.2f  %10.2f  %s\n", name, clock[clock.size() / 2],
                clock[clock.size() * 95 / 100], clock.back(), note.c_str());
    std::printf("%-16s  %10.2f  %10.2f  %10.2f  (processor time)\n", "", cpu[cpu.size() / 2],
                cpu[cpu.size() * 95 / 100], cpu.back());
}

// The results window of an election, then the fireworks over it. After a few seconds the bursts
// have reached their usual density; the frames are then timed with the number of sparks each
// drew, and the busiest quarter of them (the most sparks) is also reported on its own.
void TimeFireworks(int frames) {
    SIM_ElectionManager& elections = GetElectionManager();
    elections.ScheduleNextElection();
    GetCalendar().month = elections.electionMonth;
    GetCalendar().year = elections.electionYear;
    elections.CheckElection();
    // Without the window's front end the core has counted every vote itself: the window then
    // opens on the result.
    if (!FindGameWindow(WindowKind::ElectionResults))
        OpenElectionResults();
    auto* count =
        dynamic_cast<GUI_ElectionResultsWindow*>(FindGameWindow(WindowKind::ElectionResults));
    if (!count) {
        std::printf("fireworks: no results window opened\n");
        return;
    }
    for (int i = 0; i < 5000 && !count->Declared(); ++i)
        Frame();
    const int timed = std::max(frames, 200);
    if (!GetFireworks().IsActive())
        PrintFrames("results window", SampleFrames(timed), "");
    // The benchmark's country may well lose: the fireworks are lit whatever the voters said.
    if (!GetFireworks().IsActive())
        GetFireworks().Start(GetInput().timeMs, ScreenLayout::ScreenWidth(),
                             ScreenLayout::ScreenHeight());
    for (int i = 0; i < 240; ++i)
        Frame();
    std::vector<FrameSample> samples = SampleFrames(timed);
    PrintFrames("fireworks", samples, "");
    std::sort(samples.begin(), samples.end(),
              [](const FrameSample& a, const FrameSample& b) { return a.sparks > b.sparks; });
    samples.resize(samples.size() / 4);
    PrintFrames("fireworks, busy", samples,
                "(" + std::to_string(samples.back().sparks) + " to " +
                    std::to_string(samples.front().sparks) + " sparks)");
    CloseGameWindowsOfKind(WindowKind::ElectionResults);
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
    // The briefing of the new game would hold the mouse; the screen is timed without it.
    CloseGameWindowsOfKind(WindowKind::StartDialog);
    TimeScreen("game", GameMode::Game, frames);
    TimeGameScreen(frames);
    TimeFireworks(frames);
    TimeScreen("save game", GameMode::SaveGame, frames);
    Quit();
    return 0;
}
