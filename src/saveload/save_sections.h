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
// not part of the game, so no reader needs it.
struct HeaderRecord {
    std::string version;
    std::string date;
};

template <typename Archive> void Visit(Archive& a, HeaderRecord& h) {
    a.Begin("header");
    a.Text({"version"}, h.version);
    a.End("header");
    a.Begin("load_data");
    a.Text({"date"}, h.date);
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

// A voter's link from a voter group, by the group's name, with its strength.
struct VoterGroupTie {
    std::string name;
    float strength = 0.0f;
};

template <typename Archive> void Visit(Archive& a, VoterGroupTie& tie) {
    a.Text({"nam"}, tie.name);
    a.Float({"val"}, tie.strength);
}

// A voter's party in the file: 0 for none, 1 for the player's, 2 for the opposition. A voter in
// any other party is reported when written and gets no PartID.
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
    if (v.party != kUnknownPartyId)
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

// What a turn reads that the sections above do not hold, so that a loaded game plays on exactly
// as the saved one would have: the random generator's place in its sequence and whether the game
// has ended. A file written before it loads with the generator where the load leaves it and the
// game running.
struct ResumeRecord {
    uint32_t random = 0;
    bool gameOver = false;
};

template <typename Archive> void Visit(Archive& a, ResumeRecord& r) {
    a.Begin("resume");
    a.Unsigned({"random"}, r.random);
    a.Flag({"gameover"}, r.gameOver);
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
