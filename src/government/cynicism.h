#pragma once
// SIM_Cynicism: the national level of cynicism. It rises when the government plays tax games
// around elections (cutting taxes just before one, raising them just after) and otherwise fades
// by 2% a turn; every voter's opinion is reduced by its own weight times this level.

#include "base/game_subsystem.h"

#include <string>
#include <vector>

class SIM_Policy;

// Near an election, and just after one, are both measured in calendar months.
constexpr int kCynicismElectionMonths = 9;
// Before this turn no election can have just happened: the settling turns and the first turns
// of a game would otherwise count as the aftermath of one.
constexpr int kCynicismFirstAftermathTurn = 6;
constexpr float kCynicismStepPerDifficulty = 0.18f;
constexpr float kCynicismFade = 0.98f;

class SIM_Cynicism : public GameSubsystem {
public:
    // A release starts the level again from nothing.
    void Release() override { ResetCynicism(); }

    float GetLevel() const { return level; }
    // A new game: level 0 and the list of tax policies rebuilt.
    void ResetCynicism();
    // The turn step: a step up for a tax raised just after an election, another for a tax cut
    // just before one, then the fade.
    void UpdateCynicism();
    // The policy screen's news: a tax introduced just after an election, or cancelled just
    // before one, is a step up.
    void OnPolicyIntroduced(const SIM_Policy* policy);
    void OnPolicyCancelled(const SIM_Policy* policy);

    // The election timing tests.
    bool NearElection() const;
    bool JustAfterElection() const;
    // Some tax's slider moved down (or up) by more than the threshold this turn.
    bool SomeTaxCut() const;
    bool SomeTaxRaised() const;
    // How far a slider must move in one turn to count: 0.25, down to 0 with the option
    // "CYNICISM" at 1.
    float MoveThreshold() const;
    bool IsTax(const SIM_Policy* policy) const;
    // One step: difficulty × 0.18.
    float StepSize() const;

    float level = 0.0f;
    std::vector<std::string> taxNames;

private:
    // The first tax whose slider moved by more than the threshold in the given direction.
    bool SomeTaxMoved(bool cut) const;
};

// The cynicism of the game in play.
SIM_Cynicism& GetCynicism();
