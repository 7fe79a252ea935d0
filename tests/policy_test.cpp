#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/policy_preview.h"
#include "government/political_capital.h"
#include "government/slider_config.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "network/player_neuron.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Uncancellable, product income multiplier, a placeholder cost list, two effects (one dragged).
const char kTaxRow[] = "#,IncomeTax,Income Tax,rate,Taxes on wages,UNCANCELLABLE;MULTIPLYINCOME,"
                       "5,3,2,1,TAX,10,30,-,4,100,300,\"GDP,0+(1.0*x);Crime,0+(1.0*x)\","
                       "#Effects,\"GDP,0+(1.0*x)\",\"Crime,0-(0.5*x),2\"\n";
// Cancellable, a real cost list, a blank income list, no line end after its last effect.
const char kPoliceRow[] = "#,Police,Police Force,rate,More officers,,4,2,3,1,LAWANDORDER,20,60,"
                          "\"Crime,0+(1.0*x)\",2,0,0, ,#Effects,\"Crime,0-(0.4*x)\"";

class PolicyTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserDir(logged.dir.Path() + "/user");
        logged.dir.Write("data/data.ini", "[setup]\npolicies=data/simulation/policies.csv\n");
        logged.dir.Write("data/simulation/sliders.csv", "#,rate,5,none,low,mid,high,max\n");
        LoadSetupTable();
        gdp = Plain("GDP");
        crime = Plain("Crime");
    }
    void TearDown() override {
        SetPolicyAudienceSource(nullptr);
        TearDownGame();
        ResetTranslations();
    }
    static Neuron* Plain(const char* label) {
        Neuron* n = new Neuron;
        n->SetName(label);
        return n;
    }
    void Load(const std::string& rows) {
        logged.dir.Write("data/simulation/policies.csv", "name,etc\n" + rows);
        GetPolicyManager().LoadPolicies();
        GetPolicyManager().LinkAllPolicies();
    }
    SIM_Policy* Find(const char* policyName) { return GetPolicyManager().FindPolicy(policyName); }
    size_t Boxes() const { return logged.frontEnd.boxes.size(); }
    bool BoxStartsWith(const std::string& text) const {
        for (const auto& box : logged.frontEnd.boxes)
            if (box.text.rfind(text, 0) == 0)
                return true;
        return false;
    }

    LoggedTest logged;
    Neuron* gdp = nullptr;
    Neuron* crime = nullptr;
};

// A minister of the given experience, perfectly suited to every post.
SIM_Minister* MinisterOfExperience(float experience) {
    auto* minister = new SIM_Minister();
    minister->experience = experience;
    for (float& fit : minister->suitability)
        fit = 1.0f;
    return minister;
}

} // namespace

TEST_F(PolicyTest, RowColumnsFlagsAndInfluences) {
    logged.dir.Write("data/bitmaps/policies/icons_IncomeTax.dds", "x");
    logged.dir.Write("user/mods/data/bitmaps/icons_Police.dds", "x");
    Load(std::string(kTaxRow) + "#x\n" + kPoliceRow);

    ASSERT_EQ(GetPolicyManager().allPolicies.size(), 2u);
    SIM_Policy* tax = Find("IncomeTax");
    SIM_Policy* police = Find("Police");
    ASSERT_TRUE(tax && police);
    EXPECT_EQ(GetPolicyManager().allPolicies[0], tax);
    EXPECT_EQ(Boxes(), 0u);

    // Costs, curves, implementation time and the uncancellable flag are checked where they act.
    EXPECT_STREQ(tax->guiName, "Income Tax");
    ASSERT_NE(tax->sliderConfig, nullptr);
    EXPECT_EQ(tax->sliderConfig->name, "rate");
    EXPECT_EQ(police->group, FindGroup("LAWANDORDER"));
    EXPECT_FALSE(tax->active);
    EXPECT_FLOAT_EQ(tax->value, 0.5f);
    EXPECT_TRUE(tax->outputs.empty()) << "effects wait for the first introduction";

    EXPECT_EQ(tax->iconFile, "data/bitmaps/policies/icons_IncomeTax.dds");
    EXPECT_EQ(police->iconFile, logged.dir.Path() + "/user/mods/data/bitmaps/icons_Police.dds");

    // One-character lists ("-", " ") leave the multiplier at its neutral 1.
    EXPECT_TRUE(tax->costNeuron.inputs.empty());
    EXPECT_FLOAT_EQ(tax->costNeuron.Process(), 1.0f);
    EXPECT_TRUE(police->incomeNeuron.inputs.empty());
    EXPECT_FLOAT_EQ(police->incomeNeuron.Process(), 1.0f);

    // A real list drops the base: the multiplier is the influences alone, multiplied together
    // under MULTIPLYINCOME and summed otherwise.
    gdp->SetBaseOffset(0.8f);
    crime->SetBaseOffset(0.5f);
    gdp->Process();
    crime->Process();
    EXPECT_EQ(tax->incomeNeuron.combineMode, kCombineProduct);
    EXPECT_FLOAT_EQ(tax->incomeNeuron.Process(), 0.4f);
    EXPECT_EQ(police->costNeuron.combineMode, kCombineSum);
    EXPECT_FLOAT_EQ(police->costNeuron.Process(), 0.5f);

    // The slider follows the player over the implementation time.
    ASSERT_NE(tax->SliderLink(), nullptr);
    EXPECT_EQ(tax->SliderLink()->source, tax->playerNeuron);
    EXPECT_EQ(tax->SliderLink()->inertia, 4);
    EXPECT_EQ(police->SliderLink()->inertia, 2);
}

