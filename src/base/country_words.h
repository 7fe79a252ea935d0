#pragma once
// The words a text uses for the country being played. Content is written once for every country:
// "{COUNTRY}" stands for the mission's name and "{PEOPLE}" for its people, and both are filled
// in wherever a text reaches the player (the translation table, the numbered texts, the
// encyclopedia pages).

#include <string>

inline constexpr const char kCountryToken[] = "{COUNTRY}";
inline constexpr const char kPeopleToken[] = "{PEOPLE}";

struct CountryWords {
    std::string country;
    std::string people;
};

// The words for a country of that name whose mission may say what its people are called. Without
// a name (no mission read yet) the words are "the country" and "people"; without a word for the
// people it is "people of NAME", which reads right after "the", "wealthy" or at the start.
CountryWords MakeCountryWords(const std::string& name, const std::string& people);

// The words of the mission being played.
CountryWords CurrentCountryWords();

// Replaces both tokens in text. A replacement that opens a sentence gets a capital letter, so
// "{PEOPLE} are..." and "{COUNTRY}'s..." read right whatever the words are. Anything else in
// braces, a misspelt token among them, is left as it stands.
void FillCountryWords(std::string& text, const CountryWords& words);
void FillCountryWords(std::string& text);
