#include "interface/windows/encyclopedia_window.h"

#include "base/country_words.h"
#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/json_writer.h"
#include "base/translation.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/text_engine.h"
#include "interface/windows/game_windows.h"
#include "platform/input_state.h"

#include <algorithm>

namespace {

constexpr float kEncyclopediaWidth = 640;
constexpr float kEncyclopediaHeight = 560;

// Passes drawing on to the real device, keeping only what lies inside a band of rows: a glyph
// or a line that does not fit wholly is left out, so a scrolled page shows whole lines.
class ClippingDevice : public RenderDevice {
public:
    ClippingDevice(RenderDevice& inner, float top, float bottom)
        : inner(inner), top(top), bottom(bottom) {}

    int GameWidth() const override { return inner.GameWidth(); }
    int GameHeight() const override { return inner.GameHeight(); }
    TextureId FindTexture(const std::string& fileName) override {
        return inner.FindTexture(fileName);
    }
    int TextureWidth(TextureId texture) const override { return inner.TextureWidth(texture); }
    int TextureHeight(TextureId texture) const override { return inner.TextureHeight(texture); }
    bool ReadTexturePixels(TextureId texture, std::vector<Argb>& pixels, int& width,
                           int& height) override {
        return inner.ReadTexturePixels(texture, pixels, width, height);
    }
    void DrawSprite(TextureId texture, const SpriteDraw& sprite) override {
        if (Inside(sprite.top, sprite.bottom))
            inner.DrawSprite(texture, sprite);
    }
    void FillRect(float l, float t, float r, float b, Argb colour) override {
        if (Inside(t, b))
            inner.FillRect(l, t, r, b, colour);
    }
    void OutlineRect(float l, float t, float r, float b, Argb colour) override {
        if (Inside(t, b))
            inner.OutlineRect(l, t, r, b, colour);
    }
    void DrawLine(float x1, float y1, float x2, float y2, Argb colour) override {
        if (Inside(std::min(y1, y2), std::max(y1, y2)))
            inner.DrawLine(x1, y1, x2, y2, colour);
    }
    void DrawQuads(TextureId texture, const QuadVertex* vertices, int count,
                   bool pointSampling) override {
        kept.clear();
        for (int i = 0; i + 3 < count; i += 4) {
            if (Inside(vertices[i].y, vertices[i + 2].y))
                kept.insert(kept.end(), vertices + i, vertices + i + 4);
        }
        if (!kept.empty())
            inner.DrawQuads(texture, kept.data(), static_cast<int>(kept.size()), pointSampling);
    }

private:
    bool Inside(float from, float to) const { return from >= top && to <= bottom; }

    RenderDevice& inner;
    float top, bottom;
    std::vector<QuadVertex> kept;
};

// Sends the text drawn so far to the device that drew it, before another takes over.
void FlushText() {
    TextEngine& engine = GetTextEngine();
    if (engine.IsInitialised() && engine.CurrentFont())
        engine.Flush();
}

} // namespace

PageSource ReadEncyclopediaPage(const std::string& neuronName, std::string& text,
                                std::string& path) {
    text.clear();
    path = "data/simulation/encyclopedia/" + neuronName + ".txt";
    if (FileExists(path) && ReadWholeFile(path, text)) {
        FillCountryWords(text);
        return PageSource::Game;
    }
    path = GetUserDir() + "/mods/data/simulation/encyclopedia/" + neuronName + ".txt";
    if (!GetUserDir().empty() && FileExists(path) && ReadWholeFile(path, text)) {
        FillCountryWords(text);
        return PageSource::Mods;
    }
    path.clear();
    text.clear();
    return PageSource::Missing;
}

GUI_PageView::GUI_PageView(const std::string& text, const FormattedTextStyle& style) {
    identifier = "EncyclopediaPage";
    page.SetText(text, style);
}

int GUI_PageView::ContentHeight() const {
    if (measuredHeight < 0) {
        // Laid out through a band that keeps nothing: only the height is wanted.
        FlushText();
        RenderDevice& real = GetRenderDevice();
        ClippingDevice nothing(real, 1.0f, 0.0f);
        SetRenderDevice(&nothing);
        measuredHeight = static_cast<int>(page.Draw(static_cast<float>(left), 0.0f) + 0.999f);
        FlushText();
        SetRenderDevice(&real);
    }
    return measuredHeight;
}

int GUI_PageView::MaxScroll() const {
    return std::max(0, ContentHeight() - height);
}

void GUI_PageView::ScrollBy(int pixels) {
    scroll = std::clamp(scroll + pixels, 0, MaxScroll());
}

void GUI_PageView::Update() {
    GUI_ButtonBase::Update();
    InputState& input = GetInput();
    if (input.wheel != 0 && HitTest(input.mouseX, input.mouseY) && ModalAllows()) {
        ScrollBy(-input.wheel * scrollStep);
        input.wheel = 0;
    }
}

