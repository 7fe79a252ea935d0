#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/cabinet.h"
#include "government/cabinet_actions.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "network/neuron.h"
#include "population/grudge.h"
#include "population/voter_type.h"
#include "test_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

const char kStrings[] = "[strings]\n"
                        "GUI_CABINET_ECONOMY=Economy Minister\n"
                        "MINISTER_RESIGNS_GUINAME=The <JOBTITLE> resigns\n"
                        "MINISTER_RESIGNS_DESCRIPTION=<FULLNAME> has quit as <JOBTITLE>.\n"
                        "MINISTER_WARNING=<NAME>, <JOB>, frets about <GROUP1> and <GROUP2>\n"
                        "MINISTER_WARNING_TITLE=Unrest: <NAME>\n";

const std::map<std::string, std::string> kTuning = {
    {"policies", "data/policies.csv"},
    {"MINISTER_EXPERIENCE_RATE", "0.1"},
    {"MINISTER_LOYALTY_GAIN_THRESHHOLD", "0.6"},
    {"MINISTER_LOYALTY_GAINRATE", "0.05"},
    {"MINISTER_LOYALTY_DROP_THRESHHOLD", "0.45"},
    {"MINISTER_LOYALTY_DROP_RATE", "0.05"},
    {"MINISTER_LOW_LOYALTY", "0.3"},
    {"MINISTER_RESIGN_THRESHHOLD", "0.15"},
    {"MINISTER_RESIGN_CHANCE", "0"},
    {"MINISTER_VOTER_BOOST", "0.05"},
    {"POLITICAL_CAPITAL_PER_MINISTER", "8"},
    {"FIRE_MINISTER_POINTS_NEEDED", "10.9"},
};

struct Issue {
    SIM_Minister* minister;
    int kind;
    std::string text, title;
};

// The issues the ministers raised, as the desk lists them.
std::vector<Issue> MinisterIssues() {
    std::vector<Issue> found;
    SIM_IssuesManager& desk = GetIssuesManager();
    for (size_t i = 0; i < desk.Count(); ++i) {
        const SIM_Issue* issue = desk.At(i);
        if (issue->subject->typeCode == NeuronType::Minister)
            found.push_back({static_cast<SIM_Minister*>(issue->subject), issue->kind, issue->text,
                             issue->title});
    }
    return found;
}

class CabinetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetTranslations();
        SetUserDir(t.dir.Path() + "/user");
        t.dir.Write("data/simulation/sliders.csv", "#,rate,5,none,low,mid,high,max\n");
        t.dir.Write("data/policies.csv",
                    "header\n#,Banks,Banks,rate,d,-,0,0,0,0,ECONOMY,0,0,-,4,0,0,-,#Effects\n");
        t.dir.Write("data/strings.ini", kStrings);
        t.dir.Write("data/bitmaps/ministers/female/f1.bmp", "x");
        t.dir.Write("data/bitmaps/ministers/female/f2.bmp", "x");
        t.dir.Write(kFireMinisterScript, "PlaySound(fired.ogg)\n");
        t.dir.Write(kMinisterResignsScript, "\n");
        Tune({});
        GetPolicyManager().LoadPolicies();
        GetPolicyManager().LinkAllPolicies();
        for (const char* name : {"Poor", "Wealthy", "Retired"}) {
            groups.push_back(new SIM_VoterType());
            groups.back()->SetName(name);
            groups.back()->SetGuiName(name);
        }
        groups[0]->correlations = {{"Wealthy", -0.5f}};
        groups[1]->correlations = {{"Poor", -0.5f}};
        GetNameLists().maleForenames = {"Adam", "Bram", "Cole"};
        GetNameLists().femaleForenames = {"Dora", "Edna"};
        GetNameLists().surnames = {"Hale", "Stone", "Marsh"};
        SeedRandom(4242);
    }
    void TearDown() override {
        TearDownGame();
        ResetTranslations();
    }

    // Rewrites the setup table with the test's tuning, some entries replaced.
    void Tune(const std::map<std::string, std::string>& changes) {
        std::map<std::string, std::string> merged = kTuning;
        for (const auto& [key, value] : changes)
            merged[key] = value;
        std::string text = "[setup]\n";
        for (const auto& [key, value] : merged)
            text += key + "=" + value + "\n";
        t.dir.Write("data/data.ini", text);
        LoadSetupTable();
    }
    static SIM_PolicyGroup* Economy() { return GetPolicyManager().FindGroup("ECONOMY"); }
    static std::vector<SIM_Minister*>& Ministers() { return GetCabinet().ministers; }
    // A fresh cabinet: ten candidates, seven of them in office; returns one left out.
    static SIM_Minister* NewCabinet() {
        GenerateMinisters();
        AppointBestToAllPosts();
        for (SIM_Minister* m : Ministers())
            if (!m->HasPost())
                return m;
        return nullptr;
    }
    static int AllowanceOfMinistersInOffice() {
        int sum = 0;
        for (SIM_Minister* m : Ministers())
            sum += m->HasPost() ? m->GetPoliticalCapital() : 0;
        return sum;
    }

    // The resignations announced so far, as events in the order they fired.
    static const std::vector<SIM_Event*>& Resignations() {
        return GetEventManager().Announcements();
    }

    LoggedTest t;
    std::vector<SIM_VoterType*> groups;
};

