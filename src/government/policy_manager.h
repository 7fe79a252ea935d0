#pragma once
// SIM_PolicyManager: owns every policy and the seven policy groups. It loads the policy rows,
// links them once the network exists, introduces the policies every game starts with and runs
// the per-turn policy steps for the turn pipeline.

#include "base/game_subsystem.h"
#include "government/policy_group.h"

#include <string>
#include <vector>

class SIM_Policy;

class SIM_PolicyManager : public GameSubsystem {
public:
    ~SIM_PolicyManager() override;

    // Destroys every policy, front first, and forgets the groups' members and ministers.
    void Release() override;

    // Sets up the seven groups, the slider configurations, then the standard policy rows and the
    // user's mod rows, in that order.
    void LoadPolicies();
    // Once the network exists: LinkPolicy on every policy in load order.
    void LinkAllPolicies();
    // A new game begins with every uncancellable policy introduced and fully implemented.
    void IntroduceUncancellables();
    // The turn's implementation step of each introduced policy.
    void AdvanceAllImplementations();
    // First-turn step of a new game. Caps pressure group strengths once those groups exist;
    // there are none yet, so it does nothing.
    void CapGroupStrengths();

    // The group with exactly this key; null when none of the seven has it.
    SIM_PolicyGroup* FindGroup(const char* key);
    SIM_PolicyGroup& Group(int index) { return groups[index]; }
    // The first policy with exactly this name; null when there is none.
    SIM_Policy* FindPolicy(const std::string& policyName) const;

    // Every policy in load order (standard rows, then mods), and the introduced ones in order of
    // introduction. The finances and the interface walk both.
    const std::vector<SIM_Policy*>& AllPolicies() const { return allPolicies; }
    const std::vector<SIM_Policy*>& IntroducedPolicies() const { return introducedPolicies; }

    // Bookkeeping of the policies themselves.
    void AddPolicy(SIM_Policy* policy);
    void NoteIntroduced(SIM_Policy* policy);
    void NoteCancelled(SIM_Policy* policy);
    // Drops every reference to a policy that is being destroyed.
    void Forget(SIM_Policy* policy);

    // Open to the finances and the interface, which walk them in order; only the policies and
    // the manager change them.
    SIM_PolicyGroup groups[kPolicyGroupCount];
    std::vector<SIM_Policy*> allPolicies;
    std::vector<SIM_Policy*> introducedPolicies;
};

// The policy manager of the game in play.
SIM_PolicyManager& GetPolicyManager();

// Group lookup by key over the manager's seven groups.
SIM_PolicyGroup* FindGroup(const char* key);

// Called by a policy's destructor: whoever frees the policy first (the manager's Release or the
// network's teardown), no list is left pointing at it.
void ForgetPolicy(SIM_Policy* policy);
