#include "government/finances.h"

#include "base/debug_log.h"
#include "base/mission.h"
#include "base/options.h"
#include "government/cabinet.h"
#include "government/event_manager.h"
#include "government/government_state.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/situation_manager.h"
#include "network/network_state.h"
#include "network/neuron.h"

#include <climits>
#include <cmath>

namespace {

// Whole units toward zero; figures beyond the int range saturate rather than overflow, and a
// figure that is not a number pays nothing.
int TruncateToInt(float amount) {
    if (std::isnan(amount))
        return 0;
    if (amount >= 2147483520.0f) // the largest float below INT_MAX
        return INT_MAX;
    if (amount <= static_cast<float>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(amount);
}

void ShiftHistory(float (&history)[Finances::kHistoryLength], float latest) {
    for (int i = Finances::kHistoryLength - 1; i > 0; --i)
        history[i] = history[i - 1];
    history[0] = latest;
}

float PeakOf(const float (&history)[Finances::kHistoryLength], float peak) {
    for (float v : history)
        if (v > peak)
            peak = v;
    return peak;
}

} // namespace

Finances& GetFinances() {
    return Government().finances;
}

void Finances::ResetFinances() {
    CurrentBalance = 0.0f;
    MonthlyExpenses = 0.0f;
    MonthlyIncome = 0.0f;
    MonthlyInterest = 0.0f;
    HistoryPeak = 0.0f;
    TurnsProcessed = 0;
    NationalDebt = GetMission().startDebt;
    DebtCeiling = GetMission().debtCeiling;
}

void Finances::FillHistories() {
    for (int i = 0; i < kHistoryLength; ++i) {
        IncomeHistory[i] = MonthlyIncome;
        ExpenditureHistory[i] = MonthlyExpenses;
        DebtHistory[i] = NationalDebt;
    }
}

void Finances::CalculateIncomeAndExpenses() {
    // The option is a 0..1 slider; its top end is a 20 % yearly rate, charged by the month.
    MonthlyInterest = GetOption(kOptionInterestRate) * 0.2f / 12.0f * NationalDebt;
    MonthlyExpenses = 0.0f;
    MonthlyIncome = 0.0f;

    for (SIM_Policy* policy : GetPolicyManager().AllPolicies()) {
        if (!policy || !policy->active)
            continue;
        float income = policy->GetPolicyIncome();
        MonthlyExpenses += policy->GetPolicyCost();
        MonthlyIncome += income;
        if (logFinance)
            LogF("%s income %f", policy->name, static_cast<double>(income));
    }

    AddSituationFinances(MonthlyExpenses, MonthlyIncome);

    // Every income term is clamped at 0, so a negative total means a source broke that rule.
    Assert(MonthlyIncome >= 0.0f, "Finances", __LINE__);
    if (logFinance)
        LogF("total income %f", static_cast<double>(MonthlyIncome));

    MonthlyExpenses += MonthlyInterest;
}

void Finances::Earn(int amount) {
    if (NationalDebt > 0.0f) {
        NationalDebt -= static_cast<float>(amount);
        if (NationalDebt < 0.0f) {
            CurrentBalance = -NationalDebt;
            NationalDebt = 0.0f;
        }
    } else {
        CurrentBalance += static_cast<float>(amount);
    }
}

void Finances::Spend(int amount) {
    CurrentBalance -= static_cast<float>(amount);
    if (CurrentBalance < 0.0f) {
        NationalDebt += -CurrentBalance;
        CurrentBalance = 0.0f;
    }
}

void Finances::ProcessTurn() {
    CalculateIncomeAndExpenses();

    // Income first, so a turn's takings pay down debt before the turn's bills are met.
    Earn(TruncateToInt(MonthlyIncome));
    Spend(TruncateToInt(MonthlyExpenses));

    // Debt against a year's income. With no income at all, any debt is as bad as it gets (1);
    // with neither debt nor income there is nothing owed, so the ratio is 0.
    float yearlyIncome = MonthlyIncome * 12.0f;
    float ratio;
    if (yearlyIncome > 0.0f)
        ratio = NationalDebt / yearlyIncome;
    else
        ratio = NationalDebt > 0.0f ? 1.0f : 0.0f;
    if (!(ratio > 0.0f))
        ratio = 0.0f;
    if (ratio > 1.0f)
        ratio = 1.0f;
    if (Network().debtNeuron) {
        Network().debtNeuron->SetBaseOffset(ratio);
        Network().debtNeuron->PushToOutputs();
    }

    ShiftHistory(IncomeHistory, MonthlyIncome);
    ShiftHistory(ExpenditureHistory, MonthlyExpenses);
    ShiftHistory(DebtHistory, NationalDebt);
    HistoryPeak = PeakOf(DebtHistory, PeakOf(ExpenditureHistory, PeakOf(IncomeHistory, 0.0f)));

    CheckDebtCeiling();
    ++TurnsProcessed;
}

void Finances::CheckDebtCeiling() {
    if (NationalDebt > DebtCeiling) {
        TriggerEventByName(kDebtCeilingEvent);
        return;
    }
    // A ceiling of 0 with no debt is no cause for alarm (and no division by zero): the debt is
    // then not above the ceiling and the ratio test is skipped.
    if (TurnsProcessed > 3 && DebtCeiling > 0.0f && NationalDebt / DebtCeiling > 0.75f) {
        WarnMinisterOfPost(kDebtWarningGroup, kDebtWarningText, kDebtWarningTitle);
    }
}

float Finances::GetGraphScale(float x) const {
    float height = HistoryPeak * 1.1f;
    if (!(height > 0.0f))
        return 0.0f;
    return x / height;
}
