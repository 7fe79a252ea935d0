// The front-end screens: what the menu offers, how the options screen reads and flips switches,
// the new-game screen's ranges and what its choices write, and the list of saves.

#include "test_helpers.h"

#include "base/game_paths.h"
#include "base/mission.h"
#include "base/options.h"
#include "base/text_utils.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "interface/game_frame.h"
#include "interface/screens/load_game_screen.h"
#include "interface/screens/menu_screen.h"
#include "interface/screens/new_game_screen.h"
#include "interface/screens/options_screen.h"
#include "interface/screens/save_game_screen.h"
#include "interface/screens/screens.h"
#include "interface/widgets/choice_dialog.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_check_button.h"
#include "interface/widgets/gui_frame_work.h"
#include "interface/widgets/gui_list_box.h"
#include "interface/widgets/gui_scrolling_window.h"
#include "interface/widgets/gui_slider_control.h"
#include "interface/widgets/gui_text_field.h"
#include "interface/widgets/gui_tooltip.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/message_dialog.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "platform/recording_render_device.h"
#include "platform/sdl_input.h"
#include "population/party.h"
#include "saveload/save_preview.h"
#include "saveload/save_writer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
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
    EXPECT_EQ(menu.MenuButtons()[0]->identifier, "RESUMEGAME");
    EXPECT_EQ(menu.MenuButtons()[4]->identifier, "SAVEGAME");
    EXPECT_TRUE(menu.MenuButtons()[4]->enabled);
    // Once the game is over there is nothing to save.
    SetGameOver(true);
    menu.Activate();
    EXPECT_FALSE(menu.MenuButtons()[4]->enabled);
    SetGameOver(false);
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

