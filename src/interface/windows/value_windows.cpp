#include "interface/windows/value_windows.h"

#include "base/json_writer.h"
#include "base/mission.h"
#include "base/translation.h"
#include "government/situation.h"
#include "interface/widgets/gui_graph.h"
#include "interface/widgets/gui_table.h"
#include "interface/windows/game_windows.h"
#include "network/neural_effect.h"
#include "network/sim_value.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>

using NodeText::DisplayName;
using NodeText::Fill;
using NodeText::Fixed;
using NodeText::Points;
using NodeText::SignedPoints;

namespace {

constexpr float kWide = 660;
// Below this two figures read the same on the 0 … 100 scale with one decimal.
constexpr float kSame = 0.0005f;

std::string Contribution(const CauseBreakdown& b, float contribution) {
    if (b.combineMode == kCombineProduct)
        return "x" + Fixed(contribution, 2);
    return SignedPoints(contribution);
}

std::string CauseName(const Neuron& source) {
    if (source.typeCode == NeuronType::Grudge)
        return Fill("NODEWIN_GRUDGE", {{"NAME", DisplayName(source)}});
    return DisplayName(source);
}

// Where one link's figure comes from: the formula at its input, the scale, a policy's weights,
// and how the input follows its source.
std::string ExplainLink(const CauseContribution& c) {
    const NeuralEffect& link = *c.link;
    std::string text = Fill(
        "NODEWIN_LINK_FORMULA",
        {{"FORMULA", link.formula}, {"INPUT", Fixed(c.input, 3)}, {"OUTPUT", Fixed(c.output, 3)}});
    if (link.scale != 1.0f)
        text += "\n" + Fill("NODEWIN_LINK_SCALE", {{"SCALE", Fixed(link.scale, 2)}});
    if (c.source->typeCode == NeuronType::Policy)
        text += "\n" + Fill("NODEWIN_LINK_POLICY",
                            {{"IMPLEMENTATION", NodeText::Percent(c.implementation)},
                             {"MINISTER", Fixed(c.ministerFactor, 2)}});
    text += "\n" + Fill("NODEWIN_LINK_SOURCE",
                        {{"NAME", DisplayName(*c.source)}, {"VALUE", Fixed(c.sourceValue, 3)}});
    if (link.inertialDrag > 0)
        text +=
            "\n" + Fill("NODEWIN_LINK_DRAG", {{"TURNS", std::to_string(link.inertialDrag + 1)}});
    if (c.stillMoving)
        text += "\n" + Fill("NODEWIN_LINK_MOVING", {{"TARGET", Fixed(link.inputTarget, 3)},
                                                    {"TURNS", std::to_string(link.inertia)},
                                                    {"SETTLED", SignedPoints(c.settledStrength)}});
    return text;
}

TableRow CauseRow(const CauseBreakdown& b, const CauseContribution& c) {
    TableRow row;
    const Neuron& source = *c.source;
    row.tag = source.name;
    std::string why = c.parts.empty() ? ExplainLink(c) : "";
    for (const CauseContribution& part : c.parts)
        why += (why.empty() ? "" : "\n\n") + ExplainLink(part);
    row.cells = {
        {CauseName(source), 0, ""},
        {Points(c.sourceValue), c.sourceValue,
         Fill("NODEWIN_CAUSE_VALUE_TIP", {{"NAME", DisplayName(source)}})},
        {Contribution(b, c.contribution) + (c.stillMoving ? " >" : ""), c.contribution, why}};
    row.cells[2].colour =
        (b.combineMode == kCombineProduct ? c.contribution >= 1.0f : c.contribution >= 0.0f)
            ? NodeColours::kGood
            : NodeColours::kBad;
    row.tooltip = why;
    const DetailsTarget target = FindDetailsTarget(source);
    if (!target.kind.empty()) {
        const std::string name = source.name;
        row.onClick = [name] { OpenNodeDetails(name); };
    }
    return row;
}

} // namespace

std::vector<float> GUI_CausesWindow::History(const Neuron& node) {
    std::vector<float> values;
    for (int i = kNeuronHistoryLength - 1; i >= 0; --i)
        values.push_back(node.history[i]);
    return values;
}

