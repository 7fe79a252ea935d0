// The intelligence window: the pressure groups as the security service sees them (how many
// they are, how strong, how dangerous, which way they are going), the attacks each could try and
// what still holds each back, and how much of it the state's security would stop.

#include "base/json_writer.h"
#include "base/translation.h"
#include "government/report_manager.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "interface/windows/government_window.h"
#include "interface/windows/government_windows.h"
#include "network/network_state.h"
#include "network/neuron.h"
#include "population/attack.h"
#include "population/pressure_group.h"

#include <cstdio>
#include <vector>

namespace {

std::string Decimal(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
    return text;
}

// A threat to a tenth of a percent: a group only starting out still shows it is there.
std::string ThreatText(float threat) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", static_cast<double>(threat * 100.0f));
    return text;
}

// The service's estimate of a membership, with its thousands marked.
std::string MembershipEstimate(const SIM_PressureGroup& group) {
    const std::string text = group.MembershipText();
    if (text.empty() || text.size() > 18 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return text;
    return FormatWithThousands(std::stoll(text));
}

std::string GroupTrendKey(int trend) {
    if (trend == kPressureTrendMore)
        return "INTEL_TREND_MORE";
    if (trend == kPressureTrendFewer)
        return "INTEL_TREND_FEWER";
    return "INTEL_TREND_SAME";
}

class IntelligenceWindow : public GovernmentWindow {
public:
    IntelligenceWindow() : GovernmentWindow(WindowKind::Intelligence, "INTEL_TITLE", 980, 680) {}

    void Build() override {
        AddHeading(X(0), Y(0), "INTEL_GROUPS");
        groups = AddTable(X(0), Y(24), S(960), S(24 + 10 * 22 + 2));
        groups->identifier = "IntelGroups";
        groups->SetColumns(
            {{Translate("INTEL_COL_GROUP"), S(250), false, ""},
             {Translate("INTEL_COL_SPEAKS_FOR"), S(160), false, ""},
             {Translate("INTEL_COL_MEMBERS"), S(150), true, Translate("INTEL_COL_MEMBERS_TIP")},
             {Translate("INTEL_COL_STRENGTH"), S(100), true, Translate("INTEL_COL_STRENGTH_TIP")},
             {Translate("INTEL_COL_THREAT"), S(90), true, Translate("INTEL_COL_THREAT_TIP")},
             {Translate("INTEL_COL_ACTIVE"), S(80), false, Translate("INTEL_COL_ACTIVE_TIP")},
             {Translate("INTEL_COL_TREND"), 0, false, ""}});
        groups->SortBy(4, true);

        name = AddFigure(X(0), Y(280));
        name->SetFont("arialbold20.dds", 20);
        threat = AddFigureRow(X(0), Y(310), S(300), "INTEL_THREAT");
        security = AddFigureRow(X(0), Y(362), S(300), "INTEL_SECURITY");

        AddHeading(X(320), Y(280), "INTEL_ATTACKS");
        attacks = AddTable(X(320), Y(304), S(640), S(190));
        attacks->identifier = "IntelAttacks";
        attacks->SetColumns(
            {{Translate("INTEL_COL_ATTACK"), S(185), false, ""},
             {Translate("INTEL_COL_COST"), S(60), true, Translate("INTEL_COL_COST_TIP")},
             {Translate("INTEL_COL_NEEDS"), S(110), true, Translate("INTEL_COL_NEEDS_TIP")},
             {Translate("INTEL_COL_CHANCE"), S(125), true, Translate("INTEL_COL_CHANCE_TIP")},
             {Translate("INTEL_COL_READY"), 0, false, ""}});

        AddHeading(X(0), Y(510), "INTEL_BRIEFING");
        Refresh();
    }

    void Refresh() override {
        stops = SecurityStops();
        const std::vector<SIM_PressureGroup*>& all = AllPressureGroups();
        if (!selected.empty() && !LookupPressureGroup(selected))
            selected.clear();
        std::vector<TableRow> rows;
        const SIM_PressureGroup* strongest = nullptr;
        for (const SIM_PressureGroup* group : all) {
            if (!group)
                continue;
            if (!strongest || group->GetThreat() > strongest->GetThreat())
                strongest = group;
            const std::string label = Translate(group->guiName);
            const float threatLevel = group->GetThreat();
            TableRow row;
            row.tag = group->name;
            const std::string key = group->name;
            row.onClick = [this, key] {
                selected = key;
                Refresh();
            };
            const std::vector<std::pair<std::string, std::string>> values = {
                {"<NAME>", label},
                {"<MEMBERS>", std::to_string(group->MemberCount())},
                {"<STRENGTH>", Decimal(group->strength)},
                {"<GROWTH>", Decimal(group->growth)}};
            row.tooltip = TranslateWith("INTEL_TIP_ROW", values);
            row.cells = {
                {label, 0, "", key == selected ? GovColour::kAccent : 0u},
                {group->primaryType ? Translate(group->primaryType->guiName) : std::string("-"), 0,
                 ""},
                {MembershipEstimate(*group), static_cast<float>(group->MemberCount()),
                 TranslateWith("INTEL_TIP_MEMBERS", values)},
                {Decimal(group->strength), group->strength,
                 TranslateWith("INTEL_TIP_STRENGTH", values)},
                {ThreatText(threatLevel), threatLevel, TranslateWith("INTEL_TIP_THREAT", values),
                 threatLevel > 0.5f ? GovColour::kBad : 0u},
                {Translate(group->active ? "INTEL_ACTIVE" : "INTEL_QUIET"), 0, "",
                 group->active ? GovColour::kBad : GovColour::kDim},
                {Translate(GroupTrendKey(group->trend)), 0, ""}};
            rows.push_back(std::move(row));
        }
        groups->SetRows(std::move(rows));
        if (selected.empty() && strongest)
            selected = strongest->name;

        const SIM_PressureGroup* group = selected.empty() ? nullptr : LookupPressureGroup(selected);
        threatLevel = group ? group->GetThreat() : 0.0f;
        name->SetText(group ? Translate(group->guiName) : Translate("INTEL_NO_GROUPS"));
        threat->SetText(ThreatText(threatLevel));
        threat->SetTooltipText(
            group ? TranslateWith("INTEL_TIP_THREAT", {{"<STRENGTH>", Decimal(group->strength)},
                                                       {"<GROWTH>", Decimal(group->growth)}})
                  : std::string());
        security->SetText(FormatShare(stops));
        security->SetTooltipText(TranslateWith(
            "INTEL_TIP_SECURITY",
            {{"<VALUE>",
              FormatFraction(Network().securityNeuron ? Network().securityNeuron->value : 0.0f)}}));

        std::vector<TableRow> attackRows;
        if (group) {
            for (const AttackProspect& p : AttacksOf(*group)) {
                TableRow row;
                row.tag = p.name;
                row.tooltip = p.ready ? Translate("INTEL_TIP_READY") : p.holdsBack;
                row.cells = {
                    {p.label, 0, ""},
                    {Decimal(p.cost), p.cost, Translate("INTEL_COL_COST_TIP")},
                    {TranslateWith("INTEL_NEEDS", {{"<STRENGTH>", Decimal(p.minStrength)},
                                                   {"<SIZE>", std::to_string(p.minSize)}}),
                     p.minStrength, Translate("INTEL_COL_NEEDS_TIP")},
                    {FormatShare(p.throughSecurity), p.throughSecurity,
                     TranslateWith("INTEL_TIP_CHANCE", {{"<CHANCE>", FormatShare(p.successChance)},
                                                        {"<STOPS>", FormatShare(stops)}})},
                    {Translate(p.ready ? "INTEL_READY" : "INTEL_NOT_READY"), 0, "",
                     p.ready ? GovColour::kBad : GovColour::kDim}};
                attackRows.push_back(std::move(row));
            }
        }
        attacks->SetRows(std::move(attackRows));

        briefing.clear();
        for (const SIM_Report& report : GetReportManager().Reports()) {
            if (report.title == Translate("REPORT_INTEL_TITLE"))
                briefing = report.body;
        }
        if (briefing.empty())
            briefing = Translate("INTEL_NO_BRIEFING");
        const AttackOutcome* last = LastAttackOutcome();
        lastAttack = last ? TranslateWith(last->succeeded ? "INTEL_LAST_SUCCESS"
                                          : last->foiled  ? "INTEL_LAST_FOILED"
                                                          : "INTEL_LAST_FAILED",
                                          {{"<NAME>", Translate(last->guiName)},
                                           {"<TURN>", std::to_string(last->turn)}})
                          : std::string();
    }

    void DescribeMore(JsonWriter& json) const override {
        json.Field("selected", selected);
        json.Field("securityStops", stops);
        json.Field("briefing", briefing);
    }

protected:
    void DrawExtras() override {
        DrawFractionBar(X(0), Y(336), X(300), Y(350), threatLevel,
                        threatLevel > 0.5f ? GovColour::kBad : GovColour::kAccent);
        DrawFractionBar(X(0), Y(388), X(300), Y(402), stops, GovColour::kGood);
        const float y = DrawParagraph(briefing, X(0), Y(536), S(960), GovColour::kText);
        if (!lastAttack.empty())
            DrawParagraph(lastAttack, X(0), y + S(6), S(960), GovColour::kDim);
    }

private:
    GUI_Table* groups = nullptr;
    GUI_Table* attacks = nullptr;
    GUI_Label* name = nullptr;
    GUI_Label* threat = nullptr;
    GUI_Label* security = nullptr;
    std::string selected;
    std::string briefing;
    std::string lastAttack;
    float stops = 0;
    float threatLevel = 0;
};

} // namespace

std::unique_ptr<GUI_GameWindow> MakeIntelligenceWindow() {
    return std::make_unique<IntelligenceWindow>();
}
