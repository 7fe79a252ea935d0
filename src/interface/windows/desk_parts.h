#pragma once
// Pieces the desk's windows share: a paragraph of wrapped text, a picture that gives way to a
// labelled placeholder when its file is missing, and the way the desk writes shares and changes.

#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/gui_label.h"
#include "platform/render_device.h"

#include <string>

class GUI_ButtonText;
class GUI_WindowBase;

// Figures that go the government's way, and those that go against it.
inline constexpr Argb kDeskGoodColour = 0xFF7CD08A;
inline constexpr Argb kDeskBadColour = 0xFFE07060;

// Wrapped text inside a rectangle; paragraphs split at line breaks. Lines that would fall below
// the rectangle are left out, the last one shown ending in an ellipsis.
class GUI_TextBlock : public GUI_ButtonBase {
public:
    GUI_TextBlock(const std::string& text, float left, float top, float right, float bottom);

    void Draw() override;
    bool OnClick(float /*x*/, float /*y*/) override { return false; }
    std::string DumpKind() const override { return "text"; }
    std::string DumpText() const override { return text; }

    std::string text;
    std::string font;
    int fontSize;
    Argb colour;
    bool centred = false;
};

// A picture stretched over its rectangle, or a framed placeholder naming what is missing.
class GUI_Picture : public GUI_ButtonBase {
public:
    GUI_Picture(const std::string& file, float left, float top, float right, float bottom);

    void Draw() override;
    bool OnClick(float /*x*/, float /*y*/) override { return false; }
    std::string DumpKind() const override { return "picture"; }
    std::string DumpText() const override { return file; }
    // The file and whether the placeholder stands in for it.
    void DescribeMore(JsonWriter& json) const override;
    // No file was named, or the display has no picture of that name.
    bool Missing() const;

    std::string file;
};

// Height in pixels that text takes wrapped to width; an estimate while no font is loaded.
float WrappedTextHeight(const std::string& text, const std::string& font, int size, float width);

// A whole number with its thousands marked: "12,480".
std::string CountText(long long count);
// "54.2%" for 0.542.
std::string PercentText(float fraction, int decimals = 1);
// A change of share in percentage points: "+3.1" for 0.031, "-0.4", and "0.0" for none.
std::string PointsChangeText(float change);

// Adds a label (an explained figure) to a window and returns it.
GUI_Label* AddLabel(GUI_WindowBase& window, const std::string& text, float x, float y,
                    const std::string& tooltip, LabelAlign align = LabelAlign::Left);
// Adds a text button with a name for the replays and the play guide; it acts after the frame,
// so that it may close the window that holds it.
GUI_ButtonText* AddDeskButton(GUI_WindowBase& window, const std::string& key,
                              const std::string& identifier, float left, float top, float right,
                              float bottom);
// Adds a block of wrapped text to a window and returns it.
GUI_TextBlock* AddText(GUI_WindowBase& window, const std::string& text, float left, float top,
                       float right, float bottom);
