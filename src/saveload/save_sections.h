#pragma once
// The sections of a saved game, each with its one list of fields. Visit(archive, section) names
// every field with its element in the file and, where the state document shows it, its key there;
// the writer, the reader, the damage check and the state document all go through these lists.
// Every element goes through a record, which the writer makes from the live object and the reader
// applies: to the node of that name for content nodes (policies, values, situations...), to a new
// object for what the file makes (voters, ministers, grudges). The damage check reads records and
// applies nothing.

#include "base/turn.h"
#include "government/cynicism.h"
#include "government/finances.h"
#include "government/policy_group.h"
#include "government/political_capital.h"
#include "network/neuron.h"
#include "saveload/save_archive.h"
#include "saveload/save_check.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

class SIM_Grudge;
class SIM_Minister;
class SIM_Voter;
class SIM_Event;
struct SIM_Issue;

// A list of elements inside one tag, one record each (see the archives' Elements).
template <typename Record, typename Archive, typename Items, typename Capture, typename Apply>
void VisitList(Archive& a, const char* tag, const char* element, const Items& items,
               Capture capture, Apply apply) {
    a.Begin(tag);
    a.template Elements<Record>(element, items, capture, apply);
    a.End(tag);
}

// The file's envelope: the version it was written by, and when. The date is the file's stamp,
// not part of the game, so no reader needs it; nor do the turn, country and poll after it, which
// are there for the load screen to show without reading the whole file (older files lack them).
struct HeaderRecord {
    std::string version;
    std::string date;
    int32_t turn = 0;
    std::string country;
    float poll = 0;
};

template <typename Archive> void Visit(Archive& a, HeaderRecord& h) {
    a.Begin("header");
    a.Text({"version"}, h.version);
    a.End("header");
    a.Begin("load_data");
    a.Text({"date"}, h.date);
    if (a.Optional("turn")) {
        a.Int({"turn"}, h.turn);
        a.Text({"country"}, h.country);
        a.Float({"poll"}, h.poll);
    }
    a.End("load_data");
}

template <typename Archive> void Visit(Archive& a, Finances& f) {
    a.Begin("finances");
    a.Float({"CurrentBalance", "balance"}, f.CurrentBalance);
    a.Float({"MonthlyExpenses", "expenses"}, f.MonthlyExpenses);
    a.Float({"MonthlyIncome", "income"}, f.MonthlyIncome);
    a.Float({"MonthlyInterest", "interest"}, f.MonthlyInterest);
    a.Float({"NationalDebt", "debt"}, f.NationalDebt);
    a.Float({"HistoryPeak", "historyPeak"}, f.HistoryPeak);
    a.Float({"DebtCeiling", "debtCeiling"}, f.DebtCeiling);
    a.Numbers({"IncomeHistory", "incomeHistory"}, f.IncomeHistory, Finances::kHistoryLength);
    a.Numbers({"ExpenditureHistory", "expenditureHistory"}, f.ExpenditureHistory,
              Finances::kHistoryLength);
    a.Numbers({"DebtHistory", "debtHistory"}, f.DebtHistory, Finances::kHistoryLength);
    a.End("finances");
}

struct MissionRecord {
    std::string file;
    std::string currency;
    int32_t termLength = 0;
    int32_t termsLimit = 0;
    std::string name;
};

template <typename Archive> void Visit(Archive& a, MissionRecord& m) {
    a.Begin("mission");
    a.Text({"filename", "file"}, m.file);
    a.Text({"currency", "currency"}, m.currency);
    a.Int({"termlength"}, m.termLength);
    a.Int({"TermsLimit"}, m.termsLimit);
    a.Text({"guiname", "name"}, m.name);
    a.End("mission");
}

// A voter's membership of a pressure group, by the group's name.
struct PressureGroupTie {
    std::string name;
};

template <typename Archive> void Visit(Archive& a, PressureGroupTie& tie) {
    a.Text({"name"}, tie.name);
}

