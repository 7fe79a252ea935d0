#pragma once
// What a policy does to the rest of the country, for the policy windows: every node it reaches,
// what each link delivers now and what it would deliver at another slider position, whether the
// policy is in force or only being considered (its own effect links are made only when it is
// first introduced, so until then they are read from its row).

#include <string>
#include <vector>

class NeuralEffect;
class Neuron;
class SIM_Policy;

struct PolicyEffectLine {
    std::string targetName;
    // Null when no node has that name.
    Neuron* target = nullptr;
    std::string formula;
    // The live link; null while the effect exists only in the policy's row.
    NeuralEffect* link = nullptr;
    // What the link delivers now: its output weighed by implementation and minister; 0 while
    // the policy is not introduced.
    float now = 0.0f;
    // What it would deliver with the slider at the given position once fully implemented, the
    // minister as now.
    float atSlider = 0.0f;
};

// The live links from the policy in the order they were made (content that names the policy as
// a cause, then its own effects), followed, for a policy never introduced, by the effects of
// its row. Several links to one node make one line, at the place of the first: their figures
// added, their formulas listed in order and `link` the first of them.
std::vector<PolicyEffectLine> PreviewPolicyEffects(SIM_Policy& policy, float slider);
