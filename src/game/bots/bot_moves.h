#pragma once
// The moves a bot may make and what it can know of them before making them: only what the
// player's windows show (a policy's costs, its effects on the nodes it reaches and, one step
// further, on the voter groups those nodes move, a situation's counting only while it is on or
// would be after the move; the groups' shares of the electorate; the budget). A move is made
// through the same actions the windows call.

#include "government/policy_actions.h"

#include <cstdint>
#include <string>
#include <vector>

class SIM_Policy;

enum class BotMoveKind { Introduce, Slider, Cancel };

struct BotMove {
    BotMoveKind kind = BotMoveKind::Introduce;
    SIM_Policy* policy = nullptr;
    // The slider position the move asks for; unused when cancelling.
    float level = 0.0f;
    // Political capital the move costs.
    int32_t cost = 0;
    // Change of the policy's income minus its cost per turn once the move has taken effect.
    float moneyChange = 0.0f;
    // Change of the mood of the voter groups, each weighed by its share of the electorate.
    float moodChange = 0.0f;
};

// True when the policy earns more than it costs with its slider at the top: a tax.
bool IsTaxPolicy(SIM_Policy& policy);

// Every move the capital in hand pays for: each policy not in force introduced at a low, a middle
// and a high position; each one in force moved a step up or down, to the top or the bottom, or
// cancelled where it may be. Moves that change nothing are left out.
std::vector<BotMove> AffordableMoves();

// Makes the move through the player's actions.
ActionResult MakeMove(const BotMove& move);

// "introduce IncomeTax at 0.50", "raise IncomeTax to 0.75", "cancel IncomeTax".
std::string DescribeMove(const BotMove& move);

// This turn's budget balance: income minus spending.
float BudgetBalance();
