#pragma once
// Locale settings of the run-time (the classic global format variables). Defaults are those of a
// simplified-Chinese workstation; programs may change them at start-up. Not synchronised: set them
// before threads start.
#include <string>

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    std::string ShortDateFormat = "yyyy/mm/dd";  // as variants show dates
    std::string LongDateFormat = "yyyy'年'm'月'd'日'";
    std::string ShortTimeFormat = "hh:nn";
    std::string LongTimeFormat = "hh:nn:ss";
    std::string CurrencyString = "¥";
    int CurrencyFormat = 0;  // 0 "¥1", 1 "1¥", 2 "¥ 1", 3 "1 ¥"
    int NegCurrFormat = 2;   // 0 "(¥1)", 1 "-¥1", 2 "¥-1", 3 "¥1-", 5 "-1¥", 8 "-1 ¥", 9 "-¥ 1"
    int CurrencyDecimals = 2;
    std::string TimeAMString = "上午";
    std::string TimePMString = "下午";
    std::string ShortMonthNames[12] = {"一月", "二月", "三月", "四月", "五月",   "六月",
                                       "七月", "八月", "九月", "十月", "十一月", "十二月"};
    std::string LongMonthNames[12] = {"一月", "二月", "三月", "四月", "五月",   "六月",
                                      "七月", "八月", "九月", "十月", "十一月", "十二月"};
    std::string ShortDayNames[7] = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};  // Sunday first
    std::string LongDayNames[7] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};
};

TFormatSettings& FormatSettings();
