// The desk in the window: the strip that follows the issues list, the dilemma and event windows
// and the scripts they run, the script commands that open and close windows, the manifesto, and
// the election counted on its window's clock.

#include "test_helpers.h"

#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/election_manager.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/issues_manager.h"
#include "government/manifesto.h"
#include "government/script_runner.h"
#include "interface/effects/fireworks.h"
#include "interface/effects/particle_system.h"
#include "interface/game_frame.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_sounds.h"
#include "interface/widgets/gui_table.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_screen.h"
#include "interface/window_front_end.h"
#include "interface/windows/desk_parts.h"
#include "interface/windows/desk_windows.h"
#include "interface/windows/game_windows.h"
#include "network/neuron.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"
#include "population/voter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

// The window's own answers to the core, with the boxes and sounds kept for the test to read.
class DeskFrontEnd : public WindowFrontEnd {
public:
    void ShowMessageBox(const std::string& title, const std::string& text,
                        MessageBoxIcon) override {
        boxes.push_back(title + ": " + text);
    }
    void PlaySound(const std::string& file) override { sounds.push_back(file); }
    std::vector<std::string> boxes, sounds;
};

class DeskWindowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetRenderDevice(&device);
        GetInput() = InputState();
        SetFrontEnd(&frontEnd);
        SetGameWindowManager(&screen.Windows());
        ResetTranslations();
    }
    void TearDown() override {
        screen.Windows().CloseAll();
        RunDeferredCalls();
        SetGameWindowManager(nullptr);
        TearDownGame();
        SetRenderDevice(nullptr);
        ResetTranslations();
        // The log closes after this fixture's front end is gone.
        SetFrontEnd(&logged.frontEnd);
    }

    GUI_GameWindow* Find(const std::string& name) { return FindGameWindow(name); }
    // Clicks a button of a window by its identifier and lets the frame end.
    static bool Press(GUI_WindowBase& window, const std::string& id) {
        const GUI_ButtonBase* button = window.FindButton(id);
        if (!button)
            return false;
        const_cast<GUI_ButtonBase*>(button)->OnClick((button->left + button->right) / 2.0f,
                                                     (button->top + button->bottom) / 2.0f);
        RunDeferredCalls();
        return true;
    }
    static SIM_Dilemma* MakeDilemma(const std::string& name,
                                    const std::vector<std::string>& scripts) {
        auto* dilemma = new SIM_Dilemma();
        dilemma->SetName(name);
        dilemma->SetGuiName(name + " GUI");
        dilemma->description = "About " + name;
        for (size_t i = 0; i < scripts.size(); ++i) {
            DilemmaOption option;
            option.name = "Option " + std::to_string(i + 1);
            option.onImplement = scripts[i];
            option.dilemma = dilemma;
            dilemma->options.push_back(option);
        }
        return dilemma;
    }
    static SIM_Event* MakeEvent(const std::string& name, const std::string& onView) {
        auto* event = new SIM_Event();
        event->SetName(name);
        event->SetGuiName(name + " GUI");
        event->onView = onView;
        event->texture = "no_such_picture.jpg";
        GetEventManager().AddEvent(event);
        return event;
    }

    LoggedTest logged;
    DeskFrontEnd frontEnd;
    RecordingRenderDevice device;
    GUI_WindowScreen screen;
};

