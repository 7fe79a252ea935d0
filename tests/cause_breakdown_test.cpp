// The explanation of a node's value must add up to exactly what the node computes: each case
// builds a small network, explains the target, then lets the target compute and compares.

#include "government/situation.h"
#include "network/cause_breakdown.h"
#include "network/neural_effect.h"
#include "network/neuron.h"
#include "test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// A source that weighs its links as a policy does: by implementation and minister factor.
class PolicyLike : public Neuron {
public:
    PolicyLike(float implementation, float minister)
        : implementation_(implementation), minister_(minister) {
        typeCode = NeuronType::Policy;
        SetName("Schools");
    }
    float PolicyImplementation() const override { return implementation_; }
    float PolicyMinisterFactor() const override { return minister_; }

private:
    float implementation_, minister_;
};

class CauseBreakdownTest : public ::testing::Test {
protected:
    void TearDown() override { TearDownGame(); }
    static Neuron* Node(const char* label, float v = 0.0f) {
        Neuron* n = new Neuron;
        n->SetName(label);
        n->value = v;
        return n;
    }
    // A link whose input already stands at the source's value.
    static NeuralEffect* Link(Neuron* from, Neuron* to, const char* formula) {
        return new NeuralEffect(from, to, formula, 1.0f, from->value);
    }
    static float SumOfContributions(const CauseBreakdown& b) {
        float sum = 0.0f;
        for (const CauseContribution& c : b.causes)
            sum += c.contribution;
        return sum;
    }
    static std::string Order(const CauseBreakdown& b) {
        std::string names;
        for (const CauseContribution& c : b.causes)
            names += std::string(names.empty() ? "" : ",") + c.source->name;
        return names;
    }
    LoggedTest logged;
};

TEST_F(CauseBreakdownTest, SumStrongestFirstWithItsBaseAndIdleLinks) {
    Neuron* crime = Node("Crime");
    crime->SetBaseOffset(0.1f);
    Link(Node("Poverty", 0.5f), crime, "0+(0.4*x)");  // +0.2
    Link(Node("Policing", 0.6f), crime, "0-(0.5*x)"); // -0.3
    Link(Node("Drugs", 0.25f), crime, "0+(0.2*x)");   // +0.05
    Neuron* off = Node("CrimeWave", 1.0f);
    off->active = false;
    Link(off, crime, "0+(1.0*x)");

    CauseBreakdown b = ExplainValue(*crime);
    EXPECT_EQ(Order(b), "Policing,Poverty,Drugs");
    ASSERT_EQ(b.idle.size(), 1u) << "the situation that is off";
    EXPECT_EQ(b.idle[0]->source, off);
    EXPECT_FLOAT_EQ(b.causes[0].contribution, -0.3f);
    EXPECT_FLOAT_EQ(b.causes[0].sourceValue, 0.6f);
    EXPECT_FLOAT_EQ(SumOfContributions(b), b.combined);
    EXPECT_FLOAT_EQ(b.beforeLimits, 0.1f + b.combined);
    EXPECT_FALSE(b.heldAtMin || b.heldAtMax || b.prerequisiteMissing);

    const float total = b.total;
    EXPECT_EQ(total, crime->Process()) << "bit for bit what the node computes";
}

