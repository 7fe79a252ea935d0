// The game screen of linked icons: where icons go (the sectors, the crowded group, the voter
// block), which links draw a connector and in what colour, the order in which a click is offered
// (tutorial icons, windows, icons), hover and highlight, the keys, and icons following the game as
// policies come and go.

#include "test_helpers.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "base/turn.h"
#include "game/turn_pipeline.h"
#include "government/policy.h"
#include "government/policy_actions.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/situation.h"
#include "interface/screens/main_screen/icon_layout.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/screens/main_screen/people_strip.h"
#include "interface/screens/main_screen/policy_icon.h"
#include "interface/screens/main_screen/sim_val_icon.h"
#include "interface/widgets/gui_table.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "network/neural_effect.h"
#include "network/sim_value.h"
#include "network/simulation.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <set>

namespace {

// ---- Placing ----

TEST(IconLayout, ASectorAcrossTheTopWrapsThroughZero) {
    const GroupSector top = SectorAround(0.0f);
    EXPECT_FLOAT_EQ(top.start, 334.5f);
    EXPECT_FLOAT_EQ(top.end, 25.5f);
    const std::vector<float> expected = {340.5f, 346.5f, 352.5f, 358.5f, 4.5f, 10.5f, 16.5f};
    const std::vector<float> tried = SectorAngles(top);
    ASSERT_EQ(tried.size(), expected.size());
    for (size_t i = 0; i < tried.size(); ++i)
        EXPECT_NEAR(tried[i], expected[i], 1e-3) << i;

    // A sector clear of zero is tried straight through and never reduced.
    const std::vector<float> side = SectorAngles(SectorAround(PolicyGroupAngle(2)));
    ASSERT_FALSE(side.empty());
    EXPECT_NEAR(side.front(), PolicyGroupAngle(2) - 25.5f + 6, 1e-3);
    for (float a : side)
        EXPECT_TRUE(a > 0 && a < 360) << a;
}

TEST(IconLayout, GroupIconsSpreadOverAllowedPlacesFarFromEachOther) {
    const IconArea area{1024, 708, 1};
    const GroupSector sector = SectorAround(PolicyGroupAngle(4));
    // A neighbour of another group already sits on the screen.
    std::vector<IconSpot> spots(7);
    spots[0] = {{300, 600}, true};
    const std::vector<size_t> group = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(PlaceGroup(area, sector, spots, group), 6);

    std::set<std::pair<int, int>> places;
    for (size_t i : group) {
        const IconPoint p = spots[i].centre;
        EXPECT_TRUE(PlaceAllowed(area, p.x, p.y)) << p.x << "," << p.y;
        EXPECT_FALSE(CentralExclusion(area).Contains(p.x, p.y));
        places.insert({static_cast<int>(p.x), static_cast<int>(p.y)});
    }
    EXPECT_EQ(places.size(), group.size()) << "two icons of a group share a place";

    // The first icon is as far from the neighbour as any candidate of the sector allows.
    float furthest = 0;
    for (float angle : SectorAngles(sector)) {
        for (float r = 100; r < area.width / 2; r += 32) {
            const IconPoint p = PolarPoint(area, angle, r);
            if (PlaceAllowed(area, p.x, p.y))
                furthest = std::max(furthest, std::hypot(p.x - 300, p.y - 600));
        }
    }
    const IconPoint first = spots[1].centre;
    EXPECT_NEAR(std::hypot(first.x - 300, first.y - 600), furthest, 1e-3);
}

TEST(IconLayout, IconsKeepClearOfTheSidesOfAnyWidth) {
    for (const IconArea area :
         {IconArea{1024, 708, 1}, IconArea{1820, 708, 1}, IconArea{2048, 1062, 1.5f}}) {
        const float y = area.height / 2 - 200 * area.scale;
        // Half an icon from an edge would be half off the screen.
        EXPECT_FALSE(PlaceAllowed(area, 10 * area.scale, y)) << area.width;
        EXPECT_FALSE(PlaceAllowed(area, area.width - 10 * area.scale, y)) << area.width;
        EXPECT_TRUE(PlaceAllowed(area, 30 * area.scale, y)) << area.width;
        EXPECT_TRUE(PlaceAllowed(area, area.width - 30 * area.scale, y)) << area.width;
    }
}

TEST(GameWindowPlace, WindowsOpenInTheRoomAboveTheControlPanel) {
    // A 1365 x 768 screen: the room runs from the top strip (44) to the control panel (708); a
    // window that fits is left in the middle of the screen.
    const WindowPlace small = PlaceGameWindow(1365, 768, 600, 440, 0);
    EXPECT_FLOAT_EQ(small.left, 382.5f);
    EXPECT_FLOAT_EQ(small.top, (768 - 440) / 2.0f);
    // Stepped windows move on to the right but never down into the panel; a window of the
    // room's height sits in it whatever the step.
    for (float height : {440.0f, 660.0f}) {
        for (int n = 0; n < 6; ++n) {
            const float step = 24.0f * static_cast<float>(n);
            const WindowPlace stepped = PlaceGameWindow(1365, 768, 700, height, step);
            EXPECT_GE(stepped.top, 44) << height << " step " << step;
            EXPECT_LE(stepped.top + height, 708) << height << " step " << step;
            EXPECT_FLOAT_EQ(stepped.left, (1365 - 700) / 2.0f + step);
        }
    }
    // Taller than the room: clear of the panel, over the strip; taller than the screen: at the
    // top, its title in sight. Wider than the screen: its left edge in sight.
    EXPECT_FLOAT_EQ(PlaceGameWindow(1365, 768, 960, 700, 48).top, 8);
    EXPECT_FLOAT_EQ(PlaceGameWindow(1365, 768, 960, 900, 0).top, 0);
    EXPECT_FLOAT_EQ(PlaceGameWindow(1024, 768, 1200, 400, 24).left, 0);
    // At the right edge a stepped window stops rather than leave the screen.
    EXPECT_FLOAT_EQ(PlaceGameWindow(1024, 768, 1000, 400, 120).left, 24);
}

TEST(IconLayout, AGroupWithNowhereAllowedKeepsTheLastChosenPoint) {
    // The middle's exclusion covers the whole of so small an area: nothing is allowed.
    const IconArea tiny{300, 260, 1};
    std::vector<IconSpot> spots(3);
    spots[1] = {{150, 100}, true};
    EXPECT_EQ(PlaceGroup(tiny, SectorAround(0), spots, {0, 1, 2}), 0);
    for (const IconSpot& spot : spots) {
        EXPECT_EQ(spot.centre.x, 0.0f);
        EXPECT_EQ(spot.centre.y, 0.0f);
        EXPECT_TRUE(spot.placed);
    }
}

TEST(IconLayout, PeopleSlotsFillColumnsThenTheBottomRow) {
    const IconArea area{1024, 768, 1};
    const std::vector<IconPoint> slots = PeopleSlots(area);
    ASSERT_EQ(slots.size(), static_cast<size_t>(kPeopleSlotCount));
    EXPECT_EQ(slots[0].x, 362);
    EXPECT_EQ(slots[0].y, 274);
    EXPECT_EQ(slots[6].y, 274 + 6 * 32); // the first column goes down before the second starts
    EXPECT_EQ(slots[7].x, 462);
    EXPECT_EQ(slots[7].y, 274);
    EXPECT_EQ(slots[21].y, 274 + 224);
    EXPECT_EQ(slots[23].x, 562);
}

TEST(IconLayout, ConnectorsNeedAStrongEnoughLinkAndShowItsSignAndStrength) {
    EXPECT_FALSE(LinkDrawsConnector(0.0005f));
    EXPECT_FALSE(LinkDrawsConnector(-0.0009f));
    EXPECT_TRUE(LinkDrawsConnector(0.001f));
    EXPECT_TRUE(LinkDrawsConnector(-0.001f));
    EXPECT_EQ(ConnectorColour(-0.3f), 0xA6FF1010u);
    EXPECT_EQ(ConnectorColour(-0.25f), 0x80FF2020u);
    EXPECT_EQ(ConnectorColour(-0.01f), 0x80FF2020u);
    EXPECT_EQ(ConnectorColour(0.0f), 0x8022FF6Cu);
    EXPECT_EQ(ConnectorColour(0.2499f), 0x8022FF6Cu);
    EXPECT_EQ(ConnectorColour(0.25f), 0xA620FF20u);
}

TEST(IconLayout, ValueColoursRunFromBadToGoodAndInvertTurnsThem) {
    auto red = [](uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); };
    auto green = [](uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); };
    EXPECT_GT(green(ValueColour(0.9f, 0, 1, false)), red(ValueColour(0.9f, 0, 1, false)));
    EXPECT_GT(red(ValueColour(0.9f, 0, 1, true)), green(ValueColour(0.9f, 0, 1, true)));
    EXPECT_EQ(ValueColour(0.1f, 0, 1, false), ValueColour(0.9f, 0, 1, true));
    // Out of range and not a number stay on the scale.
    EXPECT_EQ(ValueColour(7.0f, 0, 1, false), ValueColour(1.0f, 0, 1, false));
    EXPECT_EQ(ValueColour(std::nanf(""), 0, 1, false), ValueColour(0.0f, 0, 1, false));
    // A value on a range of -1 … 1 at its middle is middling.
    EXPECT_EQ(ValueColour(0.0f, -1, 1, false), ValueColour(0.5f, 0, 1, false));
}

