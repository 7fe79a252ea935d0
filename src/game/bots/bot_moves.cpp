#include "game/bots/bot_moves.h"

#include "government/finances.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/policy_preview.h"
#include "government/political_capital.h"
#include "government/situation.h"
#include "government/slider_config.h"
#include "network/cause_breakdown.h"
#include "network/neural_effect.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

float Snap(const SIM_Policy& policy, float level) {
    level = std::clamp(level, 0.0f, 1.0f);
    return policy.sliderConfig ? policy.sliderConfig->Snap(level) : level;
}

float StepSize(const SIM_Policy& policy) {
    const CSliderConfig* slider = policy.sliderConfig;
    return slider && slider->steps >= 2 ? 1.0f / static_cast<float>(slider->steps - 1) : 0.25f;
}

float Net(SIM_Policy& policy, float level) {
    return policy.IncomeAt(level) - policy.CostAt(level);
}

// What a change of a node's input does to the voter groups it feeds, read off its links the way
// the node's window shows them. Groups are weighed by their share of the electorate.
float MoodThroughNode(Neuron& node, float change) {
    if (auto* group = dynamic_cast<SIM_VoterType*>(&node))
        return change * group->GetMemberShare();
    float low = 0.0f;
    float high = 0.0f;
    ValueLimits(node, low, high);
    const float from = node.value;
    const float to = std::clamp(from + change, low, high);
    // A situation's effects count only while it is on, and its window marks where it starts and
    // stops: a move that carries it across a mark brings or ends all of them at once, where one
    // that leaves it off changes nothing the voters feel.
    const auto* situation = dynamic_cast<const SIM_Situation*>(&node);
    const bool onBefore = !situation || situation->active;
    const bool onAfter =
        !situation || to >= (onBefore ? kSituationStopThreshold : kSituationStartThreshold);
    float mood = 0.0f;
    for (NeuralEffect* link : node.outputs) {
        auto* group = dynamic_cast<SIM_VoterType*>(link->target);
        if (!group || !link->source)
            continue;
        const float after = onAfter ? link->EvaluateAt(to) : 0.0f;
        const float before = onBefore ? link->EvaluateAt(from) : 0.0f;
        mood += (after - before) * group->GetMemberShare();
    }
    return mood;
}

// The mood change of moving the policy from where it now delivers to the given position (a
// cancelled policy delivers nothing).
float MoodChange(SIM_Policy& policy, float level, bool cancel) {
    float mood = 0.0f;
    for (const PolicyEffectLine& line : PreviewPolicyEffects(policy, cancel ? 0.0f : level)) {
        if (!line.target)
            continue;
        const float change = (cancel ? 0.0f : line.atSlider) - line.now;
        if (std::isfinite(change) && change != 0.0f)
            mood += MoodThroughNode(*line.target, change);
    }
    return mood;
}

void AddMove(std::vector<BotMove>& moves, BotMoveKind kind, SIM_Policy& policy, float level) {
    BotMove move;
    move.kind = kind;
    move.policy = &policy;
    move.level = level;
    const bool cancel = kind == BotMoveKind::Cancel;
    switch (kind) {
    case BotMoveKind::Introduce:
        move.cost = policy.introduceCost;
        move.moneyChange = Net(policy, level);
        break;
    case BotMoveKind::Slider:
        if (std::fabs(level - policy.GetTarget()) < 1e-4f)
            return;
        move.cost = PolicyChangeCost(policy, level, false);
        move.moneyChange = Net(policy, level) - Net(policy, policy.value);
        break;
    case BotMoveKind::Cancel:
        move.cost = PolicyChangeCost(policy, level, true);
        move.moneyChange = -Net(policy, policy.value);
        break;
    }
    if (!RestrictedPowersOn() && kind != BotMoveKind::Introduce)
        move.cost = 0;
    if (move.cost > GetPoliticalCapital().capital)
        return;
    move.moodChange = MoodChange(policy, level, cancel);
    for (const BotMove& other : moves)
        if (other.policy == move.policy && other.kind == kind && other.level == move.level)
            return;
    moves.push_back(move);
}

} // namespace

bool IsTaxPolicy(SIM_Policy& policy) {
    return policy.IncomeAt(1.0f) > policy.CostAt(1.0f);
}

std::vector<BotMove> AffordableMoves() {
    std::vector<BotMove> moves;
    for (SIM_Policy* policy : GetPolicyManager().AllPolicies()) {
        if (!policy->active) {
            for (float level : {0.2f, 0.5f, 0.8f})
                AddMove(moves, BotMoveKind::Introduce, *policy, Snap(*policy, level));
            continue;
        }
        const float now = policy->GetTarget();
        const float step = StepSize(*policy);
        for (float level : {now + step, 1.0f, now - step, 0.0f})
            AddMove(moves, BotMoveKind::Slider, *policy, Snap(*policy, level));
        if (policy->cancellable)
            AddMove(moves, BotMoveKind::Cancel, *policy, 0.0f);
    }
    return moves;
}

ActionResult MakeMove(const BotMove& move) {
    const std::string& name = move.policy->name;
    switch (move.kind) {
    case BotMoveKind::Introduce:
        return IntroducePolicyAction(name, move.level);
    case BotMoveKind::Slider:
        return ChangePolicySliderAction(name, move.level);
    case BotMoveKind::Cancel:
        return CancelPolicyAction(name);
    }
    return {false, "unknown move"};
}

std::string DescribeMove(const BotMove& move) {
    char level[16];
    std::snprintf(level, sizeof level, "%.2f", move.level);
    const std::string name = move.policy->name;
    switch (move.kind) {
    case BotMoveKind::Introduce:
        return "introduce " + name + " at " + level;
    case BotMoveKind::Slider:
        return std::string(move.level > move.policy->GetTarget() ? "raise " : "lower ") + name +
               " to " + level;
    case BotMoveKind::Cancel:
        return "cancel " + name;
    }
    return name;
}

float BudgetBalance() {
    const Finances& finances = GetFinances();
    return finances.MonthlyIncome - finances.MonthlyExpenses;
}