TEST_F(CauseBreakdownTest, AverageSharesEachCountedLinkAndProductMultiplies) {
    Neuron* mood = Node("Mood");
    mood->combineMode = kCombineAverage;
    Link(Node("A", 0.9f), mood, "0+(1.0*x)");
    Link(Node("B", 0.3f), mood, "0+(1.0*x)");
    Link(Node("C", -0.6f), mood, "0+(1.0*x)");
    Neuron* off = Node("Off", 1.0f);
    off->active = false;
    Link(off, mood, "0+(1.0*x)"); // does not count towards the divisor either

    CauseBreakdown avg = ExplainValue(*mood);
    ASSERT_EQ(avg.causes.size(), 3u);
    EXPECT_FLOAT_EQ(avg.causes[0].contribution, 0.3f) << "0.9 shared three ways";
    EXPECT_FLOAT_EQ(avg.causes[0].strength, 0.9f);
    EXPECT_NEAR(SumOfContributions(avg), avg.combined, 1e-6f);
    float total = avg.total;
    EXPECT_EQ(total, mood->Process());

    // A single counted link in an average is taken whole.
    Neuron* lone = Node("Lone");
    lone->combineMode = kCombineAverage;
    Link(Node("D", 0.7f), lone, "0+(1.0*x)");
    EXPECT_FLOAT_EQ(ExplainValue(*lone).causes[0].contribution, 0.7f);

    Neuron* income = Node("Income");
    income->combineMode = kCombineProduct;
    income->SetBaseOffset(-0.2f);
    Link(Node("Growth", 0.5f), income, "0.2+(0.8*x)"); // × 0.6
    Link(Node("Jobs", 0.1f), income, "1.1-(0.5*x)");   // × 1.05
    Link(Node("Evasion", 0.5f), income, "1-(1.0*x)");  // × 0.5
    CauseBreakdown prod = ExplainValue(*income);
    EXPECT_EQ(Order(prod), "Evasion,Growth,Jobs") << "ordered by how far from 1";
    EXPECT_NEAR(prod.combined, 0.6f * 1.05f * 0.5f, 1e-6f);
    total = prod.total;
    EXPECT_EQ(total, income->Process());

    // No counted link: the product's 1 plus the base.
    Neuron* empty = Node("Empty");
    empty->combineMode = kCombineProduct;
    empty->SetBaseOffset(-0.5f);
    EXPECT_FLOAT_EQ(ExplainValue(*empty).total, 0.5f);
}

// A source with a straight line and a bend into a sum is one cause worth both, ranked by the
// pair; an average keeps them apart, since each link counts there on its own.
TEST_F(CauseBreakdownTest, TwoLinksFromOneSourceAreOneCause) {
    Neuron* mood = Node("Mood");
    Neuron* tax = Node("Tax", 0.8f);
    Link(tax, mood, "0+(0.4*x)");                    // +0.32
    Link(Node("Pensions", 0.5f), mood, "0+(0.5*x)"); // +0.25
    Link(tax, mood, "-0.2*(x^2)");                   // -0.128

    CauseBreakdown b = ExplainValue(*mood);
    EXPECT_EQ(Order(b), "Pensions,Tax") << "the tax's pair is worth less than the pensions";
    ASSERT_EQ(b.causes[1].parts.size(), 2u);
    EXPECT_NEAR(b.causes[1].contribution, 0.32f - 0.128f, 1e-6f);
    EXPECT_NEAR(b.causes[1].parts[1].contribution, -0.128f, 1e-6f);
    EXPECT_TRUE(b.causes[0].parts.empty());
    EXPECT_NEAR(SumOfContributions(b), b.combined, 1e-6f);
    const float total = b.total;
    EXPECT_EQ(total, mood->Process());

    mood->combineMode = kCombineAverage;
    EXPECT_EQ(ExplainValue(*mood).causes.size(), 3u);

    mood->combineMode = kCombineProduct;
    CauseBreakdown product = ExplainValue(*mood);
    ASSERT_EQ(product.causes.size(), 2u);
    EXPECT_EQ(Order(product), "Tax,Pensions") << "a factor near zero moves a product most";
    EXPECT_NEAR(product.causes[0].contribution, 0.32f * -0.128f, 1e-6f);
    const float productTotal = product.total;
    EXPECT_EQ(productTotal, mood->Process());
}

TEST_F(CauseBreakdownTest, ClampsAndAMissingPrerequisiteAreNamed) {
    Neuron* gdp = Node("GDP");
    gdp->minValue = 0.0f;
    gdp->maxValue = 1.0f;
    Link(Node("Boom", 0.8f), gdp, "0+(1.0*x)");
    Link(Node("Bubble", 0.7f), gdp, "0+(1.0*x)");
    CauseBreakdown high = ExplainValue(*gdp);
    EXPECT_TRUE(high.heldAtMax);
    EXPECT_FLOAT_EQ(high.beforeLimits, 1.5f);
    float total = high.total;
    EXPECT_EQ(total, 1.0f);
    EXPECT_EQ(total, gdp->Process());

    Neuron* slump = Node("Slump");
    slump->minValue = 0.0f;
    Link(Node("Bust", 0.4f), slump, "0-(1.0*x)");
    CauseBreakdown low = ExplainValue(*slump);
    EXPECT_TRUE(low.heldAtMin);
    total = low.total;
    EXPECT_EQ(total, slump->Process());

    // A situation keeps to 0 … 1 on top of a neuron's -1 … 1.
    auto* wave = new SIM_Situation("#,CrimeWave,Crime Wave");
    Link(Node("Calm", 0.3f), wave, "0-(1.0*x)");
    CauseBreakdown situation = ExplainValue(*wave);
    EXPECT_TRUE(situation.heldAtMin);
    EXPECT_EQ(situation.minValue, 0.0f);
    total = situation.total;
    EXPECT_EQ(total, wave->Process());

    // The prerequisite test comes before the clamps, so 0 is then held into the range.
    Neuron* tram = Node("TramUse");
    tram->minValue = 0.2f;
    Neuron* trams = Node("Trams", 0.0f);
    trams->active = false;
    tram->prerequisites.push_back(trams);
    Link(Node("Fares", 0.9f), tram, "0+(1.0*x)");
    CauseBreakdown held = ExplainValue(*tram);
    EXPECT_TRUE(held.prerequisiteMissing);
    EXPECT_EQ(held.missingPrerequisite, "Trams");
    EXPECT_TRUE(held.heldAtMin);
    total = held.total;
    EXPECT_EQ(total, 0.2f);
    EXPECT_EQ(total, tram->Process());
}