TEST_F(ScreensTest, LeavingAGameWithUnsavedTurnsAsksToSaveFirst) {
    WriteMission();
    logged.dir.Write("data/newgame.gui", "[sliders]\nname = GDP,Economic output\n");
    MenuGUIScreen menu;
    SetGameInProgress(true);
    GetTurnState().turnNumber = 5;
    MarkGameSaved();
    menu.Activate();
    // Nothing played since the save: no question.
    EXPECT_FALSE(HasUnsavedProgress());
    menu.RunAction(MenuAction::NewGame);
    EXPECT_EQ(menu.Windows().ModalCount(), 0);
    EXPECT_EQ(GetGameMode(), GameMode::NewGame);

    // A turn later, a new game waits for an answer: Cancel stays, Don't save goes on.
    GetTurnState().turnNumber = 6;
    ASSERT_TRUE(HasUnsavedProgress());
    SetGameMode(GameMode::Menu);
    menu.Activate();
    const auto answer = [&](const std::string& identifier) {
        menu.RunAction(MenuAction::NewGame);
        ASSERT_EQ(menu.Windows().ModalCount(), 1);
        auto* dialog = dynamic_cast<ChoiceDialog*>(menu.Windows().Topmost());
        ASSERT_NE(dialog, nullptr);
        for (GUI_ButtonText* button : dialog->answerButtons)
            if (button->identifier == identifier)
                button->Activate();
        FinishInterfaceFrame();
    };
    answer("PromptCancelButton");
    EXPECT_EQ(GetGameMode(), GameMode::Menu);
    answer("PromptDiscardButton");
    EXPECT_EQ(GetGameMode(), GameMode::NewGame);

    // Save goes to the save screen, which carries on to the new game once the save is written.
    SetGameMode(GameMode::Menu);
    menu.Activate();
    answer("PromptSaveButton");
    EXPECT_EQ(GetGameMode(), GameMode::SaveGame);
    auto* save = dynamic_cast<GUI_SaveGameScreen*>(GetCurrentScreen());
    ASSERT_NE(save, nullptr);
    EXPECT_TRUE(static_cast<bool>(save->afterSave));
    // Cancel there returns to the game and forgets the errand.
    save->Cancel();
    EXPECT_EQ(GetGameMode(), GameMode::Game);
    EXPECT_FALSE(static_cast<bool>(save->afterSave));

    // Loading another save over the unsaved turn asks the same question first.
    SetUserDir(logged.dir.Path() + "/user");
    // A whole save (a damaged one is refused before any question).
    logged.dir.Write("user/savegames/older.xml", BuildSaveText());
    GUI_LoadGameScreen load;
    load.Activate();
    load.ChooseSave("older");
    ASSERT_EQ(load.Windows().ModalCount(), 1);
    EXPECT_NE(dynamic_cast<ChoiceDialog*>(load.Windows().Topmost()), nullptr);

    // A game that is over has nothing to lose.
    SetGameOver(true);
    EXPECT_FALSE(HasUnsavedProgress());
    SetGameOver(false);
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

TEST_F(ScreensTest, EveryOptionSliderSaysWhatItIsAtAndWhatItDoes) {
    logged.dir.Write("data/strings.ini", ReadSource("data/strings.ini"));
    logged.dir.Write("data/options.txt", "[options]\nMUSIC = 0\nSFXVOLUME = 0.5\n"
                                         "INTERESTRATE = 0.25\nDIFFICULTY = 1\nCYNICISM = 0.1\n");
    LoadOptions();
    OptionsGUIScreen options;
    options.Activate();
    for (const GUI_SliderControl* slider : options.Sliders()) {
        ASSERT_NE(slider->GetTooltip(), nullptr) << slider->label;
        EXPECT_GT(slider->GetTooltip()->Text().size(), 30u) << slider->label;
        EXPECT_EQ(slider->GetTooltip()->Text().find("TOOLTIP_"), std::string::npos);
    }
    EXPECT_EQ(options.Sliders()[0]->ValueText(), "Off");
    EXPECT_EQ(options.Sliders()[1]->ValueText(), "50%");
    // A quarter of the top rate of 20% a year.
    EXPECT_EQ(options.Sliders()[3]->ValueText(), "5.0% a year");
    EXPECT_EQ(options.Sliders()[4]->ValueText(), "Very high (100%)");
    EXPECT_EQ(options.Sliders()[5]->ValueText(), "Very low (10%)");
}

TEST_F(ScreensTest, NewGameExplainsItsChoicesWarnsOfAHopelessStartAndRefusesOnePartyTwice) {
    WriteMission();
    logged.dir.Write("data/strings.ini", ReadSource("data/strings.ini"));
    logged.dir.Write("data/newgame.gui", ReadSource("data/newgame.gui"));
    logged.dir.Write(kPartyDescriptionFile, ReadSource(kPartyDescriptionFile));
    GUI_NewGameScreen screen;
    screen.Activate();

    // Every level explains itself and reads in words; every shipped party has its own line.
    for (const GUI_SliderControl* slider : screen.StartSliders()) {
        ASSERT_NE(slider->GetTooltip(), nullptr) << slider->identifier;
        EXPECT_EQ(slider->GetTooltip()->Text().find("TOOLTIP_"), std::string::npos)
            << slider->identifier;
        EXPECT_NE(slider->ValueText().find('%'), std::string::npos);
    }
    for (const std::string& party : GetPartyNames())
        EXPECT_NE(screen.PartyDescription(party), Translate("NEWGAME_PARTY_NODESCRIPTION"))
            << party;

    // The country as shipped opens with a fighting chance, and with two different parties.
    EXPECT_EQ(screen.Warning(), "");
    EXPECT_NE(screen.PlayerPartyList().SelectedEntry()->text,
              screen.OppositionPartyList().SelectedEntry()->text);

    // One thing voters hate pushed to the top is not yet hopeless; everything at its worst is.
    const auto slider = [&](const std::string& name) {
        for (size_t i = 0; i < screen.SliderNames().size(); ++i)
            if (screen.SliderNames()[i] == name)
                return screen.StartSliders()[i];
        ADD_FAILURE() << name;
        return screen.StartSliders()[0];
    };
    slider("Pollution")->SetValue(1);
    EXPECT_FALSE(screen.StartLooksHopeless());
    slider("Unemployment")->SetValue(0.6f);
    slider("GDP")->SetValue(0.3f);
    EXPECT_TRUE(screen.StartLooksHopeless());
    EXPECT_EQ(screen.Warning(), Translate("NEWGAME_HOPELESS"));
    // A good economy can make up for it.
    slider("Unemployment")->SetValue(0.05f);
    slider("GDP")->SetValue(0.8f);
    EXPECT_FALSE(screen.StartLooksHopeless());

    // The same party on both sides: Start refuses with a message and changes nothing.
    const std::string missionParty = GetMission().partyName;
    screen.PlayerPartyList().SetSelected(3);
    screen.OppositionPartyList().SetSelected(3);
    screen.Start();
    ASSERT_EQ(screen.Windows().ModalCount(), 1);
    auto* dialog = dynamic_cast<MessageDialog*>(screen.Windows().Topmost());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->text, Translate("NEWGAME_SAME_PARTY"));
    EXPECT_EQ(GetMission().partyName, missionParty);
    EXPECT_FALSE(IsGameInProgress());
}

