#pragma once
// SIM_Policy: a government programme the player introduces, adjusts with a slider and cancels.
// Its value is the slider position as it has taken effect; its links carry that value into the
// network, weighted by how far the programme is implemented and how able its minister is. It
// also costs and earns money each turn through its finance curves.

#include "base/content_numbers.h"
#include "government/finance_object.h"
#include "network/neuron.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CSliderConfig;
class CTokenizer;
class NeuralEffect;
class SIM_Minister;
class SIM_PlayerNeuron;
class SIM_PolicyGroup;

// A policy row is kept as read, at most this many characters.
constexpr size_t kPolicyRowChars = 1023;

// The cell that separates a row's fixed columns from its effect texts.
inline constexpr const char kPolicyEffectsMarker[] = "#Effects";
// Flag words of the flags cell.
inline constexpr const char kPolicyFlagUncancellable[] = "UNCANCELLABLE";
inline constexpr const char kPolicyFlagMultiplyIncome[] = "MULTIPLYINCOME";

// Keys of a policy's saved state.
inline constexpr const char kPolicySaveElement[] = "policy";
inline constexpr const char kPolicySaveImplementation[] = "implementation";
inline constexpr const char kPolicySaveTarget[] = "targetvalue";
inline constexpr const char kPolicySaveValue[] = "Value";
inline constexpr const char kPolicySaveHistory[] = "history";
inline constexpr const char kPolicySaveActive[] = "active";

// How strongly a minister carries the policies of a post: 0.5 for an empty post, otherwise
// experience × suitability × 0.5 + 0.5, within 0 … 1.
float MinisterFactorFor(const SIM_Minister* minister, int groupIndex);

class SIM_Policy : public Neuron, public CFinanceObject {
public:
    // Takes the row, names the policy and its two multiplier neurons, looks for its picture,
    // joins the policy manager's list and checks that every effect target exists.
    explicit SIM_Policy(const std::string& row);
    ~SIM_Policy() override;

    // An introduced policy fills its history with its value; one not introduced with 0.
    void ResetHistory() override;
    // The usual computation; the minister then weighs income up and cost down together.
    float Process() override;
    // Fully in force: introduced and implemented to exactly 1.
    bool IsActive() override;
    // Cost and income this turn at the current value, times the multiplier neurons.
    virtual float GetPolicyCost();
    virtual float GetPolicyIncome();
    // The same at another slider position 0 … 1, as the policy would cost and earn once it
    // stands there (the multipliers as they are now).
    float CostAt(float v);
    float IncomeAt(float v);
    // The row's effect texts, "TARGET,FORMULA[,DRAG]", in row order, whether or not the links
    // exist yet; empty for a row without its effects marker (reported when the row was read).
    std::vector<std::string> EffectTexts() const;

    float PolicyImplementation() const override { return implementation; }
    float PolicyMinisterFactor() const override { return MinisterFactor(); }

    // Once the network exists: reads every column of the row and creates the slider, whose link
    // walks towards the player's choice over implementationTurns turns.
    void LinkPolicy();
    // Spends the introduction cost, joins the group and the introduced list and, the first time,
    // attaches the effect links. Does nothing for a policy already introduced.
    void IntroducePolicy();
    // Leaves the group and the introduced list; the links stay for a later introduction.
    void CancelPolicy();
    // Moves the player's slider; the policy follows at the pace of its slider link.
    void SetTarget(float x);
    // Lets the policy take the slider position at once.
    void SnapToTarget();
    // Sets the implementation and brings every effect link straight to the current value.
    void SetImplementation(float x);
    // One turn of implementation: 1/implementationTurns of the whole, weighted by the minister.
    void AdvanceImplementation();
    // A policy a new game starts with: introduced, its slider snapped to the slider's steps and
    // taken at once, processed once and fully implemented.
    void IntroduceAtStartLevel(float level);

    float MinisterFactor() const;
    // The player's chosen slider position (0.5 before the slider exists).
    float GetTarget() const;
    NeuralEffect* SliderLink() const { return sliderLink; }

    SIM_PolicyGroup* group = nullptr;
    float implementation = 0.0f;
    std::string description;
    std::string rowText;
    const CSliderConfig* sliderConfig = nullptr;
    int32_t implementationTurns = 0;
    Neuron costNeuron;
    Neuron incomeNeuron;
    SIM_PlayerNeuron* playerNeuron = nullptr;
    bool cancellable = true;
    bool effectsCreated = false;
    std::string iconFile;
    int32_t introduceCost = 0;
    int32_t cancelCost = 0;
    int32_t raiseCost = 0;
    int32_t lowerCost = 0;

private:
    // Positions cells just past the effects marker; reports a corrupt row and returns false when
    // the marker is not where it belongs.
    bool SeekEffects(CTokenizer& cells, bool report = true) const;
    void CheckEffectTargets() const;
    // A turn count of 0 or less would make the slider link and the implementation jump in one
    // step by a division by zero; they take one turn instead.
    int32_t EffectiveTurns() const { return implementationTurns > 0 ? implementationTurns : 1; }

    NeuralEffect* sliderLink = nullptr;
};

// "icons_<name>.dds" in "data/bitmaps/policies", else in the user folder's "mods/data/bitmaps";
// empty when neither holds it.
std::string FindPolicyIcon(const std::string& policyName);
