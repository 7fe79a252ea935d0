// The sections of a saved game, read in the order SaveGame writes them. Content nodes are found
// by name and updated; voters, ministers, grudges and pledges are made from the file.

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/mission.h"
#include "base/turn.h"
#include "government/achievements.h"
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
#include "saveload/save_reader.h"

#include <algorithm>
#include <cstdio>

namespace {

// Looks a node up by the name the file gives; a name the content lacks is an assertion and the
// element is skipped.
template <typename T> T* Found(T* node) {
    ASSERT(node != nullptr);
    return node;
}

// Dilemmas and events keep the same three fields: name, value and whether they have fired.
template <typename FindNode>
void ReadTriggeredNodes(SaveReader& r, const char* tag, const char* endTag, FindNode find) {
    while (r.IsNextTag(tag)) {
        r.FindTag(tag);
        std::string name;
        float value = 0.0f;
        bool triggered = false;
        r.ReadString("name", name);
        r.ReadFloat("Value", value);
        r.ReadBool("triggered", triggered);
        if (auto* node = Found(find(name))) {
            node->value = value;
            node->triggered = triggered;
        }
        r.FindTag(endTag);
    }
}

SIM_PolicyGroup* FindPost(const std::string& name) {
    for (int i = 0; i < kPolicyGroupCount; ++i) {
        if (GetPolicyManager().Group(i).name == name)
            return &GetPolicyManager().Group(i);
    }
    return nullptr;
}

SIM_Party* PartyFromId(int id) {
    switch (id) {
    case 0:
        return nullptr;
    case 1:
        return GetPlayersParty();
    case 2:
        return GetOpposition();
    default:
        REPORT_ERROR("Invalid PartID");
        return nullptr;
    }
}

void ReadVoter(SaveReader& r) {
    auto* voter = new SIM_Voter();
    r.ReadInt("ForeID", voter->forenameId);
    r.ReadInt("SurID", voter->surnameId);
    r.ReadInt("Gender", voter->gender);
    r.ReadFloat("OppSymp", voter->oppositionSympathy);
    r.ReadFloat("PlaySymp", voter->playerSympathy);
    r.ReadFloat("VotTend", voter->votingTendency);
    r.ReadInt("LastVote", voter->lastVote);
    r.ReadFloat("Income", voter->income);
    r.ReadFloat("Cynicism", voter->cynicism);
    r.ReadFloat("Compla", voter->complacency);
    r.ReadFloat("Militancy", voter->militancy);
    r.ReadFloat("Value", voter->value);
    int partyId = 0;
    r.ReadInt("PartID", partyId);
    voter->SetParty(PartyFromId(partyId));

    r.FindTag("organisations");
    while (r.IsNextTag("organisation")) {
        r.FindTag("organisation");
        std::string name;
        r.ReadString("name", name);
        if (SIM_PressureGroup* group = Found(LookupPressureGroup(name)))
            JoinPressureGroup(voter, group);
        r.FindTag("/organisation");
    }
    r.FindTag("/organisations");

    r.FindTag("vgroups");
    while (r.IsNextTag("gp")) {
        r.FindTag("gp");
        std::string name;
        float strength = 0.0f;
        r.ReadString("nam", name);
        r.ReadFloat("val", strength);
        if (SIM_VoterType* type = Found(GetVoterManager().FindVoterType(name)))
            type->SetMembership(voter, strength);
        r.FindTag("/gp");
    }
    r.FindTag("/vgroups");
    r.FindTag("/voter");
}

void ReadPolicy(SaveReader& r) {
    std::string name;
    float implementation = 0.0f, target = 0.0f, value = 0.0f;
    float history[kNeuronHistoryLength] = {};
    bool active = false;
    r.ReadString("name", name);
    r.ReadFloat("implementation", implementation);
    r.ReadFloat("targetvalue", target);
    r.ReadFloat("Value", value);
    r.ReadList("history", history, kNeuronHistoryLength);
    r.ReadBool("active", active);
    SIM_Policy* policy = Found(GetPolicyManager().FindPolicy(name));
    if (!policy)
        return;
    policy->CancelPolicy();
    if (active) {
        // Introduction charges its cost; the saved stock is restored later in the load.
        policy->IntroducePolicy();
        policy->SetImplementation(implementation);
    }
    policy->SetTarget(target);
    policy->SnapToTarget();
    policy->value = value;
    std::copy(history, history + kNeuronHistoryLength, policy->history);
}

void ReadPledges(SaveReader& r, const char* tag, bool live) {
    r.FindTag(tag);
    while (r.IsNextTag("pledge")) {
        r.FindTag("pledge");
        std::string name;
        float initial = 0.0f, change = 0.0f;
        r.ReadString("name", name);
        r.ReadFloat("initial", initial);
        r.ReadFloat("change", change);
        GetManifesto().RestorePledge(name, initial, live);
        r.FindTag("/pledge");
    }
    r.FindTag((std::string("/") + tag).c_str());
}

// A grudge's name is often no node at all (a script's own grudge); that is no fault.
Neuron* FindNodeSilently(const std::string& name) {
    for (Neuron* node : AllNeurons()) {
        if (name == node->name)
            return node;
    }
    return nullptr;
}

void ReadGrudge(SaveReader& r) {
    std::string name, guiName, target;
    int age = 0, inertia = 0;
    float decay = 1.0f, value = 0.0f;
    r.ReadString("name", name);
    r.ReadString("guiname", guiName);
    r.ReadInt("age", age);
    r.ReadFloat("decay", decay);
    r.ReadFloat("value", value);
    r.ReadString("target", target);
    r.ReadInt("inertia", inertia);
    Neuron* holder = Found(FindNeuron(target));
    if (!holder)
        return;
    auto* grudge = new SIM_Grudge();
    grudge->SetName(name);
    grudge->SetGuiName(guiName);
    grudge->age = age;
    grudge->decay = decay;
    grudge->value = value;
    grudge->holderName = target;
    grudge->target = FindNodeSilently(name);
    grudge->inertialDrag = inertia;
    auto* link = new NeuralEffect(grudge, holder, kGrudgeLinkFormula, 1.0f, 0.0f);
    if (inertia >= 0 && static_cast<uint32_t>(inertia) <= kMaxInertialDrag)
        link->SetInertialDrag(inertia);
    // A serving minister's boost nodes come back here, in their place among the grudges.
    SIM_Minister* minister = GetCabinet().FindMinister(name);
    if (minister && minister->HasPost()) {
        int slot = holder == minister->sympathy1 ? 0 : holder == minister->sympathy2 ? 1 : -1;
        if (slot >= 0 && !minister->boostNodes[slot])
            minister->boostNodes[slot] = grudge;
    }
}

} // namespace

