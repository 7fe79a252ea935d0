#pragma once
// NeuralEffect: a directed link that carries its source neuron's value through a one-line formula
// and a scale to its target neuron. Its input walks towards the source's value by 1/inertia per
// turn, so changes spread through the network over several turns. All live links sit in one
// global registry, which owns them.

#include "network/formula.h"

#include <cstdint>
#include <vector>

class Neuron;

constexpr uint32_t kMaxInertialDrag = 32;

class NeuralEffect {
public:
    // Registers the link and attaches it to both ends; the output is first computed on demand.
    NeuralEffect(Neuron* source, Neuron* target, const char* formula, float scale,
                 float initialInput);
    // With gameRunning on, detaches from both ends; always leaves the link registry.
    ~NeuralEffect();
    NeuralEffect(const NeuralEffect&) = delete;
    NeuralEffect& operator=(const NeuralEffect&) = delete;

    // 0 … 32 past turns averaged by the source; anything larger is refused with an error box.
    void SetInertialDrag(int drag);
    bool IsSourceActive();
    void SetInputTarget(float target) { inputTarget = target; }
    void SetInputNow(float newInput);
    // The formula at the current input, without scale.
    float Evaluate() const;
    void Recalculate();
    // The link's strength as every reader sees it, including a policy source's multipliers.
    float GetOutput();
    // Previews the output at another input: scale and a policy's minister factor, no
    // implementation.
    float EvaluateAt(float x);
    // The formula at the input target, without scale.
    float EvaluateAtTarget() const;
    // The per-turn step of the input towards its target; records the output's change.
    void Update();

    Neuron* source;
    Neuron* target;
    float scale;
    float input;
    float inputTarget;
    float output;
    bool firstUpdate;
    float change;
    int32_t inertia;
    char formula[kFormulaMaxChars + 1];
    uint32_t inertialDrag;
};

// While on, every recomputation of a link ignores inertia (used while a new game settles).
extern bool g_instantEffects;
// While on, destroyed links and neurons unlink themselves; switched off around wholesale
// destruction, when DeleteAllNeurons and DeleteAllEffects free everything without unlinking.
// Starts on, as for a running program.
extern bool g_gameRunning;

inline bool InstantEffects() {
    return g_instantEffects;
}
inline void SetInstantEffects(bool on) {
    g_instantEffects = on;
}
inline bool IsGameRunning() {
    return g_gameRunning;
}
inline void SetGameRunning(bool on) {
    g_gameRunning = on;
}

// Steps every link whose source is active, in creation order.
void UpdateAllEffects();
// Frees every link. Meant for gameRunning off, after the neurons are gone.
void DeleteAllEffects();
const std::vector<NeuralEffect*>& AllEffects();
