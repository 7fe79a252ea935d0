#include "interface/screens/main_screen/sim_val_icon.h"

#include "base/translation.h"
#include "interface/screens/main_screen/icon_layout.h"
#include "interface/windows/game_windows.h"
#include "network/sim_value.h"

#include <cmath>

namespace {
constexpr char kBackingPicture[] = "blue_circicon.dds";
constexpr char kRingPicture[] = "circ_highlight.dds";
} // namespace

GUI_SimValIcon::GUI_SimValIcon(SIM_SimVal* value, float iconSize)
    : GUI_IconBase(value, iconSize), simVal(value) {
    if (simVal)
        SetNodeTooltip(simVal->guiName, simVal->description);
}

unsigned GUI_SimValIcon::RingColour() const {
    return ValueColour(simVal->value, simVal->minValue, simVal->maxValue, simVal->invertColour);
}

void GUI_SimValIcon::DrawIcon() {
    const float l = static_cast<float>(left), t = static_cast<float>(top);
    const float r = static_cast<float>(right), b = static_cast<float>(bottom);
    DrawPictureOrPlaceholder(kBackingPicture, l, t, r, b);
    GuiDraw::PictureOr(kRingPicture, l, t, r, b, 0, 0, RingColour());
    IconCaption caption;
    if (Caption(caption))
        DrawCaption(caption);
}

bool GUI_SimValIcon::Caption(IconCaption& caption) const {
    caption = CentredCaption(Translate(simVal->guiName), CentreX(), static_cast<float>(bottom) - 2);
    return true;
}

GUI_IconBase::Opener GUI_SimValIcon::DetailsOpener() const {
    return [](const std::string& name) { OpenSimValueDetails(name); };
}

float GUI_SimValIcon::LookFigure() const {
    // The ring can show about this many shades apart.
    return std::round(simVal->value * 64);
}
