// The windows that explain a node and act on policies, over a new game of the shipped country:
// a policy the capital cannot pay for is refused by every way of asking, changes and
// cancellations cost what the restricted-powers rule says, the picker offers only what can be
// introduced, the value windows explain exactly what the core computes, and the encyclopedia
// falls back from the game's pages to the mods folder's.

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/json_writer.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/translation.h"
#include "game/turn_pipeline.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/situation.h"
#include "interface/ui_dump.h"
#include "interface/widgets/gui_base_element.h"
#include "interface/widgets/gui_table.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_screen.h"
#include "interface/windows/encyclopedia_window.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/policy_picker.h"
#include "interface/windows/policy_window.h"
#include "interface/windows/value_windows.h"
#include "network/cause_breakdown.h"
#include "network/neuron.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"
#include "population/voter_type.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

class NodeWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseShippedContent(t);
        // The texts of the shipped strings, whatever an earlier test read.
        ResetTranslations();
        SetOption(kOptionEnableRestrictPower, 0.0f);
        SeedRandom(5);
        NewGameSetup(kDefaultMission);
        SetRenderDevice(&device);
        GetInput() = InputState();
        screen = std::make_unique<GUI_WindowScreen>();
        SetGameWindowManager(&screen->Windows());
    }
    void TearDown() override {
        screen->Windows().CloseAll();
        RunDeferredCalls();
        SetGameWindowManager(nullptr);
        screen.reset();
        GUI_Tooltip::ClearMarked();
        GetInput() = InputState();
        SetRenderDevice(nullptr);
        TearDownGame();
        ResetTranslations();
    }

    template <typename W> static W* Window(const std::string& name) {
        return dynamic_cast<W*>(FindGameWindow(name));
    }
    // Presses a button as the mouse would, then lets the frame end.
    static bool Press(GUI_WindowBase& window, const std::string& id) {
        const GUI_ButtonBase* button = window.FindButton(id);
        if (!button)
            return false;
        auto* target = const_cast<GUI_ButtonBase*>(button);
        const bool taken = target->OnClick(target->left + 2.0f, target->top + 2.0f);
        RunDeferredCalls();
        return taken;
    }
    // Clicks the row with the tag, then lets the frame end.
    static bool ClickRow(GUI_Table& table, const std::string& tag) {
        const auto& rows = table.Rows();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].tag != tag)
                continue;
            int scrolled = static_cast<int>(i) - table.VisibleRows() / 2;
            table.ScrollBy(scrolled - table.ScrollOffset());
            const int shown = static_cast<int>(i) - table.ScrollOffset();
            const float y = table.top + table.headingHeight + table.rowHeight * (shown + 0.5f);
            table.OnClick(table.left + 4.0f, y);
            RunDeferredCalls();
            return true;
        }
        return false;
    }
    static GUI_Table* TableIn(GUI_WindowBase& window, const std::string& id) {
        return dynamic_cast<GUI_Table*>(const_cast<GUI_ButtonBase*>(window.FindButton(id)));
    }
    static SIM_Policy* FirstPolicy(bool introduced, int minCost) {
        for (SIM_Policy* p : GetPolicyManager().AllPolicies()) {
            if (p->active == introduced && p->introduceCost >= minCost && p->cancellable &&
                p->raiseCost > 0 && p->cancelCost > 0 && p->GetTarget() < 0.75f &&
                p->sliderConfig && p->sliderConfig->steps > 2)
                return p;
        }
        return nullptr;
    }
    static int32_t& Capital() { return GetPoliticalCapital().capital; }
    std::string Dump() const { return DescribeScreenJson(1, 1, "Game", screen.get()); }

    LoggedTest t;
    RecordingRenderDevice device;
    std::unique_ptr<GUI_WindowScreen> screen;
};

