#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/mission_list.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "game/turn_pipeline.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/slider_config.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kMission[] = "[config]\n"
                        "name = Testland\n"
                        "description=A small country\n"
                        "wealth = 2.5\n"
                        "population=6000000\n"
                        "debt = 100\n"
                        "debtceiling = 300\n"
                        "flag = testland.png\n"
                        "briefing=Govern well\n"
                        "economic_cycle_start = 1.7\n"
                        "currency = $\n"
                        "termlength = 4\n"
                        "partyname = Blue Party\n"
                        "oppname = Red Party\n"
                        "[modules]\n"
                        "PoliticalApathy\n"
                        "CompulsoryVoting\n"
                        "[settings]\n"
                        "GDP = 0.4\n"
                        "Unemployment=0.25\n"
                        "GDP = 0.9\n";

class MissionTest : public ::testing::Test {
protected:
    void TearDown() override { TearDownGame(); }
    static Neuron* Named(const char* name, NeuronType type = NeuronType::Plain) {
        Neuron* n = new Neuron;
        n->SetName(name);
        n->typeCode = type;
        return n;
    }
    void WriteSetup(const std::string& entities) {
        t.dir.Write("data/data.ini", "[setup]\nAIENTITIES = " + entities + "\n");
        LoadSetupTable();
    }
    CMission LoadFile(const std::string& relative, const std::string& text) {
        t.dir.Write(relative, text);
        CMission mission;
        mission.SetMissionFile(relative);
        mission.Load();
        return mission;
    }
    LoggedTest t;
};

TEST_F(MissionTest, LoadReadsEveryKeyInOrder) {
    WriteSetup("3000");
    CMission m = LoadFile("data/missions/test.txt", kMission);

    EXPECT_EQ(
        (std::vector<std::string>{m.name, m.description, m.flag, m.briefing, m.currency,
                                  m.partyName, m.oppositionName, m.namesFile}),
        (std::vector<std::string>{"Testland", "A small country", "testland.png", "Govern well", "$",
                                  "Blue Party", "Red Party", "data/simulation/names.txt"}));
    EXPECT_FLOAT_EQ(m.wealth, 2.5f);
    EXPECT_FLOAT_EQ(m.populationPerVoter, 2000.0f);
    // Debt and ceiling are stored in money, already scaled by the country's wealth; the cycle
    // start is held to 0 … 1.
    EXPECT_FLOAT_EQ(m.startDebt, 250.0f);
    EXPECT_FLOAT_EQ(m.debtCeiling, 750.0f);
    EXPECT_FLOAT_EQ(m.economicCycleStart, 1.0f);
    EXPECT_EQ(m.termLength, 4);
    EXPECT_TRUE(m.HasModule("PoliticalApathy"));
    EXPECT_TRUE(m.HasModule("CompulsoryVoting"));
    EXPECT_FALSE(m.HasModule("politicalapathy"));

    ASSERT_EQ(m.startSettings.size(), 3u);
    EXPECT_EQ(m.startSettings[1].first, "Unemployment");
    // The first of two settings with one name wins a lookup.
    EXPECT_FLOAT_EQ(m.GetStartSetting("GDP"), 0.4f);
    EXPECT_FLOAT_EQ(m.GetStartSetting("Unemployment"), 0.25f);
    EXPECT_FLOAT_EQ(m.GetStartSetting("Crime"), -1.0f);

    // Assertion lines name the loaded mission's flag from now on.
    EXPECT_NE(BuildAssertLine("x.cpp", 1).find(",flag:testland.png"), std::string::npos);

    m.SetStartSetting("GDP", 0.6f);
    m.SetStartSetting("Crime", 0.1f);
    EXPECT_FLOAT_EQ(m.GetStartSetting("GDP"), 0.6f);
    EXPECT_FLOAT_EQ(m.startSettings[2].second, 0.9f);
    EXPECT_FLOAT_EQ(m.GetStartSetting("Crime"), 0.1f);
}

