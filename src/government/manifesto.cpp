#include "government/manifesto.h"

#include "base/debug_log.h"
#include "base/options.h"
#include "base/row_reader.h"
#include "base/setup_table.h"
#include "base/tokenizer.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "government/government_state.h"
#include "network/neuron.h"

#include <algorithm>
#include <cstdio>

namespace {

ManifestoOption ParseOptionRow(const std::string& row) {
    ManifestoOption option;
    CTokenizer cells(row, ',');
    cells.NextToken();
    option.title = cells.NextString();
    option.targetName = cells.NextString();
    option.amount = cells.NextFloat();
    const std::string& kind = cells.NextToken();
    char symbol = kind.empty() ? '\0' : kind[0];
    if (symbol == '>')
        option.kind = kPledgeRaise;
    else if (symbol == '<')
        option.kind = kPledgeLower;
    else if (symbol == '!')
        option.kind = kPledgeCancel;
    else
        REPORT_ERROR("failed to load manifesto pledge type");
    return option;
}

float Clamp01(float value) {
    return std::min(1.0f, std::max(0.0f, value));
}

ActionResult Refuse(const std::string& text) {
    return ActionResult{false, text};
}

// The promises on offer and the penalty for breaking them: a table of the run, read at start-up.
struct ManifestoTable {
    std::vector<ManifestoOption> options;
    float brokenPenalty = 0.0f;
};

ManifestoTable& Table() {
    static ManifestoTable table;
    return table;
}

} // namespace

void SIM_Manifesto::LoadOptions() {
    Clear();
    ManifestoTable& table = Table();
    table.options.clear();
    DirectRowOptions reading;
    reading.lineCapacity = 1024;
    reading.requireLongRows = false;
    bool opened = ReadDirectRows(
        kManifestoFile,
        [&table](const std::string& row) { table.options.push_back(ParseOptionRow(row)); },
        reading);
    if (!opened)
        REPORT_ERROR("Missing manifesto file");
    table.brokenPenalty = SetupFloat("MANIFESTO_BROKEN_PENALTY");
}

float SIM_Manifesto::BrokenPenalty() const {
    return Table().brokenPenalty;
}

const std::vector<ManifestoOption>& SIM_Manifesto::Options() const {
    return Table().options;
}

void SIM_Manifesto::Clear() {
    livePledges.clear();
    nextTermPledges.clear();
    kept = true;
}

bool SIM_Manifesto::IsOptionAvailable(const ManifestoOption& option) const {
    Neuron* target = FindNeuron(option.targetName);
    ASSERT(target);
    if (!target)
        return false;
    if (option.kind == kPledgeCancel)
        return target->active;
    return true;
}

bool SIM_Manifesto::AddPledge(const ManifestoOption& option) {
    Neuron* target = FindNeuron(option.targetName);
    if (!target) {
        REPORT_WARNING("Failed to find manifesto neuron");
        return false;
    }
    nextTermPledges.push_back(ManifestoPledge{&option, target->GetValue()});
    return true;
}

void SIM_Manifesto::StartTerm() {
    livePledges = std::move(nextTermPledges);
    nextTermPledges.clear();
}

float SIM_Manifesto::GetPledgeTarget(const ManifestoPledge& pledge) const {
    if (!pledge.option)
        return 0.0f;
    return Clamp01((pledge.option->amount + 1.0f) * pledge.initial);
}

float SIM_Manifesto::GetPledgeCurrent(const ManifestoPledge& pledge) const {
    if (!pledge.option)
        return 0.0f;
    Neuron* target = FindNeuron(pledge.option->targetName);
    if (!target || !target->active)
        return 0.0f;
    return target->GetValue();
}

bool SIM_Manifesto::IsPledgeKept(const ManifestoPledge& pledge) const {
    if (!pledge.option) {
        REPORT_WARNING("No manifesto option");
        return true;
    }
    Neuron* target = FindNeuron(pledge.option->targetName);
    if (!target)
        return false;
    float current = target->GetValue();
    float goal = GetPledgeTarget(pledge);
    switch (pledge.option->kind) {
    case kPledgeLower:
        return current <= goal;
    case kPledgeCancel:
        return !target->active;
    default:
        return current >= goal;
    }
}

void SIM_Manifesto::UpdateKept() {
    kept = true;
    for (const ManifestoPledge& pledge : livePledges) {
        if (!IsPledgeKept(pledge)) {
            kept = false;
            break;
        }
    }
}

const ManifestoOption* SIM_Manifesto::FindOption(const std::string& targetName) const {
    for (const ManifestoOption& option : Table().options)
        if (option.targetName == targetName)
            return &option;
    return nullptr;
}

bool SIM_Manifesto::RestorePledge(const std::string& targetName, float initial, bool live) {
    const ManifestoOption* option = FindOption(targetName);
    if (!option) {
        REPORT_ERROR("Warning - > Manifesto Option not found [&s]");
        LogF("Saved manifesto pledge without an option: %s", targetName.c_str());
        return false;
    }
    (live ? livePledges : nextTermPledges).push_back(ManifestoPledge{option, initial});
    return true;
}

SIM_Manifesto& GetManifesto() {
    return Government().manifesto;
}

bool ManifestoMayBeChosen() {
    return !IsGameOver() && GetOption(kOptionEnableManifesto) != 0.0f &&
           GetElectionManager().MonthsUntilElection() == kManifestoPromptMonths;
}

ActionResult ChoosePledgeAction(const std::string& targetName) {
    if (!ManifestoMayBeChosen())
        return Refuse("Cannot pledge " + targetName +
                      ": the manifesto is written only in the turn before an election");
    SIM_Manifesto& manifesto = GetManifesto();
    const ManifestoOption* option = manifesto.FindOption(targetName);
    if (!option)
        return Refuse("Cannot pledge " + targetName + ": there is no such manifesto option");
    for (const ManifestoPledge& pledge : manifesto.NextTermPledges())
        if (pledge.option == option)
            return Refuse("Cannot pledge " + targetName + ": it is already in the manifesto");
    if (!manifesto.IsOptionAvailable(*option))
        return Refuse("Cannot pledge " + targetName + ": the pledge is not on offer now");
    if (!manifesto.AddPledge(*option))
        return Refuse("Cannot pledge " + targetName + ": its target is not in the country");
    const ManifestoPledge& made = manifesto.NextTermPledges().back();
    char figures[64];
    std::snprintf(figures, sizeof figures, " (from %.2f, target %.2f)", made.initial,
                  manifesto.GetPledgeTarget(made));
    const char* verb = option->kind == kPledgeCancel  ? "cancel"
                       : option->kind == kPledgeLower ? "lower"
                                                      : "raise";
    return ActionResult{true, std::string("Pledged to ") + verb + " " + targetName +
                                  (option->kind == kPledgeCancel ? "" : figures)};
}
