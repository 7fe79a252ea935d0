#include "base/game_paths.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_actions.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/slider_config.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Costs: introduce 5, cancel 3, raise 2, lower 1.
const char kRows[] = "#,Schools,Schools,rate,d,,5,3,2,1,PUBLICSERVICES,0,0,,4,0,0,,#Effects\n"
                     "#,Army,Army,rate,d,UNCANCELLABLE,1,1,1,1,FOREIGNPOLICY,0,0,,4,0,0,,"
                     "#Effects\n";

class CapitalTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserDir(logged.dir.Path() + "/user");
        logged.dir.Write("data/data.ini", "[setup]\npolicies=data/policies.csv\n");
        logged.dir.Write("data/simulation/sliders.csv", "#,rate,5,none,low,mid,high,max\n");
        logged.dir.Write("data/policies.csv", kRows);
        LoadSetupTable();
        GetPolicyManager().LoadPolicies();
        GetPolicyManager().LinkAllPolicies();
        schools = GetPolicyManager().FindPolicy("Schools");
        army = GetPolicyManager().FindPolicy("Army");
    }
    void TearDown() override { TearDownGame(); }
    void RestrictPowers(const char* setting) {
        logged.dir.Write("data/options.txt",
                         std::string("[options]\nENABLERESTRICTPOWER = ") + setting + "\n");
        LoadOptions();
    }
    static int32_t& Capital() { return GetPoliticalCapital().capital; }
    // Introduces for free, leaving the stock as it was.
    void Introduce(SIM_Policy* policy) {
        int32_t stock = Capital();
        policy->IntroducePolicy();
        Capital() = stock;
    }

    // A minister earning the points given, in office or not. With no resignation threshold and
    // one point per minister in the setup table a minister earns its loyalty, truncated.
    static void Minister(int points, bool inOffice) {
        auto* minister = new SIM_Minister();
        minister->loyalty = static_cast<float>(points) + 0.5f;
        if (inOffice)
            minister->currentPost = &GetPolicyManager().Group(0);
        ASSERT_EQ(minister->GetPoliticalCapital(), points);
    }

    LoggedTest logged;
    SIM_Policy* schools = nullptr;
    SIM_Policy* army = nullptr;
};

bool Mentions(const ActionResult& result, const std::string& text) {
    return result.message.find(text) != std::string::npos;
}

} // namespace

TEST_F(CapitalTest, AllowanceBanksAtMostThreeTurns) {
    PoliticalCapital& pc = GetPoliticalCapital();
    pc.RecalculateAllowance();
    EXPECT_EQ(pc.capitalPerTurn, 0) << "no ministers, no allowance";

    // Three ministers in office earning 5, 2 and 1 points, and a candidate who earns nothing.
    logged.dir.Write("data/data.ini", "[setup]\npolicies=data/policies.csv\n"
                                      "POLITICAL_CAPITAL_PER_MINISTER=1\n");
    LoadSetupTable();
    for (int points : {5, 2, 1, 9})
        Minister(points, points != 9);
    pc.capital = 20;
    pc.NewTurn();
    EXPECT_EQ(pc.capitalPerTurn, 8);
    EXPECT_EQ(pc.capital, 24);
    pc.capital = 3;
    pc.NewTurn();
    EXPECT_EQ(pc.capital, 11);

    pc.ResetForNewGame();
    EXPECT_EQ(pc.capital, 8);

    pc.capital = 2;
    pc.SpendCapital(5);
    EXPECT_EQ(pc.capital, 0);
    pc.capital = 2147483647;
    pc.SpendCapital(-5);
    EXPECT_EQ(pc.capital, 2147483647) << "saturates rather than overflowing";
}

