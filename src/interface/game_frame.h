#pragma once
// The game window's frame: the one game object (current mode and screen, the game-in-progress
// flag), start-up and shutdown around the core, the per-frame loop, and the screen switch. Screens
// reach the rest of the program only through these calls.

#include <functional>
#include <string>
#include <vector>

class BaseGUIScreen;

// Screens selected by the mode, with their fixed codes; a code without a screen of its own (4, 9,
// 11 and beyond) shows the main menu.
enum class GameMode : int {
    Menu = 0,
    Options = 1,
    LoadGame = 2,
    SaveGame = 3,
    NewGame = 5,
    Game = 6,
    GameAlternate = 7,
    Processing = 8,
    Internet = 10,
};
constexpr int GameModeCode(GameMode mode) {
    return static_cast<int>(mode);
}
constexpr GameMode GameModeFromCode(int code) {
    return static_cast<GameMode>(code);
}

struct FrameSettings {
    std::string userDirOverride;
    // 0: the options decide (config.muf); otherwise force a window (1) or full screen (2).
    int forceWindowed = 0;
    // The seed given on the command line; 0 when none was given.
    unsigned seed = 0;
    bool seedGiven = false;
    bool verbose = false;
    // Frames to save as PNG pictures (frame number, file); an unattended run quits after the last
    // picture, or after the last replayed input.
    struct Shot {
        int frame;
        std::string file;
    };
    std::vector<Shot> shots;
    std::string screenshotFile;
    int screenshotFrame = 60;
    // Mouse and key happenings replayed at given frames.
    std::string inputFile;
    // Frames at which to describe the screen as JSON (frame number, file), for unattended tests.
    std::vector<Shot> uiDumps;
};

// The whole life of the window: Init, the loop, Shutdown. Returns the exit code.
int RunGame(const FrameSettings& settings);

bool Init(const FrameSettings& settings);
// Runs the next turn behind the processing screen; the game screen comes back on a click.
void PlayNextTurn();
void Frame();
void SetGameMode(GameMode mode);
GameMode GetGameMode();
// The mode's name as the screen description gives it ("Game", "Menu", ...).
const char* GameModeName(GameMode mode);
BaseGUIScreen* GetCurrentScreen();
// Switches to the processing screen, starts its next piece of work and shows it at once.
void ShowProcessingScreen();
// Draws one frame of the current screen without reading input: used while work runs inside a
// frame (a turn, a new game, a load), when input must wait and the loop must not be re-entered.
void DrawFrameNow();
// Runs an action once the current frame has been presented: long work (a turn, a new game, a
// load, a save) never starts in the middle of drawing or of routing a click.
void QueueGameAction(std::function<void()> action);
// Runs the new-game set-up with the current mission's file behind the processing screen.
void StartNewGame();
// Loads a saved game by name behind the processing screen, then shows the game screen. False when
// the save could not be opened or is damaged (after its one error box); the game in progress, if
// any, is then untouched and the screen stays where it was.
bool StartLoadGame(const std::string& name);
void Quit();
void Shutdown();
void ToggleWindowed();
void OnKeyPressed(int keyCode);

// From the moment a new game starts or a saved game loads until the program leaves it.
bool IsGameInProgress();
void SetGameInProgress(bool inProgress);
// True once Quit has run: the loop ends after this frame.
bool IsQuitRequested();
// How long the last frame's own work took (input, update, drawing, presenting), without the
// millisecond the loop sleeps.
double LastFrameWorkMs();
// Game width / 1024: positions and sizes of the interface are multiplied by it.
float GetInterfaceScale();
