#pragma once
// GUI_Dialog: a window with a title, a framed background and an optional close button. Dialogs are
// drawn above ordinary windows and are usually shown modally.

#include "interface/widgets/gui_window_base.h"

#include <string>

class GUI_CloseButton;

class GUI_Dialog : public GUI_WindowBase {
public:
    static constexpr int kMarginLeft = 10;
    static constexpr int kMarginTop = 35;
    static constexpr int kMarginRight = 10;

    // titleKey is translated; empty for no title.
    explicit GUI_Dialog(const std::string& titleKey = "", bool withCloseButton = true);
    ~GUI_Dialog() override;

    void Draw() override;
    bool IsDialog() const override { return true; }
    std::string DumpKind() const override { return "dialog"; }
    std::string DumpTitle() const override { return title; }
    // Places the close button too.
    void SetRect(float newLeft, float newTop, float newRight, float newBottom) override;
    // The inner area follows the rectangle, less the margins.
    void SetBackgroundRect();

    void SetTitleKey(const std::string& key);
    // Where content goes: inside the frame, below the title.
    int ContentLeft() const { return innerLeft; }
    int ContentTop() const { return innerTop; }
    int ContentRight() const { return innerRight; }
    int ContentWidth() const { return innerRight - innerLeft; }

    std::string title;
    std::string background = "dialog_dark.dds";
    GUI_CloseButton* closeButton = nullptr;
    int innerLeft = 0, innerTop = 0, innerRight = 0, innerBottom = 0;
};
