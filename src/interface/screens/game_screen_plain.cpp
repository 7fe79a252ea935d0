#include "interface/screens/game_screen_plain.h"

#include "base/mission.h"
#include "base/translation.h"
#include "base/turn.h"
#include "game/turn_pipeline.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/political_capital.h"
#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/message_dialog.h"
#include "interface/widgets/text_engine.h"
#include "interface/windows/game_window.h"
#include "interface/windows/game_windows.h"
#include "network/neuron.h"
#include "platform/input_state.h"
#include "platform/render_device.h"
#include "population/party.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

constexpr float kTopBarHeight = 40;
constexpr float kPanelHeight = 96;
constexpr float kButtonHeight = 44;
constexpr unsigned kBarColour = 0xC0101820;

std::string ElectionText(const ElectionOutcome& outcome) {
    char share[32];
    std::snprintf(share, sizeof share, "%.1f", outcome.share * 100.0f);
    std::string shareLine = Translate("GAMESCREEN_VOTESHARE");
    ReplaceAll(shareLine, "<SHARE>", share);
    std::string text = outcome.resultText + "\n\n" + Translate("ELECTION_PLAYER_TURNOUT") + ": " +
                       std::to_string(outcome.tally.playerVotes) + "\n" +
                       Translate("ELECTION_OPPOSITION_TURNOUT") + ": " +
                       std::to_string(outcome.tally.oppositionVotes) + "\n" + shareLine;
    if (!outcome.remainingTermsText.empty())
        text += "\n\n" + outcome.remainingTermsText;
    return text;
}

} // namespace

GUI_MainScreen::GUI_MainScreen() {
    menu = new GUI_ButtonText("GAMESCREEN_MENU");
    menu->SetTooltip("TOOLTIP_GAMESCREEN_MENU");
    menu->deferred = true;
    menu->SetCallback([](void*) { SetGameMode(GameMode::Menu); });
    root.AddChild(menu);

    save = new GUI_ButtonText("GAMESCREEN_SAVE");
    save->SetTooltip("TOOLTIP_GAMESCREEN_SAVE");
    save->deferred = true;
    save->SetCallback([](void*) { SetGameMode(GameMode::SaveGame); });
    root.AddChild(save);

    nextTurn = new GUI_ButtonText("NEXT_TURN");
    nextTurn->SetTooltip("TOOLTIP_NEXTTURN");
    nextTurn->identifier = "NextTurnButton";
    // The turn is long work behind the processing screen: it starts once this frame is shown.
    nextTurn->SetCallback([this](void*) { QueueGameAction([this]() { NextTurn(); }); });
    root.AddChild(nextTurn);

    // Every window of the game has its button here, under the names the control panel gives
    // them, until the control panel itself takes their place.
    struct Opener {
        const char* id;
        const char* label;
        void (*open)();
    };
    static const Opener kOpeners[] = {
        {"DilemmaButton", "Dilemma", [] { OpenFirstDilemma(); }},
        {"ManifestoButton", "Manifesto", [] { OpenManifesto(); }},
        {"PollsButton", "Polls", [] { OpenPolls(); }},
        {"PolicyPickerButton", "Policies", [] { OpenPolicyPicker(); }},
        {"FinanceButton", "Finance", [] { OpenFinance(); }},
        {"AchievementsButton", "Awards", [] { OpenAchievements(); }},
        {"PartiesButton", "Parties", [] { OpenParties(); }},
        {"CabinetButton", "Cabinet", [] { OpenCabinet(); }},
        {"ReportButton", "Reports", [] { OpenReports(); }},
        {"ThreatButton", "Intel", [] { OpenIntelligence(); }},
    };
    for (const Opener& opener : kOpeners) {
        auto* button = new GUI_ButtonText("");
        button->SetLabel(opener.label);
        button->identifier = opener.id;
        button->fontSize = 12;
        button->deferred = true;
        void (*open)() = opener.open;
        button->SetCallback([open](void*) { open(); });
        root.AddChild(button);
        openers.push_back(button);
    }
}

void GUI_MainScreen::Layout() {
    using ScreenLayout::S;
    const float w = ScreenLayout::ScreenWidth(), h = ScreenLayout::ScreenHeight();
    const float top = h - S(kPanelHeight) + (S(kPanelHeight) - S(kButtonHeight)) / 2;
    const float bottom = top + S(kButtonHeight);
    menu->SetRect(S(30), top, S(190), bottom);
    save->SetRect(S(205), top, S(365), bottom);
    nextTurn->SetRect(w - S(250), top, w - S(30), bottom);
    const float rowTop = h - S(kPanelHeight) - S(34);
    for (size_t i = 0; i < openers.size(); ++i) {
        const float left = S(12) + S(100) * static_cast<float>(i);
        openers[i]->SetRect(left, rowTop, left + S(94), rowTop + S(28));
    }
}

