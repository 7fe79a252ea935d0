#include "interface/windows/government_figures.h"

#include "base/mission.h"
#include "base/options.h"
#include "base/translation.h"
#include "base/turn.h"
#include "government/achievements.h"
#include "government/cabinet.h"
#include "government/cabinet_actions.h"
#include "government/finances.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/report_manager.h"
#include "government/situation.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/attack.h"
#include "population/party.h"
#include "population/pressure_group.h"
#include "population/voter.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char kEveryone[] = "_All_";

std::string Number(const char* format, float value) {
    char text[48];
    std::snprintf(text, sizeof text, format, static_cast<double>(value));
    return text;
}

// A node's name as the player reads it: its shown name's translation, else its own name.
std::string ShownName(const Neuron& node) {
    return Translate(node.guiName[0] ? node.guiName : node.name);
}

// The nodes that move a cost or income multiplier, by their shown names.
std::string DriversOf(const Neuron& node) {
    std::string drivers;
    for (const NeuralEffect* link : node.inputs) {
        if (!link || !link->source)
            continue;
        if (!drivers.empty())
            drivers += ", ";
        drivers += ShownName(*link->source);
    }
    return drivers.empty() ? Translate("FINANCE_NO_DRIVERS") : drivers;
}

// The difficulty moves costs from 0.8 to 1.2 times the curve, and income the other way.
float CostDifficultyFactor() {
    return 0.8f + 0.4f * GetDifficulty();
}
float IncomeDifficultyFactor() {
    return 1.2f - 0.4f * GetDifficulty();
}

struct CurveInputs {
    float atMin = 0, atMax = 0, level = 0, difficulty = 1, multiplier = 1, node = 1, total = 0;
    std::string nodeDrivers;
};

// One side (cost or income) of a finance object's line, in words.
std::string ExplainCurve(const std::string& key, const CurveInputs& in) {
    const float curve = in.atMin + (in.atMax - in.atMin) * in.level;
    std::string text = TranslateWith(key, {{"<CURVE>", FormatMoney(curve)},
                                           {"<ATMIN>", FormatMoney(in.atMin)},
                                           {"<ATMAX>", FormatMoney(in.atMax)},
                                           {"<LEVEL>", FormatFraction(in.level)},
                                           {"<DIFFICULTY>", Number("%.2f", in.difficulty)},
                                           {"<WEALTH>", Number("%.4g", GetMission().wealth)},
                                           {"<TOTAL>", FormatMoney(in.total)}});
    if (in.multiplier != 1.0f)
        text += " " + TranslateWith("FINANCE_EXPLAIN_MINISTER",
                                    {{"<FACTOR>", Number("%.2f", in.multiplier)}});
    if (!in.nodeDrivers.empty())
        text += " " + TranslateWith("FINANCE_EXPLAIN_NODE", {{"<FACTOR>", Number("%.2f", in.node)},
                                                             {"<DRIVERS>", in.nodeDrivers}});
    return text;
}

BudgetLine PolicyLine(SIM_Policy& policy) {
    BudgetLine line;
    line.kind = BudgetLineKind::Policy;
    line.node = policy.name;
    line.label = ShownName(policy);
    line.cost = policy.GetPolicyCost();
    line.income = policy.GetPolicyIncome();

    CurveInputs cost;
    cost.atMin = policy.CostAtMin;
    cost.atMax = policy.CostAtMax;
    cost.level = policy.value;
    cost.difficulty = CostDifficultyFactor();
    cost.multiplier = policy.CostMultiplier;
    cost.node = policy.costNeuron.GetValue();
    cost.nodeDrivers = DriversOf(policy.costNeuron);
    cost.total = line.cost;
    CurveInputs income = cost;
    income.atMin = policy.IncomeAtMin;
    income.atMax = policy.IncomeAtMax;
    income.difficulty = IncomeDifficultyFactor();
    income.multiplier = policy.IncomeMultiplier;
    income.node = policy.incomeNeuron.GetValue();
    income.nodeDrivers = DriversOf(policy.incomeNeuron);
    income.total = line.income;

    line.explanation = TranslateWith(
        "FINANCE_EXPLAIN_POLICY", {{"<NAME>", line.label}, {"<LEVEL>", FormatShare(policy.value)}});
    // A policy that neither costs nor earns anything says so rather than list empty curves.
    const bool costs = policy.CostAtMin != 0.0f || policy.CostAtMax != 0.0f;
    const bool earns = policy.IncomeAtMin != 0.0f || policy.IncomeAtMax != 0.0f;
    if (costs)
        line.explanation += "\n" + ExplainCurve("FINANCE_EXPLAIN_COST", cost);
    if (earns)
        line.explanation += "\n" + ExplainCurve("FINANCE_EXPLAIN_INCOME", income);
    if (!costs && !earns)
        line.explanation += "\n" + Translate("FINANCE_EXPLAIN_FREE");
    return line;
}

