#include "env/Dates.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <optional>

#include "env/Clock.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

// A run of decimal digits (after trimming) as a number; nothing for any other text.
std::optional<int> ParseNumber(const std::string& text) {
    const std::string s = Trim(text);
    if (s.empty() || s.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string FirstChar(const std::string& separator) { return Utf8Copy(separator, 1, 1); }

// The three parts of a typed date split at the separator; the last part keeps any further separators.
std::array<std::string, 3> SplitParts(const std::string& text, const std::string& separator) {
    std::array<std::string, 3> parts;
    std::size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t pos = i < 2 && !separator.empty() ? text.find(separator, start) : std::string::npos;
        if (pos == std::string::npos) {
            if (start <= text.size()) parts[static_cast<std::size_t>(i)] = text.substr(start);
            start = text.size() + 1;
        } else {
            parts[static_cast<std::size_t>(i)] = text.substr(start, pos - start);
            start = pos + separator.size();
        }
    }
    return parts;
}

struct Ymd {
    int year, month, day;
};

// The parts in the order's sequence as year, month and day; orders 4 and 5 count years from 1911.
Ymd Arrange(int order, int a, int b, int c) {
    switch (order) {
        case 2: return {c, a, b};
        case 3: return {c, b, a};
        case 4:
        case 5: return {a + 1911, b, c};
        default: return {a, b, c};
    }
}

std::string FormatDate(int order, const std::string& separator, int year, int month, int day) {
    const std::string sep = FirstChar(separator);
    const char* s = sep.c_str();
    char buf[96];
    switch (order) {
        case 2: std::snprintf(buf, sizeof buf, "%.2d%s%.2d%s%.4d", month, s, day, s, year); break;
        case 3: std::snprintf(buf, sizeof buf, "%.2d%s%.2d%s%.4d", day, s, month, s, year); break;
        case 4: std::snprintf(buf, sizeof buf, "%.2d%s%.2d%s%.2d", year - 1911, s, month, s, day); break;
        case 5: std::snprintf(buf, sizeof buf, "%.3d%s%.2d%s%.2d", year - 1911, s, month, s, day); break;
        default: std::snprintf(buf, sizeof buf, "%.4d%s%.2d%s%.2d", year, s, month, s, day); break;
    }
    return buf;
}

}  // namespace

std::string DateToText(int order, const std::string& separator, TDateTime date) {
    if (date == 0) return {};
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    return FormatDate(order, separator, y, m, d);
}

std::string DateTimeToText(int order, const std::string& separator, TDateTime dateTime) {
    if (dateTime == 0) return {};
    int h = 0, n = 0, s = 0, z = 0;
    DecodeTime(dateTime, h, n, s, z);
    char buf[32];
    std::snprintf(buf, sizeof buf, " %.2d:%.2d:%.2d:%.3d", h, n, s, z);
    return DateToText(order, separator, dateTime) + buf;
}

TDateTime TextToDate(const std::string& text, int order, const std::string& separator) {
    const auto parts = SplitParts(Trim(text), FirstChar(separator));
    const int a = ParseNumber(parts[0]).value_or(-1);
    const int b = ParseNumber(parts[1]).value_or(-1);
    const int c = ParseNumber(parts[2]).value_or(-1);
    if (a <= 0 || b <= 0 || c <= 0) return 0;
    const Ymd ymd = Arrange(order, a, b, c);
    TDateTime first = 0;
    if (!TryEncodeDate(ymd.year, ymd.month, 1, first)) return 0;
    return first + (ymd.day - 1);
}

std::string TextToStoredDate(const std::string& text, int order, const std::string& separator) {
    const std::string sep = FirstChar(separator);
    const std::string trimmed = Trim(text);
    std::array<std::string, 3> parts;
    if (sep.empty())
        parts = {Copy(trimmed, 1, 4), Copy(trimmed, 5, 2), Copy(trimmed, 7, 2)};
    else
        parts = SplitParts(trimmed, sep);
    const int a = ParseNumber(parts[0]).value_or(0);
    const int b = ParseNumber(parts[1]).value_or(0);
    const int c = ParseNumber(parts[2]).value_or(0);
    if (a <= 0 || b <= 0 || c <= 0) return "0";
    const Ymd ymd = Arrange(order, a, b, c);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.4d%.2d%.2d", ymd.year, ymd.month, ymd.day);
    return buf;
}

namespace {
// An 8-character stored date text with a non-zero, valid year, month and day.
bool TryStoredDate(const std::string& text, TDateTime& result) {
    if (text.size() != 8) return false;
    const auto y = ParseNumber(text.substr(0, 4));
    const auto m = ParseNumber(text.substr(4, 2));
    const auto d = ParseNumber(text.substr(6, 2));
    return y && m && d && *y != 0 && *m != 0 && *d != 0 && TryEncodeDate(*y, *m, *d, result);
}
}  // namespace

TDateTime StoredDateToDate(const std::string& text) {
    TDateTime result = 0;
    return TryStoredDate(text, result) ? result : 0;
}

TDateTime StampToDateTime(const std::string& text) {
    if (text.size() != 17) return 0;
    static constexpr std::array<std::pair<int, int>, 7> fields{{{0, 4}, {4, 2}, {6, 2}, {8, 2}, {10, 2}, {12, 2}, {14, 3}}};
    std::array<int, 7> v{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto n =
            ParseNumber(text.substr(static_cast<std::size_t>(fields[i].first), static_cast<std::size_t>(fields[i].second)));
        if (!n) return 0;
        v[i] = *n;
    }
    TDateTime time = 0;
    if (!TryEncodeTime(v[3], v[4], v[5], v[6], time)) return 0;
    if (v[0] == 0 || v[1] == 0 || v[2] == 0) return time;
    TDateTime date = 0;
    if (!TryEncodeDate(v[0], v[1], v[2], date)) return 0;
    return date + time;
}

bool IsValidStoredDate(const std::string& text) {
    if (text.empty()) return true;
    TDateTime date = 0;
    return TryStoredDate(text, date) && text >= "17530101" && text <= "99991231";
}

std::string StampNow() {
    const TDateTime now = ClockNow();
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, z = 0;
    DecodeDate(now, y, m, d);
    DecodeTime(now, h, n, s, z);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.4d%.2d%.2d%.2d%.2d%.2d%.3d", y, m, d, h, n, s, z);
    return buf;
}
