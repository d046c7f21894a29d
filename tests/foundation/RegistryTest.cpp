#include "foundation/Registry.h"
#include "foundation/Log.h"
#include "support/ExceptionText.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString HoraluxKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux");

class RegistryTest : public ::testing::Test {
protected:
    void TearDown() override {
        SetRegistryAccessCheck(nullptr);
        TvrnRegistryStore::SetSaveFault(nullptr);
        GetLogSettings() = m_savedLog;
    }
    QString UserStore() const { return m_home.ConfigHome() + QStringLiteral("/horalux/registry.json"); }
    QString MachineStore() const { return m_home.Path(QStringLiteral("etc-xdg/horalux/registry.json")); }
    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void Write(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    TempHome m_home;
    LogSettings m_savedLog = GetLogSettings();
};

} // namespace

TEST_F(RegistryTest, RootKeyNames) {
    struct Case {
        const char* path;
        TvrnRootKey root;
        const char* subKey;
    };
    for (const Case& c :
         {Case{"hkcu\\Software\\X", TvrnRootKey::CurrentUser, "Software\\X"},
          Case{"HKEY_Current_User\\Software", TvrnRootKey::CurrentUser, "Software"},
          Case{"HKLM\\Software\\X", TvrnRootKey::LocalMachine, "Software\\X"},
          Case{"HKEY_LOCAL_MACHINE\\a", TvrnRootKey::LocalMachine, "a"},
          Case{"HKEY_CLASSES_ROOT\\CLSID\\{X}", TvrnRootKey::ClassesRoot, "CLSID\\{X}"},
          Case{"hkey_users", TvrnRootKey::Users, ""}, Case{"HKEY_CURRENT_CONFIG\\", TvrnRootKey::CurrentConfig, ""},
          Case{"HKEY_DYN_DATA\\x", TvrnRootKey::DynData, "x"}}) {
        const TRegistryPath path = ParseRegistryPath(QString::fromLatin1(c.path));
        EXPECT_EQ(path.Root, c.root) << c.path;
        EXPECT_EQ(path.SubKey, c.subKey) << c.path;
    }
    EXPECT_EQ(ClassAndMessageOf([] { ParseRegistryPath(QStringLiteral("hkcr\\CLSID\\{X}")); }),
              "EVRNException: Unknown Root Registry Key: HKCR");
    EXPECT_EQ(ClassAndMessageOf([] { RegReadStringDef(QStringLiteral("Nowhere\\x"), QString(), QString()); }),
              "EVRNException: Unknown Root Registry Key: NOWHERE");
}