TEST_F(DeskWindowsTest, TheStripFollowsTheIssuesListAndOpensWhatItShows) {
    SIM_Dilemma* dilemma = MakeDilemma("Strike", {""});
    SIM_Event* event = MakeEvent("Flood", "");
    Neuron smog;
    smog.SetName("Smog");
    SIM_IssuesManager& issues = GetIssuesManager();
    // Room for three rows.
    GUI_IssuesStrip strip(0, 0, 300, 46 * 3);
    ASSERT_FALSE(strip.Horizontal());
    EXPECT_EQ(strip.Capacity(), 3);
    EXPECT_FALSE(strip.Sync()) << "an empty desk stays empty";

    dilemma->OfferDilemma();
    event->TriggerEvent();
    EXPECT_TRUE(strip.Sync());
    ASSERT_EQ(strip.buttons.size(), 2u);
    EXPECT_EQ(strip.buttons[0]->identifier, "IssueDilemma");
    EXPECT_EQ(strip.buttons[0]->DumpText(), "Strike GUI");
    EXPECT_EQ(strip.buttons[1]->identifier, "IssueEvent");
    EXPECT_FALSE(strip.Sync()) << "nothing changed, nothing rebuilt";

    // Four issues in room for three: two icons and a marker that names the other two.
    issues.AddIssue(&smog, kIssueKindSituationBegins, "smog.dds")->title = "Smog";
    issues.AddIssue(&smog, kIssueKindSituationEnds, "smog.dds")->title = "Smog";
    EXPECT_TRUE(strip.Sync());
    ASSERT_EQ(strip.buttons.size(), 3u);
    EXPECT_EQ(strip.buttons[2]->identifier, "IssueMore");
    EXPECT_EQ(strip.buttons[2]->DumpText(), "+2");
    EXPECT_NE(strip.buttons[2]->GetTooltip()->Text().find("Smog; Smog"), std::string::npos);

    issues.RemoveIssue(dilemma);
    EXPECT_TRUE(strip.Sync());
    ASSERT_EQ(strip.buttons.size(), 3u);
    EXPECT_EQ(strip.buttons[0]->identifier, "IssueEvent");
    EXPECT_EQ(strip.buttons[2]->identifier, "IssueSituation");

    // A horizontal strip counts its room across, in its narrowest cells.
    GUI_IssuesStrip wide(0, 0, 64 * 5, 70);
    EXPECT_TRUE(wide.Horizontal());
    EXPECT_EQ(wide.Capacity(), 9);
    EXPECT_EQ(wide.Shown().size(), 3u);

    // A dilemma raised last still comes first, and its icon opens its window after the frame.
    dilemma->OfferDilemma();
    strip.Sync();
    EXPECT_EQ(strip.buttons[0]->identifier, "IssueDilemma");
    EXPECT_TRUE(Press(strip, "IssueDilemma"));
    EXPECT_NE(Find("Dilemma:Strike"), nullptr);

    issues.ClearIssues();
    EXPECT_TRUE(strip.Sync());
    EXPECT_TRUE(strip.buttons.empty());
}

TEST_F(DeskWindowsTest, ACrowdedBandNarrowsItsCellsBeforeGatheringIssuesUnderTheMarker) {
    // The band beside the control panel of a 1024-wide screen: four cells of full width.
    GUI_IssuesStrip band(760, 711, 760 + 256, 765);
    ASSERT_TRUE(band.Horizontal());
    std::vector<std::unique_ptr<Neuron>> subjects;
    auto raise = [&](int count) {
        for (int i = 0; i < count; ++i) {
            subjects.push_back(std::make_unique<Neuron>());
            subjects.back()->SetName("Trouble" + std::to_string(subjects.size()));
            GetIssuesManager()
                .AddIssue(subjects.back().get(), kIssueKindSituationBegins, "smog.dds")
                ->title = subjects.back()->name;
        }
        band.Sync();
    };
    auto within = [&](const GUI_ButtonBase& cell) {
        return cell.left >= band.left && cell.right <= band.right && cell.top >= band.top &&
               cell.bottom <= band.bottom;
    };

    raise(4);
    ASSERT_EQ(band.buttons.size(), 4u);
    EXPECT_EQ(band.buttons[3]->right - band.buttons[3]->left, 64);
    EXPECT_TRUE(static_cast<GUI_IssueIcon&>(*band.buttons[0]).showTitle);

    // Six: every one shown in narrower cells, the titles left to the tooltips.
    raise(2);
    ASSERT_EQ(band.buttons.size(), 6u);
    for (const auto& cell : band.buttons) {
        EXPECT_NE(cell->identifier, "IssueMore");
        EXPECT_TRUE(within(*cell)) << cell->left << ".." << cell->right;
        EXPECT_FALSE(static_cast<GUI_IssueIcon&>(*cell).showTitle);
        EXPECT_LE(static_cast<GUI_IssueIcon&>(*cell).iconSize, cell->right - cell->left);
    }
    EXPECT_NE(band.buttons[5]->GetTooltip()->Text().find("Trouble6"), std::string::npos);

    // Ten in room for seven: six icons, and the marker names the other four.
    raise(4);
    ASSERT_EQ(band.Capacity(), 7);
    ASSERT_EQ(band.buttons.size(), 7u);
    EXPECT_EQ(band.buttons[6]->identifier, "IssueMore");
    EXPECT_EQ(band.buttons[6]->DumpText(), "+4");
    EXPECT_TRUE(within(*band.buttons[6]));
    GetIssuesManager().ClearIssues();
}

