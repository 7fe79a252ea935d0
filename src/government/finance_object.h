#pragma once
// CFinanceObject: the money side of anything that costs or earns each turn (policies,
// situations): straight-line cost and income curves over the owner's 0 … 1 value, scaled by
// the difficulty and the country's wealth.

class CFinanceObject {
public:
    virtual ~CFinanceObject() = default;

    // Cost per turn at value v: 0.8 × the curve at difficulty 0 up to 1.2 × at difficulty 1.
    virtual float GetCost(float v);
    // Income per turn at value v, never negative: 1.2 × the curve at difficulty 0 down to 0.8 ×.
    virtual float GetIncome(float v);

    float CostAtMax = 0.0f;
    float IncomeAtMax = 0.0f;
    float CostAtMin = 0.0f;
    float IncomeAtMin = 0.0f;
    float IncomeMultiplier = 1.0f;
    float CostMultiplier = 1.0f;
};
