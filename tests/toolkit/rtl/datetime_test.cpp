#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/rtl/DateTime.h"
#include "toolkit/rtl/Exception.h"
#include "toolkit/rtl/FormatSettings.h"
#include "toolkit/rtl/Variant.h"

TEST(DateTime, EncodesAndDecodesDaysSince1899) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_DOUBLE_EQ(EncodeDate(2026, 3, 1), 46082);
    int y, m, d, h, n, s, ms;
    DecodeDate(46082.75, y, m, d);
    EXPECT_EQ((std::vector<int>{y, m, d}), (std::vector<int>{2026, 3, 1}));
    DecodeTime(EncodeTime(13, 45, 30, 250), h, n, s, ms);
    EXPECT_EQ((std::vector<int>{h, n, s, ms}), (std::vector<int>{13, 45, 30, 250}));
    DecodeDate(-1.25, y, m, d);  // before the epoch the fraction is still the time
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h}), (std::vector<int>{1899, 12, 29, 6}));
    DecodeDate(EncodeDate(2024, 2, 29) + 0.99999999999, y, m, d);  // rounds to the next midnight
    DecodeTime(EncodeDate(2024, 2, 29) + 0.99999999999, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n}), (std::vector<int>{2024, 3, 1, 0, 0}));
}

TEST(DateTime, ValidityAndLeapYears) {
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_EQ(DaysInAMonth(2023, 2), 28);
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(EncodeDate(2024, 4, 10)), 30);
    EXPECT_TRUE(IsValidDate(2024, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 2, 29));
    EXPECT_FALSE(IsValidDate(2023, 13, 1));
    EXPECT_FALSE(IsValidDate(0, 1, 1));
    TDateTime dt = 123;
    EXPECT_FALSE(TryEncodeDate(2023, 4, 31, dt));
    EXPECT_EQ(dt, 123);
    EXPECT_TRUE(TryEncodeDate(2023, 4, 30, dt));
    try {
        EncodeDate(2023, 2, 30);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to date encode");
    }
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(DateTime, AValueNoCalendarHoldsIsRefusedWhereverItIsDecoded) {
    for (double odd : {std::nan(""), 1e300, -1e300, 2958466.0, -693594.0}) {
        int y, m, d;
        EXPECT_FALSE(IsValidDateTime(odd)) << odd;
        EXPECT_THROW(DecodeDate(odd, y, m, d), EConvertError) << odd;
        EXPECT_THROW(VarToStr(Variant::Date(odd)), EConvertError) << odd;
    }
    EXPECT_TRUE(IsValidDateTime(-693593.0));  // 0001-01-01
    EXPECT_EQ(VarToStr(Variant::Date(2958465.5)), "9999/12/31 12:00:00");
}

TEST(DateTime, MonthsRollAndClampTheDay) {
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 31)), EncodeDate(2023, 2, 28));
    EXPECT_EQ(IncMonth(EncodeDate(2023, 12, 15), 1), EncodeDate(2024, 1, 15));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -1), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 10), -13), EncodeDate(2022, 12, 10));
    EXPECT_DOUBLE_EQ(IncMonth(EncodeDateTime(2024, 5, 2, 12, 0, 0, 0), 2), EncodeDateTime(2024, 7, 2, 12, 0, 0, 0));
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // a Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 2)), 1);    // a Sunday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 5)), 4);
}

TEST(DateTime, FormatsWithTheClassicLetters) {
    TDateTime dt = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
    EXPECT_EQ(FormatDateTime("yyyymmdd", dt), "20240305");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", dt), "2024-03-05 14:07:09.045");
    EXPECT_EQ(FormatDateTime("yy/m/d", dt), "24/3/5");
    EXPECT_EQ(FormatDateTime("h:mm", dt), "14:07");  // m right after an hour means minutes
    EXPECT_EQ(FormatDateTime("hh:mm:ss", dt), "14:07:09");
    EXPECT_EQ(FormatDateTime("yyyy\"年\"m\"月\"d'日'", dt), "2024年3月5日");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", dt), "2:07 pm");
    EXPECT_EQ(FormatDateTime("dddd", dt), "星期二");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5)), "2024/03/05");
    EXPECT_EQ(DateTimeToStr(dt), "2024/03/05 14:07:09");
    TFormatSettings saved = FormatSettings();
    FormatSettings().DateSeparator = '-';
    EXPECT_EQ(FormatDateTime("yyyy/mm/dd", dt), "2024-03-05");
    FormatSettings() = saved;
}

TEST(DateTime, NowIsTodayPlusTime) {
    TDateTime now = Now();
    TDateTime today = Date();
    EXPECT_GE(now, today);
    EXPECT_LT(now - today, 1.0 + 1e-6);  // Date and Now may straddle midnight by one call
    EXPECT_GT(today, EncodeDate(2020, 1, 1));
    TDateTime t = Time();
    EXPECT_GE(t, 0);
    EXPECT_LT(t, 1);
}
