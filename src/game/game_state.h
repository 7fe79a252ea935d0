#pragma once
// The game in play as one object. Everything that lives for one game is in one of its parts: the
// record of turns and polls (base/turn.h), the network (network/network_state.h), the population
// (population/population_state.h) and the government (government/government_state.h). A new
// game, a load and a test replace the whole of it in one step.
//
// What outlives a game stays outside: the tables read at start-up (setup table, options,
// translation, slider configurations, achievements, party names, the manifesto's promises), the
// mission being chosen or played with its names (the new-game screen edits it before the game is
// built, and a load reads it ahead of the content), the calendar (a new game carries it on), the
// player's runs of wins and losses, the random generator, the user folders and the front end.

#include <memory>

struct GameRecord;
struct GovernmentState;
struct NetworkState;
struct PopulationState;

class GameState {
public:
    // Makes the parts bottom up, installing each before the next is made.
    GameState();
    // Tears the game down in the order its objects need: the parties while the voters that name
    // them live, the pressure groups and attacks while their members do, then every subsystem,
    // node and link wholesale; then the parts go top down.
    ~GameState();
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

private:
    std::unique_ptr<GameRecord> record;
    std::unique_ptr<NetworkState> network;
    std::unique_ptr<PopulationState> population;
    std::unique_ptr<GovernmentState> government;
};

// Ends the game in play, if any, and starts an empty one: no content, no population, turn 0.
void StartEmptyGame();
// Ends the game in play without starting another; the core is shut down after this.
void EndGame();
