#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

// A source that reports as a policy with fixed multipliers.
class FakePolicy : public Neuron {
public:
    FakePolicy(float implementationShare, float ministerFactor)
        : implementationShare(implementationShare), ministerFactor(ministerFactor) {
        typeCode = NeuronType::Policy;
    }
    float PolicyImplementation() const override { return implementationShare; }
    float PolicyMinisterFactor() const override { return ministerFactor; }
    float implementationShare;
    float ministerFactor;
};

class EffectTest : public ::testing::Test {
protected:
    void TearDown() override { TearDownGame(); }
    // A link between two new neurons.
    static NeuralEffect* Link(const char* formula, float input) {
        return new NeuralEffect(new Neuron, new Neuron, formula, 1.0f, input);
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
    NeuralEffect* e = Link("0+(1.0*x)0123456789012345678901234", 0.0f);
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
    NeuralEffect* e = Link("0+(x*-2)", 0.3f);
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
    EXPECT_FLOAT_EQ(moving->output, 0.5f);
    EXPECT_FLOAT_EQ(frozen->input, 0.0f);
    EXPECT_TRUE(frozen->firstUpdate);
}

TEST_F(EffectTest, InertialDragIsLimitedToTheHistory) {
    NeuralEffect* e = Link("0+(1.0*x)", 0.5f);
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
    policy->typeCode = NeuronType::SimVal;
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

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST_F(EffectTest, ShortenedUpdateMatchesTheReadByReadRule) {
    // Each pair shares a formula; the second link is made to evaluate its text through every
    // read of the rule. Inputs, outputs and changes must agree bit for bit through random
    // targets, inertias, scales and the instant switch.
    const char* formulas[] = {"0+(x*1.0)", "0+(1.0*x)", "1-(1.0*x)", "0+(x^-1)",
                              "2*(x/x)",   "x-(0*x)",   "-0+(x*-1)", "0+(-1*x)"};
    const float targets[] = {0.0f,
                             -0.0f,
                             0.3f,
                             -0.7f,
                             1.0f,
                             2.5f,
                             std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -1e-40f};
    Neuron* from = new Neuron;
    Neuron* to = new Neuron;
    std::vector<NeuralEffect*> shortened;
    std::vector<NeuralEffect*> literal;
    for (const char* formula : formulas) {
        shortened.push_back(new NeuralEffect(from, to, formula, 1.0f, 0.5f));
        literal.push_back(new NeuralEffect(from, to, formula, 1.0f, 0.5f));
        ASSERT_TRUE(shortened.back()->parsed.usable) << formula;
        literal.back()->parsed.usable = false;
    }
    uint32_t state = 7;
    auto next = [&]() {
        state = state * 1103515245u + 12345u;
        return (state >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 400; ++round) {
        float target = targets[next() % (sizeof targets / sizeof targets[0])];
        int32_t inertia = static_cast<int32_t>(next() % 6) - 1; // -1 … 4
        float scale = (next() % 3 == 0) ? -2.0f : 0.5f;
        bool instant = next() % 5 == 0;
        bool readFirst = next() % 2 == 0;
        SetInstantEffects(instant);
        for (size_t i = 0; i < shortened.size(); ++i) {
            for (NeuralEffect* e : {shortened[i], literal[i]}) {
                e->inertia = inertia;
                e->scale = scale;
                e->SetInputTarget(target);
                if (readFirst)
                    e->GetOutput();
                e->Update();
            }
            const NeuralEffect& a = *shortened[i];
            const NeuralEffect& b = *literal[i];
            ASSERT_EQ(Bits(a.input), Bits(b.input)) << formulas[i] << " round " << round;
            ASSERT_EQ(Bits(a.output), Bits(b.output)) << formulas[i] << " round " << round;
            ASSERT_EQ(Bits(a.change), Bits(b.change)) << formulas[i] << " round " << round;
            ASSERT_EQ(a.firstUpdate, b.firstUpdate);
        }
    }
    EXPECT_EQ(logged.LogText().find("Assertion failure"), std::string::npos);
}

TEST_F(EffectTest, MalformedFormulasAreReportedAtEveryEvaluation) {
    Neuron* a = new Neuron;
    Neuron* b = new Neuron;
    NeuralEffect* e = new NeuralEffect(a, b, "0+(x*2", 1.0f, 0.5f);
    EXPECT_FALSE(e->parsed.usable);
    const std::string line = "Assertion failure:filename:formula.cpp";
    e->Update(); // reads before, recalculates, reads after
    EXPECT_EQ(CountOf(logged.LogText(), line), 3u);
    EXPECT_FLOAT_EQ(e->output, 1.0f);
    EXPECT_FLOAT_EQ(b->Process(), 1.0f);
    EXPECT_EQ(CountOf(logged.LogText(), line), 4u);

    // A new text is read afresh, whichever way it goes.
    e->SetFormula("1-(x*2)");
    EXPECT_TRUE(e->parsed.usable);
    EXPECT_FLOAT_EQ(e->GetOutput(), 0.0f);
    EXPECT_EQ(CountOf(logged.LogText(), line), 4u);
    e->SetFormula("0+(x*3)0123456789012345678901234567");
    EXPECT_EQ(std::string(e->formula), "0+(x*3)012345678901234567890123");
    EXPECT_FLOAT_EQ(e->GetOutput(), 1.5f);
    e->SetFormula("0.75");
    EXPECT_FALSE(e->parsed.usable);
    EXPECT_FLOAT_EQ(e->GetOutput(), 0.75f);
    EXPECT_EQ(CountOf(logged.LogText(), line), 5u);
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
}

TEST_F(EffectTest, PooledLinksKeepTheirListsThroughChurn) {
    // Enough links to fill more than one block of the pool, with links dying one by one in the
    // middle of it and new ones taking their places.
    constexpr int kSources = 40;
    constexpr int kTargets = 600;
    std::vector<Neuron*> sources;
    std::vector<Neuron*> targets;
    for (int i = 0; i < kSources; ++i) {
        sources.push_back(new Neuron);
        sources.back()->value = static_cast<float>(i + 1) / 1024.0f;
    }
    for (int i = 0; i < kTargets; ++i) {
        targets.push_back(new Neuron);
        targets.back()->minValue = -100.0f;
        targets.back()->maxValue = 100.0f;
    }
    for (Neuron* to : targets)
        for (Neuron* from : sources)
            new NeuralEffect(from, to, "0+(x*1.0)", 1.0f, from->value);
    ASSERT_EQ(AllEffects().size(), static_cast<size_t>(kSources * kTargets));

    // Every seventh target loses its link from the first source; the same number of links
    // from the last source to the first target take their places.
    std::vector<NeuralEffect*> expectedFirstInputs = targets[0]->inputs;
    int removed = 0;
    for (int i = kTargets - 1; i >= 0; i -= 7) {
        NeuralEffect* doomed = targets[i]->inputs.front();
        ASSERT_EQ(doomed->source, sources[0]);
        delete doomed;
        EXPECT_EQ(targets[i]->inputs.size(), static_cast<size_t>(kSources - 1));
        if (i == 0)
            expectedFirstInputs.erase(expectedFirstInputs.begin());
        ++removed;
    }
    for (int i = 0; i < removed; ++i)
        expectedFirstInputs.push_back(
            new NeuralEffect(sources.back(), targets[0], "0+(x*1.0)", 1.0f, 0.0f));
    EXPECT_EQ(targets[0]->inputs, expectedFirstInputs);
    EXPECT_EQ(AllEffects().size(), static_cast<size_t>(kSources * kTargets));
    EXPECT_EQ(sources[0]->outputs.size(), static_cast<size_t>(kTargets - removed));

    for (Neuron* from : sources)
        from->PushToOutputs();
    UpdateAllEffects();
    float all = 0.0f;
    for (Neuron* from : sources)
        all += from->value;
    for (int i = 0; i < kTargets; ++i) {
        float expected = all;
        if (i % 7 == (kTargets - 1) % 7)
            expected -= sources[0]->value;
        if (i == 0)
            expected += static_cast<float>(removed) * sources.back()->value;
        EXPECT_NEAR(targets[i]->Process(), expected, 1e-4f) << "target " << i;
    }
}

} // namespace
