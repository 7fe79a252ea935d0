#include "network/formula.h"

#include "base/debug_log.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The outcome of one left-to-right scan of a formula text: the three operand texts, the two
// operators and what was wrong with the text, if anything.
struct FormulaScan {
    char operand[3][kOperandMaxChars + 1];
    bool cut[3] = {false, false, false}; // operand longer than the limit, cut to it
    char op1 = '+';
    char op2 = '+';
    bool wellFormed = true;
};

// Copies text[from, to) into an operand buffer, cut to the operand limit.
bool CopyOperand(char (&buffer)[kOperandMaxChars + 1], const char* text, size_t from, size_t to) {
    size_t length = to - from;
    bool cut = length > static_cast<size_t>(kOperandMaxChars);
    if (cut)
        length = kOperandMaxChars;
    std::memcpy(buffer, text + from, length);
    buffer[length] = '\0';
    return cut;
}

void ScanFormula(const char* formula, FormulaScan& scan) {
    if (!formula)
        formula = "";
    const size_t length = std::strlen(formula);

    // A: a sign in the first position belongs to the number, so the search starts at 1.
    size_t pos = length > 0 ? 1 : 0;
    while (pos < length && !IsFormulaOperator(formula[pos]))
        ++pos;
    scan.cut[0] = CopyOperand(scan.operand[0], formula, 0, pos);
    if (pos < length) {
        scan.op1 = formula[pos];
        // Skip the operator and the opening parenthesis after it, whatever that character is.
        pos += 2;
        if (pos > length) {
            pos = length;
            scan.wellFormed = false;
        }
    } else {
        scan.wellFormed = false;
    }

    // B: runs to the next operator, which may stand first ("-1*x" reads as B empty, op2 "-").
    size_t start = pos;
    while (pos < length && !IsFormulaOperator(formula[pos]))
        ++pos;
    scan.cut[1] = CopyOperand(scan.operand[1], formula, start, pos);
    if (pos < length) {
        scan.op2 = formula[pos];
        ++pos;
    } else {
        scan.wellFormed = false;
    }

    // C: runs to the closing parenthesis, operators included.
    start = pos;
    while (pos < length && formula[pos] != ')')
        ++pos;
    if (pos >= length)
        scan.wellFormed = false;
    scan.cut[2] = CopyOperand(scan.operand[2], formula, start, pos);
}

bool IsVariable(const char* operand) {
    return operand[0] == 'x' && operand[1] == '\0';
}

float OperandValue(const char* operand, float x) {
    if (IsVariable(operand))
        return x;
    return std::strtof(operand, nullptr);
}

} // namespace

// Raises base to a whole power by repeated squaring; every product stays in single precision so
// that results match across compilers that would otherwise widen intermediates.
float FormulaPower(float base, float exponent) {
    if (std::isnan(exponent))
        return exponent;
    // Truncation towards zero; huge exponents are limited so the conversion stays defined.
    double truncated = std::trunc(static_cast<double>(exponent));
    if (truncated > 2147483647.0)
        truncated = 2147483647.0;
    if (truncated < -2147483647.0)
        truncated = -2147483647.0;
    int64_t power = static_cast<int64_t>(truncated);
    bool negative = power < 0;
    uint64_t remaining = static_cast<uint64_t>(negative ? -power : power);
    float result = 1.0f;
    float square = base;
    while (remaining != 0) {
        if (remaining & 1u)
            result = result * square;
        remaining >>= 1;
        if (remaining != 0)
            square = square * square;
    }
    if (negative)
        return 1.0f / result;
    return result;
}

bool IsFormulaOperator(char c) {
    return c == '*' || c == '+' || c == '-' || c == '/' || c == '^';
}

float ApplyFormulaOperator(char op, float left, float right) {
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
        REPORT_ERROR("unknown operator");
        return 0.0f;
    }
}

float EvaluateFormula(const char* formula, float x) {
    FormulaScan scan;
    ScanFormula(formula, scan);
    // Each over-long operand and a broken shape are reported on every evaluation.
    for (bool cut : scan.cut)
        ASSERT(!cut);
    ASSERT(scan.wellFormed);

    float valueA = OperandValue(scan.operand[0], x);
    float valueB = OperandValue(scan.operand[1], x);
    float valueC = OperandValue(scan.operand[2], x);
    float inner = ApplyFormulaOperator(scan.op2, valueB, valueC);
    return ApplyFormulaOperator(scan.op1, valueA, inner);
}

bool ParseFormula(const char* formula, ParsedFormula& parsed) {
    parsed = ParsedFormula();
    FormulaScan scan;
    ScanFormula(formula, scan);
    if (!scan.wellFormed || scan.cut[0] || scan.cut[1] || scan.cut[2])
        return false;
    for (int i = 0; i < 3; ++i) {
        if (IsVariable(scan.operand[i]))
            parsed.variableMask = static_cast<uint8_t>(parsed.variableMask | (1u << i));
        else
            parsed.operand[i] = std::strtof(scan.operand[i], nullptr);
    }
    parsed.op1 = scan.op1;
    parsed.op2 = scan.op2;
    parsed.usable = true;
    return true;
}
