// A thousand turns of the default country without the player lifting a finger, games played back
// to back as each one ends (ten terms of ten years allowed), on three seeds. After every turn each
// node's value and history must be numbers within the node's range and the money and the polls
// numbers; after every game the memory in use and the size of the save must not keep growing.

#include "base/mission.h"
#include "base/options.h"
#include "base/random.h"
#include "base/turn.h"
#include "game/turn_pipeline.h"
#include "government/finances.h"
#include "network/neuron.h"
#include "saveload/save_writer.h"
#include "test_helpers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTurns = 1000;
// Far enough past a node's range to be no rounding.
constexpr float kSlack = 1e-3f;

// Resident memory in kilobytes, from the system's own count.
long ResidentKilobytes() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        resident = 0;
    std::fclose(statm);
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The first thing out of place, in words; empty when all is well.
std::string FirstFault() {
    for (const Neuron* node : AllNeurons()) {
        const float low = std::min(node->minValue, -1.0f) - kSlack;
        const float high = std::max(node->maxValue, 1.0f) + kSlack;
        if (!std::isfinite(node->value) || node->value < low || node->value > high)
            return std::string(node->name) + " has the value " + std::to_string(node->value);
        for (float past : node->history)
            if (!std::isfinite(past) || past < -1.0f - kSlack || past > 1.0f + kSlack)
                return std::string(node->name) + " has " + std::to_string(past) + " in its past";
    }
    const Finances& money = GetFinances();
    for (float figure : {money.CurrentBalance, money.MonthlyIncome, money.MonthlyExpenses,
                         money.NationalDebt, money.MonthlyInterest})
        if (!std::isfinite(figure))
            return "a money figure is " + std::to_string(figure);
    const float polls = GetPotentialVoteRate();
    if (!(polls >= 0.0f && polls <= 1.0f))
        return "the polls stand at " + std::to_string(polls);
    return std::string();
}

class LongRunTest : public ::testing::TestWithParam<uint32_t> {
protected:
    void SetUp() override {
        UseShippedContent(t);
        // The save is measured once a game; writing one every turn would only wear the disk.
        SetOption("AUTOSAVE", 0.0f);
    }
    void TearDown() override { TearDownGame(); }
    LoggedTest t;
};

TEST_P(LongRunTest, AThousandTurnsOfGamesBackToBackStayInRange) {
    SeedRandom(GetParam());
    int turns = 0, games = 0;
    std::vector<long> memory;
    std::vector<size_t> saves;
    bool playing = false;
    while (turns < kTurns) {
        if (!playing || IsGameOver()) {
            if (playing) {
                saves.push_back(BuildSaveText().size());
                memory.push_back(ResidentKilobytes());
            }
            GetMission().SetMissionFile(MissionFile(kDefaultMission));
            GetMission().Load();
            GetMission().termLength = 10;
            GetMission().termsLimit = 10;
            NewGameSetup(kDefaultMission);
            playing = true;
            ++games;
        }
        ProcessNewTurn();
        ++turns;
        const std::string fault = FirstFault();
        ASSERT_EQ(fault, "") << "seed " << GetParam() << ", game " << games << ", turn "
                             << GetTurnNumber();
    }
    saves.push_back(BuildSaveText().size());
    memory.push_back(ResidentKilobytes());
    std::printf("seed %u: %d turns in %d games; save sizes from %zu to %zu bytes, memory from "
                "%ld to %ld kB\n",
                GetParam(), turns, games, *std::min_element(saves.begin(), saves.end()),
                *std::max_element(saves.begin(), saves.end()), memory.front(), memory.back());
    // A game's save and the memory it takes depend on what happened in it, not on how many
    // games came before: the last stays within half again of the largest of the first two.
    if (games >= 3) {
        const size_t firstSaves = std::max(saves[0], saves[1]);
        const long firstMemory = std::max(memory[0], memory[1]);
        EXPECT_LE(saves.back(), firstSaves + firstSaves / 2);
        EXPECT_LE(memory.back(), firstMemory + firstMemory / 2 + 16 * 1024);
    }
}

INSTANTIATE_TEST_SUITE_P(ThreeSeeds, LongRunTest, ::testing::Values(1u, 2u, 3u));

} // namespace
