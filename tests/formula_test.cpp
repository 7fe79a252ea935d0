#include "network/formula.h"
#include "test_helpers.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    float x;
    float expected;
};

bool LoggedAssertion(const LoggedTest& t) {
    return t.LogText().find("Assertion failure:filename:formula.cpp") != std::string::npos;
}

TEST(Formula, ScanRulesOfWellFormedTexts) {
    const Case cases[] = {
        {"0+(1.0*x)", 0.3f, 0.3f},    {"1-(1.0*x)", 0.25f, 0.75f},
        {"2*(3-x)", 1.0f, 4.0f},      // the parenthesis binds; no precedence
        {"0+?x*2)", 1.5f, 3.0f},      // whatever follows op1 is skipped
        {"0+(1.0*X)", 0.7f, 0.0f},    // only lower-case x is the variable
        {"-0.5+(1.0*x)", 1.0f, 0.5f}, // a leading sign belongs to A
        {"0+(-1*x)", 5.0f, -1.0f},    // op2 "-", B empty, C "1*x" reads as 1
        {"0+(x*-2)", 0.5f, -1.0f},    // C runs to the parenthesis
        {"0+(x^2)", 0.5f, 0.25f},     {"0+(x^-1)", 0.5f, 2.0f},
        {"2+(x^2.9)", 3.0f, 11.0f}, // the power is truncated towards zero
        {"0+(x^-2.7)", 2.0f, 0.25f},  {"0+(x^0.9)", 5.0f, 1.0f},
        {"0+(x^3)", -1.5f, -3.375f},
    };
    LoggedTest t;
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(EvaluateFormula(c.text, c.x), c.expected) << c.text;
    EXPECT_TRUE(std::isinf(EvaluateFormula("0+(x^-1)", 0.0f)));
    // Exponents outside the integer range still evaluate.
    EXPECT_TRUE(std::isinf(ApplyFormulaOperator('^', 2.0f, 1e30f)));
    EXPECT_FLOAT_EQ(ApplyFormulaOperator('^', 1.0f, -1e30f), 1.0f);
    EXPECT_FALSE(LoggedAssertion(t));
    EXPECT_TRUE(t.frontEnd.boxes.empty());
}

TEST(Formula, UnknownOperatorRaisesAnErrorBox) {
    LoggedTest t;
    EXPECT_EQ(ApplyFormulaOperator('%', 3.0f, 2.0f), 0.0f);
    ASSERT_EQ(t.frontEnd.boxes.size(), 1u);
    EXPECT_EQ(t.frontEnd.boxes[0].title, "ERROR");
    EXPECT_EQ(t.frontEnd.boxes[0].text.rfind("unknown operator:formula.cpp ", 0), 0u);
}

TEST(Formula, MalformedTextsStopAtTheEndAndAssert) {
    // Missing operators count as "+" and missing operands as empty; an over-long operand is cut
    // to 15 characters.
    const Case cases[] = {
        {"", 1.0f, 0.0f},      {"0.5", 1.0f, 0.5f}, {"x", 0.25f, 0.25f},
        {"0+", 1.0f, 0.0f},    {"1+(", 1.0f, 1.0f}, {"0+(x*2", 1.5f, 3.0f},
        {"0+(x)", 1.0f, 0.0f}, {"-", 1.0f, 0.0f},   {"0+(1.00000000000000009*x)", 0.5f, 0.5f},
    };
    for (const Case& c : cases) {
        LoggedTest t;
        EXPECT_FLOAT_EQ(EvaluateFormula(c.text, c.x), c.expected) << c.text;
        EXPECT_TRUE(LoggedAssertion(t)) << c.text;
        EXPECT_TRUE(t.frontEnd.boxes.empty()) << c.text;
    }
}

} // namespace
