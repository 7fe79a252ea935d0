#pragma once
// The state's money: each turn the costs and incomes of every active policy and situation are
// summed, interest is added, the balance is paid into or out of the treasury, twenty turns of
// history are kept for the graphs, and the debt is fed back into the network and checked against
// the mission's ceiling (the debt-ceiling event above it, the economy minister's warning near it).

#include <cstdint>
#include <string>
#include <vector>

// The tax policies, in the order the cynicism tracker lists them.
inline constexpr int kTaxPolicyCount = 8;
inline constexpr const char* kTaxPolicyNames[kTaxPolicyCount] = {
    "IncomeTax", "SalesTax",  "CorporationTax", "PropertyTax",
    "CarTax",    "PetrolTax", "InheritanceTax", "CarbonTax",
};

inline constexpr const char kDebtCeilingEvent[] = "DebtCeilingReached";
inline constexpr const char kDebtWarningGroup[] = "ECONOMY";
inline constexpr const char kDebtWarningText[] = "DEBT_CEILING_WARNING";
inline constexpr const char kDebtWarningTitle[] = "DEBT_CEILING_WARNING_TITLE";

class Finances {
public:
    static constexpr int kHistoryLength = 20;

    // A new game's or a load's starting point: nothing in the treasury, the mission's debt and
    // ceiling, and a fresh count of finance steps.
    void ResetFinances();
    // Flattens all three histories to the current figures, so a new game's graphs start level.
    void FillHistories();
    // This turn's interest, income and expenditure from the current state; moves no money.
    void CalculateIncomeAndExpenses();
    // Money in pays off debt first; money out comes from the balance and then adds to the debt.
    void Earn(int amount);
    void Spend(int amount);
    // The turn's finance step.
    void ProcessTurn();
    // Fires the debt-ceiling event above the ceiling, or the economy minister's warning once the
    // debt passes three quarters of it (never in the first four steps after a reset).
    void CheckDebtCeiling();

    float GetDeficit() const { return MonthlyExpenses - MonthlyIncome; }
    float GetSurplus() const { return MonthlyIncome - MonthlyExpenses; }
    // The fraction of the finance graph's height at which x is drawn; 0 while every history is 0.
    float GetGraphScale(float x) const;

    float IncomeHistory[kHistoryLength] = {};
    float ExpenditureHistory[kHistoryLength] = {};
    float DebtHistory[kHistoryLength] = {};
    float CurrentBalance = 0.0f;
    float MonthlyExpenses = 0.0f;
    float MonthlyIncome = 0.0f;
    float MonthlyInterest = 0.0f;
    float NationalDebt = 0.0f;
    float DebtCeiling = 0.0f;
    float HistoryPeak = 0.0f;
    int32_t TurnsProcessed = 0;

    // The "finance" log channel: every active policy's income and the turn's total.
    bool logFinance = false;
};

// The finances of the game in play.
Finances& GetFinances();
