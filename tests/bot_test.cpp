// The bots on the shipped content: each plays a few turns of the default country on a fixed seed
// without being refused and without breaking a value, and each keeps to its own character.

#include "base/mission.h"
#include "base/random.h"
#include "game/bots/bot_moves.h"
#include "game/bots/bot_player.h"
#include "game/turn_pipeline.h"
#include "game/value_watch.h"
#include "government/finances.h"
#include "government/policy.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "test_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kTurns = 4;

class BotTest : public ::testing::Test {
protected:
    void SetUp() override { StartShippedGame(t, 11); }
    void TearDown() override { TearDownGame(); }

    // Plays the strategy for kTurns turns; the lines are every action taken, in order.
    std::vector<std::string> Play(BotStrategy strategy) {
        std::vector<std::string> lines;
        for (int turn = 0; turn < kTurns; ++turn) {
            BotTurn played = PlayBotTurn(strategy);
            EXPECT_TRUE(played.refusals.empty()) << played.refusals.front();
            lines.insert(lines.end(), played.actions.begin(), played.actions.end());
            ProcessNewTurn();
            std::vector<std::string> faults = FaultyValues();
            EXPECT_TRUE(faults.empty()) << faults.front();
        }
        return lines;
    }

    static std::map<std::string, float> Sliders() {
        std::map<std::string, float> sliders;
        for (SIM_Policy* policy : GetPolicyManager().AllPolicies())
            sliders[policy->name] = policy->active ? policy->GetTarget() : -1.0f;
        return sliders;
    }

    static int PolicyActions(const std::vector<std::string>& lines) {
        int count = 0;
        for (const std::string& line : lines)
            count += line.rfind("Answered", 0) != 0;
        return count;
    }

    LoggedTest t;
};

TEST_F(BotTest, StrategyNamesAreReadAndOthersRefused) {
    BotStrategy strategy = BotStrategy::Idle;
    for (const char* name : {"idle", "random", "popular", "prudent", "spender"})
        EXPECT_TRUE(ParseBotStrategy(name, strategy)) << name;
    ASSERT_TRUE(ParseBotStrategy("spender", strategy));
    EXPECT_EQ(strategy, BotStrategy::Spender);
    for (const char* name : {"", "Idle", "popular ", "greedy"})
        EXPECT_FALSE(ParseBotStrategy(name, strategy)) << name;
}

TEST_F(BotTest, IdleOnlyAnswersDilemmasWithTheirFirstOption) {
    const auto before = Sliders();
    std::vector<std::string> lines = Play(BotStrategy::Idle);
    EXPECT_EQ(PolicyActions(lines), 0);
    EXPECT_EQ(Sliders(), before);
    ASSERT_FALSE(lines.empty()) << "no dilemma was offered in " << kTurns << " turns";
    for (const std::string& line : lines)
        EXPECT_NE(line.find("with option 1 "), std::string::npos) << line;
}

TEST_F(BotTest, SpenderCutsTaxesAndRaisesSpendingOnly) {
    const auto before = Sliders();
    std::vector<std::string> lines = Play(BotStrategy::Spender);
    EXPECT_GE(PolicyActions(lines), kTurns);
    int moved = 0;
    for (SIM_Policy* policy : GetPolicyManager().AllPolicies()) {
        const float was = before.at(policy->name);
        const float now = policy->active ? policy->GetTarget() : -1.0f;
        if (now == was)
            continue;
        ++moved;
        if (IsTaxPolicy(*policy))
            EXPECT_LT(now, was) << policy->name << " is a tax the spender raised";
        else
            EXPECT_GT(now, was) << policy->name << " is spending the spender cut";
    }
    EXPECT_EQ(moved, PolicyActions(lines));
}

