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

namespace {
VoteCounter g_voteCounter = nullptr;
} // namespace

void SetVoteCounter(VoteCounter counter) {
    g_voteCounter = counter;
}

float GetVoteShare() {
    VoteCount count = g_voteCounter ? g_voteCounter() : VoteCount{};
    // Without a population there is nobody to poll; an even split keeps the network neutral.
    if (count.total <= 0)
        return 0.5f;
    return static_cast<float>(count.forPlayer) / static_cast<float>(count.total);
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
