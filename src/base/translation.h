#pragma once
// The translation table: every text the player reads is named in code by an upper-case key and
// looked up here, in section "strings" of "data/strings.ini". Also the helpers that build
// sentences from those texts: placeholders, token lists, and numbered sections of texts picked at
// random or by a level.

#include <cstddef>
#include <string>
#include <vector>

// Key/value table hashed on the first and last characters of the key. Keys compare exactly
// (case counts); within a bucket entries keep file order and the first match wins.
class GHashTable {
public:
    static constexpr int kBucketCount = 54;
    static constexpr size_t kMaxKey = 255;
    static constexpr size_t kMaxValue = 2031;
    // The whole "strings" section is read at once; the game's texts long since outgrew the
    // 128000 bytes the table began with, and a text past the end would read as its key.
    static constexpr size_t kRawCapacity = 1024000;

    struct Entry {
        std::string key;
        std::string value;
    };

    // a..z (either case) count 0..25, anything else 26; the bucket is the sum for the first and
    // the last character, so 0..52.
    static int BucketOf(const std::string& key);

    // Marks the table loaded, empties it and reads the section. A missing file or section leaves
    // the table empty.
    void Load(const std::string& section, const std::string& file);
    // Parses one line of the strings file into an entry and adds it.
    void AddLine(const std::string& line);
    // Adds an entry at the end of its bucket, cutting an overlong key or value.
    void Add(const std::string& key, const std::string& value);
    // The value of the first entry with exactly this key; null when there is none.
    const std::string* Find(const std::string& key) const;
    // Empties the table and marks it not loaded.
    void Clear();

    bool IsLoaded() const { return loaded; }
    size_t Count() const { return count; }
    const std::vector<Entry>& Bucket(int index) const { return buckets[index]; }
    const std::string& SectionName() const { return sectionName; }
    const std::string& FileName() const { return fileName; }

private:
    std::vector<Entry> buckets[kBucketCount];
    size_t count = 0;
    bool loaded = false;
    std::string sectionName;
    std::string fileName;
};

// The program's one translation table (loaded by the first Translate, not by this accessor).
GHashTable& TranslationTable();

// The key's text; the key itself when the table lacks it or its text is empty. Either way the
// country's words are filled in (country_words.h). Loads the table from "data/strings.ini" on
// first use.
std::string Translate(const std::string& key);

// The number of entries in the table, loading it first when that has not happened yet.
size_t TranslationCount();

// Forgets the table and every numbered section, so the next call reads them again from the
// current data root (a new data root, or a test that writes its own strings file).
void ResetTranslations();

// Replaces every occurrence of placeholder in text with replacement.
void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& replacement);

// The key's text with every "<TOKEN>" replaced by its value from tokenList, a run of
// "NAME=value," pairs. A token missing from the list is logged and dropped.
std::string ExpandText(const std::string& key, const std::string& tokenList);

// A random entry of a numbered section ("0", "1", ...) of "data/strings.ini", the country's
// words filled in; empty, with a log line, when the section has no entries.
std::string GetRandomText(const std::string& section);

// The entry of a numbered section that a level 0..1 picks: index = count × level, truncated and
// kept within the section. Empty when the section has no entries.
std::string GetGradedText(const std::string& section, float level);