// A voter's link from a voter group, by the group's name, with its strength. In rows the name is
// left out where it is that of the voter group at the tie's place in the list of voter groups.
struct VoterGroupTie {
    std::string name;
    float strength = 0.0f;
};

template <typename Archive> void Visit(Archive& a, VoterGroupTie& tie) {
    a.Text({"nam"}, tie.name);
    a.Float({"val"}, tie.strength);
}

// A voter's party in the file: 0 for none, 1 for the player's, 2 for the opposition. A voter in
// any other party is reported when written and is read back in none.
constexpr int32_t kUnknownPartyId = -1;

// A voter as the file holds it; the reader makes a new voter from each record.
struct VoterRecord {
    int32_t forenameId = 0;
    int32_t surnameId = 0;
    int32_t gender = 0;
    float oppositionSympathy = 0.0f;
    float playerSympathy = 0.0f;
    float votingTendency = 0.0f;
    int32_t lastVote = 0;
    float income = 0.0f;
    float cynicism = 0.0f;
    float complacency = 0.0f;
    float militancy = 0.0f;
    float value = 0.0f;
    int32_t party = 0;
    std::vector<PressureGroupTie> organisations;
    std::vector<VoterGroupTie> groups;
};

template <typename Archive> void Visit(Archive& a, VoterRecord& v) {
    a.Int({"ForeID"}, v.forenameId);
    a.Int({"SurID"}, v.surnameId);
    a.Int({"Gender"}, v.gender);
    a.Float({"OppSymp"}, v.oppositionSympathy);
    a.Float({"PlaySymp"}, v.playerSympathy);
    a.Float({"VotTend"}, v.votingTendency);
    a.Int({"LastVote"}, v.lastVote);
    a.Float({"Income"}, v.income);
    a.Float({"Cynicism"}, v.cynicism);
    a.Float({"Compla"}, v.complacency);
    a.Float({"Militancy"}, v.militancy);
    a.Float({"Value"}, v.value);
    a.Int({"PartID"}, v.party);
    a.Records("organisations", "organisation", v.organisations);
    a.Records("vgroups", "gp", v.groups);
}

// A minister as the file holds it: sympathies and the post by name, "NULL" for none.
struct MinisterRecord {
    std::string fullName;
    float mood = 0.0f;
    std::string portrait;
    float loyalty = 0.0f;
    float volatility = 0.0f;
    std::string sympathy1;
    std::string sympathy2;
    float experience = 0.0f;
    float suitability[kPolicyGroupCount] = {};
    std::string post;
};

template <typename Archive> void Visit(Archive& a, MinisterRecord& m) {
    a.Text({"FullName", "name"}, m.fullName);
    a.Float({"Value", "mood"}, m.mood);
    a.Text({"Portrait"}, m.portrait);
    a.Float({"Loyalty", "loyalty"}, m.loyalty);
    a.Float({"Volatility", "volatility"}, m.volatility);
    a.Text({"symp1"}, m.sympathy1);
    a.Text({"symp2"}, m.sympathy2);
    a.Float({"exper", "experience"}, m.experience);
    a.Numbers({"suitabilities"}, m.suitability, kPolicyGroupCount);
    a.Text({"currentjob"}, m.post);
}

// The announcement of a minister's resignation, an event made in play that has no name of its
// own; it lives until the next turn, so only a save made in the turn of a resignation holds one.
struct AnnouncementRecord {
    std::string guiName;
    std::string description;
    std::string onImplement;
    std::string onView;
    std::string picture;
    float value = 0.0f;
    bool triggered = false;
};

template <typename Archive> void Visit(Archive& a, AnnouncementRecord& r) {
    a.Prose({"guiname"}, r.guiName);
    a.Prose({"description"}, r.description);
    a.Prose({"onimplement"}, r.onImplement);
    a.Prose({"onview"}, r.onView);
    a.Text({"picture"}, r.picture);
    a.Float({"Value"}, r.value);
    a.Flag({"triggered"}, r.triggered);
}