TEST_F(DeskWindowsTest, ChoosingAnOptionRunsItsScriptAndAFailingScriptStillClosesTheWindow) {
    SIM_Dilemma* dilemma = MakeDilemma("Strike", {"PlaySound(cheer.ogg)", "NoSuchCommand(1)"});
    OpenDilemma("Strike");
    EXPECT_EQ(Find("Dilemma:Strike"), nullptr) << "a dilemma not on offer has no window";

    dilemma->OfferDilemma();
    OpenDilemma("Strike");
    OpenDilemma("Strike");
    GUI_GameWindow* window = Find("Dilemma:Strike");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(screen.Windows().OpenWindows().size(), 1u) << "asked twice, opened once";
    ASSERT_NE(window->FindButton("DilemmaOption2"), nullptr);
    EXPECT_EQ(window->FindButton("DilemmaOption3"), nullptr);
    ASSERT_TRUE(Press(*window, "DilemmaOption1"));
    EXPECT_EQ(frontEnd.sounds, std::vector<std::string>{"data/sounds/cheer.ogg"});
    EXPECT_EQ(Find("Dilemma:Strike"), nullptr);
    EXPECT_EQ(GetIssuesManager().Count(), 0u);

    dilemma->OfferDilemma();
    OpenDilemma("Strike");
    ASSERT_TRUE(Press(*Find("Dilemma:Strike"), "DilemmaOption2"));
    ASSERT_EQ(frontEnd.boxes.size(), 1u);
    EXPECT_NE(frontEnd.boxes[0].find("Unknown scripted function"), std::string::npos);
    EXPECT_EQ(Find("Dilemma:Strike"), nullptr) << "a broken script must not strand the dilemma";
    EXPECT_EQ(GetIssuesManager().Count(), 0u);

    // The dilemma button and F6 open the first dilemma on the desk, whatever came before it.
    MakeEvent("Flood", "")->TriggerEvent();
    MakeDilemma("Ferry", {""})->OfferDilemma();
    dilemma->OfferDilemma();
    OpenFirstDilemma();
    EXPECT_NE(Find("Dilemma:Ferry"), nullptr);
    EXPECT_EQ(Find("Dilemma:Strike"), nullptr);
    // Escape puts a dilemma back on the desk unanswered.
    EXPECT_TRUE(screen.Windows().OnEscape());
    EXPECT_EQ(Find("Dilemma:Ferry"), nullptr);
    EXPECT_EQ(GetIssuesManager().Count(), 3u);
}

