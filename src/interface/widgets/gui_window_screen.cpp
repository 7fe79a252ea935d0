#include "interface/widgets/gui_window_screen.h"

#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "platform/render_device.h"

#include <cmath>
#include <string>

namespace {
int gNextLayerId = 0;
} // namespace

GUI_WindowScreen::GUI_WindowScreen() : layerId(gNextLayerId++) {
    RenderDevice& device = GetRenderDevice();
    root.SetRect(0, 0, static_cast<float>(device.GameWidth()),
                 static_cast<float>(device.GameHeight()));
    // The root is the screen itself: hovering it must not hide the mouse from its own buttons'
    // tooltips or from anything the screen draws.
    root.takesMouse = false;
    root.closeOnEscape = false;
    // Its empty area is the screen's own: a screen that draws more than buttons decides there.
    root.clickThrough = true;
}

void GUI_WindowScreen::Update() {
    GetInput().mouseTaken = false;
    windowManager.UpdateWindows();
    root.Update();
}

void GUI_WindowScreen::Draw() {
    if (!windowManager.DrawPages()) {
        // The backgrounds of the screens never change while they show, and their panels and
        // veils are the dearest drawing of a frame: they are drawn once and copied after.
        RenderDevice& device = GetRenderDevice();
        const std::string layer = "screen-background-" + std::to_string(layerId);
        if (device.BeginLayer(layer)) {
            DrawBackground();
            GetTextEngine().Flush();
            device.EndLayer();
        }
        device.DrawLayer(layer);
        root.Draw();
        DrawContent();
    }
    windowManager.DrawWindows();
}

const GUI_ButtonBase* GUI_WindowScreen::FindButton(const std::string& identifier) const {
    for (const auto* list :
         {&windowManager.ModalWindows(), &windowManager.OpenWindows(), &windowManager.Pages()}) {
        for (auto window = list->rbegin(); window != list->rend(); ++window) {
            if (const GUI_ButtonBase* found = (*window)->FindButton(identifier))
                return found;
        }
    }
    return root.FindButton(identifier);
}

bool GUI_WindowScreen::OnLeftClick(float x, float y) {
    if (windowManager.OnLeftClick(x, y))
        return true;
    return root.OnLeftClick(x, y);
}

bool GUI_WindowScreen::OnRightClick(float x, float y) {
    if (windowManager.OnRightClick(x, y))
        return true;
    return root.OnRightClick(x, y);
}

void GUI_WindowScreen::OnKey(int keyCode) {
    if (keyCode == KeyCode::Escape && windowManager.OnEscape())
        return;
    OnScreenKey(keyCode);
}

void GUI_WindowScreen::Relayout(float oldWidth) {
    RenderDevice& device = GetRenderDevice();
    const float width = static_cast<float>(device.GameWidth());
    const int dx = static_cast<int>(std::lround((width - oldWidth) / 2));
    root.SetRect(0, 0, width, static_cast<float>(device.GameHeight()));
    for (auto& button : root.buttons)
        button->SetRect(static_cast<float>(button->left + dx), static_cast<float>(button->top),
                        static_cast<float>(button->right + dx), static_cast<float>(button->bottom));
    for (const auto& child : root.Children())
        child->ShiftBy(dx, 0);
    ShiftWindows(dx);
}

void GUI_WindowScreen::ShiftWindows(int dx) {
    const int width = GetRenderDevice().GameWidth();
    for (const auto* list :
         {&windowManager.OpenWindows(), &windowManager.ModalWindows(), &windowManager.Pages()}) {
        for (GUI_WindowBase* window : *list) {
            int move = dx;
            if (window->right + move > width)
                move = width - window->right;
            // A window wider than the screen keeps its left edge (its title) in sight.
            if (window->left + move < 0)
                move = -window->left;
            window->ShiftBy(move, 0);
        }
    }
}
