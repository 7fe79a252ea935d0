#include "data/setup_table.h"
#include "frame/game_paths.h"
#include "frame/mission.h"
#include "frame/options.h"
#include "frame/turn.h"
#include "government/finance_object.h"
#include "government/finances.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/slider_config.h"
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
    void TearDown() override {
        GetOptionsTable().Clear();
        GetMission().Reset();
        SetGameRunning(false);
        GetPolicyManager().Release();
        DeleteAllNeurons();
        DeleteAllEffects();
        SetGameRunning(true);
        ReleaseSliderConfigs();
        GetSetupTable().Clear();
        SetUserDir("");
    }
    void Options(const std::string& difficulty, const std::string& interest) {
        t.dir.Write("data/options.txt", "[options]\nDIFFICULTY = " + difficulty +
                                            "\nINTERESTRATE = " + interest + "\n");
        LoadOptions();
    }
    // A source with fixed figures for the turn.
    void AddSource(float expenses, float income) {
        f.extraSources.push_back([expenses, income](float& e, float& i) {
            e += expenses;
            i += income;
        });
    }
    void StartWith(float debt, float ceiling) {
        GetMission().startDebt = debt;
        GetMission().debtCeiling = ceiling;
        f.ResetFinances();
    }

    LoggedTest t;
    Finances f;
};

TEST_F(FinancesTest, EarnAndSpendKeepOneSideZero) {
    f.NationalDebt = 100.0f;
    f.Earn(150);
    EXPECT_FLOAT_EQ(f.NationalDebt, 0.0f);
    EXPECT_FLOAT_EQ(f.CurrentBalance, 50.0f);
    f.Earn(25);
    EXPECT_FLOAT_EQ(f.CurrentBalance, 75.0f);

    f.CurrentBalance = 30.0f;
    f.Spend(50);
    EXPECT_FLOAT_EQ(f.CurrentBalance, 0.0f);
    EXPECT_FLOAT_EQ(f.NationalDebt, 20.0f);
    f.Spend(5);
    EXPECT_FLOAT_EQ(f.NationalDebt, 25.0f);
    // Paying off part of a debt leaves the balance empty.
    f.Earn(10);
    EXPECT_FLOAT_EQ(f.NationalDebt, 15.0f);
    EXPECT_FLOAT_EQ(f.CurrentBalance, 0.0f);
}

TEST_F(FinancesTest, ResetTakesTheMissionFiguresAndHistoriesStartFlat) {
    f.CurrentBalance = 5.0f;
    f.HistoryPeak = 9.0f;
    f.TurnsProcessed = 7;
    StartWith(400.0f, 900.0f);
    EXPECT_FLOAT_EQ(f.CurrentBalance, 0.0f);
    EXPECT_FLOAT_EQ(f.HistoryPeak, 0.0f);
    EXPECT_EQ(f.TurnsProcessed, 0);
    EXPECT_FLOAT_EQ(f.NationalDebt, 400.0f);
    EXPECT_FLOAT_EQ(f.DebtCeiling, 900.0f);

    f.MonthlyIncome = 30.0f;
    f.MonthlyExpenses = 40.0f;
    f.FillHistories();
    for (int i = 0; i < Finances::kHistoryLength; ++i) {
        EXPECT_FLOAT_EQ(f.IncomeHistory[i], 30.0f);
        EXPECT_FLOAT_EQ(f.ExpenditureHistory[i], 40.0f);
        EXPECT_FLOAT_EQ(f.DebtHistory[i], 400.0f);
    }
    EXPECT_FLOAT_EQ(f.GetDeficit(), 10.0f);
    EXPECT_FLOAT_EQ(f.GetSurplus(), -10.0f);
}

TEST_F(FinancesTest, AmountsAreTruncatedBeforePayment) {
    StartWith(0.0f, 1000.0f);
    AddSource(10.7f, 99.9f);
    f.logFinance = true;
    f.ProcessTurn();
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 99.9f);
    EXPECT_FLOAT_EQ(f.MonthlyExpenses, 10.7f);
    EXPECT_FLOAT_EQ(f.CurrentBalance, 89.0f); // 99 in, 10 out
    EXPECT_NE(t.LogText().find("total income 99.9"), std::string::npos);
    EXPECT_EQ(f.TurnsProcessed, 1);
}

TEST_F(FinancesTest, DifficultyScalesCostAndIncome) {
    CFinanceObject item;
    item.CostAtMin = item.CostAtMax = 100.0f;
    item.IncomeAtMin = 0.0f;
    item.IncomeAtMax = 100.0f;
    f.extraSources.push_back([&item](float& e, float& i) {
        e += item.GetCost(0.5f);
        i += item.GetIncome(0.5f);
    });

    f.CalculateIncomeAndExpenses();
    EXPECT_FLOAT_EQ(f.MonthlyExpenses, 100.0f);
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 50.0f);

    Options("1", "0");
    f.CalculateIncomeAndExpenses();
    EXPECT_FLOAT_EQ(f.MonthlyExpenses, 120.0f);
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 40.0f);

    // Wealth scales both.
    GetMission().wealth = 2.0f;
    f.CalculateIncomeAndExpenses();
    EXPECT_FLOAT_EQ(f.MonthlyExpenses, 240.0f);
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 80.0f);
}

