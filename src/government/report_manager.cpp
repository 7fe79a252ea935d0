#include "government/report_manager.h"

#include "base/front_end.h"
#include "base/mission.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/government_state.h"
#include "network/global_economy.h"
#include "network/network_state.h"
#include "network/neuron.h"
#include "population/party.h"
#include "population/population_state.h"
#include "population/pressure_group.h"
#include "population/voter.h"

#include <cstdio>

namespace {

int MembersOf(const SIM_Party* party) {
    return party ? party->MemberCount() : 0;
}

} // namespace

void SIM_ReportManager::Release() {
    reports.clear();
}

void SIM_ReportManager::AddReport(const std::string& title, const std::string& body) {
    reports.push_back({title, body});
}

void SIM_ReportManager::MakeReports() {
    Release();
    MakeEconomyReport();
    MakeBudgetReport();
    MakePollsReport();
    MakeElectionReport();
    MakeIntelligenceReport();
}

void SIM_ReportManager::MakeEconomyReport() {
    float economy = Network().globalEconomy ? Network().globalEconomy->value : 0.0f;
    float level = (economy + 1.0f) * 0.5f;
    AddReport(Translate("REPORT_ECONOMY_TITLE"), GetGradedText(kReportEconomySection, level));
}

void SIM_ReportManager::MakeBudgetReport() {
    const Finances& finances = GetFinances();
    std::string body;
    float deficit = finances.GetDeficit();
    if (deficit > 0.0f) {
        body = GetRandomText("REPORT_SUMMARY_DEFICIT");
        ReplaceAll(body, "<DEFICIT>", FormatMoney(deficit));
    } else {
        body = GetRandomText("REPORT_SUMMARY_SURPLUS");
        // A balanced budget is a surplus of 0, never of minus 0.
        float surplus = finances.GetSurplus() + 0.0f;
        ReplaceAll(body, "<SURPLUS>", FormatMoney(surplus));
    }
    AddReport(Translate("REPORT_BUDGET_TITLE"), body);
}

void SIM_ReportManager::MakePollsReport() {
    float approval = GetPotentialVoteRate();
    const char* section = "REPORT_SUMMARY_AVERAGEAPPROVAL";
    if (approval < kReportLowApproval)
        section = "REPORT_SUMMARY_LOWAPPROVAL";
    else if (approval > kReportHighApproval)
        section = "REPORT_SUMMARY_HIGHAPPROVAL";
    std::string body = GetRandomText(section);
    char percent[32];
    std::snprintf(percent, sizeof percent, "%.0f%%", static_cast<double>(approval * 100.0f));
    ReplaceAll(body, "<PERCENT>", percent);
    AddReport(Translate("REPORT_POLLS_TITLE"), body);
}

void SIM_ReportManager::MakeElectionReport() {
    float elapsed = GetElectionManager().FractionOfTermElapsed();
    std::string first = GetGradedText(kReportElectionSection, elapsed);

    // Read through the voters' party pointers: a game without parties reports empty ones.
    const SIM_Party* player = Population().playerParty;
    int p = MembersOf(player);
    int o = MembersOf(Population().oppositionParty);
    float people = static_cast<float>(p) * GetMission().populationPerVoter;
    // Beyond what a whole number holds is corrupt content, not a country.
    long long partySize = people > 0.0f && people < 9.0e18f ? static_cast<long long>(people) : 0;
    ReplaceAll(first, "<PARTYNAME>", player ? player->partyName : std::string());
    ReplaceAll(first, "<PARTYSIZE>", FormatWithThousands(partySize));

    const char* secondKey = "REPORT_ELECTION_PARTYS_SIMILAR";
    if (p - o > kReportPartyMargin)
        secondKey = "REPORT_ELECTION_PLAYER_BIGGERPARTY";
    else if (o - p > kReportPartyMargin)
        secondKey = "REPORT_ELECTION_OPP_BIGGERPARTY";
    AddReport(Translate("REPORT_ELECTION_TITLE"), first + " " + Translate(secondKey));
}

void SIM_ReportManager::MakeIntelligenceReport() {
    const SIM_PressureGroup* strongest = nullptr;
    float best = 0.0f;
    for (const SIM_PressureGroup* group : AllPressureGroups()) {
        if (group->strength > best) {
            best = group->strength;
            strongest = group;
        }
    }
    std::string body;
    if (!strongest || strongest->strength <= kReportQuietStrength ||
        strongest->growth <= kReportQuietGrowth) {
        body = Translate("INTEL_REPORT_NOTHING_HAPPENING");
    } else {
        int level = 0;
        if (strongest->strength >= kReportThreatHigh)
            level = 2;
        else if (strongest->strength >= kReportThreatMedium)
            level = 1;
        // Content gives the group's texts as translation keys; a plain text passes unchanged.
        body = Translate(strongest->GetText(level));
    }
    AddReport(Translate("REPORT_INTEL_TITLE"), body);
}

SIM_ReportManager& GetReportManager() {
    return Government().reports;
}

std::string FormatWithThousands(long long number) {
    bool negative = number < 0;
    unsigned long long magnitude =
        negative ? 0ull - static_cast<unsigned long long>(number) : number;
    std::string digits = std::to_string(magnitude);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return negative ? "-" + out : out;
}

void ShowQuarterlyReport() {
    GetFrontEnd().OpenQuarterlyReport();
}
