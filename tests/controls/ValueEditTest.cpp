#include "controls/MonthCalendar.h"
#include "controls/VRNDurationEdit.h"
#include "controls/VRNFloatEdit.h"
#include "controls/VRNIntegerEdit.h"
#include "controls/VRNTimeEdit.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

double T(int h, int m) {
    return EncodeTVRNTime(h, m, 0, 0);
}

double D(int h, int m) {
    return EncodeDurationHours(h, m, 0, 0);
}

QString Iso(double value) {
    return TimeOfDayToISO(value);
}

/// Replaces the whole text by typing, as a user does after selecting it.
void Type(TVRNCustomSpinEdit& edit, const char* text) {
    edit.selectAll();
    if (*text == '\0')
        QTest::keyClick(&edit, Qt::Key_Delete);
    else
        QTest::keyClicks(&edit, QString::fromUtf8(text));
}

void Leave(QWidget& widget) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &out);
}

bool ShownBoldRed(TVRNCustomSpinEdit& edit) {
    const QLineEdit* line = edit.findChild<QLineEdit*>();
    return line->font().bold() && line->palette().color(QPalette::Text) == QColor(Qt::red);
}

// What a typed text gives: -1 as value means "the last value set" (the text is not valid).
struct TypedCase {
    const char* locale;
    const char* typed;
    const char* shownWhileTyping; // the text right after typing (the four-digit rewrite)
    double value;                 // < 0: not valid
    const char* shownAfterLeaving;
};

} // namespace

TEST(TimeEdit, TypedTextsInEnglishAndGerman) {
    const TypedCase cases[] = {
        {"en_US", "8", "8", T(8, 0), "08:00"},
        {"en_US", "8:30", "8:30", T(8, 30), "08:30"},
        {"en_US", "1:30 pm", "1:30 pm", T(13, 30), "13:30"},
        {"en_US", "24:00", "24:00", 1.0, "24:00"},
        {"en_US", "0930", "09:30", T(9, 30), "09:30"},
        {"en_US", "2400", "24:00", 1.0, "24:00"},
        {"en_US", "2460", "2460", -1, "10:00"},
        {"en_US", "24:01", "24:01", -1, "10:00"},
        {"en_US", "", "", -1, "10:00"},
        {"en_US", "x", "x", -1, "10:00"},
        {"de_DE", "13:30", "13:30", T(13, 30), "13:30"},
        {"de_DE", "1015", "10:15", T(10, 15), "10:15"},
        {"de_DE", "7:05:30", "7:05:30", EncodeTVRNTime(7, 5, 30, 0), "07:05"},
        {"de_DE", "8,5", "8,5", -1, "10:00"},
    };
    for (const TypedCase& c : cases) {
        ScopedUserLocale locale(QString::fromLatin1(c.locale));
        TVRNTimeEdit edit;
        edit.SetValue(T(10, 0));
        EXPECT_EQ(edit.Text(), "10:00");
        Type(edit, c.typed);
        const QString what = QStringLiteral("%1 '%2'").arg(QString::fromLatin1(c.locale), QString::fromUtf8(c.typed));
        EXPECT_EQ(edit.Text(), QString::fromUtf8(c.shownWhileTyping)) << what.toStdString();
        EXPECT_EQ(edit.Valid(), c.value >= 0) << what.toStdString();
        EXPECT_EQ(ShownBoldRed(edit), c.value < 0) << what.toStdString();
        EXPECT_EQ(Iso(edit.Value()), Iso(c.value >= 0 ? c.value : T(10, 0))) << what.toStdString();
        if (c.value >= 0) {
            EXPECT_EQ(Iso(edit.LastValidValue()), Iso(c.value)) << what.toStdString();
        }
        Leave(edit);
        EXPECT_EQ(edit.Text(), QString::fromUtf8(c.shownAfterLeaving)) << what.toStdString();
        EXPECT_FALSE(ShownBoldRed(edit)) << what.toStdString();
    }
}

