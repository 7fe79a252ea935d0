// The windows of single happenings: a dilemma to answer, an event to read, an attack that got
// through, an award, and the end of the game.

#include "base/debug_log.h"
#include "base/json_writer.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/election_manager.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "interface/game_frame.h"
#include "interface/screens/menu_screen.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/message_dialog.h"
#include "interface/windows/desk_parts.h"
#include "interface/windows/desk_windows.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "network/network_state.h"
#include "network/neuron.h"
#include "population/attack.h"
#include "population/pressure_group.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

using ScreenLayout::S;

// Design layout shared by the notices: a margin, a picture band, text and a button row.
constexpr float kMargin = 20;
constexpr float kTitleBand = 35;
constexpr float kButtonHeight = 34;
constexpr float kEventPictureWidth = 256, kEventPictureHeight = 160;
constexpr float kMaxWindowHeight = 720;

// Dilemmas have no pictures of their own: the desk's dilemma icon stands for them.
constexpr const char kDilemmaPicture[] = "gui_dilemma_icon.dds";
constexpr float kDilemmaPictureSize = 96;
constexpr float kDilemmaWidth = 700;
constexpr float kOptionButtonWidth = 220;
constexpr float kOptionGap = 14;

constexpr const char kAttackPicture[] = "event_terror.jpg";
constexpr float kNoticeWidth = 560;

float DesignHeightOf(const std::string& text, float designWidth, int size = 16) {
    return WrappedTextHeight(text, ScreenLayout::kTextFont, size, S(designWidth)) /
           ScreenLayout::Scale();
}

// The button that closes a notice, centred at the bottom.
void AddNotedButton(GUI_GameWindow& window, const std::string& id) {
    const float centre = (window.left + window.right) / 2.0f;
    auto* noted = AddDeskButton(window, "DESK_NOTED", id, centre - S(90), window.bottom - S(48),
                                centre + S(90), window.bottom - S(48) + S(kButtonHeight));
    noted->SetCallback([&window](void*) { window.Close(); });
}

SIM_AttackEvent* FindAnyAttack(const std::string& name) {
    for (SIM_AttackEvent* attack : AllAttacks()) {
        if (attack->name == name)
            return attack;
    }
    return nullptr;
}

// The shown name of a node, or its name when it has none.
std::string NodeTitle(const std::string& nodeName) {
    Neuron* node = FindNeuron(nodeName);
    if (node && node->guiName[0])
        return Translate(node->guiName);
    return nodeName;
}

// Height of the dilemma window for its texts: the description beside the picture, then one
// band per option as tall as its description.
float DilemmaHeight(const std::string& dilemmaName) {
    const SIM_Dilemma* dilemma = GetDilemmaManager().FindDilemma(dilemmaName);
    if (!dilemma)
        return 240;
    const float textWidth = kDilemmaWidth - 3 * kMargin - kDilemmaPictureSize;
    float height =
        kTitleBand + 10 +
        std::max(kDilemmaPictureSize, DesignHeightOf(Translate(dilemma->description), textWidth)) +
        18;
    const float optionTextWidth = kDilemmaWidth - 3 * kMargin - kOptionButtonWidth;
    for (const DilemmaOption& option : dilemma->options)
        height += std::max(kButtonHeight,
                           DesignHeightOf(Translate(option.description), optionTextWidth, 14)) +
                  kOptionGap;
    return std::min(kMaxWindowHeight, height + kMargin);
}

float EventHeight(const std::string& text) {
    return std::min(kMaxWindowHeight, kTitleBand + 10 + kEventPictureHeight + 14 +
                                          DesignHeightOf(text, kNoticeWidth - 2 * kMargin) + 20 +
                                          kButtonHeight + 16);
}

} // namespace

SIM_Event* FindDeskEvent(const std::string& name) {
    SIM_EventManager& events = GetEventManager();
    if (SIM_Event* event = events.FindEvent(name))
        return event;
    // Announcements (a minister's resignation) have no name of their own.
    for (SIM_Event* event : events.Announcements()) {
        if (name == event->name || name == event->guiName)
            return event;
    }
    return nullptr;
}

// ---- Dilemma -------------------------------------------------------------------------------

