#include "interface/widgets/gui_scrolling_window.h"

#include "interface/widgets/gui_buttons.h"
#include "platform/input_state.h"

#include <algorithm>

namespace {
// Pixels one notch of the wheel moves the content: about one row of a list.
constexpr int kWheelStep = 40;
} // namespace

GUI_ScrollingWindow::GUI_ScrollingWindow() {
    upButton = new GUI_ScrollButton(this, true);
    downButton = new GUI_ScrollButton(this, false);
    AddChild(upButton);
    AddChild(downButton);
}

void GUI_ScrollingWindow::SetRect(float newLeft, float newTop, float newRight, float newBottom) {
    GUI_WindowBase::SetRect(newLeft, newTop, newRight, newBottom);
    const float x = static_cast<float>(right - kArrowSize);
    upButton->SetRect(x, static_cast<float>(top), x + kArrowSize,
                      static_cast<float>(top + kArrowSize));
    downButton->SetRect(x, static_cast<float>(bottom - kArrowSize), x + kArrowSize,
                        static_cast<float>(bottom));
    ScrollBy(0);
}

void GUI_ScrollingWindow::AddContent(GUI_ButtonBase* button) {
    if (!button)
        return;
    // Laid out unscrolled: bring it to where the current scroll shows it.
    button->SetRect(static_cast<float>(button->left), static_cast<float>(button->top - scroll),
                    static_cast<float>(button->right), static_cast<float>(button->bottom - scroll));
    AddChild(button);
    content.push_back(button);
    ApplyVisibility();
}

void GUI_ScrollingWindow::ClearContent() {
    for (GUI_ButtonBase* button : content)
        RemoveButton(button);
    content.clear();
    scroll = 0;
    ApplyVisibility();
}

int GUI_ScrollingWindow::ContentHeight() const {
    int lowest = 0;
    for (const GUI_ButtonBase* button : content)
        lowest = std::max(lowest, button->bottom + scroll - top);
    return lowest;
}

int GUI_ScrollingWindow::MaxScroll() const {
    return std::max(0, ContentHeight() - height);
}

void GUI_ScrollingWindow::Update() {
    GUI_WindowBase::Update();
    InputState& input = GetInput();
    if (input.wheel != 0 && visible && HitTest(input.mouseX, input.mouseY)) {
        ScrollBy(-input.wheel * kWheelStep);
        input.wheel = 0;
    }
}

void GUI_ScrollingWindow::ScrollBy(int pixels) {
    const int target = std::clamp(scroll + pixels, 0, MaxScroll());
    const int delta = target - scroll;
    scroll = target;
    for (GUI_ButtonBase* button : content) {
        button->SetRect(static_cast<float>(button->left), static_cast<float>(button->top - delta),
                        static_cast<float>(button->right),
                        static_cast<float>(button->bottom - delta));
    }
    ApplyVisibility();
}

void GUI_ScrollingWindow::ScrollToTop() {
    ScrollBy(-scroll);
}

void GUI_ScrollingWindow::ApplyVisibility() {
    // Without clipping, a row half outside the view would spill over the window's edge.
    for (GUI_ButtonBase* button : content)
        button->visible = button->top >= top && button->bottom <= bottom;
    upButton->visible = scroll > 0;
    downButton->visible = scroll < MaxScroll();
}

void GUI_ScrollingWindow::Draw() {
    GUI_WindowBase::Draw();
}
