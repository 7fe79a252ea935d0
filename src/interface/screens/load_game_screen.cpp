#include "interface/screens/load_game_screen.h"

#include "base/debug_log.h"
#include "base/translation.h"
#include "game/load_game.h"
#include "interface/game_frame.h"
#include "interface/screens/save_game_screen.h"
#include "interface/screens/screens.h"
#include "interface/widgets/choice_dialog.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_scrolling_window.h"
#include "interface/widgets/message_dialog.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "saveload/save_preview.h"
#include "saveload/save_writer.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr float kPanelLeft = 162, kPanelRight = 862, kPanelTop = 30, kPanelBottom = 620;
constexpr float kListLeft = 192, kListRight = 832, kListTop = 110, kListBottom = 600;
constexpr float kRowHeight = 44, kRowPitch = 52;
constexpr float kIconSize = 28;
} // namespace

std::string FormatSaveDate(std::time_t written) {
    std::tm local{};
    if (!localtime_r(&written, &local))
        return std::string();
    char text[96];
    std::snprintf(text, sizeof text, "%d %s %d, %02d:%02d", local.tm_mday,
                  Translate("MONTH_" + std::to_string(local.tm_mon + 1)).c_str(),
                  local.tm_year + 1900, local.tm_hour, local.tm_min);
    return text;
}

std::string SaveRowLabel(const SavePreview& save, float maxWidth) {
    std::string name = save.name;
    std::string rest;
    if (save.written > 0)
        rest += ", " + FormatSaveDate(save.written);
    if (save.hasDetails) {
        std::string details = Translate("LOADGAME_DETAILS");
        // Counted as the player counts them: the two settling turns before office are not play.
        ReplaceAll(details, "<TURN>", std::to_string(std::max(0, save.turn - 2)));
        ReplaceAll(details, "<COUNTRY>", save.country);
        ReplaceAll(details, "<POLL>", std::to_string(static_cast<int>(save.poll * 100 + 0.5f)));
        rest += "  -  " + details;
    }
    if (save.damaged)
        rest += "  " + Translate("LOADGAME_DAMAGED");
    // A long name gives way, so the date and the details always show.
    const auto width = [](const std::string& text) {
        return static_cast<float>(
            GuiDraw::TextWidth(ScreenLayout::kTextFont, ScreenLayout::kTextSize, text));
    };
    if (maxWidth > 0 && width(name + rest) > maxWidth) {
        while (name.size() > 1 && width(name + "..." + rest) > maxWidth) {
            name.pop_back();
            // Whole characters: a name is UTF-8.
            while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80)
                name.pop_back();
            if (!name.empty() && static_cast<unsigned char>(name.back()) >= 0xC0)
                name.pop_back();
        }
        name += "...";
    }
    return name + rest;
}

GUI_LoadGameScreen::GUI_LoadGameScreen() {
    list = new GUI_ScrollingWindow();
    list->name = "LOADGAME_LIST";
    list->takesMouse = false;
    root.AddChildWindow(list);

    auto* back = new GUI_ButtonText("MAIN_MENU");
    back->SetTooltip("TOOLTIP_MAINMENU");
    back->deferred = true;
    back->SetCallback([](void*) { SetGameMode(GameMode::Menu); });
    root.AddChild(back);
}

void GUI_LoadGameScreen::Activate() {
    using ScreenLayout::S;
    windowManager.CloseAll();
    list->SetRect(ScreenLayout::X(kListLeft), S(kListTop), ScreenLayout::X(kListRight),
                  S(kListBottom));
    const float centre = ScreenLayout::ScreenWidth() / 2;
    root.buttons.back()->SetRect(centre - S(120), S(650), centre + S(120), S(698));
    RebuildList();
}

