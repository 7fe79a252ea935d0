#include "interface/widgets/gui_graph.h"

#include "base/json_writer.h"
#include "interface/widgets/gui_tooltip.h"
#include "platform/input_state.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr const char* kFont = "verdana12.dds";
constexpr int kFontSize = 12;
constexpr float kTitleHeight = 20;
constexpr float kMargin = 6;
constexpr Argb kGround = 0xC0101820;
constexpr Argb kEdge = 0xFF4A5A6A;
constexpr Argb kGrid = 0x40A8B4C0;
constexpr Argb kZero = 0x90A8B4C0;
constexpr Argb kScaleText = 0xFFA8B4C0;
constexpr Argb kTitleText = 0xFFE8ECF0;

std::string DefaultValue(float value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.2f", value);
    return text;
}

std::string DefaultPoint(int index, int count) {
    const int ago = count - 1 - index;
    if (ago == 0)
        return "This turn";
    if (ago == 1)
        return "1 turn ago";
    return std::to_string(ago) + " turns ago";
}
} // namespace

GUI_Graph::GUI_Graph() {
    // The tooltip exists from the start so that hovering the graph always explains a point.
    SetTooltipText("");
}

void GUI_Graph::SetSeries(std::vector<GraphSeries> newSeries) {
    series = std::move(newSeries);
    hoverPoint = -1;
}

void GUI_Graph::SetRange(float low, float high) {
    fixedRange = true;
    rangeLow = std::min(low, high);
    rangeHigh = std::max(low, high);
}

int GUI_Graph::PointCount() const {
    size_t most = 0;
    for (const GraphSeries& s : series)
        most = std::max(most, s.values.size());
    return static_cast<int>(most);
}

void GUI_Graph::ScaleRange(float& low, float& high) const {
    if (fixedRange) {
        low = rangeLow;
        high = rangeHigh;
    } else {
        bool any = false;
        for (const GraphSeries& s : series) {
            for (float v : s.values) {
                if (!std::isfinite(v))
                    continue;
                low = any ? std::min(low, v) : v;
                high = any ? std::max(high, v) : v;
                any = true;
            }
        }
        if (!any) {
            low = 0;
            high = 1;
        }
        const float room = (high - low) * 0.08f;
        low -= room;
        high += room;
    }
    if (!(high - low > 1e-6f)) {
        // A flat line sits in the middle of a small range around it.
        const float centre = low;
        const float half = std::max(std::fabs(centre) * 0.05f, 0.01f);
        low = centre - half;
        high = centre + half;
    }
}

float GUI_Graph::PlotLeft() const {
    return left + scaleWidth;
}
float GUI_Graph::PlotRight() const {
    return right - kMargin;
}
float GUI_Graph::PlotTop() const {
    return top + (title.empty() ? kMargin : kTitleHeight) + (series.size() > 1 ? 16.0f : 0.0f);
}
float GUI_Graph::PlotBottom() const {
    return bottom - kMargin - 4;
}

float GUI_Graph::XFor(int index) const {
    const int count = PointCount();
    if (count <= 1)
        return PlotRight();
    return PlotLeft() + (PlotRight() - PlotLeft()) * index / static_cast<float>(count - 1);
}

float GUI_Graph::YFor(float value, float low, float high) const {
    const float t = (value - low) / (high - low);
    return PlotBottom() - std::clamp(t, 0.0f, 1.0f) * (PlotBottom() - PlotTop());
}

int GUI_Graph::PointAt(float x) const {
    const int count = PointCount();
    if (count == 0)
        return -1;
    if (count == 1)
        return 0;
    const float t = (x - PlotLeft()) / (PlotRight() - PlotLeft());
    return std::clamp(static_cast<int>(std::lround(t * (count - 1))), 0, count - 1);
}

std::string GUI_Graph::FormatValue(float value) const {
    return formatValue ? formatValue(value) : DefaultValue(value);
}

