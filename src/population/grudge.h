#pragma once
// SIM_Grudge: a small node that pushes one other node (its holder) up or down by a value that
// fades by a fixed factor every turn. Voter groups hold grudges against policies that hurt them,
// serving ministers lift their favourite groups through the same kind of node, and scripts raise
// grudges of their own. The grudge list and its turn step live here too.

#include "network/neuron.h"

#include <cstdint>
#include <string>
#include <vector>

class NeuralEffect;

// Every grudge reaches its holder through a link of this formula.
inline constexpr const char kGrudgeLinkFormula[] = "0+(1.0*x)";

class SIM_Grudge : public Neuron {
public:
    // An unlinked grudge of value 0 that never fades; the factories below make usable ones.
    SIM_Grudge();
    ~SIM_Grudge() override;

    // The value is set from outside, never computed from inputs: this only hands it on.
    float Process() override;

    // Renews the grudge: its fading starts again from v, while its age keeps counting.
    void SetValue(float v) { value = v; }
    // One turn of fading. False once the grudge has faded to within ±0.01 of nothing, measured
    // on the side of zero it stood before this step.
    bool Decay();
    // The one output link, to the holder; null before it is made or after the holder is gone.
    NeuralEffect* Link() const { return outputs.empty() ? nullptr : outputs.front(); }

    // The node the grudge is about; null for a grudge about no node, and once that node is gone.
    Neuron* target = nullptr;
    std::string holderName;
    int32_t inertialDrag = 0;
    float decay = 1.0f;
    int32_t age = 0;
};

// The factories return null, after logging an assertion failure, when the holder (or, for the
// first and last, the target) does not exist; callers must accept a null grudge.

// A grudge named after its target node, showing the target's shown name.
SIM_Grudge* CreateGrudge(const std::string& targetName, const std::string& holderName, float value,
                         float decay);
// A grudge about no node: it has no name and shows the given text.
SIM_Grudge* CreateNamedGrudge(const std::string& shownText, const std::string& holderName,
                              float value, float decay);
// As CreateGrudge, and the holder feels it through the average of its last `drag` turns
// (truncated to a whole number, 0 … 32).
SIM_Grudge* CreateInertialGrudge(const std::string& targetName, const std::string& holderName,
                                 float value, float decay, float drag);

// The turn step: every grudge fades, and those that have faded away are destroyed after the walk.
void UpdateAllGrudges();

// Every live grudge in creation order.
const std::vector<SIM_Grudge*>& AllGrudges();
// True while the pointer names a live grudge (never dereferenced).
bool IsLiveGrudge(const SIM_Grudge* grudge);

// Told about every grudge just before it goes, by fading or by any other destruction, so holders
// of a pointer (a serving minister's boost nodes) can let go of it. One listener; null clears it.
using GrudgeGoneListener = void (*)(SIM_Grudge* grudge);
void SetGrudgeGoneListener(GrudgeGoneListener listener);
