// The content checker's reader and the faults a modder makes that the broken-mod run leaves out:
// subtler ranges, special influences and limits the game cuts silently.

#include "base/content_text.h"
#include "base/debug_log.h"
#include "base/mission.h"
#include "base/row_reader.h"
#include "game/content_check.h"
#include "game/game_state.h"
#include "game/turn_pipeline.h"
#include "test_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(ContentTextTest, LinesKeepTheirNumbersAndJunkIsRefused) {
    ScratchDir dir;
    ContentText text = ReadContentText(dir.Write("crlf.txt", "first\r\n\r\nthird"));
    ASSERT_TRUE(text.refusal.empty());
    ASSERT_EQ(text.lines.size(), 3u);
    EXPECT_EQ(text.lines[0].text, "first");
    EXPECT_EQ(text.lines[2].number, 3);
    EXPECT_EQ(text.lines[2].text, "third");

    EXPECT_TRUE(ReadContentText(dir.Write("empty.txt", "")).lines.empty());
    EXPECT_TRUE(ReadContentText(dir.Write("empty.txt", "")).refusal.empty());

    const std::string longLine(300000, 'q');
    ContentText wide = ReadContentText(dir.Write("wide.txt", "#,a\n" + longLine + "\n"));
    ASSERT_EQ(wide.lines.size(), 2u);
    EXPECT_EQ(wide.lines[1].text.size(), longLine.size());

    ContentText binary = ReadContentText(dir.Write("bin.txt", std::string("ok\nP\0K", 6)));
    EXPECT_NE(binary.refusal.find("line 2"), std::string::npos) << binary.refusal;
    EXPECT_TRUE(binary.lines.empty());
    EXPECT_FALSE(ReadContentText(dir.Path() + "/absent.txt").refusal.empty());
}

TEST(ContentTextTest, SectionsSkipCommentsAndDropQuotes) {
    ScratchDir dir;
    ContentText text = ReadContentText(
        dir.Write("event.txt", "stray=before any section\n[Config]\n// a note\nName=Quote\n"
                               "Text=\"said \\\"hello\\\"\"\n\n[influences]\n1=_random_,0,1\n"));
    std::vector<ContentSection> sections = ContentSections(text);
    ASSERT_EQ(sections.size(), 2u);
    const ContentSection* config = FindContentSection(sections, "config");
    ASSERT_NE(config, nullptr);
    ASSERT_EQ(config->entries.size(), 2u);
    EXPECT_EQ(config->Find("Name")->line, 4);
    EXPECT_EQ(config->Find("Text")->value, "said \"hello\"");
    EXPECT_EQ(FindContentSection(sections, "influences")->entries.front().line, 8);
}

TEST(ContentTextTest, NumbersMustBeWholeCells) {
    float value = 0.0f;
    EXPECT_TRUE(IsContentNumber(" 0.25 ", &value));
    EXPECT_FLOAT_EQ(value, 0.25f);
    for (const char* junk : {"", "  ", "0.2x", "x", "1e999", "nan"})
        EXPECT_FALSE(IsContentNumber(junk)) << junk;
    long whole = 0;
    EXPECT_TRUE(IsContentWholeNumber("-12", &whole));
    EXPECT_EQ(whole, -12);
    EXPECT_FALSE(IsContentWholeNumber("1.5"));
    EXPECT_FALSE(IsContentWholeNumber("99999999999999999999"));
}

class ContentCheckTest : public ::testing::Test {
protected:
    void SetUp() override { UseShippedContent(t); }

    // The problems found in the scratch mods folder, as the runner prints them but with the
    // folder left off.
    std::vector<std::string> ModProblems() {
        const std::string mods = t.dir.Path() + "/user/mods/data/";
        std::vector<std::string> found;
        for (const ContentProblem& problem : CheckContent(t.dir.Path() + "/user"))
            if (problem.file.rfind(mods, 0) == 0)
                found.push_back(FormatContentProblem(problem).substr(mods.size()));
        return found;
    }

    void Mod(const std::string& relative, const std::string& text) {
        t.dir.Write("user/mods/data/" + relative, text);
    }