TEST_F(BotTest, PrudentNarrowsADeficitFirst) {
    GetFinances().CalculateIncomeAndExpenses();
    ASSERT_LT(BudgetBalance(), 0.0f) << "the default country should open in deficit";
    std::map<std::string, float> bestMoney;
    for (const BotMove& move : AffordableMoves()) {
        auto [at, added] = bestMoney.emplace(move.policy->name, move.moneyChange);
        if (!added && move.moneyChange > at->second)
            at->second = move.moneyChange;
    }
    BotTurn first = PlayBotTurn(BotStrategy::Prudent);
    ASSERT_GT(PolicyActions(first.actions), 0);
    // The policy's name is the second word of what the action reports.
    for (const std::string& action : first.actions) {
        if (action.rfind("Answered", 0) == 0)
            continue;
        const size_t from = action.find(' ') + 1;
        const std::string name = action.substr(from, action.find(' ', from) - from);
        ASSERT_TRUE(bestMoney.count(name)) << action;
        EXPECT_GT(bestMoney[name], 0.0f) << action << " brings in no money";
    }
    Play(BotStrategy::Prudent);
    EXPECT_GT(BudgetBalance(), -GetFinances().MonthlyExpenses * 0.05f)
        << "after " << kTurns << " more turns the prudent bot still runs a large deficit";
}

TEST_F(BotTest, PopularAndRandomActAndEveryBotStopsWithoutCapital) {
    EXPECT_GT(PolicyActions(Play(BotStrategy::Popular)), 0);
    EXPECT_GT(PolicyActions(Play(BotStrategy::Random)), 0);
    for (BotStrategy strategy :
         {BotStrategy::Random, BotStrategy::Popular, BotStrategy::Prudent, BotStrategy::Spender}) {
        GetPoliticalCapital().capital = 0;
        BotTurn turn = PlayBotTurn(strategy);
        EXPECT_EQ(PolicyActions(turn.actions), 0);
        EXPECT_TRUE(turn.refusals.empty());
        for (const BotMove& move : AffordableMoves())
            EXPECT_EQ(move.cost, 0) << DescribeMove(move);
    }
}

// Cutting the health service one notch leaves the waiting lists off; cutting it to the bone starts
// them, as their window's thresholds say. A bot weighs the second cut with all the lists' effects
// on the voters, not as twice the first.
TEST_F(BotTest, AMoveThatStartsASituationIsWeighedWithItsEffects) {
    ASSERT_FALSE(SituationOn("HospitalWaitingLists"));
    GetPoliticalCapital().capital = 40;
    const BotMove* notch = nullptr;
    const BotMove* bone = nullptr;
    std::vector<BotMove> moves = AffordableMoves();
    for (const BotMove& move : moves) {
        if (move.policy->name != std::string("PublicHealthcare") ||
            move.kind != BotMoveKind::Slider)
            continue;
        if (move.level == 0.0f)
            bone = &move;
        else if (move.level == 0.25f)
            notch = &move;
    }
    ASSERT_NE(notch, nullptr);
    ASSERT_NE(bone, nullptr);
    ASSERT_LT(notch->moodChange, 0.0f);
    EXPECT_LT(bone->moodChange, 2.0f * notch->moodChange - 0.01f)
        << "one notch " << notch->moodChange << ", to the bone " << bone->moodChange;
    // The lists do start, so the bot foresaw what the turn brings.
    ASSERT_TRUE(MakeMove(*bone).ok);
    EXPECT_TRUE(PlayWatching("HospitalWaitingLists", 4));
}

// Voters feel a policy's last steps less than its first ones against them, so a slider pushed to
// one end on a whim loses more than it wins on average, while a player who chooses still finds
// moves worth making. This is what makes flailing worse than leaving the country alone.
TEST_F(BotTest, AWhimsicalMoveCostsMoreThanItWins) {
    GetPoliticalCapital().capital = 1000;
    float sum = 0.0f;
    float best = 0.0f;
    int count = 0;
    for (const BotMove& move : AffordableMoves()) {
        if (move.kind != BotMoveKind::Slider || (move.level != 0.0f && move.level != 1.0f))
            continue;
        sum += move.moodChange;
        best = std::max(best, move.moodChange);
        ++count;
    }
    ASSERT_GT(count, 40);
    EXPECT_LT(sum / static_cast<float>(count), -0.002f) << "over " << count << " moves";
    EXPECT_GT(best, 0.005f);
}

TEST_F(BotTest, TheSameSeedPlaysTheSameGame) {
    std::vector<std::string> first = Play(BotStrategy::Random);
    TearDownGame();
    SeedRandom(11);
    NewGameSetup(kDefaultMission);
    EXPECT_EQ(Play(BotStrategy::Random), first);
}

} // namespace