TEST_F(ScreensTest, AWideScreenIsFilledAndItsPanelsStandInTheMiddle) {
    // The game keeps its height; the width follows the shape, never narrower than the design.
    EXPECT_EQ(GameWidthForShape(1024, 768), 1024);
    EXPECT_EQ(GameWidthForShape(1920, 1080), 1365);
    EXPECT_EQ(GameWidthForShape(1366, 768), 1366);
    EXPECT_EQ(GameWidthForShape(3440, 1440), 1835);
    EXPECT_EQ(GameWidthForShape(1280, 1024), 1024);
    EXPECT_EQ(GameWidthForShape(0, 0), 1024);
    // A larger interface makes the whole picture larger, its narrowest width with it.
    EXPECT_EQ(GameWidthForShape(1920, 1080, 1536), 2731);
    EXPECT_EQ(GameWidthForShape(1280, 1024, 1152), 1536);
    EXPECT_EQ(NextInterfacePercent(100), 150);
    EXPECT_EQ(NextInterfacePercent(150), 200);
    EXPECT_EQ(NextInterfacePercent(200), 100);
    EXPECT_EQ(ScaledFontTexture("arial16.dds", 1.5f), "arial16_150.dds");
    EXPECT_EQ(ScaledFontTexture("arial16.dds", 1.0f), "arial16.dds");

    device.SetGameSize(1365, 768);
    EXPECT_FLOAT_EQ(ScreenLayout::X(0), (1365 - 1024) / 2.0f);
    OptionsGUIScreen options;
    options.Activate();
    const GUI_SliderControl& first = *options.Sliders()[0];
    EXPECT_NEAR(first.left, 1365 - first.right, 1.0f);

    // A 4:3 picture on the wide screen: undistorted in the middle, on whole pixels, and its
    // outermost few columns drawn out to the sides, meeting it without a gap or an overlap.
    const TextureId picture = device.RegisterTexture("scene.png", 1024, 768);
    for (const float wide : {1365.0f, 1366.0f, 1835.0f}) {
        device.sprites.clear();
        ASSERT_TRUE(ScreenLayout::DrawFitted("scene.png", 0, 0, wide, 768));
        ASSERT_EQ(device.sprites.size(), 3u);
        const SpriteDraw& whole = device.sprites[0].sprite;
        EXPECT_EQ(device.sprites[0].texture, picture);
        EXPECT_FLOAT_EQ(whole.right - whole.left, 1024);
        EXPECT_FLOAT_EQ(whole.left, std::round(whole.left));
        EXPECT_NEAR(whole.left, (wide - 1024) / 2, 0.5f);
        const SpriteDraw& left = device.sprites[1].sprite;
        const SpriteDraw& right = device.sprites[2].sprite;
        EXPECT_FLOAT_EQ(left.left, 0);
        EXPECT_FLOAT_EQ(left.right, whole.left);
        EXPECT_FLOAT_EQ(right.left, whole.right);
        EXPECT_FLOAT_EQ(right.right, wide);
        // Only the calm band along the picture's sides is stretched (see the backgrounds).
        EXPECT_FLOAT_EQ(left.u0, 0);
        EXPECT_LE(left.u1 * 1024, 8);
        EXPECT_GE(right.u0 * 1024, 1024 - 8);
        EXPECT_FLOAT_EQ(right.u1, 1);
    }
    device.sprites.clear();
    ASSERT_TRUE(ScreenLayout::DrawFitted("scene.png", 0, 0, 768, 768));
    ASSERT_EQ(device.sprites.size(), 1u);
    EXPECT_NEAR(device.sprites[0].sprite.u0, 0.125f, 1e-4f);
    EXPECT_NEAR(device.sprites[0].sprite.u1, 0.875f, 1e-4f);
    EXPECT_FALSE(ScreenLayout::DrawFitted("absent.png", 0, 0, 100, 100));
    device.SetGameSize(1024, 768);
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

TEST_F(ScreensTest, ChoosingACountryLoadsItAndKeepsItsOwnCurrencyOnOffer) {
    WriteMission();
    logged.dir.Write("data/newgame.gui", "[sliders]\nname = GDP,Economic output\n");
    logged.dir.Write("data/missions/Isles.txt",
                     "[config]\nname=The Isles\ncurrency=Cr\ntermlength=5\npartyname=Tide Party\n"
                     "oppname=Shore League\n[settings]\nGDP=0.3\n");
    GUI_NewGameScreen screen;
    screen.Activate();
    ASSERT_EQ(screen.Countries().size(), 2u);
    EXPECT_EQ(screen.CountryList().Selected(), 0);
    EXPECT_EQ(screen.CountryList().Entries()[1].text, "The Isles");

    screen.ChooseCountry(1);
    EXPECT_EQ(GetMission().name, "The Isles");
    EXPECT_EQ(screen.CountryList().Selected(), 1);
    EXPECT_EQ(screen.TermLength(), 5);
    EXPECT_FLOAT_EQ(screen.StartSliders()[0]->Value(), 0.3f);
    EXPECT_EQ(screen.PlayerPartyList().SelectedEntry()->text, "Tide Party");
    // Its currency follows the three signs and is where the choice starts.
    EXPECT_EQ(screen.Currency(), "Cr");
    screen.ChangeCurrency(-1);
    EXPECT_EQ(screen.Currency(), "\x80");
    screen.ApplyChoices();
    EXPECT_EQ(GetMission().currency, "\x80");

    // Back to the default: its currency list is the three signs again.
    screen.ChooseCountry(0);
    EXPECT_EQ(GetMission().name, "Calverra");
    for (int i = 0; i < 5; ++i)
        screen.ChangeCurrency(1);
    EXPECT_EQ(screen.Currency(), "\x80");
}

TEST_F(ScreensTest, LoadListPutsTheNewestFirstWithItsDetailsAndAsksBeforeDeleting) {
    logged.dir.Write("data/strings.ini",
                     "[strings]\nMONTH_3=March\nLOADGAME_DETAILS=turn <TURN>, <COUNTRY>, <POLL>%\n"
                     "LOADGAME_DELETE_YES=Delete\nLOADGAME_DELETE_NO=Keep\n");
    SetUserDir(logged.dir.Path() + "/user");
    const std::string folder = logged.dir.Path() + "/user/savegames/";
    // The envelope as the writer lays it out, and an older save without the details.
    logged.dir.Write("user/savegames/alpha.xml",
                     "<xml>\n<header>\n<version>Marrowgate 1.0</version>\n</header>\n<load_data>\n"
                     "<date>5/3/2009</date>\n<turn>14</turn>\n<country>Calverra</country>\n"
                     "<poll>0.41700000</poll>\n</load_data>\n<turn>99</turn>\n");
    logged.dir.Write("user/savegames/beta.xml", "<xml>\n<load_data>\n</load_data>\n");
    logged.dir.Write("user/savegames/caf\xC3\xA9 \xE2\x82\xAC.xml", "<xml>\n");
    logged.dir.Write("user/savegames/notes.txt", "not a save\n");
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(folder + "alpha.xml", now - std::chrono::hours(48));
    std::filesystem::last_write_time(folder + "beta.xml", now);
    std::filesystem::last_write_time(folder + "caf\xC3\xA9 \xE2\x82\xAC.xml",
                                     now - std::chrono::hours(1));

    GUI_LoadGameScreen screen;
    screen.Activate();
    ASSERT_EQ(screen.SaveNames(),
              (std::vector<std::string>{"beta", "caf\xC3\xA9 \xE2\x82\xAC", "alpha"}));

    const SavePreview alpha = ReadSavePreview("alpha");
    ASSERT_TRUE(alpha.hasDetails);
    EXPECT_EQ(alpha.turn, 14);
    EXPECT_EQ(alpha.country, "Calverra");
    const std::string label = SaveRowLabel(alpha);
    EXPECT_EQ(label.rfind("alpha, ", 0), 0u);
    EXPECT_NE(label.find("turn 12, Calverra, 42%"), std::string::npos) << label;
    EXPECT_FALSE(ReadSavePreview("beta").hasDetails);
    // A name too long for the row gives way to the details (measured in a stand-in font).
    device.RegisterTexture(ScreenLayout::kTextFont, 240, 240);
    GetTextEngine().AddFont("data/fonts/none.dat", ScreenLayout::kTextFont, 16, 24, 10, 10);
    SavePreview longer = alpha;
    longer.name = std::string(60, 'n');
    const float room = static_cast<float>(
        GuiDraw::TextWidth(ScreenLayout::kTextFont, ScreenLayout::kTextSize, label));
    const std::string shortened = SaveRowLabel(longer, room);
    EXPECT_NE(shortened.find("...,"), std::string::npos) << shortened;
    EXPECT_NE(shortened.find("turn 12, Calverra, 42%"), std::string::npos) << shortened;
    // An accented name gives way by whole characters, never leaving half of one behind.
    std::string accented;
    for (int i = 0; i < 200; ++i)
        accented += "\xC3\xA9";
    longer.name = accented;
    const std::string cut = SaveRowLabel(longer, room);
    const std::string kept = cut.substr(0, cut.find("..."));
    EXPECT_LT(kept.size(), accented.size());
    EXPECT_TRUE(TextEngine::CanDrawText(kept)) << kept;
    GetTextEngine().Release();
    // A file name is UTF-8 and is shown as it is.
    EXPECT_EQ(SaveRowLabel(ReadSavePreview("caf\xC3\xA9 \xE2\x82\xAC"))
                  .rfind("caf\xC3\xA9 \xE2\x82\xAC", 0),
              0u);
    // Day, month in words, year: in the middle of a day, so no zone moves it to another date.
    const std::time_t noon = 1236254400; // 5 March 2009, 12:00 UTC
    EXPECT_EQ(FormatSaveDate(noon).rfind("5 March 2009, ", 0), 0u) << FormatSaveDate(noon);

    // Deleting asks first; keeping it changes nothing, deleting removes the file and the row.
    const auto answer = [&](size_t which) {
        screen.AskToDelete("alpha");
        ASSERT_EQ(screen.Windows().ModalCount(), 1);
        auto* dialog = dynamic_cast<ChoiceDialog*>(screen.Windows().Topmost());
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->answerButtons.size(), 2u);
        dialog->answerButtons[which]->Activate();
        FinishInterfaceFrame();
        EXPECT_EQ(screen.Windows().ModalCount(), 0);
    };
    answer(1);
    EXPECT_TRUE(std::filesystem::exists(folder + "alpha.xml"));
    EXPECT_EQ(screen.SaveNames().size(), 3u);
    answer(0);
    EXPECT_FALSE(std::filesystem::exists(folder + "alpha.xml"));
    EXPECT_EQ(screen.SaveNames().size(), 2u);
    int rows = 0;
    for (const auto& button : screen.List().buttons)
        rows += button->identifier == "LOADGAME_LOAD";
    EXPECT_EQ(rows, 2);
}