TEST_F(MissionTest, LoadClampsAndFallsBack) {
    // No "AIENTITIES" in the setup table: the population is not divided by zero.
    CMission m = LoadFile("data/missions/low.txt", "[config]\n"
                                                   "population = 5000\n"
                                                   "economic_cycle_start = -0.2\n"
                                                   "currency = Dollars\n"
                                                   "names = data/othernames.txt\n");
    EXPECT_TRUE(std::isfinite(m.populationPerVoter));
    EXPECT_FLOAT_EQ(m.populationPerVoter, 5000.0f);
    EXPECT_FLOAT_EQ(m.economicCycleStart, 0.0f);
    EXPECT_EQ(m.namesFile, "data/othernames.txt");
    // The sign's buffer holds five characters.
    EXPECT_EQ(m.currency, "Dolla");

    // An empty "names" value counts as absent.
    CMission empty = LoadFile("data/missions/empty.txt", "[config]\nnames =\n");
    EXPECT_EQ(empty.namesFile, "data/simulation/names.txt");

    CMission missing;
    missing.SetMissionFile("data/missions/nowhere.txt");
    missing.Load();
    EXPECT_EQ(missing.namesFile, "data/simulation/names.txt");
    EXPECT_FLOAT_EQ(missing.populationPerVoter, 0.0f);

    missing.SetMissionFile(std::string(2000, 'm'));
    EXPECT_EQ(missing.missionFile.size(), 1023u);
}

TEST_F(MissionTest, StartSettingsReachTheNetwork) {
    Neuron* gdp = Named("GDP", NeuronType::SimVal);
    Neuron* group = Named("Retired", NeuronType::VoterType);
    group->baseOffset = 0.3f;
    Neuron* plain = Named("_security_");

    CMission& m = GetMission();
    m.startSettings = {{"GDP", 0.4f}, {"Missing", 0.5f}, {"Retired", 0.9f}, {"_security_", 0.8f}};
    ApplyMission(m);

    EXPECT_FLOAT_EQ(gdp->baseOffset, 0.4f);
    EXPECT_FLOAT_EQ(group->baseOffset, 0.3f);
    EXPECT_FLOAT_EQ(plain->baseOffset, 0.0f);
    // A missing name is a warning, and the settings after it still apply.
    EXPECT_NE(t.LogText().find("failed to find Missing"), std::string::npos);
    EXPECT_TRUE(t.frontEnd.boxes.empty());
}

TEST_F(MissionTest, StartingPolicies) {
    SetUserDir(t.dir.Path() + "/user");
    t.dir.Write("data/data.ini", "[setup]\npolicies=data/simulation/policies.csv\n");
    t.dir.Write("data/simulation/sliders.csv", "#,rate,5,none,low,mid,high,max\n");
    t.dir.Write("data/simulation/policies.csv",
                "#,IncomeTax,Income Tax,rate,Wages,UNCANCELLABLE,0,0,0,0,TAX,0,0,-,4,0,0,-,"
                "#Effects,\"GDP,0+(1.0*x)\"\n"
                "#,Police,Police,rate,Officers,,0,0,0,0,LAWANDORDER,0,0,-,4,0,0,-,"
                "#Effects,\"GDP,0+(0.1*x)\"\n"
                "#,Prisons,Prisons,rate,Cells,,0,0,0,0,LAWANDORDER,0,0,-,4,0,0,-,"
                "#Effects,\"GDP,0+(0.1*x)\"\n");
    LoadSetupTable();
    Named("GDP");
    GetPolicyManager().LoadPolicies();
    GetPolicyManager().LinkAllPolicies();
    SIM_Policy* tax = GetPolicyManager().FindPolicy("IncomeTax");
    SIM_Policy* police = GetPolicyManager().FindPolicy("Police");
    SIM_Policy* prisons = GetPolicyManager().FindPolicy("Prisons");
    ASSERT_TRUE(tax && police && prisons);

    GetMission().startSettings = {{"Police", 0.3f}};
    ApplyMission(GetMission());

    // The uncancellable policy starts in force without being named.
    EXPECT_TRUE(tax->IsActive());
    EXPECT_FLOAT_EQ(tax->implementation, 1.0f);
    // A named policy starts in force at its setting, moved to the nearest of the slider's steps,
    // and takes effect at once.
    EXPECT_TRUE(police->IsActive());
    EXPECT_FLOAT_EQ(police->GetTarget(), 0.25f);
    EXPECT_FLOAT_EQ(police->value, 0.25f);
    EXPECT_FLOAT_EQ(police->outputs[0]->input, 0.25f);
    EXPECT_FALSE(prisons->active);
    EXPECT_EQ(GetPolicyManager().introducedPolicies.size(), 2u);
}

