// The file is built in memory, written beside the old one, flushed to the disk and renamed over
// it, so a crash, a killed process or a full disk halfway through never costs the player the save
// they already had.

#include "saveload/save_writer.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/profile.h"
#include "base/translation.h"
#include "base/turn.h"
#include "saveload/save_archive.h"
#include "saveload/save_sections.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>

namespace {

void WriteHeader(SaveWriteArchive& a) {
    HeaderRecord header;
    header.version = kSaveGameVersion;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[128];
    std::snprintf(date, sizeof date, "%d/%d/%d (DD-MM-YYYY) - %d:%d", local.tm_mday,
                  local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min);
    header.date = date;
    header.turn = GetTurnNumber();
    header.country = GetMission().name;
    header.poll = GetPotentialVoteRate();
    Visit(a, header);
}

} // namespace

SaveNameFault CheckSaveName(const std::string& name) {
    if (name.find_first_not_of(' ') == std::string::npos)
        return SaveNameFault::Empty;
    if (name.size() >= kMaxSaveNameLength)
        return SaveNameFault::TooLong;
    for (char c : name) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (code < 32 || code == 127)
            return SaveNameFault::ControlCharacter;
    }
    if (name.find_first_of("/\\") != std::string::npos)
        return SaveNameFault::PathSeparator;
    const unsigned char first = static_cast<unsigned char>(name[0]);
    if (name.size() >= 2 && std::isalpha(first) && name[1] == ':')
        return SaveNameFault::Drive;
    if (name.find_first_not_of('.') == std::string::npos)
        return SaveNameFault::FolderReference;
    return SaveNameFault::None;
}

std::string SaveNameRefusal(const std::string& name) {
    switch (CheckSaveName(name)) {
    case SaveNameFault::None:
        return std::string();
    case SaveNameFault::Empty:
        return Translate("SAVENAME_EMPTY");
    case SaveNameFault::TooLong:
        return Translate("SAVENAME_TOO_LONG");
    case SaveNameFault::PathSeparator:
        return Translate("SAVENAME_SEPARATOR");
    case SaveNameFault::Drive:
        return Translate("SAVENAME_DRIVE");
    case SaveNameFault::FolderReference:
        return Translate("SAVENAME_FOLDER");
    case SaveNameFault::ControlCharacter:
        return Translate("SAVENAME_CONTROL");
    }
    return std::string();
}

std::string SavePath(const std::string& name) {
    char path[1024];
    std::snprintf(path, sizeof path, "%s/%s.xml", GetSaveDir().c_str(), name.c_str());
    return path;
}

std::string BuildSaveText(SaveLayout layout) {
    SaveWriteArchive a;
    a.elementsOnly = layout == SaveLayout::Elements;
    a.Begin("xml");
    WriteHeader(a);
    VisitSavedGame(a);
    a.End("xml");
    return a.Text();
}

bool SaveGame(const std::string& name) {
    const std::string refusal = SaveNameRefusal(name);
    if (!refusal.empty()) {
        REPORT_ERROR(refusal.c_str());
        return false;
    }
    GetFrontEnd().ShowProcessingScreen();
    GetFrontEnd().ProcessingProgress("Saving Game", 0.05f);
    // The folder is made at start-up; a player who deleted it meanwhile still gets the save.
    std::error_code error;
    if (!GetSaveDir().empty())
        std::filesystem::create_directories(GetSaveDir(), error);
    RemoveStaleSaveTemps();
    const std::string path = SavePath(name);
    if (!WriteFileReplacing(path, BuildSaveText())) {
        const int code = errno;
        ReportFault("The game could not be saved to \"" + path + "\": " + std::strerror(code) +
                    ". Any earlier save of that name is as it was.");
        return false;
    }
    return true;
}

void RemoveStaleSaveTemps() {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(GetSaveDir(), error)) {
        const std::string file = entry.path().filename().string();
        if (file.size() > 8 && file.compare(file.size() - 8, 8, ".xml.tmp") == 0 &&
            entry.is_regular_file(error) && RemoveAbandonedTemp(entry.path().string()))
            LogF("Removed %s, left by a save that was cut short", file.c_str());
    }
}

std::vector<std::string> ListSaves() {
    RemoveStaleSaveTemps();
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(GetSaveDir(), error)) {
        if (entry.path().extension() == ".xml" && entry.is_regular_file(error))
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
