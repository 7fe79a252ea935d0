// The election in the window: the count voter by voter on the window's clock, its running totals
// and result, then a page that explains the result and asks whether the government carries on.

#include "base/debug_log.h"
#include "base/json_writer.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "interface/effects/fireworks.h"
#include "interface/effects/particle_system.h"
#include "interface/game_frame.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_sounds.h"
#include "interface/widgets/gui_table.h"
#include "interface/widgets/text_engine.h"
#include "interface/windows/desk_parts.h"
#include "interface/windows/desk_windows.h"
#include "interface/windows/game_windows.h"
#include "platform/input_state.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using ScreenLayout::S;

constexpr float kMargin = 24;
constexpr float kButtonHeight = 34;
constexpr int kVictoryTrack = 4;
constexpr Argb kPlayerColour = 0xFF4F9BE0;
constexpr Argb kOppositionColour = 0xFFD06050;
constexpr Argb kAbstainColour = 0xFF56606C;
// The count window's two bars, in design pixels from its top.
constexpr float kProgressTop = 48, kProgressHeight = 10;
constexpr float kShareTop = 66, kShareHeight = 26;
// How many groups each side of "moved most" names.
constexpr size_t kMovedNamed = 3;
// Changes smaller than this are no movement at all.
constexpr float kMovedAtLeast = 0.005f;

std::string WithFigure(const std::string& key, const std::string& figure) {
    return Translate(key) + ": " + figure;
}

std::string Filled(const std::string& key, const std::string& token, const std::string& value) {
    std::string text = Translate(key);
    ReplaceAll(text, token, value);
    return text;
}

// A window the player must answer: no close button, and Escape does not dismiss it.
void MustBeAnswered(GUI_GameWindow& window) {
    window.closeOnEscape = false;
    if (window.closeButton)
        window.closeButton->visible = false;
}

struct GroupResult {
    std::string name, title;
    int members = 0;
    float turnout = 0, share = 0, approval = 0, change = 0;
};

std::vector<GroupResult> GroupResults(int turnsBack) {
    std::vector<GroupResult> results;
    for (SIM_VoterType* group : GetVoterManager().VoterTypes()) {
        if (std::strcmp(group->name, "_All_") == 0)
            continue;
        GroupResult result;
        result.name = group->name;
        result.title = Translate(group->guiName[0] ? group->guiName : group->name);
        result.members = group->MemberCount();
        result.turnout = group->GetTurnoutShare();
        result.share = group->GetPlayerShareOfVotes();
        result.approval = group->GetApproval();
        // The mood runs from -1 to 1; approval is its half-scale.
        result.change = (group->history[0] - group->history[turnsBack]) / 2.0f;
        results.push_back(result);
    }
    return results;
}

// "Students (+4.1), Retired (+2.0)": the groups that moved most one way.
std::string MovedMost(std::vector<GroupResult> results, bool towards) {
    std::sort(results.begin(), results.end(),
              [towards](const GroupResult& a, const GroupResult& b) {
                  return towards ? a.change > b.change : a.change < b.change;
              });
    std::string names;
    for (size_t i = 0, named = 0; i < results.size() && named < kMovedNamed; ++i) {
        const float change = results[i].change;
        if ((towards && change < kMovedAtLeast) || (!towards && change > -kMovedAtLeast))
            break;
        names += (named++ ? ", " : "") + results[i].title + " (" + PointsChangeText(change) + ")";
    }
    return names;
}

// The count in progress, or the last one declared when the window shows a finished count.
const ElectionTally& ShownTally() {
    const SIM_ElectionManager& manager = GetElectionManager();
    if (!manager.IsCounting() && manager.HasOutcome())
        return manager.LastOutcome().tally;
    return manager.Tally();
}

bool FirstElection(int turnsBack) {
    // Play starts on the third turn: a term reaching back that far began with the government.
    return turnsBack >= GetTurnNumber() - 2;
}

} // namespace

int TurnsSinceLastElection() {
    const int termTurns = GetElectionManager().TermMonths() / 3;
    const int sinceStart = std::max(0, GetTurnNumber() - 2);
    return std::clamp(std::min(termTurns, sinceStart), 0, kNeuronHistoryLength - 1);
}

// ---- The count -----------------------------------------------------------------------------

GUI_ElectionResultsWindow::GUI_ElectionResultsWindow()
    : GUI_GameWindow(WindowKind::ElectionResults, "ELECTION_RESULTS", 640, 350) {
    MustBeAnswered(*this);
    voterCount = static_cast<int>(AllVoters().size());
}

