#include "interface/screens/main_screen/icon_layout.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr float kDegreesToRadians = 0.0174532924f;
constexpr float kSectorWidth = 51.0f;
constexpr float kAngleStep = 6.0f;
constexpr float kFirstAngleOffset = 6.0f;
constexpr float kLastAngleMargin = 3.0f;
constexpr float kFirstRadius = 100.0f;
constexpr float kRadiusStep = 32.0f;
constexpr float kTopClearance = 70.0f;
constexpr float kBottomClearance = 32.0f;
// An icon's middle stays this far from the sides, so that the icon and its hover ring are seen
// whole.
constexpr float kSideClearance = 24.0f;
// Distance score of a candidate when there is no other icon to keep away from.
constexpr float kNoNeighbourScore = 999.0f;

uint32_t Mix(uint32_t a, uint32_t b, float t) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const float ca = static_cast<float>((a >> shift) & 0xFF);
        const float cb = static_cast<float>((b >> shift) & 0xFF);
        out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}
} // namespace

IconPoint PolarPoint(const IconArea& area, float angleDegrees, float radius) {
    const float a = angleDegrees * kDegreesToRadians;
    return {area.width / 2 + radius * std::sin(a), area.height / 2 - radius * std::cos(a)};
}

GroupSector SectorAround(float groupAngle) {
    GroupSector sector;
    sector.start = groupAngle - kSectorWidth / 2;
    if (sector.start < 0)
        sector.start += 360;
    sector.end = sector.start + kSectorWidth;
    if (sector.end >= 360)
        sector.end -= 360;
    return sector;
}

std::vector<float> SectorAngles(const GroupSector& sector) {
    const float end = sector.end < sector.start ? sector.end + 360 : sector.end;
    std::vector<float> angles;
    for (float a = sector.start + kFirstAngleOffset; a < end - kLastAngleMargin; a += kAngleStep)
        angles.push_back(a > 360 ? a - 360 : a);
    return angles;
}

AreaRect CentralExclusion(const IconArea& area) {
    const float s = area.scale, cx = area.width / 2, cy = area.height / 2;
    const float margin = 24 * s;
    return {cx - 190 * s - margin, cy - 130 * s - margin, cx + 190 * s + margin,
            cy + 170 * s + margin};
}

bool PlaceAllowed(const IconArea& area, float x, float y) {
    const float side = kSideClearance * area.scale;
    if (x < side || x > area.width - side || y < kTopClearance * area.scale ||
        y > area.height - kBottomClearance * area.scale)
        return false;
    return !CentralExclusion(area).Contains(x, y);
}

int PlaceGroup(const IconArea& area, const GroupSector& sector, std::vector<IconSpot>& spots,
               const std::vector<size_t>& group) {
    const std::vector<float> angles = SectorAngles(sector);
    // Kept from one icon to the next: an icon with no allowed candidate takes the last choice.
    IconPoint best{0, 0};
    int placedAllowed = 0;
    for (size_t index : group) {
        float bestScore = -1;
        for (float angle : angles) {
            for (float r = kFirstRadius * area.scale; r < area.width / 2;
                 r += kRadiusStep * area.scale) {
                const IconPoint p = PolarPoint(area, angle, r);
                if (!PlaceAllowed(area, p.x, p.y))
                    continue;
                float nearest = kNoNeighbourScore;
                for (size_t other = 0; other < spots.size(); ++other) {
                    if (other == index || !spots[other].placed)
                        continue;
                    const float dx = spots[other].centre.x - p.x;
                    const float dy = spots[other].centre.y - p.y;
                    nearest = std::min(nearest, std::sqrt(dx * dx + dy * dy));
                }
                if (nearest > bestScore) {
                    bestScore = nearest;
                    best = p;
                }
            }
        }
        if (bestScore >= 0)
            ++placedAllowed;
        spots[index].centre = best;
        spots[index].placed = true;
    }
    return placedAllowed;
}

std::vector<IconPoint> PeopleSlots(const IconArea& area) {
    const float s = area.scale;
    const float cx = area.width / 2 - 150 * s, cy = area.height / 2 - 110 * s;
    std::vector<IconPoint> slots;
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 7; ++row)
            slots.push_back({cx + 100 * s * column, cy + 32 * s * row});
    }
    for (int column = 0; column < 3; ++column)
        slots.push_back({cx + 100 * s * column, cy + 224 * s});
    return slots;
}

bool LinkDrawsConnector(float output) {
    return std::fabs(output) >= kConnectorThreshold;
}

uint32_t ConnectorColour(float output) {
    if (output < -0.25f)
        return 0xA6FF1010;
    if (output < 0)
        return 0x80FF2020;
    if (output < 0.25f)
        return 0x8022FF6C;
    return 0xA620FF20;
}

uint32_t ValueColour(float value, float minimum, float maximum, bool invert) {
    float t = maximum > minimum ? (value - minimum) / (maximum - minimum) : 0.5f;
    if (!(t >= 0))
        t = 0; // also catches a value that is not a number
    t = std::min(t, 1.0f);
    if (invert)
        t = 1 - t;
    constexpr uint32_t kBad = 0xFFD83A32, kMiddling = 0xFFE2B13C, kGood = 0xFF3CBF5A;
    return t < 0.5f ? Mix(kBad, kMiddling, t * 2) : Mix(kMiddling, kGood, (t - 0.5f) * 2);
}

float CaptionRotation(float groupAngle) {
    float rotation = groupAngle;
    if (rotation > 95 && rotation < 260) {
        rotation -= 180;
        if (rotation < 0)
            rotation += 360;
    }
    return rotation;
}