struct PolicyRecord {
    std::string name;
    float implementation = 0.0f;
    float target = 0.0f;
    float value = 0.0f;
    float history[kNeuronHistoryLength] = {};
    bool active = false;
};

template <typename Archive> void Visit(Archive& a, PolicyRecord& p) {
    a.Text({"name"}, p.name);
    a.Float({"implementation"}, p.implementation);
    a.Float({"targetvalue"}, p.target);
    a.Float({"Value"}, p.value);
    a.Numbers({"history"}, p.history, kNeuronHistoryLength);
    a.Flag({"active"}, p.active);
}

struct SimValueRecord {
    std::string name;
    float value = 0.0f;
    float base = 0.0f;
    float history[kNeuronHistoryLength] = {};
};

template <typename Archive> void Visit(Archive& a, SimValueRecord& s) {
    a.Text({"name"}, s.name);
    a.Float({"Value"}, s.value);
    a.Float({"default"}, s.base);
    a.Numbers({"history"}, s.history, kNeuronHistoryLength);
}

struct SituationRecord {
    std::string name;
    float value = 0.0f;
    bool active = false;
    float history[kNeuronHistoryLength] = {};
};

template <typename Archive> void Visit(Archive& a, SituationRecord& s) {
    a.Text({"name"}, s.name);
    a.Float({"Value"}, s.value);
    a.Flag({"active"}, s.active);
    a.Numbers({"history"}, s.history, kNeuronHistoryLength);
}

// A dilemma or an event: its value and whether it has fired.
struct TriggeredRecord {
    std::string name;
    float value = 0.0f;
    bool triggered = false;
};

template <typename Archive> void Visit(Archive& a, TriggeredRecord& t) {
    a.Text({"name", "name"}, t.name);
    a.Float({"Value", "value"}, t.value);
    a.Flag({"triggered", "triggered"}, t.triggered);
}

struct AttackRecord {
    std::string name;
    int32_t lastTrigger = 0;
};

template <typename Archive> void Visit(Archive& a, AttackRecord& attack) {
    a.Text({"name"}, attack.name);
    a.Int({"lasttrigger"}, attack.lastTrigger);
}

struct VoterTypeRecord {
    std::string name;
    float value = 0.0f;
    float history[kNeuronHistoryLength] = {};
};

template <typename Archive> void Visit(Archive& a, VoterTypeRecord& t) {
    a.Text({"name"}, t.name);
    a.Float({"Value"}, t.value);
    a.Numbers({"history"}, t.history, kNeuronHistoryLength);
}

struct PressureGroupRecord {
    std::string name;
    float strength = 0.0f;
};

template <typename Archive> void Visit(Archive& a, PressureGroupRecord& g) {
    a.Text({"name"}, g.name);
    a.Float({"strength"}, g.strength);
}

// A pledge by the target of its option; the change is the option's, kept for the reader's eye.
struct PledgeRecord {
    std::string target;
    float initial = 0.0f;
    float change = 0.0f;
};

template <typename Archive> void Visit(Archive& a, PledgeRecord& p) {
    a.Text({"name"}, p.target);
    a.Float({"initial"}, p.initial);
    a.Float({"change"}, p.change);
}

struct PartiesRecord {
    std::string playerName;
    std::string oppositionName;
    int32_t playerStatus = 0;
    int32_t oppositionStatus = 0;
};

template <typename Archive> void Visit(Archive& a, PartiesRecord& p) {
    a.Begin("parties");
    a.Text({"playername"}, p.playerName);
    a.Text({"oppname"}, p.oppositionName);
    a.Int({"playerstatus"}, p.playerStatus);
    a.Int({"oppstatus"}, p.oppositionStatus);
    a.End("parties");
}