void GUI_ElectionResultsWindow::Build() {
    const float l = left + S(kMargin), r = right - S(kMargin);
    float y = top + S(kShareTop + kShareHeight + 14);
    counted = AddLabel(*this, "", l, y, Translate("TOOLTIP_VOTES_COUNTED"));
    turnout = AddLabel(*this, "", r, y, Translate("TOOLTIP_ELECTION_TURNOUT"), LabelAlign::Right);
    y += S(26);
    forPlayer = AddLabel(*this, "", l, y, Translate("TOOLTIP_ELECTION_PLAYER_TURNOUT"));
    forOpposition = AddLabel(*this, "", r, y, Translate("TOOLTIP_ELECTION_OPPOSITION_TURNOUT"),
                             LabelAlign::Right);
    y += S(26);
    abstained = AddLabel(*this, "", l, y, Translate("TOOLTIP_ELECTION_ABSTAINED"));
    y += S(30);
    if (GetElectionManager().ManifestoBrokenAtCount() ||
        (!GetElectionManager().IsCounting() && GetElectionManager().HasOutcome() &&
         GetElectionManager().LastOutcome().manifestoBroken)) {
        GUI_TextBlock* broken = AddText(*this, Translate("MANIFESTO_BROKEN"), l, y, r, y + S(24));
        broken->colour = kDeskBadColour;
    }
    y += S(28);
    result = AddText(*this, "", l, y, r, y + S(30));
    result->font = ScreenLayout::kLabelFont;
    result->fontSize = 20;
    result->centred = true;
    const float centre = (left + right) / 2.0f;
    seeResults =
        AddDeskButton(*this, "ELECTION_SEERESULTS", "ElectionSeeResultsButton", centre - S(130),
                      bottom - S(54), centre + S(130), bottom - S(54) + S(kButtonHeight));
    seeResults->SetCallback([this](void*) { SeeResults(); });
    seeResults->visible = false;
    ShowTotals();
    // A window opened on a count already declared shows its result at once.
    if (!GetElectionManager().IsCounting() && GetElectionManager().HasOutcome())
        Declare();
}

void GUI_ElectionResultsWindow::ShowTotals() {
    const ElectionTally& tally = ShownTally();
    const int cast = tally.playerVotes + tally.oppositionVotes;
    counted->SetText(
        WithFigure("VOTES_COUNTED", CountText(tally.counted) + " / " +
                                        CountText(std::max(voterCount, tally.counted))));
    turnout->SetText(
        WithFigure("ELECTION_TURNOUT",
                   PercentText(tally.counted ? static_cast<float>(cast) / tally.counted : 0.0f)));
    const float share = ElectionShare(tally.playerVotes, tally.oppositionVotes);
    forPlayer->SetText(WithFigure("ELECTION_PLAYER_TURNOUT",
                                  CountText(tally.playerVotes) + " (" + PercentText(share) + ")"));
    forOpposition->SetText(WithFigure("ELECTION_OPPOSITION_TURNOUT",
                                      CountText(tally.oppositionVotes) + " (" +
                                          PercentText(cast ? 1.0f - share : 0.0f) + ")"));
    abstained->SetText(WithFigure("ELECTION_ABSTAINED", CountText(tally.abstentions)));
}

bool GUI_ElectionResultsWindow::Tick(unsigned nowMs) {
    if (declared)
        return false;
    if (started && nowMs - lastStepMs <= kCountStepMs)
        return false;
    started = true;
    lastStepMs = nowMs;
    SIM_ElectionManager& manager = GetElectionManager();
    if (!manager.IsCounting())
        return false;
    ++steps;
    const bool finished = manager.StepCount(kVotersPerCountStep);
    ShowTotals();
    if (finished)
        Declare();
    return true;
}

void GUI_ElectionResultsWindow::Declare() {
    SIM_ElectionManager& manager = GetElectionManager();
    declared = true;
    const bool counting = manager.IsCounting();
    const ElectionOutcome& outcome = counting ? manager.DeclareResult() : manager.LastOutcome();
    ShowTotals();
    result->text = outcome.resultText;
    seeResults->visible = true;
    if (!counting)
        return;
    GUI_Sounds& sounds = GetSounds();
    sounds.PlayEffect(outcome.crowdSound);
    // A tie keeps office but is nothing to celebrate.
    if (outcome.share > 0.5f) {
        sounds.SetMusicTrack(kVictoryTrack);
        GetFireworks().Start(GetInput().timeMs, ScreenLayout::ScreenWidth(),
                             ScreenLayout::ScreenHeight());
    }
}

void GUI_ElectionResultsWindow::UpdateContent() {
    Tick(GetInput().timeMs);
    GetFireworks().Update(GetInput().timeMs, ScreenLayout::ScreenWidth(),
                          ScreenLayout::ScreenHeight());
}

void GUI_ElectionResultsWindow::OnClose() {
    GetFireworks().Stop();
}

