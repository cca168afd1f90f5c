#include "toolkit/data/Numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// value = 0.digits * 10^exponent; digits has no trailing zeros; empty digits means zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

Decimal ToDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value) && value != 0;
    double a = std::fabs(value);
    if (a == 0 || !std::isfinite(a)) return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", a);  // d.dddddddddddddde+XX: fifteen significant digits
    std::string s = buf;
    auto e = s.find('e');
    std::string mant = s.substr(0, e);
    int exp = std::atoi(s.c_str() + e + 1);
    for (char c : mant)
        if (c != '.') d.digits += c;
    d.exponent = exp + 1;
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

// Keeps `keep` digits after the decimal point, rounding half away from zero.
void RoundDecimal(Decimal& d, int decimals) {
    int keep = d.exponent + decimals;  // number of significant digits that survive
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        } else {
            ++d.digits[static_cast<std::size_t>(i)];
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d.exponent = 0;
}

// One section of a pattern, split into what the renderer needs.
struct Section {
    std::string text;
    int intPlaceholders = 0;  // # and 0 before the decimal point
    int minInt = 0;           // digits forced by 0 before the point (from the first 0 on)
    int maxDec = 0;           // placeholders after the point
    int minDec = 0;           // up to the last 0 after the point
    bool thousands = false;
    bool scientific = false;
    bool expPlus = false;  // E+ writes the sign of positive exponents too
    int expDigits = 0;
};

std::vector<std::string> SplitSections(const std::string& format) {
    std::vector<std::string> out(1);
    char quote = 0;
    for (char c : format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            out.emplace_back();
            continue;
        }
        out.back() += c;
    }
    return out;
}

Section Analyse(const std::string& text) {
    Section s;
    s.text = text;
    bool afterPoint = false, seenZero = false;
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        if (s.scientific) continue;
        if ((c == 'E' || c == 'e') && i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-')) {
            s.scientific = true;
            s.expPlus = text[i + 1] == '+';
            for (std::size_t j = i + 2; j < text.size() && text[j] == '0'; ++j) ++s.expDigits;
            continue;
        }
        if (c == '.') {
            if (!afterPoint) afterPoint = true;
        } else if (c == ',') {
            if (!afterPoint) s.thousands = true;
        } else if (c == '0' || c == '#') {
            if (afterPoint) {
                ++s.maxDec;
                if (c == '0') s.minDec = s.maxDec;
            } else {
                ++s.intPlaceholders;
                if (c == '0') seenZero = true;
                if (seenZero) ++s.minInt;
            }
        }
    }
    return s;
}

