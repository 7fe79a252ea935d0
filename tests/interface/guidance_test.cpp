// The tutorial hints (once per key, remembered across runs, the seen-state file kept whole) and
// the play guide (its steps, the one allowed button, its end), and the script commands that
// reach them through the window's front end.

#include "test_helpers.h"

#include "government/script_runner.h"
#include "interface/guidance/play_guide.h"
#include "interface/guidance/tutorial_manager.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/widgets/gui_base_element.h"
#include "interface/window_front_end.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TutorialTest : public ::testing::Test {
protected:
    // A manager that records the scripts it runs instead of running them.
    TutorialManager Fresh() {
        TutorialManager tutorial;
        tutorial.runScript = [this](const std::string& script) { ran.push_back(script); };
        return tutorial;
    }
    std::string User() const { return logged.dir.Path() + "/user"; }

    LoggedTest logged;
    std::vector<std::string> ran;
};

TEST_F(TutorialTest, AHintRunsOnceAndStaysSeenAfterARestart) {
    logged.dir.Write("data/tut.csv", "Hints\n#,POLLS,data/tutorial/polls.txt\n"
                                     "#,CABINET,data/tutorial/cabinet.txt\n"
                                     "#,POLLS,data/tutorial/polls_more.txt\n");
    logged.dir.Write("user/.keep", "");
    {
        TutorialManager tutorial = Fresh();
        ASSERT_TRUE(tutorial.Load(User()));
        // Both rows of a key run, in the order of the table, the first time only.
        EXPECT_EQ(tutorial.ShowHint("POLLS"), 2);
        EXPECT_EQ(ran, (std::vector<std::string>{"data/tutorial/polls.txt",
                                                 "data/tutorial/polls_more.txt"}));
        EXPECT_EQ(tutorial.ShowHint("POLLS"), 0);
        EXPECT_EQ(tutorial.ShowHint("NOSUCHSCREEN"), 0);
        EXPECT_EQ(ran.size(), 2u);
    }
    // Written as soon as a hint ran, not only at the end of the run.
    const std::string saved = logged.dir.Read("user/hints.txt");
    EXPECT_NE(saved.find("[hints]"), std::string::npos);
    EXPECT_NE(saved.find("POLLS = 1.00"), std::string::npos);
    EXPECT_NE(saved.find("CABINET = 0.00"), std::string::npos);

    ran.clear();
    TutorialManager restarted = Fresh();
    ASSERT_TRUE(restarted.Load(User()));
    EXPECT_EQ(restarted.ShowHint("POLLS"), 0);
    EXPECT_EQ(restarted.ShowHint("CABINET"), 1);
    EXPECT_EQ(ran, std::vector<std::string>{"data/tutorial/cabinet.txt"});
}

TEST_F(TutorialTest, KeysMissingFromTheSeenFileAreAddedUnseenAndOthersKept) {
    logged.dir.Write("data/tut.csv", "#,POLLS,a.txt\n#,REPORT,b.txt\n");
    // Seen in an earlier run, written by hand as a whole number; a key no table names any more.
    logged.dir.Write("user/hints.txt", "[hints]\nPOLLS=1\nRETIRED=1.00\n");
    TutorialManager tutorial = Fresh();
    ASSERT_TRUE(tutorial.Load(User()));
    EXPECT_TRUE(tutorial.Hints()[0].shown);
    EXPECT_FALSE(tutorial.Hints()[1].shown);
    ASSERT_TRUE(tutorial.Save());
    const std::string saved = logged.dir.Read("user/hints.txt");
    EXPECT_NE(saved.find("POLLS = 1.00"), std::string::npos) << saved;
    EXPECT_NE(saved.find("REPORT = 0.00"), std::string::npos) << saved;
    EXPECT_NE(saved.find("RETIRED = 1.00"), std::string::npos) << saved;
}

TEST_F(TutorialTest, AMissingTableIsReportedAndNoHintEverRuns) {
    logged.dir.Write("user/.keep", "");
    TutorialManager tutorial = Fresh();
    EXPECT_FALSE(tutorial.Load(User()));
    EXPECT_NE(logged.LogText().find("Failed to load tutorial file"), std::string::npos);
    EXPECT_NE(logged.LogText().find("Assertion failure"), std::string::npos);
    EXPECT_TRUE(tutorial.Hints().empty());
    EXPECT_EQ(tutorial.ShowHint("MAINSCREEN"), 0);
    EXPECT_TRUE(ran.empty());
}

