#include "base/mission.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/ini_section.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/text_utils.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr size_t kMaxPath = 1023;  // missionFile and flag live in 1024-byte buffers
constexpr size_t kMaxCurrency = 5; // the currency sign's buffer holds 6 bytes
constexpr size_t kMaxNumberChars = 63;
const char kDefaultNamesFile[] = "data/simulation/names.txt";

std::string Cut(const std::string& text, size_t limit) {
    return text.size() > limit ? text.substr(0, limit) : text;
}

float ReadDecimal(const std::string& text) {
    std::string head = text.substr(0, kMaxNumberChars);
    return std::strtof(head.c_str(), nullptr);
}

// The entries of a list-like section are bare lines, which the reader stores as keys.
void AppendKeys(const std::string& section, const std::string& file,
                std::vector<std::string>& list) {
    CIniSection ini;
    ini.Load(section, file);
    for (const CIniSection::Entry& entry : ini.Entries())
        list.push_back(entry.key);
}

} // namespace

CMission& GetMission() {
    static CMission mission;
    return mission;
}

std::string MissionFile(const std::string& missionName) {
    const std::string standard = kStandardMissionFolder + missionName + ".txt";
    if (FileExists(standard) || GetUserDir().empty())
        return standard;
    const std::string modded = GetUserDir() + kModMissionFolder + missionName + ".txt";
    return FileExists(modded) ? modded : standard;
}

void CMission::Reset() {
    *this = CMission();
}

void CMission::SetMissionFile(const std::string& file) {
    missionFile = Cut(file, kMaxPath);
}

void CMission::Load() {
    ContentPlace place(missionFile, 0);
    populationPerVoter = 0.0f;
    wealth = 0.0f;

    CIniSection config;
    if (config.Load("config", missionFile) == 0)
        LogF("Mission file missing or without [config]: %s", missionFile.c_str());

    name = TrimBlanks(config.GetString("name"));
    people = TrimBlanks(config.GetString("people"));
    description = TrimBlanks(config.GetString("description"));
    wealth = config.GetFloat("wealth", 0.0f);
    // A setup table without "AIENTITIES" would make the population per simulated voter infinite
    // and every head count scaled by it meaningless; dividing by one keeps the figure finite.
    float voters = SetupFloat("AIENTITIES");
    if (voters == 0.0f)
        voters = 1.0f;
    populationPerVoter = config.GetFloat("population", 0.0f) / voters;
    startDebt = config.GetFloat("debt", 0.0f) * wealth;
    debtCeiling = config.GetFloat("debtceiling", 0.0f) * wealth;
    flag = Cut(TrimBlanks(config.GetString("flag")), kMaxPath);
    briefing = TrimBlanks(config.GetString("briefing"));
    economicCycleStart = config.GetFloat("economic_cycle_start", 0.0f);
    if (!(economicCycleStart >= 0.0f)) // also a value that is not a number
        economicCycleStart = 0.0f;
    if (economicCycleStart > 1.0f)
        economicCycleStart = 1.0f;
    currency = Cut(TrimBlanks(config.GetString("currency")), kMaxCurrency);
    termLength = config.GetInt("termlength");
    partyName = TrimBlanks(config.GetString("partyname"));
    oppositionName = TrimBlanks(config.GetString("oppname"));
    namesFile = TrimBlanks(config.GetString("names"));
    if (namesFile.empty())
        namesFile = kDefaultNamesFile;
    SetLogMissionFlag(flag);

    AppendKeys("modules", missionFile, modules);

    CIniSection settings;
    settings.Load("settings", missionFile);
    for (const CIniSection::Entry& entry : settings.Entries())
        startSettings.emplace_back(entry.key, ReadDecimal(entry.value));
}

float CMission::GetStartSetting(const std::string& settingName) const {
    for (const auto& setting : startSettings)
        if (setting.first == settingName)
            return setting.second;
    return -1.0f;
}

void CMission::SetStartSetting(const std::string& settingName, float settingValue) {
    for (auto& setting : startSettings) {
        if (setting.first == settingName) {
            setting.second = settingValue;
            return;
        }
    }
    startSettings.emplace_back(settingName, settingValue);
}

bool CMission::HasModule(const std::string& module) const {
    for (const std::string& entry : modules)
        if (entry == module)
            return true;
    return false;
}

std::string FormatMoney(float amount) {
    const char* unit = "Mn";
    bool inBillions = false;
    if (!(amount <= 1000.0f)) {
        amount = amount / 1000.0f;
        unit = "Bn";
        inBillions = true;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(amount));
    std::string number = buffer;
    // One comma splits the thousands of a figure in billions ("2,500.00"); a thousand million
    // exactly stays in millions and without one ("1000.00").
    if (inBillions && amount >= 1000.0f && number.size() >= 7)
        number.insert(number.size() - 6, ",");
    return GetMission().currency + " " + number + " " + unit;
}

NameLists& GetNameLists() {
    static NameLists lists;
    return lists;
}

void LoadNames(const std::string& file) {
    NameLists& lists = GetNameLists();
    // Reloaded at every new game; without clearing, each game would add the names once more.
    lists.maleForenames.clear();
    lists.femaleForenames.clear();
    lists.surnames.clear();
    AppendKeys("maleforenames", file, lists.maleForenames);
    AppendKeys("femaleforenames", file, lists.femaleForenames);
    AppendKeys("surnames", file, lists.surnames);
}

namespace {
std::string PickName(const std::vector<std::string>& list) {
    if (list.empty())
        return std::string();
    size_t index = static_cast<size_t>(RandomIndex(static_cast<int>(list.size())));
    return index < list.size() ? list[index] : std::string();
}
} // namespace

std::string MakePersonName(bool female) {
    const NameLists& lists = GetNameLists();
    std::string surname = PickName(lists.surnames);
    std::string forename = PickName(female ? lists.femaleForenames : lists.maleForenames);
    return forename + " " + surname;
}