GUI_DilemmaWindow::GUI_DilemmaWindow(const std::string& name)
    : GUI_GameWindow(WindowKind::Dilemma, "", kDilemmaWidth, DilemmaHeight(name)),
      dilemmaName(name) {
    if (const SIM_Dilemma* dilemma = GetDilemmaManager().FindDilemma(name)) {
        SetTitleKey(dilemma->guiName);
        description = Translate(dilemma->description);
        for (const DilemmaOption& option : dilemma->options) {
            optionNames.push_back(Translate(option.name));
            optionTexts.push_back(Translate(option.description));
        }
    }
}

void GUI_DilemmaWindow::Build() {
    const float l = static_cast<float>(left), t = static_cast<float>(top) + S(kTitleBand + 10);
    const float r = static_cast<float>(right);
    const float pictureRight = l + S(kMargin + kDilemmaPictureSize);
    AddChild(new GUI_Picture(kDilemmaPicture, l + S(kMargin), t, pictureRight,
                             t + S(kDilemmaPictureSize)));
    const float textLeft = pictureRight + S(kMargin);
    const float descriptionHeight =
        std::max(S(kDilemmaPictureSize), WrappedTextHeight(description, ScreenLayout::kTextFont, 16,
                                                           r - S(kMargin) - textLeft));
    AddText(*this, description, textLeft, t, r - S(kMargin), t + descriptionHeight);

    float y = t + descriptionHeight + S(18);
    const float optionTextLeft = l + S(2 * kMargin + kOptionButtonWidth);
    for (size_t i = 0; i < optionNames.size(); ++i) {
        const float textHeight =
            std::max(S(kButtonHeight), WrappedTextHeight(optionTexts[i], ScreenLayout::kTextFont,
                                                         14, r - S(kMargin) - optionTextLeft));
        const float bandBottom = std::min(y + textHeight, bottom - S(8));
        GUI_ButtonText* button =
            AddDeskButton(*this, "", "DilemmaOption" + std::to_string(i + 1), l + S(kMargin), y,
                          l + S(kMargin + kOptionButtonWidth), y + S(kButtonHeight));
        button->SetLabel(optionNames[i]);
        button->SetTooltipText(optionTexts[i]);
        button->SetCallback([this, i](void*) { Choose(i); });
        GUI_TextBlock* text =
            AddText(*this, optionTexts[i], optionTextLeft, y, r - S(kMargin), bandBottom);
        text->fontSize = 14;
        y += textHeight + S(kOptionGap);
    }
}

bool GUI_DilemmaWindow::Choose(size_t option) {
    // The option's script reports its own failures; the answer stands and the window closes
    // either way, so a broken script never leaves the dilemma stuck on the desk.
    const ActionResult result = ChooseDilemmaAction(dilemmaName, static_cast<int>(option) + 1);
    Log(result.message);
    Close();
    if (!result.ok) {
        if (GUI_WindowManager* windows = GameWindowManager())
            ShowMessageDialog(*windows, Translate("DILEMMA_REFUSED"), result.message);
    }
    RefreshGameWindows();
    return result.ok;
}

void GUI_DilemmaWindow::DescribeMore(JsonWriter& json) const {
    json.Field("dilemma", dilemmaName);
}

// ---- Event ---------------------------------------------------------------------------------

GUI_EventWindow::GUI_EventWindow(const std::string& name)
    : GUI_GameWindow(WindowKind::Event, "", kNoticeWidth,
                     EventHeight(FindDeskEvent(name) ? Translate(FindDeskEvent(name)->description)
                                                     : std::string())),
      eventName(name) {
    if (const SIM_Event* event = FindDeskEvent(name)) {
        SetTitleKey(event->guiName);
        text = Translate(event->description);
        picture = event->texture;
    }
}

void GUI_EventWindow::Build() {
    const float centre = (left + right) / 2.0f;
    const float t = top + S(kTitleBand + 10);
    AddChild(new GUI_Picture(picture, centre - S(kEventPictureWidth / 2), t,
                             centre + S(kEventPictureWidth / 2), t + S(kEventPictureHeight)));
    const float textTop = t + S(kEventPictureHeight + 14);
    AddText(*this, text, left + S(kMargin), textTop, right - S(kMargin), bottom - S(56));
    AddNotedButton(*this, "EventNotedButton");
}

// ---- Attack --------------------------------------------------------------------------------

GUI_AttackWindow::GUI_AttackWindow(const std::string& name)
    : GUI_GameWindow(WindowKind::Attack, "", kNoticeWidth, 440), attackName(name) {}

