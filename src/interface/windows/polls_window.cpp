// The polls window: the share that would vote for the government now and over the remembered
// turns, every voter group's approval, size and trend, and the parties' memberships.

#include "base/json_writer.h"
#include "base/translation.h"
#include "base/turn.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "interface/windows/government_window.h"
#include "interface/windows/government_windows.h"
#include "population/voter.h"

#include <cstdio>
#include <vector>

namespace {

constexpr unsigned kShareColour = 0xFF5FC8A0;
constexpr unsigned kHalfColour = 0x80A8B4C0;

std::string TrendKey(int trend) {
    if (trend == 2)
        return "POLLS_TREND_UP";
    if (trend == 0)
        return "POLLS_TREND_DOWN";
    return "POLLS_TREND_SAME";
}

std::string PartyTrendKey(int status) {
    if (status == 0)
        return "POLLS_TREND_UP";
    if (status == 1)
        return "POLLS_TREND_DOWN";
    return "POLLS_TREND_SAME";
}

class PollsWindow : public GovernmentWindow {
public:
    PollsWindow() : GovernmentWindow(WindowKind::Polls, "POLLS_TITLE", 960, 700) {}

    void Build() override {
        AddHeading(X(0), Y(0), "POLLS_NOW");
        share = AddFigure(X(0), Y(24));
        share->SetFont("tahoma30.dds", 30);
        share->colour = GovColour::kAccent;
        const float w = S(250);
        change = AddFigureRow(X(0), Y(70), w, "POLLS_CHANGE");
        peak = AddFigureRow(X(0), Y(95), w, "POLLS_PEAK");
        everyone = AddFigureRow(X(0), Y(120), w, "POLLS_EVERYONE");
        voters = AddFigureRow(X(0), Y(145), w, "POLLS_VOTERS");

        history = AddGraph(X(270), Y(0), S(670), S(230), "POLLS_GRAPH");
        history->identifier = "PollsGraph";
        history->SetRange(0.0f, 1.0f);
        history->formatValue = [](float v) { return FormatShare(v); };

        AddHeading(X(0), Y(180), "POLLS_PARTIES");
        parties = AddTable(X(0), Y(204), S(250), S(24 + 2 * 22));
        parties->identifier = "PollsParties";
        parties->SetColumns(
            {{Translate("POLLS_COL_PARTY"), S(130), false, ""},
             {Translate("POLLS_COL_MEMBERS"), 0, true, Translate("POLLS_COL_PARTYMEMBERS_TIP")}});

        AddHeading(X(0), Y(290), "POLLS_GROUPS");
        groups = AddTable(X(0), Y(314), S(940), S(330));
        groups->identifier = "PollsGroups";
        groups->SetColumns(
            {{Translate("POLLS_COL_GROUP"), S(260), false, ""},
             {Translate("POLLS_COL_APPROVAL"), S(150), true, Translate("POLLS_COL_APPROVAL_TIP")},
             {Translate("POLLS_COL_CHANGE"), S(150), true, Translate("POLLS_COL_CHANGE_TIP")},
             {Translate("POLLS_COL_SIZE"), S(150), true, Translate("POLLS_COL_SIZE_TIP")},
             {Translate("POLLS_COL_TREND"), 0, true, Translate("POLLS_COL_TREND_TIP")}});
        // Most approving first, until the player asks otherwise.
        groups->SortBy(1, true);
        Refresh();
    }

