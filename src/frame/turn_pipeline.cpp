// The order of a turn and of a new game's set-up. Each step belongs to the subsystem it calls;
// this file only fixes when it runs.

#include "data/debug_log.h"
#include "frame/front_end.h"
#include "frame/game_subsystem.h"
#include "frame/mission.h"
#include "frame/options.h"
#include "frame/turn.h"
#include "government/finances.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "network/global_economy.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "network/simulation.h"

namespace {

void Progress(const char* text, float advance) {
    GetFrontEnd().ProcessingProgress(text, advance);
}

// The election month is the one the election manager has scheduled; until elections exist no
// month is one.
bool InElectionMonth() {
    return false;
}

} // namespace

void ProcessNewTurn() {
    FrontEnd& frontEnd = GetFrontEnd();
    frontEnd.ShowProcessingScreen();
    Log("==========================================Processing new turn"
        "====================================");
    TurnState& turn = GetTurnState();
    if (turn.turnNumber > 1)
        Progress("Analayzing decisions", 0.1f);

    turn.turnNumber += 1;

    GetPolicyManager().AdvanceAllImplementations();

    Progress("Rebuilding voters", 0.1f);
    if (g_globalEconomy)
        g_globalEconomy->AdvanceCycle();

    Progress("Neural Effects updating", 0.1f);
    UpdateAllEffects();

    Progress("processing neural network", 0.1f);
    ProcessAllNeurons();

    Progress("processing polls", 0.1f);
    CountVotes();
    EndTurnAllNeurons();

    Progress("calculating policy priorities", 0.1f);
    Progress("processing voters", 0.2f);

    if (turn.turnNumber > 2)
        Progress("assesing dilemmas", 0.1f);

    GetFinances().ProcessTurn();

    for (int i = 0; i < 3; ++i)
        AdvanceMonth();

    GetPoliticalCapital().NewTurn();

    SetInstantEffects(false);

    if (!IsGameOver()) {
        if (turn.turnNumber > 2) {
            float share = GetPotentialVoteRate();
            if (share < 0.33f)
                frontEnd.PlayMusic("data/sounds/music/poorly.ogg");
            else if (share < 0.66f)
                frontEnd.PlayMusic("data/sounds/music/neutral.ogg");
            else
                frontEnd.PlayMusic("data/sounds/music/great.ogg");
        }
        if (GetOption("AUTOSAVE") != 0.0f && turn.turnNumber > 2 && !InElectionMonth()) {
            // Saved games arrive with the save writer; until then there is nothing to write.
        }
    }
    frontEnd.ProcessingDone();
}

void NewGameSetup(const std::string& missionName) {
    SetInstantEffects(true);
    CMission& mission = GetMission();
    std::string missionPath = "data/missions/" + missionName + ".txt";
    if (mission.missionFile != missionPath) {
        mission.SetMissionFile(missionPath);
        mission.Load();
    }
    GetFrontEnd().ShowProcessingScreen();

    Progress("Initialising game", 0.0f);
    SetGameOver(false);
    SetGameRunning(false);
    ReleaseAllSubsystems();
    DeleteAllNeurons();
    DeleteAllEffects();
    SetGameRunning(true);
    GetTurnState().turnNumber = 0;
    SetupNamedNeurons();
    LoadNames(mission.namesFile);

    Progress("Initialising voters", 0.0f);
    GetSimulation().LoadAll();
    GetPolicyManager().LoadPolicies();

    Progress("Initialising simulation", 0.0f);
    GetSimulation().AttachAllToGroups();
    GetPolicyManager().LinkAllPolicies();

    Progress("Loading mission", 0.0f);
    mission.ApplyMission();
    LoadConsecutiveRuns();
    GetFinances().ResetFinances();
    if (g_globalEconomy)
        g_globalEconomy->SetupGlobalEconomy(mission.economicCycleStart, GetOption("GLOBALECONOMY"));
    GetSimulation().ResolveAllLinks();
    OrderNeuronsByType();
    ProcessAllNeurons();

    Progress("Generating ministers", 0.0f);
    OrderNeuronsByType();

    ProcessNewTurn();
    ProcessNewTurn();
    ResetAllHistories();

    GetFinances().FillHistories();
    GetPoliticalCapital().ResetForNewGame();
}
