// The front-end screens: what the menu offers, how the options screen reads and flips switches,
// the new-game screen's ranges and what its choices write, and the list of saves.

#include "test_helpers.h"

#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "interface/game_frame.h"
#include "interface/screens/load_game_screen.h"
#include "interface/screens/menu_screen.h"
#include "interface/screens/new_game_screen.h"
#include "interface/screens/options_screen.h"
#include "interface/screens/save_game_screen.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_check_button.h"
#include "interface/widgets/gui_list_box.h"
#include "interface/widgets/gui_scrolling_window.h"
#include "interface/widgets/gui_slider_control.h"
#include "interface/widgets/gui_text_field.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/message_dialog.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"
#include "population/party.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string ReadSource(const std::string& relative) {
    std::ifstream in(std::string(MARROWGATE_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ScreensTest : public ::testing::Test {
protected:
    ScreensTest() {
        SetRenderDevice(&device);
        GetInput() = InputState();
        ResetTranslations();
    }
    ~ScreensTest() override {
        SetGameInProgress(false);
        TearDownGame();
        GetElectionManager().SetTermMonths(kDefaultTermMonths);
        ResetTranslations();
        SetRenderDevice(nullptr);
    }

    // The default country and the shipped party names, in the scratch data root.
    void WriteMission() {
        logged.dir.Write(MissionFile(kDefaultMission), ReadSource(MissionFile(kDefaultMission)));
        logged.dir.Write("data/simulation/partynames.txt",
                         ReadSource("data/simulation/partynames.txt"));
        LoadPartyNames();
        CMission& mission = GetMission();
        mission.Reset();
        mission.SetMissionFile(MissionFile(kDefaultMission));
        mission.Load();
    }

    static void Click(GUI_WindowScreen& screen, const GUI_BaseElement& element) {
        screen.OnLeftClick(element.left + element.width / 2.0f,
                           element.top + element.height / 2.0f);
    }

    LoggedTest logged;
    RecordingRenderDevice device;
};

TEST_F(ScreensTest, MenuOffersSaveAndResumeOnlyDuringAGame) {
    MenuGUIScreen menu;
    SetGameInProgress(false);
    menu.Activate();
    ASSERT_EQ(menu.MenuButtons().size(), 5u);
    EXPECT_EQ(menu.MenuButtons()[0]->identifier, "NEW_GAME");
    EXPECT_EQ(menu.MenuButtons()[4]->identifier, "QUIT_GAME");

    SetGameInProgress(true);
    menu.Activate();
    ASSERT_EQ(menu.MenuButtons().size(), 7u);
    EXPECT_EQ(menu.MenuButtons()[3]->identifier, "SAVEGAME");
    EXPECT_EQ(menu.MenuButtons()[6]->identifier, "RESUMEGAME");
    // The buttons stand one under the other without overlapping.
    for (size_t i = 1; i < menu.MenuButtons().size(); ++i)
        EXPECT_GE(menu.MenuButtons()[i]->top, menu.MenuButtons()[i - 1]->bottom);
}

TEST_F(ScreensTest, MenuActsOnlyOnceTheFadeOutEndsAndAlwaysStartsFromTheDefaultCountry) {
    WriteMission();
    logged.dir.Write("data/newgame.gui", "[sliders]\nname = GDP,Economic output\n");
    logged.dir.Write("data/missions/Elsewhere.txt", "[config]\nname=Elsewhere\ncurrency=$\n");
    GetMission().Reset();
    GetMission().SetMissionFile("data/missions/Elsewhere.txt");
    GetMission().Load();

    MenuGUIScreen menu;
    SetGameInProgress(false);
    menu.Activate();
    Click(menu, *menu.MenuButtons()[0]);
    EXPECT_TRUE(menu.IsFadingOut());
    // A second choice while the first is fading out is swallowed.
    Click(menu, *menu.MenuButtons()[2]);

    GetInput().frameSeconds = MenuGUIScreen::kFadeSeconds / 2;
    menu.Update();
    EXPECT_EQ(GetMission().name, "Elsewhere");
    menu.Update();
    EXPECT_EQ(GetMission().missionFile, MissionFile(kDefaultMission));
    EXPECT_EQ(GetMission().name, "Calverra");
    EXPECT_EQ(GetGameMode(), GameMode::NewGame);
}

TEST_F(ScreensTest, OptionSwitchesTickOnlyAtExactlyOneAndMissingKeysStayMissing) {
    logged.dir.Write("data/options.txt", "[options]\nMUSIC = 0.40\nDIFFICULTY = 0.75\n"
                                         "ENABLEDILEMMAS = 0.99\nENABLERESTRICTPOWER = 1.00\n"
                                         "ENABLEMANIFESTO = 0\nAUTOSAVE = 1.00\n");
    logged.dir.Write("data/config.muf", "[config]\nIsWindowed = 0\n");
    LoadOptions();
    OptionsGUIScreen options;
    options.Activate();

    ASSERT_EQ(options.Sliders().size(), 6u);
    EXPECT_FLOAT_EQ(options.Sliders()[0]->Value(), 0.40f);
    EXPECT_FLOAT_EQ(options.Sliders()[4]->Value(), 0.75f);

    auto box = [&](const std::string& key) -> GUI_CheckButton& {
        for (const auto& entry : options.Switches())
            if (entry.key == key)
                return *entry.box;
        ADD_FAILURE() << "no box for " << key;
        return *options.Switches().front().box;
    };
    EXPECT_TRUE(box("").IsTicked()) << "IsWindowed = 0 means full screen";
    EXPECT_FALSE(box(kOptionEnableDilemmas).IsTicked());
    EXPECT_TRUE(box(kOptionEnableRestrictPower).IsTicked());
    EXPECT_FALSE(box(kOptionHoneymoon).IsTicked());

    Click(options, box(kOptionEnableDilemmas));
    EXPECT_TRUE(box(kOptionEnableDilemmas).IsTicked());
    EXPECT_EQ(GetOptionsTable().GetString(kOptionEnableDilemmas), "1.00");
    Click(options, box(kOptionEnableRestrictPower));
    EXPECT_FALSE(box(kOptionEnableRestrictPower).IsTicked());
    EXPECT_EQ(GetOptionsTable().GetString(kOptionEnableRestrictPower), "0.00");

    const size_t keys = GetOptionsTable().Count();
    Click(options, box(kOptionHoneymoon));
    EXPECT_FALSE(box(kOptionHoneymoon).IsTicked());
    EXPECT_FALSE(GetOptionsTable().HasKey(kOptionHoneymoon));
    EXPECT_EQ(GetOptionsTable().Count(), keys);

    // Reopening reads the table afresh.
    SetOption(kOptionMusic, 0.9f);
    options.Activate();
    EXPECT_FLOAT_EQ(options.Sliders()[0]->Value(), 0.9f);
}

TEST_F(ScreensTest, NewGameArrowsStopAtTheEndsOfTheirRanges) {
    WriteMission();
    logged.dir.Write("data/newgame.gui", "[sliders]\nname = GDP,Economic output\n");
    GUI_NewGameScreen screen;
    screen.Activate();
    EXPECT_EQ(screen.TermLength(), 4);
    EXPECT_EQ(screen.MaxTerms(), 3);
    EXPECT_EQ(screen.Currency(), "$");

    for (int i = 0; i < 12; ++i) {
        screen.ChangeTermLength(1);
        screen.ChangeMaxTerms(1);
        screen.ChangeCurrency(1);
    }
    EXPECT_EQ(screen.TermLength(), 10);
    EXPECT_EQ(screen.MaxTerms(), 10);
    EXPECT_EQ(screen.Currency(), "\x80");
    for (int i = 0; i < 12; ++i) {
        screen.ChangeTermLength(-1);
        screen.ChangeMaxTerms(-1);
        screen.ChangeCurrency(-1);
    }
    EXPECT_EQ(screen.TermLength(), 1);
    EXPECT_EQ(screen.MaxTerms(), 1);
    EXPECT_EQ(screen.Currency(), "$");

    // The arrows are wired: the currency row's right arrow moves to the pound.
    int arrows = 0;
    for (const auto& button : screen.Root().buttons) {
        auto* icon = dynamic_cast<GUI_IconButton*>(button.get());
        if (icon && icon->picture == "right.dds" && ++arrows == 3)
            Click(screen, *icon);
    }
    EXPECT_EQ(screen.Currency(), "\xA3");

    // Opening the screen again starts from the mission once more.
    screen.Activate();
    EXPECT_EQ(screen.TermLength(), 4);
    EXPECT_EQ(screen.Currency(), "$");
}

TEST_F(ScreensTest, SliderLoadingStopsAtAValueTheMissionLacks) {
    WriteMission();
    logged.dir.Write("data/newgame.gui", "[sliders]\nname = GDP,Economic output\n"
                                         "name = Crime , Crime\nname = Nonsense,Nothing\n"
                                         "name = Health,Public health\n");
    GUI_NewGameScreen screen;
    screen.Activate();
    ASSERT_EQ(screen.SliderNames(), (std::vector<std::string>{"GDP", "Crime"}));
    EXPECT_EQ(screen.StartSliders()[1]->label, "Crime");
    EXPECT_FLOAT_EQ(screen.StartSliders()[0]->Value(), GetMission().GetStartSetting("GDP"));
    EXPECT_NE(logged.LogText().find("no mission default for this value"), std::string::npos);
}

TEST_F(ScreensTest, ShippedSliderListNamesOnlyStartSettingsOfTheDefaultCountry) {
    WriteMission();
    logged.dir.Write("data/newgame.gui", ReadSource("data/newgame.gui"));
    GUI_NewGameScreen screen;
    screen.Activate();
    EXPECT_GE(screen.StartSliders().size(), 5u);
    EXPECT_EQ(logged.LogText().find("no mission default"), std::string::npos);
}

TEST_F(ScreensTest, StartWritesTheChoicesIntoTheMission) {
    WriteMission();
    logged.dir.Write("data/newgame.gui", "[sliders]\nname = GDP,Economic output\n");
    GUI_NewGameScreen screen;
    screen.Activate();
    ASSERT_GE(screen.PlayerPartyList().Count(), 3);
    EXPECT_EQ(screen.PlayerPartyList().SelectedEntry()->text, GetMission().partyName);
    EXPECT_EQ(screen.OppositionPartyList().SelectedEntry()->text, GetMission().oppositionName);

    screen.StartSliders()[0]->SetValue(0.8f);
    screen.ChangeCurrency(1);
    screen.ChangeMaxTerms(2);
    screen.PlayerPartyList().SetSelected(2);
    const std::string chosenParty = screen.PlayerPartyList().SelectedEntry()->text;
    screen.ApplyChoices();

    const CMission& mission = GetMission();
    EXPECT_FLOAT_EQ(mission.GetStartSetting("GDP"), 0.8f);
    EXPECT_EQ(mission.currency, "\xA3");
    EXPECT_EQ(mission.partyName, chosenParty);
    EXPECT_EQ(mission.termsLimit, 5);
    EXPECT_EQ(mission.termLength, 4);
    EXPECT_EQ(GetElectionManager().TermMonths(), 48);
}

TEST_F(ScreensTest, LoadListShowsUniversalTimesAndDeletesAtOnce) {
    // 5 March 2009, 09:07:30 UTC.
    EXPECT_EQ(FormatSaveTime(1236244050), "(09:07 03/05/2009)");

    SetUserDir(logged.dir.Path() + "/user");
    logged.dir.Write("user/savegames/alpha.xml", "<xml>\n");
    logged.dir.Write("user/savegames/beta.xml", "<xml>\n");
    logged.dir.Write("user/savegames/notes.txt", "not a save\n");
    GUI_LoadGameScreen screen;
    screen.Activate();
    ASSERT_EQ(screen.SaveNames(), (std::vector<std::string>{"alpha", "beta"}));
    EXPECT_EQ(SaveRowLabel("alpha").rfind("alpha  (", 0), 0u);

    screen.DeleteSave("alpha");
    EXPECT_FALSE(std::filesystem::exists(logged.dir.Path() + "/user/savegames/alpha.xml"));
    EXPECT_EQ(screen.SaveNames(), (std::vector<std::string>{"beta"}));
    // Two rows' worth of buttons (load and delete) would mean the old row survived.
    int rows = 0;
    for (const auto& button : screen.List().buttons)
        rows += button->identifier == "LOADGAME_LOAD";
    EXPECT_EQ(rows, 1);
}

// A damaged save is marked in the list, and choosing it brings one box naming it and leaves the
// list where it was, with nothing loaded.
TEST_F(ScreensTest, ADamagedSaveIsMarkedAndRefusedWithOneBox) {
    SetUserDir(logged.dir.Path() + "/user");
    logged.dir.Write("user/savegames/cut.xml", "<xml>\n<header>\n<version>Marrowgate 1.0</ver");
    GUI_LoadGameScreen screen;
    screen.Activate();
    const std::string mark = Translate("LOADGAME_DAMAGED");
    const std::string label = SaveRowLabel("cut");
    ASSERT_GE(label.size(), mark.size());
    EXPECT_EQ(label.compare(label.size() - mark.size(), mark.size(), mark), 0) << label;
    screen.ChooseSave("cut");
    ASSERT_EQ(logged.frontEnd.boxes.size(), 1u);
    EXPECT_NE(logged.frontEnd.boxes[0].text.find("\"cut.xml\" is damaged"), std::string::npos);
    EXPECT_NE(logged.frontEnd.boxes[0].text.find("breaks off in section \"header\""),
              std::string::npos)
        << logged.frontEnd.boxes[0].text;
    EXPECT_FALSE(IsGameInProgress());
    EXPECT_EQ(screen.SaveNames(), (std::vector<std::string>{"cut"}));
}

TEST_F(ScreensTest, SaveAndLoadScreensRefuseUnsafeNamesAndKeepThemAsTyped) {
    logged.dir.Write("data/strings.ini", "[strings]\nSAVEGAME_DEFAULT=My Government\n"
                                         "SAVEGAME_TITLE=Save Game\nLOADGAME_TITLE=Load Game\n"
                                         "SAVENAME_SEPARATOR=No slashes, please.\n"
                                         "SAVENAME_EMPTY=A name, please.\n");
    SetUserDir(logged.dir.Path() + "/user");
    std::filesystem::create_directories(logged.dir.Path() + "/user/savegames");
    GUI_SaveGameScreen screen;
    screen.Activate();
    EXPECT_EQ(screen.NameField().Text(), "My Government");
    screen.NameField().Type(" again");
    screen.Activate();
    EXPECT_EQ(screen.NameField().Text(), "My Government");

    const std::pair<std::string, std::string> refused[] = {
        {"..\\..\\outside", "No slashes, please."},
        {"../outside", "No slashes, please."},
        {"   ", "A name, please."},
    };
    for (const auto& [typed, message] : refused) {
        screen.Activate();
        screen.NameField().SetText(typed);
        screen.SaveAndReturn();
        ASSERT_EQ(screen.Windows().ModalCount(), 1) << typed;
        auto* dialog = dynamic_cast<MessageDialog*>(screen.Windows().Topmost());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->title, "Save Game");
        EXPECT_EQ(dialog->text, message);
        EXPECT_EQ(screen.NameField().Text(), typed);
    }
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
    for (const auto& entry : std::filesystem::recursive_directory_iterator(logged.dir.Path()))
        EXPECT_NE(entry.path().extension(), ".xml") << entry.path();

    // A file of a name no save of ours could have, put in the folder by hand, is listed but
    // refused with one message, and nothing is loaded.
    logged.dir.Write("user/savegames/..\\escaped.xml", "<xml>\n");
    GUI_LoadGameScreen load;
    load.Activate();
    ASSERT_EQ(load.SaveNames(), (std::vector<std::string>{"..\\escaped"}));
    load.ChooseSave("..\\escaped");
    ASSERT_EQ(load.Windows().ModalCount(), 1);
    auto* dialog = dynamic_cast<MessageDialog*>(load.Windows().Topmost());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->title, "Load Game");
    EXPECT_EQ(dialog->text, "No slashes, please.");
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
    EXPECT_FALSE(IsGameInProgress());
}

} // namespace
