// The shipped debt crisis, played out: a government that keeps its debt over the ceiling has its
// spending cut by the lenders, then faces a confidence vote it loses when unpopular; one that
// mends the budget in time sees the escalation stop where its breaches stopped.

#include "base/turn.h"
#include "game/bots/bot_player.h"
#include "game/turn_pipeline.h"
#include "government/election_manager.h"
#include "government/finances.h"
#include "test_helpers.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Crisis {
    int cutsFrom = -1;   // first turn with the lenders' terms in force
    int crisisFrom = -1; // first turn with the confidence crisis on
    int fellOn = -1;     // turn the game ended without an election
};

class DebtCrisisTest : public ::testing::Test {
protected:
    void SetUp() override { StartShippedGame(t, 5); }
    void TearDown() override { TearDownGame(); }

    // Plays `turns` turns. From the third turn the debt is put over the ceiling before each of
    // the first `breaches` turns, and held well under it afterwards, as a budget mended.
    Crisis Play(BotStrategy strategy, int breaches, int turns) {
        Crisis seen;
        Finances& f = GetFinances();
        int breached = 0;
        for (int turn = 0; turn < turns && !IsGameOver(); ++turn) {
            PlayBotTurn(strategy);
            if (GetTurnNumber() >= 3)
                f.NationalDebt =
                    breached++ < breaches ? f.DebtCeiling * 1.1f : f.DebtCeiling * 0.7f;
            ProcessNewTurn();
            const int now = GetTurnNumber();
            if (seen.cutsFrom < 0 && SituationOn("LendersTerms"))
                seen.cutsFrom = now;
            if (seen.crisisFrom < 0 && SituationOn("ConfidenceCrisis"))
                seen.crisisFrom = now;
            if (IsGameOver() && !GetElectionManager().HasOutcome())
                seen.fellOn = now;
        }
        return seen;
    }

    LoggedTest t;
};

TEST_F(DebtCrisisTest, StayingOverTheCeilingBringsTheCutsThenTheFall) {
    Crisis seen = Play(BotStrategy::Spender, 12, 12);
    ASSERT_GT(seen.cutsFrom, 0) << "no lenders' terms after a dozen breaches";
    ASSERT_GT(seen.crisisFrom, 0) << "no confidence crisis after a dozen breaches";
    ASSERT_GT(seen.fellOn, 0) << "an unpopular government in debt crisis survived";
    // Each step has a warning before it: the cuts come first, the crisis is on before the vote.
    EXPECT_LT(seen.cutsFrom, seen.crisisFrom);
    EXPECT_LT(seen.crisisFrom, seen.fellOn);
    // The ending is the confidence vote's own, not an election's.
    const auto& windows = t.frontEnd.windows;
    EXPECT_NE(std::find(windows.begin(), windows.end(), "GameOver:GAMEOVER_CONFIDENCE_TITLE"),
              windows.end());
}

TEST_F(DebtCrisisTest, MendingTheBudgetStopsTheEscalationWhereTheBreachesStopped) {
    // One breach: the warning only.
    Crisis once = Play(BotStrategy::Idle, 1, 12);
    EXPECT_EQ(once.cutsFrom, -1);
    EXPECT_EQ(once.crisisFrom, -1);
    EXPECT_EQ(once.fellOn, -1);
    EXPECT_FALSE(IsGameOver());
}

TEST_F(DebtCrisisTest, TheLendersCutsEndOnceTheDebtIsBackUnderTheCeiling) {
    // Two breaches bring the lenders in, but not Parliament; back under the ceiling, their terms
    // lapse within a few quarters.
    Crisis twice = Play(BotStrategy::Idle, 2, 4);
    EXPECT_GT(twice.cutsFrom, 0);
    Play(BotStrategy::Idle, 0, 8);
    EXPECT_FALSE(SituationOn("LendersTerms"));
    EXPECT_EQ(twice.crisisFrom, -1);
    EXPECT_FALSE(IsGameOver());
}

} // namespace
