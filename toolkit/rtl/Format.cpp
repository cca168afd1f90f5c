#include "toolkit/rtl/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// A finite value as decimal digits: value = d1.d2d3... x 10^exponent. Built from the 17 significant
// digits that identify a double, then rounded half away from zero as the classic run-time rounds its
// decimal text (so 0.125 shows as 0.13, while 2.675, stored as 2.67499..., shows as 2.67).
struct Decimal {
    std::string digits;  // empty for zero
    int exponent = 0;

    explicit Decimal(double value) {
        if (value == 0) return;
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, 16);
        std::string s(buf, r.ptr);
        std::size_t e = s.find('e');
        for (std::size_t i = 0; i < e; ++i)
            if (s[i] != '.') digits += s[i];
        exponent = std::atoi(s.c_str() + e + 1);
    }

    // Keeps `count` significant digits.
    void Round(int count) {
        if (count < 0 || digits.empty()) {
            digits.clear();
            return;
        }
        if (static_cast<std::size_t>(count) >= digits.size()) return;
        bool up = digits[static_cast<std::size_t>(count)] >= '5';
        digits.resize(static_cast<std::size_t>(count));
        if (up) {
            int i = count - 1;
            while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') digits[static_cast<std::size_t>(i--)] = '0';
            if (i >= 0) {
                ++digits[static_cast<std::size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                digits.pop_back();
                if (digits.empty()) digits = "1";
                ++exponent;
            }
        }
        while (!digits.empty() && digits.back() == '0') digits.pop_back();
    }

    char Digit(int position) const {  // position 0 is the first significant digit
        return position >= 0 && static_cast<std::size_t>(position) < digits.size() ? digits[static_cast<std::size_t>(position)]
                                                                                   : '0';
    }
};

std::string NonFinite(double value) {
    if (std::isnan(value)) return "NAN";
    return value < 0 ? "-INF" : "INF";
}

std::string GroupThousands(const std::string& integerPart) {
    char sep = FormatSettings().ThousandSeparator;
    if (sep == '\0') return integerPart;
    std::string r;
    int n = static_cast<int>(integerPart.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) r += sep;
        r += integerPart[static_cast<std::size_t>(i)];
    }
    return r;
}

std::string Scientific(double value, int precision) {
    if (!std::isfinite(value)) return NonFinite(value);
    Decimal d(value);
    d.Round(precision);
    std::string mantissa(1, d.Digit(0));
    if (precision > 1) mantissa += FormatSettings().DecimalSeparator;
    for (int i = 1; i < precision; ++i) mantissa += d.Digit(i);
    int exponent = d.digits.empty() ? 0 : d.exponent;
    std::string expText = std::to_string(std::abs(exponent));
    if (expText.size() < 3) expText.insert(0, 3 - expText.size(), '0');
    return (value < 0 && !d.digits.empty() ? "-" : "") + mantissa + "E" + (exponent < 0 ? "-" : "+") + expText;
}

std::string Money(double value, int decimals) {
    const TFormatSettings& fs = FormatSettings();
    std::string number = FloatToStrFixed(std::fabs(value), decimals, true);
    bool negative = value < 0 && number.find_first_not_of("0.,") != std::string::npos;
    static const char* const positive[] = {"$1", "1$", "$ 1", "1 $"};
    static const char* const negativeForms[] = {"($1)", "-$1",  "$-1",  "$1-",  "(1$)", "-1$",  "1-$",   "1$-",
                                                "-1 $", "-$ 1", "1 $-", "$ 1-", "$ -1", "1- $", "($ 1)", "(1 $)"};
    const char* pattern = negative ? negativeForms[fs.NegCurrFormat >= 0 && fs.NegCurrFormat < 16 ? fs.NegCurrFormat : 1]
                                   : positive[fs.CurrencyFormat >= 0 && fs.CurrencyFormat < 4 ? fs.CurrencyFormat : 0];
    std::string r;
    for (const char* p = pattern; *p; ++p) {
        if (*p == '$')
            r += fs.CurrencyString;
        else if (*p == '1')
            r += number;
        else
            r += *p;
    }
    return r;
}

class Formatter {
public:
    Formatter(const std::string& fmt, const std::vector<Variant>& args) : fmt_(fmt), args_(args) {}

    std::string Run() {
        std::string out;
        std::size_t i = 0;
        while (i < fmt_.size()) {
            char c = fmt_[i++];
            if (c != '%') {
                out += c;
                continue;
            }
            if (i >= fmt_.size()) Fail();
            if (fmt_[i] == '%') {
                out += '%';
                ++i;
                continue;
            }
            out += Spec(i);
        }
        return out;
    }

private:
    [[noreturn]] void Fail() const { throw EConvertError("Format '" + fmt_ + "' invalid or incompatible with argument"); }

    const Variant& NextArg() {
        if (next_ >= args_.size()) Fail();
        return args_[next_++].Deref();
    }

    std::int64_t IntArg() {
        const Variant& v = NextArg();
        if (v.Type() != VarType::Integer) Fail();
        return v.AsInt64();
    }

    double FloatArg() {
        const Variant& v = NextArg();
        if (v.Type() != VarType::Double && v.Type() != VarType::Date) Fail();
        return v.AsDouble();
    }

