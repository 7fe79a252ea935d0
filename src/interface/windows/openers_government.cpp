// Openers of the government's windows: the books (finance, polls, parties), the cabinet and its
// appointments, the achievements, the quarterly reports and the intelligence briefing. A window
// already open comes to the front with its figures brought up to date.

#include "base/debug_log.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_windows.h"

#include <functional>
#include <memory>

namespace {

GUI_GameWindow* Show(const std::string& name,
                     const std::function<std::unique_ptr<GUI_GameWindow>()>& make) {
    GUI_GameWindow* open = FindGameWindow(name);
    GUI_GameWindow* shown = ShowGameWindow(name, make);
    // A window built just now is current; one that was already open may be a turn behind.
    if (shown && shown == open)
        shown->Refresh();
    return shown;
}

// Whether any window of a kind is showing, whatever name its opener gave it.
bool KindShowing(const std::string& kind) {
    GUI_WindowManager* windows = GameWindowManager();
    if (!windows)
        return false;
    for (const auto* list :
         {&windows->OpenWindows(), &windows->ModalWindows(), &windows->Pages()}) {
        for (GUI_WindowBase* window : *list) {
            const auto* game = dynamic_cast<const GUI_GameWindow*>(window);
            if (game && game->kind == kind && window->visible)
                return true;
        }
    }
    return false;
}

} // namespace

void OpenFinance() {
    Show(WindowKind::Finance, MakeFinanceWindow);
}

void OpenPolls() {
    Show(WindowKind::Polls, MakePollsWindow);
}

void OpenCabinet() {
    Show(WindowKind::Cabinet, MakeCabinetWindow);
}

void OpenAppointMinister(const std::string& portfolio) {
    // One appointment at a time: asked for another post, the open window turns to it.
    GUI_GameWindow* open = FindGameWindow(WindowKind::AppointMinister);
    GUI_GameWindow* shown = ShowGameWindow(
        WindowKind::AppointMinister, [&portfolio] { return MakeAppointMinisterWindow(portfolio); });
    if (shown && shown == open)
        RetargetAppointMinisterWindow(*shown, portfolio);
}

void OpenParties() {
    Show(WindowKind::Parties, MakePartiesWindow);
}

void OpenAchievements() {
    Show(WindowKind::Achievements, MakeAchievementsWindow);
}

void OpenReports() {
    Show(WindowKind::Reports, MakeReportsWindow);
}

void OpenIntelligence() {
    Show(WindowKind::Intelligence, MakeIntelligenceWindow);
}

void OpenQuarterlyReportWindow() {
    // The turn is over: whatever is open shows the new quarter.
    RefreshGameWindows();
    // An election's count and its aftermath have the player's attention; the reports wait for
    // the button.
    if (KindShowing(WindowKind::ElectionResults) || KindShowing(WindowKind::PostElection)) {
        Log("quarterly report held back: an election is showing");
        return;
    }
    OpenReports();
}
