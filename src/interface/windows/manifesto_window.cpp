// The manifesto: the promises on offer for the coming term, what each asks of the government and
// what breaking one costs, and the promises already made with whether each is being kept.
// Promises are made only in the turn before an election; at other times the window reports.

#include "base/debug_log.h"
#include "base/translation.h"
#include "government/election_manager.h"
#include "government/manifesto.h"
#include "interface/screens/screens.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_table.h"
#include "interface/widgets/gui_window_manager.h"
#include "interface/widgets/message_dialog.h"
#include "interface/windows/desk_parts.h"
#include "interface/windows/desk_windows.h"
#include "interface/windows/game_windows.h"
#include "network/neuron.h"
#include "population/voter.h"

#include <algorithm>

namespace {

using ScreenLayout::S;

constexpr float kWidth = 860, kHeight = 660;
constexpr float kMargin = 20;
constexpr Argb kSelectedColour = 0xFFF0C850;

// The value is a level from 0 to 1, written as a percentage; one decimal, so that a target
// missed by a hair does not read as met.
std::string Level(float value) {
    return PercentText(value, 1);
}

std::string KindWord(int32_t kind) {
    if (kind == kPledgeCancel)
        return Translate("MANIFESTO_KIND_CANCEL");
    return Translate(kind == kPledgeLower ? "MANIFESTO_KIND_LOWER" : "MANIFESTO_KIND_RAISE");
}

std::string TargetName(const ManifestoOption& option) {
    Neuron* node = FindNeuron(option.targetName);
    return node && node->guiName[0] ? Translate(node->guiName) : option.targetName;
}

// How a promise's target follows from where its value stood.
std::string TargetTooltip(const ManifestoOption& option, float from, float target) {
    if (option.kind == kPledgeCancel) {
        std::string tip = Translate("MANIFESTO_TIP_CANCEL");
        ReplaceAll(tip, "<NAME>", TargetName(option));
        return tip;
    }
    std::string tip = Translate("MANIFESTO_TIP_TARGET");
    ReplaceAll(tip, "<NAME>", TargetName(option));
    ReplaceAll(tip, "<FROM>", Level(from));
    ReplaceAll(tip, "<CHANGE>", PercentText(option.amount, 0));
    ReplaceAll(tip, "<TARGET>", Level(target));
    return tip;
}

std::string NowTooltip(const ManifestoOption& option) {
    std::string tip = Translate("MANIFESTO_TIP_NOW");
    ReplaceAll(tip, "<NAME>", TargetName(option));
    return tip;
}

bool InForce(const ManifestoOption& option) {
    Neuron* node = FindNeuron(option.targetName);
    return node && node->active;
}

bool PledgedForNextTerm(const ManifestoOption& option) {
    const auto& made = GetManifesto().NextTermPledges();
    return std::any_of(made.begin(), made.end(),
                       [&](const ManifestoPledge& pledge) { return pledge.option == &option; });
}

// What the player can be told about when the manifesto may be written.
std::string WhenText() {
    if (ManifestoMayBeChosen())
        return Translate("MANIFESTO_OPEN");
    const int months = GetElectionManager().MonthsUntilElection() - kManifestoPromptMonths;
    if (months <= 0)
        return Translate("MANIFESTO_CLOSED_NOW");
    std::string text = Translate("MANIFESTO_CLOSED");
    ReplaceAll(text, "<MONTHS>", std::to_string(months));
    return text;
}

TableCell Cell(const std::string& text, float sortValue = 0, const std::string& tooltip = "") {
    TableCell cell;
    cell.text = text;
    cell.sortValue = sortValue;
    cell.tooltip = tooltip;
    return cell;
}

} // namespace

GUI_ManifestoWindow::GUI_ManifestoWindow()
    : GUI_GameWindow(WindowKind::Manifesto, "MANIFESTO_TITLE", kWidth, kHeight) {}

