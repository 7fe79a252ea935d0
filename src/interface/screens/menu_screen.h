#pragma once
// MenuGUIScreen: the main menu, shown after start-up and whenever the player steps out of another
// screen. Its buttons lead to every other front-end screen; a chosen action runs once the short
// fade out has finished, so the screen never changes under a half-drawn frame.

#include "interface/widgets/gui_window_screen.h"

#include <functional>
#include <vector>

class GUI_ButtonText;

// What a menu button does once the fade out completes.
namespace MenuAction {
inline constexpr int Quit = 0;
inline constexpr int Options = 1;
inline constexpr int LoadGame = 2;
inline constexpr int SaveGame = 3;
inline constexpr int NewGame = 4;
inline constexpr int Resume = 5;
inline constexpr int OnlineUpdate = 6;
inline constexpr int PlayGuide = 7;
} // namespace MenuAction

inline constexpr const char kDefaultMissionFile[] = "data/missions/USA.txt";
inline constexpr const char kMenuVersionText[] = "Marrowgate 1.0";

// The play guide installs its starter here; until then the menu's play-guide button only logs.
std::function<void()>& PlayGuideStarter();

class MenuGUIScreen : public GUI_WindowScreen {
public:
    static constexpr float kFadeSeconds = 0.25f;

    // Builds the buttons for the current state of play and starts the fade in.
    void Activate() override;
    // Moves the fade on by the frame's time; the pending action runs when the fade out ends.
    void Update() override;
    bool OnLeftClick(float x, float y) override;

    // A button's choice: starts the fade out (ignored while one is already under way).
    void Choose(int action);
    // The action's effect, at once.
    void RunAction(int action);

    const std::vector<GUI_ButtonText*>& MenuButtons() const { return menuButtons; }
    bool IsFadingOut() const { return fade == Fade::Out; }
    // 1 while the screen is hidden behind the fade, 0 when fully shown.
    float Veil() const;

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    enum class Fade { None, In, Out };
    void BuildButtons();

    std::vector<GUI_ButtonText*> menuButtons;
    Fade fade = Fade::None;
    float fadeTime = 0;
    int pendingAction = -1;
};
