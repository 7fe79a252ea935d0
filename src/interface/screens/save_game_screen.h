#pragma once
// GUI_SaveGameScreen: asks for a name and saves the game in progress under it, then returns to the
// game. The name field starts from the default text every time the screen opens.

#include "interface/widgets/gui_window_screen.h"

#include <string>

class GUI_TextField;

class GUI_SaveGameScreen : public GUI_WindowScreen {
public:
    GUI_SaveGameScreen();
    void Activate() override;

    // Saves under the field's name and goes back to the game; a name that is empty once cleaned
    // saves nothing and leaves the screen open.
    void SaveAndReturn();
    GUI_TextField& NameField() { return *nameField; }

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    GUI_TextField* nameField = nullptr;
};

// The typed name as a file name can hold it: characters that would leave the save folder or
// break the file name are dropped, blanks at either end removed.
std::string CleanSaveName(const std::string& typed);