TEST(TimeEdit, FourDigitsAreRewrittenOnlyWithTheCaretAtTheEnd) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TVRNTimeEdit edit;
    EXPECT_EQ(edit.FourDigitTime(QStringLiteral("1015")), "10:15");
    EXPECT_EQ(edit.FourDigitTime(QStringLiteral("2515")), "");
    EXPECT_EQ(edit.FourDigitTime(QStringLiteral("10a5")), "");
    EXPECT_EQ(edit.FourDigitTime(QStringLiteral("101")), "");
    // Typing 1 0 1 5 into the middle of a text: the caret does not stand after the fourth character.
    Type(edit, "105");
    edit.findChild<QLineEdit*>()->setCursorPosition(2);
    QTest::keyClicks(&edit, QStringLiteral("1"));
    EXPECT_EQ(edit.Text(), "1015");
    EXPECT_FALSE(edit.Valid());
}

TEST(TimeEdit, RangeAndSetValue) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TVRNTimeEdit edit;
    EXPECT_EQ(edit.Text(), "00:00");
    EXPECT_EQ(edit.MaxValue(), 1.0);
    edit.SetValue(1.7);
    EXPECT_EQ(edit.Text(), "24:00");
    EXPECT_EQ(edit.Value(), 1.0);
    edit.SetMinValue(T(8, 0));
    edit.SetMaxValue(T(18, 0));
    EXPECT_EQ(edit.Text(), "18:00"); // the value was limited again
    edit.SetValue(T(7, 0));
    EXPECT_EQ(edit.Text(), "08:00");
    Type(edit, "19:00"); // a time outside the range is not valid
    EXPECT_FALSE(edit.Valid());
    EXPECT_EQ(Iso(edit.Value()), Iso(T(8, 0)));
    try {
        edit.ParseValue(QStringLiteral("19:00"));
        FAIL() << "no exception";
    } catch (const EVRNConvertError& e) {
        EXPECT_EQ(e.Message(), "input out of range");
    }
    edit.SetMinValue(T(20, 0)); // above the maximum: the maximum follows
    EXPECT_EQ(Iso(edit.MaxValue()), Iso(T(20, 0)));
    edit.SetMaxValue(T(6, 0)); // below the minimum: becomes the minimum
    EXPECT_EQ(Iso(edit.MaxValue()), Iso(T(20, 0)));
    EXPECT_EQ(edit.Text(), "20:00");
}

TEST(DurationEdit, TypedTextsInEnglishAndGerman) {
    const TypedCase cases[] = {
        {"en_US", "7:30", "7:30", D(7, 30), "07:30"},
        {"en_US", "26:15", "26:15", D(26, 15), "26:15"},
        {"en_US", "1 2:00", "1 2:00", D(26, 0), "26:00"},
        {"en_US", "3", "3", D(3, 0), "03:00"},
        {"en_US", "0:00:40", "0:00:40", EncodeDurationHours(0, 0, 40, 0), "00:00"},
        {"en_US", "", "", 0, "00:00"},
        {"en_US", "x", "x", -1, "01:00"},
        {"en_US", "1:75", "1:75", -1, "01:00"},
        {"de_DE", "8:15", "8:15", D(8, 15), "08:15"},
        {"de_DE", "0:00:05,5", "0:00:05,5", EncodeDurationHours(0, 0, 5, 500), "00:00"},
        {"de_DE", "0:00:05.5", "0:00:05.5", -1, "01:00"},
    };
    for (const TypedCase& c : cases) {
        ScopedUserLocale locale(QString::fromLatin1(c.locale));
        TVRNDurationEdit edit;
        edit.SetValue(D(1, 0));
        EXPECT_EQ(edit.Text(), "01:00");
        Type(edit, c.typed);
        const QString what = QStringLiteral("%1 '%2'").arg(QString::fromLatin1(c.locale), QString::fromUtf8(c.typed));
        EXPECT_EQ(edit.Text(), QString::fromUtf8(c.shownWhileTyping)) << what.toStdString();
        EXPECT_EQ(edit.Valid(), c.value >= 0) << what.toStdString();
        EXPECT_EQ(ShownBoldRed(edit), c.value < 0) << what.toStdString();
        EXPECT_TRUE(TimesEqual(edit.Value(), c.value >= 0 ? c.value : D(1, 0))) << what.toStdString();
        Leave(edit);
        EXPECT_EQ(edit.Text(), QString::fromUtf8(c.shownAfterLeaving)) << what.toStdString();
    }
}

