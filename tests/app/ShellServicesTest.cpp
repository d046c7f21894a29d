// The controller's small services: current-window stack, provider registries, actions, the
// autostart entry and the storage folder.
#include "app/CurrentWindows.h"
#include "app/ProviderRegistry.h"
#include "foundation/Registry.h"
#include "foundation/VRNException.h"
#include "foundation/platform/Autostart.h"
#include "storage/StoragePath.h"
#include "support/TestEnvironment.h"
#include "ui/Action.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <memory>

namespace {

// ---- current windows

TEST(CurrentWindowStack, MostRecentIsCurrentAndLeavesInAnyOrder) {
    int changes = 0;
    TCurrentWindowStack stack([&] { ++changes; });
    QWidget first, second;
    EXPECT_EQ(stack.Current(), nullptr);
    stack.Add(&first);
    stack.Add(&second);
    EXPECT_EQ(stack.Current(), &second);
    // The first window closes before the second: the second stays current.
    stack.Remove(&first);
    EXPECT_EQ(stack.Current(), &second);
    EXPECT_EQ(stack.Count(), 1);
    stack.Remove(&second);
    EXPECT_FALSE(stack.HasCurrent());
    EXPECT_EQ(changes, 4);
}

TEST(CurrentWindowStack, RemovingFromAnEmptyStackOrAStrangerDoesNothing) {
    int changes = 0;
    TCurrentWindowStack stack([&] { ++changes; });
    QWidget window, stranger;
    stack.Remove(&window);
    stack.Remove(nullptr);
    EXPECT_EQ(changes, 0);
    stack.Add(&window);
    stack.Remove(&stranger);
    EXPECT_EQ(stack.Current(), &window);
    EXPECT_EQ(changes, 1);
}

TEST(CurrentWindowStack, DeadWindowsOnTopAreDiscarded) {
    TCurrentWindowStack stack;
    QWidget below;
    stack.Add(&below);
    {
        auto* dying = new QWidget;
        stack.Add(dying);
        stack.Add(dying); // the same window twice (shown again while open)
        delete dying;
    }
    EXPECT_TRUE(stack.HasCurrent());
    EXPECT_EQ(stack.Current(), &below);
    EXPECT_EQ(stack.Count(), 1);
}

// ---- provider registries

struct FakeProvider {
    TGUID id;
};
VRN_DECLARE_EXCEPTION(EFakeRegister, EVRNException);
VRN_DECLARE_EXCEPTION(EFakeNotFound, EVRNException);

TEST(ProviderRegistry, SecondRegistrationOfAnIdIsRefusedAndKeepsTheFirst) {
    TProviderRegistry<FakeProvider, EFakeRegister, EFakeNotFound> registry(QStringLiteral("Storage provider"),
                                                                           [](FakeProvider& p) { return p.id; });
    const TGUID id = TGUID::Constant("{5FE7CBD9-7B88-4616-9DD2-74C8E34546B1}");
    auto first = std::make_shared<FakeProvider>(FakeProvider{id});
    registry.Register(first);
    try {
        registry.Register(std::make_shared<FakeProvider>(FakeProvider{id}));
        FAIL();
    } catch (const EFakeRegister& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Storage provider with ID '{5FE7CBD9-7B88-4616-9DD2-74C8E34546B1}' is "
                                              "already registered."));
    }
    EXPECT_EQ(registry.Get(id), first);
    EXPECT_THROW(registry.Register(nullptr), EUnassignedArgumentError);
}

TEST(ProviderRegistry, MissingIdRaisesNotFound) {
    TProviderRegistry<FakeProvider, EFakeRegister, EFakeNotFound> registry(QStringLiteral("Entry provider"),
                                                                           [](FakeProvider& p) { return p.id; });
    try {
        registry.Get(TGUID::Constant("{AF84B1FB-B545-4F0C-B7A6-4E3007B1A2FF}"));
        FAIL();
    } catch (const EFakeNotFound& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("No entry provider found for ID '{AF84B1FB-B545-4F0C-B7A6-4E3007B1A2FF}'"));
    }
}

