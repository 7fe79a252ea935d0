#pragma once
// The population's part of the game in play: the voters, the parties, the pressure groups with
// their attacks, the grudges and the voter manager with its groups.

#include "base/game_part.h"
#include "population/attack.h"
#include "population/voter_manager.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class SIM_Grudge;
class SIM_Party;
class SIM_PressureGroup;
class SIM_Voter;
struct VoterTuning;

struct PopulationState {
    // Every voter in creation order. A destroyed voter leaves a gap that the next reader of the
    // list closes, so tearing down a large population costs one pass, not one pass per voter.
    std::vector<SIM_Voter*> voters;
    size_t voterGaps = 0;
    // The tuning of the pass over the voters under way, if any (VoterPass).
    const VoterTuning* activeTuning = nullptr;
    // Membership bits held by live voter groups.
    uint64_t takenMemberBits = 0;

    // Both parties in creation order, and which is which; null while there are none.
    std::vector<SIM_Party*> parties;
    SIM_Party* playerParty = nullptr;
    SIM_Party* oppositionParty = nullptr;
    // Identity of the objects a saved game refers to; parties take theirs in creation order.
    int32_t nextObjectId = 1;

    // The three turnout multipliers, read by the election code when a game starts or is loaded.
    float votingOpinionMultiplier = 0.0f;
    float votingTendencyMultiplier = 0.0f;
    float votingPartyMultiplier = 0.0f;

    std::vector<SIM_PressureGroup*> pressureGroups;
    std::vector<SIM_AttackEvent*> attacks;
    // This turn's queued attacks, and what the last attempt came to.
    std::vector<SIM_AttackEvent*> attackQueue;
    AttackOutcome lastAttack;
    bool hasAttackOutcome = false;

    // Every live grudge in creation order.
    std::vector<SIM_Grudge*> grudges;

    SIM_VoterManager voterManager;
};

inline PopulationState& Population() {
    return GamePart<PopulationState>::Current();
}