GUI_Graph* GUI_CausesWindow::AddHistory(const std::string& heading,
                                        std::vector<std::vector<float>> series,
                                        std::vector<std::string> labels, float designY, float low,
                                        float high) {
    static const Argb kColours[] = {0xFF5FC8A0, 0xFFE0B050, 0xFFE07060, 0xFF70A0E0};
    auto* chart = new GUI_Graph();
    chart->identifier = "HistoryGraph";
    chart->title = heading;
    std::vector<GraphSeries> lines;
    for (size_t i = 0; i < series.size(); ++i) {
        GraphSeries line;
        line.label = i < labels.size() ? labels[i] : "";
        for (float v : series[i])
            line.values.push_back(v * 100.0f);
        line.colour = kColours[i % 4];
        lines.push_back(line);
    }
    chart->SetSeries(lines);
    chart->SetRange(low * 100.0f, high * 100.0f);
    chart->formatValue = [](float v) { return Fixed(v, 0); };
    chart->SetRect(X(0), Y(designY), X(kWide), Y(designY + 150));
    AddChild(chart);
    graph = chart;
    return chart;
}

void GUI_CausesWindow::AddCauses(Neuron& node, float designY) {
    breakdown = ExplainValue(node);
    const CauseBreakdown& b = breakdown;
    AddLabel(Translate("NODEWIN_CAUSES_HEADING"), 0, designY, Translate("NODEWIN_CAUSES_TIP"),
             "arialbold16.dds", 16)
        ->colour = NodeColours::kHeading;

    auto* table = new GUI_Table();
    table->identifier = "CausesTable";
    table->SetRect(X(0), Y(designY + 22), X(kWide), Y(designY + 22 + 178));
    table->SetColumns(
        {{Translate("NODEWIN_COLUMN_CAUSE"), S(330), false, ""},
         {Translate("NODEWIN_COLUMN_ITS_VALUE"), S(150), true,
          Translate("NODEWIN_COLUMN_ITS_VALUE_TIP")},
         {Translate("NODEWIN_COLUMN_EFFECT"), 0, true,
          Translate(b.combineMode == kCombineProduct ? "NODEWIN_COLUMN_FACTOR_TIP"
                                                     : "NODEWIN_COLUMN_EFFECT_TIP")}});
    std::vector<TableRow> rows;
    // Chance and the figures kept from the player count in the total as one row.
    float unlisted = b.combineMode == kCombineProduct ? 1.0f : 0.0f;
    int unlistedCount = 0;
    for (const CauseContribution& c : b.causes) {
        if (!c.hidden) {
            rows.push_back(CauseRow(b, c));
            continue;
        }
        unlisted = b.combineMode == kCombineProduct ? unlisted * c.contribution
                                                    : unlisted + c.contribution;
        ++unlistedCount;
    }
    if (unlistedCount > 0) {
        TableRow row;
        row.tag = "unlisted";
        row.cells = {{Translate("NODEWIN_UNLISTED"), 0, ""},
                     {"", 0, ""},
                     {Contribution(b, unlisted), unlisted, Translate("NODEWIN_UNLISTED_TIP")}};
        rows.push_back(row);
    }
    table->SetRows(rows);
    AddChild(table);
    causesTable = table;

    // The notes: how the rows become the figure shown.
    notes.clear();
    std::vector<std::pair<std::string, std::string>> lines;
    const std::string count = std::to_string(b.causes.size());
    if (b.causes.empty()) {
        lines.push_back({Translate("NODEWIN_NO_CAUSES"), ""});
    } else if (b.combineMode == kCombineProduct) {
        lines.push_back(
            {Fill("NODEWIN_SUM_PRODUCT", {{"COUNT", count}, {"TOTAL", Fixed(b.combined, 2)}}),
             Translate("NODEWIN_SUM_PRODUCT_TIP")});
    } else if (b.combineMode == kCombineAverage && b.causes.size() > 1) {
        lines.push_back(
            {Fill("NODEWIN_SUM_AVERAGE", {{"COUNT", count}, {"TOTAL", SignedPoints(b.combined)}}),
             Translate("NODEWIN_SUM_AVERAGE_TIP")});
    } else {
        lines.push_back({Fill("NODEWIN_SUM", {{"TOTAL", SignedPoints(b.combined)}}),
                         Translate("NODEWIN_SUM_TIP")});
    }
    if (b.baseOffset != 0.0f || b.combineMode == kCombineProduct)
        lines.push_back({Fill("NODEWIN_BASE", {{"BASE", SignedPoints(b.baseOffset)},
                                               {"RESULT", Points(b.beforeLimits)}}),
                         Translate("NODEWIN_BASE_TIP")});
    if (b.prerequisiteMissing)
        lines.push_back(
            {Fill("NODEWIN_PREREQUISITE", {{"NAME", DisplayName(b.missingPrerequisite)}}), ""});
    const std::string unlimited = Points(b.prerequisiteMissing ? 0.0f : b.beforeLimits);
    if (b.heldAtMax)
        lines.push_back(
            {Fill("NODEWIN_HELD_MAX", {{"LIMIT", Points(b.maxValue)}, {"WOULD", unlimited}}),
             Translate("NODEWIN_HELD_TIP")});
    if (b.heldAtMin)
        lines.push_back(
            {Fill("NODEWIN_HELD_MIN", {{"LIMIT", Points(b.minValue)}, {"WOULD", unlimited}}),
             Translate("NODEWIN_HELD_TIP")});
    if (std::fabs(b.shown - b.total) >= kSame)
        lines.push_back(
            {Fill("NODEWIN_SHOWN_DIFFERS", {{"SHOWN", Points(b.shown)}, {"NOW", Points(b.total)}}),
             Translate("NODEWIN_SHOWN_DIFFERS_TIP")});
    if (b.movingCount > 0)
        lines.push_back({Fill("NODEWIN_MOVING", {{"COUNT", std::to_string(b.movingCount)},
                                                 {"SETTLED", Points(b.settledTotal)}}),
                         Translate("NODEWIN_MOVING_TIP")});
    if (!b.idle.empty()) {
        std::string names;
        const size_t shown = std::min<size_t>(b.idle.size(), 3);
        for (size_t i = 0; i < shown; ++i)
            names += (i ? ", " : "") + DisplayName(*b.idle[i]->source);
        if (b.idle.size() > shown)
            names +=
                " " + Fill("NODEWIN_AND_MORE", {{"COUNT", std::to_string(b.idle.size() - shown)}});
        lines.push_back({Fill("NODEWIN_IDLE", {{"NAMES", names}}), Translate("NODEWIN_IDLE_TIP")});
    }
    float y = designY + 206;
    for (const auto& [text, tip] : lines) {
        AddLabel(text, 0, y, tip, "arial16.dds", 14);
        notes.push_back(text);
        y += 19;
    }
    shownCauses.clear();
    for (const CauseContribution& c : b.causes)
        shownCauses.push_back({c.source->name, c.contribution, c.hidden});
    breakdown.causes.clear();
    breakdown.idle.clear();
}

