#include "base/game_paths.h"
#include "base/mission.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "game/turn_pipeline.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/grudge.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"
#include "test_helpers.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kTable[] = "data/simulation/voters.csv";
const char kModFolder[] = "user/mods/data/simulation/votertypes/";

// A data row: name, shown name, fixed flag, mood, start share, opposite, then the cells after the
// fixed ones (normally the '#' marker and correlations).
std::string Row(const std::string& name, const std::string& share = "0.5",
                const std::string& tail = "#", const std::string& opposite = "",
                const std::string& fixed = "0") {
    return "#," + name + "," + name + "_GUI,desc," + name + ".png," + fixed + ",0.1," + share +
           "," + opposite + ",extra," + tail + "\n";
}

class VoterTypeTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserDir(logged.dir.Path() + "/user");
        WriteSetup("");
        SeedRandom(7);
    }
    void TearDown() override { TearDownGame(); }

    void WriteSetup(const std::string& extra) {
        logged.dir.Write("data/data.ini", std::string("[setup]\nvoters=") + kTable +
                                              "\nAIENTITIES=1000\n"
                                              "VOTER_GROUP_MEMBERSHIP_THRESHHOLD=0.3\n" +
                                              extra);
        LoadSetupTable();
    }
    SIM_VoterManager& Load(const std::string& rows) {
        logged.dir.Write(kTable, "Heading line, ignored\n" + rows);
        GetVoterManager().Initialise();
        return GetVoterManager();
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (SIM_VoterType* vt : GetVoterManager().VoterTypes())
            names.push_back(vt->name);
        return names;
    }
    size_t Boxes(const std::string& text) const {
        return std::count_if(logged.frontEnd.boxes.begin(), logged.frontEnd.boxes.end(),
                             [&](const RecordingFrontEnd::Box& b) {
                                 return b.text.find(text) != std::string::npos;
                             });
    }
    // Voters made by hand, every one offered every loaded group.
    void MakeVoters(int count) {
        for (int i = 0; i < count; ++i)
            GetVoterManager().OfferAllVoterTypes(new SIM_Voter());
    }

    LoggedTest logged;
};

TEST_F(VoterTypeTest, ParseFillsRecordNodesAndCorrelations) {
    SIM_VoterManager& manager =
        Load(Row("Parents", "0.25", "#,\"Wealthy,0.5\",NoComma,\"Poor,-0.25\",\"Wealthy,0.9\"", "",
                 "2") +
             Row("Wealthy") + Row("Poor") + Row("MiddleIncome"));
    SIM_VoterType* parents = manager.FindVoterType("Parents");
    ASSERT_NE(parents, nullptr);
    EXPECT_STREQ(parents->guiName, "Parents_GUI");
    EXPECT_EQ(parents->description + "|" + parents->picture + "|" + parents->extraText,
              "desc|Parents.png|extra");
    EXPECT_TRUE(parents->fixedMembership);
    EXPECT_FLOAT_EQ(parents->baseOffset, 0.1f);
    EXPECT_FLOAT_EQ(parents->percentNode.baseOffset, 0.25f);
    EXPECT_EQ(FindNeuron("Parents_perc"), &parents->percentNode);
    EXPECT_EQ(FindNeuron("Parents_freq"), &parents->frequencyNode);

    // The cell without a comma is skipped; a repeated name keeps its first value.
    ASSERT_EQ(parents->correlations.size(), 3u);
    EXPECT_FLOAT_EQ(parents->GetCorrelation(manager.FindVoterType("Wealthy")), 0.5f);
    EXPECT_FLOAT_EQ(parents->GetCorrelation(manager.FindVoterType("Poor")), -0.25f);
    EXPECT_FLOAT_EQ(parents->GetCorrelation(parents), 0.0f);
    EXPECT_FLOAT_EQ(parents->GetCorrelation(manager.FindVoterType("MiddleIncome")), 0.0f);
    EXPECT_EQ(manager.GetPoor(), manager.FindVoterType("Poor"));
    EXPECT_EQ(logged.frontEnd.boxes.size(), 0u);
}

TEST_F(VoterTypeTest, CorruptRowsAreReportedAndOverlongCellsRejected) {
    std::string longName(64, 'n');
    std::string longCell = "\"" + std::string(28, 'c') + ",0.5\""; // 32 characters inside
    Load(Row("NoMarker", "0.5", "X,\"Wealthy,0.5\"") + Row(longName) +
         Row("LongCorrelation", "0.5", "#," + longCell) + Row("Wealthy"));
    // Without its marker the row is still used and the rest is read as correlations.
    EXPECT_EQ(Names(), (std::vector<std::string>{"NoMarker", "Wealthy"}));
    SIM_VoterType* noMarker = GetVoterManager().FindVoterType("NoMarker");
    ASSERT_EQ(noMarker->correlations.size(), 1u);
    EXPECT_EQ(noMarker->correlations[0].first, "Wealthy");
    EXPECT_EQ(Boxes("VoterType data corrupted"), 3u);
    EXPECT_EQ(FindNeuron("LongCorrelation_perc"), nullptr);
}

