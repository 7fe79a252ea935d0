// The government's windows against a real game of the shipped country: the budget lines add up
// to the books, the room under the debt ceiling and the turns left, the dismissal and
// appointment rules as the core applies them, the quarterly report giving way to an election,
// one window per name, the stand-in for a missing portrait, and windows over an empty game.

#include "test_helpers.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/json_writer.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "game/turn_pipeline.h"
#include "government/achievements.h"
#include "government/cabinet.h"
#include "government/cabinet_actions.h"
#include "government/finances.h"
#include "government/manifesto.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/situation.h"
#include "interface/ui_dump.h"
#include "interface/widgets/gui_window_screen.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "interface/windows/government_window.h"
#include "interface/windows/government_windows.h"
#include "network/neuron.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

namespace {

class GovernmentWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(std::string(MARROWGATE_SOURCE_DIR) + "/data",
                                                  t.dir.Path() + "/data");
        CloseLog();
        OpenLog();
        ResetTranslations();
        SetRenderDevice(&device);
        GetInput() = InputState();
        SetGameWindowManager(&screen.Windows());
        LastCabinetNews().clear();
    }
    void TearDown() override {
        SetGameWindowManager(nullptr);
        RunDeferredCalls();
        TearDownGame();
        ClearAchievements();
        ResetTranslations();
        SetRenderDevice(nullptr);
    }

    void StartGame() {
        SetUserDir(t.dir.Path() + "/user");
        LoadSetupTable();
        GetSetupTable().SetFloat("AIENTITIES", 300.0f);
        LoadOptions();
        GetManifesto().LoadOptions();
        LoadAchievements();
        SeedRandom(5);
        GetMission().SetMissionFile(MissionFile(kDefaultMission));
        GetMission().Load();
        NewGameSetup(kDefaultMission);
    }

    std::string Dump() { return DescribeScreenJson(1, 6, "Game", &screen); }

    static int Count(const std::string& text, const std::string& what) {
        int n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }

    LoggedTest t;
    RecordingRenderDevice device;
    GUI_WindowScreen screen;
};

TEST_F(GovernmentWindowsTest, TheBudgetLinesAddUpToTheBooksWithTheHeaviestFirst) {
    StartGame();
    // A situation in force must be on the books too.
    for (SIM_Situation* situation : SIM_Situation::All()) {
        if (!situation->active && (situation->CostAtMax != 0 || situation->CostAtMin != 0)) {
            situation->Start();
            break;
        }
    }
    const std::vector<BudgetLine> lines = BudgetLines();
    const Finances& books = GetFinances();
    double cost = 0, income = 0;
    int interest = 0, situations = 0;
    for (const BudgetLine& line : lines) {
        cost += line.cost;
        income += line.income;
        interest += line.kind == BudgetLineKind::Interest;
        situations += line.kind == BudgetLineKind::Situation;
        EXPECT_FALSE(line.explanation.empty()) << line.label;
    }
    EXPECT_EQ(interest, 1);
    EXPECT_GE(situations, 1);
    EXPECT_NEAR(cost, books.MonthlyExpenses, std::fabs(books.MonthlyExpenses) * 1e-4);
    EXPECT_NEAR(income, books.MonthlyIncome, std::fabs(books.MonthlyIncome) * 1e-4);

    const std::vector<BudgetLine> heavy = BudgetLinesByWeight();
    ASSERT_EQ(heavy.size(), lines.size());
    for (size_t i = 1; i < heavy.size(); ++i)
        EXPECT_GE(heavy[i - 1].cost, heavy[i].cost) << heavy[i].label;

    // The window shows the same lines and explains a tax by its curve's inputs.
    OpenFinance();
    const std::string dump = Dump();
    EXPECT_EQ(Count(dump, "\"tag\": "), static_cast<int>(lines.size()));
    const BudgetLine* tax = nullptr;
    for (const BudgetLine& line : lines)
        tax = line.node == "IncomeTax" ? &line : tax;
    ASSERT_NE(tax, nullptr);
    EXPECT_NE(tax->explanation.find(FormatMoney(tax->income)), std::string::npos)
        << tax->explanation;
}

