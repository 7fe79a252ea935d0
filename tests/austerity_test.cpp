// The shipped content's answer to balancing the budget on the two largest programmes: cutting the
// state pension or the public health service to the bone (or closing either) brings a situation
// the voters feel, where a trim of one notch does not, and restoring the programme ends it.

#include "government/policy_actions.h"
#include "government/political_capital.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <gtest/gtest.h>
#include <string>

namespace {

class AusterityTest : public ::testing::Test {
protected:
    void SetUp() override { StartShippedGame(t, 11); }
    void TearDown() override { TearDownGame(); }

    static float Mood(const char* group) {
        Neuron* n = FindNeuron(group);
        EXPECT_NE(n, nullptr) << group;
        return n ? n->value : 0.0f;
    }

    static void Act(ActionResult result, const std::string& what) {
        ASSERT_TRUE(result.ok) << what << ": " << result.message;
    }

    static void Afford() { GetPoliticalCapital().capital = 40; }

    LoggedTest t;
};

TEST_F(AusterityTest, AGameLeftAloneHasNeitherHardshipNorWaitingLists) {
    EXPECT_FALSE(PlayWatching("PensionerHardship", 12));
    EXPECT_FALSE(SituationOn("HospitalWaitingLists"));
}

TEST_F(AusterityTest, APensionCutToTheBoneBringsHardshipThatTheRetiredFeelUntilItIsRestored) {
    const float before = Mood("Retired");
    Afford();
    Act(ChangePolicySliderAction("StatePension", 0.0f), "cut the pension");
    ASSERT_TRUE(PlayWatching("PensionerHardship", 4));
    // The slider's own link alone would cost the retired 0.05; the hardship is what makes the cut
    // one that a government notices at the polls.
    EXPECT_LT(Mood("Retired"), before - 0.12f);

    Afford();
    Act(ChangePolicySliderAction("StatePension", 0.5f), "restore the pension");
    PlayWatching("PensionerHardship", 6);
    EXPECT_FALSE(SituationOn("PensionerHardship")) << "the pension is back where it started";
}

TEST_F(AusterityTest, ATrimOfOneNotchIsNoHardship) {
    Afford();
    Act(ChangePolicySliderAction("StatePension", 0.25f), "trim the pension");
    EXPECT_FALSE(PlayWatching("PensionerHardship", 8));
}

TEST_F(AusterityTest, ClosingAProgrammeBringsItsSituationAsSurelyAsStarvingIt) {
    Afford();
    Act(CancelPolicyAction("StatePension"), "abolish the pension");
    Afford();
    Act(CancelPolicyAction("PublicHealthcare"), "close the health service");
    EXPECT_TRUE(PlayWatching("PensionerHardship", 4));
    EXPECT_TRUE(PlayWatching("HospitalWaitingLists", 4));
}

TEST_F(AusterityTest, AHealthServiceCutToTheBoneGrowsTheWaitingLists) {
    Afford();
    Act(ChangePolicySliderAction("PublicHealthcare", 0.0f), "cut the health service");
    EXPECT_TRUE(PlayWatching("HospitalWaitingLists", 6));
}

} // namespace
