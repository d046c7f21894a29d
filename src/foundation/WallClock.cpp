#include "foundation/WallClock.h"

#include "foundation/Clock.h"
#include "foundation/DateTime.h"

#include <algorithm>
#include <ctime>
#include <limits>

namespace {
/// Days from 1899-12-30 to 1970-01-01.
constexpr std::int64_t UnixEpochDay = 25569;
constexpr std::int64_t MSecsPerMinute = 60000;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

/// The local clock's offset from UTC in milliseconds at the real moment realMSecs (milliseconds
/// since 1899-12-30 UTC).
std::int64_t OffsetAt(std::int64_t realMSecs) {
    const auto seconds = static_cast<std::time_t>(FloorDiv(realMSecs - UnixEpochDay * MSecsPerDay, 1000));
    std::tm parts{};
    if (!localtime_r(&seconds, &parts))
        return 0;
    return static_cast<std::int64_t>(parts.tm_gmtoff) * 1000;
}

double WallClockToReal(std::int64_t wall, std::int64_t lowest) {
    // The offsets a day before and a day after cover any change of the clock near wall.
    const std::int64_t before = OffsetAt(wall - MSecsPerDay);
    const std::int64_t after = OffsetAt(wall + MSecsPerDay);
    if (before == after)
        return MSecsToDateTime(wall - before); // the usual case: no change of the clock nearby
    std::int64_t candidates[2];
    int count = 0;
    for (const std::int64_t offset : {before, after}) {
        const std::int64_t real = wall - offset;
        if (OffsetAt(real) == offset && (count == 0 || candidates[0] != real))
            candidates[count++] = real;
    }
    if (count == 0)
        return MSecsToDateTime(wall - before);
    std::sort(candidates, candidates + count);
    for (int i = 0; i < count; ++i)
        if (candidates[i] >= lowest)
            return MSecsToDateTime(candidates[i]);
    return MSecsToDateTime(candidates[count - 1]);
}
} // namespace

double NowRealTime() {
    return MSecsToDateTime(Clock::Instance().CurrentDateTime().toMSecsSinceEpoch() + UnixEpochDay * MSecsPerDay);
}

double WallClockToRealTime(double local) {
    return WallClockToReal(DateTimeToMSecs(local), std::numeric_limits<std::int64_t>::min());
}

double WallClockToRealTime(double local, double notBefore) {
    return WallClockToReal(DateTimeToMSecs(local), DateTimeToMSecs(notBefore));
}

double RealTimeBetween(double from, double to) {
    const double realFrom = WallClockToRealTime(from);
    return WallClockToRealTime(to, realFrom) - realFrom;
}

double RealTimeToWallClock(double real) {
    const std::int64_t ms = DateTimeToMSecs(real);
    return MSecsToDateTime(ms + OffsetAt(ms));
}

double RoundDownWallClockMinutes(double real, int step) {
    step = std::max(step, 1);
    const std::int64_t ms = DateTimeToMSecs(real);
    const std::int64_t offset = OffsetAt(ms);
    const std::int64_t minutes = FloorDiv(ms + offset, MSecsPerMinute);
    return MSecsToDateTime((minutes - (minutes % 60) % step) * MSecsPerMinute - offset);
}
