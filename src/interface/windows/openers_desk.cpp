// Openers of the windows of what lands on the desk. Each looks up what it is asked for by name
// and quietly logs a request for something the game no longer has (a dilemma answered in the
// meantime, an event of a finished game), so a stale click can never reach a freed object.

#include "base/debug_log.h"
#include "government/achievements.h"
#include "government/dilemma_manager.h"
#include "government/election_manager.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "interface/windows/desk_windows.h"
#include "interface/windows/game_windows.h"
#include "population/attack.h"

#include <algorithm>

void OpenDilemma(const std::string& dilemmaName) {
    if (!GetDilemmaManager().FindOffered(dilemmaName)) {
        LogF("Dilemma window asked for %s, which is not on offer", dilemmaName.c_str());
        return;
    }
    ShowGameWindow(std::string(WindowKind::Dilemma) + ":" + dilemmaName,
                   [&] { return std::make_unique<GUI_DilemmaWindow>(dilemmaName); });
}

void OpenEvent(const std::string& eventName) {
    SIM_Event* event = FindDeskEvent(eventName);
    if (!event) {
        LogF("Event window asked for %s, which this game does not have", eventName.c_str());
        return;
    }
    const std::string name = std::string(WindowKind::Event) + ":" + eventName;
    const bool alreadyOpen = FindGameWindow(name) != nullptr;
    GUI_GameWindow* shown =
        ShowGameWindow(name, [&] { return std::make_unique<GUI_EventWindow>(eventName); });
    // Reading the event is opening its window: asked again while it is open, the window only
    // comes to the front and the script does not run a second time.
    if (shown && !alreadyOpen)
        event->View();
}

void OpenAttack(const std::string& attackName) {
    const auto& attacks = AllAttacks();
    if (std::none_of(attacks.begin(), attacks.end(),
                     [&](const SIM_AttackEvent* attack) { return attack->name == attackName; })) {
        LogF("Attack window asked for %s, which this game does not have", attackName.c_str());
        return;
    }
    ShowGameWindow(std::string(WindowKind::Attack) + ":" + attackName,
                   [&] { return std::make_unique<GUI_AttackWindow>(attackName); });
}

namespace {
std::vector<std::string> g_achievementsThisGame;
} // namespace

const std::vector<std::string>& AchievementsThisGame() {
    return g_achievementsThisGame;
}

void ForgetAchievementsThisGame() {
    g_achievementsThisGame.clear();
}

void OpenAchievementAward(const std::string& achievementKey) {
    if (!FindAchievement(achievementKey)) {
        LogF("Award window asked for %s, which is no achievement", achievementKey.c_str());
        return;
    }
    if (std::find(g_achievementsThisGame.begin(), g_achievementsThisGame.end(), achievementKey) ==
        g_achievementsThisGame.end())
        g_achievementsThisGame.push_back(achievementKey);
    ShowGameWindow(std::string(WindowKind::AchievementAward) + ":" + achievementKey,
                   [&] { return std::make_unique<GUI_AchievementAwardWindow>(achievementKey); });
}

void OpenGameOver(const std::string& title, const std::string& text) {
    // Once: the first ending's words stand; a second request only brings the window forward.
    ShowGameWindow(
        WindowKind::GameOver, [&] { return std::make_unique<GUI_GameOverWindow>(title, text); },
        true);
}

void OpenElectionResults() {
    const SIM_ElectionManager& elections = GetElectionManager();
    if (!elections.IsCounting() && !elections.HasOutcome()) {
        Log("Election results asked for before any election");
        return;
    }
    ShowGameWindow(
        WindowKind::ElectionResults, [] { return std::make_unique<GUI_ElectionResultsWindow>(); },
        true);
}

void OpenPostElection() {
    if (!GetElectionManager().HasOutcome())
        return;
    ShowGameWindow(
        WindowKind::PostElection, [] { return std::make_unique<GUI_PostElectionWindow>(); }, true);
}

void OpenManifesto() {
    // Asked for again (the turn before an election opens it too), it shows the figures of now.
    if (GUI_GameWindow* shown = ShowGameWindow(
            WindowKind::Manifesto, [] { return std::make_unique<GUI_ManifestoWindow>(); }))
        shown->Refresh();
}
