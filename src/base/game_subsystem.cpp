#include "base/game_subsystem.h"

#include <algorithm>

namespace {
std::vector<GameSubsystem*>& Registry() {
    static std::vector<GameSubsystem*> list;
    return list;
}
} // namespace

GameSubsystem::GameSubsystem() {
    Registry().push_back(this);
}

GameSubsystem::~GameSubsystem() {
    auto& list = Registry();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void ReleaseAllSubsystems() {
    // Copy first: a Release may create or destroy other subsystems.
    std::vector<GameSubsystem*> list = Registry();
    for (GameSubsystem* subsystem : list)
        subsystem->Release();
}

const std::vector<GameSubsystem*>& AllSubsystems() {
    return Registry();
}
