#pragma once
// GUI_Graph: a history as a line graph. One or more series of figures, oldest first, drawn over a
// light grid with the value scale on the left; hovering a point shows its turn and every series'
// figure there. The game's histories (a value's last 33 turns, the polls, the finances) are drawn
// with it.

#include "interface/widgets/gui_base_element.h"
#include "platform/render_device.h"

#include <functional>
#include <string>
#include <vector>

struct GraphSeries {
    std::string label;
    // Oldest first.
    std::vector<float> values;
    Argb colour = 0xFF5FC8A0;
};

class GUI_Graph : public GUI_ButtonBase {
public:
    GUI_Graph();

    void Draw() override;
    // Hover: the tooltip names the point under the mouse and every series' figure there.
    void Update() override;
    bool OnClick(float /*x*/, float /*y*/) override { return false; }
    std::string DumpKind() const override { return "graph"; }
    std::string DumpText() const override { return title; }
    // The series: label, number of points, first and last figure; and the scale's range.
    void DescribeMore(JsonWriter& json) const override;

    void SetSeries(std::vector<GraphSeries> newSeries);
    // A fixed scale (shares 0…1, say). Without one the scale fits the figures.
    void SetRange(float low, float high);
    void ClearRange() { fixedRange = false; }

    // The scale that is drawn: the fixed one, or the figures' own with a little room; never
    // empty, so a flat line sits in the middle.
    void ScaleRange(float& low, float& high) const;
    // The point nearest to x along the time axis; -1 when there are no points.
    int PointAt(float x) const;
    int PointCount() const;

    // How the scale and the tooltip write a figure (default: two decimals).
    std::function<std::string(float)> formatValue;
    // How the scale alone writes a figure, when it needs a shorter form than the tooltip.
    std::function<std::string(float)> formatScale;
    // Room on the left for the scale's figures, in pixels.
    float scaleWidth = 64;
    // How the tooltip names a point, given its index (0 = oldest) and the number of points
    // (default: "N turns ago", "This turn").
    std::function<std::string(int, int)> formatPoint;
    std::string title;
    std::vector<GraphSeries> series;
    int gridLines = 4;

private:
    // The plotting area inside the rectangle, leaving room for the scale's figures.
    float PlotLeft() const;
    float PlotRight() const;
    float PlotTop() const;
    float PlotBottom() const;
    float XFor(int index) const;
    float YFor(float value, float low, float high) const;
    std::string FormatValue(float value) const;

    bool fixedRange = false;
    float rangeLow = 0, rangeHigh = 1;
    int hoverPoint = -1;
};
