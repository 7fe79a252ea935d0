#pragma once
// The game in play is kept in parts, one for each layer that holds game state: the record of
// turns and polls here, the network, the population and the government. The game state
// (game/game_state.h) owns one part of each and installs them together, so a new game, a load or
// a test replaces them all in one step. A layer reaches its own part through Current() without
// knowing the layers above it.

template <typename Part> class GamePart {
public:
    // The part of the game in play; there is always one while the core is running.
    static Part& Current() { return *current; }
    // False before the core has started a game and after it has ended the last one.
    static bool Exists() { return current != nullptr; }
    // Only the game state installs and removes parts.
    static void Install(Part* part) { current = part; }

private:
    static inline Part* current = nullptr;
};