TEST_F(TutorialTest, HintsHeldBackWhileTheGuideLeadsStayUnseen) {
    logged.dir.Write("data/tut.csv", "#,POLICY,p.txt\n");
    logged.dir.Write("user/.keep", "");
    TutorialManager tutorial = Fresh();
    bool guiding = true;
    tutorial.holdBack = [&] { return guiding; };
    ASSERT_TRUE(tutorial.Load(User()));
    EXPECT_EQ(tutorial.ShowHint("POLICY"), 0);
    EXPECT_FALSE(tutorial.Hints()[0].shown);
    guiding = false;
    EXPECT_EQ(tutorial.ShowHint("POLICY"), 1);
}

TEST(ShippedHints, EveryScreenKeyHasAHintWhoseScriptExists) {
    LoggedTest logged;
    UseShippedContent(logged);
    logged.dir.Write("user/.keep", "");
    TutorialManager tutorial;
    std::vector<std::string> scripts;
    tutorial.runScript = [&](const std::string& script) { scripts.push_back(script); };
    ASSERT_TRUE(tutorial.Load(logged.dir.Path() + "/user"));
    const char* keys[] = {
        "MAINSCREEN", "CUSTOMISECOUNTRY", "POLICYPICKER",    "POLICY",   "SIMULATION",
        "SITUATION",  "VOTERTYPE",        "VOTEMEMBERS",     "WIKI",     "POPULARITY",
        "POLLS",      "CABINET",          "APPOINTMINISTER", "FINANCES", "FINANCE_HISTORY",
        "REPORT",     "THREATS",          "EVENT",           "DILEMMA",  "MANIFESTO",
        "ACHIEVE"};
    for (const char* key : keys) {
        scripts.clear();
        EXPECT_EQ(tutorial.ShowHint(key), 1) << key;
        ASSERT_EQ(scripts.size(), 1u) << key;
        // Each script opens its window, and nothing else complains on the way.
        SIM_Script runner;
        runner.RunScript(scripts[0]);
        EXPECT_EQ(runner.commandName, "TutorialWindow") << key;
        EXPECT_GT(runner.arguments[0].size(), 40u) << key;
    }
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
}

// ---- The play guide ----

class PlayGuideTest : public ::testing::Test {
protected:
    PlayGuideTest() {
        GetScreenGuide().Reset();
        guide.startGame = [this] { ++gamesStarted; };
        guide.runScript = [this](const std::string& script) { ran.push_back(script); };
        guide.returnToMenu = [this] { ++menus; };
    }
    ~PlayGuideTest() override {
        GetScreenGuide().Reset();
        RunDeferredCalls();
    }

    LoggedTest logged;
    PlayGuide guide;
    std::vector<std::string> ran;
    int gamesStarted = 0;
    int menus = 0;
};

TEST_F(PlayGuideTest, StepsRunInTurnAndTheLastNextEndsAtTheMenu) {
    logged.dir.Write("data/playguide.csv", "Steps\n#,one.txt\n#,two.txt\n#,three.txt\n");
    GetScreenGuide().SetFlag("HIDEPOPBAR", true);
    guide.Start();
    EXPECT_TRUE(guide.IsActive());
    EXPECT_EQ(gamesStarted, 1);
    EXPECT_FALSE(GetScreenGuide().Flag(4)) << "a new guide starts with every flag clear";
    EXPECT_EQ(ran, std::vector<std::string>{"one.txt"});
    guide.Next();
    guide.Next();
    EXPECT_EQ(ran.back(), "three.txt");
    EXPECT_EQ(menus, 0);
    guide.SetAllowedButton("PollsButton");
    GetScreenGuide().permittedIcons = {"GDP"};
    guide.Next();
    EXPECT_FALSE(guide.IsActive());
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(ran.back(), kResetInterfaceScript);
    EXPECT_TRUE(guide.AllowedButton().empty());
    EXPECT_TRUE(GetScreenGuide().permittedIcons.empty());
    // Once over, a stray next does nothing.
    guide.Next();
    EXPECT_EQ(menus, 1);
}

