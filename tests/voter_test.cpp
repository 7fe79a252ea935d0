#include "base/game_paths.h"
#include "base/mission.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "network/simulation.h"
#include "population/party.h"
#include "population/population_state.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"
#include "test_helpers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kTable[] = "data/simulation/voters.csv";

std::string Row(const std::string& name, const std::string& share = "0",
                const std::string& opposite = "", const std::string& fixed = "0") {
    return "#," + name + "," + name + ",d,," + fixed + ",0," + share + "," + opposite + ",x,#\n";
}

class VoterTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserDir(logged.dir.Path() + "/user");
        SeedRandom(11);
        player = new SIM_Party();
        opposition = new SIM_Party();
        Population().playerParty = player;
        Population().oppositionParty = opposition;
        WriteSetup("");
    }
    void TearDown() override {
        Network().lowIncome = Network().middleIncome = Network().highIncome = nullptr;
        TearDownGame();
    }

    void WriteSetup(const std::string& extra) {
        logged.dir.Write("data/data.ini", std::string("[setup]\nvoters=") + kTable +
                                              "\nAIENTITIES=200\n"
                                              "VOTER_GROUP_MEMBERSHIP_THRESHHOLD=0.3\n"
                                              "POOR_INCOME_THRESHOLD=10\n"
                                              "WEALTHY_INCOME_THRESHOLD=50\n"
                                              "WEALTHY_INCOME_MAX=100\n" +
                                              extra);
        LoadSetupTable();
    }
    SIM_VoterManager& Load(const std::string& rows) {
        logged.dir.Write(kTable, rows);
        GetVoterManager().Initialise();
        return GetVoterManager();
    }
    // A voter whose opinion is exactly `opinion` while nothing else acts on it.
    SIM_Voter* VoterWithOpinion(float opinion) {
        SIM_Voter* voter = new SIM_Voter();
        voter->value = opinion;
        return voter;
    }
    void AddModule(const char* module) { GetMission().modules.push_back(module); }

    LoggedTest logged;
    SIM_Party* player = nullptr;
    SIM_Party* opposition = nullptr;
};

TEST_F(VoterTest, ConstructionDrawsWithinRangesAndListsInOrder) {
    GetNameLists().femaleForenames = {"Ada", "Bea"};
    GetNameLists().maleForenames = {"Cal"};
    GetNameLists().surnames = {"Dee", "Eve", "Fay"};
    SIM_Voter* first = new SIM_Voter();
    SIM_Voter* second = new SIM_Voter();
    SIM_Voter* third = new SIM_Voter();
    EXPECT_EQ(AllVoters(), (std::vector<SIM_Voter*>{first, second, third}));
    for (SIM_Voter* voter : AllVoters()) {
        EXPECT_FLOAT_EQ(voter->baseOffset, 0.5f);
        EXPECT_TRUE(voter->cynicism >= 0.8f && voter->cynicism <= 1.2f) << voter->cynicism;
        EXPECT_LT(voter->forenameId, voter->gender == 0 ? 1 : 2);
        EXPECT_LT(voter->surnameId, 3);
    }
    delete second;
    EXPECT_EQ(AllVoters(), (std::vector<SIM_Voter*>{first, third}));
    SIM_Voter* fourth = new SIM_Voter();
    EXPECT_EQ(AllVoters(), (std::vector<SIM_Voter*>{first, third, fourth}));
    EXPECT_EQ(VoterCount(), 3);
}

