#pragma once
// GUI_LoadGameScreen: the saved games as a scrolling list, newest state of the save folder each
// time the screen opens. A row loads its game after the frame; its delete icon removes the file at
// once and the list is rebuilt.

#include "interface/widgets/gui_window_screen.h"

#include <ctime>
#include <string>
#include <vector>

class GUI_ScrollingWindow;

class GUI_LoadGameScreen : public GUI_WindowScreen {
public:
    GUI_LoadGameScreen();
    void Activate() override;

    // Reads the save folder again and lays the rows out.
    void RebuildList();
    // Starts loading the save (after the frame), or reports a file that has gone.
    void ChooseSave(const std::string& name);
    void DeleteSave(const std::string& name);

    const std::vector<std::string>& SaveNames() const { return names; }
    GUI_ScrollingWindow& List() { return *list; }

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    GUI_ScrollingWindow* list = nullptr;
    std::vector<std::string> names;
};

// A save's last-write time as the list shows it, in universal time: "(hh:mm MM/DD/YYYY)".
std::string FormatSaveTime(std::time_t written);
// The row's text: the save's name and, when the file can be read, its time.
std::string SaveRowLabel(const std::string& name);
