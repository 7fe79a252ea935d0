#include "government/political_capital.h"

#include "government/cabinet.h"
#include "government/government_state.h"
#include "government/minister.h"

#include <algorithm>
#include <limits>

namespace {

// The stock is a 32-bit whole number; sums are taken wider and saturated so that corrupt figures
// from a mod or a save cannot overflow it.
int32_t Saturate(int64_t n) {
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(n, low, high));
}

// How many turns of allowance may be saved up.
constexpr int64_t kTurnsBanked = 3;

} // namespace

void PoliticalCapital::RecalculateAllowance() {
    int64_t sum = 0;
    for (const SIM_Minister* minister : GetCabinet().ministers) {
        if (minister->HasPost())
            sum += minister->GetPoliticalCapital();
    }
    capitalPerTurn = Saturate(sum);
}

void PoliticalCapital::NewTurn() {
    RecalculateAllowance();
    int64_t stock = static_cast<int64_t>(capital) + capitalPerTurn;
    int64_t cap = kTurnsBanked * capitalPerTurn;
    if (stock > cap)
        stock = cap;
    capital = Saturate(stock);
}

void PoliticalCapital::ResetForNewGame() {
    capital = capitalPerTurn;
}

void PoliticalCapital::SpendCapital(int32_t cost) {
    int64_t stock = static_cast<int64_t>(capital) - cost;
    capital = Saturate(std::max<int64_t>(stock, 0));
}

PoliticalCapital& GetPoliticalCapital() {
    return Government().capital;
}
