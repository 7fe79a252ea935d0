#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/finance_object.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/situation.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class FinancesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetConsecutiveRuns(0, 0);
        GetMission().wealth = 1.0f;
        Options("0.5", "0");
    }
    void TearDown() override { TearDownGame(); }
    void Options(const std::string& difficulty, const std::string& interest) {
        t.dir.Write("data/options.txt", "[options]\nDIFFICULTY = " + difficulty +
                                            "\nINTERESTRATE = " + interest + "\n");
        LoadOptions();
    }
    // A situation in force with fixed figures for the turn (at difficulty 0.5 and wealth 1 the
    // curves give exactly their own figures).
    void AddSource(float expenses, float income) {
        CFinanceObject flat;
        flat.CostAtMin = flat.CostAtMax = expenses;
        flat.IncomeAtMin = flat.IncomeAtMax = income;
        AddItem(flat, 0.0f);
    }
    // A situation in force whose money follows the item's curves at the given value.
    void AddItem(const CFinanceObject& item, float value) {
        auto* situation = new SIM_Situation("#,Source" + std::to_string(sources.size()));
        static_cast<CFinanceObject&>(*situation) = item;
        situation->active = true;
        situation->value = value;
        sources.push_back(situation);
    }
    void ClearSources() {
        for (SIM_Situation* situation : sources)
            delete situation;
        sources.clear();
    }
    void StartWith(float debt, float ceiling) {
        GetMission().startDebt = debt;
        GetMission().debtCeiling = ceiling;
        f.ResetFinances();
    }

    static int IssuesOfKind(int kind) {
        int count = 0;
        for (size_t i = 0; i < GetIssuesManager().Count(); ++i)
            count += GetIssuesManager().At(i)->kind == kind ? 1 : 0;
        return count;
    }

    LoggedTest t;
    Finances f;
    std::vector<SIM_Situation*> sources;
};

TEST_F(FinancesTest, EarnAndSpendKeepOneSideZero) {
    // From a debt of 100, each step earns (positive) or spends (negative); earnings pay off the
    // debt first, spending empties the balance first.
    f.NationalDebt = 100.0f;
    const struct {
        int amount;
        float debt, balance;
    } steps[] = {{150, 0, 50}, {25, 0, 75}, {-95, 20, 0}, {-5, 25, 0}, {10, 15, 0}};
    for (const auto& step : steps) {
        step.amount > 0 ? f.Earn(step.amount) : f.Spend(-step.amount);
        EXPECT_FLOAT_EQ(f.NationalDebt, step.debt) << step.amount;
        EXPECT_FLOAT_EQ(f.CurrentBalance, step.balance) << step.amount;
    }
}

TEST_F(FinancesTest, ResetTakesTheMissionFiguresAndHistoriesStartFlat) {
    f.CurrentBalance = 5.0f;
    f.HistoryPeak = 9.0f;
    f.TurnsProcessed = 7;
    StartWith(400.0f, 900.0f);
    EXPECT_EQ((std::vector<float>{f.CurrentBalance, f.HistoryPeak, f.NationalDebt, f.DebtCeiling}),
              (std::vector<float>{0.0f, 0.0f, 400.0f, 900.0f}));
    EXPECT_EQ(f.TurnsProcessed, 0);
    f.MonthlyIncome = 30.0f;
    f.MonthlyExpenses = 40.0f;
    f.FillHistories();
    for (int i = 0; i < Finances::kHistoryLength; ++i) {
        EXPECT_EQ(
            (std::vector<float>{f.IncomeHistory[i], f.ExpenditureHistory[i], f.DebtHistory[i]}),
            (std::vector<float>{30.0f, 40.0f, 400.0f}));
    }
}

