#pragma once
// Where the game screen's icons go, worked out without drawing anything: the circle of policy
// groups around the middle of the play area, each group's sector of it, the best free place for
// each icon of a group, the block of voter-group slots in the middle, and which links between
// icons are worth a connector and in what colour.

#include <cstddef>
#include <cstdint>
#include <vector>

// The play area the icons share: the screen above the control panel. Lengths of the layout are
// design pixels times scale.
struct IconArea {
    float width = 1024;
    float height = 768;
    float scale = 1;
};

struct IconPoint {
    float x = 0, y = 0;
};

// Angle 0 points straight up from the middle and angles grow clockwise.
IconPoint PolarPoint(const IconArea& area, float angleDegrees, float radius);

// A group's slice of the circle: 51 degrees centred on the group's angle. Both ends lie in
// 0 … 360, so a slice across the top has its end below its start.
struct GroupSector {
    float start = 0, end = 0;
};
GroupSector SectorAround(float groupAngle);
// The angles tried for a sector, in the order they are tried, each reduced below 360.
std::vector<float> SectorAngles(const GroupSector& sector);

// The middle of the area belongs to the voter groups: no other icon is placed inside it.
struct AreaRect {
    float left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(float x, float y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
};
AreaRect CentralExclusion(const IconArea& area);
// Inside the area, clear of its sides, the top strip and the bottom edge, and outside the middle.
bool PlaceAllowed(const IconArea& area, float x, float y);

// One icon as the placing sees it: its centre, and whether it has been placed at all (an icon
// not yet placed is no neighbour to keep away from).
struct IconSpot {
    IconPoint centre;
    bool placed = false;
};

// Places the icons of one group (indices into spots, in the group's order) one after another,
// each at the allowed candidate of the sector furthest from every other placed icon. When no
// candidate is allowed at all, an icon stays at the point chosen for the one before it (the
// corner (0, 0) for the first). Returns how many icons found an allowed place.
int PlaceGroup(const IconArea& area, const GroupSector& sector, std::vector<IconSpot>& spots,
               const std::vector<size_t>& group);

// The voter groups' block: three columns of seven, then a row of three beneath.
inline constexpr int kPeopleSlotCount = 24;
std::vector<IconPoint> PeopleSlots(const IconArea& area);
// Where a voter group goes when every slot is taken.
inline constexpr float kNoSlotX = 32, kNoSlotY = 32;

// Links weaker than this draw no connector: they would be noise.
inline constexpr float kConnectorThreshold = 0.001f;
bool LinkDrawsConnector(float output);
// Red for links that push the target down, green for those that push it up; the strong ones
// more opaque.
uint32_t ConnectorColour(float output);

// A simulation value's colour on its range, from red (bad) to green (good); with invert set,
// high values are the bad ones.
uint32_t ValueColour(float value, float minimum, float maximum, bool invert);

// A caption on the circle is turned by its angle, but never stands upside down.
float CaptionRotation(float groupAngle);
