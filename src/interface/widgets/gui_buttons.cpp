#include "interface/widgets/gui_buttons.h"

#include "base/debug_log.h"
#include "base/translation.h"
#include "interface/widgets/gui_scrolling_window.h"
#include "interface/widgets/gui_tab_container.h"
#include "interface/widgets/gui_window_base.h"
#include "platform/render_device.h"

namespace {
constexpr unsigned kButtonFill = 0xFF2C3A4A;
constexpr unsigned kButtonFillHover = 0xFF3E5670;
constexpr unsigned kButtonEdge = 0xFF7C94AC;
constexpr unsigned kLabelColour = 0xFFFFFFFF;
constexpr unsigned kDisabledLabel = 0xFF8A8A8A;

float CentreTextY(const GUI_BaseElement& element, int fontSize) {
    return element.top + (element.height - fontSize) / 2.0f - 2;
}
} // namespace

GUI_ButtonText::GUI_ButtonText(const std::string& key) {
    SetKey(key);
}

void GUI_ButtonText::SetKey(const std::string& key) {
    label = key.empty() ? std::string() : Translate(key);
    if (identifier.empty())
        identifier = key;
}

void GUI_ButtonText::Draw() {
    const bool lit = hovered != 0;
    GuiDraw::PictureOr(lit ? "button_h.dds" : "button.dds", left, top, right, bottom,
                       lit ? kButtonFillHover : kButtonFill, kButtonEdge,
                       enabled ? 0xFFFFFFFF : 0xFF9A9A9A);
    GuiDraw::Text(font, fontSize, label, left + width / 2.0f, CentreTextY(*this, fontSize),
                  enabled ? kLabelColour : kDisabledLabel, true);
    GUI_ButtonBase::Draw();
}

GUI_IconButton::GUI_IconButton(const std::string& normal, const std::string& hover)
    : picture(normal), hoverPicture(hover) {}

void GUI_IconButton::Draw() {
    const bool lit = hovered != 0;
    const std::string& shown = (lit && !hoverPicture.empty()) ? hoverPicture : picture;
    // Without a hover picture the lit state is a plain tint, so hovering still shows.
    const unsigned tint = !enabled                        ? 0xFF808080
                          : (lit && hoverPicture.empty()) ? 0xFFFFFFC0
                                                          : 0xFFFFFFFF;
    GuiDraw::PictureOr(shown, left, top, right, bottom, lit ? kButtonFillHover : kButtonFill,
                       kButtonEdge, tint);
    GUI_ButtonBase::Draw();
}

GUI_CloseButton::GUI_CloseButton() {
    identifier = "CLOSE";
}

void GUI_CloseButton::Draw() {
    const bool lit = hovered != 0;
    if (!GuiDraw::PictureOr(lit ? "button_close_h.dds" : "button_close.dds", left, top, right,
                            bottom, lit ? 0xFF8A2A2A : 0xFF5A2A2A, kButtonEdge)) {
        RenderDevice& device = GetRenderDevice();
        device.DrawLine(left + 5, top + 5, right - 5, bottom - 5, kLabelColour);
        device.DrawLine(right - 5, top + 5, left + 5, bottom - 5, kLabelColour);
    }
    GUI_ButtonBase::Draw();
}

void GUI_CloseButton::Activate() {
    if (!enabled)
        return;
    GUI_ButtonBase::Activate();
    ASSERT(parent);
    if (!parent)
        return;
    GUI_WindowBase* window = parent;
    if (deferred)
        DeferAfterFrame([window]() { window->Close(); });
    else
        window->Close();
}

GUI_ScrollButton::GUI_ScrollButton(GUI_ScrollingWindow* scrolled, bool scrollsUp)
    : target(scrolled), up(scrollsUp) {}

void GUI_ScrollButton::Draw() {
    const bool lit = hovered != 0;
    if (!GuiDraw::PictureOr(up ? "gui_scrollup.dds" : "gui_scrolldown.dds", left, top, right,
                            bottom, lit ? kButtonFillHover : kButtonFill, kButtonEdge)) {
        // A drawn arrow head when the picture is missing.
        RenderDevice& device = GetRenderDevice();
        const float cx = left + width / 2.0f;
        const float tip = up ? top + 6.0f : bottom - 6.0f;
        const float base = up ? bottom - 6.0f : top + 6.0f;
        device.DrawLine(cx, tip, left + 5.0f, base, kLabelColour);
        device.DrawLine(cx, tip, right - 5.0f, base, kLabelColour);
    }
    GUI_ButtonBase::Draw();
}

void GUI_ScrollButton::Activate() {
    if (!enabled)
        return;
    if (target)
        target->ScrollBy(up ? -target->scrollStep : target->scrollStep);
    GUI_ButtonBase::Activate();
}

GUI_ButtonTab::GUI_ButtonTab(const std::string& key, GUI_TabContainer* owner,
                             GUI_WindowTab* tabPage)
    : label(key.empty() ? std::string() : Translate(key)), container(owner), page(tabPage) {
    identifier = key;
}

bool GUI_ButtonTab::IsSelected() const {
    return page && page->active;
}

void GUI_ButtonTab::Draw() {
    const bool chosen = IsSelected();
    const unsigned tint = chosen ? 0xFFFFFFFF : (hovered ? 0xFFD0D8E0 : 0xFF909AA4);
    GuiDraw::PictureOr(background, left, top, right, bottom,
                       chosen ? 0xFF3E5670 : (hovered ? 0xFF34465A : 0xFF222C38), kButtonEdge,
                       tint);
    GuiDraw::Text(font, fontSize, label, left + width / 2.0f, CentreTextY(*this, fontSize),
                  chosen ? kLabelColour : 0xFFB8C4D0, true);
    GUI_ButtonBase::Draw();
}

void GUI_ButtonTab::Activate() {
    if (!enabled)
        return;
    if (container && page)
        container->SelectTab(page);
    GUI_ButtonBase::Activate();
}

GUI_Button_Minitab::GUI_Button_Minitab(const std::string& key, GUI_TabContainer* owner,
                                       GUI_WindowTab* tabPage)
    : GUI_ButtonTab(key, owner, tabPage) {
    background = "dialog_rounded_dark.dds";
    font = "arialbold16.dds";
    fontSize = 16;
}

void GUI_Button_Minitab::Draw() {
    const bool chosen = page ? IsSelected() : selected;
    const unsigned tint = chosen ? 0xFFFFFFFF : (hovered ? 0xFFD0D8E0 : 0xFF909AA4);
    GuiDraw::PictureOr(background, left, top, right, bottom,
                       chosen ? 0xFF3E5670 : (hovered ? 0xFF34465A : 0xFF222C38), kButtonEdge,
                       tint);
    GuiDraw::Text(font, fontSize, label, left + width / 2.0f, CentreTextY(*this, fontSize),
                  chosen ? kLabelColour : 0xFFB8C4D0, true);
    GUI_ButtonBase::Draw();
}