TEST_F(RegistryTest, ValuesKeepTheTypeTheyWereWrittenWith) {
    RegWriteString(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("/data/horalux"));
    RegWriteString(HoraluxKey, QStringLiteral("Number As Text"), QStringLiteral("42"));
    RegWriteInteger(HoraluxKey, QStringLiteral("Count"), 42);
    RegWriteString(HoraluxKey, QStringLiteral("Empty"), QString());

    EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("-")), "/data/horalux");
    EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("storagepath"), QStringLiteral("-")), "/data/horalux");
    EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("Empty"), QStringLiteral("-")), "");
    EXPECT_EQ(RegReadIntegerDef(HoraluxKey, QStringLiteral("Count"), -1), 42);
    // Text never reads as an integer and an integer never as text.
    EXPECT_EQ(RegReadIntegerDef(HoraluxKey, QStringLiteral("Number As Text"), -1), -1);
    EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("Count"), QStringLiteral("-")), "-");

    TvrnRegistry registry;
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("\\Software\\Varnelo\\Horalux"), false));
    registry.WriteExpandString(QStringLiteral("Expandable"), QStringLiteral("$HOME/x"));
    registry.WriteBinaryData(QStringLiteral("Blob"), QByteArray("\x00\xff", 2));
    EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("Expandable"), QStringLiteral("-")), "-");
    EXPECT_EQ(registry.ReadString(QStringLiteral("Expandable")), "$HOME/x");
    EXPECT_EQ(registry.ReadBinaryData(QStringLiteral("Blob")), QByteArray("\x00\xff", 2));
    EXPECT_EQ(registry.GetDataType(QStringLiteral("StoragePath")), TRegDataType::rdString);
    EXPECT_EQ(registry.GetDataType(QStringLiteral("Expandable")), TRegDataType::rdExpandString);
    EXPECT_EQ(registry.GetDataType(QStringLiteral("Count")), TRegDataType::rdInteger);
    EXPECT_EQ(registry.GetDataType(QStringLiteral("Blob")), TRegDataType::rdBinary);
    EXPECT_EQ(registry.GetDataType(QStringLiteral("Missing")), TRegDataType::rdUnknown);
    EXPECT_EQ(registry.ReadInteger(QStringLiteral("Count")), 42);
    EXPECT_EQ(ClassAndMessageOf([&] { registry.ReadInteger(QStringLiteral("Number As Text")); }),
              "ERegistryException: Invalid data type for 'Number As Text'");
    EXPECT_EQ(ClassAndMessageOf([&] { registry.ReadInteger(QStringLiteral("Missing")); }),
              "ERegistryException: Invalid data type for 'Missing'");
    EXPECT_EQ(ClassAndMessageOf([&] { registry.ReadString(QStringLiteral("Count")); }),
              "ERegistryException: Invalid data type for 'Count'");
    EXPECT_EQ(registry.ReadString(QStringLiteral("Missing")), "");
    // In the order they were written.
    EXPECT_EQ(registry.GetValueNames(),
              QStringList({"StoragePath", "Number As Text", "Count", "Empty", "Expandable", "Blob"}));
}

