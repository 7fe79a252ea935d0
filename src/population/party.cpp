#include "population/party.h"

#include "base/debug_log.h"
#include "base/ini_section.h"
#include "base/mission.h"
#include "base/random.h"
#include "population/population_state.h"
#include "population/voter.h"

#include <algorithm>

namespace {

// The names parties draw from: a table of the run, read at start-up and again for each game.
std::vector<std::string> g_partyNames;

bool IsLiveParty(const SIM_Party* party) {
    const std::vector<SIM_Party*>& parties = Population().parties;
    return party && std::find(parties.begin(), parties.end(), party) != parties.end();
}

} // namespace

void MovePartyMember(SIM_Voter* voter, SIM_Party* from, SIM_Party* to) {
    if (IsLiveParty(from))
        from->RemoveMember(voter);
    if (IsLiveParty(to))
        to->AddMember(voter);
}

float PartyMembershipStrength(const SIM_Party* party) {
    return IsLiveParty(party) ? party->membershipStrength : 0.5f;
}

SIM_Party::SIM_Party() {
    // The share node belongs to the party, not to the network's teardown.
    shareNode.MarkEmbedded();
    PopulationState& population = Population();
    objectId = population.nextObjectId++;
    population.parties.push_back(this);
}

SIM_Party::~SIM_Party() {
    PopulationState& population = Population();
    std::vector<SIM_Party*>& parties = population.parties;
    parties.erase(std::remove(parties.begin(), parties.end(), this), parties.end());
    // Only voters still in the list are alive; the member list may name some that are gone.
    for (SIM_Voter* voter : AllVoters())
        if (voter->party == this)
            voter->party = nullptr;
    if (population.playerParty == this)
        population.playerParty = nullptr;
    if (population.oppositionParty == this)
        population.oppositionParty = nullptr;
}

void SIM_Party::AddMember(SIM_Voter* voter) {
    members.push_back(voter);
}

void SIM_Party::RemoveMember(SIM_Voter* voter) {
    members.erase(std::remove(members.begin(), members.end(), voter), members.end());
}

void SIM_Party::UpdateTurn() {
    int voters = VoterCount();
    int n = MemberCount();
    if (voters > 0) {
        float strength = static_cast<float>(n) / (static_cast<float>(voters) / 5.0f);
        membershipStrength = std::min(1.0f, std::max(0.0f, strength));
        shareNode.SetBaseOffset(static_cast<float>(n) / static_cast<float>(voters));
    } else {
        membershipStrength = 0.0f;
        shareNode.SetBaseOffset(0.0f);
    }
    if (lastMemberCount > n)
        status = kPartyShrinking;
    else if (lastMemberCount < n)
        status = kPartyGrowing;
    else
        status = kPartySteady;
    lastMemberCount = n;
}

void ClearParties() {
    std::vector<SIM_Party*>& parties = Population().parties;
    while (!parties.empty())
        delete parties.back();
    Population().playerParty = nullptr;
    Population().oppositionParty = nullptr;
}

void LoadPartyNames() {
    g_partyNames.clear();
    CIniSection section;
    section.Load(kPartyNamesSection, kPartyNamesFile);
    for (const CIniSection::Entry& entry : section.Entries())
        g_partyNames.push_back(entry.key);
}

const std::vector<std::string>& GetPartyNames() {
    return g_partyNames;
}

std::string GetRandomPartyName() {
    if (g_partyNames.empty())
        return "error";
    return g_partyNames[RandomIndex(static_cast<int>(g_partyNames.size()))];
}

void SetupParties() {
    ClearParties();
    LoadPartyNames();

    PopulationState& population = Population();
    SIM_Party* player = population.playerParty = new SIM_Party();
    player->shareNode.SetName(kPlayersPartyNode);
    SIM_Party* opposition = population.oppositionParty = new SIM_Party();

    const CMission& mission = GetMission();
    player->partyName = mission.partyName.empty() ? GetRandomPartyName() : mission.partyName;
    // Two parties of one name would make every result unreadable, so a clash is renamed; the
    // random pick itself may still repeat the player's name.
    bool distinct = !mission.oppositionName.empty() && mission.oppositionName != player->partyName;
    opposition->partyName = distinct ? mission.oppositionName : GetRandomPartyName();
    LogF("Parties: %s against %s", player->partyName.c_str(), opposition->partyName.c_str());
}

SIM_Party* GetPlayersParty() {
    ASSERT(Population().playerParty);
    return Population().playerParty;
}

SIM_Party* GetOpposition() {
    ASSERT(Population().oppositionParty);
    return Population().oppositionParty;
}

const std::vector<SIM_Party*>& AllParties() {
    return Population().parties;
}

void UpdateParties() {
    for (SIM_Party* party : Population().parties)
        party->UpdateTurn();
}
