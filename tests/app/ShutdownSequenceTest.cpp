#include "app/ShutdownSequence.h"
#include "foundation/Log.h"
#include "foundation/VRNException.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

class ShutdownSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_saved = GetLogSettings();
        GetLogSettings() = {LogTarget::File, LogLevelNormal, m_home.Path(QStringLiteral("h.log"))};
    }
    void TearDown() override { GetLogSettings() = m_saved; }
    QByteArray Log() {
        QFile file(m_home.Path(QStringLiteral("h.log")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    /// Close steps that record their order; the named ones raise.
    TCloseSteps RecordingSteps(QStringList& calls, const QStringList& failing) {
        const auto step = [&calls, failing](const QString& name) {
            return [&calls, failing, name] {
                calls << name;
                if (failing.contains(name))
                    throw EMustNotHappen(name + QStringLiteral(" failed"));
            };
        };
        TCloseSteps steps;
        steps.unregisterHotkeys = step(QStringLiteral("UnregisterHotkeys"));
        steps.hideTrayIcon = step(QStringLiteral("HideTrayIcon"));
        steps.finishTracking = step(QStringLiteral("FinishTracking"));
        steps.disableRegularTimer = step(QStringLiteral("DisableRegularTimer"));
        steps.saveAll = step(QStringLiteral("SaveAll"));
        steps.releaseController = step(QStringLiteral("ReleaseController"));
        steps.releaseSingleInstance = step(QStringLiteral("ReleaseSingleInstance"));
        return steps;
    }

    TempHome m_home;
    ScopedFixedClock m_clock{QDateTime(QDate(2024, 5, 6), QTime(17, 30, 0))};
    LogSettings m_saved;
};

} // namespace

TEST_F(ShutdownSequenceTest, QuitByOtherInstanceSavesEvenWhenEarlierStepsFail) {
    QStringList calls;
    const TShutdownSequence sequence = MakeCloseSequence(
        QStringLiteral("TfrmMain.WMHXQuit"),
        RecordingSteps(calls, {QStringLiteral("UnregisterHotkeys"), QStringLiteral("HideTrayIcon")}), false);
    const QStringList failed = sequence.Run();
    EXPECT_EQ(calls, (QStringList{QStringLiteral("UnregisterHotkeys"), QStringLiteral("HideTrayIcon"),
                                  QStringLiteral("DisableRegularTimer"), QStringLiteral("SaveAll"),
                                  QStringLiteral("ReleaseController"), QStringLiteral("ReleaseSingleInstance")}));
    EXPECT_EQ(failed, (QStringList{QStringLiteral("UnregisterHotkeys"), QStringLiteral("HideTrayIcon")}));
    EXPECT_EQ(Log(), QByteArray("2024-05-06 17:30:00 TfrmMain.WMHXQuit: UnregisterHotkeys: EMustNotHappen - "
                                "\"UnregisterHotkeys failed\"\n"
                                "2024-05-06 17:30:00 TfrmMain.WMHXQuit: HideTrayIcon: EMustNotHappen - "
                                "\"HideTrayIcon failed\"\n"));
}

TEST_F(ShutdownSequenceTest, NormalCloseAsksFirstAndEveryStepRunsOnce) {
    QStringList calls;
    const TShutdownSequence sequence = MakeCloseSequence(QStringLiteral("TfrmMain.FormCloseQuery"),
                                                         RecordingSteps(calls, {QStringLiteral("SaveAll")}), true);
    EXPECT_EQ(sequence.Run(), QStringList{QStringLiteral("SaveAll")});
    EXPECT_EQ(calls, (QStringList{QStringLiteral("UnregisterHotkeys"), QStringLiteral("HideTrayIcon"),
                                  QStringLiteral("FinishTracking"), QStringLiteral("DisableRegularTimer"),
                                  QStringLiteral("SaveAll"), QStringLiteral("ReleaseController"),
                                  QStringLiteral("ReleaseSingleInstance")}));
}

TEST_F(ShutdownSequenceTest, NonStandardExceptionsAndEmptyStepsAreSurvived) {
    bool later = false;
    TShutdownSequence sequence(QStringLiteral("Ctx"));
    sequence.Add(QStringLiteral("A"), [] { throw 42; }).Add(QStringLiteral("B"), {}).Add(QStringLiteral("C"), [&] {
        later = true;
    });
    EXPECT_EQ(sequence.Run(), QStringList{QStringLiteral("A")});
    EXPECT_TRUE(later);
    EXPECT_EQ(Log(), QByteArray("2024-05-06 17:30:00 Ctx: A: runtime_error - \"unknown exception\"\n"));
}
