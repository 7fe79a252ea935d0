#include "base/game_paths.h"
#include "base/mission.h"
#include "base/setup_table.h"
#include "government/cabinet.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class EventTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetFinances() = Finances();
        GetMission().wealth = 1.0f;
        driver = new Neuron();
        driver->SetName("Driver");
    }
    void TearDown() override { TearDownGame(); }

    void WriteEvent(const std::string& path, const std::string& name, const std::string& extra) {
        t.dir.Write(path, "[config]\nName=" + name + "\nGUIName=Shown " + name +
                              "\nDescription=Text of " + name + "\nTexture=" + name +
                              ".jpg\nOnImplement=EarnAdjusted(10)\nOnView=SpendAdjusted(1)\n" +
                              extra);
    }
    // Three content events without influences, whose ripeness the tests set by hand.
    std::vector<SIM_Event*> ThreeEvents() {
        for (const char* name : {"a", "b", "c"})
            WriteEvent(std::string("data/simulation/events/") + name + ".txt", name, "");
        LoadEvents();
        return GetEventManager().Events();
    }
    // Which events fire on each of `turns` turn steps ("-" for none).
    std::string FiringsOver(int turns) {
        std::string fired;
        for (int i = 0; i < turns; ++i) {
            size_t before = GetIssuesManager().Count();
            ProcessEvents();
            SIM_Issue* issue = GetIssuesManager().At(before);
            fired += issue ? issue->subject->name : std::string("-");
        }
        return fired;
    }

    LoggedTest t;
    Neuron* driver = nullptr;
};

TEST_F(EventTest, LoadsStandardThenModsAndFiresByName) {
    WriteEvent("data/simulation/events/strike.txt", "Strike",
               "[influences]\n0=Driver,0+(1.0*x)\n[prereqs]\nIsland\nCoast\n");
    t.dir.Write("data/simulation/events/readme.lst", "not an event");
    WriteEvent("user/mods/data/simulation/events/strike.txt", "Strike", "");
    SetUserDir(t.dir.Path() + "/user");
    LoadEvents();

    const std::vector<SIM_Event*>& events = GetEventManager().Events();
    ASSERT_EQ(events.size(), 2u);
    SIM_Event* strike = events[0];
    EXPECT_STREQ(strike->guiName, "Shown Strike");
    EXPECT_EQ(strike->prereqs, (std::vector<std::string>{"Island", "Coast"}));
    EXPECT_EQ(strike->inputs.size(), 1u);

    // The standard event wins a shared name; firing runs its script and raises its issue.
    TriggerEventByName("Strike");
    EXPECT_TRUE(strike->triggered);
    EXPECT_FALSE(events[1]->triggered);
    EXPECT_FLOAT_EQ(GetFinances().CurrentBalance, 10.0f);
    ASSERT_EQ(GetIssuesManager().Count(), 1u);
    SIM_Issue* issue = GetIssuesManager().At(0);
    EXPECT_EQ(issue->subject, strike);
    EXPECT_EQ(issue->kind, kIssueKindEvent);
    EXPECT_EQ(issue->icon, "gui_event_icon.dds");
    EXPECT_EQ(issue->title, "Shown Strike");
    strike->View();
    EXPECT_FLOAT_EQ(GetFinances().CurrentBalance, 9.0f);

    TriggerEventByName("Nothing");
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_EQ(t.frontEnd.boxes[0].text.rfind("Failed to trigger event: Nothing:", 0), 0u);
    EXPECT_EQ(GetIssuesManager().Count(), 1u);
}

TEST_F(EventTest, PrerequisitesHoldTheValueBack) {
    WriteEvent("data/simulation/events/flood.txt", "Flood",
               "[influences]\n0=_default_,0.6\n[prereqs]\nIsland\n");
    LoadEvents();
    SIM_Event* flood = GetEventManager().Events().at(0);
    flood->value = 0.2f;
    flood->Process();
    EXPECT_FLOAT_EQ(flood->value, 0.2f);
    GetMission().modules.push_back("Island");
    flood->Process();
    EXPECT_FLOAT_EQ(flood->value, 0.6f);
}

TEST_F(EventTest, RipestFiresFirstOfEqualsAndTurnsAreSpaced) {
    std::vector<SIM_Event*> ev = ThreeEvents();
    ev[0]->value = 0.5f;
    ev[1]->value = 0.8f;
    ev[2]->value = 0.8f;
    EXPECT_EQ(FiringsOver(7), "--b--b-");
    // Exactly the threshold never fires by itself.
    ev[1]->value = 0.7f;
    ev[2]->value = 0.7f;
    EXPECT_EQ(FiringsOver(4), "----");
}

TEST_F(EventTest, DisabledEventsStillFireByName) {
    std::vector<SIM_Event*> ev = ThreeEvents();
    ev[2]->value = 0.9f;
    t.dir.Write("data/data.ini", "[setup]\nEVENTS_DISABLE=1.0\n");
    LoadSetupTable();
    EXPECT_EQ(FiringsOver(5), "-----");
    EXPECT_EQ(GetEventManager().turnsSinceLastEvent, 0);
    TriggerEventByName("c");
    EXPECT_TRUE(ev[2]->triggered);
    EXPECT_EQ(GetEventManager().turnsSinceLastEvent, 0);
}

TEST_F(EventTest, ResignationEventAndIssuesList) {
    t.dir.Write("data/simulation/scripts/minister_resigns.txt", "EarnAdjusted(5)");
    MinisterResignation resignation;
    resignation.guiName = "Minister resigns";
    resignation.description = "Gone";
    resignation.onImplement = kMinisterResignsScript;
    resignation.onView = kMinisterResignsViewScript;
    resignation.picture = kMinisterResignsPicture;
    GetEventManager().AnnounceResignation(resignation);
    ASSERT_EQ(GetEventManager().Announcements().size(), 1u);
    SIM_Event* announced = GetEventManager().Announcements()[0];
    EXPECT_TRUE(announced->triggered);
    EXPECT_FLOAT_EQ(GetFinances().CurrentBalance, 5.0f);
    ASSERT_NE(GetIssuesManager().FindIssue(announced), nullptr);

    SIM_IssuesManager& issues = GetIssuesManager();
    SIM_Issue* begins = issues.AddIssue(driver, kIssueKindSituationBegins, "riot.dds");
    issues.AddIssue(driver, kIssueKindDilemma);
    SIM_Issue* odd = issues.AddIssue(driver, 9);
    EXPECT_EQ(begins->icon, "riot.dds");
    EXPECT_EQ(odd->icon, "gui_dilemma_icon.dds");
    EXPECT_EQ(issues.AddIssue(nullptr, 0), nullptr);
    EXPECT_EQ(issues.Count(), 4u);
    // Removal takes the first issue about the subject only.
    issues.RemoveIssue(driver);
    EXPECT_EQ(issues.At(1)->kind, kIssueKindDilemma);
    issues.RemoveIssue(driver);
    issues.RemoveIssue(driver);
    EXPECT_TRUE(t.frontEnd.boxes.empty());
    issues.RemoveIssue(driver);
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_EQ(t.frontEnd.boxes[0].text.rfind("Failed to remove issue", 0), 0u);
    issues.Release();
    EXPECT_EQ(issues.Count(), 0u);

    // Releasing the events takes the announcement too, and with it every pointer to it.
    GetEventManager().Release();
    EXPECT_TRUE(GetEventManager().Announcements().empty());
}

} // namespace