TEST_F(GovernmentWindowsTest, TheRoomUnderTheCeilingAndTheTurnsLeft) {
    // 100 of room and a deficit of 50: level with the ceiling after two turns, past it on the
    // third, since only a debt above the ceiling counts.
    FinanceSummary s = SummariseFigures(100, 150, 10, 0, 900, 1000);
    EXPECT_FLOAT_EQ(s.creditLeft, 100);
    EXPECT_EQ(s.turnsToCeiling, 3);
    // Money in the treasury is spent before anything is borrowed.
    EXPECT_EQ(SummariseFigures(100, 150, 0, 60, 900, 1000).turnsToCeiling, 4);
    // Already past the ceiling: no room, and the day has come.
    s = SummariseFigures(100, 150, 0, 0, 1200, 1000);
    EXPECT_FLOAT_EQ(s.creditLeft, 0);
    EXPECT_EQ(s.turnsToCeiling, 0);
    // A balanced budget never gets there.
    EXPECT_EQ(SummariseFigures(100, 100, 0, 0, 900, 1000).turnsToCeiling, -1);
    // The debt ratio without income: any debt saturates, none is none.
    EXPECT_FLOAT_EQ(SummariseFigures(0, 10, 0, 0, 5, 1000).debtRatio, 1.0f);
    EXPECT_FLOAT_EQ(SummariseFigures(0, 10, 0, 0, 0, 1000).debtRatio, 0.0f);
    EXPECT_FLOAT_EQ(SummariseFigures(10, 10, 0, 0, 60, 1000).debtRatio, 0.5f);
}

TEST_F(GovernmentWindowsTest, FiringIsShownAsTheCoreDecidesItAndSpendsNothing) {
    StartGame();
    SIM_PolicyGroup* post = FindGroup("ECONOMY");
    ASSERT_NE(post, nullptr);
    ASSERT_NE(post->minister, nullptr);
    SIM_Minister* minister = post->minister;
    const std::string name = minister->fullName;
    const int needed = FireMinisterPointsNeeded();
    ASSERT_GT(needed, 0);

    GetPoliticalCapital().capital = needed - 1;
    FireRule rule = FireRuleFor(*minister);
    EXPECT_FALSE(rule.allowed);
    EXPECT_NE(rule.text.find(std::to_string(needed - 1)), std::string::npos) << rule.text;
    EXPECT_FALSE(FireFromWindow(name));
    EXPECT_EQ(post->minister, minister) << "a refused dismissal changes nothing";
    EXPECT_NE(LastCabinetNews().find("Nothing was done"), std::string::npos);

    GetPoliticalCapital().capital = needed;
    rule = FireRuleFor(*minister);
    EXPECT_TRUE(rule.allowed);
    OpenCabinet();
    EXPECT_TRUE(FireFromWindow(name));
    EXPECT_EQ(post->minister, nullptr);
    EXPECT_EQ(GetCabinet().FindMinister(name), nullptr);
    EXPECT_EQ(GetPoliticalCapital().capital, needed) << "the capital is needed, not spent";
    // The open cabinet window has already caught up.
    RunDeferredCalls();
    const std::string dump = Dump();
    EXPECT_NE(dump.find("\"text\": \"" + LastCabinetNews() + "\""), std::string::npos);
    EXPECT_NE(dump.find("Vacant"), std::string::npos);
}

