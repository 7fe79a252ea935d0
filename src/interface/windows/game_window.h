#pragma once
// GUI_GameWindow: the frame every window over the game screen shares: a titled dialog of a given
// design size (1024 x 768 design pixels, scaled like the screens), placed in the middle of the
// room above the control panel and stepped down and right from the game windows already open
// (PlaceGameWindow), draggable by its body,
// closed by its X or by Escape. Each has a kind ("PolicyDetails") that tests and scripts find it
// by, and a name that tells apart windows of one kind open together ("PolicyDetails:IncomeTax").

#include "interface/widgets/gui_dialog.h"

#include <functional>
#include <memory>
#include <string>

class GUI_WindowManager;

class GUI_GameWindow : public GUI_Dialog {
public:
    GUI_GameWindow(const std::string& kind, const std::string& titleKey, float designWidth,
                   float designHeight);

    std::string DumpKind() const override { return kind; }
    // Lays the content out once the window has its place; ShowGameWindow calls it once.
    virtual void Build() {}
    // Brings the figures up to date after a turn, a load or an action elsewhere; windows that
    // show the state of the game override it.
    virtual void Refresh() {}

    // A design length in game pixels (the interface scale applied).
    static float S(float designPixels);

    const std::string kind;
    const float designWidth, designHeight;
};

// The window manager of the game screen; null until the game screen exists.
GUI_WindowManager* GameWindowManager();
void SetGameWindowManager(GUI_WindowManager* windows);

// Opens the window that make builds over the game screen, unless a window of that name is open
// already: that one comes to the front instead, and make is not called. Returns the window now
// showing, or null when there is no game screen or make built nothing.
GUI_GameWindow* ShowGameWindow(const std::string& name,
                               const std::function<std::unique_ptr<GUI_GameWindow>()>& make,
                               bool modal = false);
// Where a game window of that size opens: in the middle of the screen, stepped by step down and
// right from there, and moved up as far as it takes to keep clear of the control panel, so that
// the panel's buttons stay in reach. A window taller than the room above the panel covers the
// top strip rather than the panel.
struct WindowPlace {
    float left = 0, top = 0;
};
WindowPlace PlaceGameWindow(float screenWidth, float screenHeight, float width, float height,
                            float step);
// The open game window of that name, or null.
GUI_GameWindow* FindGameWindow(const std::string& name);
// Closes every open game window of a kind; returns how many closed.
int CloseGameWindowsOfKind(const std::string& kind);
// Refresh on every open game window (after a turn, a load, an action).
void RefreshGameWindows();
