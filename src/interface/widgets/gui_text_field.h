#pragma once
// GUI_TextField: a one-line text entry. While focused it reads the frame's typed text and
// Backspace itself; Enter runs the callback. A click on the field focuses it.

#include "interface/widgets/gui_base_element.h"

#include <string>

class GUI_TextField : public GUI_ButtonBase {
public:
    explicit GUI_TextField(size_t maxLength = 63);
    void Draw() override;
    // Typing, Backspace and Enter while focused, then the usual hover.
    void Update() override;
    bool OnClick(float x, float y) override;
    // Enter runs the callback (as Activate does for other buttons).

    void SetText(const std::string& newText);
    const std::string& Text() const { return text; }
    std::string DumpKind() const override { return "textfield"; }
    std::string DumpText() const override { return text; }
    // Applies typed text and keys as one frame's input would (Update calls it).
    void Type(const std::string& typed);
    void Backspace();

    std::string text;
    size_t maxLength;
    bool focused = true;
    std::string font = "arial16.dds";
    int fontSize = 16;
};
