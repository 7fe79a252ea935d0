#include "base/country_words.h"

#include "base/mission.h"

#include <cstring>

namespace {

// True when nothing but blanks stands between the start of the text, or the end of a sentence,
// and position at. Formatting tags count as nothing too: an encyclopedia paragraph opens with
// "<BR><BR>" before its first word.
bool OpensSentence(const std::string& text, size_t at) {
    size_t i = at;
    while (i > 0) {
        const char c = text[i - 1];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            --i;
        } else if (c == '>') {
            const size_t open = text.rfind('<', i - 1);
            if (open == std::string::npos)
                return false;
            i = open;
        } else {
            return c == '.' || c == '!' || c == '?';
        }
    }
    return true;
}

std::string Capitalised(std::string word) {
    if (!word.empty() && word[0] >= 'a' && word[0] <= 'z')
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

} // namespace

CountryWords MakeCountryWords(const std::string& name, const std::string& people) {
    CountryWords words;
    words.country = name.empty() ? "the country" : name;
    if (!people.empty())
        words.people = people;
    else if (!name.empty())
        words.people = "people of " + name;
    else
        words.people = "people";
    return words;
}

CountryWords CurrentCountryWords() {
    const CMission& mission = GetMission();
    return MakeCountryWords(mission.name, mission.people);
}

void FillCountryWords(std::string& text, const CountryWords& words) {
    // Most texts name no country; they are passed over with one search.
    size_t at = text.find('{');
    while (at != std::string::npos) {
        const std::string* word = nullptr;
        size_t length = 0;
        if (text.compare(at, std::strlen(kCountryToken), kCountryToken) == 0) {
            word = &words.country;
            length = std::strlen(kCountryToken);
        } else if (text.compare(at, std::strlen(kPeopleToken), kPeopleToken) == 0) {
            word = &words.people;
            length = std::strlen(kPeopleToken);
        }
        if (!word) {
            at = text.find('{', at + 1);
            continue;
        }
        const std::string replacement = OpensSentence(text, at) ? Capitalised(*word) : *word;
        text.replace(at, length, replacement);
        // On after the inserted words, which may themselves hold a brace.
        at = text.find('{', at + replacement.size());
    }
}

void FillCountryWords(std::string& text) {
    if (text.find('{') == std::string::npos)
        return;
    FillCountryWords(text, CurrentCountryWords());
}
