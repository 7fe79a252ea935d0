#pragma once
// The one-line formula language carried by every link: A op1 ( B op2 C ), where each operand is
// either the variable "x" or a decimal number and each operator is one of * + - / ^.

// Longest formula text a link keeps, and longest operand; longer runs are cut.
constexpr int kFormulaMaxChars = 31;
constexpr int kOperandMaxChars = 15;

// True for the five operator characters.
bool IsFormulaOperator(char c);

// left op right in single precision. "^" raises left to right truncated towards zero. Any other
// character is reported as "unknown operator" and gives 0.
float ApplyFormulaOperator(char op, float left, float right);

// Evaluates the formula text with x standing for the given value. Re-parsed on every call into
// fixed buffers, so it never allocates. A text without the full shape is reported by an assertion
// and its missing operands count as empty (0), its missing operators as "+".
float EvaluateFormula(const char* formula, float x);
