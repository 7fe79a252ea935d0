#include "network/neural_effect.h"

#include "data/debug_log.h"
#include "network/neuron.h"

#include <algorithm>
#include <cmath>
#include <cstring>

bool g_instantEffects = false;
bool g_gameRunning = true;

namespace {
std::vector<NeuralEffect*> g_effects;

void RemoveFrom(std::vector<NeuralEffect*>& list, NeuralEffect* effect) {
    // Links that die during play are mostly recent ones, so look from the back.
    auto found = std::find(list.rbegin(), list.rend(), effect);
    if (found != list.rend())
        list.erase(std::next(found).base());
}
} // namespace

NeuralEffect::NeuralEffect(Neuron* source, Neuron* target, const char* formula, float scale,
                           float initialInput) {
    ASSERT(source != nullptr);
    ASSERT(target != nullptr);
    change = 0.0f;
    inertialDrag = 0;
    firstUpdate = true;
    const char* text = formula ? formula : "";
    size_t length = std::min(std::strlen(text), static_cast<size_t>(kFormulaMaxChars));
    std::memcpy(this->formula, text, length);
    this->formula[length] = '\0';
    this->scale = scale;
    this->target = target;
    this->source = source;
    input = initialInput;
    inputTarget = initialInput;
    g_effects.push_back(this);
    output = 0.0f;
    inertia = 1;
    if (source)
        source->AddOutput(this);
    if (target)
        target->AddInput(this);
}

NeuralEffect::~NeuralEffect() {
    if (g_gameRunning) {
        if (source)
            RemoveFrom(source->outputs, this);
        if (target)
            RemoveFrom(target->inputs, this);
    }
    // The registry is ours and always valid, so leave it even while the network is torn down;
    // DeleteAllEffects empties it before freeing, which makes this a no-op there.
    RemoveFrom(g_effects, this);
}

void NeuralEffect::SetInertialDrag(int drag) {
    if (drag < 0 || static_cast<uint32_t>(drag) > kMaxInertialDrag) {
        REPORT_ERROR("Invalid Inertial drag for neural effect");
        return;
    }
    inertialDrag = static_cast<uint32_t>(drag);
}

bool NeuralEffect::IsSourceActive() {
    if (!source) {
        REPORT_ERROR("Orphan effect");
        return false;
    }
    return source->active;
}

void NeuralEffect::SetInputNow(float newInput) {
    input = newInput;
    Recalculate();
}

float NeuralEffect::Evaluate() const {
    return EvaluateFormula(formula, input);
}

void NeuralEffect::Recalculate() {
    if (g_instantEffects || inertia == 1)
        input = inputTarget;
    output = Evaluate() * scale;
}

float NeuralEffect::GetOutput() {
    Recalculate();
    if (source && source->typeCode == kNeuronPolicy)
        return output * source->PolicyImplementation() * source->PolicyMinisterFactor();
    return output;
}

float NeuralEffect::EvaluateAt(float x) {
    float result = EvaluateFormula(formula, x) * scale;
    if (source && source->typeCode == kNeuronPolicy)
        result = result * source->PolicyMinisterFactor();
    return result;
}

float NeuralEffect::EvaluateAtTarget() const {
    return EvaluateFormula(formula, inputTarget);
}

void NeuralEffect::Update() {
    float before = GetOutput();
    if (firstUpdate) {
        firstUpdate = false;
        before = 0.0f;
    }
    float step = 1.0f / static_cast<float>(inertia);
    if (input < inputTarget) {
        input = input + step;
        if (input > inputTarget)
            input = inputTarget;
    } else if (input > inputTarget) {
        input = input - step;
        if (input < inputTarget)
            input = inputTarget;
    }
    Recalculate();
    float after = GetOutput();
    change = std::fabs(after - before);
}

void UpdateAllEffects() {
    // By index: an update never adds links, but the size is re-read to stay within bounds.
    for (size_t i = 0; i < g_effects.size(); ++i) {
        NeuralEffect* effect = g_effects[i];
        if (effect->IsSourceActive())
            effect->Update();
    }
}

void DeleteAllEffects() {
    ASSERT(!g_gameRunning);
    std::vector<NeuralEffect*> doomed;
    doomed.swap(g_effects);
    for (NeuralEffect* effect : doomed)
        delete effect;
}

const std::vector<NeuralEffect*>& AllEffects() {
    return g_effects;
}
