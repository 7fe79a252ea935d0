#include "government/policy.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/tokenizer.h"
#include "government/minister.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/slider_config.h"
#include "network/neural_effect.h"
#include "network/player_neuron.h"

#include <algorithm>
#include <cstdio>

namespace {

// Cells before the effects marker: "#", name, display name, slider, description, flags, the four
// capital costs, group, cost curve and influences, turns, income curve and influences.
constexpr int kFixedCells = 18;
// An influence list this short is a placeholder such as "-" or a blank.
constexpr size_t kPlaceholderChars = 1;
constexpr char kSliderFormula[] = "0+(1.0*x)";

// Attaches a ';'-separated list of influence texts to a multiplier neuron. A real list replaces
// the neutral base of 1, so the multiplier is whatever the influences make it.
void AttachInfluences(Neuron& multiplier, const std::string& list) {
    if (list.size() <= kPlaceholderChars)
        return;
    multiplier.SetBaseOffset(0.0f);
    CTokenizer texts(list, ';');
    while (!texts.AtEnd())
        multiplier.AddInfluence(RightTrim(texts.NextToken()));
}

bool HasFlag(const std::string& flags, const char* word) {
    CTokenizer words(flags, ';');
    while (!words.AtEnd()) {
        if (words.NextToken() == word)
            return true;
    }
    return false;
}

} // namespace

float MinisterFactorFor(const SIM_Minister* minister, int groupIndex) {
    if (!minister)
        return 0.5f;
    float c = minister->experience;
    float d = minister->GetSuitability(groupIndex);
    return std::clamp(c * d * 0.5f + 0.5f, 0.0f, 1.0f);
}

std::string FindPolicyIcon(const std::string& policyName) {
    std::string file = "icons_" + policyName + ".dds";
    std::string standard = "data/bitmaps/policies/" + file;
    if (FileExists(standard))
        return standard;
    // Without a user folder the path would point at the file system's root.
    if (!GetUserDir().empty()) {
        std::string mod = GetUserDir() + "/mods/data/bitmaps/" + file;
        if (FileExists(mod))
            return mod;
    }
    return std::string();
}

SIM_Policy::SIM_Policy(const std::string& row) {
    typeCode = NeuronType::Policy;
    value = 0.5f;
    active = false;
    costNeuron.MarkEmbedded();
    incomeNeuron.MarkEmbedded();
    rowText = row.substr(0, kPolicyRowChars);

    CTokenizer cells(rowText);
    cells.NextToken();
    SetName(cells.NextToken());
    costNeuron.SetName(std::string(name) + "_cost");
    incomeNeuron.SetName(std::string(name) + "_income");
    costNeuron.SetBaseOffset(1.0f);
    incomeNeuron.SetBaseOffset(1.0f);
    iconFile = FindPolicyIcon(name);
    implementation = 0.0f;
    GetPolicyManager().AddPolicy(this);
    NoteContentOrigin(this);
    CheckEffectTargets();
}

SIM_Policy::~SIM_Policy() {
    ForgetPolicy(this);
    // The slider is ours alone: the registry leaves embedded neurons to their owners.
    delete playerNeuron;
    playerNeuron = nullptr;
    sliderLink = nullptr;
}

bool SIM_Policy::SeekEffects(CTokenizer& cells, bool report) const {
    cells.Begin(rowText);
    for (int i = 0; i < kFixedCells; ++i)
        cells.NextToken();
    // A row without effects ends at the marker, which then carries the line end.
    if (RightTrim(cells.NextToken()) != kPolicyEffectsMarker) {
        if (report)
            REPORT_ERROR("Policy data corrupted");
        return false;
    }
    return true;
}

std::vector<std::string> SIM_Policy::EffectTexts() const {
    std::vector<std::string> texts;
    CTokenizer cells;
    if (!SeekEffects(cells, false))
        return texts;
    while (!cells.AtEnd()) {
        std::string effect = RightTrim(cells.NextToken());
        if (effect.find(',') != std::string::npos)
            texts.push_back(effect);
    }
    return texts;
}

void SIM_Policy::CheckEffectTargets() const {
    CTokenizer cells;
    if (!SeekEffects(cells))
        return;
    while (!cells.AtEnd()) {
        std::string effect = cells.NextToken();
        if (effect.find(',') == std::string::npos)
            continue;
        CTokenizer fields(effect);
        std::string target = fields.NextToken();
        if (FindNeuron(target))
            continue;
        char message[256];
        std::snprintf(message, sizeof message, "cant find %s in %s", target.c_str(), name);
        REPORT_ERROR(message);
    }
}

