#pragma once
// Loading a saved game into play.

#include <string>

enum class LoadResult {
    // The saved game is in play.
    Loaded,
    // The name was refused or the file could not be opened; the game in progress is untouched.
    NotOpened,
    // The file is damaged (cut off, a tag out of place, a number that is none) and was refused
    // whole, with one message naming it and its first problem; the game in progress is untouched.
    Damaged,
};

// Replaces the game in progress with the saved game of that name. Every failure has been
// reported (error boxes) by the time this returns.
LoadResult LoadGame(const std::string& name);
// What is wrong with the save of that name, quietly, in words: its first damage, or that it
// cannot be read; empty for a save that loads. The load screen marks saves with it.
std::string FindSavedGameDamage(const std::string& name);
