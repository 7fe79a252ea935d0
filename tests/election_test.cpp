#include "base/mission.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "government/election_manager.h"
#include "government/manifesto.h"
#include "government/voter_context.h"
#include "network/neuron.h"
#include "population/party.h"
#include "population/population_state.h"
#include "population/voter.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kStrings[] = "[strings]\n"
                        "VOTING_RESULT=Result\n"
                        "ELECTION_SUCCESS=Victory\n"
                        "ELECTION_FAILURE=Defeat\n"
                        "ELECTION_REMAINING_TERMS=<TERMS> terms to go\n"
                        "ELECTION_REMAINING_TERMS_ONE=One term to go\n"
                        "ELECTION_REMAINING_TERMS_NONE=No terms to go\n";

class ElectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.dir.Write("data/strings.ini", kStrings);
        t.dir.Write("data/simulation/partynames.txt", "[names]\nRed Party\nBlue Party\n");
        t.dir.Write("data/data.ini", "[setup]\nMANIFESTO_BROKEN_PENALTY=0.3\n");
        ResetTranslations();
        LoadSetupTable();
        GetMission().missionFile = "data/missions/Test.txt";
        GetElectionManager().Release();
    }
    void TearDown() override {
        TearDownGame();
        ResetTranslations();
    }

    // Voters whose opinion is exactly the given value.
    std::vector<SIM_Voter*> Population(const std::vector<float>& opinions) {
        std::vector<SIM_Voter*> made;
        for (float opinion : opinions) {
            made.push_back(new SIM_Voter());
            made.back()->value = opinion;
            made.back()->complacency = 0.0f;
        }
        return made;
    }
    // Many voters for and against, everyone voting.
    void CompulsoryPopulation(int forPlayer, int against) {
        GetMission().modules = {"CompulsoryVoting"};
        Population(std::vector<float>(forPlayer, 0.8f));
        Population(std::vector<float>(against, 0.2f));
    }
    // Schedules from the current date if need be, moves the calendar onto the election and
    // holds it.
    const ElectionOutcome& HoldElection() {
        SIM_ElectionManager& manager = GetElectionManager();
        if (!manager.IsScheduled())
            manager.ScheduleNextElection();
        GetCalendar() = {manager.electionMonth, manager.electionYear};
        EXPECT_TRUE(manager.CheckElection());
        return manager.LastOutcome();
    }
    // A pledge to raise GDP above its 0.5, binding from now on.
    Neuron* BrokenGdpPledge() {
        Neuron* gdp = new Neuron();
        gdp->SetName("GDP");
        gdp->value = 0.5f;
        t.dir.Write("data/manifesto.csv", "#,MORE_GDP,GDP,0.5,>\n");
        SIM_Manifesto& manifesto = GetManifesto();
        manifesto.LoadOptions();
        manifesto.AddPledge(manifesto.Options()[0]);
        manifesto.StartTerm();
        manifesto.UpdateKept();
        EXPECT_FALSE(manifesto.IsKept());
        return gdp;
    }

    LoggedTest t;
};

TEST_F(ElectionTest, ScheduleCountsWholeYearsOfCalendarMonths) {
    SIM_ElectionManager& manager = GetElectionManager();
    EXPECT_EQ(manager.MonthsUntilElection(), -1);
    GetCalendar() = {0, 0};
    EXPECT_FALSE(manager.IsElectionDue()) << "nothing is due before a schedule exists";

    GetCalendar() = {3, 2008};
    manager.ScheduleNextElection();
    EXPECT_EQ(manager.electionMonth, 3);
    EXPECT_EQ(manager.electionYear, 2012);
    // Date, months until the election, months elapsed in the term, due.
    const struct {
        Calendar date;
        int until, elapsed;
        bool due;
    } dates[] = {{{3, 2008}, 48, 0, false},
                 {{11, 2011}, 4, 44, false}, // across a year end
                 {{0, 2012}, 3, 45, false},
                 {{3, 2011}, 12, 36, false}, // the month alone is not enough
                 {{3, 2012}, 0, 48, true}};
    for (const auto& d : dates) {
        GetCalendar() = d.date;
        EXPECT_EQ(manager.MonthsUntilElection(), d.until) << d.date.month << "/" << d.date.year;
        EXPECT_EQ(manager.MonthsElapsedInTerm(), d.elapsed) << d.date.month << "/" << d.date.year;
        EXPECT_FLOAT_EQ(manager.FractionOfTermElapsed(), d.elapsed / 48.0f);
        EXPECT_EQ(manager.IsElectionDue(), d.due) << d.date.month << "/" << d.date.year;
    }
    GetCalendar() = {3, 2011};
    EXPECT_TRUE(manager.IsElectionMonth());

    manager.SetTermYears(1);
    GetCalendar() = {9, 2012};
    manager.ScheduleNextElection();
    EXPECT_EQ(manager.electionMonth, 9);
    EXPECT_EQ(manager.electionYear, 2013);
    manager.SetTermYears(25);
    EXPECT_EQ(manager.TermMonths(), 120) << "terms are kept to ten years";
}

