#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "game/turn_pipeline.h"
#include "government/finances.h"
#include "government/policy.h"
#include "government/policy_actions.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "network/simulation.h"
#include "population/voter.h"
#include "test_helpers.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// A country small enough to reason about: one tax that earns and lifts nothing, one programme
// that costs money and pushes GDP up over four turns, and GDP feeding Crime downwards.
const char kSetup[] = "[setup]\n"
                      "policies=data/simulation/policies.csv\n"
                      "simulation=data/simulation/simulation.csv\n"
                      "AIENTITIES=100\n";
const char kValues[] = "header\n"
                       "#,GDP,GDP,Output,ECONOMY,0.5,0,1,0,hint,-\n"
                       "#,Crime,Crime,Crime,LAWANDORDER,0.6,0,1,1,hint,-,\"GDP,0-(0.2*x)\"\n"
                       "#,_HighIncome,High,High,HIDDEN,0.5,0,1,0,hint,-\n"
                       "#,_MiddleIncome,Middle,Middle,HIDDEN,0.5,0,1,0,hint,-\n"
                       "#,_LowIncome,Low,Low,HIDDEN,0.5,0,1,0,hint,-\n";
const char kPolicies[] =
    "header\n"
    "#,IncomeTax,Income Tax,rate,Taxes,-,0,0,0,0,TAX,0,0,-,1,0,400,-,#Effects\n"
    "#,Roads,Roads,rate,Roads,-,5,2,3,1,TRANSPORT,0,200,-,4,0,0,-,#Effects,\"GDP,0+(0.4*x)\"\n";
const char kMission[] = "[config]\n"
                        "name=Testland\n"
                        "wealth=1\n"
                        "population=1000\n"
                        "debt=1000\n"
                        "debtceiling=5000\n"
                        "currency=$\n"
                        "termlength=4\n"
                        "[settings]\n"
                        "IncomeTax=0.5\n";

class TurnPipelineTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.dir.Write("data/data.ini", kSetup);
        t.dir.Write("data/simulation/simulation.csv", kValues);
        t.dir.Write("data/simulation/policies.csv", kPolicies);
        t.dir.Write("data/simulation/sliders.csv", "#,rate,5,none,low,mid,high,max\n");
        t.dir.Write("data/missions/Test.txt", kMission);
        t.dir.Write("data/simulation/names.txt",
                    "[maleforenames]\nAdam\n[femaleforenames]\nBea\n[surnames]\nCole\n");
        t.dir.Write("data/options.txt", "[options]\nDIFFICULTY = 0.50\nINTERESTRATE = 0.00\n"
                                        "GLOBALECONOMY = 0.00\nAUTOSAVE = 0.00\n");
        SetUserDir(t.dir.Path() + "/user");
        LoadSetupTable();
        LoadOptions();
    }
    void TearDown() override { TearDownGame(); }

    LoggedTest t;
};

TEST_F(TurnPipelineTest, NewGameSettlesTwoTurnsAndTheFirstPlayerTurnIsThree) {
    GetCalendar() = {11, 4};
    NewGameSetup("Test");
    EXPECT_EQ(GetTurnNumber(), 2);
    EXPECT_FALSE(InstantEffects());
    // The settling turns choose no music: the mood only plays from the player's first turn.
    EXPECT_TRUE(t.frontEnd.music.empty());
    // The calendar carries on from where it stood: two turns are six months.
    EXPECT_EQ(GetCalendar().month, 5);
    EXPECT_EQ(GetCalendar().year, 5);

    ProcessNewTurn();
    EXPECT_EQ(GetTurnNumber(), 3);
    ASSERT_EQ(t.frontEnd.music.size(), 1u);
    float share = GetPotentialVoteRate();
    const char* mood = share < 0.33f   ? "data/sounds/music/poorly.ogg"
                       : share < 0.66f ? "data/sounds/music/neutral.ogg"
                                       : "data/sounds/music/great.ogg";
    EXPECT_EQ(t.frontEnd.music[0], mood);
    EXPECT_EQ(GetCalendar().month, 8);

    GetCalendar() = {11, 7};
    ProcessNewTurn();
    EXPECT_EQ(GetCalendar().month, 2);
    EXPECT_EQ(GetCalendar().year, 8);
}

TEST_F(TurnPipelineTest, HistoriesStartFlatAtTheSettledValues) {
    NewGameSetup("Test");
    Neuron* crime = FindNeuron("Crime");
    ASSERT_NE(crime, nullptr);
    for (float entry : crime->history)
        EXPECT_FLOAT_EQ(entry, crime->value);
    const Finances& f = GetFinances();
    for (int i = 0; i < 20; ++i)
        EXPECT_FLOAT_EQ(f.IncomeHistory[i], f.MonthlyIncome);
    // A new game starts with exactly one turn's allowance.
    EXPECT_EQ(GetPoliticalCapital().capital, GetPoliticalCapital().capitalPerTurn);
}