TEST_F(CabinetTest, GeneratedCandidatesAreDistinctPeopleWithCompatibleSympathies) {
    for (int i = 0; i < 4; ++i)
        GenerateMinisters();
    ASSERT_EQ(Ministers().size(), 40u);
    std::set<std::string> names;
    for (SIM_Minister* m : Ministers()) {
        names.insert(m->fullName);
        EXPECT_FALSE(m->HasPost());
        EXPECT_TRUE(m->experience >= 0.2f && m->experience <= 0.6f) << m->experience;
        EXPECT_TRUE(m->volatility >= 0.5f && m->volatility <= 2.0f) << m->volatility;
        // Poor and Wealthy dislike each other, so they never come as a pair.
        ASSERT_TRUE(m->sympathy1 && m->sympathy2);
        EXPECT_NE(m->sympathy1, m->sympathy2);
        EXPECT_GE(m->sympathy1->GetCorrelation(m->sympathy2), 0.0f);
        // Preferred posts: three different groups, best first.
        std::set<SIM_PolicyGroup*> posts(m->preferredPosts, m->preferredPosts + 3);
        EXPECT_EQ(posts.size(), 3u);
        for (int i = 1; i < 3; ++i)
            EXPECT_LE(m->GetSuitability(m->preferredPosts[i]->index),
                      m->GetSuitability(m->preferredPosts[i - 1]->index));
        EXPECT_FLOAT_EQ(m->GetSuitability(m->preferredPosts[0]->index),
                        *std::max_element(m->suitability, m->suitability + kPolicyGroupCount));
    }
    // Six first names and three surnames cannot make 40 people: numbering keeps them apart.
    EXPECT_EQ(names.size(), 40u);
}

TEST_F(CabinetTest, MoodIsHalfPlusAQuarterOfEachSympathy) {
    auto* m = new SIM_Minister();
    ASSERT_EQ(m->inputs.size(), 2u);
    m->sympathy1->value = 0.4f;
    m->sympathy2->value = -0.8f;
    m->SnapInputs();
    EXPECT_NEAR(m->Process(), 0.5f + 0.1f - 0.2f, 1e-6f);
    EXPECT_EQ(m->GetSuitability(-1), 0.0f);
    EXPECT_EQ(m->GetSuitability(kPolicyGroupCount), 0.0f);
}

TEST_F(CabinetTest, SympathyDrawEndsWhenNoSecondGroupFits) {
    // Every group dislikes every other: no second sympathy can ever be drawn.
    groups[0]->correlations = {{"Wealthy", -1.0f}, {"Retired", -1.0f}};
    groups[1]->correlations = {{"Poor", -1.0f}, {"Retired", -1.0f}};
    groups[2]->correlations = {{"Poor", -1.0f}, {"Wealthy", -1.0f}};
    auto* m = new SIM_Minister();
    EXPECT_NE(m->sympathy1, nullptr);
    EXPECT_EQ(m->sympathy2, nullptr);
    EXPECT_EQ(m->inputs.size(), 1u);
    // Taking office with one sympathy is a logged fault, and lifts the one group it has.
    m->SetPost(Economy());
    EXPECT_NE(t.LogText().find("Assertion failure"), std::string::npos);
    EXPECT_NE(m->boostNodes[0], nullptr);
    EXPECT_EQ(m->boostNodes[1], nullptr);
}

