#pragma once
// GUI_PeopleStrip: a voter group in the block in the middle of the game screen: its picture, its
// name and a bar of how much it approves of the government, coloured from red to green.

#include "interface/screens/main_screen/icon_base.h"

class SIM_VoterType;

class GUI_PeopleStrip : public GUI_IconBase {
public:
    GUI_PeopleStrip(SIM_VoterType* group, float size);
    const char* KindName() const override { return "votergroup"; }
    void DrawIcon() override;
    void DrawHover() override;
    // The group's name beside its picture, cut to the strip.
    bool Caption(IconCaption& caption) const override;
    Opener DetailsOpener() const override;
    float LookFigure() const override;
    // The whole strip answers the mouse.
    bool HitTest(float x, float y) const override { return GUI_BaseElement::HitTest(x, y); }
    // The strip's top-left corner sits on its slot.
    void PlaceAt(float x, float y);

    SIM_VoterType* voterGroup;
    // The slot taken, -1 for none (placed in the corner).
    int slot = -1;

    static constexpr float kWidth = 96, kHeight = 28;
};
