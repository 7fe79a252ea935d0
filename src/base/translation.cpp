#include "base/translation.h"

#include "base/country_words.h"
#include "base/debug_log.h"
#include "base/ini_section.h"
#include "base/profile.h"
#include "base/random.h"

#include <cctype>
#include <cstring>
#include <map>
#include <memory>

namespace {

const char* const kStringsFile = "data/strings.ini";
const char* const kStringsSection = "strings";

// Expanded texts live in fixed 1024-byte buffers on the interface side, so longer ones are cut.
constexpr size_t kMaxExpanded = 1023;

int LetterIndex(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        u = static_cast<unsigned char>(u - 'A' + 'a');
    if (u >= 'a' && u <= 'z')
        return u - 'a';
    return 26;
}

GHashTable& Table() {
    static GHashTable table;
    return table;
}

void EnsureLoaded() {
    GHashTable& table = Table();
    if (!table.IsLoaded())
        table.Load(kStringsSection, kStringsFile);
}

// Numbered sections are read on first use and kept, one per section name, until a reset.
std::map<std::string, std::unique_ptr<CIniSection>>& NumberedSections() {
    static std::map<std::string, std::unique_ptr<CIniSection>> sections;
    return sections;
}

CIniSection& NumberedSection(const std::string& name) {
    auto& sections = NumberedSections();
    auto found = sections.find(name);
    if (found != sections.end())
        return *found->second;
    auto section = std::make_unique<CIniSection>();
    section->Load(name, kStringsFile);
    CIniSection& ref = *section;
    sections.emplace(name, std::move(section));
    return ref;
}

struct TokenPair {
    std::string name;
    std::string value;
};

// "NAME=value,NAME=value,": '=' ends a name and ',' ends its value. A last pair whose ',' was
// forgotten still counts, since the value it carries is plainly meant.
std::vector<TokenPair> ParseTokenList(const std::string& list) {
    std::vector<TokenPair> pairs;
    TokenPair current;
    bool inValue = false;
    for (char c : list) {
        if (!inValue) {
            if (c == '=')
                inValue = true;
            else
                current.name += c;
        } else if (c == ',') {
            pairs.push_back(std::move(current));
            current = TokenPair();
            inValue = false;
        } else {
            current.value += c;
        }
    }
    if (inValue)
        pairs.push_back(std::move(current));
    return pairs;
}

} // namespace

int GHashTable::BucketOf(const std::string& key) {
    if (key.empty())
        return 26 + 26;
    return LetterIndex(key.front()) + LetterIndex(key.back());
}

void GHashTable::Load(const std::string& section, const std::string& file) {
    Clear();
    loaded = true;
    sectionName = section;
    fileName = file;
    std::vector<char> raw(kRawCapacity, '\0');
    size_t length = ReadProfileSection(file, section, raw.data(), raw.size());
    if (length > raw.size())
        length = raw.size();
    // A section that fills the buffer has lost its last texts: they would show as bare keys.
    if (length + 2 >= raw.size())
        LogF("Section %s of %s is larger than %zu bytes: the texts after that are not read",
             section.c_str(), file.c_str(), raw.size());
    size_t pos = 0;
    while (pos < length) {
        const char* line = raw.data() + pos;
        size_t n = strnlen(line, length - pos);
        AddLine(std::string(line, n));
        pos += n + 1;
    }
}

void GHashTable::AddLine(const std::string& line) {
    size_t equals = line.find('=');
    std::string key;
    size_t keyEnd = equals == std::string::npos ? line.size() : equals;
    for (size_t i = 0; i < keyEnd; ++i) {
        // Translators pad keys for alignment ("MY KEY = text"); the program asks for "MYKEY".
        if (!std::isspace(static_cast<unsigned char>(line[i])))
            key += line[i];
    }
    std::string value;
    if (equals != std::string::npos) {
        // Unlike the general INI reader, every unescaped '=' is dropped here, so a literal one
        // must be written "\=".
        bool escaped = false;
        for (size_t i = equals + 1; i < line.size(); ++i) {
            char c = line[i];
            if (c == '\\') {
                escaped = true;
            } else if (c == '=' || c == '"' || c == '\n') {
                if (escaped) {
                    value += c;
                    escaped = false;
                }
            } else {
                value += c;
            }
        }
    }
    Add(key, value);
}

