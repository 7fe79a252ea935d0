#pragma once
// The player's policy actions, each checked first and then applied, so the headless runner and
// the policy windows share one set of rules: what a change costs in political capital and when
// it is refused.

#include <cstdint>
#include <string>

class SIM_Policy;

struct ActionResult {
    bool ok = false;
    // What was done, or why nothing was, naming the policy.
    std::string message;
};

// True when the option ENABLERESTRICTPOWER holds any value other than 0.
bool RestrictedPowersOn();

// What confirming a policy's details would cost under restricted powers: the cancel cost when
// cancelling (whatever the slider did), else the raise or lower cost by the slider's direction,
// else nothing.
int32_t PolicyChangeCost(const SIM_Policy& policy, float sliderValue, bool cancel);

// Introduces a policy at a slider position 0 … 1 and lets it take that position at once.
// Refused for an unknown or already introduced policy and when the capital is below its
// introduction cost; otherwise the cost is always spent, and a tax introduced just after an
// election raises cynicism.
ActionResult IntroducePolicyAction(const std::string& policyName, float sliderValue);

// Cancels an introduced policy. Refused for an unknown, not introduced or uncancellable policy,
// and under restricted powers when the capital is below the cancel cost, which is then charged.
// A tax cancelled just before an election raises cynicism.
ActionResult CancelPolicyAction(const std::string& policyName);

// Moves an introduced policy's slider to a value 0 … 1. Under restricted powers a move up costs
// the raise cost and a move down the lower cost, refused when the capital is short; leaving the
// slider where it is costs nothing.
ActionResult ChangePolicySliderAction(const std::string& policyName, float value);

// The confirmation of a policy's details window: a new slider position and whether cancellation
// was chosen, charged as PolicyChangeCost says when restricted powers are on. A refused change
// leaves the slider where it was.
ActionResult ConfirmPolicyChanges(const std::string& policyName, float sliderValue, bool cancel);
