#include "base/mission_list.h"

#include "base/file_system.h"
#include "base/ini_section.h"
#include "base/mission.h"
#include "base/text_utils.h"

#include <algorithm>

namespace {

MissionChoice Choice(const std::string& folder, const std::string& fileName, bool modded) {
    MissionChoice choice;
    choice.name = fileName.substr(0, fileName.size() - 4);
    choice.file = folder + fileName;
    choice.modded = modded;
    CIniSection config;
    config.Load("config", choice.file);
    choice.country = TrimBlanks(config.GetString("name"));
    if (choice.country.empty())
        choice.country = choice.name;
    return choice;
}

bool Listed(const std::vector<MissionChoice>& list, const std::string& name) {
    return std::any_of(list.begin(), list.end(),
                       [&](const MissionChoice& choice) { return choice.name == name; });
}

} // namespace

std::vector<MissionChoice> ListMissions(const std::string& userDir) {
    std::vector<MissionChoice> list;
    CFileList standard;
    standard.Scan(std::string(kStandardMissionFolder) + "*.txt");
    const std::string defaultFile = std::string(kDefaultMission) + ".txt";
    if (std::find(standard.Names().begin(), standard.Names().end(), defaultFile) !=
        standard.Names().end())
        list.push_back(Choice(kStandardMissionFolder, defaultFile, false));
    for (const std::string& fileName : standard.Names())
        if (fileName != defaultFile)
            list.push_back(Choice(kStandardMissionFolder, fileName, false));
    if (userDir.empty())
        return list;
    CFileList mods;
    const std::string modFolder = userDir + kModMissionFolder;
    mods.Scan(modFolder + "*.txt");
    for (const std::string& fileName : mods.Names())
        if (!Listed(list, fileName.substr(0, fileName.size() - 4)))
            list.push_back(Choice(modFolder, fileName, true));
    return list;
}
