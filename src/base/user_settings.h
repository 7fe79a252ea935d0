#pragma once
// The player's own settings and the folders they live in. The data folder ships the defaults
// ("data/options.txt", "data/config.muf") and is only ever read, because an installed game's data
// folder belongs to root and is shared by every player of the machine. Each player's copies live
// in the config folder; a key a copy lacks reads from the shipped file.

#include <string>

// $XDG_CONFIG_HOME/marrowgate, else $HOME/.config/marrowgate; empty when neither can be worked
// out. A relative XDG value is ignored, as the base-directory rules ask.
std::string FindConfigFolder();
// $XDG_STATE_HOME/marrowgate, else $HOME/.local/state/marrowgate; empty likewise.
std::string FindStateFolder();

// The folders in use: worked out from the environment on first use unless set. Setting one
// (tests, the benchmark) also forgets that the player was told the settings cannot be kept.
const std::string& GetConfigDir();
void SetConfigDir(const std::string& dir);
const std::string& GetStateDir();
void SetStateDir(const std::string& dir);

// The player's copy of a shipped settings file: "data/options.txt" gives
// "<config folder>/options.txt".
std::string PlayerCopyPath(const std::string& shippedFile);

// Makes the config folder and checks it takes a file. When it cannot, the player is told once in
// the run that their settings will not be kept, and this and every later call answers false.
bool PrepareConfigDir();
// "cannot write PATH", with the system's reason when errno holds one.
std::string CannotWrite(const std::string& path);
// Tells the player, once in the run, that their settings cannot be kept and why.
void ReportSettingsNotKept(const std::string& why);

// The display configuration, section "config": the player's copy when it holds the key, else the
// shipped "data/config.muf", else fallback.
inline constexpr const char kDisplayConfigFile[] = "data/config.muf";
int GetDisplayConfigInt(const std::string& key, int fallback);
// Writes the key into the player's copy; false (the player told once) when it cannot be kept.
bool SetDisplayConfig(const std::string& key, const std::string& value);