    LoggedTest t;
};

bool Holds(const std::vector<std::string>& problems, const std::string& wanted) {
    for (const std::string& problem : problems)
        if (problem.rfind(wanted, 0) == 0)
            return true;
    std::string all;
    for (const std::string& problem : problems)
        all += "\n  " + problem;
    ADD_FAILURE() << "no problem starting \"" << wanted << "\" among:" << all;
    return false;
}

TEST_F(ContentCheckTest, ACleanModHasNothingToReport) {
    Mod("simulation/policies/Kites.txt",
        "#,KiteFestivals,Kite Festivals,Funding,Kites over every park.,-,6,6,3,3,ECONOMY,100,"
        "500,-,2,0,0,-,#Effects,\"Parents,0+(0.02*x)\",\"Tourism,0+(0.01*x),4\"\n");
    Mod("sliders/Kites.txt", "#,KiteSlider,2,Some kites,Many kites\n");
    EXPECT_TRUE(ModProblems().empty());
}

TEST_F(ContentCheckTest, RangesAndLimitsTheGameCutsSilently) {
    Mod("sliders/Lopsided.txt", "#,Lopsided,3,Low,High\n");
    Mod("situations/Odd.txt",
        "#,Odd,Odd,Odd.,ECONOMY,On.,Off.,Luck.,2,0,0,\"_random_,0.5,0.1\",\"GDP,0+(0.1*x),40\","
        "\"GDP,0.00000000001+(0.000000000001*x)\",\"Decay,0+(0.5*x)\",#,\"Farmers,0+(0.01*x)\"\n");
    Mod("simulation/events/Decay.txt",
        "[config]\nName=Decay\nGUIName=Decay\nDescription=Slow.\nTexture=event_foreign.jpg\n"
        "OnImplement=CreateGrudge(Decay,Decay,-0.6,1.5);TriggerEvent(NoSuchEvent);"
        "SpendAdjusted(lots\n[influences]\n1=_prereq_,NoSuchPolicy\n");
    Mod("simulation/dilemmas/TooEarly.txt",
        "[dilemma]\nname=TooEarly\nguiname=Too Early\ndescription=Early.\n[influences]\n"
        "1=CrimeWave,0+(0.3*x)\n2=Decay,0+(0.1*x)\n3=Crime,0+(0.2*x)\n[option1]\nName=A\n"
        "Description=A.\nOnImplement=SpendAdjusted(1)\n[option2]\nName=B\nDescription=B.\n"
        "OnImplement=EarnAdjusted(1)\n");
    std::vector<std::string> problems = ModProblems();
    Holds(problems, "sliders/Lopsided.txt:1: the slider has 3 steps but 2 labels");
    Holds(problems, "situations/Odd.txt:1: good news 2 is out of its range 0 to 1");
    Holds(problems, "situations/Odd.txt:1: influence _random_ has its low above its high");
    Holds(problems, "situations/Odd.txt:1: drag 40 is out of its range 0 to 32");
    Holds(problems, "situations/Odd.txt:1: formula '0.00000000001+(0.000000000001*x)' in "
                    "influence GDP is longer than 31 characters");
    Holds(problems, "simulation/events/Decay.txt:6: OnImplement: CreateGrudge decay 1.5 is out");
    Holds(problems, "simulation/events/Decay.txt:6: OnImplement: TriggerEvent 'NoSuchEvent' "
                    "names no event");
    Holds(problems, "simulation/events/Decay.txt:6: OnImplement: unbalanced brackets");
    Holds(problems, "simulation/events/Decay.txt:8: prerequisite 'NoSuchPolicy' names no node");
    // A situation is read before the events, a dilemma before both.
    Holds(problems, "situations/Odd.txt:1: influence 'Decay' names an event");
    Holds(problems, "simulation/dilemmas/TooEarly.txt:6: influence 'CrimeWave' names a situation");
    Holds(problems, "simulation/dilemmas/TooEarly.txt:7: influence 'Decay' names an event");
    EXPECT_EQ(std::count_if(problems.begin(), problems.end(),
                            [](const std::string& p) { return p.find("TooEarly") != p.npos; }),
              2);
}