void ReadFinancesSection(SaveReader& r) {
    Finances& f = GetFinances();
    r.FindTag("finances");
    r.ReadFloat("CurrentBalance", f.CurrentBalance);
    r.ReadFloat("MonthlyExpenses", f.MonthlyExpenses);
    r.ReadFloat("MonthlyIncome", f.MonthlyIncome);
    r.ReadFloat("MonthlyInterest", f.MonthlyInterest);
    r.ReadFloat("NationalDebt", f.NationalDebt);
    r.ReadFloat("HistoryPeak", f.HistoryPeak);
    r.ReadFloat("DebtCeiling", f.DebtCeiling);
    r.ReadList("IncomeHistory", f.IncomeHistory, Finances::kHistoryLength);
    r.ReadList("ExpenditureHistory", f.ExpenditureHistory, Finances::kHistoryLength);
    r.ReadList("DebtHistory", f.DebtHistory, Finances::kHistoryLength);
    r.FindTag("/finances");
}

void ReadMissionSection(SaveReader& r) {
    CMission& mission = GetMission();
    std::string file;
    r.FindTag("mission");
    r.ReadString("filename", file);
    if (!file.empty() && file != mission.missionFile) {
        mission.Reset();
        mission.SetMissionFile(file);
        mission.Load();
    }
    r.ReadString("currency", mission.currency);
    r.ReadInt("termlength", mission.termLength);
    r.ReadInt("TermsLimit", mission.termsLimit);
    r.ReadString("guiname", mission.name);
    r.FindTag("/mission");
    ReadAchievementState();
}

void ReadVotersSection(SaveReader& r) {
    r.FindTag("voters");
    int count = 0;
    while (r.IsNextTag("voter")) {
        r.FindTag("voter");
        ReadVoter(r);
        if (++count % 21 == 0) {
            char text[64];
            std::snprintf(text, sizeof text, "loaded %d voters", count);
            GetFrontEnd().ProcessingProgress(text, 0.01f);
        }
    }
    r.FindTag("/voters");
    GetVoterManager().SetVoterTotal(VoterCount());
}

