#pragma once
// NeuralEffect: a directed link that carries its source neuron's value through a one-line formula
// and a scale to its target neuron. Its input walks towards the source's value by 1/inertia per
// turn, so changes spread through the network over several turns. All live links sit in the
// registry of the game in play, which owns them.

#include "network/formula.h"
#include "network/neuron.h"

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr uint32_t kMaxInertialDrag = 32;

// While on, every recomputation of a link ignores inertia (used while a new game settles). A
// switch of the program rather than a part of the game: every link reads it on every turn, and
// the end of a game switches it off, so a game never starts with it on.
extern bool g_instantEffects;
// While on, destroyed links and neurons unlink themselves; switched off around wholesale
// destruction, when DeleteAllNeurons and DeleteAllEffects free everything without unlinking.
// Starts on, as for a running program; the window's shutdown also reads it as whether the
// program still runs, so it belongs to the program, not to a game.
extern bool g_gameRunning;

class NeuralEffect {
public:
    // Registers the link and attaches it to both ends; the output is first computed on demand.
    NeuralEffect(Neuron* source, Neuron* target, const char* formula, float scale,
                 float initialInput);
    // With gameRunning on, detaches from both ends; always leaves the link registry.
    ~NeuralEffect();
    NeuralEffect(const NeuralEffect&) = delete;
    NeuralEffect& operator=(const NeuralEffect&) = delete;

    // A large population makes links by the million; they come from a pool of large blocks
    // rather than one heap allocation each.
    static void* operator new(std::size_t size);
    static void operator delete(void* memory, std::size_t size);

    // Replaces the formula text (cut to 31 characters) and reads it afresh. The text must only
    // ever change through here, or evaluation would go on with the old formula.
    void SetFormula(const char* text);

    // 0 … 32 past turns averaged by the source; anything larger is refused with an error box.
    void SetInertialDrag(int drag);
    bool IsSourceActive() {
        if (!source)
            return ReportOrphan();
        return source->active;
    }
    void SetInputTarget(float target) { inputTarget = target; }
    void SetInputNow(float newInput);
    // The formula at the current input, without scale.
    float Evaluate() const { return EvaluateAtInput(input); }
    void Recalculate() {
        if (g_instantEffects || inertia == 1)
            input = inputTarget;
        output = Evaluate() * scale;
    }
    // The link's strength as every reader sees it, including a policy source's multipliers.
    float GetOutput() {
        Recalculate();
        return Strength(output);
    }
    // Previews the output at another input: scale and a policy's minister factor, no
    // implementation.
    float EvaluateAt(float x);
    // The formula at the input target, without scale.
    float EvaluateAtTarget() const { return EvaluateAtInput(inputTarget); }
    // The per-turn step of the input towards its target; records the output's change.
    void Update();

    // Laid out for the turn's passes rather than by topic: a source's push touches inputTarget and
    // inertialDrag of every outgoing link, so the two share 8 bytes that never straddle a cache
    // line; everything a turn reads fits in the first 64 bytes and the text, read only when the
    // link is made, comes last.
    Neuron* source;
    Neuron* target;
    float scale;
    float input;
    float inputTarget;
    uint32_t inertialDrag;
    float output;
    float change;
    int32_t inertia;
    bool firstUpdate;
    ParsedFormula parsed;
    // The text as given; read only. Evaluation uses `parsed`, kept in step by SetFormula.
    char formula[kFormulaMaxChars + 1];

private:
    // The formula with x = the given input. A text the parse could not take is evaluated (and
    // reported) from the text each time.
    float EvaluateAtInput(float x) const {
        if (parsed.usable)
            return EvaluateParsedFormula(parsed, x);
        return EvaluateFormula(formula, x);
    }
    // A computed output as readers see it: a policy source adds its implementation and minister
    // factor.
    float Strength(float raw) const {
        if (source && source->typeCode == NeuronType::Policy)
            return raw * source->PolicyImplementation() * source->PolicyMinisterFactor();
        return raw;
    }
    // Update read for read as the rule states it: three evaluations, each a full GetOutput. Taken
    // where a read can have an effect of its own (a text reported at every evaluation) or reads
    // another object (a policy's multipliers).
    void UpdateReadByRead();
    // "Orphan effect", then false.
    static bool ReportOrphan();
};

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
// Every link's output worked out again from where its input stands, moving nothing on.
void RecalculateAllEffects();
// Frees every link. Meant for gameRunning off, after the neurons are gone.
void DeleteAllEffects();
const std::vector<NeuralEffect*>& AllEffects();
