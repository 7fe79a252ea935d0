#pragma once
// CGlobalEconomy: the world economic cycle, a sine wave with a little noise that drives GDP. It
// moves only when the turn pipeline advances it, never when the network is processed.

#include "network/neuron.h"

class CGlobalEconomy : public Neuron {
public:
    CGlobalEconomy();
    float Process() override { return value; }

    // Starts the cycle at the mission's phase with the chosen strength and links it to "GDP".
    void SetupGlobalEconomy(float cycleStart, float cycleAmplitude);
    // One turn along the cycle: a full cycle takes cycleLength years of four turns.
    void AdvanceCycle();

    float phase;
    float cycleLength;
    float amplitude;
};
