#pragma once
// CIniSection: one section of one INI-style file held in memory as ordered key/value entries.
// Used for the setup table, the options, missions, events, dilemmas and most .txt content.
// Lines whose key starts with '/' are comments; the first '=' separates key and value; a
// backslash escapes a quote; duplicate keys are kept and lookups find the first.

#include <string>
#include <vector>

class CIniSection {
public:
    static constexpr size_t kRawCapacity = 128000;
    static constexpr size_t kMaxKey = 255;
    static constexpr size_t kMaxValue = 2031;

    struct Entry {
        std::string key;
        std::string value;
    };

    // Clears the entries, reads the section and parses it; returns the raw bytes read
    // (0 when the file or section is missing, which leaves the section empty).
    int Load(const std::string& section, const std::string& file);
    void Clear();

    // The first entry's value for key (case counts); empty when absent. Valid until cleared.
    const std::string& GetString(const std::string& key) const;
    // fallback when the key is absent or its value empty; otherwise strtof of the first 63
    // characters (0 when no number starts the text).
    float GetFloat(const std::string& key, float fallback) const;
    int GetInt(const std::string& key) const;
    bool HasKey(const std::string& key) const;
    // Writes value as "%.2f" into every entry with this key; adds nothing when absent.
    void SetFloat(const std::string& key, float value);

    // Appends an entry, for a table that starts from built-in values when its file is missing.
    void AddEntry(const std::string& key, const std::string& value) {
        entries.push_back({key, value});
    }

    // Iterate keys or values in file order; the two share one cursor.
    bool NextKey(std::string& key);
    bool NextValue(std::string& value);
    // Reads the next line straight from the raw text, without quote or escape handling.
    bool NextRawPair(std::string& key, size_t keyCapacity, std::string& value,
                     size_t valueCapacity);

    // Writes "[section]\n" and "key = value\n" per entry. Returns false when it cannot write.
    bool Save(const std::string& file) const;

    const std::vector<Entry>& Entries() const { return entries; }
    size_t Count() const { return entries.size(); }
    const std::string& SectionName() const { return sectionName; }
    const std::string& FileName() const { return fileName; }

private:
    void ParseLine();

    std::vector<char> raw;
    size_t rawCursor = 0;
    size_t rawLength = 0;
    size_t entryCursor = 0;
    std::vector<Entry> entries;
    std::string sectionName;
    std::string fileName;
};

// Single-value reads and writes by section, key and file name.
// ReadIniFloat: an absent key reads as 0; a present but empty value gives fallback.
float ReadIniFloat(const std::string& section, const std::string& key, float fallback,
                   const std::string& file);
bool WriteIniFloat(const std::string& section, const std::string& key, float value,
                   const std::string& file);
bool WriteIniInt(const std::string& section, const std::string& key, int value,
                 const std::string& file);
