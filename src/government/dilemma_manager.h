#pragma once
// SIM_DilemmaManager: loads and owns the dilemmas of a game and, once per turn, offers the most
// pressing one to the player. Also the player's action of answering an offered dilemma.

#include "base/game_subsystem.h"
#include "government/policy_actions.h"

#include <string>
#include <vector>

class SIM_Dilemma;

// Standard dilemma files, then the mods' ("%s" is the user folder); one dilemma per file.
inline constexpr const char kDilemmaPattern[] = "./data/simulation/dilemmas/*.txt";
inline constexpr const char kDilemmaModPattern[] = "%s/mods/data/simulation/dilemmas/*.txt";

// A dilemma is offered only when its score is above this.
constexpr float kDilemmaOfferThreshold = 0.5f;

class SIM_DilemmaManager : public GameSubsystem {
public:
    // One dilemma per file: the standard folder first, then the user's mods folder.
    void LoadDilemmas();
    // The turn step: unless switched off by the setup key "DILEMMAS_DISABLE" (at 1) or the
    // option "ENABLEDILEMMAS" (at 0, absent included), offers the dilemma with the greatest
    // score when that score is above 0.5; the first loaded wins a tie. At most one per turn.
    void AssessDilemmas();
    // Destroys every dilemma in load order.
    void Release() override;

    const std::vector<SIM_Dilemma*>& Dilemmas() const { return dilemmas; }
    // The first dilemma with exactly this name; null when there is none.
    SIM_Dilemma* FindDilemma(const std::string& name) const;
    // The first dilemma with this name that is on the issues list now; null when none is.
    SIM_Dilemma* FindOffered(const std::string& name) const;

    // Bookkeeping of the dilemmas themselves, called from their constructor and destructor.
    static void Add(SIM_Dilemma* dilemma);
    static void Forget(SIM_Dilemma* dilemma);

private:
    std::vector<SIM_Dilemma*> dilemmas;
};

// The dilemma manager of the game in play.
SIM_DilemmaManager& GetDilemmaManager();

// The player answers an offered dilemma with its option number optionNumber, counted from 1 as
// the options are shown (the first option is 1). Refused when no dilemma of that name is on offer
// this turn or it has no such option; otherwise the option's script runs and the offer is
// withdrawn.
ActionResult ChooseDilemmaAction(const std::string& dilemmaName, int optionNumber);
