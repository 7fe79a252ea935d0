// Texts written once for every country: the country's name and its people filled in from the
// mission being played, wherever a text is looked up.

#include "base/country_words.h"
#include "base/mission.h"
#include "base/translation.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Filled(const std::string& text, const CountryWords& words) {
    std::string out = text;
    FillCountryWords(out, words);
    return out;
}

class CountryWordsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetTranslations(); }
    void TearDown() override {
        ResetTranslations();
        GetMission().Reset();
    }
    void WriteStrings(const std::string& text) { env.dir.Write("data/strings.ini", text); }
    // Plays the mission of that file, as a new game or a load would.
    void Play(const std::string& missionFile) {
        CMission& mission = GetMission();
        mission.Reset();
        mission.SetMissionFile(missionFile);
        mission.Load();
    }

    LoggedTest env;
};

std::string ShippedMission(const std::string& name) {
    return std::string(MARROWGATE_SOURCE_DIR) + "/data/missions/" + name + ".txt";
}

} // namespace

TEST_F(CountryWordsTest, EveryShippedCountryNamesItselfAndItsPeople) {
    WriteStrings("[strings]\n"
                 "EVENT_DESC=Sea eagles nest in {COUNTRY}, and {PEOPLE} flock to see them.\n"
                 "SITUATION_DESC={PEOPLE} are healthier than ever. {COUNTRY}'s doctors are bored.\n"
                 "[report_global_economy]\n0=Demand for {COUNTRY}'s goods is flat.\n");
    struct Expected {
        const char* file;
        const char* country;
        const char* people;
    };
    const Expected countries[] = {{"USA", "Calverra", "Calverrans"},
                                  {"Saltreach", "Saltreach", "Saltreach islanders"},
                                  {"Hollvarn", "Hollvarn", "Hollvarners"},
                                  {"Kestrava", "Kestrava", "Kestravans"}};
    // One after another in one run, as a player starts game after game: nothing of the country
    // before may linger in a text.
    for (const Expected& c : countries) {
        Play(ShippedMission(c.file));
        const std::string country = c.country, people = c.people;
        EXPECT_EQ(Translate("EVENT_DESC"),
                  "Sea eagles nest in " + country + ", and " + people + " flock to see them.");
        EXPECT_EQ(Translate("SITUATION_DESC"),
                  people + " are healthier than ever. " + country + "'s doctors are bored.");
        EXPECT_EQ(GetGradedText("report_global_economy", 0.5f),
                  "Demand for " + country + "'s goods is flat.");
        // The people's own word, not the stand-in for a mission without one.
        EXPECT_EQ(CurrentCountryWords().people, people) << c.file;
    }
}

TEST_F(CountryWordsTest, TokensReachEveryLookupAndModTextsWrittenInFull) {
    WriteStrings("[strings]\n"
                 "GREETING=<NAME> of {COUNTRY} greets {PEOPLE}\n"
                 "[REPORT_SUMMARY_DEFICIT]\n0={COUNTRY} borrows again\n");
    env.dir.Write("data/missions/Fenmoor.txt",
                  "[config]\nname= Fenmoor \npeople=  Fen folk \n[settings]\n");
    Play("data/missions/Fenmoor.txt");
    EXPECT_EQ(ExpandText("GREETING", "NAME=Ada,"), "Ada of Fenmoor greets Fen folk");
    EXPECT_EQ(GetRandomText("REPORT_SUMMARY_DEFICIT"), "Fenmoor borrows again");
    // A mod cannot add keys, so its texts come back from the table unchanged; they are filled all
    // the same.
    EXPECT_EQ(Translate("A record marrow has been grown in {COUNTRY}."),
              "A record marrow has been grown in Fenmoor.");
    EXPECT_EQ(env.LogText().find("failed to find token"), std::string::npos);
}