TEST(IconLayout, CaptionsNeverStandUpsideDown) {
    EXPECT_FLOAT_EQ(CaptionRotation(51.43f), 51.43f);
    EXPECT_FLOAT_EQ(CaptionRotation(102.86f), 282.86f);
    EXPECT_FLOAT_EQ(CaptionRotation(205.71f), 25.71f);
    EXPECT_FLOAT_EQ(CaptionRotation(308.57f), 308.57f);
}

// ---- Connectors of real links ----

class ConnectorTest : public ::testing::Test {
protected:
    ConnectorTest() { SetRenderDevice(&device); }
    ~ConnectorTest() override {
        SetRenderDevice(nullptr);
        TearDownGame();
    }
    LoggedTest logged;
    RecordingRenderDevice device;
};

TEST_F(ConnectorTest, OnlyStrongLinksBetweenIconsGetAConnectorInTheirColour) {
    auto* source = new SIM_SimVal();
    source->SetName("Source");
    auto* faint = new SIM_SimVal();
    faint->SetName("Faint");
    auto* strong = new SIM_SimVal();
    strong->SetName("Strong");
    auto* bare = new SIM_SimVal();
    bare->SetName("Bare");
    source->value = 1.0f;
    new NeuralEffect(source, faint, "0.0005+(0*x)", 1.0f, 1.0f);
    new NeuralEffect(source, strong, "-0.3+(0*x)", 1.0f, 1.0f);
    new NeuralEffect(source, bare, "0.5+(0*x)", 1.0f, 1.0f);
    GUI_SimValIcon from(source, 34), a(faint, 34), b(strong, 34);
    from.CentreOn(100, 100);
    b.CentreOn(200, 100);
    // "Bare" has no icon, so its link draws nothing however strong.
    from.BuildConnectors();
    ASSERT_EQ(from.connectors.size(), 1u);
    EXPECT_EQ(from.connectors[0].colour, 0xA6FF1010u);
    EXPECT_FLOAT_EQ(from.connectors[0].length, 100.0f);
    // The target's own set holds the same link, drawn from the source towards it.
    b.BuildConnectors();
    ASSERT_EQ(b.connectors.size(), 1u);
    EXPECT_FLOAT_EQ(b.connectors[0].x, 100.0f);

    // Streaks every twelve pixels from the offset up to the line's end, faster for strong links.
    std::vector<QuadVertex> quads;
    from.connectors[0].AppendQuads(quads, 20);
    EXPECT_EQ(quads.size(), 4u * 9); // 0, 12, …, 96
    GUI_NeuralEffect& running = from.connectors[0];
    running.Animate(1000);
    running.Animate(1030);
    EXPECT_NEAR(running.offset, 2 * 1.5f * 0.3f, 1e-4);
    running.Animate(5000); // a long pause moves it no more than four frames' worth
    EXPECT_NEAR(running.offset, (2 + 4) * 1.5f * 0.3f, 1e-4);
}

