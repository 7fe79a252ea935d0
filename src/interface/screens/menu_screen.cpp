#include "interface/screens/menu_screen.h"

#include "base/debug_log.h"
#include "base/mission.h"
#include "base/translation.h"
#include "base/turn.h"
#include "interface/game_frame.h"
#include "interface/screens/save_game_screen.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "platform/render_device.h"

#include <algorithm>

namespace {

struct MenuEntry {
    const char* key;
    const char* tooltip;
    MenuAction action;
    bool onlyInGame;
};

// In a game, carrying on is the likeliest wish, so Resume leads the column.
constexpr MenuEntry kMenuEntries[] = {
    {"RESUMEGAME", "TOOLTIP_RESUMEGAME", MenuAction::Resume, true},
    {"NEW_GAME", "TOOLTIP_NEWGAME", MenuAction::NewGame, false},
    {"TUTORIAL", "TOOLTIP_TUTORIAL", MenuAction::PlayGuide, false},
    {"LOADGAME", "TOOLTIP_LOADGAME", MenuAction::LoadGame, false},
    {"SAVEGAME", "TOOLTIP_SAVEGAME", MenuAction::SaveGame, true},
    {"OPTIONS", "TOOLTIP_OPTIONS", MenuAction::Options, false},
    {"QUIT_GAME", "TOOLTIP_QUITGAME", MenuAction::Quit, false},
};

// The column sits left of centre, clear of the picture's focus, and stays centred on the same line
// whether it holds five buttons or seven.
constexpr float kButtonLeft = 150;
constexpr float kButtonWidth = 280;
constexpr float kButtonHeight = 48;
constexpr float kButtonPitch = 62;
constexpr float kColumnCentreY = 430;

constexpr unsigned kVersionColour = 0xFFBCBCBC;

} // namespace

void StartFreshNewGame() {
    // Always the default country, whatever was played before. Its start settings reach the
    // network when the new game is built; applying them now would land on the old game.
    ResetGameWindows();
    CMission& mission = GetMission();
    mission.Reset();
    mission.SetMissionFile(MissionFile(kDefaultMission));
    mission.Load();
    SetGameMode(GameMode::NewGame);
}

std::function<void()>& PlayGuideStarter() {
    static std::function<void()> starter;
    return starter;
}

void MenuGUIScreen::Activate() {
    windowManager.CloseAll();
    BuildButtons();
    fade = Fade::In;
    fadeTime = 0;
    pendingAction.reset();
}

void MenuGUIScreen::BuildButtons() {
    using ScreenLayout::S;
    root.buttons.clear();
    menuButtons.clear();
    root.SetRect(0, 0, ScreenLayout::ScreenWidth(), ScreenLayout::ScreenHeight());

    const bool inGame = IsGameInProgress();
    int count = 0;
    for (const MenuEntry& entry : kMenuEntries)
        if (inGame || !entry.onlyInGame)
            ++count;

    float y = kColumnCentreY - (count * kButtonPitch - (kButtonPitch - kButtonHeight)) / 2;
    for (const MenuEntry& entry : kMenuEntries) {
        if (entry.onlyInGame && !inGame)
            continue;
        auto* button = new GUI_ButtonText(entry.key);
        button->SetTooltip(entry.tooltip);
        button->SetRect(ScreenLayout::X(kButtonLeft), S(y),
                        ScreenLayout::X(kButtonLeft + kButtonWidth), S(y + kButtonHeight));
        const MenuAction action = entry.action;
        button->SetCallback([this, action](void*) { Choose(action); });
        if (action == MenuAction::SaveGame && IsGameOver()) {
            // A finished game has nothing left to play; saving it would only bring back the end.
            button->enabled = false;
            button->SetTooltip("TOOLTIP_SAVEGAME_OVER");
        }
        root.AddChild(button);
        menuButtons.push_back(button);
        y += kButtonPitch;
    }
}

void MenuGUIScreen::Choose(MenuAction action) {
    if (fade == Fade::Out)
        return;
    pendingAction = action;
    fade = Fade::Out;
    fadeTime = 0;
}

