#pragma once
// The two windows of guidance: the hint a screen shows the first time it opens, and the play
// guide's adviser. Both are a few paragraphs and one button; the hint keeps any further hints
// that arrive while it is open and shows them one after another.

#include "interface/widgets/gui_dialog.h"

#include <deque>
#include <functional>
#include <string>

class GUI_ButtonText;
class GUI_WindowManager;
class JsonWriter;

inline constexpr const char kHintWindowKind[] = "TutorialHint";
inline constexpr const char kGuideWindowKind[] = "PlayGuide";

class GuidanceWindow : public GUI_Dialog {
public:
    // x and y place the top-left corner in design pixels; zero or less centres that axis.
    GuidanceWindow(const std::string& kind, const std::string& titleKey, const std::string& text,
                   float x, float y);

    void Update() override;
    void Draw() override;
    std::string DumpKind() const override { return kind; }
    void DescribeMore(JsonWriter& json) const override;

    // Sets the text and fits the window to it, keeping the requested place.
    void SetText(const std::string& newText);
    // The one button: its label key, identifier and action.
    void SetButton(const std::string& key, const std::string& id, std::function<void()> action);
    GUI_ButtonText* Button() const { return button; }

    const std::string kind;
    std::string text;
    // Texts waiting for the current one to be read.
    std::deque<std::string> waiting;
    // Whether the button shows; always when unset.
    std::function<bool()> buttonShown;
    // What the owner adds to the screen description.
    std::function<void(JsonWriter&)> describeMore;

private:
    void Fit();

    float requestedX, requestedY;
    GUI_ButtonText* button = nullptr;
};

// Opens a hint over the given windows, or adds it to the hint already showing there. name lets
// a screen find it again (the hint key being shown).
GuidanceWindow* ShowHintWindow(GUI_WindowManager& windows, const std::string& text, float x,
                               float y, const std::string& name);
