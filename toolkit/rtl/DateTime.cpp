#include "toolkit/rtl/DateTime.h"

#include <cmath>
#include <ctime>

#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/SysUtils.h"

namespace {
constexpr long long MSecsPerDay = 86400000LL;
constexpr long long DateDelta = 693594;  // days from 0001-01-01 to 1899-12-30 (counting the first day)

// Splits a date-time into whole days and milliseconds of the day; the time of a negative date-time
// is its absolute fraction, and a time that rounds to midnight carries into the next day.
void Split(TDateTime dt, long long& days, long long& msec) {
    CheckDateTime(dt);
    days = static_cast<long long>(std::trunc(dt));
    msec = std::llround(std::fabs(dt - static_cast<double>(days)) * MSecsPerDay);
    if (msec >= MSecsPerDay) {
        msec -= MSecsPerDay;
        days += dt < 0 ? -1 : 1;
    }
}

TDateTime Combine(long long days, long long msec) {
    double time = static_cast<double>(msec) / MSecsPerDay;
    return days < 0 ? static_cast<double>(days) - time : static_cast<double>(days) + time;
}

// Civil date from days since 1899-12-30 (proleptic Gregorian).
void CivilFromDays(long long days, int& year, int& month, int& day) {
    long long z = days - 25569 + 719468;  // shift to days since 0000-03-01
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::string Pad(int value, int width) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}
}  // namespace

bool IsValidDateTime(TDateTime dt) {
    // 0001-01-01 00:00 to 9999-12-31 23:59:59.999; NaN fails both comparisons.
    return dt >= -693593.0 && dt < 2958466.0;
}

void CheckDateTime(TDateTime dt) {
    if (!IsValidDateTime(dt)) throw EConvertError("Invalid date-time");
}

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInAMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

int DaysInMonth(TDateTime dt) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return DaysInAMonth(y, m);
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInAMonth(year, month);
}

bool IsValidTime(int hour, int min, int sec, int msec) {
    return hour >= 0 && hour < 24 && min >= 0 && min < 60 && sec >= 0 && sec < 60 && msec >= 0 && msec < 1000;
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
    if (!IsValidDate(year, month, day)) return false;
    long long d = day;
    for (int m = 1; m < month; ++m) d += DaysInAMonth(year, m);
    long long y = year - 1;
    result = static_cast<double>(y * 365 + y / 4 - y / 100 + y / 400 + d - DateDelta);
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime r = 0;
    if (!TryEncodeDate(year, month, day, r)) throw EConvertError("Invalid argument to date encode");
    return r;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result) {
    if (!IsValidTime(hour, min, sec, msec)) return false;
    result = static_cast<double>(hour * 3600000LL + min * 60000LL + sec * 1000LL + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime r = 0;
    if (!TryEncodeTime(hour, min, sec, msec, r)) throw EConvertError("Invalid argument to time encode");
    return r;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec) {
    TDateTime date = EncodeDate(year, month, day);
    TDateTime time = EncodeTime(hour, min, sec, msec);
    return date < 0 ? date - time : date + time;
}

void DecodeDate(TDateTime dt, int& year, int& month, int& day) {
    long long days, msec;
    Split(dt, days, msec);
    CivilFromDays(days, year, month, day);
}

void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec) {
    long long days, ms;
    Split(dt, days, ms);
    hour = static_cast<int>(ms / 3600000);
    min = static_cast<int>(ms / 60000 % 60);
    sec = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

TDateTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    return EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, std::min(tm.tm_sec, 59),
                          static_cast<int>(ts.tv_nsec / 1000000));
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time() {
    TDateTime now = Now();
    return now - std::trunc(now);
}

TDateTime IncMonth(TDateTime dt, int months) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    long long total = static_cast<long long>(y) * 12 + (m - 1) + months;
    y = static_cast<int>(total / 12);
    m = static_cast<int>(total % 12) + 1;
    d = std::min(d, DaysInAMonth(y, m));
    long long days, msec;
    Split(dt, days, msec);
    return Combine(static_cast<long long>(EncodeDate(y, m, d)), msec);
}

int DayOfWeek(TDateTime dt) {
    long long days, msec;
    Split(dt, days, msec);
    long long r = (DateDelta + days) % 7;
    if (r < 0) r += 7;
    return static_cast<int>(r) + 1;
}

int YearOf(TDateTime dt) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return y;
}

int MonthOf(TDateTime dt) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return m;
}

int DayOf(TDateTime dt) {
    int y, m, d;
    DecodeDate(dt, y, m, d);
    return d;
}

namespace {
class DateFormatter {
public:
    explicit DateFormatter(TDateTime dt) : dt_(dt) {
        DecodeDate(dt, year_, month_, day_);
        DecodeTime(dt, hour_, min_, sec_, msec_);
    }

