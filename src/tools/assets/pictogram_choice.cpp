#include "tools/assets/pictogram_choice.h"

#include <cctype>
#include <vector>

namespace art {

namespace {

struct Keyword {
    const char* words; // lower-case words in the order the name has them, space-separated
    uint32_t glyph;
};

// Most specific first: "low income" must win over "income tax", "school meals" over "school".
const Keyword kPolicyKeywords[] = {
    // Taxes
    {"low income", 0x1F45B},    // purse
    {"basic income", 0x1F465},  // everyone: two busts
    {"income tax", 0x1F4B5},    // banknote
    {"sales", 0x1F6D2},         // shopping trolley
    {"corporation", 0x1F3E2},   // office block
    {"property", 0x1F3E0},      // house
    {"petrol", 0x26FD},         // fuel pump
    {"fuel", 0x26FD},           //
    {"inheritance", 0x1F5DD},   // old key
    {"carbon", 0x1F463},        // footprints
    {"payroll", 0x1F454},       // necktie
    {"capital gains", 0x1F4C8}, // rising chart
    {"alcohol", 0x1F377},       // wine glass
    {"tobacco", 0x1F6AC},       // cigarette
    {"luxury", 0x1F48E},        // gem
    {"enforcement", 0x1F50D},   // magnifier
    {"air travel", 0x2708},     // aeroplane
    {"airport", 0x1F6EB},       // departure
    // Economy
    {"small business", 0x1F3EA}, // corner shop
    {"research", 0x1F52C},       // microscope
    {"wage", 0x1F4B0},           // money bag
    {"worker", 0x1F477},         // hard hat
    {"farm", 0x1F33E},           // sheaf of rice
    {"tariff", 0x1F6C3},         // customs
    {"renewable", 0x2600},       // sun
    {"nuclear", 0x2622},         // radiation sign
    {"energy", 0x1F4A1},         // light bulb
    {"inflation", 0x1F321},      // thermometer
    {"training", 0x1F527},       // spanner
    {"consumer", 0x1F6CD},       // shopping bags
    {"tourism", 0x1F4F7},        // camera
    {"enterprise", 0x1F3D7},     // crane
    {"bank", 0x1F3E6},           // bank
    // Welfare
    {"pension", 0x1F474},         // old man
    {"unemployment", 0x1F4CB},    // clipboard
    {"childcare", 0x1F37C},       // baby bottle
    {"child", 0x1F476},           // baby
    {"disability", 0x267F},       // wheelchair
    {"housing benefit", 0x1F511}, // key
    {"housing", 0x1F3D8},         // houses
    {"food", 0x1F35E},            // bread
    {"parental", 0x1F46A},        // family
    {"homeless", 0x26FA},         // tent
    {"equality", 0x1F46B},        // couple holding hands
    {"community", 0x2615},        // hot drink
    // Public services
    {"mental", 0x1F9E0},      // brain
    {"road safety", 0x26A0},  // warning sign
    {"campaign", 0x1F4E2},    // loudspeaker
    {"medicine", 0x1F48A},    // pill
    {"vaccination", 0x1F489}, // syringe
    {"healthcare", 0x1F3E5},  // hospital
    {"hospital", 0x1F3E5},    //
    {"health", 0x1F3E5},      //
    {"school meal", 0x1F34E}, // apple
    {"school", 0x1F4DA},      // books
    {"university", 0x1F393},  // mortar board
    {"library", 0x1F4D6},     // open book
    {"arts", 0x1F3A8},        // palette
    {"park", 0x1F332},        // evergreen
    {"recycling", 0x267B},    // recycling arrows
    {"pollution", 0x1F3ED},   // factory
    {"sport", 0x26BD},        // football
    // Law and order
    {"police", 0x1F6E1},         // shield
    {"prison", 0x1F512},         // lock
    {"court", 0x2696},           // scales
    {"camera", 0x1F4F9},         // video camera
    {"drug", 0x1F6AB},           // no entry
    {"firearm", 0x1F52B},        // pistol
    {"curfew", 0x1F319},         // crescent moon
    {"warden", 0x1F526},         // torch
    {"rehabilitation", 0x1F305}, // sunrise: a fresh start
    {"intelligence", 0x1F575},   // detective
    {"id card", 0x1F4B3},        // card
    {"corruption", 0x1F415},     // watchdog
    {"legal aid", 0x1F4BC},      // briefcase
    {"sentencing", 0x1F528},     // gavel
    // Transport
    {"toll", 0x1F3AB},            // ticket
    {"road building", 0x1F6E3},   // motorway
    {"high speed rail", 0x1F684}, // fast train
    {"rail", 0x1F686},            // train
    {"train", 0x1F686},           //
    {"bus", 0x1F68C},             // bus
    {"cycle", 0x1F6B2},           // bicycle
    {"speed", 0x1F6A6},           // traffic light
    {"congestion", 0x1F6A7},      // roadworks barrier
    {"electric car", 0x1F50C},    // plug
    {"emission", 0x2601},         // cloud
    {"car", 0x1F697},             // car
    {"road", 0x1F6E3},            // motorway
    // Foreign policy
    {"defence", 0x2694},       // crossed swords
    {"defense", 0x2694},       //
    {"military", 0x2694},      //
    {"foreign aid", 0x26D1},   // rescue helmet
    {"border", 0x1F6C2},       // passport control
    {"visa", 0x1F39F},         // admission tickets
    {"trade", 0x1F91D},        // handshake
    {"diplomatic", 0x1F3DB},   // classical building
    {"embassy", 0x1F3DB},      //
    {"peacekeeping", 0x1F54A}, // dove
    {"asylum", 0x2602},        // umbrella
    {"refugee", 0x2602},       //
    {"arms", 0x1F4A3},         // bomb
    {"space", 0x1F680},        // rocket
    {"export", 0x1F69A},       // delivery lorry
    {"cultural", 0x1F3AD},     // theatre masks
};

struct NamedTheme {
    const char* key;
    Theme theme;
};

const NamedTheme kEventThemes[] = {
    {"money", {0x1F4B0, {217, 164, 65, 255}}},
    {"industry", {0x1F3ED, {196, 124, 72, 255}}},
    {"foreign", {0x1F310, {64, 142, 196, 255}}},
    {"health", {0x1F3E5, {47, 163, 154, 255}}},
    {"crime", {0x1F6A8, {200, 85, 61, 255}}},
    {"politics", {0x1F5F3, {140, 112, 196, 255}}},
    {"weather", {0x26C8, {96, 128, 170, 255}}},
    {"environment", {0x1F333, {86, 160, 92, 255}}},
    {"celebration", {0x1F389, {214, 118, 150, 255}}},
    {"welfare", {0x1F91D, {200, 112, 128, 255}}},
    {"transport", {0x1F686, {220, 140, 72, 255}}},
    {"terror", {0x26A0, {190, 70, 56, 255}}},
    {"school", {0x1F3EB, {84, 142, 212, 255}}},
    {"prison", {0x1F512, {112, 114, 156, 255}}},
    {"resign", {0x1F6AA, {160, 138, 112, 255}}},
};

const NamedTheme kAchievementThemes[] = {
    {"safe_streets", {0x1F6E1, {70, 120, 200, 255}}},
    {"full_employment", {0x1F477, {47, 163, 154, 255}}},
    {"economic_miracle", {0x1F4C8, {217, 164, 65, 255}}},
    {"picture_of_health", {0x2764, {200, 85, 61, 255}}},
    {"top_of_the_class", {0x1F393, {70, 120, 200, 255}}},
    {"end_of_want", {0x1F35E, {196, 104, 124, 255}}},
    {"blue_skies", {0x2600, {84, 152, 214, 255}}},
    {"carbon_light", {0x1F343, {86, 160, 92, 255}}},
    {"clean_hands", {0x1F450, {47, 163, 154, 255}}},
    {"a_roof_for_all", {0x1F3E0, {212, 128, 66, 255}}},
    {"level_playing_field", {0x2696, {140, 112, 196, 255}}},
    {"steady_prices", {0x1F3F7, {217, 164, 65, 255}}},
    {"friends_everywhere", {0x1F310, {64, 142, 196, 255}}},
    {"quiet_nights", {0x1F319, {92, 96, 170, 255}}},
    {"landslide", {0x1F3C6, {217, 164, 65, 255}}},
    {"debt_free", {0x1F513, {86, 160, 92, 255}}},
    {"bridge_builder", {0x1F91D, {140, 112, 196, 255}}},
    {"green_commute", {0x1F6B2, {86, 160, 92, 255}}},
    {"basic_income", {0x1F4B5, {217, 164, 65, 255}}},
    {"star_gazers", {0x1F52D, {92, 96, 170, 255}}},
    {"long_lives", {0x23F3, {47, 163, 154, 255}}},
    {"golden_years", {0x1F33B, {217, 164, 65, 255}}},
    {"national_mood", {0x1F60A, {212, 128, 66, 255}}},
    {"open_for_business", {0x1F3E2, {70, 120, 200, 255}}},
    {"safe_harbour", {0x2693, {64, 142, 196, 255}}},
    {"tourist_magnet", {0x1F3D6, {212, 128, 66, 255}}},
    {"rock_bottom", {0x1F4C9, {128, 120, 120, 255}}},
};

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "NationalIDCards" -> national, id, cards. Runs of capitals are one word, except that the last
// capital of a run starts the next word when lower case follows it.
std::vector<std::string> SplitName(const std::string& name) {
    std::vector<std::string> words;
    std::string current;
    auto isUpper = [](char c) { return std::isupper(static_cast<unsigned char>(c)) != 0; };
    auto isLower = [](char c) { return std::islower(static_cast<unsigned char>(c)) != 0; };
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            if (!current.empty())
                words.push_back(Lower(current));
            current.clear();
            continue;
        }
        const bool startsWord =
            !current.empty() && isUpper(c) &&
            (isLower(current.back()) || (i + 1 < name.size() && isLower(name[i + 1])));
        if (startsWord) {
            words.push_back(Lower(current));
            current.clear();
        }
        current += c;
    }
    if (!current.empty())
        words.push_back(Lower(current));
    return words;
}

