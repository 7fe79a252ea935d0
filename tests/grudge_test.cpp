#include "base/game_paths.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "government/cynicism.h"
#include "government/election_manager.h"
#include "government/policy.h"
#include "government/policy_actions.h"
#include "government/policy_manager.h"
#include "government/voter_context.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "network/player_neuron.h"
#include "population/grudge.h"
#include "population/voter.h"
#include "population/voter_type.h"
#include "test_helpers.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

class GrudgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        holder = new Neuron();
        holder->SetName("Holder");
        target = new Neuron();
        target->SetName("Target");
        target->SetGuiName("Shown target");
    }
    void TearDown() override { TearDownGame(); }

    // One turn as the holder feels it: the grudge hands on its value, the link moves, the holder
    // recomputes.
    float HolderAfterTurn(SIM_Grudge* grudge) {
        grudge->Process();
        UpdateAllEffects();
        return holder->Process();
    }

    LoggedTest t;
    Neuron* holder = nullptr;
    Neuron* target = nullptr;
};

TEST_F(GrudgeTest, FadesByItsFactorAndGoesAtTheTwentySecondUpdate) {
    SIM_Grudge* g = CreateGrudge("Target", "Holder", -0.1f, 0.9f);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->target, target);
    EXPECT_STREQ(g->name, "Target");
    EXPECT_STREQ(g->guiName, "Shown target");
    // A new grudge has always been there: a dragged link sees its full value at once.
    EXPECT_EQ(std::count(std::begin(g->history), std::end(g->history), -0.1f),
              kNeuronHistoryLength);
    ASSERT_NE(g->Link(), nullptr);
    EXPECT_EQ(g->Link()->target, holder);

    EXPECT_NEAR(HolderAfterTurn(g), -0.1f, 1e-6f);
    UpdateAllGrudges();
    EXPECT_EQ(g->age, 1);
    EXPECT_NEAR(HolderAfterTurn(g), -0.09f, 1e-6f);
    for (int update = 2; update <= 21; ++update) {
        UpdateAllGrudges();
        ASSERT_TRUE(IsLiveGrudge(g)) << "gone after update " << update;
    }
    UpdateAllGrudges();
    EXPECT_FALSE(IsLiveGrudge(g));
    EXPECT_TRUE(AllGrudges().empty());
    // Its link went with it.
    EXPECT_TRUE(holder->inputs.empty());
}

TEST_F(GrudgeTest, TinyGrudgesGoAtOnceAndAFactorOfOneNeverFades) {
    SIM_Grudge* tiny = CreateGrudge("Target", "Holder", 0.005f, 1.5f);
    SIM_Grudge* tinyNegative = CreateNamedGrudge("Slight", "Holder", -0.009f, 1.0f);
    SIM_Grudge* lasting = CreateGrudge("Target", "Holder", 0.05f, 1.0f);
    SIM_Grudge* growing = CreateGrudge("Target", "Holder", -0.02f, 1.1f);
    UpdateAllGrudges();
    EXPECT_FALSE(IsLiveGrudge(tiny));
    EXPECT_FALSE(IsLiveGrudge(tinyNegative));
    for (int i = 0; i < 100; ++i)
        UpdateAllGrudges();
    EXPECT_TRUE(IsLiveGrudge(lasting));
    EXPECT_FLOAT_EQ(lasting->value, 0.05f);
    EXPECT_TRUE(IsLiveGrudge(growing));
    // Renewal restarts the fading from the new value; the age keeps counting.
    lasting->decay = 0.5f;
    lasting->SetValue(0.04f);
    UpdateAllGrudges();
    UpdateAllGrudges();
    EXPECT_TRUE(IsLiveGrudge(lasting));
    EXPECT_EQ(lasting->age, 103);
    UpdateAllGrudges();
    EXPECT_FALSE(IsLiveGrudge(lasting));
}

