#include "frame/turn.h"

#include "data/debug_log.h"
#include "data/profile.h"
#include "frame/mission.h"
#include "frame/options.h"

namespace {
bool g_gameOver = false;
int g_consecutiveLosses = 0;
int g_consecutiveWins = 0;
} // namespace

void SetConsecutiveRuns(int losses, int wins) {
    g_consecutiveLosses = losses;
    g_consecutiveWins = wins;
}

void LoadConsecutiveRuns() {
    // The run counts are kept per mission in the achievement state file.
    const std::string& section = GetMission().missionFile;
    SetConsecutiveRuns(GetProfileInt(section, "ConsecutiveLosses", 0, "data/ach.jad"),
                       GetProfileInt(section, "ConsecutiveWins", 0, "data/ach.jad"));
}

TurnState& GetTurnState() {
    static TurnState state;
    return state;
}

Calendar& GetCalendar() {
    static Calendar calendar;
    return calendar;
}

PollTracker& GetPollTracker() {
    static PollTracker tracker;
    return tracker;
}

void AdvanceMonth() {
    Calendar& c = GetCalendar();
    if (++c.month >= 12) {
        c.month = 0;
        ++c.year;
    }
}

float GetDifficulty() {
    float d = GetOption("DIFFICULTY");
    if (g_consecutiveLosses >= 3)
        d -= 0.1f;
    else if (g_consecutiveWins >= 3)
        d += 0.1f;
    if (d < 0.0f)
        d = 0.0f;
    if (d > 1.0f)
        d = 1.0f;
    return d;
}

bool IsGameOver() {
    return g_gameOver;
}

void SetGameOver(bool over) {
    g_gameOver = over;
}
