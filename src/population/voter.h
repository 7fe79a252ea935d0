#pragma once
// SIM_Voter: one simulated voter. Its inputs are the voter groups it was offered (only the groups
// it belongs to count); from its value it forms an opinion of the government, builds sympathy for
// a party, may join one, grows complacent in good times and casts its vote at elections.

#include "network/neuron.h"

#include <cstdint>
#include <limits>
#include <vector>

class SIM_Party;
class SIM_PressureGroup;
class SIM_Voter;
class SIM_VoterType;

// lastVote codes.
constexpr int32_t kVotePlayer = 0;
constexpr int32_t kVoteOpposition = 1;
constexpr int32_t kVoteNone = 2;

// Election-time opinion penalty applies while fewer months than this remain.
constexpr int kManifestoPenaltyMonths = 10;

// What the voters know of the government during one pass over them. The population cannot look
// upwards, so whoever starts a pass builds this once (government/voter_context.h reads it from the
// game in play). The default is a government the voters know nothing about: no cynicism, no
// election in sight, the manifesto kept.
struct VoterContext {
    float cynicismLevel = 0.0f;
    // Calendar months to the next election; an unscheduled one is too far off to matter.
    int monthsUntilElection = std::numeric_limits<int>::max();
    // Read only while the election is near enough for the penalty.
    bool manifestoBroken = false;
};

// The setup constants the voter rules read. A whole pass over the population reads them once
// (the table cannot change within a pass); single calls read them afresh.
struct VoterTuning {
    float membershipThreshold = 0.0f;
    float complacencyAccumulator = 0.0f;
    float complacencyMax = 0.0f;
    float manifestoPenalty = 0.0f;
    float oppositionIncreaseBelow = 0.0f;
    float oppositionDecreaseAbove = 0.0f;
    float oppositionGain = 0.0f;
    float oppositionDecay = 0.0f;
    float oppositionJoin = 0.0f;
    float oppositionLeave = 0.0f;
    float playerIncreaseAbove = 0.0f;
    float playerDecreaseBelow = 0.0f;
    float playerGain = 0.0f;
    float playerDecay = 0.0f;
    float playerJoin = 0.0f;
    float playerLeave = 0.0f;
    float poorThreshold = 0.0f;
    float wealthyThreshold = 0.0f;
    float wealthyMax = 0.0f;
    // Whole-game context, fixed for a pass.
    bool politicalApathy = false;
    bool compulsoryVoting = false;
    // Opinion terms shared by every voter in a pass: national cynicism and the manifesto penalty
    // (0 unless an election is near and the manifesto broken).
    float cynicismLevel = 0.0f;
    float opinionPenalty = 0.0f;

    // Reads every constant from the setup table, the modules from the mission and the opinion
    // terms from the context.
    static VoterTuning Read(const VoterContext& context = VoterContext());
};

// While set, voters use this instead of reading the table; a VoterPass sets it.
void SetActiveVoterTuning(const VoterTuning* tuning);
const VoterTuning* GetActiveVoterTuning();

// One pass over the population: the tuning is read once, with the caller's context, and is the
// voters' tuning until the pass ends, when whatever was active before comes back. A voter asked
// outside any pass reads the table afresh with the default context.
class VoterPass {
public:
    explicit VoterPass(const VoterContext& context = VoterContext());
    ~VoterPass();
    VoterPass(const VoterPass&) = delete;
    VoterPass& operator=(const VoterPass&) = delete;
    const VoterTuning& Tuning() const { return tuning; }

private:
    VoterTuning tuning;
    const VoterTuning* previous;
};

class SIM_Voter : public Neuron {
public:
    // Draws militancy, gender and forename, surname, voting tendency and cynicism, and appends the
    // voter to the global voter list.
    SIM_Voter();
    // Leaves the global list. While the game runs it also leaves its voter groups, its party and
    // its pressure groups.
    ~SIM_Voter() override;

    // Only links from groups the voter belongs to count; links from anything else always do.
    bool AcceptsInput(NeuralEffect* effect) override;

    // Opinion of the government, 0 … 1.
    float GetOpinion();
    // The opinion held above 0.5 by the player's party members and below by the opposition's.
    float GetVotingOpinion();
    bool WouldVoteForPlayer();

    // The per-turn step: group drift, pressure groups, sympathies, income class, complacency.
    void UpdateTurn();
    void UpdateSympathies(int steps);
    void InitIncome();
    void UpdateIncomeClass();
    void UpdatePressureGroups();

    void CalculateTurnoutChance();
    void CastVote();

    float GetAffinity(const SIM_VoterType* voterType) const;
    float GetStrength(const SIM_VoterType* voterType) const;
    bool IsMemberOf(const SIM_VoterType* voterType) const;
    void AddVoterType(SIM_VoterType* voterType);
    void RemoveVoterType(SIM_VoterType* voterType);
    // Joins a group reached with effective strength s, unless the voter holds the group's opposite
    // at least as strongly.
    void JoinVoterType(SIM_VoterType* voterType, float strength);
    // Changes the party; the parties' member lists follow.
    void SetParty(SIM_Party* newParty);

    // The voter's input link from a voter group (first one), or null.
    NeuralEffect* FindVoterTypeLink(const SIM_VoterType* voterType) const;

    std::vector<SIM_PressureGroup*> pressureGroups;
    // Changed only through AddVoterType and RemoveVoterType, which keep the membership bits.
    std::vector<SIM_VoterType*> voterTypes;
    int32_t forenameId = 0;
    int32_t surnameId = 0;
    int32_t gender = 0;
    SIM_Party* party = nullptr;
    float oppositionSympathy = 0.0f;
    float playerSympathy = 0.0f;
    float votingTendency = 0.0f;
    float turnoutChance = 0.0f;
    float militancy = 0.0f;
    int32_t lastVote = kVoteNone;
    float income = 0.0f;
    float cynicism = 0.0f;
    float complacency = 0.0f;

private:
    friend class SIM_VoterType;
    friend void CompactVoterList();
    // Where this voter sits in each group's member list (one entry per list entry), so that a
    // group drops a member without searching its whole list.
    struct MemberSlot {
        SIM_VoterType* voterType;
        uint32_t index;
    };
    std::vector<MemberSlot> memberSlots;
    // Position in the global voter list.
    uint32_t listIndex = 0;
    // One bit per group (SIM_VoterType::memberBit) mirroring voterTypes, so that the membership
    // test every link of every voter asks each turn costs no search.
    uint64_t memberMask = 0;

    void LeaveVoterType(SIM_VoterType* voterType);
    float OpinionWith(const VoterTuning& tuning);
    void UpdateSympathiesWith(int steps, const VoterTuning& tuning);
    void UpdateIncomeClassWith(const VoterTuning& tuning);
};

// Every live voter in creation order. Elections, polls, parties and pressure groups walk it.
const std::vector<SIM_Voter*>& AllVoters();
int VoterCount();
