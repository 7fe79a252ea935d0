#include "frame/game_state_json.h"

#include "data/json_writer.h"
#include "frame/mission.h"
#include "frame/turn.h"
#include "government/finances.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "network/neuron.h"

#include <unordered_set>

namespace {

void WriteTurn(JsonWriter& json) {
    json.Field("turn", static_cast<int>(GetTurnNumber()));
    json.Key("calendar");
    json.BeginObject();
    json.Field("month", static_cast<int>(GetCalendar().month));
    json.Field("year", static_cast<int>(GetCalendar().year));
    json.EndObject();
    const PollTracker& polls = GetPollTracker();
    json.Key("polls");
    json.BeginObject();
    json.Field("potentialVoteRate", polls.PotentialVoteRate);
    json.Field("peakVoteRate", polls.PeakVoteRate);
    json.FloatArray("shareHistory", polls.shareHistory, PollTracker::kHistory);
    json.EndObject();
    json.Field("gameOver", IsGameOver());
}

void WriteMission(JsonWriter& json) {
    const CMission& mission = GetMission();
    json.Key("mission");
    json.BeginObject();
    json.Field("file", mission.missionFile);
    json.Field("name", mission.name);
    json.Field("currency", mission.currency);
    json.Field("wealth", mission.wealth);
    json.Field("populationPerVoter", mission.populationPerVoter);
    json.EndObject();
}

void WriteFinances(JsonWriter& json) {
    Finances& f = GetFinances();
    json.Key("finances");
    json.BeginObject();
    json.Field("balance", f.CurrentBalance);
    json.Field("debt", f.NationalDebt);
    json.Field("debtCeiling", f.DebtCeiling);
    json.Field("income", f.MonthlyIncome);
    json.Field("expenses", f.MonthlyExpenses);
    json.Field("interest", f.MonthlyInterest);
    json.Field("historyPeak", f.HistoryPeak);
    json.FloatArray("incomeHistory", f.IncomeHistory, 20);
    json.FloatArray("expenditureHistory", f.ExpenditureHistory, 20);
    json.FloatArray("debtHistory", f.DebtHistory, 20);
    json.EndObject();
    PoliticalCapital& capital = GetPoliticalCapital();
    json.Key("politicalCapital");
    json.BeginObject();
    json.Field("perTurn", static_cast<int>(capital.capitalPerTurn));
    json.Field("available", static_cast<int>(capital.capital));
    json.EndObject();
}

void WritePolicyFields(JsonWriter& json, SIM_Policy& policy) {
    json.Field("implementation", policy.implementation);
    json.Field("sliderTarget", policy.GetTarget());
    json.Field("introduced", policy.active);
    json.Field("cost", policy.active ? policy.GetPolicyCost() : 0.0f);
    json.Field("income", policy.active ? policy.GetPolicyIncome() : 0.0f);
    json.Key("capitalCosts");
    json.BeginObject();
    json.Field("introduce", static_cast<int>(policy.introduceCost));
    json.Field("cancel", static_cast<int>(policy.cancelCost));
    json.Field("raise", static_cast<int>(policy.raiseCost));
    json.Field("lower", static_cast<int>(policy.lowerCost));
    json.EndObject();
}

// Plain neurons stand twice in the processing order; the document lists every node once, at
// its first place.
void WriteNodes(JsonWriter& json) {
    json.Key("nodes");
    json.BeginArray();
    std::unordered_set<const Neuron*> seen;
    for (Neuron* neuron : AllNeurons()) {
        if (!seen.insert(neuron).second)
            continue;
        json.BeginObject();
        json.Field("name", std::string(neuron->name));
        json.Field("type", static_cast<int>(neuron->typeCode));
        json.Field("value", neuron->value);
        json.Field("active", neuron->active);
        if (neuron->typeCode == kNeuronPolicy)
            WritePolicyFields(json, static_cast<SIM_Policy&>(*neuron));
        json.FloatArray("history", neuron->history, kNeuronHistoryLength);
        json.EndObject();
    }
    json.EndArray();
}

} // namespace

std::string GameStateJson() {
    JsonWriter json;
    json.BeginObject();
    WriteTurn(json);
    WriteMission(json);
    WriteFinances(json);
    WriteNodes(json);
    json.EndObject();
    return json.Text();
}
