#include "network/simulation.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/row_reader.h"
#include "base/setup_table.h"
#include "network/global_economy.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/sim_value.h"

#include <algorithm>
#include <cstdio>

namespace {

// Rows of the standard table are at most 1023 characters; a longer row runs on into the next.
constexpr size_t kSimulationRowCapacity = 1024;

void CreateValue(const std::string& row) {
    SIM_SimVal* simVal = new SIM_SimVal;
    simVal->Load(row);
}

std::string ModPattern() {
    std::string pattern = kSimulationModPattern;
    pattern.replace(pattern.find("%s"), 2, GetUserDir());
    return pattern;
}

} // namespace

CSimulation& GetSimulation() {
    return Network().simulation;
}

void CSimulation::Register(SIM_SimVal* simVal) {
    GetSimulation().values.push_back(simVal);
}

void CSimulation::Unregister(SIM_SimVal* simVal) {
    NetworkState& network = Network();
    for (Neuron** income : {&network.highIncome, &network.lowIncome, &network.middleIncome})
        if (*income == simVal)
            *income = nullptr;
    std::vector<SIM_SimVal*>& list = network.simulation.values;
    list.erase(std::remove(list.begin(), list.end(), simVal), list.end());
}

void CSimulation::LoadAll() {
    DirectRowOptions options;
    options.lineCapacity = kSimulationRowCapacity;
    options.requireLongRows = false;
    // A missing standard table is not reported here: the income lookups below and every link
    // that names a value report the gap.
    ReadDirectRows(SetupString(kSetupSimulation), CreateValue, options);

    // Without a user folder there is no mods folder to read.
    if (!GetUserDir().empty())
        ReadModRows(ModPattern(), CreateValue, [](const std::string&) {
            REPORT_ERROR("Failed to load in modded simulation value");
        });

    NetworkState& network = Network();
    network.highIncome = FindNeuron("_HighIncome");
    ASSERT(network.highIncome != nullptr);
    network.lowIncome = FindNeuron("_LowIncome");
    ASSERT(network.lowIncome != nullptr);
    network.middleIncome = FindNeuron("_MiddleIncome");
    ASSERT(network.middleIncome != nullptr);
}

void CSimulation::AttachAllToGroups(PolicyGroupLookup findGroup) {
    for (SIM_SimVal* simVal : values)
        simVal->AttachToGroup(findGroup);
}

void CSimulation::ResolveAllLinks() {
    for (SIM_SimVal* simVal : values)
        simVal->ResolveLinks();
}

void CSimulation::Release() {
    std::vector<SIM_SimVal*> doomed;
    doomed.swap(values);
    for (SIM_SimVal* simVal : doomed)
        delete simVal;
    NetworkState& network = Network();
    network.highIncome = nullptr;
    network.lowIncome = nullptr;
    network.middleIncome = nullptr;
}

namespace {

template <typename T> void DestroyNamed(T*& named) {
    delete named;
    named = nullptr;
}

Neuron* CreatePlainNamed(const char* name, const char* guiName) {
    Neuron* neuron = new Neuron;
    neuron->SetName(name);
    neuron->SetGuiName(guiName);
    neuron->active = true;
    return neuron;
}

} // namespace

void SetupNamedNeurons() {
    NetworkState& network = Network();
    DestroyNamed(network.winningNeuron);
    network.winningNeuron = CreatePlainNamed("_winning_", "");
    // The vote share is everyone's effect; listing it as a cause would explain nothing.
    network.winningNeuron->hidden = true;

    DestroyNamed(network.debtNeuron);
    network.debtNeuron = CreatePlainNamed("_debt_", "National Debt");

    DestroyNamed(network.globalEconomy);
    network.globalEconomy = new CGlobalEconomy;
    network.globalEconomy->SetName("_globaleconomy_");
    network.globalEconomy->SetGuiName("Economic Cycle");

    DestroyNamed(network.securityNeuron);
    network.securityNeuron = CreatePlainNamed("_security_", "Security");
}
