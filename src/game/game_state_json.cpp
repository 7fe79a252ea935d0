#include "game/game_state_json.h"

#include "game/happenings_json.h"

#include "base/json_writer.h"
#include "base/mission.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "government/cabinet.h"
#include "government/cynicism.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "government/manifesto.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/voter_context.h"
#include "network/neuron.h"
#include "population/grudge.h"
#include "population/party.h"
#include "population/population_state.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"
#include "saveload/save_archive.h"
#include "saveload/save_sections.h"

#include <unordered_set>

// Every list below is written in its own list order and no pointer value or hash order reaches
// the text, so the same game always gives the same bytes. Where the document shows a saved
// section it takes the section's own fields (saveload/save_sections.h) in the document's order,
// adding only what it works out from the game.

namespace {

// A saved section as an object of the document, its fields in the order given.
template <typename Section>
void WriteSection(JsonWriter& json, const char* key, Section& section,
                  std::initializer_list<const char*> order) {
    JsonFields fields;
    Visit(fields, section);
    json.Key(key);
    json.BeginObject();
    fields.WriteTo(json, order);
    json.EndObject();
}

void WriteTurn(JsonWriter& json) {
    GameplayRecord gameplay = CaptureGameplay();
    JsonFields turn;
    Visit(turn, gameplay);
    turn.WriteTo(json, {"turn"});
    WriteSection(json, "calendar", GetCalendar(), {"month", "year"});
    WriteSection(json, "polls", GetPollTracker(),
                 {"potentialVoteRate", "peakVoteRate", "shareHistory"});
    json.Field("gameOver", IsGameOver());
}

void WriteMission(JsonWriter& json) {
    const CMission& mission = GetMission();
    MissionRecord record = CaptureMission();
    JsonFields fields;
    Visit(fields, record);
    fields.Extra("wealth", [&mission](JsonWriter& out) { out.Value(mission.wealth); });
    fields.Extra("populationPerVoter",
                 [&mission](JsonWriter& out) { out.Value(mission.populationPerVoter); });
    json.Key("mission");
    json.BeginObject();
    fields.WriteTo(json, {"file", "name", "currency", "wealth", "populationPerVoter"});
    json.EndObject();
}

void WriteFinances(JsonWriter& json) {
    WriteSection(json, "finances", GetFinances(),
                 {"balance", "debt", "debtCeiling", "income", "expenses", "interest", "historyPeak",
                  "incomeHistory", "expenditureHistory", "debtHistory"});
    WriteSection(json, "politicalCapital", GetPoliticalCapital(), {"perTurn", "available"});
}

// The registry's lookup warns about a miss; the document must not add to the log or the
// player's messages, so it looks for itself.
const Neuron* QuietFind(const std::string& name) {
    for (const Neuron* neuron : AllNeurons())
        if (name == neuron->name)
            return neuron;
    return nullptr;
}

void NameOrNull(JsonWriter& json, const std::string& key, const Neuron* neuron) {
    json.Key(key);
    if (neuron)
        json.Value(std::string(neuron->name));
    else
        json.Null();
}

// The population in sum: an entry per voter would dwarf the rest of the document.
void WriteVoters(JsonWriter& json) {
    const std::vector<SIM_Voter*>& voters = AllVoters();
    // One reading of the tuning for the whole walk, as the turn's own passes do.
    VoterPass pass(CurrentVoterContext());
    int supporters = 0, playerMembers = 0, oppositionMembers = 0;
    int votes[3] = {0, 0, 0};
    double opinion = 0.0, complacency = 0.0, playerSympathy = 0.0, oppositionSympathy = 0.0;
    for (SIM_Voter* voter : voters) {
        if (voter->WouldVoteForPlayer())
            supporters += 1;
        if (voter->party && voter->party == Population().playerParty)
            playerMembers += 1;
        else if (voter->party && voter->party == Population().oppositionParty)
            oppositionMembers += 1;
        if (voter->lastVote >= kVotePlayer && voter->lastVote <= kVoteNone)
            votes[voter->lastVote] += 1;
        opinion += voter->GetOpinion();
        complacency += voter->complacency;
        playerSympathy += voter->playerSympathy;
        oppositionSympathy += voter->oppositionSympathy;
    }

    const double count = voters.empty() ? 1.0 : static_cast<double>(voters.size());
    json.Key("voters");
    json.BeginObject();
    json.Field("count", static_cast<int>(voters.size()));
    json.Field("wouldVoteForPlayer", supporters);
    json.Field("playersPartyMembers", playerMembers);
    json.Field("oppositionMembers", oppositionMembers);
    json.Field("averageOpinion", static_cast<float>(opinion / count));
    json.Field("averageComplacency", static_cast<float>(complacency / count));
    json.Field("averagePlayerSympathy", static_cast<float>(playerSympathy / count));
    json.Field("averageOppositionSympathy", static_cast<float>(oppositionSympathy / count));
    json.Key("lastVote");
    json.BeginObject();
    json.Field("player", votes[kVotePlayer]);
    json.Field("opposition", votes[kVoteOpposition]);
    json.Field("none", votes[kVoteNone]);
    json.EndObject();
    json.EndObject();
}

const char* MembershipTrendName(int32_t trend) {
    switch (trend) {
    case 0:
        return "falling";
    case 2:
        return "rising";
    default:
        return "steady";
    }
}

void WriteVoterGroups(JsonWriter& json) {
    json.Key("voterGroups");
    json.BeginArray();
    SIM_VoterManager* manager = FindVoterManager();
    if (manager) {
        for (SIM_VoterType* group : manager->VoterTypes()) {
            json.BeginObject();
            json.Field("name", std::string(group->name));
            json.Field("value", group->value);
            json.Field("approval", group->GetApproval());
            json.Field("members", group->MemberCount());
            json.Field("share", group->GetMemberShare());
            json.Field("trend", MembershipTrendName(group->GetMembershipTrend()));
            json.Field("memberChange", static_cast<int>(group->GetMemberChange()));
            json.Field("playerShareOfVotes", group->GetPlayerShareOfVotes());
            json.Field("turnoutShare", group->GetTurnoutShare());
            json.Field("frequency", group->frequencyNode.value);
            json.Field("fixedMembership", group->HasFixedMembership());
            NameOrNull(json, "opposite", group->GetOpposite());
            json.EndObject();
        }
    }
    json.EndArray();
}

const char* PartyTrendName(int32_t status) {
    switch (status) {
    case kPartyGrowing:
        return "growing";
    case kPartyShrinking:
        return "shrinking";
    default:
        return "steady";
    }
}

void WriteParties(JsonWriter& json) {
    json.Key("parties");
    json.BeginArray();
    for (const SIM_Party* party : AllParties()) {
        json.BeginObject();
        json.Field("name", party->partyName);
        json.Field("player", party == Population().playerParty);
        json.Field("members", party->MemberCount());
        json.Field("membershipStrength", party->membershipStrength);
        json.Field("share", party->shareNode.baseOffset);
        json.Field("trend", PartyTrendName(party->status));
        json.EndObject();
    }
    json.EndArray();
}

// Elections held so far in this game. The schedule moves one term at each election, and the
// first one falls a term after the set-up, which lies three months per turn back.
int ElectionsHeld(const SIM_ElectionManager& elections) {
    const int term = elections.TermMonths();
    if (!elections.IsScheduled() || term <= 0)
        return 0;
    const int monthsSinceSetUp = GetTurnNumber() * 3 + elections.MonthsUntilElection();
    return monthsSinceSetUp >= term ? monthsSinceSetUp / term - 1 : 0;
}

void WriteElectionOutcome(JsonWriter& json, const ElectionOutcome& outcome) {
    json.BeginObject();
    json.Field("playerVotes", static_cast<int>(outcome.tally.playerVotes));
    json.Field("oppositionVotes", static_cast<int>(outcome.tally.oppositionVotes));
    json.Field("abstentions", static_cast<int>(outcome.tally.abstentions));
    json.Field("supporters", static_cast<int>(outcome.tally.supporters));
    json.Field("opponents", static_cast<int>(outcome.tally.opponents));
    json.Field("counted", static_cast<int>(outcome.tally.counted));
    json.Field("share", outcome.share);
    json.Field("won", outcome.won);
    json.Field("manifestoBroken", outcome.manifestoBroken);
    json.Field("termsWon", static_cast<int>(outcome.termsWon));
    json.Field("termsLeft", static_cast<int>(outcome.termsLeft));
    json.EndObject();
}

void WriteElection(JsonWriter& json) {
    const SIM_ElectionManager& elections = GetElectionManager();
    json.Key("election");
    json.BeginObject();
    json.Field("scheduled", elections.IsScheduled());
    if (elections.IsScheduled()) {
        json.Field("month", static_cast<int>(elections.electionMonth));
        json.Field("year", static_cast<int>(elections.electionYear));
        json.Field("monthsUntil", elections.MonthsUntilElection());
    } else {
        json.Key("month");
        json.Null();
        json.Key("year");
        json.Null();
        json.Key("monthsUntil");
        json.Null();
    }
    json.Field("termMonths", elections.TermMonths());
    json.Field("termLimit", elections.TermLimit());
    json.Field("termsWon", static_cast<int>(elections.termsWon));
    json.Field("termsServed", ElectionsHeld(elections));
    json.Field("termsLeft", elections.TermsLeft());
    json.Key("lastResult");
    if (elections.HasOutcome())
        WriteElectionOutcome(json, elections.LastOutcome());
    else
        json.Null();
    json.EndObject();
}

const char* PledgeKindName(int32_t kind) {
    switch (kind) {
    case kPledgeLower:
        return "lower";
    case kPledgeCancel:
        return "cancel";
    default:
        return "raise";
    }
}

void WritePledges(JsonWriter& json, const std::string& key,
                  const std::vector<ManifestoPledge>& pledges) {
    const SIM_Manifesto& manifesto = GetManifesto();
    json.Key(key);
    json.BeginArray();
    for (const ManifestoPledge& pledge : pledges) {
        json.BeginObject();
        if (pledge.option) {
            json.Field("target", pledge.option->targetName);
            json.Field("title", pledge.option->title);
            json.Field("kind", PledgeKindName(pledge.option->kind));
            json.Field("amount", pledge.option->amount);
        } else {
            json.Key("target");
            json.Null();
        }
        json.Field("initial", pledge.initial);
        json.Field("goal", manifesto.GetPledgeTarget(pledge));
        // A pledge without an option counts as kept, one whose target has gone as broken.
        const bool inCountry = pledge.option && QuietFind(pledge.option->targetName);
        json.Field("current", inCountry ? manifesto.GetPledgeCurrent(pledge) : 0.0f);
        json.Field("kept", inCountry ? manifesto.IsPledgeKept(pledge) : !pledge.option);
        json.EndObject();
    }
    json.EndArray();
}

void WriteManifesto(JsonWriter& json) {
    const SIM_Manifesto& manifesto = GetManifesto();
    json.Key("manifesto");
    json.BeginObject();
    json.Field("kept", manifesto.IsKept());
    json.Field("mayBeChosen", ManifestoMayBeChosen());
    json.Field("brokenPenalty", manifesto.BrokenPenalty());
    WritePledges(json, "livePledges", manifesto.LivePledges());
    WritePledges(json, "nextTermPledges", manifesto.NextTermPledges());
    json.Key("options");
    json.BeginArray();
    for (const ManifestoOption& option : manifesto.Options()) {
        json.BeginObject();
        json.Field("target", option.targetName);
        json.Field("title", option.title);
        json.Field("kind", PledgeKindName(option.kind));
        json.Field("amount", option.amount);
        const bool inCountry = QuietFind(option.targetName) != nullptr;
        json.Field("available", inCountry && manifesto.IsOptionAvailable(option));
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

void WriteMinister(JsonWriter& json, SIM_Minister& minister) {
    JsonFields fields;
    MinisterRecord record = CaptureMinister(minister);
    Visit(fields, record);
    fields.Extra("gender",
                 [&minister](JsonWriter& out) { out.Value(minister.female ? "female" : "male"); });
    fields.Extra("post", [&minister](JsonWriter& out) {
        if (minister.currentPost)
            out.Value(minister.currentPost->name);
        else
            out.Null();
    });
    fields.Extra("suitability", [&minister](JsonWriter& out) {
        out.BeginObject();
        for (int i = 0; i < kPolicyGroupCount; ++i)
            out.Field(kPolicyGroupKeys[i], minister.GetSuitability(i));
        out.EndObject();
    });
    fields.Extra("favouredGroups", [&minister](JsonWriter& out) {
        out.BeginArray();
        for (const SIM_VoterType* group : {minister.sympathy1, minister.sympathy2}) {
            if (group)
                out.Value(std::string(group->name));
            else
                out.Null();
        }
        out.EndArray();
    });
    // Only a minister in office earns capital.
    fields.Extra("politicalCapital", [&minister](JsonWriter& out) {
        out.Value(minister.HasPost() ? static_cast<int>(minister.GetPoliticalCapital()) : 0);
    });
    json.BeginObject();
    fields.WriteTo(json, {"name", "gender", "post", "mood", "experience", "loyalty", "volatility",
                          "suitability", "favouredGroups", "politicalCapital"});
    json.EndObject();
}

void WriteCabinet(JsonWriter& json) {
    const SIM_CabinetManager& cabinet = GetCabinet();
    json.Key("cabinet");
    json.BeginObject();
    json.Key("posts");
    json.BeginArray();
    for (int i = 0; i < kPolicyGroupCount; ++i) {
        const SIM_PolicyGroup& post = GetPolicyManager().Group(i);
        json.BeginObject();
        json.Field("group", std::string(kPolicyGroupKeys[i]));
        json.Field("title", post.cabinetTitle);
        json.Key("minister");
        if (post.minister)
            json.Value(post.minister->fullName);
        else
            json.Null();
        json.EndObject();
    }
    json.EndArray();
    json.Key("ministers");
    json.BeginArray();
    for (SIM_Minister* minister : cabinet.ministers)
        if (minister->HasPost())
            WriteMinister(json, *minister);
    json.EndArray();
    json.EndObject();

    json.Key("candidates");
    json.BeginArray();
    for (SIM_Minister* minister : cabinet.ministers)
        if (!minister->HasPost())
            WriteMinister(json, *minister);
    json.EndArray();
}

void WriteGrudges(JsonWriter& json) {
    json.Key("grudges");
    json.BeginArray();
    for (const SIM_Grudge* grudge : AllGrudges()) {
        GrudgeRecord record = CaptureGrudge(*grudge);
        JsonFields fields;
        Visit(fields, record);
        // The holder as the grudge was made, and the node it is about (none for a script's own).
        fields.Extra("holder", [grudge](JsonWriter& out) { out.Value(grudge->holderName); });
        fields.Extra("target", [grudge](JsonWriter& out) {
            if (grudge->target)
                out.Value(std::string(grudge->target->name));
            else
                out.Null();
        });
        json.BeginObject();
        fields.WriteTo(json, {"name", "shownName", "holder", "target", "value", "decay", "age"});
        json.EndObject();
    }
    json.EndArray();
}

void WriteCynicism(JsonWriter& json) {
    WriteSection(json, "cynicism", GetCynicism(), {"level"});
}

void WriteAchievements(JsonWriter& json) {
    json.Key("achievements");
    json.BeginArray();
    for (const Achievement& achievement : GetAchievements()) {
        json.BeginObject();
        json.Field("name", achievement.key);
        json.Field("awarded", achievement.achieved);
        json.EndObject();
    }
    json.EndArray();
}

void WritePolicyFields(JsonWriter& json, SIM_Policy& policy) {
    json.Field("implementation", policy.implementation);
    json.Field("sliderTarget", policy.GetTarget());
    json.Field("introduced", policy.active);
    json.Field("cost", policy.active ? policy.GetPolicyCost() : 0.0f);
    json.Field("income", policy.active ? policy.GetPolicyIncome() : 0.0f);
    json.Key("capitalCosts");
    json.BeginObject();
    json.Field("introduce", static_cast<int>(policy.introduceCost));
    json.Field("cancel", static_cast<int>(policy.cancelCost));
    json.Field("raise", static_cast<int>(policy.raiseCost));
    json.Field("lower", static_cast<int>(policy.lowerCost));
    json.EndObject();
}

// Plain neurons stand twice in the processing order; the document lists every node once, at
// its first place. Voters are summed up under "voters" instead: thousands of anonymous nodes
// would bury everything else.
void WriteNodes(JsonWriter& json) {
    json.Key("nodes");
    json.BeginArray();
    std::unordered_set<const Neuron*> seen;
    for (Neuron* neuron : AllNeurons()) {
        if (neuron->typeCode == NeuronType::Voter || !seen.insert(neuron).second)
            continue;
        json.BeginObject();
        json.Field("name", std::string(neuron->name));
        json.Field("type", NeuronTypeCode(neuron->typeCode));
        json.Field("value", neuron->value);
        json.Field("active", neuron->active);
        if (neuron->typeCode == NeuronType::Policy)
            WritePolicyFields(json, static_cast<SIM_Policy&>(*neuron));
        json.FloatArray("history", neuron->history, kNeuronHistoryLength);
        json.EndObject();
    }
    json.EndArray();
}

} // namespace

std::string GameStateJson() {
    JsonWriter json;
    json.BeginObject();
    WriteTurn(json);
    WriteMission(json);
    WriteFinances(json);
    WriteVoters(json);
    WriteVoterGroups(json);
    WriteParties(json);
    WriteElection(json);
    WriteManifesto(json);
    WriteCabinet(json);
    WriteGrudges(json);
    WriteCynicism(json);
    WriteAchievements(json);
    WriteHappeningsJson(json);
    WriteNodes(json);
    json.EndObject();
    return json.Text();
}