TEST_F(CauseBreakdownTest, APolicySourceCountsByItsImplementationAndMinister) {
    Neuron* literacy = Node("Literacy");
    PolicyLike* schools = new PolicyLike(0.5f, 0.75f);
    schools->value = 0.8f;
    Link(schools, literacy, "0+(0.5*x)"); // 0.4 at full strength
    Link(Node("Books", 0.1f), literacy, "0+(1.0*x)");

    CauseBreakdown b = ExplainValue(*literacy);
    ASSERT_EQ(b.causes.size(), 2u);
    const CauseContribution& policy = b.causes[0];
    EXPECT_EQ(policy.source, schools);
    EXPECT_FLOAT_EQ(policy.output, 0.4f);
    EXPECT_FLOAT_EQ(policy.implementation, 0.5f);
    EXPECT_FLOAT_EQ(policy.ministerFactor, 0.75f);
    EXPECT_FLOAT_EQ(policy.contribution, 0.4f * 0.5f * 0.75f);
    EXPECT_FLOAT_EQ(b.causes[1].implementation, 1.0f) << "only policies are weighed";
    float total = b.total;
    EXPECT_EQ(total, literacy->Process());
}

TEST_F(CauseBreakdownTest, InertiaShowsWhereTheValueIsHeadingAndReadingChangesNothing) {
    Neuron* jobs = Node("Jobs");
    Neuron* factory = Node("Factory", 0.0f);
    NeuralEffect* slow = Link(factory, jobs, "0+(1.0*x)");
    slow->inertia = 4;
    Neuron* shop = Node("Shop", 0.2f);
    Link(shop, jobs, "0+(1.0*x)");
    jobs->Process();

    // The factory opens: its link takes four turns to carry it.
    factory->value = 1.0f;
    factory->PushToOutputs();
    shop->value = 0.3f;
    shop->PushToOutputs();
    CauseBreakdown b = ExplainValue(*jobs);
    EXPECT_EQ(b.movingCount, 1);
    EXPECT_EQ(Order(b), "Shop,Factory") << "ordered by what each gives now";
    const CauseContribution& first = b.causes[1];
    EXPECT_TRUE(first.stillMoving);
    EXPECT_FLOAT_EQ(first.strength, 0.0f);
    EXPECT_FLOAT_EQ(first.settledStrength, 1.0f);
    EXPECT_FLOAT_EQ(b.settledTotal, 1.0f) << "0.3 + 1.0, held at the top";
    EXPECT_FLOAT_EQ(b.shown, 0.2f) << "worked out before the shop moved";
    EXPECT_FLOAT_EQ(b.total, 0.3f) << "what the links give now";
    EXPECT_FLOAT_EQ(slow->input, 0.0f) << "explaining does not move a slow link";

    for (int turn = 0; turn < 4; ++turn) {
        UpdateAllEffects();
        float expected = ExplainValue(*jobs).total;
        EXPECT_EQ(expected, jobs->Process()) << "turn " << turn;
    }
    CauseBreakdown arrived = ExplainValue(*jobs);
    EXPECT_EQ(arrived.movingCount, 0);
    EXPECT_FLOAT_EQ(arrived.total, arrived.settledTotal);
}

} // namespace