void GUI_AttackWindow::Build() {
    const SIM_AttackEvent* attack = FindAnyAttack(attackName);
    if (!attack)
        return;
    SetTitleKey(attack->guiName);
    const float centre = (left + right) / 2.0f;
    const float l = left + S(kMargin), r = right - S(kMargin);
    float y = top + S(kTitleBand + 10);
    AddChild(new GUI_Picture(kAttackPicture, centre - S(kEventPictureWidth / 2), y,
                             centre + S(kEventPictureWidth / 2), y + S(kEventPictureHeight)));
    y += S(kEventPictureHeight + 12);
    const std::string text = Translate(attack->successText);
    const float textHeight =
        std::min(S(120), WrappedTextHeight(text, ScreenLayout::kTextFont, 16, r - l));
    AddText(*this, text, l, y, r, y + textHeight);
    y += textHeight + S(16);

    const std::string group =
        attack->usedBy ? Translate(attack->usedBy->guiName) : Translate("ATTACK_NO_GROUP");
    AddLabel(*this, Translate("ATTACK_BY") + " " + group, l, y, Translate("TOOLTIP_ATTACK_BY"));
    y += S(24);
    char figure[64];
    std::snprintf(figure, sizeof figure, "%.1f", attack->cost);
    AddLabel(*this, Translate("ATTACK_COST") + " " + figure, l, y,
             Translate("TOOLTIP_ATTACK_COST"));
    AddLabel(*this, Translate("ATTACK_CHANCE") + " " + PercentText(attack->successChance, 0), r, y,
             Translate("TOOLTIP_ATTACK_CHANCE"), LabelAlign::Right);
    y += S(24);
    const float security = Network().securityNeuron ? Network().securityNeuron->GetValue() : 0.0f;
    AddLabel(*this,
             Translate("ATTACK_SECURITY") + " " +
                 PercentText(std::clamp(security, 0.0f, kAttackSecurityCap), 0),
             l, y, Translate("TOOLTIP_ATTACK_SECURITY"));
    AddNotedButton(*this, "AttackNotedButton");
}

// ---- Achievement award ---------------------------------------------------------------------

GUI_AchievementAwardWindow::GUI_AchievementAwardWindow(const std::string& key)
    : GUI_GameWindow(WindowKind::AchievementAward, "ACHIEVEMENT_AWARDED", 520, 420),
      achievementKey(key) {}

void GUI_AchievementAwardWindow::Build() {
    const Achievement* achievement = FindAchievement(achievementKey);
    if (!achievement)
        return;
    const float centre = (left + right) / 2.0f;
    const float l = left + S(kMargin), r = right - S(kMargin);
    float y = top + S(kTitleBand + 12);
    // The row's cells: title, description, medal picture, how it is earned.
    AddChild(new GUI_Picture(achievement->text5, centre - S(48), y, centre + S(48), y + S(96)));
    y += S(106);
    GUI_Label* name = AddLabel(*this, Translate(achievement->text3), centre, y,
                               Translate(achievement->text6), LabelAlign::Centre);
    name->SetFont(ScreenLayout::kLabelFont, 20);
    y += S(32);
    AddText(*this, Translate(achievement->text4), l, y, r, y + S(80));
    y += S(88);
    // What earned it, as the figures stand now.
    for (const AchievementCondition& condition : achievement->conditions) {
        Neuron* node = FindNeuron(condition.nodeName);
        if (!node || y > bottom - S(70))
            continue;
        const std::string title = NodeTitle(condition.nodeName);
        char line[160];
        if (condition.op == kConditionActive)
            std::snprintf(line, sizeof line, "%s", Translate("ACHIEVEMENT_IN_FORCE").c_str());
        else
            std::snprintf(line, sizeof line, "%.2f %s %.2f", node->GetValue(),
                          condition.op == kConditionLess ? "<" : ">", condition.threshold);
        std::string tip = Translate("TOOLTIP_ACHIEVEMENT_CONDITION");
        ReplaceAll(tip, "<NAME>", title);
        AddLabel(*this, title + ": " + line, l, y, tip);
        y += S(22);
    }
    AddNotedButton(*this, "AchievementNotedButton");
}

// ---- Game over -----------------------------------------------------------------------------

GUI_GameOverWindow::GUI_GameOverWindow(const std::string& titleText, const std::string& bodyText)
    : GUI_GameWindow(WindowKind::GameOver, titleText, 640, 600), text(Translate(bodyText)) {}

