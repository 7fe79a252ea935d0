#pragma once
// SIM_PolicyGroup: one of the seven fixed areas of government (one per cabinet post). A group
// knows its minister, the policies introduced in it and how popular those policies are.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class SIM_Minister;
class SIM_Policy;

constexpr int kPolicyGroupCount = 7;

// The group keys in index order; the index also picks the minister's suitability entry.
inline constexpr const char* kPolicyGroupKeys[kPolicyGroupCount] = {
    "FOREIGNPOLICY", "WELFARE", "ECONOMY", "TAX", "PUBLICSERVICES", "LAWANDORDER", "TRANSPORT"};

// The groups share the main screen's circle in equal sectors.
constexpr float kPolicyGroupAngleStep = 51.42857f;

// The centre angle, in degrees, of the sector of the group with this index: the step added up
// in single precision, so the figures match the screen layout exactly.
float PolicyGroupAngle(int index);

class SIM_PolicyGroup {
public:
    // Sets up the group for a game: key, position and translated names; forgets the policies of
    // an earlier game.
    void InitGroup(float angleDegrees, const char* key, int groupIndex);
    void AddPolicy(SIM_Policy* policy);
    void RemovePolicy(SIM_Policy* policy);
    // The voter-weighted popularity of the group's policies, 0 … 1, worked out once per turn.
    float GetPopularity();

    std::string name;
    int32_t index = 0;
    std::string displayName;
    std::string cabinetTitle;
    SIM_Minister* minister = nullptr;
    std::vector<SIM_Policy*> policies;
    float popularity = 0.5f;
    int32_t popularityTurn = -1;
    // Kept for the main screen, which places the group's icons around this angle.
    float angle = 0.0f;
};

// One voter group as the popularity sum sees it: its size and, where it has one, its preference
// for a policy (false when it has none).
struct PolicyAudience {
    float size = 0.0f;
    std::function<bool(const SIM_Policy& policy, float& preference)> preference;
};

// The voter groups register a source of audiences; without one every group's popularity is 0.5.
using PolicyAudienceSource = std::function<std::vector<PolicyAudience>()>;
void SetPolicyAudienceSource(PolicyAudienceSource source);
