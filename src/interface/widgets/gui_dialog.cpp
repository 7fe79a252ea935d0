#include "interface/widgets/gui_dialog.h"

#include "base/translation.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/text_engine.h"
#include "platform/render_device.h"

namespace {
constexpr int kCloseSize = 24;
constexpr int kCloseInset = 6;

// The title band and the close box grow with the interface, as the title's text does.
float Grown(int pixels) {
    return static_cast<float>(pixels) * GetTextEngine().SizeScale();
}
} // namespace

GUI_Dialog::GUI_Dialog(const std::string& titleKey, bool withCloseButton) {
    SetTitleKey(titleKey);
    if (withCloseButton) {
        closeButton = new GUI_CloseButton();
        AddChild(closeButton);
    }
}

GUI_Dialog::~GUI_Dialog() = default;

void GUI_Dialog::SetTitleKey(const std::string& key) {
    title = key.empty() ? std::string() : Translate(key);
}

void GUI_Dialog::SetRect(float newLeft, float newTop, float newRight, float newBottom) {
    GUI_WindowBase::SetRect(newLeft, newTop, newRight, newBottom);
    if (closeButton) {
        const float x = static_cast<float>(right) - Grown(kCloseInset + kCloseSize);
        const float y = static_cast<float>(top) + Grown(kCloseInset);
        closeButton->SetRect(x, y, x + Grown(kCloseSize), y + Grown(kCloseSize));
    }
    SetBackgroundRect();
}

void GUI_Dialog::SetBackgroundRect() {
    innerLeft = left + kMarginLeft;
    innerTop = top + static_cast<int>(Grown(kMarginTop));
    innerRight = right - kMarginRight;
    innerBottom = bottom - kMarginLeft;
}

void GUI_Dialog::Draw() {
    if (!visible)
        return;
    RenderDevice& device = GetRenderDevice();
    const float l = static_cast<float>(left), t = static_cast<float>(top);
    const float r = static_cast<float>(right), b = static_cast<float>(bottom);
    // A dialog hides what lies beneath it: the picture's body is slightly see-through, so an
    // opaque ground goes first, kept inside its rounded corners.
    device.FillRect(l + 6, t + 6, r - 6, b - 6, 0xFF151D29);
    if (!GuiDraw::PictureOr(background, l, t, r, b, 0xFF182028, 0)) {
        device.OutlineRect(l, t, r, b, 0xFF8FA3B8);
        device.OutlineRect(l + 3, t + 3, r - 3, b - 3, 0x806A7A8A);
    }
    // The title band, so that every dialog reads alike.
    device.FillRect(l + 8, t + 6, r - 8, t + Grown(kMarginTop) - 4, 0x50384C60);
    GuiDraw::Text("arialbold20.dds", 20, title, l + width / 2.0f, t + 6, 0xFFF4F4F4, true);
    DrawButtons();
    for (auto& child : children)
        child->Draw();
}