void GUI_ManifestoWindow::Build() {
    const float l = left + S(kMargin), r = right - S(kMargin);
    float y = top + S(45);
    when = AddText(*this, WhenText(), l, y, r, y + S(40));
    y += S(46);
    std::string penalty = Translate("MANIFESTO_PENALTY");
    ReplaceAll(penalty, "<PENALTY>", PercentText(GetManifesto().BrokenPenalty(), 0));
    ReplaceAll(penalty, "<MONTHS>", std::to_string(kManifestoPenaltyMonths));
    AddLabel(*this, penalty, l, y, Translate("TOOLTIP_MANIFESTO_PENALTY"));
    y += S(30);

    AddLabel(*this, Translate("MANIFESTO_ON_OFFER"), l, y, "")
        ->SetFont(ScreenLayout::kLabelFont, 16);
    y += S(24);
    offers = new GUI_Table();
    offers->identifier = "ManifestoOffers";
    offers->SetRect(l, y, r, y + S(226));
    offers->SetColumns(
        {{Translate("MANIFESTO_COL_PROMISE"), S(390), false, ""},
         {Translate("MANIFESTO_COL_NOW"), S(110), true, Translate("TOOLTIP_MANIFESTO_COL_NOW")},
         {Translate("MANIFESTO_COL_TARGET"), S(110), true,
          Translate("TOOLTIP_MANIFESTO_COL_TARGET")},
         {Translate("MANIFESTO_COL_KIND"), 0, false, ""}});
    AddChild(offers);
    y += S(234);

    pledgeButton = new GUI_ButtonText("MANIFESTO_PLEDGE");
    pledgeButton->identifier = "ManifestoPledgeButton";
    pledgeButton->fontSize = 14;
    pledgeButton->SetTooltip("TOOLTIP_MANIFESTO_PLEDGE");
    pledgeButton->SetRect(r - S(220), y, r, y + S(32));
    pledgeButton->deferred = true;
    pledgeButton->SetCallback([this](void*) { PledgeSelected(); });
    AddChild(pledgeButton);
    y += S(42);

    AddLabel(*this, Translate("MANIFESTO_YOUR_PLEDGES"), l, y, "")
        ->SetFont(ScreenLayout::kLabelFont, 16);
    y += S(24);
    pledges = new GUI_Table();
    pledges->SetRect(l, y, r, bottom - S(16));
    pledges->SetColumns(
        {{Translate("MANIFESTO_COL_PROMISE"), S(300), false, ""},
         {Translate("MANIFESTO_COL_TERM"), S(120), false, ""},
         {Translate("MANIFESTO_COL_FROM"), S(90), true, Translate("MANIFESTO_TIP_FROM")},
         {Translate("MANIFESTO_COL_TARGET"), S(90), true,
          Translate("TOOLTIP_MANIFESTO_COL_TARGET")},
         {Translate("MANIFESTO_COL_NOW"), S(90), true, Translate("TOOLTIP_MANIFESTO_COL_NOW")},
         {Translate("MANIFESTO_COL_STATUS"), 0, false, ""}});
    AddChild(pledges);
    Refresh();
}

void GUI_ManifestoWindow::Refresh() {
    if (!offers)
        return;
    when->text = WhenText();
    FillOffers();
    FillPledges();
    pledgeButton->enabled = ManifestoMayBeChosen() && !selected.empty();
}

