#include "base/profile.h"

#include "base/file_system.h"
#include "base/text_utils.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::vector<std::string> ReadLines(const std::string& file, bool& found) {
    std::vector<std::string> lines;
    FILE* f = OpenDataFile(file, "rb");
    found = f != nullptr;
    if (!f)
        return lines;
    std::string line;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        for (size_t i = 0; i < got; ++i) {
            if (buffer[i] == '\n') {
                lines.push_back(line);
                line.clear();
            } else if (buffer[i] != '\r' && buffer[i] != '\0') {
                line += buffer[i];
            }
        }
    }
    if (!line.empty())
        lines.push_back(line);
    std::fclose(f);
    return lines;
}

// The name of a section header line, or false when the line is not one.
bool SectionName(const std::string& line, std::string& name) {
    std::string t = TrimBlanks(line);
    if (t.size() < 2 || t[0] != '[')
        return false;
    size_t close = t.find(']');
    if (close == std::string::npos)
        return false;
    name = TrimBlanks(t.substr(1, close - 1));
    return true;
}

// Indices [begin, end) of the body of the first section with this name; false when absent.
bool FindSection(const std::vector<std::string>& lines, const std::string& section, size_t& begin,
                 size_t& end) {
    std::string name;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (SectionName(lines[i], name) && strcasecmp(name.c_str(), section.c_str()) == 0) {
            begin = i + 1;
            end = begin;
            while (end < lines.size() && !SectionName(lines[end], name))
                ++end;
            return true;
        }
    }
    return false;
}

bool IsCommentOrBlank(const std::string& line) {
    std::string t = TrimBlanks(line);
    return t.empty() || t[0] == ';';
}

std::string KeyOf(const std::string& line) {
    size_t eq = line.find('=');
    return TrimBlanks(eq == std::string::npos ? line : line.substr(0, eq));
}

} // namespace

size_t ReadProfileSection(const std::string& file, const std::string& section, char* buffer,
                          size_t capacity) {
    if (capacity < 2)
        return 0;
    std::memset(buffer, 0, capacity);
    bool found;
    std::vector<std::string> lines = ReadLines(file, found);
    size_t begin, end;
    if (!found || !FindSection(lines, section, begin, end))
        return 0;
    size_t used = 0;
    // Two bytes stay free for the terminators of the last line and of the whole list.
    for (size_t i = begin; i < end && used + 2 < capacity; ++i) {
        if (IsCommentOrBlank(lines[i]))
            continue;
        const std::string& line = lines[i];
        size_t start = 0;
        while (start < line.size() && IsBlank(line[start]))
            ++start;
        size_t room = capacity - 2 - used;
        size_t n = std::min(room, line.size() - start);
        std::memcpy(buffer + used, line.data() + start, n);
        used += n;
        buffer[used++] = '\0';
    }
    return used;
}

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& fallback, const std::string& file,
                             size_t maxChars) {
    bool found;
    std::vector<std::string> lines = ReadLines(file, found);
    size_t begin, end;
    std::string value = fallback;
    if (found && FindSection(lines, section, begin, end)) {
        for (size_t i = begin; i < end; ++i) {
            if (IsCommentOrBlank(lines[i]) || lines[i].find('=') == std::string::npos)
                continue;
            if (strcasecmp(KeyOf(lines[i]).c_str(), key.c_str()) != 0)
                continue;
            value = TrimBlanks(lines[i].substr(lines[i].find('=') + 1));
            if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
                value.back() == value[0])
                value = value.substr(1, value.size() - 2);
            break;
        }
    }
    if (value.size() > maxChars)
        value.resize(maxChars);
    return value;
}

int GetProfileInt(const std::string& section, const std::string& key, int fallback,
                  const std::string& file) {
    std::string text = GetProfileString(section, key, "", file);
    if (text.empty())
        return fallback;
    return std::atoi(text.c_str());
}

namespace {

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// Makes a rename in this folder last. Some file systems cannot flush a folder; they keep their
// renames anyway, so only a real write error counts.
bool SyncFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool ok = fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int saved = errno;
    close(fd);
    errno = saved;
    return ok;
}

} // namespace

bool WriteFileReplacing(const std::string& path, const std::string& text) {
    const std::string resolved = ResolveDataPath(path);
    const std::string temp = resolved + ".tmp";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    // Held while the file is written, so that another run tidying up knows it is no leftover.
    flock(fd, LOCK_EX);
    bool ok = WriteAll(fd, text) && fsync(fd) == 0;
    int saved = errno;
    ok = close(fd) == 0 && ok;
    if (ok) {
        ok = rename(temp.c_str(), resolved.c_str()) == 0;
        saved = errno;
    } else if (saved == 0) {
        saved = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        errno = saved;
        return false;
    }
    return SyncFolderOf(resolved);
}

bool RemoveAbandonedTemp(const std::string& temp) {
    const int fd = open(temp.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool removed = false;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0)
        removed = unlink(temp.c_str()) == 0;
    close(fd);
    return removed;
}

bool WriteProfileString(const std::string& section, const std::string& key,
                        const std::string& value, const std::string& file) {
    bool found;
    std::vector<std::string> lines = ReadLines(file, found);
    // A file that exists but cannot be read must not be replaced by one holding only this key.
    if (!found && access(ResolveDataPath(file).c_str(), F_OK) == 0)
        return false;
    std::string entry = key + "=" + value;
    size_t begin, end;
    if (!FindSection(lines, section, begin, end)) {
        if (!lines.empty() && !TrimBlanks(lines.back()).empty())
            lines.push_back("");
        lines.push_back("[" + section + "]");
        lines.push_back(entry);
    } else {
        bool replaced = false;
        for (size_t i = begin; i < end && !replaced; ++i) {
            if (!IsCommentOrBlank(lines[i]) && lines[i].find('=') != std::string::npos &&
                strcasecmp(KeyOf(lines[i]).c_str(), key.c_str()) == 0) {
                lines[i] = entry;
                replaced = true;
            }
        }
        if (!replaced) {
            size_t at = end;
            while (at > begin && TrimBlanks(lines[at - 1]).empty())
                --at;
            lines.insert(lines.begin() + static_cast<long>(at), entry);
        }
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return WriteFileReplacing(file, text);
}
