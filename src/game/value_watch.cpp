#include "game/value_watch.h"

#include "government/finances.h"
#include "network/neuron.h"

#include <cmath>
#include <cstdio>
#include <set>

namespace {

// Clamping leaves rounding slack only; anything beyond this came from somewhere else.
constexpr float kRangeSlack = 1e-4f;

std::string Figure(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

} // namespace

std::vector<std::string> FaultyValues() {
    std::vector<std::string> faults;
    std::set<const Neuron*> seen;
    for (const Neuron* node : AllNeurons()) {
        if (!node || !seen.insert(node).second)
            continue;
        const float value = node->value;
        if (!std::isfinite(value))
            faults.push_back(std::string(node->name) + " is not a number");
        else if (value < node->minValue - kRangeSlack || value > node->maxValue + kRangeSlack)
            faults.push_back(std::string(node->name) + " is " + Figure(value) + ", outside " +
                             Figure(node->minValue) + " … " + Figure(node->maxValue));
    }
    const Finances& finances = GetFinances();
    const std::pair<const char*, float> figures[] = {
        {"income", finances.MonthlyIncome},     {"spending", finances.MonthlyExpenses},
        {"interest", finances.MonthlyInterest}, {"debt", finances.NationalDebt},
        {"balance", finances.CurrentBalance},
    };
    for (const auto& [name, value] : figures)
        if (!std::isfinite(value))
            faults.push_back(std::string("the budget's ") + name + " is not a number");
    return faults;
}
