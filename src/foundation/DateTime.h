#pragma once

// Date, time and duration values (unit vrnDateTime).
//
// All three kinds of value are a double counting days since 1899-12-30 00:00; the fraction is the
// time of day. A pure date has fraction 0, a pure time has integer part 0, and 0 stands for "no
// date or time" in the text forms. A time of day (TVRNTime) lies in 0..1, exactly 1 meaning
// 24:00:00, the end of a day. A duration is a non-negative length in days and may exceed 1.
//
// Every value is first rounded to the nearest millisecond before it is split into date and time,
// truncated or written as text, so that 10:45 never turns into 10:44:59 and a time a hair before
// midnight never lands on the previous day. Values before 1899-12-30 follow the plain number line
// (-0.25 is 1899-12-29 18:00).
//
// Two values are equal when they differ by less than one millisecond; before and after are decided
// only outside that tolerance. Every comparison of time values in the program uses these helpers.

#include "foundation/VRNException.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

/// A time of day in 0..1 (1 = 24:00:00).
using TVRNTime = double;

/// A value outside the range of a time of day.
VRN_DECLARE_EXCEPTION(EVRNTimeError, EVRNException);

constexpr std::int64_t MSecsPerDay = 86400000;
constexpr double OneMillisecond = 1.0 / 86400000.0;
constexpr double OneSecond = 1.0 / 86400.0;
constexpr double OneMinute = 1.0 / 1440.0;
constexpr double OneHour = 1.0 / 24.0;
/// The day number of 1899-12-30 in Qt's Julian day count.
constexpr std::int64_t JulianDayOfDayZero = 2415019;

// --- Comparison (1 ms tolerance) ---

/// -1, 0 or 1; values less than one millisecond apart compare equal.
int CompareTimes(double a, double b);
inline bool TimesEqual(double a, double b) {
    return CompareTimes(a, b) == 0;
}
/// a is before b by at least one millisecond.
inline bool TimeBefore(double a, double b) {
    return CompareTimes(a, b) < 0;
}
inline bool TimeAfter(double a, double b) {
    return CompareTimes(a, b) > 0;
}
/// a <= b within the tolerance.
inline bool TimeNotAfter(double a, double b) {
    return CompareTimes(a, b) <= 0;
}
inline bool TimeNotBefore(double a, double b) {
    return CompareTimes(a, b) >= 0;
}

// --- Milliseconds ---

/// The value rounded to whole milliseconds since 1899-12-30 (half away from zero). Raises
/// EVRNConvertError for values that are not finite or lie beyond the years 1..9999.
std::int64_t DateTimeToMSecs(double x);
double MSecsToDateTime(std::int64_t ms);
/// The value snapped to the nearest millisecond.
double RoundToMSecs(double x);

// --- Dates ---

/// Raises EVRNConvertError "'<y>-<m>-<d>' is not a valid date" for an impossible date or a year
/// outside 1..9999.
double EncodeDate(int year, int month, int day);
bool TryEncodeDate(int year, int month, int day, double& result);
void DecodeDate(double x, int& year, int& month, int& day);
/// A regular time of day 00:00:00.000 .. 23:59:59.999; raises EVRNConvertError otherwise.
double EncodeTime(int hour, int minute, int second, int msec);
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec);
/// Hours 0..23 (a value of exactly one day decodes as the next day's 00:00).
void DecodeDateTime(double x, int& year, int& month, int& day, int& hour, int& minute, int& second, int& msec);
/// Day of the week, 1 = Sunday .. 7 = Saturday.
int DayOfWeek(double x);
/// Days in the month of the given year.
int DaysInMonth(int year, int month);

// --- Qt edges (widgets, the clock) ---

double DateFromQDate(const QDate& date);
QDate QDateFromDate(double x);
/// The local wall-clock date and time of dateTime.
double DateTimeFromQDateTime(const QDateTime& dateTime);
/// A local QDateTime for x.
QDateTime QDateTimeFromDateTime(double x);
/// Now, read through Clock::Instance().
double NowDateTime();
double TodayDate();

// --- Time of day (TVRNTime) ---

/// Raises EVRNTimeError "'<ISO date-time of t>' is not a valid TVRNTime value" unless t lies in
/// 0..1 (within the tolerance).
void CheckTVRNTime(double t);
bool IsValidTVRNTime(double t);
/// 24, 0, 0, 0 gives 1.0; other invalid parts raise EVRNConvertError
/// "'h:m:s.mmm' is not a valid TVRNTime value".
TVRNTime EncodeTVRNTime(int hour, int minute, int second, int msec);
bool TryEncodeTVRNTime(int hour, int minute, int second, int msec, TVRNTime& result);
/// 1.0 gives 24:00:00.000. Raises EVRNTimeError for values outside 0..1.
void DecodeTVRNTime(TVRNTime t, int& hour, int& minute, int& second, int& msec);