TEST_F(ElectionTest, ShareSoundAndRemainingTermsFollowTheVotes) {
    EXPECT_FLOAT_EQ(ElectionShare(600, 600), 0.5f);
    EXPECT_FLOAT_EQ(ElectionShare(0, 0), 0.0f) << "no votes at all is a defeat, not NaN";
    EXPECT_STREQ(CrowdSoundForShare(ElectionShare(700, 300)), kCrowdCheerSound);
    EXPECT_STREQ(CrowdSoundForShare(ElectionShare(690, 310)), kCrowdClapSound);
    EXPECT_STREQ(CrowdSoundForShare(0.5f), kCrowdClapSound);
    EXPECT_STREQ(CrowdSoundForShare(ElectionShare(499, 501)), kCrowdAngrySound);
    const std::pair<int, const char*> terms[] = {
        {4, "4 terms to go"}, {1, "One term to go"}, {0, "No terms to go"}, {-2, "No terms to go"}};
    for (auto [left, text] : terms)
        EXPECT_EQ(RemainingTermsText(left), text);
}

TEST_F(ElectionTest, OnlyAStrictMajorityWinsATermAndTheFirstWinEntersTheRun) {
    SIM_ElectionManager& manager = GetElectionManager();
    // Votes for and against, then terms won, the win run and the loss run.
    const struct {
        int forPlayer, against, termsWon, wins, losses;
    } results[] = {{600, 600, 0, 0, 1}, // a tie before any win counts as a lost game
                   {100, 900, 0, 0, 2}, // as does every loss before a win
                   {700, 300, 1, 1, 0},
                   {800, 200, 2, 1, 0},  // a second win in one game does not lengthen the run
                   {100, 900, 2, 1, 0}}; // losing after a win leaves the runs alone
    for (const auto& r : results) {
        manager.RecordResult(r.forPlayer, r.against, 10);
        EXPECT_EQ(manager.termsWon, r.termsWon) << r.forPlayer << ":" << r.against;
        EXPECT_EQ(ConsecutiveWins(), r.wins) << r.forPlayer << ":" << r.against;
        EXPECT_EQ(ConsecutiveLosses(), r.losses) << r.forPlayer << ":" << r.against;
    }
}

TEST_F(ElectionTest, TheWindowCountsFiveVotersPerTick) {
    GetMission().modules = {"CompulsoryVoting"};
    std::vector<SIM_Voter*> voters = Population({0.8f, 0.8f, 0.3f, 0.9f, 0.1f, 0.7f, 0.6f});
    SIM_ElectionManager& manager = GetElectionManager();
    manager.OpenCount();
    EXPECT_FALSE(manager.StepCount());
    EXPECT_EQ(manager.Tally().counted, 5);
    EXPECT_EQ(manager.Tally().playerVotes, 3);
    EXPECT_TRUE(manager.StepCount());
    EXPECT_TRUE(manager.StepCount()) << "a finished count processes nobody more";
    const ElectionTally& tally = manager.Tally();
    EXPECT_EQ(tally.counted, 7);
    EXPECT_EQ(tally.playerVotes, 5);
    EXPECT_EQ(tally.oppositionVotes, 2);
    EXPECT_EQ(tally.supporters, 5);
    EXPECT_EQ(tally.opponents, 2);
    for (SIM_Voter* voter : voters)
        EXPECT_NE(voter->lastVote, kVoteNone);
}

TEST_F(ElectionTest, WithoutCompulsionAndWithoutReasonToVoteEveryoneAbstains) {
    Population({0.9f, 0.1f, 0.6f});
    GetElectionManager().LoadVotingMultipliers(); // all three are absent: no turnout
    const ElectionOutcome& outcome = HoldElection();
    EXPECT_EQ(outcome.tally.abstentions, 3);
    EXPECT_EQ(outcome.tally.supporters, 2);
    EXPECT_EQ(outcome.tally.opponents, 1);
    EXPECT_FLOAT_EQ(outcome.share, 0.0f);
    EXPECT_FALSE(outcome.won);
    EXPECT_TRUE(IsGameOver());
}

