#pragma once
// GUI_LoadGameScreen: the saved games as a scrolling list, the newest first, read afresh from the
// save folder each time the screen opens; each row shows when the save was written and the turn,
// country and poll it holds. A row loads its game after the frame (asking first when the game in
// play has progress to lose); its delete icon asks, then removes the file and rebuilds the list.

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
    // Asks whether to delete the save; Delete removes it.
    void AskToDelete(const std::string& name);
    void DeleteSave(const std::string& name);

    const std::vector<std::string>& SaveNames() const { return names; }
    GUI_ScrollingWindow& List() { return *list; }

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    void LoadChosen(const std::string& name);

    GUI_ScrollingWindow* list = nullptr;
    std::vector<std::string> names;
};

struct SavePreview;

// When a save was written, as the list shows it in local time: "6 December 2026, 14:05".
std::string FormatSaveDate(std::time_t written);
// The row's text: the save's name, its date and, when its envelope has them, turn, country and
// poll share. Given a width, a name too long for it is shortened with "..." so the rest shows.
std::string SaveRowLabel(const SavePreview& save, float maxWidth = 0);
