#pragma once
// SIM_CabinetManager: the ministers of a game. It generates the first candidates and cabinet,
// keeps the pool of candidates stocked, runs the ministers' turn step with its resignations, and
// carries out appointments and dismissals; resignations are announced as events, and ministers'
// news and warnings go on the issues list.

#include "base/game_subsystem.h"

#include <string>
#include <vector>

class SIM_Grudge;
class SIM_Minister;
class SIM_PolicyGroup;

// Scripts run on a minister's departure.
inline constexpr const char kMinisterResignsScript[] =
    "data/simulation/scripts/minister_resigns.txt";
inline constexpr const char kMinisterResignsViewScript[] =
    "data/simulation/scripts/minister_resigns_view.txt";
inline constexpr const char kFireMinisterScript[] = "data/simulation/scripts/fire_minister.txt";
inline constexpr const char kMinisterResignsPicture[] = "event_resign.jpg";

// Issue kinds the cabinet raises.
constexpr int kIssueMinisterNews = 3;
constexpr int kIssueMinisterWarning = 5;

// Candidates generated at a new game.
constexpr int kStartingMinisters = 10;

// The event that announces a resignation.
struct MinisterResignation {
    SIM_Minister* minister = nullptr;
    std::string guiName;
    std::string description;
    std::string onImplement;
    std::string onView;
    std::string picture;
};

class SIM_CabinetManager : public GameSubsystem {
public:
    // The cabinet hears of every grudge that goes, so a minister never keeps a freed boost node.
    SIM_CabinetManager();
    ~SIM_CabinetManager() override;
    // Forgets the ministers and the portrait pools; the ministers themselves belong to the
    // network's registry, which frees them.
    void Release() override;

    // The first candidates of a new game (after the voter groups exist).
    void GenerateMinisters();
    void AppointBestToAllPosts();
    // The most suitable candidate takes the post (the first of equals); a minister already
    // there steps down into the pool.
    void AppointBestToPost(SIM_PolicyGroup* group);
    // The turn step: each minister's step, the previous turn's resigned ministers destroyed, at
    // most one resignation, and the pool topped up.
    void UpdateMinisters();

    // The player's appointment: whoever held the post steps down into the pool, and a minister
    // moving from another post leaves that one empty. The allowance is recalculated.
    void Appoint(SIM_Minister* minister, SIM_PolicyGroup* post);
    // Dismissal: the post is emptied, the firing script runs and the minister is destroyed.
    // The allowance is recalculated.
    void Fire(SIM_Minister* minister);
    // Announces the resignation, empties the post and keeps the minister until the next turn
    // step destroys it.
    void Resign(SIM_Minister* minister);

    // A living minister by full name (exact); null when there is none.
    SIM_Minister* FindMinister(const std::string& fullName) const;
    // True when a living or resigned minister already has this full name.
    bool NameTaken(const std::string& fullName) const;
    int CandidateCount() const;

    // A portrait file name from the pool, which is refilled from the folder when empty and gives
    // every file once before any repeats; empty when the folder has no portraits.
    std::string DrawPortrait(bool female);

    // Bookkeeping of the ministers themselves.
    void AddMinister(SIM_Minister* minister);
    void ForgetMinister(SIM_Minister* minister);
    // Clears every pointer to a boost node that is going away.
    void ForgetBoostNode(const SIM_Grudge* grudge);

    // Living ministers in creation order, those who resigned and wait to be destroyed, and this
    // turn's resignation candidates.
    std::vector<SIM_Minister*> ministers;
    std::vector<SIM_Minister*> resigned;
    std::vector<SIM_Minister*> resignationCandidates;
    std::vector<std::string> femalePortraits;
    std::vector<std::string> malePortraits;
};

// The cabinet of the game in play.
SIM_CabinetManager& GetCabinet();

// Convenience forms of the new-game and turn steps.
void GenerateMinisters();
void AppointBestToAllPosts();
void AppointBestToPost(SIM_PolicyGroup* group);
void UpdateMinisters();

// Puts an issue about the minister on the issues list, with its texts already translated.
void AddMinisterIssue(SIM_Minister* minister, int kind, const std::string& text,
                      const std::string& title);
// A warning from whoever holds the post of that policy group, with the texts translated from the
// two keys; nobody is warned while the post is empty.
void WarnMinisterOfPost(const std::string& groupKey, const std::string& textKey,
                        const std::string& titleKey);
