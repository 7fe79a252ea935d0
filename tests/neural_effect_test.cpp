#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// A source that reports as a policy with fixed multipliers.
class FakePolicy : public Neuron {
public:
    FakePolicy(float implementationShare, float ministerFactor)
        : implementationShare(implementationShare), ministerFactor(ministerFactor) {
        typeCode = kNeuronPolicy;
    }
    float PolicyImplementation() const override { return implementationShare; }
    float PolicyMinisterFactor() const override { return ministerFactor; }
    float implementationShare;
    float ministerFactor;
};

class EffectTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetGameRunning(false);
        DeleteAllNeurons();
        DeleteAllEffects();
        SetGameRunning(true);
        SetInstantEffects(false);
        EXPECT_TRUE(AllNeurons().empty());
        EXPECT_TRUE(AllEffects().empty());
    }
    bool HasBox(const std::string& prefix) const {
        for (const auto& box : logged.frontEnd.boxes)
            if (box.title == "ERROR" && box.text.rfind(prefix, 0) == 0)
                return true;
        return false;
    }
    LoggedTest logged;
};

TEST_F(EffectTest, InertiaWalksTheInputWithoutOvershoot) {
    Neuron* a = new Neuron;
    Neuron* b = new Neuron;
    NeuralEffect* e = new NeuralEffect(a, b, "0+(1.0*x)0123456789012345678901234", 1.0f, 0.0f);
    EXPECT_EQ(std::string(e->formula), "0+(1.0*x)0123456789012345678901");
    e->inertia = 4;
    e->SetInputTarget(1.0f);
    for (float expected : {0.25f, 0.5f, 0.75f, 1.0f, 1.0f}) {
        e->Update();
        EXPECT_FLOAT_EQ(e->input, expected);
        EXPECT_FLOAT_EQ(e->output, expected);
    }
    e->SetInputNow(0.0f);
    e->SetInputTarget(0.9f);
    for (float expected : {0.25f, 0.5f, 0.75f, 0.9f, 0.9f}) {
        e->Update();
        EXPECT_FLOAT_EQ(e->input, expected);
    }
    e->SetInputTarget(0.2f);
    for (float expected : {0.65f, 0.4f, 0.2f}) {
        e->Update();
        EXPECT_FLOAT_EQ(e->input, expected);
    }

    // Reading the output does not move a slow input; instant effects do, as does inertia 1.
    e->SetInputTarget(1.0f);
    e->GetOutput();
    EXPECT_FLOAT_EQ(e->input, 0.2f);
    EXPECT_FLOAT_EQ(e->EvaluateAtTarget(), 1.0f);
    SetInstantEffects(true);
    EXPECT_FLOAT_EQ(e->GetOutput(), 1.0f);
    SetInstantEffects(false);
    e->inertia = 1;
    e->SetInputTarget(0.5f);
    EXPECT_FLOAT_EQ(e->GetOutput(), 0.5f);
    EXPECT_FLOAT_EQ(e->input, 0.5f);
}

TEST_F(EffectTest, ChangeIsMeasuredFromZeroOnTheFirstUpdate) {
    Neuron* a = new Neuron;
    Neuron* b = new Neuron;
    NeuralEffect* e = new NeuralEffect(a, b, "0+(x*-2)", 1.0f, 0.3f);
    e->Update();
    EXPECT_FLOAT_EQ(e->change, 0.6f);
    EXPECT_FALSE(e->firstUpdate);
    e->Update();
    EXPECT_FLOAT_EQ(e->change, 0.0f);
    e->SetInputTarget(0.5f);
    e->Update();
    // With unit inertia the "before" reading already sees the new target.
    EXPECT_FLOAT_EQ(e->change, 0.0f);
    EXPECT_FLOAT_EQ(e->output, -1.0f);
}

TEST_F(EffectTest, UpdateAllSkipsLinksFromInactiveSources) {
    Neuron* on = new Neuron;
    Neuron* off = new Neuron;
    Neuron* to = new Neuron;
    NeuralEffect* moving = new NeuralEffect(on, to, "0+(1.0*x)", 1.0f, 0.0f);
    NeuralEffect* frozen = new NeuralEffect(off, to, "0+(1.0*x)", 1.0f, 0.0f);
    moving->inertia = frozen->inertia = 2;
    moving->SetInputTarget(1.0f);
    frozen->SetInputTarget(1.0f);
    off->active = false;
    UpdateAllEffects();
    EXPECT_FLOAT_EQ(moving->input, 0.5f);
    EXPECT_FLOAT_EQ(moving->output, 0.5f);
    EXPECT_FLOAT_EQ(frozen->input, 0.0f);
    EXPECT_FLOAT_EQ(frozen->output, 0.0f);
    EXPECT_TRUE(frozen->firstUpdate);
}

TEST_F(EffectTest, InertialDragIsLimitedToTheHistory) {
    Neuron* a = new Neuron;
    Neuron* b = new Neuron;
    NeuralEffect* e = new NeuralEffect(a, b, "0+(1.0*x)", 1.0f, 0.5f);
    e->SetInertialDrag(32);
    EXPECT_EQ(e->inertialDrag, 32u);
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
    e->SetInertialDrag(33);
    EXPECT_EQ(e->inertialDrag, 32u);
    EXPECT_TRUE(HasBox("Invalid Inertial drag for neural effect:neural_effect.cpp "));
    e->SetInertialDrag(-1);
    EXPECT_EQ(e->inertialDrag, 32u);
    EXPECT_EQ(logged.frontEnd.boxes.size(), 2u);
    e->SetInertialDrag(0);
    EXPECT_EQ(e->inertialDrag, 0u);
}

