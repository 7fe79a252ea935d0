#include "interface/screens/processing_screen.h"

#include "interface/screens/screens.h"

#include "base/debug_log.h"
#include "base/translation.h"
#include "interface/screens/quotations.h"
#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/text_engine.h"
#include "platform/render_device.h"

#include <algorithm>

namespace {

constexpr Argb kQuoteColour = 0xFFFFFFFF;
constexpr Argb kShadowColour = 0xFF101010;
constexpr Argb kAuthorColour = 0xFFE0D8B0;
constexpr Argb kPanelColour = 0xA0000000;
constexpr Argb kStatusColour = 0xFFFFFFFF;
constexpr Argb kBarBack = 0xC0202020;
constexpr Argb kBarFill = 0xFFB89A4A;
constexpr Argb kBarEdge = 0xFFFFFFFF;
constexpr int kQuoteSize = 30;
constexpr int kAuthorSize = 16;
constexpr int kStatusSize = 16;
constexpr int kDoneSize = 20;

// Lines DrawWrapped will use for the text, so the panel can be sized before anything is drawn.
int CountLines(TextEngine& engine, const std::string& text, int width) {
    int lines = 0;
    std::string rest = text;
    while (rest.size() > 1 && lines < 64) {
        auto [line, after] = engine.SplitLine(rest, width);
        if (line.empty() && after == rest) {
            size_t blank = rest.find(' ');
            after = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
        }
        rest = std::move(after);
        ++lines;
    }
    return lines;
}

} // namespace

void GUI_ProcessingScreen::Begin() {
    done_ = false;
    GetQuotations().Next();
    Progress("Analayzing decisions", 0.1f);
}

void GUI_ProcessingScreen::Progress(const std::string& text, float amount) {
    Log(text);
    status_ = text;
    if (drawFrame_)
        drawFrame_();
    progress_ += amount;
    if (progress_ > 1.0f)
        progress_ = 0;
}

void GUI_ProcessingScreen::Done() {
    done_ = true;
}

void GUI_ProcessingScreen::Continue() {
    if (!done_)
        return;
    done_ = false;
    if (onContinue_)
        onContinue_();
}

bool GUI_ProcessingScreen::OnLeftClick(float, float) {
    // The whole screen is one surface: a click is never meant for anything behind it.
    Continue();
    return true;
}

void GUI_ProcessingScreen::OnKey(int) {
    Continue();
}

void GUI_ProcessingScreen::DrawQuotation(float width, float height) {
    RenderDevice& device = GetRenderDevice();
    TextEngine& engine = GetTextEngine();
    if (!ScreenLayout::DrawFitted("loadscreen.jpg", 0, 0, width, height))
        device.FillRect(0, 0, width, height, 0xFF0A0F18);

    if (const Quotation* quote = GetQuotations().Current()) {
        // The quotation keeps to a column of the picture's own shape, however wide the screen.
        const float column = std::min(width, height * 4 / 3), columnLeft = (width - column) / 2;
        const float left = columnLeft + column * 0.12f, right = columnLeft + column * 0.88f;
        const float margin = 32;
        const int wrap = static_cast<int>(right - left - 2 * margin);
        engine.SetFont("tahoma30.dds", kQuoteSize);
        int lines = std::max(1, CountLines(engine, quote->text, wrap));
        float textHeight = lines * static_cast<float>(kQuoteSize) + kAuthorSize + 16;
        float top = std::max(height * 0.42f - textHeight / 2 - margin, height * 0.05f);
        GuiDraw::PictureOr("dialog_dark.dds", left, top, right, top + textHeight + 2 * margin,
                           kPanelColour, 0, 0xE8FFFFFF);

        float x = left + margin, y = top + margin;
        engine.DrawWrapped(quote->text, x - 1, y - 1, wrap, kShadowColour);
        float below = engine.DrawWrapped(quote->text, x, y, wrap, kQuoteColour);
        engine.SetFont("arial16.dds", kAuthorSize);
        float authorWidth = static_cast<float>(engine.TextWidth(quote->author));
        engine.DrawLine(quote->author, std::max(x, right - margin - authorWidth), below + 8,
                        kAuthorColour);
    }
}

void GUI_ProcessingScreen::Draw() {
    RenderDevice& device = GetRenderDevice();
    TextEngine& engine = GetTextEngine();
    const float width = static_cast<float>(device.GameWidth());
    const float height = static_cast<float>(device.GameHeight());

    // The picture and the quotation stay put while the work runs; only the bar and the status
    // move, so the rest is drawn once per quotation and copied after.
    const std::string layer = "processing-" + std::to_string(GetQuotations().Index());
    if (device.BeginLayer(layer)) {
        DrawQuotation(width, height);
        engine.Flush();
        device.EndLayer();
    }
    device.DrawLayer(layer);

    // The bar sits above the status line.
    const float barLeft = width / 2 - std::min(width, height * 4 / 3) * 0.25f;
    const float barRight = width - barLeft;
    const float barTop = height - 90, barBottom = barTop + 14;
    device.FillRect(barLeft, barTop, barRight, barBottom, kBarBack);
    // The steps wrap the progress round when they overrun; finished work shows a full bar.
    const float shown = done_ ? 1.0f : std::clamp(progress_, 0.0f, 1.0f);
    float filled = barLeft + (barRight - barLeft) * shown;
    if (filled > barLeft)
        device.FillRect(barLeft, barTop, filled, barBottom, kBarFill);
    device.OutlineRect(barLeft, barTop, barRight, barBottom, kBarEdge);

    if (done_) {
        engine.SetFont("arialbold20.dds", kDoneSize);
        engine.DrawLine(Translate("CLICK_TO_CONTINUE"), width / 2, height - 53, kStatusColour,
                        TextAlign::Centre);
    } else {
        engine.SetFont("arial16.dds", kStatusSize);
        engine.DrawLine(status_, width / 2, height - 53, kStatusColour, TextAlign::Centre);
    }
}

GUI_ProcessingScreen& GetProcessingScreen() {
    static GUI_ProcessingScreen screen;
    return screen;
}
