#include "base/turn.h"

#include "base/debug_log.h"
#include "base/options.h"

namespace {
bool g_gameOver = false;
int g_consecutiveLosses = 0;
int g_consecutiveWins = 0;
} // namespace

void SetConsecutiveRuns(int losses, int wins) {
    g_consecutiveLosses = losses;
    g_consecutiveWins = wins;
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

float GetPotentialVoteRate() {
    return GetPollTracker().PotentialVoteRate;
}

bool IsGameOver() {
    return g_gameOver;
}

void SetGameOver(bool over) {
    g_gameOver = over;
}
