#include "network/cause_breakdown.h"

#include "network/neural_effect.h"

#include <algorithm>
#include <cmath>

namespace {

// The two clamps of a computation, in the order the node applies them: its own range (the lower
// bound first, so a NaN passes both), then a situation's 0 … 1.
float Limit(const Neuron& node, float value) {
    if (value < node.minValue)
        value = node.minValue;
    if (value > node.maxValue)
        value = node.maxValue;
    if (node.typeCode == NeuronType::Situation) {
        if (value < 0.0f)
            value = 0.0f;
        if (value > 1.0f)
            value = 1.0f;
    }
    return value;
}

float Combine(int32_t mode, float so_far, float strength) {
    return mode == kCombineProduct ? so_far * strength : so_far + strength;
}

// A player asks what a source does to the node, not what each of its links does, so several
// links from one source become one cause. An average counts every link on its own, so its
// causes stay apart.
void MergeBySource(std::vector<CauseContribution>& causes, int32_t mode) {
    std::vector<CauseContribution> merged;
    for (CauseContribution& cause : causes) {
        auto same = std::find_if(merged.begin(), merged.end(), [&](const CauseContribution& m) {
            return m.source == cause.source;
        });
        if (same == merged.end()) {
            merged.push_back(std::move(cause));
            continue;
        }
        CauseContribution& into = *same;
        if (into.parts.empty()) {
            CauseContribution first = into;
            into.parts.push_back(std::move(first));
        }
        into.strength = Combine(mode, into.strength, cause.strength);
        into.output += cause.output;
        into.settledStrength = Combine(mode, into.settledStrength, cause.settledStrength);
        into.contribution = Combine(mode, into.contribution, cause.contribution);
        into.stillMoving = into.stillMoving || cause.stillMoving;
        into.parts.push_back(std::move(cause));
    }
    causes = std::move(merged);
}

} // namespace

void ValueLimits(const Neuron& node, float& low, float& high) {
    low = node.minValue;
    high = node.maxValue;
    if (node.typeCode == NeuronType::Situation) {
        low = std::max(low, 0.0f);
        high = std::min(high, 1.0f);
    }
}

CauseBreakdown ExplainValue(Neuron& node) {
    CauseBreakdown result;
    result.combineMode = node.combineMode;
    result.shown = node.value;
    result.baseOffset = node.baseOffset;
    ValueLimits(node, result.minValue, result.maxValue);

    const int32_t mode = node.combineMode;
    float combined = (mode == kCombineProduct) ? 1.0f : 0.0f;
    float settled = combined;
    int count = 0;
    for (NeuralEffect* link : node.inputs) {
        if (!link->IsSourceActive()) {
            if (link->source)
                result.idle.push_back(link);
            continue;
        }
        // A link the node turns away (a voter's tie to a group it does not belong to) is no
        // cause at all.
        if (!node.AcceptsInput(link))
            continue;
        CauseContribution cause;
        cause.link = link;
        cause.source = link->source;
        cause.strength = link->GetOutput();
        cause.output = link->output;
        cause.input = link->input;
        cause.sourceValue = link->source->GetValue();
        cause.hidden = link->source->hidden;
        if (link->source->typeCode == NeuronType::Policy) {
            cause.implementation = link->source->PolicyImplementation();
            cause.ministerFactor = link->source->PolicyMinisterFactor();
            cause.settledStrength = link->EvaluateAtTarget() * link->scale * cause.implementation *
                                    cause.ministerFactor;
        } else {
            cause.settledStrength = link->EvaluateAtTarget() * link->scale;
        }
        cause.stillMoving = link->input != link->inputTarget;
        result.movingCount += cause.stillMoving ? 1 : 0;
        combined = Combine(mode, combined, cause.strength);
        settled = Combine(mode, settled, cause.settledStrength);
        ++count;
        result.causes.push_back(cause);
    }
    if (count > 1 && mode == kCombineAverage) {
        combined = combined / static_cast<float>(count);
        settled = settled / static_cast<float>(count);
    }
    for (CauseContribution& cause : result.causes) {
        if (mode == kCombineAverage && count > 1)
            cause.contribution = cause.strength / static_cast<float>(count);
        else
            cause.contribution = cause.strength;
    }
    if (mode != kCombineAverage)
        MergeBySource(result.causes, mode);
    for (CauseContribution& cause : result.causes)
        cause.weight = mode == kCombineProduct ? std::fabs(1.0f - cause.contribution)
                                               : std::fabs(cause.contribution);
    std::stable_sort(
        result.causes.begin(), result.causes.end(),
        [](const CauseContribution& a, const CauseContribution& b) { return a.weight > b.weight; });

    result.combined = combined;
    result.beforeLimits = node.baseOffset + combined;
    for (Neuron* prerequisite : node.prerequisites) {
        if (!prerequisite->IsActive()) {
            result.prerequisiteMissing = true;
            result.missingPrerequisite = prerequisite->name;
            break;
        }
    }
    const float unclamped = result.prerequisiteMissing ? 0.0f : result.beforeLimits;
    result.total = Limit(node, unclamped);
    result.heldAtMin = unclamped < result.minValue;
    result.heldAtMax = unclamped > result.maxValue;
    result.settledTotal =
        Limit(node, result.prerequisiteMissing ? 0.0f : node.baseOffset + settled);
    return result;
}
