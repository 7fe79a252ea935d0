#include "government/situation_manager.h"

#include "base/debug_log.h"
#include "base/game_paths.h"
#include "base/row_reader.h"
#include "base/setup_table.h"
#include "government/government_state.h"
#include "government/situation.h"

#include <algorithm>
#include <cstring>

namespace {

// Rows of the standard table are at most 1023 characters; a longer row runs on into the next.
constexpr size_t kSituationRowCapacity = 1024;

std::string ModPattern() {
    std::string pattern = kSituationModPattern;
    pattern.replace(pattern.find("%s"), 2, GetUserDir());
    return pattern;
}

} // namespace

SIM_SituationManager& GetSituationManager() {
    return Government().situationManager;
}

void SIM_SituationManager::LoadAll() {
    ASSERT(situations.empty());
    auto create = [this](const std::string& row) { situations.push_back(new SIM_Situation(row)); };

    DirectRowOptions options;
    options.lineCapacity = kSituationRowCapacity;
    options.requireLongRows = true;
    bool opened = ReadDirectRows(SetupString(kSetupSituations), create, options);
    ASSERT(opened);

    // Without a user folder there is no mods folder to read.
    if (!GetUserDir().empty())
        ReadModRows(ModPattern(), create,
                    [](const std::string&) { REPORT_ERROR("Failed to load in modded situation"); });

    // Parsing may create neurons but never situations, so the list stays as it is during the walk.
    const std::vector<SIM_Situation*>& all = SIM_Situation::All();
    for (size_t i = 0; i < all.size(); ++i)
        all[i]->Load();
}

void SIM_SituationManager::Release() {
    Log("SituationManager::Release Start");
    std::vector<SIM_Situation*> doomed;
    doomed.swap(situations);
    for (SIM_Situation* situation : doomed)
        delete situation;
}

SIM_Situation* SIM_SituationManager::FindSituation(const char* name) const {
    if (!name)
        return nullptr;
    for (SIM_Situation* situation : situations)
        if (std::strcmp(situation->name, name) == 0)
            return situation;
    return nullptr;
}

void SIM_SituationManager::Forget(SIM_Situation* situation) {
    if (!GamePart<GovernmentState>::Exists())
        return;
    std::vector<SIM_Situation*>& list = GetSituationManager().situations;
    list.erase(std::remove(list.begin(), list.end(), situation), list.end());
}

void AddSituationFinances(float& expenses, float& income) {
    for (SIM_Situation* situation : SIM_Situation::All()) {
        if (!situation->active)
            continue;
        float v = situation->GetValue();
        expenses += situation->GetCost(v);
        income += situation->GetIncome(v);
    }
}
