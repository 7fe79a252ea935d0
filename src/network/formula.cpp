#include "network/formula.h"

#include "data/debug_log.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Raises base to a whole power by repeated squaring; every product stays in single precision so
// that results match across compilers that would otherwise widen intermediates.
float PowerBySquaring(float base, float exponent) {
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

// Copies text[from, to) into an operand buffer, cut to the operand limit.
void CopyOperand(char (&buffer)[kOperandMaxChars + 1], const char* text, size_t from, size_t to) {
    size_t length = to - from;
    if (length > static_cast<size_t>(kOperandMaxChars)) {
        ASSERT(false);
        length = kOperandMaxChars;
    }
    std::memcpy(buffer, text + from, length);
    buffer[length] = '\0';
}

float OperandValue(const char* operand, float x) {
    if (operand[0] == 'x' && operand[1] == '\0')
        return x;
    return std::strtof(operand, nullptr);
}

} // namespace

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
        return PowerBySquaring(left, right);
    default:
        REPORT_ERROR("unknown operator");
        return 0.0f;
    }
}

float EvaluateFormula(const char* formula, float x) {
    if (!formula)
        formula = "";
    char a[kOperandMaxChars + 1];
    char b[kOperandMaxChars + 1];
    char c[kOperandMaxChars + 1];
    char op1 = '+';
    char op2 = '+';
    bool wellFormed = true;
    const size_t length = std::strlen(formula);

    // A: a sign in the first position belongs to the number, so the search starts at 1.
    size_t pos = length > 0 ? 1 : 0;
    while (pos < length && !IsFormulaOperator(formula[pos]))
        ++pos;
    CopyOperand(a, formula, 0, pos);
    if (pos < length) {
        op1 = formula[pos];
        // Skip the operator and the opening parenthesis after it, whatever that character is.
        pos += 2;
        if (pos > length) {
            pos = length;
            wellFormed = false;
        }
    } else {
        wellFormed = false;
    }

    // B: runs to the next operator, which may stand first ("-1*x" reads as B empty, op2 "-").
    size_t start = pos;
    while (pos < length && !IsFormulaOperator(formula[pos]))
        ++pos;
    CopyOperand(b, formula, start, pos);
    if (pos < length) {
        op2 = formula[pos];
        ++pos;
    } else {
        wellFormed = false;
    }

    // C: runs to the closing parenthesis, operators included.
    start = pos;
    while (pos < length && formula[pos] != ')')
        ++pos;
    if (pos >= length)
        wellFormed = false;
    CopyOperand(c, formula, start, pos);

    ASSERT(wellFormed);

    float valueA = OperandValue(a, x);
    float valueB = OperandValue(b, x);
    float valueC = OperandValue(c, x);
    float inner = ApplyFormulaOperator(op2, valueB, valueC);
    return ApplyFormulaOperator(op1, valueA, inner);
}