TEST_F(VoterTypeTest, OppositesAndIncomeClassesResolveByName) {
    SIM_VoterManager& manager =
        Load(Row("Poor", "0.2", "#", "Wealthy") + Row("Wealthy", "0.2", "#", "Poor") +
             Row("Lonely", "0.2", "#", "Nobody"));
    EXPECT_EQ(manager.FindVoterType("Poor")->opposite, manager.FindVoterType("Wealthy"));
    EXPECT_EQ(manager.FindVoterType("Lonely")->opposite, nullptr);
    EXPECT_EQ(Boxes("Failed to find opposite (Nobody)"), 1u);
    // "MiddleIncome" is missing: an assertion line, and no class for it.
    EXPECT_EQ(manager.GetMiddleIncome(), nullptr);
    EXPECT_NE(logged.LogText().find("Cacheing Wealth pointers"), std::string::npos);
}

TEST_F(VoterTypeTest, ModdedTypesComeFirstAndAtMostThree) {
    logged.dir.Write(std::string(kModFolder) + "a.txt", Row("ModA"));
    logged.dir.Write(std::string(kModFolder) + "b.txt", "#short\n");
    logged.dir.Write(std::string(kModFolder) + "c.txt", Row(std::string(70, 'x')));
    logged.dir.Write(std::string(kModFolder) + "d.txt", Row("ModD"));
    logged.dir.Write(std::string(kModFolder) + "e.txt", Row("ModE"));
    logged.dir.Write(std::string(kModFolder) + "f.txt", Row("ModF"));
    std::filesystem::create_symlink(logged.dir.Path() + "/missing",
                                    logged.dir.Path() + "/" + kModFolder + "bb.txt");
    Load(Row("ModD") + Row("Standard"));
    // A short line and a rejected row do not count towards the three; the duplicate name stays.
    EXPECT_EQ(Names(), (std::vector<std::string>{"ModA", "ModD", "ModE", "ModD", "Standard"}));
    EXPECT_EQ(GetVoterManager().FindVoterType("ModD"), GetVoterManager().GetVoterTypeByIndex(1));
    EXPECT_EQ(Boxes("Failed to load in modded voter type"), 1u);
    EXPECT_EQ(GetVoterManager().GetVoterTypeByIndex(5), nullptr);
    EXPECT_EQ(GetVoterManager().GetVoterTypeByIndex(-1), nullptr);
}

TEST_F(VoterTypeTest, MembershipKeepsOneLinkUsesAStrictThresholdAndListsStayConsistent) {
    SIM_VoterType* group = Load(Row("Group")).FindVoterType("Group");
    SIM_Voter* voter = new SIM_Voter();
    group->SetMembership(voter, 0.3f);
    EXPECT_FALSE(voter->IsMemberOf(group));
    EXPECT_TRUE(group->members.empty());
    group->SetMembership(voter, 0.31f);
    EXPECT_TRUE(voter->IsMemberOf(group));
    EXPECT_EQ(group->members, std::vector<SIM_Voter*>{voter});
    group->SetMembership(voter, 0.1f);
    EXPECT_FALSE(voter->IsMemberOf(group));
    EXPECT_TRUE(group->members.empty());
    ASSERT_EQ(voter->inputs.size(), 1u);
    EXPECT_FLOAT_EQ(voter->GetStrength(group), 0.1f);

    // Member lists stay consistent across removals.
    std::vector<SIM_Voter*> voters;
    for (int i = 0; i < 6; ++i)
        voters.push_back(new SIM_Voter());
    for (SIM_Voter* voter : voters)
        group->AddMember(voter);
    group->AddMember(voters[2]); // listed twice: removal drops both entries
    group->RemoveMember(voters[2]);
    group->RemoveMember(voters[0]);
    group->RemoveMember(voters[5]);
    group->RemoveMember(voters[0]); // not a member any more: nothing happens
    std::vector<SIM_Voter*> left = group->members;
    std::sort(left.begin(), left.end());
    std::vector<SIM_Voter*> expected = {voters[1], voters[3], voters[4]};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
    for (SIM_Voter* voter : expected)
        group->RemoveMember(voter);
    EXPECT_TRUE(group->members.empty());
}

