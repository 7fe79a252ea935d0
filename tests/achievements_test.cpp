#include "base/mission.h"
#include "base/options.h"
#include "base/profile.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kTable[] =
    "Key,Title,Text,Picture,Extra,Conditions\n"
    "#,GROWTH,Growth,Grow the economy,growth.png,x,\"GDP,>,0.5\",\"Crime,<,0.3\"\n"
    "#,BOOM,Boom,Grow it more,boom.png,y,\"GDP,>,0.5\"\n"
    "#,ROADS,Roads,Build roads,roads.png,z,\"Roads,ACTIVE,0\", ,\n"
    "#,ODD,Odd,Bad operator,odd.png,w,\"GDP,=,0.1\"\n"
    "#,GHOST,Ghost,Missing node,ghost.png,v,\"Nobody,>,0.1\"\n";

const char kMissionPath[] = "data/missions/Test.txt";

class AchievementsTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.dir.Write("data/simulation/achievements.csv", kTable);
        t.dir.Write("data/options.txt", "[options]\nDIFFICULTY = 0.50\n");
        LoadOptions();
        GetMission().missionFile = kMissionPath;
        gdp = Named("GDP", 0.2f);
        crime = Named("Crime", 0.6f);
        roads = Named("Roads", 0.5f);
        roads->active = false;
    }
    void TearDown() override { TearDownGame(); }

    static Neuron* Named(const char* name, float value) {
        Neuron* neuron = new Neuron();
        neuron->SetName(name);
        neuron->value = value;
        return neuron;
    }

    std::vector<std::string> Awarded() {
        std::vector<std::string> keys;
        for (const Achievement& achievement : GetAchievements())
            if (achievement.achieved)
                keys.push_back(achievement.key);
        return keys;
    }

    std::string State(const std::string& key) {
        return GetProfileString(kMissionPath, key, "absent", AchievementStateFile());
    }

    LoggedTest t;
    Neuron* gdp = nullptr;
    Neuron* crime = nullptr;
    Neuron* roads = nullptr;
};

TEST_F(AchievementsTest, RowsKeepTheirTextsAndConditionsInOrder) {
    ASSERT_TRUE(LoadAchievements());
    const std::vector<Achievement>& list = GetAchievements();
    ASSERT_EQ(list.size(), 5u);
    const Achievement& growth = list[0];
    EXPECT_EQ(growth.key + "|" + growth.text3 + "|" + growth.text4 + "|" + growth.text5 + "|" +
                  growth.text6,
              "GROWTH|Growth|Grow the economy|growth.png|x");
    ASSERT_EQ(growth.conditions.size(), 2u);
    EXPECT_EQ(growth.conditions[0].nodeName, "GDP");
    EXPECT_EQ(growth.conditions[0].op, kConditionGreater);
    EXPECT_FLOAT_EQ(growth.conditions[0].threshold, 0.5f);
    EXPECT_EQ(growth.conditions[1].op, kConditionLess);
    EXPECT_FLOAT_EQ(growth.conditions[1].threshold, 0.3f);

    // Near-empty cells after the condition are skipped.
    ASSERT_EQ(list[2].conditions.size(), 1u);
    EXPECT_EQ(list[2].conditions[0].op, kConditionActive);

    // A bad operator is reported once, and the row keeps a condition that never holds.
    ASSERT_EQ(list[3].conditions.size(), 1u);
    EXPECT_EQ(list[3].conditions[0].op, kConditionUnknown);
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_NE(t.frontEnd.boxes[0].text.find("Error loading achievement data condition"),
              std::string::npos);

    // A missing table is reported and leaves no achievements.
    std::filesystem::remove(t.dir.Path() + "/data/simulation/achievements.csv");
    EXPECT_FALSE(LoadAchievements());
    EXPECT_TRUE(GetAchievements().empty());
    ASSERT_EQ(t.frontEnd.boxes.size(), 2u);
    EXPECT_NE(t.frontEnd.boxes[1].text.find("Achievements file not found"), std::string::npos);
    EXPECT_EQ(CheckAchievements(), nullptr);
}

TEST_F(AchievementsTest, ComparisonsAreStrictAndActiveReadsTheFlag) {
    AchievementCondition below{"GDP", 0.5f, kConditionLess};
    AchievementCondition above{"GDP", 0.5f, kConditionGreater};
    for (float value : {0.49f, 0.5f, 0.51f}) {
        gdp->value = value;
        EXPECT_EQ(TestAchievementCondition(below), value < 0.5f) << value;
        EXPECT_EQ(TestAchievementCondition(above), value > 0.5f) << value;
    }

    AchievementCondition active{"Roads", 0.0f, kConditionActive};
    EXPECT_FALSE(TestAchievementCondition(active));
    roads->active = true;
    EXPECT_TRUE(TestAchievementCondition(active));

    AchievementCondition ghost{"Nobody", 0.0f, kConditionGreater};
    EXPECT_FALSE(TestAchievementCondition(ghost));
    EXPECT_NE(t.LogText().find("Failed to find achievement condition"), std::string::npos);
}

