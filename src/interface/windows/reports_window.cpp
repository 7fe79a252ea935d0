// The quarterly reports window: the five reports of the turn (the world economy, the budget,
// the polls, the coming election and the intelligence briefing), each with the figure it rests
// on beside its title.

#include "base/json_writer.h"
#include "base/mission.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/report_manager.h"
#include "interface/windows/game_windows.h"
#include "interface/windows/government_figures.h"
#include "interface/windows/government_window.h"
#include "interface/windows/government_windows.h"
#include "network/global_economy.h"
#include "network/network_state.h"
#include "population/pressure_group.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kShownReports = 5;
constexpr float kWidth = 860;
constexpr float kTitleStep = 26;
constexpr float kGap = 16;

struct ReportFigure {
    std::string text;
    std::string tooltip;
};

// The figure a report rests on, found by its title.
ReportFigure FigureFor(const std::string& title) {
    ReportFigure figure;
    if (title == Translate("REPORT_ECONOMY_TITLE")) {
        const float level =
            Network().globalEconomy ? (Network().globalEconomy->GetValue() + 1.0f) * 0.5f : 0.5f;
        figure.text = FormatShare(level);
        figure.tooltip = Translate("REPORTS_TIP_ECONOMY");
    } else if (title == Translate("REPORT_BUDGET_TITLE")) {
        const FinanceSummary s = SummariseFinances();
        figure.text = FormatSignedMoney(s.balance);
        figure.tooltip =
            TranslateWith("REPORTS_TIP_BUDGET", {{"<INCOME>", FormatMoney(s.income)},
                                                 {"<SPENDING>", FormatMoney(s.spending)}});
    } else if (title == Translate("REPORT_POLLS_TITLE")) {
        figure.text = FormatShare(GetPotentialVoteRate());
        figure.tooltip = Translate("REPORTS_TIP_POLLS");
    } else if (title == Translate("REPORT_ELECTION_TITLE")) {
        const int months = GetElectionManager().MonthsUntilElection();
        figure.text = TranslateWith("REPORTS_MONTHS", {{"<MONTHS>", std::to_string(months)}});
        figure.tooltip = Translate("REPORTS_TIP_ELECTION");
    } else if (title == Translate("REPORT_INTEL_TITLE")) {
        const SIM_PressureGroup* strongest = nullptr;
        for (const SIM_PressureGroup* group : AllPressureGroups()) {
            if (group && (!strongest || group->strength > strongest->strength))
                strongest = group;
        }
        char strength[32];
        std::snprintf(strength, sizeof strength, "%.1f",
                      static_cast<double>(strongest ? strongest->strength : 0.0f));
        figure.text = strength;
        figure.tooltip = TranslateWith(
            "REPORTS_TIP_INTEL",
            {{"<NAME>", strongest ? Translate(strongest->guiName) : std::string("-")}});
    }
    return figure;
}

class ReportsWindow : public GovernmentWindow {
public:
    ReportsWindow() : GovernmentWindow(WindowKind::Reports, "REPORTS_TITLE", 900, 680) {}

    void Build() override {
        for (int i = 0; i < kShownReports; ++i) {
            titles[i] = AddFigure(X(0), Y(0));
            titles[i]->SetFont("arialbold20.dds", 20);
            titles[i]->colour = GovColour::kAccent;
            figures[i] = AddFigure(X(kWidth), Y(0), LabelAlign::Right);
            figures[i]->SetFont("arialbold16.dds", 16);
        }
        turn = AddFigure(X(0), Y(0));
        turn->colour = GovColour::kDim;
        AddButton(X(kWidth - 200), Y(600), S(200), "REPORTS_DONE", "ReportsDoneButton",
                  [this] { Close(); });
        Refresh();
    }

    void Refresh() override {
        reports = GetReportManager().Reports();
        // The figures belong with the reports of their turn: read again later, the budget's
        // figures would no longer match the words written about them.
        const bool fresh = GetTurnNumber() != figuresTurn;
        figuresTurn = GetTurnNumber();
        turn->SetText(TranslateWith("REPORTS_TURN", {{"<TURN>", std::to_string(GetTurnNumber())}}));
        float y = Y(30);
        bodyTops.assign(reports.size(), 0.0f);
        for (int i = 0; i < kShownReports; ++i) {
            const bool used = i < static_cast<int>(reports.size());
            titles[i]->visible = used;
            figures[i]->visible = used;
            if (!used)
                continue;
            if (fresh) {
                const ReportFigure figure = FigureFor(reports[i].title);
                figures[i]->SetText(figure.text);
                figures[i]->SetTooltipText(figure.tooltip);
            }
            titles[i]->SetText(reports[i].title);
            titles[i]->MoveTo(static_cast<float>(titles[i]->left), y);
            figures[i]->MoveTo(static_cast<float>(figures[i]->left), y + S(3));
            bodyTops[i] = y + S(kTitleStep);
            y = bodyTops[i] + ParagraphHeight(reports[i].body, S(kWidth)) + S(kGap);
        }
    }

    void DescribeMore(JsonWriter& json) const override {
        json.Key("reports");
        json.BeginArray();
        for (const SIM_Report& report : reports) {
            json.BeginObject();
            json.Field("title", report.title);
            json.Field("body", report.body);
            json.EndObject();
        }
        json.EndArray();
    }

protected:
    void DrawExtras() override {
        if (reports.empty()) {
            DrawParagraph(Translate("REPORTS_NONE"), X(0), Y(40), S(kWidth), GovColour::kDim);
            return;
        }
        for (size_t i = 0; i < reports.size() && i < bodyTops.size(); ++i)
            DrawParagraph(reports[i].body, X(0), bodyTops[i], S(kWidth), GovColour::kText);
    }

private:
    GUI_Label* titles[kShownReports] = {};
    GUI_Label* figures[kShownReports] = {};
    GUI_Label* turn = nullptr;
    std::vector<SIM_Report> reports;
    std::vector<float> bodyTops;
    int figuresTurn = -1;
};

} // namespace

std::unique_ptr<GUI_GameWindow> MakeReportsWindow() {
    return std::make_unique<ReportsWindow>();
}