void ReadNodeSections(SaveReader& r) {
    r.FindTag("policies");
    while (r.IsNextTag("policy")) {
        r.FindTag("policy");
        ReadPolicy(r);
        r.FindTag("/policy");
    }
    r.FindTag("/policies");

    r.FindTag("simvalues");
    while (r.IsNextTag("simvalue")) {
        r.FindTag("simvalue");
        std::string name;
        float value = 0.0f, base = 0.0f;
        float history[kNeuronHistoryLength] = {};
        r.ReadString("name", name);
        r.ReadFloat("Value", value);
        r.ReadFloat("default", base);
        r.ReadList("history", history, kNeuronHistoryLength);
        Neuron* node = Found(FindNeuron(name));
        if (node && node->typeCode == NeuronType::SimVal) {
            node->value = value;
            node->baseOffset = base;
            std::copy(history, history + kNeuronHistoryLength, node->history);
        }
        r.FindTag("/simvalue");
    }
    r.FindTag("/simvalues");

    r.FindTag("situations");
    while (r.IsNextTag("situation")) {
        r.FindTag("situation");
        std::string name;
        float value = 0.0f;
        bool active = false;
        float history[kNeuronHistoryLength] = {};
        r.ReadString("name", name);
        r.ReadFloat("Value", value);
        r.ReadBool("active", active);
        r.ReadList("history", history, kNeuronHistoryLength);
        if (SIM_Situation* s = Found(GetSituationManager().FindSituation(name.c_str()))) {
            s->value = value;
            s->active = active;
            std::copy(history, history + kNeuronHistoryLength, s->history);
        }
        r.FindTag("/situation");
    }
    r.FindTag("/situations");

    r.FindTag("dilemmas");
    ReadTriggeredNodes(r, "dilemma", "/dilemma", [](const std::string& name) {
        return GetDilemmaManager().FindDilemma(name);
    });
    r.FindTag("/dilemmas");

    r.FindTag("events");
    r.ReadInt("turnssincelastevent", GetEventManager().turnsSinceLastEvent);
    ReadTriggeredNodes(r, "event", "/event",
                       [](const std::string& name) { return GetEventManager().FindEvent(name); });
    r.FindTag("/events");

    r.FindTag("attackevents");
    while (r.IsNextTag("event")) {
        r.FindTag("event");
        std::string name;
        int lastTrigger = 0;
        r.ReadString("name", name);
        r.ReadInt("lasttrigger", lastTrigger);
        for (SIM_AttackEvent* attack : AllAttacks()) {
            if (attack->name == name)
                attack->lastTrigger = lastTrigger;
        }
        r.FindTag("/event");
    }
    r.FindTag("/attackevents");
}

void ReadMinistersSection(SaveReader& r) {
    SIM_CabinetManager& cabinet = GetCabinet();
    while (!cabinet.ministers.empty())
        delete cabinet.ministers.back();
    r.FindTag("ministers");
    while (r.IsNextTag("minister")) {
        r.FindTag("minister");
        auto* minister = new SIM_Minister();
        std::string symp1, symp2, job;
        r.ReadString("FullName", minister->fullName);
        r.ReadFloat("Value", minister->value);
        r.ReadString("Portrait", minister->portrait);
        r.ReadFloat("Loyalty", minister->loyalty);
        r.ReadFloat("Volatility", minister->volatility);
        r.ReadString("symp1", symp1);
        r.ReadString("symp2", symp2);
        r.ReadFloat("exper", minister->experience);
        r.ReadList("suitabilities", minister->suitability, kPolicyGroupCount);
        r.ReadString("currentjob", job);
        minister->SetName(minister->fullName);
        minister->SetGuiName(minister->fullName);
        if (SIM_VoterType* type = Found(GetVoterManager().FindVoterType(symp1)))
            minister->sympathy1 = type;
        if (SIM_VoterType* type = Found(GetVoterManager().FindVoterType(symp2)))
            minister->sympathy2 = type;
        minister->RebuildSympathyLinks();
        if (job != "NULL") {
            if (SIM_PolicyGroup* post = Found(FindPost(job))) {
                cabinet.Appoint(minister, post);
                // The boost nodes the post brings are read with the grudges, in saved order.
                for (SIM_Grudge*& boost : minister->boostNodes) {
                    SIM_Grudge* node = boost;
                    boost = nullptr;
                    if (IsLiveGrudge(node))
                        delete node;
                }
            }
        }
        r.FindTag("/minister");
    }
    r.FindTag("/ministers");

    r.FindTag("votertypes");
    while (r.IsNextTag("votertype")) {
        r.FindTag("votertype");
        std::string name;
        float value = 0.0f;
        float history[kNeuronHistoryLength] = {};
        r.ReadString("name", name);
        r.ReadFloat("Value", value);
        r.ReadList("history", history, kNeuronHistoryLength);
        if (SIM_VoterType* type = Found(GetVoterManager().FindVoterType(name))) {
            type->value = value;
            std::copy(history, history + kNeuronHistoryLength, type->history);
        }
        r.FindTag("/votertype");
    }
    r.FindTag("/votertypes");

    r.FindTag("pressuregroups");
    while (r.IsNextTag("pressuregroup")) {
        r.FindTag("pressuregroup");
        std::string name;
        float strength = 0.0f;
        r.ReadString("name", name);
        r.ReadFloat("strength", strength);
        if (SIM_PressureGroup* group = Found(LookupPressureGroup(name)))
            group->strength = strength;
        r.FindTag("/pressuregroup");
    }
    r.FindTag("/pressuregroups");
}

