#pragma once
// GUI_WindowScreen: a whole screen built from the element tree. It owns a root window that covers
// the screen (its buttons are the screen's own controls) and a window manager for the windows and
// dialogs opened over it, and forwards the frame's update, drawing, clicks and keys to both.

#include "interface/widgets/gui_screen.h"
#include "interface/widgets/gui_window_base.h"
#include "interface/widgets/gui_window_manager.h"

class GUI_WindowScreen : public BaseGUIScreen {
public:
    // The root covers the whole game area.
    GUI_WindowScreen();

    // The open windows first (topmost down), then the root; the mouse is free again at the start.
    void Update() override;
    // DrawBackground, the root and DrawContent (unless a full-screen page replaces them), then the
    // windows. Tooltips come later, from the frame's end.
    void Draw() override;
    // The windows first, then the root's buttons and child windows; the root's empty area
    // takes nothing, so a subclass may handle the click itself when this returns false.
    bool OnLeftClick(float x, float y) override;
    bool OnRightClick(float x, float y) override;
    // Escape goes to the windows first; keys they leave go to OnScreenKey.
    void OnKey(int keyCode) override;
    // The root spans the new width; its buttons, child windows and the open windows keep their
    // places relative to the middle (where screens centre their panels) and stay on the screen.
    void Relayout(float oldWidth) override;
    // The root's buttons and child windows, then the open windows, modal windows and pages.
    void Describe(JsonWriter& json) const override;
    // Modal windows first, then the other windows and pages from the topmost, then the root.
    const GUI_ButtonBase* FindButton(const std::string& identifier) const override;

    GUI_WindowBase& Root() { return root; }
    GUI_WindowManager& Windows() { return windowManager; }

protected:
    // Drawn once and kept: it must not change while the screen shows.
    virtual void DrawBackground() {}
    // Drawn above the root's buttons and below the windows.
    virtual void DrawContent() {}
    virtual void OnScreenKey(int /*keyCode*/) {}

    // The open windows move by dx, each held inside the screen's width.
    void ShiftWindows(int dx);

    GUI_WindowBase root;
    GUI_WindowManager windowManager;

private:
    // Names this screen's background layer.
    int layerId;
};