BudgetLine SituationLine(SIM_Situation& situation) {
    BudgetLine line;
    line.kind = BudgetLineKind::Situation;
    line.node = situation.name;
    line.label = ShownName(situation);
    const float v = situation.GetValue();
    line.cost = situation.GetCost(v);
    line.income = situation.GetIncome(v);

    CurveInputs cost;
    cost.atMin = situation.CostAtMin;
    cost.atMax = situation.CostAtMax;
    cost.level = v;
    cost.difficulty = CostDifficultyFactor();
    cost.multiplier = situation.CostMultiplier;
    cost.total = line.cost;
    CurveInputs income = cost;
    income.atMin = situation.IncomeAtMin;
    income.atMax = situation.IncomeAtMax;
    income.difficulty = IncomeDifficultyFactor();
    income.multiplier = situation.IncomeMultiplier;
    income.total = line.income;

    line.explanation = TranslateWith("FINANCE_EXPLAIN_SITUATION",
                                     {{"<NAME>", line.label}, {"<LEVEL>", FormatShare(v)}});
    if (situation.CostAtMin != 0.0f || situation.CostAtMax != 0.0f)
        line.explanation += "\n" + ExplainCurve("FINANCE_EXPLAIN_COST", cost);
    if (situation.IncomeAtMin != 0.0f || situation.IncomeAtMax != 0.0f)
        line.explanation += "\n" + ExplainCurve("FINANCE_EXPLAIN_INCOME", income);
    return line;
}

BudgetLine InterestLine(const Finances& finances) {
    BudgetLine line;
    line.kind = BudgetLineKind::Interest;
    line.label = Translate("FINANCE_INTEREST");
    line.cost = finances.MonthlyInterest;
    const float option = GetOption(kOptionInterestRate);
    line.explanation =
        TranslateWith("FINANCE_EXPLAIN_INTEREST", {{"<OPTION>", FormatFraction(option)},
                                                   {"<RATE>", Number("%.1f", option * 20.0f)},
                                                   {"<DEBT>", FormatMoney(finances.NationalDebt)},
                                                   {"<TOTAL>", FormatMoney(line.cost)}});
    return line;
}

bool IsEveryone(const SIM_VoterType& group) {
    return std::strcmp(group.name, kEveryone) == 0;
}

std::string GroupName(const SIM_VoterType* group) {
    return group ? ShownName(*group) : std::string();
}

// Every node with this name, without the warning a lookup writes for a missing one: the
// achievements window asks every time it is brought up to date.
Neuron* QuietFind(const std::string& name) {
    for (Neuron* node : AllNeurons()) {
        if (node && name == node->name)
            return node;
    }
    return nullptr;
}

} // namespace

std::string FormatShare(float share) {
    if (std::isnan(share))
        share = 0;
    return Number("%.0f%%", share * 100.0f);
}

std::string FormatSharePoints(float change) {
    float points = change * 100.0f;
    // A change too small to show is no change, and never "-0.0".
    if (std::fabs(points) < 0.05f)
        points = 0.0f;
    return Number(points > 0 ? "+%.1f" : "%.1f", points) + " " + Translate("POLLS_POINTS");
}

std::string FormatSignedMoney(float amount) {
    if (amount < 0)
        return "-" + FormatMoney(-amount);
    return "+" + FormatMoney(amount);
}

std::string FormatMoneyShort(float amount) {
    const std::string sign = amount < 0 ? "-" : "";
    const float size = std::fabs(amount);
    std::string number;
    if (size >= 100000.0f)
        number = FormatWithThousands(std::llround(size / 1000.0f)) + " Bn";
    else if (size >= 1000.0f)
        number = Number("%.1f", size / 1000.0f) + " Bn";
    else
        number = Number("%.0f", size) + " Mn";
    return sign + GetMission().currency + " " + number;
}