TEST(DurationEdit, OutOfRangeIsNotValid) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TVRNDurationEdit edit;
    edit.SetMaxValue(D(10, 0));
    edit.SetValue(D(12, 0));
    EXPECT_EQ(edit.Text(), "10:00");
    Type(edit, "10:01");
    EXPECT_FALSE(edit.Valid());
    EXPECT_TRUE(ShownBoldRed(edit));
    EXPECT_TRUE(TimesEqual(edit.Value(), D(10, 0)));
    EXPECT_THROW(edit.ParseValue(QStringLiteral("10:01")), EVRNConvertError);
    EXPECT_THROW(edit.ParseValue(QStringLiteral("x")), EVRNConvertError);
}

// Where the locale separates hours and minutes by another character than ":", the edit still
// reads the hours-and-minutes text it shows itself.
TEST(DurationEdit, ReadsItsOwnTextInEveryLocale) {
    for (const char* name : {"en_US", "de_DE", "fi_FI", "da_DK", "it_IT", "ja_JP"}) {
        ScopedUserLocale locale(QString::fromLatin1(name));
        TVRNDurationEdit edit;
        edit.SetValue(D(7, 30));
        EXPECT_EQ(edit.Text(), "07:30") << name;
        EXPECT_TRUE(edit.Valid()) << name;
        EXPECT_TRUE(TimesEqual(edit.Value(), D(7, 30))) << name;
        TVRNTimeEdit time;
        time.SetValue(T(7, 30));
        EXPECT_TRUE(time.Valid()) << name << " " << time.Text().toStdString();
        EXPECT_EQ(Iso(time.Value()), Iso(T(7, 30))) << name;
    }
}

TEST(Stepping, TimeDurationAndIntegerSteps) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TVRNTimeEdit time;
    struct TimeStep {
        double from;
        int amount;
        double to;
    };
    for (const TimeStep& s :
         {TimeStep{T(8, 7), 15, T(8, 15)}, TimeStep{T(8, 7), -15, T(7, 45)}, TimeStep{T(8, 7), 1, T(8, 8)},
          TimeStep{EncodeTVRNTime(8, 7, 40, 0), 1, T(8, 8)}, TimeStep{T(8, 7), 30, T(8, 30)},
          TimeStep{T(23, 50), 15, 1.0}, TimeStep{1.0, 1, 1.0}, TimeStep{T(0, 5), -15, 0}, TimeStep{T(0, 0), -1, 0}})
        EXPECT_EQ(Iso(time.StepValue(s.from, s.amount)), Iso(s.to)) << Iso(s.from).toStdString() << " " << s.amount;

    TVRNDurationEdit duration;
    for (const TimeStep& s :
         {TimeStep{D(7, 32), 5, D(7, 35)}, TimeStep{D(7, 32), -5, D(7, 25)}, TimeStep{D(0, 5), -15, 0},
          TimeStep{D(23, 55), 15, D(24, 0)}, TimeStep{D(0, 0), 1, D(0, 1)}})
        EXPECT_TRUE(TimesEqual(duration.StepValue(s.from, s.amount), s.to))
            << DurationTotalMinutes(s.from) << " " << s.amount;

    struct IntStep {
        int from, amount, min, max, to;
    };
    for (const IntStep& s : {IntStep{7, 5, 0, 100, 10}, IntStep{12, -5, 0, 100, 5}, IntStep{3, -5, 1, 100, 1},
                             IntStep{99, 5, 0, 100, 100}, IntStep{30, 1, 1, 31, 31}, IntStep{31, 1, 1, 31, 31},
                             IntStep{-7, -5, -100, 100, -15}, IntStep{2147483647, 1, 0, 2147483647, 2147483647}})
        EXPECT_EQ(TVRNCustomIntegerEdit::StepValue(s.from, s.amount, s.min, s.max), s.to) << s.from << " " << s.amount;
}