TEST_F(VoterTest, MembershipHoldsBeyondSixtyFourGroupsAndAcrossReloads) {
    std::string rows;
    for (int i = 0; i < 70; ++i)
        rows += Row("Group" + std::to_string(i));
    SIM_VoterManager& manager = Load(rows);
    SIM_Voter* voter = new SIM_Voter();
    for (int i : {3, 63, 64, 69})
        manager.GetVoterTypeByIndex(i)->SetMembership(voter, 0.9f);
    for (int i = 0; i < 70; ++i) {
        bool member = i == 3 || i == 63 || i == 64 || i == 69;
        EXPECT_EQ(voter->IsMemberOf(manager.GetVoterTypeByIndex(i)), member) << i;
    }
    // Only member groups move the voter; plain links count as usual.
    manager.GetVoterTypeByIndex(69)->value = 0.5f;
    manager.GetVoterTypeByIndex(68)->value = 0.5f;
    Neuron other;
    other.value = -0.1f;
    new NeuralEffect(&other, voter, "0+(1.0*x)", 1.0f, 0.0f);
    for (NeuralEffect* link : voter->inputs)
        link->SetInputTarget(link->source->value);
    voter->Process();
    EXPECT_FLOAT_EQ(voter->value, 0.85f); // 0.5 + 0.5 × 0.9 from group 69 − 0.1

    // A group that goes takes its memberships with it; a new group starts with none.
    delete manager.GetVoterTypeByIndex(3);
    SIM_VoterType* newcomer = new SIM_VoterType();
    ASSERT_TRUE(newcomer->Parse(Row("Newcomer")));
    EXPECT_FALSE(voter->IsMemberOf(newcomer));
    EXPECT_EQ(voter->voterTypes.size(), 3u);
}

TEST_F(VoterTest, OpinionSubtractsCynicismPenaltyAndComplacency) {
    WriteSetup("MANIFESTO_BROKEN_PENALTY=0.1\n");
    SIM_Voter* voter = VoterWithOpinion(0.8f);
    voter->cynicism = 1.2f;
    VoterContext context;
    context.cynicismLevel = 0.25f;
    context.monthsUntilElection = 48;
    // The opinion as one pass with this context reads it.
    auto opinion = [&] {
        VoterPass pass(context);
        return voter->GetOpinion();
    };
    EXPECT_FLOAT_EQ(opinion(), 0.5f);
    EXPECT_FLOAT_EQ(voter->GetOpinion(), 0.8f) << "outside a pass the voter knows no cynicism";
    context.manifestoBroken = true;
    context.monthsUntilElection = 10;
    EXPECT_FLOAT_EQ(opinion(), 0.5f);
    context.monthsUntilElection = 9;
    EXPECT_FLOAT_EQ(opinion(), 0.4f);
    voter->complacency = 0.5f;
    EXPECT_FLOAT_EQ(opinion(), 0.0f);
    voter->value = 1.0f;
    voter->complacency = -1.0f;
    EXPECT_FLOAT_EQ(opinion(), 1.0f);
}

TEST_F(VoterTest, PartyMembersVoteTheirPartyWhateverTheirOpinion) {
    AddModule("CompulsoryVoting");
    SIM_Voter* opponent = VoterWithOpinion(0.9f);
    opponent->party = opposition;
    EXPECT_FLOAT_EQ(opponent->GetVotingOpinion(), 0.49f);
    EXPECT_FALSE(opponent->WouldVoteForPlayer());
    opponent->CastVote();
    EXPECT_EQ(opponent->lastVote, kVoteOpposition);

    SIM_Voter* loyal = VoterWithOpinion(0.1f);
    loyal->party = player;
    EXPECT_FLOAT_EQ(loyal->GetVotingOpinion(), 0.51f);
    loyal->CastVote();
    EXPECT_EQ(loyal->lastVote, kVotePlayer);

    // Exactly half: not support in the poll, but a vote for the player at the ballot.
    SIM_Voter* torn = VoterWithOpinion(0.5f);
    EXPECT_FALSE(torn->WouldVoteForPlayer());
    torn->CastVote();
    EXPECT_EQ(torn->lastVote, kVotePlayer);
}

TEST_F(VoterTest, TurnoutRules) {
    Population().votingTendencyMultiplier = 0.5f;
    Population().votingOpinionMultiplier = 0.25f;
    Population().votingPartyMultiplier = 0.2f;
    SIM_Voter* voter = VoterWithOpinion(0.8f);
    voter->votingTendency = 0.6f;
    auto turnout = [voter] {
        voter->CalculateTurnoutChance();
        return voter->turnoutChance;
    };
    // 0.6 × 0.5 + 0.25 × 0.6 + 0.2 × 0.5 (a new party's strength)
    EXPECT_NEAR(turnout(), 0.55f, 1e-6f);
    // The strength is that of the party the voter leans to.
    opposition->membershipStrength = 1.0f;
    player->membershipStrength = 0.0f;
    EXPECT_NEAR(turnout(), 0.45f, 1e-6f);
    voter->value = 0.2f;
    EXPECT_NEAR(turnout(), 0.65f, 1e-6f);
    Population().votingTendencyMultiplier = 5.0f;
    EXPECT_FLOAT_EQ(turnout(), 1.0f);
    Population().votingTendencyMultiplier = 0.5f;
    AddModule("PoliticalApathy");
    EXPECT_NEAR(turnout(), 0.325f, 1e-6f);
    voter->party = player;
    EXPECT_FLOAT_EQ(turnout(), 1.0f);
    voter->party = nullptr;

    // No reason to vote: abstains every time, unless voting is compulsory.
    Population().votingTendencyMultiplier = Population().votingOpinionMultiplier =
        Population().votingPartyMultiplier = 0.0f;
    for (bool compulsory : {false, true}) {
        if (compulsory)
            AddModule("CompulsoryVoting");
        for (int i = 0; i < 50; ++i) {
            voter->CastVote();
            EXPECT_EQ(voter->lastVote, compulsory ? kVoteOpposition : kVoteNone);
        }
    }
}

