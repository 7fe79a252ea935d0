#include "interface/windows/government_window.h"

#include "base/translation.h"
#include "interface/widgets/text_engine.h"
#include "platform/render_device.h"

#include <algorithm>
#include <cctype>

void GovernmentWindow::Draw() {
    if (!visible)
        return;
    GetTextEngine().Flush();
    GUI_Dialog::Draw();
    DrawExtras();
}

GUI_Label* GovernmentWindow::AddFigure(float x, float y, LabelAlign align) {
    auto* label = new GUI_Label("", x, y, "", align);
    AddChild(label);
    return label;
}

GUI_Label* GovernmentWindow::AddCaption(float x, float y, const std::string& key) {
    auto* label = new GUI_Label(Translate(key), x, y);
    label->colour = GovColour::kDim;
    AddChild(label);
    return label;
}

GUI_Label* GovernmentWindow::AddHeading(float x, float y, const std::string& key) {
    auto* label = new GUI_Label(Translate(key), x, y);
    label->SetFont("arialbold16.dds", 16);
    label->colour = GovColour::kAccent;
    AddChild(label);
    return label;
}

GUI_Label* GovernmentWindow::AddFigureRow(float x, float y, float width,
                                          const std::string& captionKey) {
    AddCaption(x, y, captionKey);
    return AddFigure(x + width, y, LabelAlign::Right);
}

GUI_Table* GovernmentWindow::AddTable(float x, float y, float width, float height) {
    auto* table = new GUI_Table();
    table->SetRect(x, y, x + width, y + height);
    AddChild(table);
    return table;
}

GUI_Graph* GovernmentWindow::AddGraph(float x, float y, float width, float height,
                                      const std::string& titleKey) {
    auto* graph = new GUI_Graph();
    graph->title = Translate(titleKey);
    graph->SetRect(x, y, x + width, y + height);
    AddChild(graph);
    return graph;
}

GUI_ButtonText* GovernmentWindow::AddButton(float x, float y, float width, const std::string& key,
                                            const std::string& id, std::function<void()> action) {
    auto* button = new GUI_ButtonText(key);
    button->identifier = id;
    button->fontSize = 14;
    // The action may rebuild or close this window: it runs once the frame is drawn.
    button->deferred = true;
    button->SetCallback([action](void*) { action(); });
    button->SetRect(x, y, x + width, y + S(30));
    AddChild(button);
    return button;
}

namespace {

// The lines a paragraph breaks into at a width, as the text engine draws them.
std::vector<std::string> WrapLines(TextEngine& engine, const std::string& text, int width) {
    std::vector<std::string> lines;
    std::string rest = text;
    while (rest.size() > 1) {
        auto [line, after] = engine.SplitLine(rest, width);
        if (line.empty() && after == rest) {
            const size_t blank = rest.find(' ');
            line = rest.substr(0, blank);
            after = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
        }
        lines.push_back(line);
        rest = std::move(after);
    }
    if (rest.size() == 1)
        lines.push_back(rest);
    return lines;
}

} // namespace

float GovernmentWindow::DrawParagraph(const std::string& text, float x, float y, float width,
                                      unsigned colour, const std::string& font, int size) {
    TextEngine& engine = GetTextEngine();
    engine.SetFont(font, size);
    const float step =
        static_cast<float>(size + (engine.CurrentFont() ? engine.CurrentFont()->lineSpacing : 0));
    // Line breaks in the text start new paragraphs.
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        for (const std::string& line :
             WrapLines(engine, text.substr(start, end - start), static_cast<int>(width))) {
            engine.DrawLine(line, x, y, colour);
            y += step;
        }
        start = end + 1;
    }
    return y;
}

float GovernmentWindow::ParagraphHeight(const std::string& text, float width,
                                        const std::string& font, int size) {
    TextEngine& engine = GetTextEngine();
    engine.SetFont(font, size);
    if (!engine.CurrentFont())
        return static_cast<float>(size);
    const float step = static_cast<float>(size + engine.CurrentFont()->lineSpacing);
    size_t lines = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines += WrapLines(engine, text.substr(start, end - start), static_cast<int>(width)).size();
        start = end + 1;
    }
    return step * static_cast<float>(std::max<size_t>(lines, 1));
}

std::string Initials(const std::string& name) {
    std::string initials;
    bool wordStart = true;
    for (char c : name) {
        if (c == ' ') {
            wordStart = true;
        } else if (wordStart) {
            initials += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            wordStart = false;
        }
    }
    return initials.empty() ? "?" : initials;
}

bool DrawPictureOrInitials(const std::string& picture, const std::string& name, float left,
                           float top, float right, float bottom, unsigned tint) {
    if (GuiDraw::PictureOr(picture, left, top, right, bottom, 0xFF24303C, 0xFF6A7A8A, tint))
        return true;
    // A head and shoulders in outline would be art; the initials are honest about the gap.
    GuiDraw::Text("tahoma30.dds", 30, Initials(name), (left + right) / 2, (top + bottom) / 2 - 16,
                  GovColour::kDim, true);
    return false;
}

void DrawFractionBar(float left, float top, float right, float bottom, float fraction,
                     unsigned colour) {
    RenderDevice& device = GetRenderDevice();
    fraction = std::clamp(fraction, 0.0f, 1.0f);
    device.FillRect(left, top, right, bottom, 0x60000000);
    if (fraction > 0)
        device.FillRect(left + 1, top + 1, left + 1 + (right - left - 2) * fraction, bottom - 1,
                        colour);
    device.OutlineRect(left, top, right, bottom, 0xFF4A5A6A);
}
