// The content we ship, loaded and played as a player would start it: every link must resolve,
// nothing may be reported, and a long game without player action must stay sane.

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/mission_list.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "game/turn_pipeline.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/policy_manager.h"
#include "government/situation.h"
#include "network/neuron.h"
#include "population/voter_manager.h"
#include "test_helpers.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class ShippedContentTest : public ::testing::Test {
protected:
    void SetUp() override { UseShippedContent(t); }
    void TearDown() override { TearDownGame(); }

    LoggedTest t;
};

void ExpectNoComplaint(const std::string& log, const std::string& context) {
    for (const char* complaint : {"Failed to find", "failed to find", "cant find", "Assertion",
                                  "corrupted", "missing comma", "Orphan"}) {
        size_t at = log.find(complaint);
        EXPECT_EQ(at, std::string::npos)
            << context << ": " << complaint
            << " in: " << log.substr(at == std::string::npos ? 0 : at, 200);
    }
}

TEST_F(ShippedContentTest, EveryLinkResolvesAndNothingIsReported) {
    NewGameSetup(kDefaultMission);
    ExpectNoComplaint(t.LogText(), kDefaultMission);
    EXPECT_TRUE(t.frontEnd.boxes.empty())
        << t.frontEnd.boxes.size() << " boxes, first: " << t.frontEnd.boxes.front().text;

    // The sizes the design promises.
    EXPECT_GE(GetPolicyManager().AllPolicies().size(), 60u);
    EXPECT_LE(GetVoterManager().VoterTypeCount(), 24);
    for (const char* name : {"GDP", "_HighIncome", "_LowIncome", "_MiddleIncome", "_All_", "Poor",
                             "MiddleIncome", "Wealthy", "IncomeTax", "SalesTax", "CorporationTax",
                             "PropertyTax", "CarTax", "PetrolTax", "InheritanceTax", "CarbonTax"})
        EXPECT_NE(FindNeuron(name), nullptr) << name;
}

TEST_F(ShippedContentTest, EveryTextOfTheStringsSectionIsRead) {
    // A section too large for the reader loses its last texts, which then show as bare keys.
    ResetTranslations();
    std::ifstream in(std::string(MARROWGATE_SOURCE_DIR) + "/data/strings.ini");
    std::string line;
    bool inStrings = false;
    int keys = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            inStrings = line.rfind("[strings]", 0) == 0;
            continue;
        }
        const size_t equals = line.find('=');
        if (!inStrings || line.empty() || line[0] == ';' || equals == std::string::npos ||
            equals + 1 >= line.size())
            continue;
        const std::string key = line.substr(0, equals);
        EXPECT_NE(Translate(key), key) << key;
        ++keys;
    }
    EXPECT_GT(keys, 1000);
    EXPECT_EQ(t.LogText().find("is larger than"), std::string::npos);
}

TEST_F(ShippedContentTest, FortyTurnsWithoutThePlayerStaySane) {
    SeedRandom(40);
    NewGameSetup(kDefaultMission);
    const Finances& f = GetFinances();
    float startDebt = f.NationalDebt;
    for (int turn = 0; turn < 40 && !IsGameOver(); ++turn) {
        ProcessNewTurn();
        // A government that does nothing drifts into debt, but not through the ceiling within
        // its first term.
        if (GetTurnNumber() == 16) {
            EXPECT_LT(f.NationalDebt, f.DebtCeiling);
        }
    }

    int moving = 0;
    int values = 0;
    for (Neuron* n : AllNeurons()) {
        ASSERT_FALSE(std::isnan(n->value)) << n->name;
        if (n->typeCode != NeuronType::SimVal)
            continue;
        ++values;
        float lo = n->history[0], hi = n->history[0];
        for (int i = 1; i < 12; ++i) {
            lo = std::min(lo, n->history[i]);
            hi = std::max(hi, n->history[i]);
        }
        moving += hi - lo > 1e-4f;
    }
    // The economic cycle and the population keep most of the country moving.
    EXPECT_GT(moving, values * 3 / 4) << moving << " of " << values << " values move";
    // Ten idle years may end in a debt crisis, which bites through the economy rather than by
    // compounding without bound.
    EXPECT_LT(f.NationalDebt, startDebt * 2.5f);
    EXPECT_GT(f.MonthlyIncome, 0.0f);
    // Ten years without action bring elections and a believable share of the vote.
    EXPECT_GE(GetElectionManager().termsWon + (IsGameOver() ? 1 : 0), 1);
    EXPECT_GT(GetPotentialVoteRate(), 0.2f);
    EXPECT_LT(GetPotentialVoteRate(), 0.8f);
}

TEST_F(ShippedContentTest, EveryCountryStartsCleanAndPlaysAFewTurns) {
    const std::vector<MissionChoice> countries = ListMissions("");
    ASSERT_GE(countries.size(), 4u);
    EXPECT_EQ(countries.front().name, kDefaultMission);
    const std::vector<std::string> defaultSurnames = [] {
        LoadNames("data/simulation/names.txt");
        return GetNameLists().surnames;
    }();
    for (const MissionChoice& country : countries) {
        SCOPED_TRACE(country.name);
        SeedRandom(3);
        const size_t logBefore = t.LogText().size();
        GetMission().Reset();
        NewGameSetup(country.name);
        ExpectNoComplaint(t.LogText().substr(logBefore), country.name);
        EXPECT_TRUE(t.frontEnd.boxes.empty());
        const CMission& mission = GetMission();
        EXPECT_EQ(mission.name, country.country);
        EXPECT_FALSE(mission.currency.empty());
        // Each country but the default has its own people.
        ASSERT_FALSE(GetNameLists().surnames.empty());
        if (country.name != kDefaultMission) {
            EXPECT_NE(GetNameLists().surnames, defaultSurnames);
        }

        const float startDebt = GetFinances().NationalDebt;
        EXPECT_GT(startDebt, 0.0f);
        EXPECT_LT(startDebt, GetFinances().DebtCeiling);
        for (int turn = 0; turn < 4; ++turn)
            ProcessNewTurn();
        for (Neuron* n : AllNeurons())
            ASSERT_FALSE(std::isnan(n->value)) << n->name;
        EXPECT_GT(GetFinances().MonthlyIncome, 0.0f);
        EXPECT_GT(GetPotentialVoteRate(), 0.05f);
        EXPECT_LT(GetPotentialVoteRate(), 0.95f);
        EXPECT_FALSE(IsGameOver());
    }
}

// The settling of a new game reads links that average a value's past quarters while those
// quarters still hold the network's first guesses, so the opening screen can show a country worse
// than it is. A crisis on that screen must be a real one: no situation on at the start of a game
// the player leaves alone may end in its first quarter.
TEST_F(ShippedContentTest, TheDefaultCountrysOpeningCrisesAreReal) {
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        SeedRandom(seed);
        GetMission().Reset();
        NewGameSetup(kDefaultMission);
        std::vector<std::string> opening;
        for (SIM_Situation* situation : SIM_Situation::All())
            if (situation->active)
                opening.push_back(situation->name);
        ProcessNewTurn();
        for (const std::string& name : opening)
            EXPECT_TRUE(SituationOn(name.c_str())) << name << " ended in the first quarter";
    }
}

} // namespace
