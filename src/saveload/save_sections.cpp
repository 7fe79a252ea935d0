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
#include "government/report_manager.h"
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

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <type_traits>
#include <unordered_map>

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
    // An attack's grudge has no name and no target; a nameless node is never its target.
    if (name.empty())
        return nullptr;
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
    case kUnknownPartyId:
        // Reported when it was written.
        return nullptr;
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

// In rows a tie at the place of its voter group in the list of voter groups is not named.
bool CaptureVoterRow(const SIM_Voter* v, VoterRecord& r) {
    CaptureVoter(v, r);
    const std::vector<SIM_VoterType*>& types = GetVoterManager().VoterTypes();
    for (size_t i = 0; i < r.groups.size() && i < types.size(); ++i)
        if (r.groups[i].name == types[i]->name)
            r.groups[i].name.clear();
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
    const std::vector<SIM_VoterType*>& types = GetVoterManager().VoterTypes();
    for (size_t i = 0; i < r.groups.size(); ++i) {
        const VoterGroupTie& tie = r.groups[i];
        SIM_VoterType* type = !tie.name.empty()  ? GetVoterManager().FindVoterType(tie.name)
                              : i < types.size() ? types[i]
                                                 : nullptr;
        if (Found(type))
            type->SetMembership(v, tie.strength);
    }
}

