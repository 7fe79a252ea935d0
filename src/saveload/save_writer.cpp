// The file is built in memory and replaces the old one in a single rename, so a crash or a full
// disk halfway through never costs the player the save they already had.

#include "saveload/save_writer.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/game_paths.h"
#include "base/mission.h"
#include "base/profile.h"
#include "base/turn.h"
#include "government/cabinet.h"
#include "government/cynicism.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/election_manager.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/manifesto.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/situation.h"
#include "government/situation_manager.h"
#include "network/global_economy.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/sim_value.h"
#include "network/simulation.h"
#include "population/attack.h"
#include "population/grudge.h"
#include "population/party.h"
#include "population/pressure_group.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace {

class SaveWriter {
public:
    void Line(const char* text) {
        out += text;
        out += '\n';
    }
    void Leaf(const char* tag, const std::string& value) {
        std::snprintf(buffer, sizeof buffer, "<%s>%s</%s>", tag, value.c_str(), tag);
        Line(buffer);
    }
    void Int(const char* tag, int value) {
        char text[32];
        std::snprintf(text, sizeof text, "%d", value);
        Leaf(tag, text);
    }
    void Float(const char* tag, float value) {
        char text[512];
        std::snprintf(text, sizeof text, "%.8f", static_cast<double>(value));
        Leaf(tag, text);
    }
    void List(const char* tag, const float* values, int count, const char* format) {
        std::string text;
        char cell[512];
        for (int i = 0; i < count; ++i) {
            std::snprintf(cell, sizeof cell, format, static_cast<double>(values[i]));
            text += cell;
        }
        Leaf(tag, text);
    }
    void Numbers(const char* tag, const float* values, int count) {
        List(tag, values, count, "%.3f,");
    }
    void History(const Neuron& node) { Numbers("history", node.history, kNeuronHistoryLength); }

    std::string out;

private:
    char buffer[1024];
};

void WriteHeader(SaveWriter& w) {
    w.Line("<header>");
    w.Leaf("version", kSaveGameVersion);
    w.Line("</header>");
    w.Line("<load_data>");
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[128];
    std::snprintf(date, sizeof date, "%d/%d/%d (DD-MM-YYYY) - %d:%d", local.tm_mday,
                  local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min);
    w.Leaf("date", date);
    w.Line("</load_data>");
}

void WriteFinances(SaveWriter& w) {
    Finances& f = GetFinances();
    w.Line("<finances>");
    w.Float("CurrentBalance", f.CurrentBalance);
    w.Float("MonthlyExpenses", f.MonthlyExpenses);
    w.Float("MonthlyIncome", f.MonthlyIncome);
    w.Float("MonthlyInterest", f.MonthlyInterest);
    w.Float("NationalDebt", f.NationalDebt);
    w.Float("HistoryPeak", f.HistoryPeak);
    w.Float("DebtCeiling", f.DebtCeiling);
    w.Numbers("IncomeHistory", f.IncomeHistory, Finances::kHistoryLength);
    w.Numbers("ExpenditureHistory", f.ExpenditureHistory, Finances::kHistoryLength);
    w.Numbers("DebtHistory", f.DebtHistory, Finances::kHistoryLength);
    w.Line("</finances>");
}

void WriteMission(SaveWriter& w) {
    CMission& m = GetMission();
    w.Line("<mission>");
    w.Leaf("filename", m.missionFile);
    w.Leaf("currency", m.currency);
    w.Int("termlength", m.termLength);
    w.Int("TermsLimit", m.termsLimit);
    w.Leaf("guiname", m.name);
    w.Line("</mission>");
}

void WriteVoters(SaveWriter& w) {
    w.Line("<voters>");
    for (SIM_Voter* v : AllVoters()) {
        w.Line("<voter>");
        w.Int("ForeID", v->forenameId);
        w.Int("SurID", v->surnameId);
        w.Int("Gender", v->gender);
        w.Float("OppSymp", v->oppositionSympathy);
        w.Float("PlaySymp", v->playerSympathy);
        w.Float("VotTend", v->votingTendency);
        w.Int("LastVote", v->lastVote);
        w.Float("Income", v->income);
        w.Float("Cynicism", v->cynicism);
        w.Float("Compla", v->complacency);
        w.Float("Militancy", v->militancy);
        w.Float("Value", v->value);
        if (!v->party)
            w.Int("PartID", 0);
        else if (v->party == GetPlayersParty())
            w.Int("PartID", 1);
        else if (v->party == GetOpposition())
            w.Int("PartID", 2);
        else
            REPORT_ERROR("Unknown party");
        w.Line("<organisations>");
        for (SIM_PressureGroup* group : v->pressureGroups) {
            w.Line("<organisation>");
            w.Leaf("name", group->name);
            w.Line("</organisation>");
        }
        w.Line("</organisations>");
        w.Line("<vgroups>");
        for (NeuralEffect* link : v->inputs) {
            if (!link->source || link->source->typeCode != NeuronType::VoterType)
                continue;
            w.Line("<gp>");
            w.Leaf("nam", link->source->name);
            w.Float("val", link->scale);
            w.Line("</gp>");
        }
        w.Line("</vgroups>");
        w.Line("</voter>");
    }
    w.Line("</voters>");
}

