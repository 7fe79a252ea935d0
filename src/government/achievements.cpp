#include "government/achievements.h"

#include "base/front_end.h"
#include "base/game_paths.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/ini_section.h"
#include "base/mission.h"
#include "base/profile.h"
#include "base/row_reader.h"
#include "base/tokenizer.h"
#include "base/turn.h"
#include "network/neuron.h"

namespace {

std::vector<Achievement> g_achievements;
int32_t g_consecutiveWins = 0;
int32_t g_consecutiveLosses = 0;

const char kLossesKey[] = "ConsecutiveLosses";
const char kWinsKey[] = "ConsecutiveWins";

// The difficulty reads its own copy of the runs; every change here is passed on at once so the
// two never disagree.
void PublishRuns() {
    SetConsecutiveRuns(g_consecutiveLosses, g_consecutiveWins);
}

std::string Trim(const std::string& text) {
    size_t begin = 0;
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    return RightTrim(text.substr(begin));
}

// A condition cell is NAME,OP,VALUE once the row splitter has dropped its quotes.
AchievementCondition ParseCondition(const std::string& cell) {
    AchievementCondition condition;
    CTokenizer parts(cell, ',');
    condition.nodeName = Trim(parts.NextToken());
    std::string op = Trim(parts.NextToken());
    condition.threshold = parts.NextFloat();
    if (op == "ACTIVE") {
        condition.op = kConditionActive;
    } else if (!op.empty() && op[0] == '<') {
        condition.op = kConditionLess;
    } else if (!op.empty() && op[0] == '>') {
        condition.op = kConditionGreater;
    } else {
        REPORT_ERROR("Error loading achievement data condition");
        condition.op = kConditionUnknown;
    }
    return condition;
}

const std::string& StateSection() {
    return GetMission().missionFile;
}

} // namespace

Achievement ParseAchievementRow(const std::string& row) {
    Achievement achievement;
    CTokenizer cells(row, ',');
    cells.NextToken();
    achievement.key = cells.NextString();
    achievement.text3 = cells.NextString();
    achievement.text4 = cells.NextString();
    achievement.text5 = cells.NextString();
    achievement.text6 = cells.NextString();
    while (!cells.AtEnd()) {
        // The row's line end stays in its last cell, so a trailing empty cell still holds it.
        std::string cell = Trim(cells.NextToken());
        if (cell.size() <= 1)
            continue;
        achievement.conditions.push_back(ParseCondition(cell));
    }
    return achievement;
}

bool LoadAchievements() {
    g_achievements.clear();
    if (!FileExists(kAchievementsFile)) {
        REPORT_ERROR("Achievements file not found");
        return false;
    }
    CSpreadsheet sheet(kAchievementsFile);
    g_achievements.reserve(sheet.Rows().size());
    for (size_t i = 0; i < sheet.Rows().size(); ++i) {
        ContentPlace place(sheet.File(), sheet.LineOf(i));
        g_achievements.push_back(ParseAchievementRow(sheet.Rows()[i]));
    }
    LogF("Loaded %d achievements", static_cast<int>(g_achievements.size()));
    return true;
}

void ReadAchievementState() {
    const std::string& section = StateSection();
    // The win run is stored with decimals, so both runs are read as numbers and truncated.
    g_consecutiveLosses =
        static_cast<int32_t>(ReadIniFloat(section, kLossesKey, 0.0f, AchievementStateFile()));
    g_consecutiveWins =
        static_cast<int32_t>(ReadIniFloat(section, kWinsKey, 0.0f, AchievementStateFile()));
    PublishRuns();
    for (Achievement& achievement : g_achievements) {
        if (achievement.key.empty()) {
            achievement.achieved = false;
            continue;
        }
        achievement.achieved =
            GetProfileInt(section, achievement.key, 0, AchievementStateFile()) != 0;
    }
}

void LoadConsecutiveRuns() {
    // The runs are kept per mission with the achievements, which pass them on to the difficulty
    // through SetConsecutiveRuns; the awards are read from the same section at the same time.
    ReadAchievementState();
}

void WriteAchievementState() {
    const std::string& section = StateSection();
    if (section.size() <= 1)
        return;
    bool written = WriteIniInt(section, kLossesKey, g_consecutiveLosses, AchievementStateFile());
    written = WriteIniFloat(section, kWinsKey, static_cast<float>(g_consecutiveWins),
                            AchievementStateFile()) &&
              written;
    for (const Achievement& achievement : g_achievements) {
        if (achievement.key.empty())
            continue;
        written = WriteIniInt(section, achievement.key, achievement.achieved ? 1 : 0,
                              AchievementStateFile()) &&
                  written;
    }
    // The player is not troubled: the awards simply do not survive to the next start.
    if (!written)
        LogF("Could not write the achievement state to %s", AchievementStateFile().c_str());
}

bool TestAchievementCondition(const AchievementCondition& condition) {
    Neuron* neuron = FindNeuron(condition.nodeName);
    if (!neuron) {
        REPORT_WARNING("Failed to find achievement condition");
        return false;
    }
    switch (condition.op) {
    case kConditionLess:
        return neuron->GetValue() < condition.threshold;
    case kConditionGreater:
        return neuron->GetValue() > condition.threshold;
    case kConditionActive:
        return neuron->active;
    default:
        return false;
    }
}

const Achievement* CheckAchievements() {
    for (Achievement& achievement : g_achievements) {
        if (achievement.achieved)
            continue;
        bool allHold = true;
        for (const AchievementCondition& condition : achievement.conditions) {
            if (!TestAchievementCondition(condition)) {
                allHold = false;
                break;
            }
        }
        if (!allHold)
            continue;
        achievement.achieved = true;
        LogF("Achievement awarded: %s", achievement.key.c_str());
        WriteAchievementState();
        // The game window shows its achievement window from here; headless it is only logged.
        GetFrontEnd().ShowAchievementAward(achievement.key);
        return &achievement;
    }
    return nullptr;
}

void RecordElectionResult(bool won) {
    if (won) {
        g_consecutiveWins += 1;
        g_consecutiveLosses = 0;
    } else {
        g_consecutiveLosses += 1;
        g_consecutiveWins = 0;
    }
    PublishRuns();
    WriteAchievementState();
}

int32_t ConsecutiveWins() {
    return g_consecutiveWins;
}

int32_t ConsecutiveLosses() {
    return g_consecutiveLosses;
}

void ReleaseAchievements() {
    WriteAchievementState();
    g_achievements.clear();
}

void ClearAchievements() {
    g_achievements.clear();
    g_consecutiveWins = 0;
    g_consecutiveLosses = 0;
    PublishRuns();
}

const std::vector<Achievement>& GetAchievements() {
    return g_achievements;
}

Achievement* FindAchievement(const std::string& key) {
    for (Achievement& achievement : g_achievements)
        if (achievement.key == key)
            return &achievement;
    return nullptr;
}

std::string AchievementStateFile() {
    const std::string& userDir = GetUserDir();
    return userDir.empty() ? std::string("data/ach.jad") : userDir + "/ach.jad";
}
