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
    // A window of this size (0: chosen from the desktop), which also gives the game its shape.
    int windowWidth = 0, windowHeight = 0;
};

// The smallest window the game can still be read in.
inline constexpr int kMinWindowWidth = 1024;
inline constexpr int kMinWindowHeight = 640;
// The game picture is this tall; its width follows the shape of the screen or window.
inline constexpr int kGameHeight = 768;
inline constexpr int kMinGameWidth = 1024;
// The game picture's width for a screen or window of this shape: as wide as the shape at the
// picture's height, never narrower than the minimum at that height.
int GameWidthForShape(int width, int height, int gameHeight = kGameHeight);

// The interface size the player chose, in percent: 100, 150 or 200. The game picture, its layout
// and its text are that much larger, for large screens; the text comes from font sheets drawn
// at that size.
int InterfacePercent();
// Keeps the size and restarts the display at it; the screen showing is laid out afresh.
void SetInterfacePercent(int percent);

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
// Switches between a window and full screen, from what the display shows now.
void ToggleWindowed();
bool IsDisplayOpen();
// The open display fills the screen.
bool IsFullScreenShown();
void OnKeyPressed(int keyCode);

// From the moment a new game starts or a saved game loads until the program leaves it.
bool IsGameInProgress();
void SetGameInProgress(bool inProgress);
// Progress is counted in turns: a game that has played a turn since it started, was loaded or
// was last saved by the player has something to lose. A game that is over has nothing left to
// save.
bool HasUnsavedProgress();
// The player's save (not the autosave, which the player may never look for) has the game as it
// stands.
void MarkGameSaved();
// True once Quit has run: the loop ends after this frame.
bool IsQuitRequested();
// How long the last frame's own work took (input, update, drawing, presenting), without the
// millisecond the loop sleeps.
double LastFrameWorkMs();
// Game width / 1024: positions and sizes of the interface are multiplied by it.
float GetInterfaceScale();
