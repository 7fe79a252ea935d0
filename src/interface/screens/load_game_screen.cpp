#include "interface/screens/load_game_screen.h"

#include "base/debug_log.h"
#include "base/translation.h"
#include "game/load_game.h"
#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_scrolling_window.h"
#include "interface/widgets/message_dialog.h"
#include "interface/widgets/text_engine.h"
#include "platform/input_state.h"
#include "saveload/save_writer.h"

#include <cstdio>
#include <sys/stat.h>

namespace {
constexpr float kPanelLeft = 162, kPanelRight = 862, kPanelTop = 30, kPanelBottom = 620;
constexpr float kListLeft = 192, kListRight = 832, kListTop = 110, kListBottom = 600;
constexpr float kRowHeight = 44, kRowPitch = 52;
constexpr float kIconSize = 28;
} // namespace

std::string FormatSaveTime(std::time_t written) {
    std::tm utc{};
    if (!gmtime_r(&written, &utc))
        return std::string();
    char text[64];
    std::snprintf(text, sizeof text, "(%02d:%02d %02d/%02d/%02d)", utc.tm_hour, utc.tm_min,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_year + 1900);
    return text;
}

std::string SaveRowLabel(const std::string& name) {
    struct stat info {};
    if (stat(SavePath(name).c_str(), &info) != 0)
        return name;
    std::string label = name + "  " + FormatSaveTime(info.st_mtime);
    if (!FindSavedGameDamage(name).empty())
        label += "  " + Translate("LOADGAME_DAMAGED");
    return label;
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
    list->SetRect(S(kListLeft), S(kListTop), S(kListRight), S(kListBottom));
    const float centre = ScreenLayout::ScreenWidth() / 2;
    root.buttons.back()->SetRect(centre - S(120), S(650), centre + S(120), S(698));
    RebuildList();
}

void GUI_LoadGameScreen::RebuildList() {
    using ScreenLayout::S;
    list->ClearContent();
    names = ListSaves();
    const float rowRight = static_cast<float>(list->ViewRight()) - S(kIconSize + 14);
    float y = static_cast<float>(list->top);
    for (const std::string& name : names) {
        auto* row = new GUI_ButtonText("LOADGAME_LOAD");
        row->SetLabel(SaveRowLabel(name));
        row->font = ScreenLayout::kLabelFont;
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
        remove->SetCallback([this, name](void*) { DeleteSave(name); });
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
    // The game the player leaves takes its open windows with it.
    QueueGameAction([this, name]() {
        ResetGameWindows();
        // Gone since the click: the reader has said so, and the list shows what is left.
        if (!StartLoadGame(name))
            RebuildList();
    });
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
