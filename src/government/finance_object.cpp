#include "government/finance_object.h"

#include "base/debug_log.h"
#include "base/mission.h"
#include "base/turn.h"

namespace {
void CheckRange(float v) {
    if (!(v >= 0.0f && v <= 1.0f))
        Assert(false, "FinanceObject", __LINE__);
}
} // namespace

float CFinanceObject::GetCost(float v) {
    CheckRange(v);
    float d = GetDifficulty();
    float base = CostAtMin + (CostAtMax - CostAtMin) * v;
    float a = 0.2f - 0.4f * d;
    float result = (base - a * base) * CostMultiplier;
    return result * GetMission().wealth;
}

float CFinanceObject::GetIncome(float v) {
    CheckRange(v);
    float d = GetDifficulty();
    float base = IncomeAtMin + (IncomeAtMax - IncomeAtMin) * v;
    float a = 0.2f - 0.4f * d;
    float result = (base + a * base) * IncomeMultiplier;
    result = result * GetMission().wealth;
    return result < 0.0f ? 0.0f : result;
}
