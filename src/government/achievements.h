#pragma once
// Achievements: goals within a mission, each a set of conditions on named nodes of the network.
// At most one is awarded per turn. Awards are remembered per mission in a small state file,
// together with the player's runs of won and lost games, which move the effective difficulty.

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char kAchievementsFile[] = "data/simulation/achievements.csv";
// Section: the current mission's file path.
// The per-mission state file "ach.jad". It lives in the user folder rather than beside the
// content, so that an installed (read-only) data folder still records progress and two players
// of one machine keep their own runs; without a user folder it falls back to "data/ach.jad".
std::string AchievementStateFile();

constexpr int32_t kConditionLess = 0;
constexpr int32_t kConditionGreater = 1;
constexpr int32_t kConditionActive = 2;
// A condition whose operator the loader did not recognise; it never holds.
constexpr int32_t kConditionUnknown = -1;

struct AchievementCondition {
    std::string nodeName;
    float threshold = 0.0f;
    int32_t op = kConditionUnknown;
};

// The four texts of cells 3 to 6 are kept as the row holds them; the achievements window decides
// which is the title, the description and the picture.
struct Achievement {
    std::string text5;
    std::string text3;
    std::string key;
    std::string text6;
    bool achieved = false;
    std::string text4;
    std::vector<AchievementCondition> conditions;
};

// Reads the achievements table once at start-up, replacing any list already loaded. A missing
// table is reported ("Achievements file not found") and leaves the list empty; returns false then.
bool LoadAchievements();
// Builds one achievement from a '#' row of the table.
Achievement ParseAchievementRow(const std::string& row);

// The current mission's section of the state file: both runs and every achievement's flag.
// Absent keys (or a missing file) read as 0.
void ReadAchievementState();
// The runs of lost and won games for the difficulty, at the start of a game: reads the state.
void LoadConsecutiveRuns();
// Writes both runs and every flag. Nothing is written for a mission path of one character or
// less; a file that cannot be written loses the state without troubling the player.
void WriteAchievementState();

// The turn step: awards the first unreached achievement whose conditions all hold and returns
// it, or null when none was awarded.
const Achievement* CheckAchievements();
// A condition naming no neuron warns "Failed to find achievement condition" and does not hold.
bool TestAchievementCondition(const AchievementCondition& condition);

// Advances the run of won or of lost games (the other run restarts) and writes the state.
void RecordElectionResult(bool won);
int32_t ConsecutiveWins();
int32_t ConsecutiveLosses();

// At shutdown: writes the state, then forgets every achievement.
void ReleaseAchievements();
// Forgets the list and both runs without writing anything (tests, or a reload of the table).
void ClearAchievements();

const std::vector<Achievement>& GetAchievements();
Achievement* FindAchievement(const std::string& key);
