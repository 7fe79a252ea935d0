#include "base/random.h"
#include "network/global_economy.h"
#include "network/network_state.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_processed;

// Records each Process call by name, then computes as a plain neuron.
class Traced : public Neuron {
public:
    Traced(const char* label, NeuronType type) {
        SetName(label);
        typeCode = type;
    }
    float Process() override {
        g_processed.push_back(name);
        return Neuron::Process();
    }
};

// Active as a source, but not as a prerequisite, like a policy still being implemented.
class HalfActive : public Neuron {
public:
    bool IsActive() override { return false; }
};

class NeuronTest : public ::testing::Test {
protected:
    void SetUp() override { g_processed.clear(); }
    void TearDown() override { TearDownGame(); }
    static Neuron* Source(float v, const char* label = "") {
        Neuron* n = new Neuron;
        n->value = v;
        n->SetName(label);
        return n;
    }
    static NeuralEffect* Link(Neuron* from, Neuron* to, float input) {
        return new NeuralEffect(from, to, "0+(1.0*x)", 1.0f, input);
    }
    std::string Log() const { return logged.LogText(); }
    LoggedTest logged;
};

TEST_F(NeuronTest, CombineModes) {
    Neuron* target = new Neuron;
    Neuron* a = Source(0.0f);
    Neuron* b = Source(0.0f);
    Neuron* off = Source(0.0f);
    off->active = false;
    Link(a, target, 0.6f);
    Link(off, target, 0.9f);

    // Sum: active inputs plus the base offset, clamped; the inactive one is skipped.
    target->baseOffset = 0.1f;
    EXPECT_FLOAT_EQ(target->Process(), 0.7f);

    // Average with one contributor takes it unchanged; the inactive input does not count.
    target->combineMode = kCombineAverage;
    target->baseOffset = 0.0f;
    EXPECT_FLOAT_EQ(target->Process(), 0.6f);
    Link(b, target, 0.2f);
    EXPECT_FLOAT_EQ(target->Process(), 0.4f);

    // Product of the contributors.
    target->combineMode = kCombineProduct;
    EXPECT_FLOAT_EQ(target->Process(), 0.12f);

    // No contributors: the base offset, or 1 + base offset in product mode, before clamping.
    a->active = false;
    b->active = false;
    target->baseOffset = -0.25f;
    EXPECT_FLOAT_EQ(target->Process(), 0.75f);
    target->baseOffset = 0.5f;
    EXPECT_FLOAT_EQ(target->Process(), 1.0f);
    target->combineMode = kCombineAverage;
    EXPECT_FLOAT_EQ(target->Process(), 0.5f);
}

TEST_F(NeuronTest, PrerequisitesAndClamps) {
    Neuron* target = new Neuron;
    HalfActive* source = new HalfActive;
    source->value = 0.4f;
    Link(source, target, 0.4f);
    // The source's active field counts, not its IsActive answer.
    EXPECT_FLOAT_EQ(target->Process(), 0.4f);

    // A prerequisite is asked through IsActive; failing, the value is 0 then clamped.
    target->prerequisites.push_back(source);
    target->minValue = 0.2f;
    EXPECT_FLOAT_EQ(target->Process(), 0.2f);
    target->minValue = -1.0f;
    EXPECT_FLOAT_EQ(target->Process(), 0.0f);

    target->prerequisites.clear();
    Neuron* ready = new Neuron;
    target->prerequisites.push_back(ready);
    EXPECT_TRUE(target->AllPrerequisitesActive());
    target->baseOffset = 5.0f;
    EXPECT_FLOAT_EQ(target->Process(), 1.0f);
    target->baseOffset = -5.0f;
    EXPECT_FLOAT_EQ(target->Process(), -1.0f);
    // With crossed bounds the upper one wins, as it is applied second.
    target->minValue = 0.8f;
    target->maxValue = 0.3f;
    EXPECT_FLOAT_EQ(target->Process(), 0.3f);
    // NaN passes both tests.
    target->baseOffset = NAN;
    EXPECT_TRUE(std::isnan(target->Process()));
}