std::string FormatFraction(float value) {
    return Number("%.2f", value);
}

std::string TranslateWith(const std::string& key,
                          const std::vector<std::pair<std::string, std::string>>& values) {
    std::string text = Translate(key);
    for (const auto& [placeholder, value] : values)
        ReplaceAll(text, placeholder, value);
    return text;
}

std::vector<BudgetLine> BudgetLines() {
    Finances& finances = GetFinances();
    finances.CalculateIncomeAndExpenses();
    std::vector<BudgetLine> lines;
    for (SIM_Policy* policy : GetPolicyManager().AllPolicies()) {
        if (policy && policy->active)
            lines.push_back(PolicyLine(*policy));
    }
    for (SIM_Situation* situation : SIM_Situation::All()) {
        if (situation && situation->active)
            lines.push_back(SituationLine(*situation));
    }
    lines.push_back(InterestLine(finances));
    return lines;
}

std::vector<BudgetLine> BudgetLinesByWeight() {
    std::vector<BudgetLine> lines = BudgetLines();
    std::stable_sort(lines.begin(), lines.end(), [](const BudgetLine& a, const BudgetLine& b) {
        if (a.cost != b.cost)
            return a.cost > b.cost;
        return a.income > b.income;
    });
    return lines;
}

FinanceSummary SummariseFinances() {
    Finances& f = GetFinances();
    f.CalculateIncomeAndExpenses();
    return SummariseFigures(f.MonthlyIncome, f.MonthlyExpenses, f.MonthlyInterest, f.CurrentBalance,
                            f.NationalDebt, f.DebtCeiling);
}

FinanceSummary SummariseFigures(float income, float spending, float interest, float treasury,
                                float debt, float ceiling) {
    FinanceSummary s;
    s.income = income;
    s.spending = spending;
    s.interest = interest;
    s.balance = income - spending;
    s.treasury = treasury;
    s.debt = debt;
    s.ceiling = ceiling;
    s.creditLeft = std::max(0.0f, ceiling - debt);
    if (s.balance < 0) {
        // The ceiling is passed once the debt goes above it; the treasury is spent first.
        const float room = ceiling - debt + treasury;
        const float turns = std::floor(room / -s.balance) + 1.0f;
        s.turnsToCeiling = room < 0 ? 0 : static_cast<int>(std::fmin(turns, 9999.0f));
    }
    if (income > 0)
        s.debtRatio = std::clamp(debt / (income * 12.0f), 0.0f, 1.0f);
    else
        s.debtRatio = debt > 0 ? 1.0f : 0.0f;
    return s;
}

std::vector<VoterGroupPoll> VoterGroupPolls() {
    std::vector<VoterGroupPoll> polls;
    for (SIM_VoterType* group : GetVoterManager().VoterTypes()) {
        if (!group || IsEveryone(*group))
            continue;
        VoterGroupPoll poll;
        poll.node = group->name;
        poll.label = GroupName(group);
        poll.approval = group->GetApproval();
        // The history holds moods; an approval is half a mood's distance.
        poll.approvalChange = (group->history[0] - group->history[1]) * 0.5f;
        poll.size = group->GetMemberShare();
        poll.members = group->MemberCount();
        poll.memberChange = group->GetMemberChange();
        poll.trend = group->GetMembershipTrend();
        polls.push_back(poll);
    }
    return polls;
}

float EveryoneApproval() {
    const SIM_VoterType* all = GetVoterManager().FindVoterType(kEveryone);
    return all ? all->GetApproval() : 0.5f;
}

std::vector<float> PollHistoryOldestFirst() {
    const PollTracker& polls = GetPollTracker();
    std::vector<float> history(polls.shareHistory, polls.shareHistory + PollTracker::kHistory);
    std::reverse(history.begin(), history.end());
    return history;
}

