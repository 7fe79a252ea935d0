#include "network/random_neuron.h"

#include "base/random.h"

SIM_RandomNeuron::SIM_RandomNeuron(float lowBound, float highBound)
    : high(highBound), low(lowBound) {
    typeCode = NeuronType::Random;
    SetName("random");
    hidden = true;
}

float SIM_RandomNeuron::Process() {
    value = RandomFloat(low, high);
    PushToOutputs();
    return value;
}
