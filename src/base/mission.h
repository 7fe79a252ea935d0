#pragma once
// The mission: one playable country read from "data/missions/<name>.txt" — its money,
// population, parties, currency and starting settings — plus the two services that live with
// it: the money formatter and the random person-name generator.

#include <string>
#include <utility>
#include <vector>

class CMission {
public:
    // Back to the state of a fresh object: both lists and every text empty, figures 0. Load
    // appends to the lists, so whoever loads a mission over another one resets first.
    void Reset();
    // Copies the path of the mission file to read (at most 1023 characters).
    void SetMissionFile(const std::string& file);
    // Reads missionFile: sections "config", "modules" and "settings".
    void Load();
    // The first start setting of that name; -1 when there is none.
    float GetStartSetting(const std::string& name) const;
    // Sets the first start setting of that name, adding one when there is none; the new-game
    // screen writes the player's choices through it.
    void SetStartSetting(const std::string& name, float value);
    bool HasModule(const std::string& module) const;

    std::vector<std::pair<std::string, float>> startSettings;
    std::vector<std::string> modules;
    float populationPerVoter = 0.0f;
    float wealth = 0.0f;
    float startDebt = 0.0f;
    float debtCeiling = 0.0f;
    float economicCycleStart = 0.0f;
    int termLength = 0;
    // How many terms may be won before the game ends; the new-game screen chooses it (1 … 10).
    int termsLimit = 3;
    std::string partyName;
    std::string oppositionName;
    std::string flag;
    std::string currency;
    std::string missionFile;
    std::string name;
    // What the country's people are called ("Calverrans"); optional, see country_words.h.
    std::string people;
    std::string description;
    std::string briefing;
    std::string namesFile;
};

CMission& GetMission();

// The country a game starts with unless the player picks another.
inline constexpr const char kDefaultMission[] = "USA";
inline constexpr const char kStandardMissionFolder[] = "data/missions/";
// Below the user folder.
inline constexpr const char kModMissionFolder[] = "/mods/data/missions/";
// The file of the mission of that name: "data/missions/<name>.txt", else the same name in the
// user folder's mods when only that one exists.
std::string MissionFile(const std::string& missionName);

// An amount in millions with the currency sign and "Mn" or "Bn": "$ 1.50 Bn".
std::string FormatMoney(float amount);

struct NameLists {
    std::vector<std::string> maleForenames;
    std::vector<std::string> femaleForenames;
    std::vector<std::string> surnames;
};

NameLists& GetNameLists();
// Fills the three lists from the sections "maleforenames", "femaleforenames" and "surnames".
void LoadNames(const std::string& file);
// "Forename Surname", each picked uniformly; empty lists give an empty part, never a crash.
std::string MakePersonName(bool female);
