#include "interface/screens/main_screen/icon_base.h"

#include "base/debug_log.h"
#include "base/translation.h"
#include "interface/screens/main_screen/icon_layout.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_sounds.h"
#include "interface/widgets/gui_tooltip.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "platform/render_device.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {
constexpr char kClickSound[] = "data/sounds/click.ogg";
constexpr char kHighlightPicture[] = "circ_highlight.dds";
constexpr char kCaptionFont[] = "tahoma12.dds";
constexpr int kCaptionSize = 12;

std::set<std::string>& ReportedMissing() {
    static std::set<std::string> names;
    return names;
}
} // namespace

void ForgetMissingIconPictures() {
    ReportedMissing().clear();
}

GUI_IconBase::GUI_IconBase(Neuron* iconNode, float iconSize)
    : node(iconNode), nodeName(iconNode ? iconNode->name : ""), size(iconSize) {
    ASSERT(node != nullptr);
    if (node)
        node->icon = this;
    identifier = "icon:" + nodeName;
    SetRect(0, 0, size, size);
}

GUI_IconBase::~GUI_IconBase() = default;

bool GUI_IconBase::HitTest(float x, float y) const {
    const float r = kHitRadius * ScreenLayout::Scale();
    const float dx = x - CentreX(), dy = y - CentreY();
    return dx * dx + dy * dy <= r * r;
}

bool GUI_IconBase::OnClick(float x, float y) {
    if (!enabled || !visible || hidden || !HitTest(x, y) || !PlayGuideAllows(identifier))
        return false;
    Activate();
    return true;
}

void GUI_IconBase::Activate() {
    if (!enabled)
        return;
    GetSounds().PlayEffect(kClickSound);
    LogF("icon clicked: %s (%s)", nodeName.c_str(), KindName());
    // The window opens after the frame, so the click that opened it reaches nothing in it; the
    // opener goes by name, so a rebuild in the meantime cannot leave it holding a freed icon.
    const Opener open = DetailsOpener();
    const std::string name = nodeName;
    DeferAfterFrame([open, name]() { open(name); });
}

void GUI_IconBase::CentreOn(float x, float y) {
    spotX = x;
    spotY = y;
    SetRect(x - size / 2, y - size / 2, x + size / 2, y + size / 2);
    if (tooltip)
        tooltip->SetAnchor(x, y);
}

void GUI_IconBase::StepHover(bool over) {
    if (over)
        hoverCounter = hoverCounter < kHoverMax ? hoverCounter + 1 : kHoverMax;
    else
        hoverCounter = hoverCounter > 0 ? hoverCounter - 1 : 0;
}

void GUI_IconBase::DrawHover() {
    if (hoverCounter <= 0 && !highlighted)
        return;
    const float grow = size * 0.18f;
    const float strength = highlighted ? 1.0f : 0.6f * hoverCounter / kHoverMax;
    const unsigned alpha = static_cast<unsigned>(strength * 255.0f) & 0xFF;
    GuiDraw::PictureOr(kHighlightPicture, left - grow, top - grow, right + grow, bottom + grow, 0,
                       0, (alpha << 24) | 0xFFFFFF);
}

void GUI_IconBase::BuildConnectors() {
    connectors.clear();
    if (!node)
        return;
    auto consider = [this](NeuralEffect* link, Neuron* other, bool outgoing) {
        if (!link || !other || !other->icon || other->icon == this)
            return;
        const float output = link->GetOutput();
        if (!LinkDrawsConnector(output))
            return;
        const GUI_IconBase* far = other->icon;
        if (outgoing)
            connectors.emplace_back(link, CentreX(), CentreY(), far->CentreX(), far->CentreY(),
                                    output);
        else
            connectors.emplace_back(link, far->CentreX(), far->CentreY(), CentreX(), CentreY(),
                                    output);
    };
    // A voter group's inputs come from every value it cares about and are already drawn from
    // the values' side.
    if (node->typeCode != NeuronType::VoterType) {
        for (NeuralEffect* link : node->inputs)
            consider(link, link ? link->source : nullptr, false);
    }
    for (NeuralEffect* link : node->outputs)
        consider(link, link ? link->target : nullptr, true);
}

void GUI_IconBase::DrawPictureOrPlaceholder(const std::string& picture, float l, float t, float r,
                                            float b, unsigned tint) const {
    if (!picture.empty() && GuiDraw::PictureOr(picture, l, t, r, b, 0, 0, tint))
        return;
    if (ReportedMissing().insert(nodeName).second)
        LogF("no picture for %s (%s): drawn a stand-in", nodeName.c_str(),
             picture.empty() ? "none named" : picture.c_str());
    RenderDevice& device = GetRenderDevice();
    device.FillRect(l, t, r, b, 0xE0283848);
    device.OutlineRect(l, t, r, b, 0xFF8FA3B8);
    // Two letters of the name say which node it is until its picture exists.
    std::string initials = nodeName.substr(0, nodeName[0] == '_' ? 3 : 2);
    GuiDraw::Text(kCaptionFont, kCaptionSize, initials, (l + r) / 2, (t + b) / 2 - 7, 0xFFE8ECF0,
                  true);
}

float GUI_IconBase::CaptionWidth(const std::string& text) {
    return static_cast<float>(GuiDraw::TextWidth(kCaptionFont, kCaptionSize, text));
}

IconCaption GUI_IconBase::CaptionAt(const std::string& text, float left, float top) {
    IconCaption caption;
    caption.text = text;
    caption.left = left;
    caption.top = top;
    caption.right = left + CaptionWidth(text);
    // A line of the small font, its descenders included.
    caption.bottom = top + ScreenLayout::S(kCaptionSize + 4);
    return caption;
}

IconCaption GUI_IconBase::CentredCaption(const std::string& text, float centreX, float top) const {
    const float width = CaptionWidth(text);
    const float margin = ScreenLayout::S(2);
    float left = std::min(centreX - width / 2, ScreenLayout::ScreenWidth() - margin - width);
    left = std::max(left, margin);
    return CaptionAt(text, std::round(left), top);
}

void GUI_IconBase::DrawCaption(const IconCaption& caption) const {
    GuiDraw::Text(kCaptionFont, kCaptionSize, caption.text, caption.left, caption.top, 0xFFD8E0E8);
}

void GUI_IconBase::SetNodeTooltip(const std::string& nameKey, const std::string& descriptionKey) {
    std::string text = Translate(nameKey);
    if (!descriptionKey.empty())
        text += ": " + Translate(descriptionKey);
    SetTooltipText(text);
    tooltip->positionMode = GUI_Tooltip::kFixed;
}