TEST_F(MissionTest, FormatMoneyUnitsAndComma) {
    GetMission().currency = "$";
    // Above 1000 millions count as billions, with a thousands comma; negative amounts are never
    // divided and never get a comma.
    const std::pair<float, const char*> cases[] = {{250.0f, "$ 250.00 Mn"},
                                                   {1000.0f, "$ 1000.00 Mn"},
                                                   {1500.0f, "$ 1.50 Bn"},
                                                   {2500000.0f, "$ 2,500.00 Bn"},
                                                   {999999000.0f, "$ 999,999.00 Bn"},
                                                   {-20000.0f, "$ -20000.00 Mn"}};
    for (auto [amount, text] : cases)
        EXPECT_EQ(FormatMoney(amount), text);
    GetMission().currency.clear();
    EXPECT_EQ(FormatMoney(0.0f), " 0.00 Mn");
}

TEST_F(MissionTest, PersonNames) {
    t.dir.Write("data/names.txt", "[maleforenames]\nAlan\nBrian\n"
                                  "[femaleforenames]\nCarol\n"
                                  "[surnames]\nDawson\nEvans\nFinch\n");
    LoadNames("data/names.txt");
    LoadNames("data/names.txt"); // a second game's load replaces, not adds
    const NameLists& lists = GetNameLists();
    ASSERT_EQ(lists.maleForenames.size(), 2u);
    ASSERT_EQ(lists.femaleForenames.size(), 1u);
    ASSERT_EQ(lists.surnames, (std::vector<std::string>{"Dawson", "Evans", "Finch"}));

    SeedRandom(11);
    for (int i = 0; i < 20; ++i) {
        std::string female = MakePersonName(true);
        EXPECT_EQ(female.rfind("Carol ", 0), 0u) << female;
        std::string male = MakePersonName(false);
        EXPECT_EQ(std::count(lists.surnames.begin(), lists.surnames.end(),
                             male.substr(male.find(' ') + 1)),
                  1)
            << male;
    }

    // The surname is drawn before the forename.
    SeedRandom(5);
    int surnameIndex = RandomIndex(3);
    int forenameIndex = RandomIndex(2);
    SeedRandom(5);
    EXPECT_EQ(MakePersonName(false),
              lists.maleForenames[forenameIndex] + " " + lists.surnames[surnameIndex]);

    // Empty lists give empty parts rather than a read out of range.
    LoadNames("data/absent.txt");
    EXPECT_EQ(MakePersonName(false), " ");
    t.dir.Write("data/names.txt", "[surnames]\nGrey\n");
    LoadNames("data/names.txt");
    EXPECT_EQ(MakePersonName(true), " Grey");
}

TEST(MissionListTest, DefaultFirstThenTheOthersThenTheModsWhichCannotShadowAStandardName) {
    LoggedTest t;
    t.dir.Write("data/missions/Alder.txt", "[config]\nname=Republic of Alder\n");
    t.dir.Write("data/missions/USA.txt", "[config]\nname=Calverra\n");
    t.dir.Write("data/missions/Zeal.txt", "[config]\ndescription=No name of its own\n");
    t.dir.Write("data/missions/notes.md", "not a mission");
    const std::string user = t.dir.Path() + "/user";
    t.dir.Write("user/mods/data/missions/Alder.txt", "[config]\nname=An impostor\n");
    t.dir.Write("user/mods/data/missions/Bogland.txt", "[config]\nname=Bogland\n");
    SetUserDir(user);

    std::vector<std::string> listed;
    for (const MissionChoice& choice : ListMissions(user))
        listed.push_back(choice.name + "=" + choice.country + (choice.modded ? " (mod)" : ""));
    EXPECT_EQ(listed, (std::vector<std::string>{"USA=Calverra", "Alder=Republic of Alder",
                                                "Zeal=Zeal", "Bogland=Bogland (mod)"}));
    // The runner's --new and a saved game find a mod's mission by its name alone; a standard
    // mission of the same name always wins.
    EXPECT_EQ(MissionFile("Bogland"), user + "/mods/data/missions/Bogland.txt");
    EXPECT_EQ(MissionFile("Alder"), "data/missions/Alder.txt");
    EXPECT_EQ(MissionFile("Nowhere"), "data/missions/Nowhere.txt");
    EXPECT_EQ(ListMissions("").size(), 3u);
    SetUserDir("");
}

} // namespace
