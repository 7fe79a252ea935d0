// Loading a saved game: the content is rebuilt for the saved mission as a new game builds it,
// then the saved state is laid over it section by section.

#include "game/load_game.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/front_end.h"
#include "base/mission.h"
#include "game/turn_pipeline.h"
#include "government/cabinet.h"
#include "government/cynicism.h"
#include "government/manifesto.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/attack.h"
#include "population/pressure_group.h"
#include "saveload/save_archive.h"
#include "saveload/save_check.h"
#include "saveload/save_reader.h"
#include "saveload/save_sections.h"
#include "saveload/save_writer.h"

namespace {

void Progress(const char* text, float advance) {
    GetFrontEnd().ProcessingProgress(text, advance);
}

// The mission the save was made in, read ahead so that content is rebuilt for it.
void LoadSavedMission(const SaveReader& file) {
    std::string missionFile = file.PeekValue("filename");
    CMission& mission = GetMission();
    if (!missionFile.empty() && mission.missionFile != missionFile) {
        mission.Reset();
        mission.SetMissionFile(missionFile);
        mission.Load();
    }
}

// Everything a game holds goes, and the content is read again as a new game reads it; the
// population, the cabinet and the grudges come from the file instead.
void ClearAndReloadContent() {
    ClearGameAndLoadContent(nullptr);
    SetUpLoadedContent();
    LoadPressureGroups();
    LoadAttacks();
    GetCynicism().ResetCynicism();
    GetManifesto().Clear();
}

} // namespace

std::string FindSavedGameDamage(const std::string& name) {
    if (CheckSaveName(name) != SaveNameFault::None)
        return "its name is no save name";
    std::string text;
    if (!ReadWholeFile(SavePath(name), text))
        return "it cannot be read";
    return FindSaveDamage(text);
}

LoadResult LoadGame(const std::string& name) {
    SaveReader r;
    if (!r.OpenSave(name))
        return LoadResult::NotOpened;
    // The whole file is checked before anything of the game in progress is touched.
    const std::string damage = FindSaveDamage(r.Text());
    if (!damage.empty()) {
        ReportFault("The saved game \"" + name + ".xml\" is damaged and was not loaded: " + damage +
                    ".");
        return LoadResult::Damaged;
    }

    GetFrontEnd().ShowProcessingScreen();
    Progress("Clearing old data", 0.05f);
    LoadSavedMission(r);
    ClearAndReloadContent();

    Progress("Loading data", 0.1f);
    SaveReadArchive archive(r);
    HeaderRecord header;
    archive.Begin("xml");
    Visit(archive, header);
    if (header.version != kSaveGameVersion)
        Log("Save game version and game version are possibly incompatible");
    VisitSavedGame(archive);
    archive.End("xml");

    Progress("updating calculations", 0.1f);
    // Values come from the file as they were shown; processing the network here would move them
    // a turn on. A file that holds its links' states has them back exactly; for an older one,
    // every link's output is worked out once from the values read, so that the figures shown
    // agree with them.
    SetInstantEffects(false);
    if (!archive.networkRestored)
        RecalculateAllEffects();
    GetFrontEnd().ProcessingDone();
    // The check has passed, so every search finds its tag; a miss here is a fault of ours.
    ASSERT(!r.MissedTag());
    return LoadResult::Loaded;
}