    void Append(const std::string& f, int depth = 0) {
        const TFormatSettings& fs = FormatSettings();
        bool twelveHour = UsesAmPm(f);
        char last = ' ';
        std::size_t i = 0;
        while (i < f.size()) {
            char c = f[i];
            char token = static_cast<char>((c >= 'a' && c <= 'z') ? c - 32 : c);
            if (token == 'M' && last == 'H') token = 'N';
            bool letter = token >= 'A' && token <= 'Z';
            std::size_t count = 1;
            auto countRun = [&] {
                while (i + count < f.size() && (f[i + count] | 0x20) == (c | 0x20)) ++count;
            };
            switch (token) {
                case 'Y':
                    countRun();
                    out_ += count <= 2 ? Pad(year_ % 100, 2) : Pad(year_, 4);
                    break;
                case 'M':
                    countRun();
                    if (count <= 2)
                        out_ += Pad(month_, static_cast<int>(count));
                    else
                        out_ += count == 3 ? fs.ShortMonthNames[month_ - 1] : fs.LongMonthNames[month_ - 1];
                    break;
                case 'D':
                    countRun();
                    if (count <= 2)
                        out_ += Pad(day_, static_cast<int>(count));
                    else if (count == 3)
                        out_ += fs.ShortDayNames[DayOfWeek(dt_) - 1];
                    else if (count == 4)
                        out_ += fs.LongDayNames[DayOfWeek(dt_) - 1];
                    else if (depth < 2)
                        Append(count == 5 ? fs.ShortDateFormat : fs.LongDateFormat, depth + 1);
                    break;
                case 'H': {
                    countRun();
                    int h = hour_;
                    if (twelveHour) {
                        h %= 12;
                        if (h == 0) h = 12;
                    }
                    out_ += Pad(h, count >= 2 ? 2 : 1);
                    break;
                }
                case 'N':
                    countRun();
                    out_ += Pad(min_, count >= 2 ? 2 : 1);
                    break;
                case 'S':
                    countRun();
                    out_ += Pad(sec_, count >= 2 ? 2 : 1);
                    break;
                case 'Z':
                    countRun();
                    out_ += Pad(msec_, count >= 2 ? 3 : 1);
                    break;
                case 'T':
                    countRun();
                    if (depth < 2) Append(count == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, depth + 1);
                    break;
                case 'C':
                    countRun();
                    if (depth < 2) {
                        Append(fs.ShortDateFormat, depth + 1);
                        if (hour_ != 0 || min_ != 0 || sec_ != 0) {
                            out_ += ' ';
                            Append(fs.LongTimeFormat, depth + 1);
                        }
                    }
                    break;
                case 'A':
                    if (SameText(f.substr(i, 5), "am/pm")) {
                        std::string s = hour_ < 12 ? f.substr(i, 2) : f.substr(i + 3, 2);
                        out_ += s;
                        count = 5;
                    } else if (SameText(f.substr(i, 3), "a/p")) {
                        out_ += hour_ < 12 ? f[i] : f[i + 2];
                        count = 3;
                    } else if (SameText(f.substr(i, 4), "ampm")) {
                        out_ += hour_ < 12 ? fs.TimeAMString : fs.TimePMString;
                        count = 4;
                    } else {
                        out_ += c;
                    }
                    break;
                case '/':
                    if (fs.DateSeparator) out_ += fs.DateSeparator;
                    break;
                case ':':
                    if (fs.TimeSeparator) out_ += fs.TimeSeparator;
                    break;
                case '"':
                case '\'': {
                    std::size_t end = f.find(c, i + 1);
                    if (end == std::string::npos) end = f.size();
                    out_.append(f, i + 1, end - i - 1);
                    count = end < f.size() ? end - i + 1 : end - i;
                    break;
                }
                default: out_ += c; break;
            }
            if (letter) last = token;
            i += count;
        }
    }

    const std::string& Text() const { return out_; }

private:
    static bool UsesAmPm(const std::string& f) {
        char quote = 0;
        for (std::size_t i = 0; i < f.size(); ++i) {
            if (quote) {
                if (f[i] == quote) quote = 0;
                continue;
            }
            if (f[i] == '"' || f[i] == '\'') {
                quote = f[i];
                continue;
            }
            if (SameText(f.substr(i, 5), "am/pm") || SameText(f.substr(i, 3), "a/p") || SameText(f.substr(i, 4), "ampm"))
                return true;
        }
        return false;
    }

    TDateTime dt_;
    int year_, month_, day_, hour_, min_, sec_, msec_;
    std::string out_;
};
}  // namespace

std::string FormatDateTime(const std::string& format, TDateTime dt) {
    DateFormatter f(dt);
    f.Append(format.empty() ? "c" : format);
    return f.Text();
}

std::string DateToStr(TDateTime dt) { return FormatDateTime(FormatSettings().ShortDateFormat, dt); }
std::string TimeToStr(TDateTime dt) { return FormatDateTime(FormatSettings().LongTimeFormat, dt); }
std::string DateTimeToStr(TDateTime dt) { return FormatDateTime("c", dt); }
