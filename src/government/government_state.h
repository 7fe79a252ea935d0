#pragma once
// The government's part of the game in play: every manager of what the player governs with and
// answers to. The members are made in this order, which is also the order in which the end of a
// game releases them (base/game_subsystem.h).

#include "base/game_part.h"
#include "government/cabinet.h"
#include "government/cynicism.h"
#include "government/dilemma_manager.h"
#include "government/election_manager.h"
#include "government/event_manager.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/manifesto.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/report_manager.h"
#include "government/script_runner.h"
#include "government/situation_manager.h"

#include <vector>

class SIM_Situation;

struct GovernmentState {
    SIM_PolicyManager policies;
    SIM_SituationManager situationManager;
    // Every live situation in construction order, loaded or not: the finances walk it.
    std::vector<SIM_Situation*> situations;
    SIM_DilemmaManager dilemmas;
    SIM_EventManager events;
    SIM_IssuesManager issues;
    SIM_CabinetManager cabinet;
    Finances finances;
    PoliticalCapital capital;
    SIM_Cynicism cynicism;
    SIM_Manifesto manifesto;
    SIM_ElectionManager elections;
    SIM_ReportManager reports;
    SIM_Script scripts;
};

inline GovernmentState& Government() {
    return GamePart<GovernmentState>::Current();
}
