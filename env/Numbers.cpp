#include "env/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

double FixDecimals(double value, int digits) {
    // The nudge makes binary halves such as 2.675 round away from zero like their decimal text.
    const double nudged = value + (value < 0 ? -1e-12 : value > 0 ? 1e-12 : 0.0);
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*f", digits < 0 ? 0 : (digits > 300 ? 300 : digits), nudged);
    return std::strtod(buf, nullptr);
}

int SameNumber(double a, double b) {
    auto shortest = [](double v) {
        char buf[64];
        const auto res = std::to_chars(buf, buf + sizeof buf, v);
        double back = 0;
        std::from_chars(buf, res.ptr, back);
        return back;
    };
    const double x = shortest(a), y = shortest(b);
    if (std::fabs(x - y) < 1e-10) return 0;
    return x < y ? -1 : 1;
}

namespace {

std::optional<std::int64_t> ParseField(std::string_view s) {
    if (s.empty()) return std::nullopt;
    std::int64_t v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || v < 0) return std::nullopt;
    return v;
}

// Total seconds of a duration text; nothing when the text does not qualify.
std::optional<std::int64_t> DurationSeconds(std::string_view text) {
    if (text.size() <= 7) return std::nullopt;
    bool negative = false;
    if (text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    const std::size_t p1 = text.find(':');
    if (p1 == std::string_view::npos) return std::nullopt;
    const std::size_t p2 = text.find(':', p1 + 1);
    if (p2 == std::string_view::npos || text.find(':', p2 + 1) != std::string_view::npos) return std::nullopt;
    const auto h = ParseField(text.substr(0, p1));
    const auto m = ParseField(text.substr(p1 + 1, p2 - p1 - 1));
    const auto s = ParseField(text.substr(p2 + 1));
    if (!h || !m || !s || *h > 1'000'000'000'000LL) return std::nullopt;
    const std::int64_t total = *h * 3600 + *m * 60 + *s;
    return negative ? -total : total;
}

}  // namespace

Variant AddDuration(std::string_view a, std::string_view b, int sign) {
    const auto x = DurationSeconds(a);
    const auto y = DurationSeconds(b);
    if (!x || !y || (sign != 1 && sign != -1)) return VarArrayOf({Variant(0), Variant("000:00:00")});
    const std::int64_t total = *x + sign * *y;
    return VarArrayOf({Variant(static_cast<long long>(total)), Variant(SecondsToDuration(total))});
}

std::string SecondsToDuration(std::int64_t seconds) {
    if (seconds == 0) return "0000:00:00";
    const std::uint64_t abs = seconds < 0 ? 0 - static_cast<std::uint64_t>(seconds) : static_cast<std::uint64_t>(seconds);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%s%.4llu:%.2llu:%.2llu", seconds < 0 ? "-" : "", static_cast<unsigned long long>(abs / 3600),
                  static_cast<unsigned long long>(abs / 60 % 60), static_cast<unsigned long long>(abs % 60));
    return buf;
}