TEST_F(PolicyTest, ModRowsFollowTheStandardOnes) {
    logged.dir.Write("user/mods/data/simulation/policies/a.txt",
                     std::string(kPoliceRow) + "\nsecond line is never read\n");
    logged.dir.Write("user/mods/data/simulation/policies/b.txt", "#x\n");
    logged.dir.Write("user/mods/data/simulation/policies/c.txt",
                     "comment\n" + std::string(kTaxRow));
    Load(kTaxRow);

    const auto& all = GetPolicyManager().allPolicies;
    ASSERT_EQ(all.size(), 2u);
    EXPECT_STREQ(all[0]->name, "IncomeTax");
    EXPECT_STREQ(all[1]->name, "Police");

    // A mod row with a standard name adds a second policy; lookups find the first.
    logged.dir.Write("user/mods/data/simulation/policies/d.txt", kTaxRow);
    GetPolicyManager().Release();
    GetPolicyManager().LoadPolicies();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_STREQ(all[2]->name, "IncomeTax");
    EXPECT_EQ(Find("IncomeTax"), all[0]);
}

TEST_F(PolicyTest, CorruptRowsAreReportedAndLoadingGoesOn) {
    const std::string noMarker = "#,Broken,Broken,rate,d,,1,1,1,1,TAX,0,0,,1,0,0,,Effects,"
                                 "\"GDP,0+(1.0*x)\"\n";
    const std::string badTarget = "#,Lost,Lost,rate,d,,1,1,1,1,TAX,0,0,,1,0,0,,#Effects,"
                                  "\"Nowhere,0+(1.0*x)\",\"GDP,0+(1.0*x)\"\n";
    Load(noMarker + badTarget +
         "#,Odd,Odd,nosuchslider,d,,1,1,1,1,NOSUCHGROUP,0,0,,1,0,0,,"
         "#Effects\n");
    ASSERT_EQ(GetPolicyManager().allPolicies.size(), 3u);
    EXPECT_TRUE(BoxStartsWith("Policy data corrupted"));
    EXPECT_TRUE(BoxStartsWith("cant find Nowhere in Lost"));
    EXPECT_EQ(Boxes(), 2u);
    EXPECT_NE(logged.LogText().find("Assertion failure"), std::string::npos);

    // The corrupt row is reported again when introduced, and gets no links.
    SIM_Policy* broken = Find("Broken");
    broken->IntroducePolicy();
    EXPECT_EQ(Boxes(), 3u);
    EXPECT_TRUE(broken->outputs.empty());
    EXPECT_TRUE(broken->active);

    // The missing target is skipped; the rest of the row still links.
    SIM_Policy* lost = Find("Lost");
    lost->IntroducePolicy();
    ASSERT_EQ(lost->outputs.size(), 1u);
    EXPECT_EQ(lost->outputs[0]->target, gdp);

    // A policy of no known group or slider still loads and can be processed.
    SIM_Policy* odd = Find("Odd");
    EXPECT_EQ(odd->group, nullptr);
    EXPECT_EQ(odd->sliderConfig, nullptr);
    EXPECT_FLOAT_EQ(odd->MinisterFactor(), 0.5f);
}

