#include "population/attack.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/ini_section.h"
#include "base/random.h"
#include "base/turn.h"
#include "network/network_state.h"
#include "network/neuron.h"
#include "population/population_state.h"
#include "population/pressure_group.h"

#include <algorithm>

namespace {

// A chance of 1 is certain: the draw alone could miss at its very top.
bool RandomChance(float p) {
    return Chance(p) || p >= 1.0f;
}

} // namespace

void SIM_AttackEvent::Load(const std::string& file) {
    ContentPlace place(file, 0);
    CIniSection config;
    config.Load(kAttackSection, file);
    name = config.GetString("Name");
    guiName = config.GetString("GUIName");
    successText = config.GetString("SuccessText");
    failureText = config.GetString("FailureText");
    onSuccess = config.GetString("OnSuccess");
    onFailure = config.GetString("OnFailure");
    successChance = config.GetFloat("SuccessChance", 0.0f);
    cost = config.GetFloat("Cost", 0.0f);
    minStrength = config.GetFloat("MinStrength", 0.0f);
    minSize = config.GetInt("MinSize");
    const std::string& groupName = config.GetString("UsedBy");
    usedBy = LookupPressureGroup(groupName);
    if (!usedBy) {
        LogF("attack %s is used by an unknown pressure group '%s'", name.c_str(),
             groupName.c_str());
        ASSERT(false);
    }
}

bool SIM_AttackEvent::CanAttack() const {
    if (!usedBy)
        return false;
    return GetTurnNumber() - lastTrigger >= kAttackRepeatTurns && usedBy->strength >= minStrength &&
           usedBy->MemberCount() >= minSize;
}

bool SIM_AttackEvent::Attempt() {
    PopulationState& population = Population();
    AttackOutcome& outcome = population.lastAttack;
    lastTrigger = GetTurnNumber();
    outcome = AttackOutcome();
    outcome.name = name;
    outcome.guiName = guiName;
    outcome.turn = lastTrigger;
    population.hasAttackOutcome = true;

    bool succeeded = false;
    if (RandomChance(successChance)) {
        float security = Network().securityNeuron ? Network().securityNeuron->value : 0.0f;
        security = std::min(security, kAttackSecurityCap);
        if (Chance(security))
            outcome.foiled = true;
        else
            succeeded = true;
    }
    outcome.succeeded = succeeded;
    LogF("attack %s on turn %d: %s", name.c_str(), static_cast<int>(lastTrigger),
         succeeded ? "succeeded" : (outcome.foiled ? "foiled by security" : "failed"));

    if (succeeded && successText.size() > kAttackShortText)
        outcome.shownText = successText;
    return succeeded;
}

void LoadAttacks() {
    ReleaseAttacks();
    CFileList files;
    files.Scan(kAttackPattern);
    for (const std::string& file : files.Names()) {
        SIM_AttackEvent* attack = new SIM_AttackEvent();
        attack->Load(std::string(kAttackFolder) + file);
        Population().attacks.push_back(attack);
    }
}

void ReleaseAttacks() {
    PopulationState& population = Population();
    population.attackQueue.clear();
    for (SIM_AttackEvent* attack : population.attacks)
        delete attack;
    population.attacks.clear();
    population.lastAttack = AttackOutcome();
    population.hasAttackOutcome = false;
}

SIM_AttackEvent* FindAttack(const std::string& name) {
    for (SIM_AttackEvent* attack : Population().attacks)
        if (attack->name == name)
            return attack;
    REPORT_ERROR("Failed to find attack event");
    return nullptr;
}

void QueueAttack(SIM_AttackEvent* attack) {
    ASSERT(attack);
    if (attack)
        Population().attackQueue.push_back(attack);
}

void ClearAttackQueue() {
    Population().attackQueue.clear();
}

const std::vector<SIM_AttackEvent*>& AllAttacks() {
    return Population().attacks;
}

const std::vector<SIM_AttackEvent*>& QueuedAttacks() {
    return Population().attackQueue;
}

void RestoreLastAttackOutcome(const AttackOutcome& outcome) {
    Population().lastAttack = outcome;
    Population().hasAttackOutcome = true;
}

const AttackOutcome* LastAttackOutcome() {
    PopulationState& population = Population();
    return population.hasAttackOutcome ? &population.lastAttack : nullptr;
}