void GUI_GameOverWindow::Build() {
    const float l = left + S(kMargin), r = right - S(kMargin);
    const float middle = (l + r) / 2.0f;
    float y = top + S(kTitleBand + 12);
    AddText(*this, text, l, y, r, y + S(64));
    y += S(72);

    const SIM_ElectionManager& elections = GetElectionManager();
    // Every election won began another term, and the last won at the limit ended the last one;
    // any other ending (a lost election, a script) came during a term.
    const bool servedOut = elections.HasOutcome() && elections.LastOutcome().won &&
                           elections.termsWon >= elections.TermLimit();
    const int served = servedOut ? elections.termsWon : elections.termsWon + 1;
    AddLabel(*this,
             Translate("GAMEOVER_TERMS_SERVED") + " " + std::to_string(served) + " / " +
                 std::to_string(elections.TermLimit()),
             l, y, Translate("TOOLTIP_GAMEOVER_TERMS_SERVED"));
    // Play begins on the third turn; the two before it settle the country.
    const int turns = std::max(0, GetTurnNumber() - 2);
    AddLabel(*this, Translate("GAMEOVER_TURNS") + " " + std::to_string(turns), r, y,
             Translate("TOOLTIP_GAMEOVER_TURNS"), LabelAlign::Right);
    y += S(24);
    AddLabel(*this, Translate("GAMEOVER_LAST_POLL") + " " + PercentText(GetPotentialVoteRate()), l,
             y, Translate("TOOLTIP_GAMEOVER_LAST_POLL"));
    AddLabel(*this,
             Translate("GAMEOVER_BEST_POLL") + " " + PercentText(GetPollTracker().PeakVoteRate), r,
             y, Translate("TOOLTIP_GAMEOVER_BEST_POLL"), LabelAlign::Right);
    y += S(32);

    // Who stayed with you to the end, the warmest first, in two columns.
    AddLabel(*this, Translate("GAMEOVER_GROUPS"), l, y, Translate("TOOLTIP_GAMEOVER_GROUPS"));
    y += S(24);
    struct GroupShare {
        std::string title;
        float share;
    };
    std::vector<GroupShare> groups;
    for (SIM_VoterType* group : GetVoterManager().VoterTypes()) {
        if (std::strcmp(group->name, "_All_") == 0)
            continue;
        groups.push_back({Translate(group->guiName[0] ? group->guiName : group->name),
                          group->GetPlayerShareOfVotes()});
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const GroupShare& a, const GroupShare& b) { return a.share > b.share; });
    const size_t perColumn = (groups.size() + 1) / 2;
    const float listTop = y;
    for (size_t i = 0; i < groups.size(); ++i) {
        const bool second = i >= perColumn;
        const float rowY = listTop + S(20) * static_cast<float>(second ? i - perColumn : i);
        const float columnLeft = second ? middle + S(10) : l;
        const float columnRight = second ? r : middle - S(10);
        const std::string tip =
            TranslateWith("TOOLTIP_GAMEOVER_GROUP_SHARE", {{"<NAME>", groups[i].title}});
        AddLabel(*this, groups[i].title, columnLeft, rowY, tip);
        AddLabel(*this, PercentText(groups[i].share), columnRight, rowY, tip, LabelAlign::Right);
    }
    y = listTop + S(20) * static_cast<float>(perColumn) + S(12);

    // The honours of this game, or a word that there were none.
    std::string honours;
    for (const std::string& key : AchievementsThisGame()) {
        const Achievement* achievement = FindAchievement(key);
        if (!achievement)
            continue;
        honours += (honours.empty() ? "" : ", ") + Translate(achievement->text3);
    }
    AddText(*this,
            Translate("GAMEOVER_ACHIEVEMENTS") + " " +
                (honours.empty() ? Translate("GAMEOVER_NO_ACHIEVEMENTS") : honours),
            l, y, r, y + S(44));

    const float buttonTop = bottom - S(52);
    const float centre = (left + right) / 2.0f;
    AddDeskButton(*this, "GAMEOVER_MENU", "GameOverMenuButton", centre - S(230), buttonTop,
                  centre - S(10), buttonTop + S(kButtonHeight))
        ->SetCallback([](void*) { SetGameMode(GameMode::Menu); });
    AddDeskButton(*this, "GAMEOVER_NEWGAME", "GameOverNewGameButton", centre + S(10), buttonTop,
                  centre + S(230), buttonTop + S(kButtonHeight))
        ->SetCallback([](void*) { StartFreshNewGame(); });
}
