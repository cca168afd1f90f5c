#pragma once
// Date-times as the classic run-time keeps them: days since 1899-12-30, the fraction is the time of
// day. Invalid parts raise EConvertError "Invalid argument to date encode" / "... time encode"; a
// date-time outside the years 1 to 9999 (or not a number) raises EConvertError "Invalid date-time"
// wherever it is decoded.
#include <string>

#include "toolkit/rtl/Exception.h"  // the errors these functions raise

using TDateTime = double;

bool IsLeapYear(int year);
int DaysInAMonth(int year, int month);
int DaysInMonth(TDateTime dt);
bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int min, int sec, int msec);
// Within the years 1 to 9999: a date-time that can be decoded and shown.
bool IsValidDateTime(TDateTime dt);
// Raises EConvertError "Invalid date-time" for one that is not.
void CheckDateTime(TDateTime dt);

TDateTime EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& result);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int min, int sec, int msec);
void DecodeDate(TDateTime dt, int& year, int& month, int& day);
void DecodeTime(TDateTime dt, int& hour, int& min, int& sec, int& msec);

TDateTime Now();
TDateTime Date();  // today, midnight
TDateTime Time();  // time of day only
// Same day in a month `months` later (negative: earlier); the day is clamped to the month's length.
TDateTime IncMonth(TDateTime dt, int months = 1);
int DayOfWeek(TDateTime dt);  // 1 = Sunday ... 7 = Saturday
int YearOf(TDateTime dt);
int MonthOf(TDateTime dt);
int DayOf(TDateTime dt);

// Format letters (case-insensitive): y/yy two-digit year, yyy/yyyy four-digit year, m mm month
// (minutes right after an hour), mmm mmmm month names, d dd day, ddd dddd day names, ddddd dddddd the
// short/long date format, h hh, n nn, s ss, z zzz milliseconds, c short date and long time,
// t tt short/long time, am/pm a/p 12-hour clock, "/" and ":" the separators of FormatSettings;
// text in double or single quotes is copied literally; other characters are copied.
std::string FormatDateTime(const std::string& format, TDateTime dt);
std::string DateToStr(TDateTime dt);      // short date format
std::string TimeToStr(TDateTime dt);      // long time format
std::string DateTimeToStr(TDateTime dt);  // short date and long time ("c")