void WriteNodes(SaveWriter& w) {
    w.Line("<policies>");
    for (SIM_Policy* p : GetPolicyManager().AllPolicies()) {
        w.Line("<policy>");
        w.Leaf("name", p->name);
        w.Float("implementation", p->implementation);
        w.Float("targetvalue", p->GetTarget());
        w.Float("Value", p->value);
        w.History(*p);
        w.Int("active", p->active ? 1 : 0);
        w.Line("</policy>");
    }
    w.Line("</policies>");
    w.Line("<simvalues>");
    for (SIM_SimVal* s : GetSimulation().Values()) {
        w.Line("<simvalue>");
        w.Leaf("name", s->name);
        w.Float("Value", s->value);
        w.Float("default", s->baseOffset);
        w.History(*s);
        w.Line("</simvalue>");
    }
    w.Line("</simvalues>");
    w.Line("<situations>");
    for (SIM_Situation* s : GetSituationManager().Situations()) {
        w.Line("<situation>");
        w.Leaf("name", s->name);
        w.Float("Value", s->value);
        w.Int("active", s->active ? 1 : 0);
        w.History(*s);
        w.Line("</situation>");
    }
    w.Line("</situations>");
    w.Line("<dilemmas>");
    for (SIM_Dilemma* d : GetDilemmaManager().Dilemmas()) {
        w.Line("<dilemma>");
        w.Leaf("name", d->name);
        w.Float("Value", d->value);
        w.Int("triggered", d->triggered ? 1 : 0);
        w.Line("</dilemma>");
    }
    w.Line("</dilemmas>");
    w.Line("<events>");
    w.Int("turnssincelastevent", GetEventManager().turnsSinceLastEvent);
    for (SIM_Event* e : GetEventManager().Events()) {
        w.Line("<event>");
        w.Leaf("name", e->name);
        w.Float("Value", e->value);
        w.Int("triggered", e->triggered ? 1 : 0);
        w.Line("</event>");
    }
    w.Line("</events>");
    w.Line("<attackevents>");
    for (SIM_AttackEvent* a : AllAttacks()) {
        w.Line("<event>");
        w.Leaf("name", a->name);
        w.Int("lasttrigger", a->lastTrigger);
        w.Line("</event>");
    }
    w.Line("</attackevents>");
}

void WriteMinisters(SaveWriter& w) {
    w.Line("<ministers>");
    for (SIM_Minister* m : GetCabinet().ministers) {
        w.Line("<minister>");
        w.Leaf("FullName", m->fullName);
        w.Float("Value", m->value);
        w.Leaf("Portrait", m->portrait);
        w.Float("Loyalty", m->loyalty);
        w.Float("Volatility", m->volatility);
        w.Leaf("symp1", m->sympathy1 ? m->sympathy1->name : "NULL");
        w.Leaf("symp2", m->sympathy2 ? m->sympathy2->name : "NULL");
        w.Float("exper", m->experience);
        w.Numbers("suitabilities", m->suitability, kPolicyGroupCount);
        w.Leaf("currentjob", m->currentPost ? m->currentPost->name : "NULL");
        w.Line("</minister>");
    }
    w.Line("</ministers>");
    w.Line("<votertypes>");
    for (SIM_VoterType* t : GetVoterManager().VoterTypes()) {
        w.Line("<votertype>");
        w.Leaf("name", t->name);
        w.Float("Value", t->value);
        w.History(*t);
        w.Line("</votertype>");
    }
    w.Line("</votertypes>");
    w.Line("<pressuregroups>");
    for (SIM_PressureGroup* g : AllPressureGroups()) {
        w.Line("<pressuregroup>");
        w.Leaf("name", g->name);
        w.Float("strength", g->strength);
        w.Line("</pressuregroup>");
    }
    w.Line("</pressuregroups>");
}

