// The finance window: this quarter's money line by line, where the country stands against its
// debt ceiling, and the remembered turns of income, spending and debt.

#include "base/json_writer.h"
#include "base/mission.h"
#include "base/translation.h"
#include "government/finances.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "interface/windows/government_window.h"
#include "interface/windows/government_windows.h"

#include <cmath>
#include <vector>

namespace {

constexpr unsigned kIncomeColour = 0xFF6FD08C;
constexpr unsigned kSpendingColour = 0xFFE08A5A;
constexpr unsigned kDebtColour = 0xFFE06A5A;
constexpr unsigned kCeilingColour = 0xFFA8B4C0;

std::vector<float> OldestFirst(const float (&history)[Finances::kHistoryLength]) {
    return std::vector<float>(std::rbegin(history), std::rend(history));
}

std::string KindName(BudgetLineKind kind) {
    switch (kind) {
    case BudgetLineKind::Policy:
        return Translate("FINANCE_KIND_POLICY");
    case BudgetLineKind::Situation:
        return Translate("FINANCE_KIND_SITUATION");
    case BudgetLineKind::Interest:
        return Translate("FINANCE_KIND_INTEREST");
    }
    return std::string();
}

class FinanceWindow : public GovernmentWindow {
public:
    FinanceWindow() : GovernmentWindow(WindowKind::Finance, "FINANCE_TITLE", 960, 700) {}

    void Build() override {
        const float w = S(300);
        AddHeading(X(0), Y(0), "FINANCE_QUARTER");
        const char* rows[] = {"FINANCE_INCOME",    "FINANCE_SPENDING", "FINANCE_OF_INTEREST",
                              "FINANCE_BALANCE",   "FINANCE_TREASURY", "FINANCE_DEBT",
                              "FINANCE_CEILING",   "FINANCE_CREDIT",   "FINANCE_TURNS_LEFT",
                              "FINANCE_DEBT_RATIO"};
        for (int i = 0; i < 10; ++i)
            figures[i] = AddFigureRow(X(0), Y(28 + 25 * i), w, rows[i]);

        AddHeading(X(330), Y(0), "FINANCE_LINES");
        lines = AddTable(X(330), Y(26), S(610), S(270));
        lines->identifier = "FinanceLines";
        lines->SetColumns(
            {{Translate("FINANCE_COL_ITEM"), S(220), false, ""},
             {Translate("FINANCE_COL_KIND"), S(90), false, ""},
             {Translate("FINANCE_COL_SPENDING"), S(100), true,
              Translate("FINANCE_COL_SPENDING_TIP")},
             {Translate("FINANCE_COL_INCOME"), S(100), true, Translate("FINANCE_COL_INCOME_TIP")},
             {Translate("FINANCE_COL_NET"), 0, true, Translate("FINANCE_COL_NET_TIP")}});

        flows = AddGraph(X(0), Y(320), S(460), S(300), "FINANCE_GRAPH_FLOWS");
        flows->identifier = "FinanceFlowsGraph";
        debt = AddGraph(X(480), Y(320), S(460), S(300), "FINANCE_GRAPH_DEBT");
        debt->identifier = "FinanceDebtGraph";
        for (GUI_Graph* graph : {flows, debt}) {
            graph->formatValue = [](float v) { return FormatMoney(v); };
            graph->formatScale = [](float v) { return FormatMoneyShort(v); };
            graph->scaleWidth = S(80);
            graph->formatPoint = [](int index, int count) {
                const int ago = count - 1 - index;
                return ago == 0
                           ? Translate("FINANCE_GRAPH_NOW")
                           : TranslateWith("FINANCE_GRAPH_AGO", {{"<TURNS>", std::to_string(ago)}});
            };
        }
        Refresh();
    }

