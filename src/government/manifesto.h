#pragma once
// The manifesto: before an election the player may pledge to raise or lower chosen values or to
// cancel chosen policies during the next term. Pledges bind once the election is counted; while
// any binding pledge is unmet the manifesto is broken, and voters punish that near the next
// election.

#include "government/policy_actions.h"

#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char kManifestoFile[] = "data/manifesto.csv";

constexpr int32_t kPledgeRaise = 0;
constexpr int32_t kPledgeLower = 1;
constexpr int32_t kPledgeCancel = 2;

// One promise the player can make (a row of the manifesto table).
struct ManifestoOption {
    std::string title;
    // The name of the node the promise is about; also the option's key.
    std::string targetName;
    // Relative change, 0.1 for ten per cent.
    float amount = 0.0f;
    // An unrecognised kind in the table is read as a raise.
    int32_t kind = kPledgeRaise;
};

struct ManifestoPledge {
    const ManifestoOption* option = nullptr;
    // The target's value when the pledge was made.
    float initial = 0.0f;
};

class SIM_Manifesto {
public:
    SIM_Manifesto() = default;
    virtual ~SIM_Manifesto() = default;
    SIM_Manifesto(const SIM_Manifesto&) = delete;
    SIM_Manifesto& operator=(const SIM_Manifesto&) = delete;

    // Reads the table once at start-up ("Missing manifesto file" when it cannot be opened), then
    // the penalty. The table outlives every game; pledges refer into it, so loading clears them
    // first.
    void LoadOptions();
    // Forgets both lists of pledges; the empty manifesto is kept.
    void Clear();

    // Cancel options need their policy in force; the others are always on offer. A target that
    // is not in the network is logged and never on offer.
    bool IsOptionAvailable(const ManifestoOption& option) const;
    // Pledges the option for the coming term at the target's current value. A target that is
    // gone warns "Failed to find manifesto neuron" and adds nothing; returns whether one was made.
    bool AddPledge(const ManifestoOption& option);
    // The newly made pledges replace the live ones when the election is counted.
    void StartTerm();

    float GetPledgeTarget(const ManifestoPledge& pledge) const;
    // The target's value now; 0 when it is missing or inactive.
    float GetPledgeCurrent(const ManifestoPledge& pledge) const;
    bool IsPledgeKept(const ManifestoPledge& pledge) const;
    // The turn step: kept while every live pledge is met.
    void UpdateKept();
    bool IsKept() const { return kept; }

    const ManifestoOption* FindOption(const std::string& targetName) const;
    // A saved pledge found again by its target; one whose option has left the table reports
    // "Warning - > Manifesto Option not found [&s]" and is dropped. Returns whether it was kept.
    bool RestorePledge(const std::string& targetName, float initial, bool live);

    // "MANIFESTO_BROKEN_PENALTY", as read with the options.
    float BrokenPenalty() const;

    const std::vector<ManifestoPledge>& LivePledges() const { return livePledges; }
    const std::vector<ManifestoPledge>& NextTermPledges() const { return nextTermPledges; }
    const std::vector<ManifestoOption>& Options() const;

private:
    std::vector<ManifestoPledge> livePledges;
    std::vector<ManifestoPledge> nextTermPledges;
    bool kept = true;
};

// The manifesto of the game in play.
SIM_Manifesto& GetManifesto();

// True in the turn in which the player may write the manifesto: exactly one turn before the
// election, with the option "ENABLEMANIFESTO" on and the game not over.
bool ManifestoMayBeChosen();

// The player pledges the option whose target is targetName for the coming term. Refused outside
// the manifesto turn, for an unknown or unavailable option, and for one already pledged.
ActionResult ChoosePledgeAction(const std::string& targetName);
