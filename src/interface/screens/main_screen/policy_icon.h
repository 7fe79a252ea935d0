#pragma once
// GUI_PolicyIcon: an introduced policy in its group's sector, drawn with its pictogram; a policy
// still being implemented shows faded until it takes full effect.

#include "interface/screens/main_screen/icon_base.h"

class SIM_Policy;

class GUI_PolicyIcon : public GUI_IconBase {
public:
    GUI_PolicyIcon(SIM_Policy* policy, float size);
    const char* KindName() const override { return "policy"; }
    void DrawIcon() override;
    Opener DetailsOpener() const override;
    float LookFigure() const override;

    SIM_Policy* policy;
};
