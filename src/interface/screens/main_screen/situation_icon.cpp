#include "interface/screens/main_screen/situation_icon.h"

#include "base/translation.h"
#include "government/situation.h"
#include "interface/windows/game_windows.h"

#include <algorithm>
#include <cmath>

GUI_SituationIcon::GUI_SituationIcon(SIM_Situation* shown, float iconSize)
    : GUI_IconBase(shown, iconSize), situation(shown) {
    if (situation)
        SetNodeTooltip(situation->guiName, situation->description);
}

float GUI_SituationIcon::Diameter() const {
    // A situation just started is a small disc; one at full strength fills the icon and more.
    const float strength = std::clamp(situation->value, 0.0f, 1.0f);
    return size * (0.7f + 0.6f * strength);
}

bool GUI_SituationIcon::HitTest(float x, float y) const {
    const float r = Diameter() / 2, dx = x - CentreX(), dy = y - CentreY();
    return dx * dx + dy * dy <= r * r;
}

void GUI_SituationIcon::DrawIcon() {
    const float r = Diameter() / 2, cx = CentreX(), cy = CentreY();
    DrawPictureOrPlaceholder(situation->IconPicture(), cx - r, cy - r, cx + r, cy + r);
    IconCaption caption;
    if (Caption(caption))
        DrawCaption(caption);
}

bool GUI_SituationIcon::Caption(IconCaption& caption) const {
    caption =
        CentredCaption(Translate(situation->guiName), CentreX(), CentreY() + Diameter() / 2 - 2);
    return true;
}

void GUI_SituationIcon::DrawHover() {
    if (hoverCounter <= 0 && !highlighted)
        return;
    const float r = Diameter() / 2 * 1.2f, cx = CentreX(), cy = CentreY();
    const float strength = highlighted ? 1.0f : 0.6f * hoverCounter / kHoverMax;
    const unsigned alpha = static_cast<unsigned>(strength * 255.0f) & 0xFF;
    GuiDraw::PictureOr("circ_highlight.dds", cx - r, cy - r, cx + r, cy + r, 0, 0,
                       (alpha << 24) | 0xFFFFFF);
}

GUI_IconBase::Opener GUI_SituationIcon::DetailsOpener() const {
    return [](const std::string& name) { OpenSituationDetails(name); };
}
