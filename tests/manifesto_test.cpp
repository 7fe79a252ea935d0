#include "base/options.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "government/manifesto.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const char kOptions[] = "Title,Target,Amount,Kind\n"
                        "#,MORE_GDP,GDP,0.1,>\n"
                        "#,LESS_CRIME,Crime,-0.2,<\n"
                        "#,ALL_GDP,GDP,1.0,>\n"
                        "#,END_ROADS,Roads,0,!\n"
                        "#,\"QUOTED, TITLE\",Crime,0.3,>\n";

class ManifestoTest : public ::testing::Test {
protected:
    void SetUp() override {
        t.dir.Write("data/data.ini", "[setup]\nMANIFESTO_BROKEN_PENALTY=0.05\n");
        t.dir.Write("data/manifesto.csv", kOptions);
        t.dir.Write("data/options.txt", "[options]\nENABLEMANIFESTO = 1.00\n");
        LoadSetupTable();
        LoadOptions();
        gdp = Named("GDP", 0.5f);
        crime = Named("Crime", 0.5f);
        roads = Named("Roads", 0.7f);
        GetManifesto().LoadOptions();
        GetElectionManager().Release();
    }
    void TearDown() override { TearDownGame(); }

    static Neuron* Named(const char* name, float value) {
        Neuron* neuron = new Neuron();
        neuron->SetName(name);
        neuron->value = value;
        return neuron;
    }

    const ManifestoOption& Option(const char* title) {
        for (const ManifestoOption& option : GetManifesto().Options())
            if (option.title == title)
                return option;
        ADD_FAILURE() << "no option " << title;
        return GetManifesto().Options()[0];
    }

    // Pledges the option and makes it binding at once, as an election would.
    const ManifestoPledge& Bind(const char* title) {
        SIM_Manifesto& manifesto = GetManifesto();
        manifesto.AddPledge(Option(title));
        manifesto.StartTerm();
        return manifesto.LivePledges().back();
    }

    // The calendar in the turn before an election.
    void ManifestoTurn() {
        GetCalendar() = {0, 1};
        GetElectionManager().ScheduleNextElection();
        GetCalendar() = {9, 4};
    }

    LoggedTest t;
    Neuron* gdp = nullptr;
    Neuron* crime = nullptr;
    Neuron* roads = nullptr;
};

TEST_F(ManifestoTest, LoadsEveryRowWithItsKindAndThePenalty) {
    const SIM_Manifesto& manifesto = GetManifesto();
    ASSERT_EQ(manifesto.Options().size(), 5u);
    const ManifestoOption& first = manifesto.Options()[0];
    EXPECT_EQ(first.title + "|" + first.targetName, "MORE_GDP|GDP");
    EXPECT_FLOAT_EQ(first.amount, 0.1f);
    EXPECT_EQ(
        (std::vector<int>{first.kind, manifesto.Options()[1].kind, manifesto.Options()[3].kind}),
        (std::vector<int>{kPledgeRaise, kPledgeLower, kPledgeCancel}));
    EXPECT_EQ(manifesto.Options()[4].title, "QUOTED, TITLE");
    EXPECT_FLOAT_EQ(manifesto.BrokenPenalty(), 0.05f);
    EXPECT_TRUE(t.frontEnd.boxes.empty());

    // A bad kind is reported and the row stays as a raise.
    t.dir.Write("data/manifesto.csv", "#,ODD,GDP,0.1,?\n#,FINE,GDP,0.1,<\n");
    GetManifesto().LoadOptions();
    ASSERT_EQ(GetManifesto().Options().size(), 2u);
    EXPECT_EQ(GetManifesto().Options()[0].kind, kPledgeRaise);
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_NE(t.frontEnd.boxes[0].text.find("failed to load manifesto pledge type"),
              std::string::npos);

    // A missing file leaves nothing to offer but still reads the penalty.
    t.dir.Write("data/data.ini", "[setup]\nMANIFESTO_BROKEN_PENALTY=0.2\n");
    LoadSetupTable();
    std::remove((t.dir.Path() + "/data/manifesto.csv").c_str());
    GetManifesto().LoadOptions();
    EXPECT_TRUE(GetManifesto().Options().empty());
    EXPECT_FLOAT_EQ(GetManifesto().BrokenPenalty(), 0.2f);
    ASSERT_EQ(t.frontEnd.boxes.size(), 2u);
    EXPECT_NE(t.frontEnd.boxes[1].text.find("Missing manifesto file"), std::string::npos);
}