    void Refresh() override {
        const PollTracker& polls = GetPollTracker();
        const float now = polls.PotentialVoteRate;
        const float before = polls.shareHistory[1];
        const int total = static_cast<int>(AllVoters().size());
        const int forUs = static_cast<int>(now * static_cast<float>(total) + 0.5f);
        share->SetText(FormatShare(now));
        share->SetTooltipText(
            TranslateWith("POLLS_TIP_SHARE",
                          {{"<FOR>", std::to_string(forUs)}, {"<TOTAL>", std::to_string(total)}}));
        change->SetText(FormatSharePoints(now - before));
        change->SetTooltipText(TranslateWith(
            "POLLS_TIP_CHANGE", {{"<BEFORE>", FormatShare(before)}, {"<NOW>", FormatShare(now)}}));
        peak->SetText(FormatShare(polls.PeakVoteRate));
        peak->SetTooltipText(Translate("POLLS_TIP_PEAK"));
        everyoneApproval = EveryoneApproval();
        everyone->SetText(FormatShare(everyoneApproval));
        everyone->SetTooltipText(Translate("POLLS_TIP_EVERYONE"));
        voters->SetText(std::to_string(total));
        voters->SetTooltipText(Translate("POLLS_TIP_VOTERS"));

        std::vector<float> shares = PollHistoryOldestFirst();
        history->SetSeries({{Translate("POLLS_SERIES_SHARE"), shares, kShareColour},
                            {Translate("POLLS_SERIES_HALF"),
                             std::vector<float>(shares.size(), 0.5f), kHalfColour}});

        std::vector<TableRow> partyRows;
        for (const PartyFigures& party : PartiesFigures()) {
            TableRow row;
            row.tag = party.players ? "player" : "opposition";
            row.tooltip =
                TranslateWith(PartyTrendKey(party.status) + "_PARTY", {{"<NAME>", party.name}});
            row.cells = {{party.name, 0, "", party.players ? GovColour::kAccent : 0u},
                         {FormatShare(party.shareOfVoters), party.shareOfVoters,
                          TranslateWith("POLLS_TIP_PARTYMEMBERS",
                                        {{"<MEMBERS>", std::to_string(party.members)},
                                         {"<TOTAL>", std::to_string(total)}})}};
            partyRows.push_back(std::move(row));
        }
        parties->SetRows(std::move(partyRows));

        std::vector<TableRow> rows;
        for (const VoterGroupPoll& group : VoterGroupPolls()) {
            TableRow row;
            row.tag = group.node;
            const std::string node = group.node;
            row.onClick = [node] { OpenVoterGroupDetails(node); };
            row.tooltip = TranslateWith("POLLS_TIP_ROW", {{"<NAME>", group.label}});
            row.cells = {
                {group.label, 0, ""},
                {FormatShare(group.approval), group.approval,
                 TranslateWith("POLLS_TIP_APPROVAL", {{"<NAME>", group.label}})},
                {FormatSharePoints(group.approvalChange), group.approvalChange,
                 Translate("POLLS_TIP_APPROVALCHANGE"),
                 group.approvalChange < -0.0005f  ? GovColour::kBad
                 : group.approvalChange > 0.0005f ? GovColour::kGood
                                                  : 0u},
                {FormatShare(group.size), group.size,
                 TranslateWith("POLLS_TIP_SIZE", {{"<MEMBERS>", std::to_string(group.members)},
                                                  {"<TOTAL>", std::to_string(total)}})},
                {Translate(TrendKey(group.trend)), static_cast<float>(group.memberChange),
                 TranslateWith("POLLS_TIP_TREND",
                               {{"<CHANGE>", (group.memberChange > 0 ? "+" : "") +
                                                 std::to_string(group.memberChange)}})}};
            rows.push_back(std::move(row));
        }
        groups->SetRows(std::move(rows));
    }

    void DescribeMore(JsonWriter& json) const override {
        json.Field("share", GetPollTracker().PotentialVoteRate);
        json.Field("everyone", everyoneApproval);
    }

private:
    GUI_Label* share = nullptr;
    GUI_Label* change = nullptr;
    GUI_Label* peak = nullptr;
    GUI_Label* everyone = nullptr;
    GUI_Label* voters = nullptr;
    GUI_Graph* history = nullptr;
    GUI_Table* parties = nullptr;
    GUI_Table* groups = nullptr;
    float everyoneApproval = 0.5f;
};

} // namespace

std::unique_ptr<GUI_GameWindow> MakePollsWindow() {
    return std::make_unique<PollsWindow>();
}
