#include "population/voter.h"

#include "base/debug_log.h"
#include "base/mission.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/simulation.h"
#include "population/party.h"
#include "population/population_state.h"
#include "population/pressure_group.h"
#include "population/voter_manager.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.1415927410125732f;
// A party member's voting opinion stays on its party's side of the middle.
constexpr float kOppositionOpinionCeiling = 0.49f;
constexpr float kPlayerOpinionFloor = 0.51f;
// Sympathy for the other side above this blocks joining a party.
constexpr float kOtherSympathyLimit = 0.1f;

float Clamp01(float x) {
    return std::clamp(x, 0.0f, 1.0f);
}

float Bump(float x, float lo, float hi) {
    // The reporter takes the source location on every call, so it is reached only on failure:
    // this runs three times per voter per turn.
    if (!(hi - lo > 0.0f)) {
        ASSERT(false);
        return 0.0f;
    }
    if (x < lo || x > hi)
        return 0.0f;
    return std::sin(kPi * (x - lo) / (hi - lo));
}

float ValueOf(const Neuron* neuron) {
    return neuron ? neuron->value : 0.0f;
}

// The opinion terms every voter shares: the national cynicism level and, while an election is
// near and a pledge is unmet, the manifesto penalty.
void ReadOpinionTerms(VoterTuning& tuning, const VoterContext& context) {
    tuning.cynicismLevel = context.cynicismLevel;
    tuning.opinionPenalty = 0.0f;
    if (context.monthsUntilElection < kManifestoPenaltyMonths && context.manifestoBroken)
        tuning.opinionPenalty = SetupFloat("MANIFESTO_BROKEN_PENALTY");
}

} // namespace

VoterTuning VoterTuning::Read(const VoterContext& context) {
    VoterTuning t;
    t.membershipThreshold = SetupFloat("VOTER_GROUP_MEMBERSHIP_THRESHHOLD");
    t.complacencyAccumulator = SetupFloat("COMPLACENCY_ACCUMULATOR");
    t.complacencyMax = SetupFloat("COMPLACENCY_MAX");
    t.manifestoPenalty = SetupFloat("MANIFESTO_BROKEN_PENALTY");
    t.oppositionIncreaseBelow = SetupFloat("VOTER_OPPOSITION_INCREASE_SYMPATHY_BELOW");
    t.oppositionDecreaseAbove = SetupFloat("VOTER_OPPOSITION_DECREASE_SYMPATHY_ABOVE");
    t.oppositionGain = SetupFloat("VOTER_OPPOSITON_SYMPATHY_GAIN");
    t.oppositionDecay = SetupFloat("VOTER_OPPOSITON_SYMPATHY_DECAY");
    t.oppositionJoin = SetupFloat("VOTER_OPPOSITION_JOIN_THRESHHOLD");
    t.oppositionLeave = SetupFloat("VOTER_OPPOSITION_LEAVE_THRESHHOLD");
    t.playerIncreaseAbove = SetupFloat("VOTER_PLAYER_INCREASE_SYMPATHY_ABOVE");
    t.playerDecreaseBelow = SetupFloat("VOTER_PLAYER_DECREASE_SYMPATHY_BELOW");
    t.playerGain = SetupFloat("VOTER_PLAYER_SYMPATHY_GAIN");
    t.playerDecay = SetupFloat("VOTER_PLAYER_SYMPATHY_DECAY");
    t.playerJoin = SetupFloat("VOTER_PLAYER_JOIN_THRESHHOLD");
    t.playerLeave = SetupFloat("VOTER_PLAYER_LEAVE_THRESHHOLD");
    t.poorThreshold = SetupFloat("POOR_INCOME_THRESHOLD");
    t.wealthyThreshold = SetupFloat("WEALTHY_INCOME_THRESHOLD");
    t.wealthyMax = SetupFloat("WEALTHY_INCOME_MAX");
    const CMission& mission = GetMission();
    t.politicalApathy = mission.HasModule("PoliticalApathy");
    t.compulsoryVoting = mission.HasModule("CompulsoryVoting");
    ReadOpinionTerms(t, context);
    return t;
}