TEST_F(DeskWindowsTest, AnEventIsReadOnceEachTimeItsWindowOpens) {
    SIM_Event* event = MakeEvent("Flood", "PlaySound(rain.ogg)");
    event->TriggerEvent();
    OpenEvent("Flood");
    OpenEvent("Flood");
    EXPECT_EQ(frontEnd.sounds.size(), 1u) << "brought to the front, not read again";
    GUI_GameWindow* window = Find("Event:Flood");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->title, "Flood GUI");
    // The event's picture is missing here: its frame stands in.
    const GUI_Picture* picture = nullptr;
    for (const auto& button : window->buttons)
        if (!picture)
            picture = dynamic_cast<const GUI_Picture*>(button.get());
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(picture->Missing());

    ASSERT_TRUE(Press(*window, "EventNotedButton"));
    EXPECT_EQ(Find("Event:Flood"), nullptr);
    OpenEvent("Flood");
    EXPECT_EQ(frontEnd.sounds.size(), 2u);

    OpenEvent("Drought");
    EXPECT_EQ(Find("Event:Drought"), nullptr);
    EXPECT_EQ(frontEnd.sounds.size(), 2u);
}

TEST_F(DeskWindowsTest, ScriptsEndTheGameOnceAndCloseWindowsByKind) {
    for (const char* kind : {WindowKind::Polls, WindowKind::Finance, WindowKind::Reports})
        ShowGameWindow(kind,
                       [kind] { return std::make_unique<GUI_GameWindow>(kind, "", 300, 200); });
    RunScript("ClosePolls(); CloseFinanceWindow()");
    EXPECT_EQ(Find(WindowKind::Polls), nullptr);
    EXPECT_EQ(Find(WindowKind::Finance), nullptr);
    EXPECT_NE(Find(WindowKind::Reports), nullptr);

    RunScript("GameOver(Coup, The generals send their regards.)");
    GUI_GameWindow* over = Find(WindowKind::GameOver);
    ASSERT_NE(over, nullptr);
    EXPECT_TRUE(over->modal);
    EXPECT_EQ(over->title, "Coup");
    EXPECT_EQ(static_cast<GUI_GameOverWindow*>(over)->text, "The generals send their regards.");
    EXPECT_TRUE(IsGameOver());
    // Another ending while the first is shown changes nothing.
    OpenGameOver("Flood", "Everyone drowned.");
    EXPECT_EQ(Find(WindowKind::GameOver), over);
    EXPECT_EQ(over->title, "Coup");
    EXPECT_NE(over->FindButton("GameOverMenuButton"), nullptr);
    EXPECT_NE(over->FindButton("GameOverNewGameButton"), nullptr);
}

TEST_F(DeskWindowsTest, PledgesAreMadeOnlyInTheManifestoTurnAndShowWhetherTheyAreKept) {
    logged.dir.Write("data/options.txt", "[options]\nENABLEMANIFESTO=1\n");
    LoadOptions();
    logged.dir.Write("data/manifesto.csv", "#,MORE_GDP,GDP,0.1,>\n#,LESS_CRIME,Crime,-0.25,<\n");
    GetManifesto().LoadOptions();
    Neuron* gdp = new Neuron();
    gdp->SetName("GDP");
    gdp->value = 0.5f;
    Neuron* crime = new Neuron();
    crime->SetName("Crime");
    crime->value = 0.4f;
    SIM_ElectionManager& elections = GetElectionManager();
    elections.ScheduleNextElection();
    GetCalendar().month = elections.electionMonth;
    GetCalendar().year = elections.electionYear;
    for (int i = 0; i < kManifestoPromptMonths; ++i) {
        // Three months before the election: step the calendar back a month at a time.
        Calendar& calendar = GetCalendar();
        calendar.month = calendar.month == 0 ? 11 : calendar.month - 1;
        calendar.year -= calendar.month == 11 ? 1 : 0;
    }
    ASSERT_TRUE(ManifestoMayBeChosen());

    OpenManifesto();
    auto* window = static_cast<GUI_ManifestoWindow*>(Find(WindowKind::Manifesto));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Offers().Rows().size(), 2u);
    EXPECT_TRUE(window->PledgeButton().enabled) << "the first promise stands chosen";
    window->Select("GDP");
    EXPECT_TRUE(window->PledgeButton().enabled);
    ASSERT_TRUE(Press(*window, "ManifestoPledgeButton"));
    ASSERT_EQ(GetManifesto().NextTermPledges().size(), 1u);
    ASSERT_EQ(window->Offers().Rows().size(), 1u) << "a promise is made once";
    EXPECT_EQ(window->Offers().Rows()[0].tag, "Crime");
    EXPECT_EQ(window->Pledges().Rows()[0].cells[3].text, "55.0%") << "a tenth above 50%";

    // Outside the manifesto turn nothing can be promised, even with a row chosen.
    GetCalendar().month = (GetCalendar().month + 1) % 12;
    GetCalendar().year += GetCalendar().month == 0 ? 1 : 0;
    window->Select("Crime");
    EXPECT_FALSE(window->PledgeButton().enabled);
    EXPECT_FALSE(window->PledgeSelected());
    EXPECT_EQ(GetManifesto().NextTermPledges().size(), 1u);

    // Once binding, the promise is kept or broken as the value stands.
    GetManifesto().StartTerm();
    gdp->value = 0.56f;
    window->Refresh();
    EXPECT_EQ(window->Pledges().Rows()[0].cells[5].text, Translate("MANIFESTO_KEPT"));
    gdp->value = 0.54f;
    window->Refresh();
    EXPECT_EQ(window->Pledges().Rows()[0].cells[5].text, Translate("MANIFESTO_BROKEN_SHORT"));
}

