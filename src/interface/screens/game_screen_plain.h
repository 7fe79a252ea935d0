#pragma once
// GUI_MainScreen: a calm game screen until the full screen of linked icons arrives. A top bar
// shows the date, the government's standing in the polls, the treasury or the debt and the turn;
// the control panel at the bottom ends the turn, saves, or steps out to the menu. Election results
// and the end of the game are shown in a dialog over it.

#include "interface/widgets/gui_window_screen.h"

#include <string>
#include <vector>

class GUI_ButtonText;

class GUI_MainScreen : public GUI_WindowScreen {
public:
    // The screen's window manager is the one game windows open in while the screen exists.
    GUI_MainScreen();
    ~GUI_MainScreen() override;
    void Activate() override;

    // Runs one turn of the core, then reports an election held in it and the end of the game.
    void NextTurn();
    // A modal dialog with a title and a text (the core's game-over message, an election result).
    void ShowMessage(const std::string& title, const std::string& text);

    // The top bar's texts, as drawn.
    std::string DateText() const;
    std::string PollText() const;
    std::string MoneyText() const;
    std::string TurnText() const;
    // What the end-of-game notice says.
    std::string GameOverText() const;

    GUI_ButtonText& NextTurnButton() { return *nextTurn; }

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    void Layout();
    void DrawCountryCard();
    void ShowGameOverIfDue();

    GUI_ButtonText* nextTurn = nullptr;
    GUI_ButtonText* save = nullptr;
    GUI_ButtonText* menu = nullptr;
    std::vector<GUI_ButtonText*> openers;
    // The game-over dialog is shown once per game.
    bool gameOverShown = false;
};

// A content script ended the game with its own title and text (text keys or plain words): the
// game screen shows them in place of its own when it next tells the player the game is over.
void SetScriptedGameOver(const std::string& title, const std::string& text);
// The window of the first dilemma on the desk; nothing when there is none.
void OpenFirstDilemma();
