#include "base/mission.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/report_manager.h"
#include "network/global_economy.h"
#include "network/network_state.h"
#include "network/neuron.h"
#include "population/party.h"
#include "population/population_state.h"
#include "population/pressure_group.h"
#include "population/voter.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const char kStrings[] =
    "[strings]\n"
    "REPORT_ECONOMY_TITLE=Economy\n"
    "REPORT_BUDGET_TITLE=Budget\n"
    "REPORT_POLLS_TITLE=Polls\n"
    "REPORT_ELECTION_TITLE=Election\n"
    "REPORT_INTEL_TITLE=Intelligence\n"
    "INTEL_REPORT_NOTHING_HAPPENING=All quiet\n"
    "REPORT_ELECTION_PLAYER_BIGGERPARTY=We lead\n"
    "REPORT_ELECTION_OPP_BIGGERPARTY=They lead\n"
    "REPORT_ELECTION_PARTYS_SIMILAR=Neck and neck\n"
    "PG_MID=Unrest grows\n"
    "[report_global_economy]\n0=Slump\n1=Flat\n2=Boom\n"
    "[report_election_time]\n"
    "0=Early: <PARTYNAME> has <PARTYSIZE>\n1=Late: <PARTYNAME> has <PARTYSIZE>\n"
    "[REPORT_SUMMARY_DEFICIT]\n0=Short by <DEFICIT>\n"
    "[REPORT_SUMMARY_SURPLUS]\n0=Ahead by <SURPLUS>, <SURPLUS>\n"
    "[REPORT_SUMMARY_LOWAPPROVAL]\n0=Low <PERCENT>\n"
    "[REPORT_SUMMARY_AVERAGEAPPROVAL]\n0=Average <PERCENT>\n"
    "[REPORT_SUMMARY_HIGHAPPROVAL]\n0=High <PERCENT>\n";

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.dir.Write("data/strings.ini", kStrings);
        ResetTranslations();
        GetMission().currency = "$";
    }
    void TearDown() override {
        GetFinances().MonthlyExpenses = 0.0f;
        GetFinances().MonthlyIncome = 0.0f;
        TearDownGame();
        ResetTranslations();
    }

    // The body of the one report the call made.
    template <typename Make> std::string Body(Make make) {
        SIM_ReportManager& manager = GetReportManager();
        manager.Release();
        (manager.*make)();
        EXPECT_EQ(manager.Reports().size(), 1u);
        return manager.Reports().empty() ? std::string() : manager.Reports().back().body;
    }
    SIM_PressureGroup* Group(float strength, float growth) {
        SIM_PressureGroup* group = new SIM_PressureGroup();
        group->strength = strength;
        group->growth = growth;
        group->texts[0] = "low";
        group->texts[1] = "PG_MID";
        group->texts[2] = "high";
        return group;
    }

    LoggedTest t;
};

TEST_F(ReportTest, PollsEconomyAndBudgetFollowTheirThresholds) {
    const auto polls = &SIM_ReportManager::MakePollsReport;
    const std::pair<float, const char*> approvals[] = {
        {0.449f, "Low 45%"}, {0.45f, "Average 45%"}, {0.7f, "Average 70%"}, {0.71f, "High 71%"}};
    for (const auto& [approval, text] : approvals) {
        GetPollTracker().PotentialVoteRate = approval;
        EXPECT_EQ(Body(polls), text) << approval;
    }

    CGlobalEconomy* economy = new CGlobalEconomy();
    Network().globalEconomy = economy;
    const std::pair<float, const char*> cycles[] = {
        {-1.0f, "Slump"}, {0.0f, "Flat"}, {1.0f, "Boom"}};
    for (const auto& [value, text] : cycles) {
        economy->value = value;
        EXPECT_EQ(Body(&SIM_ReportManager::MakeEconomyReport), text) << value;
    }

    const auto budget = &SIM_ReportManager::MakeBudgetReport;
    GetFinances().MonthlyExpenses = 120.0f;
    GetFinances().MonthlyIncome = 100.0f;
    EXPECT_EQ(Body(budget), "Short by $ 20.00 Mn");
    GetFinances().MonthlyIncome = 120.0f;
    EXPECT_EQ(Body(budget), "Ahead by $ 0.00 Mn, $ 0.00 Mn") << "balanced is a surplus of 0";
}

TEST_F(ReportTest, ElectionReportWeighsPartiesAndTheTerm) {
    GetMission().populationPerVoter = 12345.5f;
    Population().playerParty = new SIM_Party();
    Population().playerParty->partyName = "Reds";
    Population().oppositionParty = new SIM_Party();
    SIM_ElectionManager& election = GetElectionManager();
    election.SetTermMonths(48);
    GetCalendar() = {0, 2000};
    election.ScheduleNextElection();

    const auto make = &SIM_ReportManager::MakeElectionReport;
    Population().playerParty->members.assign(120, nullptr);
    Population().oppositionParty->members.assign(110, nullptr);
    EXPECT_EQ(Body(make), "Early: Reds has 1,481,460 Neck and neck");
    Population().playerParty->members.assign(121, nullptr);
    GetCalendar() = {0, 2003}; // a year to go: three quarters of the term gone
    EXPECT_EQ(Body(make), "Late: Reds has 1,493,805 We lead");
    Population().oppositionParty->members.assign(132, nullptr);
    EXPECT_EQ(Body(make), "Late: Reds has 1,493,805 They lead");
}

TEST_F(ReportTest, IntelligenceReportsTheStrongestGroupByLevel) {
    const auto make = &SIM_ReportManager::MakeIntelligenceReport;
    EXPECT_EQ(Body(make), "All quiet");
    SIM_PressureGroup* group = Group(5.0f, 0.5f);
    EXPECT_EQ(Body(make), "All quiet");
    group->strength = 5.1f;
    group->growth = 0.06f;
    EXPECT_EQ(Body(make), "low");
    group->growth = 0.5f;
    group->strength = 19.9f;
    EXPECT_EQ(Body(make), "Unrest grows");
    group->strength = 20.0f;
    EXPECT_EQ(Body(make), "high");

    // The first of equally strong groups is the one reported.
    Group(20.0f, 0.5f)->texts[2] = "rival";
    EXPECT_EQ(Body(make), "high");
}

TEST_F(ReportTest, TurnStepRebuildsAllFiveInOrder) {
    SIM_ReportManager& manager = GetReportManager();
    manager.AddReport("stale", "stale");
    manager.MakeReports();
    manager.MakeReports();
    ASSERT_EQ(manager.Reports().size(), 5u);
    const char* titles[] = {"Economy", "Budget", "Polls", "Election", "Intelligence"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(manager.Reports()[i].title, titles[i]);
}

} // namespace
