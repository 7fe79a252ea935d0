// Openers of the windows of what lands on the desk. Until the windows themselves exist each
// request shows a note.
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

std::unique_ptr<GUI_WindowBase> MakeIssuesStrip(float, float, float, float) {
    return nullptr;
}
void OpenDilemma(const std::string& dilemmaName) {
    Pending(dilemmaName);
}
void OpenEvent(const std::string& eventName) {
    Pending(eventName);
}
void OpenAttack(const std::string& attackName) {
    LogF("attack window asked for: %s", attackName.c_str());
}
void OpenAchievementAward(const std::string& achievementKey) {
    LogF("achievement window asked for: %s", achievementKey.c_str());
}
void OpenGameOver(const std::string& title, const std::string& text) {
    if (GUI_WindowManager* windows = GameWindowManager())
        ShowMessageDialog(*windows, title, text);
}
void OpenElectionResults() {
    Pending(WindowKind::ElectionResults);
}
void OpenManifesto() {
    Log("manifesto window asked for");
}