TEST_F(FinancesTest, ATurnPaysTruncatedAmountsAndShiftsTheHistories) {
    StartWith(2000.0f, 10000.0f);
    AddSource(10.7f, 99.9f);
    f.DebtHistory[18] = 3000.0f;
    f.DebtHistory[19] = 5000.0f; // the oldest entry falls off this turn
    f.IncomeHistory[0] = 40.0f;
    f.logFinance = true;
    f.ProcessTurn();
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 99.9f);
    EXPECT_FLOAT_EQ(f.NationalDebt, 2000.0f - 99.0f + 10.0f);
    EXPECT_NE(t.LogText().find("total income 99.9"), std::string::npos);
    EXPECT_EQ(f.TurnsProcessed, 1);

    EXPECT_FLOAT_EQ(f.IncomeHistory[0], 99.9f);
    EXPECT_FLOAT_EQ(f.IncomeHistory[1], 40.0f);
    EXPECT_FLOAT_EQ(f.ExpenditureHistory[0], 10.7f);
    EXPECT_FLOAT_EQ(f.DebtHistory[0], 1911.0f);
    EXPECT_FLOAT_EQ(f.DebtHistory[19], 3000.0f);
    // The peak spans all three histories, so a high debt flattens the income curve.
    EXPECT_FLOAT_EQ(f.HistoryPeak, 3000.0f);
    EXPECT_FLOAT_EQ(f.GetGraphScale(3000.0f), 1.0f / 1.1f);
    EXPECT_FLOAT_EQ(f.GetGraphScale(100.0f), 100.0f / 3300.0f);
    EXPECT_FLOAT_EQ(Finances().GetGraphScale(100.0f), 0.0f) << "nothing recorded yet";
}

TEST_F(FinancesTest, DifficultyWealthNegativeCurvesAndInterest) {
    CFinanceObject item;
    item.CostAtMin = item.CostAtMax = 100.0f;
    item.IncomeAtMin = 0.0f;
    item.IncomeAtMax = 100.0f;
    AddItem(item, 0.5f);
    // Difficulty 0.5 is neutral, 1 costs 20 % more and earns 20 % less; wealth scales both.
    const struct {
        const char* difficulty;
        float wealth, expenses, income;
    } cases[] = {
        {"0.5", 1.0f, 100.0f, 50.0f}, {"1", 1.0f, 120.0f, 40.0f}, {"1", 2.0f, 240.0f, 80.0f}};
    for (const auto& c : cases) {
        Options(c.difficulty, "0");
        GetMission().wealth = c.wealth;
        f.CalculateIncomeAndExpenses();
        EXPECT_FLOAT_EQ(f.MonthlyExpenses, c.expenses) << c.difficulty << " " << c.wealth;
        EXPECT_FLOAT_EQ(f.MonthlyIncome, c.income) << c.difficulty << " " << c.wealth;
    }

    // A negative income curve earns nothing; a negative cost curve lowers the bill; interest is
    // 0.6 × 0.2 / 12 of the debt.
    ClearSources();
    GetMission().wealth = 1.0f;
    item.IncomeAtMin = item.IncomeAtMax = -30.0f;
    item.CostAtMin = item.CostAtMax = -20.0f;
    AddItem(item, 0.3f);
    AddSource(50.0f, 10.0f);
    Options("0.5", "0.6");
    f.NationalDebt = 1000.0f;
    f.CalculateIncomeAndExpenses();
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 10.0f);
    EXPECT_FLOAT_EQ(f.MonthlyInterest, 10.0f);
    EXPECT_FLOAT_EQ(f.MonthlyExpenses, 50.0f - 20.0f + 10.0f);
    EXPECT_EQ(t.LogText().find("Assertion failure"), std::string::npos);
    // Calculating moves no money.
    EXPECT_FLOAT_EQ(f.NationalDebt, 1000.0f);
    EXPECT_FLOAT_EQ(f.CurrentBalance, 0.0f);
}

TEST_F(FinancesTest, IntroducedPoliciesCountFromTheStart) {
    SetUserDir(t.dir.Path() + "/user");
    t.dir.Write("data/data.ini", "[setup]\npolicies=data/simulation/policies.csv\n");
    t.dir.Write("data/simulation/sliders.csv", "#,rate,5,none,low,mid,high,max\n");
    // Cost 10 … 30 and income 100 … 300 over the slider; the second row costs 40 throughout.
    t.dir.Write("data/simulation/policies.csv",
                "#,IncomeTax,Income Tax,rate,Wages,,0,0,0,0,TAX,10,30,-,4,100,300,-,#Effects\n"
                "#,Police,Police,rate,Officers,,0,0,0,0,LAWANDORDER,40,40,-,4,0,0,-,#Effects\n");
    LoadSetupTable();
    GetPolicyManager().LoadPolicies();
    GetPolicyManager().LinkAllPolicies();
    SIM_Policy* tax = GetPolicyManager().FindPolicy("IncomeTax");
    ASSERT_NE(tax, nullptr);
    // Introduced but only half implemented: it already costs and earns.
    tax->active = true;
    tax->implementation = 0.5f;
    tax->value = 0.5f;
    tax->costNeuron.value = tax->incomeNeuron.value = 1.0f;
    f.logFinance = true;
    f.CalculateIncomeAndExpenses();
    EXPECT_FLOAT_EQ(f.MonthlyExpenses, 20.0f);
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 200.0f);
    EXPECT_NE(t.LogText().find("IncomeTax income 200.000000"), std::string::npos);
    EXPECT_EQ(t.LogText().find("Police income"), std::string::npos);
}