void GUI_ManifestoWindow::FillOffers() {
    SIM_Manifesto& manifesto = GetManifesto();
    std::vector<TableRow> rows;
    bool selectedOnOffer = false;
    for (const ManifestoOption& option : manifesto.Options()) {
        if (PledgedForNextTerm(option) || !manifesto.IsOptionAvailable(option))
            continue;
        ManifestoPledge would{&option, 0.0f};
        Neuron* node = FindNeuron(option.targetName);
        would.initial = node ? node->GetValue() : 0.0f;
        const float target = manifesto.GetPledgeTarget(would);
        TableRow row;
        row.tag = option.targetName;
        const bool cancel = option.kind == kPledgeCancel;
        row.cells = {Cell(Translate(option.title)),
                     Cell(cancel ? Translate("MANIFESTO_IN_FORCE") : Level(would.initial),
                          would.initial, NowTooltip(option)),
                     Cell(cancel ? Translate("MANIFESTO_CANCELLED") : Level(target), target,
                          TargetTooltip(option, would.initial, target)),
                     Cell(KindWord(option.kind), 0,
                          Translate("MANIFESTO_TIP_KIND_" + std::to_string(option.kind)))};
        if (option.targetName == selected) {
            selectedOnOffer = true;
            for (TableCell& cell : row.cells)
                cell.colour = kSelectedColour;
        }
        row.tooltip = Translate(ManifestoMayBeChosen() ? "TOOLTIP_MANIFESTO_CHOOSE"
                                                       : "TOOLTIP_MANIFESTO_NOT_NOW");
        const std::string targetName = option.targetName;
        row.onClick = [this, targetName] { Select(targetName); };
        rows.push_back(row);
    }
    // The first promise stands chosen until the player picks another, so that Pledge always
    // has something to pledge while promises may be made.
    if (!selectedOnOffer) {
        selected = ManifestoMayBeChosen() && !rows.empty() ? rows.front().tag : std::string();
        if (!selected.empty()) {
            for (TableCell& cell : rows.front().cells)
                cell.colour = kSelectedColour;
        }
    }
    offers->SetRows(rows);
}

void GUI_ManifestoWindow::FillPledges() {
    SIM_Manifesto& manifesto = GetManifesto();
    std::vector<TableRow> rows;
    auto add = [&](const ManifestoPledge& pledge, bool live) {
        if (!pledge.option)
            return;
        const ManifestoOption& option = *pledge.option;
        const bool cancel = option.kind == kPledgeCancel;
        const float target = manifesto.GetPledgeTarget(pledge);
        const float now = manifesto.GetPledgeCurrent(pledge);
        TableRow row;
        row.tag = option.targetName;
        TableCell status;
        if (live) {
            const bool kept = manifesto.IsPledgeKept(pledge);
            status = Cell(Translate(kept ? "MANIFESTO_KEPT" : "MANIFESTO_BROKEN_SHORT"),
                          kept ? 1.0f : 0.0f,
                          Translate(kept ? "TOOLTIP_MANIFESTO_KEPT" : "TOOLTIP_MANIFESTO_BROKEN"));
            status.colour = kept ? kDeskGoodColour : kDeskBadColour;
        } else {
            status =
                Cell(Translate("MANIFESTO_NOT_YET"), 0.5f, Translate("TOOLTIP_MANIFESTO_NOT_YET"));
        }
        row.cells = {
            Cell(Translate(option.title)),
            Cell(Translate(live ? "MANIFESTO_THIS_TERM" : "MANIFESTO_NEXT_TERM"), live ? 0 : 1),
            Cell(cancel ? "-" : Level(pledge.initial), pledge.initial,
                 Translate("MANIFESTO_TIP_FROM")),
            Cell(cancel ? Translate("MANIFESTO_CANCELLED") : Level(target), target,
                 TargetTooltip(option, pledge.initial, target)),
            Cell(cancel ? Translate(InForce(option) ? "MANIFESTO_IN_FORCE" : "MANIFESTO_CANCELLED")
                        : Level(now),
                 now, NowTooltip(option)),
            status};
        rows.push_back(row);
    };
    for (const ManifestoPledge& pledge : manifesto.LivePledges())
        add(pledge, true);
    for (const ManifestoPledge& pledge : manifesto.NextTermPledges())
        add(pledge, false);
    if (rows.empty()) {
        TableRow none;
        none.cells = {Cell(Translate("MANIFESTO_NONE"))};
        rows.push_back(none);
    }
    pledges->SetRows(rows);
}

void GUI_ManifestoWindow::Select(const std::string& targetName) {
    selected = targetName;
    Refresh();
}

bool GUI_ManifestoWindow::PledgeSelected() {
    if (selected.empty())
        return false;
    const ActionResult result = ChoosePledgeAction(selected);
    Log(result.message);
    if (!result.ok) {
        if (GUI_WindowManager* windows = GameWindowManager())
            ShowMessageDialog(*windows, Translate("MANIFESTO_REFUSED"), result.message);
        return false;
    }
    selected.clear();
    RefreshGameWindows();
    return true;
}
