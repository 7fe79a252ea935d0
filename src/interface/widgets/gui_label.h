#pragma once
// GUI_Label: a line of text that says where it comes from. Every figure a window shows is one of
// these, so that hovering it explains the number (its inputs, its formula) in a tooltip.

#include "interface/widgets/gui_base_element.h"
#include "platform/render_device.h"

#include <string>

enum class LabelAlign { Left, Centre, Right };

class GUI_Label : public GUI_ButtonBase {
public:
    GUI_Label() = default;
    // The label sits at (x, y), its top-left corner (or the middle or right end of its top edge).
    GUI_Label(const std::string& text, float x, float y, const std::string& tooltipText = "",
              LabelAlign align = LabelAlign::Left);

    void Draw() override;
    // Nothing happens on a click; the label only explains.
    bool OnClick(float /*x*/, float /*y*/) override { return false; }
    std::string DumpKind() const override { return "label"; }
    std::string DumpText() const override { return text; }

    // Changes the words; the rectangle follows their width, keeping its aligned edge.
    void SetText(const std::string& newText);
    void SetFont(const std::string& newFont, int newSize);

    std::string text;
    std::string font = "arial16.dds";
    int fontSize = 16;
    Argb colour = 0xFFE8ECF0;
    LabelAlign align = LabelAlign::Left;

private:
    // The rectangle around the words, for hovering, kept at the anchor the alignment names.
    void Fit(float anchorX, float anchorY);
    float AnchorX() const;
};
