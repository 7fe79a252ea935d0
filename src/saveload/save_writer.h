#pragma once
// The saved-game writer: walks the live game and writes every subsystem's state, one element or
// one row per line in a fixed order, to "<save folder>/<name>.xml". Also the list of saves the load
// screen shows.

#include <string>
#include <vector>

inline constexpr const char kSaveGameVersion[] = "Marrowgate 1.0";
// Save names must stay shorter than this many bytes.
constexpr size_t kMaxSaveNameLength = 128;

// What is wrong with a save name. Every way to a save file (the runner, the save and load
// screens, the autosave) asks this one rule, so no name reaches a file outside the save folder;
// a refused name is refused, never quietly altered into another.
enum class SaveNameFault {
    None,
    Empty,            // nothing at all, or blanks only
    TooLong,          // kMaxSaveNameLength bytes or more
    PathSeparator,    // a '/' or a '\\', the folder separators of any system
    Drive,            // a drive letter and a colon at the start
    FolderReference,  // dots only: the folder itself or its parent
    ControlCharacter, // a tab, a line break or any other control code
};
SaveNameFault CheckSaveName(const std::string& name);
// Why the name is refused, in the player's language; empty for a good name.
std::string SaveNameRefusal(const std::string& name);

// Writes the whole game under the name, durably (base/profile.h WriteFileReplacing). False, after
// one error box naming the file and the reason, when the name is refused or the file cannot be
// written; a failure leaves any earlier save of that name intact.
bool SaveGame(const std::string& name);
// How the long lists are written: as rows (what SaveGame writes), or one element a field as
// files were written before there were rows, which the loader still reads.
enum class SaveLayout { Rows, Elements };
// The text SaveGame would write, date line included.
std::string BuildSaveText(SaveLayout layout = SaveLayout::Rows);
// "<save folder>/<name>.xml".
std::string SavePath(const std::string& name);
// Removes the "<name>.xml.tmp" files a save cut short (a killed process, a power cut) left in the
// save folder; a save another run is writing at that moment is left alone.
void RemoveStaleSaveTemps();
// The names (without ".xml") of every save in the save folder, sorted by name; stale temporary
// files are removed first.
std::vector<std::string> ListSaves();
