#include "base/turn.h"

#include "base/debug_log.h"
#include "base/options.h"

namespace {
// The player's runs of lost and won games outlive every game: they set the next one's difficulty.
int g_consecutiveLosses = 0;
int g_consecutiveWins = 0;
} // namespace

void SetConsecutiveRuns(int losses, int wins) {
    g_consecutiveLosses = losses;
    g_consecutiveWins = wins;
}

Calendar& GetCalendar() {
    static Calendar calendar;
    return calendar;
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
    return CurrentRecord().gameOver;
}

void SetGameOver(bool over) {
    CurrentRecord().gameOver = over;
}