// ---- The screen over a new game of the default country ----

class MainScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory_symlink(std::string(MARROWGATE_SOURCE_DIR) + "/data",
                                                  logged.dir.Path() + "/data");
        CloseLog();
        OpenLog();
        SetUserDir(logged.dir.Path() + "/user");
        LoadSetupTable();
        LoadOptions();
        SetRenderDevice(&device);
        GetInput() = InputState();
        GetMission().SetMissionFile(MissionFile(kDefaultMission));
        GetMission().Load();
        NewGameSetup(kDefaultMission);
        GetScreenGuide().Reset();
        screen = std::make_unique<GUI_MainScreen>();
        screen->Activate();
        screen->Windows().CloseAll();
        RunDeferredCalls();
    }
    void TearDown() override {
        screen->Windows().CloseAll();
        RunDeferredCalls();
        screen.reset();
        GetScreenGuide().Reset();
        GUI_Tooltip::ClearMarked();
        SetRenderDevice(nullptr);
        TearDownGame();
    }

    // Rests the mouse on a point for enough updates to light up what lies beneath.
    void Rest(float x, float y, int updates = GUI_IconBase::kRestBeforeHighlight + 2) {
        GetInput().mouseX = x;
        GetInput().mouseY = y;
        for (int i = 0; i < updates; ++i)
            screen->Update();
    }
    size_t OpenCount() const {
        return screen->Windows().OpenWindows().size() + screen->Windows().ModalWindows().size();
    }
    GUI_IconBase* IconOfKind(const std::string& kind) const {
        for (const auto& icon : screen->Icons()) {
            if (icon->KindName() == kind)
                return icon.get();
        }
        return nullptr;
    }

    LoggedTest logged;
    RecordingRenderDevice device;
    std::unique_ptr<GUI_MainScreen> screen;
};

