#include "population/pressure_group.h"

#include "base/debug_log.h"
#include "base/mission.h"
#include "base/random.h"
#include "base/row_reader.h"
#include "base/setup_table.h"
#include "base/tokenizer.h"
#include "base/translation.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "population/attack.h"
#include "population/population_state.h"
#include "population/voter.h"
#include "population/voter_type.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

std::string Trim(const std::string& text) {
    size_t begin = 0;
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    return RightTrim(text.substr(begin));
}

// The scale of the voter's first link from the node, as the voter's own strength lookup reads
// it; a node that is not a voter group is compared the same way.
float StrengthOf(const SIM_Voter* voter, const Neuron* node) {
    for (const NeuralEffect* link : voter->inputs)
        if (link->source == node)
            return link->scale;
    return 0.0f;
}

float ApprovalOf(const Neuron* node) {
    if (node->typeCode == NeuronType::VoterType)
        return static_cast<const SIM_VoterType*>(node)->GetApproval();
    return std::clamp((node->value + 1.0f) * 0.5f, 0.0f, 1.0f);
}

} // namespace

SIM_PressureGroup::SIM_PressureGroup() {
    Population().pressureGroups.push_back(this);
}

SIM_PressureGroup::~SIM_PressureGroup() {
    std::vector<SIM_PressureGroup*>& groups = Population().pressureGroups;
    groups.erase(std::remove(groups.begin(), groups.end(), this), groups.end());
}

void SIM_PressureGroup::Parse(const std::string& row) {
    CTokenizer cells(row);
    cells.NextToken(); // the row's '#'
    name = cells.NextString();
    guiName = cells.NextString();
    activeBelow = cells.NextFloat();
    leaveAbove = cells.NextFloat();
    joinBelow = cells.NextFloat();
    militancyNeeded = cells.NextFloat();
    growth = cells.NextFloat();
    for (std::string& text : texts)
        text = cells.NextString();

    int filled = 0;
    while (!cells.AtEnd()) {
        std::string cell = Trim(cells.NextToken());
        if (cell.size() <= 2)
            continue;
        size_t comma = cell.find(',');
        std::string nodeName = Trim(cell.substr(0, comma));
        float weight = 0.0f;
        if (comma != std::string::npos)
            weight = std::strtof(cell.c_str() + comma + 1, nullptr);
        Neuron* node = FindNeuron(nodeName);
        if (!node) {
            std::string message = "neuron not found in pressure group load: " + nodeName;
            REPORT_ERROR(message.c_str());
            continue;
        }
        if (node->typeCode != NeuronType::VoterType) {
            std::string message = "invalid cast for " + nodeName + " in " + name + " reqbuffer " +
                                  cell + " whole line " + RightTrim(row);
            REPORT_ERROR(message.c_str());
        }
        if (!primaryType)
            primaryType = node;
        if (filled < kPressureGroupRequirements) {
            requirementTypes[filled] = node;
            requirementWeights[filled] = weight;
            ++filled;
        }
    }
}

bool SIM_PressureGroup::Qualifies(const SIM_Voter* voter) const {
    return QualifiesWith(voter, SetupFloat(kPressureGroupJoinThrottle));
}

bool SIM_PressureGroup::QualifiesWith(const SIM_Voter* voter, float throttle) const {
    if (!voter)
        return false;
    float sum = 0.0f;
    for (int i = 0; i < kPressureGroupRequirements; ++i)
        if (requirementTypes[i])
            sum += StrengthOf(voter, requirementTypes[i]) * requirementWeights[i];
    return sum > throttle;
}

void SIM_PressureGroup::AddMember(SIM_Voter* voter) {
    ASSERT(voter);
    if (voter)
        members.push_back(voter);
}

void SIM_PressureGroup::RemoveMember(SIM_Voter* voter) {
    ForgetMember(voter);
    strength -= 1.0f;
}

void SIM_PressureGroup::ForgetMember(const SIM_Voter* voter) {
    members.erase(std::remove(members.begin(), members.end(), voter), members.end());
}

bool SIM_PressureGroup::HasMember(const SIM_Voter* voter) const {
    return std::find(members.begin(), members.end(), voter) != members.end();
}