TEST_F(CapitalTest, IntroduceAction) {
    Capital() = 4;
    ActionResult short4 = IntroducePolicyAction("Schools", 0.75f);
    EXPECT_FALSE(short4.ok);
    EXPECT_TRUE(Mentions(short4, "Schools"));
    EXPECT_TRUE(Mentions(short4, "political capital"));
    EXPECT_FALSE(schools->active);
    EXPECT_EQ(Capital(), 4);

    EXPECT_FALSE(IntroducePolicyAction("Nursery", 0.5f).ok);
    EXPECT_FALSE(IntroducePolicyAction("Schools", 1.5f).ok);

    // Introduction costs capital whatever the restricted-powers option says.
    Capital() = 7;
    ActionResult done = IntroducePolicyAction("Schools", 0.75f);
    EXPECT_TRUE(done.ok) << done.message;
    EXPECT_EQ(Capital(), 2);
    EXPECT_TRUE(schools->active);
    EXPECT_FLOAT_EQ(schools->GetTarget(), 0.75f);
    EXPECT_FLOAT_EQ(schools->SliderLink()->input, 0.75f) << "takes the position at once";
    EXPECT_FLOAT_EQ(schools->Process(), 0.75f);

    ActionResult again = IntroducePolicyAction("Schools", 0.5f);
    EXPECT_FALSE(again.ok);
    EXPECT_TRUE(Mentions(again, "already introduced"));

    // A returning policy still starts where the player put it.
    schools->CancelPolicy();
    Capital() = 5;
    EXPECT_TRUE(IntroducePolicyAction("Schools", 0.25f).ok);
    EXPECT_FLOAT_EQ(schools->GetTarget(), 0.25f);
    EXPECT_FLOAT_EQ(schools->value, 0.25f);
}

TEST_F(CapitalTest, FreeChangesWithoutRestrictedPowers) {
    RestrictPowers("0");
    Introduce(schools);
    Capital() = 0;
    EXPECT_TRUE(ChangePolicySliderAction("Schools", 0.9f).ok);
    EXPECT_FLOAT_EQ(schools->GetTarget(), 0.9f);
    EXPECT_TRUE(CancelPolicyAction("Schools").ok);
    EXPECT_FALSE(schools->active);
    EXPECT_EQ(Capital(), 0);
}

TEST_F(CapitalTest, RestrictedPowersChargeByDirection) {
    RestrictPowers("0.5"); // any value but 0 counts as on
    Introduce(schools);
    Capital() = 10;

    EXPECT_TRUE(ChangePolicySliderAction("Schools", 0.8f).ok);
    EXPECT_EQ(Capital(), 8) << "raise cost";
    EXPECT_TRUE(ChangePolicySliderAction("Schools", 0.2f).ok);
    EXPECT_EQ(Capital(), 7) << "lower cost";
    EXPECT_TRUE(ChangePolicySliderAction("Schools", 0.2f).ok);
    EXPECT_EQ(Capital(), 7) << "an unmoved slider is free";

    Capital() = 1;
    ActionResult refused = ChangePolicySliderAction("Schools", 0.6f);
    EXPECT_FALSE(refused.ok);
    EXPECT_TRUE(Mentions(refused, "Schools"));
    EXPECT_FLOAT_EQ(schools->GetTarget(), 0.2f) << "the slider stays where it was";
    EXPECT_EQ(Capital(), 1);

    EXPECT_FALSE(ChangePolicySliderAction("Schools", -0.1f).ok);
    EXPECT_FALSE(ChangePolicySliderAction("Nursery", 0.5f).ok);
    schools->CancelPolicy();
    ActionResult notIn = ChangePolicySliderAction("Schools", 0.5f);
    EXPECT_FALSE(notIn.ok);
    EXPECT_TRUE(Mentions(notIn, "not introduced"));
}

TEST_F(CapitalTest, RestrictedPowersCancelling) {
    RestrictPowers("1");
    Introduce(schools);
    Introduce(army);
    Capital() = 2;

    ActionResult shortOf = CancelPolicyAction("Schools");
    EXPECT_FALSE(shortOf.ok);
    EXPECT_TRUE(schools->active);
    EXPECT_EQ(Capital(), 2);

    ActionResult never = CancelPolicyAction("Army");
    EXPECT_FALSE(never.ok);
    EXPECT_TRUE(Mentions(never, "Army"));
    EXPECT_TRUE(army->active);

    // Cancelling with a moved slider charges the cancel cost alone.
    Capital() = 10;
    ActionResult done = ConfirmPolicyChanges("Schools", 0.9f, true);
    EXPECT_TRUE(done.ok) << done.message;
    EXPECT_FALSE(schools->active);
    EXPECT_EQ(Capital(), 7);

    EXPECT_FALSE(CancelPolicyAction("Schools").ok) << "no longer introduced";
    EXPECT_FALSE(CancelPolicyAction("Nursery").ok);
    EXPECT_EQ(Capital(), 7);
}
