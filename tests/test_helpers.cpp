#include "test_helpers.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/game_subsystem.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "government/attack_launch.h"
#include "government/cabinet.h"
#include "government/cynicism.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/manifesto.h"
#include "government/policy.h"
#include "government/political_capital.h"
#include "government/report_manager.h"
#include "government/script_runner.h"
#include "government/slider_config.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/attack.h"
#include "population/party.h"
#include "population/pressure_group.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::string tmpl = (fs::temp_directory_path() / "marrowgate-test-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    path = made ? made : tmpl;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
}

std::string ScratchDir::Write(const std::string& relative, const std::string& text) const {
    fs::path full = fs::path(path) / relative;
    fs::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary);
    out << text;
    return full.string();
}

std::string ScratchDir::Read(const std::string& relative) const {
    std::ifstream in(fs::path(path) / relative, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

LoggedTest::LoggedTest() {
    fs::create_directories(fs::path(dir.Path()) / "debugdata");
    SetDataRoot(dir.Path());
    SetFrontEnd(&frontEnd);
    OpenLog();
}

LoggedTest::~LoggedTest() {
    CloseLog();
    SetFrontEnd(nullptr);
    SetDataRoot(".");
}

std::string LoggedTest::LogText() const {
    return dir.Read("debugdata/debug.txt");
}

void TearDownGame() {
    // Parties first, while the voters that name them still exist.
    ClearParties();
    // Pressure groups and attacks while their member voters are still alive.
    ReleasePressureGroups();
    ReleaseAttacks();
    GetReportManager().Release();
    SetGameRunning(false);
    ReleaseAllSubsystems();
    DeleteAllNeurons();
    DeleteAllEffects();
    SetGameRunning(true);
    ReleaseSliderConfigs();
    GetSetupTable().Clear();
    GetOptionsTable().Clear();
    GetMission().Reset();
    GetNameLists() = NameLists();
    GetPoliticalCapital() = PoliticalCapital();
    GetTurnState() = TurnState();
    GetCalendar() = Calendar();
    GetPollTracker() = PollTracker();
    SetGameOver(false);
    SetConsecutiveRuns(0, 0);
    SetInstantEffects(false);
    SetLogMissionFlag("");
    SetUserDir("");
    // The script runner's argument slots outlive the subsystems.
    GetScriptRunner() = SIM_Script();
    GetCynicism().ResetCynicism();
    // Elections, the manifesto and the achievements.
    GetElectionManager().SetTermMonths(kDefaultTermMonths);
    GetElectionManager().SetTermLimit(kDefaultTermLimit);
    GetManifesto().Clear();
    ClearAchievements();
    g_votingOpinionMultiplier = 0.0f;
    g_votingTendencyMultiplier = 0.0f;
    g_votingPartyMultiplier = 0.0f;
    // The voters' own state: the groups and voters went with the network.
    GetVoterManager().SetVoterTotal(0);
    SetActiveVoterTuning(nullptr);
}