void ReadGameStateSections(SaveReader& r) {
    r.FindTag("manifesto");
    ReadPledges(r, "live", true);
    ReadPledges(r, "nextterm", false);
    r.FindTag("/manifesto");

    r.FindTag("parties");
    std::string playerName, oppName;
    int playerStatus = 0, oppStatus = 0;
    r.ReadString("playername", playerName);
    r.ReadString("oppname", oppName);
    r.ReadInt("playerstatus", playerStatus);
    r.ReadInt("oppstatus", oppStatus);
    if (SIM_Party* party = GetPlayersParty()) {
        party->partyName = playerName;
        party->status = playerStatus;
    }
    if (SIM_Party* party = GetOpposition()) {
        party->partyName = oppName;
        party->status = oppStatus;
    }
    r.FindTag("/parties");

    r.FindTag("gameplay");
    r.ReadInt("turn", GetTurnState().turnNumber);
    std::string missionName;
    r.ReadString("missionname", missionName);
    r.FindTag("/gameplay");

    r.FindTag("economy");
    float phase = 0.0f, value = 0.0f;
    r.ReadFloat("pos", phase);
    r.ReadFloat("val", value);
    if (Network().globalEconomy) {
        Network().globalEconomy->phase = phase;
        Network().globalEconomy->value = value;
    }
    r.FindTag("/economy");

    r.FindTag("election");
    int month = 0, year = 0, won = 0, months = 0;
    r.ReadInt("NextElectionMonth", month);
    r.ReadInt("NextElectionYear", year);
    r.ReadInt("ElectionsWon", won);
    r.ReadInt("MonthsPerTerm", months);
    GetElectionManager().RestoreSchedule(month, year, won, months);
    r.FindTag("/election");

    r.FindTag("calendar");
    r.ReadInt("month", GetCalendar().month);
    r.ReadInt("year", GetCalendar().year);
    GetCalendar().month = std::clamp(GetCalendar().month, 0, 11);
    r.FindTag("/calendar");

    r.FindTag(kCapitalSaveElement);
    r.ReadInt(kCapitalSaveStock, GetPoliticalCapital().capital);
    r.ReadInt(kCapitalSavePerTurn, GetPoliticalCapital().capitalPerTurn);
    r.FindTag((std::string("/") + kCapitalSaveElement).c_str());

    r.FindTag("grudges");
    while (r.IsNextTag("grudge")) {
        r.FindTag("grudge");
        ReadGrudge(r);
        r.FindTag("/grudge");
    }
    r.FindTag("/grudges");

    r.FindTag("cynicism");
    r.ReadFloat("value", GetCynicism().level);
    r.FindTag("/cynicism");

    PollTracker& polls = GetPollTracker();
    r.FindTag("polls");
    r.ReadFloat("PotentialVoteRate", polls.PotentialVoteRate);
    r.ReadFloat("PeakVoteRate", polls.PeakVoteRate);
    r.ReadList("history", polls.shareHistory, PollTracker::kHistory);
    r.FindTag("/polls");
    r.FindTag("/xml");
}