// The turn, and the mission's shown name for the reader's eye.
struct GameplayRecord {
    int32_t turn = 0;
    std::string missionName;
};

template <typename Archive> void Visit(Archive& a, GameplayRecord& g) {
    a.Begin("gameplay");
    a.Int({"turn", "turn"}, g.turn);
    a.Text({"missionname"}, g.missionName);
    a.End("gameplay");
}

struct EconomyRecord {
    float phase = 0.0f;
    float value = 0.0f;
};

template <typename Archive> void Visit(Archive& a, EconomyRecord& e) {
    a.Begin("economy");
    a.Float({"pos"}, e.phase);
    a.Float({"val"}, e.value);
    a.End("economy");
}

struct ElectionRecord {
    int32_t month = 0;
    int32_t year = 0;
    int32_t won = 0;
    int32_t monthsPerTerm = 0;
};

template <typename Archive> void Visit(Archive& a, ElectionRecord& e) {
    a.Begin("election");
    a.Int({"NextElectionMonth"}, e.month);
    a.Int({"NextElectionYear"}, e.year);
    a.Int({"ElectionsWon"}, e.won);
    a.Int({"MonthsPerTerm"}, e.monthsPerTerm);
    a.End("election");
}

template <typename Archive> void Visit(Archive& a, Calendar& c) {
    a.Begin("calendar");
    a.Int({"month", "month"}, c.month);
    a.Int({"year", "year"}, c.year);
    if (Archive::kReading)
        c.month = std::clamp(c.month, 0, 11);
    a.End("calendar");
}

template <typename Archive> void Visit(Archive& a, PoliticalCapital& c) {
    a.Begin(kCapitalSaveElement);
    a.Int({kCapitalSaveStock, "available"}, c.capital);
    a.Int({kCapitalSavePerTurn, "perTurn"}, c.capitalPerTurn);
    a.End(kCapitalSaveElement);
}

// The holder is the node the grudge's link leads into, by name; a grudge whose link has gone
// keeps the name it was made with.
struct GrudgeRecord {
    std::string name;
    std::string guiName;
    int32_t age = 0;
    float decay = 0.0f;
    float value = 0.0f;
    std::string holder;
    int32_t inertia = 0;
};

template <typename Archive> void Visit(Archive& a, GrudgeRecord& g) {
    a.Text({"name", "name"}, g.name);
    a.Text({"guiname", "shownName"}, g.guiName);
    a.Int({"age", "age"}, g.age);
    a.Float({"decay", "decay"}, g.decay);
    a.Float({"value", "value"}, g.value);
    a.Text({"target"}, g.holder);
    a.Int({"inertia"}, g.inertia);
}

template <typename Archive> void Visit(Archive& a, SIM_Cynicism& c) {
    a.Begin("cynicism");
    a.Float({"value", "level"}, c.level);
    a.End("cynicism");
}

// An issue on the desk, its subject (a dilemma, an event, a situation or a minister) by name.
struct IssueRecord {
    int32_t kind = 0;
    std::string subject;
    std::string icon;
    std::string title;
    std::string text;
};

template <typename Archive> void Visit(Archive& a, IssueRecord& i) {
    a.Int({"kind"}, i.kind);
    a.Text({"subject", "subject"}, i.subject);
    a.Text({"icon"}, i.icon);
    a.Prose({"title", "title"}, i.title);
    a.Prose({"text", "text"}, i.text);
}

template <typename Archive> void Visit(Archive& a, PollTracker& p) {
    a.Begin("polls");
    a.Float({"PotentialVoteRate", "potentialVoteRate"}, p.PotentialVoteRate);
    a.Float({"PeakVoteRate", "peakVoteRate"}, p.PeakVoteRate);
    a.FineNumbers({"history", "shareHistory"}, p.shareHistory, PollTracker::kHistory);
    a.End("polls");
}