TEST(Stepping, KeysWheelAndPageKeys) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TVRNTimeEdit edit;
    edit.SetValue(T(8, 7));
    QSignalSpy changed(&edit, &TVRNCustomSpinEdit::Changed);
    EXPECT_EQ(changed.count(), 0); // setting a value is not a change by the user

    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Text(), "08:08");
    EXPECT_EQ(edit.findChild<QLineEdit*>()->selectedText(), "08:08");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(Iso(edit.LastValueSet()), Iso(T(8, 8)));
    QTest::keyClick(&edit, Qt::Key_Down);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.Text(), "08:06");
    QTest::keyClick(&edit, Qt::Key_PageUp); // the largest step
    EXPECT_EQ(edit.Text(), "08:30");
    QTest::keyClick(&edit, Qt::Key_PageDown);
    QTest::keyClick(&edit, Qt::Key_PageDown);
    EXPECT_EQ(edit.Text(), "07:30");

    QWheelEvent wheel(QPointF(5, 5), edit.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&edit, &wheel);
    EXPECT_EQ(edit.Text(), "07:31");
    changed.clear();

    // Ctrl+Up belongs to the parent (the grid moves between cells with it).
    QKeyEvent ctrlUp(QEvent::KeyPress, Qt::Key_Up, Qt::ControlModifier);
    QApplication::sendEvent(&edit, &ctrlUp);
    EXPECT_FALSE(ctrlUp.isAccepted());
    EXPECT_EQ(edit.Text(), "07:31");

    // Stepping past the end of the day stops at 24:00.
    edit.SetValue(T(23, 58));
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Text(), "24:00");
    EXPECT_EQ(changed.count(), 2); // 23:59 and 24:00; the steps at 24:00 change nothing

    edit.setReadOnly(true);
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.Text(), "24:00");
}

TEST(Stepping, DurationStopsAtZeroAndStepsFromAnInvalidTextByTheLastValue) {
    ScopedUserLocale german(QStringLiteral("de_DE"));
    TVRNDurationEdit edit;
    edit.SetValue(D(0, 2));
    QTest::keyClick(&edit, Qt::Key_PageDown);
    EXPECT_EQ(edit.Text(), "00:00");
    QTest::keyClick(&edit, Qt::Key_Down);
    EXPECT_EQ(edit.Text(), "00:00");
    edit.SetValue(D(2, 0));
    Type(edit, "2:xx");
    EXPECT_TRUE(ShownBoldRed(edit));
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Text(), "02:01");
    EXPECT_FALSE(ShownBoldRed(edit));
}

TEST(Stepping, HeldButtonStepsFasterTheLongerItIsHeld) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    ScopedFixedClock clock(QDateTime(QDate(2024, 3, 4), QTime(10, 0)));
    TVRNTimeEdit edit;
    for (const auto& [held, step] : {std::pair{0, 1}, {2000, 1}, {2001, 15}, {5000, 15}, {5001, 30}, {60000, 30}})
        EXPECT_EQ(edit.HeldIncrement(held), step) << held;

    edit.resize(edit.sizeHint());
    edit.show();
    edit.SetValue(T(8, 0));
    QStyleOptionSpinBox option;
    option.initFrom(&edit);
    option.subControls = QStyle::SC_All;
    const QRect up = edit.style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, &edit);
    ASSERT_TRUE(up.isValid());

    // The press steps once; the repeats that follow step by the size for the time held.
    QTest::mousePress(&edit, Qt::LeftButton, {}, up.center());
    EXPECT_TRUE(edit.ButtonHeld());
    EXPECT_EQ(edit.Text(), "08:01");
    EXPECT_TRUE(edit.findChild<QLineEdit*>()->selectedText().isEmpty());
    clock->AdvanceSecs(3);
    edit.stepBy(1); // what the repeat does
    EXPECT_EQ(edit.CurrentStep(), 15);
    EXPECT_EQ(edit.Text(), "08:15");
    clock->AdvanceSecs(3);
    edit.stepBy(1);
    EXPECT_EQ(edit.CurrentStep(), 30);
    EXPECT_EQ(edit.Text(), "08:30");
    QTest::mouseRelease(&edit, Qt::LeftButton, {}, up.center());
    EXPECT_FALSE(edit.ButtonHeld());
    EXPECT_EQ(edit.CurrentStep(), 1);
    EXPECT_EQ(edit.findChild<QLineEdit*>()->selectedText(), "08:30");
}