TEST_F(NodeWindowsTest, AnUnaffordablePolicyIsRefusedByButtonKeyAndDoubleClick) {
    SIM_Policy* policy = FirstPolicy(false, 2);
    ASSERT_NE(policy, nullptr);
    const std::string name = policy->name;
    Capital() = policy->introduceCost - 1;

    OpenPolicyPicker();
    auto* picker = Window<GUI_PolicyPickerWindow>(WindowKind::PolicyPicker);
    ASSERT_NE(picker, nullptr);
    GUI_Table* offered = TableIn(*picker, "PolicyPickerTable");
    ASSERT_NE(offered, nullptr);
    // A double click on the row only opens the policy, once.
    ASSERT_TRUE(ClickRow(*offered, name));
    ASSERT_TRUE(ClickRow(*offered, name));
    const std::string windowName = std::string(WindowKind::PolicyDetails) + ":" + name;
    auto* details = Window<GUI_PolicyDetailsWindow>(windowName);
    ASSERT_NE(details, nullptr);
    EXPECT_FALSE(policy->active);
    EXPECT_FALSE(details->Affordable());
    EXPECT_EQ(details->PendingCost(), policy->introduceCost);
    EXPECT_NE(Dump().find("\"mode\": \"introduce\""), std::string::npos);

    // The button: refused, the shortfall explained, nothing spent.
    ASSERT_TRUE(Press(*details, "IntroducePolicyButton"));
    EXPECT_FALSE(policy->active);
    EXPECT_EQ(Capital(), policy->introduceCost - 1);
    EXPECT_EQ(CloseGameWindowsOfKind(WindowKind::CapitalShortfall), 1);
    RunDeferredCalls();

    // Twice in quick succession: the same.
    details = Window<GUI_PolicyDetailsWindow>(windowName);
    ASSERT_NE(details, nullptr);
    Press(*details, "IntroducePolicyButton");
    CloseGameWindowsOfKind(WindowKind::CapitalShortfall);
    RunDeferredCalls();
    Press(*details, "IntroducePolicyButton");
    EXPECT_FALSE(policy->active);

    // Enter, with the window on top.
    CloseGameWindowsOfKind(WindowKind::CapitalShortfall);
    CloseGameWindowsOfKind(WindowKind::PolicyPicker);
    RunDeferredCalls();
    InputState& input = GetInput();
    input.BeginPoll();
    input.keysPressed.push_back(KeyCode::Enter);
    screen->Update();
    RunDeferredCalls();
    input.BeginPoll();
    EXPECT_FALSE(policy->active);
    EXPECT_EQ(Capital(), policy->introduceCost - 1);
    auto* shortfall = FindGameWindow(std::string(WindowKind::CapitalShortfall) + ":" +
                                     NodeText::DisplayName(*policy));
    ASSERT_NE(shortfall, nullptr) << Dump();
    EXPECT_TRUE(shortfall->modal);

    // With the capital it needs, the same button introduces it at the chosen step and spends
    // the cost; the window stays to show the policy in force.
    const std::string shortfallName = shortfall->name;
    Press(*shortfall, "ShortfallOkButton");
    EXPECT_EQ(FindGameWindow(shortfallName), nullptr);
    Capital() = policy->introduceCost;
    details = Window<GUI_PolicyDetailsWindow>(windowName);
    ASSERT_NE(details, nullptr);
    details->StepSlider(1);
    const float chosen = details->ChosenLevel();
    ASSERT_TRUE(Press(*details, "IntroducePolicyButton"));
    EXPECT_TRUE(policy->active);
    EXPECT_EQ(Capital(), 0);
    EXPECT_FLOAT_EQ(policy->GetTarget(), chosen);
    EXPECT_FLOAT_EQ(policy->value, chosen)
        << "a policy picked from the list takes its level at once";
    EXPECT_NE(Dump().find("\"mode\": \"change\""), std::string::npos);
}

TEST_F(NodeWindowsTest, ChangesAndCancellingCostWhatRestrictedPowersSay) {
    SetOption(kOptionEnableRestrictPower, 1.0f);
    SIM_Policy* policy = FirstPolicy(true, 0);
    ASSERT_NE(policy, nullptr);
    const float before = policy->GetTarget();
    OpenPolicyDetails(policy->name);
    auto* details = Window<GUI_PolicyDetailsWindow>(std::string(WindowKind::PolicyDetails) + ":" +
                                                    policy->name);
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(details->PendingCost(), 0);
    EXPECT_FALSE(details->FindButton("ApplyPolicyButton")->enabled) << "nothing chosen yet";

    // A raise the capital cannot cover: refused, the slider back where the policy stands.
    Capital() = policy->raiseCost - 1;
    details->StepSlider(1);
    EXPECT_EQ(details->PendingCost(), policy->raiseCost);
    EXPECT_FALSE(details->Affordable());
    ASSERT_TRUE(Press(*details, "ApplyPolicyButton"));
    EXPECT_FLOAT_EQ(policy->GetTarget(), before);
    EXPECT_FLOAT_EQ(details->ChosenLevel(), before);
    EXPECT_EQ(CloseGameWindowsOfKind(WindowKind::CapitalShortfall), 1);
    RunDeferredCalls();

    // Enough: the raise is charged its own cost.
    Capital() = policy->raiseCost + policy->cancelCost;
    details->StepSlider(1);
    const float raised = details->ChosenLevel();
    ASSERT_GT(raised, before);
    ASSERT_TRUE(Press(*details, "ApplyPolicyButton"));
    EXPECT_FLOAT_EQ(policy->GetTarget(), raised);
    EXPECT_EQ(Capital(), policy->cancelCost);

    // Cancelling with the slider moved as well charges the cancel cost alone.
    details->StepSlider(-1);
    ASSERT_TRUE(Press(*details, "CancelPolicyButton"));
    EXPECT_EQ(details->PendingCost(), policy->cancelCost);
    ASSERT_TRUE(Press(*details, "ApplyPolicyButton"));
    EXPECT_FALSE(policy->active);
    EXPECT_EQ(Capital(), 0);
}