TEST_F(FinancesTest, NegativeCurvesAndInterest) {
    CFinanceObject item;
    item.IncomeAtMin = item.IncomeAtMax = -30.0f;
    item.CostAtMin = item.CostAtMax = -20.0f;
    f.extraSources.push_back([&item](float& e, float& i) {
        e += item.GetCost(0.3f);
        i += item.GetIncome(0.3f);
    });
    AddSource(50.0f, 10.0f);
    Options("0.5", "0.6");
    f.NationalDebt = 1000.0f;

    f.CalculateIncomeAndExpenses();
    // A negative income curve earns nothing; a negative cost curve lowers the bill.
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 10.0f);
    EXPECT_FLOAT_EQ(f.MonthlyInterest, 10.0f); // 0.6 × 0.2 / 12 × 1000
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
    tax->costNeuron.value = 1.0f;
    tax->incomeNeuron.value = 1.0f;

    f.logFinance = true;
    f.CalculateIncomeAndExpenses();
    EXPECT_FLOAT_EQ(f.MonthlyExpenses, 20.0f);
    EXPECT_FLOAT_EQ(f.MonthlyIncome, 200.0f);
    EXPECT_NE(t.LogText().find("IncomeTax income 200.000000"), std::string::npos);
    EXPECT_EQ(t.LogText().find("Police income"), std::string::npos);
}

TEST_F(FinancesTest, DebtRatioFeedsTheDebtNeuron) {
    g_debtNeuron = new Neuron;
    g_debtNeuron->SetName("_debt_");
    g_debtNeuron->value = 0.2f;
    Neuron* reader = new Neuron;
    NeuralEffect* link = new NeuralEffect(g_debtNeuron, reader, "0+(1.0*x)", 1.0f, 0.0f);

    // Income and spending balance, so the debt stays at 600 against 1200 a year.
    StartWith(600.0f, 5000.0f);
    AddSource(100.0f, 100.0f);
    f.ProcessTurn();
    EXPECT_FLOAT_EQ(f.NationalDebt, 600.0f);
    EXPECT_FLOAT_EQ(g_debtNeuron->baseOffset, 0.5f);
    // The outputs receive the neuron's current value; the new level shows at the next pass.
    EXPECT_FLOAT_EQ(link->inputTarget, 0.2f);

    StartWith(3000.0f, 5000.0f);
    f.ProcessTurn();
    EXPECT_FLOAT_EQ(g_debtNeuron->baseOffset, 1.0f);

    // No income at all: any debt saturates, no debt reads as none.
    f.extraSources.clear();
    StartWith(10.0f, 5000.0f);
    f.ProcessTurn();
    EXPECT_FLOAT_EQ(g_debtNeuron->baseOffset, 1.0f);
    StartWith(0.0f, 5000.0f);
    f.ProcessTurn();
    EXPECT_FLOAT_EQ(g_debtNeuron->baseOffset, 0.0f);
}

TEST_F(FinancesTest, DebtCeilingEventAndWarning) {
    std::vector<std::string> events;
    std::vector<std::string> warnings;
    f.triggerEvent = [&events](const std::string& name) { events.push_back(name); };
    f.warnMinister = [&warnings](const std::string& group, const std::string& text,
                                 const std::string& title) {
        warnings.push_back(group + "|" + text + "|" + title);
    };

    // At the ceiling exactly nothing fires, though the warning level is passed.
    StartWith(1000.0f, 1000.0f);
    f.ProcessTurn();
    EXPECT_TRUE(events.empty());
    StartWith(1001.0f, 1000.0f);
    f.ProcessTurn();
    f.ProcessTurn();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], "DebtCeilingReached");
    EXPECT_TRUE(warnings.empty());

    // 76 %: silent for the first four steps after a reset, then every step.
    StartWith(760.0f, 1000.0f);
    for (int step = 1; step <= 4; ++step)
        f.ProcessTurn();
    EXPECT_TRUE(warnings.empty());
    f.ProcessTurn();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "ECONOMY|DEBT_CEILING_WARNING|DEBT_CEILING_WARNING_TITLE");
    f.ProcessTurn();
    EXPECT_EQ(warnings.size(), 2u);

    // Exactly three quarters does not warn; a reset starts the count again.
    warnings.clear();
    StartWith(750.0f, 1000.0f);
    f.TurnsProcessed = 10;
    f.CheckDebtCeiling();
    EXPECT_TRUE(warnings.empty());
    StartWith(760.0f, 1000.0f);
    f.CheckDebtCeiling();
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(events.size(), 2u);

    // Unset hooks are simply skipped.
    Finances bare;
    bare.NationalDebt = 5.0f;
    bare.CheckDebtCeiling();
}

TEST_F(FinancesTest, HistoriesShiftAndScaleTheGraph) {
    EXPECT_FLOAT_EQ(f.GetGraphScale(100.0f), 0.0f); // nothing recorded yet

    StartWith(2000.0f, 10000.0f);
    AddSource(100.0f, 100.0f);
    f.DebtHistory[18] = 3000.0f;
    f.DebtHistory[19] = 5000.0f; // the oldest entry falls off this turn
    f.IncomeHistory[0] = 40.0f;
    f.ProcessTurn();

    EXPECT_FLOAT_EQ(f.IncomeHistory[0], 100.0f);
    EXPECT_FLOAT_EQ(f.IncomeHistory[1], 40.0f);
    EXPECT_FLOAT_EQ(f.ExpenditureHistory[0], 100.0f);
    EXPECT_FLOAT_EQ(f.DebtHistory[0], 2000.0f);
    EXPECT_FLOAT_EQ(f.DebtHistory[19], 3000.0f);
    // The peak spans all three histories, so a high debt flattens the income curve.
    EXPECT_FLOAT_EQ(f.HistoryPeak, 3000.0f);
    EXPECT_FLOAT_EQ(f.GetGraphScale(3000.0f), 1.0f / 1.1f);
    EXPECT_FLOAT_EQ(f.GetGraphScale(100.0f), 100.0f / 3300.0f);
}

} // namespace
