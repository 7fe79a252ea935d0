#include "base/file_system.h"

#include "base/debug_log.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace {
std::string g_dataRoot = ".";

std::string Normalise(const std::string& path) {
    std::string out = path;
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}
} // namespace

void SetDataRoot(const std::string& root) {
    g_dataRoot = root.empty() ? "." : Normalise(root);
}

const std::string& GetDataRoot() {
    return g_dataRoot;
}

std::string ResolveDataPath(const std::string& path) {
    std::string p = Normalise(path);
    if (!p.empty() && p[0] == '/')
        return p;
    while (p.compare(0, 2, "./") == 0)
        p.erase(0, 2);
    if (g_dataRoot == ".")
        return p;
    return g_dataRoot + "/" + p;
}

FILE* OpenDataFile(const std::string& path, const char* mode) {
    std::string resolved = ResolveDataPath(path);
    // A folder opens as a stream here but reads nothing; treat it as the missing file it is to
    // every reader, so each reports it the way it reports any file it cannot open.
    struct stat st;
    if (stat(resolved.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return nullptr;
    }
    return std::fopen(resolved.c_str(), mode);
}

bool FileExists(const std::string& path) {
    std::string resolved = ResolveDataPath(path);
    struct stat st;
    if (stat(resolved.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    FILE* f = std::fopen(resolved.c_str(), "rb");
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

bool DirectoryExists(const std::string& path) {
    struct stat st;
    return stat(ResolveDataPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void EnsureDirectoryExists(const std::string& path) {
    std::string resolved = ResolveDataPath(path);
    struct stat st;
    if (stat(resolved.c_str(), &st) == 0)
        return;
    if (mkdir(resolved.c_str(), 0755) == 0)
        return;
    int code = errno;
    Log(std::strerror(code));
    std::fprintf(stderr, "Cannot create the folder %s: %s\n", resolved.c_str(),
                 std::strerror(code));
    std::exit(code);
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    text.clear();
    FILE* f = OpenDataFile(path, "rb");
    if (!f) {
        LogF("Failed to open: %s", path.c_str());
        return false;
    }
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, got);
    std::fclose(f);
    // Reading in text mode on Windows folds CR LF into LF; files written there read the same here.
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return true;
}

bool WildcardMatch(const char* pattern, const char* name) {
    // Iterative matcher with one backtrack point: linear enough for file names.
    const char* starPattern = nullptr;
    const char* starName = nullptr;
    while (*name) {
        if (*pattern == '?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (*pattern == '*') {
            starPattern = pattern++;
            starName = name;
        } else if (starPattern) {
            pattern = starPattern + 1;
            name = ++starName;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

void CFileList::Scan(const std::string& pattern) {
    std::string p = Normalise(pattern);
    size_t slash = p.rfind('/');
    directory = slash == std::string::npos ? "." : p.substr(0, slash);
    std::string namePattern = slash == std::string::npos ? p : p.substr(slash + 1);
    std::vector<std::string> found;
    if (DIR* dir = opendir(ResolveDataPath(directory).c_str())) {
        while (struct dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
                continue;
            if (WildcardMatch(namePattern.c_str(), entry->d_name))
                found.push_back(entry->d_name);
        }
        closedir(dir);
    }
    std::sort(found.begin(), found.end());
    names.insert(names.end(), found.begin(), found.end());
}

void ForEachFile(const std::string& pattern, const std::function<void(const std::string&)>& fn) {
    CFileList list;
    list.Scan(pattern);
    for (const std::string& name : list.Names())
        fn(list.Directory() + "/" + name);
}
