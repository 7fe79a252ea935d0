#include "base/mission.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/attack_launch.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/attack.h"
#include "population/pressure_group.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kVoterTable[] = "data/simulation/voters.csv";

std::string VoterRow(const std::string& name) {
    return "#," + name + "," + name + ",d,,0,0,0.1,,x,#\n";
}

// active below, leave above, join below, militancy, growth, then requirement cells.
std::string GroupRow(const std::string& name, const std::string& numbers,
                     const std::string& requirements) {
    return "#," + name + "," + name + "_GUI," + numbers + ",LOW,MID,HIGH," + requirements + "\n";
}

std::string AttackFile(const std::string& name, const std::string& group,
                       const std::string& extra) {
    return "[config]\nName=" + name + "\nGUIName=" + name + "_GUI\nUsedBy=" + group + "\n" + extra;
}

class PressureGroupTest : public ::testing::Test {
protected:
    void SetUp() override {
        SeedRandom(7);
        t.dir.Write("data/data.ini", std::string("[setup]\nvoters=") + kVoterTable +
                                         "\nPRESSUREGROUP_JOIN_THROTTLE=0.5\n"
                                         "PRESSUREGROUP_DIVISOR=1000\n");
        t.dir.Write("data/strings.ini", "[strings]\nPRESSUREGROUP_MEMBERSHIP_MINIMAL=A handful\n");
        ResetTranslations();
        LoadSetupTable();
        t.dir.Write(kVoterTable, VoterRow("Workers") + VoterRow("Students"));
        GetVoterManager().Initialise();
        workers = GetVoterManager().FindVoterType("Workers");
        students = GetVoterManager().FindVoterType("Students");
    }
    void TearDown() override {
        TearDownGame();
        ResetTranslations();
    }

    void LoadGroups(const std::string& rows) {
        t.dir.Write("data/simulation/PressureGroups.csv", rows);
        LoadPressureGroups();
    }
    SIM_Voter* MakeVoter(float opinion, float militancy, float workerTie) {
        SIM_Voter* voter = new SIM_Voter();
        voter->value = opinion;
        voter->militancy = militancy;
        workers->SetMembership(voter, workerTie);
        return voter;
    }
    void AddMembers(SIM_PressureGroup* group, int count) {
        for (int i = 0; i < count; ++i)
            JoinPressureGroup(MakeVoter(0.1f, 1.0f, 1.0f), group);
    }

    LoggedTest t;
    SIM_VoterType* workers = nullptr;
    SIM_VoterType* students = nullptr;
};

TEST_F(PressureGroupTest, LoadKeepsThreeRequirementsAndReportsBadNames) {
    Neuron* outsider = new Neuron();
    outsider->SetName("Outsider");
    LoadGroups(GroupRow("Strikers", "0.4,0.6,0.3,0.5,0.25",
                        "\"Workers,1.0\",xx,\"Nobody,2\",\"Outsider,0.5\",\"Students,0.25\","
                        "\"Workers,9\"") +
               GroupRow("Loners", "1.0,0.6,0.3,0.5,0.25", "\"Nobody,1\""));
    ASSERT_EQ(AllPressureGroups().size(), 2u);
    SIM_PressureGroup* strikers = AllPressureGroups()[0];
    // The short cell and the missing name are skipped; a fourth found node is ignored.
    EXPECT_EQ(strikers->requirementTypes[0], workers);
    EXPECT_EQ(strikers->requirementTypes[1], outsider);
    EXPECT_EQ(strikers->requirementTypes[2], students);
    EXPECT_FLOAT_EQ(strikers->requirementWeights[2], 0.25f);
    EXPECT_EQ(strikers->primaryType, workers);
    std::string log = t.LogText();
    EXPECT_NE(log.find("neuron not found in pressure group load: Nobody"), std::string::npos);
    EXPECT_NE(log.find("invalid cast for Outsider in Strikers reqbuffer Outsider,0.5 whole line"),
              std::string::npos);

    // A group without any requirement is never active, however lax its threshold.
    SIM_PressureGroup* loners = AllPressureGroups()[1];
    EXPECT_EQ(loners->primaryType, nullptr);
    loners->UpdateTurn();
    EXPECT_FALSE(loners->active);

    EXPECT_EQ(FindPressureGroup("Loners"), loners);
    EXPECT_EQ(FindPressureGroup("loners"), nullptr);
    EXPECT_NE(t.LogText().find("Failed to find group: loners"), std::string::npos);
}