TEST_F(CabinetTest, PortraitsComeFromThePoolWithoutRepeatsAndEmptyFoldersGiveNone) {
    SIM_CabinetManager& cabinet = GetCabinet();
    std::set<std::string> firstRound = {cabinet.DrawPortrait(true), cabinet.DrawPortrait(true)};
    EXPECT_EQ(firstRound, (std::set<std::string>{"f1.bmp", "f2.bmp"}));
    // The emptied pool is refilled from the folder.
    EXPECT_EQ(firstRound.count(cabinet.DrawPortrait(true)), 1u);
    // No male folder at all: nothing to draw, and a minister keeps the stand-in portrait.
    EXPECT_EQ(cabinet.DrawPortrait(false), "");
    for (int i = 0; i < 20; ++i) {
        auto* m = new SIM_Minister();
        EXPECT_TRUE(m->female ? firstRound.count(m->portrait) == 1
                              : m->portrait == kDefaultMinisterPortrait)
            << m->portrait;
    }
}

TEST_F(CabinetTest, BestCandidateTakesEachPostAndLiftsItsGroups) {
    NewCabinet();
    EXPECT_EQ(GetCabinet().CandidateCount(), 3);
    std::set<SIM_Minister*> serving;
    for (int i = 0; i < kPolicyGroupCount; ++i) {
        SIM_PolicyGroup& group = GetPolicyManager().Group(i);
        ASSERT_NE(group.minister, nullptr);
        EXPECT_EQ(group.minister->currentPost, &group);
        serving.insert(group.minister);
    }
    EXPECT_EQ(serving.size(), 7u);
    // The last post chose among the last four free ministers by its own suitability.
    SIM_PolicyGroup& last = GetPolicyManager().Group(kPolicyGroupCount - 1);
    for (SIM_Minister* m : Ministers())
        if (!m->HasPost()) {
            EXPECT_LE(m->GetSuitability(last.index), last.minister->GetSuitability(last.index));
        }

    SIM_Minister* m = Economy()->minister;
    EXPECT_EQ(std::string(m->guiName), m->fullName + " (Economy Minister)");
    for (int i = 0; i < 2; ++i) {
        ASSERT_NE(m->boostNodes[i], nullptr);
        EXPECT_FLOAT_EQ(m->boostNodes[i]->value, 0.05f);
        EXPECT_FLOAT_EQ(m->boostNodes[i]->decay, 1.0f);
    }
    EXPECT_EQ(m->boostNodes[0]->holderName, m->sympathy1->name);
    EXPECT_EQ(m->boostNodes[1]->holderName, m->sympathy2->name);
    EXPECT_EQ(AllGrudges().size(), 14u);

    // Out of office, the name stands alone and the boosts are gone.
    Economy()->minister = nullptr;
    m->SetPost(nullptr);
    EXPECT_EQ(std::string(m->guiName), m->fullName);
    EXPECT_EQ(AllGrudges().size(), 12u);

    AppointBestToPost(nullptr);
    EXPECT_NE(t.LogText().find("Assertion failure"), std::string::npos);
}

TEST_F(CabinetTest, LoyaltyFollowsMoodWithinBoundsAndOnlyInOffice) {
    auto* m = new SIM_Minister();
    m->volatility = 2.0f;
    m->experience = 0.95f;
    m->value = 0.7f;
    // A candidate neither learns nor changes heart.
    m->TurnStep();
    EXPECT_FLOAT_EQ(m->loyalty, 0.5f);
    EXPECT_FLOAT_EQ(m->experience, 0.95f);
    m->SetPost(Economy());
    // Mood, turns stepped, loyalty after: gains and drops are the rate × volatility, held to
    // 0 … 1; between the thresholds nothing changes.
    const struct {
        float mood;
        int turns;
        float loyalty;
    } steps[] = {
        {0.7f, 1, 0.6f}, {0.7f, 10, 1.0f}, {0.5f, 1, 1.0f}, {0.2f, 1, 0.9f}, {0.2f, 20, 0.0f}};
    for (const auto& step : steps) {
        m->value = step.mood;
        for (int i = 0; i < step.turns; ++i)
            m->TurnStep();
        EXPECT_NEAR(m->loyalty, step.loyalty, 1e-6f) << step.mood << " × " << step.turns;
    }
    EXPECT_FLOAT_EQ(m->experience, 1.0f);
}

