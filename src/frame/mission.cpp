#include "frame/mission.h"

CMission& GetMission() {
    static CMission mission;
    return mission;
}