namespace {
// A script that ends the game gives its own title and words; they replace the usual ones.
std::string gScriptedGameOverTitle;
std::string gScriptedGameOverText;
} // namespace

void SetScriptedGameOver(const std::string& title, const std::string& text) {
    gScriptedGameOverTitle = title;
    gScriptedGameOverText = text;
}

void GUI_MainScreen::Activate() {
    // The game windows open over this screen.
    SetGameWindowManager(&Windows());
    Layout();
    if (!IsGameOver()) {
        gameOverShown = false;
        SetScriptedGameOver("", "");
    }
    nextTurn->enabled = !IsGameOver();
    ShowGameOverIfDue();
}

void GUI_MainScreen::NextTurn() {
    if (IsGameOver())
        return;
    const SIM_ElectionManager& elections = GetElectionManager();
    const bool hadOutcome = elections.HasOutcome();
    const int month = elections.electionMonth, year = elections.electionYear;
    ProcessNewTurn();
    nextTurn->enabled = !IsGameOver();
    // A new election date (or a first result) means one was held in this turn.
    if (elections.HasOutcome() &&
        (!hadOutcome || elections.electionMonth != month || elections.electionYear != year)) {
        std::string text = ElectionText(elections.LastOutcome());
        if (IsGameOver() && !gameOverShown) {
            // The election ended the game: one dialog tells both.
            gameOverShown = true;
            text += "\n\n" + GameOverText();
            ShowMessage(Translate("GAMESCREEN_GAMEOVER_TITLE"), text);
        } else {
            ShowMessage(Translate("ELECTION_RESULTS"), text);
        }
    }
    ShowGameOverIfDue();
}

std::string GUI_MainScreen::GameOverText() const {
    if (!gScriptedGameOverText.empty())
        return Translate(gScriptedGameOverText);
    const SIM_ElectionManager& elections = GetElectionManager();
    const bool lost = elections.HasOutcome() && !elections.LastOutcome().won;
    return Translate(lost ? "GAMESCREEN_GAMEOVER_LOST" : "GAMESCREEN_GAMEOVER_SERVED");
}

void GUI_MainScreen::ShowGameOverIfDue() {
    if (!IsGameOver() || gameOverShown)
        return;
    gameOverShown = true;
    const std::string& title =
        gScriptedGameOverTitle.empty() ? "GAMESCREEN_GAMEOVER_TITLE" : gScriptedGameOverTitle;
    ShowMessage(Translate(title), GameOverText());
}

void GUI_MainScreen::ShowMessage(const std::string& title, const std::string& text) {
    ShowMessageDialog(windowManager, title, text);
}

std::string GUI_MainScreen::DateText() const {
    const Calendar& calendar = GetCalendar();
    // The calendar counts years from the start of the game; the player reads them from one.
    std::string text = Translate("GAMESCREEN_DATE");
    ReplaceAll(text, "<MONTH>", Translate("MONTH_" + std::to_string(calendar.month % 12 + 1)));
    ReplaceAll(text, "<YEAR>", std::to_string(calendar.year + 1));
    return text;
}

std::string GUI_MainScreen::PollText() const {
    char share[16];
    std::snprintf(share, sizeof share, "%d",
                  static_cast<int>(std::lround(GetPotentialVoteRate() * 100)));
    std::string text = Translate("GAMESCREEN_POLLS");
    ReplaceAll(text, "<SHARE>", share);
    return text;
}

std::string GUI_MainScreen::MoneyText() const {
    const Finances& finances = GetFinances();
    const bool inDebt = finances.NationalDebt > 0;
    std::string text = Translate(inDebt ? "GAMESCREEN_DEBT" : "GAMESCREEN_TREASURY");
    ReplaceAll(text, "<MONEY>",
               FormatMoney(inDebt ? finances.NationalDebt : finances.CurrentBalance));
    return text;
}

std::string GUI_MainScreen::TurnText() const {
    std::string text = Translate("GAMESCREEN_TURN");
    ReplaceAll(text, "<TURN>", std::to_string(GetTurnNumber()));
    return text;
}

void GUI_MainScreen::OnScreenKey(int keyCode) {
    if (keyCode == KeyCode::Escape)
        SetGameMode(GameMode::Menu);
    else if (keyCode == KeyCode::F1)
        OpenPolls();
    else if (keyCode == KeyCode::F1 + 1)
        OpenPolicyPicker();
    else if (keyCode == KeyCode::F1 + 2)
        OpenFinance();
    else if (keyCode == KeyCode::F1 + 5)
        OpenFirstDilemma();
}

