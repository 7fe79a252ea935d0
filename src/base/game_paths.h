#pragma once
// Where the game's files live: the data root (the folder holding "data/") and the user's own
// folder of saves and mods inside the documents folder.

#include <string>

// Chooses the data root: the explicit folder when given (which must hold "data/"), else the
// first of these that holds "data/data.ini": the working folder, the executable's folder, the
// installed data beside it ("../share/marrowgate"), the executable folder's nearest parent.
// Returns false with a message naming what was tried when none qualifies.
bool FindDataRoot(const std::string& explicitRoot, std::string& root, std::string& error);
// The search itself, from the given folders; empty when none qualifies.
std::string SearchDataRoot(const std::string& workingFolder, const std::string& programFolder);

// The documents folder: $XDG_DOCUMENTS_DIR, else the XDG user-dirs file's entry, else
// $HOME/Documents. Empty when none can be worked out.
std::string FindDocumentsFolder();

// The environment variable that overrides the user folder, so tests never touch a real home.
constexpr const char* kUserDirEnvironment = "MARROWGATE_USER_DIR";
constexpr const char* kUserFolderName = "tessaline2";

// Makes the user folder and every folder below it that saves and mods use. The user folder is
// overrideDir when given, else $MARROWGATE_USER_DIR, else "tessaline2" in the documents folder.
// When no documents folder can be found the error "Failed to get mydocuments" is reported and
// nothing is made (returns false). A folder that cannot be created ends the program.
bool CreateUserFolders(const std::string& overrideDir = "");

// Set by CreateUserFolders: the user folder and its "savegames" folder.
const std::string& GetUserDir();
const std::string& GetSaveDir();
// For tests and tools that know their folder already.
void SetUserDir(const std::string& userDir);