TEST_F(PolicyTest, ImplementationPaceFollowsTheMinister) {
    Load(kTaxRow);
    SIM_Policy* tax = Find("IncomeTax");

    tax->AdvanceImplementation();
    EXPECT_FLOAT_EQ(tax->implementation, 0.0f) << "only introduced policies advance";

    // No minister: half pace, so 4 nominal turns take 8.
    tax->IntroducePolicy();
    for (int turn = 1; turn <= 7; ++turn)
        GetPolicyManager().AdvanceAllImplementations();
    EXPECT_FLOAT_EQ(tax->implementation, 0.875f);
    EXPECT_FALSE(tax->IsActive());
    GetPolicyManager().AdvanceAllImplementations();
    EXPECT_EQ(tax->implementation, 1.0f);
    EXPECT_TRUE(tax->IsActive());

    tax->SetImplementation(0.999f);
    EXPECT_FALSE(tax->IsActive());

    // A perfect minister implements at the nominal pace and sets the money multipliers.
    SIM_Minister* minister = MinisterOfExperience(1.0f);
    tax->group->minister = minister;
    tax->SetImplementation(0.0f);
    for (int turn = 1; turn <= 4; ++turn)
        tax->AdvanceImplementation();
    EXPECT_EQ(tax->implementation, 1.0f);
    tax->Process();
    EXPECT_FLOAT_EQ(tax->IncomeMultiplier, 1.0f);
    EXPECT_FLOAT_EQ(tax->CostMultiplier, 1.0f);

    // Experience 0.5 and suitability 1: M = 0.75.
    minister->experience = 0.5f;
    EXPECT_FLOAT_EQ(tax->MinisterFactor(), 0.75f);
    tax->Process();
    EXPECT_FLOAT_EQ(tax->IncomeMultiplier, 0.75f);
    EXPECT_FLOAT_EQ(tax->CostMultiplier, 1.25f);

    // Empty post.
    tax->group->minister = nullptr;
    tax->Process();
    EXPECT_FLOAT_EQ(tax->IncomeMultiplier, 0.5f);
    EXPECT_FLOAT_EQ(tax->CostMultiplier, 1.5f);
}

TEST_F(PolicyTest, LinkOutputsCarryImplementationAndMinister) {
    Load(kTaxRow);
    SIM_Policy* tax = Find("IncomeTax");
    tax->IntroducePolicy();
    ASSERT_EQ(tax->outputs.size(), 2u);
    NeuralEffect* toGdp = tax->outputs[0];
    EXPECT_EQ(toGdp->target, gdp);
    EXPECT_EQ(tax->outputs[1]->inertialDrag, 2u);

    tax->SetTarget(0.8f);
    tax->SnapToTarget();
    EXPECT_FLOAT_EQ(tax->Process(), 0.8f);
    tax->SetImplementation(0.999f);
    EXPECT_FLOAT_EQ(toGdp->input, 0.8f);
    EXPECT_FLOAT_EQ(toGdp->GetOutput(), 0.8f * 0.999f * 0.5f);
    EXPECT_FLOAT_EQ(gdp->Process(), 0.8f * 0.999f * 0.5f);
    // The preview leaves the implementation out.
    EXPECT_FLOAT_EQ(toGdp->EvaluateAt(1.0f), 0.5f);

    // A cancelled policy's links stay but carry nothing.
    tax->CancelPolicy();
    EXPECT_EQ(tax->outputs.size(), 2u);
    EXPECT_FLOAT_EQ(gdp->Process(), 0.0f);
}