void GUI_LoadGameScreen::RebuildList() {
    using ScreenLayout::S;
    list->ClearContent();
    names.clear();
    const float rowRight = static_cast<float>(list->ViewRight()) - S(kIconSize + 14);
    float y = static_cast<float>(list->top);
    for (SavePreview save : ListSavePreviews()) {
        const std::string name = save.name;
        save.damaged = !FindSavedGameDamage(name).empty();
        names.push_back(name);
        auto* row = new GUI_ButtonText("LOADGAME_LOAD");
        const float room = rowRight - static_cast<float>(list->left) - S(24);
        row->SetLabel(SaveRowLabel(save, room));
        if (row->Label() != SaveRowLabel(save))
            row->SetTooltipText(SaveRowLabel(save));
        row->font = ScreenLayout::kTextFont;
        row->SetRect(static_cast<float>(list->left), y, rowRight, y + S(kRowHeight));
        row->SetCallback([this, name](void*) { ChooseSave(name); });
        list->AddContent(row);

        auto* remove = new GUI_IconButton("gui_close_icon.dds", "gui_close_icon_h.dds");
        remove->SetTooltip("LOADGAME_DELETE_TOOLTIP");
        remove->identifier = "LOADGAME_DELETE";
        const float iconTop = y + (S(kRowHeight) - S(kIconSize)) / 2;
        remove->SetRect(rowRight + S(8), iconTop, rowRight + S(8 + kIconSize),
                        iconTop + S(kIconSize));
        // The row goes with the list it rebuilds, so the deletion runs after the frame.
        remove->deferred = true;
        remove->SetCallback([this, name](void*) { AskToDelete(name); });
        list->AddContent(remove);
        y += S(kRowPitch);
    }
}

void GUI_LoadGameScreen::ChooseSave(const std::string& name) {
    // A file put in the save folder by hand may carry a name no save of ours could have.
    const std::string refusal = SaveNameRefusal(name);
    if (!refusal.empty()) {
        ShowMessageDialog(windowManager, Translate("LOADGAME_TITLE"), refusal);
        return;
    }
    std::FILE* file = std::fopen(SavePath(name).c_str(), "rb");
    if (!file) {
        REPORT_ERROR("corrupt save game file");
        DeferAfterFrame([this]() { RebuildList(); });
        return;
    }
    std::fclose(file);
    if (!FindSavedGameDamage(name).empty()) {
        // Refused whole, with the reader's one box; the game in progress keeps its windows.
        StartLoadGame(name);
        DeferAfterFrame([this]() { RebuildList(); });
        return;
    }
    AskToSaveFirst(windowManager, "LEAVE_PROMPT_LOAD", [this, name]() { LoadChosen(name); });
}

void GUI_LoadGameScreen::LoadChosen(const std::string& name) {
    // The game the player leaves takes its open windows with it.
    QueueGameAction([this, name]() {
        ResetGameWindows();
        // Gone since the click: the reader has said so, and the list shows what is left.
        if (!StartLoadGame(name))
            RebuildList();
    });
}

void GUI_LoadGameScreen::AskToDelete(const std::string& name) {
    std::string question = Translate("LOADGAME_DELETE_PROMPT");
    ReplaceAll(question, "<NAME>", name);
    ShowChoiceDialog(
        windowManager, Translate("LOADGAME_DELETE_TITLE"), question,
        {{"LOADGAME_DELETE_YES", "DeleteSaveButton", [this, name]() { DeleteSave(name); }},
         {"LOADGAME_DELETE_NO", "KeepSaveButton", nullptr}});
}

void GUI_LoadGameScreen::DeleteSave(const std::string& name) {
    if (std::remove(SavePath(name).c_str()) != 0)
        LogF("Could not delete the save %s", name.c_str());
    RebuildList();
}

void GUI_LoadGameScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Escape)
        SetGameMode(GameMode::Menu);
}

void GUI_LoadGameScreen::DrawBackground() {
    ScreenLayout::DrawBackdrop("title.bmp", 0xC8000000);
    ScreenLayout::DrawPanel(kPanelLeft, kPanelTop, kPanelRight, kPanelBottom);
}

void GUI_LoadGameScreen::DrawContent() {
    using ScreenLayout::S;
    ScreenLayout::DrawTitle(Translate("LOADGAME_TITLE"), kPanelTop + 25);
    if (names.empty())
        GuiDraw::Text(ScreenLayout::kTextFont, ScreenLayout::kTextSize,
                      Translate("LOADGAME_NOSAVES"), ScreenLayout::ScreenWidth() / 2,
                      S(kListTop + 40), ScreenLayout::kDimTextColour, true);
}