TEST_F(CabinetTest, LowLoyaltyWarnsAtMostOnceEveryFourTurnsAndTheEconomyPostWarnsOfDebt) {
    auto warnOfDebt = [] { WarnMinisterOfPost("ECONOMY", "DEBT_CEILING_WARNING", "DEBT_TITLE"); };
    warnOfDebt();
    EXPECT_TRUE(MinisterIssues().empty()) << "an empty post warns nobody";
    auto* m = new SIM_Minister();
    m->SetPost(Economy());
    m->value = 0.5f;
    m->loyalty = 0.2f;
    std::vector<int> warnedOn;
    for (int turn = 1; turn <= 12; ++turn) {
        GetTurnState().turnNumber = turn;
        size_t before = MinisterIssues().size();
        EXPECT_FALSE(m->TurnStep());
        if (MinisterIssues().size() > before)
            warnedOn.push_back(turn);
    }
    EXPECT_EQ(warnedOn, (std::vector<int>{4, 8, 12}));
    std::vector<Issue> issues = MinisterIssues();
    EXPECT_EQ(issues[0].kind, kIssueMinisterNews);
    EXPECT_EQ(issues[0].minister, m);
    EXPECT_EQ(issues[0].title, "Unrest: " + m->fullName);
    EXPECT_EQ(issues[0].text, m->fullName + ", Economy Minister, frets about " +
                                  m->sympathy1->guiName + " and " + m->sympathy2->guiName);
    Economy()->minister = m;
    warnOfDebt();
    issues = MinisterIssues();
    EXPECT_EQ(issues.back().kind, kIssueMinisterWarning);
    EXPECT_EQ(issues.back().minister, m);
    EXPECT_EQ(issues.size(), 4u);
}

TEST_F(CabinetTest, OnlyOneResignationATurnAndTheLeaverGoesNextTurn) {
    Tune({{"MINISTER_RESIGN_CHANCE", "2"}});
    NewCabinet();
    SIM_Minister* a = GetPolicyManager().Group(0).minister;
    SIM_Minister* b = GetPolicyManager().Group(1).minister;
    for (SIM_Minister* m : {a, b}) {
        m->loyalty = 0.1f;
        m->value = 0.5f;
    }
    UpdateMinisters();
    ASSERT_EQ(Resignations().size(), 1u);
    ASSERT_EQ(GetCabinet().resigned.size(), 1u);
    SIM_Minister* gone = GetCabinet().resigned[0];
    ASSERT_TRUE(gone == a || gone == b);
    SIM_Minister* stays = gone == a ? b : a;
    EXPECT_FALSE(gone->HasPost());
    EXPECT_EQ(GetCabinet().FindMinister(gone->fullName), nullptr);
    EXPECT_EQ(GetCabinet().resigned, std::vector<SIM_Minister*>{gone});
    EXPECT_TRUE(stays->HasPost());
    EXPECT_TRUE(GetCabinet().resignationCandidates.empty());
    std::string title = GetPolicyManager().Group(gone == a ? 0 : 1).cabinetTitle;
    EXPECT_EQ(std::string(Resignations()[0]->guiName), "The " + title + " resigns");
    EXPECT_EQ(Resignations()[0]->description, gone->fullName + " has quit as " + title + ".");

    UpdateMinisters();
    // The last turn's leaver is destroyed; this turn's waits in the network until the next.
    EXPECT_EQ(GetCabinet().resigned, std::vector<SIM_Minister*>{stays});
    size_t inNetwork = std::count_if(AllNeurons().begin(), AllNeurons().end(),
                                     [](Neuron* n) { return n->typeCode == NeuronType::Minister; });
    EXPECT_EQ(inNetwork, Ministers().size() + 1);
    ASSERT_EQ(Resignations().size(), 2u);
    std::string otherTitle = GetPolicyManager().Group(stays == a ? 0 : 1).cabinetTitle;
    EXPECT_EQ(Resignations()[1]->description, stays->fullName + " has quit as " + otherTitle + ".");
}