TEST(IntegerEdit, DigitsOnlyRangeAndInvalidTexts) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TVRNIntegerEdit edit;
    EXPECT_EQ(edit.Text(), "0");
    edit.SetMinValue(1);
    edit.SetMaxValue(31);
    EXPECT_EQ(edit.Text(), "1");
    edit.SetValue(15);
    QSignalSpy changed(&edit, &TVRNCustomSpinEdit::Changed);

    struct Case {
        const char* typed;
        const char* shown;
        bool valid;
        int value;
    };
    for (const Case& c :
         {Case{"0", "0", false, 1}, Case{"1a2", "12", true, 12}, Case{"45", "45", false, 31}, Case{"-3", "3", true, 3},
          Case{"7.5", "75", false, 31}, Case{"", "", false, 15}, Case{"31", "31", true, 31}}) {
        Type(edit, c.typed);
        EXPECT_EQ(edit.Text(), QString::fromUtf8(c.shown)) << c.typed;
        EXPECT_EQ(edit.Valid(), c.valid) << c.typed;
        EXPECT_EQ(ShownBoldRed(edit), !c.valid) << c.typed;
        EXPECT_EQ(edit.Value(), c.value) << c.typed;
    }
    EXPECT_GT(changed.count(), 0);
    // An invalid text stays as typed when the edit is left.
    Type(edit, "0");
    Leave(edit);
    EXPECT_EQ(edit.Text(), "0");
    EXPECT_EQ(edit.Value(), 1);
    EXPECT_TRUE(ShownBoldRed(edit));

    edit.SetValue(20);
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Value(), 21);
    edit.SetMaxValue(0); // below the minimum: becomes the minimum, the value follows
    EXPECT_EQ(edit.MaxValue(), 1);
    EXPECT_EQ(edit.Text(), "1");
    edit.SetMinValue(50); // above the maximum: the maximum follows
    EXPECT_EQ(edit.MaxValue(), 50);
    EXPECT_EQ(edit.Value(), 50);

    int parsed = 0;
    EXPECT_FALSE(TVRNCustomIntegerEdit::TryParse(QStringLiteral("99999999999"), parsed));
    EXPECT_TRUE(TVRNCustomIntegerEdit::TryParse(QStringLiteral(" 42 "), parsed));
    EXPECT_EQ(parsed, 42);
}