TEST_F(RegistryTest, MissingKeysAndValuesGiveDefaultsAndDeleteQuietly) {
    EXPECT_EQ(RegReadIntegerDef(HoraluxKey, QStringLiteral("Count"), 7), 7);
    EXPECT_EQ(RegReadStringDef(QStringLiteral("HKLM\\Software\\Nothing"), QStringLiteral("x"), QStringLiteral("d")),
              "d");
    EXPECT_EQ(RegReadStringDef(QStringLiteral("HKEY_USERS\\x"), QStringLiteral("x"), QStringLiteral("d")), "d");
    EXPECT_NO_THROW(RegDeleteValue(HoraluxKey, QStringLiteral("Count")));
    EXPECT_FALSE(QFileInfo::exists(m_home.ConfigHome() + QStringLiteral("/horalux"))); // nothing written

    RegWriteInteger(HoraluxKey, QStringLiteral("Count"), 3);
    EXPECT_NO_THROW(RegDeleteValue(HoraluxKey, QStringLiteral("Other")));
    RegDeleteValue(HoraluxKey, QStringLiteral("COUNT"));
    EXPECT_EQ(RegReadIntegerDef(HoraluxKey, QStringLiteral("Count"), 7), 7);
    TvrnRegistry registry;
    EXPECT_TRUE(registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Varnelo\\Horalux"))); // the key stays
    EXPECT_TRUE(registry.GetValueNames().isEmpty());
}

TEST_F(RegistryTest, EmptyKeysAreDeletedUpToTheFirstThatHoldsSomething) {
    const QString base = QStringLiteral("HKEY_CURRENT_USER\\Software\\Maker");
    RegWriteString(base + QStringLiteral("\\Kept"), QStringLiteral("Value"), QStringLiteral("v"));
    RegWriteString(base + QStringLiteral("\\Tool\\Deep\\Leaf"), QStringLiteral("Value"), QStringLiteral("v"));
    RegWriteString(base + QStringLiteral("\\Tool"), QStringLiteral("Own"), QStringLiteral("v"));
    TvrnRegistry registry;
    registry.OpenKey(QStringLiteral("\\Software\\Maker\\Created\\Empty"), true);
    const auto exists = [](const QString& key) { return TvrnRegistry().KeyExists(key); };

    // A key that still holds a value or a sub-key stays.
    RegDeleteEmptyKeys(base + QStringLiteral("\\Kept"));
    RegDeleteEmptyKeys(base + QStringLiteral("\\Tool\\Deep"));
    EXPECT_TRUE(exists(QStringLiteral("\\Software\\Maker\\Kept")));
    EXPECT_TRUE(exists(QStringLiteral("\\Software\\Maker\\Tool\\Deep\\Leaf")));

    // Emptied, the leaf goes and the keys above it up to the one with a value of its own.
    RegDeleteValue(base + QStringLiteral("\\Tool\\Deep\\Leaf"), QStringLiteral("Value"));
    RegDeleteEmptyKeys(base + QStringLiteral("\\Tool\\Deep\\Leaf"));
    EXPECT_FALSE(exists(QStringLiteral("\\Software\\Maker\\Tool\\Deep")));
    EXPECT_TRUE(exists(QStringLiteral("\\Software\\Maker\\Tool")));

    // A created empty key goes; its parent, holding only it, too; Maker keeps its other keys.
    RegDeleteEmptyKeys(base + QStringLiteral("\\Created\\Empty"));
    EXPECT_FALSE(exists(QStringLiteral("\\Software\\Maker\\Created")));
    EXPECT_TRUE(exists(QStringLiteral("\\Software\\Maker")));

    // A missing key changes nothing.
    const QByteArray before = Read(UserStore());
    RegDeleteEmptyKeys(base + QStringLiteral("\\Missing"));
    EXPECT_EQ(Read(UserStore()), before);
}

TEST_F(RegistryTest, WriteFailuresNameKeyEntryAndReason) {
    EXPECT_EQ(
        ClassAndMessageOf([] { RegWriteString(QStringLiteral("HKEY_USERS\\S-1\\x"), QStringLiteral("v"), QString()); }),
        "EVRNException: Cannot create Key: HKEY_USERS\\S-1\\x (there is no settings store for this root key)");
    // A file where the machine store's folder belongs.
    Write(m_home.Path(QStringLiteral("etc-xdg/horalux")), "not a folder");
    EXPECT_EQ(ClassAndMessageOf([] { RegWriteInteger(QStringLiteral("HKLM\\Software\\X"), QStringLiteral("v"), 1); }),
              QStringLiteral("EVRNException: Cannot create Key: HKLM\\Software\\X (cannot create the folder \"%1\")")
                  .arg(m_home.Path(QStringLiteral("etc-xdg/horalux"))));
    TvrnRegistryStore::SetSaveFault([](const QString&, QString& error) {
        error = QStringLiteral("No space left on device");
        return false;
    });
    EXPECT_EQ(
        ClassAndMessageOf([] { RegWriteString(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("/x")); }),
        "EVRNException: Cannot create Entry: StoragePath in Key: " + HoraluxKey + " (No space left on device)");
    TvrnRegistry registry;
    EXPECT_FALSE(registry.OpenKey(QStringLiteral("\\Software\\Varnelo\\Horalux"), true));
    TvrnRegistryStore::SetSaveFault(nullptr);
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("\\Software\\Varnelo\\Horalux"), true));
    TvrnRegistryStore::SetSaveFault([](const QString&, QString& error) {
        error = QStringLiteral("disk full");
        return false;
    });
    EXPECT_EQ(ClassAndMessageOf([&] { registry.WriteString(QStringLiteral("StoragePath"), QStringLiteral("/x")); }),
              "ERegistryException: Failed to set data for 'StoragePath'");
}

