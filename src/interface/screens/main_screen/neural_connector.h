#pragma once
// GUI_NeuralEffect: the drawn form of one link between two icons of the game screen. Small
// streaks run along the line from the source icon to the target, faster for stronger links, in
// red for links that push down and green for those that push up.

#include <cstdint>
#include <vector>

class NeuralEffect;
struct QuadVertex;

class GUI_NeuralEffect {
public:
    GUI_NeuralEffect(NeuralEffect* effect, float fromX, float fromY, float toX, float toY,
                     float output);

    // Moves the streaks on by the time since this connector's last frame.
    void Animate(uint32_t nowMs);
    // Appends the streaks' quads (four vertices each) for one batched draw of the sheet.
    void AppendQuads(std::vector<QuadVertex>& quads, float spriteSize) const;

    NeuralEffect* effect;
    float x, y;
    float length, angleDegrees;
    float output;
    uint32_t colour;
    uint32_t lastFrameMs = 0;
    bool started = false;
    float offset = 0;
};

// The connector sheet holds the streak turned to this many directions, in one row after another.
inline constexpr int kConnectorDirections = 32;
inline constexpr int kConnectorSheetColumns = 16;
inline constexpr float kConnectorSpacing = 12.0f;