TEST_F(MainScreenTest, EveryNodeOnShowHasOneIconClearOfThePanelsAndTheMiddle) {
    std::set<std::string> kinds;
    const IconArea area = screen->Area();
    const AreaRect middle = CentralExclusion(area);
    for (const auto& icon : screen->Icons()) {
        kinds.insert(icon->KindName());
        EXPECT_EQ(icon->node->icon, icon.get()) << icon->nodeName;
        if (icon->group < 0)
            continue;
        EXPECT_TRUE(PlaceAllowed(area, icon->spotX, icon->spotY)) << icon->nodeName;
        EXPECT_FALSE(middle.Contains(icon->spotX, icon->spotY)) << icon->nodeName;
        EXPECT_LE(std::fabs(icon->CentreX() - icon->spotX), 1.0f) << icon->nodeName;
        EXPECT_LE(icon->bottom, static_cast<int>(area.height)) << "over the control panel";
    }
    EXPECT_TRUE(kinds.count("policy") && kinds.count("simvalue") && kinds.count("votergroup"));
    std::map<std::string, int> counts;
    for (const auto& icon : screen->Icons())
        ++counts[icon->KindName()];
    int policies = 0;
    for (int g = 0; g < kPolicyGroupCount; ++g)
        policies += static_cast<int>(GetPolicyManager().Group(g).policies.size());
    EXPECT_EQ(counts["policy"], policies);
    EXPECT_EQ(counts["votergroup"], GetVoterManager().VoterTypeCount());
    int shownValues = 0;
    for (SIM_SimVal* value : GetSimulation().Values())
        shownValues += value->group != nullptr;
    EXPECT_EQ(counts["simvalue"], shownValues) << "hidden values must have no icon";
}

TEST_F(MainScreenTest, IconsFollowPoliciesIntroducedAndCancelled) {
    GetPoliticalCapital().capital = 100;
    SIM_Policy* chosen = nullptr;
    for (SIM_Policy* policy : GetPolicyManager().AllPolicies()) {
        if (!policy->active && policy->cancellable && policy->group) {
            chosen = policy;
            break;
        }
    }
    ASSERT_NE(chosen, nullptr);
    const std::string name = chosen->name;
    ASSERT_TRUE(IntroducePolicyAction(name, 0.5f).ok);
    screen->Update();
    GUI_IconBase* icon = screen->FindIcon(name);
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(PlaceAllowed(screen->Area(), icon->spotX, icon->spotY));
    EXPECT_EQ(chosen->icon, icon);

    ASSERT_TRUE(CancelPolicyAction(name).ok);
    screen->Update();
    EXPECT_EQ(screen->FindIcon(name), nullptr);
    EXPECT_EQ(chosen->icon, nullptr) << "a cancelled policy still points at its old icon";
}