TEST_F(GrudgeTest, NamedGrudgeHasNoNameNorTargetAndMissingEndsMakeNothing) {
    SIM_Grudge* g = CreateNamedGrudge("A scandal", "Holder", 0.3f, 0.8f);
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(g->name, "");
    EXPECT_EQ(g->target, nullptr);
    EXPECT_STREQ(g->guiName, "A scandal");
    EXPECT_NEAR(HolderAfterTurn(g), 0.3f, 1e-6f);

    EXPECT_EQ(CreateGrudge("Target", "Nowhere", -0.1f, 0.9f), nullptr);
    EXPECT_EQ(CreateGrudge("Nothing", "Holder", -0.1f, 0.9f), nullptr);
    EXPECT_EQ(CreateNamedGrudge("Text", "Nowhere", -0.1f, 0.9f), nullptr);
    EXPECT_EQ(CreateInertialGrudge("Target", "", -0.1f, 0.9f, 3.0f), nullptr);
    EXPECT_EQ(AllGrudges().size(), 1u);
    EXPECT_EQ(holder->inputs.size(), 1u);
    EXPECT_NE(t.LogText().find("Assertion failure"), std::string::npos);
}

TEST_F(GrudgeTest, AnOlderGrudgeIsNeverTakenForItsNodeAndAGoneTargetIsForgotten) {
    // A node the processing order places behind the grudges, as it places events and dilemmas,
    // with a grudge about itself already held against it.
    auto* riot = new Neuron();
    riot->typeCode = NeuronType::Event;
    riot->SetName("Riot");
    SIM_Grudge* old = CreateGrudge("Riot", "Riot", -0.8f, 0.5f);
    ASSERT_NE(old, nullptr);
    OrderNeuronsByType();
    ASSERT_EQ(FindNeuron("Riot"), old) << "the hazard this guards against";

    SIM_Grudge* again = CreateGrudge("Riot", "Riot", -0.8f, 0.85f);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->target, riot);
    ASSERT_NE(again->Link(), nullptr);
    EXPECT_EQ(again->Link()->target, riot);
    while (IsLiveGrudge(old))
        UpdateAllGrudges();
    ASSERT_TRUE(IsLiveGrudge(again));
    EXPECT_EQ(again->target, riot);

    // The node goes during play (a minister leaving the game): the grudge outlives it, knowing
    // it no longer has a target.
    SIM_Grudge* atTarget = CreateGrudge("Target", "Holder", 0.5f, 1.0f);
    delete target;
    target = nullptr;
    EXPECT_EQ(atTarget->target, nullptr);
    EXPECT_EQ(again->target, riot);
}

TEST_F(GrudgeTest, InertialGrudgeDragsItsLink) {
    SIM_Grudge* g = CreateInertialGrudge("Target", "Holder", -0.2f, 0.9f, 2.7f);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->inertialDrag, 2);
    EXPECT_EQ(g->Link()->inertialDrag, 2u);
    // The holder feels the average of the grudge's last three values.
    g->history[1] = 0.0f;
    g->history[2] = 0.0f;
    g->history[0] = -0.3f;
    EXPECT_NEAR(HolderAfterTurn(g), -0.1f, 1e-6f);

    // Out-of-range drags are refused by the link; the grudge stays, undragged.
    SIM_Grudge* wild = CreateInertialGrudge("Target", "Holder", -0.2f, 0.9f, 40.0f);
    ASSERT_NE(wild, nullptr);
    EXPECT_EQ(wild->Link()->inertialDrag, 0u);
    SIM_Grudge* nan = CreateInertialGrudge("Target", "Holder", -0.2f, 0.9f,
                                           std::numeric_limits<float>::quiet_NaN());
    ASSERT_NE(nan, nullptr);
    EXPECT_EQ(nan->inertialDrag, 0);
}

// Cynicism around a four-year term, with taxes and one programme that is not a tax.
const char kPolicies[] = "header\n"
                         "#,IncomeTax,Income Tax,rate,d,-,0,0,0,0,TAX,0,0,-,1,0,0,-,#Effects\n"
                         "#,SalesTax,Sales Tax,rate,d,-,0,0,0,0,TAX,0,0,-,1,0,0,-,#Effects\n"
                         "#,CarbonTax,Carbon Tax,rate,d,-,0,0,0,0,TAX,0,0,-,1,0,0,-,#Effects\n"
                         "#,Schools,Schools,rate,d,-,0,0,0,0,PUBLICSERVICES,0,0,-,1,0,0,-,"
                         "#Effects\n";

class CynicismTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserDir(t.dir.Path() + "/user");
        t.dir.Write("data/data.ini", "[setup]\npolicies=data/policies.csv\n");
        t.dir.Write("data/simulation/sliders.csv", "#,rate,5,none,low,mid,high,max\n");
        t.dir.Write("data/policies.csv", kPolicies);
        LoadSetupTable();
        SetOptions("0");
        GetPolicyManager().LoadPolicies();
        GetPolicyManager().LinkAllPolicies();
        SIM_ElectionManager& elections = GetElectionManager();
        elections.SetTermMonths(48);
        elections.ScheduleNextElection();
        GetCalendar() = Calendar{0, 10};
        GetTurnState().turnNumber = 20;
        GetCynicism().ResetCynicism();
    }
    void TearDown() override { TearDownGame(); }

    void SetOptions(const char* cynicism) {
        t.dir.Write("data/options.txt",
                    std::string("[options]\nDIFFICULTY=0.5\nCYNICISM=") + cynicism + "\n");
        LoadOptions();
    }
    // The election this many calendar months ahead.
    static void ElectionIn(int months) {
        GetElectionManager().electionYear = 10 + months / 12;
        GetElectionManager().electionMonth = months % 12;
    }
    // The tax's slider stood at `before` last turn and stands at `now`.
    static void MoveSlider(const char* tax, float before, float now) {
        SIM_Policy* policy = GetPolicyManager().FindPolicy(tax);
        ASSERT_NE(policy, nullptr);
        ASSERT_NE(policy->playerNeuron, nullptr);
        policy->playerNeuron->history[1] = before;
        policy->playerNeuron->value = now;
        policy->playerNeuron->history[0] = now;
    }
    static SIM_Policy* Policy(const char* name) { return GetPolicyManager().FindPolicy(name); }
    static float Level() { return GetCynicism().GetLevel(); }

    static constexpr float kStep = 0.5f * 0.18f;
    LoggedTest t;
};

TEST_F(CynicismTest, VotersSeeTheLevelAndItFadesByTwoPerCentATurn) {
    ElectionIn(30);
    GetCynicism().level = 0.4f;
    VoterContext context = CurrentVoterContext();
    EXPECT_FLOAT_EQ(context.cynicismLevel, 0.4f);
    EXPECT_EQ(context.monthsUntilElection, 30);
    EXPECT_FALSE(context.manifestoBroken);
    GetCynicism().level = 1.0f;
    GetCynicism().UpdateCynicism();
    EXPECT_FLOAT_EQ(Level(), 0.98f);
    for (int i = 1; i < 10; ++i)
        GetCynicism().UpdateCynicism();
    EXPECT_NEAR(Level(), 0.817f, 0.001f);
}

TEST_F(CynicismTest, TaxCutsNearAnElectionCountOnceATurn) {
    ElectionIn(6);
    ASSERT_TRUE(GetCynicism().NearElection());
    ASSERT_FALSE(GetCynicism().JustAfterElection());
    MoveSlider("IncomeTax", 0.6f, 0.3f);
    MoveSlider("SalesTax", 0.8f, 0.2f);
    GetCynicism().UpdateCynicism();
    EXPECT_NEAR(Level(), kStep * 0.98f, 1e-6f);

    // A raise near an election is no trick; neither is a cut of exactly the threshold.
    GetCynicism().level = 0.0f;
    MoveSlider("IncomeTax", 0.3f, 0.9f);
    MoveSlider("SalesTax", 0.5f, 0.25f);
    GetCynicism().UpdateCynicism();
    EXPECT_EQ(Level(), 0.0f);

    // With the option at its top any cut counts.
    SetOptions("1");
    EXPECT_EQ(GetCynicism().MoveThreshold(), 0.0f);
    MoveSlider("SalesTax", 0.5f, 0.49f);
    GetCynicism().UpdateCynicism();
    EXPECT_NEAR(Level(), kStep * 0.98f, 1e-6f);
}

