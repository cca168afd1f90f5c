#pragma once
// Stored date texts ("YYYYMMDD"), stamps ("YYYYMMDDhhnnsszzz") and the user's date display.
// order is the date order of the system settings: 1 year-month-day, 2 month-day-year,
// 3 day-month-year, 4 and 5 year-month-day with the year minus 1911 in two or three digits.
// Only the first character of separator is used. The zero date (0) stands for "no date".
#include <string>

#include "toolkit/rtl/DateTime.h"

// The date in the user's layout; the zero date gives "".
std::string DateToText(int order, const std::string& separator, TDateTime date);
// The same with " hh:nn:ss:zzz" appended.
std::string DateTimeToText(int order, const std::string& separator, TDateTime dateTime);
// The date typed in the user's layout; a day beyond the month's end rolls into the next month.
// Any failure gives the zero date.
TDateTime TextToDate(const std::string& text, int order, const std::string& separator);
// The typed date as a stored date text, or "0" when a part is missing or not positive. With an
// empty separator the parts are the fixed positions 1-4, 5-6 and 7-8.
std::string TextToStoredDate(const std::string& text, int order, const std::string& separator);
// A stored date text as a date; the zero date unless it is 8 characters forming a valid date.
TDateTime StoredDateToDate(const std::string& text);
// A 17-character stamp as a date-time; a zero year, month or day gives the time only; any failure
// gives zero.
TDateTime StampToDateTime(const std::string& text);
// The empty text, or a valid date from "17530101" to "99991231".
bool IsValidStoredDate(const std::string& text);
// The current time (ClockNow) as a 17-character stamp.
std::string StampNow();