TEST_F(GovernmentWindowsTest, AppointingReplacesTheHolderAndRecountsTheCapital) {
    StartGame();
    SIM_PolicyGroup* post = FindGroup("TAX");
    SIM_PolicyGroup* other = FindGroup("WELFARE");
    ASSERT_TRUE(post && other && post->minister && other->minister);
    SIM_Minister* holder = post->minister;

    EXPECT_FALSE(AppointRuleFor(*holder, *post).allowed) << "already in that post";
    const std::vector<SIM_Minister*> candidates = CandidatesFor(*post);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(std::count(candidates.begin(), candidates.end(), holder), 0);
    // Candidates without a post come first, each part best fit first.
    bool seenMinister = false;
    for (size_t i = 0; i < candidates.size(); ++i) {
        seenMinister = seenMinister || candidates[i]->HasPost();
        EXPECT_FALSE(seenMinister && !candidates[i]->HasPost()) << candidates[i]->fullName;
        if (i > 0 && candidates[i - 1]->HasPost() == candidates[i]->HasPost()) {
            EXPECT_GE(MinisterFactorFor(candidates[i - 1], post->index),
                      MinisterFactorFor(candidates[i], post->index));
        }
    }

    SIM_Minister* fresh = candidates.front();
    ASSERT_FALSE(fresh->HasPost());
    const AppointRule rule = AppointRuleFor(*fresh, *post);
    EXPECT_TRUE(rule.allowed);
    EXPECT_NE(rule.text.find(holder->fullName), std::string::npos) << rule.text;
    EXPECT_FLOAT_EQ(rule.effectivenessAfter, MinisterFactorFor(fresh, post->index));
    ASSERT_TRUE(AppointFromWindow(fresh->fullName, "TAX"));
    EXPECT_EQ(post->minister, fresh);
    EXPECT_FALSE(holder->HasPost()) << "the old holder waits in the pool";

    // A minister moved from another post leaves that one empty, and the allowance counts one
    // minister fewer.
    SIM_Minister* mover = other->minister;
    EXPECT_NE(AppointRuleFor(*mover, *post).text.find(other->cabinetTitle), std::string::npos);
    ASSERT_TRUE(AppointFromWindow(mover->fullName, "TAX"));
    EXPECT_EQ(other->minister, nullptr);
    int expected = 0;
    for (SIM_Minister* m : GetCabinet().ministers)
        expected += m->HasPost() ? m->GetPoliticalCapital() : 0;
    EXPECT_EQ(GetPoliticalCapital().capitalPerTurn, expected);

    EXPECT_FALSE(AppointFromWindow("Nobody At All", "TAX"));
    EXPECT_FALSE(AppointFromWindow(holder->fullName, "NOSUCHPOST"));
}

TEST_F(GovernmentWindowsTest, OneWindowPerNameAndTheReportsWaitForAnElection) {
    StartGame();
    ProcessNewTurn();
    OpenPolls();
    OpenPolls();
    OpenAppointMinister("TAX");
    OpenAppointMinister("ECONOMY");
    std::string dump = Dump();
    EXPECT_EQ(Count(dump, "\"kind\": \"Polls\""), 1);
    EXPECT_EQ(Count(dump, "\"kind\": \"AppointMinister\""), 1);
    EXPECT_NE(dump.find("\"post\": \"ECONOMY\""), std::string::npos) << "turned to the new post";

    // An election's count on screen holds the reports back.
    // Found by its kind, whatever name its window goes by.
    GUI_GameWindow* count = ShowGameWindow("ElectionResults:count", [] {
        return std::make_unique<GUI_GameWindow>(WindowKind::ElectionResults, "", 300, 200);
    });
    ASSERT_NE(count, nullptr);
    OpenQuarterlyReportWindow();
    EXPECT_EQ(FindGameWindow(WindowKind::Reports), nullptr);
    count->Close();
    RunDeferredCalls();
    OpenQuarterlyReportWindow();
    ASSERT_NE(FindGameWindow(WindowKind::Reports), nullptr);
    dump = Dump();
    EXPECT_EQ(Count(dump, "\"title\": \"" + Translate("REPORT_BUDGET_TITLE") + "\""), 1);
    EXPECT_EQ(Count(dump, "\"body\": "), 5);

    // Escape closes the topmost, and again the next.
    EXPECT_TRUE(screen.Windows().OnEscape());
    RunDeferredCalls();
    EXPECT_EQ(FindGameWindow(WindowKind::Reports), nullptr);
}

