#pragma once
// SIM_ReportManager: the quarterly reports a government reads each turn — the world economy, the
// budget, the polls, the coming election and the intelligence service's view of the pressure
// groups — built as finished texts and kept until the next turn for the reports window and the
// state document.

#include "base/game_subsystem.h"

#include <string>
#include <vector>

// Numbered text sections picked by a level.
inline constexpr const char kReportEconomySection[] = "report_global_economy";
inline constexpr const char kReportElectionSection[] = "report_election_time";

// Approval bounds of the polls report; both bounds give the average text.
constexpr float kReportLowApproval = 0.45f;
constexpr float kReportHighApproval = 0.7f;
// Members one party must lead by for the election report to call it the bigger one.
constexpr int kReportPartyMargin = 10;
// The strongest pressure group is news only above this strength and growth.
constexpr float kReportQuietStrength = 5.0f;
constexpr float kReportQuietGrowth = 0.05f;
// Strengths at which the intelligence report moves to a group's second and third text.
constexpr float kReportThreatMedium = 10.0f;
constexpr float kReportThreatHigh = 20.0f;

struct SIM_Report {
    std::string title;
    std::string body;
};

class SIM_ReportManager : public GameSubsystem {
public:
    // Forgets this turn's reports.
    void Release() override;

    void AddReport(const std::string& title, const std::string& body);
    // The turn step, once finances and political capital are settled: the five reports in order.
    void MakeReports();

    void MakeEconomyReport();
    void MakeBudgetReport();
    void MakePollsReport();
    void MakeElectionReport();
    void MakeIntelligenceReport();

    const std::vector<SIM_Report>& Reports() const { return reports; }

private:
    std::vector<SIM_Report> reports;
};

// The report manager of the game in play.
SIM_ReportManager& GetReportManager();

// A whole number with commas between groups of three digits: 1234567 → "1,234,567".
std::string FormatWithThousands(long long number);

// The quarterly report dialog, through the front end; headless runs keep the reports for the
// state document and show nothing.
void ShowQuarterlyReport();
