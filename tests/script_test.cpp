#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/turn.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/script_runner.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/grudge.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Writes every interface request as one line, so order and arguments can be checked together.
class ScriptFrontEnd : public RecordingFrontEnd {
public:
    void CloseGameWindow(GameWindow window) override {
        calls.push_back("close " + std::to_string(static_cast<int>(window)));
    }
    void PlaySound(const std::string& file) override { calls.push_back("sound " + file); }
    void ShowGameOver(const std::string& a, const std::string& b) override {
        calls.push_back("over " + a + "|" + b);
    }
    void ShowTutorialWindow(const std::string& text, float x, float y) override {
        calls.push_back("tutorial " + text + "|" + std::to_string(x) + "|" + std::to_string(y));
    }
    void ShowPlayGuideWindow(const std::string& text, float x, float y) override {
        calls.push_back("guide " + text + "|" + std::to_string(x) + "|" + std::to_string(y));
    }
    void SetAllowedButton(const std::string& id) override { calls.push_back("button " + id); }
    std::vector<std::string> calls;
};

class ScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetFrontEnd(&ui);
        GetFinances() = Finances();
        host = new Neuron();
        host->SetName("HostNode");
        target = new Neuron();
        target->SetName("TargetNode");
    }
    void TearDown() override { TearDownGame(); }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui.boxes)
            texts.push_back(box.text.substr(0, box.text.find(':')));
        return texts;
    }

    // Declared first so it outlives the log, which writes through it while closing.
    ScriptFrontEnd ui;
    LoggedTest t;
    Neuron* host = nullptr;
    Neuron* target = nullptr;
};

const std::string kReports = "close " + std::to_string(static_cast<int>(GameWindow::Reports));
const std::string kPolls = "close " + std::to_string(static_cast<int>(GameWindow::Polls));

TEST_F(ScriptTest, GrammarSpacingQuotesAndCarriedArguments) {
    RunScript("  CloseReports() ;ClosePolls ( )  ; ");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{kReports, kPolls}));

    ui.calls.clear();
    // A quoted argument may hold the command and argument separators.
    RunScript("SetAllowedButton(\"a;b,c\");PlaySound( bang.wav )");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"button a;b,c", "sound data/sounds/bang.wav"}));

    // Slots a command leaves out keep the previous command's texts.
    ui.calls.clear();
    RunScript("TutorialWindow(hello, 0.25, 0.5); PlayGuideWindow(bye)");
    ASSERT_EQ(ui.calls.size(), 2u);
    EXPECT_EQ(ui.calls[1], "guide bye|0.250000|0.500000");
}

TEST_F(ScriptTest, MalformedCommandsAreReportedAndTheRestRuns) {
    RunScript("CloseReports();Bogus(1);closepolls();ClosePolls()");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{kReports, kPolls}));
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Unknown scripted function", "Unknown scripted function"}));

    ui.calls.clear();
    ui.boxes.clear();
    RunScript("CloseReports;ClosePolls);CloseReports(1,2,3,4,5,6,7);ClosePolls()");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{kPolls}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Unbalanced brackets in scripted function",
                                                    "Unbalanced brackets in scripted function",
                                                    "Too many arguments in scripted function"}));

    // An open quote swallows the rest of the script, which is then refused as a whole.
    ui.calls.clear();
    ui.boxes.clear();
    RunScript("ClosePolls();SetAllowedButton(\"x);CloseReports()");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{kPolls}));
    EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Unbalanced quotes in scripted function"}));
}

