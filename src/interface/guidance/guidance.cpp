#include "interface/guidance/guidance.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "government/election_manager.h"
#include "interface/game_frame.h"
#include "interface/guidance/guidance_window.h"
#include "interface/guidance/play_guide.h"
#include "interface/guidance/tutorial_manager.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/screens/menu_screen.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/gui_window_screen.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"

namespace {

// The windows the hint being shown belongs to, and its key; set only while a hint runs.
GUI_WindowManager* gHintWindows = nullptr;
std::string gHintKey;

// The guided game: the default country with a one-year term, so that the first election
// comes while the guide is still at the player's side.
void StartGuidedGame() {
    ResetGameWindows();
    CMission& mission = GetMission();
    mission.Reset();
    mission.SetMissionFile(MissionFile(kDefaultMission));
    mission.Load();
    mission.termLength = 1;
    GetElectionManager().SetTermMonths(12);
    // The game screen, and with it the windows the guide opens in, must exist before the first
    // step runs.
    GetScreenForMode(GameMode::Game);
    StartNewGame();
    // The guide introduces the country itself.
    CloseGameWindowsOfKind(WindowKind::StartDialog);
}

} // namespace

void StartGuidance() {
    TutorialManager& tutorial = GetTutorial();
    tutorial.holdBack = [] { return GetPlayGuide().IsActive(); };
    tutorial.Load(GetUserDir());
    ScreenHintHook() = [](const std::string& key, GUI_WindowManager& windows) {
        gHintWindows = &windows;
        gHintKey = key;
        GetTutorial().ShowHint(key);
        gHintWindows = nullptr;
        gHintKey.clear();
    };

    PlayGuide& guide = GetPlayGuide();
    guide.startGame = StartGuidedGame;
    guide.returnToMenu = [] { SetGameMode(GameMode::Menu); };
    // The new game is long work: it starts once the menu's frame is over.
    PlayGuideStarter() = [] { QueueGameAction([] { GetPlayGuide().Start(); }); };
    PlayGuideButtonCheck() = [](const std::string& id) {
        return GetPlayGuide().IsButtonAllowed(id);
    };
    GetScreenGuide().onPermittedClick = [](const std::string&) { GetPlayGuide().Next(); };
}

void StopGuidance() {
    GetTutorial().Save();
    PlayGuideButtonCheck() = nullptr;
    ScreenHintHook() = nullptr;
    PlayGuideStarter() = nullptr;
    GetScreenGuide().onPermittedClick = nullptr;
}

void OpenTutorialWindow(const std::string& text, float x, float y) {
    GUI_WindowManager* windows = gHintWindows;
    if (!windows) {
        if (auto* screen = dynamic_cast<GUI_WindowScreen*>(GetCurrentScreen()))
            windows = &screen->Windows();
    }
    if (!windows)
        windows = GameWindowManager();
    if (!windows) {
        LogF("No screen to show the hint on: %.200s", text.c_str());
        return;
    }
    ShowHintWindow(*windows, text, x, y, gHintKey);
}
