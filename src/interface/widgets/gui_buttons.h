#pragma once
// The everyday buttons: text buttons, picture buttons, the close button of a window, the arrows of
// a scrolling window and the tabs of a tab container.

#include "interface/widgets/gui_base_element.h"

#include <string>

class GUI_ScrollingWindow;
class GUI_TabContainer;
class GUI_WindowTab;

// A labelled button on "button.dds" ("button_h.dds" while hovered); the label is a translation.
class GUI_ButtonText : public GUI_ButtonBase {
public:
    explicit GUI_ButtonText(const std::string& key);
    void Draw() override;
    void SetKey(const std::string& key);
    // Replaces the label with text as given (no translation).
    void SetLabel(const std::string& text) { label = text; }
    const std::string& Label() const { return label; }
    std::string DumpText() const override { return label; }

    std::string label;
    std::string font = "verdanabold16.dds";
    int fontSize = 16;
};

// A plain picture button; without a hover picture the normal one is drawn brighter.
class GUI_IconButton : public GUI_ButtonBase {
public:
    GUI_IconButton(const std::string& picture, const std::string& hoverPicture);
    void Draw() override;

    std::string picture, hoverPicture;
};

// Runs its callback, then closes its parent window (after the frame when deferred).
class GUI_CloseButton : public GUI_ButtonBase {
public:
    GUI_CloseButton();
    void Draw() override;
    std::string DumpKind() const override { return "close"; }
    void Activate() override;
};

// Scrolls a scrolling window one step up or down.
class GUI_ScrollButton : public GUI_ButtonBase {
public:
    GUI_ScrollButton(GUI_ScrollingWindow* target, bool up);
    void Draw() override;
    void Activate() override;

    GUI_ScrollingWindow* target;
    bool up;
};

// A tab of a tab container: selects its page when activated, then runs its callback if any.
class GUI_ButtonTab : public GUI_ButtonBase {
public:
    GUI_ButtonTab(const std::string& key, GUI_TabContainer* container, GUI_WindowTab* page);
    void Draw() override;
    void Activate() override;
    // Drawn as the current tab: its page is the active one.
    bool IsSelected() const;
    std::string DumpKind() const override { return "tab"; }
    std::string DumpText() const override { return label; }

    std::string label;
    GUI_TabContainer* container;
    GUI_WindowTab* page;
    std::string background = "dialog_dark.dds";
    std::string font = "arialbold20.dds";
    int fontSize = 20;
};

// A small tab. With a page it behaves as GUI_ButtonTab; without one it is a toggle in a row of
// choices whose owner sets `selected`.
class GUI_Button_Minitab : public GUI_ButtonTab {
public:
    GUI_Button_Minitab(const std::string& key, GUI_TabContainer* container = nullptr,
                       GUI_WindowTab* page = nullptr);
    void Draw() override;

    bool selected = false;
};