TEST_F(PressureGroupTest, VotersJoinAndLeaveOnTheBoundaries) {
    LoadGroups(GroupRow("Strikers", "1.0,0.6,0.3,0.5,0.5", "\"Workers,1.0\""));
    SIM_PressureGroup* group = AllPressureGroups()[0];
    workers->value = 0.0f; // approval 0.5, below 1.0
    group->UpdateTurn();
    ASSERT_TRUE(group->active);

    SIM_Voter* atJoinLine = MakeVoter(0.3f, 0.9f, 0.8f);
    SIM_Voter* justMilitant = MakeVoter(0.2f, 0.5f, 0.8f);
    SIM_Voter* atThrottle = MakeVoter(0.2f, 0.9f, 0.5f);
    SIM_Voter* meek = MakeVoter(0.2f, 0.4f, 0.8f);
    SIM_Voter* restless = MakeVoter(0.2f, 0.9f, 0.8f);
    for (SIM_Voter* voter : AllVoters())
        voter->UpdatePressureGroups();
    EXPECT_EQ(group->members, (std::vector<SIM_Voter*>{justMilitant, restless}));
    EXPECT_EQ(justMilitant->pressureGroups, (std::vector<SIM_PressureGroup*>{group}));
    for (SIM_Voter* outsider : {atJoinLine, atThrottle, meek})
        EXPECT_TRUE(outsider->pressureGroups.empty());

    // Opinion exactly at the leaving line keeps a member; above it, or a tie that falls to the
    // throttle, does not. Each departure costs a strength point, below zero if need be.
    restless->value = 0.6f;
    justMilitant->FindVoterTypeLink(workers)->scale = 0.5f;
    justMilitant->UpdatePressureGroups();
    restless->UpdatePressureGroups();
    EXPECT_EQ(group->members, (std::vector<SIM_Voter*>{restless}));
    EXPECT_FLOAT_EQ(group->strength, -1.0f);
    restless->value = 0.61f;
    restless->UpdatePressureGroups();
    EXPECT_TRUE(group->members.empty());
    EXPECT_FLOAT_EQ(group->strength, -2.0f);

    // An inactive group takes no one in but keeps the members it has.
    SIM_Voter* stays = MakeVoter(0.2f, 0.9f, 0.8f);
    stays->UpdatePressureGroups();
    workers->value = 1.0f;
    group->UpdateTurn();
    EXPECT_FALSE(group->active);
    SIM_Voter* latecomer = MakeVoter(0.2f, 0.9f, 0.8f);
    latecomer->UpdatePressureGroups();
    stays->UpdatePressureGroups();
    EXPECT_EQ(group->members, (std::vector<SIM_Voter*>{stays}));

    // A member who ceases to exist is forgotten, at no cost to the group's strength.
    SIM_Voter* doomed = MakeVoter(0.2f, 0.9f, 0.8f);
    workers->value = 0.0f;
    group->UpdateTurn();
    doomed->UpdatePressureGroups();
    ASSERT_EQ(group->MemberCount(), 2);
    const float strength = group->strength;
    delete doomed;
    EXPECT_EQ(group->members, (std::vector<SIM_Voter*>{stays}));
    EXPECT_FLOAT_EQ(group->strength, strength);

    // Releasing the groups leaves no voter pointing at one.
    ReleasePressureGroups();
    EXPECT_TRUE(stays->pressureGroups.empty());
}

TEST_F(PressureGroupTest, StrengthGrowsToItsCapAndReportsThreatAndSize) {
    GetMission().populationPerVoter = 1500.0f;
    LoadGroups(GroupRow("Strikers", "0.9,0.6,0.3,0.5,0.5", "\"Workers,1.0\""));
    SIM_PressureGroup* group = AllPressureGroups()[0];
    EXPECT_EQ(group->MembershipText(), "A handful");
    AddMembers(group, 10);
    group->UpdateTurn();
    EXPECT_FLOAT_EQ(group->strength, 5.0f);
    EXPECT_EQ(group->trend, kPressureTrendMore);
    for (int i = 0; i < 8; ++i)
        group->UpdateTurn();
    EXPECT_FLOAT_EQ(group->strength, 40.0f);
    EXPECT_EQ(group->trend, kPressureTrendSame);
    EXPECT_FLOAT_EQ(group->GetThreat(), 40.0f / 60.0f * 0.5f);

    LeavePressureGroup(group->members.front(), group);
    EXPECT_FLOAT_EQ(group->strength, 39.0f);
    group->UpdateTurn();
    EXPECT_FLOAT_EQ(group->strength, 36.0f); // 39 + 4.5, held to four per member
    EXPECT_EQ(group->trend, kPressureTrendFewer);
    // 9 members of 1500 people each, per thousand.
    EXPECT_EQ(group->MembershipText(), "13");

    CapPressureGroupStrengths(10.0f);
    EXPECT_FLOAT_EQ(group->strength, 10.0f);
}

