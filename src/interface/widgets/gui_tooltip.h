#pragma once
// GUI_Tooltip: a small text box shown near the mouse (or at a fixed point) while its button is
// hovered. Buttons mark their tooltip during the update; the frame draws every marked tooltip
// last, so tooltips always sit above windows.

#include "interface/widgets/gui_base_element.h"

#include <cstdint>
#include <string>
#include <vector>

class GUI_Tooltip : public GUI_BaseElement {
public:
    enum PositionMode { kFixed = 0, kFollowMouse = 1 };

    GUI_Tooltip() = default;
    // The text is the translation of key.
    explicit GUI_Tooltip(const std::string& key);
    ~GUI_Tooltip() override;

    void SetKey(const std::string& key);
    void SetText(const std::string& newText);
    const std::string& Text() const { return text; }
    // Where the box appears in kFixed mode (its top-left corner; it is kept on screen).
    void SetAnchor(float x, float y);

    // Lays the text out and draws the box near the mouse or the anchor.
    void Draw() override;

    // Asks for this tooltip to be drawn at the end of the current frame (once, however often).
    void MarkForFrame(uint32_t timeMs);
    // Draws the marked tooltips in marking order and forgets them.
    static void DrawMarked();
    static void ClearMarked();
    static const std::vector<GUI_Tooltip*>& Marked();

    std::string text;
    // 10 until the text is first laid out.
    int boxWidth = 10;
    float alpha = 0;
    uint32_t lastShownMs = 0;
    int positionMode = kFollowMouse;
    float anchorX = 0, anchorY = 0;
};
