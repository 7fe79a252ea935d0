#include "interface/widgets/gui_check_button.h"

#include "base/translation.h"

GUI_CheckButton::GUI_CheckButton(const std::string& key)
    : label(key.empty() ? std::string() : Translate(key)) {
    identifier = key;
}

bool GUI_CheckButton::OnClick(float x, float y) {
    if (!enabled || !visible || !HitTest(x, y) || !PlayGuideAllows(identifier))
        return false;
    // The callback reads the new state, so the flip comes first.
    ticked = !ticked;
    Activate();
    return true;
}

void GUI_CheckButton::Draw() {
    const int box = height;
    const unsigned edge = hovered ? 0xFFD8E4F0 : 0xFF7C94AC;
    if (!GuiDraw::PictureOr(ticked ? "gui_checkbox_checked.dds" : "gui_checkbox.dds", left, top,
                            left + box, bottom, 0xFF1C242E, edge)) {
        if (ticked)
            GuiDraw::PictureOr("", left + 5, top + 5, left + box - 5, bottom - 5, 0xFF5CC8A0, 0);
    }
    GuiDraw::Text("arialbold16.dds", 16, label, left + box + 8.0f, top + (height - 16) / 2.0f - 2,
                  enabled ? (hovered ? 0xFFFFFFFF : 0xFFE0E6EC) : 0xFF8A8A8A);
    GUI_ButtonBase::Draw();
}