TEST_F(RegistryTest, OpenKeyPathsAreAbsoluteOrRelativeToTheOpenKey) {
    TvrnRegistry registry;
    EXPECT_EQ(registry.RootKey(), TvrnRootKey::CurrentUser);
    EXPECT_FALSE(registry.OpenKey(QStringLiteral("\\Software\\Varnelo\\Horalux"), false));
    EXPECT_FALSE(registry.HasCurrentKey());
    EXPECT_EQ(ClassAndMessageOf([&] { registry.ReadString(QStringLiteral("x")); }),
              "ERegistryException: Failed to get data for 'x'");
    EXPECT_EQ(ClassAndMessageOf([&] { registry.WriteString(QStringLiteral("x"), QString()); }),
              "ERegistryException: Failed to set data for 'x'");
    EXPECT_TRUE(registry.GetValueNames().isEmpty());

    ASSERT_TRUE(registry.OpenKey(QStringLiteral("\\Software\\Varnelo\\Horalux"), true));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Varnelo\\Horalux");
    EXPECT_FALSE(registry.OpenKey(QStringLiteral("Add Ins"), false));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Varnelo\\Horalux"); // a failed open keeps the key
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("Add Ins"), true));
    EXPECT_EQ(registry.CurrentPath(), "Software\\Varnelo\\Horalux\\Add Ins");
    registry.WriteInteger(QStringLiteral("Sample"), 1);
    ASSERT_TRUE(registry.OpenKey(QStringLiteral("\\Software"), false)); // implied by its sub-keys
    EXPECT_EQ(registry.CurrentPath(), "Software");

    TvrnRegistry fresh;
    EXPECT_TRUE(fresh.KeyExists(QStringLiteral("\\SOFTWARE\\varnelo\\Horalux\\Add Ins")));
    EXPECT_EQ(RegReadIntegerDef(HoraluxKey + QStringLiteral("\\Add Ins"), QStringLiteral("Sample"), 0), 1);
    fresh.SetRootKey(TvrnRootKey::LocalMachine);
    EXPECT_FALSE(fresh.OpenKeyReadOnly(QStringLiteral("\\Software\\Varnelo\\Horalux\\Add Ins")));
}

TEST_F(RegistryTest, OpenKeyReadOnlyFallsBackToFewerRights) {
    RegWriteInteger(HoraluxKey + QStringLiteral("\\Add Ins"), QStringLiteral("Sample"), 1);
    std::uint32_t allowed = 0;
    SetRegistryAccessCheck([&](TvrnRootKey, const QString&, std::uint32_t access) { return (access & ~allowed) == 0; });
    const QString key = QStringLiteral("\\Software\\Varnelo\\Horalux\\Add Ins");
    struct Case {
        std::uint32_t allowed;
        bool opens;
        std::uint32_t access;
    };
    for (const Case& c :
         {Case{KEY_ALL_ACCESS, true, KEY_READ}, Case{KEY_READ & ~KEY_NOTIFY, true, KEY_READ & ~KEY_NOTIFY},
          Case{KEY_QUERY_VALUE, true, KEY_QUERY_VALUE}, Case{KEY_SET_VALUE, false, KEY_ALL_ACCESS}}) {
        allowed = c.allowed;
        TvrnRegistry registry;
        EXPECT_EQ(registry.OpenKeyReadOnly(key), c.opens) << std::hex << c.allowed;
        EXPECT_EQ(registry.Access(), c.access) << std::hex << c.allowed;
        if (c.opens) {
            EXPECT_EQ(registry.ReadInteger(QStringLiteral("Sample")), 1);
            // Read-only rights do not write.
            EXPECT_THROW(registry.WriteInteger(QStringLiteral("Sample"), 2), ERegistryException);
        }
    }
    allowed = KEY_ALL_ACCESS & ~KEY_QUERY_VALUE;
    EXPECT_EQ(RegReadIntegerDef(HoraluxKey + QStringLiteral("\\Add Ins"), QStringLiteral("Sample"), 9), 9);
}

