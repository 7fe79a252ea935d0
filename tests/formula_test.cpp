#include "network/formula.h"
#include "test_helpers.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

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

// A small deterministic generator, so a failing text can be reproduced from the test alone.
class TextSource {
public:
    uint32_t Next() {
        state += 0x9E3779B97F4A7C15ull;
        uint64_t z = state;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    size_t Below(size_t n) { return Next() % n; }
    char Pick(const char* from) { return from[Below(std::strlen(from))]; }

    std::string Operand() {
        static const char* const kFixed[] = {"x",    "X",   "",     "0",      "1.0",   "-2",
                                             "0.25", "1e3", "1e40", "-1e-45", "inf",   "nan",
                                             " 3",   "x1",  "2x",   ".5.5",   "0x1p3", "-"};
        switch (Below(3)) {
        case 0:
            return "x";
        case 1:
            return kFixed[Below(sizeof kFixed / sizeof kFixed[0])];
        default:
            break;
        }
        std::string text;
        if (Below(4) == 0)
            text += '-';
        size_t digits = 1 + Below(Below(6) == 0 ? 20 : 4);
        for (size_t i = 0; i < digits; ++i)
            text += Pick("0123456789");
        if (Below(2) == 0) {
            text += '.';
            for (size_t i = Below(4); i > 0; --i)
                text += Pick("0123456789");
        }
        if (Below(8) == 0) {
            text += 'e';
            text += Pick("-+0123");
            text += Pick("0123456789");
        }
        return text;
    }

    // Mostly the full shape with odd operands and brackets; sometimes cut short, padded with
    // stray characters or pure noise.
    std::string Formula() {
        std::string text = Operand() + Pick("+-*/^") + Pick("((((([?") + Operand() + Pick("+-*/^") +
                           Operand() + Pick("))))))) (");
        switch (Below(6)) {
        case 0:
            text = text.substr(0, Below(text.size() + 1));
            break;
        case 1:
            text.insert(Below(text.size() + 1), 1, Pick("+-*/^()x. 1"));
            break;
        case 2:
            text.clear();
            for (size_t i = Below(12); i > 0; --i)
                text += Pick("+-*/^()x.1e ");
            break;
        default:
            break;
        }
        // Links keep at most 31 characters.
        return text.substr(0, kFormulaMaxChars);
    }

    float Input() {
        static const float kSpecial[] = {0.0f,
                                         -0.0f,
                                         1.0f,
                                         -1.0f,
                                         0.5f,
                                         std::numeric_limits<float>::infinity(),
                                         -std::numeric_limits<float>::infinity(),
                                         std::numeric_limits<float>::quiet_NaN(),
                                         std::numeric_limits<float>::denorm_min(),
                                         std::numeric_limits<float>::max()};
        if (Below(2) == 0)
            return kSpecial[Below(sizeof kSpecial / sizeof kSpecial[0])];
        uint32_t bits = Next();
        float any;
        std::memcpy(&any, &bits, sizeof any);
        return Below(2) == 0 ? any : static_cast<float>(Next() % 4001) / 1000.0f - 2.0f;
    }

private:
    uint64_t state = 20240611;
};

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(Formula, ParsedFormulasMatchTheTextBitForBit) {
    LoggedTest t;
    TextSource source;
    int parsed = 0;
    int refused = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text = source.Formula();
        ParsedFormula formula;
        bool usable = ParseFormula(text.c_str(), formula);
        EXPECT_EQ(usable, formula.usable);
        usable ? ++parsed : ++refused;

        // The parse takes exactly the texts that the text evaluator reads without complaint
        // (every log line also reaches the debugger output, which is cheap to watch).
        t.frontEnd.debugger.clear();
        float first = EvaluateFormula(text.c_str(), 0.5f);
        bool reported =
            t.frontEnd.debugger.find("Assertion failure:filename:formula.cpp") != std::string::npos;
        EXPECT_EQ(usable, !reported) << '"' << text << '"';
        if (!usable)
            continue;
        ASSERT_EQ(Bits(EvaluateParsedFormula(formula, 0.5f)), Bits(first)) << '"' << text << '"';
        for (int i = 0; i < 24; ++i) {
            float x = source.Input();
            ASSERT_EQ(Bits(EvaluateParsedFormula(formula, x)),
                      Bits(EvaluateFormula(text.c_str(), x)))
                << '"' << text << "\" at x = " << x << " (bits " << Bits(x) << ")";
        }
    }
    EXPECT_TRUE(t.frontEnd.boxes.empty());
    // Both kinds were met in numbers.
    EXPECT_GT(parsed, 1000);
    EXPECT_GT(refused, 500);
}

TEST(Formula, ParseRefusesWhatTheTextEvaluatorReports) {
    // Broken shapes and over-long operands stay with the text evaluator, which reports them.
    for (const char* text : {"", "0.5", "0+", "1+(", "0+(x*2", "0+(x)", "-",
                             "0+(1.00000000000000009*x)", "0+(x*1234567890123456)"}) {
        ParsedFormula formula;
        EXPECT_FALSE(ParseFormula(text, formula)) << text;
        EXPECT_FALSE(formula.usable) << text;
    }
    // The longest operands that are not cut, an operator in place of the parenthesis and
    // characters after the closing parenthesis are all fine.
    for (const char* text : {"0+(x*123456789012345)", "123456789012345+(x*1)", "1+-x*2)",
                             "0+(x*1.0)trailing", "2*(3-x)"}) {
        ParsedFormula formula;
        EXPECT_TRUE(ParseFormula(text, formula)) << text;
        EXPECT_EQ(Bits(EvaluateParsedFormula(formula, 0.75f)), Bits(EvaluateFormula(text, 0.75f)))
            << text;
    }
    ParsedFormula formula;
    ASSERT_TRUE(ParseFormula("x-(x^x)", formula));
    EXPECT_EQ(formula.variableMask, 7u);
    EXPECT_EQ(formula.op1, '-');
    EXPECT_EQ(formula.op2, '^');
    EXPECT_FLOAT_EQ(EvaluateParsedFormula(formula, 3.0f), -24.0f);
}

} // namespace