void GHashTable::Add(const std::string& key, const std::string& value) {
    Entry entry{key.substr(0, kMaxKey), value.substr(0, kMaxValue)};
    buckets[BucketOf(entry.key)].push_back(std::move(entry));
    ++count;
}

const std::string* GHashTable::Find(const std::string& key) const {
    for (const Entry& entry : buckets[BucketOf(key)]) {
        if (entry.key == key)
            return &entry.value;
    }
    return nullptr;
}

void GHashTable::Clear() {
    for (auto& bucket : buckets)
        bucket.clear();
    count = 0;
    loaded = false;
}

GHashTable& TranslationTable() {
    return Table();
}

std::string Translate(const std::string& key) {
    EnsureLoaded();
    const std::string* found = Table().Find(key);
    // A mod's content may carry its text in place of a key, so a key given back is filled too.
    std::string text = !found || found->empty() ? key : *found;
    FillCountryWords(text);
    return text;
}

size_t TranslationCount() {
    EnsureLoaded();
    return Table().Count();
}

void ResetTranslations() {
    Table().Clear();
    NumberedSections().clear();
}

void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& replacement) {
    if (placeholder.empty())
        return;
    // The search goes on after the inserted text rather than from the start: a replacement that
    // holds its own placeholder (a party named "<PARTYNAME>") would otherwise be replaced again
    // without end. Every step leaves less unsearched text, so this always finishes.
    size_t from = 0;
    while (true) {
        size_t at = text.find(placeholder, from);
        if (at == std::string::npos)
            break;
        text.replace(at, placeholder.size(), replacement);
        from = at + replacement.size();
    }
}

std::string ExpandText(const std::string& key, const std::string& tokenList) {
    std::vector<TokenPair> tokens = ParseTokenList(tokenList);
    std::string text = Translate(key);
    if (text.size() > kMaxExpanded)
        text.resize(kMaxExpanded);

    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '<') {
            out += text[i++];
            continue;
        }
        size_t close = text.find('>', i + 1);
        if (close == std::string::npos) {
            // A '<' that never closes is ordinary text, not a token.
            out.append(text, i, std::string::npos);
            break;
        }
        std::string name = text.substr(i + 1, close - i - 1);
        const TokenPair* match = nullptr;
        for (const TokenPair& pair : tokens) {
            if (pair.name == name) {
                match = &pair;
                break;
            }
        }
        if (match)
            out += match->value;
        else
            LogF("failed to find token:%s", name.c_str());
        i = close + 1;
    }
    if (out.size() > kMaxExpanded)
        out.resize(kMaxExpanded);
    return out;
}

std::string GetRandomText(const std::string& section) {
    CIniSection& texts = NumberedSection(section);
    if (texts.Count() == 0) {
        Log("WARNING - No random translation keys found");
        return std::string();
    }
    int index = RandomIndex(static_cast<int>(texts.Count()));
    std::string text = texts.GetString(std::to_string(index));
    FillCountryWords(text);
    return text;
}

std::string GetGradedText(const std::string& section, float level) {
    CIniSection& texts = NumberedSection(section);
    int count = static_cast<int>(texts.Count());
    if (count == 0)
        return std::string();
    float scaled = static_cast<float>(count) * level;
    int index;
    // Compared as floats first so that a NaN or huge level never reaches the integer cast.
    if (!(scaled >= 0.0f))
        index = 0;
    else if (scaled >= static_cast<float>(count))
        index = count - 1;
    else
        index = static_cast<int>(scaled);
    if (index > count - 1)
        index = count - 1;
    std::string text = texts.GetString(std::to_string(index));
    FillCountryWords(text);
    return text;
}
