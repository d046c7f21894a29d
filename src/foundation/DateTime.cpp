#include "foundation/DateTime.h"

#include "foundation/Clock.h"

#include <QStringList>
#include <cmath>

namespace {

// Just under one millisecond: values a whole millisecond apart must never compare equal because
// of rounding noise in their day fractions (about 0.001 ms for today's dates).
constexpr double EqualityTolerance = OneMillisecond * (1.0 - 1e-3);

// Day numbers of 0001-01-01 and 9999-12-31.
constexpr std::int64_t FirstDay = -693593;
constexpr std::int64_t LastDay = 2958465;

// The longest duration that the date-time text form (and so a saved file) can hold: up to the
// last millisecond of 9999-12-31.
constexpr std::int64_t MaxDurationMSecs = (LastDay + 1) * MSecsPerDay - 1;

constexpr std::int64_t MSecsPerHour = 3600000;
constexpr std::int64_t MSecsPerMinute = 60000;

QString Pad(std::int64_t value, int digits) {
    return QString::number(value).rightJustified(digits, u'0');
}

QString PartsText(int hour, int minute, int second, int msec) {
    return QStringLiteral("%1:%2:%3.%4")
        .arg(hour)
        .arg(minute)
        .arg(second)
        .arg(msec >= 0 ? Pad(msec, 3) : QString::number(msec));
}

// Floor division for the negative side of the number line.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

struct MSecParts {
    std::int64_t day = 0; // day number
    int msOfDay = 0;      // 0 .. MSecsPerDay-1
};

MSecParts SplitMSecs(std::int64_t ms) {
    MSecParts parts;
    parts.day = FloorDiv(ms, MSecsPerDay);
    parts.msOfDay = static_cast<int>(ms - parts.day * MSecsPerDay);
    return parts;
}

QDate DayToQDate(std::int64_t day) {
    return QDate::fromJulianDay(day + JulianDayOfDayZero);
}

QString DateText(std::int64_t day) {
    const QDate date = DayToQDate(day);
    return QStringLiteral("%1-%2-%3").arg(Pad(date.year(), 4), Pad(date.month(), 2), Pad(date.day(), 2));
}

QString TimeText(int msOfDay) {
    const int seconds = msOfDay / 1000;
    return QStringLiteral("%1:%2:%3").arg(Pad(seconds / 3600, 2), Pad(seconds / 60 % 60, 2), Pad(seconds % 60, 2));
}

[[noreturn]] void RaiseTimeError(double t) {
    QString iso;
    try {
        iso = DateTimeToISO(t);
    } catch (const EVRNException&) {
        iso = QString::number(t, 'g', 17);
    }
    throw EVRNTimeError(QStringLiteral("'") + iso + QStringLiteral("' is not a valid TVRNTime value"));
}

// Milliseconds of a time of day, 0 .. MSecsPerDay (the latter for 24:00); raises outside.
std::int64_t TimeOfDayMSecs(double t) {
    if (!std::isfinite(t))
        RaiseTimeError(t);
    const std::int64_t ms = std::llround(t * MSecsPerDay);
    if (ms < 0 || ms > MSecsPerDay)
        RaiseTimeError(t);
    return ms;
}

std::int64_t DurationMSecs(double d) {
    if (!std::isfinite(d))
        throw EVRNConvertError(QStringLiteral("'%1' is not a valid duration value").arg(d));
    return std::llround(std::fabs(d) * MSecsPerDay);
}

bool ReadDigits(const QString& text, int from, int count, int& value) {
    value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        value = value * 10 + (c - u'0');
    }
    return true;
}

} // namespace

int CompareTimes(double a, double b) {
    const double diff = a - b;
    if (std::fabs(diff) < EqualityTolerance)
        return 0;
    return diff < 0 ? -1 : 1;
}

std::int64_t DateTimeToMSecs(double x) {
    if (!std::isfinite(x) || x < static_cast<double>(FirstDay) || x >= static_cast<double>(LastDay + 1))
        throw EVRNConvertError(QStringLiteral("'%1' is not a valid date and time value").arg(x, 0, 'g', 17));
    return std::llround(x * MSecsPerDay);
}

double MSecsToDateTime(std::int64_t ms) {
    // Whole days and the fraction separately, so that day numbers stay exact.
    const MSecParts parts = SplitMSecs(ms);
    return static_cast<double>(parts.day) + static_cast<double>(parts.msOfDay) / MSecsPerDay;
}

double RoundToMSecs(double x) {
    return MSecsToDateTime(DateTimeToMSecs(x));
}

bool TryEncodeDate(int year, int month, int day, double& result) {
    if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
        return false;
    result = static_cast<double>(QDate(year, month, day).toJulianDay() - JulianDayOfDayZero);
    return true;
}

