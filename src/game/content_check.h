#pragma once
// The content checker: reads every table, row file, event, dilemma, attack, script and mission
// of the data folder and of the player's mods folder the way the game would, and lists each
// thing the game would trip over, with the file and line to fix. It loads nothing into a game
// and never stops at the first fault, so one run shows a modder everything.

#include <string>
#include <vector>

struct ContentProblem {
    std::string file;
    int line = 0; // 0 when the fault is the file's as a whole
    std::string what;
};

// "file:line: what", or "file: what" for a fault of the whole file.
std::string FormatContentProblem(const ContentProblem& problem);

// Checks the standard content under the data root, then the mods in userDir's "mods" folder
// (none when userDir is empty). The setup table must be loaded: it names the main tables.
std::vector<ContentProblem> CheckContent(const std::string& userDir);
