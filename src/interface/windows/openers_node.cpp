// Openers of the windows that explain a node, and of the list of policies on offer.
#include "base/debug_log.h"
#include "base/translation.h"
#include "government/policy.h"
#include "government/policy_actions.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "interface/windows/encyclopedia_window.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/policy_picker.h"
#include "interface/windows/policy_window.h"
#include "interface/windows/value_windows.h"
#include "network/neuron.h"

#include <climits>
#include <memory>

namespace {

// The window name of one node's window of a kind: one window per node and kind.
std::string NodeWindowName(const char* kind, const std::string& neuronName) {
    return std::string(kind) + ":" + neuronName;
}

// The node by name when it is of the type wanted; a log line otherwise.
Neuron* NodeOfType(const std::string& neuronName, NeuronType type, const char* what) {
    Neuron* node = LookUpNeuron(neuronName);
    if (!node || node->typeCode != type) {
        LogF("No %s called %s to show", what, neuronName.c_str());
        return nullptr;
    }
    return node;
}

} // namespace

bool OpenNodeDetails(const std::string& neuronName) {
    const Neuron* node = LookUpNeuron(neuronName);
    const DetailsTarget target = node ? FindDetailsTarget(*node) : DetailsTarget();
    if (target.kind == WindowKind::PolicyDetails)
        OpenPolicyDetails(target.name);
    else if (target.kind == WindowKind::SimValueDetails)
        OpenSimValueDetails(target.name);
    else if (target.kind == WindowKind::SituationDetails)
        OpenSituationDetails(target.name);
    else if (target.kind == WindowKind::VoterGroupDetails)
        OpenVoterGroupDetails(target.name);
    else {
        LogF("No details window for %s", neuronName.c_str());
        return false;
    }
    return true;
}

void OpenPolicyDetails(const std::string& policyName, bool fromPicker) {
    if (!NodeOfType(policyName, NeuronType::Policy, "policy"))
        return;
    ShowGameWindow(NodeWindowName(WindowKind::PolicyDetails, policyName), [&] {
        return std::make_unique<GUI_PolicyDetailsWindow>(policyName, fromPicker);
    });
}

void OpenSimValueDetails(const std::string& valueName) {
    if (!NodeOfType(valueName, NeuronType::SimVal, "simulation value"))
        return;
    ShowGameWindow(NodeWindowName(WindowKind::SimValueDetails, valueName),
                   [&] { return std::make_unique<GUI_SimValueWindow>(valueName); });
}

void OpenSituationDetails(const std::string& situationName) {
    if (!NodeOfType(situationName, NeuronType::Situation, "situation"))
        return;
    ShowGameWindow(NodeWindowName(WindowKind::SituationDetails, situationName),
                   [&] { return std::make_unique<GUI_SituationWindow>(situationName); });
}

void OpenVoterGroupDetails(const std::string& groupName) {
    if (!NodeOfType(groupName, NeuronType::VoterType, "voter group"))
        return;
    ShowGameWindow(NodeWindowName(WindowKind::VoterGroupDetails, groupName),
                   [&] { return std::make_unique<GUI_VoterGroupWindow>(groupName); });
}

void OpenPolicyPicker() {
    // Under restricted powers an empty stock buys nothing, not even the cheapest policy.
    if (RestrictedPowersOn() && GetPoliticalCapital().capital == 0) {
        int cheapest = INT_MAX;
        for (const SIM_Policy* policy : GetPolicyManager().AllPolicies()) {
            if (!policy->active && policy->introduceCost < cheapest)
                cheapest = policy->introduceCost;
        }
        OpenCapitalShortfall(Translate("NODEWIN_PICKER_WHAT"), cheapest == INT_MAX ? 0 : cheapest);
        return;
    }
    ShowGameWindow(WindowKind::PolicyPicker,
                   [] { return std::make_unique<GUI_PolicyPickerWindow>(); });
}

void OpenCapitalShortfall(const std::string& what, int cost) {
    // A newer shortfall replaces the one showing: it names what was asked for last.
    CloseGameWindowsOfKind(WindowKind::CapitalShortfall);
    ShowGameWindow(
        NodeWindowName(WindowKind::CapitalShortfall, what),
        [&] { return std::make_unique<GUI_CapitalShortfallWindow>(what, cost); }, true);
}

void OpenEncyclopedia(const std::string& neuronName) {
    if (!LookUpNeuron(neuronName)) {
        LogF("No encyclopedia page to show for %s: there is no such node", neuronName.c_str());
        return;
    }
    ShowGameWindow(NodeWindowName(WindowKind::Encyclopedia, neuronName),
                   [&] { return std::make_unique<GUI_EncyclopediaWindow>(neuronName); });
}
