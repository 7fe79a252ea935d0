#include "interface/windows/policy_picker.h"

#include "base/json_writer.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/policy.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "interface/widgets/gui_buttons.h"
#include "interface/widgets/gui_label.h"
#include "interface/widgets/gui_table.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/node_window.h"

#include <vector>

using NodeText::Fill;

namespace {

constexpr float kPickerWidth = 640;
constexpr float kPickerHeight = 600;
constexpr float kShortfallWidth = 460;
constexpr float kShortfallHeight = 190;

} // namespace

GUI_PolicyPickerWindow::GUI_PolicyPickerWindow()
    : GUI_GameWindow(WindowKind::PolicyPicker, "NODEWIN_PICKER_TITLE", kPickerWidth,
                     kPickerHeight) {}

void GUI_PolicyPickerWindow::Update() {
    if (builtTurn != GetTurnNumber())
        Rebuild();
    GUI_GameWindow::Update();
}

void GUI_PolicyPickerWindow::Rebuild() {
    builtTurn = GetTurnNumber();
    ClearWindowContent(*this);
    const PoliticalCapital& stock = GetPoliticalCapital();
    capital = stock.capital;
    const float x = static_cast<float>(ContentLeft());
    const float y = static_cast<float>(ContentTop());
    AddWindowLabel(*this,
                   Fill("NODEWIN_CAPITAL", {{"CAPITAL", std::to_string(stock.capital)},
                                            {"PERTURN", std::to_string(stock.capitalPerTurn)}}),
                   x, y, Translate("POLITICAL_CAPITAL_DESC"), "arialbold16.dds", 16);
    AddWindowLabel(*this, Translate("NODEWIN_PICKER_HINT"), x, y + S(22), "", "arial16.dds", 14)
        ->colour = NodeColours::kDim;

    table = new GUI_Table();
    table->identifier = "PolicyPickerTable";
    table->SetRect(x, y + S(46), static_cast<float>(ContentRight()),
                   static_cast<float>(innerBottom) - S(6));
    table->SetColumns({{Translate("NODEWIN_COLUMN_POLICY"), S(300), false, ""},
                       {Translate("NODEWIN_COLUMN_AREA"), S(180), false, ""},
                       {Translate("NODEWIN_COLUMN_INTRODUCE_COST"), 0, true,
                        Translate("NODEWIN_COLUMN_INTRODUCE_COST_TIP")}});

    // Area by area in the groups' order; within an area, in the order the policies were read.
    std::vector<TableRow> rows;
    const std::vector<SIM_Policy*>& policies = GetPolicyManager().AllPolicies();
    for (int g = 0; g <= kPolicyGroupCount; ++g) {
        for (SIM_Policy* policy : policies) {
            const int index = policy->group ? policy->group->index : kPolicyGroupCount;
            if (index != g || policy->active)
                continue;
            const bool affordable = stock.capital >= policy->introduceCost;
            TableRow row;
            row.tag = policy->name;
            std::string cost = std::to_string(policy->introduceCost);
            if (!affordable)
                cost = Fill("NODEWIN_COST_SHORT",
                            {{"COST", cost},
                             {"SHORT", std::to_string(policy->introduceCost - stock.capital)}});
            const std::string area =
                policy->group ? policy->group->displayName : Translate("NODEWIN_NO_AREA");
            row.cells = {{NodeText::DisplayName(*policy), 0, ""},
                         {area, static_cast<float>(index), ""},
                         {cost, static_cast<float>(policy->introduceCost), ""}};
            if (!affordable) {
                for (TableCell& cell : row.cells)
                    cell.colour = NodeColours::kBad;
            }
            row.tooltip = Translate(policy->description);
            const std::string name = policy->name;
            row.onClick = [name] { OpenPolicyDetails(name, true); };
            rows.push_back(row);
        }
    }
    table->SetRows(rows);
    AddChild(table);
}

void GUI_PolicyPickerWindow::DescribeMore(JsonWriter& json) const {
    json.Field("capital", capital);
    json.Key("offered");
    json.BeginArray();
    if (table) {
        for (const TableRow& row : table->Rows()) {
            const SIM_Policy* policy = GetPolicyManager().FindPolicy(row.tag);
            if (!policy)
                continue;
            json.BeginObject();
            json.Field("policy", row.tag);
            json.Field("area", policy->group ? policy->group->name : std::string());
            json.Field("cost", policy->introduceCost);
            json.Field("affordable", capital >= policy->introduceCost);
            json.EndObject();
        }
    }
    json.EndArray();
}

GUI_CapitalShortfallWindow::GUI_CapitalShortfallWindow(const std::string& wanted, int needed)
    : GUI_GameWindow(WindowKind::CapitalShortfall, "NODEWIN_SHORTFALL_TITLE", kShortfallWidth,
                     kShortfallHeight),
      what(wanted), cost(needed) {}

void GUI_CapitalShortfallWindow::Build() {
    const PoliticalCapital& stock = GetPoliticalCapital();
    text = Fill("NODEWIN_SHORTFALL", {{"WHAT", what},
                                      {"COST", std::to_string(cost)},
                                      {"CAPITAL", std::to_string(stock.capital)}});
    // How long saving up takes, unless the bank can never hold that much.
    const int missing = cost - stock.capital;
    const int bank = 3 * stock.capitalPerTurn;
    if (stock.capitalPerTurn <= 0)
        text += " " + Translate("NODEWIN_SHORTFALL_NO_INCOME");
    else if (cost > bank)
        text += " " + Fill("NODEWIN_SHORTFALL_NEVER", {{"BANK", std::to_string(bank)}});
    else if (missing > 0 && missing <= stock.capitalPerTurn)
        text += " " + Fill("NODEWIN_SHORTFALL_WAIT_ONE",
                           {{"PERTURN", std::to_string(stock.capitalPerTurn)}});
    else if (missing > 0)
        text += " " + Fill("NODEWIN_SHORTFALL_WAIT",
                           {{"PERTURN", std::to_string(stock.capitalPerTurn)},
                            {"TURNS", std::to_string((missing + stock.capitalPerTurn - 1) /
                                                     stock.capitalPerTurn)}});
    auto* body = new GUI_NodeText(text, static_cast<float>(ContentLeft()),
                                  static_cast<float>(ContentTop()) + S(4),
                                  static_cast<float>(ContentWidth()), S(90));
    body->fontSize = 16;
    AddChild(body);
    auto* ok = new GUI_ButtonText("NODEWIN_SHORTFALL_OK");
    ok->identifier = "ShortfallOkButton";
    const float w = S(140), h = S(30);
    const float left = (this->left + right) / 2.0f - w / 2;
    ok->SetRect(left, static_cast<float>(innerBottom) - h - S(4), left + w,
                static_cast<float>(innerBottom) - S(4));
    ok->deferred = true;
    ok->SetCallback([windowName = name](void*) {
        if (GUI_GameWindow* window = FindGameWindow(windowName))
            window->Close();
    });
    AddChild(ok);
}

void GUI_CapitalShortfallWindow::DescribeMore(JsonWriter& json) const {
    json.Field("what", what);
    json.Field("cost", cost);
    json.Field("capital", GetPoliticalCapital().capital);
    json.Field("text", text);
}