void GUI_Graph::Update() {
    InputState& input = GetInput();
    const bool over = !input.mouseTaken && HitTest(input.mouseX, input.mouseY);
    hoverPoint = over ? PointAt(input.mouseX) : -1;
    if (hoverPoint >= 0) {
        const int count = PointCount();
        std::string text =
            formatPoint ? formatPoint(hoverPoint, count) : DefaultPoint(hoverPoint, count);
        for (const GraphSeries& s : series) {
            // Shorter series are aligned to the newest point.
            const int index = hoverPoint - (count - static_cast<int>(s.values.size()));
            if (index < 0)
                continue;
            text += "\n";
            if (!s.label.empty())
                text += s.label + ": ";
            text += FormatValue(s.values[index]);
        }
        if (tooltip->Text() != text)
            tooltip->SetText(text);
    } else if (over && tooltip->Text().empty()) {
        tooltip->SetText("No figures yet");
    }
    GUI_ButtonBase::Update();
}

void GUI_Graph::Draw() {
    if (!visible)
        return;
    RenderDevice& device = GetRenderDevice();
    const float l = static_cast<float>(left), t = static_cast<float>(top);
    const float r = static_cast<float>(right), b = static_cast<float>(bottom);
    device.FillRect(l, t, r, b, kGround);
    device.OutlineRect(l, t, r, b, kEdge);
    if (!title.empty())
        GuiDraw::Text("arialbold16.dds", 14, title, l + kMargin, t + 3, kTitleText);
    if (series.size() > 1) {
        float x = PlotLeft();
        for (const GraphSeries& s : series) {
            device.FillRect(x, PlotTop() - 12, x + 10, PlotTop() - 4, s.colour);
            GuiDraw::Text(kFont, kFontSize, s.label, x + 14, PlotTop() - 17, kScaleText);
            x += 24 + GuiDraw::TextWidth(kFont, kFontSize, s.label);
        }
    }

    float low = 0, high = 1;
    ScaleRange(low, high);
    for (int i = 0; i <= gridLines; ++i) {
        const float value = low + (high - low) * i / static_cast<float>(std::max(1, gridLines));
        const float y = YFor(value, low, high);
        device.DrawLine(PlotLeft(), y, PlotRight(), y, kGrid);
        const std::string text = formatScale ? formatScale(value) : FormatValue(value);
        GuiDraw::Text(kFont, kFontSize, text,
                      PlotLeft() - 6 - GuiDraw::TextWidth(kFont, kFontSize, text), y - 7,
                      kScaleText);
    }
    if (low < 0 && high > 0) {
        const float y = YFor(0, low, high);
        device.DrawLine(PlotLeft(), y, PlotRight(), y, kZero);
    }

    const int count = PointCount();
    for (const GraphSeries& s : series) {
        const int offset = count - static_cast<int>(s.values.size());
        for (size_t i = 1; i < s.values.size(); ++i) {
            const float x0 = XFor(offset + static_cast<int>(i) - 1);
            const float x1 = XFor(offset + static_cast<int>(i));
            const float y0 = YFor(s.values[i - 1], low, high);
            const float y1 = YFor(s.values[i], low, high);
            // Two pixels wide, so the line reads at any scale.
            device.DrawLine(x0, y0, x1, y1, s.colour);
            device.DrawLine(x0, y0 + 1, x1, y1 + 1, s.colour);
        }
        if (!s.values.empty()) {
            const float x = XFor(count - 1);
            const float y = YFor(s.values.back(), low, high);
            device.FillRect(x - 3, y - 3, x + 3, y + 3, s.colour);
        }
    }
    if (hoverPoint >= 0) {
        const float x = XFor(hoverPoint);
        device.DrawLine(x, PlotTop(), x, PlotBottom(), 0xA0E8ECF0);
    }
}

void GUI_Graph::DescribeMore(JsonWriter& json) const {
    float low = 0, high = 1;
    ScaleRange(low, high);
    json.Field("low", low);
    json.Field("high", high);
    json.Key("series");
    json.BeginArray();
    for (const GraphSeries& s : series) {
        json.BeginObject();
        json.Field("label", s.label);
        json.Field("points", static_cast<int>(s.values.size()));
        if (!s.values.empty()) {
            json.Field("first", s.values.front());
            json.Field("last", s.values.back());
        }
        json.EndObject();
    }
    json.EndArray();
}
