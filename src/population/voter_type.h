#pragma once
// SIM_VoterType: one voter group of the electorate (the poor, parents, motorists…). Its value is
// the group's mood towards the government; it also owns a percentage node (the share of voters
// who belong) and a frequency node (which the network drives to push voters in or out), and it
// keeps the list of its member voters.

#include "network/neuron.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class SIM_Voter;

// A policy link into a group whose output falls below this bears a grudge.
constexpr float kGrudgeTriggerOutput = -0.7f;
constexpr float kGrudgeStartValue = -0.1f;
constexpr float kGrudgeDecay = 0.9f;

// Longest correlation cell of a data row; longer ones make the row corrupt.
constexpr size_t kMaxCorrelationCell = 31;

class SIM_VoterType : public Neuron {
public:
    // Appends itself to the voter manager's list; the two own nodes join the network registry.
    SIM_VoterType();
    // Leaves the manager's list. While the game runs it also lets go of its members (both sides);
    // during a wholesale teardown it touches nothing but its own lists.
    ~SIM_VoterType() override;

    // Fills the record from one comma-separated data row. False when the row must not be used
    // (a name, shown name or correlation cell too long to hold); the caller destroys the group.
    bool Parse(const std::string& row);
    void SetStartShare(float share);
    void ResolveOpposite();

    float GetCorrelation(const SIM_VoterType* other) const;
    // Members divided by the number of voters N; 0 when N is 0.
    float GetMemberShare() const;
    int MemberCount() const { return static_cast<int>(members.size()); }

    // One side of the membership only; callers update the voter's side too.
    void AddMember(SIM_Voter* voter);
    void RemoveMember(SIM_Voter* voter);
    // The one place a voter's tie to this group is set: the link's scale becomes strength, and
    // the voter is a member exactly when strength exceeds the membership threshold.
    void SetMembership(SIM_Voter* voter, float strength);
    // Every group's members and every voter's groups exactly as listed, in the listed orders (a
    // saved game's): all memberships of these voters and groups are replaced.
    static void RestoreMemberships(const std::vector<SIM_Voter*>& voters,
                                   const std::vector<SIM_VoterType*>& types,
                                   const std::vector<std::vector<int32_t>>& membersOfType,
                                   const std::vector<std::vector<int32_t>>& typesOfVoter);
    // Picks the starting members among all voters, by correlation with earlier groups and chance.
    void AssignInitialMembers();

    // Per-turn step: percentage node, grudges against hurtful policies, membership trend.
    void UpdateTurn();
    // Recomputes the vote shares of the members from their last votes.
    void UpdateVoteShares();
    // The mood as a 0 … 1 approval.
    float GetApproval() const;

    // Accessors.
    const std::vector<std::pair<std::string, float>>& GetCorrelations() const {
        return correlations;
    }
    const std::string& GetDescription() const { return description; }
    const std::vector<SIM_Voter*>& GetMembers() const { return members; }
    SIM_VoterType* GetOpposite() const { return opposite; }
    const std::string& GetOppositeName() const { return oppositeName; }
    Neuron& GetPercentNode() { return percentNode; }
    Neuron& GetFrequencyNode() { return frequencyNode; }
    const std::string& GetExtraText() const { return extraText; }
    int32_t GetMembershipTrend() const { return membershipTrend; }
    int32_t GetLastMemberCount() const { return lastMemberCount; }
    int32_t GetMemberChange() const { return memberChange; }
    const std::string& GetPicture() const { return picture; }
    bool HasFixedMembership() const { return fixedMembership; }
    float GetPlayerShareOfVotes() const { return playerShareOfVotes; }
    float GetTurnoutShare() const { return turnoutShare; }

    std::vector<std::pair<std::string, float>> correlations;
    std::string description;
    // Order is not meaningful: removal moves the last member into the gap.
    std::vector<SIM_Voter*> members;
    SIM_VoterType* opposite = nullptr;
    std::string oppositeName;
    Neuron percentNode;
    Neuron frequencyNode;
    std::string extraText;
    int32_t membershipTrend = 1;
    int32_t lastMemberCount = -1;
    int32_t memberChange = 0;
    std::string picture;
    bool fixedMembership = false;
    float playerShareOfVotes = 0.0f;
    float turnoutShare = 0.0f;

private:
    friend class SIM_Voter;
    void RemoveMemberAt(uint32_t index);
    // This group's bit in each voter's membership mask; -1 when all bits are taken (more groups
    // than bits), and voters then search their list.
    int32_t memberBit = -1;
    // SetMembership once the voter's link from this group (null: none yet) is known.
    void ApplyMembership(SIM_Voter* voter, float strength, NeuralEffect* link, float threshold);
};