class ElectionWindowTest : public DeskWindowsTest {
protected:
    void SetUp() override {
        DeskWindowsTest::SetUp();
        GetMission().missionFile = "data/missions/Test.txt";
        GetMission().modules = {"CompulsoryVoting"};
        GetElectionManager().Release();
    }
    // Holds an election with everyone voting as their opinion says.
    GUI_ElectionResultsWindow* Hold(int forPlayer, int against) {
        for (int i = 0; i < forPlayer + against; ++i) {
            auto* voter = new SIM_Voter();
            voter->value = i < forPlayer ? 0.8f : 0.2f;
            voter->complacency = 0.0f;
        }
        SIM_ElectionManager& manager = GetElectionManager();
        manager.ScheduleNextElection();
        GetCalendar() = {manager.electionMonth, manager.electionYear};
        EXPECT_TRUE(manager.CheckElection());
        return static_cast<GUI_ElectionResultsWindow*>(Find(WindowKind::ElectionResults));
    }
};

TEST_F(ElectionWindowTest, TheCountTakesFiveVotersATickAndDeclaresOnce) {
    GUI_ElectionResultsWindow* count = Hold(8, 4);
    ASSERT_NE(count, nullptr);
    EXPECT_TRUE(count->modal);
    SIM_ElectionManager& manager = GetElectionManager();
    EXPECT_EQ(manager.Tally().counted, 0) << "the window counts, not the turn";

    EXPECT_TRUE(count->Tick(1000)) << "the first tick counts at once";
    EXPECT_EQ(manager.Tally().counted, 5);
    EXPECT_FALSE(count->Tick(1005));
    EXPECT_FALSE(count->Tick(1010)) << "a step needs more than ten milliseconds";
    EXPECT_TRUE(count->Tick(1011));
    EXPECT_EQ(manager.Tally().counted, 10);
    EXPECT_FALSE(count->Declared());
    EXPECT_TRUE(count->Tick(1030));
    EXPECT_TRUE(count->Declared());
    for (unsigned t = 1050; t < 1500; t += 20)
        count->Tick(t);
    EXPECT_EQ(count->Steps(), 3);
    EXPECT_EQ(manager.termsWon, 1) << "declared once";
    EXPECT_EQ(ConsecutiveWins(), 1);
    EXPECT_EQ(GetSounds().LastRequestedTrack(), 4) << "two thirds of the vote is a clear victory";

    // The count must be seen through: Escape leaves it, and then its aftermath, open.
    EXPECT_TRUE(screen.Windows().OnEscape());
    ASSERT_EQ(Find(WindowKind::ElectionResults), count);
    ASSERT_TRUE(Press(*count, "ElectionSeeResultsButton"));
    auto* after = static_cast<GUI_PostElectionWindow*>(Find(WindowKind::PostElection));
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(Find(WindowKind::ElectionResults), nullptr);
    EXPECT_TRUE(screen.Windows().OnEscape());
    ASSERT_EQ(Find(WindowKind::PostElection), after);
    ASSERT_TRUE(Press(*after, "ContinuePresidencyButton"));
    EXPECT_EQ(Find(WindowKind::PostElection), nullptr);
    EXPECT_FALSE(IsGameOver());
}

