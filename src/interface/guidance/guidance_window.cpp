#include "interface/guidance/guidance_window.h"

#include "base/json_writer.h"
#include "base/translation.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/text_engine.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
constexpr float kWidth = 440;
constexpr float kMinHeight = 170;
// A generous guess at the width of a letter of the text font, for sizing before drawing.
constexpr float kLetterWidth = 7.6f;
constexpr float kLineHeight = 19;
constexpr char kTextFont[] = "arialbold16.dds";
constexpr int kTextSize = 16;
constexpr unsigned kGuideTextColour = 0xFFF4F0E0;
} // namespace

GuidanceWindow::GuidanceWindow(const std::string& windowKind, const std::string& titleKey,
                               const std::string& body, float x, float y)
    : GUI_Dialog(titleKey, false), kind(windowKind), requestedX(x), requestedY(y) {
    background = "dialog_tutorial.dds";
    name = windowKind;
    // The guide must not be waved away by a stray key; a hint may.
    closeOnEscape = windowKind == kHintWindowKind;
    button = new GUI_ButtonText("HINT_OK");
    button->deferred = true;
    AddChild(button);
    SetText(body);
}

void GuidanceWindow::SetButton(const std::string& key, const std::string& id,
                               std::function<void()> action) {
    button->SetKey(key);
    button->identifier = id;
    button->SetCallback([action](void*) {
        if (action)
            action();
    });
}

void GuidanceWindow::SetText(const std::string& newText) {
    text = Translate(newText);
    Fit();
}

void GuidanceWindow::Fit() {
    using ScreenLayout::S;
    const float innerWidth = kWidth - 2 * kMarginLeft - 20;
    float lines = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const float letters = static_cast<float>(end - start);
        lines += letters == 0 ? 0.5f : std::ceil(letters * kLetterWidth / innerWidth);
        start = end + 1;
    }
    const float height = std::max(kMinHeight, kMarginTop + 12 + lines * kLineHeight + 58);
    const float w = S(kWidth), h = S(height);
    const float l = requestedX > 0 ? S(requestedX) : (ScreenLayout::ScreenWidth() - w) / 2;
    const float t = requestedY > 0 ? S(requestedY) : (ScreenLayout::ScreenHeight() - h) / 3;
    // Kept on the screen whatever the script asked for.
    const float maxLeft = std::max(0.0f, ScreenLayout::ScreenWidth() - w);
    const float maxTop = std::max(0.0f, ScreenLayout::ScreenHeight() - h);
    const float x = std::min(std::max(0.0f, l), maxLeft);
    const float y = std::min(std::max(0.0f, t), maxTop);
    SetRect(x, y, x + w, y + h);
    const float centre = x + w / 2;
    button->SetRect(centre - S(90), y + h - S(48), centre + S(90), y + h - S(14));
}

void GuidanceWindow::Update() {
    if (buttonShown)
        button->visible = buttonShown();
    GUI_Dialog::Update();
}

void GuidanceWindow::Draw() {
    if (!visible)
        return;
    TextEngine& engine = GetTextEngine();
    // Whatever lies below is batched; it goes down first so it cannot show through.
    engine.Flush();
    GUI_Dialog::Draw();
    engine.SetFont(kTextFont, kTextSize);
    float y = static_cast<float>(ContentTop()) + ScreenLayout::S(6);
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string paragraph = text.substr(start, end - start);
        if (paragraph.empty())
            y += kTextSize / 2.0f;
        else
            y = engine.DrawWrapped(paragraph, static_cast<float>(ContentLeft() + 10), y,
                                   ContentWidth() - 20, kGuideTextColour);
        start = end + 1;
    }
}

void GuidanceWindow::DescribeMore(JsonWriter& json) const {
    json.Field("text", text);
    json.Field("waiting", static_cast<int>(waiting.size()));
    if (describeMore)
        describeMore(json);
}

GuidanceWindow* ShowHintWindow(GUI_WindowManager& windows, const std::string& text, float x,
                               float y, const std::string& name) {
    for (GUI_WindowBase* open : windows.ModalWindows()) {
        auto* hint = dynamic_cast<GuidanceWindow*>(open);
        if (hint && hint->kind == kHintWindowKind) {
            hint->waiting.push_back(text);
            return hint;
        }
    }
    auto window = std::make_unique<GuidanceWindow>(kHintWindowKind, "HINT_TITLE", text, x, y);
    window->name = name.empty() ? std::string(kHintWindowKind) : name;
    GuidanceWindow* hint = window.get();
    hint->SetButton("HINT_OK", "HintOkButton", [hint] {
        if (hint->waiting.empty()) {
            hint->Close();
            return;
        }
        hint->SetText(hint->waiting.front());
        hint->waiting.pop_front();
    });
    windows.OpenModalOwned(std::move(window));
    return hint;
}