void GUI_CausesWindow::DescribeMore(JsonWriter& json) const {
    json.Field("node", nodeName);
    json.Key("breakdown");
    json.BeginObject();
    json.Field("combineMode", breakdown.combineMode);
    json.Field("combined", breakdown.combined);
    json.Field("base", breakdown.baseOffset);
    json.Field("total", breakdown.total);
    json.Field("shown", breakdown.shown);
    json.Field("settledTotal", breakdown.settledTotal);
    json.Field("heldAtMin", breakdown.heldAtMin);
    json.Field("heldAtMax", breakdown.heldAtMax);
    json.Field("moving", breakdown.movingCount);
    json.Key("causes");
    json.BeginArray();
    for (const ShownCause& c : shownCauses) {
        json.BeginObject();
        json.Field("source", c.source);
        json.Field("contribution", c.contribution);
        json.Field("hidden", c.hidden);
        json.EndObject();
    }
    json.EndArray();
    json.Key("notes");
    json.BeginArray();
    for (const std::string& note : notes)
        json.Value(note);
    json.EndArray();
    json.EndObject();
    if (graph)
        json.Field("historyPoints", graph->PointCount());
}

GUI_SimValueWindow::GUI_SimValueWindow(const std::string& valueName)
    : GUI_CausesWindow(WindowKind::SimValueDetails, valueName, kCausesWindowWidth,
                       kCausesWindowHeight) {}

