// The add-ins of other libraries: listed in the settings store by the user and the machine,
// resolved through the class entries to a shared library, loaded and checked; failures are logged
// and the program goes on.

#include "addins/AddInManager.h"
#include "addins/InternalAddInManager.h"
#include "addins/RegistryAddInSource.h"
#include "foundation/Log.h"
#include "foundation/Registry.h"
#include "foundation/VRNException.h"
#include "model/PropertyList.h"
#include "support/StubApplication.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

const QString UserList = QStringLiteral("HKEY_CURRENT_USER\\Software\\Varnelo\\Horalux\\Add Ins");
const QString MachineList = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Varnelo\\Horalux\\Add Ins");

/// Registers a class name with its GUID and, unless empty, the library of the GUID.
void RegisterClass(const QString& name, const QString& clsid, const QString& library) {
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\") + name + QStringLiteral("\\CLSID"), QString(), clsid);
    if (!library.isEmpty())
        RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\") + clsid + QStringLiteral("\\InprocServer32"),
                       QString(), library);
}

/// Log lines go to a file of the temporary home while it lives.
class LogToFile {
public:
    explicit LogToFile(const QString& path) : m_saved(GetLogSettings()) {
        GetLogSettings() = LogSettings{LogTarget::File, LogLevelNormal, path};
    }
    ~LogToFile() { GetLogSettings() = m_saved; }

private:
    LogSettings m_saved;
};

/// The log lines without their time stamps.
QStringList LogLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts))
        lines << line.mid(20); // "yyyy-MM-dd HH:mm:ss "
    return lines;
}

/// What the application offers to the add-ins under test: nothing but its identity.
class FakeApplication : public StubApplication {};

class ExternalAddIns : public ::testing::Test {
protected:
    TempHome home;
};

TEST_F(ExternalAddIns, TheUsersNamesComeFirstAndMinusOneSkipsAName) {
    RegWriteString(UserList, QStringLiteral("Maker.Tracker"), QString());
    RegWriteInteger(UserList, QStringLiteral("Maker.Off"), -1);
    RegWriteInteger(UserList, QStringLiteral("Maker.Zero"), 0);
    RegWriteString(UserList, QStringLiteral("Maker.Text"), QStringLiteral("-1"));
    RegWriteString(MachineList, QStringLiteral("Site.Report"), QString());
    RegWriteInteger(MachineList, QStringLiteral("Site.Off"), -1);
    TRegistryAddInSource source;
    EXPECT_EQ(source.ListAddInNames().join(u' '), QStringLiteral("Maker.Tracker Maker.Zero Maker.Text Site.Report"));
}

TEST_F(ExternalAddIns, NoListGivesNoNames) {
    TRegistryAddInSource source;
    EXPECT_TRUE(source.ListAddInNames().isEmpty());
}

TEST_F(ExternalAddIns, LibrariesAreLoadedAndFailuresAreLoggedWhileTheProgramGoesOn) {
    const QString library = QStringLiteral(TEST_ADDIN_LIBRARY);
    struct Row {
        const char* name;
        const char* clsid;
        QString library;
        QString logLine; // empty: loaded
    };
    const QString missing = home.Path(QStringLiteral("no/libgone.so"));
    const QString newer = QStringLiteral(TEST_ADDIN_NEWER_LIBRARY);
    const QString notAnAddIn = QStringLiteral(TEST_NOT_AN_ADDIN_LIBRARY);
    const std::vector<Row> rows = {
        {"Test.Launching", "{7E570000-0000-0000-0000-000000000001}", library, {}},
        {"Test.FailsLoaded", "{7E570000-0000-0000-0000-000000000002}", library,
         "EHXAutomationError - the test add-in refuses to load"},
        {"Test.FailsLaunch", "{7E570000-0000-0000-0000-000000000003}", library,
         "EHXAutomationError - the test add-in refuses to start"},
        {"Test.Missing", "{7E570000-0000-0000-0000-000000000004}", missing,
         "EAddInLoadError - " + missing + ": cannot open shared object file: No such file or directory"},
        {"Test.Newer", "{7E570000-0000-0000-0000-000000000005}", newer,
         "EAddInLoadError - " + newer + " needs the SDK version 1.1; this program offers 1.0"},
        {"Test.NotAnAddIn", "{7E570000-0000-0000-0000-000000000006}", notAnAddIn,
         "EAddInLoadError - " + notAnAddIn +
             " is no Horalux add-in library (it lacks HoraluxModuleInfo or "
             "HoraluxCreateObject)"},
        {"Test.Unknown", "{7E570000-0000-0000-0000-000000000007}", library,
         "EHXAutomationError - the test library has no such class"},
        {"Test.Unregistered", nullptr, {}, "EVRNException - Class not registered"},
        {"Test.LocalServer",
         "{7E570000-0000-0000-0000-000000000008}",
         {},
         "EVRNException - Local server add-ins are not supported"},
        {"Test.BadGuid", "{not a guid}", {}, "EVRNConvertError - invalid guid format: \"{not a guid}\""},
    };
    for (const Row& row : rows) {
        const QString name = QString::fromLatin1(row.name);
        RegWriteString(UserList, name, QString());
        if (row.clsid)
            RegisterClass(name, QString::fromLatin1(row.clsid), row.library);
    }
    RegWriteString(QStringLiteral("HKEY_CLASSES_ROOT\\CLSID\\{7E570000-0000-0000-0000-000000000008}\\LocalServer32"),
                   QString(), QStringLiteral("/usr/bin/true"));
    RegWriteInteger(MachineList, QStringLiteral("Test.Launching"), -1); // the user's listing counts
    RegWriteInteger(MachineList, QStringLiteral("Test.Skipped"), -1);
    RegisterClass(QStringLiteral("Test.Skipped"), QStringLiteral("{7E570000-0000-0000-0000-000000000001}"), library);

    const QString logFile = home.Path(QStringLiteral("horalux.log"));
    LogToFile log(logFile);
    TInternalAddInManager noBuiltIns;
    TAddInManager manager(noBuiltIns, std::make_shared<TRegistryAddInSource>());
    manager.LoadAddIns(std::make_shared<TPropertyList>());
    auto application = std::make_shared<FakeApplication>();
    manager.LaunchAddIns(application);

    QStringList expectedLog;
    for (const Row& row : rows)
        if (!row.logLine.isEmpty())
            expectedLog
                << QStringLiteral("Cannot load Add-In \"%1\": %2").arg(QString::fromLatin1(row.name), row.logLine);
    // Those that fail in Loaded or at launch are logged then, after all the others.
    expectedLog.move(0, expectedLog.size() - 1);
    expectedLog.move(0, expectedLog.size() - 1);
    EXPECT_EQ(LogLines(logFile).join(u'\n'), expectedLog.join(u'\n'));

    ASSERT_EQ(manager.ActiveAddIns().size(), 1u);
    AddInPtr launched = manager.ActiveAddIns()[0];
    EXPECT_EQ(launched->GetID(), QStringLiteral("{7E57AD00-0000-0000-0000-000000000001}"));
    EXPECT_EQ(launched->GetName(), QStringLiteral("Test add-in"));
    // The add-in asked for something this application does not have and received the description.
    EXPECT_EQ(launched->GetAboutText(), QStringLiteral("Storage: Global.Storage: the program has no storage"));
    // Those that failed in Loaded or at launch stay known: the Add-Ins page can switch them off.
    EXPECT_EQ(manager.GetAddInCount(), 3);
    EXPECT_EQ(manager.GetAddIn(1)->GetID(), QStringLiteral("{7E57AD00-0000-0000-0000-000000000002}"));

    // The add-in keeps the application while it holds its companion; Clear ends that.
    EXPECT_GT(application.use_count(), 1);
    launched.reset();
    manager.Clear();
    EXPECT_EQ(application.use_count(), 1);
}