// ---- actions

TEST(Action, ExecutesTargetsInOrderWithItsIdAndFollowsTheToolkitAction) {
    const TGUID id = TGUID::Constant("{8A587C60-813A-466C-94D9-6C92465DB965}");
    THXAction action(id);
    QStringList calls;
    auto first = std::make_shared<TInternalExecute>([&](const QString& s) { calls << QStringLiteral("1:") + s; });
    auto second = std::make_shared<TInternalExecute>([&](const QString& s) { calls << QStringLiteral("2:") + s; });
    action.AddExecute(first);
    action.AddExecute(second);
    action.GetToolkitAction()->trigger();
    EXPECT_EQ(calls, (QStringList{"1:" + id.ToString(), "2:" + id.ToString()}));
    action.RemoveExecute(first);
    calls.clear();
    action.Execute();
    EXPECT_EQ(calls, QStringList{"2:" + id.ToString()});

    action.SetCaption(QStringLiteral("About"));
    action.SetOrderPosition(60001);
    action.SetVisible(false);
    EXPECT_EQ(action.GetToolkitAction()->text(), QStringLiteral("About"));
    EXPECT_EQ(action.GetToolkitAction()->OrderPosition(), 60001);
    EXPECT_FALSE(action.GetToolkitAction()->isVisible());
    EXPECT_FALSE(THXAction().GetID().IsNull()) << "an action without ID gets a new one";

    // "-" makes a plain separator: without text, so that the menu can merge neighbouring ones.
    action.SetCaption(QStringLiteral("-"));
    EXPECT_TRUE(action.GetToolkitAction()->isSeparator());
    EXPECT_TRUE(action.GetToolkitAction()->text().isEmpty());
    EXPECT_EQ(action.GetCaption(), QStringLiteral("-"));
    action.SetCaption(QStringLiteral("Reports"));
    EXPECT_FALSE(action.GetToolkitAction()->isSeparator());
    EXPECT_EQ(action.GetCaption(), QStringLiteral("Reports"));
}

TEST(Action, RoutineErrorsGoToTheUnexpectedErrorHandlingAndCancelIsSilent) {
    QStringList handled;
    SetUnexpectedErrorHandler([&](const std::exception& e) { handled << GetExceptionMessage(e); });
    THXAction action;
    action.AddExecute(std::make_shared<TInternalExecute>([](const QString&) { throw EVRNException("broken"); }));
    action.AddExecute(std::make_shared<TInternalExecute>([](const QString&) { throw EUserCancel("stop"); }));
    EXPECT_NO_THROW(action.Execute());
    EXPECT_EQ(handled, QStringList{"broken"});
    SetUnexpectedErrorHandler({});
}

// ---- autostart entry