TEST_F(VoterTypeTest, InitialMembersFollowShareAllAndCorrelations) {
    SIM_VoterManager& manager =
        Load(Row("_All_", "1") + Row("Quarter", "0.25", "#,\"Follower,5\"") +
             Row("Tiny", "0.0005") + Row("Follower", "0.25"));
    manager.SetVoterTotal(1000);
    MakeVoters(1000);
    ProcessAllNeurons();
    for (SIM_VoterType* vt : manager.VoterTypes())
        vt->AssignInitialMembers();

    SIM_VoterType* all = manager.FindVoterType("_All_");
    SIM_VoterType* quarter = manager.FindVoterType("Quarter");
    EXPECT_EQ(all->members.size(), 1000u);
    EXPECT_FLOAT_EQ(AllVoters()[17]->GetStrength(all), 1.0f);
    EXPECT_EQ(quarter->members.size(), 250u);
    EXPECT_EQ(manager.FindVoterType("Tiny")->members.size(), 0u);
    // Quarter's strong correlation with Follower ranks every Quarter member ahead of the rest.
    SIM_VoterType* follower = manager.FindVoterType("Follower");
    for (SIM_Voter* voter : follower->members)
        EXPECT_TRUE(voter->IsMemberOf(quarter));
    EXPECT_FLOAT_EQ(AllVoters()[0]->GetAffinity(follower),
                    AllVoters()[0]->IsMemberOf(quarter) ? 5.0f : 0.0f);
}

// The rule as written: every voter scored in list order, ranked, then walked from the top.
void AssignByTheRule(SIM_VoterType* group, float threshold) {
    int target = static_cast<int>(group->percentNode.value *
                                  static_cast<float>(GetVoterManager().GetVoterTotal()));
    std::vector<std::pair<SIM_Voter*, float>> scored;
    for (SIM_Voter* voter : AllVoters())
        scored.emplace_back(voter, voter->GetAffinity(group) + RandomFloat(0.0f, 1.0f));
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    for (size_t i = 1; i < scored.size(); ++i)
        ASSERT_NE(scored[i - 1].second, scored[i].second) << "choose a seed without ties";
    for (const auto& entry : scored) {
        group->SetMembership(entry.first, RandomFloat(threshold, 1.0f));
        if (static_cast<int>(group->members.size()) >= target)
            break;
    }
}

TEST_F(VoterTypeTest, InitialMembersMatchTheRuleDrawForDraw) {
    SIM_VoterManager& manager = Load(Row("Lead", "0.4", "#,\"Follow,0.6\",\"Other,-0.3\"") +
                                     Row("Follow", "0.35") + Row("Other", "0.5"));
    manager.SetVoterTotal(60);
    ProcessAllNeurons();
    auto snapshot = [&]() {
        std::vector<float> strengths;
        for (SIM_Voter* voter : AllVoters())
            for (SIM_VoterType* vt : manager.VoterTypes())
                strengths.push_back(voter->IsMemberOf(vt) ? voter->GetStrength(vt) : -1.0f);
        return strengths;
    };

    SeedRandom(2024);
    MakeVoters(60);
    for (SIM_VoterType* vt : manager.VoterTypes())
        AssignByTheRule(vt, 0.3f);
    std::vector<float> expected = snapshot();

    manager.DeleteAllVoters();
    SeedRandom(2024);
    MakeVoters(60);
    for (SIM_VoterType* vt : manager.VoterTypes())
        vt->AssignInitialMembers();
    EXPECT_EQ(snapshot(), expected);
    EXPECT_EQ(manager.FindVoterType("Follow")->members.size(), 21u);
}

TEST_F(VoterTypeTest, TrendCountsFromTheSecondUpdate) {
    SIM_VoterType* group = Load(Row("Group", "0.5")).FindVoterType("Group");
    GetVoterManager().SetVoterTotal(10);
    MakeVoters(4);
    // Before each update the voters at these places join (strength 0.9) or leave (0); then the
    // trend and the change in members expected.
    const struct {
        std::vector<int> join, leave;
        int trend, change;
    } steps[] = {{{0, 1}, {}, 0, 0}, {{2}, {}, 2, 1}, {{}, {}, 1, 0}, {{}, {0, 1}, 0, -2}};
    for (const auto& step : steps) {
        for (int i : step.join)
            group->SetMembership(AllVoters()[i], 0.9f);
        for (int i : step.leave)
            group->SetMembership(AllVoters()[i], 0.0f);
        group->UpdateTurn();
        EXPECT_EQ(group->membershipTrend, step.trend);
        EXPECT_EQ(group->memberChange, step.change);
    }
    EXPECT_FLOAT_EQ(group->percentNode.value, 0.1f);
    EXPECT_FLOAT_EQ(group->percentNode.history[0], 0.1f);
    EXPECT_FLOAT_EQ(group->GetMemberShare(), 0.1f);
    GetVoterManager().SetVoterTotal(0);
    EXPECT_FLOAT_EQ(group->GetMemberShare(), 0.0f);
}