TEST_F(CynicismTest, TaxRisesJustAfterAnElectionCountFromTheSixthTurn) {
    ElectionIn(45); // three months into the term
    MoveSlider("CarbonTax", 0.2f, 0.6f);
    GetTurnState().turnNumber = 5;
    EXPECT_FALSE(GetCynicism().JustAfterElection());
    GetCynicism().UpdateCynicism();
    EXPECT_EQ(Level(), 0.0f);

    GetTurnState().turnNumber = 6;
    ASSERT_TRUE(GetCynicism().JustAfterElection());
    GetCynicism().UpdateCynicism();
    EXPECT_NEAR(Level(), kStep * 0.98f, 1e-6f);

    // Nine months in is no longer just after.
    GetCynicism().level = 0.0f;
    ElectionIn(39);
    GetCynicism().UpdateCynicism();
    EXPECT_EQ(Level(), 0.0f);
}

TEST_F(CynicismTest, IntroducingOrCancellingATaxAroundAnElection) {
    // Just after an election only a new tax counts; near the next only a cancelled one; other
    // programmes never.
    SIM_Cynicism& c = GetCynicism();
    ElectionIn(42); // the second turn after an election
    c.OnPolicyIntroduced(Policy("CarbonTax"));
    c.OnPolicyIntroduced(Policy("Schools"));
    c.OnPolicyCancelled(Policy("IncomeTax"));
    c.OnPolicyIntroduced(nullptr);
    EXPECT_NEAR(Level(), kStep, 1e-6f);
    ElectionIn(3);
    c.OnPolicyCancelled(Policy("IncomeTax"));
    c.OnPolicyCancelled(Policy("Schools"));
    c.OnPolicyIntroduced(Policy("IncomeTax"));
    EXPECT_NEAR(Level(), 2 * kStep, 1e-6f);
}

TEST_F(CynicismTest, ThePlayersPolicyActionsReportToCynicism) {
    // The actions the windows and the runner share: a tax brought in just after an election and
    // one scrapped just before the next each add a step; refused actions and other programmes
    // add nothing.
    ElectionIn(42);
    ASSERT_TRUE(IntroducePolicyAction("CarbonTax", 0.5f).ok);
    ASSERT_TRUE(IntroducePolicyAction("Schools", 0.5f).ok);
    EXPECT_FALSE(IntroducePolicyAction("CarbonTax", 0.5f).ok);
    EXPECT_NEAR(Level(), kStep, 1e-6f);

    ElectionIn(3);
    ASSERT_TRUE(CancelPolicyAction("CarbonTax").ok);
    ASSERT_TRUE(ConfirmPolicyChanges("Schools", 0.0f, true).ok);
    EXPECT_FALSE(CancelPolicyAction("CarbonTax").ok) << "no longer introduced";
    EXPECT_NEAR(Level(), 2 * kStep, 1e-6f);

    // Mid-term, neither direction counts.
    ElectionIn(24);
    ASSERT_TRUE(IntroducePolicyAction("IncomeTax", 0.5f).ok);
    ASSERT_TRUE(CancelPolicyAction("IncomeTax").ok);
    EXPECT_NEAR(Level(), 2 * kStep, 1e-6f);
}

TEST_F(CynicismTest, NoScheduledElectionMeansNoTricks) {
    GetElectionManager().Release();
    MoveSlider("IncomeTax", 0.9f, 0.1f);
    EXPECT_FALSE(GetCynicism().NearElection());
    EXPECT_FALSE(GetCynicism().JustAfterElection());
    GetCynicism().UpdateCynicism();
    GetCynicism().OnPolicyCancelled(Policy("IncomeTax"));
    EXPECT_EQ(Level(), 0.0f);
}

} // namespace
