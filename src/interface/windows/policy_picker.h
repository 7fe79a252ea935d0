#pragma once
// The list of policies the government could introduce, area by area, each with what introducing
// it costs in political capital (those the capital cannot cover marked as such); a row opens the
// policy's window ready for introduction. And the note that the capital falls short of what the
// player wanted to do.

#include "interface/windows/game_window.h"

#include <string>

class GUI_Table;

class GUI_PolicyPickerWindow : public GUI_GameWindow {
public:
    GUI_PolicyPickerWindow();
    void Build() override { Rebuild(); }
    // Introductions elsewhere take their policies off the list.
    void Refresh() override { Rebuild(); }
    // A turn played since the list was made brings it up to date first.
    void Update() override;
    // The capital and, per row, the policy, its area, its cost and whether it can be afforded.
    void DescribeMore(JsonWriter& json) const override;

    const GUI_Table* Table() const { return table; }

private:
    void Rebuild();

    GUI_Table* table = nullptr;
    int capital = 0;
    int builtTurn = -1;
};

class GUI_CapitalShortfallWindow : public GUI_GameWindow {
public:
    // what: the thing the player wanted, as the player reads it; cost: the capital it needs.
    GUI_CapitalShortfallWindow(const std::string& what, int cost);
    void Build() override;
    void DescribeMore(JsonWriter& json) const override;

    const std::string what;
    const int cost;
    std::string text;
};