TEST_F(NodeWindowsTest, ThePickerOffersWhatIsNotInForceAndAnEmptyStockExplainsItself) {
    Capital() = 6;
    OpenPolicyPicker();
    auto* picker = Window<GUI_PolicyPickerWindow>(WindowKind::PolicyPicker);
    ASSERT_NE(picker, nullptr);
    const GUI_Table* table = picker->Table();
    int lastArea = -1, offered = 0;
    for (const TableRow& row : table->Rows()) {
        const SIM_Policy* policy = GetPolicyManager().FindPolicy(row.tag);
        ASSERT_NE(policy, nullptr) << row.tag;
        EXPECT_FALSE(policy->active) << row.tag;
        const int area = policy->group ? policy->group->index : 99;
        EXPECT_GE(area, lastArea) << "grouped area by area";
        lastArea = area;
        const bool red = row.cells[0].colour == NodeColours::kBad;
        EXPECT_EQ(red, policy->introduceCost > 6) << row.tag;
        ++offered;
    }
    int notInForce = 0;
    for (const SIM_Policy* policy : GetPolicyManager().AllPolicies())
        notInForce += policy->active ? 0 : 1;
    EXPECT_EQ(offered, notInForce);

    // Restricted powers and nothing in the bank: the shortfall window, not the list.
    CloseGameWindowsOfKind(WindowKind::PolicyPicker);
    RunDeferredCalls();
    SetOption(kOptionEnableRestrictPower, 1.0f);
    Capital() = 0;
    OpenPolicyPicker();
    EXPECT_EQ(FindGameWindow(WindowKind::PolicyPicker), nullptr);
    EXPECT_NE(Dump().find("\"kind\": \"CapitalShortfall\""), std::string::npos);
}

TEST_F(NodeWindowsTest, AValueWindowExplainsWhatTheCoreComputesAndItsRowsOpenTheirCauses) {
    ProcessNewTurn();
    OpenNodeDetails("GDP");
    auto* gdp = Window<GUI_SimValueWindow>(std::string(WindowKind::SimValueDetails) + ":GDP");
    ASSERT_NE(gdp, nullptr);
    Neuron* node = LookUpNeuron("GDP");
    const CauseBreakdown expected = ExplainValue(*node);
    GUI_Table* causes = TableIn(*gdp, "CausesTable");
    ASSERT_NE(causes, nullptr);
    int visible = 0;
    bool anyHidden = false;
    for (const CauseContribution& c : expected.causes) {
        visible += c.hidden ? 0 : 1;
        anyHidden = anyHidden || c.hidden;
    }
    EXPECT_EQ(causes->Rows().size(), static_cast<size_t>(visible + (anyHidden ? 1 : 0)));
    EXPECT_EQ(causes->Rows().front().tag, std::string(expected.causes.front().source->name))
        << "strongest first";
    const std::string dump = Dump();
    EXPECT_NE(dump.find("\"historyPoints\": 33"), std::string::npos);
    EXPECT_NE(dump.find("The causes add up to"), std::string::npos);

    // Every row that names a policy, value, situation or group opens that window.
    for (const TableRow& row : causes->Rows()) {
        if (!row.onClick)
            continue;
        const Neuron* source = LookUpNeuron(row.tag);
        ASSERT_NE(source, nullptr);
        ASSERT_TRUE(ClickRow(*causes, row.tag));
        const DetailsTarget target = FindDetailsTarget(*source);
        EXPECT_NE(FindGameWindow(target.kind + ":" + target.name), nullptr) << row.tag;
        break;
    }

    // A situation says what starts or stops it, against where it stands.
    SIM_Situation* off = nullptr;
    SIM_Situation* on = nullptr;
    for (SIM_Situation* situation : SIM_Situation::All())
        (situation->active ? on : off) = situation;
    ASSERT_NE(off, nullptr);
    OpenNodeDetails(off->name);
    EXPECT_NE(Dump().find("Starts at 60: " + NodeText::Points(0.6f - off->value) + " points to go"),
              std::string::npos);
    if (on) {
        OpenNodeDetails(on->name);
        EXPECT_NE(Dump().find("Stops below 40"), std::string::npos);
    }

    // Unknown names and nodes without a window are logged, not shown.
    EXPECT_FALSE(OpenNodeDetails("NoSuchThing"));
    EXPECT_FALSE(OpenNodeDetails("_winning_"));
    EXPECT_NE(t.LogText().find("No details window for NoSuchThing"), std::string::npos);
}

