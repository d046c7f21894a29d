// horaluxctl addins: registering the example add-in makes the program load it; unregistering
// takes it away again; a library that is no add-in is refused and nothing is registered.

#include "CtlTestSupport.h"

#include "addins/AddInManager.h"
#include "addins/InternalAddInManager.h"
#include "addins/RegistryAddInSource.h"
#include "foundation/Registry.h"
#include "foundation/platform/RegistryStore.h"
#include "model/PropertyList.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

const QString Example = QStringLiteral(EXAMPLE_ADDIN_LIBRARY);

TEST(AddInCommands, RegisterListLoadAndUnregisterTheExample) {
    TempHome home;
    const CtlRun registered = Ctl({QStringLiteral("addins"), QStringLiteral("register"), Example});
    ASSERT_EQ(registered.code, CtlExitOk) << registered.err.toStdString();
    EXPECT_EQ(registered.out,
              QStringLiteral("registered Horalux.ExampleAction {6A1D3E70-5C1B-4E0B-9A57-3F0D2C8E4B11} ") + Example +
                  u'\n');

    const CtlRun listed = Ctl({QStringLiteral("addins"), QStringLiteral("list")});
    EXPECT_EQ(listed.out, QStringLiteral("user\tHoralux.ExampleAction\t{6A1D3E70-5C1B-4E0B-9A57-3F0D2C8E4B11}\t") +
                              Example + u'\n');

    // The program's loader finds it through the same entries.
    TInternalAddInManager noBuiltIns;
    TAddInManager manager(noBuiltIns, std::make_shared<TRegistryAddInSource>());
    manager.LoadAddIns(std::make_shared<TPropertyList>());
    ASSERT_EQ(manager.ActiveAddIns().size(), 1u);
    EXPECT_EQ(manager.ActiveAddIns()[0]->GetName(), QStringLiteral("Example Action"));
    manager.Clear();

    // Switched off by the user: listed as off.
    RegWriteInteger(QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux\\Add Ins"),
                    QStringLiteral("Horalux.ExampleAction"), -1);
    EXPECT_EQ(Ctl({QStringLiteral("addins"), QStringLiteral("list")}).out,
              QStringLiteral("user\tHoralux.ExampleAction\toff\n"));

    const CtlRun removed =
        Ctl({QStringLiteral("addins"), QStringLiteral("unregister"), QStringLiteral("Horalux.ExampleAction")});
    EXPECT_EQ(removed.code, CtlExitOk) << removed.err.toStdString();
    EXPECT_EQ(Ctl({QStringLiteral("addins"), QStringLiteral("list")}).out, QString());
    EXPECT_THROW(TRegistryAddInSource::ClassOf(QStringLiteral("Horalux.ExampleAction")), EVRNException);

    const CtlRun again =
        Ctl({QStringLiteral("addins"), QStringLiteral("unregister"), QStringLiteral("Horalux.ExampleAction")});
    EXPECT_EQ(again.code, CtlExitFailure);
    EXPECT_EQ(again.err,
              QStringLiteral("horaluxctl: Horalux.ExampleAction is not in the current user's list of add-ins\n"));
}

QByteArray UserStoreBytes() {
    QFile file(TvrnRegistryStore::UserStorePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(AddInCommands, UnregisterLeavesTheStoreAsItWasBeforeRegister) {
    TempHome home;
    const QString list = QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux\\Add Ins");
    // What other add-ins and the program wrote stays; the keys the example brought go.
    RegWriteString(QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux"), QStringLiteral("StoragePath"),
                   home.Path(QStringLiteral("data")));
    RegWriteString(list, QStringLiteral("Maker.Other"), QString());
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\Maker.Other\\CLSID"), QString(),
                   QStringLiteral("{11111111-2222-3333-4444-555555555555}"));
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32"),
                   QString(), home.Path(QStringLiteral("libother.so")));
    const QByteArray before = UserStoreBytes();

    ASSERT_EQ(Ctl({QStringLiteral("addins"), QStringLiteral("register"), Example}).code, CtlExitOk);
    ASSERT_NE(UserStoreBytes(), before);
    ASSERT_EQ(
        Ctl({QStringLiteral("addins"), QStringLiteral("unregister"), QStringLiteral("Horalux.ExampleAction")}).code,
        CtlExitOk);
    EXPECT_EQ(QString::fromUtf8(UserStoreBytes()), QString::fromUtf8(before));

    // The last add-in gone, the list goes too, and nothing is left of either.
    ASSERT_EQ(Ctl({QStringLiteral("addins"), QStringLiteral("unregister"), QStringLiteral("Maker.Other")}).code,
              CtlExitOk);
    const QJsonObject keys =
        QJsonDocument::fromJson(UserStoreBytes()).object().value(QStringLiteral("keys")).toObject();
    EXPECT_EQ(keys.keys().join(u' '), QStringLiteral("Software\\Varnelo\\Horalux"));
}

TEST(AddInCommands, ALibraryThatIsNoAddInIsRefused) {
    TempHome home;
    const QString notAnAddIn = QStringLiteral(NOT_AN_ADDIN_LIBRARY);
    const CtlRun run = Ctl({QStringLiteral("addins"), QStringLiteral("register"), notAnAddIn});
    EXPECT_EQ(run.code, CtlExitFailure);
    EXPECT_TRUE(run.err.contains(QStringLiteral("is no Horalux add-in library"))) << run.err.toStdString();
    EXPECT_EQ(Ctl({QStringLiteral("addins"), QStringLiteral("list")}).out, QString());
    EXPECT_EQ(Ctl({QStringLiteral("addins"), QStringLiteral("register")}).code, CtlExitUsage);
}

} // namespace