    void Refresh() override {
        summary = SummariseFinances();
        const FinanceSummary& s = summary;
        const Finances& f = GetFinances();
        SetFigure(0, FormatMoney(s.income), "FINANCE_TIP_INCOME", {});
        SetFigure(1, FormatMoney(s.spending), "FINANCE_TIP_SPENDING", {});
        SetFigure(2, FormatMoney(s.interest), "FINANCE_TIP_INTEREST",
                  {{"<DEBT>", FormatMoney(s.debt)}});
        const bool surplus = s.balance >= 0;
        SetFigure(3, FormatSignedMoney(s.balance),
                  surplus ? "FINANCE_TIP_SURPLUS" : "FINANCE_TIP_DEFICIT",
                  {{"<INCOME>", FormatMoney(s.income)}, {"<SPENDING>", FormatMoney(s.spending)}});
        figures[3]->colour = surplus ? GovColour::kGood : GovColour::kBad;
        SetFigure(4, FormatMoney(s.treasury), "FINANCE_TIP_TREASURY", {});
        SetFigure(5, FormatMoney(s.debt), "FINANCE_TIP_DEBT", {});
        SetFigure(6, FormatMoney(s.ceiling), "FINANCE_TIP_CEILING", {});
        SetFigure(7, FormatMoney(s.creditLeft), "FINANCE_TIP_CREDIT",
                  {{"<CEILING>", FormatMoney(s.ceiling)}, {"<DEBT>", FormatMoney(s.debt)}});
        figures[7]->colour = s.creditLeft <= 0 ? GovColour::kBad : GovColour::kText;
        if (s.turnsToCeiling < 0)
            SetFigure(8, Translate("FINANCE_NEVER"), "FINANCE_TIP_TURNS_NEVER", {});
        else
            SetFigure(8, std::to_string(s.turnsToCeiling), "FINANCE_TIP_TURNS",
                      {{"<DEFICIT>", FormatMoney(-s.balance)},
                       {"<ROOM>", FormatMoney(s.ceiling - s.debt + s.treasury)}});
        SetFigure(9, FormatShare(s.debtRatio), "FINANCE_TIP_DEBT_RATIO",
                  {{"<DEBT>", FormatMoney(s.debt)}, {"<YEAR>", FormatMoney(s.income * 12.0f)}});

        std::vector<TableRow> rows;
        for (const BudgetLine& line : BudgetLinesByWeight()) {
            TableRow row;
            row.tag = line.node.empty() ? std::string("_interest_") : line.node;
            row.tooltip = line.explanation;
            row.cells = {{line.label, 0, ""},
                         {KindName(line.kind), 0, ""},
                         {FormatMoney(line.cost), line.cost, ""},
                         {FormatMoney(line.income), line.income, ""},
                         {FormatSignedMoney(line.Net()), line.Net(), "",
                          line.Net() < 0 ? GovColour::kBad : GovColour::kGood}};
            const std::string node = line.node;
            if (line.kind == BudgetLineKind::Policy)
                row.onClick = [node] { OpenPolicyDetails(node); };
            else if (line.kind == BudgetLineKind::Situation)
                row.onClick = [node] { OpenSituationDetails(node); };
            rows.push_back(std::move(row));
        }
        lines->SetRows(std::move(rows));

        flows->SetSeries(
            {{Translate("FINANCE_INCOME"), OldestFirst(f.IncomeHistory), kIncomeColour},
             {Translate("FINANCE_SPENDING"), OldestFirst(f.ExpenditureHistory), kSpendingColour}});
        // The ceiling as a level line shows how close the debt has come.
        debt->SetSeries(
            {{Translate("FINANCE_DEBT"), OldestFirst(f.DebtHistory), kDebtColour},
             {Translate("FINANCE_CEILING"),
              std::vector<float>(Finances::kHistoryLength, f.DebtCeiling), kCeilingColour}});
        // Money graphs start from nothing, so that the height of a line means its size.
        float low = 0, high = 1;
        for (GUI_Graph* graph : {flows, debt}) {
            graph->ClearRange();
            graph->ScaleRange(low, high);
            graph->SetRange(std::fmin(0.0f, low), high);
        }
    }

    void DescribeMore(JsonWriter& json) const override {
        json.Field("income", summary.income);
        json.Field("spending", summary.spending);
        json.Field("debt", summary.debt);
        json.Field("ceiling", summary.ceiling);
        json.Field("creditLeft", summary.creditLeft);
        json.Field("turnsToCeiling", summary.turnsToCeiling);
    }

protected:
    void DrawExtras() override {
        // How much of the ceiling the debt has used, under the figures.
        const float used = summary.ceiling > 0 ? summary.debt / summary.ceiling : 1.0f;
        const unsigned colour = used > 0.75f ? GovColour::kBad : GovColour::kAccent;
        DrawFractionBar(X(0), Y(285), X(300), Y(297), used, colour);
    }

private:
    void SetFigure(int index, const std::string& text, const std::string& tipKey,
                   const std::vector<std::pair<std::string, std::string>>& values) {
        figures[index]->SetText(text);
        figures[index]->SetTooltipText(TranslateWith(tipKey, values));
    }

    GUI_Label* figures[10] = {};
    GUI_Table* lines = nullptr;
    GUI_Graph* flows = nullptr;
    GUI_Graph* debt = nullptr;
    FinanceSummary summary;
};

} // namespace

std::unique_ptr<GUI_GameWindow> MakeFinanceWindow() {
    return std::make_unique<FinanceWindow>();
}
