#pragma once
// SIM_PlayerNeuron: the player's slider position for one policy. Its value is set from outside
// by the policy slider; each turn it only hands that value on to the policy.

#include "network/neuron.h"

class SIM_PlayerNeuron : public Neuron {
public:
    SIM_PlayerNeuron();
    float Process() override;
};