TEST_F(ContentCheckTest, AModdedMissionMustDefineWhatTheNewGameScreenOffers) {
    Mod("missions/Tiny.txt",
        "[config]\nname=Tiny\ndescription=Small.\nwealth=0\npopulation=5000\ndebt=100\n"
        "debtceiling=50\nflag=flag_nowhere.dds\nbriefing=Hello.\neconomic_cycle_start=0\n"
        "currency=Crowns\ntermlength=four\npartyname=A\noppname=B\n[settings]\nGDP=1.4\n"
        "Nowhere=0.5\n");
    std::vector<std::string> problems = ModProblems();
    Holds(problems, "missions/Tiny.txt:4: wealth 0 is out of its range");
    Holds(problems, "missions/Tiny.txt:7: debtceiling must be above the starting debt");
    Holds(problems, "missions/Tiny.txt:8: flag 'flag_nowhere.dds' does not exist");
    Holds(problems, "missions/Tiny.txt:11: currency 'Crowns' is longer than 5 characters");
    Holds(problems, "missions/Tiny.txt:12: termlength 'four' is not a whole number");
    Holds(problems, "missions/Tiny.txt:16: GDP 1.4 is out of its range 0 to 1");
    Holds(problems, "missions/Tiny.txt:17: setting 'Nowhere' names no node");
    Holds(problems, "missions/Tiny.txt:15: [settings] lacks Unemployment");
}

TEST(ContentPlaceTest, ReportsMadeWhileReadingARowNameItsFileAndLine) {
    LoggedTest t;
    // A long line read in two pieces is still one line of the file.
    const std::string table = t.dir.Write(
        "table.csv", "Notes\n#,first,row\n#," + std::string(1100, 'a') + "\n#,third,row\n");
    ReadDirectRows(table, [&](const std::string& row) {
        if (row.rfind("#,third", 0) == 0)
            REPORT_ERROR("row fault");
    });
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_NE(t.frontEnd.boxes[0].text.find("row fault:content_check_test.cpp "),
              std::string::npos);
    EXPECT_NE(t.frontEnd.boxes[0].text.find(" (in " + table + ":4)"), std::string::npos)
        << t.frontEnd.boxes[0].text;

    CSpreadsheet sheet(table);
    ASSERT_EQ(sheet.Rows().size(), 3u);
    EXPECT_EQ(sheet.LineOf(0), 2);
    EXPECT_EQ(sheet.LineOf(2), 4);

    // An item noted while its row was read is placed again when its links are resolved later;
    // outside any place a report carries nothing extra.
    int item = 0;
    {
        ContentPlace place("items.csv", 7);
        NoteContentOrigin(&item);
    }
    EXPECT_EQ(ContentPlaceSuffix(), "");
    {
        ContentPlace again(&item);
        EXPECT_EQ(ContentPlaceSuffix(), " (in items.csv:7)");
        ContentPlace inner("events/Fire.txt", 0);
        EXPECT_EQ(ContentPlaceSuffix(), " (in events/Fire.txt)");
    }
    ForgetContentOrigins();
    ContentPlace forgotten(&item);
    EXPECT_EQ(ContentPlaceSuffix(), "");
}

TEST_F(ContentCheckTest, AGameReadingABrokenModNamesTheModsRowInTheLog) {
    Mod("situations/Ghost.txt", "#,Ghost,Ghost,Boo.,ECONOMY,On.,Off.,Luck.,0,0,0,"
                                "\"Ectoplasm,0+(3*x)\",#,\"Farmers,0+(0.01*x)\"\n");
    NewGameSetup(kDefaultMission);
    const std::string log = t.LogText();
    const size_t at = log.find("failed to find event influence Ectoplasm:");
    ASSERT_NE(at, std::string::npos) << log;
    const std::string line = log.substr(at, log.find('\n', at) - at);
    EXPECT_NE(line.find("(in " + t.dir.Path() + "/user/mods/data/situations/Ghost.txt:1)"),
              std::string::npos)
        << line;
    TearDownGame();
}

} // namespace
