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
    std::string ShortDateFormat = "yyyy/m/d";
    std::string LongDateFormat = "yyyy'年'm'月'd'日'";
    std::string ShortTimeFormat = "h:mm";
    std::string LongTimeFormat = "h:mm:ss";
    std::string CurrencyString = "¥";
    int CurrencyFormat = 0;      // 0 "¥1", 1 "1¥", 2 "¥ 1", 3 "1 ¥"
    int NegCurrFormat = 2;       // 0 "(¥1)", 1 "-¥1", 2 "¥-1", 3 "¥1-", 5 "-1¥", 8 "-1 ¥", 9 "-¥ 1"
    int CurrencyDecimals = 2;
};

TFormatSettings& FormatSettings();
