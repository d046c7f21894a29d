#include "foundation/VRNException.h"
#include "foundation/Log.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>

TEST(VRNException, ClassNamesAndTexts) {
    try {
        throw EAutoCancel(QStringLiteral("stopped"));
    } catch (const EUserCancel& e) {
        EXPECT_EQ(e.ClassName(), QStringLiteral("EAutoCancel"));
        EXPECT_EQ(ExceptionToText(e), QStringLiteral("EAutoCancel: stopped"));
        EXPECT_EQ(ExceptionToTextSuffix(e), QStringLiteral(" (EAutoCancel: stopped)"));
    }
    const std::runtime_error plain("narrow text");
    EXPECT_EQ(GetExceptionMessage(plain), QStringLiteral("narrow text"));
    EXPECT_EQ(ExceptionClassName(plain), QStringLiteral("runtime_error"));
}

TEST(VRNException, WideMessageSurvivesAsUtf8) {
    const EVRNConvertError e(QStringLiteral("Größe"));
    EXPECT_EQ(QString::fromUtf8(e.what()), QStringLiteral("Größe"));
}

TEST(VRNException, FormatConstructorReplacesPlaceholders) {
    const EVRNException e(QStringLiteral("%1 of %2 (100%%) %3"), {QStringLiteral("3"), QStringLiteral("5")});
    EXPECT_EQ(e.Message(), QStringLiteral("3 of 5 (100%) %3"));
}

TEST(VRNException, LogExceptionLineFormat) {
    TempHome home;
    ScopedFixedClock clock(QDateTime(QDate(2006, 3, 14), QTime(9, 5, 7)));
    LogSettings saved = GetLogSettings();
    GetLogSettings() = {LogTarget::File, LogLevelNormal, home.Path(QStringLiteral("x.log"))};
    LogException(QStringLiteral("TProperty._Assign"), EMustNotHappen(QStringLiteral("bad")));
    GetLogSettings() = saved;
    QFile file(home.Path(QStringLiteral("x.log")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("2006-03-14 09:05:07 TProperty._Assign: EMustNotHappen - \"bad\"\n"));
}
