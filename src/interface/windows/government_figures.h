#pragma once
// The figures the government's windows show, worked out from the game's state apart from any
// drawing: the budget line by line, the room left under the debt ceiling, the polls by voter
// group, what a minister is worth in each post, the rules of firing and appointing, what the
// pressure groups could try. Each figure comes with the words that explain where it comes from.

#include <string>
#include <vector>

class SIM_Minister;
class SIM_PolicyGroup;
class SIM_PressureGroup;
class SIM_AttackEvent;
struct Achievement;

// A share 0 … 1 as a whole percentage: "42%".
std::string FormatShare(float share);
// A change in share as signed points: "+3.1 pts", "-0.4 pts", "0.0 pts".
std::string FormatSharePoints(float change);
// Money with its sign in front: "+$ 1.20 Bn", "-$ 450.00 Mn".
std::string FormatSignedMoney(float amount);
// Money short enough for a graph's scale: "$ 950 Mn", "$ 1.6 Bn", "$ 17,446 Bn".
std::string FormatMoneyShort(float amount);
// A figure 0 … 1 to two places: "0.62".
std::string FormatFraction(float value);
// A key's translation with each "<NAME>" placeholder replaced, in the order given.
std::string TranslateWith(const std::string& key,
                          const std::vector<std::pair<std::string, std::string>>& values);

// ---- Finances ----

enum class BudgetLineKind { Policy, Situation, Interest };

struct BudgetLine {
    BudgetLineKind kind = BudgetLineKind::Policy;
    // The node it belongs to (empty for interest), for opening its details.
    std::string node;
    std::string label;
    float cost = 0;
    float income = 0;
    // Where the two figures come from.
    std::string explanation;
    float Net() const { return income - cost; }
};

// Every line the turn's budget is made of, in the order the books are kept: active policies,
// active situations, then the interest on the debt. Their costs and incomes add up to the
// turn's expenses and income (CalculateIncomeAndExpenses is run first).
std::vector<BudgetLine> BudgetLines();
// The same lines with the heaviest first: largest cost, then largest income, then the books'
// order.
std::vector<BudgetLine> BudgetLinesByWeight();

struct FinanceSummary {
    float income = 0;
    float spending = 0; // interest included
    float interest = 0;
    float balance = 0; // income less spending: a surplus above 0
    float treasury = 0;
    float debt = 0;
    float ceiling = 0;
    // What may still be borrowed before the ceiling: never below 0.
    float creditLeft = 0;
    // Turns until this turn's deficit, carried on, would take the debt past the ceiling (money
    // in the treasury goes first); -1 when the budget is in surplus or balanced.
    int turnsToCeiling = -1;
    // The debt against a year's income, as the network reads it (0 … 1).
    float debtRatio = 0;
};
// The summary of the turn's figures as the finances hold them (recalculated first).
FinanceSummary SummariseFinances();
// The same from figures given: the turn's income, spending (interest included) and interest,
// the treasury, the debt and its ceiling.
FinanceSummary SummariseFigures(float income, float spending, float interest, float treasury,
                                float debt, float ceiling);

// ---- Polls ----

struct VoterGroupPoll {
    std::string node;
    std::string label;
    float approval = 0;       // 0 … 1
    float approvalChange = 0; // since the previous turn
    float size = 0;           // share of all voters
    int members = 0;
    int memberChange = 0;
    // Membership code of the group: 0 fewer, 1 the same, 2 more.
    int trend = 1;
};
// Every voter group but the whole electorate, in the list's order.
std::vector<VoterGroupPoll> VoterGroupPolls();

// The approval of the whole electorate, 0 … 1 (0.5 without one).
float EveryoneApproval();

// The government's share of the poll, oldest first, as many turns as the record keeps.
std::vector<float> PollHistoryOldestFirst();

struct PartyFigures {
    std::string name;
    bool players = false;
    int members = 0;         // simulated members
    long long people = 0;    // scaled to the real population
    float shareOfVoters = 0; // members of all voters
    float membershipStrength = 0;
    // 0 growing, 1 shrinking, 2 steady.
    int status = 2;
};
std::vector<PartyFigures> PartiesFigures();

// The members of each party within one voter group.
struct PartyMix {
    std::string node;
    std::string label;
    int groupMembers = 0;
    float players = 0;    // share of the group's members in the player's party
    float opposition = 0; // and in the opposition
};
std::vector<PartyMix> PartyMixByVoterGroup();

// ---- Cabinet ----

struct MinisterFigures {
    std::string name;
    std::string portrait;
    std::string post;      // group key, empty for a candidate
    std::string postTitle; // the cabinet title
    float loyalty = 0;
    float experience = 0;
    float suitability = 0; // for the post in question
    // How strongly the post's policies work under this minister (0.5 for an empty post).
    float effectiveness = 0;
    // Points a turn the minister would earn in office.
    int capital = 0;
    float mood = 0;
    std::string standsFor1, standsFor2;
};
// groupIndex: the post the figures are for (the minister's own, or one offered).
MinisterFigures FiguresFor(const SIM_Minister& minister, int groupIndex);

// What firing a minister needs, as the player sees it before confirming.
struct FireRule {
    bool allowed = false;
    int needed = 0;
    int available = 0;
    std::string text;
};
FireRule FireRuleFor(const SIM_Minister& minister);

// What appointing a minister to a post changes, before the player confirms.
struct AppointRule {
    bool allowed = false;
    std::string text;
    // The effectiveness of the post now and after the appointment.
    float effectivenessNow = 0.5f;
    float effectivenessAfter = 0.5f;
};
AppointRule AppointRuleFor(const SIM_Minister& minister, const SIM_PolicyGroup& post);

// Everyone who could take a post: the candidates first, then the ministers of other posts;
// the best fit for the post (effectiveness, then loyalty) first.
std::vector<SIM_Minister*> CandidatesFor(const SIM_PolicyGroup& post);

// ---- Intelligence ----

struct AttackProspect {
    std::string name;
    std::string label;
    float cost = 0;
    float minStrength = 0;
    int minSize = 0;
    float successChance = 0;
    // The chance an attempt gets through the security services too.
    float throughSecurity = 0;
    bool ready = false;
    // Why it cannot be tried yet (empty when ready).
    std::string holdsBack;
};
std::vector<AttackProspect> AttacksOf(const SIM_PressureGroup& group);

// The state's security as it meets an attack: the share of attempts it stops, 0 … 0.9.
float SecurityStops();

// ---- Achievements ----

struct ConditionProgress {
    std::string text; // "Crime below 0.25, now 0.31"
    bool met = false;
};
std::vector<ConditionProgress> ProgressOf(const Achievement& achievement);
