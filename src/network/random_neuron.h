#pragma once
// SIM_RandomNeuron: a hidden noise source that draws a fresh uniform value every turn. Content
// attaches one to a neuron with the "_random_,LOW,HIGH" influence.

#include "network/neuron.h"

class SIM_RandomNeuron : public Neuron {
public:
    SIM_RandomNeuron(float low, float high);
    // Draws the turn's value; no inputs, clamp or prerequisites apply.
    float Process() override;

    float high;
    float low;
};