TEST_F(TurnPipelineTest, CountVotesFeedsThePollsAndTheWinningNode) {
    NewGameSetup("Test");
    // Every other voter, party-free and content, would vote for the government.
    ASSERT_EQ(AllVoters().size(), 100u);
    bool content = false;
    for (SIM_Voter* voter : AllVoters()) {
        voter->SetParty(nullptr);
        voter->complacency = 0.0f;
        voter->value = (content = !content) ? 0.9f : 0.1f;
    }
    CountVotes();
    const PollTracker& polls = GetPollTracker();
    EXPECT_FLOAT_EQ(polls.PotentialVoteRate, 0.5f);
    EXPECT_FLOAT_EQ(polls.shareHistory[0], 0.5f);
    EXPECT_FLOAT_EQ(Network().winningNeuron->value, 0.5f);
    EXPECT_FLOAT_EQ(Network().winningNeuron->baseOffset, 0.5f);

    GetPollTracker().PeakVoteRate = 0.8f;
    CountVotes();
    EXPECT_FLOAT_EQ(GetPollTracker().PeakVoteRate, 0.8f);

    // While a new game settles, the whole chart is seeded with noise around the share.
    SetInstantEffects(true);
    CountVotes();
    for (int i = 1; i < PollTracker::kHistory; ++i) {
        EXPECT_GE(polls.shareHistory[i], 0.48f);
        EXPECT_LE(polls.shareHistory[i], 0.52f);
    }
}

TEST_F(TurnPipelineTest, DifficultyFollowsTheRunsOfWinsAndLosses) {
    SetOption("DIFFICULTY", 0.95f);
    SetConsecutiveRuns(0, 4);
    EXPECT_FLOAT_EQ(GetDifficulty(), 1.0f);
    SetOption("DIFFICULTY", 0.05f);
    SetConsecutiveRuns(3, 0);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.0f);
    SetOption("DIFFICULTY", 0.5f);
    SetConsecutiveRuns(2, 2);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.5f);
    // Losses win over wins when both runs are long: the game eases off first.
    SetConsecutiveRuns(3, 3);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.4f);
}

TEST_F(TurnPipelineTest, AnIntroducedPolicyMovesItsTargetsAtItsOwnPace) {
    NewGameSetup("Test");
    GetPoliticalCapital().capital = 10;
    Neuron* gdp = FindNeuron("GDP");
    Neuron* crime = FindNeuron("Crime");
    float gdpBefore = gdp->value;
    float crimeBefore = crime->value;

    ActionResult result = IntroducePolicyAction("Roads", 1.0f);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(GetPoliticalCapital().capital, 5);

    // With no minister a four-turn programme needs eight turns, and its link walks a quarter
    // of the way each turn, so GDP climbs for several turns rather than jumping.
    std::vector<float> gdpPath;
    for (int i = 0; i < 8; ++i) {
        ProcessNewTurn();
        gdpPath.push_back(gdp->value);
    }
    for (size_t i = 1; i < gdpPath.size(); ++i)
        EXPECT_GE(gdpPath[i], gdpPath[i - 1]);
    EXPECT_GT(gdpPath[1], gdpBefore);
    EXPECT_GT(gdpPath.back() - gdpPath[2], 0.01f);
    // Crime falls behind GDP through its link.
    EXPECT_LT(crime->value, crimeBefore);

    // The programme costs money from the turn it is introduced.
    EXPECT_GT(GetFinances().MonthlyExpenses, 0.0f);

    ActionResult cancelled = CancelPolicyAction("Roads");
    ASSERT_TRUE(cancelled.ok) << cancelled.message;
    ProcessNewTurn();
    ProcessNewTurn();
    EXPECT_LT(gdp->value, gdpPath.back());
}

TEST_F(TurnPipelineTest, TaxIncomePaysDownTheDebt) {
    NewGameSetup("Test");
    const Finances& f = GetFinances();
    float debt = f.NationalDebt;
    ASSERT_GT(f.MonthlyIncome, 0.0f);
    ProcessNewTurn();
    EXPECT_LT(f.NationalDebt, debt);
    EXPECT_NEAR(debt - f.NationalDebt, std::trunc(f.MonthlyIncome) - std::trunc(f.MonthlyExpenses),
                1.0f);
}

TEST_F(TurnPipelineTest, BadContentIsReportedAndTheRestStillPlays) {
    // A setup table with binary junk and a line with no '=' among its keys.
    t.dir.Write("data/data.ini", std::string(kSetup) + "\x01\x02junk\x7f\nno equals here\n" +
                                     std::string("\0\0\0", 3));
    t.dir.Write("data/simulation/policies.csv",
                std::string(kPolicies) +
                    "#,Lost,Lost,rate,No group,-,1,1,1,1,NOSUCHGROUP,0,1,-,2,0,0,-,#Effects\n"
                    "#,Slidy,Slidy,nosuchslider,Bad slider,-,1,1,1,1,TAX,0,1,-,2,0,0,-,#Effects\n"
                    "#,Aimless,Aimless,rate,Bad target,-,1,1,1,1,TAX,0,1,-,2,0,0,-,#Effects,"
                    "\"Nowhere,0+(1.0*x)\"\n");
    t.dir.Write("data/missions/Test.txt", std::string(kMission) + "Atlantis=0.5\n");
    LoadSetupTable();

    NewGameSetup("Test");
    EXPECT_EQ(GetTurnNumber(), 2);
    ProcessNewTurn();
    EXPECT_EQ(GetTurnNumber(), 3);
    ASSERT_NE(GetPolicyManager().FindPolicy("Roads"), nullptr);
    EXPECT_TRUE(GetPolicyManager().FindPolicy("IncomeTax")->active);

    std::string log = t.LogText();
    EXPECT_NE(log.find("cant find Nowhere in Aimless"), std::string::npos);
    EXPECT_NE(log.find("failed to find Atlantis"), std::string::npos);
    // The unknown group and slider names are assertion lines from the policy's own file.
    EXPECT_NE(log.find("Assertion failure:filename:policy.cpp"), std::string::npos);
    bool boxNamesTarget = false;
    for (const auto& box : t.frontEnd.boxes)
        boxNamesTarget = boxNamesTarget || box.text.find("cant find Nowhere in Aimless") == 0;
    EXPECT_TRUE(boxNamesTarget);
}

} // namespace
