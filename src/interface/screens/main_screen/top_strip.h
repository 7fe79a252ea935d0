#pragma once
// The strip along the top of the game screen: the date, the government's share in the polls and
// its change since last turn, the treasury or the debt, the political capital and what it grows
// by each turn, and the months to the election, each a label whose tooltip says where the figure
// comes from; at the right end the ways to save and to step out to the menu.

#include "interface/widgets/gui_window_base.h"

#include <string>

class GUI_Label;
class GUI_PanelButton;
class JsonWriter;

class GUI_TopStrip : public GUI_WindowBase {
public:
    GUI_TopStrip();
    void Layout(float screenWidth);
    // Brings every figure up to date (cheap: done each frame).
    void UpdateContent() override;
    void DescribeMore(JsonWriter& json) const override;
    std::string DumpKind() const override { return "topstrip"; }

    // The texts as the labels show them.
    static std::string DateText();
    static std::string PollText();
    static std::string MoneyText();
    static std::string CapitalText();
    static std::string ElectionText();

    GUI_Label *date, *polls, *money, *capital, *election;
    // Hidden by the tutorial while it has not yet explained the polls.
    bool hidePolls = false;

    static constexpr float kHeight = 44;

protected:
    void DrawBackground() override;
};
