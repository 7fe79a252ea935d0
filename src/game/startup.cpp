#include "game/startup.h"

#include "game/game_state.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "government/achievements.h"
#include "government/manifesto.h"
#include "network/neural_effect.h"
#include "population/party.h"

bool StartCore(const std::string& userDirOverride) {
    OpenLog();
    if (!CreateUserFolders(userDirOverride))
        return false;
    SetGameRunning(true);
    StartEmptyGame();
    LoadSetupTable();
    LoadOptions();
    GetManifesto().LoadOptions();
    LoadAchievements();
    LoadPartyNames();
    return true;
}

void ReleaseCore(bool saveOptions, void (*releaseInterfaceLists)(),
                 void (*releaseInterfaceObject)()) {
    Log("releasing resources");
    SetGameRunning(false);
    if (releaseInterfaceLists)
        releaseInterfaceLists();
    ReleaseAchievements();
    Log("writing global vars");
    if (saveOptions)
        SaveOptions();
    if (releaseInterfaceObject)
        releaseInterfaceObject();
    Log("releasing game subystems");
    EndGame();
}

void ShutdownCore(bool saveOptions) {
    ReleaseCore(saveOptions, nullptr, nullptr);
    CloseLog();
}