    // A number or "*" (the next argument); -1 when neither is there.
    int Number(std::size_t& i) {
        if (i < fmt_.size() && fmt_[i] == '*') {
            ++i;
            std::int64_t v = IntArg();
            if (v < 0 || v > 1000000) Fail();
            return static_cast<int>(v);
        }
        if (i >= fmt_.size() || fmt_[i] < '0' || fmt_[i] > '9') return -1;
        long long n = 0;
        while (i < fmt_.size() && fmt_[i] >= '0' && fmt_[i] <= '9') {
            n = n * 10 + (fmt_[i++] - '0');
            if (n > 1000000) Fail();
        }
        return static_cast<int>(n);
    }

    std::string Spec(std::size_t& i) {
        // [index:][-][width][.precision]type
        int first = Number(i);
        if (first >= 0 && i < fmt_.size() && fmt_[i] == ':') {
            if (static_cast<std::size_t>(first) >= args_.size()) Fail();
            next_ = static_cast<std::size_t>(first);
            ++i;
            first = -1;
        }
        bool left = false;
        int width = first;
        if (width < 0) {
            if (i < fmt_.size() && fmt_[i] == '-') {
                left = true;
                ++i;
            }
            width = Number(i);
        }
        int precision = -1;
        if (i < fmt_.size() && fmt_[i] == '.') {
            ++i;
            precision = Number(i);
            if (precision < 0) precision = 0;
        }
        if (i >= fmt_.size()) Fail();
        char type = static_cast<char>(fmt_[i++] | 0x20);
        std::string text = Convert(type, precision);
        std::size_t length = Utf8Length(text);
        if (width > 0 && length < static_cast<std::size_t>(width)) {
            std::string pad(static_cast<std::size_t>(width) - length, ' ');
            text = left ? text + pad : pad + text;
        }
        return text;
    }

    static std::string MinDigits(std::string digits, int precision) {
        if (precision > 0 && digits.size() < static_cast<std::size_t>(precision))
            digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
        return digits;
    }

    // A negative value passed where an unsigned one is expected shows its bit pattern: 32 bits when it
    // fits an int, as the classic integer arguments do, else 64.
    static std::uint64_t Unsigned(std::int64_t v) {
        if (v < 0 && v >= std::numeric_limits<std::int32_t>::min()) return static_cast<std::uint32_t>(v);
        return static_cast<std::uint64_t>(v);
    }

    std::string Convert(char type, int precision) {
        switch (type) {
            case 'd': {
                std::int64_t v = IntArg();
                std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
                return (v < 0 ? "-" : "") + MinDigits(std::to_string(magnitude), precision);
            }
            case 'u': return MinDigits(std::to_string(Unsigned(IntArg())), precision);
            case 'x': {
                char buf[32];
                auto r = std::to_chars(buf, buf + sizeof buf, Unsigned(IntArg()), 16);
                return MinDigits(UpperCase(std::string(buf, r.ptr)), precision);
            }
            case 's': {
                const Variant& v = NextArg();
                std::string s;
                if (v.Type() == VarType::String)
                    s = v.AsString();
                else if (!v.IsEmptyOrNull())
                    Fail();
                if (precision >= 0 && Utf8Length(s) > static_cast<std::size_t>(precision)) s = Utf8Copy(s, 1, precision);
                return s;
            }
            case 'f': return FloatToStrFixed(FloatArg(), precision < 0 ? 2 : std::min(precision, 18));
            case 'n': return FloatToStrFixed(FloatArg(), precision < 0 ? 2 : std::min(precision, 18), true);
            case 'e': return Scientific(FloatArg(), precision < 0 ? 15 : std::clamp(precision, 1, 18));
            case 'g': return FloatToStrGeneral(FloatArg(), precision < 0 ? 15 : std::clamp(precision, 1, 18));
            case 'm': return Money(FloatArg(), precision < 0 ? FormatSettings().CurrencyDecimals : std::min(precision, 18));
            default: Fail();
        }
    }

    const std::string& fmt_;
    const std::vector<Variant>& args_;
    std::size_t next_ = 0;
};

}  // namespace

std::string Format(const std::string& fmt, const std::vector<Variant>& args) { return Formatter(fmt, args).Run(); }

std::string FloatToStrGeneral(double value, int precision) {
    if (!std::isfinite(value)) return NonFinite(value);
    Decimal d(value);
    d.Round(precision);
    if (d.digits.empty()) return "0";
    char point = FormatSettings().DecimalSeparator;
    std::string r = value < 0 ? "-" : "";
    if (d.exponent + 1 > precision || d.exponent < -5) {
        r += d.digits.substr(0, 1);
        if (d.digits.size() > 1) r += point + d.digits.substr(1);
        return r + "E" + std::to_string(d.exponent);
    }
    if (d.exponent < 0) return r + "0" + point + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    for (int i = 0; i <= d.exponent; ++i) r += d.Digit(i);
    if (d.digits.size() > static_cast<std::size_t>(d.exponent + 1))
        r += point + d.digits.substr(static_cast<std::size_t>(d.exponent + 1));
    return r;
}

std::string FloatToStrFixed(double value, int decimals, bool thousands) {
    if (!std::isfinite(value)) return NonFinite(value);
    Decimal d(value);
    d.Round(d.exponent + 1 + decimals);
    std::string intPart;
    for (int i = 0; i <= d.exponent && !d.digits.empty(); ++i) intPart += d.Digit(i);
    if (intPart.empty()) intPart = "0";
    std::string out = (value < 0 && !d.digits.empty()) ? "-" : "";
    out += thousands ? GroupThousands(intPart) : intPart;
    if (decimals > 0) {
        out += FormatSettings().DecimalSeparator;
        for (int k = 1; k <= decimals; ++k) out += d.digits.empty() ? '0' : d.Digit(d.exponent + k);
    }
    return out;
}
