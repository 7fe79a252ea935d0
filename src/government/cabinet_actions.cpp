#include "government/cabinet_actions.h"

#include "base/setup_table.h"
#include "government/cabinet.h"
#include "government/minister.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"

#include <cmath>

namespace {

ActionResult Refuse(const std::string& text) {
    return ActionResult{false, text};
}

ActionResult Done(const std::string& text) {
    return ActionResult{true, text};
}

} // namespace

int32_t FireMinisterPointsNeeded() {
    float needed = SetupFloat("FIRE_MINISTER_POINTS_NEEDED");
    // A broken table entry must not reach the conversion.
    if (std::isnan(needed))
        return 0;
    needed = std::fmax(std::fmin(needed, 1.0e6f), -1.0e6f);
    return static_cast<int32_t>(needed);
}

ActionResult FireMinisterAction(const std::string& ministerName) {
    SIM_Minister* minister = GetCabinet().FindMinister(ministerName);
    if (!minister)
        return Refuse("Cannot fire " + ministerName + ": there is no such minister");
    if (!minister->HasPost())
        return Refuse("Cannot fire " + ministerName + ": the minister holds no post");
    int32_t needed = FireMinisterPointsNeeded();
    int32_t capital = GetPoliticalCapital().capital;
    if (capital < needed)
        return Refuse("Cannot fire " + ministerName + ": it needs " + std::to_string(needed) +
                      " political capital and only " + std::to_string(capital) + " is available");

    // The name may be the minister's own text, which goes with the minister.
    std::string done = "Fired " + ministerName + " (" + minister->currentPost->cabinetTitle + ")";
    minister->Fire();
    return Done(done);
}

ActionResult AppointMinisterAction(const std::string& ministerName, const std::string& groupKey) {
    SIM_Minister* minister = GetCabinet().FindMinister(ministerName);
    if (!minister)
        return Refuse("Cannot appoint " + ministerName + ": there is no such minister");
    SIM_PolicyGroup* post = FindGroup(groupKey.c_str());
    if (!post)
        return Refuse("Cannot appoint " + ministerName + " to " + groupKey +
                      ": there is no such post");
    if (minister->currentPost == post)
        return Refuse("Cannot appoint " + ministerName + " to " + groupKey +
                      ": the minister already holds that post");

    std::string replaced = post->minister ? post->minister->fullName : std::string();
    GetCabinet().Appoint(minister, post);
    std::string text = "Appointed " + ministerName + " as " + post->cabinetTitle;
    if (!replaced.empty())
        text += ", replacing " + replaced;
    return Done(text);
}
