#include "government/dilemma_manager.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/game_paths.h"
#include "base/options.h"
#include "base/setup_table.h"
#include "government/dilemma.h"
#include "government/government_state.h"
#include "government/issues_manager.h"

#include <algorithm>

namespace {

void LoadDilemmaFile(const std::string& path) {
    SIM_Dilemma* dilemma = new SIM_Dilemma;
    dilemma->Load(path);
}

} // namespace

SIM_DilemmaManager& GetDilemmaManager() {
    return Government().dilemmas;
}

void SIM_DilemmaManager::Add(SIM_Dilemma* dilemma) {
    GetDilemmaManager().dilemmas.push_back(dilemma);
}

void SIM_DilemmaManager::Forget(SIM_Dilemma* dilemma) {
    if (!GamePart<GovernmentState>::Exists())
        return;
    std::vector<SIM_Dilemma*>& list = GetDilemmaManager().dilemmas;
    list.erase(std::remove(list.begin(), list.end(), dilemma), list.end());
}

void SIM_DilemmaManager::LoadDilemmas() {
    ForEachFile(kDilemmaPattern, LoadDilemmaFile);
    // Without a user folder there is no mods folder to read.
    if (GetUserDir().empty())
        return;
    std::string pattern = kDilemmaModPattern;
    pattern.replace(pattern.find("%s"), 2, GetUserDir());
    ForEachFile(pattern, LoadDilemmaFile);
}

void SIM_DilemmaManager::AssessDilemmas() {
    Log("assesing dilemmas");
    if (SetupFloat("DILEMMAS_DISABLE") == 1.0f)
        return;
    if (GetOption(kOptionEnableDilemmas) == 0.0f)
        return;

    SIM_Dilemma* best = nullptr;
    float bestScore = 0.0f;
    // Assessing computes values, which may create neurons but never dilemmas.
    for (SIM_Dilemma* dilemma : dilemmas) {
        float score = dilemma->Assess();
        if (score > bestScore) {
            bestScore = score;
            best = dilemma;
        }
    }
    if (best && bestScore > kDilemmaOfferThreshold)
        best->OfferDilemma();
}

void SIM_DilemmaManager::Release() {
    Log("DilemmaManager Release start");
    std::vector<SIM_Dilemma*> doomed;
    doomed.swap(dilemmas);
    for (SIM_Dilemma* dilemma : doomed)
        delete dilemma;
    Log("DilemmaManager Release end");
}

SIM_Dilemma* SIM_DilemmaManager::FindDilemma(const std::string& name) const {
    for (SIM_Dilemma* dilemma : dilemmas)
        if (name == dilemma->name)
            return dilemma;
    return nullptr;
}

SIM_Dilemma* SIM_DilemmaManager::FindOffered(const std::string& name) const {
    const SIM_IssuesManager& issues = GetIssuesManager();
    for (SIM_Dilemma* dilemma : dilemmas) {
        if (name != dilemma->name)
            continue;
        const SIM_Issue* issue = issues.FindIssue(dilemma);
        if (issue && issue->kind == kIssueKindDilemma)
            return dilemma;
    }
    return nullptr;
}

ActionResult ChooseDilemmaAction(const std::string& dilemmaName, int optionNumber) {
    SIM_Dilemma* dilemma = GetDilemmaManager().FindOffered(dilemmaName);
    if (!dilemma) {
        const char* why = GetDilemmaManager().FindDilemma(dilemmaName)
                              ? ": it is not on offer this turn"
                              : ": there is no such dilemma";
        return ActionResult{false, "Cannot answer " + dilemmaName + why};
    }
    size_t count = dilemma->options.size();
    if (optionNumber < 1 || static_cast<size_t>(optionNumber) > count) {
        std::string range = count == 0 ? "it has no options"
                                       : "its options are numbered 1 to " + std::to_string(count);
        return ActionResult{false, "Cannot answer " + dilemmaName + " with option " +
                                       std::to_string(optionNumber) + ": " + range};
    }
    size_t index = static_cast<size_t>(optionNumber - 1);
    std::string label = dilemma->options[index].name;
    dilemma->ChooseOption(index);
    return ActionResult{true, "Answered " + dilemmaName + " with option " +
                                  std::to_string(optionNumber) + " (" + label + ")"};
}
