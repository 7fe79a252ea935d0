#include "base/game_paths.h"
#include "base/setup_table.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "network/global_economy.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "network/sim_value.h"
#include "network/simulation.h"
#include "test_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

const char kTable[] = "data/simulation/simulation.csv";
const char kModFolder[] = "user/mods/data/simulation/simulation/";

// A row with the given name and default, range 0 … 1, and the given link columns.
std::string Row(const std::string& name, const std::string& defaultValue,
                const std::string& links = "") {
    return "#," + name + "," + name + "_GUI,desc,HIDDEN," + defaultValue + ",0,1,0,,," + links +
           "\n";
}

class SimValTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUserDir(logged.dir.Path() + "/user");
        logged.dir.Write("data/data.ini", std::string("[setup]\nsimulation=") + kTable + "\n");
        LoadSetupTable();
    }
    void TearDown() override {
        TearDownGame();
        // Values and their income pointers go with the network.
        EXPECT_TRUE(GetSimulation().Values().empty());
        EXPECT_TRUE(!Network().highIncome && !Network().lowIncome && !Network().middleIncome);
    }

    void WriteTable(const std::string& text) { logged.dir.Write(kTable, text); }
    void WriteMod(const std::string& file, const std::string& text) {
        logged.dir.Write(kModFolder + file, text);
    }
    // The three income values, so a load reports nothing else.
    static std::string IncomeRows() {
        return Row("_HighIncome", "0.8") + Row("_LowIncome", "0.2") + Row("_MiddleIncome", "0.5");
    }
    SIM_SimVal* Value(const std::string& name) {
        for (SIM_SimVal* simVal : GetSimulation().Values())
            if (simVal->name == name)
                return simVal;
        return nullptr;
    }
    Texts BoxTexts() const {
        Texts texts;
        for (const auto& box : logged.frontEnd.boxes)
            texts.push_back(box.title + "|" + box.text.substr(0, box.text.find(':')));
        return texts;
    }
    size_t CountInLog(const std::string& text) const {
        std::string log = logged.LogText();
        size_t count = 0;
        for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1))
            ++count;
        return count;
    }
    static NeuralEffect* LinkBetween(Neuron* from, Neuron* to) {
        for (NeuralEffect* effect : from->outputs)
            if (effect->target == to)
                return effect;
        return nullptr;
    }
    static Neuron* Plain(const char* name) {
        Neuron* n = new Neuron;
        n->SetName(name);
        return n;
    }

    LoggedTest logged;
};

TEST_F(SimValTest, LoadsRowsInFileOrderWithTheirFields) {
    WriteTable("Name,Gui,Description\n"
               " #,Spaced,Spaced,ignored,HIDDEN,0.1,0,1,0,,,\n"
               "#,Crime,CRIME_NAME,\"Crime, all of it\",LAW,0.3,0,1,1,crime_text,skip,"
               "\"Police,0+(1.0*x)\",x,,ab,\"Poverty,0+(0.5*x),2\",#,\"Fear,0+(1.0*x),4\",#,"
               "\"Tourism,1-(1.0*x)\"\r\n" +
               Row("Clamped", "1.4") +
               "#,Narrow,Narrow,,LAW,0,0.2,0.8,0,,,\n"
               "#,Short,Short\n" +
               IncomeRows());
    GetSimulation().LoadAll();

    const std::vector<SIM_SimVal*>& values = GetSimulation().Values();
    ASSERT_EQ(values.size(), 7u);
    EXPECT_STREQ(values[0]->name, "Crime");
    EXPECT_STREQ(values[1]->name, "Clamped");
    EXPECT_EQ(FindNeuron("Spaced"), nullptr);

    SIM_SimVal* crime = values[0];
    EXPECT_STREQ(crime->description, "Crime, all of it");
    EXPECT_EQ(crime->groupName, "LAW");
    EXPECT_TRUE(crime->invertColour);
    EXPECT_EQ(crime->interfaceText, "crime_text");
    // Short cells are padding; the first '#' cell turns inputs into outputs, later ones are
    // only markers; the row's line end stays out of the last item.
    EXPECT_EQ(crime->inputTexts, (Texts{"Police,0+(1.0*x)", "Poverty,0+(0.5*x),2"}));
    EXPECT_EQ(crime->outputTexts, (Texts{"Fear,0+(1.0*x),4", "Tourism,1-(1.0*x)"}));

    // The default is the value after the first processing, held to the value's own range.
    EXPECT_FLOAT_EQ(crime->Process(), 0.3f);
    EXPECT_FLOAT_EQ(values[1]->Process(), 1.0f);
    EXPECT_FLOAT_EQ(Value("Narrow")->Process(), 0.2f);

    // A row that stops early keeps the defaults of the fields it lacks.
    ASSERT_NE(Value("Short"), nullptr);
    EXPECT_FLOAT_EQ(Value("Short")->maxValue, 1.0f);

    EXPECT_TRUE(logged.frontEnd.boxes.empty());
    EXPECT_EQ(CountInLog("Assertion failure"), 0u);
}

