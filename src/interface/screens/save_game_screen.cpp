#include "interface/screens/save_game_screen.h"

#include "base/debug_log.h"
#include "base/translation.h"
#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_text_field.h"
#include "interface/widgets/message_dialog.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "saveload/save_writer.h"

namespace {
constexpr float kPanelLeft = 212, kPanelRight = 812, kPanelTop = 200, kPanelBottom = 560;
constexpr size_t kMaxTypedName = 63;
} // namespace

GUI_SaveGameScreen::GUI_SaveGameScreen() {
    nameField = new GUI_TextField(kMaxTypedName);
    nameField->identifier = "SAVEGAME_NAME";
    nameField->SetCallback([this](void*) { QueueGameAction([this]() { SaveAndReturn(); }); });
    root.AddChild(nameField);

    auto* save = new GUI_ButtonText("SAVE_GAME");
    // Writing the file is long work: it starts once this frame is shown.
    save->SetCallback([this](void*) { QueueGameAction([this]() { SaveAndReturn(); }); });
    root.AddChild(save);

    auto* back = new GUI_ButtonText("MAIN_MENU");
    back->SetTooltip("TOOLTIP_MAINMENU");
    back->deferred = true;
    back->SetCallback([](void*) { SetGameMode(GameMode::Menu); });
    root.AddChild(back);
}

void GUI_SaveGameScreen::Activate() {
    using ScreenLayout::S;
    windowManager.CloseAll();
    const float centre = ScreenLayout::ScreenWidth() / 2;
    nameField->SetRect(centre - S(220), S(380), centre + S(220), S(412));
    root.buttons[1]->SetRect(centre - S(250), S(470), centre - S(20), S(518));
    root.buttons[2]->SetRect(centre + S(20), S(470), centre + S(250), S(518));
    nameField->SetText(Translate("SAVEGAME_DEFAULT"));
    nameField->focused = true;
}

void GUI_SaveGameScreen::SaveAndReturn() {
    const std::string typed = nameField->Text();
    const std::string refusal = SaveNameRefusal(typed);
    if (!refusal.empty()) {
        ShowMessageDialog(windowManager, Translate("SAVEGAME_TITLE"), refusal);
        return;
    }
    if (SaveGame(typed)) {
        SetGameMode(GameMode::Game);
        return;
    }
    // The error box has told why; the player is back on this screen with the name as typed.
    SetGameMode(GameMode::SaveGame);
    nameField->SetText(typed);
}

void GUI_SaveGameScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Escape)
        SetGameMode(GameMode::Menu);
}

void GUI_SaveGameScreen::DrawBackground() {
    ScreenLayout::DrawBackdrop("title.bmp", 0xC8000000);
    ScreenLayout::DrawPanel(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom);
}

void GUI_SaveGameScreen::DrawContent() {
    using ScreenLayout::S;
    ScreenLayout::DrawTitle(Translate("SAVEGAME_TITLE"), kPanelTop + 25);
    TextEngine& text = GetTextEngine();
    text.SetFont(ScreenLayout::kTextFont, ScreenLayout::kTextSize);
    text.DrawWrapped(Translate("SAVEGAME_INSTRUCTIONS"), S(kPanelLeft + 50), S(kPanelTop + 90),
                     static_cast<int>(S(kPanelRight - kPanelLeft - 100)),
                     ScreenLayout::kTextColour);
}
