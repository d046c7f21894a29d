#include "foundation/session/AbsenceLog.h"
#include "foundation/DateTime.h"

#include <QTime>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace {
// All moments of a case lie on one day; times are written "hh:mm".
double At(const char* time) {
    const QTime t = QTime::fromString(QString::fromLatin1(time), QStringLiteral("hh:mm"));
    return EncodeDateTime(2024, 3, 5, t.hour(), t.minute(), 0, 0);
}

// One observed moment: 'L' locked, 'U' unlocked, 'S' going to sleep, 'R' woke up.
struct Step {
    char event;
    const char* time;
};

struct Expected {
    const char* from;
    const char* to;
    TAbsenceKind kind;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    const char* from;
    const char* to;
    const char* now;
    std::vector<Expected> expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

void Apply(TAbsenceLog& log, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        const double when = At(step.time);
        switch (step.event) {
        case 'L':
            log.Lock(when);
            break;
        case 'U':
            log.Unlock(when);
            break;
        case 'S':
            log.Suspend(when);
            break;
        case 'R':
            log.Resume(when);
            break;
        default:
            FAIL() << "unknown step " << step.event;
        }
    }
}

std::string Describe(const std::vector<TAbsencePeriod>& periods) {
    std::string text;
    for (const TAbsencePeriod& p : periods)
        text += (DateTimeToISO(p.from) + QStringLiteral("..") + DateTimeToISO(p.to) +
                 (p.kind == TAbsenceKind::Locked ? QStringLiteral(" locked; ") : QStringLiteral(" suspended; ")))
                    .toStdString();
    return text;
}

constexpr TAbsenceKind L = TAbsenceKind::Locked;
constexpr TAbsenceKind S = TAbsenceKind::Suspended;

class AbsenceLogCases : public ::testing::TestWithParam<Case> {};
} // namespace

TEST_P(AbsenceLogCases, GivesTheClippedMergedAbsences) {
    const Case& c = GetParam();
    TAbsenceLog log;
    Apply(log, c.steps);
    std::vector<TAbsencePeriod> expected;
    for (const Expected& e : c.expected)
        expected.push_back({At(e.from), At(e.to), e.kind});
    EXPECT_EQ(Describe(log.Between(At(c.from), At(c.to), At(c.now))), Describe(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Periods, AbsenceLogCases,
    ::testing::Values(
        Case{"LockAndUnlock", {{'L', "10:00"}, {'U', "10:20"}}, "09:00", "11:00", "12:00", {{"10:00", "10:20", L}}},
        Case{"QueryEndsInside", {{'L', "10:00"}, {'U', "10:20"}}, "09:00", "10:05", "12:00", {{"10:00", "10:05", L}}},
        Case{"QueryStartsInside", {{'L', "10:00"}, {'U', "10:20"}}, "10:10", "11:00", "12:00", {{"10:10", "10:20", L}}},
        Case{"QueryOnlyTouches", {{'L', "10:00"}, {'U', "10:20"}}, "10:20", "11:00", "12:00", {}},
        Case{"QueryReversed", {{'L', "10:00"}, {'U', "10:20"}}, "11:00", "09:00", "12:00", {}},
        Case{"LockGoingOnEndsNow", {{'L', "10:00"}}, "09:00", "11:00", "10:30", {{"10:00", "10:30", L}}},
        Case{"LockGoingOnClippedToQuery", {{'L', "10:00"}}, "09:00", "10:15", "10:30", {{"10:00", "10:15", L}}},
        Case{"SleepGoingOnEndsNow", {{'S', "10:00"}}, "09:00", "11:00", "10:30", {{"10:00", "10:30", S}}},
        Case{"SleepInsideLockMerges",
             {{'L', "10:00"}, {'S', "10:01"}, {'R', "11:00"}, {'U', "11:02"}},
             "09:00",
             "12:00",
             "12:00",
             {{"10:00", "11:02", L}}},
        Case{"LockAfterWakeUpTouchesSleep",
             {{'S', "10:00"}, {'R', "12:00"}, {'L', "12:00"}, {'U', "12:05"}},
             "09:00",
             "13:00",
             "13:00",
             {{"10:00", "12:05", S}}},
        Case{"KindByWhatLiesInTheQuery",
             {{'S', "10:00"}, {'R', "11:00"}, {'L', "11:00"}, {'U', "13:00"}},
             "10:00",
             "11:30",
             "14:00",
             {{"10:00", "11:30", S}}},
        Case{"SeparateAbsencesOldestFirst",
             {{'S', "12:00"}, {'R', "13:00"}, {'L', "14:00"}, {'U', "14:10"}, {'L', "09:00"}, {'U', "09:10"}},
             "08:00",
             "15:00",
             "15:00",
             {{"09:00", "09:10", L}, {"12:00", "13:00", S}, {"14:00", "14:10", L}}},
        Case{"UnlockWithoutLockIgnored",
             {{'U', "10:00"}, {'L', "10:10"}, {'U', "10:20"}, {'U', "10:30"}},
             "09:00",
             "11:00",
             "11:00",
             {{"10:10", "10:20", L}}},
        Case{"RepeatedLockKeepsItsStart",
             {{'L', "10:00"}, {'L', "10:10"}, {'U', "10:20"}},
             "09:00",
             "11:00",
             "11:00",
             {{"10:00", "10:20", L}}},
        Case{"RepeatedSleepAndStrayWakeUp",
             {{'R', "09:30"}, {'S', "10:00"}, {'S', "10:10"}, {'R', "10:20"}, {'R', "10:30"}},
             "09:00",
             "11:00",
             "11:00",
             {{"10:00", "10:20", S}}},
        // Unlocking needs an awake machine, so a sleep whose wake-up went unreported ends there.
        Case{"UnlockEndsSleepWithoutWakeUp",
             {{'S', "10:00"}, {'L', "10:30"}, {'U', "11:00"}},
             "09:00",
             "15:00",
             "15:00",
             {{"10:00", "11:00", S}}},
        // The clock was set back while locked: nothing reliable is known about that lock.
        Case{"EndBeforeStartDropped", {{'L', "10:00"}, {'U', "09:00"}}, "08:00", "11:00", "11:00", {}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(AbsenceLog, KeepsOnlyTheRecentPeriods) {
    TAbsenceLog log;
    const double day = EncodeDate(2024, 3, 5);
    log.Lock(day - 8 + OneHour);
    log.Unlock(day - 8 + 2 * OneHour);
    log.Lock(day - 6 + OneHour);
    log.Unlock(day - 6 + 2 * OneHour);
    ASSERT_EQ(log.Finished().size(), 2u);
    log.Lock(day + OneHour); // a period that is still going on prunes nothing
    EXPECT_EQ(log.Finished().size(), 2u);
    log.Unlock(day + 2 * OneHour);
    ASSERT_EQ(log.Finished().size(), 2u);
    EXPECT_DOUBLE_EQ(log.Finished().front().from, day - 6 + OneHour);

    for (std::size_t i = 0; i < TAbsenceLog::MaxPeriods + 5; ++i) {
        log.Lock(day + 3 * OneHour + static_cast<double>(i) * OneSecond);
        log.Unlock(day + 3 * OneHour + (static_cast<double>(i) + 0.5) * OneSecond);
    }
    ASSERT_EQ(log.Finished().size(), TAbsenceLog::MaxPeriods);
    EXPECT_DOUBLE_EQ(log.Finished().back().from, day + 3 * OneHour + (TAbsenceLog::MaxPeriods + 4) * OneSecond);
}
