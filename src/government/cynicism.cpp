#include "government/cynicism.h"

#include "base/options.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/government_state.h"
#include "government/policy.h"
#include "network/neuron.h"
#include "network/player_neuron.h"

#include <algorithm>

namespace {

constexpr float kBaseMoveThreshold = 0.25f;

} // namespace

SIM_Cynicism& GetCynicism() {
    return Government().cynicism;
}

void SIM_Cynicism::ResetCynicism() {
    level = 0.0f;
    taxNames.assign(std::begin(kTaxPolicyNames), std::end(kTaxPolicyNames));
}

float SIM_Cynicism::StepSize() const {
    return GetDifficulty() * kCynicismStepPerDifficulty;
}

bool SIM_Cynicism::NearElection() const {
    const SIM_ElectionManager& elections = GetElectionManager();
    // Without a scheduled election there is nothing to be near.
    return elections.IsScheduled() && elections.MonthsUntilElection() < kCynicismElectionMonths;
}

bool SIM_Cynicism::JustAfterElection() const {
    const SIM_ElectionManager& elections = GetElectionManager();
    return GetTurnNumber() >= kCynicismFirstAftermathTurn && elections.IsScheduled() &&
           elections.MonthsElapsedInTerm() < kCynicismElectionMonths;
}

float SIM_Cynicism::MoveThreshold() const {
    return kBaseMoveThreshold - kBaseMoveThreshold * GetOption(kOptionCynicism);
}

bool SIM_Cynicism::IsTax(const SIM_Policy* policy) const {
    if (!policy)
        return false;
    return std::find(taxNames.begin(), taxNames.end(), std::string(policy->name)) != taxNames.end();
}

bool SIM_Cynicism::SomeTaxMoved(bool cut) const {
    float threshold = MoveThreshold();
    for (const std::string& taxName : taxNames) {
        auto* tax = dynamic_cast<SIM_Policy*>(FindNeuron(taxName));
        const SIM_PlayerNeuron* slider = tax ? tax->playerNeuron : nullptr;
        if (!slider)
            continue;
        float cur = slider->value;
        float prev = slider->history[1];
        float moved = cut ? prev - cur : cur - prev;
        if (moved > threshold)
            return true;
    }
    return false;
}

bool SIM_Cynicism::SomeTaxCut() const {
    return SomeTaxMoved(true);
}

bool SIM_Cynicism::SomeTaxRaised() const {
    return SomeTaxMoved(false);
}

void SIM_Cynicism::UpdateCynicism() {
    if (JustAfterElection() && SomeTaxRaised())
        level = level + StepSize();
    if (NearElection() && SomeTaxCut())
        level = level + StepSize();
    level = level * kCynicismFade;
}

void SIM_Cynicism::OnPolicyIntroduced(const SIM_Policy* policy) {
    if (JustAfterElection() && IsTax(policy))
        level = level + StepSize();
}

void SIM_Cynicism::OnPolicyCancelled(const SIM_Policy* policy) {
    if (NearElection() && IsTax(policy))
        level = level + StepSize();
}
