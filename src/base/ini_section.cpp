#include "base/ini_section.h"

#include "base/profile.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

const std::string kEmpty;

// Number reads look at no more than this many characters of a value.
constexpr size_t kNumberChars = 63;
// Values written by SetFloat fit a 32-byte buffer.
constexpr size_t kFloatChars = 31;

bool IsKeyTail(char c) {
    return c == ' ' || c == '\r' || c == '\n';
}

float ReadFloatPrefix(const std::string& text) {
    std::string head = text.substr(0, kNumberChars);
    return std::strtof(head.c_str(), nullptr);
}

int ReadIntPrefix(const std::string& text) {
    std::string head = text.substr(0, kNumberChars);
    // strtol rather than atoi: an out-of-range number saturates instead of being undefined.
    long v = std::strtol(head.c_str(), nullptr, 10);
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}

std::string FormatFloat(const char* format, float value, size_t maxChars) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, static_cast<double>(value));
    std::string text = buffer;
    if (text.size() > maxChars)
        text.resize(maxChars);
    return text;
}

} // namespace

int CIniSection::Load(const std::string& section, const std::string& file) {
    Clear();
    sectionName = section;
    fileName = file;
    raw.assign(kRawCapacity, '\0');
    rawLength = ReadProfileSection(file, section, raw.data(), raw.size());
    // The reader always leaves the list terminator inside the buffer; never trust more.
    if (rawLength >= raw.size())
        rawLength = raw.size() - 1;
    rawCursor = 0;
    while (rawCursor < rawLength)
        ParseLine();
    rawCursor = 0;
    entryCursor = 0;
    return static_cast<int>(rawLength);
}

void CIniSection::ParseLine() {
    Entry entry;
    // Key: up to the first '=' or the end of the line; an over-long key drops its tail so that
    // the value still starts at the separator.
    while (rawCursor < rawLength && raw[rawCursor] != '\0' && raw[rawCursor] != '=') {
        if (entry.key.size() < kMaxKey)
            entry.key += raw[rawCursor];
        ++rawCursor;
    }
    // Value: quotes let content keep blanks and commas, a backslash lets a quote through.
    bool escaped = false;
    bool separatorSeen = false;
    while (rawCursor < rawLength && raw[rawCursor] != '\0') {
        char c = raw[rawCursor++];
        bool keep = true;
        if (c == '=' && !separatorSeen) {
            separatorSeen = true;
            keep = false;
        } else if (c == '\\') {
            escaped = true;
            keep = false;
        } else if (c == '"' || c == '\n') {
            keep = escaped;
            escaped = false;
        }
        if (keep && entry.value.size() < kMaxValue)
            entry.value += c;
    }
    ++rawCursor; // the line's terminator
    if (!entry.key.empty() && entry.key[0] == '/')
        return;
    while (!entry.key.empty() && IsKeyTail(entry.key.back()))
        entry.key.pop_back();
    entries.push_back(std::move(entry));
}

void CIniSection::Clear() {
    entries.clear();
    entryCursor = 0;
}

const std::string& CIniSection::GetString(const std::string& key) const {
    for (const Entry& e : entries)
        if (e.key == key)
            return e.value;
    return kEmpty;
}

float CIniSection::GetFloat(const std::string& key, float fallback) const {
    const std::string& value = GetString(key);
    if (value.empty())
        return fallback;
    return ReadFloatPrefix(value);
}

int CIniSection::GetInt(const std::string& key) const {
    return ReadIntPrefix(GetString(key));
}

bool CIniSection::HasKey(const std::string& key) const {
    for (const Entry& e : entries)
        if (e.key == key)
            return true;
    return false;
}

void CIniSection::SetFloat(const std::string& key, float value) {
    std::string text = FormatFloat("%.2f", value, kFloatChars);
    for (Entry& e : entries)
        if (e.key == key)
            e.value = text;
}

bool CIniSection::NextKey(std::string& key) {
    if (entryCursor >= entries.size())
        return false;
    key = entries[entryCursor++].key;
    return true;
}

bool CIniSection::NextValue(std::string& value) {
    if (entryCursor >= entries.size())
        return false;
    value = entries[entryCursor++].value;
    return true;
}

bool CIniSection::NextRawPair(std::string& key, size_t keyCapacity, std::string& value,
                              size_t valueCapacity) {
    key.clear();
    value.clear();
    if (rawCursor >= rawLength)
        return false;
    size_t keyRoom = keyCapacity > 0 ? keyCapacity - 1 : 0;
    size_t valueRoom = valueCapacity > 0 ? valueCapacity - 1 : 0;
    while (rawCursor < rawLength && raw[rawCursor] != '=' && raw[rawCursor] != '\0') {
        if (raw[rawCursor] == '[')
            return false;
        if (key.size() < keyRoom)
            key += raw[rawCursor];
        ++rawCursor;
    }
    if (rawCursor < rawLength && raw[rawCursor] == '=')
        ++rawCursor;
    while (rawCursor < rawLength && raw[rawCursor] != '\0') {
        if (value.size() < valueRoom)
            value += raw[rawCursor];
        ++rawCursor;
    }
    ++rawCursor;
    return true;
}

bool CIniSection::Save(const std::string& file) const {
    std::string text = "[" + sectionName + "]\n";
    for (const Entry& e : entries)
        text += e.key + " = " + e.value + "\n";
    return WriteFileReplacing(file, text);
}

float ReadIniFloat(const std::string& section, const std::string& key, float fallback,
                   const std::string& file) {
    // The system default "0" is what makes an absent key read as 0 whatever the caller asked.
    std::string text = GetProfileString(section, key, "0", file, 31);
    if (text.empty())
        return fallback;
    return std::strtof(text.c_str(), nullptr);
}

bool WriteIniFloat(const std::string& section, const std::string& key, float value,
                   const std::string& file) {
    return WriteProfileString(section, key, FormatFloat("%f", value, 63), file);
}

bool WriteIniInt(const std::string& section, const std::string& key, int value,
                 const std::string& file) {
    return WriteProfileString(section, key, std::to_string(value), file);
}
