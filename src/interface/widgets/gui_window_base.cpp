#include "interface/widgets/gui_window_base.h"

#include "base/debug_log.h"
#include "interface/widgets/gui_window_manager.h"
#include "platform/input_state.h"
#include "platform/render_device.h"

#include <algorithm>

namespace {
GUI_WindowBase* gDragged = nullptr;
}

GUIButtonList::~GUIButtonList() = default;

void GUIButtonList::AddButton(GUI_ButtonBase* button) {
    ASSERT(button);
    if (button)
        buttons.emplace_back(button);
}

void GUIButtonList::UpdateButtons() {
    // By index: an update may add buttons to this very list.
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->visible)
            buttons[i]->Update();
    }
}

void GUIButtonList::DrawButtons() {
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->visible)
            buttons[i]->Draw();
    }
}

bool GUIButtonList::ClickButtons(float x, float y) {
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->visible && buttons[i]->OnClick(x, y))
            return true;
    }
    return false;
}

bool GUIButtonList::RemoveButton(GUI_ButtonBase* button) {
    for (auto it = buttons.begin(); it != buttons.end(); ++it) {
        if (it->get() == button) {
            buttons.erase(it);
            return true;
        }
    }
    return false;
}

GUI_WindowBase::GUI_WindowBase() = default;

GUI_WindowBase::~GUI_WindowBase() {
    if (gDragged == this)
        gDragged = nullptr;
    if (manager)
        manager->Close(this);
}

const GUI_ButtonBase* GUI_WindowBase::FindButton(const std::string& identifier) const {
    if (!visible)
        return nullptr;
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        if (const GUI_ButtonBase* found = (*child)->FindButton(identifier))
            return found;
    }
    for (const auto& button : buttons) {
        if (button->visible && button->identifier == identifier)
            return button.get();
    }
    return nullptr;
}

GUI_WindowBase* GUI_WindowBase::DraggedWindow() {
    return gDragged;
}

void GUI_WindowBase::SetRect(float newLeft, float newTop, float newRight, float newBottom) {
    // A window placed for the first time keeps what was laid out in screen pixels before it.
    const bool placed = left != 0 || top != 0 || right != 0 || bottom != 0;
    const int dx = static_cast<int>(newLeft) - left;
    const int dy = static_cast<int>(newTop) - top;
    GUI_BaseElement::SetRect(newLeft, newTop, newRight, newBottom);
    if (!placed || (dx == 0 && dy == 0))
        return;
    for (auto& button : buttons) {
        button->SetRect(static_cast<float>(button->left + dx), static_cast<float>(button->top + dy),
                        static_cast<float>(button->right + dx),
                        static_cast<float>(button->bottom + dy));
    }
    for (auto& child : children)
        child->ShiftBy(dx, dy);
}

void GUI_WindowBase::ShiftBy(int dx, int dy) {
    SetRect(static_cast<float>(left + dx), static_cast<float>(top + dy),
            static_cast<float>(right + dx), static_cast<float>(bottom + dy));
}

void GUI_WindowBase::AddChild(GUI_ButtonBase* button) {
    ASSERT(button);
    if (!button)
        return;
    button->parent = this;
    AddButton(button);
}

void GUI_WindowBase::AddChildWindow(GUI_WindowBase* window) {
    ASSERT(window);
    if (!window)
        return;
    window->parentWindow = this;
    children.emplace_back(window);
}

void GUI_WindowBase::Close() {
    if (manager)
        manager->Close(this);
    else
        visible = false;
}

bool GUI_WindowBase::IsOpen() const {
    return manager ? manager->IsOpen(this) : visible;
}

void GUI_WindowBase::FollowDrag() {
    InputState& input = GetInput();
    if (dragging) {
        if (input.leftDown) {
            const float x = input.mouseX - dragOffsetX;
            const float y = input.mouseY - dragOffsetY;
            SetRect(x, y, x + width, y + height);
        } else {
            dragging = false;
            if (gDragged == this)
                gDragged = nullptr;
            OnDragEnd();
        }
        return;
    }
    const bool modalBlocks = GUI_WindowManager::ModalOpenAnywhere() > 0 && !modal;
    const bool otherDragging = gDragged && gDragged != this && gDragged->dragging;
    if (input.leftPressed && input.leftDown && !otherDragging && !input.mouseTaken &&
        !modalBlocks && HitTest(input.mouseX, input.mouseY)) {
        dragging = true;
        gDragged = this;
        dragOffsetX = static_cast<int>(input.mouseX) - left;
        dragOffsetY = static_cast<int>(input.mouseY) - top;
    }
}

void GUI_WindowBase::Update() {
    if (!visible)
        return;
    if (draggable)
        FollowDrag();
    UpdateContent();
    for (size_t i = 0; i < children.size(); ++i)
        children[i]->Update();
    UpdateButtons();
    InputState& input = GetInput();
    if (takesMouse && HitTest(input.mouseX, input.mouseY))
        input.mouseTaken = true;
}

void GUI_WindowBase::DrawBackground() {
    if (!drawPanel)
        return;
    RenderDevice& device = GetRenderDevice();
    device.FillRect(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                    static_cast<float>(bottom), panelColour);
    device.OutlineRect(static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                       static_cast<float>(bottom), panelEdgeColour);
}

void GUI_WindowBase::Draw() {
    if (!visible)
        return;
    DrawBackground();
    DrawContent();
    DrawButtons();
    for (auto& child : children)
        child->Draw();
}

bool GUI_WindowBase::OnLeftClick(float x, float y) {
    if (!visible)
        return false;
    for (size_t i = children.size(); i-- > 0;) {
        if (children[i]->OnLeftClick(x, y))
            return true;
    }
    const bool inside = HitTest(x, y);
    if (inside && manager)
        manager->BringToTop(this);
    if (ClickButtons(x, y))
        return true;
    // A click on the window's empty area is still the window's: nothing below may see it.
    return inside && !clickThrough;
}

bool GUI_WindowBase::OnRightClick(float x, float y) {
    if (!visible)
        return false;
    for (size_t i = children.size(); i-- > 0;) {
        if (children[i]->OnRightClick(x, y))
            return true;
    }
    return HitTest(x, y) && !clickThrough;
}