std::vector<PartyFigures> PartiesFigures() {
    std::vector<PartyFigures> parties;
    const float voters = static_cast<float>(AllVoters().size());
    for (const SIM_Party* party : AllParties()) {
        if (!party)
            continue;
        PartyFigures f;
        f.name = party->partyName;
        f.players = party == GetPlayersParty();
        f.members = party->MemberCount();
        f.people = static_cast<long long>(
            std::trunc(static_cast<float>(f.members) * GetMission().populationPerVoter));
        f.shareOfVoters = voters > 0 ? static_cast<float>(f.members) / voters : 0.0f;
        f.membershipStrength = party->membershipStrength;
        f.status = party->status;
        parties.push_back(f);
    }
    return parties;
}

std::vector<PartyMix> PartyMixByVoterGroup() {
    std::vector<PartyMix> mixes;
    const SIM_Party* player = GetPlayersParty();
    const SIM_Party* opposition = GetOpposition();
    for (SIM_VoterType* group : GetVoterManager().VoterTypes()) {
        if (!group || IsEveryone(*group))
            continue;
        PartyMix mix;
        mix.node = group->name;
        mix.label = GroupName(group);
        int ours = 0, theirs = 0;
        for (const SIM_Voter* voter : group->GetMembers()) {
            if (!voter)
                continue;
            ++mix.groupMembers;
            if (player && voter->party == player)
                ++ours;
            else if (opposition && voter->party == opposition)
                ++theirs;
        }
        if (mix.groupMembers > 0) {
            mix.players = static_cast<float>(ours) / static_cast<float>(mix.groupMembers);
            mix.opposition = static_cast<float>(theirs) / static_cast<float>(mix.groupMembers);
        }
        mixes.push_back(mix);
    }
    return mixes;
}

MinisterFigures FiguresFor(const SIM_Minister& minister, int groupIndex) {
    MinisterFigures f;
    f.name = minister.fullName;
    f.portrait = minister.portrait;
    if (minister.currentPost) {
        f.post = minister.currentPost->name;
        f.postTitle = minister.currentPost->cabinetTitle;
    }
    f.loyalty = minister.loyalty;
    f.experience = minister.experience;
    f.suitability = minister.GetSuitability(groupIndex);
    f.effectiveness = MinisterFactorFor(&minister, groupIndex);
    f.capital = minister.GetPoliticalCapital();
    f.mood = minister.value;
    f.standsFor1 = GroupName(minister.sympathy1);
    f.standsFor2 = GroupName(minister.sympathy2);
    return f;
}

FireRule FireRuleFor(const SIM_Minister& minister) {
    FireRule rule;
    rule.needed = FireMinisterPointsNeeded();
    rule.available = GetPoliticalCapital().capital;
    rule.allowed = minister.HasPost() && rule.available >= rule.needed;
    const std::vector<std::pair<std::string, std::string>> values = {
        {"<NAME>", minister.fullName},
        {"<NEEDED>", std::to_string(rule.needed)},
        {"<CAPITAL>", std::to_string(rule.available)},
        {"<JOBTITLE>", minister.currentPost ? minister.currentPost->cabinetTitle : ""}};
    if (!minister.HasPost())
        rule.text = TranslateWith("CABINET_FIRE_NOPOST", values);
    else if (!rule.allowed)
        rule.text = TranslateWith("CABINET_FIRE_REFUSED", values);
    else
        rule.text = TranslateWith("CABINET_FIRE_RULE", values);
    return rule;
}

AppointRule AppointRuleFor(const SIM_Minister& minister, const SIM_PolicyGroup& post) {
    AppointRule rule;
    rule.effectivenessNow = MinisterFactorFor(post.minister, post.index);
    rule.effectivenessAfter = MinisterFactorFor(&minister, post.index);
    if (minister.currentPost == &post) {
        rule.text = TranslateWith(
            "APPOINT_ALREADY", {{"<NAME>", minister.fullName}, {"<JOBTITLE>", post.cabinetTitle}});
        return rule;
    }
    rule.allowed = true;
    rule.text =
        TranslateWith("APPOINT_RULE", {{"<NAME>", minister.fullName},
                                       {"<JOBTITLE>", post.cabinetTitle},
                                       {"<NOW>", FormatFraction(rule.effectivenessNow)},
                                       {"<AFTER>", FormatFraction(rule.effectivenessAfter)}});
    if (post.minister)
        rule.text += " " + TranslateWith("APPOINT_REPLACES", {{"<OLD>", post.minister->fullName}});
    if (minister.currentPost)
        rule.text += " " + TranslateWith("APPOINT_LEAVES_POST",
                                         {{"<NAME>", minister.fullName},
                                          {"<OLDPOST>", minister.currentPost->cabinetTitle}});
    return rule;
}

