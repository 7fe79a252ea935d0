#pragma once
// Start-up and shutdown of the core in the game's fixed order, shared by the game window, the
// headless runner and the benchmark. The display, input, images, fonts and sound steps belong to
// the front end, which runs them around these calls.

#include <string>

// Opens the log, makes the user folders (userDirOverride when given), switches the network on and
// loads the tables that outlive a game: the setup table, the options, the manifesto pledges, the
// achievements and the party names. False when no user folder could be worked out.
bool StartCore(const std::string& userDirOverride);

// Releases every game table and subsystem and frees the network, then closes the log. The
// options are written back only when asked, so that a headless run leaves the data untouched.
void ShutdownCore(bool saveOptions);
