#include "network/player_neuron.h"

SIM_PlayerNeuron::SIM_PlayerNeuron() {
    typeCode = NeuronType::Player;
    SetName("PlayerInput");
    value = 0.5f;
}

float SIM_PlayerNeuron::Process() {
    PushToOutputs();
    return value;
}