// --- Durations ---

/// Hours 0..23, minutes and seconds 0..59, msec 0..999, days >= 0; invalid parts raise
/// EVRNConvertError "'<days> h:m:s.mmm' is not a valid duration value". A duration longer than the
/// date-time form holds (past the last millisecond of 9999-12-31, 2,958,466 days less one millisecond) raises
/// EVRNConvertError "... is too long for a duration value".
double EncodeDuration(int days, int hours, int minutes, int seconds, int msecs);
/// Total hours (any non-negative number) are split into days and hours.
double EncodeDurationHours(int totalHours, int minutes, int seconds, int msecs);
inline double EncodeDuration(int totalHours, int minutes, int seconds, int msecs) {
    return EncodeDurationHours(totalHours, minutes, seconds, msecs);
}
/// Carries msecs over 999 into seconds, seconds over 59 into minutes and minutes over 59 into
/// hours before encoding; negative parts still raise.
double EncodeDurationNormalized(int totalHours, int minutes, int seconds, int msecs);
/// The magnitude of d (rounded to milliseconds) as total hours, minutes, seconds, milliseconds.
void DecodeDuration(double d, std::int64_t& totalHours, int& minutes, int& seconds, int& msecs);
/// Whole units of the magnitude of d, truncated.
std::int64_t DurationTotalHours(double d);
std::int64_t DurationTotalMinutes(double d);
std::int64_t DurationTotalSeconds(double d);

// --- ISO text forms (all data files) ---

/// Empty for 0; 'hh:nn:ss' for a pure time; 'yyyy-mm-dd' when the time is 00:00:00; otherwise
/// 'yyyy-mm-dd hh:nn:ss'. Milliseconds are dropped.
QString DateTimeToISO(double x);
/// 'yyyy-mm-dd' of the date part, empty for day 0.
QString DateToISO(double x);
/// "24:00:00" for 1, empty for 00:00:00, else 'hh:nn:ss'; raises EVRNTimeError outside 0..1.
QString TimeToISO(TVRNTime t);
/// "24:00:00" for 1, else DateTimeToISO(t).
QString TimeOfDayToISO(double t);
/// The data export's time form: always 'hh:nn:ss' ("00:00:00" for midnight, "24:00:00" for 1);
/// raises EVRNTimeError outside 0..1.
QString TimeToISOExport(TVRNTime t);
/// Reads every form the writers above produce: "24:00:00", the empty text, 'yyyy-mm-dd',
/// 'hh:nn:ss' and 'yyyy-mm-dd hh:nn:ss' (the 11th character is not examined). Raises
/// EVRNConvertError "\"<text>\" is not a valid ISO datetime string".
double ISOToDateTime(const QString& text);

// --- Arithmetic (all with the 1 ms tolerance) ---

/// Length from time a to time b; when a is later than b, b is taken on the next day.
double TimeSpan(double a, double b);
/// x plus duration d.
double AddDuration(double d, double x);
/// t plus n minutes, limited to 0..1.
TVRNTime AddMinutesClamped(int n, TVRNTime t);
/// d plus n minutes, not below 0.
double AddMinutesNonNegative(int n, double d);
/// t without seconds and milliseconds, minutes rounded down to a multiple of step (step < 1
/// counts as 1). 24:00 stays 24:00.
TVRNTime TruncateToMinutes(int step, TVRNTime t);
double TruncateDurationToMinutes(int step, double d);
/// lo <= x <= hi.
bool IsBetween(double lo, double hi, double x);
/// The intervals start at the same moment, or the later one starts before the earlier one ends;
/// intervals that only touch do not overlap.
bool IntervalsOverlap(double a1, double b1, double a2, double b2);
/// Whether the period a..b meets the daily window from time c to time d. The window is taken on
/// the date of a (starting the day before when c is later than d). When that window already ended
/// before a, the next day's window is tried.
bool DailyWindowReached(double a, double b, double c, double d);
/// -1, 0 or 1 by year and month only.
int CompareYearMonth(double a, double b);
struct TSplitDateTime {
    double Date = 0;
    TVRNTime Time = 0;
};
/// Date part and time part of x (rounded to milliseconds first).
TSplitDateTime SplitDateTime(double x);
/// The date part of x (rounded to milliseconds first).
double DateOf(double x);
/// The time-of-day part of x (rounded to milliseconds first), 0 <= result < 1.
double TimeOf(double x);

struct TWeekOfYear {
    int Week = 0;
    int Year = 0;
};
/// Week number and its year. Weeks start on firstDayOfWeek (0 = Monday .. 6 = Sunday, the codes of
/// the regional settings); week 1 is the week holding at least four days of January.
TWeekOfYear WeekOfYear(double x, int firstDayOfWeek);
