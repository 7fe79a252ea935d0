#pragma once
// SIM_SituationManager: loads every situation of a game (the standard table, then one row per mod
// file), owns them, and lets the finances charge and pay the active ones each turn.

#include "base/game_subsystem.h"

#include <vector>

class SIM_Situation;

// Mod files of situations, one row per file; "%s" is the user folder.
inline constexpr const char kSituationModPattern[] = "%s/mods/data/situations/*.txt";

class SIM_SituationManager : public GameSubsystem {
public:
    // Creates one situation per row of the table named by the setup key "situations" and of
    // each mod file, then parses them all in creation order, so that links may name situations
    // that come later in the files.
    void LoadAll();
    // Destroys every situation in load order.
    void Release() override;

    const std::vector<SIM_Situation*>& Situations() const { return situations; }
    // The first situation with exactly this name; null when there is none.
    SIM_Situation* FindSituation(const char* name) const;

    // Called by a situation's destructor: whoever frees it first (Release or the network's
    // teardown), no list is left pointing at it.
    static void Forget(SIM_Situation* situation);

private:
    std::vector<SIM_Situation*> situations;
};

// The situation manager of the game in play.
SIM_SituationManager& GetSituationManager();

// The active situations' cost and income at their current values, added to the running totals.
void AddSituationFinances(float& expenses, float& income);
