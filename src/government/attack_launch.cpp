#include "government/attack_launch.h"

#include "base/front_end.h"
#include "base/random.h"
#include "government/script_runner.h"
#include "population/attack.h"

#include <vector>

namespace {

void RunIfAny(const std::string& script) {
    if (!script.empty())
        RunScript(script);
}

} // namespace

bool LaunchAttack(SIM_AttackEvent& attack) {
    bool succeeded = attack.Attempt();
    if (succeeded) {
        RunIfAny(attack.onSuccess);
        const AttackOutcome* outcome = LastAttackOutcome();
        if (outcome && !outcome->shownText.empty())
            GetFrontEnd().OpenAttackWindow(attack.name);
    } else {
        RunIfAny(attack.onFailure);
    }
    return succeeded;
}

void LaunchQueuedAttack() {
    const std::vector<SIM_AttackEvent*>& queue = QueuedAttacks();
    if (queue.empty())
        return;
    SIM_AttackEvent* chosen = queue[RandomIndex(static_cast<int>(queue.size()))];
    ClearAttackQueue();
    LaunchAttack(*chosen);
}