TEST_F(PlayGuideTest, OnlyTheAllowedButtonReactsAndPressingItMovesTheGuideOn) {
    logged.dir.Write("data/playguide.csv", "#,one.txt\n#,two.txt\n#,three.txt\n");
    // No guide: every button may be clicked.
    EXPECT_TRUE(guide.IsButtonAllowed("FinanceButton"));
    guide.Start();
    EXPECT_TRUE(guide.IsButtonAllowed("FinanceButton")) << "no button named, none refused";
    EXPECT_EQ(guide.CurrentStep(), 0u);

    guide.SetAllowedButton("PolicyPickerButton");
    EXPECT_FALSE(guide.IsButtonAllowed("FinanceButton"));
    EXPECT_FALSE(guide.IsButtonAllowed(""));
    EXPECT_FALSE(guide.IsButtonAllowed("policypickerbutton")) << "the match is exact";
    EXPECT_EQ(guide.CurrentStep(), 0u);
    EXPECT_TRUE(guide.IsButtonAllowed("PolicyPickerButton"));
    EXPECT_EQ(guide.CurrentStep(), 1u);
    EXPECT_EQ(ran.back(), "two.txt");

    // The frame's filter asks the same guide.
    PlayGuideButtonCheck() = [this](const std::string& id) { return guide.IsButtonAllowed(id); };
    guide.ClearAllowedButtons();
    EXPECT_TRUE(PlayGuideAllows("FinanceButton"));
    guide.SetAllowedButton("NextTurnButton");
    EXPECT_FALSE(PlayGuideAllows("FinanceButton"));
    EXPECT_TRUE(PlayGuideAllows("NextTurnButton"));
    EXPECT_EQ(ran.back(), "three.txt");
    PlayGuideButtonCheck() = nullptr;
}

TEST_F(PlayGuideTest, AMissingOrEmptyStepListIsReportedAndNoGuideRuns) {
    guide.Start();
    EXPECT_NE(logged.LogText().find("Failed to load playguide file"), std::string::npos);
    EXPECT_FALSE(guide.IsActive());
    EXPECT_TRUE(ran.empty());
    EXPECT_TRUE(guide.IsButtonAllowed("AnyButton"));

    logged.dir.Write("data/playguide.csv", "No steps here, only words.\n");
    EXPECT_FALSE(guide.LoadSteps());
    EXPECT_NE(logged.LogText().find("holds no steps"), std::string::npos);
}

TEST_F(PlayGuideTest, ScriptCommandsSetFlagsAndButtonsAndReportWhatTheyCannotRead) {
    WindowFrontEnd window;
    SetFrontEnd(&window);
    PlayGuide& shared = GetPlayGuide();
    SIM_Script runner;
    runner.RunScript("SetPlayGuideFlag(HIDEPOPBAR, TRUE); SetPlayGuideFlag(HIDESIMICONS,TRUE);"
                     "SetAllowedButton(FinanceButton); AddPermittedIcon(GDP)");
    EXPECT_TRUE(GetScreenGuide().Flag(4));
    EXPECT_TRUE(GetScreenGuide().Flag(2));
    EXPECT_EQ(shared.AllowedButton(), "FinanceButton");
    EXPECT_EQ(GetScreenGuide().permittedIcons, std::vector<std::string>{"GDP"});

    // A state word other than TRUE or FALSE leaves the flag as it was; an unknown name changes
    // nothing; both are reported.
    runner.RunScript("SetPlayGuideFlag(HIDEPOPBAR, true); SetPlayGuideFlag(HIDEEVERYTHING, FALSE)");
    EXPECT_TRUE(GetScreenGuide().Flag(4));
    const std::string log = logged.LogText();
    EXPECT_NE(log.find("Unknown flag state"), std::string::npos);
    EXPECT_NE(log.find("unknown flag:"), std::string::npos);

    runner.RunScript("SetPlayGuideFlag(HIDEPOPBAR,FALSE);ClearAllowedButtons();"
                     "ClearPermittedIcons()");
    EXPECT_FALSE(GetScreenGuide().Flag(4));
    EXPECT_TRUE(shared.AllowedButton().empty());
    EXPECT_TRUE(GetScreenGuide().permittedIcons.empty());
    // No game: nothing of that name to show.
    runner.RunScript("ShowDetails(NoSuchNode)");
    EXPECT_NE(logged.LogText().find("Failed to ShowDetails"), std::string::npos);
    SetFrontEnd(&logged.frontEnd);
}

} // namespace