std::string Render(const Section& s, Decimal d) {
    std::string expText;
    if (!s.scientific) RoundDecimal(d, s.maxDec);
    if (s.scientific && !d.digits.empty()) {
        int intDigits = s.intPlaceholders > 0 ? s.intPlaceholders : 1;
        int exp = d.exponent - intDigits;
        d.exponent = intDigits;
        RoundDecimal(d, s.maxDec);
        if (d.exponent != intDigits) {  // rounding carried into a new digit
            exp += d.exponent - intDigits;
            d.exponent = intDigits;
        }
        std::string e = std::to_string(std::abs(exp));
        while (static_cast<int>(e.size()) < s.expDigits) e.insert(e.begin(), '0');
        expText = (exp < 0 ? "-" : (s.expPlus ? "+" : "")) + e;
    } else if (s.scientific) {
        expText = s.expPlus ? "+" : "";
        expText += std::string(static_cast<std::size_t>(std::max(1, s.expDigits)), '0');
    }

    // Integer and fraction digit strings.
    std::string intPart, fracPart;
    for (int i = 0; i < d.exponent; ++i)
        intPart += i < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(i)] : '0';
    for (int i = d.exponent; i < static_cast<int>(d.digits.size()); ++i) {
        if (i < 0) continue;
        fracPart += d.digits[static_cast<std::size_t>(i)];
    }
    if (d.exponent < 0) fracPart.insert(0, static_cast<std::size_t>(-d.exponent), '0');
    if (static_cast<int>(fracPart.size()) > s.maxDec) fracPart.resize(static_cast<std::size_t>(s.maxDec));
    while (static_cast<int>(fracPart.size()) < s.minDec) fracPart += '0';
    while (static_cast<int>(intPart.size()) < s.minInt) intPart.insert(intPart.begin(), '0');

    const int D = static_cast<int>(intPart.size());
    const int P = s.intPlaceholders;
    auto emitDigit = [&](std::string& out, int index) {
        out += intPart[static_cast<std::size_t>(index)];
        if (s.thousands && index < D - 1 && (D - 1 - index) % 3 == 0) out += FormatSettings().ThousandSeparator;
    };

    std::string out;
    int intSeen = 0, fracSeen = 0;
    bool afterPoint = false, expDone = false;
    char quote = 0;
    const std::string& t = s.text;
    for (std::size_t i = 0; i < t.size(); ++i) {
        char c = t[i];
        if (quote) {
            if (c == quote)
                quote = 0;
            else
                out += c;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
            continue;
        }
        if (s.scientific && !expDone && (c == 'E' || c == 'e') && i + 1 < t.size() && (t[i + 1] == '+' || t[i + 1] == '-')) {
            out += c;
            out += expText;
            expDone = true;
            i += 1;
            while (i + 1 < t.size() && t[i + 1] == '0') ++i;
            continue;
        }
        if (c == '0' || c == '#') {
            if (!afterPoint) {
                if (intSeen == 0)
                    for (int k = 0; k < D - P; ++k) emitDigit(out, k);
                int index = D - P + intSeen;
                if (index >= 0) emitDigit(out, index);
                ++intSeen;
            } else {
                if (fracSeen < static_cast<int>(fracPart.size())) out += fracPart[static_cast<std::size_t>(fracSeen)];
                ++fracSeen;
            }
            continue;
        }
        if (c == '.' && !afterPoint) {
            afterPoint = true;
            if (intSeen == 0 && P == 0)
                for (int k = 0; k < D; ++k) emitDigit(out, k);
            if (!fracPart.empty()) out += FormatSettings().DecimalSeparator;
            continue;
        }
        if (c == ',') continue;
        out += c;
    }
    if (P == 0 && !afterPoint) {
        // A pattern without digit placeholders still shows the number at its end.
        for (int k = 0; k < D; ++k) emitDigit(out, k);
    }
    return out;
}

}  // namespace

std::string FormatFloat(const std::string& format, double value) {
    if (format.empty() || !std::isfinite(value)) return FloatToStr(value);
    std::vector<std::string> parts = SplitSections(format);
    Section pos = Analyse(parts[0]);
    Decimal d = ToDecimal(value);
    bool negative = d.negative;
    d.negative = false;
    Decimal rounded = d;
    if (!pos.scientific) RoundDecimal(rounded, pos.maxDec);

    if (rounded.digits.empty() && parts.size() >= 3 && !parts[2].empty()) {
        Section zero = Analyse(parts[2]);
        return Render(zero, Decimal{});
    }
    if (negative && parts.size() >= 2 && !parts[1].empty()) {
        Section neg = Analyse(parts[1]);
        return Render(neg, d);
    }
    std::string text = Render(pos, d);
    if (negative && !rounded.digits.empty()) text.insert(0, "-");
    return text;
}

bool TryTextToFloat(const std::string& text, double& value) {
    // Thousands separators may stand anywhere before the decimal point; the rest is the plain grammar.
    const TFormatSettings& fs = FormatSettings();
    std::string plain;
    bool point = false;
    for (char c : text) {
        if (c == fs.DecimalSeparator || c == 'e' || c == 'E') point = true;
        if (c == fs.ThousandSeparator && !point) continue;
        plain += c;
    }
    return TryStrToFloat(plain, value);
}

double RoundHalfAway(double value, int decimals) {
    if (decimals < 0 || !std::isfinite(value)) return value;
    Decimal d = ToDecimal(value);
    RoundDecimal(d, decimals);
    if (d.digits.empty()) return 0.0;
    std::string s = (d.negative ? "-0." : "0.") + d.digits + "e" + std::to_string(d.exponent);
    return std::strtod(s.c_str(), nullptr);
}