const std::string& SIM_PressureGroup::GetText(int index) const {
    static const std::string kEmpty;
    if (index < 0 || index >= kPressureGroupTexts)
        return kEmpty;
    return texts[index];
}

void SIM_PressureGroup::UpdateTurn() {
    active = primaryType && ApprovalOf(primaryType) < activeBelow;

    float count = static_cast<float>(MemberCount());
    strength = strength + count * growth;
    if (strength > kPressureGroupStrengthPerMember * count)
        strength = kPressureGroupStrengthPerMember * count;

    std::vector<SIM_AttackEvent*> ready;
    for (SIM_AttackEvent* attack : AllAttacks())
        if (attack->usedBy == this && attack->CanAttack())
            ready.push_back(attack);
    if (!ready.empty()) {
        SIM_AttackEvent* chosen = ready[RandomIndex(static_cast<int>(ready.size()))];
        strength -= chosen->cost;
        QueueAttack(chosen);
    }

    int32_t now = MemberCount();
    if (lastMemberCount > now)
        trend = kPressureTrendFewer;
    else if (lastMemberCount < now)
        trend = kPressureTrendMore;
    else
        trend = kPressureTrendSame;
    lastMemberCount = now;
}

std::string SIM_PressureGroup::MembershipText() const {
    if (MemberCount() < kPressureGroupMinimalMembers)
        return Translate(kPressureGroupMembershipMinimal);
    float people = std::trunc(static_cast<float>(MemberCount()) * GetMission().populationPerVoter);
    float divisor = SetupFloat(kPressureGroupDivisor);
    // Without a divisor the estimate is shown undivided rather than as infinity.
    float shown = divisor > 0.0f ? std::trunc(people / divisor) : people;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.0f", static_cast<double>(shown));
    return buffer;
}

float SIM_PressureGroup::GetThreat() const {
    return std::clamp(strength / kPressureGroupThreatScale * growth, 0.0f, 1.0f);
}

const std::vector<SIM_PressureGroup*>& AllPressureGroups() {
    return Population().pressureGroups;
}

void LoadPressureGroups() {
    ReleasePressureGroups();
    CSpreadsheet table(kPressureGroupsFile);
    for (size_t i = 0; i < table.Rows().size(); ++i) {
        ContentPlace place(table.File(), table.LineOf(i));
        SIM_PressureGroup* group = new SIM_PressureGroup();
        group->Parse(table.Rows()[i]);
    }
}

void ReleasePressureGroups() {
    ReleaseAttacks();
    std::vector<SIM_PressureGroup*>& groups = Population().pressureGroups;
    if (groups.empty())
        return;
    // Only live voters are visited: a member destroyed earlier is never read through.
    for (SIM_Voter* voter : AllVoters())
        voter->pressureGroups.clear();
    while (!groups.empty())
        delete groups.back();
}

SIM_PressureGroup* LookupPressureGroup(const std::string& name) {
    for (SIM_PressureGroup* group : Population().pressureGroups)
        if (group->name == name)
            return group;
    return nullptr;
}

SIM_PressureGroup* FindPressureGroup(const std::string& name) {
    SIM_PressureGroup* group = LookupPressureGroup(name);
    if (!group) {
        std::string message = "Failed to find group: " + name;
        REPORT_ERROR(message.c_str());
    }
    return group;
}

void JoinPressureGroup(SIM_Voter* voter, SIM_PressureGroup* group) {
    if (!voter || !group)
        return;
    group->AddMember(voter);
    voter->pressureGroups.push_back(group);
}

void LeavePressureGroup(SIM_Voter* voter, SIM_PressureGroup* group) {
    if (!voter || !group)
        return;
    group->RemoveMember(voter);
    auto& list = voter->pressureGroups;
    list.erase(std::remove(list.begin(), list.end(), group), list.end());
}

void UpdateAllPressureGroups() {
    for (SIM_PressureGroup* group : Population().pressureGroups)
        group->UpdateTurn();
}

void CapPressureGroupStrengths(float cap) {
    for (SIM_PressureGroup* group : Population().pressureGroups)
        if (group->strength > cap)
            group->strength = cap;
}
