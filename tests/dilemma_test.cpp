#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/issues_manager.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>

namespace {

const char kFolder[] = "data/simulation/dilemmas/";
const char kModFolder[] = "user/mods/data/simulation/dilemmas/";

// A dilemma pressed one to one by the neuron named press.
std::string DilemmaFile(const std::string& name, const std::string& press,
                        const std::string& rest = "") {
    return "[dilemma]\nname = " + name + "\nguiname = " + name + " GUI\ndescription = About " +
           name + "\n[influences]\n0 = " + press + ",0+(1.0*x)\n" + rest;
}

class DilemmaTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserDir(logged.dir.Path() + "/user");
        Settings("0", "1");
        GetNameLists().maleForenames = {"Tomas"};
        GetNameLists().femaleForenames = {"Ilse"};
        GetNameLists().surnames = {"Varn"};
        pressA = Plain("PressA");
        pressB = Plain("PressB");
        target = Plain("Target");
    }
    void TearDown() override { TearDownGame(); }

    void Settings(const std::string& disable, const std::string& enable) {
        logged.dir.Write("data/data.ini", "[setup]\nDILEMMAS_DISABLE=" + disable + "\n");
        logged.dir.Write("data/options.txt", "[options]\nENABLEDILEMMAS=" + enable + "\n");
        LoadSetupTable();
        LoadOptions();
    }
    static Neuron* Plain(const char* name) {
        Neuron* neuron = new Neuron;
        neuron->SetName(name);
        return neuron;
    }
    static void Press(Neuron* neuron, float v) {
        neuron->value = v;
        neuron->PushToOutputs();
    }
    // The name of the one dilemma offered this turn, or empty; the offer is then withdrawn.
    static std::string AssessOnce() {
        GetDilemmaManager().AssessDilemmas();
        SIM_IssuesManager& issues = GetIssuesManager();
        std::string offered;
        if (issues.Count() == 1 && issues.At(0)->kind == kIssueKindDilemma)
            offered = issues.At(0)->subject->name;
        EXPECT_LE(issues.Count(), 1u);
        issues.ClearIssues();
        return offered;
    }

    LoggedTest logged;
    Neuron* pressA = nullptr;
    Neuron* pressB = nullptr;
    Neuron* target = nullptr;
};

TEST_F(DilemmaTest, OffersTheMostPressingAboveOneHalf) {
    logged.dir.Write(std::string(kFolder) + "a.txt", DilemmaFile("Strike", "PressA"));
    logged.dir.Write(std::string(kFolder) + "b.txt", DilemmaFile("Flood", "PressB"));
    // Loaded last, and the mission lacks its module.
    logged.dir.Write(std::string(kModFolder) + "isle.txt",
                     DilemmaFile("Ferry", "Target", "[prereqs]\nIslands\n"));
    GetDilemmaManager().LoadDilemmas();
    ASSERT_EQ(GetDilemmaManager().Dilemmas().size(), 3u);
    SIM_Dilemma* ferry = GetDilemmaManager().Dilemmas()[2];

    Press(pressA, 0.5f);
    Press(pressB, 0.5f);
    EXPECT_EQ(AssessOnce(), "") << "exactly one half is not enough";
    Press(pressB, 0.51f);
    EXPECT_EQ(AssessOnce(), "Flood");
    EXPECT_EQ(ferry->value, 0.0f) << "not computed while its module is missing";
    EXPECT_TRUE(GetDilemmaManager().FindDilemma("Flood")->triggered);
    Press(pressA, 0.51f);
    EXPECT_EQ(AssessOnce(), "Strike") << "the first loaded wins a tie";
    Press(pressA, 0.9f);

    Settings("1", "1");
    EXPECT_EQ(AssessOnce(), "");
    Settings("0", "0");
    EXPECT_EQ(AssessOnce(), "");
    Settings("0", "0.5");
    EXPECT_EQ(AssessOnce(), "Strike") << "any value but 0 switches dilemmas on";

    // Once offered, the module no longer matters.
    ferry->triggered = true;
    Press(target, 0.95f);
    EXPECT_EQ(AssessOnce(), "Ferry");
}

TEST_F(DilemmaTest, ChoosingAnOptionRunsItsScriptOnce) {
    // Sections are options by name, in file order, whatever their case.
    logged.dir.Write(std::string(kFolder) + "a.txt",
                     DilemmaFile("Strike", "PressA",
                                 "[Option2]\nName = Talk to <FemaleName>\n"
                                 "Description = <MaleName> and <MaleName>'s union\n"
                                 "OnImplement = CreateEffect(PressA,Target,0+(1.0*x),0)\n"
                                 "[option1]\nName = Wait\nDescription = Nothing\n"));
    GetDilemmaManager().LoadDilemmas();
    SIM_Dilemma* strike = GetDilemmaManager().FindDilemma("Strike");
    ASSERT_NE(strike, nullptr);
    ASSERT_EQ(strike->options.size(), 2u);
    const DilemmaOption& talk = strike->options[0];
    EXPECT_EQ(talk.name, "Talk to Ilse Varn");
    EXPECT_EQ(talk.description, "Tomas Varn and Tomas Varn's union");

    EXPECT_FALSE(ChooseDilemmaAction("Strike", 1).ok) << "not on offer yet";
    EXPECT_FALSE(ChooseDilemmaAction("Nobody", 1).ok);
    strike->OfferDilemma();
    EXPECT_FALSE(ChooseDilemmaAction("Strike", 0).ok);
    EXPECT_FALSE(ChooseDilemmaAction("Strike", 3).ok);
    EXPECT_TRUE(GetIssuesManager().FindIssue(strike)) << "a refusal leaves the offer standing";

    size_t linksBefore = AllEffects().size();
    ActionResult result = ChooseDilemmaAction("Strike", 1);
    EXPECT_TRUE(result.ok) << result.message;
    EXPECT_EQ(AllEffects().size(), linksBefore + 1) << "option 1 is the first in the file";
    EXPECT_EQ(GetIssuesManager().FindIssue(strike), nullptr);
    EXPECT_FALSE(ChooseDilemmaAction("Strike", 2).ok) << "answered already";
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
}

TEST_F(DilemmaTest, MissingSectionsGiveAnEmptyDilemmaQuietly) {
    logged.dir.Write(std::string(kFolder) + "a.txt", "[dilemma]\nname = Bare\n");
    GetDilemmaManager().LoadDilemmas();
    SIM_Dilemma* bare = GetDilemmaManager().FindDilemma("Bare");
    ASSERT_NE(bare, nullptr);
    EXPECT_TRUE(bare->options.empty());
    EXPECT_EQ(bare->description, "");
    EXPECT_TRUE(bare->inputs.empty());
    EXPECT_TRUE(logged.frontEnd.boxes.empty());

    bare->OfferDilemma();
    ActionResult refused = ChooseDilemmaAction("Bare", 1);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("no options"), std::string::npos);

    GetDilemmaManager().Release();
    std::string log = logged.LogText();
    EXPECT_NE(log.find("constrcutor dilemma address is"), std::string::npos);
    EXPECT_NE(log.find("DilemmaManager Release end"), std::string::npos);
}

} // namespace
