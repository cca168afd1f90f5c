#pragma once
// Number display and entry as the classic run-time does it, shared by fields, controls and the
// framework.
#include <string>

// Formats a value with a pattern of the classic FormatFloat:
//   0 digit (padded), # digit (optional), . decimal point, , thousands grouping, E+ E- e+ e-
//   scientific notation, "text" or 'text' literal, any other character literal;
//   up to three sections "positive;negative;zero" (an empty negative section writes "-" before the
//   positive one). Rounding is half away from zero on fifteen significant digits, so 2.675 with
//   "0.00" gives "2.68". An empty pattern gives FloatToStr.
// Examples: "#,##0.00" 1234.5 -> "1,234.50"; "#,##0.#######" 1234.5 -> "1,234.5"; "0.00" 2 -> "2.00".
std::string FormatFloat(const std::string& format, double value);

// Reads a typed number: blanks around it are ignored, "," thousands separators are accepted anywhere
// in the integer part, "." is the decimal point, an exponent may follow. False for anything else,
// including an empty text.
bool TryTextToFloat(const std::string& text, double& value);

// Rounds half away from zero to the given number of decimals (negative: unchanged).
double RoundHalfAway(double value, int decimals);
