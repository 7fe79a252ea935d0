#include "government/election_manager.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/mission.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "government/government_state.h"
#include "government/manifesto.h"
#include "government/voter_context.h"
#include "population/population_state.h"
#include "population/voter.h"
#include "population/voter_manager.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kContinueButton[] = "CONTINUEPRESIDENCY";
const char kQuitButton[] = "QUITGAME";

} // namespace

float ElectionShare(int32_t playerVotes, int32_t oppositionVotes) {
    int32_t cast = playerVotes + oppositionVotes;
    if (cast <= 0)
        return 0.0f;
    return static_cast<float>(playerVotes) / static_cast<float>(cast);
}

const char* CrowdSoundForShare(float share) {
    if (share < 0.5f)
        return kCrowdAngrySound;
    if (share < 0.7f)
        return kCrowdClapSound;
    return kCrowdCheerSound;
}

std::string RemainingTermsText(int32_t termsLeft) {
    if (termsLeft > 1) {
        std::string text = Translate("ELECTION_REMAINING_TERMS");
        char number[16];
        std::snprintf(number, sizeof number, "%d", termsLeft);
        ReplaceAll(text, "<TERMS>", number);
        return text;
    }
    if (termsLeft == 1)
        return Translate("ELECTION_REMAINING_TERMS_ONE");
    return Translate("ELECTION_REMAINING_TERMS_NONE");
}

void SIM_ElectionManager::Release() {
    electionMonth = 0;
    electionYear = 0;
    termsWon = 0;
    scheduled = false;
    tally = ElectionTally();
    cursor = 0;
    counting = false;
    manifestoBrokenAtOpen = false;
    outcome = ElectionOutcome();
    hasOutcome = false;
}

void SIM_ElectionManager::ScheduleNextElection() {
    const Calendar& calendar = GetCalendar();
    int years = termMonths / 12;
    electionYear = calendar.year + years;
    electionMonth = calendar.month + (termMonths - 12 * years);
    ASSERT(electionMonth <= 11);
    ASSERT(electionYear >= 0);
    scheduled = true;
    LogF("Next election: month %d of year %d", electionMonth, electionYear);
}

bool SIM_ElectionManager::IsElectionDue() const {
    const Calendar& calendar = GetCalendar();
    return scheduled && calendar.month == electionMonth && calendar.year == electionYear;
}

bool SIM_ElectionManager::IsElectionMonth() const {
    return scheduled && GetCalendar().month == electionMonth;
}

int SIM_ElectionManager::MonthsUntilElection() const {
    if (!scheduled)
        return -1;
    const Calendar& calendar = GetCalendar();
    if (calendar.year == electionYear)
        return electionMonth - calendar.month;
    return (electionYear - calendar.year) * 12 - calendar.month + electionMonth;
}

float SIM_ElectionManager::FractionOfTermElapsed() const {
    if (!scheduled || termMonths <= 0)
        return 0.0f;
    return 1.0f - static_cast<float>(MonthsUntilElection()) / static_cast<float>(termMonths);
}

int SIM_ElectionManager::MonthsElapsedInTerm() const {
    if (!scheduled)
        return 0;
    return termMonths - MonthsUntilElection();
}

bool SIM_ElectionManager::CheckElection() {
    if (!IsElectionDue())
        return false;
    Log("Election held");
    OpenCount();
    // The game window counts on screen: it runs StepCount at each tick of its clock, then
    // DeclareResult, and FinishElection from the post-election screen.
    if (GetFrontEnd().OpenElectionCount()) {
        ScheduleNextElection();
        return true;
    }
    // Without a window every voter is counted now, while the election month still stands; the
    // only button the post-election screen would offer is taken.
    while (!StepCount(kVotersPerCountStep)) {
    }
    ScheduleNextElection();
    DeclareResult();
    FinishElection();
    return true;
}

void SIM_ElectionManager::OpenCount() {
    // The results window shows whether the ending term's pledges were kept; the pledges made for
    // the coming term bind from now on.
    manifestoBrokenAtOpen = !GetManifesto().IsKept();
    GetManifesto().StartTerm();
    tally = ElectionTally();
    cursor = 0;
    counting = true;
    hasOutcome = false;
}

