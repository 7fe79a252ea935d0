// Openers of the game screen's own windows: the start dialog and the debug object viewer.

#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/windows/debug_object_viewer.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/start_dialog.h"

#include <string>

void OpenStartDialog() {
    // A new game may be set up before the game screen was ever shown: the screen, which holds
    // the game windows, is made now so the briefing waits there for the player.
    if (!GameWindowManager())
        GetScreenForMode(GameMode::Game);
    ShowGameWindow(
        WindowKind::StartDialog, [] { return std::make_unique<GUI_StartDialog>(); }, true);
}

void OpenDebugObjectViewer(int typeCode) {
    ShowGameWindow(std::string(WindowKind::DebugObjectViewer) + ":" + std::to_string(typeCode),
                   [typeCode] { return std::make_unique<GUI_DebugObjectViewer>(typeCode); });
}
