#include "government/policy_preview.h"

#include "base/tokenizer.h"
#include "government/policy.h"
#include "network/formula.h"
#include "network/neural_effect.h"
#include "network/neuron.h"

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
        return lines;
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
    return lines;
}
