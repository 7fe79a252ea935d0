#include "population/voter_type.h"

#include "base/debug_log.h"
#include "base/random.h"
#include "base/setup_table.h"
#include "base/tokenizer.h"
#include "base/translation.h"
#include "network/neural_effect.h"
#include "population/grudge.h"
#include "population/population_state.h"
#include "population/voter.h"
#include "population/voter_manager.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int32_t kMemberBits = 64;

constexpr const char kAllVotersName[] = "_All_";
constexpr const char kMembershipLinkFormula[] = "0+(x*1.0)";
// Names and shown names hold 63 characters.
constexpr size_t kMaxNameCell = kNeuronNameSize - 1;

float MembershipThreshold() {
    if (const VoterTuning* tuning = GetActiveVoterTuning())
        return tuning->membershipThreshold;
    return SetupFloat("VOTER_GROUP_MEMBERSHIP_THRESHHOLD");
}

float VoterTotal() {
    return static_cast<float>(GetVoterManager().GetVoterTotal());
}

void ReportCorrupt() {
    REPORT_ERROR("VoterType data corrupted");
}

} // namespace

SIM_VoterType::SIM_VoterType() {
    typeCode = NeuronType::VoterType;
    combineMode = kCombineSum;
    percentNode.MarkEmbedded();
    percentNode.keepsHistory = false;
    frequencyNode.MarkEmbedded();
    frequencyNode.typeCode = NeuronType::VoterFrequency;
    for (int32_t bit = 0; bit < kMemberBits; ++bit) {
        if (!(Population().takenMemberBits & (uint64_t{1} << bit))) {
            memberBit = bit;
            Population().takenMemberBits |= uint64_t{1} << bit;
            break;
        }
    }
    GetVoterManager().AddVoterType(this);
    frequencyNode.SetBaseOffset(0.0f);
    frequencyNode.Process();
}

SIM_VoterType::~SIM_VoterType() {
    if (IsGameRunning()) {
        // Voters outlive their groups when only the groups are reloaded; they must not keep
        // pointing at this one.
        while (!members.empty()) {
            SIM_Voter* voter = members.back();
            RemoveMember(voter);
            voter->RemoveVoterType(this);
        }
        // A voter may list a group it is not a member of on this side; its bit must not pass to
        // the next group that takes it.
        for (SIM_Voter* voter : AllVoters())
            if (voter->IsMemberOf(this))
                voter->RemoveVoterType(this);
        if (SIM_VoterManager* manager = FindVoterManager())
            for (SIM_VoterType* other : manager->VoterTypes())
                if (other->opposite == this)
                    other->opposite = nullptr;
    }
    if (SIM_VoterManager* manager = FindVoterManager())
        manager->ForgetVoterType(this);
    if (memberBit >= 0)
        Population().takenMemberBits &= ~(uint64_t{1} << memberBit);
}

bool SIM_VoterType::Parse(const std::string& row) {
    CTokenizer cells(row, ',');
    cells.NextToken();

    std::string cell = cells.NextToken();
    if (cell.size() > kMaxNameCell) {
        ReportCorrupt();
        return false;
    }
    SetName(cell);
    char text[128];
    std::snprintf(text, sizeof text, "%s_perc", name);
    percentNode.SetName(text);
    std::snprintf(text, sizeof text, "%s_freq", name);
    frequencyNode.SetName(text);
    std::snprintf(text, sizeof text, "%s (%s)", name, Translate("VOTER_TYPE_QUANTITY").c_str());
    percentNode.SetGuiName(text);

    cell = cells.NextToken();
    if (cell.size() > kMaxNameCell) {
        ReportCorrupt();
        return false;
    }
    SetGuiName(cell);
    std::snprintf(text, sizeof text, "%s %s", guiName, Translate("VOTERFREQ_MEMBERSHIP").c_str());
    frequencyNode.SetGuiName(text);

    description = cells.NextToken();
    picture = cells.NextToken();
    fixedMembership = cells.NextInt() != 0;
    SetBaseOffset(cells.NextFloat());
    SetStartShare(cells.NextFloat());
    oppositeName = cells.NextToken();
    extraText = cells.NextToken();

    // The fixed cells end with a '#' marker; without it the row is still used, and whatever
    // follows is read as correlations.
    const std::string& marker = cells.NextToken();
    if (marker.empty() || marker[0] != '#')
        ReportCorrupt();

    while (!cells.AtEnd()) {
        std::string pair = RightTrim(cells.NextToken());
        if (pair.size() > kMaxCorrelationCell) {
            ReportCorrupt();
            return false;
        }
        size_t comma = pair.find(',');
        if (comma == std::string::npos)
            continue;
        correlations.emplace_back(pair.substr(0, comma),
                                  std::strtof(pair.c_str() + comma + 1, nullptr));
    }
    // The people strip builds its icons from the manager's list once the interface exists.
    return true;
}

