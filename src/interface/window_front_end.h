#pragma once
// The game window's answer to what the core asks of a front end: message boxes over the window,
// the processing screen while a turn, a new game or a load is worked out, music and sounds.

#include "base/front_end.h"

class WindowFrontEnd : public FrontEnd {
public:
    void ShowMessageBox(const std::string& title, const std::string& text,
                        MessageBoxIcon icon) override;
    void DebuggerOutput(const std::string& text) override;
    OsVersion GetOsVersion() override;
    void RestoreDesktopMode() override;
    void ShowProcessingScreen() override;
    void ProcessingProgress(const std::string& text, float advance) override;
    void ProcessingDone() override;
    void PlayMusic(const std::string& file) override;
    void PlaySound(const std::string& file) override;
    void ShowGameOver(const std::string& title, const std::string& text) override;
    void CloseGameWindow(GameWindow window) override;
    void ShowDetails(const std::string& neuronName) override;
    // Opens the results window, which counts on its own clock; false without a game screen.
    bool OpenElectionCount() override;
    void OpenAttackWindow(const std::string& attackName) override;
    void OpenQuarterlyReport() override;
    void ShowAchievementAward(const std::string& achievementKey) override;
    void OpenManifestoChoice() override;
    void ShowStartDialog() override;
    // The play guide's hold on the game screen: which icons hide and which may be clicked.
    void SetPlayGuideFlag(const std::string& flag, const std::string& state) override;
    void ClearPermittedIcons() override;
    void AddPermittedIcon(const std::string& nodeName) override;
    void ShowTutorialWindow(const std::string& text, float x, float y) override;
    void ShowPlayGuideWindow(const std::string& text, float x, float y) override;
    void ClearAllowedButtons() override;
    void SetAllowedButton(const std::string& buttonId) override;
    void AllowClicks() override;

    bool verbose = false;
};

// The music track that plays a file, by the track table; -1 for a file that is no track.
int MusicTrackForFile(const std::string& file);
// The kind of game window a script's close command names.
const char* WindowKindFor(GameWindow window);
