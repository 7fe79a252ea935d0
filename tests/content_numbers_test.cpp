// Numbers in content that a careless or hostile modder might write: each one that is not a number
// the game can use is refused with one message naming the file, the line and the value, the
// default is used, and the game plays on with figures that stay numbers.

#include "base/content_numbers.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "game/turn_pipeline.h"
#include "government/finances.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "network/sim_value.h"
#include "network/simulation.h"
#include "population/voter.h"
#include "test_helpers.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace {

const char kValues[] = "header\n"
                       "#,GDP,GDP,Output,ECONOMY,0.5,0,1,0,hint,-\n"
                       "#,_HighIncome,High,High,HIDDEN,0.5,0,1,0,hint,-\n"
                       "#,_MiddleIncome,Middle,Middle,HIDDEN,0.5,0,1,0,hint,-\n"
                       "#,_LowIncome,Low,Low,HIDDEN,0.5,0,1,0,hint,-\n";
const char kTax[] = "#,IncomeTax,Income Tax,rate,Taxes,-,0,0,0,0,TAX,0,0,-,1,0,400,-,#Effects\n";
const char kMission[] = "[config]\nname=Testland\nwealth=1\npopulation=1000\ndebt=1000\n"
                        "debtceiling=5000\ncurrency=$\ntermlength=4\n[settings]\nIncomeTax=0.5\n";

class ContentNumbersTest : public ::testing::Test {
protected:
    void SetUp() override {
        Setup("100");
        t.dir.Write("data/simulation/simulation.csv", kValues);
        t.dir.Write("data/simulation/policies.csv", std::string("header\n") + kTax);
        t.dir.Write("data/simulation/sliders.csv", "#,rate,5,none,low,mid,high,max\n");
        t.dir.Write("data/missions/Test.txt", kMission);
        t.dir.Write("data/simulation/names.txt",
                    "[maleforenames]\nAdam\n[femaleforenames]\nBea\n[surnames]\nCole\n");
        t.dir.Write("data/options.txt", "[options]\nDIFFICULTY = 0.50\nAUTOSAVE = 0.00\n");
        SetUserDir(t.dir.Path() + "/user");
        LoadOptions();
    }
    void TearDown() override { TearDownGame(); }

    void Setup(const std::string& voters) {
        t.dir.Write("data/data.ini", "[setup]\npolicies=data/simulation/policies.csv\n"
                                     "simulation=data/simulation/simulation.csv\n"
                                     "AIENTITIES=" +
                                         voters + "\n");
    }
    // The one box shown since the last look, which must name all of the texts.
    void ExpectOneBoxNaming(std::initializer_list<std::string> texts) {
        ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
        for (const std::string& text : texts)
            EXPECT_NE(t.frontEnd.boxes[0].text.find(text), std::string::npos)
                << "\"" << text << "\" is not in: " << t.frontEnd.boxes[0].text;
        t.frontEnd.boxes.clear();
    }
    // A few turns, after which the figures the issue saw turn into NaN are still numbers.
    void PlayAndCheckFigures() {
        NewGameSetup("Test");
        for (int i = 0; i < 3; ++i)
            ProcessNewTurn();
        EXPECT_TRUE(std::isfinite(GetFinances().MonthlyIncome));
        EXPECT_TRUE(std::isfinite(GetPotentialVoteRate()));
        for (SIM_SimVal* value : GetSimulation().Values())
            EXPECT_TRUE(std::isfinite(value->value)) << value->name;
    }

    LoggedTest t;
};

// A voter count the game cannot hold (an overflow at three billion, the memory at a hundred
// million), none at all, or not a number: each is refused with its line and value, and a count
// the game can hold is used.
TEST_F(ContentNumbersTest, TheVoterCountIsBounded) {
    const std::pair<const char*, float> cases[] = {
        {"3e9", kMaxVoterCount}, {"1e8", kMaxVoterCount}, {"-5", 1.0f}, {"0", 1.0f}};
    for (const auto& [written, used] : cases) {
        Setup(written);
        LoadSetupTable();
        ExpectOneBoxNaming({"\"data/data.ini\", line 4,", written, "AIENTITIES"});
        EXPECT_EQ(SetupFloat("AIENTITIES"), used) << written;
    }
    Setup("nan");
    LoadSetupTable();
    ExpectOneBoxNaming({"\"data/data.ini\", line 4,", "\"nan\""});
    // Not a number is taken as none, and none as the fewest the game simulates.
    Setup("3e9");
    LoadSetupTable();
    t.frontEnd.boxes.clear();
    GetSetupTable().SetFloat("AIENTITIES", 20.0f);
    PlayAndCheckFigures();
    EXPECT_EQ(VoterCount(), 20);
    EXPECT_TRUE(t.frontEnd.boxes.empty()) << t.frontEnd.boxes.front().text;
}

// Not-a-number and infinite figures in a policy's row and in a mod's simulation value are
// refused where they are read, naming the file and the line, and read as 0.
TEST_F(ContentNumbersTest, NonNumbersInRowsAreRefusedWithFileAndLine) {
    LoadSetupTable();
    t.dir.Write("data/simulation/policies.csv",
                std::string("header\n") + kTax +
                    "#,Roads,Roads,rate,Roads,-,5,2,3,1,TRANSPORT,nan,inf,-,4,0,0,-,#Effects\n");
    std::filesystem::create_directories(t.dir.Path() + "/user/mods/data/simulation/simulation");
    t.dir.Write("user/mods/data/simulation/simulation/Smog.txt",
                "#,Smog,Smog,Smog,ECONOMY,inf,0,1,0,hint,-\n");
    PlayAndCheckFigures();
    SIM_Policy* roads = GetPolicyManager().FindPolicy("Roads");
    ASSERT_NE(roads, nullptr);
    EXPECT_EQ(roads->CostAtMin, 0.0f);
    EXPECT_EQ(roads->CostAtMax, 0.0f);
    int policyBoxes = 0, modBoxes = 0;
    for (const auto& box : t.frontEnd.boxes) {
        policyBoxes += box.text.find("\"data/simulation/policies.csv\", line 3,") == 0;
        modBoxes +=
            box.text.find("Smog.txt\", line 1, holds the value \"inf\"") != std::string::npos;
    }
    EXPECT_EQ(policyBoxes, 2) << "one for nan, one for inf";
    EXPECT_EQ(modBoxes, 1);
}

// A policy table that is not there is said to be missing, and the game plays on without it.
TEST_F(ContentNumbersTest, AMissingPolicyTableIsReported) {
    LoadSetupTable();
    std::filesystem::remove(t.dir.Path() + "/data/simulation/policies.csv");
    PlayAndCheckFigures();
    EXPECT_TRUE(GetPolicyManager().AllPolicies().empty());
    int reported = 0;
    for (const auto& box : t.frontEnd.boxes)
        reported += box.text.find("The policy table \"data/simulation/policies.csv\" cannot be "
                                  "read") == 0;
    EXPECT_EQ(reported, 1);
}

} // namespace
