// Openers of the game screen's own windows. Until they exist each request is only logged.
#include "base/debug_log.h"
#include "interface/windows/game_windows.h"

void OpenStartDialog() {
    Log("start dialog asked for");
}
void OpenDebugObjectViewer(int typeCode) {
    LogF("debug object viewer asked for: type %d", typeCode);
}
