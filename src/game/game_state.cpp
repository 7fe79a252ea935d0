#include "game/game_state.h"

#include "base/game_subsystem.h"
#include "base/turn.h"
#include "government/government_state.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "population/party.h"
#include "population/population_state.h"
#include "population/pressure_group.h"

namespace {

// A plain pointer rather than an owning static: the end of a game reaches the front end and the
// log, which must still exist, so it happens in EndGame, never in the exit's destructors.
GameState* g_game = nullptr;

template <typename Part> void Make(std::unique_ptr<Part>& part) {
    part = std::make_unique<Part>();
    GamePart<Part>::Install(part.get());
}

// Taken out of use before it goes, so that nothing reaches a part that is being destroyed.
template <typename Part> void Remove(std::unique_ptr<Part>& part) {
    GamePart<Part>::Install(nullptr);
    part.reset();
}

} // namespace

GameState::GameState() {
    Make(record);
    Make(network);
    Make(population);
    Make(government);
}

GameState::~GameState() {
    ClearParties();
    ReleasePressureGroups();
    bool running = IsGameRunning();
    SetGameRunning(false);
    ReleaseAllSubsystems();
    DeleteAllNeurons();
    DeleteAllEffects();
    SetGameRunning(running);
    SetInstantEffects(false);
    Remove(government);
    Remove(population);
    Remove(network);
    Remove(record);
}

void StartEmptyGame() {
    EndGame();
    g_game = new GameState();
}

void EndGame() {
    GameState* ending = g_game;
    g_game = nullptr;
    delete ending;
}