TEST_F(NodeWindowsTest, AVoterGroupShowsItsShareApprovalAndAStandInForItsMissingPicture) {
    OpenVoterGroupDetails("Poor");
    auto* poor = Window<GUI_VoterGroupWindow>(std::string(WindowKind::VoterGroupDetails) + ":Poor");
    ASSERT_NE(poor, nullptr);
    auto* group = static_cast<SIM_VoterType*>(LookUpNeuron("Poor"));
    poor->Draw();
    poor->Draw();
    const std::string dump = Dump();
    JsonWriter json;
    json.BeginObject();
    poor->DescribeMore(json);
    json.EndObject();
    EXPECT_NE(json.Text().find("\"approvalTrend\""), std::string::npos);
    EXPECT_NE(dump.find("\"kind\": \"picture\""), std::string::npos);
    EXPECT_NE(dump.find("\"found\": false"), std::string::npos);
    EXPECT_NE(dump.find(NodeText::Percent(group->GetMemberShare()) + " of voters belong"),
              std::string::npos);
    const std::string log = t.LogText();
    const size_t first = log.find("No picture (none given) for P");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("No picture (none given) for P", first + 1), std::string::npos)
        << "logged once, drawn twice";
}

TEST_F(NodeWindowsTest, EncyclopediaTakesTheGamesPageThenTheModsAndOtherwiseSaysSo) {
    // Pages of our own beside the shipped ones: one only in the mods folder, one nowhere.
    Neuron* zeppelins = new Neuron;
    zeppelins->SetName("Zeppelins");
    Neuron* ferries = new Neuron;
    ferries->SetName("Ferries");
    std::string body = "<FONTNAME=arialbold20.dds><SIZE=20>Ferries<HR>";
    for (int i = 0; i < 60; ++i)
        body += "<FONTNAME=arial16.dds><SIZE=16>They sail at dawn, mostly on time.<BR>";
    t.dir.Write("user/mods/data/simulation/encyclopedia/Ferries.txt", body);
    t.dir.Write("user/mods/data/simulation/encyclopedia/GDP.txt", "A page the game's own hides.");

    OpenEncyclopedia("GDP");
    auto* shipped = Window<GUI_EncyclopediaWindow>(std::string(WindowKind::Encyclopedia) + ":GDP");
    ASSERT_NE(shipped, nullptr);
    EXPECT_EQ(shipped->Source(), PageSource::Game) << "the game's page comes first";

    OpenEncyclopedia("Ferries");
    auto* modded =
        Window<GUI_EncyclopediaWindow>(std::string(WindowKind::Encyclopedia) + ":Ferries");
    ASSERT_NE(modded, nullptr);
    EXPECT_EQ(modded->Source(), PageSource::Mods);
    GUI_PageView* view = modded->View();
    ASSERT_GT(view->MaxScroll(), 0) << "sixty lines do not fit";
    Press(*modded, "EncyclopediaDownButton");
    EXPECT_GT(view->Scroll(), 0);
    view->ScrollBy(100000);
    EXPECT_EQ(view->Scroll(), view->MaxScroll());
    Press(*modded, "EncyclopediaUpButton");
    EXPECT_LT(view->Scroll(), view->MaxScroll());

    OpenEncyclopedia("Zeppelins");
    auto* missing =
        Window<GUI_EncyclopediaWindow>(std::string(WindowKind::Encyclopedia) + ":Zeppelins");
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->Source(), PageSource::Missing);
    EXPECT_NE(Dump().find("has no page on Zeppelins yet"), std::string::npos);
    (void)zeppelins;
    (void)ferries;
}

TEST_F(NodeWindowsTest, EncyclopediaPagesNameTheCountryBeingPlayed) {
    // Another country in play than the one the game was built for: a page reads the mission as
    // it is when the page opens.
    GetMission().name = "Fenmoor";
    GetMission().people = "fen folk";
    Neuron* ferries = new Neuron;
    ferries->SetName("Ferries");
    t.dir.Write("user/mods/data/simulation/encyclopedia/Ferries.txt",
                "<FONTNAME=arial16.dds><SIZE=16>{PEOPLE} ride {COUNTRY}'s ferries, {COUNTY} none.");

    OpenEncyclopedia("Homelessness");
    EXPECT_NE(Dump().find("counts the fen folk sleeping rough"), std::string::npos) << Dump();
    OpenEncyclopedia("Ferries");
    EXPECT_NE(Dump().find("Fen folk ride Fenmoor's ferries, {COUNTY} none."), std::string::npos);
    (void)ferries;
}

} // namespace