/// An add-in of another library that requires others and fails where it is told to.
class ChainedAddIn : public IHXAddIn {
public:
    ChainedAddIn(QString id, QStringList needs, QString failIn)
        : m_id(std::move(id)), m_needs(std::move(needs)), m_failIn(std::move(failIn)) {}
    QString GetID() override { return m_id; }
    QString GetName() override { return m_id; }
    bool AllowDeactivate() override { return true; }
    int RequiresAddInsCount() override { return static_cast<int>(m_needs.size()); }
    QString GetRequiredAddInsID(int index) override { return m_needs.at(index); }
    void Loaded() override { FailIf(QStringLiteral("Loaded")); }
    void LaunchAddIn(const std::shared_ptr<IApplication_>&) override { FailIf(QStringLiteral("Launch")); }
    QString GetAboutText() override { return QString(); }

private:
    void FailIf(const QString& step) {
        if (step == m_failIn)
            throw EVRNException(m_id + QStringLiteral(" fails in ") + step);
    }
    QString m_id;
    QStringList m_needs;
    QString m_failIn;
};

/// Creates the add-in listed under a name from a table: name -> requirements and failing step.
class ChainSource : public IExternalAddInSource {
public:
    struct Row {
        QString name;
        QStringList needs;
        QString failIn;
    };
    explicit ChainSource(std::vector<Row> rows) : m_rows(std::move(rows)) {}
    QStringList ListAddInNames() override {
        QStringList names;
        for (const Row& row : m_rows)
            names << row.name;
        return names;
    }
    AddInPtr CreateAddIn(const QString& name) override {
        for (const Row& row : m_rows)
            if (row.name == name)
                return std::make_shared<ChainedAddIn>(row.name, row.needs, row.failIn);
        return nullptr;
    }

private:
    std::vector<Row> m_rows;
};

TEST_F(ExternalAddIns, ThoseRequiringAnAddInThatFailsLateLeaveWithIt) {
    for (const QString& step : {QStringLiteral("Loaded"), QStringLiteral("Launch")}) {
        SCOPED_TRACE(step.toStdString());
        // Listed with the dependents first: the order by requirements puts First before them.
        auto source = std::make_shared<ChainSource>(std::vector<ChainSource::Row>{
            {QStringLiteral("Third"), {QStringLiteral("second")}, {}},
            {QStringLiteral("Apart"), {}, {}},
            {QStringLiteral("Second"), {QStringLiteral("First")}, {}},
            {QStringLiteral("First"), {}, step},
        });
        const QString logFile = home.Path(QStringLiteral("chain-%1.log").arg(step));
        LogToFile log(logFile);
        TInternalAddInManager noBuiltIns;
        TAddInManager manager(noBuiltIns, source);
        manager.LoadAddIns(std::make_shared<TPropertyList>());
        manager.LaunchAddIns(std::make_shared<FakeApplication>());

        QStringList active;
        for (const AddInPtr& addIn : manager.ActiveAddIns())
            active << addIn->GetID();
        EXPECT_EQ(active.join(u' '), QStringLiteral("Apart"));
        EXPECT_EQ(manager.FindAddIn(QStringLiteral("Third")), nullptr);
        // All stay known: the Add-Ins page can show them and switch them off.
        EXPECT_EQ(manager.GetAddInCount(), 4);
        EXPECT_EQ(LogLines(logFile).join(u'\n'),
                  QStringLiteral("Cannot load Add-In \"First\": EVRNException - First fails in %1\n"
                                 "Add-In Second left out: the required add-in First failed\n"
                                 "Add-In Third left out: the required add-in Second failed")
                      .arg(step));
    }
}

} // namespace