TEST_F(PolicyTest, APreviewBeforeIntroductionMatchesTheLinksItMakes) {
    // A policy never introduced has no effect links yet: the preview reads them from its row,
    // alongside the links other content already draws from it, and must agree with the links
    // the introduction then makes.
    Load(kPoliceRow);
    SIM_Policy* police = Find("Police");
    new NeuralEffect(police, gdp, "0+(0.5*x)", 1.0f, 0.5f);
    std::vector<PolicyEffectLine> before = PreviewPolicyEffects(*police, 0.75f);
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before[1].targetName, "Crime");
    EXPECT_EQ(before[1].target, crime);
    EXPECT_EQ(before[1].link, nullptr);
    EXPECT_EQ(before[1].now, 0.0f) << "not in force";
    EXPECT_FLOAT_EQ(before[1].atSlider, -0.3f * 0.5f) << "weighed by an empty post's 0.5";
    EXPECT_EQ(before[0].now, 0.0f) << "links from an inactive source give nothing";

    police->IntroducePolicy();
    police->SetImplementation(0.5f);
    std::vector<PolicyEffectLine> after = PreviewPolicyEffects(*police, 0.75f);
    ASSERT_EQ(after.size(), 2u) << "the row's effects are not listed twice";
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].targetName, before[i].targetName);
        EXPECT_FLOAT_EQ(after[i].atSlider, before[i].atSlider);
    }
    ASSERT_NE(after[1].link, nullptr);
    EXPECT_FLOAT_EQ(after[1].now, after[1].link->GetOutput());
    EXPECT_FLOAT_EQ(after[1].now, -0.4f * police->value * 0.5f * 0.5f);
}

// A straight line and a bend to one node are one effect in the policy's window, before and after
// the introduction, and the figures are the two links' sum.
TEST_F(PolicyTest, ALineAndABendToOneNodeAreOneEffect) {
    Load("#,Police,Police Force,rate,More officers,,4,2,3,1,LAWANDORDER,20,60,-,1,0,0, ,#Effects,"
         "\"Crime,0.05-(0.4*x)\",\"GDP,0+(0.1*x)\",\"Crime,-0.2*(x^2)\"");
    SIM_Policy* police = Find("Police");
    const float bent = (0.05f - 0.4f * 0.75f - 0.2f * 0.75f * 0.75f) * 0.5f;
    std::vector<PolicyEffectLine> before = PreviewPolicyEffects(*police, 0.75f);
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before[0].targetName, "Crime") << "at the place of the first of its links";
    EXPECT_EQ(before[0].formula, "0.05-(0.4*x) plus -0.2*(x^2)");
    EXPECT_NEAR(before[0].atSlider, bent, 1e-6f);

    police->IntroducePolicy();
    police->SetImplementation(1.0f);
    std::vector<PolicyEffectLine> after = PreviewPolicyEffects(*police, 0.75f);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_NEAR(after[0].atSlider, bent, 1e-6f);
    ASSERT_NE(after[0].link, nullptr);
    float live = 0.0f;
    for (NeuralEffect* link : police->outputs)
        if (link->target == crime)
            live += link->GetOutput();
    EXPECT_FLOAT_EQ(after[0].now, live);
}

TEST_F(PolicyTest, CancelAndReintroduce) {
    Load(kPoliceRow);
    SIM_Policy* police = Find("Police");
    SIM_PolicyGroup* lawAndOrder = FindGroup("LAWANDORDER");
    GetPoliticalCapital().capital = 10;

    police->SetTarget(0.25f);
    police->IntroducePolicy();
    EXPECT_FLOAT_EQ(police->value, 0.25f) << "a first introduction takes the slider's value";
    EXPECT_EQ(GetPoliticalCapital().capital, 6);
    EXPECT_EQ(lawAndOrder->policies, std::vector<SIM_Policy*>{police});
    EXPECT_EQ(GetPolicyManager().introducedPolicies, std::vector<SIM_Policy*>{police});

    police->IntroducePolicy();
    EXPECT_EQ(GetPoliticalCapital().capital, 6) << "introducing twice does nothing";

    police->SetTarget(0.9f);
    police->SnapToTarget();
    police->Process();
    police->SetImplementation(0.6f);
    police->CancelPolicy();
    EXPECT_FALSE(police->active);
    EXPECT_EQ(police->value + police->implementation, 0.0f);
    EXPECT_TRUE(lawAndOrder->policies.empty());
    EXPECT_TRUE(GetPolicyManager().introducedPolicies.empty());

    // Back at the middle, whatever the slider showed; the old links are reused.
    police->IntroducePolicy();
    EXPECT_FLOAT_EQ(police->value, 0.5f);
    EXPECT_FLOAT_EQ(police->GetTarget(), 0.5f);
    EXPECT_EQ(police->outputs.size(), 1u);
    EXPECT_EQ(GetPoliticalCapital().capital, 2);

    // Too little capital: the stock stops at 0.
    police->CancelPolicy();
    police->IntroducePolicy();
    EXPECT_EQ(GetPoliticalCapital().capital, 0);
    EXPECT_TRUE(police->active);
}