TEST_F(SimValTest, ResolveLinksMakesEveryLinkItCanAndReportsTheRest) {
    WriteTable(Row("Crime", "0.3",
                   "\"Police,0+(1.0*x)\",\"Ghost,0+(1.0*x)\",\"Poverty,0+(0.5*x),3\",#,"
                   "\"Fear,1-(1.0*x)\",\"Nowhere,0+(1.0*x)\",\"Poverty,0+(1.0*x),40\"") +
               IncomeRows());
    Neuron* police = Plain("Police");
    Neuron* fear = Plain("Fear");
    GetSimulation().LoadAll();
    // Links may name values read after this one.
    SIM_SimVal* poverty = new SIM_SimVal;
    poverty->Load(Row("Poverty", "0.1"));

    SIM_SimVal* crime = Value("Crime");
    ASSERT_NE(crime, nullptr);
    GetSimulation().ResolveAllLinks();

    EXPECT_EQ(BoxTexts(), (Texts{"ERROR|Failed to find output Nowhere for Crime,",
                                 "ERROR|Invalid Inertial drag for neural effect",
                                 "ERROR|Failed to find input Ghost for Crime,"}));
    ASSERT_EQ(crime->outputs.size(), 2u);
    ASSERT_EQ(crime->inputs.size(), 2u);

    NeuralEffect* toFear = LinkBetween(crime, fear);
    ASSERT_NE(toFear, nullptr);
    EXPECT_STREQ(toFear->formula, "1-(1.0*x)");
    // A drag above the limit is refused but the link stays, following the current value.
    NeuralEffect* toPoverty = LinkBetween(crime, poverty);
    ASSERT_NE(toPoverty, nullptr);
    EXPECT_EQ(toPoverty->inertialDrag, 0u);

    ASSERT_NE(LinkBetween(police, crime), nullptr);
    NeuralEffect* fromPoverty = LinkBetween(poverty, crime);
    ASSERT_NE(fromPoverty, nullptr);
    EXPECT_EQ(fromPoverty->inertialDrag, 3u);

    // The texts are spent: resolving again adds nothing and reports nothing.
    EXPECT_TRUE(crime->inputTexts.empty());
    EXPECT_TRUE(crime->outputTexts.empty());
    GetSimulation().ResolveAllLinks();
    EXPECT_EQ(crime->outputs.size(), 2u);
    EXPECT_EQ(crime->inputs.size(), 2u);
    EXPECT_EQ(logged.frontEnd.boxes.size(), 3u);
}

TEST_F(SimValTest, OutputDragAveragesRecentHistory) {
    SIM_SimVal* crime = new SIM_SimVal;
    crime->Load(Row("Crime", "0.9", "#,\"Now,0+(1.0*x)\",\"Recent,0+(1.0*x),4\""));
    Neuron* now = Plain("Now");
    Neuron* recent = Plain("Recent");
    crime->ResolveLinks();

    const float past[] = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 1.0f};
    std::copy(std::begin(past), std::end(past), crime->history);
    crime->Process();
    EXPECT_FLOAT_EQ(LinkBetween(crime, now)->inputTarget, 0.9f);
    EXPECT_FLOAT_EQ(LinkBetween(crime, recent)->inputTarget, 0.3f);

    // Through the turn passes the averaged link lags behind the direct one: after five turns
    // one old entry is still in the window, after six only this value is.
    auto runTurn = [] {
        UpdateAllEffects();
        ProcessAllNeurons();
        EndTurnAllNeurons();
    };
    for (int turn = 0; turn < 5; ++turn)
        runTurn();
    EXPECT_FLOAT_EQ(now->value, 0.9f);
    EXPECT_NEAR(recent->value, (4 * 0.9f + 0.1f) / 5, 1e-5f);
    runTurn();
    EXPECT_NEAR(recent->value, 0.9f, 1e-5f);
}

TEST_F(SimValTest, ModFilesAddOneValueEachAfterTheStandardOnes) {
    WriteTable(IncomeRows() + Row("Crime", "0.3"));
    WriteMod("a.txt", Row("Crime", "0.7") + Row("SecondLine", "0.1"));
    WriteMod("b.txt", "#,Tiny8\n");
    WriteMod("c.txt", "header\n" + Row("NotFirst", "0.1"));
    WriteMod("d.txt", Row("Piracy", "0.4", "\"Crime,0+(1.0*x)\""));
    WriteMod("e.csv", Row("WrongKind", "0.1"));
    WriteMod("f.txt", "#,Nine99\n");
    logged.dir.Write(std::string(kModFolder) + "broken.txt/inside", "");
    GetSimulation().LoadAll();

    Texts names;
    for (SIM_SimVal* simVal : GetSimulation().Values())
        names.push_back(simVal->name);
    EXPECT_EQ(names, (Texts{"_HighIncome", "_LowIncome", "_MiddleIncome", "Crime", "Crime",
                            "Piracy", "Nine99"}));
    EXPECT_EQ(BoxTexts(), (Texts{"ERROR|Failed to load in modded simulation value"}));

    // A mod value of a standard name is a second neuron; lookups find the standard one.
    EXPECT_EQ(FindNeuron("Crime"), GetSimulation().Values()[3]);
    EXPECT_FLOAT_EQ(GetSimulation().Values()[4]->baseOffset, 0.7f);
    EXPECT_EQ(Value("Piracy")->inputTexts, (Texts{"Crime,0+(1.0*x)"}));
}