TEST_F(ElectionWindowTest, FireworksCelebrateAClearVictoryOnlyAndStopWithTheCount) {
    for (const char* name : {"slowsparks", "redsparks", "smallpyro"})
        logged.dir.Write(std::string("data/particles/") + name + ".txt",
                         std::string("[config]\nName=") + name +
                             "\nTextureName=dot.dds\nMinXVelocity=1\nMaxXVelocity=2\n"
                             "MinYVelocity=1\nMaxYVelocity=2\nMinSize=2\nMaxSize=3\n"
                             "AlphaFalloff=0.01\nSizeFalloff=0\nSpeedFalloff=0\nXScatter=0\n"
                             "YScatter=0\nParticlesPerSecond=0\nInitialParticles=20\n"
                             "Lifetime=0\n");
    device.RegisterTexture("dot.dds", 8, 8);
    GetParticles().Forget();
    std::vector<std::string> bangs;
    GetFireworks().playSound = [&](const std::string& file, float, float) {
        bangs.push_back(file);
    };

    // Half the vote keeps office, but brings neither fireworks nor the victory track.
    GetSounds().SetMusicTrack(0);
    GUI_ElectionResultsWindow* tie = Hold(4, 4);
    ASSERT_NE(tie, nullptr);
    for (unsigned t = 0; t < 200; t += 20)
        tie->Tick(t);
    ASSERT_TRUE(tie->Declared());
    EXPECT_FALSE(GetFireworks().IsActive());
    EXPECT_TRUE(bangs.empty());
    EXPECT_EQ(GetSounds().LastRequestedTrack(), 0);
    tie->SeeResults();
    screen.Windows().CloseAll();
    RunDeferredCalls();
    TearDownGame();
    SetUp();

    GUI_ElectionResultsWindow* count = Hold(8, 4);
    ASSERT_NE(count, nullptr);
    for (unsigned t = 0; t < 200 && !count->Declared(); t += 20) {
        GetInput().timeMs = t;
        count->Update();
    }
    ASSERT_TRUE(count->Declared());
    EXPECT_TRUE(GetFireworks().IsActive());
    EXPECT_EQ(bangs.size(), 1u) << "the first burst goes off at once";
    for (unsigned t = 200; t < 1200; t += 16) {
        GetInput().timeMs = t;
        count->Update();
    }
    EXPECT_GT(bangs.size(), 4u);
    EXPECT_GT(GetParticles().LiveParticles(), 0);
    device.sprites.clear();
    count->Draw();
    EXPECT_FALSE(device.sprites.empty()) << "the sparks are drawn over the window";
    count->SeeResults();
    EXPECT_FALSE(GetFireworks().IsActive());
    EXPECT_EQ(GetParticles().LiveParticles(), 0);
    GetFireworks().playSound = nullptr;
    GetParticles().Forget();
}

TEST_F(ElectionWindowTest, WithoutAGameScreenTheTurnCountsEveryVoteItself) {
    SetGameWindowManager(nullptr);
    EXPECT_EQ(Hold(3, 1), nullptr);
    EXPECT_TRUE(GetElectionManager().HasOutcome());
    EXPECT_EQ(GetElectionManager().termsWon, 1);
}