void SetActiveVoterTuning(const VoterTuning* tuning) {
    Population().activeTuning = tuning;
}

const VoterTuning* GetActiveVoterTuning() {
    return Population().activeTuning;
}

VoterPass::VoterPass(const VoterContext& context)
    : tuning(VoterTuning::Read(context)), previous(GetActiveVoterTuning()) {
    SetActiveVoterTuning(&tuning);
}

VoterPass::~VoterPass() {
    SetActiveVoterTuning(previous);
}

void CompactVoterList() {
    PopulationState& population = Population();
    if (population.voterGaps == 0)
        return;
    std::vector<SIM_Voter*>& voters = population.voters;
    size_t kept = 0;
    for (SIM_Voter* voter : voters) {
        if (!voter)
            continue;
        voter->listIndex = static_cast<uint32_t>(kept);
        voters[kept++] = voter;
    }
    voters.resize(kept);
    population.voterGaps = 0;
}

const std::vector<SIM_Voter*>& AllVoters() {
    CompactVoterList();
    return Population().voters;
}

int VoterCount() {
    return static_cast<int>(AllVoters().size());
}

SIM_Voter::SIM_Voter() {
    typeCode = NeuronType::Voter;
    combineMode = kCombineSum;
    SetName("Voter");
    SetBaseOffset(0.5f);

    militancy = RandomFloat(0.0f, 1.0f);
    gender = Chance(0.5f) ? 0 : 1;
    const NameLists& names = GetNameLists();
    const auto& forenames = gender == 0 ? names.maleForenames : names.femaleForenames;
    forenameId = RandomIndex(static_cast<int>(forenames.size()));
    surnameId = RandomIndex(static_cast<int>(names.surnames.size()));
    votingTendency = RandomFloat(0.0f, 1.0f);
    cynicism = RandomFloat(0.8f, 1.2f);

    CompactVoterList();
    std::vector<SIM_Voter*>& voters = Population().voters;
    listIndex = static_cast<uint32_t>(voters.size());
    voters.push_back(this);
}

SIM_Voter::~SIM_Voter() {
    if (IsGameRunning()) {
        // Groups and parties live on; during a wholesale teardown they may already be gone, so
        // only a running game lets go of them.
        while (!memberSlots.empty())
            memberSlots.back().voterType->RemoveMember(this);
        voterTypes.clear();
        memberMask = 0;
        if (party)
            SetParty(nullptr);
        // Ceasing to exist is not leaving in protest: the groups forget the member at no cost.
        for (SIM_PressureGroup* group : pressureGroups)
            group->ForgetMember(this);
        pressureGroups.clear();
    }
    PopulationState& population = Population();
    std::vector<SIM_Voter*>& voters = population.voters;
    if (listIndex < voters.size() && voters[listIndex] == this) {
        voters[listIndex] = nullptr;
        ++population.voterGaps;
        while (!voters.empty() && !voters.back()) {
            voters.pop_back();
            --population.voterGaps;
        }
    }
}

bool SIM_Voter::AcceptsInput(NeuralEffect* effect) {
    const Neuron* source = effect->source;
    if (!source || source->typeCode != NeuronType::VoterType)
        return true;
    return IsMemberOf(static_cast<const SIM_VoterType*>(source));
}

float SIM_Voter::OpinionWith(const VoterTuning& tuning) {
    float o = value;
    o = o - cynicism * tuning.cynicismLevel;
    o = o - tuning.opinionPenalty;
    o = o - complacency;
    return Clamp01(o);
}

float SIM_Voter::GetOpinion() {
    if (const VoterTuning* tuning = GetActiveVoterTuning())
        return OpinionWith(*tuning);
    VoterTuning terms;
    ReadOpinionTerms(terms, VoterContext());
    return OpinionWith(terms);
}

