#include "population/party.h"

#include "base/debug_log.h"
#include "base/ini_section.h"
#include "base/mission.h"
#include "base/random.h"
#include "population/voter.h"

#include <algorithm>

namespace {

std::vector<SIM_Party*> g_parties;
std::vector<std::string> g_partyNames;
// Identity of the objects a saved game refers to; parties take theirs in creation order.
int32_t g_nextObjectId = 1;

bool IsLiveParty(const SIM_Party* party) {
    return party && std::find(g_parties.begin(), g_parties.end(), party) != g_parties.end();
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
    objectId = g_nextObjectId++;
    g_parties.push_back(this);
}

SIM_Party::~SIM_Party() {
    g_parties.erase(std::remove(g_parties.begin(), g_parties.end(), this), g_parties.end());
    // Only voters still in the list are alive; the member list may name some that are gone.
    for (SIM_Voter* voter : AllVoters())
        if (voter->party == this)
            voter->party = nullptr;
    if (g_playerParty == this)
        g_playerParty = nullptr;
    if (g_oppositionParty == this)
        g_oppositionParty = nullptr;
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
    while (!g_parties.empty())
        delete g_parties.back();
    g_playerParty = nullptr;
    g_oppositionParty = nullptr;
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

    g_playerParty = new SIM_Party();
    g_playerParty->shareNode.SetName(kPlayersPartyNode);
    g_oppositionParty = new SIM_Party();

    const CMission& mission = GetMission();
    g_playerParty->partyName = mission.partyName.empty() ? GetRandomPartyName() : mission.partyName;
    // Two parties of one name would make every result unreadable, so a clash is renamed; the
    // random pick itself may still repeat the player's name.
    bool distinct =
        !mission.oppositionName.empty() && mission.oppositionName != g_playerParty->partyName;
    g_oppositionParty->partyName = distinct ? mission.oppositionName : GetRandomPartyName();
    LogF("Parties: %s against %s", g_playerParty->partyName.c_str(),
         g_oppositionParty->partyName.c_str());
}

SIM_Party* GetPlayersParty() {
    ASSERT(g_playerParty);
    return g_playerParty;
}

SIM_Party* GetOpposition() {
    ASSERT(g_oppositionParty);
    return g_oppositionParty;
}

const std::vector<SIM_Party*>& AllParties() {
    return g_parties;
}

void UpdateParties() {
    for (SIM_Party* party : g_parties)
        party->UpdateTurn();
}
