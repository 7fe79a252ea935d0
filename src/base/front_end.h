#pragma once
// The narrow interface through which the core asks for things only a front end can do: show a
// message box, write to a debugger, report the operating system. The game window installs its own
// implementation; headless runs and tests use the quiet one, which prints boxes to stderr.

#include <string>

enum class MessageBoxIcon { None, Exclamation };

// Windows of the game screen that scripts may close.
enum class GameWindow {
    Reports,
    Cabinet,
    Polls,
    PolicyPicker,
    IntelReport,
    PolicyDetails,
    SimulationDetails,
    VoterDetails,
    Party,
    Finance,
};

struct OsVersion {
    bool isWindows = false;
    int major = 0;
    int minor = 0;
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // Blocks until the player has dismissed the box (a headless front end returns at once).
    virtual void ShowMessageBox(const std::string& title, const std::string& text,
                                MessageBoxIcon icon) = 0;
    virtual void DebuggerOutput(const std::string& text) = 0;
    virtual OsVersion GetOsVersion() = 0;
    // Puts a full-screen display back to the desktop mode before a box is shown over it.
    virtual void RestoreDesktopMode() {}

    // The processing screen shown while a turn is computed: shown once, then each step's text
    // and how far the bar moves on. Headless runs ignore them.
    virtual void ShowProcessingScreen() {}
    virtual void ProcessingProgress(const std::string& /*text*/, float /*advance*/) {}
    virtual void ProcessingDone() {}
    // Streams a music track, replacing the one playing; silent headless.
    virtual void PlayMusic(const std::string& /*file*/) {}

    // What content scripts ask of the window (events, dilemmas, the tutorial, the play guide).
    // The core has already logged each request; headless runs do nothing more.
    virtual void CloseGameWindow(GameWindow /*window*/) {}
    // Plays a sound file (a path under the data root) once.
    virtual void PlaySound(const std::string& /*file*/) {}
    virtual void ShowDetails(const std::string& /*neuronName*/) {}
    // The core has already marked the game over.
    virtual void ShowGameOver(const std::string& /*title*/, const std::string& /*text*/) {}
    virtual void ShowTutorialWindow(const std::string& /*text*/, float /*x*/, float /*y*/) {}
    // The play guide: its window, its flags, and which icons and button stay clickable.
    virtual void ShowPlayGuideWindow(const std::string& /*text*/, float /*x*/, float /*y*/) {}
    virtual void SetPlayGuideFlag(const std::string& /*flag*/, const std::string& /*state*/) {}
    virtual void ClearPermittedIcons() {}
    virtual void AddPermittedIcon(const std::string& /*nodeName*/) {}
    virtual void ClearAllowedButtons() {}
    virtual void SetAllowedButton(const std::string& /*buttonId*/) {}
    // Makes an open play-guide window non-modal.
    virtual void AllowClicks() {}

    // Windows the core opens at its own moments. A headless front end opens nothing.
    // An election's count is open: true when the window counts the votes on its own clock (it
    // steps the count, then declares the result and finishes the election); false when the core
    // must count every vote at once.
    virtual bool OpenElectionCount() { return false; }
    // A successful attack with a text too long for the desk.
    virtual void OpenAttackWindow(const std::string& /*attackName*/) {}
    // The quarterly report, after each turn of play.
    virtual void OpenQuarterlyReport() {}
    // An achievement was just awarded (its state already written).
    virtual void ShowAchievementAward(const std::string& /*achievementKey*/) {}
    // Three months before an election: the pledges for the coming term may be chosen.
    virtual void OpenManifestoChoice() {}
    // A new game has been set up: the mission's briefing.
    virtual void ShowStartDialog() {}
};

// Boxes go to stderr as one line each; debugger output is dropped unless verbose.
class HeadlessFrontEnd : public FrontEnd {
public:
    void ShowMessageBox(const std::string& title, const std::string& text,
                        MessageBoxIcon icon) override;
    void DebuggerOutput(const std::string& text) override;
    OsVersion GetOsVersion() override;

    bool verbose = false;
    bool quietBoxes = false;
};

// Never null: until a front end is installed the headless one answers.
FrontEnd& GetFrontEnd();
// The caller keeps ownership; pass nullptr to go back to the headless front end.
void SetFrontEnd(FrontEnd* frontEnd);
HeadlessFrontEnd& GetHeadlessFrontEnd();
