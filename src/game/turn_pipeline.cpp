// The order of a turn and of a new game's set-up. Each step belongs to the subsystem it calls;
// this file only fixes when it runs.

#include "game/turn_pipeline.h"

#include "game/game_state.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "government/attack_launch.h"
#include "government/cabinet.h"
#include "government/cynicism.h"
#include "government/dilemma_manager.h"
#include "government/election_manager.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/manifesto.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/report_manager.h"
#include "government/script_runner.h"
#include "government/situation_manager.h"
#include "government/voter_context.h"
#include "network/global_economy.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "network/simulation.h"
#include "population/attack.h"
#include "population/grudge.h"
#include "population/party.h"
#include "population/pressure_group.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"
#include "saveload/save_writer.h"

#include <cstdio>

namespace {

void Progress(const char* text, float advance) {
    GetFrontEnd().ProcessingProgress(text, advance);
}

// The music follows the polls once the player is in charge.
void ChooseMusicByMood() {
    float share = GetPotentialVoteRate();
    if (share < 0.33f)
        GetFrontEnd().PlayMusic("data/sounds/music/poorly.ogg");
    else if (share < 0.66f)
        GetFrontEnd().PlayMusic("data/sounds/music/neutral.ogg");
    else
        GetFrontEnd().PlayMusic("data/sounds/music/great.ogg");
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

    GetIssuesManager().Release();
    GetReportManager().Release();

    UpdateMinisters();
    GetPolicyManager().AdvanceAllImplementations();

    Progress("Rebuilding voters", 0.1f);
    if (Network().globalEconomy)
        Network().globalEconomy->AdvanceCycle();
    UpdateAllGrudges();
    if (turn.turnNumber > 2)
        ProcessEvents();

    Progress("Neural Effects updating", 0.1f);
    UpdateAllEffects();

    Progress("processing neural network", 0.1f);
    ProcessAllNeurons();

    Progress("processing polls", 0.1f);
    CountVotes();
    EndTurnAllNeurons();

    Progress("calculating policy priorities", 0.1f);

    Progress("processing voters", 0.2f);
    SIM_VoterManager& voters = GetVoterManager();
    voters.UpdateVoters(CurrentVoterContext());
    voters.UpdateVoterTypes();
    UpdateParties();
    UpdateAllPressureGroups();
    LaunchQueuedAttack();

    if (turn.turnNumber > 2) {
        Progress("assesing dilemmas", 0.1f);
        GetDilemmaManager().AssessDilemmas();
    }

    GetFinances().ProcessTurn();

    for (int i = 0; i < 3; ++i)
        AdvanceMonth();

    if (!IsGameOver())
        GetElectionManager().CheckElection();

    GetCynicism().UpdateCynicism();
    GetPoliticalCapital().NewTurn();
    GetReportManager().MakeReports();

    SetInstantEffects(false);

    if (!IsGameOver()) {
        GetManifesto().UpdateKept();
        if (turn.turnNumber > 2) {
            ChooseMusicByMood();
            ShowQuarterlyReport();
            if (ManifestoMayBeChosen())
                frontEnd.OpenManifestoChoice();
            // Not while the new game settles: the debt node, among others, still reads 0 then,
            // and an award for a state the player never saw would be a gift.
            CheckAchievements();
        }
        if (GetOption("AUTOSAVE") != 0.0f && turn.turnNumber > 2 &&
            !GetElectionManager().IsElectionMonth()) {
            SaveGame("autosave");
        }
    }
    frontEnd.ProcessingDone();
}

void CountVotes() {
    GetFrontEnd().ProcessingProgress("Counting Votes...", 0.0f);
    PollTracker& polls = GetPollTracker();
    float share = GetVoteShare();
    polls.PotentialVoteRate = share;
    if (Network().winningNeuron) {
        Network().winningNeuron->value = share;
        Network().winningNeuron->SetBaseOffset(share);
        Network().winningNeuron->PushToOutputs();
    }
    if (InstantEffects()) {
        for (float& entry : polls.shareHistory)
            entry = share + RandomFloat(-0.02f, 0.02f);
    }
    for (int i = PollTracker::kHistory - 1; i > 0; --i)
        polls.shareHistory[i] = polls.shareHistory[i - 1];
    polls.shareHistory[0] = share;
    if (share > polls.PeakVoteRate)
        polls.PeakVoteRate = share;
}

float GetVoteShare() {
    return GetVoteShare(CurrentVoterContext());
}

void ClearGameAndLoadContent(void (*progress)(const char* text)) {
    StartEmptyGame();
    SetInstantEffects(true);
    SetupNamedNeurons();
    SetupParties();
    LoadNames(GetMission().namesFile);

    if (progress)
        progress("Initialising voters");
    GetVoterManager().Initialise();
    GetSimulation().LoadAll();
    GetPolicyManager().LoadPolicies();
    GetDilemmaManager().LoadDilemmas();

    if (progress)
        progress("Initialising simulation");
    GetSimulation().AttachAllToGroups(&FindGroup);
    GetSituationManager().LoadAll();
    GetPolicyManager().LinkAllPolicies();
    LoadEvents();
}

void SetUpLoadedContent() {
    CMission& mission = GetMission();
    LoadConsecutiveRuns();
    GetFinances().ResetFinances();
    if (Network().globalEconomy)
        Network().globalEconomy->SetupGlobalEconomy(mission.economicCycleStart,
                                                    GetOption("GLOBALECONOMY"));
    GetElectionManager().LoadVotingMultipliers();
    GetSimulation().ResolveAllLinks();
    RunAutorunScripts();
}

void ApplyMission(const CMission& mission) {
    ContentPlace place(mission.missionFile, 0);
    // Every uncancellable policy starts introduced and fully implemented. Should the set-up run
    // the manager's pass again, it only completes the same policies a second time.
    GetPolicyManager().IntroduceUncancellables();
    for (const auto& setting : mission.startSettings)
        ApplyStartSetting(setting.first, setting.second);
}

void ApplyStartSetting(const std::string& settingName, float settingValue) {
    Neuron* neuron = FindNeuron(settingName);
    if (!neuron) {
        char message[300];
        std::snprintf(message, sizeof message, "failed to find %s", settingName.c_str());
        REPORT_WARNING(message);
        return;
    }
    switch (neuron->typeCode) {
    case NeuronType::SimVal:
        neuron->SetBaseOffset(settingValue);
        break;
    case NeuronType::VoterType:
        if (SIM_VoterType* voterType = dynamic_cast<SIM_VoterType*>(neuron))
            voterType->SetStartShare(settingValue);
        else
            ASSERT(false);
        break;
    case NeuronType::Policy: {
        SIM_Policy* policy = dynamic_cast<SIM_Policy*>(neuron);
        if (!policy) {
            ASSERT(false);
            break;
        }
        // Introduced, the value snapped to the slider's steps and set as the slider's target,
        // processed once and fully implemented.
        policy->IntroduceAtStartLevel(settingValue);
        break;
    }
    default:
        break;
    }
}

void NewGameSetup(const std::string& missionName) {
    ForgetContentOrigins();
    CMission& mission = GetMission();
    std::string missionPath = MissionFile(missionName);
    // The new-game screen edits the loaded mission before the game starts; only a mission that
    // has not been loaded yet is read here.
    if (mission.missionFile != missionPath) {
        mission.Reset();
        mission.SetMissionFile(missionPath);
        mission.Load();
    }
    GetFrontEnd().ShowProcessingScreen();

    Progress("Initialising game", 0.0f);
    ClearGameAndLoadContent([](const char* text) { Progress(text, 0.0f); });

    Progress("Loading mission", 0.0f);
    ApplyMission(mission);
    SetUpLoadedContent();
    OrderNeuronsByType();
    ProcessAllNeurons();

    Progress("Generating ministers", 0.0f);
    GenerateMinisters();
    AppointBestToAllPosts();
    LoadPressureGroups();
    LoadAttacks();
    GetVoterManager().CreateVotingPopulation();
    UseMissionTermSettings();
    GetElectionManager().ResetTerms();
    GetElectionManager().ScheduleNextElection();
    GetCynicism().ResetCynicism();
    OrderNeuronsByType();

    ProcessNewTurn();
    ProcessNewTurn();
    ResetAllHistories();

    GetFinances().FillHistories();
    GetVoterManager().InitialiseSympathies(CurrentVoterContext());
    GetPolicyManager().CapGroupStrengths();
    GetPoliticalCapital().RecalculateAllowance();
    GetPoliticalCapital().ResetForNewGame();
    GetManifesto().Clear();
    // Situations that started while the network settled are not news on the first day.
    GetIssuesManager().ClearIssues();
    GetFrontEnd().ShowStartDialog();
}