float SIM_Voter::GetVotingOpinion() {
    float o = GetOpinion();
    if (party && party == Population().oppositionParty)
        return std::min(o, kOppositionOpinionCeiling);
    if (party && party == Population().playerParty)
        return std::max(o, kPlayerOpinionFloor);
    return o;
}

bool SIM_Voter::WouldVoteForPlayer() {
    return GetVotingOpinion() > 0.5f;
}

void SIM_Voter::UpdateTurn() {
    VoterTuning fresh;
    const VoterTuning* tuning = GetActiveVoterTuning();
    if (!tuning) {
        fresh = VoterTuning::Read();
        tuning = &fresh;
    }
    float threshold = tuning->membershipThreshold;

    // Groups whose frequency node is pushed up draw voters in, and pushed down let them go.
    for (NeuralEffect* link : inputs) {
        Neuron* source = link->source;
        if (!source || source->typeCode != NeuronType::VoterType)
            continue;
        SIM_VoterType* voterType = static_cast<SIM_VoterType*>(source);
        if (voterType->fixedMembership)
            continue;
        float s = link->scale + voterType->frequencyNode.value;
        if (s < threshold) {
            if (IsMemberOf(voterType))
                LeaveVoterType(voterType);
        } else if (!IsMemberOf(voterType)) {
            JoinVoterType(voterType, s);
        }
    }

    UpdatePressureGroups();
    UpdateSympathiesWith(1, *tuning);
    UpdateIncomeClassWith(*tuning);

    // Good times breed complacency, and it never wears off.
    if (OpinionWith(*tuning) > 0.5f && complacency < 1.0f) {
        complacency =
            complacency + tuning->complacencyAccumulator * ValueOf(Network().winningNeuron);
        complacency = std::min(complacency, tuning->complacencyMax);
    }
}

void SIM_Voter::UpdateSympathies(int steps) {
    if (const VoterTuning* tuning = GetActiveVoterTuning()) {
        UpdateSympathiesWith(steps, *tuning);
        return;
    }
    UpdateSympathiesWith(steps, VoterTuning::Read());
}

void SIM_Voter::UpdateSympathiesWith(int steps, const VoterTuning& t) {
    float f = static_cast<float>(steps);
    if (t.politicalApathy)
        f = f * 0.5f;
    float o = OpinionWith(t);

    if (o < t.oppositionIncreaseBelow && playerSympathy <= 0.0f)
        oppositionSympathy = Clamp01(oppositionSympathy + t.oppositionGain * f);
    if (o > t.oppositionDecreaseAbove)
        oppositionSympathy = Clamp01(oppositionSympathy - t.oppositionDecay * f);
    if (o > t.playerIncreaseAbove && oppositionSympathy <= 0.0f)
        playerSympathy = Clamp01(playerSympathy + t.playerGain * f);
    if (o < t.playerDecreaseBelow)
        playerSympathy = Clamp01(playerSympathy - t.playerDecay * f);

    if (!party) {
        // A voter holds one party at most: with join thresholds low enough to pass both tests,
        // the first join wins.
        if (Population().oppositionParty && oppositionSympathy > t.oppositionJoin &&
            playerSympathy <= kOtherSympathyLimit)
            SetParty(Population().oppositionParty);
        else if (Population().playerParty && playerSympathy > t.playerJoin &&
                 oppositionSympathy <= kOtherSympathyLimit)
            SetParty(Population().playerParty);
    } else if (party == Population().oppositionParty) {
        if (oppositionSympathy < t.oppositionLeave)
            SetParty(nullptr);
    } else if (party == Population().playerParty) {
        if (playerSympathy < t.playerLeave)
            SetParty(nullptr);
    }
}

void SIM_Voter::SetParty(SIM_Party* newParty) {
    SIM_Party* oldParty = party;
    if (oldParty == newParty)
        return;
    party = newParty;
    MovePartyMember(this, oldParty, newParty);
}

