#include "government/policy_preview.h"

#include "base/tokenizer.h"
#include "government/policy.h"
#include "network/formula.h"
#include "network/neural_effect.h"
#include "network/neuron.h"

#include <algorithm>

namespace {

// Two links to one node (a straight line and a bend) are one effect to the player: the lines
// add up, and the formulas are listed together.
std::vector<PolicyEffectLine> MergeByTarget(std::vector<PolicyEffectLine> lines) {
    std::vector<PolicyEffectLine> merged;
    for (PolicyEffectLine& line : lines) {
        auto same = std::find_if(merged.begin(), merged.end(), [&](const PolicyEffectLine& m) {
            return m.targetName == line.targetName;
        });
        if (same == merged.end()) {
            merged.push_back(std::move(line));
            continue;
        }
        same->formula += " plus " + line.formula;
        same->now += line.now;
        same->atSlider += line.atSlider;
    }
    return merged;
}

} // namespace

std::vector<PolicyEffectLine> PreviewPolicyEffects(SIM_Policy& policy, float slider) {
    std::vector<PolicyEffectLine> lines;
    for (NeuralEffect* link : policy.outputs) {
        PolicyEffectLine line;
        line.link = link;
        line.target = link->target;
        line.targetName = link->target ? link->target->name : "";
        line.formula = link->formula;
        line.now = link->IsSourceActive() ? link->GetOutput() : 0.0f;
        line.atSlider = link->EvaluateAt(slider);
        lines.push_back(line);
    }
    if (policy.effectsCreated)
        return MergeByTarget(std::move(lines));
    // The links the first introduction will make: scale 1, weighed by the minister as a live
    // link would be.
    const float minister = policy.MinisterFactor();
    for (const std::string& text : policy.EffectTexts()) {
        CTokenizer fields(text);
        PolicyEffectLine line;
        line.targetName = fields.NextToken();
        line.formula = fields.NextToken();
        line.target = LookUpNeuron(line.targetName);
        line.atSlider = EvaluateFormula(line.formula.c_str(), slider) * minister;
        lines.push_back(line);
    }
    return MergeByTarget(std::move(lines));
}