TEST_F(MainScreenTest, ANewGameReplacesEveryIconWithoutTouchingTheOldNodes) {
    NewGameSetup(kDefaultMission);
    screen->Activate();
    EXPECT_GT(screen->Icons().size(), 100u);
    for (const auto& icon : screen->Icons())
        EXPECT_EQ(FindNeuron(icon->nodeName), icon->node) << icon->nodeName;
}

TEST_F(MainScreenTest, TheTwentyFifthVoterGroupIsReportedOnceAndSitsInTheCorner) {
    std::vector<SIM_VoterType*> extra;
    while (GetVoterManager().VoterTypeCount() < kPeopleSlotCount + 1) {
        auto* group = new SIM_VoterType();
        group->SetName("Extra" + std::to_string(extra.size()));
        extra.push_back(group);
    }
    const size_t boxesBefore = logged.frontEnd.boxes.size();
    screen->Update();
    screen->Update();
    ASSERT_EQ(logged.frontEnd.boxes.size(), boxesBefore + 1);
    EXPECT_NE(logged.frontEnd.boxes.back().text.find("Failed to find a position for icon"),
              std::string::npos);
    GUI_IconBase* last = screen->FindIcon(extra.back()->name);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->left, 32);
    EXPECT_EQ(last->top, 32);
    std::set<std::pair<int, int>> used;
    for (const auto& icon : screen->Icons()) {
        if (std::string(icon->KindName()) == "votergroup" && icon.get() != last)
            used.insert({icon->left, icon->top});
    }
    EXPECT_EQ(used.size(), static_cast<size_t>(kPeopleSlotCount)) << "two groups share a slot";
}

TEST_F(MainScreenTest, HoverLightsUpAfterTheMouseRestsAndNotUnderAModalWindow) {
    GUI_IconBase* icon = IconOfKind("simvalue");
    ASSERT_NE(icon, nullptr);
    Rest(icon->CentreX(), icon->CentreY(), GUI_IconBase::kRestBeforeHighlight);
    EXPECT_FALSE(icon->highlighted) << "lit before the mouse rested long enough";
    EXPECT_GT(icon->hoverCounter, 0);
    Rest(icon->CentreX(), icon->CentreY(), 3);
    EXPECT_TRUE(icon->highlighted);
    EXPECT_TRUE(icon->connectorsShown);
    ASSERT_NE(icon->tooltip, nullptr);
    EXPECT_EQ(GUI_Tooltip::Marked().back(), icon->tooltip.get());
    // Hover rises to fifty at most and falls away once the mouse has gone.
    Rest(icon->CentreX(), icon->CentreY(), 60);
    EXPECT_EQ(icon->hoverCounter, GUI_IconBase::kHoverMax);
    Rest(1, 1, 5);
    EXPECT_FALSE(icon->highlighted);
    EXPECT_EQ(icon->hoverCounter, GUI_IconBase::kHoverMax - 5);

    // Connectors are drawn only for the lit icon, and none with the option off.
    Rest(icon->CentreX(), icon->CentreY());
    screen->Draw();
    EXPECT_EQ(screen->ConnectorsDrawn(), static_cast<int>(icon->connectors.size()));
    SetOption(kOptionShowConnectors, 0);
    screen->Update();
    screen->Draw();
    EXPECT_EQ(screen->ConnectorsDrawn(), 0);
    SetOption(kOptionShowConnectors, 1);

    OpenGameOver("Modal", "A modal note over the screen.");
    ASSERT_EQ(screen->Windows().ModalCount(), 1);
    Rest(icon->CentreX(), icon->CentreY());
    EXPECT_FALSE(icon->highlighted);
}

