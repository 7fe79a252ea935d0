#include "interface/screens/main_screen/policy_icon.h"

#include "government/policy.h"
#include "interface/windows/game_windows.h"

#include <algorithm>
#include <cmath>

GUI_PolicyIcon::GUI_PolicyIcon(SIM_Policy* shown, float iconSize)
    : GUI_IconBase(shown, iconSize), policy(shown) {
    if (policy)
        SetNodeTooltip(policy->guiName, policy->description);
}

void GUI_PolicyIcon::DrawIcon() {
    const float done = std::clamp(policy->implementation, 0.0f, 1.0f);
    const unsigned alpha = static_cast<unsigned>(std::lround(255 * (0.45f + 0.55f * done)));
    DrawPictureOrPlaceholder("icons_" + nodeName + ".dds", static_cast<float>(left),
                             static_cast<float>(top), static_cast<float>(right),
                             static_cast<float>(bottom), (alpha << 24) | 0xFFFFFF);
}

GUI_IconBase::Opener GUI_PolicyIcon::DetailsOpener() const {
    return [](const std::string& name) { OpenPolicyDetails(name); };
}

float GUI_PolicyIcon::LookFigure() const {
    // Twenty steps of implementation are as fine as the fading can show.
    return std::round(policy->implementation * 20);
}