TEST_F(ElectionTest, PartyMembersTurnOutForTheirPartyWhateverTheyThink) {
    SetupParties();
    std::vector<SIM_Voter*> voters = Population({0.1f, 0.9f, 0.9f});
    voters[0]->SetParty(::Population().playerParty);
    voters[1]->SetParty(::Population().oppositionParty);
    GetElectionManager().LoadVotingMultipliers();
    const ElectionOutcome& outcome = HoldElection();
    EXPECT_EQ(voters[0]->lastVote, kVotePlayer);
    EXPECT_EQ(voters[1]->lastVote, kVoteOpposition);
    EXPECT_EQ(voters[2]->lastVote, kVoteNone);
    // One vote each: a tie is shown as a win and play goes on, though no term was won.
    EXPECT_TRUE(outcome.won);
    EXPECT_EQ(outcome.termsWon, 0);
    EXPECT_EQ(outcome.buttonKey, "CONTINUEPRESIDENCY");
    EXPECT_FALSE(IsGameOver());
}

TEST_F(ElectionTest, ALandslideIsCheeredAndADefeatEndsTheGame) {
    CompulsoryPopulation(7, 3);
    GetCalendar() = {6, 2020};
    const ElectionOutcome& outcome = HoldElection();
    EXPECT_FLOAT_EQ(outcome.share, 0.7f);
    EXPECT_TRUE(outcome.won);
    EXPECT_EQ(outcome.crowdSound, kCrowdCheerSound);
    EXPECT_EQ(outcome.resultText, "Result:  Victory");
    EXPECT_EQ(outcome.remainingTermsText, "2 terms to go");
    EXPECT_EQ(GetElectionManager().electionYear, 2028);
    EXPECT_EQ(GetElectionManager().electionMonth, 6);
    EXPECT_FALSE(GetElectionManager().CheckElection()) << "the next one is not due yet";

    // Now 7 for and 9 against.
    Population(std::vector<float>(6, 0.2f));
    const ElectionOutcome& defeat = HoldElection();
    EXPECT_FALSE(defeat.won);
    EXPECT_EQ(defeat.crowdSound, kCrowdAngrySound);
    EXPECT_EQ(defeat.resultText, "Result:  Defeat");
    EXPECT_TRUE(defeat.remainingTermsText.empty());
    EXPECT_EQ(defeat.buttonKey, "QUITGAME");
    EXPECT_TRUE(IsGameOver());
}

TEST_F(ElectionTest, TheLastPermittedTermEndsTheGame) {
    CompulsoryPopulation(6, 4);
    SIM_ElectionManager& manager = GetElectionManager();
    manager.SetTermLimit(3);
    GetCalendar() = {0, 1};
    std::vector<std::string> lines, buttons;
    for (int election = 0; election < 3; ++election) {
        lines.push_back(HoldElection().remainingTermsText);
        buttons.push_back(manager.LastOutcome().buttonKey);
        EXPECT_EQ(IsGameOver(), election == 2);
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{"2 terms to go", "One term to go", "No terms to go"}));
    EXPECT_EQ(buttons,
              (std::vector<std::string>{"CONTINUEPRESIDENCY", "CONTINUEPRESIDENCY", "QUITGAME"}));
    EXPECT_EQ(manager.termsWon, 3);
}

TEST_F(ElectionTest, AWindowThatCountsRunsTheCountItself) {
    t.frontEnd.countsElections = true;
    CompulsoryPopulation(3, 1);
    SIM_ElectionManager& manager = GetElectionManager();
    manager.ScheduleNextElection();
    int year = manager.electionYear;
    HoldElection();
    EXPECT_EQ(t.frontEnd.windows, std::vector<std::string>{"ElectionCount"});
    EXPECT_EQ(manager.Tally().counted, 0) << "the window counts at its own pace";
    EXPECT_FALSE(manager.HasOutcome());
    EXPECT_EQ(manager.electionYear, year + 4) << "the next election is scheduled at once";
    while (!manager.StepCount()) {
    }
    EXPECT_TRUE(manager.DeclareResult().won);
    manager.FinishElection();
    EXPECT_FALSE(IsGameOver());
}

