// The parties window: both parties' memberships side by side, how strongly each draws its
// supporters to the polls, when the voters next decide, and which voter groups each party's
// members come from.

#include "base/json_writer.h"
#include "base/translation.h"
#include "government/election_manager.h"
#include "government/report_manager.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "interface/windows/government_window.h"
#include "interface/windows/government_windows.h"
#include "platform/render_device.h"

#include <vector>

namespace {

constexpr unsigned kPlayerColour = 0xFF5FC8A0;
constexpr unsigned kOppositionColour = 0xFFE08A5A;

std::string StatusKey(int status) {
    if (status == 0)
        return "PARTIES_GROWING";
    if (status == 1)
        return "PARTIES_SHRINKING";
    return "PARTIES_STEADY";
}

class PartiesWindow : public GovernmentWindow {
public:
    PartiesWindow() : GovernmentWindow(WindowKind::Parties, "PARTIES_TITLE", 900, 640) {}

    void Build() override {
        for (int side = 0; side < 2; ++side) {
            const float x = side == 0 ? 0.0f : 450.0f;
            Side& s = sides[side];
            s.name = AddFigure(X(x), Y(0));
            s.name->SetFont("arialbold20.dds", 20);
            s.name->colour = side == 0 ? kPlayerColour : kOppositionColour;
            s.whose = AddFigure(X(x), Y(26));
            s.whose->colour = GovColour::kDim;
            const float w = S(400);
            s.people = AddFigureRow(X(x), Y(56), w, "PARTIES_PEOPLE");
            s.share = AddFigureRow(X(x), Y(81), w, "PARTIES_SHARE");
            s.strength = AddFigureRow(X(x), Y(106), w, "PARTIES_STRENGTH");
            s.trend = AddFigureRow(X(x), Y(131), w, "PARTIES_TREND");
        }
        election = AddFigure(X(0), Y(195));
        terms = AddFigure(X(450), Y(195));

        AddHeading(X(0), Y(232), "PARTIES_BY_GROUP");
        groups = AddTable(X(0), Y(256), S(880), S(330));
        groups->identifier = "PartiesGroups";
        groups->SetColumns(
            {{Translate("POLLS_COL_GROUP"), S(300), false, ""},
             {Translate("PARTIES_COL_MEMBERS"), S(180), true, Translate("PARTIES_COL_MEMBERS_TIP")},
             {Translate("PARTIES_COL_OURS"), S(200), true, Translate("PARTIES_COL_OURS_TIP")},
             {Translate("PARTIES_COL_THEIRS"), 0, true, Translate("PARTIES_COL_THEIRS_TIP")}});
        groups->SortBy(2, true);
        Refresh();
    }

    void Refresh() override {
        figures = PartiesFigures();
        for (int side = 0; side < 2; ++side) {
            Side& s = sides[side];
            const PartyFigures* f = Find(side == 0);
            s.name->SetText(f ? f->name : std::string("-"));
            s.whose->SetText(Translate(side == 0 ? "PARTIES_YOURS" : "PARTIES_THEIRS"));
            if (!f)
                continue;
            const std::vector<std::pair<std::string, std::string>> values = {
                {"<NAME>", f->name},
                {"<MEMBERS>", std::to_string(f->members)},
                {"<PEOPLE>", FormatWithThousands(f->people)},
                {"<SHARE>", FormatShare(f->shareOfVoters)},
                {"<STRENGTH>", FormatShare(f->membershipStrength)}};
            s.people->SetText(FormatWithThousands(f->people));
            s.people->SetTooltipText(TranslateWith("PARTIES_TIP_PEOPLE", values));
            s.share->SetText(FormatShare(f->shareOfVoters));
            s.share->SetTooltipText(TranslateWith("PARTIES_TIP_SHARE", values));
            s.strength->SetText(FormatShare(f->membershipStrength));
            s.strength->SetTooltipText(TranslateWith("PARTIES_TIP_STRENGTH", values));
            s.trend->SetText(Translate(StatusKey(f->status)));
            s.trend->SetTooltipText(TranslateWith("PARTIES_TIP_TREND", values));
        }

        const SIM_ElectionManager& elections = GetElectionManager();
        const int months = elections.MonthsUntilElection();
        election->SetText(TranslateWith("PARTIES_ELECTION",
                                        {{"<MONTHS>", std::to_string(months < 0 ? 0 : months)}}));
        election->SetTooltipText(Translate("PARTIES_TIP_ELECTION"));
        terms->SetText(
            TranslateWith("PARTIES_TERMS", {{"<WON>", std::to_string(elections.termsWon)},
                                            {"<LIMIT>", std::to_string(elections.TermLimit())}}));
        terms->SetTooltipText(Translate("PARTIES_TIP_TERMS"));

        std::vector<TableRow> rows;
        for (const PartyMix& mix : PartyMixByVoterGroup()) {
            TableRow row;
            row.tag = mix.node;
            const std::string node = mix.node;
            row.onClick = [node] { OpenVoterGroupDetails(node); };
            const std::vector<std::pair<std::string, std::string>> values = {
                {"<NAME>", mix.label}, {"<MEMBERS>", std::to_string(mix.groupMembers)}};
            row.tooltip = TranslateWith("PARTIES_TIP_ROW", values);
            row.cells = {
                {mix.label, 0, ""},
                {std::to_string(mix.groupMembers), static_cast<float>(mix.groupMembers), ""},
                {FormatShare(mix.players), mix.players, "", kPlayerColour},
                {FormatShare(mix.opposition), mix.opposition, "", kOppositionColour}};
            rows.push_back(std::move(row));
        }
        groups->SetRows(std::move(rows));
    }

    void DescribeMore(JsonWriter& json) const override {
        json.Key("parties");
        json.BeginArray();
        for (const PartyFigures& f : figures) {
            json.BeginObject();
            json.Field("name", f.name);
            json.Field("player", f.players);
            json.Field("members", f.members);
            json.EndObject();
        }
        json.EndArray();
    }

protected:
    void DrawExtras() override {
        // The two memberships as one bar: the player's share of all party members.
        const PartyFigures* ours = Find(true);
        const PartyFigures* theirs = Find(false);
        const int total = (ours ? ours->members : 0) + (theirs ? theirs->members : 0);
        const float fraction =
            total > 0 ? static_cast<float>(ours ? ours->members : 0) / static_cast<float>(total)
                      : 0.5f;
        RenderDevice& device = GetRenderDevice();
        const float middle = X(0) + (X(850) - X(0)) * fraction;
        device.FillRect(X(0), Y(163), middle, Y(177), kPlayerColour);
        device.FillRect(middle, Y(163), X(850), Y(177), kOppositionColour);
        device.OutlineRect(X(0), Y(163), X(850), Y(177), 0xFF4A5A6A);
    }

private:
    struct Side {
        GUI_Label* name = nullptr;
        GUI_Label* whose = nullptr;
        GUI_Label* people = nullptr;
        GUI_Label* share = nullptr;
        GUI_Label* strength = nullptr;
        GUI_Label* trend = nullptr;
    };

    const PartyFigures* Find(bool players) const {
        for (const PartyFigures& f : figures) {
            if (f.players == players)
                return &f;
        }
        return nullptr;
    }

    Side sides[2];
    GUI_Label* election = nullptr;
    GUI_Label* terms = nullptr;
    GUI_Table* groups = nullptr;
    std::vector<PartyFigures> figures;
};

} // namespace

std::unique_ptr<GUI_GameWindow> MakePartiesWindow() {
    return std::make_unique<PartiesWindow>();
}