double EncodeDate(int year, int month, int day) {
    double result = 0;
    if (!TryEncodeDate(year, month, day, result))
        throw EVRNConvertError(QStringLiteral("'%1-%2-%3' is not a valid date").arg(year).arg(month).arg(day));
    return result;
}

void DecodeDate(double x, int& year, int& month, int& day) {
    const QDate date = DayToQDate(SplitMSecs(DateTimeToMSecs(x)).day);
    year = date.year();
    month = date.month();
    day = date.day();
}

double EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 || msec > 999)
        throw EVRNConvertError(QStringLiteral("'") + PartsText(hour, minute, second, msec) +
                               QStringLiteral("' is not a valid time"));
    return static_cast<double>(hour * MSecsPerHour + minute * MSecsPerMinute + second * 1000 + msec) / MSecsPerDay;
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec) {
    return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, msec);
}

void DecodeDateTime(double x, int& year, int& month, int& day, int& hour, int& minute, int& second, int& msec) {
    const MSecParts parts = SplitMSecs(DateTimeToMSecs(x));
    const QDate date = DayToQDate(parts.day);
    year = date.year();
    month = date.month();
    day = date.day();
    hour = parts.msOfDay / static_cast<int>(MSecsPerHour);
    minute = parts.msOfDay / static_cast<int>(MSecsPerMinute) % 60;
    second = parts.msOfDay / 1000 % 60;
    msec = parts.msOfDay % 1000;
}

int DayOfWeek(double x) {
    // QDate: 1 = Monday .. 7 = Sunday.
    return DayToQDate(SplitMSecs(DateTimeToMSecs(x)).day).dayOfWeek() % 7 + 1;
}

int DaysInMonth(int year, int month) {
    return QDate(year, month, 1).daysInMonth();
}

double DateFromQDate(const QDate& date) {
    return EncodeDate(date.year(), date.month(), date.day());
}

QDate QDateFromDate(double x) {
    return DayToQDate(SplitMSecs(DateTimeToMSecs(x)).day);
}

double DateTimeFromQDateTime(const QDateTime& dateTime) {
    const QDateTime local = dateTime.toLocalTime();
    return DateFromQDate(local.date()) + static_cast<double>(local.time().msecsSinceStartOfDay()) / MSecsPerDay;
}

QDateTime QDateTimeFromDateTime(double x) {
    const MSecParts parts = SplitMSecs(DateTimeToMSecs(x));
    return QDateTime(DayToQDate(parts.day), QTime::fromMSecsSinceStartOfDay(parts.msOfDay));
}

double NowDateTime() {
    return DateTimeFromQDateTime(Clock::Instance().CurrentDateTime());
}

double TodayDate() {
    return DateOf(NowDateTime());
}

bool IsValidTVRNTime(double t) {
    if (!std::isfinite(t))
        return false;
    const std::int64_t ms = std::llround(t * MSecsPerDay);
    return ms >= 0 && ms <= MSecsPerDay;
}

void CheckTVRNTime(double t) {
    if (!IsValidTVRNTime(t))
        RaiseTimeError(t);
}

bool TryEncodeTVRNTime(int hour, int minute, int second, int msec, TVRNTime& result) {
    if (hour == 24 && minute == 0 && second == 0 && msec == 0) {
        result = 1.0;
        return true;
    }
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 || msec > 999)
        return false;
    result = static_cast<double>(hour * MSecsPerHour + minute * MSecsPerMinute + second * 1000 + msec) / MSecsPerDay;
    return true;
}

TVRNTime EncodeTVRNTime(int hour, int minute, int second, int msec) {
    TVRNTime result = 0;
    if (!TryEncodeTVRNTime(hour, minute, second, msec, result))
        throw EVRNConvertError(QStringLiteral("'") + PartsText(hour, minute, second, msec) +
                               QStringLiteral("' is not a valid TVRNTime value"));
    return result;
}