void GUI_SimValueWindow::Layout(Neuron& node) {
    auto& value = static_cast<SIM_SimVal&>(node);
    AddText(Translate(value.description), 0, 0, kWide, 58);
    const float change = value.history[0] - value.history[1];
    AddLabel(Fill("NODEWIN_VALUE_NOW", {{"VALUE", Points(value.value)}}), 0, 62,
             Fill("NODEWIN_VALUE_NOW_TIP", {{"VALUE", Fixed(value.value, 3)},
                                            {"LOW", Points(value.minValue)},
                                            {"HIGH", Points(value.maxValue)}}),
             "arialbold20.dds", 20);
    AddLabel(Fill("NODEWIN_CHANGE", {{"CHANGE", SignedPoints(change)}}), 200, 66,
             Translate("NODEWIN_CHANGE_TIP"));
    if (!value.interfaceText.empty() && value.interfaceText.size() > 1)
        AddText(Translate(value.interfaceText), 0, 90, kWide, 40)->colour = NodeColours::kDim;
    AddHistory(Translate("NODEWIN_HISTORY"), {History(value)}, {DisplayName(value)}, 122,
               value.minValue, value.maxValue);
    AddCauses(node, 280);
    AddEncyclopediaButton(kWide - 130, 560);
}

GUI_SituationWindow::GUI_SituationWindow(const std::string& situationName)
    : GUI_CausesWindow(WindowKind::SituationDetails, situationName, kCausesWindowWidth,
                       kCausesWindowHeight) {}

void GUI_SituationWindow::Layout(Neuron& node) {
    auto& situation = static_cast<SIM_Situation&>(node);
    AddPicture(situation.IconPicture(), DisplayName(situation), 0, 0, 56);
    AddText(Translate(situation.description), 66, 0, kWide - 66, 58);

    const bool on = situation.active;
    const std::string state = Translate(on ? "NODEWIN_SITUATION_ON" : "NODEWIN_SITUATION_OFF");
    AddLabel(Fill("NODEWIN_VALUE_NOW", {{"VALUE", Points(situation.value)}}) + "   " + state, 0, 62,
             Fill("NODEWIN_VALUE_NOW_TIP",
                  {{"VALUE", Fixed(situation.value, 3)}, {"LOW", "0"}, {"HIGH", "100"}}),
             "arialbold20.dds", 20)
        ->colour = on == situation.isGood ? NodeColours::kGood : NodeColours::kBad;

    // What starts and stops it, against where it stands.
    const std::string start = Points(kSituationStartThreshold);
    const std::string stop = Points(kSituationStopThreshold);
    std::string rule;
    if (on)
        rule = Fill("NODEWIN_SITUATION_STOPS",
                    {{"STOP", stop}, {"GAP", Points(situation.value - kSituationStopThreshold)}});
    else
        rule =
            Fill("NODEWIN_SITUATION_STARTS",
                 {{"START", start}, {"GAP", Points(kSituationStartThreshold - situation.value)}});
    AddLabel(rule, 0, 90, Fill("NODEWIN_SITUATION_RULE_TIP", {{"START", start}, {"STOP", stop}}),
             "arial16.dds", 14);
    const std::string hint = situation.texts[2];
    if (hint.size() > 1)
        AddText(Translate(hint), 0, 108, kWide, 18)->colour = NodeColours::kDim;

    // What it costs or earns while it lasts.
    // A situation's money does not depend on its value: both ends of its curves are the same.
    const float cost = situation.GetCost(1.0f);
    const float income = situation.GetIncome(1.0f);
    if (cost != 0.0f || income != 0.0f)
        AddLabel(Fill(income == 0.0f ? "NODEWIN_SITUATION_COSTS"
                      : cost == 0.0f ? "NODEWIN_SITUATION_EARNS"
                                     : "NODEWIN_SITUATION_MONEY",
                      {{"COST", FormatMoney(cost)}, {"INCOME", FormatMoney(income)}}),
                 380, 66,
                 Translate(on ? "NODEWIN_SITUATION_MONEY_ON" : "NODEWIN_SITUATION_MONEY_OFF"),
                 "arial16.dds", 14);

    const std::vector<float> history = History(situation);
    AddHistory(
        Translate("NODEWIN_HISTORY"),
        {history, std::vector<float>(history.size(), kSituationStartThreshold),
         std::vector<float>(history.size(), kSituationStopThreshold)},
        {DisplayName(situation), Translate("NODEWIN_STARTS_AT"), Translate("NODEWIN_STOPS_BELOW")},
        130, 0.0f, 1.0f);
    AddCauses(node, 288);
    AddEncyclopediaButton(kWide - 130, 568);
}

