// Openers of the government's windows. Until the windows themselves exist each request shows a
// note.
#include "base/debug_log.h"
#include "interface/widgets/message_dialog.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"

namespace {
void Pending(const std::string& what) {
    if (GUI_WindowManager* windows = GameWindowManager())
        ShowMessageDialog(*windows, what, "This window is being built.");
}
} // namespace

void OpenFinance() {
    Pending(WindowKind::Finance);
}
void OpenPolls() {
    Pending(WindowKind::Polls);
}
void OpenCabinet() {
    Pending(WindowKind::Cabinet);
}
void OpenAppointMinister(const std::string& portfolio) {
    Pending(portfolio);
}
void OpenParties() {
    Pending(WindowKind::Parties);
}
void OpenAchievements() {
    Pending(WindowKind::Achievements);
}
void OpenReports() {
    Pending(WindowKind::Reports);
}
void OpenIntelligence() {
    Pending(WindowKind::Intelligence);
}
void OpenQuarterlyReportWindow() {
    Log("quarterly report asked for");
}
