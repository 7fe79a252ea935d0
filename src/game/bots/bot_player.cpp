#include "game/bots/bot_player.h"

#include "base/random.h"
#include "game/bots/bot_moves.h"
#include "government/dilemma.h"
#include "government/dilemma_manager.h"
#include "government/finances.h"
#include "government/issues_manager.h"
#include "government/policy.h"
#include "network/neuron.h"

#include <set>

namespace {

struct StrategyName {
    const char* name;
    BotStrategy strategy;
};

constexpr StrategyName kStrategies[] = {
    {"idle", BotStrategy::Idle},       {"random", BotStrategy::Random},
    {"popular", BotStrategy::Popular}, {"prudent", BotStrategy::Prudent},
    {"spender", BotStrategy::Spender},
};

// No turn needs more moves than this; it stops a bot that keeps finding capital for more.
constexpr int kMovesPerTurn = 12;
// A move is worth making only when it lifts the weighed mood by more than this.
constexpr float kWorthwhileMood = 0.002f;
// Popular stops adding to a deficit once the debt passes this share of the ceiling, or once the
// deficit passes this share of spending: it reads the polls, and the polls punish ruin.
constexpr float kPopularDebtCaution = 0.9f;
constexpr float kPopularDeficit = 0.08f;
// Beyond this share of spending the popular bot mends the deficit before anything else.
constexpr float kPopularRepair = 0.12f;
// The surplus, as a share of spending, that the prudent bot keeps in hand.
constexpr float kPrudentMargin = 0.04f;

void AnswerDilemmas(BotStrategy strategy, BotTurn& turn) {
    std::vector<std::pair<std::string, int>> answers;
    for (const auto& issue : GetIssuesManager().Issues()) {
        if (issue->kind != kIssueKindDilemma)
            continue;
        const auto* dilemma = dynamic_cast<const SIM_Dilemma*>(issue->subject);
        if (!dilemma || dilemma->options.empty())
            continue;
        const int count = static_cast<int>(dilemma->options.size());
        const int option = strategy == BotStrategy::Random ? RandomIndex(count) + 1 : 1;
        answers.emplace_back(dilemma->name, option);
    }
    // Answering takes the dilemma off the list being read, so the answers come after the walk.
    for (const auto& [name, option] : answers) {
        ActionResult result = ChooseDilemmaAction(name, option);
        (result.ok ? turn.actions : turn.refusals).push_back(result.message);
    }
}

bool DebtNearCeiling() {
    const Finances& finances = GetFinances();
    return finances.DebtCeiling > 0.0f &&
           finances.NationalDebt > finances.DebtCeiling * kPopularDebtCaution;
}

template <typename Score> const BotMove* Best(const std::vector<BotMove>& moves, Score score) {
    const BotMove* best = nullptr;
    float bestScore = 0.0f;
    for (const BotMove& move : moves) {
        float value = score(move);
        if (value > bestScore) {
            best = &move;
            bestScore = value;
        }
    }
    return best;
}

// Mood per point of capital, so cheap gains are not passed over for one dear one.
float MoodPerCapital(const BotMove& move) {
    return move.moodChange / static_cast<float>(move.cost > 0 ? move.cost : 1);
}

// Money first: the most money for the least lost mood; any gain will do.
const BotMove* ChooseThrift(const std::vector<BotMove>& moves) {
    return Best(moves, [](const BotMove& move) {
        if (move.moneyChange <= 0.0f)
            return 0.0f;
        const float upset = move.moodChange < 0.0f ? -move.moodChange : 0.0f;
        return move.moneyChange / (upset + 0.01f);
    });
}

// balance: the budget as the moves made so far this turn will leave it.
const BotMove* ChoosePopular(const std::vector<BotMove>& moves, float balance) {
    // A deficit this deep costs more in the polls than any gift wins, so it is mended first.
    if (-balance > GetFinances().MonthlyExpenses * kPopularRepair)
        return ChooseThrift(moves);
    const float floor = DebtNearCeiling() ? 0.0f : -GetFinances().MonthlyExpenses * kPopularDeficit;
    return Best(moves, [balance, floor](const BotMove& move) {
        if (move.moodChange < kWorthwhileMood ||
            (move.moneyChange < 0.0f && balance + move.moneyChange < floor))
            return 0.0f;
        return MoodPerCapital(move);
    });
}

const BotMove* ChoosePrudent(const std::vector<BotMove>& moves, float balance) {
    if (balance < 0.0f)
        return ChooseThrift(moves);
    // Balanced: please the voters with what the surplus pays for, keeping a margin, since a
    // forecast of a tax's yield is only a forecast.
    const float margin = GetFinances().MonthlyExpenses * kPrudentMargin;
    return Best(moves, [balance, margin](const BotMove& move) {
        if (move.moodChange < kWorthwhileMood ||
            (move.moneyChange < 0.0f && move.moneyChange + balance < margin))
            return 0.0f;
        return MoodPerCapital(move);
    });
}

const BotMove* ChooseSpender(const std::vector<BotMove>& moves) {
    // A tax goes to the bottom, anything else to the top; then new spending comes in at the top.
    for (const BotMove& move : moves) {
        if (move.kind != BotMoveKind::Slider)
            continue;
        const bool tax = IsTaxPolicy(*move.policy);
        if ((tax && move.level == 0.0f) || (!tax && move.level == 1.0f))
            return &move;
    }
    for (const BotMove& move : moves)
        if (move.kind == BotMoveKind::Introduce && !IsTaxPolicy(*move.policy) && move.level >= 0.8f)
            return &move;
    return nullptr;
}

const BotMove* ChooseRandom(const std::vector<BotMove>& moves) {
    // About two moves a turn: a player trying things, not one clicking everything.
    if (moves.empty() || RandomIndex(3) == 0)
        return nullptr;
    return &moves[static_cast<size_t>(RandomIndex(static_cast<int>(moves.size())))];
}

const BotMove* Choose(BotStrategy strategy, const std::vector<BotMove>& moves, float balance) {
    switch (strategy) {
    case BotStrategy::Idle:
        return nullptr;
    case BotStrategy::Random:
        return ChooseRandom(moves);
    case BotStrategy::Popular:
        return ChoosePopular(moves, balance);
    case BotStrategy::Prudent:
        return ChoosePrudent(moves, balance);
    case BotStrategy::Spender:
        return ChooseSpender(moves);
    }
    return nullptr;
}

} // namespace

bool ParseBotStrategy(const std::string& name, BotStrategy& out) {
    for (const StrategyName& entry : kStrategies)
        if (name == entry.name) {
            out = entry.strategy;
            return true;
        }
    return false;
}

std::string BotStrategyNames() {
    std::string names;
    for (const StrategyName& entry : kStrategies)
        names += (names.empty() ? "" : ", ") + std::string(entry.name);
    return names;
}

BotTurn PlayBotTurn(BotStrategy strategy) {
    BotTurn turn;
    AnswerDilemmas(strategy, turn);
    // One move a policy a turn: a second would only undo or repeat the first.
    std::set<const SIM_Policy*> moved;
    float balance = BudgetBalance();
    for (int i = 0; i < kMovesPerTurn; ++i) {
        std::vector<BotMove> moves;
        for (const BotMove& move : AffordableMoves())
            if (!moved.count(move.policy))
                moves.push_back(move);
        const BotMove* move = Choose(strategy, moves, balance);
        if (!move)
            break;
        moved.insert(move->policy);
        ActionResult result = MakeMove(*move);
        (result.ok ? turn.actions : turn.refusals).push_back(result.message);
        if (result.ok)
            balance += move->moneyChange;
    }
    return turn;
}
