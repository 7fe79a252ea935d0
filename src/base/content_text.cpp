#include "base/content_text.h"

#include "base/file_system.h"
#include "base/text_utils.h"
#include "base/tokenizer.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The largest standard table is a few hundred kilobytes; anything past this is not content.
constexpr size_t kMaxContentBytes = 8u << 20;

bool IsStrayControl(unsigned char c) {
    return c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f';
}

} // namespace

ContentText ReadContentText(const std::string& path) {
    ContentText result;
    result.path = path;
    FILE* file = OpenDataFile(path, "rb");
    if (!file) {
        result.refusal = std::string("cannot be opened: ") + std::strerror(errno);
        return result;
    }
    std::string bytes;
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
        if (bytes.size() > kMaxContentBytes)
            break;
    }
    std::fclose(file);
    if (bytes.size() > kMaxContentBytes) {
        result.refusal = "is larger than any content file could be (over 8 MB)";
        return result;
    }
    int number = 1;
    std::string line;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (IsStrayControl(c)) {
            result.refusal = "holds binary data (a control byte on line " + std::to_string(number) +
                             "); it is not a text file";
            result.lines.clear();
            return result;
        }
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            result.lines.push_back({number++, line});
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) {
        if (line.back() == '\r')
            line.pop_back();
        result.lines.push_back({number, line});
    }
    return result;
}

const ContentEntry* ContentSection::Find(const std::string& key) const {
    for (const ContentEntry& entry : entries)
        if (entry.key == key)
            return &entry;
    return nullptr;
}

std::vector<ContentSection> ContentSections(const ContentText& text) {
    std::vector<ContentSection> sections;
    for (const ContentLine& line : text.lines) {
        const std::string trimmed = TrimBlanks(line.text);
        if (trimmed.empty())
            continue;
        if (trimmed[0] == '[') {
            const size_t close = trimmed.find(']');
            ContentSection section;
            section.name =
                trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1);
            section.line = line.number;
            sections.push_back(section);
            continue;
        }
        if (sections.empty() || trimmed[0] == '/' || trimmed[0] == ';')
            continue;
        ContentEntry entry;
        entry.line = line.number;
        const size_t equals = line.text.find('=');
        entry.key = RightTrim(line.text.substr(0, equals));
        if (equals != std::string::npos) {
            bool escaped = false;
            for (size_t i = equals + 1; i < line.text.size(); ++i) {
                const char c = line.text[i];
                if (c == '\\') {
                    escaped = true;
                } else if (c == '"' && !escaped) {
                    continue;
                } else {
                    if (c == '"')
                        escaped = false;
                    entry.value += c;
                }
            }
        }
        sections.back().entries.push_back(entry);
    }
    return sections;
}

const ContentSection* FindContentSection(const std::vector<ContentSection>& sections,
                                         const std::string& name) {
    const std::string wanted = LowerCopy(name);
    for (const ContentSection& section : sections)
        if (LowerCopy(section.name) == wanted)
            return &section;
    return nullptr;
}

bool IsContentNumber(const std::string& text, float* value) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty())
        return false;
    char* end = nullptr;
    const float read = std::strtof(trimmed.c_str(), &end);
    if (!end || *end != '\0' || !std::isfinite(read))
        return false;
    if (value)
        *value = read;
    return true;
}

bool IsContentWholeNumber(const std::string& text, long* value) {
    const std::string trimmed = TrimBlanks(text);
    if (trimmed.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    const long read = std::strtol(trimmed.c_str(), &end, 10);
    if (!end || *end != '\0' || errno == ERANGE)
        return false;
    if (value)
        *value = read;
    return true;
}
