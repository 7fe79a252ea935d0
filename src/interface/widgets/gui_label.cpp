#include "interface/widgets/gui_label.h"

GUI_Label::GUI_Label(const std::string& newText, float x, float y, const std::string& tooltipText,
                     LabelAlign newAlign) {
    text = newText;
    align = newAlign;
    if (!tooltipText.empty())
        SetTooltipText(tooltipText);
    Fit(x, y);
}

float GUI_Label::AnchorX() const {
    if (align == LabelAlign::Centre)
        return (left + right) / 2.0f;
    if (align == LabelAlign::Right)
        return static_cast<float>(right);
    return static_cast<float>(left);
}

void GUI_Label::SetText(const std::string& newText) {
    const float x = AnchorX();
    text = newText;
    Fit(x, static_cast<float>(top));
}

void GUI_Label::SetFont(const std::string& newFont, int newSize) {
    const float x = AnchorX();
    font = newFont;
    fontSize = newSize;
    Fit(x, static_cast<float>(top));
}

void GUI_Label::Fit(float anchorX, float anchorY) {
    const int textWidth = GuiDraw::TextWidth(font, fontSize, text);
    float x = anchorX;
    if (align == LabelAlign::Centre)
        x -= textWidth / 2.0f;
    else if (align == LabelAlign::Right)
        x -= static_cast<float>(textWidth);
    SetRect(x, anchorY, x + static_cast<float>(textWidth), anchorY + fontSize + 4.0f);
}

void GUI_Label::Draw() {
    if (!visible)
        return;
    GuiDraw::Text(font, fontSize, text, static_cast<float>(left), static_cast<float>(top), colour);
    // A faint underline while hovered says that the figure has an explanation.
    if (tooltip && hovered) {
        GetRenderDevice().DrawLine(static_cast<float>(left), static_cast<float>(bottom - 1),
                                   static_cast<float>(right), static_cast<float>(bottom - 1),
                                   0x80A8B4C0);
    }
}