TEST_F(RegistryTest, ClassesRootIsTheMachineStoreWithTheUserStoreOverIt) {
    const QString clsid = QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{88D969C0-F192-11D4-A65F-0040963251E5}");
    Write(MachineStore(), R"({"horalux settings store": 1, "keys": {
        "Software\\Classes\\CLSID\\{88D969C0-F192-11D4-A65F-0040963251E5}": {"": {"type": "REG_SZ", "data": "machine"}},
        "Software\\Varnelo\\Horalux\\Add Ins": {"Machine Add-In": {"type": "REG_DWORD", "data": 4294967295}}}})");
    EXPECT_EQ(RegReadStringDef(clsid, QString(), QStringLiteral("-")), "machine");
    RegWriteString(clsid, QString(), QStringLiteral("user"));
    EXPECT_EQ(RegReadStringDef(clsid, QString(), QStringLiteral("-")), "user");
    EXPECT_EQ(RegReadStringDef(QStringLiteral("HKCU\\Software\\Classes\\CLSID\\{88D969C0-F192-11D4-A65F-0040963251E5}"),
                               QString(), QStringLiteral("-")),
              "user");
    RegDeleteValue(clsid, QString());
    EXPECT_EQ(RegReadStringDef(clsid, QString(), QStringLiteral("-")), "machine");
    // A double word written unsigned reads as the same 32 bits.
    EXPECT_EQ(RegReadIntegerDef(QStringLiteral("HKLM\\Software\\Varnelo\\Horalux\\Add Ins"),
                                QStringLiteral("Machine Add-In"), 0),
              -1);
}

TEST_F(RegistryTest, ValuesReachTheNextProcessInReadableText) {
    QProcess writer;
    writer.start(QStringLiteral(REGISTRY_STORE_TOOL), {QStringLiteral("write"), QStringLiteral("/data/Zeit ä")});
    ASSERT_TRUE(writer.waitForFinished(60000));
    ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();

    EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("StoragePath"), QString()), "/data/Zeit ä");
    TvrnRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Varnelo\\Horalux\\Add Ins")));
    EXPECT_EQ(registry.GetValueNames(), QStringList({"Sample Add-In"}));
    EXPECT_EQ(registry.GetDataType(QStringLiteral("Sample Add-In")), TRegDataType::rdInteger);
    ASSERT_TRUE(registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Varnelo\\Horalux\\Display")));
    EXPECT_EQ(registry.ReadInteger(QStringLiteral("Size")), -12);
    EXPECT_EQ(registry.GetDataType(QStringLiteral("Font Folder")), TRegDataType::rdExpandString);
    EXPECT_EQ(registry.ReadBinaryData(QStringLiteral("Blob")), QByteArray("\x00\x01\xfe", 3));

    // The store is plain text a person can read and edit.
    const QJsonObject keys = QJsonDocument::fromJson(Read(UserStore())).object().value("keys").toObject();
    const QJsonArray horalux = keys.value("Software\\Varnelo\\Horalux").toArray();
    ASSERT_EQ(horalux.size(), 1);
    EXPECT_EQ(horalux[0].toObject().value("name").toString(), "StoragePath");
    EXPECT_EQ(horalux[0].toObject().value("type").toString(), "REG_SZ");
    EXPECT_EQ(horalux[0].toObject().value("data").toString(), "/data/Zeit ä");
    const QJsonArray display = keys.value("Software\\Varnelo\\Horalux\\Display").toArray();
    ASSERT_EQ(display.size(), 3);
    EXPECT_EQ(display[1].toObject().value("name").toString(), "Blob");
    EXPECT_EQ(display[1].toObject().value("data"), "0001fe");

    // And the other way round: written here, read by the next process.
    RegWriteString(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("/elsewhere"));
    QProcess reader;
    reader.start(QStringLiteral(REGISTRY_STORE_TOOL), {QStringLiteral("read")});
    ASSERT_TRUE(reader.waitForFinished(60000));
    EXPECT_EQ(reader.readAllStandardOutput().trimmed(), "/elsewhere");
}