TEST(CountryWords, StandInsForAMissingNameOrPeopleAndCapitalsThatOpenASentence) {
    const CountryWords unnamed = MakeCountryWords("", "");
    EXPECT_EQ(unnamed.country, "the country");
    EXPECT_EQ(unnamed.people, "people");
    const CountryWords fen = MakeCountryWords("Fenmoor", "");
    EXPECT_EQ(fen.people, "people of Fenmoor");

    // Text, then what it reads for a country without a people's word and for one without a name.
    const std::string cases[][3] = {
        {"{PEOPLE} are healthier.", "People of Fenmoor are healthier.", "People are healthier."},
        {"Done. {PEOPLE} cheer!", "Done. People of Fenmoor cheer!", "Done. People cheer!"},
        {"the {PEOPLE} who farm", "the people of Fenmoor who farm", "the people who farm"},
        {"{COUNTRY}'s debt", "Fenmoor's debt", "The country's debt"},
        {"Is it over? {COUNTRY} waits", "Is it over? Fenmoor waits",
         "Is it over? The country waits"},
        {"owed by {COUNTRY}", "owed by Fenmoor", "owed by the country"},
        // A page's paragraph opens with tags before its first word.
        {"<BR><BR>{COUNTRY} begins", "<BR><BR>Fenmoor begins", "<BR><BR>The country begins"},
        {"<HR><SIZE=16>{PEOPLE} count", "<HR><SIZE=16>People of Fenmoor count",
         "<HR><SIZE=16>People count"},
        {"in 3.5 {COUNTRY}", "in 3.5 Fenmoor", "in 3.5 the country"},
        {"{COUNTRY}{COUNTRY}", "FenmoorFenmoor", "The countrythe country"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Filled(c[0], fen), c[1]);
        EXPECT_EQ(Filled(c[0], unnamed), c[2]);
    }
}

TEST(CountryWords, UnknownAndMalformedTokensAreLeftAsTheyStand) {
    const CountryWords words = MakeCountryWords("Saltreach", "Saltreach islanders");
    for (const char* text : {"{COUNTY} and {country}", "{COUNTRY", "COUNTRY}", "{", "}", "{}",
                             "{ COUNTRY}", "{PEOPLE }", "ends in {", "", "plain text"})
        EXPECT_EQ(Filled(text, words), text);
    EXPECT_EQ(Filled("{{COUNTRY}}", words), "{Saltreach}");
    EXPECT_EQ(Filled("{COUNTRY {COUNTRY}", words), "{COUNTRY Saltreach");

    // Words that hold the tokens themselves are put in once, not filled again without end.
    const CountryWords odd = MakeCountryWords("{PEOPLE}", "{COUNTRY}");
    EXPECT_EQ(Filled("in {COUNTRY}, {PEOPLE}", odd), "in {PEOPLE}, {COUNTRY}");
}

// The content we ship names the country through the tokens, never by the default country's own
// name, and uses no token that would be shown as written.
TEST(CountryWords, ShippedTextsNameNoCountryOutright) {
    namespace fs = std::filesystem;
    const fs::path data = fs::path(MARROWGATE_SOURCE_DIR) / "data";
    std::vector<fs::path> files = {data / "strings.ini"};
    for (const char* folder : {"simulation/encyclopedia", "simulation/events",
                               "simulation/dilemmas", "simulation/attacks"})
        for (const auto& entry : fs::directory_iterator(data / folder))
            files.push_back(entry.path());
    ASSERT_GT(files.size(), 100u);

    std::ifstream missionFile(data / "missions" / (std::string(kDefaultMission) + ".txt"));
    std::string line, defaultName;
    while (std::getline(missionFile, line))
        if (line.rfind("name=", 0) == 0)
            defaultName = line.substr(5);
    ASSERT_FALSE(defaultName.empty());

    const std::regex token(R"(\{[^{}\n]*\})");
    for (const fs::path& path : files) {
        std::ifstream in(path);
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            const std::string where = path.filename().string() + ":" + std::to_string(number);
            EXPECT_EQ(line.find(defaultName), std::string::npos) << where << ": " << line;
            for (std::sregex_iterator it(line.begin(), line.end(), token), end; it != end; ++it)
                EXPECT_TRUE(it->str() == kCountryToken || it->str() == kPeopleToken)
                    << where << ": " << it->str();
        }
    }
}
