#pragma once
// Loading a saved game into play.

#include <string>

// Replaces the game in progress with the saved game of that name; true once the saved state has
// been laid over fresh content. A damaged section is reported box by box and the game keeps what
// could be read. False, after a box, when the file cannot be opened or is not a saved game; the
// game in progress is then left untouched.
bool LoadGame(const std::string& name);
