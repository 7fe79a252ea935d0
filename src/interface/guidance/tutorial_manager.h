#pragma once
// The tutorial hints: the first time the player opens a screen, a short script for that screen
// runs once (usually a hint window). The table of hints comes from "data/tut.csv"; which hints
// have been seen is kept in "hints.txt" in the user folder, so a hint seen in one run stays
// seen in the next.

#include "base/ini_section.h"

#include <functional>
#include <string>
#include <vector>

inline constexpr const char kHintTableFile[] = "data/tut.csv";
inline constexpr const char kHintSection[] = "hints";

struct HintRecord {
    std::string key;
    std::string script;
    bool shown = false;
};

class TutorialManager {
public:
    // Reads the table and the seen-state file; keys the file lacks are added as unseen. A table
    // that cannot be read is reported and leaves no hints. False when the table was missing.
    bool Load(const std::string& userDir, const std::string& tableFile = kHintTableFile);
    // Writes every hint's seen-state back, beside the old file and moved into place.
    bool Save();
    // Runs the script of every unseen hint with this key, in table order, and marks them seen;
    // returns how many ran. Nothing runs while the hints are held back (the play guide is on).
    int ShowHint(const std::string& key);

    const std::vector<HintRecord>& Hints() const { return hints; }
    const std::string& SeenFile() const { return seenFile; }

    // Runs a hint's script; the script runner unless a test replaces it.
    std::function<void(const std::string& script)> runScript;
    // True while hints must wait (the play guide speaks for itself).
    std::function<bool()> holdBack;

private:
    std::vector<HintRecord> hints;
    CIniSection seen;
    std::string seenFile;
};

TutorialManager& GetTutorial();
