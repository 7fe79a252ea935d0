#pragma once
// SIM_Party: one of the two parties, the player's and the opposition. Voters join and leave them
// by sympathy; a party keeps its member list, how strong its membership is (which draws its
// supporters to the polls) and a node carrying its share of the electorate for content to read.

#include "network/neuron.h"

#include <cstdint>
#include <string>
#include <vector>

class SIM_Voter;

inline constexpr const char kPartyNamesFile[] = "data/simulation/partynames.txt";
inline constexpr const char kPartyNamesSection[] = "names";
// The name of the player's party's share node, which content links from.
inline constexpr const char kPlayersPartyNode[] = "PlayersParty";

// Membership trend of a party since its previous update.
constexpr int32_t kPartyGrowing = 0;
constexpr int32_t kPartyShrinking = 1;
constexpr int32_t kPartySteady = 2;

class SIM_Party {
public:
    // Joins the party list and takes the next object id.
    SIM_Party();
    // Leaves the party list; live voters that still name this party are left without one.
    virtual ~SIM_Party();
    SIM_Party(const SIM_Party&) = delete;
    SIM_Party& operator=(const SIM_Party&) = delete;

    void AddMember(SIM_Voter* voter);
    // Removes every entry of the voter.
    void RemoveMember(SIM_Voter* voter);
    int MemberCount() const { return static_cast<int>(members.size()); }

    // Per-turn step: membership strength, share node and trend, from the member count.
    void UpdateTurn();

    std::string partyName;
    std::vector<SIM_Voter*> members;
    // 1.0 once a fifth of all voters are members.
    float membershipStrength = 0.5f;
    int32_t objectId = 0;
    Neuron shareNode;
    int32_t status = kPartySteady;
    int32_t lastMemberCount = 0;
};

// Destroys any parties, reads the party names afresh, creates the player's party (its share node
// named "PlayersParty") and the opposition, and names them from the mission's choices. Run at each
// new game and load.
void SetupParties();
// Destroys both parties; the global party pointers become null.
void ClearParties();

SIM_Party* GetPlayersParty();
SIM_Party* GetOpposition();
const std::vector<SIM_Party*>& AllParties();

// A voter has changed its party (either side may be null): the member lists of the live parties
// follow. A pointer that names no live party is passed over.
void MovePartyMember(SIM_Voter* voter, SIM_Party* from, SIM_Party* to);
// The membership strength (0 … 1) the turnout rule reads; a party that does not exist (yet)
// stands where every new party starts, at 0.5.
float PartyMembershipStrength(const SIM_Party* party);

// Every party's turn step, in creation order.
void UpdateParties();

// Replaces the party names with the keys of section "names" of the party-name file, in file
// order.
void LoadPartyNames();
const std::vector<std::string>& GetPartyNames();
// A uniform pick from the party names; "error" when there are none.
std::string GetRandomPartyName();