TEST_F(SimValTest, IncomeValuesAreFoundAndMissingOnesAsserted) {
    WriteTable(Row("_LowIncome", "0.2") + Row("_HighIncome", "0.8"));
    GetSimulation().LoadAll();
    EXPECT_EQ(Network().highIncome, Value("_HighIncome"));
    EXPECT_EQ(Network().lowIncome, Value("_LowIncome"));
    EXPECT_EQ(Network().middleIncome, nullptr);
    EXPECT_EQ(CountInLog("Assertion failure:filename:simulation.cpp"), 1u);
    // Release forgets them with the values.
    GetSimulation().Release();
    EXPECT_EQ(Network().highIncome, nullptr);

    // A missing standard table is silent but leaves no incomes at all.
    GetSetupTable().Clear();
    GetSimulation().LoadAll();
    EXPECT_TRUE(GetSimulation().Values().empty());
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
    EXPECT_EQ(CountInLog("Assertion failure:filename:simulation.cpp"), 4u);
}

TEST_F(SimValTest, ReleaseDestroysValuesAndTheirLinksOnly) {
    WriteTable(IncomeRows() + Row("Crime", "0.3", "\"Police,0+(1.0*x)\",#,\"Fear,0+(1.0*x)\""));
    Neuron* police = Plain("Police");
    Neuron* fear = Plain("Fear");
    GetSimulation().LoadAll();
    GetSimulation().ResolveAllLinks();
    ASSERT_EQ(AllEffects().size(), 2u);
    OrderNeuronsByType();

    GetSimulation().Release();
    EXPECT_TRUE(GetSimulation().Values().empty());
    // The plain neurons stand twice once ordered by type.
    EXPECT_EQ(AllNeurons(), (std::vector<Neuron*>{police, fear, police, fear}));
    EXPECT_TRUE(AllEffects().empty());
    EXPECT_TRUE(police->outputs.empty());
    EXPECT_TRUE(fear->inputs.empty());
}

TEST_F(SimValTest, ReleaseDuringWholesaleTeardown) {
    // A new game releases the subsystems with unlinking off, before the neurons and links go.
    WriteTable(IncomeRows() + Row("Crime", "0.3", "#,\"_HighIncome,0+(1.0*x)\""));
    GetSimulation().LoadAll();
    GetSimulation().ResolveAllLinks();
    SetGameRunning(false);
    GetSimulation().Release();
    EXPECT_TRUE(GetSimulation().Values().empty());
    EXPECT_TRUE(AllNeurons().empty());
    DeleteAllEffects();
    SetGameRunning(true);
}

TEST_F(SimValTest, GroupsAreFoundByKeyExceptForHiddenValues) {
    SIM_PolicyManager& manager = GetPolicyManager();
    std::string oldNames[2] = {manager.Group(0).name, manager.Group(5).name};
    // A group keyed "HIDDEN" shows that the keyword is never looked up at all.
    manager.Group(0).name = "HIDDEN";
    manager.Group(5).name = "LAWANDORDER";
    WriteTable("#,Crime,Crime,,LAWANDORDER,0.3,0,1,0,,,\n"
               "#,Secret,Secret,,HIDDEN,0.3,0,1,0,,,\n"
               "#,Lost,Lost,,NOSUCHGROUP,0.3,0,1,0,,,\n" +
               IncomeRows());
    GetSimulation().LoadAll();
    GetSimulation().AttachAllToGroups(&FindGroup);
    EXPECT_EQ(Value("Crime")->group, &manager.Group(5));
    EXPECT_EQ(Value("Secret")->group, nullptr);
    EXPECT_EQ(Value("Lost")->group, nullptr);
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
    manager.Group(0).name = oldNames[0];
    manager.Group(5).name = oldNames[1];
}

TEST_F(SimValTest, NamedNeuronsAreReplacedNotDuplicated) {
    SetupNamedNeurons();
    Neuron* other = Plain("Other");
    new NeuralEffect(Network().debtNeuron, other, "0+(1.0*x)", 1.0f, 0.5f);
    new NeuralEffect(other, Network().securityNeuron, "0+(1.0*x)", 1.0f, 0.5f);

    SetupNamedNeurons();
    // The old named neurons took their links with them.
    EXPECT_TRUE(AllEffects().empty());
    EXPECT_TRUE(other->inputs.empty());
    EXPECT_TRUE(other->outputs.empty());

    std::vector<Neuron*> expected{other, Network().winningNeuron, Network().debtNeuron,
                                  Network().globalEconomy, Network().securityNeuron};
    EXPECT_EQ(AllNeurons(), expected);
    // Content links find them by these names.
    for (Neuron* named : expected)
        EXPECT_EQ(FindNeuron(named->name), named) << named->name;
    EXPECT_STREQ(Network().securityNeuron->name, "_security_");
    EXPECT_STREQ(Network().debtNeuron->name, "_debt_");
}

} // namespace
