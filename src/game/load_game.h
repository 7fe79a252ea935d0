#pragma once
// Loading a saved game into play.

#include <string>

// Replaces the game in progress with the saved game of that name. A file that cannot be opened
// leaves the game untouched.
void LoadGame(const std::string& name);
