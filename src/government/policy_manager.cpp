#include "government/policy_manager.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/row_reader.h"
#include "base/setup_table.h"
#include "government/government_state.h"
#include "government/policy.h"
#include "government/slider_config.h"
#include "population/pressure_group.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr float kStartingPressureGroupStrengthCap = 10.0f;

void Erase(std::vector<SIM_Policy*>& list, SIM_Policy* policy) {
    list.erase(std::remove(list.begin(), list.end(), policy), list.end());
}

} // namespace

SIM_PolicyManager::~SIM_PolicyManager() {
    Release();
}

void SIM_PolicyManager::Release() {
    while (!allPolicies.empty()) {
        SIM_Policy* policy = allPolicies.front();
        allPolicies.erase(allPolicies.begin());
        delete policy;
    }
    introducedPolicies.clear();
    // The ministers go with the rest of the game state.
    for (SIM_PolicyGroup& group : groups) {
        group.policies.clear();
        group.minister = nullptr;
    }
}

void SIM_PolicyManager::LoadPolicies() {
    for (int i = 0; i < kPolicyGroupCount; ++i)
        groups[i].InitGroup(PolicyGroupAngle(i), kPolicyGroupKeys[i], i);

    const std::string& userDir = GetUserDir();
    LoadSliderConfigs(userDir);

    // Each policy adds itself to the all-policies list as it is made.
    auto add = [](const std::string& row) { new SIM_Policy(row); };
    const std::string table = SetupString(kSetupPolicies);
    if (!ReadDirectRows(table, add))
        ReportFault("The policy table \"" + table +
                    "\" cannot be read, so the game has no policies to offer.");
    // Without a user folder the pattern would point at the file system's root.
    if (!userDir.empty())
        ReadModRows(userDir + "/mods/data/simulation/policies/*.txt", add);
}

void SIM_PolicyManager::LinkAllPolicies() {
    for (SIM_Policy* policy : allPolicies)
        policy->LinkPolicy();
}

void SIM_PolicyManager::IntroduceUncancellables() {
    // By index: an introduction never adds policies, but the size is re-read to stay in bounds.
    for (size_t i = 0; i < allPolicies.size(); ++i) {
        SIM_Policy* policy = allPolicies[i];
        if (policy->cancellable)
            continue;
        policy->IntroducePolicy();
        policy->SetImplementation(1.0f);
    }
}

void SIM_PolicyManager::AdvanceAllImplementations() {
    for (size_t i = 0; i < introducedPolicies.size(); ++i)
        introducedPolicies[i]->AdvanceImplementation();
}

void SIM_PolicyManager::CapGroupStrengths() {
    // The settling turns may have built a group up; none starts the player's first turn above
    // this.
    CapPressureGroupStrengths(kStartingPressureGroupStrengthCap);
}

SIM_PolicyGroup* SIM_PolicyManager::FindGroup(const char* key) {
    if (!key)
        return nullptr;
    for (SIM_PolicyGroup& group : groups) {
        if (group.name == key)
            return &group;
    }
    return nullptr;
}

SIM_Policy* SIM_PolicyManager::FindPolicy(const std::string& policyName) const {
    for (SIM_Policy* policy : allPolicies) {
        if (policyName == policy->name)
            return policy;
    }
    return nullptr;
}

void SIM_PolicyManager::AddPolicy(SIM_Policy* policy) {
    if (policy)
        allPolicies.push_back(policy);
}

void SIM_PolicyManager::NoteIntroduced(SIM_Policy* policy) {
    if (policy)
        introducedPolicies.push_back(policy);
}

void SIM_PolicyManager::NoteCancelled(SIM_Policy* policy) {
    Erase(introducedPolicies, policy);
}

void SIM_PolicyManager::Forget(SIM_Policy* policy) {
    Erase(allPolicies, policy);
    Erase(introducedPolicies, policy);
    for (SIM_PolicyGroup& group : groups)
        Erase(group.policies, policy);
}

SIM_PolicyManager& GetPolicyManager() {
    return Government().policies;
}

SIM_PolicyGroup* FindGroup(const char* key) {
    return GetPolicyManager().FindGroup(key);
}

void ForgetPolicy(SIM_Policy* policy) {
    if (GamePart<GovernmentState>::Exists())
        GetPolicyManager().Forget(policy);
}