TEST_F(MainScreenTest, ClicksGoToWindowsBeforeIconsAndToPermittedIconsFirst) {
    GUI_IconBase* policy = IconOfKind("policy");
    GUI_IconBase* value = IconOfKind("simvalue");
    ASSERT_TRUE(policy && value);

    // A window over the icon takes the click, even on its empty part.
    GUI_WindowBase cover;
    cover.SetRect(policy->CentreX() - 50, policy->CentreY() - 50, policy->CentreX() + 50,
                  policy->CentreY() + 50);
    screen->Windows().Open(&cover);
    EXPECT_TRUE(screen->OnLeftClick(policy->CentreX(), policy->CentreY()));
    EXPECT_EQ(RunDeferredCalls(), 0);
    EXPECT_EQ(logged.LogText().find("icon clicked: " + policy->nodeName), std::string::npos);
    screen->Windows().Close(&cover);

    // Within the hit radius of a round icon but outside its square: still the icon.
    const size_t open = OpenCount();
    EXPECT_TRUE(screen->OnLeftClick(policy->CentreX() + 19, policy->CentreY() + 10));
    EXPECT_NE(logged.LogText().find("icon clicked: " + policy->nodeName + " (policy)"),
              std::string::npos);
    EXPECT_EQ(OpenCount(), open) << "the window opens after the frame, not inside the click";
    EXPECT_GE(RunDeferredCalls(), 1);
    EXPECT_GT(OpenCount(), open);
    screen->Windows().CloseAll();
    RunDeferredCalls();

    // With a permitted list, other icons are dead and the permitted one moves the guide on.
    std::vector<std::string> advanced;
    GetScreenGuide().permittedIcons = {value->nodeName};
    GetScreenGuide().onPermittedClick = [&](const std::string& name) { advanced.push_back(name); };
    EXPECT_FALSE(screen->OnLeftClick(policy->CentreX(), policy->CentreY()));
    EXPECT_EQ(RunDeferredCalls(), 0);
    screen->OnLeftClick(value->CentreX(), value->CentreY());
    EXPECT_EQ(advanced, std::vector<std::string>{value->nodeName});
    EXPECT_GE(RunDeferredCalls(), 1);
    GetScreenGuide().onPermittedClick = nullptr;

    // Hidden by the guide's flag: neither described nor clicked.
    GetScreenGuide().Reset();
    GetScreenGuide().SetFlag("HIDEPOLICYICONS", true);
    screen->Update();
    EXPECT_TRUE(policy->hidden);
    auto clicks = [&] {
        const std::string log = logged.LogText(), line = "icon clicked: " + policy->nodeName + " (";
        int count = 0;
        for (size_t at = log.find(line); at != std::string::npos; at = log.find(line, at + 1))
            ++count;
        return count;
    };
    const int before = clicks();
    screen->OnLeftClick(policy->CentreX(), policy->CentreY());
    EXPECT_EQ(clicks(), before) << "a hidden icon took a click";
    RunDeferredCalls();
    EXPECT_FALSE(GetScreenGuide().SetFlag("HIDEEVERYTHING", true));
}

TEST_F(MainScreenTest, KeysOpenTheDebugViewerAndCloseTheStartDialog) {
    screen->OnKey(0x1F); // S alone does nothing
    EXPECT_EQ(FindGameWindow("DebugObjectViewer:2"), nullptr);
    GetInput().keysDown[KeyCode::LeftControl] = true;
    GetInput().keysDown[KeyCode::RightShift] = true;
    screen->OnKey(0x1F);
    GetInput() = InputState();
    GUI_GameWindow* viewer = FindGameWindow("DebugObjectViewer:2");
    ASSERT_NE(viewer, nullptr);
    const GUI_Table* table = nullptr;
    for (const auto& button : viewer->buttons) {
        if ((table = dynamic_cast<const GUI_Table*>(button.get())))
            break;
    }
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->Rows().size(), SIM_Situation::All().size());

    OpenStartDialog();
    ASSERT_NE(FindGameWindow(WindowKind::StartDialog), nullptr);
    screen->OnKey(KeyCode::Enter);
    RunDeferredCalls();
    EXPECT_EQ(FindGameWindow(WindowKind::StartDialog), nullptr);
    EXPECT_NE(FindGameWindow("DebugObjectViewer:2"), nullptr) << "Enter closed the wrong window";
}

TEST_F(MainScreenTest, TheEndOfTheGameIsToldOnceThroughTheGameOverWindow) {
    SetGameOver(true);
    SetScriptedGameOver("Coup", "The generals send their regards.");
    screen->Activate();
    screen->Activate();
    EXPECT_EQ(screen->Windows().ModalCount(), 1);
    EXPECT_EQ(screen->GameOverText(), "The generals send their regards.");
    const int turn = GetTurnNumber();
    screen->NextTurn();
    EXPECT_EQ(GetTurnNumber(), turn) << "a turn was played after the end";
    SetGameOver(false);
    screen->Activate();
    EXPECT_EQ(screen->GameOverText().find("generals"), std::string::npos);
}

} // namespace
