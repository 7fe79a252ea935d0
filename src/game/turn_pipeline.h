#pragma once
// The turn pipeline: the fixed order in which one turn steps every subsystem, and the new-game
// set-up that loads all content, applies the mission and settles the network.

#include <string>

class CMission;

// One turn, in the fixed order of the pipeline.
void ProcessNewTurn();
// Counts the votes into the poll record and the "_winning_" neuron.
void CountVotes();
// The fraction of all voters who would vote for the government, as they see it now; 0.5 while
// there is no population.
float GetVoteShare();

// Builds a new game from the content and the mission "data/missions/<missionName>.txt", then
// settles the network with two turns.
void NewGameSetup(const std::string& missionName);
// The part of a new game that a load shares: start an empty game that settles at once (instant
// effects until the first turn of play) and read all content afresh for the mission, up to the
// events; progress, when not null, shows each stage's text.
void ClearGameAndLoadContent(void (*progress)(const char* text));
// After the mission's start state (a new game) or before the saved state (a load): the win and
// loss runs, the finances' starting figures, the economic cycle, the election multipliers, the
// simulation values' links and the autorun scripts.
void SetUpLoadedContent();
// Introduces the policies that start introduced, then applies every start setting of the mission
// in order.
void ApplyMission(const CMission& mission);
// Sets the start state of the node of that name: a simulation value's base, a voter group's
// share or a policy's starting level.
void ApplyStartSetting(const std::string& name, float value);
