#include "interface/screens/main_screen/neural_connector.h"

#include "interface/screens/main_screen/icon_layout.h"
#include "platform/render_device.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kRadiansToDegrees = 57.2957795f;
constexpr float kFrameMs = 15.0f;
constexpr float kMaxStep = 4.0f;
constexpr float kMinSpeed = 0.1f;
} // namespace

GUI_NeuralEffect::GUI_NeuralEffect(NeuralEffect* link, float fromX, float fromY, float toX,
                                   float toY, float linkOutput)
    : effect(link), x(fromX), y(fromY), output(linkOutput), colour(ConnectorColour(linkOutput)) {
    const float dx = toX - fromX, dy = toY - fromY;
    length = std::sqrt(dx * dx + dy * dy);
    angleDegrees = std::atan2(dy, dx) * kRadiansToDegrees;
}

void GUI_NeuralEffect::Animate(uint32_t nowMs) {
    if (!started) {
        started = true;
        lastFrameMs = nowMs;
        return;
    }
    const float step = std::min(static_cast<float>(nowMs - lastFrameMs) / kFrameMs, kMaxStep);
    lastFrameMs = nowMs;
    const float speed = std::max(std::fabs(output), kMinSpeed);
    offset += step * 1.5f * speed;
    while (offset > kConnectorSpacing)
        offset -= kConnectorSpacing;
}

void GUI_NeuralEffect::AppendQuads(std::vector<QuadVertex>& quads, float spriteSize) const {
    if (length <= 0)
        return;
    // The sheet's cell whose streak points the nearest way along the line (cell 0 points right,
    // the cells turn clockwise as the screen's y grows downwards).
    float turn = angleDegrees < 0 ? angleDegrees + 360 : angleDegrees;
    const int cell = static_cast<int>(std::lround(turn / (360.0f / kConnectorDirections))) %
                     kConnectorDirections;
    const int rows = kConnectorDirections / kConnectorSheetColumns;
    const float u0 = static_cast<float>(cell % kConnectorSheetColumns) / kConnectorSheetColumns;
    const float v0 = static_cast<float>(cell / kConnectorSheetColumns) / rows;
    const float u1 = u0 + 1.0f / kConnectorSheetColumns, v1 = v0 + 1.0f / rows;
    const float ux = (length > 0 ? std::cos(angleDegrees / kRadiansToDegrees) : 0);
    const float uy = (length > 0 ? std::sin(angleDegrees / kRadiansToDegrees) : 0);
    const float half = spriteSize / 2;
    for (float along = offset; along < length; along += kConnectorSpacing) {
        // Whole pixels: the software renderer copies upright sprites fastest unscaled in place.
        const float cx = std::floor(x + ux * along), cy = std::floor(y + uy * along);
        quads.push_back({cx - half, cy - half, colour, u0, v0});
        quads.push_back({cx + half, cy - half, colour, u1, v0});
        quads.push_back({cx + half, cy + half, colour, u1, v1});
        quads.push_back({cx - half, cy + half, colour, u0, v1});
    }
}