TEST_F(CabinetTest, PoolIsToppedUpBelowThreeAndSometimesBelowFive) {
    GenerateMinisters();
    auto dropTo = [](int count) {
        while (static_cast<int>(Ministers().size()) > count)
            delete Ministers().back();
    };
    dropTo(5);
    for (int i = 0; i < 50; ++i)
        UpdateMinisters();
    EXPECT_EQ(Ministers().size(), 5u);
    int created = 0;
    for (int i = 0; i < 400; ++i) {
        dropTo(4);
        UpdateMinisters();
        created += static_cast<int>(Ministers().size()) - 4;
    }
    EXPECT_GT(created, 15);
    EXPECT_LT(created, 80);
    dropTo(2);
    UpdateMinisters();
    EXPECT_EQ(Ministers().size(), 3u);
}

TEST_F(CabinetTest, CapitalIsAtLeastOnePointAndShrinksAfterTheHoneymoon) {
    auto* m = new SIM_Minister();
    // (loyalty − 0.15) × 8, truncated, never below 1.
    const std::pair<float, int> byLoyalty[] = {{0.15f, 1}, {0.0f, 1}, {0.5f, 2}, {1.0f, 6}};
    for (auto [loyalty, points] : byLoyalty) {
        m->loyalty = loyalty;
        EXPECT_EQ(m->GetPoliticalCapital(), points) << loyalty;
    }
    t.dir.Write("data/options.txt", "[options]\nHONEYMOON=1\n");
    LoadOptions();
    // 6.8 × 1.2 at the start, × 0.85 after one term, × 0.5 past two; a mission without a term
    // length counts four years rather than dividing by zero.
    const int byTurn[][3] = {{4, 0, 8}, {4, 16, 5}, {4, 40, 3}, {0, 16, 5}};
    for (const auto& [termYears, turn, points] : byTurn) {
        GetMission().termLength = termYears;
        GetTurnState().turnNumber = turn;
        EXPECT_EQ(m->GetPoliticalCapital(), points) << termYears << "/" << turn;
    }
}

TEST_F(CabinetTest, MinisterFactorReachesThePolicies) {
    GenerateMinisters();
    SIM_Policy* banks = GetPolicyManager().FindPolicy("Banks");
    ASSERT_NE(banks, nullptr);
    EXPECT_FLOAT_EQ(banks->MinisterFactor(), 0.5f);
    SIM_Minister* m = Ministers().front();
    ASSERT_TRUE(AppointMinisterAction(m->fullName, "ECONOMY").ok);
    m->experience = 0.6f;
    m->suitability[Economy()->index] = 0.5f;
    EXPECT_FLOAT_EQ(banks->MinisterFactor(), 0.65f);
    m->experience = 1.0f;
    m->suitability[Economy()->index] = 1.0f;
    EXPECT_FLOAT_EQ(banks->MinisterFactor(), 1.0f);
}

TEST_F(CabinetTest, FiringIsCheckedThenEmptiesThePostAndDestroysTheMinister) {
    SIM_Minister* candidate = NewCabinet();
    ASSERT_NE(candidate, nullptr);
    SIM_Minister* m = Economy()->minister;
    std::string name = m->fullName;
    EXPECT_FALSE(FireMinisterAction("Nobody Atall").ok);
    EXPECT_FALSE(FireMinisterAction(candidate->fullName).ok);
    GetPoliticalCapital().capital = 9; // 10.9 is needed as 10
    ActionResult refused = FireMinisterAction(name);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find("10"), std::string::npos);
    EXPECT_EQ(Economy()->minister, m);

    GetPoliticalCapital().capital = 10;
    size_t grudges = AllGrudges().size();
    ActionResult done = FireMinisterAction(name);
    EXPECT_TRUE(done.ok) << done.message;
    EXPECT_EQ(Economy()->minister, nullptr);
    EXPECT_EQ(GetCabinet().FindMinister(name), nullptr);
    EXPECT_EQ(AllGrudges().size(), grudges - 2);
    EXPECT_EQ(t.frontEnd.sounds, std::vector<std::string>{"data/sounds/fired.ogg"})
        << "the firing script runs";
    EXPECT_EQ(GetPoliticalCapital().capital, 10);
    // The allowance is recalculated from the ministers left in office.
    EXPECT_EQ(GetPoliticalCapital().capitalPerTurn, AllowanceOfMinistersInOffice());
}