// The state of the network as the turn left it, which the sections above hold only in part or
// rounded: every node's value, switch and history, every link's place in its lag, and the voter
// groups' memberships in their own order. Nodes and links are listed in the network's order;
// links name their ends by their places in the node list.
// A node's links in and out are listed by their places in the link list, in the node's own
// order (strongest first, as the last pass sorted them).
// In rows, what the load works out for itself is left out (save_rows.h: an empty field reads as a
// new record's): a field of a new record below that is kWorkedOut, and a node's empty list of
// links in or out, stand for what the comments beside them say, and a writer leaves a field so
// only where that gives back the very same figure.
constexpr float kWorkedOut = std::numeric_limits<float>::quiet_NaN();
// A link's ends in rows: the place after the previous link's source, the previous link's target.
constexpr int32_t kNextPlace = -2;
constexpr int32_t kSamePlace = -3;

struct NodeStateRecord {
    std::string name;
    int32_t type = 0;
    // A voter's value is its voter's, held in the voters' section.
    float value = kWorkedOut;
    float base = 0.0f;
    bool active = false;
    bool sorted = false;
    // All nought in rows for a voter: nothing reads a voter's past values while no link from it
    // averages them.
    float history[kNeuronHistoryLength] = {};
    // Empty: the links that enter (leave) the node, in the order of the link list.
    std::vector<int32_t> inputs;
    std::vector<int32_t> outputs;
};

template <typename Archive> void Visit(Archive& a, NodeStateRecord& n) {
    a.Text({"name"}, n.name);
    a.Int({"type"}, n.type);
    a.Float({"Value"}, n.value);
    a.Float({"base"}, n.base);
    a.Flag({"active"}, n.active);
    a.Flag({"sorted"}, n.sorted);
    a.Numbers({"history"}, n.history, kNeuronHistoryLength);
    a.Indices({"in"}, n.inputs);
    a.Indices({"out"}, n.outputs);
}

struct LinkStateRecord {
    int32_t from = kNextPlace;
    int32_t to = kSamePlace;
    // A voter's membership of a voter group, held with the voter.
    float scale = kWorkedOut;
    // The input target (as every reading of a link with an inertia of one makes it).
    float input = kWorkedOut;
    // The source's value.
    float inputTarget = kWorkedOut;
    // The formula at the input, times the scale (as every reading of a link makes it).
    float output = kWorkedOut;
    float change = 0.0f;
    int32_t drag = 0;
    int32_t inertia = 1;
    bool first = false;
};

template <typename Archive> void Visit(Archive& a, LinkStateRecord& l) {
    a.Int({"from"}, l.from);
    a.Int({"to"}, l.to);
    a.Float({"scale"}, l.scale);
    a.Float({"input"}, l.input);
    a.Float({"inputtarget"}, l.inputTarget);
    a.Float({"output"}, l.output);
    a.Float({"change"}, l.change);
    a.Int({"drag"}, l.drag);
    a.Int({"inertia"}, l.inertia);
    a.Flag({"first"}, l.first);
}

// A voter group's members by their places in the voter list, in the group's order, and the
// figures of its last count.
struct GroupStateRecord {
    std::string name;
    std::vector<int32_t> members;
    int32_t trend = 0;
    int32_t lastCount = 0;
    int32_t change = 0;
    float playerShare = 0.0f;
    float turnout = 0.0f;
};

template <typename Archive> void Visit(Archive& a, GroupStateRecord& g) {
    a.Text({"name"}, g.name);
    a.Indices({"members"}, g.members);
    a.Int({"trend"}, g.trend);
    a.Int({"lastcount"}, g.lastCount);
    a.Int({"change"}, g.change);
    a.Float({"playershare"}, g.playerShare);
    a.Float({"turnout"}, g.turnout);
}

// A pressure group's members by their places in the voter list, in the group's order, and the
// figures of its last turn.
struct PressureStateRecord {
    std::string name;
    std::vector<int32_t> members;
    float growth = 0.0f;
    int32_t trend = 0;
    int32_t lastCount = 0;
    bool active = false;
};