TEST_F(ManifestoTest, RaiseAndLowerPledgesAreMeasuredFromTheValueWhenMade) {
    SIM_Manifesto& manifesto = GetManifesto();
    manifesto.AddPledge(Option("MORE_GDP"));
    manifesto.AddPledge(Option("LESS_CRIME"));
    gdp->value = 0.9f; // later moves do not change what was promised
    crime->value = 0.1f;
    manifesto.StartTerm();
    ASSERT_EQ(manifesto.LivePledges().size(), 2u);
    const ManifestoPledge& raise = manifesto.LivePledges()[0];
    const ManifestoPledge& lower = manifesto.LivePledges()[1];
    EXPECT_FLOAT_EQ(raise.initial, 0.5f);
    EXPECT_FLOAT_EQ(manifesto.GetPledgeTarget(raise), 0.55f);
    EXPECT_FLOAT_EQ(manifesto.GetPledgeTarget(lower), 0.4f);

    gdp->value = 0.54f;
    EXPECT_FALSE(manifesto.IsPledgeKept(raise));
    gdp->value = 0.55f;
    EXPECT_TRUE(manifesto.IsPledgeKept(raise));
    crime->value = 0.41f;
    EXPECT_FALSE(manifesto.IsPledgeKept(lower));
    crime->value = 0.4f;
    EXPECT_TRUE(manifesto.IsPledgeKept(lower));

    manifesto.UpdateKept();
    EXPECT_TRUE(manifesto.IsKept());
    gdp->value = 0.3f;
    manifesto.UpdateKept();
    EXPECT_FALSE(manifesto.IsKept()) << "one unmet pledge breaks the manifesto";

    // A target above the top is held to it.
    gdp->value = 0.6f;
    const ManifestoPledge& all = Bind("ALL_GDP");
    EXPECT_FLOAT_EQ(manifesto.GetPledgeTarget(all), 1.0f);
    gdp->value = 0.99f;
    EXPECT_FALSE(manifesto.IsPledgeKept(all));
    gdp->value = 1.0f;
    EXPECT_TRUE(manifesto.IsPledgeKept(all));
}

TEST_F(ManifestoTest, ACancelPledgeFollowsThePolicyBeingInForce) {
    SIM_Manifesto& manifesto = GetManifesto();
    EXPECT_TRUE(manifesto.IsOptionAvailable(Option("END_ROADS")));
    const ManifestoPledge& pledge = Bind("END_ROADS");
    EXPECT_FALSE(manifesto.IsPledgeKept(pledge));
    EXPECT_FLOAT_EQ(manifesto.GetPledgeCurrent(pledge), 0.7f);
    roads->active = false;
    EXPECT_TRUE(manifesto.IsPledgeKept(pledge));
    EXPECT_FLOAT_EQ(manifesto.GetPledgeCurrent(pledge), 0.0f);
    EXPECT_FALSE(manifesto.IsOptionAvailable(Option("END_ROADS")))
        << "a policy not in force cannot be promised away";
    roads->active = true;
    EXPECT_FALSE(manifesto.IsPledgeKept(pledge)) << "reintroducing breaks the pledge again";
}