TEST_F(CabinetTest, AFiredMinisterLeavesNothingPointingAtHim) {
    NewCabinet();
    SIM_Minister* m = Economy()->minister;
    ASSERT_NE(m, nullptr);
    // The news of the turn is about him, and so is a grudge a script raised against him.
    SIM_IssuesManager& news = GetIssuesManager();
    news.ClearIssues();
    SIM_Minister* other = GetPolicyManager().FindGroup("WELFARE")->minister;
    news.AddIssue(other, kIssueKindMinisterNews, "other.png");
    news.AddIssue(m, kIssueKindMinisterNews, "m.png");
    news.AddIssue(m, kIssueKindMinisterWarning, "m.png");
    SIM_Grudge* about = CreateGrudge(m->name, "Retired", -0.2f, 0.9f);
    ASSERT_NE(about, nullptr);
    ASSERT_EQ(about->target, m);

    GetPoliticalCapital().capital = 50;
    ASSERT_TRUE(FireMinisterAction(m->fullName).ok);
    ASSERT_EQ(news.Count(), 1u);
    EXPECT_EQ(news.At(0)->subject, other);
    EXPECT_EQ(about->target, nullptr);
    EXPECT_TRUE(IsLiveGrudge(about));
}

TEST_F(CabinetTest, AppointmentReplacesTheHolderAndEmptiesAFormerPost) {
    SIM_Minister* candidate = NewCabinet();
    ASSERT_NE(candidate, nullptr);
    SIM_PolicyGroup* welfare = GetPolicyManager().FindGroup("WELFARE");
    SIM_Minister* economyHolder = Economy()->minister;
    SIM_Minister* welfareHolder = welfare->minister;
    EXPECT_FALSE(AppointMinisterAction("Nobody Atall", "ECONOMY").ok);
    EXPECT_FALSE(AppointMinisterAction(candidate->fullName, "TREASURY").ok);
    EXPECT_FALSE(AppointMinisterAction(economyHolder->fullName, "ECONOMY").ok);

    ActionResult done = AppointMinisterAction(candidate->fullName, "ECONOMY");
    EXPECT_TRUE(done.ok) << done.message;
    EXPECT_EQ(Economy()->minister, candidate);
    EXPECT_EQ(candidate->currentPost, Economy());
    EXPECT_FALSE(economyHolder->HasPost());
    EXPECT_EQ(economyHolder->boostNodes[0], nullptr);
    EXPECT_NE(done.message.find(economyHolder->fullName), std::string::npos);

    // Moving a serving minister leaves the old post empty.
    EXPECT_TRUE(AppointMinisterAction(welfareHolder->fullName, "ECONOMY").ok);
    EXPECT_EQ(welfare->minister, nullptr);
    EXPECT_EQ(Economy()->minister, welfareHolder);
    EXPECT_FALSE(candidate->HasPost());
    EXPECT_EQ(AllGrudges().size(), 12u);
    EXPECT_EQ(GetPoliticalCapital().capitalPerTurn, AllowanceOfMinistersInOffice());
}

TEST_F(CabinetTest, FadedBoostIsNotFreedTwice) {
    Tune({{"MINISTER_VOTER_BOOST", "0.005"}});
    NewCabinet();
    SIM_Minister* m = Economy()->minister;
    ASSERT_NE(m->boostNodes[0], nullptr);
    UpdateAllGrudges();
    EXPECT_TRUE(AllGrudges().empty());
    EXPECT_EQ(m->boostNodes[0], nullptr);
    EXPECT_EQ(m->boostNodes[1], nullptr);
    Economy()->minister = nullptr;
    m->SetPost(nullptr);
    GetPoliticalCapital().capital = 50;
    EXPECT_TRUE(FireMinisterAction(GetPolicyManager().Group(0).minister->fullName).ok);
}

} // namespace
