#include "network/simulation.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/row_reader.h"
#include "base/setup_table.h"
#include "network/global_economy.h"
#include "network/neural_effect.h"
#include "network/sim_value.h"

#include <algorithm>
#include <cstdio>

Neuron* g_highIncome = nullptr;
Neuron* g_lowIncome = nullptr;
Neuron* g_middleIncome = nullptr;

namespace {

// Rows of the standard table are at most 1023 characters; a longer row runs on into the next.
constexpr size_t kSimulationRowCapacity = 1024;

// The simulation while it exists. Values unregister through this, so one destroyed after the
// simulation at process exit touches nothing.
CSimulation* g_liveSimulation = nullptr;

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

CSimulation::CSimulation() {
    g_liveSimulation = this;
}

CSimulation::~CSimulation() {
    // The neuron registry owns the values; the simulation only stops listing them.
    if (g_liveSimulation == this)
        g_liveSimulation = nullptr;
}

CSimulation& GetSimulation() {
    static CSimulation simulation;
    return simulation;
}

void CSimulation::Register(SIM_SimVal* simVal) {
    GetSimulation().values.push_back(simVal);
}

void CSimulation::Unregister(SIM_SimVal* simVal) {
    if (g_highIncome == simVal)
        g_highIncome = nullptr;
    if (g_lowIncome == simVal)
        g_lowIncome = nullptr;
    if (g_middleIncome == simVal)
        g_middleIncome = nullptr;
    if (!g_liveSimulation)
        return;
    std::vector<SIM_SimVal*>& list = g_liveSimulation->values;
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

    g_highIncome = FindNeuron("_HighIncome");
    ASSERT(g_highIncome != nullptr);
    g_lowIncome = FindNeuron("_LowIncome");
    ASSERT(g_lowIncome != nullptr);
    g_middleIncome = FindNeuron("_MiddleIncome");
    ASSERT(g_middleIncome != nullptr);
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
    g_highIncome = nullptr;
    g_lowIncome = nullptr;
    g_middleIncome = nullptr;
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
    DestroyNamed(g_winningNeuron);
    g_winningNeuron = CreatePlainNamed("_winning_", "");
    // The vote share is everyone's effect; listing it as a cause would explain nothing.
    g_winningNeuron->hidden = true;

    DestroyNamed(g_debtNeuron);
    g_debtNeuron = CreatePlainNamed("_debt_", "National Debt");

    DestroyNamed(g_globalEconomy);
    g_globalEconomy = new CGlobalEconomy;
    g_globalEconomy->SetName("_globaleconomy_");
    g_globalEconomy->SetGuiName("Economic Cycle");

    DestroyNamed(g_securityNeuron);
    g_securityNeuron = CreatePlainNamed("_security_", "Security");
}