// A damaged save is marked in the list, and choosing it brings one box naming it and leaves the
// list where it was, with nothing loaded.
TEST_F(ScreensTest, ADamagedSaveIsMarkedAndRefusedWithOneBox) {
    SetUserDir(logged.dir.Path() + "/user");
    logged.dir.Write("user/savegames/cut.xml", "<xml>\n<header>\n<version>Marrowgate 1.0</ver");
    GUI_LoadGameScreen screen;
    screen.Activate();
    const std::string mark = Translate("LOADGAME_DAMAGED");
    std::string label;
    for (const auto& button : screen.List().buttons)
        if (auto* row = dynamic_cast<GUI_ButtonText*>(&*button);
            row && row->identifier == "LOADGAME_LOAD")
            label = row->Label();
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
                                         "SAVENAME_EMPTY=A name, please.\n"
                                         "SAVENAME_UNDRAWABLE=Letters we can print, please.\n");
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
        {"arrow \xE2\x86\x92", "Letters we can print, please."},
        {"caf\xE9", "Letters we can print, please."}, // not UTF-8
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

    // Any character the fonts draw is taken, and the name is kept as UTF-8.
    EXPECT_EQ(TypedSaveNameRefusal("\xC2\xA3 and \xE2\x82\xAC"), "");
    EXPECT_EQ(TypedSaveNameRefusal("\xE2\x80\x9C\xC3\x89t\xC3\xA9\xE2\x80\x9D"), "");

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
