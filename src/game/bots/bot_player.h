#pragma once
// Bots that play the player's side of a game, for measuring the balance of the content. Each
// turn a bot answers the dilemma on offer, then makes moves until it can afford none it wants,
// and leaves the turn to be ended. It sees what a player sees and acts through the player's
// actions, so a bot cannot do what a player could not.

#include <string>
#include <vector>

enum class BotStrategy {
    // Ends every turn and answers each dilemma with its first option.
    Idle,
    // Affordable moves picked at random, and a random answer to each dilemma.
    Random,
    // The moves that please the voter groups most for their capital, weighed by the groups'
    // size, as long as the deficit stays modest; a deep deficit, or one near the ceiling, it
    // mends first.
    Popular,
    // Closes a deficit first, by the moves that bring in most money for the least upset; with
    // the budget balanced it pleases voters only with what its surplus pays for.
    Prudent,
    // Cuts every tax and raises every spending policy to the top.
    Spender,
};

// The strategy of a command-line name ("idle", "random", "popular", "prudent", "spender").
bool ParseBotStrategy(const std::string& name, BotStrategy& out);
// The names, separated by ", ", for messages.
std::string BotStrategyNames();

struct BotTurn {
    // What the bot did, one line per action, as the actions reported it.
    std::vector<std::string> actions;
    // Actions the rules refused; a bot only asks for what it can afford, so any is a fault.
    std::vector<std::string> refusals;
};

// Plays the player's side of the current turn; ending the turn is left to the caller.
BotTurn PlayBotTurn(BotStrategy strategy);