void GUI_ElectionResultsWindow::Draw() {
    GUI_GameWindow::Draw();
    if (!visible)
        return;
    const ElectionTally& tally = ShownTally();
    const float l = left + S(kMargin), r = right - S(kMargin);
    RenderDevice& device = GetRenderDevice();
    // How far the count has gone through the roll.
    float t = top + S(kProgressTop), b = t + S(kProgressHeight);
    const float total = static_cast<float>(std::max(voterCount, tally.counted));
    device.FillRect(l, t, r, b, 0xFF1A222C);
    if (total > 0)
        device.FillRect(l, t, l + (r - l) * static_cast<float>(tally.counted) / total, b,
                        kAbstainColour);
    device.OutlineRect(l, t, r, b, 0xFF8FA3B8);
    // The votes cast so far: yours from the left, the opposition's from the right; the mark in
    // the middle is the line the government must reach.
    t = top + S(kShareTop);
    b = t + S(kShareHeight);
    device.FillRect(l, t, r, b, 0xFF1A222C);
    const int cast = tally.playerVotes + tally.oppositionVotes;
    if (cast > 0) {
        const float split = l + (r - l) * ElectionShare(tally.playerVotes, tally.oppositionVotes);
        device.FillRect(l, t, split, b, kPlayerColour);
        device.FillRect(split, t, r, b, kOppositionColour);
    }
    device.DrawLine((l + r) / 2, t - S(4), (l + r) / 2, b + S(4), 0xFFE8ECF0);
    device.OutlineRect(l, t, r, b, 0xFF8FA3B8);
    if (GetFireworks().IsActive()) {
        // The window's words go down first, so the sparks fly in front of them.
        GetTextEngine().Flush();
        GetParticles().Draw(device);
    }
}

void GUI_ElectionResultsWindow::SeeResults() {
    if (!declared)
        return;
    Close();
    OpenPostElection();
}

void GUI_ElectionResultsWindow::DescribeMore(JsonWriter& json) const {
    const ElectionTally& tally = ShownTally();
    json.Field("steps", steps);
    json.Field("counted", tally.counted);
    json.Field("voters", voterCount);
    json.Field("declared", declared);
    json.Field("fireworks", GetFireworks().IsActive());
    json.Field("sparks", GetParticles().LiveParticles());
}

// ---- After the election --------------------------------------------------------------------

GUI_PostElectionWindow::GUI_PostElectionWindow()
    : GUI_GameWindow(WindowKind::PostElection, "ELECTION_POSTELECTION", 820, 660) {
    MustBeAnswered(*this);
}

