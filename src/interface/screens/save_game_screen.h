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

    // Saves under the name exactly as typed and goes back to the game. A name the save name rule
    // refuses saves nothing: a message says why, and the screen stays open with the name as it
    // was typed.
    void SaveAndReturn();
    GUI_TextField& NameField() { return *nameField; }

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    GUI_TextField* nameField = nullptr;
};