void SIM_Policy::LinkPolicy() {
    ContentPlace place(this);
    // Linking twice would attach every influence a second time.
    ASSERT(playerNeuron == nullptr);
    if (playerNeuron)
        return;

    // The row is read again here, long after its file: the place noted when it was read (above)
    // makes faults in it name where it came from.
    CTokenizer cells(rowText);
    cells.NextToken();
    cells.NextToken();
    SetGuiName(cells.NextToken());
    std::string sliderName = cells.NextToken();
    sliderConfig = FindSliderConfig(sliderName);
    ASSERT(sliderConfig != nullptr);
    description = cells.NextToken();
    std::string flags = cells.NextToken();
    cancellable = !HasFlag(flags, kPolicyFlagUncancellable);
    if (HasFlag(flags, kPolicyFlagMultiplyIncome))
        incomeNeuron.combineMode = kCombineProduct;
    introduceCost = cells.NextInt();
    cancelCost = cells.NextInt();
    raiseCost = cells.NextInt();
    lowerCost = cells.NextInt();
    std::string groupKey = cells.NextToken();
    group = FindGroup(groupKey.c_str());
    ASSERT(group != nullptr);
    CostAtMin = cells.NextFloat();
    CostAtMax = cells.NextFloat();
    AttachInfluences(costNeuron, cells.NextToken());
    implementationTurns = cells.NextInt();
    IncomeAtMin = cells.NextFloat();
    IncomeAtMax = cells.NextFloat();
    AttachInfluences(incomeNeuron, cells.NextToken());

    playerNeuron = new SIM_PlayerNeuron;
    playerNeuron->MarkEmbedded();
    sliderLink = new NeuralEffect(playerNeuron, this, kSliderFormula, 1.0f, 0.5f);
    sliderLink->inertia = EffectiveTurns();
}

void SIM_Policy::ResetHistory() {
    std::fill(history, history + kNeuronHistoryLength, active ? value : 0.0f);
}

float SIM_Policy::Process() {
    Neuron::Process();
    // A strong minister earns more and spends less; an empty post leaves both at par.
    float m = MinisterFactor();
    IncomeMultiplier = m;
    CostMultiplier = 2.0f - m;
    return value;
}

bool SIM_Policy::IsActive() {
    return active && implementation == 1.0f;
}

float SIM_Policy::GetPolicyCost() {
    return CostAt(value);
}

float SIM_Policy::CostAt(float v) {
    return GetCost(v) * costNeuron.GetValue();
}

float SIM_Policy::GetPolicyIncome() {
    return IncomeAt(value);
}

float SIM_Policy::IncomeAt(float v) {
    float income = GetIncome(v) * incomeNeuron.GetValue();
    return income < 0.0f ? 0.0f : income;
}

float SIM_Policy::MinisterFactor() const {
    if (!group)
        return 0.5f;
    return MinisterFactorFor(group->minister, group->index);
}

float SIM_Policy::GetTarget() const {
    return playerNeuron ? playerNeuron->value : 0.5f;
}

void SIM_Policy::IntroducePolicy() {
    if (active)
        return;
    GetPoliticalCapital().SpendCapital(introduceCost);
    value = 0.0f;
    ResetHistory();
    value = GetTarget();
    ASSERT(group != nullptr);
    if (group)
        group->AddPolicy(this);
    active = true;

    if (!effectsCreated) {
        CTokenizer cells;
        if (SeekEffects(cells)) {
            while (!cells.AtEnd())
                AddEffect(RightTrim(cells.NextToken()));
        }
        // Set even for a corrupt row, so a second introduction does not report it again.
        effectsCreated = true;
    } else {
        // A returning policy starts afresh in the middle, whatever the slider showed last time.
        SetTarget(0.5f);
        value = 0.5f;
    }
    GetPolicyManager().NoteIntroduced(this);
}

void SIM_Policy::CancelPolicy() {
    active = false;
    GetPolicyManager().NoteCancelled(this);
    ASSERT(group != nullptr);
    if (group)
        group->RemovePolicy(this);
    implementation = 0.0f;
    value = 0.0f;
}

void SIM_Policy::SetTarget(float x) {
    ASSERT(playerNeuron != nullptr);
    if (!playerNeuron)
        return;
    playerNeuron->value = x;
    playerNeuron->PushToOutputs();
}

void SIM_Policy::SnapToTarget() {
    ASSERT(sliderLink != nullptr);
    if (sliderLink)
        sliderLink->SetInputNow(sliderLink->inputTarget);
}

void SIM_Policy::SetImplementation(float x) {
    ResetHistory();
    implementation = x;
    float now = GetValue();
    for (NeuralEffect* effect : outputs) {
        effect->SetInputTarget(now);
        effect->SetInputNow(now);
        effect->Recalculate();
    }
}

void SIM_Policy::AdvanceImplementation() {
    if (!active || !(implementation < 1.0f))
        return;
    float step = 1.0f / static_cast<float>(EffectiveTurns());
    implementation = std::clamp(implementation + step * MinisterFactor(), 0.0f, 1.0f);
}

void SIM_Policy::IntroduceAtStartLevel(float level) {
    IntroducePolicy();
    if (sliderConfig)
        level = sliderConfig->Snap(level);
    SetTarget(level);
    SnapToTarget();
    Process();
    SetImplementation(1.0f);
}
