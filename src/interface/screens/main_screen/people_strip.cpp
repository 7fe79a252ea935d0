#include "interface/screens/main_screen/people_strip.h"

#include "base/translation.h"
#include "interface/screens/main_screen/icon_layout.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/windows/game_windows.h"
#include "platform/render_device.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>

GUI_PeopleStrip::GUI_PeopleStrip(SIM_VoterType* group, float iconSize)
    : GUI_IconBase(group, iconSize), voterGroup(group) {
    if (voterGroup)
        SetNodeTooltip(voterGroup->guiName, voterGroup->GetDescription());
}

void GUI_PeopleStrip::PlaceAt(float x, float y) {
    const float s = ScreenLayout::Scale();
    SetRect(x, y, x + kWidth * s, y + kHeight * s);
    if (tooltip)
        tooltip->SetAnchor(CentreX(), CentreY());
}

void GUI_PeopleStrip::DrawIcon() {
    const float l = static_cast<float>(left), t = static_cast<float>(top);
    const float b = static_cast<float>(bottom), r = static_cast<float>(right);
    const float side = b - t;
    DrawPictureOrPlaceholder(voterGroup->GetPicture(), l, t, l + side, b);
    const float textLeft = l + side + 4;
    IconCaption caption;
    if (Caption(caption))
        DrawCaption(caption);
    const float approval = std::clamp(voterGroup->GetApproval(), 0.0f, 1.0f);
    RenderDevice& device = GetRenderDevice();
    const float barTop = b - 9, barBottom = b - 4;
    device.FillRect(textLeft, barTop, r - 2, barBottom, 0xC0101820);
    device.FillRect(textLeft, barTop, textLeft + (r - 2 - textLeft) * approval, barBottom,
                    ValueColour(approval, 0, 1, false));
}

void GUI_PeopleStrip::DrawHover() {
    if (hoverCounter <= 0 && !highlighted)
        return;
    const float strength = highlighted ? 1.0f : 0.6f * hoverCounter / kHoverMax;
    const unsigned alpha = static_cast<unsigned>(strength * 255.0f) & 0xFF;
    RenderDevice& device = GetRenderDevice();
    device.FillRect(left, top, right, bottom, (alpha / 5) << 24 | 0xFFE2A0);
    device.OutlineRect(left - 1, top - 1, right + 1, bottom + 1, alpha << 24 | 0xFFE2A0);
}

bool GUI_PeopleStrip::Caption(IconCaption& caption) const {
    const float textLeft = static_cast<float>(left + (bottom - top)) + 4;
    std::string label = Translate(voterGroup->guiName);
    // Cut to the strip: the tooltip carries the whole name.
    while (label.size() > 3 && CaptionWidth(label) > static_cast<float>(right) - textLeft)
        label.pop_back();
    caption = CaptionAt(label, textLeft, static_cast<float>(top) + 1);
    return true;
}

GUI_IconBase::Opener GUI_PeopleStrip::DetailsOpener() const {
    return [](const std::string& name) { OpenVoterGroupDetails(name); };
}

float GUI_PeopleStrip::LookFigure() const {
    return std::round(voterGroup->GetApproval() * 50);
}
