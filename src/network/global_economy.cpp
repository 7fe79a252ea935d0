#include "network/global_economy.h"

#include "base/random.h"
#include "network/neural_effect.h"

#include <cmath>

namespace {
// 2π rounded to single precision, so the angle is formed exactly as in float arithmetic.
constexpr float kTwoPi = 6.2831854820251465f;

float CycleValue(float phase, float amplitude) {
    float angle = phase * kTwoPi;
    float wave = static_cast<float>(std::sin(static_cast<double>(angle)));
    return wave * amplitude;
}
} // namespace

CGlobalEconomy::CGlobalEconomy() : phase(0.0f), cycleLength(0.0f), amplitude(0.0f) {
    typeCode = NeuronType::Plain;
}

void CGlobalEconomy::SetupGlobalEconomy(float cycleStart, float cycleAmplitude) {
    phase = cycleStart;
    cycleLength = 6.0f;
    amplitude = cycleAmplitude;
    SetName("GlobalEconomy");
    value = CycleValue(phase, amplitude);
    Neuron* gdp = FindNeuron("GDP");
    if (gdp)
        new NeuralEffect(this, gdp, "0+(1.0*x)", amplitude, value);
}

void CGlobalEconomy::AdvanceCycle() {
    float quarters = cycleLength * 4.0f;
    float step = 1.0f / quarters;
    phase = phase + step;
    if (phase > 1.0f)
        phase = phase - 1.0f;
    value = CycleValue(phase, amplitude);
    value = value * RandomFloat(0.9f, 1.1f);
    PushToOutputs();
}
