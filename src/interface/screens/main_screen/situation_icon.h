#pragma once
// GUI_SituationIcon: a situation that is under way, beside the group it concerns. Its disc (green
// for a good situation, fiery for a bad one) grows with the situation's strength, and only the
// disc answers the mouse.

#include "interface/screens/main_screen/icon_base.h"

#include <cmath>

class SIM_Situation;

class GUI_SituationIcon : public GUI_IconBase {
public:
    GUI_SituationIcon(SIM_Situation* situation, float size);
    const char* KindName() const override { return "situation"; }
    void DrawIcon() override;
    void DrawHover() override;
    // The situation's name across the foot of its disc.
    bool Caption(IconCaption& caption) const override;
    Opener DetailsOpener() const override;
    float LookFigure() const override { return std::round(Diameter()); }
    // Within half the disc's current diameter of its centre.
    bool HitTest(float x, float y) const override;
    float Diameter() const;

    SIM_Situation* situation;
};
