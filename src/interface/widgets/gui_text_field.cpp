#include "interface/widgets/gui_text_field.h"

#include "interface/widgets/glyph_cells.h"
#include "platform/input_state.h"
#include "platform/render_device.h"

GUI_TextField::GUI_TextField(size_t limit) : maxLength(limit) {}

void GUI_TextField::SetText(const std::string& newText) {
    text = newText.substr(0, maxLength);
}

void GUI_TextField::Type(const std::string& typed) {
    size_t length = 0;
    for (size_t at = 0; at < text.size();) {
        glyph_cells::NextCharacter(text, at);
        ++length;
    }
    for (size_t at = 0; at < typed.size();) {
        const size_t start = at;
        const uint32_t c = glyph_cells::NextCharacter(typed, at);
        // Control characters come through keys, not as text.
        if (c < 32 || c == 127)
            continue;
        if (length >= maxLength)
            break;
        // Whole characters only, so the text stays UTF-8.
        text.append(typed, start, at - start);
        ++length;
    }
}

void GUI_TextField::Backspace() {
    if (text.empty())
        return;
    // Back over the continuation bytes to the first byte of the last character.
    size_t last = text.size() - 1;
    while (last > 0 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80)
        --last;
    text.erase(last);
}

void GUI_TextField::Update() {
    InputState& input = GetInput();
    if (focused && enabled && visible && ModalAllows()) {
        Type(input.typedText);
        for (int key : input.keysPressed) {
            if (key == KeyCode::Backspace)
                Backspace();
            else if (key == KeyCode::Enter)
                RunCallback();
        }
    }
    GUI_ButtonBase::Update();
}

bool GUI_TextField::OnClick(float x, float y) {
    if (!enabled || !visible || !HitTest(x, y))
        return false;
    focused = true;
    return true;
}

void GUI_TextField::Draw() {
    GuiDraw::PictureOr("gui_textfield.dds", left, top, right, bottom, 0xFF10151C,
                       focused ? 0xFFB8C8D8 : 0xFF6A7A8A);
    const float textY = top + (height - fontSize) / 2.0f - 2;
    GuiDraw::Text(font, fontSize, text, left + 8.0f, textY, 0xFFF0F0F0);
    if (focused) {
        // A caret that blinks twice a second.
        if ((GetInput().timeMs / 500) % 2 == 0) {
            const float x = left + 9.0f + GuiDraw::TextWidth(font, fontSize, text);
            GetRenderDevice().FillRect(x, top + 6.0f, x + 2, bottom - 6.0f, 0xFFF0F0F0);
        }
    }
    GUI_ButtonBase::Draw();
}