TEST_F(PolicyTest, GroupsAndPopularity) {
    Load(std::string(kTaxRow) + kPoliceRow);
    SIM_PolicyManager& manager = GetPolicyManager();
    float angle = 0.0f;
    for (int i = 0; i < kPolicyGroupCount; ++i) {
        SIM_PolicyGroup& group = manager.Group(i);
        EXPECT_EQ(group.index, i);
        EXPECT_EQ(group.angle, angle); // summed step by step in single precision
        EXPECT_EQ(FindGroup(kPolicyGroupKeys[i]), &group);
        angle = angle + 51.42857f;
    }
    EXPECT_EQ(FindGroup("tax"), nullptr);
    EXPECT_EQ(FindGroup(nullptr), nullptr);

    SIM_Policy* tax = Find("IncomeTax");
    SIM_PolicyGroup* taxes = FindGroup("TAX");
    tax->IntroducePolicy();
    EXPECT_FLOAT_EQ(taxes->GetPopularity(), 0.5f) << "no voter groups, no weight";

    // Voters sized 100 like the tax at 0.2, voters sized 300 dislike it at -0.2, a third group
    // has no view: (20 - 60) / 400 + 0.5.
    float liking = 0.2f;
    SetPolicyAudienceSource([&liking]() {
        std::vector<PolicyAudience> audiences(3);
        audiences[0] = {100.0f, [&liking](const SIM_Policy&, float& p) {
                            p = liking;
                            return true;
                        }};
        audiences[1] = {300.0f, [](const SIM_Policy&, float& p) {
                            p = -0.2f;
                            return true;
                        }};
        audiences[2] = {500.0f, [](const SIM_Policy&, float&) { return false; }};
        return audiences;
    });
    GetTurnState().turnNumber = 1;
    EXPECT_FLOAT_EQ(taxes->GetPopularity(), 0.4f);
    liking = 1.0f;
    EXPECT_FLOAT_EQ(taxes->GetPopularity(), 0.4f) << "kept for the rest of the turn";
    GetTurnState().turnNumber = 2;
    EXPECT_FLOAT_EQ(taxes->GetPopularity(), 0.6f);
    liking = 5.0f;
    GetTurnState().turnNumber = 3;
    EXPECT_FLOAT_EQ(taxes->GetPopularity(), 1.0f);
}

TEST_F(PolicyTest, CostAndIncomeUseTheMultiplierNeurons) {
    logged.dir.Write("data/options.txt", "[options]\nDIFFICULTY = 0.5\n");
    LoadOptions();
    GetMission().wealth = 1.0f;
    Load(std::string(kTaxRow) + kPoliceRow);
    SIM_Policy* police = Find("Police");
    SIM_Policy* tax = Find("IncomeTax");

    // Cost curve 20 … 60 at 0.5 is 40, halved by the cost neuron; never clamped.
    police->value = 0.5f;
    police->costNeuron.value = 0.5f;
    EXPECT_FLOAT_EQ(police->GetPolicyCost(), 20.0f);
    police->costNeuron.value = -1.0f;
    EXPECT_FLOAT_EQ(police->GetPolicyCost(), -40.0f);

    // Income curve 100 … 300 at 0.5 is 200; a negative multiplier earns nothing.
    tax->value = 0.5f;
    tax->incomeNeuron.value = 0.25f;
    EXPECT_FLOAT_EQ(tax->GetPolicyIncome(), 50.0f);
    tax->incomeNeuron.value = -0.5f;
    EXPECT_FLOAT_EQ(tax->GetPolicyIncome(), 0.0f);
}
