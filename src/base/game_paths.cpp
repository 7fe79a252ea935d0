#include "base/game_paths.h"

#include "base/debug_log.h"
#include "base/file_system.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

// Where an install puts the data root, from the folder of the installed programs.
#ifndef MARROWGATE_INSTALLED_DATA
#define MARROWGATE_INSTALLED_DATA "../share/marrowgate"
#endif

namespace {
constexpr const char kInstalledDataFromProgram[] = MARROWGATE_INSTALLED_DATA;
std::string g_userDir;
std::string g_saveDir;

bool HoldsDataFolder(const std::string& folder) {
    return DirectoryExists(folder + "/data");
}

// A folder found by searching must hold the setup table too: a player's home may well have a
// "data" folder of its own.
bool HoldsGameData(const std::string& folder) {
    return HoldsDataFolder(folder) && FileExists(folder + "/data/data.ini");
}

std::string ParentOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return "";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string ExecutableFolder() {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return "";
    buffer[n] = '\0';
    return ParentOf(buffer);
}

// Creates every missing parent of path, so that a fresh home without a documents folder still
// gets one; the folders the game itself names are then made one by one.
void EnsureParentsExist(const std::string& path) {
    std::string parent = ParentOf(path);
    if (parent.empty() || parent == "/" || DirectoryExists(parent))
        return;
    EnsureParentsExist(parent);
    EnsureDirectoryExists(parent);
}

// The XDG user-dirs file holds lines such as XDG_DOCUMENTS_DIR="$HOME/Documents".
std::string DocumentsFromUserDirs(const std::string& home) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::string file =
        (config && *config ? std::string(config) : home + "/.config") + "/user-dirs.dirs";
    std::ifstream in(file);
    std::string line;
    const std::string key = "XDG_DOCUMENTS_DIR=";
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0)
            continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0)
            value = home + value.substr(5);
        if (!value.empty() && value[0] == '/')
            return value;
    }
    return "";
}
} // namespace

std::string SearchDataRoot(const std::string& workingFolder, const std::string& programFolder) {
    if (!workingFolder.empty() && HoldsGameData(workingFolder))
        return workingFolder;
    if (programFolder.empty())
        return "";
    if (HoldsGameData(programFolder))
        return programFolder;
    // Installed: the program in PREFIX/bin, its data in PREFIX/share/marrowgate. Looked at before
    // the parents, so that an install inside a source or build tree still runs on its own data.
    std::string installed =
        std::filesystem::path(programFolder + "/" + kInstalledDataFromProgram).lexically_normal();
    while (installed.size() > 1 && installed.back() == '/')
        installed.pop_back();
    if (HoldsGameData(installed))
        return installed;
    for (std::string folder = ParentOf(programFolder); !folder.empty(); folder = ParentOf(folder)) {
        if (HoldsGameData(folder))
            return folder;
        if (folder == "/")
            break;
    }
    return "";
}

bool FindDataRoot(const std::string& explicitRoot, std::string& root, std::string& error) {
    if (!explicitRoot.empty()) {
        if (HoldsDataFolder(explicitRoot)) {
            root = explicitRoot;
            return true;
        }
        error = "The data root " + explicitRoot + " holds no data folder.";
        return false;
    }
    char cwd[PATH_MAX];
    root = SearchDataRoot(getcwd(cwd, sizeof cwd) ? cwd : "", ExecutableFolder());
    if (!root.empty())
        return true;
    error = std::string("Cannot find the game's data folder in the working folder, beside the "
                        "program, in ") +
            kInstalledDataFromProgram + " from it or above it; name it with --data-root.";
    return false;
}

std::string FindDocumentsFolder() {
    if (const char* xdg = std::getenv("XDG_DOCUMENTS_DIR"); xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        return "";
    std::string fromFile = DocumentsFromUserDirs(home);
    return fromFile.empty() ? std::string(home) + "/Documents" : fromFile;
}

bool CreateUserFolders(const std::string& overrideDir) {
    std::string user = overrideDir;
    if (user.empty()) {
        if (const char* env = std::getenv(kUserDirEnvironment); env && *env)
            user = env;
    }
    if (user.empty()) {
        std::string documents = FindDocumentsFolder();
        if (documents.empty()) {
            REPORT_ERROR("Failed to get mydocuments");
            return false;
        }
        user = documents + "/" + kUserFolderName;
    }
    while (user.size() > 1 && user.back() == '/')
        user.pop_back();

    EnsureParentsExist(user);
    static const char* const kFolders[] = {"",
                                           "/savegames",
                                           "/web",
                                           "/mods",
                                           "/mods/data",
                                           "/mods/data/sliders",
                                           "/mods/data/bitmaps",
                                           "/mods/data/missions",
                                           "/mods/data/simulation",
                                           "/mods/data/situations",
                                           "/mods/data/simulation/encyclopedia",
                                           "/mods/data/simulation/dilemmas",
                                           "/mods/data/simulation/events",
                                           "/mods/data/simulation/policies",
                                           "/mods/data/simulation/simulation",
                                           "/mods/data/simulation/votertypes",
                                           "/mods/data/autorun scripts"};
    for (const char* folder : kFolders)
        EnsureDirectoryExists(user + folder);
    SetUserDir(user);
    return true;
}

const std::string& GetUserDir() {
    return g_userDir;
}

const std::string& GetSaveDir() {
    return g_saveDir;
}

void SetUserDir(const std::string& userDir) {
    g_userDir = userDir;
    g_saveDir = userDir + "/savegames";
}