class AttackTest : public PressureGroupTest {
protected:
    void SetUp() override {
        PressureGroupTest::SetUp();
        LoadGroups(GroupRow("Strikers", "1.0,0.6,0.3,0.5,0", "\"Workers,1.0\"") +
                   GroupRow("Students", "1.0,0.6,0.3,0.5,0", "\"Students,1.0\""));
        GetTurnState().turnNumber = 20;
    }
    void LoadWith(const std::vector<std::pair<std::string, std::string>>& files) {
        for (const auto& [file, text] : files)
            t.dir.Write("data/simulation/attacks/" + file, text);
        LoadAttacks();
    }
};

TEST_F(AttackTest, EligibilityAndOneAttemptPerTurn) {
    LoadWith({{"a.txt", AttackFile("March", "Strikers", "Cost=3\nMinStrength=10\nMinSize=5\n")},
              {"b.txt", AttackFile("Sitin", "Students", "Cost=2\n")},
              {"c.txt", AttackFile("Haunting", "Ghosts", "")}});
    SIM_PressureGroup* strikers = AllPressureGroups()[0];
    SIM_PressureGroup* scholars = AllPressureGroups()[1];
    SIM_AttackEvent* march = FindAttack("March");
    ASSERT_NE(march, nullptr);
    EXPECT_NE(t.LogText().find("unknown pressure group 'Ghosts'"), std::string::npos);
    EXPECT_FALSE(FindAttack("Haunting")->CanAttack());
    EXPECT_EQ(FindAttack("Riot"), nullptr);
    EXPECT_NE(t.LogText().find("Failed to find attack event"), std::string::npos);

    AddMembers(strikers, 5);
    strikers->strength = 10.0f;
    march->lastTrigger = 10;
    GetTurnState().turnNumber = 13;
    EXPECT_FALSE(march->CanAttack());
    GetTurnState().turnNumber = 14;
    EXPECT_TRUE(march->CanAttack());
    strikers->strength = 9.99f;
    EXPECT_FALSE(march->CanAttack());
    LeavePressureGroup(strikers->members.back(), strikers);
    strikers->strength = 10.0f;
    EXPECT_FALSE(march->CanAttack());

    // Both groups queue and pay; only one attack is attempted.
    AddMembers(strikers, 1);
    AddMembers(scholars, 5);
    strikers->strength = 15.0f;
    scholars->strength = 15.0f;
    UpdateAllPressureGroups();
    LaunchQueuedAttack();
    EXPECT_FLOAT_EQ(strikers->strength, 12.0f);
    EXPECT_FLOAT_EQ(scholars->strength, 13.0f);
    EXPECT_TRUE(QueuedAttacks().empty());
    EXPECT_NE(march->lastTrigger == 14, FindAttack("Sitin")->lastTrigger == 14);
}

TEST_F(AttackTest, ChanceAndSecurityDecideAndScriptsRun) {
    LoadWith(
        {{"a.txt", AttackFile("Never", "Strikers", "SuccessChance=0\nOnFailure=Whistle()\n")},
         {"b.txt", AttackFile("Always", "Strikers",
                              "SuccessChance=1\nSuccessText=Boo!\n"
                              "OnSuccess=CreateEffect(Workers, Students, \"0+(1.0*x)\", 0)\n")},
         {"c.txt", AttackFile("Loud", "Strikers", "SuccessChance=1\nSuccessText=Crowds\n")}});
    for (int i = 0; i < 50; ++i)
        EXPECT_FALSE(LaunchAttack(*FindAttack("Never")));
    EXPECT_NE(t.LogText().find("Unknown scripted function"), std::string::npos)
        << "the failure script runs";

    // Without security a certain attack gets through; a four-letter text is not shown.
    size_t linksBefore = students->inputs.size();
    EXPECT_TRUE(LaunchAttack(*FindAttack("Always")));
    EXPECT_EQ(students->inputs.size(), linksBefore + 1);
    EXPECT_EQ(LastAttackOutcome()->shownText, "");
    EXPECT_TRUE(LaunchAttack(*FindAttack("Loud")));
    EXPECT_EQ(LastAttackOutcome()->shownText, "Crowds");

    // Perfect security still lets about one in ten through.
    Network().securityNeuron = new Neuron();
    Network().securityNeuron->value = 1.0f;
    int succeeded = 0;
    for (int i = 0; i < 4000; ++i)
        succeeded += LaunchAttack(*FindAttack("Loud")) ? 1 : 0;
    EXPECT_GT(succeeded, 320);
    EXPECT_LT(succeeded, 480);
}

} // namespace