TEST_F(VoterTest, SympathyGrowsForOneSideAtATime) {
    WriteSetup("VOTER_OPPOSITION_INCREASE_SYMPATHY_BELOW=0.3\nVOTER_OPPOSITON_SYMPATHY_GAIN=0.05\n"
               "VOTER_PLAYER_DECREASE_SYMPATHY_BELOW=0.3\nVOTER_PLAYER_SYMPATHY_DECAY=0.01\n"
               "VOTER_OPPOSITION_JOIN_THRESHHOLD=0.9\nVOTER_PLAYER_JOIN_THRESHHOLD=0.9\n");
    // The gain is per month of the step.
    SIM_Voter* fresh = VoterWithOpinion(0.2f);
    fresh->UpdateSympathies(10);
    EXPECT_FLOAT_EQ(fresh->oppositionSympathy, 0.5f);

    SIM_Voter* wavering = VoterWithOpinion(0.2f);
    wavering->playerSympathy = 0.02f;
    wavering->UpdateSympathies(1);
    EXPECT_FLOAT_EQ(wavering->oppositionSympathy, 0.0f);
    EXPECT_NEAR(wavering->playerSympathy, 0.01f, 1e-6f);
    wavering->UpdateSympathies(1);
    EXPECT_FLOAT_EQ(wavering->oppositionSympathy, 0.0f); // player sympathy only just reached 0
    EXPECT_FLOAT_EQ(wavering->playerSympathy, 0.0f);
    wavering->UpdateSympathies(1);
    EXPECT_FLOAT_EQ(wavering->oppositionSympathy, 0.05f);

    AddModule("PoliticalApathy");
    SIM_Voter* apathetic = VoterWithOpinion(0.2f);
    apathetic->UpdateSympathies(10);
    EXPECT_FLOAT_EQ(apathetic->oppositionSympathy, 0.25f);
    fresh->UpdateSympathies(100);
    EXPECT_FLOAT_EQ(fresh->oppositionSympathy, 1.0f);
    EXPECT_EQ(opposition->members, std::vector<SIM_Voter*>{fresh});
    EXPECT_TRUE(player->members.empty());
}

TEST_F(VoterTest, PartyMembershipFollowsSympathy) {
    WriteSetup("VOTER_OPPOSITION_JOIN_THRESHHOLD=0.05\nVOTER_PLAYER_JOIN_THRESHHOLD=0.05\n"
               "VOTER_OPPOSITION_LEAVE_THRESHHOLD=0.3\nVOTER_PLAYER_LEAVE_THRESHHOLD=0.3\n"
               "VOTER_PLAYER_INCREASE_SYMPATHY_ABOVE=0.6\nVOTER_PLAYER_SYMPATHY_GAIN=0.1\n");
    // Low thresholds would let a voter pass both join tests; it joins one party only.
    SIM_Voter* both = VoterWithOpinion(0.5f);
    both->oppositionSympathy = 0.08f;
    both->playerSympathy = 0.08f;
    both->UpdateSympathies(1);
    EXPECT_EQ(both->party, opposition);
    EXPECT_EQ(opposition->members, std::vector<SIM_Voter*>{both});
    EXPECT_TRUE(player->members.empty());
    // Below the leave threshold it leaves again the next step.
    both->UpdateSympathies(1);
    EXPECT_EQ(both->party, nullptr);
    EXPECT_TRUE(opposition->members.empty());

    SIM_Voter* fan = VoterWithOpinion(0.9f);
    fan->UpdateSympathies(1);
    EXPECT_EQ(fan->party, player);
    fan->UpdateSympathies(5);
    EXPECT_EQ(fan->party, player);

    Population().oppositionParty = nullptr; // no parties yet: nobody joins
    Population().playerParty = nullptr;
    SIM_Voter* early = VoterWithOpinion(0.9f);
    early->UpdateSympathies(1);
    EXPECT_EQ(early->party, nullptr);
}

