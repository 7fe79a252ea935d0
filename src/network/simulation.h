#pragma once
// CSimulation: loads, owns and resolves the simulation values of a game, and sets up the named
// neurons every game has whatever its content ("_winning_", "_debt_", the economic cycle and
// "_security_").

#include "base/game_subsystem.h"
#include "network/sim_value.h"

#include <vector>

class Neuron;
class SIM_SimVal;

// Mod files of simulation values, one value per file; "%s" is the user folder.
inline constexpr const char kSimulationModPattern[] = "%s/mods/data/simulation/simulation/*.txt";

class CSimulation : public GameSubsystem {
public:
    // Reads the standard table named by the setup key "simulation", then one value per mod
    // file, then finds the three income values.
    void LoadAll();
    void AttachAllToGroups(PolicyGroupLookup findGroup);
    void ResolveAllLinks();
    // Destroys every value in list order and forgets the income values.
    void Release() override;

    // Called by each value as it is built and destroyed.
    static void Register(SIM_SimVal* simVal);
    static void Unregister(SIM_SimVal* simVal);
    const std::vector<SIM_SimVal*>& Values() const { return values; }

private:
    std::vector<SIM_SimVal*> values;
};

// The simulation of the game in play.
CSimulation& GetSimulation();

// Creates "_winning_", "_debt_", the global economy and "_security_" in that order, destroying
// any previous one first, and records them as the game's named neurons (network_state.h).
void SetupNamedNeurons();
