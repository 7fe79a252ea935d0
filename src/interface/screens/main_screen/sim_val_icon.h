#pragma once
// GUI_SimValIcon: a measurable quantity of the country (crime, GDP) in the sector of the group
// it belongs to. The ring round its disc shows how good or bad the value is, from red to green;
// for quantities where more is worse the scale is turned round.

#include "interface/screens/main_screen/icon_base.h"

class SIM_SimVal;

class GUI_SimValIcon : public GUI_IconBase {
public:
    GUI_SimValIcon(SIM_SimVal* value, float size);
    const char* KindName() const override { return "simvalue"; }
    void DrawIcon() override;
    Opener DetailsOpener() const override;
    float LookFigure() const override;
    // The value's name under the icon.
    bool Caption(IconCaption& caption) const override;
    // The ring's colour for the value now.
    unsigned RingColour() const;

    SIM_SimVal* simVal;
};