TEST_F(VoterTest, IncomeClassesAndTheirBumpStrengths) {
    SIM_VoterManager& manager = Load(Row("Poor") + Row("MiddleIncome") + Row("Wealthy"));
    SIM_VoterType* poor = manager.GetPoor();
    SIM_VoterType* middle = manager.GetMiddleIncome();
    SIM_VoterType* wealthy = manager.GetWealthy();
    ASSERT_TRUE(poor && middle && wealthy);
    SIM_Voter* voter = new SIM_Voter();
    manager.OfferAllVoterTypes(voter);

    voter->income = 10.0f; // exactly the poor threshold: middle income
    voter->UpdateIncomeClass();
    EXPECT_EQ(voter->voterTypes, std::vector<SIM_VoterType*>{middle});
    EXPECT_EQ(middle->members, std::vector<SIM_Voter*>{voter});
    EXPECT_NEAR(voter->GetStrength(poor), 0.258819f, 1e-5f);
    EXPECT_NEAR(voter->GetStrength(middle), std::sin(3.14159265f * 2.0f / 52.0f), 1e-5f);
    EXPECT_FLOAT_EQ(voter->GetStrength(wealthy), 0.0f);

    voter->income = 0.0f;
    voter->UpdateIncomeClass();
    EXPECT_EQ(voter->voterTypes, std::vector<SIM_VoterType*>{poor});
    EXPECT_TRUE(middle->members.empty());
    EXPECT_FLOAT_EQ(voter->GetStrength(poor), 1.0f);

    // The modifier is the one of the class the voter is in before the step.
    Neuron low, middleRate, high;
    low.value = 0.0f;
    middleRate.value = 0.5f;
    high.value = -0.5f;
    Network().lowIncome = &low;
    Network().middleIncome = &middleRate;
    Network().highIncome = &high;
    voter->income = 40.0f;
    voter->UpdateIncomeClass(); // poor before: 40 stays 40, middle
    EXPECT_EQ(voter->voterTypes, std::vector<SIM_VoterType*>{middle});
    voter->UpdateIncomeClass(); // middle before: 40 × 1.5 = 60, wealthy
    EXPECT_EQ(voter->voterTypes, std::vector<SIM_VoterType*>{wealthy});
    voter->UpdateIncomeClass(); // wealthy before: 40 × 0.5 = 20, middle
    EXPECT_EQ(voter->voterTypes, std::vector<SIM_VoterType*>{middle});
    EXPECT_FLOAT_EQ(voter->income, 40.0f);
    EXPECT_EQ(poor->members.size() + middle->members.size() + wealthy->members.size(), 1u);
}

TEST_F(VoterTest, GroupDriftJoinsLeavesAndRespectsOpposites) {
    SIM_VoterManager& manager = Load(Row("Drifting") + Row("Fixed", "0", "", "1") +
                                     Row("Left", "0", "Right") + Row("Right", "0", "Left"));
    SIM_VoterType* drifting = manager.FindVoterType("Drifting");
    SIM_VoterType* left = manager.FindVoterType("Left");
    SIM_VoterType* right = manager.FindVoterType("Right");
    SIM_Voter* voter = new SIM_Voter();
    drifting->SetMembership(voter, 0.25f);
    manager.FindVoterType("Fixed")->SetMembership(voter, 0.25f);
    left->SetMembership(voter, 0.5f);
    right->SetMembership(voter, 0.25f);
    for (SIM_VoterType* vt : manager.VoterTypes())
        vt->frequencyNode.value = 0.125f;

    // Pushed over the threshold 0.3 it joins; a fixed group ignores the push.
    voter->UpdateTurn();
    EXPECT_TRUE(voter->IsMemberOf(drifting));
    EXPECT_EQ(drifting->members, std::vector<SIM_Voter*>{voter});
    EXPECT_FALSE(voter->IsMemberOf(manager.FindVoterType("Fixed")));
    // Right held no more strongly than its opposite Left (0.625 each) is refused.
    EXPECT_FALSE(voter->IsMemberOf(right));
    right->frequencyNode.value = 0.375f;
    voter->UpdateTurn();
    EXPECT_TRUE(voter->IsMemberOf(left));
    EXPECT_FALSE(voter->IsMemberOf(right));
    right->frequencyNode.value = 0.5f;
    voter->UpdateTurn();
    EXPECT_FALSE(voter->IsMemberOf(left));
    EXPECT_TRUE(voter->IsMemberOf(right));
    EXPECT_TRUE(left->members.empty());

    drifting->frequencyNode.value = 0.0f;
    voter->UpdateTurn();
    EXPECT_FALSE(voter->IsMemberOf(drifting));
    EXPECT_TRUE(drifting->members.empty());
}