template <typename Archive> void VisitVoters(Archive& a) {
    int count = 0;
    const auto apply = [&count](const VoterRecord& r) {
        if (count > 0 && count % 21 == 0) {
            char text[64];
            std::snprintf(text, sizeof text, "loaded %d voters", count);
            GetFrontEnd().ProcessingProgress(text, 0.01f);
        }
        ++count;
        ApplyVoter(r);
    };
    a.Begin("voters");
    if (a.RowsAt("voterrows"))
        a.template Rows<VoterRecord>("voterrows", AllVoters(), CaptureVoterRow, apply);
    else
        a.template Elements<VoterRecord>("voter", AllVoters(), CaptureVoter, apply);
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

// A minister who resigned this turn stays, out of office, until the next turn's step ends him.
void ApplyResignedMinister(const MinisterRecord& r) {
    SIM_CabinetManager& cabinet = GetCabinet();
    const size_t before = cabinet.ministers.size();
    ApplyMinister(r);
    if (cabinet.ministers.size() != before + 1)
        return;
    SIM_Minister* minister = cabinet.ministers.back();
    cabinet.ministers.pop_back();
    cabinet.resigned.push_back(minister);
}

bool CaptureAnnouncement(const SIM_Event* event, AnnouncementRecord& r) {
    r.guiName = event->guiName;
    r.description = event->description;
    r.onImplement = event->onImplement;
    r.onView = event->onView;
    r.picture = event->texture;
    r.value = event->value;
    r.triggered = event->triggered;
    return true;
}

void ApplyAnnouncement(const AnnouncementRecord& r) {
    MinisterResignation resignation;
    resignation.guiName = r.guiName;
    resignation.description = r.description;
    resignation.onImplement = r.onImplement;
    resignation.onView = r.onView;
    resignation.picture = r.picture;
    SIM_Event* event = GetEventManager().RestoreAnnouncement(resignation);
    event->value = r.value;
    event->triggered = r.triggered;
}

// The turn of a resignation: the minister on his way out and the announcement on the desk. Files
// written before they were saved have none.
template <typename Archive> void VisitResignations(Archive& a) {
    if (!a.Optional("resignations"))
        return;
    a.Begin("resignations");
    VisitList<MinisterRecord>(a, "resigned", "minister", GetCabinet().resigned,
                              CaptureMinisterRecord, ApplyResignedMinister);
    VisitList<AnnouncementRecord>(a, "announcements", "announcement",
                                  GetEventManager().Announcements(), CaptureAnnouncement,
                                  ApplyAnnouncement);
    a.End("resignations");
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

// An issue whose subject the game no longer has (content that changed since the save, or an
// announcement the file does not hold) is left off the desk. Announcements have no name: an event
// issue without a subject is about the next of them in order.
void ApplyIssue(const IssueRecord& r, size_t& announcementsTaken) {
    const std::vector<SIM_Event*>& announcements = GetEventManager().Announcements();
    Neuron* subject = nullptr;
    if (r.kind == kIssueKindEvent && r.subject.empty()) {
        if (announcementsTaken < announcements.size())
            subject = announcements[announcementsTaken++];
    } else {
        subject = FindIssueSubject(r.kind, r.subject);
    }
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
    size_t announcementsTaken = 0;
    if (a.Optional("issues"))
        VisitList<IssueRecord>(
            a, "issues", "issue", desk.Issues(), CaptureIssueRecord,
            [&announcementsTaken](const IssueRecord& r) { ApplyIssue(r, announcementsTaken); });
}

template <typename T> int32_t PlaceIn(const std::vector<T*>& list, const void* item) {
    auto found = std::find(list.begin(), list.end(), item);
    return found == list.end() ? -1 : static_cast<int32_t>(found - list.begin());
}

// The saved network's state, read whole before any of it is laid over the loaded network.
struct SavedNetwork {
    std::vector<NodeStateRecord> nodes;
    std::vector<LinkStateRecord> links;
    std::vector<GroupStateRecord> groups;
    std::vector<std::vector<int32_t>> typesOfVoter;
    std::vector<PressureStateRecord> pressureGroups;
};

// Finds the loaded node and link for each saved one: nodes by name and by their turn among the
// nodes of that name, links by their two ends and their turn among the links between them. Empty
// vectors when the loaded network is not the saved one (other content).
bool MatchNetwork(const SavedNetwork& saved, std::vector<Neuron*>& nodes,
                  std::vector<NeuralEffect*>& links) {
    if (saved.nodes.size() != AllNeurons().size() || saved.links.size() != AllEffects().size())
        return false;
    // A minister and the grudges named after him share a name, never a kind.
    std::map<std::pair<std::string, int32_t>, std::vector<Neuron*>> byName;
    for (Neuron* n : AllNeurons())
        byName[{n->name, NeuronTypeCode(n->typeCode)}].push_back(n);
    std::map<std::pair<std::string, int32_t>, size_t> nameTaken;
    for (const NodeStateRecord& r : saved.nodes) {
        const std::vector<Neuron*>& named = byName[{r.name, r.type}];
        size_t& next = nameTaken[{r.name, r.type}];
        if (next >= named.size()) {
            LogF("No loaded node for the saved '%s'", r.name.c_str());
            return false;
        }
        nodes.push_back(named[next++]);
    }
    std::map<std::pair<const Neuron*, const Neuron*>, std::vector<NeuralEffect*>> byEnds;
    for (NeuralEffect* l : AllEffects())
        byEnds[{l->source, l->target}].push_back(l);
    std::map<std::pair<const Neuron*, const Neuron*>, size_t> endsTaken;
    const auto node = [&nodes](int32_t place) -> const Neuron* {
        return place >= 0 && static_cast<size_t>(place) < nodes.size() ? nodes[place] : nullptr;
    };
    for (const LinkStateRecord& r : saved.links) {
        const std::pair<const Neuron*, const Neuron*> ends{node(r.from), node(r.to)};
        const std::vector<NeuralEffect*>& between = byEnds[ends];
        size_t& next = endsTaken[ends];
        if (next >= between.size()) {
            LogF("No loaded link for the saved one from %d '%s' to %d '%s'", r.from,
                 ends.first ? ends.first->name : "-", r.to, ends.second ? ends.second->name : "-");
            return false;
        }
        links.push_back(between[next++]);
    }
    for (const NodeStateRecord& r : saved.nodes) {
        for (const std::vector<int32_t>* list : {&r.inputs, &r.outputs})
            for (int32_t place : *list)
                if (place < 0 || static_cast<size_t>(place) >= links.size())
                    return false;
    }
    return true;
}

bool ApplyNetwork(const SavedNetwork& saved) {
    std::vector<Neuron*> nodes;
    std::vector<NeuralEffect*> links;
    const std::vector<SIM_VoterType*>& types = GetVoterManager().VoterTypes();
    if (!MatchNetwork(saved, nodes, links) || saved.groups.size() != types.size() ||
        saved.typesOfVoter.size() != AllVoters().size()) {
        LogF("The saved network (%zu nodes, %zu links) is not the loaded one (%zu nodes, %zu "
             "links); its lags and memberships are taken as the sections left them",
             saved.nodes.size(), saved.links.size(), AllNeurons().size(), AllEffects().size());
        return false;
    }
    Network().neurons = nodes;
    Network().effects = links;
    // A node's links in the order of the link list, for the rows that leave that order out.
    std::vector<std::vector<NeuralEffect*>> entering(nodes.size()), leaving(nodes.size());
    for (size_t i = 0; i < links.size(); ++i) {
        entering[static_cast<size_t>(saved.links[i].to)].push_back(links[i]);
        leaving[static_cast<size_t>(saved.links[i].from)].push_back(links[i]);
    }
    const auto linksAt = [&links](const std::vector<int32_t>& places,
                                  std::vector<NeuralEffect*>& inOrder) {
        std::vector<NeuralEffect*> list;
        for (int32_t place : places)
            list.push_back(links[static_cast<size_t>(place)]);
        return places.empty() ? inOrder : list;
    };
    for (size_t i = 0; i < nodes.size(); ++i) {
        const NodeStateRecord& r = saved.nodes[i];
        Neuron* n = nodes[i];
        if (!std::isnan(r.value))
            n->value = r.value;
        n->baseOffset = r.base;
        n->active = r.active;
        n->inputsSorted = r.sorted;
        CopyHistory(r.history, n->history);
        n->inputs = linksAt(r.inputs, entering[i]);
        n->outputs = linksAt(r.outputs, leaving[i]);
    }
    for (size_t i = 0; i < links.size(); ++i) {
        const LinkStateRecord& r = saved.links[i];
        NeuralEffect* l = links[i];
        if (!std::isnan(r.scale))
            l->scale = r.scale;
        l->inputTarget = std::isnan(r.inputTarget) ? l->source->value : r.inputTarget;
        l->input = std::isnan(r.input) ? l->inputTarget : r.input;
        l->output = std::isnan(r.output) ? l->Evaluate() * l->scale : r.output;
        l->change = r.change;
        l->inertialDrag = static_cast<uint32_t>(std::clamp<int32_t>(r.drag, 0, kMaxInertialDrag));
        l->inertia = r.inertia;
        l->firstUpdate = r.first;
    }
    std::vector<std::vector<int32_t>> membersOfType;
    for (size_t t = 0; t < types.size(); ++t) {
        const GroupStateRecord& r = saved.groups[t];
        SIM_VoterType* type = types[t];
        membersOfType.push_back(r.members);
        type->membershipTrend = r.trend;
        type->lastMemberCount = r.lastCount;
        type->memberChange = r.change;
        type->playerShareOfVotes = r.playerShare;
        type->turnoutShare = r.turnout;
    }
    SIM_VoterType::RestoreMemberships(AllVoters(), types, membersOfType, saved.typesOfVoter);
    const std::vector<SIM_Voter*>& voters = AllVoters();
    for (const PressureStateRecord& r : saved.pressureGroups) {
        SIM_PressureGroup* group = LookupPressureGroup(r.name);
        // The same members in the group's own order, or nothing changes.
        if (!group || r.members.size() != group->members.size())
            continue;
        std::vector<SIM_Voter*> ordered;
        for (int32_t place : r.members)
            if (place >= 0 && static_cast<size_t>(place) < voters.size())
                ordered.push_back(voters[static_cast<size_t>(place)]);
        if (std::is_permutation(ordered.begin(), ordered.end(), group->members.begin(),
                                group->members.end()))
            group->members = ordered;
        group->growth = r.growth;
        group->trend = r.trend;
        group->lastMemberCount = r.lastCount;
        group->active = r.active;
    }
    return true;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool IsMembershipLink(const NeuralEffect* l) {
    return l->source && l->target && l->source->typeCode == NeuronType::VoterType &&
           l->target->typeCode == NeuronType::Voter;
}

bool HasAveragingOutput(const Neuron* n) {
    for (const NeuralEffect* l : n->outputs)
        if (l->inertialDrag > 0)
            return true;
    return false;
}

// The network's state as the writer sees it: every node and link by its place in the lists.
struct NetworkPlaces {
    std::unordered_map<const void*, int32_t> places;
    // The links into and out of each node, in the order of the link list.
    std::unordered_map<const Neuron*, std::vector<int32_t>> entering, leaving;

    explicit NetworkPlaces(bool rows) {
        for (size_t i = 0; i < AllNeurons().size(); ++i)
            places[AllNeurons()[i]] = static_cast<int32_t>(i);
        for (size_t i = 0; i < AllEffects().size(); ++i) {
            const NeuralEffect* l = AllEffects()[i];
            places[l] = static_cast<int32_t>(i);
            if (rows) {
                entering[l->target].push_back(static_cast<int32_t>(i));
                leaving[l->source].push_back(static_cast<int32_t>(i));
            }
        }
    }
    int32_t PlaceOf(const void* item) const {
        auto found = places.find(item);
        return found == places.end() ? -1 : found->second;
    }
    std::vector<int32_t> PlacesOf(const std::vector<NeuralEffect*>& links) const {
        std::vector<int32_t> list;
        for (const NeuralEffect* l : links)
            list.push_back(PlaceOf(l));
        return list;
    }
};

void CaptureNode(const Neuron* n, const NetworkPlaces& at, NodeStateRecord& r) {
    r.name = n->name;
    r.type = NeuronTypeCode(n->typeCode);
    r.value = n->value;
    r.base = n->baseOffset;
    r.active = n->active;
    r.sorted = n->inputsSorted;
    CopyHistory(n->history, r.history);
    r.inputs = at.PlacesOf(n->inputs);
    r.outputs = at.PlacesOf(n->outputs);
}

// Leaves out of a node's row what the load works out the same (see NodeStateRecord).
void LeaveOutWorkedOut(const Neuron* n, const NetworkPlaces& at, NodeStateRecord& r) {
    if (n->typeCode == NeuronType::Voter) {
        r.value = kWorkedOut;
        if (!HasAveragingOutput(n))
            std::fill(std::begin(r.history), std::end(r.history), 0.0f);
    }
    const auto inOrder = [](const auto& lists, const Neuron* node,
                            const std::vector<int32_t>& list) {
        auto found = lists.find(node);
        return found == lists.end() ? list.empty() : found->second == list;
    };
    if (inOrder(at.entering, n, r.inputs))
        r.inputs.clear();
    if (inOrder(at.leaving, n, r.outputs))
        r.outputs.clear();
}

void CaptureLink(const NeuralEffect* l, const NetworkPlaces& at, LinkStateRecord& r) {
    r.from = at.PlaceOf(l->source);
    r.to = at.PlaceOf(l->target);
    r.scale = l->scale;
    r.input = l->input;
    r.inputTarget = l->inputTarget;
    r.output = l->output;
    r.change = l->change;
    r.drag = static_cast<int32_t>(l->inertialDrag);
    r.inertia = l->inertia;
    r.first = l->firstUpdate;
}

// Leaves out of a link's row what the load works out the same (see LinkStateRecord); the ends
// are those of the link before it in the row before.
void LeaveOutWorkedOut(const NeuralEffect* l, int32_t& lastFrom, int32_t& lastTo,
                       LinkStateRecord& r) {
    const int32_t from = r.from, to = r.to;
    if (from == lastFrom + 1)
        r.from = kNextPlace;
    if (to == lastTo)
        r.to = kSamePlace;
    lastFrom = from;
    lastTo = to;
    if (IsMembershipLink(l))
        r.scale = kWorkedOut;
    // Every reading of a link works its output out afresh, and with an inertia of one takes its
    // input from the target first: neither is read as it stands.
    r.output = kWorkedOut;
    if (l->inertia == 1 || SameBits(l->input, l->inputTarget))
        r.input = kWorkedOut;
    if (l->source && SameBits(l->inputTarget, l->source->value))
        r.inputTarget = kWorkedOut;
}

// The ends a row leaves out, from the row before.
void ResolveEnds(LinkStateRecord& r, int32_t& lastFrom, int32_t& lastTo) {
    if (r.from == kNextPlace)
        r.from = lastFrom + 1;
    if (r.to == kSamePlace)
        r.to = lastTo;
    lastFrom = r.from;
    lastTo = r.to;
}

// Laid over the network only when it matches the saved one node for node and link for link (a
// file of the same content); otherwise the load keeps what the sections above restored.
template <typename Archive> void VisitNetworkState(Archive& a) {
    if (!a.Optional("network"))
        return;
    const std::vector<SIM_Voter*>& voters = AllVoters();
    const std::vector<SIM_VoterType*>& types = GetVoterManager().VoterTypes();
    SavedNetwork saved;
    a.Begin("network");
    // Only the writer captures; the reader and the damage check have no use for the places.
    std::unique_ptr<NetworkPlaces> at;
    if constexpr (std::is_same_v<Archive, SaveWriteArchive>)
        at = std::make_unique<NetworkPlaces>(a.RowsAt("noderows"));
    const auto captureNode = [&at](const Neuron* n, NodeStateRecord& r) {
        CaptureNode(n, *at, r);
        return true;
    };
    const auto applyNode = [&saved](const NodeStateRecord& r) { saved.nodes.push_back(r); };
    if (a.RowsAt("noderows"))
        a.template Rows<NodeStateRecord>(
            "noderows", AllNeurons(),
            [&at](const Neuron* n, NodeStateRecord& r) {
                CaptureNode(n, *at, r);
                LeaveOutWorkedOut(n, *at, r);
                return true;
            },
            applyNode);
    else
        VisitList<NodeStateRecord>(a, "nodes", "node", AllNeurons(), captureNode, applyNode);

    int32_t lastFrom = -1, lastTo = -1;
    const auto applyLink = [&saved, &lastFrom, &lastTo](LinkStateRecord r) {
        ResolveEnds(r, lastFrom, lastTo);
        saved.links.push_back(r);
    };
    if (a.RowsAt("linkrows"))
        a.template Rows<LinkStateRecord>(
            "linkrows", AllEffects(),
            [&at, &lastFrom, &lastTo](const NeuralEffect* l, LinkStateRecord& r) {
                CaptureLink(l, *at, r);
                LeaveOutWorkedOut(l, lastFrom, lastTo, r);
                return true;
            },
            applyLink);
    else
        VisitList<LinkStateRecord>(
            a, "links", "link", AllEffects(),
            [&at](const NeuralEffect* l, LinkStateRecord& r) {
                CaptureLink(l, *at, r);
                return true;
            },
            applyLink);

    const auto captureGroup = [&voters](const SIM_VoterType* t, GroupStateRecord& r) {
        r.name = t->name;
        for (const SIM_Voter* member : t->members)
            r.members.push_back(PlaceIn(voters, member));
        r.trend = t->membershipTrend;
        r.lastCount = t->lastMemberCount;
        r.change = t->memberChange;
        r.playerShare = t->playerShareOfVotes;
        r.turnout = t->turnoutShare;
        return true;
    };
    const auto applyGroup = [&saved](const GroupStateRecord& r) { saved.groups.push_back(r); };
    if (a.RowsAt("grouprows"))
        a.template Rows<GroupStateRecord>("grouprows", types, captureGroup, applyGroup);
    else
        VisitList<GroupStateRecord>(a, "groups", "group", types, captureGroup, applyGroup);

    const auto captureMembership = [&types](const SIM_Voter* v, VoterGroupsRecord& r) {
        for (const SIM_VoterType* t : v->voterTypes)
            r.groups.push_back(PlaceIn(types, t));
        return true;
    };
    const auto applyMembership = [&saved](const VoterGroupsRecord& r) {
        saved.typesOfVoter.push_back(r.groups);
    };
    if (a.RowsAt("membershiprows"))
        a.template Rows<VoterGroupsRecord>("membershiprows", voters, captureMembership,
                                           applyMembership);
    else
        VisitList<VoterGroupsRecord>(a, "membership", "voter", voters, captureMembership,
                                     applyMembership);

    VisitList<PressureStateRecord>(
        a, "pressure", "group", AllPressureGroups(),
        [&voters](const SIM_PressureGroup* g, PressureStateRecord& r) {
            r.name = g->name;
            for (const SIM_Voter* member : g->members)
                r.members.push_back(PlaceIn(voters, member));
            r.growth = g->growth;
            r.trend = g->trend;
            r.lastCount = g->lastMemberCount;
            r.active = g->active;
            return true;
        },
        [&saved](const PressureStateRecord& r) { saved.pressureGroups.push_back(r); });
    a.End("network");
    if constexpr (Archive::kReading)
        a.networkRestored = ApplyNetwork(saved);
}

ResumeRecord CaptureResume() {
    ResumeRecord r;
    r.random = GetRandomState();
    r.gameOver = IsGameOver();
    r.financeTurns = GetFinances().TurnsProcessed;
    for (const SIM_Minister* m : GetCabinet().ministers) {
        MinisterExtraRecord extra{m->female, m->lastWarningTurn, {}};
        for (const SIM_PolicyGroup* post : m->preferredPosts)
            extra.preferredPosts.push_back(post ? post->index : -1);
        r.ministers.push_back(extra);
    }
    for (const SIM_Policy* p : GetPolicyManager().AllPolicies())
        r.policies.push_back({p->name, p->CostMultiplier, p->IncomeMultiplier});
    for (const SIM_Party* p : AllParties()) {
        PartyStateRecord party{p->membershipStrength, p->lastMemberCount, {}};
        for (const SIM_Voter* member : p->members)
            party.members.push_back(PlaceIn(AllVoters(), member));
        r.parties.push_back(party);
    }
    if (const AttackOutcome* last = LastAttackOutcome())
        r.attack = {true,         last->name,     last->guiName, last->turn, last->succeeded,
                    last->foiled, last->shownText};
    for (const SIM_Report& report : GetReportManager().Reports())
        r.reports.push_back({report.title, report.body});
    for (const SIM_Dilemma* d : GetDilemmaManager().Dilemmas()) {
        DilemmaTextRecord texts;
        texts.name = d->name;
        for (const DilemmaOption& option : d->options)
            texts.options.push_back({option.name, option.description});
        r.dilemmas.push_back(texts);
    }
    const SIM_ElectionManager& elections = GetElectionManager();
    ElectionOutcomeRecord& e = r.election;
    e.held = elections.HasOutcome();
    const ElectionOutcome& outcome = elections.LastOutcome();
    e.playerVotes = outcome.tally.playerVotes;
    e.oppositionVotes = outcome.tally.oppositionVotes;
    e.abstentions = outcome.tally.abstentions;
    e.supporters = outcome.tally.supporters;
    e.opponents = outcome.tally.opponents;
    e.counted = outcome.tally.counted;
    e.share = outcome.share;
    e.won = outcome.won;
    e.manifestoBroken = outcome.manifestoBroken;
    e.termsWon = outcome.termsWon;
    e.termsLeft = outcome.termsLeft;
    e.resultText = outcome.resultText;
    e.crowdSound = outcome.crowdSound;
    e.buttonKey = outcome.buttonKey;
    e.remainingTermsText = outcome.remainingTermsText;
    for (const std::string& file : GetCabinet().femalePortraits)
        r.femalePortraits.push_back({file});
    for (const std::string& file : GetCabinet().malePortraits)
        r.malePortraits.push_back({file});
    return r;
}

// Lists that do not match the loaded game one for one (other content) are passed over.
void ApplyResume(const ResumeRecord& r) {
    SetRandomState(r.random);
    SetGameOver(r.gameOver);
    GetFinances().TurnsProcessed = r.financeTurns;
    const std::vector<SIM_Minister*>& ministers = GetCabinet().ministers;
    if (r.ministers.size() == ministers.size())
        for (size_t i = 0; i < ministers.size(); ++i) {
            SIM_Minister* m = ministers[i];
            m->female = r.ministers[i].female;
            m->lastWarningTurn = r.ministers[i].lastWarning;
            const std::vector<int32_t>& posts = r.ministers[i].preferredPosts;
            for (size_t p = 0; p < kPreferredPostCount && p < posts.size(); ++p)
                m->preferredPosts[p] = posts[p] >= 0 && posts[p] < kPolicyGroupCount
                                           ? &GetPolicyManager().Group(posts[p])
                                           : nullptr;
        }
    for (const PolicyMoneyRecord& money : r.policies) {
        if (SIM_Policy* p = GetPolicyManager().FindPolicy(money.name)) {
            p->CostMultiplier = money.costMultiplier;
            p->IncomeMultiplier = money.incomeMultiplier;
        }
    }
    const std::vector<SIM_Party*>& parties = AllParties();
    if (r.parties.size() == parties.size()) {
        for (size_t i = 0; i < parties.size(); ++i) {
            SIM_Party* party = parties[i];
            party->membershipStrength = r.parties[i].strength;
            party->lastMemberCount = r.parties[i].lastCount;
            std::vector<SIM_Voter*> ordered;
            for (int32_t place : r.parties[i].members)
                if (place >= 0 && static_cast<size_t>(place) < AllVoters().size())
                    ordered.push_back(AllVoters()[static_cast<size_t>(place)]);
            // The same members in the party's own order, or nothing changes.
            if (ordered.size() == party->members.size() &&
                std::is_permutation(ordered.begin(), ordered.end(), party->members.begin(),
                                    party->members.end()))
                party->members = ordered;
        }
    }
    if (r.attack.held)
        RestoreLastAttackOutcome({r.attack.name, r.attack.guiName, r.attack.turn,
                                  r.attack.succeeded, r.attack.foiled, r.attack.shownText});
    GetReportManager().Release();
    for (const ReportRecord& report : r.reports)
        GetReportManager().AddReport(report.title, report.body);
    for (const DilemmaTextRecord& texts : r.dilemmas) {
        SIM_Dilemma* d = GetDilemmaManager().FindDilemma(texts.name);
        if (!d || d->options.size() != texts.options.size())
            continue;
        for (size_t i = 0; i < texts.options.size(); ++i) {
            d->options[i].name = texts.options[i].name;
            d->options[i].description = texts.options[i].description;
        }
    }
    const ElectionOutcomeRecord& e = r.election;
    if (e.held) {
        ElectionOutcome outcome;
        outcome.tally.playerVotes = e.playerVotes;
        outcome.tally.oppositionVotes = e.oppositionVotes;
        outcome.tally.abstentions = e.abstentions;
        outcome.tally.supporters = e.supporters;
        outcome.tally.opponents = e.opponents;
        outcome.tally.counted = e.counted;
        outcome.share = e.share;
        outcome.won = e.won;
        outcome.manifestoBroken = e.manifestoBroken;
        outcome.termsWon = e.termsWon;
        outcome.termsLeft = e.termsLeft;
        outcome.resultText = e.resultText;
        outcome.crowdSound = e.crowdSound;
        outcome.buttonKey = e.buttonKey;
        outcome.remainingTermsText = e.remainingTermsText;
        GetElectionManager().RestoreOutcome(outcome);
    }
    // An empty pool is filled from the folder at the next draw, as in a new game.
    const auto pool = [](const std::vector<PortraitRecord>& saved) {
        std::vector<std::string> files;
        for (const PortraitRecord& p : saved)
            files.push_back(p.file);
        return files;
    };
    GetCabinet().femalePortraits = pool(r.femalePortraits);
    GetCabinet().malePortraits = pool(r.malePortraits);
}

// Last in the file, so that nothing read after it draws from the generator it restores.
template <typename Archive> void VisitResume(Archive& a) {
    ResumeRecord record;
    if (!Archive::kReading)
        record = CaptureResume();
    if (!a.Optional("resume"))
        return;
    Visit(a, record);
    if (Archive::kReading)
        ApplyResume(record);
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
    VisitResignations(a);
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
    VisitNetworkState(a);
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