TEST_F(NeuronTest, HistoryShiftsAndIsBounded) {
    Neuron n;
    for (int i = 0; i < kNeuronHistoryLength; ++i)
        n.history[i] = static_cast<float>(i) / 100.0f;
    // Entries are held to -1 … 1; the value itself is not touched.
    n.value = 1.7f;
    n.UpdateHistory();
    n.value = -3.0f;
    n.UpdateHistory();
    EXPECT_EQ(n.value, -3.0f);
    EXPECT_EQ(n.history[0], -1.0f);
    EXPECT_EQ(n.history[1], 1.0f);
    EXPECT_FLOAT_EQ(n.history[2], 0.0f);
    EXPECT_FLOAT_EQ(n.history[32], 0.30f);

    n.value = 0.3f;
    n.ResetHistory();
    EXPECT_EQ(std::count(std::begin(n.history), std::end(n.history), 0.3f), kNeuronHistoryLength);

    // Neurons that keep no history are left alone by the end-of-turn pass.
    n.keepsHistory = false;
    n.value = 0.9f;
    EndTurnAllNeurons();
    EXPECT_EQ(n.history[0], 0.3f);
}

TEST_F(NeuronTest, PushAveragesHistoryOverTheDrag) {
    Neuron* source = new Neuron;
    Neuron* target = new Neuron;
    NeuralEffect* now = Link(source, target, 0.0f);
    NeuralEffect* all = Link(source, target, 0.0f);
    NeuralEffect* three = Link(source, target, 0.0f);
    all->SetInertialDrag(32);
    three->SetInertialDrag(2);
    for (int i = 0; i < kNeuronHistoryLength; ++i)
        source->history[i] = static_cast<float>(i);
    source->value = 0.75f;
    source->inputsSorted = true;
    source->PushToOutputs();
    EXPECT_EQ(now->inputTarget, 0.75f);
    EXPECT_FLOAT_EQ(all->inputTarget, 16.0f);
    EXPECT_FLOAT_EQ(three->inputTarget, 1.0f);
    EXPECT_FALSE(source->inputsSorted);

    // The sum runs from the oldest averaged entry down to entry 0 in single precision: the two
    // tiny recent entries vanish one by one against 1.0, where summed first they would not.
    source->history[2] = 1.0f;
    source->history[1] = 3e-8f;
    source->history[0] = 3e-8f;
    source->PushToOutputs();
    EXPECT_EQ(three->inputTarget, 1.0f / 3.0f);
}

TEST_F(NeuronTest, SnapInputsBypassesInertiaForActiveSources) {
    Neuron* off = Source(0.6f);
    off->active = false;
    Neuron* target = new Neuron;
    NeuralEffect* slow = Link(Source(0.8f), target, 0.0f);
    NeuralEffect* idle = Link(off, target, 0.0f);
    slow->inertia = idle->inertia = 10;
    target->SnapInputs();
    EXPECT_EQ(slow->input, 0.8f);
    EXPECT_FLOAT_EQ(slow->output, 0.8f);
    EXPECT_EQ(idle->inputTarget, 0.0f);
}

TEST_F(NeuronTest, SortInputsByStrengthPutsLaterEqualsFirst) {
    Neuron* target = new Neuron;
    NeuralEffect* weakFirst = Link(Source(0), target, 0.2f);
    NeuralEffect* strong = Link(Source(0), target, -0.5f);
    NeuralEffect* weakSecond = Link(Source(0), target, 0.2f);
    NeuralEffect* tiny = Link(Source(0), target, 0.05f);
    target->SortInputsByStrength();
    EXPECT_EQ(target->inputs, (std::vector<NeuralEffect*>{strong, weakSecond, weakFirst, tiny}));
    EXPECT_TRUE(target->inputsSorted);
    // Sorted lists are kept until the next push.
    strong->SetInputTarget(0.0f);
    target->SortInputsByStrength();
    EXPECT_EQ(target->inputs[0], strong);
    target->PushToOutputs();
    target->SortInputsByStrength();
    EXPECT_EQ(target->inputs.back(), strong);
}

