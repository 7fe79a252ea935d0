#pragma once
// The global setup table: section "setup" of "data/data.ini", loaded once at start-up. It names
// the main content tables and holds every tuning constant of the simulation, which readers fetch
// by key at the moment of use (absent keys read as 0).

#include "base/ini_section.h"

#include <string>
#include <vector>

inline constexpr const char kSetupFile[] = "data/data.ini";
inline constexpr const char kSetupSection[] = "setup";

// Keys naming the standard content tables.
inline constexpr const char kSetupPolicies[] = "policies";
inline constexpr const char kSetupSimulation[] = "simulation";
inline constexpr const char kSetupSituations[] = "situations";
inline constexpr const char kSetupVoters[] = "voters";

// Every tuning constant the simulation reads from the table. The spellings are the file's own,
// misspellings included, because shipped data and mods use them.
inline constexpr const char* kSetupTuningKeys[] = {
    "AIENTITIES",
    "COMPLACENCY_ACCUMULATOR",
    "COMPLACENCY_MAX",
    "DILEMMAS_DISABLE",
    "EVENTS_DISABLE",
    "FIRE_MINISTER_POINTS_NEEDED",
    "MANIFESTO_BROKEN_PENALTY",
    "MINISTER_EXPERIENCE_RATE",
    "MINISTER_LOW_LOYALTY",
    "MINISTER_LOYALTY_DROP_RATE",
    "MINISTER_LOYALTY_DROP_THRESHHOLD",
    "MINISTER_LOYALTY_GAINRATE",
    "MINISTER_LOYALTY_GAIN_THRESHHOLD",
    "MINISTER_RESIGN_CHANCE",
    "MINISTER_RESIGN_THRESHHOLD",
    "MINISTER_VOTER_BOOST",
    "POLITICAL_CAPITAL_PER_MINISTER",
    "POOR_INCOME_THRESHOLD",
    "PRESSUREGROUP_DIVISOR",
    "PRESSUREGROUP_JOIN_THROTTLE",
    "VOTER_GROUP_MEMBERSHIP_THRESHHOLD",
    "VOTER_OPPOSITION_DECREASE_SYMPATHY_ABOVE",
    "VOTER_OPPOSITION_INCREASE_SYMPATHY_BELOW",
    "VOTER_OPPOSITION_JOIN_THRESHHOLD",
    "VOTER_OPPOSITION_LEAVE_THRESHHOLD",
    "VOTER_OPPOSITON_SYMPATHY_DECAY",
    "VOTER_OPPOSITON_SYMPATHY_GAIN",
    "VOTER_PLAYER_DECREASE_SYMPATHY_BELOW",
    "VOTER_PLAYER_INCREASE_SYMPATHY_ABOVE",
    "VOTER_PLAYER_JOIN_THRESHHOLD",
    "VOTER_PLAYER_LEAVE_THRESHHOLD",
    "VOTER_PLAYER_SYMPATHY_DECAY",
    "VOTER_PLAYER_SYMPATHY_GAIN",
    "VOTING_OPINION_EFFECT_MULTIPLIER",
    "VOTING_PARTY_EFFECT_MULTIPLIER",
    "VOTING_TENDENCY_EFFECT_MULTIPLIER",
    "WEALTHY_INCOME_MAX",
    "WEALTHY_INCOME_THRESHOLD",
};

// The table, empty until LoadSetupTable runs.
CIniSection& GetSetupTable();
// (Re)reads the table from kSetupFile; returns the raw bytes read, 0 when file or section is
// missing.
int LoadSetupTable();
// A tuning constant; 0 when the key is absent or empty.
float SetupFloat(const char* key);
// A text entry such as a content table's file name; empty when absent.
std::string SetupString(const char* key);
// The tuning keys the loaded table lacks, in the order of kSetupTuningKeys.
std::vector<std::string> MissingSetupTuningKeys();
