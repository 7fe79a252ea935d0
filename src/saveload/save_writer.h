#pragma once
// The saved-game writer: walks the live game and writes every subsystem's state, one element per
// line in a fixed order, to "<save folder>/<name>.xml". Also the list of saves the load screen
// shows.

#include <string>
#include <vector>

inline constexpr const char kSaveGameVersion[] = "Marrowgate 1.0";
// Save names must stay shorter than this.
constexpr size_t kMaxSaveNameLength = 128;

// Writes the whole game under the name; a failure leaves any earlier save of that name intact.
void SaveGame(const std::string& name);
// The text SaveGame would write, date line included.
std::string BuildSaveText();
// "<save folder>/<name>.xml".
std::string SavePath(const std::string& name);
// The names (without ".xml") of every save in the save folder, sorted by name.
std::vector<std::string> ListSaves();
