#pragma once
// Loading a saved game into play.

#include <string>

enum class LoadResult {
    // The saved game is in play.
    Loaded,
    // The name was refused or the file could not be opened; the game in progress is untouched.
    NotOpened,
    // The file broke off or lacked tags: the game holds fresh content with whatever was read.
    Damaged,
};

// Replaces the game in progress with the saved game of that name. Every failure has been
// reported (error boxes) by the time this returns.
LoadResult LoadGame(const std::string& name);
