#include "government/voter_context.h"

#include "government/cynicism.h"
#include "government/election_manager.h"
#include "government/manifesto.h"

VoterContext CurrentVoterContext() {
    VoterContext context;
    context.cynicismLevel = GetCynicism().GetLevel();
    const SIM_ElectionManager& elections = GetElectionManager();
    if (elections.IsScheduled())
        context.monthsUntilElection = elections.MonthsUntilElection();
    // The pledges are weighed only when the penalty could apply.
    context.manifestoBroken =
        context.monthsUntilElection < kManifestoPenaltyMonths && !GetManifesto().IsKept();
    return context;
}
