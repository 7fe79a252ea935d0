// The saved game, section by section, in file order. Each section is one function template that
// both the writer and the reader run. Content nodes are found by name and updated: their fields
// come from save_sections.h as a record, and the section only says where a record comes from
// (capture, when writing) and where it goes (apply, when reading). Voters, ministers, grudges,
// pledges and issues are made from their records.

#include "saveload/save_sections.h"

#include "base/debug_log.h"
#include "base/front_end.h"
#include "base/mission.h"
#include "base/random.h"
#include "government/achievements.h"
#include "government/cabinet.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/election_manager.h"
#include "government/event.h"
#include "government/event_manager.h"
#include "government/issues_manager.h"
#include "government/manifesto.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_manager.h"
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

#include <cstdio>
#include <memory>

namespace {

// Looks a node up by the name the file gives; a name the content lacks is an assertion and the
// element is skipped.
template <typename T> T* Found(T* node) {
    ASSERT(node != nullptr);
    return node;
}

// A grudge's name is often no node at all (a script's own grudge); that is no fault. Grudges read
// earlier carry the same names as their targets and are passed over.
Neuron* FindNodeSilently(const std::string& name) {
    for (Neuron* node : AllNeurons()) {
        if (node->typeCode != NeuronType::Grudge && name == node->name)
            return node;
    }
    return nullptr;
}

template <size_t N> void CopyHistory(const float (&from)[N], float* to) {
    std::copy(from, from + N, to);
}

const char kNoName[] = "NULL";

std::string NameOrNull(const Neuron* node) {
    return node ? std::string(node->name) : std::string(kNoName);
}

SIM_PolicyGroup* FindPost(const std::string& name) {
    for (int i = 0; i < kPolicyGroupCount; ++i) {
        if (GetPolicyManager().Group(i).name == name)
            return &GetPolicyManager().Group(i);
    }
    return nullptr;
}

int32_t PartyId(const SIM_Party* party) {
    if (!party)
        return 0;
    if (party == GetPlayersParty())
        return 1;
    if (party == GetOpposition())
        return 2;
    REPORT_ERROR("Unknown party");
    return kUnknownPartyId;
}

SIM_Party* PartyFromId(int32_t id) {
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

template <typename Archive> void VisitMission(Archive& a) {
    MissionRecord record = Archive::kReading ? MissionRecord() : CaptureMission();
    Visit(a, record);
    if (!Archive::kReading)
        return;
    CMission& mission = GetMission();
    if (!record.file.empty() && record.file != mission.missionFile) {
        mission.Reset();
        mission.SetMissionFile(record.file);
        mission.Load();
    }
    mission.currency = record.currency;
    mission.termLength = record.termLength;
    mission.termsLimit = record.termsLimit;
    mission.name = record.name;
    ReadAchievementState();
    // The election manager is new with the game: the saved mission's terms apply, and the
    // schedule read later restores the months of the term the game was saved in.
    UseMissionTermSettings();
}

bool CaptureVoter(const SIM_Voter* v, VoterRecord& r) {
    r.forenameId = v->forenameId;
    r.surnameId = v->surnameId;
    r.gender = v->gender;
    r.oppositionSympathy = v->oppositionSympathy;
    r.playerSympathy = v->playerSympathy;
    r.votingTendency = v->votingTendency;
    r.lastVote = v->lastVote;
    r.income = v->income;
    r.cynicism = v->cynicism;
    r.complacency = v->complacency;
    r.militancy = v->militancy;
    r.value = v->value;
    r.party = PartyId(v->party);
    for (SIM_PressureGroup* group : v->pressureGroups)
        r.organisations.push_back({group->name});
    for (NeuralEffect* link : v->inputs) {
        if (link->source && link->source->typeCode == NeuronType::VoterType)
            r.groups.push_back({link->source->name, link->scale});
    }
    return true;
}

void ApplyVoter(const VoterRecord& r) {
    auto* v = new SIM_Voter();
    v->forenameId = r.forenameId;
    v->surnameId = r.surnameId;
    v->gender = r.gender;
    v->oppositionSympathy = r.oppositionSympathy;
    v->playerSympathy = r.playerSympathy;
    v->votingTendency = r.votingTendency;
    v->lastVote = r.lastVote;
    v->income = r.income;
    v->cynicism = r.cynicism;
    v->complacency = r.complacency;
    v->militancy = r.militancy;
    v->value = r.value;
    v->SetParty(PartyFromId(r.party));
    for (const PressureGroupTie& tie : r.organisations) {
        if (SIM_PressureGroup* group = Found(LookupPressureGroup(tie.name)))
            JoinPressureGroup(v, group);
    }
    for (const VoterGroupTie& tie : r.groups) {
        if (SIM_VoterType* type = Found(GetVoterManager().FindVoterType(tie.name)))
            type->SetMembership(v, tie.strength);
    }
}

template <typename Archive> void VisitVoters(Archive& a) {
    int count = 0;
    a.Begin("voters");
    a.template Elements<VoterRecord>(
        "voter", AllVoters(), CaptureVoter, [&count](const VoterRecord& r) {
            if (count > 0 && count % 21 == 0) {
                char text[64];
                std::snprintf(text, sizeof text, "loaded %d voters", count);
                GetFrontEnd().ProcessingProgress(text, 0.01f);
            }
            ++count;
            ApplyVoter(r);
        });
    a.End("voters");
    if (Archive::kReading)
        GetVoterManager().SetVoterTotal(VoterCount());
}

bool CapturePolicy(const SIM_Policy* p, PolicyRecord& r) {
    r.name = p->name;
    r.implementation = p->implementation;
    r.target = p->GetTarget();
    r.value = p->value;
    CopyHistory(p->history, r.history);
    r.active = p->active;
    return true;
}

void ApplyPolicy(const PolicyRecord& r) {
    SIM_Policy* policy = Found(GetPolicyManager().FindPolicy(r.name));
    if (!policy)
        return;
    policy->CancelPolicy();
    if (r.active) {
        // Introduction charges its cost; the saved stock is restored later in the load.
        policy->IntroducePolicy();
        policy->SetImplementation(r.implementation);
    }
    policy->SetTarget(r.target);
    policy->SnapToTarget();
    policy->value = r.value;
    CopyHistory(r.history, policy->history);
}

bool CaptureSimValue(const SIM_SimVal* s, SimValueRecord& r) {
    r.name = s->name;
    r.value = s->value;
    r.base = s->baseOffset;
    CopyHistory(s->history, r.history);
    return true;
}

void ApplySimValue(const SimValueRecord& r) {
    Neuron* node = Found(FindNeuron(r.name));
    if (node && node->typeCode == NeuronType::SimVal) {
        node->value = r.value;
        node->baseOffset = r.base;
        CopyHistory(r.history, node->history);
    }
}

bool CaptureSituation(const SIM_Situation* s, SituationRecord& r) {
    r.name = s->name;
    r.value = s->value;
    r.active = s->active;
    CopyHistory(s->history, r.history);
    return true;
}

void ApplySituation(const SituationRecord& r) {
    if (SIM_Situation* s = Found(GetSituationManager().FindSituation(r.name.c_str()))) {
        s->value = r.value;
        s->active = r.active;
        CopyHistory(r.history, s->history);
    }
}

// Dilemmas and events keep the same three fields.
template <typename Node> bool CaptureTriggered(const Node* node, TriggeredRecord& r) {
    r.name = node->name;
    r.value = node->value;
    r.triggered = node->triggered;
    return true;
}

template <typename Node> void ApplyTriggered(Node* node, const TriggeredRecord& r) {
    if (Found(node)) {
        node->value = r.value;
        node->triggered = r.triggered;
    }
}

template <typename Archive> void VisitEvents(Archive& a) {
    SIM_EventManager& events = GetEventManager();
    a.Begin("events");
    a.Int({"turnssincelastevent"}, events.turnsSinceLastEvent);
    a.template Elements<TriggeredRecord>(
        "event", events.Events(), CaptureTriggered<SIM_Event>,
        [&events](const TriggeredRecord& r) { ApplyTriggered(events.FindEvent(r.name), r); });
    a.End("events");
}

bool CaptureAttack(const SIM_AttackEvent* attack, AttackRecord& r) {
    r.name = attack->name;
    r.lastTrigger = attack->lastTrigger;
    return true;
}

void ApplyAttack(const AttackRecord& r) {
    for (SIM_AttackEvent* attack : AllAttacks()) {
        if (attack->name == r.name)
            attack->lastTrigger = r.lastTrigger;
    }
}

bool CaptureMinisterRecord(const SIM_Minister* m, MinisterRecord& r) {
    r = CaptureMinister(*m);
    return true;
}

// A minister read from the file takes its sympathies and its post from their names.
void ApplyMinister(const MinisterRecord& r) {
    auto* m = new SIM_Minister();
    m->fullName = r.fullName;
    m->value = r.mood;
    m->portrait = r.portrait;
    m->loyalty = r.loyalty;
    m->volatility = r.volatility;
    m->experience = r.experience;
    std::copy(r.suitability, r.suitability + kPolicyGroupCount, m->suitability);
    m->SetName(m->fullName);
    m->SetGuiName(m->fullName);
    if (SIM_VoterType* type = Found(GetVoterManager().FindVoterType(r.sympathy1)))
        m->sympathy1 = type;
    if (SIM_VoterType* type = Found(GetVoterManager().FindVoterType(r.sympathy2)))
        m->sympathy2 = type;
    m->RebuildSympathyLinks();
    if (r.post == kNoName)
        return;
    if (SIM_PolicyGroup* job = Found(FindPost(r.post))) {
        GetCabinet().Appoint(m, job);
        // The boost nodes the post brings are read with the grudges, in saved order.
        for (SIM_Grudge*& boost : m->boostNodes) {
            SIM_Grudge* node = boost;
            boost = nullptr;
            if (IsLiveGrudge(node))
                delete node;
        }
    }
}

template <typename Archive> void VisitMinisters(Archive& a) {
    if (Archive::kReading) {
        SIM_CabinetManager& cabinet = GetCabinet();
        while (!cabinet.ministers.empty())
            delete cabinet.ministers.back();
    }
    VisitList<MinisterRecord>(a, "ministers", "minister", GetCabinet().ministers,
                              CaptureMinisterRecord, ApplyMinister);
}

bool CaptureVoterType(const SIM_VoterType* t, VoterTypeRecord& r) {
    r.name = t->name;
    r.value = t->value;
    CopyHistory(t->history, r.history);
    return true;
}

void ApplyVoterType(const VoterTypeRecord& r) {
    if (SIM_VoterType* type = Found(GetVoterManager().FindVoterType(r.name))) {
        type->value = r.value;
        CopyHistory(r.history, type->history);
    }
}

bool CapturePressureGroup(const SIM_PressureGroup* g, PressureGroupRecord& r) {
    r.name = g->name;
    r.strength = g->strength;
    return true;
}

void ApplyPressureGroup(const PressureGroupRecord& r) {
    if (SIM_PressureGroup* group = Found(LookupPressureGroup(r.name)))
        group->strength = r.strength;
}

// A pledge whose option has left the table is not written.
bool CapturePledge(const ManifestoPledge& pledge, PledgeRecord& r) {
    if (!pledge.option)
        return false;
    r.target = pledge.option->targetName;
    r.initial = pledge.initial;
    r.change = pledge.option->amount;
    return true;
}

template <typename Archive> void VisitManifesto(Archive& a) {
    SIM_Manifesto& manifesto = GetManifesto();
    a.Begin("manifesto");
    VisitList<PledgeRecord>(a, "live", "pledge", manifesto.LivePledges(), CapturePledge,
                            [&manifesto](const PledgeRecord& r) {
                                manifesto.RestorePledge(r.target, r.initial, true);
                            });
    VisitList<PledgeRecord>(a, "nextterm", "pledge", manifesto.NextTermPledges(), CapturePledge,
                            [&manifesto](const PledgeRecord& r) {
                                manifesto.RestorePledge(r.target, r.initial, false);
                            });
    a.End("manifesto");
}

template <typename Archive> void VisitParties(Archive& a) {
    PartiesRecord record;
    SIM_Party* player = GetPlayersParty();
    SIM_Party* opposition = GetOpposition();
    if (!Archive::kReading) {
        record.playerName = player ? player->partyName : "";
        record.oppositionName = opposition ? opposition->partyName : "";
        record.playerStatus = player ? player->status : 0;
        record.oppositionStatus = opposition ? opposition->status : 0;
    }
    Visit(a, record);
    if (!Archive::kReading)
        return;
    if (player) {
        player->partyName = record.playerName;
        player->status = record.playerStatus;
    }
    if (opposition) {
        opposition->partyName = record.oppositionName;
        opposition->status = record.oppositionStatus;
    }
}

template <typename Archive> void VisitGameplay(Archive& a) {
    GameplayRecord record = Archive::kReading ? GameplayRecord() : CaptureGameplay();
    Visit(a, record);
    if (Archive::kReading)
        GetTurnState().turnNumber = record.turn;
}

template <typename Archive> void VisitEconomy(Archive& a) {
    CGlobalEconomy* economy = Network().globalEconomy;
    EconomyRecord record;
    if (!Archive::kReading && economy) {
        record.phase = economy->phase;
        record.value = economy->value;
    }
    Visit(a, record);
    if (Archive::kReading && economy) {
        economy->phase = record.phase;
        economy->value = record.value;
    }
}

template <typename Archive> void VisitElection(Archive& a) {
    SIM_ElectionManager& election = GetElectionManager();
    ElectionRecord record;
    if (!Archive::kReading) {
        record.month = election.electionMonth;
        record.year = election.electionYear;
        record.won = election.termsWon;
        record.monthsPerTerm = election.TermMonths();
    }
    Visit(a, record);
    if (Archive::kReading)
        election.RestoreSchedule(record.month, record.year, record.won, record.monthsPerTerm);
}

bool CaptureGrudgeRecord(const SIM_Grudge* g, GrudgeRecord& r) {
    r = CaptureGrudge(*g);
    return true;
}

void ApplyGrudge(const GrudgeRecord& r) {
    Neuron* holder = Found(FindNeuronNotOfType(r.holder, NeuronType::Grudge));
    if (!holder)
        return;
    auto* grudge = new SIM_Grudge();
    grudge->SetName(r.name);
    grudge->SetGuiName(r.guiName);
    grudge->age = r.age;
    grudge->decay = r.decay;
    grudge->value = r.value;
    grudge->holderName = r.holder;
    grudge->target = FindNodeSilently(r.name);
    grudge->inertialDrag = r.inertia;
    auto* link = new NeuralEffect(grudge, holder, kGrudgeLinkFormula, 1.0f, 0.0f);
    if (r.inertia >= 0 && static_cast<uint32_t>(r.inertia) <= kMaxInertialDrag)
        link->SetInertialDrag(r.inertia);
    // A serving minister's boost nodes come back here, in their place among the grudges.
    SIM_Minister* minister = GetCabinet().FindMinister(r.name);
    if (minister && minister->HasPost()) {
        int slot = holder == minister->sympathy1 ? 0 : holder == minister->sympathy2 ? 1 : -1;
        if (slot >= 0 && !minister->boostNodes[slot])
            minister->boostNodes[slot] = grudge;
    }
}

// The subject of a saved issue, looked for among the objects of its kind.
Neuron* FindIssueSubject(int32_t kind, const std::string& name) {
    switch (kind) {
    case kIssueKindDilemma:
        return GetDilemmaManager().FindDilemma(name);
    case kIssueKindEvent:
        return GetEventManager().FindEvent(name);
    case kIssueKindSituationBegins:
    case kIssueKindSituationEnds:
        return GetSituationManager().FindSituation(name.c_str());
    case kIssueKindMinisterNews:
    case kIssueKindMinisterWarning:
        return GetCabinet().FindMinister(name);
    default:
        return FindNodeSilently(name);
    }
}

bool CaptureIssueRecord(const std::unique_ptr<SIM_Issue>& issue, IssueRecord& r) {
    r = CaptureIssue(*issue);
    return true;
}

// An issue whose subject the game no longer has (the announcement of a resignation, or content
// that changed since the save) is left off the desk.
void ApplyIssue(const IssueRecord& r) {
    Neuron* subject = FindIssueSubject(r.kind, r.subject);
    if (!subject) {
        LogF("A saved issue about '%s' is left off the desk: the game has no such subject",
             r.subject.c_str());
        return;
    }
    if (SIM_Issue* issue = GetIssuesManager().AddIssue(subject, r.kind)) {
        issue->icon = r.icon;
        issue->title = r.title;
        issue->text = r.text;
    }
}

// The desk is the file's: whatever the content raised while it was read again goes, and a file
// written before the desk was saved leaves it empty.
template <typename Archive> void VisitIssues(Archive& a) {
    SIM_IssuesManager& desk = GetIssuesManager();
    if (Archive::kReading)
        desk.ClearIssues();
    if (a.Optional("issues"))
        VisitList<IssueRecord>(a, "issues", "issue", desk.Issues(), CaptureIssueRecord, ApplyIssue);
}

// Last in the file, so that nothing read after it draws from the generator it restores.
template <typename Archive> void VisitResume(Archive& a) {
    ResumeRecord record;
    if (!Archive::kReading) {
        record.random = GetRandomState();
        record.gameOver = IsGameOver();
    }
    if (!a.Optional("resume"))
        return;
    Visit(a, record);
    if (Archive::kReading) {
        SetRandomState(record.random);
        SetGameOver(record.gameOver);
    }
}

template <typename Archive> void VisitGame(Archive& a) {
    Visit(a, GetFinances());
    VisitMission(a);
    a.Progress("Loading voters", 0.2f);
    VisitVoters(a);
    a.Progress("Loading policies", 0.3f);
    VisitList<PolicyRecord>(a, "policies", "policy", GetPolicyManager().AllPolicies(),
                            CapturePolicy, ApplyPolicy);
    VisitList<SimValueRecord>(a, "simvalues", "simvalue", GetSimulation().Values(), CaptureSimValue,
                              ApplySimValue);
    VisitList<SituationRecord>(a, "situations", "situation", GetSituationManager().Situations(),
                               CaptureSituation, ApplySituation);
    VisitList<TriggeredRecord>(a, "dilemmas", "dilemma", GetDilemmaManager().Dilemmas(),
                               CaptureTriggered<SIM_Dilemma>, [](const TriggeredRecord& r) {
                                   ApplyTriggered(GetDilemmaManager().FindDilemma(r.name), r);
                               });
    VisitEvents(a);
    VisitList<AttackRecord>(a, "attackevents", "event", AllAttacks(), CaptureAttack, ApplyAttack);
    VisitMinisters(a);
    VisitList<VoterTypeRecord>(a, "votertypes", "votertype", GetVoterManager().VoterTypes(),
                               CaptureVoterType, ApplyVoterType);
    VisitList<PressureGroupRecord>(a, "pressuregroups", "pressuregroup", AllPressureGroups(),
                                   CapturePressureGroup, ApplyPressureGroup);
    VisitManifesto(a);
    VisitParties(a);
    VisitGameplay(a);
    VisitEconomy(a);
    VisitElection(a);
    Visit(a, GetCalendar());
    Visit(a, GetPoliticalCapital());
    // A loaded network is ordered as a new game orders it once its population and cabinet exist;
    // the grudges then follow every other node in the order they were raised, as grudges raised
    // in play do. Ordered after them instead, they would sort ahead of the events and dilemmas
    // they are named after and be found in their place.
    if (Archive::kReading)
        OrderNeuronsByType();
    VisitList<GrudgeRecord>(a, "grudges", "grudge", AllGrudges(), CaptureGrudgeRecord, ApplyGrudge);
    Visit(a, GetCynicism());
    Visit(a, GetPollTracker());
    VisitIssues(a);
    VisitResume(a);
}

} // namespace

MinisterRecord CaptureMinister(const SIM_Minister& m) {
    MinisterRecord r;
    r.fullName = m.fullName;
    r.mood = m.value;
    r.portrait = m.portrait;
    r.loyalty = m.loyalty;
    r.volatility = m.volatility;
    r.sympathy1 = NameOrNull(m.sympathy1);
    r.sympathy2 = NameOrNull(m.sympathy2);
    r.experience = m.experience;
    std::copy(m.suitability, m.suitability + kPolicyGroupCount, r.suitability);
    r.post = m.currentPost ? m.currentPost->name : kNoName;
    return r;
}

MissionRecord CaptureMission() {
    const CMission& m = GetMission();
    MissionRecord r;
    r.file = m.missionFile;
    r.currency = m.currency;
    r.termLength = m.termLength;
    r.termsLimit = m.termsLimit;
    r.name = m.name;
    return r;
}

GrudgeRecord CaptureGrudge(const SIM_Grudge& g) {
    NeuralEffect* link = g.Link();
    GrudgeRecord r;
    r.name = g.name;
    r.guiName = g.guiName;
    r.age = g.age;
    r.decay = g.decay;
    r.value = g.value;
    r.holder = link && link->target ? std::string(link->target->name) : g.holderName;
    r.inertia = link ? static_cast<int32_t>(link->inertialDrag) : g.inertialDrag;
    return r;
}

GameplayRecord CaptureGameplay() {
    GameplayRecord r;
    r.turn = GetTurnNumber();
    r.missionName = GetMission().name;
    return r;
}

TriggeredRecord CaptureEvent(const SIM_Event& event) {
    TriggeredRecord r;
    CaptureTriggered(&event, r);
    return r;
}

IssueRecord CaptureIssue(const SIM_Issue& issue) {
    IssueRecord r;
    r.kind = issue.kind;
    r.subject = issue.subject->name;
    r.icon = issue.icon;
    r.title = issue.title;
    r.text = issue.text;
    return r;
}

void VisitSavedGame(SaveWriteArchive& a) {
    VisitGame(a);
}

void VisitSavedGame(SaveReadArchive& a) {
    VisitGame(a);
}

void VisitSavedGame(SaveCheckArchive& a) {
    VisitGame(a);
}
