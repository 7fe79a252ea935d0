#include "government/policy_group.h"

#include "base/debug_log.h"
#include "base/translation.h"
#include "base/turn.h"

#include <algorithm>

namespace {
PolicyAudienceSource& AudienceSource() {
    static PolicyAudienceSource source;
    return source;
}
} // namespace

void SetPolicyAudienceSource(PolicyAudienceSource source) {
    AudienceSource() = std::move(source);
}

float PolicyGroupAngle(int index) {
    float angle = 0.0f;
    for (int i = 0; i < index; ++i)
        angle = angle + kPolicyGroupAngleStep;
    return angle;
}

void SIM_PolicyGroup::InitGroup(float angleDegrees, const char* key, int groupIndex) {
    angle = angleDegrees;
    name = key ? key : "";
    index = groupIndex;
    displayName = Translate("POLICY_NAME_" + name);
    cabinetTitle = Translate("GUI_CABINET_" + name);
    policies.clear();
    popularity = 0.5f;
    popularityTurn = -1;
}

void SIM_PolicyGroup::AddPolicy(SIM_Policy* policy) {
    ASSERT(policy != nullptr);
    if (policy)
        policies.push_back(policy);
}

void SIM_PolicyGroup::RemovePolicy(SIM_Policy* policy) {
    ASSERT(policy != nullptr);
    if (policy)
        policies.erase(std::remove(policies.begin(), policies.end(), policy), policies.end());
}

float SIM_PolicyGroup::GetPopularity() {
    int32_t turn = GetTurnNumber();
    if (popularityTurn == turn)
        return popularity;
    popularityTurn = turn;

    float sum = 0.0f;
    float weight = 0.0f;
    if (AudienceSource()) {
        for (const PolicyAudience& audience : AudienceSource()()) {
            if (!audience.preference)
                continue;
            for (SIM_Policy* policy : policies) {
                float preference = 0.0f;
                if (!policy || !audience.preference(*policy, preference))
                    continue;
                sum = sum + audience.size * preference;
                weight = weight + audience.size;
            }
        }
    }
    if (weight <= 0.0f) {
        popularity = 0.5f;
        return popularity;
    }
    popularity = std::clamp(sum / weight + 0.5f, 0.0f, 1.0f);
    return popularity;
}
