#pragma once
// The player's cabinet actions, each checked first and then applied, so the headless runner and
// the cabinet windows share one set of rules: who may be fired or appointed, and when firing is
// refused for want of political capital.

#include "government/policy_actions.h"

#include <cstdint>
#include <string>

// The political capital a dismissal needs: "FIRE_MINISTER_POINTS_NEEDED", truncated.
int32_t FireMinisterPointsNeeded();

// Fires a minister in office. Refused for an unknown minister, one who holds no post, and when
// the available capital is below FireMinisterPointsNeeded. Firing needs that capital to be there
// but does not spend it.
ActionResult FireMinisterAction(const std::string& ministerName);

// Gives a minister (a candidate, or one moving from another post) the post with this policy
// group key; whoever held it steps down into the pool. Refused for an unknown minister or post
// and for a minister who already holds that post. Appointments cost nothing.
ActionResult AppointMinisterAction(const std::string& ministerName, const std::string& groupKey);