float MenuGUIScreen::Veil() const {
    const float t = std::clamp(fadeTime / kFadeSeconds, 0.0f, 1.0f);
    switch (fade) {
    case Fade::In:
        return 1 - t;
    case Fade::Out:
        return t;
    default:
        return 0;
    }
}

void MenuGUIScreen::Update() {
    GUI_WindowScreen::Update();
    if (fade == Fade::None)
        return;
    fadeTime += std::max(0.0f, GetInput().frameSeconds);
    if (fadeTime < kFadeSeconds)
        return;
    if (fade == Fade::In) {
        fade = Fade::None;
        return;
    }
    // The action may switch screens and come back here (resume, a failed load), so the fade is
    // settled before it runs.
    const std::optional<MenuAction> action = pendingAction;
    pendingAction.reset();
    fade = Fade::None;
    if (action)
        RunAction(*action);
}

bool MenuGUIScreen::OnLeftClick(float x, float y) {
    // The screen is on its way out: a second choice must not queue behind the first.
    if (fade == Fade::Out)
        return true;
    return GUI_WindowScreen::OnLeftClick(x, y);
}

void MenuGUIScreen::RunAction(MenuAction action) {
    switch (action) {
    case MenuAction::Quit:
        AskToSaveFirst(windowManager, "LEAVE_PROMPT_QUIT", [this]() { Proceed(MenuAction::Quit); });
        return;
    case MenuAction::NewGame:
        AskToSaveFirst(windowManager, "LEAVE_PROMPT_NEWGAME",
                       [this]() { Proceed(MenuAction::NewGame); });
        return;
    default:
        Proceed(action);
    }
}

void MenuGUIScreen::AskBeforeQuit() {
    RunAction(MenuAction::Quit);
}

void MenuGUIScreen::Proceed(MenuAction action) {
    switch (action) {
    case MenuAction::Quit:
        // Shutting down releases the display, so it waits until this frame has been shown.
        QueueGameAction([]() { Quit(); });
        break;
    case MenuAction::Options:
        SetGameMode(GameMode::Options);
        break;
    case MenuAction::LoadGame:
        SetGameMode(GameMode::LoadGame);
        break;
    case MenuAction::SaveGame:
        SetGameMode(GameMode::SaveGame);
        break;
    case MenuAction::NewGame:
        StartFreshNewGame();
        break;
    case MenuAction::Resume:
        SetGameMode(GameMode::Game);
        break;
    case MenuAction::OnlineUpdate:
        SetGameMode(GameMode::Internet);
        break;
    case MenuAction::PlayGuide:
        if (PlayGuideStarter())
            PlayGuideStarter()();
        else
            Log("The play guide is not available");
        // The guide may have left the menu; if not, the menu comes back into view.
        if (GetCurrentScreen() == this) {
            fade = Fade::In;
            fadeTime = 0;
        }
        break;
    }
}

void MenuGUIScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Escape && IsGameInProgress())
        Choose(MenuAction::Resume);
}

void MenuGUIScreen::DrawBackground() {
    ScreenLayout::DrawBackdrop("title.bmp", 0);
}

void MenuGUIScreen::DrawContent() {
    TextEngine& text = GetTextEngine();
    text.SetFont(ScreenLayout::kTextFont, ScreenLayout::kTextSize);
    // Set flush with the right edge, as far in from it as from the top, whatever the width.
    const float margin = ScreenLayout::S(10);
    text.DrawLine(kMenuVersionText,
                  ScreenLayout::ScreenWidth() - margin -
                      static_cast<float>(text.TextWidth(kMenuVersionText)),
                  margin, kVersionColour);

    const float veil = Veil();
    if (veil > 0) {
        // Text is batched until the end of the frame; it goes down now so the veil covers it.
        text.Flush();
        const unsigned alpha = static_cast<unsigned>(veil * 255.0f + 0.5f);
        GetRenderDevice().FillRect(0, 0, ScreenLayout::ScreenWidth(), ScreenLayout::ScreenHeight(),
                                   alpha << 24);
    }
}
