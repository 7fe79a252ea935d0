#include "interface/widgets/gui_tooltip.h"

#include "base/translation.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "platform/render_device.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {
constexpr const char* kFont = "verdana12.dds";
constexpr int kFontSize = 12;
constexpr int kMaxTextWidth = 300;
constexpr int kPadding = 6;
constexpr int kLineHeight = 16;

std::vector<GUI_Tooltip*>& MarkedList() {
    static std::vector<GUI_Tooltip*> marked;
    return marked;
}

unsigned WithAlpha(unsigned colour, float alpha) {
    const float a = std::clamp(alpha, 0.0f, 1.0f) * static_cast<float>(colour >> 24);
    return (static_cast<unsigned>(a) << 24) | (colour & 0x00FFFFFF);
}
} // namespace

GUI_Tooltip::GUI_Tooltip(const std::string& key) {
    SetKey(key);
}

GUI_Tooltip::~GUI_Tooltip() {
    // A tooltip destroyed mid-frame (its window closed) must not be drawn afterwards.
    auto& marked = MarkedList();
    marked.erase(std::remove(marked.begin(), marked.end(), this), marked.end());
}

void GUI_Tooltip::SetKey(const std::string& key) {
    SetText(Translate(key));
}

void GUI_Tooltip::SetText(const std::string& newText) {
    text = newText;
    boxWidth = 10;
}

void GUI_Tooltip::SetAnchor(float x, float y) {
    anchorX = x;
    anchorY = y;
    positionMode = kFixed;
}

void GUI_Tooltip::MarkForFrame(uint32_t timeMs) {
    alpha = 1;
    lastShownMs = timeMs;
    auto& marked = MarkedList();
    if (std::find(marked.begin(), marked.end(), this) == marked.end())
        marked.push_back(this);
}

void GUI_Tooltip::Draw() {
    if (text.empty() || alpha <= 0)
        return;
    TextEngine& engine = GetTextEngine();
    // The box must cover whatever text is still waiting in the batch.
    engine.Flush();
    engine.SetFont(kFont, kFontSize);
    // A line break in the text starts a new paragraph; each is wrapped within the box.
    std::vector<std::string> paragraphs;
    for (size_t start = 0;;) {
        const size_t end = text.find('\n', start);
        paragraphs.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    int widest = 0;
    for (const std::string& paragraph : paragraphs)
        widest = std::max(widest, engine.TextWidth(paragraph));
    // A line exactly as wide as the box would be split: a little room to spare.
    boxWidth = std::max(10, std::min(widest + 2, kMaxTextWidth));
    int lines = 0;
    for (const std::string& paragraph : paragraphs) {
        std::string rest = paragraph;
        int paragraphLines = 0;
        while (!rest.empty() && lines < 40) {
            auto split = engine.SplitLine(rest, boxWidth);
            // A word longer than the box would otherwise never leave the loop.
            if (split.first.empty() && split.second == rest)
                break;
            rest = split.second;
            ++lines;
            ++paragraphLines;
        }
        lines += paragraphLines == 0 ? 1 : 0;
    }
    lines = std::max(lines, 1);
    const int boxW = boxWidth + 2 * kPadding;
    const int boxH = lines * kLineHeight + 2 * kPadding;

    RenderDevice& device = GetRenderDevice();
    float x = anchorX, y = anchorY;
    if (positionMode == kFollowMouse) {
        const InputState& input = GetInput();
        x = input.mouseX + 16;
        y = input.mouseY + 20;
    }
    // Kept wholly on screen: flipped to the other side of the mouse near the right or bottom edge.
    if (x + boxW > device.GameWidth())
        x = std::max(0.0f, static_cast<float>(device.GameWidth() - boxW));
    if (y + boxH > device.GameHeight())
        y = std::max(0.0f, static_cast<float>(device.GameHeight() - boxH));
    SetRect(x, y, x + boxW, y + boxH);

    device.FillRect(x, y, x + boxW, y + boxH, WithAlpha(0xF0181C24, alpha));
    device.OutlineRect(x, y, x + boxW, y + boxH, WithAlpha(0xFF8FA3B8, alpha));
    float lineY = y + kPadding;
    for (const std::string& paragraph : paragraphs) {
        if (paragraph.empty()) {
            lineY += kLineHeight;
            continue;
        }
        const float after = engine.DrawWrapped(paragraph, x + kPadding, lineY, boxWidth,
                                               WithAlpha(0xFFF2F2F2, alpha));
        lineY = std::max(after, lineY + kLineHeight);
    }
}

void GUI_Tooltip::DrawMarked() {
    // Drawing may not mark more, but a copy keeps the walk safe whatever the tooltips do.
    std::vector<GUI_Tooltip*> marked = MarkedList();
    MarkedList().clear();
    for (GUI_Tooltip* tip : marked)
        tip->Draw();
}

void GUI_Tooltip::ClearMarked() {
    MarkedList().clear();
}

const std::vector<GUI_Tooltip*>& GUI_Tooltip::Marked() {
    return MarkedList();
}
