#pragma once
// The turn pipeline: the fixed order in which one turn steps every subsystem, the new-game
// set-up that loads all content and settles the network, the calendar, the poll record and the
// difficulty that other systems read.

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

TurnState& GetTurnState();
inline int32_t GetTurnNumber() {
    return GetTurnState().turnNumber;
}
Calendar& GetCalendar();
PollTracker& GetPollTracker();

// One month on; December rolls into January of the next year.
void AdvanceMonth();

// The option "DIFFICULTY", eased by 0.1 after three lost games in a row or stiffened by 0.1
// after three wins, clamped to 0 … 1.
float GetDifficulty();
// The counts of lost and won games in a row that GetDifficulty reads; LoadConsecutiveRuns takes
// them from the achievement state file for the current mission.
void SetConsecutiveRuns(int losses, int wins);
void LoadConsecutiveRuns();

// Fraction of voters who would vote for the government, counted by the voting population once
// it registers its counter; 0.5 while there is no population.
float GetVoteShare();
struct VoteCount {
    int forPlayer = 0;
    int total = 0;
};
using VoteCounter = VoteCount (*)();
void SetVoteCounter(VoteCounter counter);
float GetPotentialVoteRate();
// Counts the votes into the poll record and the "_winning_" neuron.
void CountVotes();

// The part of a new game that a load shares: forget the old game and read all content afresh
// for the loaded mission, up to the events; progress, when not null, shows each stage's text.
void ClearGameAndLoadContent(void (*progress)(const char* text));
// After the mission's start state (a new game) or before the saved state (a load): the win and
// loss runs, the finances' starting figures, the economic cycle, the election multipliers, the
// simulation values' links and the autorun scripts.
void SetUpLoadedContent();

// One turn, in the fixed order of the pipeline.
void ProcessNewTurn();
// Builds a new game from the content and the mission "data/missions/<missionName>.txt", then
// settles the network with two turns.
void NewGameSetup(const std::string& missionName);

// True once a game-over condition has ended play (an election lost or the last term served).
bool IsGameOver();
void SetGameOver(bool over);