// A keyword word matches the same word or its plural.
bool SameWord(const std::string& word, const std::string& key) {
    if (word == key || word == key + "s" || word == key + "es")
        return true;
    return !key.empty() && key.back() == 'y' && word == key.substr(0, key.size() - 1) + "ies";
}

std::vector<std::string> SplitSpaces(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

bool ContainsSequence(const std::vector<std::string>& words, const std::vector<std::string>& keys) {
    for (size_t i = 0; i + keys.size() <= words.size(); ++i) {
        bool all = true;
        for (size_t k = 0; k < keys.size() && all; ++k)
            all = SameWord(words[i + k], keys[k]);
        if (all)
            return true;
    }
    return false;
}

// "event_money.jpg" -> "money"; "achievement_safe_streets.png" -> "safe_streets".
std::string ThemeKey(const std::string& fileName, const std::string& prefix) {
    std::string key = Lower(fileName);
    const size_t slash = key.find_last_of("/\\");
    if (slash != std::string::npos)
        key = key.substr(slash + 1);
    const size_t dot = key.rfind('.');
    if (dot != std::string::npos)
        key = key.substr(0, dot);
    if (key.compare(0, prefix.size(), prefix) == 0)
        key = key.substr(prefix.size());
    return key;
}

template <size_t N>
Theme FindTheme(const NamedTheme (&table)[N], const std::string& key, Theme fallback,
                bool* matched) {
    for (const NamedTheme& entry : table) {
        if (key == entry.key) {
            if (matched)
                *matched = true;
            return entry.theme;
        }
    }
    if (matched)
        *matched = false;
    return fallback;
}

} // namespace

