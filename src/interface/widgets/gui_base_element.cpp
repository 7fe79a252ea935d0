#include "interface/widgets/gui_base_element.h"

#include "base/debug_log.h"
#include "interface/widgets/gui_sounds.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_base.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "platform/render_device.h"

#include <utility>
#include <vector>

void GUI_BaseElement::SetRect(float newLeft, float newTop, float newRight, float newBottom) {
    left = static_cast<int>(newLeft);
    top = static_cast<int>(newTop);
    right = static_cast<int>(newRight);
    bottom = static_cast<int>(newBottom);
    width = right - left;
    height = bottom - top;
}

void GUI_BaseElement::SetSize(float newWidth, float newHeight) {
    SetRect(static_cast<float>(left), static_cast<float>(top), left + newWidth, top + newHeight);
}

bool GUI_BaseElement::HitTest(float x, float y) const {
    const int px = static_cast<int>(x);
    const int py = static_cast<int>(y);
    return px >= left && px < right && py >= top && py < bottom;
}

void GUI_BaseElement::MoveTo(float x, float y) {
    SetRect(x, y, x + width, y + height);
}

GUI_ButtonBase::GUI_ButtonBase() = default;
GUI_ButtonBase::~GUI_ButtonBase() = default;

bool GUI_ButtonBase::ModalAllows() const {
    if (GUI_WindowManager::ModalOpenAnywhere() == 0)
        return true;
    if (!parent)
        return false;
    return parent->modal || (parent->parentWindow && parent->parentWindow->modal);
}

void GUI_ButtonBase::Update() {
    InputState& input = GetInput();
    if (!input.mouseTaken && HitTest(input.mouseX, input.mouseY)) {
        hovered = (enabled && ModalAllows()) ? 1 : 0;
        if (tooltip) {
            tooltip->MarkForFrame(input.timeMs);
            input.mouseTaken = true;
        }
    } else {
        hovered = 0;
    }
}

bool GUI_ButtonBase::OnClick(float x, float y) {
    // Modality is the window manager's business: a click only reaches a button when its window
    // was offered the click.
    if (!enabled || !visible || !HitTest(x, y) || !PlayGuideAllows(identifier))
        return false;
    Activate();
    return true;
}

void GUI_ButtonBase::Activate() {
    if (!enabled)
        return;
    GetSounds().MenuClick(0);
    RunCallback();
}

void GUI_ButtonBase::RunCallback() {
    if (!callback)
        return;
    if (deferred) {
        // A copy, so the call survives the button being destroyed before the frame ends.
        Callback call = callback;
        void* data = callbackData;
        DeferAfterFrame([call, data]() { call(data); });
    } else {
        callback(callbackData);
    }
}

void GUI_ButtonBase::SetCallback(Callback function, void* data) {
    callback = std::move(function);
    callbackData = data;
}

void GUI_ButtonBase::SetTooltip(const std::string& key) {
    if (key.empty()) {
        tooltip.reset();
        return;
    }
    if (!tooltip)
        tooltip = std::make_unique<GUI_Tooltip>();
    tooltip->SetKey(key);
}

void GUI_ButtonBase::SetTooltipText(const std::string& text) {
    if (!tooltip)
        tooltip = std::make_unique<GUI_Tooltip>();
    tooltip->SetText(text);
}

namespace {
std::vector<std::function<void()>>& DeferredQueue() {
    static std::vector<std::function<void()>> queue;
    return queue;
}
} // namespace

void DeferAfterFrame(std::function<void()> call) {
    if (call)
        DeferredQueue().push_back(std::move(call));
}

int RunDeferredCalls() {
    int ran = 0;
    // Calls may queue more calls (a closing window releasing itself); those run in this pass too,
    // but a runaway chain is cut off rather than hanging the frame.
    while (!DeferredQueue().empty() && ran < 10000) {
        std::vector<std::function<void()>> batch;
        batch.swap(DeferredQueue());
        for (auto& call : batch) {
            call();
            ++ran;
        }
    }
    return ran;
}

std::function<bool(const std::string&)>& PlayGuideButtonCheck() {
    static std::function<bool(const std::string&)> check;
    return check;
}

bool PlayGuideAllows(const std::string& identifier) {
    const auto& check = PlayGuideButtonCheck();
    return !check || check(identifier);
}

namespace GuiDraw {

bool PictureOr(const std::string& picture, float left, float top, float right, float bottom,
               unsigned fill, unsigned edge, unsigned tint) {
    RenderDevice& device = GetRenderDevice();
    const TextureId texture = picture.empty() ? kNoTexture : device.FindTexture(picture);
    if (texture != kNoTexture) {
        device.DrawPicture(texture, left, top, right, bottom, tint);
        return true;
    }
    if (fill)
        device.FillRect(left, top, right, bottom, fill);
    if (edge)
        device.OutlineRect(left, top, right, bottom, edge);
    return false;
}

void Text(const std::string& font, int size, const std::string& text, float x, float y,
          unsigned colour, bool centred) {
    if (text.empty())
        return;
    TextEngine& engine = GetTextEngine();
    engine.SetFont(font, size);
    engine.DrawLine(text, x, y, colour, centred ? TextAlign::Centre : TextAlign::Left);
}

int TextWidth(const std::string& font, int size, const std::string& text) {
    TextEngine& engine = GetTextEngine();
    engine.SetFont(font, size);
    return engine.TextWidth(text);
}

} // namespace GuiDraw