TEST_F(ScriptTest, ScriptFilesAndAutorunFolder) {
    t.dir.Write("data/simulation/scripts/two.txt", "CloseReports();   \r\n  ClosePolls()\n");
    RunScript("data/simulation/scripts/two.txt");
    EXPECT_EQ(ui.calls, (std::vector<std::string>{kReports, kPolls}));

    ui.calls.clear();
    RunScript("data/simulation/scripts/missing.txt");
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(BoxTexts(),
              (std::vector<std::string>{"Failed to find data/simulation/scripts/missing.txt"}));

    // Without a user folder there is nothing to run; with one, files run in name order.
    RunAutorunScripts();
    std::string user = t.dir.Path() + "/user";
    t.dir.Write("user/mods/data/autorun scripts/b.txt", "PlaySound(b)");
    t.dir.Write("user/mods/data/autorun scripts/a.txt", "PlaySound(a)");
    t.dir.Write("user/mods/data/autorun scripts/c.lst", "PlaySound(c)");
    SetUserDir(user);
    RunAutorunScripts();
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"sound data/sounds/a", "sound data/sounds/b"}));
}

TEST_F(ScriptTest, CreateEffectLinksOrReportsTheMissingEnd) {
    size_t before = AllEffects().size();
    RunScript("CreateEffect(HostNode, TargetNode, \"0+(0.5*x)\", 0);"
              "CreateEffect(NoSuchHost, TargetNode, 0+x, 0);"
              "CreateEffect(HostNode, NoSuchTarget, 0+x, 0);"
              "CreateEffect(TargetNode, HostNode, 0+(1*x), 4)");
    ASSERT_EQ(AllEffects().size(), before + 2);
    NeuralEffect* first = AllEffects()[before];
    EXPECT_EQ(first->source, host);
    EXPECT_EQ(first->target, target);
    EXPECT_STREQ(first->formula, "0+(0.5*x)");
    EXPECT_FLOAT_EQ(first->scale, 1.0f);
    EXPECT_FLOAT_EQ(first->input, 0.5f);
    EXPECT_EQ(first->inertialDrag, 0u);
    EXPECT_EQ(AllEffects()[before + 1]->inertialDrag, 4u);
    std::vector<std::string> boxes = BoxTexts();
    ASSERT_GE(boxes.size(), 2u);
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), "CreateEffect failed with missing host"),
              boxes.end());
    EXPECT_NE(std::find(boxes.begin(), boxes.end(), "CreateEffect failed with missing target"),
              boxes.end());
}

TEST_F(ScriptTest, MoneyIsScaledByWealthAndTruncated) {
    GetMission().wealth = 1.5f;
    RunScript("EarnAdjusted(100)");
    EXPECT_FLOAT_EQ(GetFinances().CurrentBalance, 150.0f);
    GetMission().wealth = 0.333f;
    RunScript("SpendAdjusted(100);SpendAdjusted(200)");
    EXPECT_FLOAT_EQ(GetFinances().CurrentBalance, 150.0f - 33.0f - 66.0f);
    RunScript("SpendAdjusted(lots)");
    EXPECT_FLOAT_EQ(GetFinances().CurrentBalance, 51.0f);
}

TEST_F(ScriptTest, GrudgesGameOverAndEvents) {
    RunScript("CreateGrudge(HostNode, TargetNode, 0.5, 0.9);"
              "CreateNamedGrudge(Shown text, TargetNode, -0.25, 0.8);"
              "CreateInertialGrudge(HostNode, TargetNode, 0.5, 3)");
    ASSERT_EQ(AllGrudges().size(), 3u);
    EXPECT_FLOAT_EQ(AllGrudges()[0]->value, 0.5f);
    EXPECT_FLOAT_EQ(AllGrudges()[0]->decay, 0.9f);
    EXPECT_EQ(AllGrudges()[2]->inertialDrag, 3);

    RunScript("GameOver(Lost, The end);GameOver(Again, No)");
    EXPECT_TRUE(IsGameOver());
    EXPECT_EQ(ui.calls, (std::vector<std::string>{"over Lost|The end"}));

    // An event whose script fires itself is stopped rather than recursing for ever.
    auto* loop = new SIM_Event();
    loop->SetName("Loop");
    loop->onImplement = "TriggerEvent(Loop)";
    GetEventManager().AddEvent(loop);
    RunScript("TriggerEvent(Loop)");
    EXPECT_TRUE(loop->triggered);
    EXPECT_EQ(BoxTexts().back(), "Scripts nested too deeply");
}

} // namespace