bool SIM_ElectionManager::StepCount(int maxVoters) {
    const std::vector<SIM_Voter*>& voters = AllVoters();
    if (!counting || cursor >= voters.size())
        return true;
    // One reading of the tuning for the whole step instead of one per voter.
    VoterPass pass(CurrentVoterContext());
    for (int i = 0; i < maxVoters && cursor < voters.size(); ++i, ++cursor) {
        SIM_Voter* voter = voters[cursor];
        voter->CastVote();
        if (voter->lastVote == kVotePlayer)
            tally.playerVotes += 1;
        else if (voter->lastVote == kVoteOpposition)
            tally.oppositionVotes += 1;
        else
            tally.abstentions += 1;
        if (voter->GetVotingOpinion() >= 0.5f)
            tally.supporters += 1;
        else
            tally.opponents += 1;
        tally.counted += 1;
    }
    return cursor >= voters.size();
}

bool SIM_ElectionManager::CountFinished() const {
    return !counting || cursor >= AllVoters().size();
}

const ElectionOutcome& SIM_ElectionManager::DeclareResult() {
    counting = false;
    RecordResult(tally.playerVotes, tally.oppositionVotes, tally.abstentions);

    ElectionOutcome result;
    result.tally = tally;
    result.share = ElectionShare(tally.playerVotes, tally.oppositionVotes);
    result.won = result.share >= 0.5f;
    result.manifestoBroken = manifestoBrokenAtOpen;
    result.termsWon = termsWon;
    result.termsLeft = TermsLeft();
    result.resultText = Translate("VOTING_RESULT") + ":  " +
                        Translate(result.won ? "ELECTION_SUCCESS" : "ELECTION_FAILURE");
    result.crowdSound = CrowdSoundForShare(result.share);
    result.buttonKey = result.won && termsWon < termLimit ? kContinueButton : kQuitButton;
    if (result.won)
        result.remainingTermsText = RemainingTermsText(result.termsLeft);
    outcome = result;
    hasOutcome = true;

    // The post-election screen shows every group's vote from the fresh count.
    GetVoterManager().UpdateVoteShares();
    LogF("Election result: %d for, %d against, %d abstained; share %.3f, %s", tally.playerVotes,
         tally.oppositionVotes, tally.abstentions, result.share, result.won ? "won" : "lost");
    return outcome;
}

void SIM_ElectionManager::FinishElection() {
    if (!hasOutcome)
        return;
    if (outcome.buttonKey == kQuitButton) {
        Log(outcome.won ? "The last term has been served: the game is over"
                        : "The election is lost: the game is over");
        SetGameOver(true);
    }
}

void SIM_ElectionManager::RecordResult(int32_t playerVotes, int32_t oppositionVotes,
                                       int32_t /*abstentions*/) {
    // A game counts once in the win run, at its first won election; every loss before that
    // lengthens the loss run. A tie is shown as a win but is not a majority.
    if (playerVotes > oppositionVotes) {
        termsWon += 1;
        if (termsWon == 1)
            RecordElectionResult(true);
    } else if (termsWon == 0) {
        RecordElectionResult(false);
    }
}

void SIM_ElectionManager::RestoreSchedule(int32_t month, int32_t year, int32_t won, int months) {
    electionMonth = month;
    electionYear = year;
    termsWon = won;
    if (months > 0)
        termMonths = months;
    scheduled = true;
}

void SIM_ElectionManager::LoadVotingMultipliers() {
    Population().votingOpinionMultiplier = SetupFloat("VOTING_OPINION_EFFECT_MULTIPLIER");
    Population().votingTendencyMultiplier = SetupFloat("VOTING_TENDENCY_EFFECT_MULTIPLIER");
    Population().votingPartyMultiplier = SetupFloat("VOTING_PARTY_EFFECT_MULTIPLIER");
}

void SIM_ElectionManager::SetTermYears(int years) {
    termMonths = std::min(kMaxTermYears, std::max(kMinTermYears, years)) * 12;
}

SIM_ElectionManager& GetElectionManager() {
    return Government().elections;
}

void UseMissionTermSettings() {
    SIM_ElectionManager& manager = GetElectionManager();
    int years = GetMission().termLength;
    if (years > 0)
        manager.SetTermYears(years);
    manager.SetTermLimit(GetMission().termsLimit > 0 ? GetMission().termsLimit : kDefaultTermLimit);
}