template <typename Archive> void Visit(Archive& a, PressureStateRecord& g) {
    a.Text({"name"}, g.name);
    a.Indices({"members"}, g.members);
    a.Float({"growth"}, g.growth);
    a.Int({"trend"}, g.trend);
    a.Int({"lastcount"}, g.lastCount);
    a.Flag({"active"}, g.active);
}

// A voter's groups by their places in the group list, in the voter's order.
struct VoterGroupsRecord {
    std::vector<int32_t> groups;
};

template <typename Archive> void Visit(Archive& a, VoterGroupsRecord& v) {
    a.Indices({"groups"}, v.groups);
}

// A minister's figures the ministers' section does not hold.
struct MinisterExtraRecord {
    bool female = false;
    int32_t lastWarning = 0;
    std::vector<int32_t> preferredPosts;
};

template <typename Archive> void Visit(Archive& a, MinisterExtraRecord& m) {
    a.Flag({"female"}, m.female);
    a.Int({"warned"}, m.lastWarning);
    a.Indices({"preferred"}, m.preferredPosts);
}

// What scripts may change in a policy's money.
struct PolicyMoneyRecord {
    std::string name;
    float costMultiplier = 1.0f;
    float incomeMultiplier = 1.0f;
};

template <typename Archive> void Visit(Archive& a, PolicyMoneyRecord& p) {
    a.Text({"name"}, p.name);
    a.Float({"costmult"}, p.costMultiplier);
    a.Float({"incomemult"}, p.incomeMultiplier);
}

// A party's members by their places in the voter list, in the party's order.
struct PartyStateRecord {
    float strength = 0.0f;
    int32_t lastCount = 0;
    std::vector<int32_t> members;
};

template <typename Archive> void Visit(Archive& a, PartyStateRecord& p) {
    a.Float({"strength"}, p.strength);
    a.Int({"lastcount"}, p.lastCount);
    a.Indices({"members"}, p.members);
}

// What the last attack attempted came to.
struct AttackOutcomeRecord {
    bool held = false;
    std::string name;
    std::string guiName;
    int32_t turn = 0;
    bool succeeded = false;
    bool foiled = false;
    std::string shownText;
};

template <typename Archive> void Visit(Archive& a, AttackOutcomeRecord& o) {
    a.Begin("lastattack");
    a.Flag({"held"}, o.held);
    a.Text({"name"}, o.name);
    a.Text({"guiname"}, o.guiName);
    a.Int({"turn"}, o.turn);
    a.Flag({"succeeded"}, o.succeeded);
    a.Flag({"foiled"}, o.foiled);
    a.Prose({"text"}, o.shownText);
    a.End("lastattack");
}

struct ReportRecord {
    std::string title;
    std::string body;
};

template <typename Archive> void Visit(Archive& a, ReportRecord& r) {
    a.Prose({"title"}, r.title);
    a.Prose({"body"}, r.body);
}

// A dilemma's option texts as drawn for this game (the names in them are chosen at random).
struct OptionTextRecord {
    std::string name;
    std::string description;
};

template <typename Archive> void Visit(Archive& a, OptionTextRecord& o) {
    a.Prose({"name"}, o.name);
    a.Prose({"description"}, o.description);
}

struct DilemmaTextRecord {
    std::string name;
    std::vector<OptionTextRecord> options;
};

template <typename Archive> void Visit(Archive& a, DilemmaTextRecord& d) {
    a.Text({"name"}, d.name);
    a.Records("options", "option", d.options);
}

// The last election's count as the results show it.
struct ElectionOutcomeRecord {
    bool held = false;
    int32_t playerVotes = 0;
    int32_t oppositionVotes = 0;
    int32_t abstentions = 0;
    int32_t supporters = 0;
    int32_t opponents = 0;
    int32_t counted = 0;
    float share = 0.0f;
    bool won = false;
    bool manifestoBroken = false;
    int32_t termsWon = 0;
    int32_t termsLeft = 0;
    std::string resultText;
    std::string crowdSound;
    std::string buttonKey;
    std::string remainingTermsText;
};

