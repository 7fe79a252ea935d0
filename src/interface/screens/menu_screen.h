#pragma once
// MenuGUIScreen: the main menu, shown after start-up and whenever the player steps out of another
// screen. Its buttons lead to every other front-end screen; a chosen action runs once the short
// fade out has finished, so the screen never changes under a half-drawn frame.

#include "interface/widgets/gui_window_screen.h"

#include <functional>
#include <optional>
#include <vector>

class GUI_ButtonText;

// What a menu button does once the fade out completes, with the actions' fixed codes.
enum class MenuAction : int {
    Quit = 0,
    Options = 1,
    LoadGame = 2,
    SaveGame = 3,
    NewGame = 4,
    Resume = 5,
    OnlineUpdate = 6,
    PlayGuide = 7,
};

inline constexpr const char kMenuVersionText[] = "Marrowgate 1.0";

// A new game of the default country, whatever was played before: the new-game screen opens on it.
void StartFreshNewGame();

// The play guide installs its starter here; without one the menu's play-guide button only logs.
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
    void Choose(MenuAction action);
    // The action's effect. Quitting and starting afresh first offer to save a game that has
    // progress to lose.
    void RunAction(MenuAction action);
    // The window is being closed: the same question as the Quit button.
    void AskBeforeQuit();

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
    // The action's effect, at once, with no question asked.
    void Proceed(MenuAction action);

    std::vector<GUI_ButtonText*> menuButtons;
    Fade fade = Fade::None;
    float fadeTime = 0;
    std::optional<MenuAction> pendingAction;
};
