#include "interface/window_front_end.h"

#include "base/debug_log.h"
#include "interface/game_frame.h"
#include "interface/guidance/guidance.h"
#include "interface/guidance/play_guide.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/screens/processing_screen.h"
#include "interface/widgets/gui_sounds.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "network/neuron.h"
#include "platform/message_box.h"

#include <cstdio>

void WindowFrontEnd::ShowMessageBox(const std::string& title, const std::string& text,
                                    MessageBoxIcon icon) {
    RestoreDesktopMode();
    ShowPlatformMessageBox(title, text, icon == MessageBoxIcon::Exclamation);
}

void WindowFrontEnd::DebuggerOutput(const std::string& text) {
    if (verbose)
        std::fputs(text.c_str(), stderr);
}

OsVersion WindowFrontEnd::GetOsVersion() {
    return OsVersion{};
}

// A desktop full-screen window leaves the desktop's mode alone, so there is nothing to restore.
void WindowFrontEnd::RestoreDesktopMode() {}

void WindowFrontEnd::ShowProcessingScreen() {
    ::ShowProcessingScreen();
}

void WindowFrontEnd::ProcessingProgress(const std::string& text, float advance) {
    GetProcessingScreen().Progress(text, advance);
}

void WindowFrontEnd::ProcessingDone() {
    GetProcessingScreen().Done();
}

int MusicTrackForFile(const std::string& file) {
    for (int track = 0; track <= 4; ++track) {
        if (GUI_Sounds::TrackFile(track) == file)
            return track;
    }
    return -1;
}

void WindowFrontEnd::PlayMusic(const std::string& file) {
    int track = MusicTrackForFile(file);
    if (track >= 0)
        GetSounds().SetMusicTrack(track);
}

void WindowFrontEnd::PlaySound(const std::string& file) {
    GetSounds().PlayEffect(file);
}

// The script's own words, in the game-over window at once; the game screen keeps them for when
// it is next shown.
void WindowFrontEnd::ShowGameOver(const std::string& title, const std::string& text) {
    SetScriptedGameOver(title, text);
    OpenGameOver(title, text);
}

const char* WindowKindFor(GameWindow window) {
    switch (window) {
    case GameWindow::Reports:
        return WindowKind::Reports;
    case GameWindow::Cabinet:
        return WindowKind::Cabinet;
    case GameWindow::Polls:
        return WindowKind::Polls;
    case GameWindow::PolicyPicker:
        return WindowKind::PolicyPicker;
    case GameWindow::IntelReport:
        return WindowKind::Intelligence;
    case GameWindow::PolicyDetails:
        return WindowKind::PolicyDetails;
    case GameWindow::SimulationDetails:
        return WindowKind::SimValueDetails;
    case GameWindow::VoterDetails:
        return WindowKind::VoterGroupDetails;
    case GameWindow::Party:
        return WindowKind::Parties;
    case GameWindow::Finance:
        return WindowKind::Finance;
    }
    return "";
}

void WindowFrontEnd::CloseGameWindow(GameWindow window) {
    CloseGameWindowsOfKind(WindowKindFor(window));
}

void WindowFrontEnd::ShowDetails(const std::string& neuronName) {
    if (!FindNeuron(neuronName)) {
        REPORT_WARNING("Failed to ShowDetails");
        return;
    }
    OpenNodeDetails(neuronName);
}

bool WindowFrontEnd::OpenElectionCount() {
    OpenElectionResults();
    return FindGameWindow(WindowKind::ElectionResults) != nullptr;
}

void WindowFrontEnd::OpenAttackWindow(const std::string& attackName) {
    OpenAttack(attackName);
}

void WindowFrontEnd::OpenQuarterlyReport() {
    OpenQuarterlyReportWindow();
}

void WindowFrontEnd::ShowAchievementAward(const std::string& achievementKey) {
    OpenAchievementAward(achievementKey);
}

void WindowFrontEnd::OpenManifestoChoice() {
    OpenManifesto();
}

void WindowFrontEnd::ShowStartDialog() {
    OpenStartDialog();
}

void WindowFrontEnd::SetPlayGuideFlag(const std::string& flag, const std::string& state) {
    // A state word that is neither leaves the flag as it was.
    if (state != "TRUE" && state != "FALSE") {
        REPORT_WARNING("Unknown flag state");
        return;
    }
    if (!GetScreenGuide().SetFlag(flag, state == "TRUE"))
        REPORT_WARNING("unknown flag");
}

void WindowFrontEnd::ClearPermittedIcons() {
    GetScreenGuide().permittedIcons.clear();
}

void WindowFrontEnd::AddPermittedIcon(const std::string& nodeName) {
    GetScreenGuide().permittedIcons.push_back(nodeName);
}

void WindowFrontEnd::ShowTutorialWindow(const std::string& text, float x, float y) {
    OpenTutorialWindow(text, x, y);
}

void WindowFrontEnd::ShowPlayGuideWindow(const std::string& text, float x, float y) {
    GetPlayGuide().OpenWindow(text, x, y);
}

void WindowFrontEnd::ClearAllowedButtons() {
    GetPlayGuide().ClearAllowedButtons();
}

void WindowFrontEnd::SetAllowedButton(const std::string& buttonId) {
    GetPlayGuide().SetAllowedButton(buttonId);
}

void WindowFrontEnd::AllowClicks() {
    GetPlayGuide().AllowClicks();
}