GroupLook LookOfGroup(const std::string& group) {
    std::string key;
    for (char c : group)
        if (std::isalnum(static_cast<unsigned char>(c)))
            key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (key == "TAX")
        return {{226, 176, 84, 255}, {150, 104, 34, 255}, 0x1F4B0};
    if (key == "ECONOMY")
        return {{64, 184, 166, 255}, {24, 108, 100, 255}, 0x1F4C8};
    if (key == "WELFARE")
        return {{212, 116, 134, 255}, {136, 56, 78, 255}, 0x2764};
    if (key == "PUBLICSERVICES")
        return {{92, 152, 218, 255}, {38, 84, 148, 255}, 0x1F3DB};
    if (key == "LAWANDORDER")
        return {{126, 130, 204, 255}, {64, 66, 130, 255}, 0x2696};
    if (key == "TRANSPORT")
        return {{228, 142, 80, 255}, {156, 78, 36, 255}, 0x1F697};
    if (key == "FOREIGNPOLICY")
        return {{166, 122, 200, 255}, {92, 60, 134, 255}, 0x1F310};
    return {{100, 118, 148, 255}, {50, 64, 90, 255}, 0x2605};
}

uint32_t PolicyGlyph(const std::string& policyName, const std::string& group, bool* matched) {
    const std::vector<std::string> words = SplitName(policyName);
    for (const Keyword& keyword : kPolicyKeywords) {
        if (ContainsSequence(words, SplitSpaces(keyword.words))) {
            if (matched)
                *matched = true;
            return keyword.glyph;
        }
    }
    // A name written without capitals ("fueltax") has no words to split; look for the longer
    // one-word keywords inside it instead.
    const std::string lower = Lower(policyName);
    for (const Keyword& keyword : kPolicyKeywords) {
        const std::string key = keyword.words;
        if (key.size() >= 4 && key.find(' ') == std::string::npos &&
            lower.find(key) != std::string::npos) {
            if (matched)
                *matched = true;
            return keyword.glyph;
        }
    }
    if (matched)
        *matched = false;
    return LookOfGroup(group).fallbackGlyph;
}

Theme EventTheme(const std::string& fileName, bool* matched) {
    return FindTheme(kEventThemes, ThemeKey(fileName, "event_"),
                     Theme{0x1F4AC, {100, 118, 148, 255}}, matched);
}

Theme AchievementTheme(const std::string& fileName, bool* matched) {
    return FindTheme(kAchievementThemes, ThemeKey(fileName, "achievement_"),
                     Theme{0x2605, {217, 164, 65, 255}}, matched);
}

} // namespace art
