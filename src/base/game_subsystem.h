#pragma once
// GameSubsystem: base of the simulation's managers. Every live subsystem sits in one list in
// construction order, so a new game or a load can forget all game state in one call.

#include <vector>

class GameSubsystem {
public:
    GameSubsystem();
    virtual ~GameSubsystem();
    GameSubsystem(const GameSubsystem&) = delete;
    GameSubsystem& operator=(const GameSubsystem&) = delete;

    // Forgets all game state held by the subsystem.
    virtual void Release() {}
};

// Calls Release on every registered subsystem, in construction order.
void ReleaseAllSubsystems();
const std::vector<GameSubsystem*>& AllSubsystems();
