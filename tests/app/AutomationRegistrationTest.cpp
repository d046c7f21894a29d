// The automation entries: -regserver writes the class entries and the session bus's service file,
// -unregserver removes them again, and a second removal finds nothing to do.

#include "app/AutomationRegistration.h"

#include "foundation/Registry.h"
#include "foundation/platform/RegistryStore.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

const QString ClassKey = QStringLiteral("HKEY_CLASSES_ROOT\\Horalux.Application\\CLSID");
const QString ServerKey =
    QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{42021C09-3CB8-41A4-8F51-CE43FFB427C1}\\LocalServer32");

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(AutomationRegistration, RegisterWritesTheEntriesAndUnregisterRemovesThem) {
    TempHome home;
    const QString program = home.Path(QStringLiteral("my programs/horalux"));
    RegisterAutomationServer(program);
    EXPECT_EQ(RegReadStringDef(ClassKey, QString(), QString()),
              QStringLiteral("{42021C09-3CB8-41A4-8F51-CE43FFB427C1}"));
    EXPECT_EQ(RegReadStringDef(ServerKey, QString(), QString()), program + QStringLiteral(" -automation"));
    EXPECT_EQ(AutomationServiceFilePath(),
              home.DataHome() + QStringLiteral("/dbus-1/services/com.varnelo.Horalux.service"));
    EXPECT_EQ(Read(AutomationServiceFilePath()), QStringLiteral("[D-BUS Service]\nName=com.varnelo.Horalux\nExec=\"") +
                                                     program + QStringLiteral("\" -automation\n"));

    UnregisterAutomationServer();
    EXPECT_EQ(RegReadStringDef(ClassKey, QString(), QStringLiteral("gone")), QStringLiteral("gone"));
    EXPECT_EQ(RegReadStringDef(ServerKey, QString(), QStringLiteral("gone")), QStringLiteral("gone"));
    EXPECT_FALSE(QFileInfo::exists(AutomationServiceFilePath()));
    EXPECT_NO_THROW(UnregisterAutomationServer());
}

TEST(AutomationRegistration, UnregisterLeavesTheStoreAsItWasBeforeRegister) {
    TempHome home;
    const auto store = [] {
        QFile file(TvrnRegistryStore::UserStorePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\Maker.Other\\CLSID"), QString(),
                   QStringLiteral("{11111111-2222-3333-4444-555555555555}"));
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{11111111-2222-3333-4444-555555555555}\\LocalServer32"),
                   QString(), QStringLiteral("/usr/bin/other"));
    const QString before = store();
    RegisterAutomationServer(home.Path(QStringLiteral("horalux")));
    ASSERT_NE(store(), before);
    UnregisterAutomationServer();
    EXPECT_EQ(store(), before);
}

} // namespace