void GUI_PostElectionWindow::Build() {
    const SIM_ElectionManager& manager = GetElectionManager();
    const ElectionOutcome& outcome = manager.LastOutcome();
    const ElectionTally& tally = outcome.tally;
    const float l = left + S(kMargin), r = right - S(kMargin);
    float y = top + S(46);
    GUI_TextBlock* headline = AddText(*this, outcome.resultText, l, y, r, y + S(26));
    headline->font = ScreenLayout::kLabelFont;
    headline->fontSize = 20;
    y += S(30);
    std::string future = outcome.remainingTermsText;
    if (!outcome.won)
        future = Translate("POSTELECTION_LOST");
    AddText(*this, future, l, y, r, y + S(40));
    y += S(46);

    const int cast = tally.playerVotes + tally.oppositionVotes;
    std::string shareTip =
        Filled("TOOLTIP_POSTELECTION_SHARE", "<VOTES>", CountText(tally.playerVotes));
    ReplaceAll(shareTip, "<CAST>", CountText(cast));
    AddLabel(*this, WithFigure("POSTELECTION_SHARE", PercentText(outcome.share)), l, y, shareTip);
    AddLabel(*this,
             WithFigure("ELECTION_TURNOUT",
                        PercentText(tally.counted ? static_cast<float>(cast) / tally.counted : 0)),
             r, y, Translate("TOOLTIP_ELECTION_TURNOUT"), LabelAlign::Right);
    y += S(24);
    AddLabel(*this,
             WithFigure("POSTELECTION_VOTES", CountText(tally.playerVotes) + " / " +
                                                  CountText(tally.oppositionVotes) + " / " +
                                                  CountText(tally.abstentions)),
             l, y, Translate("TOOLTIP_POSTELECTION_VOTES"));
    AddLabel(*this,
             WithFigure("POSTELECTION_TERMS", std::to_string(outcome.termsWon) + " / " +
                                                  std::to_string(manager.TermLimit())),
             r, y, Translate("TOOLTIP_POSTELECTION_TERMS"), LabelAlign::Right);
    y += S(32);

    const int turnsBack = TurnsSinceLastElection();
    const std::vector<GroupResult> results = GroupResults(turnsBack);
    const std::string since =
        Translate(FirstElection(turnsBack) ? "POSTELECTION_SINCE_OFFICE" : "POSTELECTION_SINCE");
    const std::string towards = MovedMost(results, true);
    const std::string away = MovedMost(results, false);
    AddText(*this,
            Translate("POSTELECTION_TOWARDS") + " " + since + ": " +
                (towards.empty() ? Translate("POSTELECTION_NOBODY") : towards),
            l, y, r, y + S(22));
    y += S(24);
    AddText(*this,
            Translate("POSTELECTION_AWAY") + " " + since + ": " +
                (away.empty() ? Translate("POSTELECTION_NOBODY") : away),
            l, y, r, y + S(22));
    y += S(32);

    groups = new GUI_Table();
    groups->SetRect(l, y, r, bottom - S(64));
    groups->SetColumns({{Translate("POSTELECTION_COL_GROUP"), S(220), false, ""},
                        {Translate("POSTELECTION_COL_MEMBERS"), S(100), true,
                         Translate("TOOLTIP_POSTELECTION_COL_MEMBERS")},
                        {Translate("ELECTION_TURNOUT"), S(100), true,
                         Translate("TOOLTIP_POSTELECTION_COL_TURNOUT")},
                        {Translate("POSTELECTION_COL_SHARE"), S(110), true,
                         Translate("TOOLTIP_POSTELECTION_COL_SHARE")},
                        {Translate("POSTELECTION_COL_APPROVAL"), S(110), true,
                         Translate("TOOLTIP_POSTELECTION_COL_APPROVAL")},
                        {Translate("POSTELECTION_COL_CHANGE"), 0, true,
                         Translate("TOOLTIP_POSTELECTION_COL_CHANGE")}});
    const std::string voters = CountText(static_cast<long long>(AllVoters().size()));
    std::vector<TableRow> rows;
    for (const GroupResult& group : results) {
        TableRow row;
        row.tag = group.name;
        const int voted = static_cast<int>(std::lround(group.turnout * group.members));
        std::string membersTip = Filled("TOOLTIP_POSTELECTION_MEMBERS", "<GROUP>", group.title);
        ReplaceAll(membersTip, "<MEMBERS>", CountText(group.members));
        ReplaceAll(membersTip, "<VOTERS>", voters);
        std::string turnoutTip =
            Filled("TOOLTIP_POSTELECTION_TURNOUT", "<VOTED>", CountText(voted));
        ReplaceAll(turnoutTip, "<MEMBERS>", CountText(group.members));
        std::string changeTip = Filled("TOOLTIP_POSTELECTION_CHANGE", "<THEN>",
                                       PercentText(group.approval - group.change, 0));
        ReplaceAll(changeTip, "<NOW>", PercentText(group.approval, 0));
        ReplaceAll(changeTip, "<SINCE>", since);
        row.cells = {{group.title, 0, "", 0},
                     {CountText(group.members), static_cast<float>(group.members), membersTip, 0},
                     {PercentText(group.turnout, 0), group.turnout, turnoutTip, 0},
                     {PercentText(group.share, 0), group.share,
                      Filled("TOOLTIP_POSTELECTION_SHARE_CELL", "<GROUP>", group.title), 0},
                     {PercentText(group.approval, 0), group.approval,
                      Translate("TOOLTIP_POSTELECTION_COL_APPROVAL"), 0},
                     {PointsChangeText(group.change), group.change, changeTip,
                      group.change >= kMovedAtLeast    ? kDeskGoodColour
                      : group.change <= -kMovedAtLeast ? kDeskBadColour
                                                       : 0}};
        rows.push_back(row);
    }
    groups->SetRows(rows);
    groups->SortBy(3, true);
    AddChild(groups);

    const bool carryOn = outcome.buttonKey == "CONTINUEPRESIDENCY";
    const float centre = (left + right) / 2.0f;
    AddDeskButton(*this, outcome.buttonKey, carryOn ? "ContinuePresidencyButton" : "QuitGameButton",
                  centre - S(130), bottom - S(52), centre + S(130),
                  bottom - S(52) + S(kButtonHeight))
        ->SetCallback([this](void*) { Finish(); });
}

void GUI_PostElectionWindow::Finish() {
    GetElectionManager().FinishElection();
    Close();
    if (IsGameOver()) {
        // The game screen, shown afresh, opens the summary of the game that has ended.
        Log("The player leaves office after the election");
        SetGameMode(GameMode::Game);
        return;
    }
    // The celebration is over: the music follows the polls again.
    GetSounds().SetMusicByMood();
    RefreshGameWindows();
}
