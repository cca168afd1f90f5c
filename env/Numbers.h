#pragma once
// Numbers fixed to a count of decimals, tolerant comparison, and duration texts
// ("hhhh:mm:ss", at least four hour digits, a leading "-" when negative).
#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/rtl/Variant.h"

// The value rounded to digits decimals, half-way values away from zero.
double FixDecimals(double value, int digits);
// 0 when a and b differ by less than 1e-10 after passing through their shortest decimal text,
// otherwise -1 (a < b) or 1.
int SameNumber(double a, double b);
// [total seconds of a + sign * b, that total as a duration text]; [0, "000:00:00"] when a or b is
// not a duration text or sign is neither 1 nor -1.
Variant AddDuration(std::string_view a, std::string_view b, int sign);
// "0000:00:00" for zero, else [-]hhhh:mm:ss of the absolute value.
std::string SecondsToDuration(std::int64_t seconds);