void SIM_VoterType::SetStartShare(float share) {
    ASSERT(share >= 0.0f && share <= 1.0f);
    percentNode.SetBaseOffset(share);
}

void SIM_VoterType::ResolveOpposite() {
    if (oppositeName.empty())
        return;
    Neuron* found = FindNeuron(oppositeName);
    if (found && found->typeCode == NeuronType::VoterType) {
        opposite = static_cast<SIM_VoterType*>(found);
        return;
    }
    opposite = nullptr;
    char message[160];
    std::snprintf(message, sizeof message, "Failed to find opposite (%s)", oppositeName.c_str());
    REPORT_ERROR(message);
}

float SIM_VoterType::GetCorrelation(const SIM_VoterType* other) const {
    if (!other || other == this)
        return 0.0f;
    for (const auto& correlation : correlations)
        if (std::strcmp(correlation.first.c_str(), other->name) == 0)
            return correlation.second;
    return 0.0f;
}

float SIM_VoterType::GetMemberShare() const {
    float total = VoterTotal();
    if (total <= 0.0f)
        return 0.0f;
    return static_cast<float>(members.size()) / total;
}

void SIM_VoterType::AddMember(SIM_Voter* voter) {
    if (!voter) {
        ASSERT(false);
        return;
    }
    voter->memberSlots.push_back({this, static_cast<uint32_t>(members.size())});
    members.push_back(voter);
}

void SIM_VoterType::RemoveMember(SIM_Voter* voter) {
    if (!voter) {
        ASSERT(false);
        return;
    }
    // A voter listed twice has two slots; each removal moves another entry, so look again.
    for (;;) {
        auto& slots = voter->memberSlots;
        auto found =
            std::find_if(slots.begin(), slots.end(),
                         [this](const SIM_Voter::MemberSlot& s) { return s.voterType == this; });
        if (found == slots.end())
            return;
        RemoveMemberAt(found->index);
    }
}

