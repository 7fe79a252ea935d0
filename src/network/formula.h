#pragma once
// The one-line formula language carried by every link: A op1 ( B op2 C ), where each operand is
// either the variable "x" or a decimal number and each operator is one of * + - / ^. A link reads
// its text once into a ParsedFormula and evaluates that every turn; the text evaluator stays for
// texts that need its complaints.

#include <cstdint>

// Longest formula text a link keeps, and longest operand; longer runs are cut.
constexpr int kFormulaMaxChars = 31;
constexpr int kOperandMaxChars = 15;

// True for the five operator characters.
bool IsFormulaOperator(char c);

// left op right in single precision. "^" raises left to right truncated towards zero. Any other
// character is reported as "unknown operator" and gives 0.
float ApplyFormulaOperator(char op, float left, float right);

// left raised to right truncated towards zero, by repeated squaring in single precision.
float FormulaPower(float left, float right);

// Evaluates the formula text with x standing for the given value. Re-parsed on every call into
// fixed buffers, so it never allocates. A text without the full shape is reported by an assertion
// and its missing operands count as empty (0), its missing operators as "+".
float EvaluateFormula(const char* formula, float x);

// A formula text read once: the three operands as numbers (or the variable) and the two operators.
// Evaluating it gives bit for bit what EvaluateFormula gives for the text.
struct ParsedFormula {
    float operand[3] = {0.0f, 0.0f, 0.0f}; // A, B, C
    uint8_t variableMask = 0;              // bit i set: operand i is x
    char op1 = '+';
    char op2 = '+';
    // Only texts that EvaluateFormula reads without an assertion are held; the others are left
    // to the text evaluator so that each of their evaluations is still reported.
    bool usable = false;
};

// Reads the text as EvaluateFormula would. False (and parsed.usable false) for a text that is
// malformed or has an operand longer than the limit; nothing is reported here.
bool ParseFormula(const char* formula, ParsedFormula& parsed);

inline float ApplyParsedOperator(char op, float left, float right) {
    switch (op) {
    case '*':
        return left * right;
    case '+':
        return left + right;
    case '-':
        return left - right;
    case '/':
        return left / right;
    case '^':
        return FormulaPower(left, right);
    default:
        // The scan only ever stores the five operators.
        return ApplyFormulaOperator(op, left, right);
    }
}

// The parsed formula at x. Only for a formula whose usable flag is set.
inline float EvaluateParsedFormula(const ParsedFormula& parsed, float x) {
    float a = (parsed.variableMask & 1u) ? x : parsed.operand[0];
    float b = (parsed.variableMask & 2u) ? x : parsed.operand[1];
    float c = (parsed.variableMask & 4u) ? x : parsed.operand[2];
    return ApplyParsedOperator(parsed.op1, a, ApplyParsedOperator(parsed.op2, b, c));
}