TEST(FloatEdit, LocaleSeparatorTenthStepsAndRange) {
    struct Case {
        const char* locale;
        const char* typed;
        const char* shown;
        bool valid;
        double value;
    };
    for (const Case& c : {Case{"en_US", "7.5", "7.5", true, 7.5},
                          Case{"en_US", "7,5", "75", false, 24}, // "," cannot be typed; 75 lies outside
                          Case{"en_US", "7.5.", "7.5.", false, 8}, Case{"en_US", "150", "150", false, 24},
                          Case{"en_US", ".5", ".5", false, 1}, Case{"de_DE", "7,5", "7,5", true, 7.5},
                          Case{"de_DE", "7.5", "75", false, 24}, Case{"de_DE", "x", "8,0", true, 8}}) {
        ScopedUserLocale locale(QString::fromLatin1(c.locale));
        TVRNFloatEdit edit;
        edit.SetMinValue(1);
        edit.SetMaxValue(24);
        edit.SetValue(8);
        Type(edit, c.typed);
        const std::string what = std::string(c.locale) + " '" + c.typed + "'";
        EXPECT_EQ(edit.Text(), QString::fromUtf8(c.shown)) << what;
        EXPECT_EQ(edit.Valid(), c.valid) << what;
        EXPECT_EQ(ShownBoldRed(edit), !c.valid) << what;
        EXPECT_EQ(edit.Value(), c.value) << what;
    }

    ScopedUserLocale german(QStringLiteral("de_DE"));
    TVRNFloatEdit edit;
    edit.SetMaxValue(5000);
    edit.SetValue(1234.56);
    EXPECT_EQ(edit.Text(), "1234,6"); // no digit grouping: the text can be typed again
    EXPECT_TRUE(edit.Valid());
    Type(edit, "7,5");
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Text(), "7,6");
    QTest::keyClick(&edit, Qt::Key_PageDown);
    EXPECT_EQ(edit.Text(), "7,5");
    edit.SetMaxValue(7);
    EXPECT_EQ(edit.Text(), "7,0");
    Type(edit, "9");
    EXPECT_FALSE(edit.Valid());
    EXPECT_TRUE(ShownBoldRed(edit));
    EXPECT_EQ(edit.Value(), 7.0);
}

TEST(SpinEdit, FontChangesAreReportedAndTheInvalidMarkFollowsTheFont) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TVRNIntegerEdit edit;
    QSignalSpy fontChanged(&edit, &TVRNCustomSpinEdit::FontChanged);
    QFont big = edit.font();
    big.setPointSize(big.pointSize() + 6);
    edit.setFont(big);
    EXPECT_EQ(fontChanged.count(), 1);
    Type(edit, "500");
    const QLineEdit* line = edit.findChild<QLineEdit*>();
    EXPECT_TRUE(line->font().bold());
    EXPECT_EQ(line->font().pointSize(), big.pointSize());
    Type(edit, "50");
    EXPECT_FALSE(line->font().bold());
    EXPECT_EQ(line->font().pointSize(), big.pointSize());
    EXPECT_NE(line->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_GE(edit.sizeHint().width(), edit.fontMetrics().horizontalAdvance(QStringLiteral("000")));
}

TEST(SpinEdit, ANewRegionalSettingShowsValidTextsAgain) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TVRNTimeEdit time;
    time.SetValue(T(8, 30));
    TVRNTimeEdit typed;
    Type(typed, "7:15");
    TVRNFloatEdit number;
    number.SetValue(7.5);
    TVRNDurationEdit invalid;
    Type(invalid, "1:2:3:4");
    {
        ScopedUserLocale finnish(QStringLiteral("fi_FI")); // "." between hours and minutes, "," for decimals
        ASSERT_EQ(FormatSettings().TimeSeparator, ".");
        EXPECT_EQ(time.Text(), "08.30");
        EXPECT_EQ(Iso(time.Value()), Iso(T(8, 30)));
        EXPECT_EQ(typed.Text(), "07.15");
        EXPECT_EQ(number.Text(), "7,5");
        EXPECT_EQ(number.Value(), 7.5);
        EXPECT_EQ(invalid.Text(), "1:2:3:4"); // stays as typed
        EXPECT_TRUE(ShownBoldRed(invalid));
    }
    EXPECT_EQ(time.Text(), "08:30");
    EXPECT_EQ(number.Text(), "7.5");
}

TEST(MonthCalendarSettings, FollowsANewRegionalSetting) {
    ScopedUserLocale english(QStringLiteral("en_US"));
    TvrnMonthCalendar calendar;
    EXPECT_EQ(calendar.firstDayOfWeek(), Qt::Sunday);
    {
        ScopedUserLocale german(QStringLiteral("de_DE"));
        EXPECT_EQ(calendar.firstDayOfWeek(), Qt::Monday);
        EXPECT_EQ(calendar.locale().language(), QLocale::German);
    }
    EXPECT_EQ(calendar.firstDayOfWeek(), Qt::Sunday);
}