TEST_F(ElectionWindowTest, ADefeatEndsTheGameOnlyWhenThePlayerLeavesOffice) {
    // The ending term broke its one promise: the count says so.
    Neuron* gdp = new Neuron();
    gdp->SetName("GDP");
    gdp->value = 0.5f;
    logged.dir.Write("data/manifesto.csv", "#,MORE_GDP,GDP,0.5,>\n");
    SIM_Manifesto& manifesto = GetManifesto();
    manifesto.LoadOptions();
    manifesto.AddPledge(manifesto.Options()[0]);
    manifesto.StartTerm();
    manifesto.UpdateKept();
    GUI_ElectionResultsWindow* count = Hold(3, 5);
    ASSERT_NE(count, nullptr);
    bool brokenShown = false;
    for (const auto& button : count->buttons)
        brokenShown = brokenShown || button->DumpText() == Translate("MANIFESTO_BROKEN");
    EXPECT_TRUE(brokenShown);
    GetSounds().SetMusicTrack(0);
    count->Tick(0);
    count->Tick(100);
    ASSERT_TRUE(count->Declared());
    EXPECT_EQ(GetSounds().LastRequestedTrack(), 0) << "no victory music for a defeat";
    count->SeeResults();
    GUI_GameWindow* after = Find(WindowKind::PostElection);
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->FindButton("ContinuePresidencyButton"), nullptr);
    EXPECT_FALSE(IsGameOver()) << "not before the player has read the result";
    ASSERT_TRUE(Press(*after, "QuitGameButton"));
    EXPECT_TRUE(IsGameOver());
    // The game screen stays, with the summary of the game over it.
    EXPECT_EQ(GetGameMode(), GameMode::Game);
    EXPECT_NE(Find(WindowKind::GameOver), nullptr);
}

// Texts the desk asks for by name must be in the shipped strings, and the whole shipped section
// must be reachable: a table that stops reading early turns the last texts back into keys.
TEST(DeskTexts, EveryTextTheDeskNamesIsShipped) {
    LoggedTest logged;
    const std::string source = MARROWGATE_SOURCE_DIR;
    SetDataRoot(source);
    ResetTranslations();

    std::ifstream strings(source + "/data/strings.ini");
    std::string line, last;
    std::getline(strings, line);
    while (std::getline(strings, line) && line.rfind("[", 0) != 0) {
        const size_t equals = line.find('=');
        if (equals != std::string::npos && equals + 1 < line.size())
            last = line.substr(0, equals);
    }
    ASSERT_FALSE(last.empty());
    EXPECT_NE(Translate(last), last) << "the strings section is cut short";

    const std::regex key("Translate\\(\"([A-Z][A-Z0-9_]+)\"\\)|\"([A-Z][A-Z0-9]*_[A-Z0-9_]+)\"");
    std::set<std::string> missing;
    int named = 0;
    for (const char* file :
         {"issues_strip.cpp", "desk_notices.cpp", "manifesto_window.cpp", "election_windows.cpp"}) {
        std::ifstream in(source + "/src/interface/windows/" + file);
        std::stringstream text;
        text << in.rdbuf();
        const std::string code = text.str();
        for (std::sregex_iterator it(code.begin(), code.end(), key), end; it != end; ++it) {
            const std::string name = (*it)[1].matched ? (*it)[1].str() : (*it)[2].str();
            ++named;
            // A name ending in "_" is the front of keys made by number ("ISSUE_KIND_" + kind).
            if (name.back() != '_' && Translate(name) == name)
                missing.insert(name);
        }
    }
    EXPECT_GT(named, 100);
    std::string names;
    for (const std::string& name : missing)
        names += " " + name;
    EXPECT_TRUE(missing.empty()) << "missing:" << names;
    SetDataRoot(logged.dir.Path());
    ResetTranslations();
}

} // namespace
