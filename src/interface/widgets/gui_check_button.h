#pragma once
// GUI_CheckButton: a tick box with an optional label to its right. A click it takes flips the
// tick and then activates, so the callback already sees the new state.

#include "interface/widgets/gui_base_element.h"

#include <string>

class GUI_CheckButton : public GUI_ButtonBase {
public:
    // key: translation key of the label; empty for a bare box. The box is the rectangle's height
    // square at its left; the label fills the rest.
    explicit GUI_CheckButton(const std::string& key = std::string());
    void Draw() override;
    bool OnClick(float x, float y) override;

    void SetTicked(bool tick) { ticked = tick; }
    bool IsTicked() const { return ticked; }

    std::string DumpKind() const override { return "checkbox"; }
    std::string DumpText() const override { return label; }
    void DescribeMore(JsonWriter& json) const override;

    bool ticked = false;
    std::string label;
};
