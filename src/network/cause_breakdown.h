#pragma once
// Why a node's value is what it is: every incoming link with what it adds now, strongest first,
// what they combine to, and each step between that and the figure the node shows (its base, a
// prerequisite out of force, its clamps, causes still on their way). The details windows list
// it; the arithmetic is the node's own, in the same order and precision, so the total is the
// value the node's next computation would give from its links as they stand.

#include "network/neuron.h"

#include <cstdint>
#include <string>
#include <vector>

class NeuralEffect;

struct CauseContribution {
    NeuralEffect* link = nullptr;
    Neuron* source = nullptr;
    // The source's value now, and what the formula reads as x: the source's value (or its
    // average over the link's drag) as far as the link's inertia has let it through.
    float sourceValue = 0.0f;
    float input = 0.0f;
    // The formula's result times the link's scale.
    float output = 0.0f;
    // A policy source's implementation and minister factor (1 and 1 for any other source).
    float implementation = 1.0f;
    float ministerFactor = 1.0f;
    // The link's strength as the node reads it: output × implementation × minister factor.
    float strength = 0.0f;
    // What the link adds to the value: its strength, divided by the number of counted links in
    // an average; in a product, the factor it multiplies by.
    float contribution = 0.0f;
    // The strength once the input has caught up with its source; equal to strength unless the
    // link is still moving.
    float settledStrength = 0.0f;
    bool stillMoving = false;
    // Left out of the player's lists (chance, the vote share); the total still includes it.
    bool hidden = false;
    // How strongly the link moves the value, for ordering: |contribution|, or in a product how
    // far the factor lies from 1.
    float weight = 0.0f;
    // When one source reaches the node through several links (a straight line and a bend), the
    // cause is their sum (in a product, their product) and each link is kept here, in input
    // order; empty for a source with one link.
    std::vector<CauseContribution> parts;
};

struct CauseBreakdown {
    int32_t combineMode = kCombineSum;
    // Counted links only (active source, accepted by the node), one per source (in an average,
    // one per link, since each link counts there), strongest first; ties keep the order of the
    // node's inputs.
    std::vector<CauseContribution> causes;
    // Links that do not count now because their source is not in force (a policy not yet
    // introduced, a situation that is off).
    std::vector<NeuralEffect*> idle;
    // What the counted links combine to: their sum, average or product.
    float combined = 0.0f;
    float baseOffset = 0.0f;
    // combined + base, before prerequisites and clamps.
    float beforeLimits = 0.0f;
    // A prerequisite not in force holds the value at 0.
    bool prerequisiteMissing = false;
    std::string missingPrerequisite;
    // The range the node holds itself to.
    float minValue = -1.0f;
    float maxValue = 1.0f;
    bool heldAtMin = false;
    bool heldAtMax = false;
    // The value the node's computation gives from its links as they stand now.
    float total = 0.0f;
    // The value the node shows (worked out when it was last computed).
    float shown = 0.0f;
    // The value once every moving link has caught up with its source (limits applied).
    float settledTotal = 0.0f;
    int movingCount = 0;
};

// Explains the node's value from its incoming links. Reading a link's strength is what the
// node's own computation does, so this changes nothing the next turn would see.
CauseBreakdown ExplainValue(Neuron& node);

// The range a node's computation holds its value to: its own clamps, narrowed to 0 … 1 for a
// situation, which keeps to that range on top of them.
void ValueLimits(const Neuron& node, float& low, float& high);