TEST_F(GovernmentWindowsTest, AMissingPortraitDrawsItsInitials) {
    EXPECT_EQ(Initials("Ada Moss"), "AM");
    EXPECT_EQ(Initials("  ada  de moss "), "ADM");
    EXPECT_EQ(Initials(""), "?");

    device.RegisterTexture("f01.bmp", 8, 8);
    EXPECT_TRUE(DrawPictureOrInitials("f01.bmp", "Ada Moss", 0, 0, 120, 150));
    device.Clear();
    EXPECT_FALSE(DrawPictureOrInitials("nobody.bmp", "Ada Moss", 0, 0, 120, 150));
    EXPECT_FALSE(DrawPictureOrInitials("", "Ada Moss", 0, 0, 120, 150));
    ASSERT_FALSE(device.rects.empty());
    EXPECT_TRUE(device.rects.front().filled);

    // In the cabinet window: the minister's portrait file is gone, and the card still draws.
    StartGame();
    SIM_PolicyGroup* post = FindGroup(kPolicyGroupKeys[0]);
    ASSERT_TRUE(post && post->minister);
    post->minister->portrait = "vanished.bmp";
    OpenCabinet();
    device.Clear();
    screen.Draw();
    EXPECT_NE(std::find(device.missingLookups.begin(), device.missingLookups.end(), "vanished.bmp"),
              device.missingLookups.end());
}

TEST_F(GovernmentWindowsTest, AchievementConditionsReadAsTheAwardTestsThem) {
    StartGame();
    Neuron* crime = FindNeuron("Crime");
    ASSERT_NE(crime, nullptr);
    crime->value = 0.5f;
    Achievement a;
    a.conditions = {{"Crime", 0.5f, kConditionLess},
                    {"Crime", 0.5f, kConditionGreater},
                    {"Crime", 0.4f, kConditionGreater},
                    {"NoSuchNode", 0.5f, kConditionLess},
                    {"Crime", 0.5f, kConditionUnknown}};
    const std::vector<ConditionProgress> progress = ProgressOf(a);
    ASSERT_EQ(progress.size(), a.conditions.size());
    for (size_t i = 0; i < progress.size(); ++i) {
        EXPECT_EQ(progress[i].met, TestAchievementCondition(a.conditions[i])) << i;
        EXPECT_FALSE(progress[i].text.empty());
    }
    EXPECT_TRUE(progress[2].met);
    EXPECT_NE(progress[0].text.find("0.50"), std::string::npos) << progress[0].text;
}

TEST_F(GovernmentWindowsTest, FiguresAreFormattedAsTheGameWritesThem) {
    StartGame();
    EXPECT_EQ(FormatShare(0.425f), "42%");
    EXPECT_EQ(FormatSharePoints(-0.0001f), "0.0 pts") << "no minus nought";
    EXPECT_EQ(FormatSharePoints(0.031f), "+3.1 pts");
    const std::string sign = GetMission().currency + " ";
    EXPECT_EQ(FormatMoneyShort(950), sign + "950 Mn");
    EXPECT_EQ(FormatMoneyShort(1640), sign + "1.6 Bn");
    EXPECT_EQ(FormatMoneyShort(17445650), sign + "17,446 Bn");
    EXPECT_EQ(FormatSignedMoney(-500), "-" + FormatMoney(500));
    // The last text of the windows' block is there: the strings file was read to its end.
    EXPECT_NE(Translate("INTEL_LAST_FAILED"), "INTEL_LAST_FAILED");
}

// Before any game exists (no cabinet, no voters, no reports) every window still opens, shows
// what it can and closes.
TEST_F(GovernmentWindowsTest, EveryWindowOpensOverAnEmptyGame) {
    OpenFinance();
    OpenPolls();
    OpenCabinet();
    OpenAppointMinister("ECONOMY");
    OpenParties();
    OpenAchievements();
    OpenReports();
    OpenIntelligence();
    screen.Draw();
    const std::string dump = Dump();
    for (const char* kind : {"Finance", "Polls", "Cabinet", "AppointMinister", "Parties",
                             "Achievements", "Reports", "Intelligence"})
        EXPECT_EQ(Count(dump, std::string("\"kind\": \"") + kind + "\""), 1) << kind;
    RefreshGameWindows();
    while (screen.Windows().OnEscape())
        RunDeferredCalls();
    EXPECT_EQ(FindGameWindow(WindowKind::Finance), nullptr);
}

} // namespace