void GUI_PageView::Draw() {
    if (!visible)
        return;
    FlushText();
    RenderDevice& real = GetRenderDevice();
    ClippingDevice band(real, static_cast<float>(top), static_cast<float>(bottom));
    SetRenderDevice(&band);
    page.Draw(static_cast<float>(left), static_cast<float>(top - scroll));
    FlushText();
    SetRenderDevice(&real);
    // The strip on the right shows where the view stands in the page.
    const int whole = ContentHeight();
    if (whole > height) {
        const float strip = right + 4.0f;
        const float shown = static_cast<float>(height) * height / whole;
        const float from = top + static_cast<float>(height - shown) * scroll / MaxScroll();
        real.FillRect(strip, static_cast<float>(top), strip + 4, static_cast<float>(bottom),
                      0x40A8B4C0);
        real.FillRect(strip, from, strip + 4, from + shown, 0xC0A8B4C0);
    }
}

void GUI_PageView::DescribeMore(JsonWriter& json) const {
    json.Field("scroll", scroll);
    json.Field("maxScroll", MaxScroll());
    json.Field("contentHeight", ContentHeight());
    json.Field("chunks", static_cast<int>(page.Chunks().Count()));
}

GUI_EncyclopediaWindow::GUI_EncyclopediaWindow(const std::string& neuronName)
    : GUI_NodeWindow(WindowKind::Encyclopedia, neuronName, kEncyclopediaWidth,
                     kEncyclopediaHeight) {}

void GUI_EncyclopediaWindow::Layout(Neuron& node) {
    title = NodeText::Fill("NODEWIN_ENCYCLOPEDIA_TITLE", {{"NAME", NodeText::DisplayName(node)}});
    std::string text;
    source = ReadEncyclopediaPage(nodeName, text, path);
    if (source == PageSource::Missing)
        text = "<FONTNAME=arialbold20.dds><SIZE=20>" + NodeText::DisplayName(node) +
               "<HR><FONTNAME=arial16.dds><SIZE=16>" +
               NodeText::Fill("NODEWIN_NO_PAGE", {{"NAME", NodeText::DisplayName(node)}});
    const float strip = S(14);
    FormattedTextStyle style;
    style.wrapWidth = static_cast<int>(ContentWidth() - strip - S(36));
    view = new GUI_PageView(text, style);
    view->SetRect(X(0), Y(4), static_cast<float>(ContentRight()) - strip - S(36),
                  static_cast<float>(innerBottom) - S(44));
    AddChild(view);

    const std::string windowName = name;
    auto scroll = [windowName](int direction) {
        if (auto* w = dynamic_cast<GUI_EncyclopediaWindow*>(FindGameWindow(windowName)))
            if (GUI_PageView* page = w->View())
                page->ScrollBy(direction * (page->height - page->scrollStep));
    };
    const float side = static_cast<float>(ContentRight()) - S(30);
    auto* up = AddButton("NODEWIN_PAGE_UP", "EncyclopediaUpButton", 0, 0, 30, 30,
                         [scroll] { scroll(-1); });
    up->SetRect(side, Y(4), side + S(30), Y(34));
    auto* down = AddButton("NODEWIN_PAGE_DOWN", "EncyclopediaDownButton", 0, 0, 30, 30,
                           [scroll] { scroll(1); });
    down->SetRect(side, static_cast<float>(innerBottom) - S(74), side + S(30),
                  static_cast<float>(innerBottom) - S(44));
    // A page that fits needs no arrows.
    up->visible = down->visible = view->MaxScroll() > 0;
    // Back to the node's own window, where the figures are.
    const std::string nodeToShow = nodeName;
    if (!FindDetailsTarget(node).kind.empty()) {
        auto* details = AddButton("NODEWIN_DETAILS", "EncyclopediaDetailsButton", 0, 0, 160, 30,
                                  [nodeToShow] { OpenNodeDetails(nodeToShow); });
        details->SetRect(X(0), static_cast<float>(innerBottom) - S(34), X(160),
                         static_cast<float>(innerBottom) - S(4));
    }
    if (source == PageSource::Missing)
        LogF("No encyclopedia page for %s", nodeName.c_str());
}

void GUI_EncyclopediaWindow::DescribeMore(JsonWriter& json) const {
    json.Field("node", nodeName);
    json.Field("source", std::string(source == PageSource::Game   ? "game"
                                     : source == PageSource::Mods ? "mods"
                                                                  : "missing"));
    json.Field("path", path);
    std::string words;
    if (view) {
        for (const LibTextChunk& chunk : view->Page().Chunks().Chunks()) {
            if (chunk.kind == ChunkKind::Text)
                words += chunk.text;
            if (words.size() > 200)
                break;
        }
    }
    json.Field("text", words.substr(0, 200));
}