void WritePledges(SaveWriter& w, const char* tag, const std::vector<ManifestoPledge>& pledges) {
    w.Line((std::string("<") + tag + ">").c_str());
    for (const ManifestoPledge& pledge : pledges) {
        if (!pledge.option)
            continue;
        w.Line("<pledge>");
        w.Leaf("name", pledge.option->targetName);
        w.Float("initial", pledge.initial);
        w.Float("change", pledge.option->amount);
        w.Line("</pledge>");
    }
    w.Line((std::string("</") + tag + ">").c_str());
}

void WriteGameState(SaveWriter& w) {
    w.Line("<manifesto>");
    WritePledges(w, "live", GetManifesto().LivePledges());
    WritePledges(w, "nextterm", GetManifesto().NextTermPledges());
    w.Line("</manifesto>");
    w.Line("<parties>");
    SIM_Party* player = GetPlayersParty();
    SIM_Party* opposition = GetOpposition();
    w.Leaf("playername", player ? player->partyName : "");
    w.Leaf("oppname", opposition ? opposition->partyName : "");
    w.Int("playerstatus", player ? player->status : 0);
    w.Int("oppstatus", opposition ? opposition->status : 0);
    w.Line("</parties>");
    w.Line("<gameplay>");
    w.Int("turn", GetTurnState().turnNumber);
    w.Leaf("missionname", GetMission().name);
    w.Line("</gameplay>");
    w.Line("<economy>");
    w.Float("pos", Network().globalEconomy ? Network().globalEconomy->phase : 0.0f);
    w.Float("val", Network().globalEconomy ? Network().globalEconomy->value : 0.0f);
    w.Line("</economy>");
    SIM_ElectionManager& election = GetElectionManager();
    w.Line("<election>");
    w.Int("NextElectionMonth", election.electionMonth);
    w.Int("NextElectionYear", election.electionYear);
    w.Int("ElectionsWon", election.termsWon);
    w.Int("MonthsPerTerm", election.TermMonths());
    w.Line("</election>");
    w.Line("<calendar>");
    w.Int("month", GetCalendar().month);
    w.Int("year", GetCalendar().year);
    w.Line("</calendar>");
    w.Line("<restrictedpower>");
    w.Int(kCapitalSaveStock, GetPoliticalCapital().capital);
    w.Int(kCapitalSavePerTurn, GetPoliticalCapital().capitalPerTurn);
    w.Line("</restrictedpower>");
    w.Line("<grudges>");
    for (SIM_Grudge* g : AllGrudges()) {
        NeuralEffect* link = g->Link();
        w.Line("<grudge>");
        w.Leaf("name", g->name);
        w.Leaf("guiname", g->guiName);
        w.Int("age", g->age);
        w.Float("decay", g->decay);
        w.Float("value", g->value);
        w.Leaf("target", link && link->target ? link->target->name : g->holderName);
        w.Int("inertia", link ? static_cast<int>(link->inertialDrag) : g->inertialDrag);
        w.Line("</grudge>");
    }
    w.Line("</grudges>");
    w.Line("<cynicism>");
    w.Float("value", GetCynicism().GetLevel());
    w.Line("</cynicism>");
    PollTracker& polls = GetPollTracker();
    w.Line("<polls>");
    w.Float("PotentialVoteRate", polls.PotentialVoteRate);
    w.Float("PeakVoteRate", polls.PeakVoteRate);
    w.List("history", polls.shareHistory, PollTracker::kHistory, "%f,");
    w.Line("</polls>");
}

} // namespace

std::string SavePath(const std::string& name) {
    char path[1024];
    std::snprintf(path, sizeof path, "%s/%s.xml", GetSaveDir().c_str(), name.c_str());
    return path;
}

std::string BuildSaveText() {
    SaveWriter w;
    w.Line("<xml>");
    WriteHeader(w);
    WriteFinances(w);
    WriteMission(w);
    WriteVoters(w);
    WriteNodes(w);
    WriteMinisters(w);
    WriteGameState(w);
    w.Line("</xml>");
    return w.out;
}

void SaveGame(const std::string& name) {
    ASSERT(name.size() < kMaxSaveNameLength);
    if (name.size() > kMaxSaveNameLength)
        return;
    GetFrontEnd().ShowProcessingScreen();
    GetFrontEnd().ProcessingProgress("Saving Game", 0.05f);
    // The folder is made at start-up; a player who deleted it meanwhile still gets the save.
    std::error_code error;
    if (!GetSaveDir().empty())
        std::filesystem::create_directories(GetSaveDir(), error);
    if (!WriteFileReplacing(SavePath(name), BuildSaveText()))
        REPORT_ERROR("Failed to open save game file");
}

std::vector<std::string> ListSaves() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(GetSaveDir(), error)) {
        if (entry.path().extension() == ".xml" && entry.is_regular_file(error))
            names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}
