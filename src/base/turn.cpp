#include "base/turn.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/options.h"
#include "base/random.h"
#include "government/achievements.h"
#include "network/neural_effect.h"
#include "network/neuron.h"

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
    // The runs are kept per mission with the achievements, which own them and pass them back
    // through SetConsecutiveRuns; the awards are read from the same section at the same time.
    ReadAchievementState();
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

void CountVotes() {
    GetFrontEnd().ProcessingProgress("Counting Votes...", 0.0f);
    PollTracker& polls = GetPollTracker();
    float share = GetVoteShare();
    polls.PotentialVoteRate = share;
    if (g_winningNeuron) {
        g_winningNeuron->value = share;
        g_winningNeuron->SetBaseOffset(share);
        g_winningNeuron->PushToOutputs();
    }
    if (InstantEffects()) {
        for (float& entry : polls.shareHistory)
            entry = share + RandomFloat(-0.02f, 0.02f);
    }
    for (int i = PollTracker::kHistory - 1; i > 0; --i)
        polls.shareHistory[i] = polls.shareHistory[i - 1];
    polls.shareHistory[0] = share;
    if (share > polls.PeakVoteRate)
        polls.PeakVoteRate = share;
}

bool IsGameOver() {
    return g_gameOver;
}

void SetGameOver(bool over) {
    g_gameOver = over;
}
