#pragma once
// Classic run-time formatting of a format string with variant arguments.
//   %[index:][-][width][.precision]type   with width, precision or index given as "*" (taken from the
//   next argument, which must be an integer). Types:
//   d  integer; precision = minimum digit count ("%.3d" of 5 is "005")
//   u  unsigned integer (a negative 32-bit value is read as its unsigned 32-bit pattern)
//   x  upper-case hexadecimal; precision = minimum digit count
//   s  string (Null and Empty give ""); precision = maximum character count
//   f  fixed, precision decimals (default 2)          e  scientific, precision significant digits (15)
//   g  shortest of fixed/scientific (15 digits)        n  fixed with thousand separators (2)
//   m  money: currency string and format of FormatSettings (2)
//   %% a percent sign.
// Numbers take integer variants for d/u/x and floating-point or date variants for f/e/g/n/m.
// Width and precision of strings count UTF-8 characters, not bytes. Output never depends on the C locale.
// A bad format, a missing argument or an argument of the wrong kind raises EConvertError with
// "Format '<fmt>' invalid or incompatible with argument".
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"

std::string Format(const std::string& fmt, const std::vector<Variant>& args);

// Number texts shared with FloatToStr: general format with the given significant digits
// ("1.5", "1E20", "1.5E-10"), fixed with decimals, and fixed with thousand separators.
std::string FloatToStrGeneral(double value, int precision = 15);
std::string FloatToStrFixed(double value, int decimals, bool thousands = false);