TEST_F(EffectTest, PolicySourcesScaleTheirOutputs) {
    FakePolicy* policy = new FakePolicy(0.5f, 0.8f);
    Neuron* plain = new Neuron;
    Neuron* to = new Neuron;
    NeuralEffect* fromPolicy = new NeuralEffect(policy, to, "0+(x*1.0)", 2.0f, 0.5f);
    NeuralEffect* fromPlain = new NeuralEffect(plain, to, "0+(x*1.0)", 2.0f, 0.5f);
    EXPECT_FLOAT_EQ(fromPolicy->GetOutput(), 1.0f * 0.5f * 0.8f);
    EXPECT_FLOAT_EQ(fromPolicy->output, 1.0f);
    EXPECT_FLOAT_EQ(fromPlain->GetOutput(), 1.0f);
    // The slider preview ignores the implementation but not the minister.
    EXPECT_FLOAT_EQ(fromPolicy->EvaluateAt(0.25f), 0.5f * 0.8f);
    EXPECT_FLOAT_EQ(fromPlain->EvaluateAt(0.25f), 0.5f);
    EXPECT_FLOAT_EQ(fromPolicy->input, 0.5f);
    // A non-policy type never consults the hooks, whatever it overrides.
    policy->typeCode = kNeuronSimVal;
    EXPECT_FLOAT_EQ(fromPolicy->GetOutput(), 1.0f);
}

TEST_F(EffectTest, OrphanLinksAreReportedAndInactive) {
    Neuron* to = new Neuron;
    NeuralEffect* orphan = new NeuralEffect(nullptr, to, "0+(1.0*x)", 1.0f, 1.0f);
    EXPECT_NE(logged.LogText().find("Assertion failure:filename:neural_effect.cpp"),
              std::string::npos);
    EXPECT_FALSE(orphan->IsSourceActive());
    EXPECT_TRUE(HasBox("Orphan effect:neural_effect.cpp "));
    to->baseOffset = 0.25f;
    EXPECT_FLOAT_EQ(to->Process(), 0.25f);
    UpdateAllEffects();
    EXPECT_TRUE(orphan->firstUpdate);
    EXPECT_EQ(logged.frontEnd.boxes.size(), 3u);
}

TEST_F(EffectTest, DestructionUnlinksWhileTheGameRuns) {
    Neuron* a = new Neuron;
    Neuron* b = new Neuron;
    Neuron* c = new Neuron;
    NeuralEffect* ab = new NeuralEffect(a, b, "0+(1.0*x)", 1.0f, 1.0f);
    NeuralEffect* bc = new NeuralEffect(b, c, "0+(1.0*x)", 1.0f, 1.0f);
    NeuralEffect* ca = new NeuralEffect(c, a, "0+(1.0*x)", 1.0f, 1.0f);
    NeuralEffect* bb = new NeuralEffect(b, b, "0+(1.0*x)", 1.0f, 1.0f);
    delete ab;
    EXPECT_TRUE(a->outputs.empty());
    EXPECT_EQ(b->inputs, std::vector<NeuralEffect*>{bb});
    EXPECT_EQ(AllEffects(), (std::vector<NeuralEffect*>{bc, ca, bb}));

    // Destroying b takes its outgoing, incoming and self links with it.
    delete b;
    EXPECT_EQ(AllEffects(), std::vector<NeuralEffect*>{ca});
    EXPECT_TRUE(c->inputs.empty());
    EXPECT_EQ(c->outputs, std::vector<NeuralEffect*>{ca});
    EXPECT_EQ(AllNeurons(), (std::vector<Neuron*>{a, c}));

    // With the switch on, a full teardown is still safe: the links go with their neurons.
    DeleteAllNeurons();
    EXPECT_TRUE(AllEffects().empty());
    EXPECT_EQ(logged.LogText().find("Assertion failure"), std::string::npos);
    DeleteAllEffects();
    EXPECT_NE(logged.LogText().find("Assertion failure:filename:neural_effect.cpp"),
              std::string::npos);
}

TEST_F(EffectTest, TeardownWithTheGameStoppedLeavesLinksToDeleteAllEffects) {
    Neuron* a = new Neuron;
    Neuron* b = new Neuron;
    new NeuralEffect(a, b, "0+(1.0*x)", 1.0f, 1.0f);
    new NeuralEffect(b, a, "0+(1.0*x)", 1.0f, 1.0f);
    SetGameRunning(false);
    DeleteAllNeurons();
    EXPECT_TRUE(AllNeurons().empty());
    EXPECT_EQ(AllEffects().size(), 2u);
    // The links must not touch their freed ends (the sanitizer build checks this).
    DeleteAllEffects();
    EXPECT_TRUE(AllEffects().empty());
    EXPECT_EQ(logged.LogText().find("Assertion failure"), std::string::npos);
    SetGameRunning(true);
}

} // namespace
