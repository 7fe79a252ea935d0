#pragma once
// The network's part of the game in play: the registries that own every node and link, the named
// nodes every game has, and the simulation values.

#include "base/game_part.h"
#include "network/simulation.h"

#include <unordered_set>
#include <vector>

class CGlobalEconomy;
class NeuralEffect;
class Neuron;

struct NetworkState {
    // Every live node in processing order, and every live link in creation order; both own them.
    std::vector<Neuron*> neurons;
    std::vector<NeuralEffect*> effects;
    // While DeleteAllNeurons runs, destroyed nodes are noted here instead of being searched for
    // in the registry, which keeps the teardown of a large population linear.
    bool tearingDown = false;
    std::unordered_set<const Neuron*>* destroyed = nullptr;

    // The named nodes every game has, set by SetupNamedNeurons; null until then.
    Neuron* winningNeuron = nullptr;
    Neuron* debtNeuron = nullptr;
    Neuron* securityNeuron = nullptr;
    CGlobalEconomy* globalEconomy = nullptr;
    // The income values the voters read; null while missing.
    Neuron* highIncome = nullptr;
    Neuron* lowIncome = nullptr;
    Neuron* middleIncome = nullptr;

    CSimulation simulation;
};

inline NetworkState& Network() {
    return GamePart<NetworkState>::Current();
}
