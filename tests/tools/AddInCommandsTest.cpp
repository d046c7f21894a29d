// horaluxctl addins: registering the example add-in makes the program load it; unregistering
// takes it away again; a library that is no add-in is refused and nothing is registered.

#include "CtlTestSupport.h"

#include "addins/AddInManager.h"
#include "addins/InternalAddInManager.h"
#include "addins/RegistryAddInSource.h"
#include "foundation/Registry.h"
#include "model/PropertyList.h"
#include "support/TestEnvironment.h"

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