TEST_F(RegistryTest, ValueNamesKeepTheOrderTheyWereFirstWrittenIn) {
    const QString key = HoraluxKey + QStringLiteral("\\Add Ins");
    for (const char* name : {"Zeta", "alpha", "Mid"})
        RegWriteInteger(key, QString::fromLatin1(name), 1);
    RegWriteInteger(key, QStringLiteral("ALPHA"), 2); // an existing value keeps its place and spelling
    TvrnRegistry registry;
    ASSERT_TRUE(registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Varnelo\\Horalux\\Add Ins")));
    EXPECT_EQ(registry.GetValueNames(), QStringList({"Zeta", "alpha", "Mid"}));
    EXPECT_EQ(registry.ReadInteger(QStringLiteral("alpha")), 2);

    // The form of earlier versions is read, and written back in the ordered form.
    Write(UserStore(), R"({"horalux settings store": 1, "keys": {"Software\\Varnelo\\Horalux\\Add Ins": {)"
                       R"("B": {"type": "REG_DWORD", "data": 1}, "A": {"type": "REG_SZ", "data": "x"}}}})");
    ASSERT_TRUE(registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Varnelo\\Horalux\\Add Ins")));
    const QStringList earlier = registry.GetValueNames();
    EXPECT_EQ(QSet<QString>(earlier.begin(), earlier.end()), QSet<QString>({"A", "B"}));
    RegWriteInteger(key, QStringLiteral("C"), 3);
    ASSERT_TRUE(registry.OpenKeyReadOnly(QStringLiteral("\\Software\\Varnelo\\Horalux\\Add Ins")));
    EXPECT_EQ(registry.GetValueNames(), earlier + QStringList({"C"}));
    EXPECT_EQ(registry.ReadString(QStringLiteral("A")), "x");
    const QJsonObject keys = QJsonDocument::fromJson(Read(UserStore())).object().value("keys").toObject();
    EXPECT_TRUE(keys.value("Software\\Varnelo\\Horalux\\Add Ins").isArray());
}

TEST_F(RegistryTest, ANewStoreAndItsFolderAreReadableByTheUserAlone) {
    const mode_t savedMask = ::umask(022);
    RegWriteString(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("/data"));
    ::umask(savedMask);
    const auto ownerRead = QFile::ReadOwner | QFile::ReadUser;
    const auto ownerWrite = QFile::WriteOwner | QFile::WriteUser;
    const auto ownerExe = QFile::ExeOwner | QFile::ExeUser;
    EXPECT_EQ(QFileInfo(UserStore()).permissions(), ownerRead | ownerWrite);
    EXPECT_EQ(QFileInfo(QFileInfo(UserStore()).absolutePath()).permissions(), ownerRead | ownerWrite | ownerExe);
}

TEST_F(RegistryTest, ADamagedStoreReadsAsEmptyIsLoggedAndKeptBeforeWriting) {
    const QString log = m_home.Path(QStringLiteral("horalux.log"));
    GetLogSettings() = {LogTarget::File, LogLevelNormal, log};
    for (const QByteArray& damaged :
         {QByteArray(
              R"({"horalux settings store": 1, "keys": {"Software": {"v": {"type": "REG_DWORD", "data": "x"}}}})"),
          QByteArray(R"({"horalux settings store": 1, "keys": {"Software\\Varnelo\\Horalux": {"StoragePath": )"),
          QByteArray()}) {
        QDir(m_home.ConfigHome() + QStringLiteral("/horalux")).removeRecursively();
        Write(UserStore(), damaged);
        EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("-")), "-");
        EXPECT_EQ(Read(UserStore()), damaged); // reading never changes it

        RegWriteString(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("/new"));
        EXPECT_EQ(Read(m_home.ConfigHome() + QStringLiteral("/horalux/registry.damaged.json")), damaged);
        EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("-")), "/new");
    }
    const QByteArray lines = Read(log);
    EXPECT_TRUE(lines.contains("is damaged")) << lines.toStdString();
    EXPECT_TRUE(lines.contains("kept as")) << lines.toStdString();

    // A second damaged store is kept beside the first one.
    Write(UserStore(), "garbage");
    RegWriteInteger(HoraluxKey, QStringLiteral("Count"), 1);
    EXPECT_EQ(Read(m_home.ConfigHome() + QStringLiteral("/horalux/registry.damaged-1.json")), "garbage");
    EXPECT_EQ(RegReadStringDef(HoraluxKey, QStringLiteral("StoragePath"), QStringLiteral("-")), "-");
}
