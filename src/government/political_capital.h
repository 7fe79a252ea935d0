#pragma once
// PoliticalCapital: the stock of whole points the cabinet earns each turn and the player spends
// on policy actions. Unspent points carry over, up to three turns' worth.

#include <cstdint>

// Where the pair is kept in a saved game.
inline constexpr const char kCapitalSaveElement[] = "restrictedpower";
inline constexpr const char kCapitalSavePerTurn[] = "allow";
inline constexpr const char kCapitalSaveStock[] = "ap";

class PoliticalCapital {
public:
    // capitalPerTurn := the sum of the points of the ministers in office.
    void RecalculateAllowance();
    // The turn's income of points, capped at three turns' allowance.
    void NewTurn();
    // A new game starts with exactly one turn's allowance.
    void ResetForNewGame();
    // Takes the cost off the stock, which never goes below 0.
    void SpendCapital(int32_t cost);

    int32_t capitalPerTurn = 0;
    int32_t capital = 0;
};

// The political capital of the game in play.
PoliticalCapital& GetPoliticalCapital();
