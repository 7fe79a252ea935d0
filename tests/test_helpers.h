#pragma once
// Shared fixtures: a scratch data root per test and a front end that records every box.

#include "base/front_end.h"

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed when the object goes.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& Path() const { return path; }
    // Writes text to a file below the folder, creating its parent folders.
    std::string Write(const std::string& relative, const std::string& text) const;
    std::string Read(const std::string& relative) const;

private:
    std::string path;
};

class RecordingFrontEnd : public FrontEnd {
public:
    struct Box {
        std::string title, text;
    };
    void ShowMessageBox(const std::string& title, const std::string& text,
                        MessageBoxIcon) override {
        boxes.push_back({title, text});
    }
    void DebuggerOutput(const std::string& text) override { debugger += text; }
    void PlayMusic(const std::string& file) override { music.push_back(file); }
    void PlaySound(const std::string& file) override { sounds.push_back(file); }
    OsVersion GetOsVersion() override { return os; }
    // The windows the core asked for, as "Kind" or "Kind:name".
    bool OpenElectionCount() override {
        windows.push_back("ElectionCount");
        return countsElections;
    }
    void OpenAttackWindow(const std::string& name) override { windows.push_back("Attack:" + name); }
    void OpenQuarterlyReport() override { windows.push_back("QuarterlyReport"); }
    void ShowAchievementAward(const std::string& key) override {
        windows.push_back("Award:" + key);
    }
    void OpenManifestoChoice() override { windows.push_back("Manifesto"); }
    void ShowStartDialog() override { windows.push_back("StartDialog"); }
    void ShowGameOver(const std::string& title, const std::string&) override {
        windows.push_back("GameOver:" + title);
    }

    std::vector<Box> boxes;
    std::string debugger;
    std::vector<std::string> music;
    std::vector<std::string> sounds;
    OsVersion os;
    std::vector<std::string> windows;
    // Play a window that counts elections on its own clock.
    bool countsElections = false;
};

// Installs a RecordingFrontEnd and points the data root at a scratch folder with a
// "debugdata" folder, opening the log there; the player's config and state folders are
// "config" and "state" in the same scratch folder. Undoes all of it on destruction, and forgets
// the tables a test may have read from the folder.
class LoggedTest {
public:
    LoggedTest();
    ~LoggedTest();
    std::string LogText() const;
    // The tables and settings that outlive a game: setup table, options, slider configurations,
    // mission and names, calendar, runs, achievements, user folder.
    static void ForgetTables();

    ScratchDir dir;
    RecordingFrontEnd frontEnd;
};

// Points a test at the content we ship while keeping its log and user folder in scratch space:
// the real data folder is linked into the test's scratch root, the log reopened there, and the
// setup table, the options and the default mission read.
void UseShippedContent(LoggedTest& test);

// Shipped content as UseShippedContent gives it, then a new game of the default country on a
// fixed seed.
void StartShippedGame(LoggedTest& test, uint32_t seed);

// Whether the named situation is on; a name that resolves to nothing fails the test.
bool SituationOn(const char* name);

// Plays up to `turns` turns, fewer if the game ends, and says whether the named situation was on
// after any of them.
bool PlayWatching(const char* situation, int turns);

// Replaces whatever game a test built with an empty one, so that tests do not leak into each
// other.
void TearDownGame();
