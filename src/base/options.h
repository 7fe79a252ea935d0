#pragma once
// The player's options: one key/value table read at start-up, consulted by key throughout the
// game, changed by the options screen and written back whole at shutdown.

#include "base/ini_section.h"

#include <string>

inline constexpr const char kOptionsFile[] = "data/options.txt";
inline constexpr const char kOptionsSection[] = "options";

// Sliders, 0..1.
inline constexpr const char kOptionMusic[] = "MUSIC";
inline constexpr const char kOptionSfxVolume[] = "SFXVOLUME";
inline constexpr const char kOptionGlobalEconomy[] = "GLOBALECONOMY";
inline constexpr const char kOptionInterestRate[] = "INTERESTRATE";
inline constexpr const char kOptionDifficulty[] = "DIFFICULTY";
inline constexpr const char kOptionCynicism[] = "CYNICISM";
// Switches, 0 or 1.
inline constexpr const char kOptionEnableMusic[] = "ENABLEMUSIC";
inline constexpr const char kOptionEnableDilemmas[] = "ENABLEDILEMMAS";
inline constexpr const char kOptionEnableRestrictPower[] = "ENABLERESTRICTPOWER";
inline constexpr const char kOptionEnableManifesto[] = "ENABLEMANIFESTO";
inline constexpr const char kOptionAutosave[] = "AUTOSAVE";
inline constexpr const char kOptionHoneymoon[] = "HONEYMOON";
// The running links between icons on the game screen.
inline constexpr const char kOptionShowConnectors[] = "SHOWCONNECTORS";

// The table itself, empty until LoadOptions runs.
CIniSection& GetOptionsTable();

// Reads section "options" of the shipped kOptionsFile, then lays the player's copy in the config
// folder over it (user_settings.h); returns the raw bytes read from the shipped file (0 when
// missing). A damaged copy is moved aside as "options.txt.damaged" and the player told; the
// shipped values stand.
int LoadOptions();
// The option's value; 0 when the key is absent or its value empty.
float GetOption(const std::string& key);
// Stores value as "%.2f". The table only ever holds the keys of the file, so an unknown key is
// ignored rather than added.
void SetOption(const std::string& key, float value);
// Rewrites the player's copy of kOptionsFile with every entry in load order; the shipped file is
// never written. A failed write leaves the old copy as it was, returns false and tells the player
// (once in the run) that the settings are not kept.
bool SaveOptions();

// A switch counts as ticked on the options screen only at exactly 1.
bool IsOptionTicked(const std::string& key);
// Flips a switch as its check box does: exactly 1 becomes 0, anything else 1.
void ToggleOption(const std::string& key);
