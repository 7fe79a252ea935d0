#pragma once
// GUI_SaveGameScreen: asks for a name and saves the game in progress under it, then returns to the
// game (or carries on with whatever the player was leaving for). The name field starts from the
// default text every time the screen opens. Also the question asked before progress would be lost.

#include "interface/widgets/gui_window_screen.h"

#include <functional>
#include <string>

class GUI_TextField;
class GUI_WindowManager;

class GUI_SaveGameScreen : public GUI_WindowScreen {
public:
    GUI_SaveGameScreen();
    void Activate() override;

    // Saves under the name as typed and goes back to the game, or runs what was waiting for the
    // save. A name that cannot be saved saves nothing: a message says why and the screen stays
    // open with the name as it was typed.
    void SaveAndReturn();
    // Back to the game without saving; whatever waited for the save is dropped.
    void Cancel();
    GUI_TextField& NameField() { return *nameField; }
    const std::string& Refusal() const { return refusal; }

    // Runs once the next save has succeeded, instead of returning to the game.
    std::function<void()> afterSave;

protected:
    void DrawBackground() override;
    void DrawContent() override;
    void OnScreenKey(int keyCode) override;

private:
    GUI_TextField* nameField = nullptr;
    std::string refusal;
};

// Why the name typed in the field (the game's one-byte text) cannot be a save name; empty when
// it can. Beyond the save name rule, every character must be one the fonts can draw, or the
// load screen could not show the name again.
std::string TypedSaveNameRefusal(const std::string& typed);

// Opens the save screen; after a successful save, next runs instead of the return to the game.
void OpenSaveScreenThen(std::function<void()> next);

// When the game has unsaved progress, asks (question: a text key) whether to save it first:
// Save goes to the save screen and proceeds after the save, Don't save proceeds at once, Cancel
// stays. Without unsaved progress it proceeds at once.
void AskToSaveFirst(GUI_WindowManager& windows, const std::string& questionKey,
                    std::function<void()> proceed);
