#include "interface/screens/main_screen/top_strip.h"

#include "base/json_writer.h"
#include "base/mission.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/political_capital.h"
#include "interface/game_frame.h"
#include "interface/screens/main_screen/control_panel.h"
#include "interface/screens/main_screen/main_screen.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_label.h"
#include "platform/render_device.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr float kGap = 26;
constexpr char kFont[] = "arialbold16.dds";

GUI_Label* MakeFigure(GUI_WindowBase& strip, const char* tooltipKey) {
    auto* label = new GUI_Label("", 0, 0, Translate(tooltipKey));
    label->SetFont(kFont, 16);
    strip.AddChild(label);
    return label;
}

GUI_PanelButton* MakeStripButton(GUI_WindowBase& strip, const char* id, const char* pictogram,
                                 const char* tooltip, void (*action)()) {
    auto* button = new GUI_PanelButton(pictogram, "");
    button->identifier = id;
    button->SetTooltip(tooltip);
    button->deferred = true;
    button->SetCallback([action](void*) { action(); });
    strip.AddChild(button);
    return button;
}

} // namespace

GUI_TopStrip::GUI_TopStrip() {
    closeOnEscape = false;
    date = MakeFigure(*this, "TOOLTIP_STRIP_DATE");
    polls = MakeFigure(*this, "TOOLTIP_STRIP_POLLS");
    money = MakeFigure(*this, "TOOLTIP_STRIP_MONEY");
    capital = MakeFigure(*this, "TOOLTIP_STRIP_CAPITAL");
    election = MakeFigure(*this, "TOOLTIP_STRIP_ELECTION");
    MakeStripButton(*this, "SaveButton", "save", "TOOLTIP_GAMESCREEN_SAVE",
                    [] { SetGameMode(GameMode::SaveGame); });
    MakeStripButton(*this, "MenuButton", "menu", "TOOLTIP_GAMESCREEN_MENU", LeaveGameForMenu);
}

void GUI_TopStrip::Layout(float screenWidth) {
    using ScreenLayout::S;
    SetRect(0, 0, screenWidth, S(kHeight));
    // The two buttons at the right end; the figures are placed as their texts change.
    const float side = S(38), buttonTop = S(3);
    float x = screenWidth - S(6) - side;
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        if (dynamic_cast<GUI_PanelButton*>(it->get())) {
            (*it)->SetRect(x, buttonTop, x + side, buttonTop + side);
            x -= side + S(4);
        }
    }
    UpdateContent();
}

std::string GUI_TopStrip::DateText() {
    const Calendar& calendar = GetCalendar();
    // The calendar counts years from the start of the game; the player reads them from one.
    // Once the game is over the player holds no office to count years in.
    std::string text = Translate(IsGameOver() ? "GAMESCREEN_DATE_OUT" : "GAMESCREEN_DATE");
    ReplaceAll(text, "<MONTH>", Translate("MONTH_" + std::to_string(calendar.month % 12 + 1)));
    ReplaceAll(text, "<YEAR>", std::to_string(calendar.year + 1));
    return text;
}

std::string GUI_TopStrip::PollText() {
    const PollTracker& tracker = GetPollTracker();
    const float now = tracker.shareHistory[0] * 100, before = tracker.shareHistory[1] * 100;
    char share[16], change[16];
    std::snprintf(share, sizeof share, "%d", static_cast<int>(std::lround(now)));
    std::snprintf(change, sizeof change, "%+.1f", now - before);
    std::string text = Translate("GAMESCREEN_POLLS_CHANGE");
    ReplaceAll(text, "<SHARE>", share);
    ReplaceAll(text, "<CHANGE>", change);
    return text;
}

std::string GUI_TopStrip::MoneyText() {
    const Finances& finances = GetFinances();
    const bool inDebt = finances.NationalDebt > 0;
    std::string text = Translate(inDebt ? "GAMESCREEN_DEBT" : "GAMESCREEN_TREASURY");
    ReplaceAll(text, "<MONEY>",
               FormatMoney(inDebt ? finances.NationalDebt : finances.CurrentBalance));
    return text;
}

std::string GUI_TopStrip::CapitalText() {
    const PoliticalCapital& stock = GetPoliticalCapital();
    std::string text = Translate("GAMESCREEN_CAPITAL_SHORT");
    ReplaceAll(text, "<CAPITAL>", std::to_string(stock.capital));
    ReplaceAll(text, "<PERTURN>", std::to_string(stock.capitalPerTurn));
    return text;
}

std::string GUI_TopStrip::ElectionText() {
    if (IsGameOver())
        return Translate("GAMESCREEN_NO_ELECTION");
    const int months = std::max(0, GetElectionManager().MonthsUntilElection());
    std::string text = Translate(months <= 0 ? "GAMESCREEN_ELECTION_NOW" : "GAMESCREEN_ELECTION");
    ReplaceAll(text, "<MONTHS>", std::to_string(months));
    return text;
}

void GUI_TopStrip::UpdateContent() {
    using ScreenLayout::S;
    // A game that is over has nothing left to save; the save would only bring back the end.
    for (const auto& button : buttons) {
        if (button->identifier == "SaveButton") {
            const bool over = IsGameOver();
            if (button->enabled == over)
                button->SetTooltip(over ? "TOOLTIP_SAVEGAME_OVER" : "TOOLTIP_GAMESCREEN_SAVE");
            button->enabled = !over;
        }
    }
    polls->visible = !hidePolls;
    GUI_Label* const figures[] = {date, polls, money, capital, election};
    const std::string texts[] = {DateText(), PollText(), MoneyText(), CapitalText(),
                                 ElectionText()};
    float used = 0;
    int shown = 0;
    for (size_t i = 0; i < 5; ++i) {
        GUI_Label* label = figures[i];
        if (label->text != texts[i])
            label->SetText(texts[i]);
        if (label->visible) {
            used += static_cast<float>(label->width);
            ++shown;
        }
    }
    // The figures share the room left of the buttons: the gaps shrink before anything overlaps.
    float room = static_cast<float>(right) - S(14);
    for (const auto& button : buttons) {
        if (dynamic_cast<GUI_PanelButton*>(button.get()))
            room = std::min(room, static_cast<float>(button->left) - S(10));
    }
    const float gap =
        shown > 1 ? std::clamp((room - S(14) - used) / static_cast<float>(shown - 1), S(8), S(kGap))
                  : 0.0f;
    float x = S(14);
    const float y = S(13);
    for (GUI_Label* label : figures) {
        if (label->left != static_cast<int>(x) || label->top != static_cast<int>(y))
            label->MoveTo(x, y);
        if (label->visible)
            x += static_cast<float>(label->width) + gap;
    }
}

void GUI_TopStrip::DescribeMore(JsonWriter& json) const {
    json.Key("figures");
    json.BeginObject();
    json.Field("date", date->text);
    // What the player reads: nothing while the guide hides the figure.
    json.Field("polls", polls->visible ? polls->text : std::string());
    json.Field("money", money->text);
    json.Field("capital", capital->text);
    json.Field("election", election->text);
    json.EndObject();
}

void GUI_TopStrip::DrawBackground() {
    RenderDevice& device = GetRenderDevice();
    device.FillRect(left, top, right, bottom, 0xD80C141E);
    device.FillRect(left, bottom - 1, right, bottom, 0xFF3A5068);
}
