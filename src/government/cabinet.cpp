#include "government/cabinet.h"

#include "base/debug_log.h"
#include "base/file_system.h"
#include "base/random.h"
#include "base/translation.h"
#include "government/event_manager.h"
#include "government/government_state.h"
#include "government/issues_manager.h"
#include "government/minister.h"
#include "government/policy.h"
#include "government/policy_group.h"
#include "government/policy_manager.h"
#include "government/political_capital.h"
#include "government/script_runner.h"
#include "population/grudge.h"

#include <algorithm>

namespace {

// The pool is topped up every turn below this many candidates, and sometimes below the second.
constexpr int kPoolAlwaysBelow = 3;
constexpr int kPoolSometimesBelow = 5;
constexpr float kPoolTopUpChance = 0.1f;

void Erase(std::vector<SIM_Minister*>& list, SIM_Minister* minister) {
    list.erase(std::remove(list.begin(), list.end(), minister), list.end());
}

void OnGrudgeGone(SIM_Grudge* grudge) {
    GetCabinet().ForgetBoostNode(grudge);
}

std::string ExpandResignationText(const char* key, const std::string& fullName,
                                  const std::string& jobTitle) {
    std::string text = Translate(key);
    ReplaceAll(text, "<FULLNAME>", fullName);
    ReplaceAll(text, "<JOBTITLE>", jobTitle);
    return text;
}

} // namespace

SIM_CabinetManager& GetCabinet() {
    return Government().cabinet;
}

SIM_CabinetManager::SIM_CabinetManager() {
    // Boost nodes can fade or be torn down behind a minister's back.
    SetGrudgeGoneListener(&OnGrudgeGone);
}

SIM_CabinetManager::~SIM_CabinetManager() {
    SetGrudgeGoneListener(nullptr);
}

void SIM_CabinetManager::Release() {
    ministers.clear();
    resigned.clear();
    resignationCandidates.clear();
    femalePortraits.clear();
    malePortraits.clear();
}

void SIM_CabinetManager::GenerateMinisters() {
    for (int i = 0; i < kStartingMinisters; ++i)
        new SIM_Minister();
}

void SIM_CabinetManager::AppointBestToAllPosts() {
    for (int i = 0; i < kPolicyGroupCount; ++i)
        AppointBestToPost(&GetPolicyManager().Group(i));
}

void SIM_CabinetManager::AppointBestToPost(SIM_PolicyGroup* group) {
    ASSERT(group != nullptr);
    if (!group)
        return;
    SIM_Minister* best = nullptr;
    float bestFit = -1.0f;
    for (SIM_Minister* minister : ministers) {
        if (minister->HasPost())
            continue;
        float fit = minister->GetSuitability(group->index);
        if (fit > bestFit) {
            best = minister;
            bestFit = fit;
        }
    }
    if (!best)
        return;
    if (group->minister && group->minister != best)
        group->minister->SetPost(nullptr);
    best->SetPost(group);
    group->minister = best;
}

void SIM_CabinetManager::UpdateMinisters() {
    // A copy: a step may raise issues, but must not be thrown by changes to the list.
    std::vector<SIM_Minister*> walk = ministers;
    for (SIM_Minister* minister : walk) {
        if (minister->TurnStep())
            resignationCandidates.push_back(minister);
    }

    std::vector<SIM_Minister*> doomed;
    doomed.swap(resigned);
    for (SIM_Minister* minister : doomed)
        delete minister;

    if (!resignationCandidates.empty()) {
        int pick = RandomIndex(static_cast<int>(resignationCandidates.size()));
        SIM_Minister* leaving = resignationCandidates[static_cast<size_t>(pick)];
        resignationCandidates.clear();
        Resign(leaving);
    }

    int candidates = CandidateCount();
    if (candidates < kPoolAlwaysBelow)
        new SIM_Minister();
    else if (candidates < kPoolSometimesBelow && Chance(kPoolTopUpChance))
        new SIM_Minister();
}

void SIM_CabinetManager::Appoint(SIM_Minister* minister, SIM_PolicyGroup* post) {
    ASSERT(minister != nullptr && post != nullptr);
    if (!minister || !post || minister->currentPost == post)
        return;
    if (post->minister && post->minister != minister)
        post->minister->SetPost(nullptr);
    if (minister->currentPost && minister->currentPost->minister == minister)
        minister->currentPost->minister = nullptr;
    minister->SetPost(post);
    post->minister = minister;
    ::GetPoliticalCapital().RecalculateAllowance();
}

