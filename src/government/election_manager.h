#pragma once
// SIM_ElectionManager: the election schedule, the count of an election voter by voter, its
// result and the terms the player has won. Also the game's term settings (months per term and how
// many elections may be won), taken from the mission, which the new-game screen edits, when a game
// is set up or loaded.

#include "base/game_subsystem.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The manifesto is written in the turn when exactly this many months remain.
constexpr int kManifestoPromptMonths = 3;
// Voters counted per tick of the results window's clock.
constexpr int kVotersPerCountStep = 5;
constexpr int kDefaultTermMonths = 48;
constexpr int kDefaultTermLimit = 3;
constexpr int kMinTermYears = 1;
constexpr int kMaxTermYears = 10;

inline constexpr const char kCrowdAngrySound[] = "data/sounds/crowd_angry.ogg";
inline constexpr const char kCrowdClapSound[] = "data/sounds/crowd_clap.ogg";
inline constexpr const char kCrowdCheerSound[] = "data/sounds/crowd_cheer.ogg";

// The running totals of one count, as the results window shows them.
struct ElectionTally {
    int32_t playerVotes = 0;
    int32_t oppositionVotes = 0;
    int32_t abstentions = 0;
    // By voting opinion, whether or not the voter turned out.
    int32_t supporters = 0;
    int32_t opponents = 0;
    int32_t counted = 0;
};

// What the results window and the post-election screen show once the count is declared.
struct ElectionOutcome {
    ElectionTally tally;
    // The player's share of the votes cast for the two parties; 0 when nobody voted for either.
    float share = 0.0f;
    // Shown as won on half or more; only a strict majority adds a term won.
    bool won = false;
    bool manifestoBroken = false;
    int32_t termsWon = 0;
    // Terms the player may still win; meaningful only when won.
    int32_t termsLeft = 0;
    // "VOTING_RESULT: ELECTION_SUCCESS" (or FAILURE), translated.
    std::string resultText;
    std::string crowdSound;
    // "CONTINUEPRESIDENCY" or "QUITGAME".
    std::string buttonKey;
    // The remaining-terms line when won, translated; empty when lost.
    std::string remainingTermsText;
};

// The player's share of the two-party vote, 0 when no vote was cast for either.
float ElectionShare(int32_t playerVotes, int32_t oppositionVotes);
const char* CrowdSoundForShare(float share);
// The translated remaining-terms line for r terms left.
std::string RemainingTermsText(int32_t termsLeft);

class SIM_ElectionManager : public GameSubsystem {
public:
    // Forgets the schedule, the terms won and any count; keeps the term settings.
    void Release() override;

    // The next election one term after the calendar's current date.
    void ScheduleNextElection();
    bool IsScheduled() const { return scheduled; }
    bool IsElectionDue() const;
    // True while the calendar stands in the month of the year in which elections fall.
    bool IsElectionMonth() const;
    // Calendar months to the election; -1 while none is scheduled.
    int MonthsUntilElection() const;
    float FractionOfTermElapsed() const;
    int MonthsElapsedInTerm() const;

    // The turn step: holds the election when it is due, then schedules the next one. Returns
    // whether one was held.
    bool CheckElection();

    // The count as the results window runs it: Open, then Step at each tick of its clock until
    // it reports the end, then Declare.
    void OpenCount();
    // Counts up to maxVoters more voters in list order; true once every voter is counted.
    bool StepCount(int maxVoters = kVotersPerCountStep);
    bool CountFinished() const;
    // An election's count is open and its result not yet declared.
    bool IsCounting() const { return counting; }
    // Whether the term that the open count ends broke its manifesto; the pledges made for the
    // next term bind from the moment the count opens, so the manifesto itself no longer says.
    bool ManifestoBrokenAtCount() const { return manifestoBrokenAtOpen; }
    const ElectionTally& Tally() const { return tally; }
    // Records the result and works out what the results and post-election screens show.
    const ElectionOutcome& DeclareResult();
    // The player's choice on the post-election screen: the game goes on only after a won
    // election with terms left; otherwise the game is over.
    void FinishElection();

    void RecordResult(int32_t playerVotes, int32_t oppositionVotes, int32_t abstentions);
    // A saved game's schedule and terms won, with the term length it was saved with.
    void RestoreSchedule(int32_t month, int32_t year, int32_t won, int months);
    void ResetTerms() { termsWon = 0; }
    // Reads the three turnout multipliers for the voters. Run when a game is started or loaded.
    void LoadVotingMultipliers();

    // Game-wide settings. The term is whole years (1 … 10) counted in months; the limit is how
    // many elections may be won before the game must end.
    void SetTermYears(int years);
    void SetTermMonths(int months) { termMonths = months; }
    int TermMonths() const { return termMonths; }
    void SetTermLimit(int limit) { termLimit = limit; }
    int TermLimit() const { return termLimit; }
    int TermsLeft() const { return termLimit - termsWon; }

    const ElectionOutcome& LastOutcome() const { return outcome; }
    bool HasOutcome() const { return hasOutcome; }
    // The last count as a saved game recorded it.
    void RestoreOutcome(const ElectionOutcome& saved) {
        outcome = saved;
        hasOutcome = true;
    }

    int32_t electionMonth = 0;
    int32_t electionYear = 0;
    int32_t termsWon = 0;

private:
    bool scheduled = false;
    int termMonths = kDefaultTermMonths;
    int termLimit = kDefaultTermLimit;

    ElectionTally tally;
    size_t cursor = 0;
    bool counting = false;
    bool manifestoBrokenAtOpen = false;
    ElectionOutcome outcome;
    bool hasOutcome = false;
};

// The election manager of the game in play.
SIM_ElectionManager& GetElectionManager();

// The mission's term settings, applied by a new game and by a load: its term length in years
// (kept to 1 … 10; a mission without one keeps the current setting) and its limit of terms (the
// default limit when it sets none).
void UseMissionTermSettings();
