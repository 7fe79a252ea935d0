#include "base/game_paths.h"
#include "base/mission.h"
#include "base/setup_table.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/policy_manager.h"
#include "government/situation.h"
#include "government/situation_manager.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

namespace {

const char kTable[] = "data/situations.csv";
const char kModFolder[] = "user/mods/data/situations/";

// Situation "Riots" driven one to one by "Driver", costing 50 and earning 20 a turn.
const char kRiots[] = "#,Riots,Street Riots,Angry crowds,LAWANDORDER,cause,effect,report,0,50,20,"
                      "\"Driver,0+(1.0*x)\"\n";

class SituationTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserDir(logged.dir.Path() + "/user");
        logged.dir.Write("data/data.ini", std::string("[setup]\nsituations=") + kTable + "\n");
        LoadSetupTable();
        for (int i = 0; i < kPolicyGroupCount; ++i)
            GetPolicyManager().Group(i).name = kPolicyGroupKeys[i];
        GetMission().wealth = 1.0f;
        driver = Plain("Driver");
    }
    void TearDown() override { TearDownGame(); }

    static Neuron* Plain(const char* name) {
        Neuron* neuron = new Neuron;
        neuron->SetName(name);
        return neuron;
    }
    void Load(const std::string& table) {
        logged.dir.Write(kTable, table);
        GetSituationManager().LoadAll();
    }
    SIM_Situation* Find(const char* name) { return GetSituationManager().FindSituation(name); }
    // Drives the situation's input to v and lets it recompute.
    void Drive(SIM_Situation* situation, float v) {
        driver->value = v;
        driver->PushToOutputs();
        situation->Process();
    }
    static const SIM_Issue* LastIssue() {
        SIM_IssuesManager& issues = GetIssuesManager();
        return issues.Count() ? issues.At(issues.Count() - 1) : nullptr;
    }

    LoggedTest logged;
    Neuron* driver = nullptr;
};

TEST_F(SituationTest, ThresholdsSwitchItAndItsMoney) {
    Load(kRiots);
    SIM_Situation* riots = Find("Riots");
    ASSERT_NE(riots, nullptr);
    EXPECT_FALSE(riots->active);
    EXPECT_EQ(riots->policyGroup, GetPolicyManager().FindGroup("LAWANDORDER"));

    Drive(riots, 0.59f);
    EXPECT_FALSE(riots->active);

    Drive(riots, 0.6f);
    ASSERT_TRUE(riots->active);
    ASSERT_NE(LastIssue(), nullptr);
    EXPECT_EQ(LastIssue()->kind, kIssueKindSituationBegins);
    EXPECT_EQ(LastIssue()->icon, kBadSituationPicture);
    // Difficulty 0: costs at 0.8 and income at 1.2 of the figures, whatever the level. The
    // finances reach the situation through their registered source.
    Finances& finances = GetFinances();
    finances.ResetFinances();
    finances.CalculateIncomeAndExpenses();
    EXPECT_FLOAT_EQ(finances.MonthlyExpenses, 40.0f);
    EXPECT_FLOAT_EQ(finances.MonthlyIncome, 24.0f);

    Drive(riots, 0.4f);
    EXPECT_TRUE(riots->active) << "on stays on at the stop threshold";
    riots->value = std::nanf("");
    riots->CheckTrigger();
    EXPECT_TRUE(riots->active);
    Drive(riots, 0.399f);
    EXPECT_FALSE(riots->active);
    EXPECT_EQ(LastIssue()->kind, kIssueKindSituationEnds);
    finances.CalculateIncomeAndExpenses();
    EXPECT_FLOAT_EQ(finances.MonthlyExpenses, 0.0f);

    // Inputs summing past 1 are held at 1.
    Drive(riots, 1.3f);
    EXPECT_FLOAT_EQ(riots->value, 1.0f);
    EXPECT_TRUE(riots->active);
    finances.ResetFinances();
}

TEST_F(SituationTest, EffectsCountOnlyWhileOnAndMayNameLaterSituations) {
    // Boom's effect names Slump, which the file defines after it.
    Load("#,Boom,Boom,d,ECONOMY,,,,1,0,0,\"Driver,0+(1.0*x)\",#,\"Slump,0+(0.5*x)\"\n"
         "#,Slump,Slump,d,ECONOMY,,,,0,0,0,\"_default_,0.1\"\n");
    SIM_Situation* boom = Find("Boom");
    SIM_Situation* slump = Find("Slump");
    ASSERT_NE(boom, nullptr);
    ASSERT_NE(slump, nullptr);
    ASSERT_EQ(boom->outputs.size(), 1u);
    EXPECT_EQ(boom->outputs[0]->target, slump);

    Drive(boom, 0.3f);
    NeuralEffect* link = boom->outputs[0];
    float inputBefore = link->input;
    UpdateAllEffects();
    EXPECT_EQ(link->input, inputBefore) << "an inactive source's links stand still";
    EXPECT_FLOAT_EQ(slump->Process(), 0.1f) << "only the default while Boom is off";

    Drive(boom, 0.8f);
    ASSERT_TRUE(boom->active);
    EXPECT_FLOAT_EQ(slump->Process(), 0.1f + 0.4f);
}

TEST_F(SituationTest, RowsModsAndRelease) {
    logged.dir.Write(std::string(kModFolder) + "a.txt",
                     "#,Flood,Flood,d,NOWHERE,,,,0,5,0,\"Driver,0+(1.0*x)\"\nignored line\n");
    // A folder where a mod file should be cannot be read.
    logged.dir.Write(std::string(kModFolder) + "b.txt/x", "");
    // "#,ABCDE" with its line end is 8 characters: too short to be a row.
    Load(std::string("#,ABCDE\n") + kRiots);

    const auto& all = GetSituationManager().Situations();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_STREQ(all[0]->name, "Riots");
    EXPECT_STREQ(all[1]->name, "Flood");
    EXPECT_EQ(all[1]->policyGroup, nullptr) << "no group of that name";
    ASSERT_EQ(logged.frontEnd.boxes.size(), 1u);
    EXPECT_NE(logged.frontEnd.boxes[0].text.find("Failed to load in modded situation"),
              std::string::npos);

    GetSituationManager().Release();
    EXPECT_TRUE(GetSituationManager().Situations().empty());
    EXPECT_TRUE(SIM_Situation::All().empty());
    EXPECT_NE(logged.LogText().find("SituationManager::Release Start"), std::string::npos);
}

} // namespace
