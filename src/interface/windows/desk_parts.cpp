#include "interface/windows/desk_parts.h"

#include "base/json_writer.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_window_base.h"
#include "interface/widgets/text_engine.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr unsigned kPlaceholderFill = 0xFF222C38;
constexpr unsigned kPlaceholderEdge = 0xFF5A6A7C;
constexpr unsigned kPlaceholderMark = 0x603A4A5C;

bool FontReady(TextEngine& engine, const std::string& font, int size) {
    if (!engine.IsInitialised())
        return false;
    engine.SetFont(font, size);
    return engine.CurrentFont() != nullptr;
}

float LineStep(const TextEngine& engine, int size) {
    return static_cast<float>(size + engine.CurrentFont()->lineSpacing);
}

// The lines the text breaks into at this width, paragraph breaks kept as empty lines.
std::vector<std::string> WrapLines(TextEngine& engine, const std::string& text, int width) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string rest = text.substr(start, end - start);
        if (rest.empty())
            lines.emplace_back();
        while (!rest.empty()) {
            auto [line, after] = engine.SplitLine(rest, width);
            if (line.empty() && after == rest) {
                // A word wider than the column takes a line of its own.
                const size_t blank = rest.find(' ');
                line = rest.substr(0, blank);
                after = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
            }
            lines.push_back(line);
            rest = after;
        }
        start = end + 1;
    }
    return lines;
}

} // namespace

GUI_TextBlock::GUI_TextBlock(const std::string& newText, float l, float t, float r, float b)
    : text(newText), font(ScreenLayout::kTextFont), fontSize(ScreenLayout::kTextSize),
      colour(ScreenLayout::kTextColour) {
    SetRect(l, t, r, b);
}

void GUI_TextBlock::Draw() {
    if (!visible || text.empty())
        return;
    TextEngine& engine = GetTextEngine();
    if (!FontReady(engine, font, fontSize))
        return;
    const float step = LineStep(engine, fontSize);
    std::vector<std::string> lines = WrapLines(engine, text, width);
    float y = static_cast<float>(top);
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool lastRoom = y + 2 * step > bottom + step * 0.25f;
        std::string line = lines[i];
        if (lastRoom && i + 1 < lines.size()) {
            // The rest does not fit: say so rather than cut a sentence silently.
            while (!line.empty() && engine.TextWidth(line + "...") > width)
                line.pop_back();
            line += "...";
        }
        const float x = centred ? (left + right) / 2.0f : static_cast<float>(left);
        engine.DrawLine(line, x, y, colour, centred ? TextAlign::Centre : TextAlign::Left);
        y += step;
        if (lastRoom)
            break;
    }
}

GUI_Picture::GUI_Picture(const std::string& picture, float l, float t, float r, float b)
    : file(picture) {
    SetRect(l, t, r, b);
}

bool GUI_Picture::Missing() const {
    return file.empty() || GetRenderDevice().FindTexture(file) == kNoTexture;
}

void GUI_Picture::Draw() {
    if (!visible)
        return;
    const float l = static_cast<float>(left), t = static_cast<float>(top);
    const float r = static_cast<float>(right), b = static_cast<float>(bottom);
    if (GuiDraw::PictureOr(file, l, t, r, b, kPlaceholderFill, kPlaceholderEdge))
        return;
    // Two diagonals mark the empty frame as a picture that is not there, not a panel.
    RenderDevice& device = GetRenderDevice();
    device.DrawLine(l, t, r, b, kPlaceholderMark);
    device.DrawLine(l, b, r, t, kPlaceholderMark);
}

void GUI_Picture::DescribeMore(JsonWriter& json) const {
    json.Field("picture", file);
    json.Field("placeholder", Missing());
}

float WrappedTextHeight(const std::string& text, const std::string& font, int size, float width) {
    TextEngine& engine = GetTextEngine();
    if (width <= 0)
        return 0;
    if (!FontReady(engine, font, size)) {
        // About half the font size per character, which is near enough to lay out a window.
        const float perLine = std::max(1.0f, width / (size * 0.5f));
        const float lines = std::ceil(static_cast<float>(text.size()) / perLine);
        return std::max(1.0f, lines) * (size + 4.0f);
    }
    const size_t lines = WrapLines(engine, text, static_cast<int>(width)).size();
    return static_cast<float>(std::max<size_t>(lines, 1)) * LineStep(engine, size);
}

std::string CountText(long long count) {
    std::string digits = std::to_string(count < 0 ? -count : count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return count < 0 ? "-" + digits : digits;
}

std::string PercentText(float fraction, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f%%", decimals, fraction * 100.0f);
    return text;
}

std::string PointsChangeText(float change) {
    char text[32];
    const float points = change * 100.0f;
    // A change that rounds to nothing is written without a sign.
    if (std::fabs(points) < 0.05f)
        return "0.0";
    std::snprintf(text, sizeof text, "%+.1f", points);
    return text;
}

GUI_Label* AddLabel(GUI_WindowBase& window, const std::string& text, float x, float y,
                    const std::string& tooltip, LabelAlign align) {
    auto* label = new GUI_Label(text, x, y, tooltip, align);
    window.AddChild(label);
    return label;
}

GUI_TextBlock* AddText(GUI_WindowBase& window, const std::string& text, float l, float t, float r,
                       float b) {
    auto* block = new GUI_TextBlock(text, l, t, r, b);
    window.AddChild(block);
    return block;
}

GUI_ButtonText* AddDeskButton(GUI_WindowBase& window, const std::string& key,
                              const std::string& identifier, float l, float t, float r, float b) {
    auto* button = new GUI_ButtonText(key);
    button->identifier = identifier;
    button->fontSize = 14;
    button->deferred = true;
    button->SetRect(l, t, r, b);
    window.AddChild(button);
    return button;
}
