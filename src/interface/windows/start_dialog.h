#pragma once
// The start dialog: the mission's briefing when a new game begins, with the country's flag, its
// name and the two parties. Enter or its button closes it.

#include "interface/windows/game_window.h"

class GUI_StartDialog : public GUI_GameWindow {
public:
    GUI_StartDialog();
    void Build() override;
    void Draw() override;
    void DescribeMore(JsonWriter& json) const override;

    std::string missionName;
    std::string parties;
    std::string briefing;
    std::string flag;
};
