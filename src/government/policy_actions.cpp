#include "government/policy_actions.h"

#include "base/options.h"
#include "government/cynicism.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"

#include <cstdio>

namespace {

ActionResult Refuse(const std::string& text) {
    return ActionResult{false, text};
}

ActionResult Done(const std::string& text) {
    return ActionResult{true, text};
}

bool InSliderRange(float value) {
    return value >= 0.0f && value <= 1.0f; // false for NaN too
}

std::string Figure(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string ShortOfCapital(const std::string& doing, const std::string& policyName, int32_t cost) {
    return "Cannot " + doing + " " + policyName + ": it needs " + std::to_string(cost) +
           " political capital and only " + std::to_string(GetPoliticalCapital().capital) +
           " is available";
}

// The policy by name, or a refusal naming what was asked for.
SIM_Policy* Lookup(const std::string& policyName, const std::string& doing, ActionResult& refusal) {
    SIM_Policy* policy = GetPolicyManager().FindPolicy(policyName);
    if (!policy)
        refusal = Refuse("Cannot " + doing + " " + policyName + ": there is no such policy");
    return policy;
}

} // namespace

bool RestrictedPowersOn() {
    return GetOption(kOptionEnableRestrictPower) != 0.0f;
}

int32_t PolicyChangeCost(const SIM_Policy& policy, float sliderValue, bool cancel) {
    if (cancel)
        return policy.cancelCost;
    float current = policy.GetTarget();
    if (sliderValue > current)
        return policy.raiseCost;
    if (sliderValue < current)
        return policy.lowerCost;
    return 0;
}

ActionResult IntroducePolicyAction(const std::string& policyName, float sliderValue) {
    ActionResult refusal;
    SIM_Policy* policy = Lookup(policyName, "introduce", refusal);
    if (!policy)
        return refusal;
    if (policy->active)
        return Refuse("Cannot introduce " + policyName + ": it is already introduced");
    if (!InSliderRange(sliderValue))
        return Refuse("Cannot introduce " + policyName + " at " + Figure(sliderValue) +
                      ": the slider runs from 0 to 1");
    if (GetPoliticalCapital().capital < policy->introduceCost)
        return Refuse(ShortOfCapital("introduce", policyName, policy->introduceCost));

    policy->IntroducePolicy();
    // A tax brought in just after an election is noticed, whoever asked for it.
    GetCynicism().OnPolicyIntroduced(policy);
    // A returning policy restarts its slider in the middle; the player's choice comes after,
    // and the policy takes it at once rather than waiting out its implementation time.
    policy->SetTarget(sliderValue);
    policy->SnapToTarget();
    policy->value = sliderValue;
    return Done("Introduced " + policyName + " at " + Figure(sliderValue) + " for " +
                std::to_string(policy->introduceCost) + " political capital");
}

ActionResult ConfirmPolicyChanges(const std::string& policyName, float sliderValue, bool cancel) {
    const std::string doing = cancel ? "cancel" : "change";
    ActionResult refusal;
    SIM_Policy* policy = Lookup(policyName, doing, refusal);
    if (!policy)
        return refusal;
    if (!policy->active)
        return Refuse("Cannot " + doing + " " + policyName + ": it is not introduced");
    if (cancel && !policy->cancellable)
        return Refuse("Cannot cancel " + policyName + ": it can never be cancelled");
    if (!cancel && !InSliderRange(sliderValue))
        return Refuse("Cannot set " + policyName + " to " + Figure(sliderValue) +
                      ": the slider runs from 0 to 1");

    int32_t cost = 0;
    if (RestrictedPowersOn()) {
        cost = PolicyChangeCost(*policy, sliderValue, cancel);
        if (GetPoliticalCapital().capital < cost)
            return Refuse(ShortOfCapital(doing, policyName, cost));
        GetPoliticalCapital().SpendCapital(cost);
    }
    std::string charged = " for " + std::to_string(cost) + " political capital";

    if (cancel) {
        policy->CancelPolicy();
        GetCynicism().OnPolicyCancelled(policy);
        return Done("Cancelled " + policyName + charged);
    }
    float before = policy->GetTarget();
    policy->SetTarget(sliderValue);
    if (sliderValue == before)
        return Done("Left " + policyName + " at " + Figure(sliderValue));
    return Done("Set " + policyName + " from " + Figure(before) + " to " + Figure(sliderValue) +
                charged);
}

ActionResult CancelPolicyAction(const std::string& policyName) {
    SIM_Policy* policy = GetPolicyManager().FindPolicy(policyName);
    return ConfirmPolicyChanges(policyName, policy ? policy->GetTarget() : 0.0f, true);
}

ActionResult ChangePolicySliderAction(const std::string& policyName, float value) {
    return ConfirmPolicyChanges(policyName, value, false);
}