TEST_F(ElectionTest, TheResultShowsABrokenManifestoAndThePledgesMadeForTheNextTermBind) {
    BrokenGdpPledge();
    SIM_Manifesto& manifesto = GetManifesto();
    ASSERT_TRUE(manifesto.AddPledge(manifesto.Options()[0]));
    CompulsoryPopulation(2, 1);
    EXPECT_TRUE(HoldElection().manifestoBroken);
    EXPECT_EQ(manifesto.LivePledges().size(), 1u);
    EXPECT_TRUE(manifesto.NextTermPledges().empty());
}

TEST_F(ElectionTest, ABrokenManifestoCostsVotersOpinionInTheLastMonthsOnly) {
    Neuron* gdp = BrokenGdpPledge();
    SIM_Voter* voter = Population({0.8f})[0];
    SIM_ElectionManager& manager = GetElectionManager();
    // The opinion as a pass over the population reads it, knowing the government in play.
    auto opinion = [voter] {
        VoterPass pass(CurrentVoterContext());
        return voter->GetOpinion();
    };
    EXPECT_FLOAT_EQ(opinion(), 0.8f) << "no election scheduled, no penalty";
    GetCalendar() = {0, 10};
    manager.ScheduleNextElection();
    GetCalendar() = {2, 13};
    EXPECT_EQ(manager.MonthsUntilElection(), 10);
    EXPECT_FLOAT_EQ(opinion(), 0.8f);
    GetCalendar() = {3, 13};
    EXPECT_FLOAT_EQ(opinion(), 0.5f);
    gdp->value = 0.9f;
    GetManifesto().UpdateKept();
    EXPECT_FLOAT_EQ(opinion(), 0.8f);
}

TEST_F(ElectionTest, PartiesTakeTheMissionsNamesUnlessTheyClash) {
    GetMission().partyName = "Green League";
    GetMission().oppositionName = "Green League";
    SetupParties();
    ASSERT_TRUE(GetPlayersParty() && GetOpposition());
    EXPECT_EQ(GetPlayersParty()->partyName, "Green League");
    std::string opposition = GetOpposition()->partyName;
    EXPECT_TRUE(opposition == "Red Party" || opposition == "Blue Party") << opposition;
    EXPECT_EQ(FindNeuron(kPlayersPartyNode), &GetPlayersParty()->shareNode);

    GetMission().oppositionName = "Old Guard";
    SetupParties();
    EXPECT_EQ(GetOpposition()->partyName, "Old Guard");
    EXPECT_EQ(AllParties().size(), 2u) << "setting up again replaces the parties";

    // Without a names list every drawn name is "error".
    t.dir.Write("data/simulation/partynames.txt", "[other]\nX\n");
    GetMission().partyName.clear();
    GetMission().oppositionName.clear();
    SetupParties();
    EXPECT_EQ(GetPlayersParty()->partyName, "error");
    EXPECT_EQ(GetOpposition()->partyName, "error");
}

TEST_F(ElectionTest, MembershipFollowsTheVotersAndSetsStrengthShareAndTrend) {
    SetupParties();
    std::vector<SIM_Voter*> voters = Population(std::vector<float>(20, 0.5f));
    SIM_Party* player = GetPlayersParty();
    for (int i = 0; i < 6; ++i)
        voters[i]->SetParty(player);
    voters[6]->SetParty(GetOpposition());
    UpdateParties();
    EXPECT_EQ(player->MemberCount(), 6);
    EXPECT_FLOAT_EQ(player->membershipStrength, 1.0f) << "six of twenty is above a fifth";
    EXPECT_FLOAT_EQ(player->shareNode.baseOffset, 0.3f);
    EXPECT_EQ(player->status, kPartyGrowing);
    EXPECT_FLOAT_EQ(GetOpposition()->membershipStrength, 0.25f);

    voters[0]->SetParty(GetOpposition());
    voters[1]->SetParty(nullptr);
    UpdateParties();
    EXPECT_EQ(player->MemberCount(), 4);
    EXPECT_EQ(player->status, kPartyShrinking);
    EXPECT_EQ(GetOpposition()->MemberCount(), 2);
    UpdateParties();
    EXPECT_EQ(player->status, kPartySteady);

    // Gone parties leave no voter pointing at them.
    ClearParties();
    for (SIM_Voter* voter : voters)
        EXPECT_EQ(voter->party, nullptr);
    EXPECT_EQ(::Population().playerParty, nullptr);
}

} // namespace