void SIM_Voter::InitIncome() {
    VoterTuning fresh;
    const VoterTuning* t = GetActiveVoterTuning();
    if (!t) {
        fresh = VoterTuning::Read();
        t = &fresh;
    }
    const SIM_VoterManager& manager = GetVoterManager();
    SIM_VoterType* poor = manager.GetPoor();
    SIM_VoterType* wealthy = manager.GetWealthy();
    if (poor && IsMemberOf(poor))
        income = RandomFloat(0.0f, t->poorThreshold);
    else if (wealthy && IsMemberOf(wealthy))
        income = RandomFloat(t->wealthyThreshold, t->wealthyMax);
    else
        income = RandomFloat(t->poorThreshold, t->wealthyThreshold);
    UpdateIncomeClassWith(*t);
}

void SIM_Voter::UpdateIncomeClass() {
    if (const VoterTuning* tuning = GetActiveVoterTuning()) {
        UpdateIncomeClassWith(*tuning);
        return;
    }
    UpdateIncomeClassWith(VoterTuning::Read());
}

void SIM_Voter::UpdateIncomeClassWith(const VoterTuning& t) {
    const SIM_VoterManager& manager = GetVoterManager();
    SIM_VoterType* classes[3] = {manager.GetPoor(), manager.GetMiddleIncome(),
                                 manager.GetWealthy()};
    SIM_VoterType* poor = classes[0];
    SIM_VoterType* wealthy = classes[2];

    float r;
    if (poor && IsMemberOf(poor))
        r = ValueOf(Network().lowIncome);
    else if (wealthy && IsMemberOf(wealthy))
        r = ValueOf(Network().highIncome);
    else
        r = ValueOf(Network().middleIncome);

    float p = t.poorThreshold;
    float w = t.wealthyThreshold;
    float m = t.wealthyMax;
    float x = income + income * r;
    int joined = x < p ? 0 : (x < w ? 1 : 2);

    // The voter ends in exactly the class its income gives. Most voters keep theirs, and leaving
    // and rejoining would only reorder the member lists, so that is skipped.
    bool settled = true;
    for (int i = 0; i < 3; ++i) {
        if (!classes[i])
            continue;
        int listed = 0;
        for (const SIM_VoterType* vt : voterTypes)
            if (vt == classes[i])
                ++listed;
        if (listed != (i == joined ? 1 : 0))
            settled = false;
    }
    if (!settled) {
        for (SIM_VoterType* vt : classes)
            if (vt)
                LeaveVoterType(vt);
        if (SIM_VoterType* vt = classes[joined]) {
            vt->AddMember(this);
            AddVoterType(vt);
        }
    }

    float strengths[3] = {Bump(x, -1.2f * p, 1.2f * p), Bump(x, 0.8f * p, 1.2f * w),
                          Bump(x, 0.8f * w, w + m)};
    // One walk over the links finds all three classes (the first link from each).
    bool set[3] = {false, false, false};
    for (NeuralEffect* link : inputs) {
        for (int i = 0; i < 3; ++i) {
            if (!set[i] && classes[i] && link->source == static_cast<Neuron*>(classes[i])) {
                link->scale = strengths[i];
                set[i] = true;
            }
        }
    }
}

void SIM_Voter::UpdatePressureGroups() {
    const std::vector<SIM_PressureGroup*>& groups = AllPressureGroups();
    if (groups.empty())
        return;
    float o = GetOpinion();
    float throttle = SetupFloat(kPressureGroupJoinThrottle);
    for (SIM_PressureGroup* group : groups) {
        bool member =
            std::find(pressureGroups.begin(), pressureGroups.end(), group) != pressureGroups.end();
        if (member) {
            if (o > group->leaveAbove || !group->QualifiesWith(this, throttle))
                LeavePressureGroup(this, group);
        } else if (group->active && o < group->joinBelow && militancy >= group->militancyNeeded &&
                   group->QualifiesWith(this, throttle)) {
            JoinPressureGroup(this, group);
        }
    }
}

