#pragma once
// The game screen's control panel along the bottom: the next-turn button and one button for each
// window of the government, in a fixed order, each a pictogram with a short label and a tooltip.
// The issues strip (the desk) takes the rest of the panel on the right.

#include "interface/widgets/gui_window_base.h"

#include <string>
#include <vector>

// A pictogram button ("panel_NAME.dds", "panel_NAME_h.dds" while hovered) with a short label
// beneath; a disabled button is drawn dimmed.
class GUI_PanelButton : public GUI_ButtonBase {
public:
    GUI_PanelButton(const std::string& pictogram, const std::string& labelKey);
    void Draw() override;
    std::string DumpText() const override { return label; }

    std::string picture, hoverPicture;
    std::string label;
};

class GUI_ControlPanel : public GUI_WindowBase {
public:
    GUI_ControlPanel();
    // Lays the buttons out along the bottom of a screen of that size.
    void Layout(float screenWidth, float screenHeight);
    // Keeps the buttons' state in step with the game (the dilemma button needs a dilemma).
    void UpdateContent() override;
    GUI_PanelButton* Find(const std::string& identifier) const;
    // Where the issues strip goes.
    float stripLeft = 0, stripTop = 0, stripRight = 0, stripBottom = 0;

    static constexpr float kHeight = 60;

protected:
    void DrawBackground() override;

private:
    std::vector<GUI_PanelButton*> order;
};