TEST_F(VoterTest, ComplacencyGrowsInGoodTimesUpToItsCap) {
    WriteSetup("COMPLACENCY_ACCUMULATOR=0.1\nCOMPLACENCY_MAX=0.04\n");
    Neuron winning;
    winning.value = 0.6f;
    Network().winningNeuron = &winning;
    SIM_Voter* content = VoterWithOpinion(0.9f);
    content->UpdateTurn();
    EXPECT_FLOAT_EQ(content->complacency, 0.04f);
    SIM_Voter* unhappy = VoterWithOpinion(0.5f);
    unhappy->UpdateTurn();
    EXPECT_FLOAT_EQ(unhappy->complacency, 0.0f);
    Network().winningNeuron = nullptr;
}

TEST_F(VoterTest, PopulationIsCreatedAndCountedByThePolls) {
    WriteSetup("VOTER_PLAYER_INCREASE_SYMPATHY_ABOVE=0.6\nVOTER_PLAYER_SYMPATHY_GAIN=0.1\n");
    SIM_VoterManager& manager = Load(Row("_All_", "1") + Row("Poor", "0.3", "Wealthy") +
                                     Row("MiddleIncome", "0.4") + Row("Wealthy", "0.2", "Poor"));
    ProcessAllNeurons();
    manager.CreateVotingPopulation();
    ASSERT_EQ(VoterCount(), 200);
    for (SIM_Voter* voter : AllVoters()) {
        EXPECT_EQ(voter->inputs.size(), 4u);
        EXPECT_TRUE(voter->IsMemberOf(manager.FindVoterType("_All_")));
        EXPECT_GE(voter->income, 0.0f);
        EXPECT_LE(voter->income, 100.0f);
    }
    EXPECT_EQ(manager.GetPoor()->members.size() + manager.GetMiddleIncome()->members.size() +
                  manager.GetWealthy()->members.size(),
              200u);

    // The "_All_" group alone moves opinion: at +0.25 every voter supports the government.
    manager.FindVoterType("_All_")->value = 0.25f;
    for (SIM_Voter* voter : AllVoters())
        voter->value = 0.75f;
    EXPECT_FLOAT_EQ(GetVoteShare(VoterContext()), 1.0f);
    manager.UpdateVoters(VoterContext());
    manager.UpdateVoterTypes();
    EXPECT_FLOAT_EQ(AllVoters()[3]->playerSympathy, 0.1f);
    EXPECT_FLOAT_EQ(manager.FindVoterType("_All_")->percentNode.value, 1.0f);
    manager.InitialiseSympathies(VoterContext());
    EXPECT_FLOAT_EQ(AllVoters()[3]->playerSympathy, 1.0f);
}

TEST_F(VoterTest, NoVoterCountMeansNoPopulation) {
    logged.dir.Write("data/data.ini", std::string("[setup]\nvoters=") + kTable + "\n");
    LoadSetupTable();
    SIM_VoterManager& manager = Load(Row("Group", "0.5"));
    manager.CreateVotingPopulation();
    EXPECT_EQ(VoterCount(), 0);
    manager.UpdateVoterTypes();
    EXPECT_FLOAT_EQ(manager.FindVoterType("Group")->percentNode.value, 0.0f);
    EXPECT_FLOAT_EQ(GetVoteShare(VoterContext()), 0.5f);
}

} // namespace
