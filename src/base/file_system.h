#pragma once
// File access shared by every reader: relative paths are taken from the data root (the folder that
// holds "data/"), backslashes are read as slashes, folder scans come back sorted by name so that
// every run lists content in the same order.

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// The folder against which relative paths such as "data/data.ini" are opened; "." by default.
void SetDataRoot(const std::string& root);
const std::string& GetDataRoot();

// Joins a relative path to the data root; an absolute path is returned as it stands.
std::string ResolveDataPath(const std::string& path);

// fopen through ResolveDataPath; null when the file cannot be opened.
FILE* OpenDataFile(const std::string& path, const char* mode);

// True when the file can be opened for reading.
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// Creates the folder when nothing of that name exists. When creation fails the system's error
// text goes to the debug log and the process ends with the error code: a user folder we cannot
// make would lose every save.
void EnsureDirectoryExists(const std::string& path);

// Reads a whole text file. On failure logs "Failed to open: %s" and returns false with text empty.
bool ReadWholeFile(const std::string& path, std::string& text);

// Names of the directory entries matching a pattern such as "data/missions/*.txt" ('*' and '?'
// in the name part only), bare names sorted by byte order.
class CFileList {
public:
    void Scan(const std::string& pattern);
    const std::vector<std::string>& Names() const { return names; }
    // The folder part of the last pattern, so callers can join it to each name.
    const std::string& Directory() const { return directory; }

private:
    std::vector<std::string> names;
    std::string directory;
};

// Calls fn with the full path ("folder/name") of every match, in CFileList order.
void ForEachFile(const std::string& pattern, const std::function<void(const std::string&)>& fn);

// Wildcard match of one name against a pattern of '*' and '?'.
bool WildcardMatch(const char* pattern, const char* name);
