#pragma once
// SIM_Minister: a generated person who can hold one of the seven cabinet posts. A minister in
// office makes the post's policies work better, earns the political capital the player spends and
// lifts the two voter groups he or she stands for. The minister's mood follows those two groups;
// loyalty follows the mood, and a disloyal minister may resign.

#include "government/policy_group.h"
#include "network/neuron.h"

#include <cstdint>
#include <string>

class SIM_Grudge;
class SIM_VoterType;

// Each sympathy reaches the minister's mood through a link of this formula.
inline constexpr const char kMinisterSympathyFormula[] = "0+(x*0.25)";
// The portrait a minister has until one is drawn, and keeps when no portrait can be drawn.
inline constexpr const char kDefaultMinisterPortrait[] = "minister1.bmp";
inline constexpr const char kFemalePortraitPattern[] = "data/bitmaps/ministers/female/*.bmp";
inline constexpr const char kMalePortraitPattern[] = "data/bitmaps/ministers/male/*.bmp";

// The chance that a new minister is a woman.
constexpr float kFemaleMinisterChance = 0.35f;
constexpr int kPreferredPostCount = 3;

class SIM_Minister : public Neuron {
public:
    // A new candidate: suitabilities, two sympathies (linked in), a name no living minister
    // has, experience and a portrait. Joins the cabinet's list of ministers.
    SIM_Minister();
    // While the game runs, leaves any post and drops the boost nodes; always leaves the cabinet's
    // lists. During a wholesale teardown it touches nothing else.
    ~SIM_Minister() override;

    // Takes the post (null: leaves office). Moving from one post to another leaves the first.
    // The groups' own minister pointers are the cabinet's business.
    void SetPost(SIM_PolicyGroup* post);
    bool HasPost() const { return currentPost != nullptr; }
    // 0 for an index outside the seven posts.
    float GetSuitability(int index) const;
    bool StandsFor(const SIM_VoterType* voterType) const;
    // The points a turn this minister earns in office: never below 1.
    int32_t GetPoliticalCapital() const;
    // Dismissal by the player: leaves the post, runs the firing script and destroys the minister.
    // The pointer is dead afterwards.
    void Fire();

    // The turn step: experience and loyalty grow or fall in office, and a low loyalty brings
    // warnings. True when the minister offers to resign this turn.
    bool TurnStep();

    // Drops every input link and makes the two sympathy links again (after loading a game).
    void RebuildSympathyLinks();

    SIM_PolicyGroup* preferredPosts[kPreferredPostCount] = {};
    float suitability[kPolicyGroupCount] = {};
    float experience = 0.0f;
    std::string portrait = kDefaultMinisterPortrait;
    std::string fullName;
    SIM_PolicyGroup* currentPost = nullptr;
    float loyalty = 0.5f;
    SIM_VoterType* sympathy1 = nullptr;
    SIM_VoterType* sympathy2 = nullptr;
    SIM_Grudge* boostNodes[2] = {};
    float volatility = 1.0f;
    int32_t lastWarningTurn = 0;
    bool female = false;

private:
    void ChooseSympathies();
    void ChooseName();
    void TakeOffice();
    void LeaveOffice();
    void WarnLowLoyalty();
};