TEST_F(ManifestoTest, WithNoLivePledgesTheManifestoIsKept) {
    SIM_Manifesto& manifesto = GetManifesto();
    manifesto.AddPledge(Option("MORE_GDP"));
    gdp->value = 0.1f;
    manifesto.UpdateKept();
    EXPECT_TRUE(manifesto.IsKept()) << "pledges for the next term do not bind yet";
    manifesto.StartTerm();
    manifesto.UpdateKept();
    EXPECT_FALSE(manifesto.IsKept());
    manifesto.StartTerm(); // an election with no new promises
    manifesto.UpdateKept();
    EXPECT_TRUE(manifesto.LivePledges().empty());
    EXPECT_TRUE(manifesto.IsKept());
}

TEST_F(ManifestoTest, PledgesOnMissingTargetsAreRefusedOrBroken) {
    SIM_Manifesto& manifesto = GetManifesto();
    const ManifestoPledge& pledge = Bind("LESS_CRIME");
    delete crime;
    crime = nullptr;
    EXPECT_FALSE(manifesto.IsPledgeKept(pledge));
    EXPECT_FLOAT_EQ(manifesto.GetPledgeCurrent(pledge), 0.0f);
    EXPECT_FALSE(manifesto.AddPledge(Option("LESS_CRIME")));
    EXPECT_TRUE(manifesto.NextTermPledges().empty());
    EXPECT_FALSE(manifesto.IsOptionAvailable(Option("LESS_CRIME")));
    EXPECT_NE(t.LogText().find("Failed to find manifesto neuron"), std::string::npos);

    ManifestoPledge orphan;
    EXPECT_TRUE(manifesto.IsPledgeKept(orphan));
    EXPECT_NE(t.LogText().find("No manifesto option"), std::string::npos);
}

TEST_F(ManifestoTest, SavedPledgesAreFoundAgainByTheirTarget) {
    SIM_Manifesto& manifesto = GetManifesto();
    EXPECT_TRUE(manifesto.RestorePledge("GDP", 0.25f, true));
    EXPECT_TRUE(manifesto.RestorePledge("Crime", 0.6f, false));
    EXPECT_FALSE(manifesto.RestorePledge("Unicorns", 0.5f, true));
    ASSERT_EQ(manifesto.LivePledges().size(), 1u);
    EXPECT_FLOAT_EQ(manifesto.LivePledges()[0].initial, 0.25f);
    EXPECT_EQ(manifesto.NextTermPledges().size(), 1u);
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_NE(t.frontEnd.boxes[0].text.find("Warning - > Manifesto Option not found [&s]"),
              std::string::npos);
}

TEST_F(ManifestoTest, ThePlayerPledgesOnlyInTheTurnBeforeTheElection) {
    EXPECT_FALSE(ChoosePledgeAction("GDP").ok) << "no election scheduled";
    ManifestoTurn();
    EXPECT_TRUE(ManifestoMayBeChosen());
    ActionResult made = ChoosePledgeAction("GDP");
    EXPECT_TRUE(made.ok) << made.message;
    EXPECT_NE(made.message.find("GDP"), std::string::npos);
    EXPECT_FALSE(ChoosePledgeAction("GDP").ok) << "one pledge per option";
    EXPECT_FALSE(ChoosePledgeAction("Unicorns").ok);
    roads->active = false;
    EXPECT_FALSE(ChoosePledgeAction("Roads").ok) << "a policy not in force cannot be ended";
    roads->active = true;
    EXPECT_TRUE(ChoosePledgeAction("Roads").ok);
    EXPECT_EQ(GetManifesto().NextTermPledges().size(), 2u);

    GetCalendar() = {6, 4};
    EXPECT_FALSE(ChoosePledgeAction("Crime").ok) << "six months early";
    GetCalendar() = {9, 4};
    SetOption(kOptionEnableManifesto, 0.0f);
    ActionResult off = ChoosePledgeAction("Crime");
    EXPECT_FALSE(off.ok);
    EXPECT_NE(off.message.find("Crime"), std::string::npos);
    SetOption(kOptionEnableManifesto, 1.0f);
    SetGameOver(true);
    EXPECT_FALSE(ChoosePledgeAction("Crime").ok);
}

} // namespace
