#pragma once
// Start-up and shutdown of the core in the game's fixed order, shared by the game window, the
// headless runner and the benchmark. The display, input, images, fonts and sound steps belong to
// the front end, which runs them around these calls.

#include <string>

// Opens the log, makes the user folders (userDirOverride when given), switches the network on,
// starts an empty game and loads the tables that outlive a game: the setup table, the options,
// the manifesto's promises, the achievements and the party names. False when no user folder could
// be worked out.
bool StartCore(const std::string& userDirOverride);

// The first three steps of shutdown, each after its log line: release the tables (the window's
// lists first, through the hook), save the options when asked (then the window's one global
// object goes), end the game in play with every subsystem, node and link. The log stays open for
// the window's own last step.
void ReleaseCore(bool saveOptions, void (*releaseInterfaceLists)(),
                 void (*releaseInterfaceObject)());

// Releases every table and ends the game in play, then closes the log. The options are written
// back only when asked, so that a headless run leaves the data untouched.
void ShutdownCore(bool saveOptions);