std::vector<SIM_Minister*> CandidatesFor(const SIM_PolicyGroup& post) {
    std::vector<SIM_Minister*> candidates;
    for (SIM_Minister* minister : GetCabinet().ministers) {
        if (minister && minister->currentPost != &post)
            candidates.push_back(minister);
    }
    const int index = post.index;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [index](const SIM_Minister* a, const SIM_Minister* b) {
                         if (a->HasPost() != b->HasPost())
                             return !a->HasPost();
                         const float ea = MinisterFactorFor(a, index);
                         const float eb = MinisterFactorFor(b, index);
                         if (ea != eb)
                             return ea > eb;
                         return a->loyalty > b->loyalty;
                     });
    return candidates;
}

float SecurityStops() {
    const float security = Network().securityNeuron ? Network().securityNeuron->value : 0.0f;
    return std::clamp(security, 0.0f, kAttackSecurityCap);
}

std::vector<AttackProspect> AttacksOf(const SIM_PressureGroup& group) {
    std::vector<AttackProspect> prospects;
    const float stops = SecurityStops();
    for (const SIM_AttackEvent* attack : AllAttacks()) {
        if (!attack || attack->usedBy != &group)
            continue;
        AttackProspect p;
        p.name = attack->name;
        p.label = Translate(attack->guiName.empty() ? attack->name : attack->guiName);
        p.cost = attack->cost;
        p.minStrength = attack->minStrength;
        p.minSize = attack->minSize;
        p.successChance = attack->successChance;
        p.throughSecurity = attack->successChance * (1.0f - stops);
        p.ready = attack->CanAttack();
        std::vector<std::string> reasons;
        const int wait = kAttackRepeatTurns - (GetTurnNumber() - attack->lastTrigger);
        if (wait > 0)
            reasons.push_back(
                TranslateWith("INTEL_HOLD_WAIT", {{"<TURNS>", std::to_string(wait)}}));
        if (group.strength < attack->minStrength)
            reasons.push_back(TranslateWith("INTEL_HOLD_STRENGTH",
                                            {{"<NEEDED>", Number("%.0f", attack->minStrength)}}));
        if (group.MemberCount() < attack->minSize)
            reasons.push_back(
                TranslateWith("INTEL_HOLD_SIZE", {{"<NEEDED>", std::to_string(attack->minSize)}}));
        for (const std::string& reason : reasons)
            p.holdsBack += (p.holdsBack.empty() ? "" : "; ") + reason;
        prospects.push_back(p);
    }
    return prospects;
}

std::vector<ConditionProgress> ProgressOf(const Achievement& achievement) {
    std::vector<ConditionProgress> progress;
    for (const AchievementCondition& condition : achievement.conditions) {
        ConditionProgress p;
        Neuron* node = QuietFind(condition.nodeName);
        const std::string name = node ? ShownName(*node) : condition.nodeName;
        if (!node) {
            p.text = TranslateWith("ACHIEVEMENTS_COND_MISSING", {{"<NAME>", name}});
        } else if (condition.op == kConditionActive) {
            p.met = node->active;
            p.text =
                TranslateWith(p.met ? "ACHIEVEMENTS_COND_ACTIVE" : "ACHIEVEMENTS_COND_INACTIVE",
                              {{"<NAME>", name}});
        } else if (condition.op == kConditionLess || condition.op == kConditionGreater) {
            const float value = node->GetValue();
            const bool less = condition.op == kConditionLess;
            p.met = less ? value < condition.threshold : value > condition.threshold;
            p.text = TranslateWith(less ? "ACHIEVEMENTS_COND_BELOW" : "ACHIEVEMENTS_COND_ABOVE",
                                   {{"<NAME>", name},
                                    {"<THRESHOLD>", FormatFraction(condition.threshold)},
                                    {"<NOW>", FormatFraction(value)}});
        } else {
            p.text = TranslateWith("ACHIEVEMENTS_COND_BROKEN", {{"<NAME>", name}});
        }
        progress.push_back(p);
    }
    return progress;
}