TEST_F(AchievementsTest, OneAwardPerTurnInTableOrder) {
    LoadAchievements();
    std::vector<std::string>& shown = t.frontEnd.windows;
    EXPECT_EQ(CheckAchievements(), nullptr);

    gdp->value = 0.8f;
    crime->value = 0.1f;
    roads->active = true;
    const Achievement* first = CheckAchievements();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->key, "GROWTH");
    EXPECT_EQ(Awarded(), (std::vector<std::string>{"GROWTH"}));
    ASSERT_NE(CheckAchievements(), nullptr);
    ASSERT_NE(CheckAchievements(), nullptr);
    EXPECT_EQ(Awarded(), (std::vector<std::string>{"GROWTH", "BOOM", "ROADS"}));
    // The bad operator and the missing node can never be reached.
    EXPECT_EQ(CheckAchievements(), nullptr);
    EXPECT_EQ(shown, (std::vector<std::string>{"Award:GROWTH", "Award:BOOM", "Award:ROADS"}));
    EXPECT_EQ(State("BOOM"), "1") << "every award is written at once";
    EXPECT_EQ(State("ODD"), "0");

    // An achievement without conditions is awarded at once.
    t.dir.Write("data/simulation/achievements.csv", "#,FREE,Free,Nothing to do,free.png,u\n");
    LoadAchievements();
    ASSERT_EQ(GetAchievements().size(), 1u);
    EXPECT_NE(CheckAchievements(), nullptr);
}

TEST_F(AchievementsTest, StateIsKeptPerMissionAndReadBack) {
    LoadAchievements();
    FindAchievement("BOOM")->achieved = true;
    RecordElectionResult(true);
    RecordElectionResult(true);
    EXPECT_EQ(State("ConsecutiveWins").substr(0, 4), "2.00") << "the win run has decimals";
    EXPECT_EQ(State("ConsecutiveLosses"), "0");

    // Another mission has its own section.
    GetMission().missionFile = "data/missions/Other.txt";
    ReadAchievementState();
    EXPECT_TRUE(Awarded().empty());
    EXPECT_EQ(ConsecutiveWins(), 0);

    GetMission().missionFile = kMissionPath;
    ReadAchievementState();
    EXPECT_EQ(Awarded(), (std::vector<std::string>{"BOOM"}));
    EXPECT_EQ(ConsecutiveWins(), 2);
}

TEST_F(AchievementsTest, AMissingStateFileReadsAsNothingAchieved) {
    LoadAchievements();
    FindAchievement("GROWTH")->achieved = true;
    SetConsecutiveRuns(5, 0);
    ReadAchievementState();
    EXPECT_TRUE(Awarded().empty());
    EXPECT_EQ(ConsecutiveLosses(), 0);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.5f) << "the difficulty follows the runs just read";

    // A short mission path writes nothing.
    GetMission().missionFile = "x";
    RecordElectionResult(false);
    EXPECT_EQ(ConsecutiveLosses(), 1);
    EXPECT_FALSE(std::filesystem::exists(t.dir.Path() + "/" + AchievementStateFile()));
}

TEST_F(AchievementsTest, AnUnwritableStateFileLosesTheStateQuietly) {
    LoadAchievements();
    std::filesystem::create_directories(t.dir.Path() + "/" + AchievementStateFile());
    gdp->value = 0.8f;
    crime->value = 0.1f;
    ASSERT_NE(CheckAchievements(), nullptr);
    RecordElectionResult(false);
    EXPECT_EQ(ConsecutiveLosses(), 1) << "the run still counts for this session";
    EXPECT_TRUE(t.frontEnd.boxes.size() <= 1u) << "only the table's bad operator may show";
    EXPECT_NE(t.LogText().find("Could not write the achievement state"), std::string::npos);
    ReadAchievementState();
    EXPECT_TRUE(Awarded().empty());
    ReleaseAchievements();
    EXPECT_TRUE(GetAchievements().empty());
}

TEST_F(AchievementsTest, RunsOfLostAndWonGamesMoveTheDifficulty) {
    RecordElectionResult(false);
    RecordElectionResult(false);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.5f);
    RecordElectionResult(false);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.4f) << "three losses in a row make it easier";
    RecordElectionResult(true);
    EXPECT_EQ(ConsecutiveLosses(), 0);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.5f);
    RecordElectionResult(true);
    RecordElectionResult(true);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.6f) << "three wins make it harder";

    // A new game reads the runs back through the turn code.
    SetConsecutiveRuns(0, 0);
    LoadConsecutiveRuns();
    EXPECT_EQ(ConsecutiveWins(), 3);
    EXPECT_FLOAT_EQ(GetDifficulty(), 0.6f);
}

} // namespace
