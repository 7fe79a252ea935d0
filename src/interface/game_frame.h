#pragma once
// The game window's frame: the one game object (current mode and screen, the game-in-progress
// flag), start-up and shutdown around the core, the per-frame loop, and the screen switch. Screens
// reach the rest of the program only through these calls.

#include <string>

class BaseGUIScreen;

// Screens selected by the mode; any other number shows the main menu.
namespace GameMode {
inline constexpr int Menu = 0;
inline constexpr int Options = 1;
inline constexpr int LoadGame = 2;
inline constexpr int SaveGame = 3;
inline constexpr int NewGame = 5;
inline constexpr int Game = 6;
inline constexpr int GameAlternate = 7;
inline constexpr int Processing = 8;
inline constexpr int Internet = 10;
} // namespace GameMode

struct FrameSettings {
    std::string userDirOverride;
    // 0: the options decide (config.muf); otherwise force a window (1) or full screen (2).
    int forceWindowed = 0;
    // The seed given on the command line; 0 when none was given.
    unsigned seed = 0;
    bool seedGiven = false;
};

bool Init(const FrameSettings& settings);
void Frame();
void SetGameMode(int mode);
int GetGameMode();
BaseGUIScreen* GetCurrentScreen();
void ShowProcessingScreen();
// Runs the new-game set-up with the current mission's file behind the processing screen.
void StartNewGame();
// Loads a saved game by name behind the processing screen, then shows the game screen.
void StartLoadGame(const std::string& name);
void Quit();
void Shutdown();
void ToggleWindowed();
void OnKeyPressed(int keyCode);

// From the moment a new game starts or a saved game loads until the program leaves it.
bool IsGameInProgress();
void SetGameInProgress(bool inProgress);
// True once Quit has run: the loop ends after this frame.
bool IsQuitRequested();
// Game width / 1024: positions and sizes of the interface are multiplied by it.
float GetInterfaceScale();
