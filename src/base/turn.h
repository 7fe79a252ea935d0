#pragma once
// The game's clock and record that every system reads: the turn number, the calendar, the poll
// record, the difficulty and whether the game is over. The turn pipeline that moves them is
// game/turn_pipeline.h.

#include "base/game_part.h"

#include <cstdint>
#include <string>

struct TurnState {
    int32_t turnNumber = 0;
};

struct Calendar {
    int32_t month = 0; // 0 … 11
    int32_t year = 0;
};

struct PollTracker {
    static constexpr int kHistory = 20;
    float shareHistory[kHistory] = {};
    float PotentialVoteRate = 0.5f;
    float PeakVoteRate = 0.0f;
};

// One game's own record, a part of the game state: its turn count, its polls and whether it is
// over. The calendar is not in it: a new game carries on the calendar where the previous game of
// the run (or the loaded one) left it, so the calendar belongs to the run.
struct GameRecord {
    TurnState turn;
    PollTracker polls;
    bool gameOver = false;
};

inline GameRecord& CurrentRecord() {
    return GamePart<GameRecord>::Current();
}
inline TurnState& GetTurnState() {
    return CurrentRecord().turn;
}
inline int32_t GetTurnNumber() {
    return GetTurnState().turnNumber;
}
inline PollTracker& GetPollTracker() {
    return CurrentRecord().polls;
}
Calendar& GetCalendar();

// One month on; December rolls into January of the next year.
void AdvanceMonth();

// The option "DIFFICULTY", eased by 0.1 after three lost games in a row or stiffened by 0.1
// after three wins, clamped to 0 … 1.
float GetDifficulty();
// The counts of lost and won games in a row that GetDifficulty reads; the achievements keep them
// per mission and pass them in here (LoadConsecutiveRuns).
void SetConsecutiveRuns(int losses, int wins);

// The polls' latest share for the government (the turn pipeline counts it).
float GetPotentialVoteRate();

// True once a game-over condition has ended play (an election lost or the last term served).
bool IsGameOver();
void SetGameOver(bool over);