void OpenFirstDilemma() {
    const SIM_IssuesManager& issues = GetIssuesManager();
    for (size_t i = 0; i < issues.Count(); ++i) {
        const SIM_Issue* issue = issues.At(i);
        if (issue->kind == 0 && issue->subject) {
            OpenDilemma(issue->subject->name);
            return;
        }
    }
}

void GUI_MainScreen::DrawBackground() {
    using ScreenLayout::S;
    const float w = ScreenLayout::ScreenWidth(), h = ScreenLayout::ScreenHeight();
    ScreenLayout::DrawBackdrop("7lines.jpg", 0);
    GetRenderDevice().FillRect(0, 0, w, S(kTopBarHeight), kBarColour);
    GuiDraw::PictureOr("controlpanel.dds", 0, h - S(kPanelHeight), w, h, kBarColour, 0);
}

void GUI_MainScreen::DrawContent() {
    using namespace ScreenLayout;
    const float w = ScreenWidth();
    const std::string font = kLabelFont;
    const float y = S(12);
    GuiDraw::Text(font, kTextSize, DateText(), S(20), y, kTextColour);
    GuiDraw::Text(font, kTextSize, PollText(), w * 0.3f, y, kTextColour);
    GuiDraw::Text(font, kTextSize, MoneyText(), w * 0.55f, y, kTextColour);
    GuiDraw::Text(font, kTextSize, TurnText(),
                  w - S(20) - GuiDraw::TextWidth(font, kTextSize, TurnText()), y, kTextColour);

    DrawCountryCard();
}

// The card in the middle: whose country it is, what the player has to spend, when the voters
// next have their say, and what waits on the desk.
void GUI_MainScreen::DrawCountryCard() {
    using namespace ScreenLayout;
    const float w = ScreenWidth();
    const float left = S(350), right = S(674);
    const CMission& mission = GetMission();
    RenderDevice& device = GetRenderDevice();
    TextureId flag = mission.flag.empty() ? kNoTexture : device.FindTexture(mission.flag);
    if (flag != kNoTexture) {
        GetTextEngine().Flush();
        device.DrawPicture(flag, w / 2 - S(40), S(276), w / 2 + S(40), S(326));
        device.OutlineRect(w / 2 - S(40), S(276), w / 2 + S(40), S(326), 0x60FFFFFF);
    }
    GuiDraw::Text(kTitleFont, kTitleSize, mission.name, w / 2, S(336), kTextColour, true);
    const SIM_Party* player = GetPlayersParty();
    const SIM_Party* opposition = GetOpposition();
    if (player && opposition)
        GuiDraw::Text(kTextFont, kTextSize, player->partyName + "  /  " + opposition->partyName,
                      w / 2, S(374), kDimTextColour, true);

    const PoliticalCapital& capital = GetPoliticalCapital();
    std::string capitalText = Translate("GAMESCREEN_CAPITAL");
    ReplaceAll(capitalText, "<CAPITAL>", std::to_string(capital.capital));
    ReplaceAll(capitalText, "<PERTURN>", std::to_string(capital.capitalPerTurn));
    GuiDraw::Text(kLabelFont, kTextSize, capitalText, left, S(408), kTextColour);

    std::string electionText;
    if (IsGameOver()) {
        electionText = Translate("GAMESCREEN_NO_ELECTION");
    } else {
        int months = std::max(0, GetElectionManager().MonthsUntilElection());
        electionText = Translate(months <= 0 ? "GAMESCREEN_ELECTION_NOW" : "GAMESCREEN_ELECTION");
        ReplaceAll(electionText, "<MONTHS>", std::to_string(months));
    }
    GuiDraw::Text(kLabelFont, kTextSize, electionText, left, S(432), kTextColour);

    // The newest matters first; the card has room for three.
    const SIM_IssuesManager& issues = GetIssuesManager();
    GuiDraw::Text(kTextFont, kTextSize,
                  Translate(issues.Count() ? "GAMESCREEN_DESK" : "GAMESCREEN_DESK_EMPTY"), left,
                  S(462), kDimTextColour);
    float y = S(486);
    for (size_t shown = 0, i = issues.Count(); i-- > 0 && shown < 3; ++shown) {
        const SIM_Issue* issue = issues.At(i);
        // Titles are text keys for most issues and finished text for a few; an unknown key
        // translates to itself.
        std::string title = Translate(issue->title.empty() ? issue->text : issue->title);
        TextEngine& text = GetTextEngine();
        text.SetFont(kTextFont, kTextSize);
        // One line each: a long headline is cut at the card's edge.
        title = text.SplitLine(title, static_cast<int>(right - left - S(14))).first;
        GuiDraw::Text(kTextFont, kTextSize, "- " + title, left, y, kTextColour);
        y += S(20);
    }
}
