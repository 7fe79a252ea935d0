#pragma once
// The play guide: a guided first game of the default country. Each step is a script; the guide
// window's button (or the one button or icon a step asks for) moves to the next. While the guide
// runs, a step may hide kinds of icons, allow only one button, or only some icons, so that the
// newcomer cannot wander off the path by clicking elsewhere.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class GuidanceWindow;

inline constexpr const char kPlayGuideFile[] = "data/playguide.csv";
inline constexpr const char kResetInterfaceScript[] = "data/simulation/scripts/resetui.txt";
inline constexpr const char kGuideNextButton[] = "PlayGuideNextButton";

class PlayGuide {
public:
    PlayGuide();
    ~PlayGuide();

    // A new game of the default country, then the first step. Steps come from stepFile.
    void Start();
    // Reads the list of step scripts; a missing file or an empty list is reported. False then.
    bool LoadSteps(const std::string& stepFile = kPlayGuideFile);
    // Moves to the next step and runs it; past the last one the guide ends.
    void Next();
    // Closes the guide window, puts the interface back as it was and returns to the menu.
    void End();

    bool IsActive() const { return active; }
    // May the button with this identifier take a click? Pressing the one allowed button also
    // moves the guide on, before the button's own action runs.
    bool IsButtonAllowed(const std::string& identifier);

    // The script commands' targets.
    void SetAllowedButton(const std::string& identifier) { allowedButton = identifier; }
    void ClearAllowedButtons() { allowedButton.clear(); }
    void OpenWindow(const std::string& text, float x, float y);
    // The guide window stops holding the mouse: the rest of the interface takes clicks again.
    void AllowClicks();
    // Once a frame: the adviser stays above windows that opened after it (a window a guided
    // click opens arrives after the step that explains it).
    void KeepWindowOnTop();

    const std::string& AllowedButton() const { return allowedButton; }
    const std::vector<std::string>& Steps() const { return steps; }
    // The position of the current step; Steps().size() once the list is exhausted.
    size_t CurrentStep() const { return current; }
    GuidanceWindow* Window() const { return window.get(); }

    // What the guide does to the world, replaceable by tests: set up the guided game, run a
    // step's script, and return to the menu.
    std::function<void()> startGame;
    std::function<void(const std::string& script)> runScript;
    std::function<void()> returnToMenu;

private:
    void RunCurrent();
    void CloseWindow();

    bool active = false;
    std::string allowedButton;
    std::vector<std::string> steps;
    size_t current = 0;
    std::unique_ptr<GuidanceWindow> window;
};

PlayGuide& GetPlayGuide();