void SIM_VoterType::RemoveMemberAt(uint32_t index) {
    if (index >= members.size())
        return;
    SIM_Voter* voter = members[index];
    auto& slots = voter->memberSlots;
    for (size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].voterType == this && slots[i].index == index) {
            slots.erase(slots.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    uint32_t last = static_cast<uint32_t>(members.size() - 1);
    if (index != last) {
        SIM_Voter* moved = members[last];
        for (auto& slot : moved->memberSlots) {
            if (slot.voterType == this && slot.index == last) {
                slot.index = index;
                break;
            }
        }
        members[index] = moved;
    }
    members.pop_back();
}

void SIM_VoterType::RestoreMemberships(const std::vector<SIM_Voter*>& voters,
                                       const std::vector<SIM_VoterType*>& types,
                                       const std::vector<std::vector<int32_t>>& membersOfType,
                                       const std::vector<std::vector<int32_t>>& typesOfVoter) {
    for (SIM_Voter* voter : voters) {
        voter->memberSlots.clear();
        voter->voterTypes.clear();
        voter->memberMask = 0;
    }
    for (SIM_VoterType* type : types)
        type->members.clear();
    const auto inRange = [](int32_t index, size_t size) {
        return index >= 0 && static_cast<size_t>(index) < size;
    };
    for (size_t t = 0; t < types.size() && t < membersOfType.size(); ++t) {
        for (int32_t index : membersOfType[t])
            if (inRange(index, voters.size()))
                types[t]->AddMember(voters[static_cast<size_t>(index)]);
    }
    for (size_t v = 0; v < voters.size() && v < typesOfVoter.size(); ++v) {
        for (int32_t index : typesOfVoter[v])
            if (inRange(index, types.size()))
                voters[v]->AddVoterType(types[static_cast<size_t>(index)]);
    }
}

void SIM_VoterType::SetMembership(SIM_Voter* voter, float strength) {
    if (!voter) {
        ASSERT(false);
        return;
    }
    ApplyMembership(voter, strength, voter->FindVoterTypeLink(this), MembershipThreshold());
}

void SIM_VoterType::ApplyMembership(SIM_Voter* voter, float strength, NeuralEffect* link,
                                    float threshold) {
    if (link)
        link->scale = strength;
    else
        new NeuralEffect(this, voter, kMembershipLinkFormula, strength, 1.0f);

    if (strength > threshold) {
        AddMember(voter);
        if (!voter->IsMemberOf(this))
            voter->AddVoterType(this);
    } else {
        RemoveMember(voter);
        if (voter->IsMemberOf(this))
            voter->RemoveVoterType(this);
    }
}

void SIM_VoterType::AssignInitialMembers() {
    int target = static_cast<int>(percentNode.value * VoterTotal());
    if (target <= 0)
        return;
    const std::vector<SIM_Voter*>& voters = AllVoters();
    const size_t count = voters.size();

    // Each voter's affinity as GetAffinity gives it, gathered from the groups' side: a voter has
    // one link from each group it belongs to, offered in list order, so adding each group's
    // correlation over its members in list order gives the same sums without visiting every
    // voter once per group.
    std::vector<float> affinity(count, 0.0f);
    if (SIM_VoterManager* manager = FindVoterManager()) {
        for (const SIM_VoterType* other : manager->VoterTypes()) {
            float weight = other->GetCorrelation(this);
            if (weight == 0.0f)
                continue;
            for (const SIM_Voter* member : other->members)
                affinity[member->listIndex] += weight;
        }
    }
    // Scores carry the voter's place in the list, so ranking them never touches the voters.
    std::vector<std::pair<uint32_t, float>> scored(count);
    for (size_t i = 0; i < count; ++i)
        scored[i] = {static_cast<uint32_t>(i), affinity[i] + RandomFloat(0.0f, 1.0f)};

    // Only the best `target` scores are needed in order (more only when a draw lands exactly on
    // the threshold), so those are split off and sorted first, the rest only if it comes to that.
    auto byScore = [](const std::pair<uint32_t, float>& a, const std::pair<uint32_t, float>& b) {
        return a.second > b.second;
    };
    size_t sorted = std::min(static_cast<size_t>(target), count);
    std::nth_element(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(sorted),
                     scored.end(), byScore);
    std::sort(scored.begin(), scored.begin() + static_cast<std::ptrdiff_t>(sorted), byScore);
    auto sortRest = [&](size_t i) {
        if (i == sorted) {
            std::sort(scored.begin() + static_cast<std::ptrdiff_t>(sorted), scored.end(), byScore);
            sorted = count;
        }
    };

    bool everyone = std::strcmp(name, kAllVotersName) == 0;
    float threshold = MembershipThreshold();
    auto drawStrength = [&]() { return everyone ? 1.0f : RandomFloat(threshold, 1.0f); };

    if (!members.empty()) {
        // Not a fresh population: a voter who already belongs could leave on a low draw, so the
        // count is only known by applying each pick in turn.
        for (size_t i = 0; i < count; ++i) {
            sortRest(i);
            SetMembership(voters[scored[i].first], drawStrength());
            if (static_cast<int>(members.size()) >= target)
                return;
        }
        return;
    }

    // In a fresh population every draw above the threshold adds exactly one member, so the picks
    // and their strengths are settled first, in score order, and then applied in list order,
    // walking the voters and this group's links through memory front to back.
    std::vector<float> strength(count, 0.0f);
    std::vector<uint8_t> picked(count, 0);
    int joining = 0;
    for (size_t i = 0; i < count && joining < target; ++i) {
        sortRest(i);
        float drawn = drawStrength();
        size_t index = scored[i].first;
        strength[index] = drawn;
        picked[index] = 1;
        if (drawn > threshold)
            ++joining;
    }

    // The outputs were made voter by voter in list order, so each voter's link is found by
    // moving on through them; should that order not hold, the voter's own inputs are searched.
    size_t output = 0;
    bool inOrder = true;
    for (size_t i = 0; i < count; ++i) {
        if (!picked[i])
            continue;
        SIM_Voter* voter = voters[i];
        NeuralEffect* link = nullptr;
        if (inOrder) {
            size_t at = output;
            while (at < outputs.size() && outputs[at]->target != voter)
                ++at;
            if (at < outputs.size()) {
                link = outputs[at];
                output = at + 1;
            } else {
                inOrder = false;
            }
        }
        if (!inOrder)
            link = voter->FindVoterTypeLink(this);
        ApplyMembership(voter, strength[i], link, threshold);
    }
}

void SIM_VoterType::UpdateTurn() {
    float share = GetMemberShare();
    percentNode.SetBaseOffset(share);
    percentNode.value = share;
    percentNode.PushToOutputs();
    percentNode.UpdateHistory();

    // Indexed, because a new grudge adds a link to this list while it is walked.
    for (size_t i = 0; i < inputs.size(); ++i) {
        NeuralEffect* link = inputs[i];
        if (!link->IsSourceActive() || link->GetOutput() >= kGrudgeTriggerOutput ||
            link->source->typeCode != NeuronType::Policy)
            continue;
        const char* policyName = link->source->name;
        if (Neuron* grudge = FindInputSourceGrudge(policyName))
            grudge->value = kGrudgeStartValue;
        else
            CreateGrudge(policyName, name, kGrudgeStartValue, kGrudgeDecay);
    }

    int32_t count = static_cast<int32_t>(members.size());
    if (lastMemberCount == count)
        membershipTrend = 1;
    else if (static_cast<uint32_t>(lastMemberCount) < static_cast<uint32_t>(count))
        membershipTrend = 2;
    else
        membershipTrend = 0;
    if (lastMemberCount != -1)
        memberChange = count - lastMemberCount;
    lastMemberCount = count;
}

void SIM_VoterType::UpdateVoteShares() {
    int forPlayer = 0;
    int voted = 0;
    for (const SIM_Voter* voter : members) {
        if (voter->lastVote == kVotePlayer) {
            ++forPlayer;
            ++voted;
        } else if (voter->lastVote == kVoteOpposition) {
            ++voted;
        }
    }
    if (members.empty()) {
        playerShareOfVotes = 0.0f;
        turnoutShare = 0.0f;
        return;
    }
    // A group none of whose members voted gave the player nothing.
    playerShareOfVotes =
        voted > 0 ? static_cast<float>(forPlayer) / static_cast<float>(voted) : 0.0f;
    turnoutShare = static_cast<float>(voted) / static_cast<float>(members.size());
}

float SIM_VoterType::GetApproval() const {
    return std::clamp((value + 1.0f) * 0.5f, 0.0f, 1.0f);
}
