#include "interface/screens/save_game_screen.h"

#include "base/debug_log.h"
#include "base/translation.h"
#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/widgets/choice_dialog.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_text_field.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/message_dialog.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "saveload/save_writer.h"

#include <memory>

namespace {
constexpr float kPanelLeft = 212, kPanelRight = 812, kPanelTop = 200, kPanelBottom = 560;
constexpr size_t kMaxTypedName = 63;
constexpr float kButtonWidth = 170, kButtonGap = 15;
} // namespace

std::string TypedSaveNameRefusal(const std::string& typed) {
    const std::string rule = SaveNameRefusal(typed);
    if (!rule.empty())
        return rule;
    // A name the fonts cannot draw could not be shown in the list of saves.
    if (!TextEngine::CanDrawText(typed))
        return Translate("SAVENAME_UNDRAWABLE");
    return std::string();
}

GUI_SaveGameScreen::GUI_SaveGameScreen() {
    nameField = new GUI_TextField(kMaxTypedName);
    nameField->identifier = "SAVEGAME_NAME";
    nameField->SetCallback([this](void*) { QueueGameAction([this]() { SaveAndReturn(); }); });
    root.AddChild(nameField);

    auto* save = new GUI_ButtonText("SAVE_GAME");
    save->identifier = "SAVEGAME_SAVE";
    // Writing the file is long work: it starts once this frame is shown.
    save->SetCallback([this](void*) { QueueGameAction([this]() { SaveAndReturn(); }); });
    root.AddChild(save);

    auto* cancel = new GUI_ButtonText("SAVEGAME_CANCEL");
    cancel->identifier = "SAVEGAME_CANCEL";
    cancel->SetTooltip("TOOLTIP_SAVEGAME_CANCEL");
    cancel->deferred = true;
    cancel->SetCallback([this](void*) { Cancel(); });
    root.AddChild(cancel);

    auto* back = new GUI_ButtonText("MAIN_MENU");
    back->identifier = "MAIN_MENU";
    back->SetTooltip("TOOLTIP_MAINMENU");
    back->deferred = true;
    back->SetCallback([this](void*) {
        afterSave = nullptr;
        SetGameMode(GameMode::Menu);
    });
    root.AddChild(back);
}

void GUI_SaveGameScreen::Activate() {
    using ScreenLayout::S;
    windowManager.CloseAll();
    const float centre = ScreenLayout::ScreenWidth() / 2;
    nameField->SetRect(centre - S(220), S(380), centre + S(220), S(412));
    float x = -1.5f * kButtonWidth - kButtonGap;
    for (size_t i = 1; i < root.buttons.size(); ++i) {
        root.buttons[i]->SetRect(centre + S(x), S(470), centre + S(x + kButtonWidth), S(518));
        x += kButtonWidth + kButtonGap;
    }
    nameField->SetText(Translate("SAVEGAME_DEFAULT"));
    nameField->focused = true;
    refusal.clear();
}

void GUI_SaveGameScreen::SaveAndReturn() {
    const std::string typed = nameField->Text();
    refusal = TypedSaveNameRefusal(typed);
    if (!refusal.empty()) {
        // Below the field, so the name it refuses stays in view beside the reason.
        using ScreenLayout::S;
        auto note = std::make_unique<MessageDialog>(Translate("SAVEGAME_TITLE"), refusal);
        const float centre = ScreenLayout::ScreenWidth() / 2;
        note->Place(centre - S(280), S(425), centre + S(280), S(600));
        windowManager.OpenModalOwned(std::move(note));
        return;
    }
    if (SaveGame(typed)) {
        MarkGameSaved();
        std::function<void()> next = std::move(afterSave);
        afterSave = nullptr;
        if (next)
            next();
        else
            SetGameMode(GameMode::Game);
        return;
    }
    // The error box has told why; the player is back on this screen with the name as typed.
    std::function<void()> waiting = std::move(afterSave);
    SetGameMode(GameMode::SaveGame);
    afterSave = std::move(waiting);
    nameField->SetText(typed);
}

void GUI_SaveGameScreen::Cancel() {
    afterSave = nullptr;
    SetGameMode(IsGameInProgress() ? GameMode::Game : GameMode::Menu);
}

void GUI_SaveGameScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Escape)
        Cancel();
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
    text.DrawWrapped(Translate("SAVEGAME_INSTRUCTIONS"), ScreenLayout::X(kPanelLeft + 50),
                     S(kPanelTop + 90), static_cast<int>(S(kPanelRight - kPanelLeft - 100)),
                     ScreenLayout::kTextColour);
}

void OpenSaveScreenThen(std::function<void()> next) {
    SetGameMode(GameMode::SaveGame);
    if (auto* screen = dynamic_cast<GUI_SaveGameScreen*>(GetCurrentScreen()))
        screen->afterSave = std::move(next);
}

void AskToSaveFirst(GUI_WindowManager& windows, const std::string& questionKey,
                    std::function<void()> proceed) {
    if (!HasUnsavedProgress()) {
        proceed();
        return;
    }
    ShowChoiceDialog(
        windows, Translate("LEAVE_PROMPT_TITLE"), Translate(questionKey),
        {{"LEAVE_PROMPT_SAVE", "PromptSaveButton", [proceed]() { OpenSaveScreenThen(proceed); }},
         {"LEAVE_PROMPT_DISCARD", "PromptDiscardButton", proceed},
         {"LEAVE_PROMPT_CANCEL", "PromptCancelButton", nullptr}});
}