template <typename Archive> void Visit(Archive& a, ElectionOutcomeRecord& e) {
    a.Begin("lastelection");
    a.Flag({"held"}, e.held);
    a.Int({"playervotes"}, e.playerVotes);
    a.Int({"oppvotes"}, e.oppositionVotes);
    a.Int({"abstentions"}, e.abstentions);
    a.Int({"supporters"}, e.supporters);
    a.Int({"opponents"}, e.opponents);
    a.Int({"counted"}, e.counted);
    a.Float({"share"}, e.share);
    a.Flag({"won"}, e.won);
    a.Flag({"broken"}, e.manifestoBroken);
    a.Int({"termswon"}, e.termsWon);
    a.Int({"termsleft"}, e.termsLeft);
    a.Prose({"result"}, e.resultText);
    a.Text({"sound"}, e.crowdSound);
    a.Text({"button"}, e.buttonKey);
    a.Prose({"remaining"}, e.remainingTermsText);
    a.End("lastelection");
}

// A portrait still in the cabinet's pool, which new ministers draw from.
struct PortraitRecord {
    std::string file;
};

template <typename Archive> void Visit(Archive& a, PortraitRecord& p) {
    a.Text({"file"}, p.file);
}

// What a turn reads that the sections above do not hold, so that a loaded game plays on exactly
// as the saved one would have: the random generator's place in its sequence, whether the game
// has ended, and the figures and texts of this game that the content would otherwise draw anew.
// A file written before it loads with the generator where the load leaves it and the game
// running.
struct ResumeRecord {
    uint32_t random = 0;
    bool gameOver = false;
    int32_t financeTurns = 0;
    std::vector<MinisterExtraRecord> ministers;
    std::vector<PolicyMoneyRecord> policies;
    std::vector<PartyStateRecord> parties;
    std::vector<ReportRecord> reports;
    std::vector<DilemmaTextRecord> dilemmas;
    ElectionOutcomeRecord election;
    AttackOutcomeRecord attack;
    std::vector<PortraitRecord> femalePortraits;
    std::vector<PortraitRecord> malePortraits;
};

template <typename Archive> void Visit(Archive& a, ResumeRecord& r) {
    a.Begin("resume");
    a.Unsigned({"random"}, r.random);
    a.Flag({"gameover"}, r.gameOver);
    a.Int({"financeturns"}, r.financeTurns);
    a.Records("ministers", "minister", r.ministers);
    a.Records("policymoney", "policy", r.policies);
    a.Records("partystate", "party", r.parties);
    a.Records("reports", "report", r.reports);
    a.Records("dilemmatexts", "dilemma", r.dilemmas);
    Visit(a, r.election);
    Visit(a, r.attack);
    // Later than the rest: a file without them leaves the pools full.
    if (a.Optional("portraits")) {
        a.Begin("portraits");
        a.Records("female", "portrait", r.femalePortraits);
        a.Records("male", "portrait", r.malePortraits);
        a.End("portraits");
    }
    a.End("resume");
}

// The records the state document also shows, made from the live objects.
MissionRecord CaptureMission();
MinisterRecord CaptureMinister(const SIM_Minister& minister);
GrudgeRecord CaptureGrudge(const SIM_Grudge& grudge);
GameplayRecord CaptureGameplay();
IssueRecord CaptureIssue(const SIM_Issue& issue);
TriggeredRecord CaptureEvent(const SIM_Event& event);

// Every section of the game in file order, after the header. Writing walks the game in play;
// reading lays each section over a game whose content has been read afresh.
void VisitSavedGame(SaveWriteArchive& a);
void VisitSavedGame(SaveReadArchive& a);
void VisitSavedGame(SaveCheckArchive& a);