GUI_VoterGroupWindow::GUI_VoterGroupWindow(const std::string& groupName)
    : GUI_CausesWindow(WindowKind::VoterGroupDetails, groupName, kCausesWindowWidth,
                       kCausesWindowHeight) {}

void GUI_VoterGroupWindow::Layout(Neuron& node) {
    auto& group = static_cast<SIM_VoterType&>(node);
    AddPicture(group.GetPicture(), DisplayName(group), 0, 0, 80);
    AddText(Translate(group.GetDescription()), 92, 0, kWide - 92, 40);
    if (group.GetExtraText().size() > 1)
        AddText(Translate(group.GetExtraText()), 92, 42, kWide - 92, 38)->colour =
            NodeColours::kDim;

    // Approval now and its trend over the last turn and the last year.
    approval = group.GetApproval();
    auto approvalOf = [](float mood) { return std::clamp((mood + 1.0f) * 0.5f, 0.0f, 1.0f); };
    const float lastTurn = approval - approvalOf(group.history[1]);
    const float lastYear = approval - approvalOf(group.history[4]);
    trend = lastTurn > kSame ? "rising" : (lastTurn < -kSame ? "falling" : "steady");
    AddLabel(Fill("NODEWIN_APPROVAL", {{"PERCENT", NodeText::Percent(approval)}}), 0, 88,
             Fill("NODEWIN_APPROVAL_TIP", {{"MOOD", Fixed(group.value, 3)}}), "arialbold20.dds",
             20);
    AddLabel(Fill("NODEWIN_APPROVAL_TREND",
                  {{"TURN", SignedPoints(lastTurn)}, {"YEAR", SignedPoints(lastYear)}}),
             190, 92, Translate("NODEWIN_APPROVAL_TREND_TIP"), "arial16.dds", 14)
        ->colour = lastTurn >= 0 ? NodeColours::kGood : NodeColours::kBad;

    memberShare = group.GetMemberShare();
    const char* membership = group.GetMembershipTrend() == 2   ? "NODEWIN_MEMBERS_GROWING"
                             : group.GetMembershipTrend() == 0 ? "NODEWIN_MEMBERS_SHRINKING"
                                                               : "NODEWIN_MEMBERS_STEADY";
    AddLabel(Fill("NODEWIN_MEMBERS",
                  {{"PERCENT", NodeText::Percent(memberShare)}, {"TREND", Translate(membership)}}),
             0, 114,
             Fill("NODEWIN_MEMBERS_TIP", {{"COUNT", std::to_string(group.MemberCount())},
                                          {"CHANGE", std::to_string(group.GetMemberChange())}}),
             "arial16.dds", 14);
    if (group.GetTurnoutShare() > 0.0f)
        AddLabel(
            Fill("NODEWIN_VOTED", {{"PERCENT", NodeText::Percent(group.GetPlayerShareOfVotes())},
                                   {"TURNOUT", NodeText::Percent(group.GetTurnoutShare())}}),
            380, 114, Translate("NODEWIN_VOTED_TIP"), "arial16.dds", 14);

    std::vector<float> approvals;
    for (float mood : History(group))
        approvals.push_back(approvalOf(mood));
    AddHistory(Translate("NODEWIN_APPROVAL_HISTORY"), {approvals, History(group.GetPercentNode())},
               {Translate("NODEWIN_APPROVAL_SERIES"), Translate("NODEWIN_SHARE_SERIES")}, 136, 0.0f,
               1.0f);
    AddCauses(node, 294);
    AddEncyclopediaButton(kWide - 130, 572);
}

void GUI_VoterGroupWindow::DescribeMore(JsonWriter& json) const {
    GUI_CausesWindow::DescribeMore(json);
    json.Field("memberShare", memberShare);
    json.Field("approval", approval);
    json.Field("approvalTrend", trend);
}