void SIM_Voter::CalculateTurnoutChance() {
    VoterTuning fresh;
    const VoterTuning* t = GetActiveVoterTuning();
    if (!t) {
        // Only the modules and the opinion terms are needed here.
        const CMission& mission = GetMission();
        fresh.politicalApathy = mission.HasModule("PoliticalApathy");
        fresh.compulsoryVoting = mission.HasModule("CompulsoryVoting");
        ReadOpinionTerms(fresh, VoterContext());
        t = &fresh;
    }
    if (t->compulsoryVoting || party) {
        turnoutChance = 1.0f;
        return;
    }
    float o = OpinionWith(*t);
    float strength = 2.0f * std::fabs(o - 0.5f);
    SIM_Party* favoured = o >= 0.5f ? Population().playerParty : Population().oppositionParty;
    float partyStrength = 0.0f;
    if (favoured)
        partyStrength = PartyMembershipStrength(favoured);
    float chance = votingTendency * Population().votingTendencyMultiplier +
                   Population().votingOpinionMultiplier * strength +
                   Population().votingPartyMultiplier * partyStrength;
    if (t->politicalApathy)
        chance = chance * 0.5f;
    turnoutChance = Clamp01(chance);
}

void SIM_Voter::CastVote() {
    CalculateTurnoutChance();
    // A certain turnout is certain: the draw alone could miss at its very top.
    bool votes = Chance(turnoutChance) || turnoutChance >= 1.0f;
    if (votes)
        lastVote = GetVotingOpinion() >= 0.5f ? kVotePlayer : kVoteOpposition;
    else
        lastVote = kVoteNone;
}

NeuralEffect* SIM_Voter::FindVoterTypeLink(const SIM_VoterType* voterType) const {
    const Neuron* wanted = voterType;
    for (NeuralEffect* link : inputs)
        if (link->source == wanted)
            return link;
    return nullptr;
}

float SIM_Voter::GetAffinity(const SIM_VoterType* voterType) const {
    float affinity = 0.0f;
    for (const NeuralEffect* link : inputs) {
        const Neuron* source = link->source;
        if (!source || source->typeCode != NeuronType::VoterType)
            continue;
        const SIM_VoterType* member = static_cast<const SIM_VoterType*>(source);
        if (IsMemberOf(member))
            affinity += member->GetCorrelation(voterType);
    }
    return affinity;
}

float SIM_Voter::GetStrength(const SIM_VoterType* voterType) const {
    const NeuralEffect* link = FindVoterTypeLink(voterType);
    return link ? link->scale : 0.0f;
}

bool SIM_Voter::IsMemberOf(const SIM_VoterType* voterType) const {
    if (voterType && voterType->memberBit >= 0)
        return (memberMask >> voterType->memberBit) & 1u;
    return std::find(voterTypes.begin(), voterTypes.end(), voterType) != voterTypes.end();
}

void SIM_Voter::AddVoterType(SIM_VoterType* voterType) {
    voterTypes.push_back(voterType);
    if (voterType && voterType->memberBit >= 0)
        memberMask |= uint64_t{1} << voterType->memberBit;
}

void SIM_Voter::RemoveVoterType(SIM_VoterType* voterType) {
    voterTypes.erase(std::remove(voterTypes.begin(), voterTypes.end(), voterType),
                     voterTypes.end());
    if (voterType && voterType->memberBit >= 0)
        memberMask &= ~(uint64_t{1} << voterType->memberBit);
}

void SIM_Voter::LeaveVoterType(SIM_VoterType* voterType) {
    voterType->RemoveMember(this);
    RemoveVoterType(voterType);
}

void SIM_Voter::JoinVoterType(SIM_VoterType* voterType, float strength) {
    SIM_VoterType* opposite = voterType->opposite;
    if (opposite && IsMemberOf(opposite)) {
        // The latest link from the opposite is the one that counts.
        float held = 0.0f;
        for (const NeuralEffect* link : inputs)
            if (link->source == static_cast<const Neuron*>(opposite))
                held = link->scale;
        held += opposite->frequencyNode.value;
        if (!(strength > held))
            return;
        voterType->AddMember(this);
        AddVoterType(voterType);
        LeaveVoterType(opposite);
        return;
    }
    voterType->AddMember(this);
    AddVoterType(voterType);
}