void DecodeTVRNTime(TVRNTime t, int& hour, int& minute, int& second, int& msec) {
    const std::int64_t ms = TimeOfDayMSecs(t);
    hour = static_cast<int>(ms / MSecsPerHour);
    minute = static_cast<int>(ms / MSecsPerMinute % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

double EncodeDuration(int days, int hours, int minutes, int seconds, int msecs) {
    if (days < 0 || hours < 0 || hours > 23 || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59 ||
        msecs < 0 || msecs > 999)
        throw EVRNConvertError(QStringLiteral("'%1 ").arg(days) + PartsText(hours, minutes, seconds, msecs) +
                               QStringLiteral("' is not a valid duration value"));
    const std::int64_t ms = static_cast<std::int64_t>(days) * MSecsPerDay + hours * MSecsPerHour +
                            minutes * MSecsPerMinute + seconds * 1000 + msecs;
    if (ms > MaxDurationMSecs)
        throw EVRNConvertError(QStringLiteral("'%1 ").arg(days) + PartsText(hours, minutes, seconds, msecs) +
                               QStringLiteral("' is too long for a duration value"));
    return MSecsToDateTime(ms);
}

double EncodeDurationHours(int totalHours, int minutes, int seconds, int msecs) {
    if (totalHours < 0)
        return EncodeDuration(0, totalHours, minutes, seconds, msecs); // raises with the parts
    return EncodeDuration(totalHours / 24, totalHours % 24, minutes, seconds, msecs);
}

double EncodeDurationNormalized(int totalHours, int minutes, int seconds, int msecs) {
    if (totalHours < 0 || minutes < 0 || seconds < 0 || msecs < 0)
        return EncodeDurationHours(totalHours, minutes, seconds, msecs); // raises with the parts
    std::int64_t s = static_cast<std::int64_t>(seconds) + msecs / 1000;
    std::int64_t m = static_cast<std::int64_t>(minutes) + s / 60;
    const std::int64_t h = static_cast<std::int64_t>(totalHours) + m / 60;
    s %= 60;
    m %= 60;
    const std::int64_t ms = h * MSecsPerHour + m * MSecsPerMinute + s * 1000 + msecs % 1000;
    if (ms > MaxDurationMSecs)
        throw EVRNConvertError(QStringLiteral("'") + PartsText(totalHours, minutes, seconds, msecs) +
                               QStringLiteral("' is too long for a duration value"));
    return MSecsToDateTime(ms);
}

void DecodeDuration(double d, std::int64_t& totalHours, int& minutes, int& seconds, int& msecs) {
    const std::int64_t ms = DurationMSecs(d);
    totalHours = ms / MSecsPerHour;
    minutes = static_cast<int>(ms / MSecsPerMinute % 60);
    seconds = static_cast<int>(ms / 1000 % 60);
    msecs = static_cast<int>(ms % 1000);
}

std::int64_t DurationTotalHours(double d) {
    return DurationMSecs(d) / MSecsPerHour;
}

std::int64_t DurationTotalMinutes(double d) {
    return DurationMSecs(d) / MSecsPerMinute;
}

std::int64_t DurationTotalSeconds(double d) {
    return DurationMSecs(d) / 1000;
}

QString DateTimeToISO(double x) {
    const std::int64_t ms = DateTimeToMSecs(x);
    if (ms == 0)
        return QString();
    const MSecParts parts = SplitMSecs(ms);
    if (parts.day == 0)
        return TimeText(parts.msOfDay);
    if (parts.msOfDay / 1000 == 0)
        return DateText(parts.day);
    return DateText(parts.day) + u' ' + TimeText(parts.msOfDay);
}

QString DateToISO(double x) {
    const std::int64_t day = SplitMSecs(DateTimeToMSecs(x)).day;
    return day == 0 ? QString() : DateText(day);
}

QString TimeToISO(TVRNTime t) {
    const std::int64_t ms = TimeOfDayMSecs(t);
    if (ms == MSecsPerDay)
        return QStringLiteral("24:00:00");
    return DateTimeToISO(t);
}

QString TimeOfDayToISO(double t) {
    if (TimesEqual(t, 1.0))
        return QStringLiteral("24:00:00");
    return DateTimeToISO(t);
}

QString TimeToISOExport(TVRNTime t) {
    const std::int64_t ms = TimeOfDayMSecs(t);
    if (ms == MSecsPerDay)
        return QStringLiteral("24:00:00");
    return TimeText(static_cast<int>(ms));
}

double ISOToDateTime(const QString& text) {
    if (text == QStringLiteral("24:00:00"))
        return 1.0;
    if (text.isEmpty())
        return 0;
    const auto fail = [&text]() {
        return EVRNConvertError(QStringLiteral("\"") + text + QStringLiteral("\" is not a valid ISO datetime string"));
    };
    const qsizetype length = text.size();
    if (length != 19 && length != 10 && length != 8)
        throw fail();
    double date = 0;
    if (length != 8) {
        int year = 0, month = 0, day = 0;
        if (text[4] != u'-' || text[7] != u'-' || !ReadDigits(text, 0, 4, year) || !ReadDigits(text, 5, 2, month) ||
            !ReadDigits(text, 8, 2, day))
            throw fail();
        if (!TryEncodeDate(year, month, day, date))
            throw fail();
    }
    std::int64_t timeMs = 0;
    if (length != 10) {
        const int from = length == 19 ? 11 : 0;
        int hour = 0, minute = 0, second = 0;
        if (text[from + 2] != u':' || text[from + 5] != u':' || !ReadDigits(text, from, 2, hour) ||
            !ReadDigits(text, from + 3, 2, minute) || !ReadDigits(text, from + 6, 2, second))
            throw fail();
        if (hour > 23 || minute > 59 || second > 59)
            throw fail();
        timeMs = hour * MSecsPerHour + minute * MSecsPerMinute + second * 1000;
    }
    return MSecsToDateTime(static_cast<std::int64_t>(date) * MSecsPerDay + timeMs);
}

double TimeSpan(double a, double b) {
    std::int64_t span = DateTimeToMSecs(b) - DateTimeToMSecs(a);
    if (TimeAfter(a, b))
        span += MSecsPerDay;
    return MSecsToDateTime(span < 0 ? 0 : span);
}

double AddDuration(double d, double x) {
    const std::int64_t ms = DurationMSecs(d);
    return MSecsToDateTime(DateTimeToMSecs(x) + (d < 0 ? -ms : ms));
}

TVRNTime AddMinutesClamped(int n, TVRNTime t) {
    std::int64_t ms = DateTimeToMSecs(t) + static_cast<std::int64_t>(n) * MSecsPerMinute;
    if (ms < 0)
        ms = 0;
    if (ms > MSecsPerDay)
        ms = MSecsPerDay;
    return MSecsToDateTime(ms);
}

double AddMinutesNonNegative(int n, double d) {
    const std::int64_t ms = DateTimeToMSecs(d) + static_cast<std::int64_t>(n) * MSecsPerMinute;
    return ms < 0 ? 0.0 : MSecsToDateTime(ms);
}

TVRNTime TruncateToMinutes(int step, TVRNTime t) {
    const std::int64_t ms = TimeOfDayMSecs(t);
    if (ms == MSecsPerDay)
        return 1.0;
    return TruncateDurationToMinutes(step, MSecsToDateTime(ms));
}

double TruncateDurationToMinutes(int step, double d) {
    if (step < 1)
        step = 1;
    const std::int64_t ms = DateTimeToMSecs(d);
    const std::int64_t totalMinutes = FloorDiv(ms, MSecsPerMinute);
    const std::int64_t hours = FloorDiv(totalMinutes, 60);
    const std::int64_t minutes = totalMinutes - hours * 60;
    return MSecsToDateTime(hours * MSecsPerHour + (minutes - minutes % step) * MSecsPerMinute);
}

bool IsBetween(double lo, double hi, double x) {
    return TimeNotAfter(lo, x) && TimeNotAfter(x, hi);
}

bool IntervalsOverlap(double a1, double b1, double a2, double b2) {
    if (TimeAfter(a1, a2)) {
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    return TimesEqual(a1, a2) || TimeBefore(a2, b1);
}

bool DailyWindowReached(double a, double b, double c, double d) {
    const double day = DateOf(a);
    const double windowStart = TimeNotAfter(c, d) ? day + c : day - 1.0 + c;
    const double windowEnd = day + d;
    if (TimesEqual(windowEnd, a))
        return true;
    if (TimeAfter(windowEnd, a))
        return TimeNotAfter(windowStart, b);
    // This day's window ended before the period starts: only the next day's window can be met.
    return TimeNotAfter(windowStart + 1.0, b);
}

int CompareYearMonth(double a, double b) {
    const QDate da = QDateFromDate(a);
    const QDate db = QDateFromDate(b);
    const int ka = da.year() * 12 + da.month();
    const int kb = db.year() * 12 + db.month();
    return ka < kb ? -1 : (ka > kb ? 1 : 0);
}

TSplitDateTime SplitDateTime(double x) {
    const MSecParts parts = SplitMSecs(DateTimeToMSecs(x));
    return {static_cast<double>(parts.day), MSecsToDateTime(parts.msOfDay)};
}

double DateOf(double x) {
    return static_cast<double>(SplitMSecs(DateTimeToMSecs(x)).day);
}

double TimeOf(double x) {
    return MSecsToDateTime(SplitMSecs(DateTimeToMSecs(x)).msOfDay);
}

TWeekOfYear WeekOfYear(double x, int firstDayOfWeek) {
    if (firstDayOfWeek < 0 || firstDayOfWeek > 6)
        firstDayOfWeek = 0;
    const QDate date = QDateFromDate(x);
    // Offset of a date within its week: QDate's dayOfWeek is 1 = Monday, the codes 0 = Monday.
    const auto weekStart = [firstDayOfWeek](const QDate& d) {
        return d.addDays(-((d.dayOfWeek() - 1 - firstDayOfWeek + 7) % 7));
    };
    const QDate start = weekStart(date);
    // The week belongs to the year that holds its fourth day; week 1 is the week of January 4.
    const int year = start.addDays(3).year();
    const QDate firstWeekStart = weekStart(QDate(year, 1, 4));
    return {static_cast<int>(firstWeekStart.daysTo(start) / 7 + 1), year};
}