TEST(Autostart, WritesQuotedProgramPathAndDeletes) {
    TempHome home;
    const QString program = QStringLiteral("/opt/my apps/hora\"lux$");
    WriteAutostartEntry(program);
    const QString path = home.ConfigHome() + QStringLiteral("/autostart/horalux.desktop");
    EXPECT_EQ(AutostartEntryPath(), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString content = QString::fromUtf8(file.readAll());
    file.close();
    EXPECT_TRUE(content.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(content.contains(QStringLiteral("\nExec=\"/opt/my apps/hora\\\\\"lux\\\\$\" -autostart\n")))
        << content.toStdString();
    WriteAutostartEntry(QStringLiteral("/usr/bin/horalux")); // replaces
    EXPECT_TRUE(QFileInfo::exists(path));
    DeleteAutostartEntry();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_NO_THROW(DeleteAutostartEntry()) << "a missing entry is no error";
}

TEST(Autostart, UnwritableFolderRaisesTheKeyError) {
    TempHome home;
    // A file where the autostart folder should be.
    QFile blocker(home.ConfigHome() + QStringLiteral("/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        WriteAutostartEntry(QStringLiteral("/usr/bin/horalux"));
        FAIL();
    } catch (const EVRNException& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot create Key: ") + home.ConfigHome()))
            << e.Message().toStdString();
    }
}

// ---- storage folder

struct MemoryStore {
    QString value;
    int writes = 0;
    bool failWrites = false;
    TStoragePathStore Store() {
        return {[this] { return value; },
                [this](const QString& v) {
                    if (failWrites)
                        throw EVRNException("registry is read-only");
                    value = v;
                    ++writes;
                }};
    }
};

TEST(StoragePath, EmptyHomeCreatesTheDefaultFolderAndStoresIt) {
    TempHome home;
    // A truly fresh home: not even the data folder exists.
    QDir(home.DataHome()).removeRecursively();
    MemoryStore store;
    const QString path = DetermineStoragePath(store.Store());
    EXPECT_EQ(path, home.DataHome() + QStringLiteral("/Horalux/"));
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_EQ(store.value, path);
    // Time records are private: the folders made for them are the user's alone.
    const auto ownerOnly =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFileInfo(home.DataHome()).permissions(), ownerOnly);
    EXPECT_EQ(QFileInfo(path).permissions(), ownerOnly);
}

TEST(StoragePath, ValidStoredFolderIsKept) {
    TempHome home;
    const QString mine = home.Path(QStringLiteral("elsewhere"));
    QDir().mkpath(mine);
    MemoryStore store{mine};
    EXPECT_EQ(DetermineStoragePath(store.Store()), mine + u'/');
    EXPECT_EQ(store.value, mine + u'/');
}

TEST(StoragePath, DeletedOrRelativeStoredFolderFallsBackAndIsOverwritten) {
    TempHome home;
    for (const QString& stored : {home.Path(QStringLiteral("deleted")), QStringLiteral("relative/folder")}) {
        MemoryStore store{stored};
        EXPECT_EQ(DetermineStoragePath(store.Store()), home.DataHome() + QStringLiteral("/Horalux/"));
        EXPECT_EQ(store.value, home.DataHome() + QStringLiteral("/Horalux/"));
    }
}

TEST(StoragePath, FailingWriteBackIsIgnored) {
    TempHome home;
    MemoryStore store;
    store.failWrites = true;
    EXPECT_EQ(DetermineStoragePath(store.Store()), home.DataHome() + QStringLiteral("/Horalux/"));
}

TEST(StoragePath, UncreatableFolderRaises) {
    TempHome home;
    // A file named Horalux blocks the folder.
    QFile blocker(home.DataHome() + QStringLiteral("/Horalux"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    MemoryStore store;
    try {
        DetermineStoragePath(store.Store());
        FAIL();
    } catch (const EVRNException& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("THXApplication.DetermineStoragePath: cannot create folder: \"") +
                                   home.DataHome() + QStringLiteral("/Horalux\""));
    }
    EXPECT_TRUE(store.value.isEmpty());
}

TEST(StoragePath, RegistryStoreKeepsTheFolderForTheNextStart) {
    TempHome home;
    const QString key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux");
    const QString first = DetermineStoragePath(RegistryStoragePathStore());
    EXPECT_EQ(first, home.DataHome() + QStringLiteral("/Horalux/"));
    EXPECT_EQ(RegReadStringDef(key, QStringLiteral("StoragePath"), QString()), first);
    EXPECT_EQ(DetermineStoragePath(RegistryStoragePathStore()), first);

    RegWriteString(key, QStringLiteral("StoragePath"), home.Path(QStringLiteral("deleted")));
    EXPECT_EQ(DetermineStoragePath(RegistryStoragePathStore()), first);
    EXPECT_EQ(RegReadStringDef(key, QStringLiteral("StoragePath"), QString()), first);
}

} // namespace