void SIM_CabinetManager::Fire(SIM_Minister* minister) {
    if (!minister)
        return;
    SIM_PolicyGroup* post = minister->currentPost;
    if (post && post->minister == minister)
        post->minister = nullptr;
    minister->SetPost(nullptr);
    RunScript(kFireMinisterScript);
    delete minister;
    ::GetPoliticalCapital().RecalculateAllowance();
}

void SIM_CabinetManager::Resign(SIM_Minister* minister) {
    ASSERT(minister != nullptr && minister->HasPost());
    if (!minister || !minister->HasPost())
        return;
    SIM_PolicyGroup* post = minister->currentPost;

    MinisterResignation resignation;
    resignation.minister = minister;
    resignation.guiName = Translate("MINISTER_RESIGNS_GUINAME");
    ReplaceAll(resignation.guiName, "<JOBTITLE>", post->cabinetTitle);
    resignation.description = ExpandResignationText("MINISTER_RESIGNS_DESCRIPTION",
                                                    minister->fullName, post->cabinetTitle);
    resignation.onImplement = kMinisterResignsScript;
    resignation.onView = kMinisterResignsViewScript;
    resignation.picture = kMinisterResignsPicture;
    GetEventManager().AnnounceResignation(resignation);

    if (post->minister == minister)
        post->minister = nullptr;
    minister->SetPost(nullptr);
    Erase(ministers, minister);
    Erase(resignationCandidates, minister);
    resigned.push_back(minister);
}

SIM_Minister* SIM_CabinetManager::FindMinister(const std::string& fullName) const {
    for (SIM_Minister* minister : ministers) {
        if (minister->fullName == fullName)
            return minister;
    }
    return nullptr;
}

bool SIM_CabinetManager::NameTaken(const std::string& fullName) const {
    auto same = [&](const SIM_Minister* minister) { return minister->fullName == fullName; };
    return std::any_of(ministers.begin(), ministers.end(), same) ||
           std::any_of(resigned.begin(), resigned.end(), same);
}

int SIM_CabinetManager::CandidateCount() const {
    return static_cast<int>(std::count_if(ministers.begin(), ministers.end(),
                                          [](const SIM_Minister* m) { return !m->HasPost(); }));
}

std::string SIM_CabinetManager::DrawPortrait(bool female) {
    std::vector<std::string>& pool = female ? femalePortraits : malePortraits;
    if (pool.empty()) {
        CFileList files;
        files.Scan(female ? kFemalePortraitPattern : kMalePortraitPattern);
        pool = files.Names();
    }
    // An empty folder leaves the pool empty: no portrait rather than a draw from nothing.
    if (pool.empty())
        return std::string();
    size_t pick = static_cast<size_t>(RandomIndex(static_cast<int>(pool.size())));
    std::string chosen = pool[std::min(pick, pool.size() - 1)];
    pool.erase(std::remove(pool.begin(), pool.end(), chosen), pool.end());
    return chosen;
}

void SIM_CabinetManager::AddMinister(SIM_Minister* minister) {
    ministers.push_back(minister);
}

void SIM_CabinetManager::ForgetMinister(SIM_Minister* minister) {
    Erase(ministers, minister);
    Erase(resigned, minister);
    Erase(resignationCandidates, minister);
}

void SIM_CabinetManager::ForgetBoostNode(const SIM_Grudge* grudge) {
    for (const std::vector<SIM_Minister*>* list : {&ministers, &resigned}) {
        for (SIM_Minister* minister : *list) {
            for (SIM_Grudge*& boost : minister->boostNodes) {
                if (boost == grudge)
                    boost = nullptr;
            }
        }
    }
}

void GenerateMinisters() {
    GetCabinet().GenerateMinisters();
}

void AppointBestToAllPosts() {
    GetCabinet().AppointBestToAllPosts();
}

void AppointBestToPost(SIM_PolicyGroup* group) {
    GetCabinet().AppointBestToPost(group);
}

void UpdateMinisters() {
    GetCabinet().UpdateMinisters();
}

void AddMinisterIssue(SIM_Minister* minister, int kind, const std::string& text,
                      const std::string& title) {
    ASSERT(minister != nullptr);
    if (!minister)
        return;
    if (SIM_Issue* issue = GetIssuesManager().AddIssue(minister, kind)) {
        issue->text = text;
        issue->title = title;
    }
}

void WarnMinisterOfPost(const std::string& groupKey, const std::string& textKey,
                        const std::string& titleKey) {
    SIM_PolicyGroup* group = FindGroup(groupKey.c_str());
    if (!group || !group->minister)
        return;
    AddMinisterIssue(group->minister, kIssueMinisterWarning, Translate(textKey),
                     Translate(titleKey));
}
