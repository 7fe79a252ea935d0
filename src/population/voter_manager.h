#pragma once
// SIM_VoterManager: loads the voter groups (mods first, then the standard table), creates the
// voting population of a new game and runs the per-turn passes over groups and voters.

#include "base/game_subsystem.h"

#include <string>
#include <vector>

class SIM_Voter;
class SIM_VoterType;
struct VoterContext;

// At most this many voter groups come from the user's mods folder.
constexpr size_t kMaxModdedVoterTypes = 3;
// Population creation reports progress after every so many voters.
constexpr int kVoterProgressStep = 51;

class SIM_VoterManager : public GameSubsystem {
public:
    // Groups and voters live on across a release; Initialise and CreateVotingPopulation replace
    // them.
    void Release() override {}

    // Loads the voter groups: mods first, then the standard table; resolves opposites and finds
    // the three income classes.
    void Initialise();
    // Creates N voters, offers each every group, assigns the starting members group by group and
    // draws incomes.
    void CreateVotingPopulation();
    // Links the voter to every group with a strength below the membership threshold.
    void OfferAllVoterTypes(SIM_Voter* voter);

    // The turn's steps over the population, in list order; a pass over the voters takes what
    // they know of the government from its caller.
    void UpdateVoters(const VoterContext& context);
    void UpdateVoterTypes();
    void UpdateVoteShares();
    // First-turn state of a new game: ten sympathy steps for every voter at once.
    void InitialiseSympathies(const VoterContext& context);

    SIM_VoterType* FindVoterType(const std::string& name) const;
    SIM_VoterType* GetVoterTypeByIndex(int index) const;
    // Any group but "_All_"; null when there is no such group.
    SIM_VoterType* GetRandomVoterType() const;
    int VoterTypeCount() const { return static_cast<int>(voterTypes.size()); }
    const std::vector<SIM_VoterType*>& VoterTypes() const { return voterTypes; }

    void DeleteAllVoterTypes();
    void DeleteAllVoters();

    // N: "AIENTITIES" truncated, taken when Initialise or CreateVotingPopulation runs.
    int GetVoterTotal() const { return voterTotal; }
    void SetVoterTotal(int total) { voterTotal = total; }

    SIM_VoterType* GetPoor() const { return poor; }
    SIM_VoterType* GetMiddleIncome() const { return middleIncome; }
    SIM_VoterType* GetWealthy() const { return wealthy; }

    // Bookkeeping of the groups themselves.
    void AddVoterType(SIM_VoterType* voterType);
    void ForgetVoterType(SIM_VoterType* voterType);

private:
    void LoadModdedVoterTypes();
    void LoadStandardVoterTypes();
    // Constructs a group from a row; a rejected row leaves no group behind.
    SIM_VoterType* CreateVoterType(const std::string& row);

    std::vector<SIM_VoterType*> voterTypes;
    SIM_VoterType* poor = nullptr;
    SIM_VoterType* middleIncome = nullptr;
    SIM_VoterType* wealthy = nullptr;
    int voterTotal = 0;
};

// The voter manager of the game in play.
SIM_VoterManager& GetVoterManager();
// The same, or null when no game is in play.
SIM_VoterManager* FindVoterManager();

// The polls: the fraction of all voters who would vote for the government, 0.5 while there is
// no population.
float GetVoteShare(const VoterContext& context);
