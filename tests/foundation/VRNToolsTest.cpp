#include "foundation/VRNTools.h"
#include "foundation/VRNException.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <unistd.h>

namespace {

/// The message of the EVRNConvertError that f raises, or "<no exception>".
template <typename F> QString ConvertErrorOf(F&& f) {
    try {
        f();
    } catch (const EVRNConvertError& e) {
        return e.Message();
    }
    return QStringLiteral("<no exception>");
}

} // namespace

TEST(IntToWideStr, PadsDigitsNotTheSign) {
    struct Case {
        int value;
        int minDigits;
        const char* text;
    };
    for (const Case& c :
         {Case{7, 2, "07"}, Case{-7, 3, "-007"}, Case{0, 0, "0"}, Case{123, 2, "123"}, Case{5, -4, "5"},
          Case{std::numeric_limits<int>::min(), 0, "-2147483648"}, Case{1, 32, "00000000000000000000000000000001"}})
        EXPECT_EQ(IntToWideStr(c.value, c.minDigits), QString::fromLatin1(c.text)) << c.value << " " << c.minDigits;
    EXPECT_EQ(Int64ToWideStr(std::numeric_limits<std::int64_t>::min()), QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(Int64ToWideStr(-42, 4), QStringLiteral("-0042"));
    EXPECT_EQ(ConvertErrorOf([] { IntToWideStr(7, 33); }), QStringLiteral("MinDigits too large"));
    EXPECT_EQ(ConvertErrorOf([] { Int64ToWideStr(7, 33); }), QStringLiteral("MinDigits too large"));
}

TEST(WideStrToInt, AcceptsDecimalAndDollarHexOnly) {
    struct Case {
        const char* text;
        int value;
    };
    for (const Case& c : {Case{"$1F", 31}, Case{"$ff", 255}, Case{"-12", -12}, Case{"007", 7}, Case{"0", 0},
                          Case{"-0", 0}, Case{"2147483647", 2147483647}, Case{"-2147483648", -2147483647 - 1},
                          Case{"$7FFFFFFF", 2147483647}, Case{"$00000000000000000001", 1}}) {
        EXPECT_EQ(WideStrToInt(QString::fromLatin1(c.text)), c.value) << c.text;
        EXPECT_EQ(WideStrToIntDef(QString::fromLatin1(c.text), -99), c.value) << c.text;
    }
    const QStringList bad = {QStringLiteral(" 12"),
                             QStringLiteral("12 "),
                             QStringLiteral("+12"),
                             QString(),
                             QStringLiteral("-"),
                             QStringLiteral("$"),
                             QStringLiteral("1.5"),
                             QStringLiteral("-$1"),
                             QStringLiteral("$-1"),
                             QStringLiteral("0x1F"),
                             QStringLiteral("$1G"),
                             QStringLiteral("--1"),
                             QStringLiteral("\uFF11\uFF12"), // full-width digits are no digits here
                             QStringLiteral("2147483648"),
                             QStringLiteral("-2147483649"),
                             QStringLiteral("$80000000"),
                             QStringLiteral("$FFFFFFFF"),
                             QStringLiteral("99999999999999999999999")};
    for (const QString& text : bad) {
        EXPECT_EQ(ConvertErrorOf([&] { WideStrToInt(text); }), QStringLiteral("WideStrToInt")) << text.toStdString();
        EXPECT_EQ(WideStrToIntDef(text, -99), -99) << text.toStdString();
    }
}

TEST(WideStrToInt, SixtyFourBitLimits) {
    EXPECT_EQ(WideStrToInt64(QStringLiteral("9223372036854775807")), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(WideStrToInt64(QStringLiteral("-9223372036854775808")), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(WideStrToInt64(QStringLiteral("$7FFFFFFFFFFFFFFF")), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(WideStrToInt64(QStringLiteral("2147483648")), 2147483648LL);
    for (const char* text : {"9223372036854775808", "-9223372036854775809", "$8000000000000000", ""})
        EXPECT_EQ(ConvertErrorOf([&] { WideStrToInt64(QString::fromLatin1(text)); }), QStringLiteral("WideStrToInt"))
            << text;
}

TEST(FloatToInvariantStr, PlainNotationFifteenSignificantDigits) {
    struct Case {
        double value;
        const char* text;
    };
    for (const Case& c : {Case{12.5, "12.5"}, Case{0.05, "0.05"}, Case{100, "100"}, Case{1e20, "100000000000000000000"},
                          Case{0.1 + 0.2, "0.3"}, Case{0, "0"}, Case{-0.0, "0"}, Case{-0.25, "-0.25"},
                          Case{1.0 / 3, "0.333333333333333"}, Case{2.0 / 3, "0.666666666666667"},
                          Case{123456789012345678.0, "123456789012346000"}, Case{1e-5, "0.00001"},
                          Case{0.9999999999999999, "1"}, Case{9.9999999999999995, "10"}, Case{-1234.5678, "-1234.5678"},
                          Case{45000.375, "45000.375"}, // a date-time: 2023-03-15 09:00
                          Case{1.0 / 86400000, "0.0000000115740740740741"}})
        EXPECT_EQ(FloatToInvariantStr(c.value), QString::fromLatin1(c.text)) << c.text;
    EXPECT_EQ(ConvertErrorOf([] { FloatToInvariantStr(std::numeric_limits<double>::quiet_NaN()); }),
              QStringLiteral("'nan' is not a finite float value"));
    EXPECT_EQ(ConvertErrorOf([] { FloatToInvariantStr(-std::numeric_limits<double>::infinity()); }),
              QStringLiteral("'-inf' is not a finite float value"));
}

TEST(InvariantStrToFloat, AcceptsOnlyTheInvariantForm) {
    struct Case {
        const char* text;
        double value;
    };
    for (const Case& c : {Case{"-0.25", -0.25}, Case{"5.", 5}, Case{".5", 0.5}, Case{"-.5", -0.5}, Case{"0", 0},
                          Case{"007.50", 7.5}, Case{"100000000000000000000", 1e20}})
        EXPECT_EQ(InvariantStrToFloat(QString::fromLatin1(c.text)), c.value) << c.text;
    const QStringList bad = {QStringLiteral("1,5"),  QStringLiteral("+1"),
                             QStringLiteral("1e5"),  QStringLiteral(" 1"),
                             QStringLiteral("1 "),   QString(),
                             QStringLiteral("-"),    QStringLiteral("."),
                             QStringLiteral("-."),   QStringLiteral("1.2.3"),
                             QStringLiteral("--1"),  QStringLiteral("1-"),
                             QStringLiteral("inf"),  QStringLiteral("nan"),
                             QStringLiteral("0x10"), QStringLiteral("1") + QString(400, u'0')};
    for (const QString& text : bad)
        EXPECT_EQ(ConvertErrorOf([&] { InvariantStrToFloat(text); }),
                  QStringLiteral("'") + text + QStringLiteral("' is not a valid float value"))
            << text.toStdString();
    // Below the smallest double is zero, not an error.
    EXPECT_EQ(InvariantStrToFloat(QStringLiteral("0.") + QString(400, u'0') + QStringLiteral("1")), 0.0);
}

namespace {

std::vector<double> RoundTripValues() {
    std::vector<double> values = {12.5,      0.05,   1e20,     -1e20,   0.1 + 0.2, 1.0 / 3,
                                  45000.375, 1e-300, 4.9e-324, 1.7e308, -2.5e-10,  86399.999};
    std::mt19937_64 random(20240101);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 2000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    return values;
}

/// Writes and reads back: the same text again, and the same value to 15 significant digits.
void ExpectRoundTrips() {
    for (double value : RoundTripValues()) {
        const QString text = FloatToInvariantStr(value);
        const double back = InvariantStrToFloat(text);
        EXPECT_EQ(FloatToInvariantStr(back), text);
        EXPECT_LE(std::fabs(back - value), std::fabs(value) * 1e-14) << text.toStdString();
    }
}

} // namespace

TEST(InvariantFloat, RoundTripsToFifteenDigits) {
    ExpectRoundTrips();
}

/// Builds a German locale (decimal comma) on the fly with localedef into a temporary folder, so
/// that the machine needs no generated locales.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override {
        if (!m_dir.isValid())
            GTEST_SKIP() << "no temporary folder";
        const int rc = QProcess::execute(QStringLiteral("localedef"),
                                         {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                                          QStringLiteral("UTF-8"), m_dir.filePath(QStringLiteral("de_DE.UTF-8"))});
        if (rc != 0)
            GTEST_SKIP() << "localedef cannot build de_DE (Debian package 'locales' missing)";
    }

    /// Switches the C and C++ locales of this process to German. The checks run in a child process
    /// (a death test), so the switch never reaches other tests, and the C library's own
    /// allocations for a locale path are not reported as leaks of this program.
    void SwitchToGerman() {
        qputenv("LOCPATH", m_dir.path().toUtf8());
        qputenv("LC_ALL", "de_DE.UTF-8");
        if (std::setlocale(LC_ALL, "") == nullptr) {
            std::fputs("setlocale failed\n", stderr);
            ::_exit(2);
        }
        std::locale::global(std::locale(""));
        if (std::string(std::localeconv()->decimal_point) != ",") {
            std::fputs("no decimal comma\n", stderr);
            ::_exit(3);
        }
    }

    QTemporaryDir m_dir;
};

TEST_F(GermanLocale, InvariantFormsIgnoreTheDecimalComma) {
    EXPECT_EXIT(
        {
            SwitchToGerman();
            EXPECT_EQ(FloatToInvariantStr(12.5), QStringLiteral("12.5"));
            EXPECT_EQ(FloatToInvariantStr(-1234567.25), QStringLiteral("-1234567.25"));
            EXPECT_EQ(InvariantStrToFloat(QStringLiteral("-0.25")), -0.25);
            EXPECT_EQ(ConvertErrorOf([] { InvariantStrToFloat(QStringLiteral("1,5")); }),
                      QStringLiteral("'1,5' is not a valid float value"));
            EXPECT_EQ(IntToWideStr(1234567), QStringLiteral("1234567"));
            ExpectRoundTrips();
            ::_exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(FormatPlaceholders, Substitution) {
    const QStringList two = {QStringLiteral("3"), QStringLiteral("5")};
    struct Case {
        const char* templ;
        QStringList args;
        const char* result;
    };
    const QStringList ten = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                             QStringLiteral("e"), QStringLiteral("f"), QStringLiteral("g"), QStringLiteral("h"),
                             QStringLiteral("i"), QStringLiteral("j")};
    for (const Case& c : {Case{"%1 of %2 (100%%)", two, "3 of 5 (100%)"}, Case{"%3", {QStringLiteral("x")}, "%3"},
                          Case{"%0 %a % %", two, "%0 %a % %"}, Case{"%2%1", two, "53"},
                          Case{"%1", {QStringLiteral("%2%%")}, "%2%%"}, // inserted text is not scanned again
                          Case{"%%1", two, "%1"}, Case{"%10", ten, "a0"}, Case{"", two, ""}})
        EXPECT_EQ(FormatPlaceholders(QString::fromUtf8(c.templ), c.args), QString::fromUtf8(c.result)) << c.templ;
}

TEST(TextHelpers, ReplaceQuoteSplitAndTrailingDelimiter) {
    EXPECT_EQ(ReplaceChar(QStringLiteral("a&b&&c"), u'&', QStringLiteral("&&")), QStringLiteral("a&&b&&&&c"));
    EXPECT_EQ(ReplaceChar(QStringLiteral("a.b"), u'.', QString()), QStringLiteral("ab"));
    EXPECT_EQ(WideQuotedStr(QStringLiteral("it's"), u'\''), QStringLiteral("'it''s'"));
    EXPECT_EQ(WideQuotedStr(QString(), u'"'), QStringLiteral("\"\""));
    EXPECT_EQ(BoolToWideStr(true), QStringLiteral("true"));
    EXPECT_EQ(BoolToWideStr(false), QStringLiteral("false"));

    struct Split {
        const char* text;
        QStringList parts;
    };
    for (const Split& c :
         {Split{"", {}}, Split{"a", {QStringLiteral("a")}}, Split{"a;b", {QStringLiteral("a"), QStringLiteral("b")}},
          Split{"a;b;", {QStringLiteral("a"), QStringLiteral("b")}},
          Split{"a;;b", {QStringLiteral("a"), QString(), QStringLiteral("b")}},
          Split{";a", {QString(), QStringLiteral("a")}}, Split{";", {QString()}}})
        EXPECT_EQ(SplitText(QString::fromLatin1(c.text), u';'), c.parts) << c.text;

    EXPECT_EQ(IncludeTrailingPathDelimiter(QStringLiteral("/data")), QStringLiteral("/data/"));
    EXPECT_EQ(IncludeTrailingPathDelimiter(QStringLiteral("/data/")), QStringLiteral("/data/"));
    EXPECT_EQ(IncludeTrailingPathDelimiter(QString()), QStringLiteral("/"));
}

TEST(MakeUniqueFileName, SkipsExistingFilesButNotFolders) {
    TempHome home;
    const QString base = home.Path(QStringLiteral("x"));
    EXPECT_EQ(MakeUniqueFileName(base, QStringLiteral("_"), QStringLiteral("tmp")), base + QStringLiteral(".tmp"));
    for (const char* name : {"x.tmp", "x_1.tmp"}) {
        QFile file(home.Path(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(MakeUniqueFileName(base, QStringLiteral("_"), QStringLiteral("tmp")), base + QStringLiteral("_2.tmp"));
    ASSERT_TRUE(QDir(home.Root()).mkdir(QStringLiteral("x_2.tmp")));
    EXPECT_EQ(MakeUniqueFileName(base, QStringLiteral("_"), QStringLiteral("tmp")), base + QStringLiteral("_2.tmp"));
}

TEST(GetSpecialFolder, XdgStandIns) {
    TempHome home;
    EXPECT_EQ(GetSpecialFolder(SpecialFolder::AppData), home.ConfigHome());
    EXPECT_EQ(GetSpecialFolder(SpecialFolder::LocalAppData), home.DataHome());
    // No documents folder yet: the home folder.
    EXPECT_EQ(GetSpecialFolder(SpecialFolder::Personal), home.Home());
    ASSERT_TRUE(QDir(home.Home()).mkdir(QStringLiteral("Papiere")));
    QFile userDirs(home.ConfigHome() + QStringLiteral("/user-dirs.dirs"));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n");
    userDirs.close();
    EXPECT_EQ(GetSpecialFolder(5), home.Home() + QStringLiteral("/Papiere"));

    // Unset or relative XDG variables fall back to the defaults below HOME.
    qunsetenv("XDG_CONFIG_HOME");
    qputenv("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(GetSpecialFolder(26), home.Home() + QStringLiteral("/.config"));
    EXPECT_EQ(GetSpecialFolder(28), home.Home() + QStringLiteral("/.local/share"));
    EXPECT_EQ(GetSpecialFolder(36), QString()); // not a folder the program knows

    qputenv("HOME", "");
    try {
        GetSpecialFolder(SpecialFolder::AppData);
        ADD_FAILURE() << "no exception";
    } catch (const EVRNException& e) {
        EXPECT_EQ(e.ClassName(), QStringLiteral("EVRNException"));
        EXPECT_EQ(e.Message(), QStringLiteral("ERROR at GetSpecialFolderLocation"));
    }
}

TEST(DialogFont, NamesMatchExactly) {
    EXPECT_EQ(DialogFontName(), QStringLiteral("MS Shell Dlg 2"));
    EXPECT_TRUE(IsDialogFontName(QStringLiteral("MS Shell Dlg 2")));
    EXPECT_TRUE(IsDialogFontName(QStringLiteral("MS Shell Dlg")));
    EXPECT_FALSE(IsDialogFontName(QStringLiteral("ms shell dlg")));
    EXPECT_FALSE(IsDialogFontName(QStringLiteral("MS Shell Dlg 3")));
}

TEST(ShortenPathToWidth, AlternatesFrontAndBack) {
    // One pixel per character; the middle part is long so that every candidate is shorter.
    const auto width = [](const QString& s) { return static_cast<int>(s.size()); };
    const QString path = QStringLiteral("A\\B\\CCCCCCCCCC\\D\\E"); // 18 characters
    struct Case {
        int maxWidth;
        const char* result;
    };
    for (const Case& c : {Case{1, "...\\E"}, Case{5, "...\\E"}, Case{6, "...\\E"}, Case{7, "A\\...\\E"},
                          Case{9, "A\\...\\D\\E"}, Case{10, "A\\...\\D\\E"}, Case{11, "A\\B\\...\\D\\E"},
                          Case{17, "A\\B\\...\\D\\E"}, Case{18, "A\\B\\CCCCCCCCCC\\D\\E"}})
        EXPECT_EQ(ShortenPathToWidth(path, u'\\', width, c.maxWidth), QString::fromLatin1(c.result)) << c.maxWidth;
    EXPECT_EQ(ShortenPathToWidth(QStringLiteral("single"), u'\\', width, 1), QStringLiteral("single"));
    EXPECT_EQ(ShortenPathToWidth(QStringLiteral("aaaa\\bbbb"), u'\\', width, 5), QStringLiteral("...\\bbbb"));
}

TEST(PrintUnits, MultiplyDivideRounds) {
    EXPECT_EQ(HundredthMillimetresToTwips(1000), 567);
    EXPECT_EQ(HundredthMillimetresToTwips(2100 * 10), 11907); // A4 width, 210 mm
    EXPECT_EQ(HundredthMillimetresToTwips(1), 1);
    EXPECT_EQ(HundredthMillimetresToTwips(-1), -1);
    EXPECT_EQ(TwipsToPixels(1440, 96), 96);
    EXPECT_EQ(TwipsToPixels(7, 96), 0);
    EXPECT_EQ(TwipsToPixels(8, 96), 1);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(1 << 30, 4, 8), 1 << 29); // the product needs 64 bits
    EXPECT_THROW(MulDiv(1, 1, 0), EVRNConvertError);
    EXPECT_THROW(MulDiv(1 << 30, 8, 1), EVRNConvertError);
}

namespace {
struct Node : IVRNCleanableObject {
    std::shared_ptr<Node> next;
    std::shared_ptr<Node>* observed = nullptr;
    bool* refWasEmptyInCleanup = nullptr;
    void Cleanup() override {
        if (refWasEmptyInCleanup)
            *refWasEmptyInCleanup = observed && !*observed;
        next.reset();
    }
};
struct Plain {
    virtual ~Plain() = default;
};
struct Left {
    virtual ~Left() = default;
};
struct Right {
    virtual ~Right() = default;
};
struct Both : Left, Right {};
} // namespace

TEST(ReleaseAndCleanup, EmptiesTheReferenceThenBreaksTheCycle) {
    auto a = std::make_shared<Node>();
    auto b = std::make_shared<Node>();
    a->next = b;
    b->next = a; // a cycle
    std::weak_ptr<Node> weakA = a;
    std::weak_ptr<Node> weakB = b;
    bool refWasEmpty = false;
    a->observed = &a;
    a->refWasEmptyInCleanup = &refWasEmpty;
    b.reset();
    ReleaseAndCleanup(a);
    EXPECT_TRUE(refWasEmpty);
    EXPECT_EQ(a, nullptr);
    EXPECT_TRUE(weakA.expired());
    EXPECT_TRUE(weakB.expired());

    auto plain = std::make_shared<Plain>(); // not cleanable: only released
    ReleaseAndCleanup(plain);
    EXPECT_EQ(plain, nullptr);
}

TEST(SameObject, ComparesTheMostDerivedObject) {
    auto both = std::make_shared<Both>();
    std::shared_ptr<Left> asLeft = both;
    std::shared_ptr<Right> asRight = both;
    EXPECT_NE(static_cast<const void*>(asLeft.get()), static_cast<const void*>(asRight.get()));
    EXPECT_TRUE(SameObject(asLeft, asRight));
    EXPECT_FALSE(SameObject(asLeft, std::shared_ptr<Right>(std::make_shared<Both>())));
    EXPECT_TRUE(SameObject(static_cast<Left*>(nullptr), static_cast<Right*>(nullptr)));
    EXPECT_FALSE(SameObject(asLeft.get(), static_cast<Right*>(nullptr)));
    EXPECT_EQ(IID_IVRNCleanableObject.ToString(), QStringLiteral("{27AE7FD8-398A-4ED2-AF9E-A13A49EC64F5}"));
}
