#pragma once
// SIM_PressureGroup: a protest organisation speaking for up to three voter groups. Unhappy,
// militant voters of those groups join it; members build up its strength, which it spends on
// attacks against the government. Groups are content objects, not network nodes.

#include <cstdint>
#include <string>
#include <vector>

class Neuron;
class SIM_Voter;

inline constexpr const char kPressureGroupsFile[] = "data/simulation/PressureGroups.csv";
// Setup constants.
inline constexpr const char kPressureGroupJoinThrottle[] = "PRESSUREGROUP_JOIN_THROTTLE";
inline constexpr const char kPressureGroupDivisor[] = "PRESSUREGROUP_DIVISOR";
// Translation key of the intelligence report's membership line for a tiny group.
inline constexpr const char kPressureGroupMembershipMinimal[] = "PRESSUREGROUP_MEMBERSHIP_MINIMAL";

constexpr int kPressureGroupRequirements = 3;
constexpr int kPressureGroupTexts = 3;
// Below this many members the report does not estimate the membership.
constexpr int kPressureGroupMinimalMembers = 4;
// A group holds at most this much strength per member.
constexpr float kPressureGroupStrengthPerMember = 4.0f;
// Strength over which the threat bar is measured.
constexpr float kPressureGroupThreatScale = 60.0f;

// trend codes: members compared with the previous update.
constexpr int32_t kPressureTrendMore = 0;
constexpr int32_t kPressureTrendFewer = 1;
constexpr int32_t kPressureTrendSame = 2;

class SIM_PressureGroup {
public:
    // Appends itself to the list of all groups.
    SIM_PressureGroup();
    // Leaves the list. Members are not told: whoever destroys a group clears the voters' side
    // first (ReleasePressureGroups does).
    virtual ~SIM_PressureGroup();
    SIM_PressureGroup(const SIM_PressureGroup&) = delete;
    SIM_PressureGroup& operator=(const SIM_PressureGroup&) = delete;

    // Fills the group from one '#' row of the table. Requirement names that find no node, or a
    // node that is not a voter group, are reported; the row is loaded whatever it holds.
    void Parse(const std::string& row);

    // The voter's weighted ties to the requirement groups sum to more than the join throttle.
    bool Qualifies(const SIM_Voter* voter) const;
    bool QualifiesWith(const SIM_Voter* voter, float throttle) const;
    // One side of the membership only; JoinPressureGroup and LeavePressureGroup do both.
    void AddMember(SIM_Voter* voter);
    // Removes every entry of the voter; each departure costs the group one strength.
    void RemoveMember(SIM_Voter* voter);
    // Removes every entry of a voter who is being destroyed, without the cost of a departure.
    void ForgetMember(const SIM_Voter* voter);
    int MemberCount() const { return static_cast<int>(members.size()); }
    bool HasMember(const SIM_Voter* voter) const;
    // texts[i]; empty outside 0 … 2.
    const std::string& GetText(int index) const;

    // The turn step: activity, strength, the choice of an attack, the membership trend.
    void UpdateTurn();

    // Intelligence report: the membership estimate (or the minimal-membership text) and the
    // threat 0 … 1.
    std::string MembershipText() const;
    float GetThreat() const;

    // Requirement nodes are kept as the row names them. Content may name a node that is not a
    // voter group (reported at load); it still counts through the voters' links from it.
    Neuron* requirementTypes[kPressureGroupRequirements] = {};
    float requirementWeights[kPressureGroupRequirements] = {};
    std::string name;
    std::string guiName;
    float joinBelow = 0.0f;
    float leaveAbove = 0.0f;
    float militancyNeeded = 0.0f;
    float activeBelow = 0.0f;
    std::vector<SIM_Voter*> members;
    float strength = 0.0f;
    float growth = 0.0f;
    int32_t trend = kPressureTrendSame;
    int32_t lastMemberCount = 0;
    // The first requirement node found; a group without one is never active.
    Neuron* primaryType = nullptr;
    bool active = false;
    std::string texts[kPressureGroupTexts];
};

// Every group, in file order.
const std::vector<SIM_PressureGroup*>& AllPressureGroups();

// Destroys every group (and every attack, which refers to them), then creates one group per row
// of kPressureGroupsFile.
void LoadPressureGroups();
// Drops every attack, clears every live voter's group list and destroys every group. The end of
// a game does this too, while the voters still exist.
void ReleasePressureGroups();
// Exact match; "Failed to find group: %s" and null when none matches.
SIM_PressureGroup* FindPressureGroup(const std::string& name);
// The same lookup without a report, for callers that report in their own words.
SIM_PressureGroup* LookupPressureGroup(const std::string& name);

// Both sides of a membership: the group's list and the voter's.
void JoinPressureGroup(SIM_Voter* voter, SIM_PressureGroup* group);
void LeavePressureGroup(SIM_Voter* voter, SIM_PressureGroup* group);

// Every group's turn step in list order; each may queue an attack for LaunchQueuedAttack.
void UpdateAllPressureGroups();
// Holds every group's strength to at most cap (a new game starts no group above 10).
void CapPressureGroupStrengths(float cap);
