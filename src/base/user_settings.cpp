#include "base/user_settings.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/profile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr const char kAppFolder[] = "marrowgate";
constexpr const char kDisplaySection[] = "config";

enum class FolderState { Unknown, Ready, Unusable };

// A folder worked out from the environment when first asked for, unless one was set.
struct HomeFolder {
    explicit HomeFolder(std::string (*finder)()) : find(finder) {}

    std::string (*find)();
    std::string path;
    bool known = false;

    const std::string& Get() {
        if (!known)
            path = find();
        known = true;
        return path;
    }
    void Set(const std::string& dir) {
        path = dir;
        known = !dir.empty();
    }
};

HomeFolder g_configDir{FindConfigFolder};
HomeFolder g_stateDir{FindStateFolder};
FolderState g_configState = FolderState::Unknown;
bool g_toldNotKept = false;

// An XDG base folder: the variable when it holds an absolute path, else the fallback under $HOME.
std::string XdgFolder(const char* variable, const char* underHome) {
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return std::string(value) + "/" + kAppFolder;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return "";
    return std::string(home) + "/" + underHome + "/" + kAppFolder;
}

std::string FileName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder exists and a file can be made in it. Creating one is the only honest test: a
// read-only file system or a full disk refuse what the permission bits would allow.
bool FolderTakesFiles(const std::string& dir, std::string& why) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) {
        why = "cannot create the folder " + dir + ": " + error.message();
        return false;
    }
    const std::string probe = dir + "/.write-test-" + std::to_string(getpid());
    FILE* f = std::fopen(probe.c_str(), "wb");
    if (!f) {
        why = "cannot write in the folder " + dir + ": " + std::strerror(errno);
        return false;
    }
    std::fclose(f);
    std::remove(probe.c_str());
    return true;
}

} // namespace

std::string CannotWrite(const std::string& path) {
    const int code = errno;
    return "cannot write " + path + (code ? std::string(": ") + std::strerror(code) : "");
}

std::string FindConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string FindStateFolder() {
    return XdgFolder("XDG_STATE_HOME", ".local/state");
}

const std::string& GetConfigDir() {
    return g_configDir.Get();
}

void SetConfigDir(const std::string& dir) {
    g_configDir.Set(dir);
    g_configState = FolderState::Unknown;
    g_toldNotKept = false;
}

const std::string& GetStateDir() {
    return g_stateDir.Get();
}

void SetStateDir(const std::string& dir) {
    g_stateDir.Set(dir);
}

std::string PlayerCopyPath(const std::string& shippedFile) {
    const std::string& dir = GetConfigDir();
    return dir.empty() ? "" : dir + "/" + FileName(shippedFile);
}

void ReportSettingsNotKept(const std::string& why) {
    LogF("settings not kept: %s", why.c_str());
    if (g_toldNotKept)
        return;
    g_toldNotKept = true;
    GetFrontEnd().ShowMessageBox("Settings not kept",
                                 "Your settings cannot be saved: " + why +
                                     ". The game plays on with the settings it ships with, and "
                                     "any change you make lasts only until you quit.",
                                 MessageBoxIcon::Exclamation);
}

bool PrepareConfigDir() {
    if (g_configState != FolderState::Unknown)
        return g_configState == FolderState::Ready;
    const std::string& dir = GetConfigDir();
    std::string why;
    if (dir.empty())
        why = "there is no home folder to keep them in (set HOME or XDG_CONFIG_HOME)";
    if (!dir.empty() && FolderTakesFiles(dir, why)) {
        g_configState = FolderState::Ready;
        return true;
    }
    g_configState = FolderState::Unusable;
    ReportSettingsNotKept(why);
    return false;
}

int GetDisplayConfigInt(const std::string& key, int fallback) {
    int shipped = GetProfileInt(kDisplaySection, key, fallback, kDisplayConfigFile);
    const std::string copy = PlayerCopyPath(kDisplayConfigFile);
    return copy.empty() ? shipped : GetProfileInt(kDisplaySection, key, shipped, copy);
}

bool SetDisplayConfig(const std::string& key, const std::string& value) {
    if (!PrepareConfigDir())
        return false;
    const std::string copy = PlayerCopyPath(kDisplayConfigFile);
    errno = 0;
    if (WriteProfileString(kDisplaySection, key, value, copy))
        return true;
    ReportSettingsNotKept(CannotWrite(copy));
    return false;
}
