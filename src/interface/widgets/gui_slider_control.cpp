#include "interface/widgets/gui_slider_control.h"

#include "base/options.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "platform/render_device.h"

#include <algorithm>
#include <cmath>

namespace {
// The knob and track share the bottom band of the rectangle; the label sits above them.
constexpr int kBand = 20;

// The band and the knob grow with the interface, as the text above them does.
float Band() {
    return kBand * GetTextEngine().SizeScale();
}

float KnobWidth() {
    return GUI_SliderControl::kKnobWidth * GetTextEngine().SizeScale();
}
} // namespace

GUI_SliderControl::GUI_SliderControl(const std::string& text, const std::string& key)
    : label(text.substr(0, kMaxLabel)), optionKey(key) {
    identifier = key;
    if (!optionKey.empty())
        SetValue(GetOption(optionKey));
}

void GUI_SliderControl::SetValue(float newValue) {
    if (std::isnan(newValue))
        newValue = 0;
    value = std::clamp(newValue, 0.0f, 1.0f);
}

float GUI_SliderControl::KnobX() const {
    return left + value * width;
}

bool GUI_SliderControl::OnKnob(float x, float y) const {
    const float half = KnobWidth() / 2.0f + 2;
    return std::fabs(x - KnobX()) <= half && y >= static_cast<float>(bottom) - Band() &&
           static_cast<int>(y) < bottom;
}

void GUI_SliderControl::Update() {
    InputState& input = GetInput();
    if (dragging) {
        if (!input.leftDown) {
            dragging = false;
        } else {
            const float x =
                std::clamp(input.mouseX, static_cast<float>(left), static_cast<float>(right));
            const float moved = width > 0 ? (x - left) / static_cast<float>(width) : 0.0f;
            if (moved != value) {
                value = moved;
                if (!optionKey.empty())
                    SetOption(optionKey, value);
            }
            if (onChange)
                onChange(*this);
        }
    } else if (input.leftPressed && !input.mouseTaken && enabled && visible && ModalAllows() &&
               OnKnob(input.mouseX, input.mouseY) && PlayGuideAllows(identifier)) {
        dragging = true;
    }
    GUI_ButtonBase::Update();
    if (dragging) {
        // Whatever lies under the pointer must not light up while the knob is carried across it.
        hovered = 1;
        input.mouseTaken = true;
    }
}

bool GUI_SliderControl::OnClick(float x, float y) {
    return enabled && visible && OnKnob(x, y);
}

void GUI_SliderControl::Draw() {
    RenderDevice& device = GetRenderDevice();
    const float trackY = bottom - Band() / 2.0f;
    GuiDraw::Text("arialbold16.dds", 16, label, static_cast<float>(left), static_cast<float>(top),
                  enabled ? 0xFFE8ECF0 : 0xFF8A8A8A);
    const std::string shown = ValueText();
    if (!shown.empty())
        GuiDraw::Text("arial16.dds", 16, shown,
                      right - static_cast<float>(GuiDraw::TextWidth("arial16.dds", 16, shown)),
                      static_cast<float>(top), enabled ? 0xFFB8D8C8 : 0xFF8A8A8A);
    GuiDraw::PictureOr("gui_slider_track.dds", left, trackY - 3, right, trackY + 3, 0xFF1C242E,
                       0xFF6A7A8A);
    // The filled part of the track shows the value at a glance.
    device.FillRect(left + 1.0f, trackY - 2, KnobX(), trackY + 2, 0xFF4F9A86);
    const float kx = KnobX();
    const bool lit = hovered || dragging;
    GuiDraw::PictureOr("gui_slider_knob.dds", kx - KnobWidth() / 2.0f, bottom - Band(),
                       kx + KnobWidth() / 2.0f, bottom, lit ? 0xFFE0E8F0 : 0xFFB0BCC8, 0xFF3A4654,
                       lit ? 0xFFFFFFFF : 0xFFE0E0E0);
    GUI_ButtonBase::Draw();
}