TEST_F(NeuronTest, LookupsByNameAreExact) {
    Neuron* target = new Neuron;
    Neuron* plain = Source(0, "IncomeTax");
    Neuron* other = Source(0, "incometax");
    Neuron* grudge = Source(0, "IncomeTax");
    other->typeCode = grudge->typeCode = NeuronType::Grudge;
    for (Neuron* from : {plain, other, grudge})
        Link(from, target, 1.0f);
    EXPECT_EQ(target->FindInputSourceGrudge("IncomeTax"), grudge);
    EXPECT_EQ(target->FindInputSourceGrudge("Income"), nullptr);

    // The first of two namesakes is found; names keep 63 characters, so a longer one can only
    // be found by its first 63.
    Neuron* gdp = Source(0, "GDP");
    Source(0, "GDP");
    Neuron* longName = Source(0, std::string(70, 'a').c_str());
    EXPECT_EQ(FindNeuron(std::string(63, 'a')), longName);
    EXPECT_EQ(FindNeuron(std::string("GDP")), gdp);
    for (const char* missing : {"GD", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(FindNeuron(missing), nullptr);
    EXPECT_EQ(Log().find("Failed to find neuron"), std::string::npos) << "blank names are quiet";
    EXPECT_EQ(FindNeuron("gdp"), nullptr);
    EXPECT_NE(Log().find("Failed to find neuron:neuron.cpp "), std::string::npos);
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
}

TEST_F(NeuronTest, OrderByTypeAndTheDoublePassOfPlainNeurons) {
    // Created in a scrambled order.
    new Traced("voter", NeuronType::Voter);
    new Traced("simval", NeuronType::SimVal);
    Traced* security = new Traced("_security_", NeuronType::Plain);
    new Traced("frequency", NeuronType::VoterFrequency);
    Traced* policy = new Traced("policy", NeuronType::Policy);
    new Traced("votertype", NeuronType::VoterType);
    new Traced("minister", NeuronType::Minister);
    new Traced("dilemma", NeuronType::Dilemma);
    new Traced("event", NeuronType::Event);
    new Traced("situation", NeuronType::Situation);
    new Traced("grudge", NeuronType::Grudge);
    new Traced("random", NeuronType::Random);
    Traced* slider = new Traced("slider", NeuronType::Player);
    new Traced("debt", NeuronType::Plain);

    OrderNeuronsByType();
    // Ordering again, as a new game does after more content arrives, keeps two entries.
    OrderNeuronsByType();
    ProcessAllNeurons();
    const std::vector<std::string> expected = {"_security_", "debt",      "slider",     "policy",
                                               "random",     "grudge",    "_security_", "debt",
                                               "simval",     "situation", "event",      "dilemma",
                                               "minister",   "votertype", "frequency",  "voter"};
    EXPECT_EQ(g_processed, expected);
    EXPECT_EQ(FindNeuron("_security_"), security);

    // The second pass of "_security_" sees the policy that was processed in between; its history
    // moves on twice per turn.
    slider->value = 0.0f;
    policy->baseOffset = 0.5f;
    Link(policy, security, 0.0f);
    Link(slider, policy, 0.0f);
    for (float& h : security->history)
        h = 0.1f;
    UpdateAllEffects();
    g_processed.clear();
    ProcessAllNeurons();
    EXPECT_FLOAT_EQ(security->value, 0.5f);
    EndTurnAllNeurons();
    EXPECT_FLOAT_EQ(security->history[0], 0.5f);
    EXPECT_FLOAT_EQ(security->history[1], 0.5f);
    EXPECT_FLOAT_EQ(security->history[2], 0.1f);

    // Every neuron is destroyed once; its name reaches the debugger once.
    Network().winningNeuron = Network().debtNeuron = Network().securityNeuron = security;
    logged.frontEnd.debugger.clear();
    SetGameRunning(false);
    DeleteAllNeurons();
    EXPECT_TRUE(AllNeurons().empty());
    EXPECT_EQ(Network().winningNeuron, nullptr);
    EXPECT_EQ(Network().debtNeuron, nullptr);
    EXPECT_EQ(Network().securityNeuron, nullptr);
    EXPECT_EQ(logged.frontEnd.debugger,
              "_security_\ndebt\nslider\npolicy\nrandom\ngrudge\nsimval\nsituation\nevent\n"
              "dilemma\nminister\nvotertype\nfrequency\nvoter\n");
    SetGameRunning(true);
}

// An owner with a neuron inside it, like a voter group's frequency node.
class Owner : public Neuron {
public:
    Owner() {
        typeCode = NeuronType::VoterType;
        inner.MarkEmbedded();
        inner.SetName("inner");
    }
    Neuron inner;
};

struct NonNeuronOwner {
    NonNeuronOwner() { share.MarkEmbedded(); }
    Neuron share;
};

TEST_F(NeuronTest, EmbeddedNeuronsAreLeftToTheirOwners) {
    for (bool running : {false, true}) {
        NonNeuronOwner party;
        Owner* owner = new Owner;
        Neuron* plain = new Neuron;
        Link(plain, &owner->inner, 1.0f);
        Link(&party.share, plain, 1.0f);
        // The embedded plain neuron now stands first in the registry.
        OrderNeuronsByType();
        SetGameRunning(running);
        DeleteAllNeurons();
        DeleteAllEffects();
        EXPECT_TRUE(AllNeurons().empty());
        EXPECT_TRUE(AllEffects().empty());
        EXPECT_TRUE(party.share.outputs.empty());
        SetGameRunning(true);
    }
}

TEST_F(NeuronTest, AddEffectForms) {
    Neuron* tax = Source(0, "IncomeTax");
    Neuron* gdp = Source(0, "GDP");

    tax->AddEffect("GDP 0+(x*0.5)");
    EXPECT_TRUE(AllEffects().empty());

    tax->AddEffect("GDP,0+(x*0.5)");
    tax->AddEffect("\"GDP\",\"0+(x*0.25)\",4");
    ASSERT_EQ(AllEffects().size(), 2u);
    NeuralEffect* plainLink = AllEffects()[0];
    EXPECT_EQ(plainLink->target, gdp);
    EXPECT_STREQ(plainLink->formula, "0+(x*0.5)");
    EXPECT_EQ(plainLink->input, 0.5f);
    EXPECT_STREQ(AllEffects()[1]->formula, "0+(x*0.25)");
    EXPECT_EQ(AllEffects()[1]->inertialDrag, 4u);
    EXPECT_EQ(Log().find("Failed"), std::string::npos);

    tax->AddEffect("Nowhere,0+(x*1.0)");
    EXPECT_EQ(AllEffects().size(), 2u);
    EXPECT_NE(Log().find("Failed to find Nowhere for IncomeTax,:neuron.cpp "), std::string::npos);
    tax->AddEffect("GDP,0+(x*1.0),40");
    EXPECT_EQ(AllEffects()[2]->inertialDrag, 0u);
    ASSERT_EQ(logged.frontEnd.boxes.size(), 1u);
    EXPECT_EQ(logged.frontEnd.boxes[0].text.rfind("Invalid Inertial drag", 0), 0u);
}

TEST_F(NeuronTest, AddInfluenceForms) {
    Neuron* crime = Source(0, "Crime");
    Neuron* police = Source(0, "Police");

    crime->AddInfluence("ab");
    EXPECT_TRUE(logged.frontEnd.boxes.empty());
    crime->AddInfluence("abc");
    ASSERT_EQ(logged.frontEnd.boxes.size(), 1u);
    EXPECT_EQ(logged.frontEnd.boxes[0].text.rfind("missing comma:neuron.cpp ", 0), 0u);

    crime->AddInfluence("_default_,0.3");
    EXPECT_FLOAT_EQ(crime->baseOffset, 0.3f);

    crime->AddInfluence("_prereq_,Police");
    EXPECT_EQ(crime->prerequisites, std::vector<Neuron*>{police});
    crime->AddInfluence("_prereq_,Army");
    EXPECT_EQ(crime->prerequisites.size(), 1u);
    EXPECT_NE(Log().find("Assertion failure:filename:neuron.cpp"), std::string::npos);

    crime->AddInfluence("Police,0+(x*-0.5),3");
    ASSERT_EQ(crime->inputs.size(), 1u);
    EXPECT_EQ(crime->inputs[0]->source, police);
    EXPECT_EQ(crime->inputs[0]->inertialDrag, 3u);

    crime->AddInfluence("Army,0+(x*1.0)");
    EXPECT_NE(Log().find("failed to find event influence Army:neuron.cpp "), std::string::npos);
    EXPECT_EQ(crime->inputs.size(), 1u);
    // Keywords are whole, case-sensitive fields.
    crime->AddInfluence("_Default_,0.9");
    EXPECT_FLOAT_EQ(crime->baseOffset, 0.3f);
    EXPECT_EQ(logged.frontEnd.boxes.size(), 1u);
}

TEST_F(NeuronTest, RandomInfluenceDrawsWithinItsBoundsEveryTurn) {
    SeedRandom(1234);
    Neuron* target = new Neuron;
    target->AddInfluence("_random_,0.2,0.4");
    ASSERT_EQ(target->inputs.size(), 1u);
    Neuron* noise = target->inputs[0]->source;
    EXPECT_EQ(noise->typeCode, NeuronType::Random);
    OrderNeuronsByType();
    for (int turn = 0; turn < 50; ++turn) {
        UpdateAllEffects();
        ProcessAllNeurons();
        EXPECT_GE(noise->value, 0.2f);
        EXPECT_LE(noise->value, 0.4f);
        // The target runs after the noise source, so it carries this turn's draw.
        EXPECT_FLOAT_EQ(target->value, noise->value);
        EndTurnAllNeurons();
    }
}

TEST_F(NeuronTest, GlobalEconomyCycle) {
    SeedRandom(99);
    Neuron* gdp = Source(0, "GDP");
    CGlobalEconomy* economy = new CGlobalEconomy;
    economy->SetupGlobalEconomy(0.25f, 0.5f);
    EXPECT_EQ(economy->cycleLength, 6.0f);
    EXPECT_FLOAT_EQ(economy->value, 0.5f);
    ASSERT_EQ(gdp->inputs.size(), 1u);
    NeuralEffect* link = gdp->inputs[0];
    EXPECT_FLOAT_EQ(link->GetOutput(), 0.25f); // the amplitude scales the link
    // Processing never moves the cycle.
    economy->value = 0.3f;
    EXPECT_EQ(economy->Process(), 0.3f);
    EXPECT_EQ(economy->phase, 0.25f);

    economy->phase = 0.99f;
    economy->AdvanceCycle();
    EXPECT_NEAR(economy->phase, 0.0316667f, 1e-6);
    float wave = std::sin(0.0316667f * 6.2831853f) * 0.5f;
    EXPECT_GE(economy->value, wave * 0.9f - 1e-6f);
    EXPECT_LE(economy->value, wave * 1.1f + 1e-6f);
    EXPECT_EQ(link->inputTarget, economy->value);
    // Exactly 1.0 is not past the end of the cycle.
    economy->phase = 1.0f - 1.0f / 24.0f;
    economy->AdvanceCycle();
    EXPECT_FLOAT_EQ(economy->phase, 1.0f);

    // Without a GDP neuron no link is made, and the miss is reported.
    gdp->SetName("Output");
    CGlobalEconomy* lone = new CGlobalEconomy;
    lone->SetupGlobalEconomy(0.0f, 1.0f);
    EXPECT_TRUE(lone->outputs.empty());
    EXPECT_NE(Log().find("Failed to find neuron"), std::string::npos);

    Network().globalEconomy = economy;
    SetGameRunning(false);
    DeleteAllNeurons();
    SetGameRunning(true);
    EXPECT_EQ(Network().globalEconomy, nullptr);
}

} // namespace
