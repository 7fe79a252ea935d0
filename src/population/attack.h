#pragma once
// SIM_AttackEvent: a hostile act a pressure group can launch against the government — a protest,
// a strike, worse. Each belongs to one group, costs it strength, and gets through on a chance of
// its own unless the state's security foils it; success and failure each run a script.

#include <cstdint>
#include <string>
#include <vector>

class SIM_PressureGroup;

inline constexpr const char kAttackFolder[] = "data/simulation/attacks/";
inline constexpr const char kAttackPattern[] = "data/simulation/attacks/*.txt";
inline constexpr const char kAttackSection[] = "config";
// Turns that must pass after an attempt before the attack may be queued again.
constexpr int32_t kAttackRepeatTurns = 4;
// Even a perfectly secure state lets one attempt in ten through.
constexpr float kAttackSecurityCap = 0.9f;
// A success text must be longer than this to be shown.
constexpr size_t kAttackShortText = 4;

class SIM_AttackEvent {
public:
    SIM_AttackEvent() = default;
    virtual ~SIM_AttackEvent() = default;
    SIM_AttackEvent(const SIM_AttackEvent&) = delete;
    SIM_AttackEvent& operator=(const SIM_AttackEvent&) = delete;

    // Reads section "config" of one attack file. "UsedBy" naming no group is an assertion
    // failure; the attack then has no group and is never launched.
    void Load(const std::string& file);
    // Four turns since the last attempt, and the group strong and large enough.
    bool CanAttack() const;
    // One attempt now: chance, then security, recorded as the last outcome. True on success.
    // The outcome's scripts act on the government, so LaunchAttack runs them.
    bool Attempt();

    std::string name;
    std::string guiName;
    std::string successText;
    std::string failureText;
    std::string onSuccess;
    std::string onFailure;
    float successChance = 0.0f;
    float cost = 0.0f;
    float minStrength = 0.0f;
    int32_t minSize = 0;
    SIM_PressureGroup* usedBy = nullptr;
    int32_t lastTrigger = 0;
};

// What the last attempt came to, for the attack window and the state document.
struct AttackOutcome {
    std::string name;
    std::string guiName;
    int32_t turn = 0;
    bool succeeded = false;
    // Got past its own chance but not past security.
    bool foiled = false;
    // The success text when it was long enough to show, else empty.
    std::string shownText;
};

// Destroys any attacks, then one attack per file of kAttackPattern in folder order.
void LoadAttacks();
// Destroys every attack and empties the queue.
void ReleaseAttacks();
// First exact match; "Failed to find attack event" and null when none matches.
SIM_AttackEvent* FindAttack(const std::string& name);

void QueueAttack(SIM_AttackEvent* attack);
// Empties this turn's queue; LaunchQueuedAttack (government/attack_launch.h) attempts one first.
void ClearAttackQueue();

const std::vector<SIM_AttackEvent*>& AllAttacks();
const std::vector<SIM_AttackEvent*>& QueuedAttacks();
// Null until an attack has been attempted in this game.
const AttackOutcome* LastAttackOutcome();
// The last attempt as a saved game recorded it.
void RestoreLastAttackOutcome(const AttackOutcome& outcome);
