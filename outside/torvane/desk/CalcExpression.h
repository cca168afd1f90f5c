#pragma once
// The calculator's arithmetic: + - * / with the usual precedence, parentheses, unary signs and
// decimal numbers (a "," between digits, as in 1,234.5, is ignored).
#include <optional>
#include <string>

// The value, or nothing for a malformed expression or a division by zero.
std::optional<double> EvaluateExpression(const std::string& text);
// A value as the calculator shows it: up to ten decimals, trailing zeros dropped.
std::string CalcValueText(double value);