TEST_F(VoterTypeTest, HurtfulPolicyRaisesOneGrudgeAndRenewsIt) {
    SIM_VoterType* group = Load(Row("Group")).FindVoterType("Group");
    auto policy = [](const char* policyName, float output) {
        Neuron* p = new Neuron();
        p->typeCode = NeuronType::Policy;
        p->SetName(policyName);
        NeuralEffect* link = new NeuralEffect(p, FindNeuron("Group"), "0+(1.0*x)", 1.0f, 0.0f);
        link->SetInputTarget(output);
        return p;
    };
    policy("HarshTax", -0.75f);
    policy("EdgeTax", -0.7f);
    Neuron* plain = policy("NotAPolicy", -0.9f);
    plain->typeCode = NeuronType::SimVal;
    Neuron* dormant = policy("Dormant", -0.9f);
    dormant->active = false;

    group->UpdateTurn();
    ASSERT_EQ(AllGrudges().size(), 1u);
    SIM_Grudge* grudge = AllGrudges()[0];
    EXPECT_STREQ(grudge->name, "HarshTax");
    EXPECT_EQ(grudge->holderName, "Group");
    EXPECT_FLOAT_EQ(grudge->value, -0.1f);
    EXPECT_FLOAT_EQ(grudge->decay, 0.9f);
    EXPECT_EQ(group->FindInputSourceGrudge("HarshTax"), grudge);

    grudge->value = -0.05f;
    group->UpdateTurn();
    EXPECT_EQ(AllGrudges().size(), 1u);
    EXPECT_FLOAT_EQ(grudge->value, -0.1f);
}

TEST_F(VoterTypeTest, VoteSharesCountOnlyVotesCast) {
    SIM_VoterType* group = Load(Row("Group")).FindVoterType("Group");
    auto shares = [group] {
        group->UpdateVoteShares();
        return std::make_pair(group->playerShareOfVotes, group->turnoutShare);
    };
    // No members, then members who did not vote: nothing to divide by.
    EXPECT_EQ(shares(), std::make_pair(0.0f, 0.0f));
    MakeVoters(4);
    for (SIM_Voter* voter : AllVoters())
        group->SetMembership(voter, 1.0f);
    EXPECT_EQ(shares(), std::make_pair(0.0f, 0.0f));
    AllVoters()[0]->lastVote = kVotePlayer;
    AllVoters()[1]->lastVote = kVotePlayer;
    AllVoters()[2]->lastVote = kVoteOpposition;
    EXPECT_EQ(shares(), std::make_pair(2.0f / 3.0f, 0.75f));
}

TEST_F(VoterTypeTest, GroupsReloadedUnderLivingVotersLeaveThemClean) {
    SIM_VoterManager& manager = Load(Row("Poor", "0.5", "#", "Wealthy") + Row("Wealthy"));
    MakeVoters(3);
    SIM_VoterType* wealthy = manager.FindVoterType("Wealthy");
    wealthy->SetMembership(AllVoters()[1], 0.8f);
    delete wealthy;
    EXPECT_TRUE(AllVoters()[1]->voterTypes.empty());
    EXPECT_EQ(AllVoters()[1]->inputs.size(), 1u);
    EXPECT_EQ(manager.FindVoterType("Poor")->opposite, nullptr);
    EXPECT_EQ(manager.GetWealthy(), nullptr);
}

TEST_F(VoterTypeTest, StartSettingsAndApprovalAndRandomPick) {
    SIM_VoterManager& manager = Load(Row("_All_", "1") + Row("Group", "0.5"));
    SIM_VoterType* group = manager.FindVoterType("Group");
    ApplyStartSetting("Group", 0.75f);
    EXPECT_FLOAT_EQ(group->percentNode.baseOffset, 0.75f);
    group->SetStartShare(1.5f); // logged as an assertion, used as it is
    EXPECT_FLOAT_EQ(group->percentNode.baseOffset, 1.5f);
    EXPECT_NE(logged.LogText().find("voter_type.cpp"), std::string::npos);

    group->value = -0.5f;
    EXPECT_FLOAT_EQ(group->GetApproval(), 0.25f);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(manager.GetRandomVoterType(), group);
    delete group;
    EXPECT_EQ(manager.GetRandomVoterType(), nullptr);
}

} // namespace