TEST_F(FinancesTest, DebtRatioFeedsTheDebtNeuron) {
    Network().debtNeuron = new Neuron;
    Network().debtNeuron->value = 0.2f;
    NeuralEffect* link =
        new NeuralEffect(Network().debtNeuron, new Neuron, "0+(1.0*x)", 1.0f, 0.0f);
    // Debt against a year's income (1200 while the source runs): 600 is half, 3000 saturates;
    // with no income any debt saturates and no debt reads as none.
    const struct {
        float debt;
        bool income;
        float level;
    } cases[] = {
        {600.0f, true, 0.5f}, {3000.0f, true, 1.0f}, {10.0f, false, 1.0f}, {0.0f, false, 0.0f}};
    for (const auto& c : cases) {
        ClearSources();
        if (c.income)
            AddSource(100.0f, 100.0f);
        StartWith(c.debt, 5000.0f);
        f.ProcessTurn();
        EXPECT_FLOAT_EQ(f.NationalDebt, c.debt);
        EXPECT_FLOAT_EQ(Network().debtNeuron->baseOffset, c.level) << c.debt;
    }
    // The outputs receive the neuron's current value; the new level shows at the next pass.
    EXPECT_FLOAT_EQ(link->inputTarget, 0.2f);
}

TEST_F(FinancesTest, DebtCeilingEventAndWarning) {
    // The content's debt-ceiling event and an economy minister to do the worrying; both land on
    // the issues desk.
    auto* ceiling = new SIM_Event();
    ceiling->SetName(kDebtCeilingEvent);
    GetEventManager().AddEvent(ceiling);
    SIM_PolicyGroup& economy = GetPolicyManager().Group(2);
    economy.InitGroup(0.0f, kDebtWarningGroup, 2);
    auto* minister = new SIM_Minister();
    economy.minister = minister;
    auto events = [] { return IssuesOfKind(kIssueKindEvent); };
    auto warnings = [] { return IssuesOfKind(kIssueKindMinisterWarning); };

    // At the ceiling exactly nothing fires, though the warning level is passed.
    StartWith(1000.0f, 1000.0f);
    f.ProcessTurn();
    EXPECT_EQ(events(), 0);
    StartWith(1001.0f, 1000.0f);
    f.ProcessTurn();
    f.ProcessTurn();
    EXPECT_EQ(events(), 2);
    EXPECT_TRUE(ceiling->triggered);
    EXPECT_EQ(warnings(), 0);

    // 76 %: silent for the first four steps after a reset, then every step.
    StartWith(760.0f, 1000.0f);
    for (int step = 1; step <= 4; ++step)
        f.ProcessTurn();
    EXPECT_EQ(warnings(), 0);
    f.ProcessTurn();
    f.ProcessTurn();
    ASSERT_EQ(warnings(), 2);
    const SIM_Issue* warning = GetIssuesManager().At(GetIssuesManager().Count() - 1);
    EXPECT_EQ(warning->subject, minister);
    EXPECT_EQ(warning->text, Translate(kDebtWarningText));
    EXPECT_EQ(warning->title, Translate(kDebtWarningTitle));

    // Exactly three quarters does not warn; a reset starts the count again.
    GetIssuesManager().ClearIssues();
    StartWith(750.0f, 1000.0f);
    f.TurnsProcessed = 10;
    f.CheckDebtCeiling();
    StartWith(760.0f, 1000.0f);
    f.CheckDebtCeiling();
    EXPECT_EQ(warnings(), 0);
    EXPECT_EQ(events(), 0);
}

} // namespace
