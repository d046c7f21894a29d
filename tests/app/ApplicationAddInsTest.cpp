// The controller's add-ins: the built-in ones it loads and launches and what they register, the
// tray menu built from the add-ins' actions, and the end that releases them.

#include "activities_ui/ActivityEditForm.h"
#include "activities_ui/ActivityEditorAddIn.h"
#include "activities_ui/ActivityTreeView.h"
#include "app/Application.h"
#include "calendar_ui/BaseCalendarAddIn.h"
#include "export_ui/BaseExportAddIn.h"
#include "export_ui/ExportWindow.h"
#include "formatting_ui/FormattingOptionsAddIn.h"
#include "model/ActivityInterfaces.h"
#include "reports_ui/ReportAddIns.h"
#include "worksheet_ui/WorksheetAddIn.h"

#include "ControllerTestSupport.h"
#include "addins/ActivityEntryProviderAddIn.h"
#include "addins/AddIn.h"
#include "addins/AddInManager.h"
#include "addins/InternalAddInManager.h"
#include "addins/NoTrackingTrackerAddIn.h"
#include "addins/StorageFileProviderAddIn.h"
#include "app/MainWindow.h"
#include "app/MenuController.h"
#include "calendar_ui/BaseCalendarAddIn.h"
#include "calendar_ui/HolidayImportAddIn.h"
#include "foundation/DateTime.h"
#include "foundation/LiveObjectRegistry.h"
#include "foundation/VRNException.h"
#include "model/Entry.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyInterfaces.h"
#include "options_ui/AddInOptions.h"
#include "options_ui/LanguageOptions.h"
#include "options_ui/ProgramOptions.h"
#include "storage/StorageInterfaces.h"
#include "support/TestEnvironment.h"
#include "tracking/TrackerInterfaces.h"
#include "tracking_ui/GeneralTrackingOptions.h"
#include "ui/Action.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace {

const QString NoTrackingAddInID = QStringLiteral("{0C946E4B-544F-46CF-A6F0-95EB58E00190}");
const QString ActivityEntryProviderAddInID = QStringLiteral("{73CD96E0-4AD3-4A20-B226-CED614C9CEBF}");
const QString StorageFileProviderAddInID = QStringLiteral("{17CBF84A-8985-46AC-ABC7-2ECC3AAFCD42}");

/// Stands in for the add-in of a window that is not part of the program yet: at its launch it
/// adds one action, captioned with its name, to the tray menu or to the "Reports" submenu, as
/// those add-ins do.
class TMenuStandInAddIn : public TInternalAddIn {
public:
    TMenuStandInAddIn(QString id, QString caption, bool report, int* executed)
        : m_id(std::move(id)), m_caption(std::move(caption)), m_report(report), m_executed(executed) {}
    QString GetID() override { return m_id; }
    QString GetName() override { return m_caption; }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override {
        TInternalAddIn::LaunchAddIn(application);
        const ActionPtr action = Application().CreateAction();
        action->SetCaption(m_caption);
        int* executed = m_executed;
        action->AddExecute(std::make_shared<TInternalExecute>([executed](const QString&) { ++*executed; }));
        const auto menu = Application().GetMenuController();
        if (m_report)
            menu->AddToReportMenu(action->GetID());
        else
            menu->AddToMenu(action->GetID());
    }

private:
    QString m_id;
    QString m_caption;
    bool m_report;
    int* m_executed;
};

/// An add-in that fails when it is told that loading is complete or when it is launched.
class TFailingAddIn : public TInternalAddIn {
public:
    explicit TFailingAddIn(bool inLoaded) : m_inLoaded(inLoaded) {}
    QString GetID() override { return QStringLiteral("{6D1F3B0A-2C4E-4F5A-9B7C-8D9E0F1A2B3C}"); }
    QString GetName() override { return QStringLiteral("Failing"); }
    void Loaded() override {
        if (m_inLoaded)
            throw EVRNException(QStringLiteral("cannot finish loading"));
    }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override {
        TInternalAddIn::LaunchAddIn(application);
        throw EVRNException(QStringLiteral("cannot start"));
    }

private:
    bool m_inLoaded;
};

QByteArray ReadFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

class ApplicationAddInsTest : public ControllerTest {
protected:
    void Start() { StartController(TestOptions()); }

    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
};

TEST_F(ApplicationAddInsTest, BuiltInAddInsAreLoadedAndRegisterTheTrackerAndTheProviders) {
    Start();
    // The built-in add-ins in load order, with their names; the deactivatable ones are marked.
    const std::vector<std::tuple<QString, QString, bool>> expected{
        {QString::fromLatin1(TAddInOptionsPage::ID), "Add-In Options Page", false},
        {NoTrackingAddInID, "No tracking", false},
        {QString::fromLatin1(TWorksheetAddIn::ID), "Worksheet", true},
        {RegularTrackerID, "Regular Horalux", false},
        {QString::fromLatin1(TBaseActivityReport::ID), "Activity Report", true},
        {QString::fromLatin1(TBaseExportAddIn::ID), "Export", true},
        {QString::fromLatin1(THolidayImportAddIn::ID), "Holiday Import", true},
        {QString::fromLatin1(TAddInFormattingOptions::ID), "Date Formatting Options", false},
        {QString::fromLatin1(TAddInLanguageOptions::ID), "Language Options", true},
        {QString::fromLatin1(TProgramOptions::ID), "General Options", false},
        {QString::fromLatin1(TSimpleRichTextDayReportAddIn::ID), "Day Report", true},
        {QString::fromLatin1(TActivityEditorAddIn::ID), "Activity Editor", true},
        {ActivityEntryProviderAddInID, "Activity Entry Provider", false},
        {QString::fromLatin1(TBaseCalendarAddIn::ID), "Calendar", true},
        {StorageFileProviderAddInID, "Storage File Provider", false},
        {QString::fromLatin1(TGeneralTrackingOptions::ID), "Tracking Options", false},
    };
    ASSERT_EQ(m_app->GetAddInCount(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& [id, name, deactivatable] = expected[i];
        const AddInPtr addIn = m_app->GetAddIn(static_cast<int>(i));
        EXPECT_EQ(addIn->GetID(), id);
        EXPECT_EQ(addIn->GetName(), name);
        EXPECT_EQ(addIn->AllowDeactivate(), deactivatable) << name.toStdString();
        EXPECT_EQ(m_app->FindAddIn(id.toLower()), addIn) << "active, found without regard to case";
    }
    EXPECT_EQ(m_app->FindAddIn(QStringLiteral("{00000000-0000-0000-0000-000000000000}")), nullptr);
    EXPECT_EQ(m_app->GetAddInManager()->ActiveAddIns().size(), expected.size());

    ASSERT_EQ(m_tracking->trackers.size(), 2u);
    EXPECT_EQ(m_tracking->trackers[0]->GetID(), NoTrackingTrackerID);
    EXPECT_EQ(m_tracking->trackers[0]->GetTrackingType(), TTrackingType::None);
    EXPECT_EQ(m_tracking->trackers[1]->GetID(), RegularTrackerID);
    EXPECT_EQ(m_tracking->trackers[1]->GetTrackingType(), TTrackingType::Interval);
    EXPECT_FALSE(m_tracking->trackers[1]->NeedsFallbackTracker());
    for (const TGUID& provider : {StorageTypeRoot, StorageTypeEntryManager, StorageTypeFileData})
        EXPECT_NE(m_app->GetStorageProvider(provider), nullptr);
    EXPECT_NE(m_app->GetEntryProvider(ActivityEntryTypeId), nullptr);
}

TEST_F(ApplicationAddInsTest, BuiltInAddInsSwitchedOffInTheOptionsStayAndEntriesStillLoadAndSave) {
    Start();
    for (const QString& id : {NoTrackingAddInID, ActivityEntryProviderAddInID, StorageFileProviderAddInID})
        m_app->GetOptions(QStringLiteral("addins"))->Items(id)->SetAsBoolean(false);
    m_app->SaveAll();
    StopController();

    Start();
    const auto section = m_app->GetOptions(QStringLiteral("addins"));
    EXPECT_FALSE(FindBooleanDef(section, StorageFileProviderAddInID, true)) << "the switch was read back";
    EXPECT_NE(m_app->FindAddIn(StorageFileProviderAddInID), nullptr);
    EXPECT_NE(m_app->FindAddIn(ActivityEntryProviderAddInID), nullptr);
    EXPECT_NE(m_app->FindAddIn(NoTrackingAddInID), nullptr);
    const double today = EncodeDate(2006, 3, 14);
    m_app->GetTypedStorage()->GetDayEntries(today)->AddNew()->SetTime(9.0 / 24, 10.0 / 24);
    m_app->SaveAll();
    StopController();

    Start();
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(today)->Count(), 1);
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(ApplicationAddInsTest, TrayMenuHoldsTheAddInsActionsBetweenTheSeparatorsInTheirOrder) {
    // The built-in add-ins in their table order, those of windows not yet part of the program
    // stood in for.
    int executed = 0;
    TInternalAddInManager table;
    const auto standIn = [&](const char* id, const char* caption, bool report) {
        table.RegisterInternalAddIn(
            TInternalAddInClass{QString::fromLatin1(caption), [id, caption, report, &executed] {
                                    return AddInPtr(std::make_shared<TMenuStandInAddIn>(
                                        QString::fromLatin1(id), QString::fromLatin1(caption), report, &executed));
                                }});
    };
    table.RegisterInternalAddIn<TNoTrackingTrackerAddIn>(QStringLiteral("TNoTrackingTrackerAddIn"));
    standIn("{9C8327A2-CCDA-42AC-91BC-748E7B86FC0A}", "Worksheet", false);
    standIn("{C55532D4-71D0-4630-AE5E-D59DED4B8841}", "Activity Report", true);
    table.RegisterInternalAddIn<TBaseExportAddIn>(QStringLiteral("TBaseExportAddIn"));
    standIn("{15A17DD5-E1F6-4F2A-BBA9-E73B1874381E}", "Day Report", true);
    table.RegisterInternalAddIn<TActivityEditorAddIn>(QStringLiteral("TActivityEditorAddIn"));
    table.RegisterInternalAddIn<TActivityEntryProviderAddIn>(QStringLiteral("TActivityEntryProviderAddIn"));
    table.RegisterInternalAddIn<TStorageFileProviderAddIn>(QStringLiteral("TStorageFileProviderAddIn"));
    THXApplication::Options options = TestOptions();
    options.internalAddIns = &table;
    StartController(options);

    const QMenu* menu = m_app->MainWindow()->GetTrayPopupMenu();
    EXPECT_EQ(Captions(menu), (QStringList{"Show Tracking", "-", "Worksheet", "Reports", "Export", "Edit Activities",
                                           "-", "About", "Options", "Exit"}));
    const auto* menuController = dynamic_cast<TMenuController*>(m_app->GetMenuController().get());
    ASSERT_NE(menuController, nullptr);
    ASSERT_NE(menuController->ReportMenu(), nullptr);
    EXPECT_EQ(Captions(menuController->ReportMenu()), (QStringList{"Activity Report", "Day Report"}));

    menuController->ReportMenu()->actions().at(1)->trigger();
    EXPECT_EQ(executed, 1) << "an add-in's item runs the add-in's routine";

    // The "Export" item opens the export window, a current window while it is shown.
    bool exportWindowWasCurrent = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TfrmBaseExport*>(QApplication::activeModalWidget());
        exportWindowWasCurrent = window && m_app->GetCurrentWindow() == window;
        if (window)
            window->reject();
    });
    for (QAction* item : menu->actions())
        if (item->text() == QStringLiteral("Export"))
            item->trigger();
    EXPECT_TRUE(exportWindowWasCurrent);
    EXPECT_EQ(m_app->GetCurrentWindow(), nullptr);
}

/// Runs the tray menu's "Edit Activities" item; edit works in the open editor.
void EditActivities(THXApplication& app, const std::function<void(TfrmBaseActivityEdit&)>& edit) {
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TfrmBaseActivityEdit*>(QApplication::activeModalWidget());
        opened = window && app.GetCurrentWindow() == window;
        if (window)
            edit(*window);
    });
    for (QAction* item : app.MainWindow()->GetTrayPopupMenu()->actions())
        if (item->text() == QStringLiteral("Edit Activities"))
            item->trigger();
    EXPECT_TRUE(opened) << "the editor is a current window while it is shown";
    EXPECT_EQ(app.GetCurrentWindow(), nullptr);
}

/// Adds a top-level activity in the editor and names it through the in-place rename.
void AddTopLevelActivity(TfrmBaseActivityEdit& window, const QString& name) {
    TActivityTreeView* view = window.TreeView();
    view->TreeWidget()->setCurrentItem(view->RootNode());
    view->Execute(TActivityTreeView::NewActivity);
    auto* editor = qobject_cast<QLineEdit*>(view->RenameEditor());
    ASSERT_NE(editor, nullptr) << "a new activity starts its rename";
    editor->setText(name);
}

TEST_F(ApplicationAddInsTest, EditActivitiesCancelLeavesTheFileAloneAndOKSavesWhatANewStartShows) {
    Start();
    const QString path = Folder() + QStringLiteral("activities.hx");
    const QByteArray before = ReadFileBytes(path);
    ASSERT_FALSE(before.isEmpty());
    const auto topLevelNames = [](const ActivityTreePtr& tree) {
        QStringList names;
        for (int i = 0; i < tree->Childs()->Count(); ++i)
            names << tree->Childs()->Items(i)->Name();
        return names;
    };
    const QStringList original = topLevelNames(m_app->GetActivityTree());

    EditActivities(*m_app, [](TfrmBaseActivityEdit& window) {
        AddTopLevelActivity(window, QStringLiteral("Reading"));
        window.reject(); // ends the rename only
        EXPECT_TRUE(window.isVisible());
        window.reject();
    });
    EXPECT_EQ(topLevelNames(m_app->GetActivityTree()), original);
    EXPECT_EQ(ReadFileBytes(path), before) << "Cancel leaves the activities file as it was";

    EditActivities(*m_app, [](TfrmBaseActivityEdit& window) {
        AddTopLevelActivity(window, QStringLiteral("Reading"));
        window.accept(); // takes the new name and stays
        EXPECT_TRUE(window.isVisible());
        window.accept();
    });
    EXPECT_EQ(topLevelNames(m_app->GetActivityTree()), QStringList(original) << QStringLiteral("Reading"));
    EXPECT_NE(ReadFileBytes(path), before);
    StopController();

    Start();
    EXPECT_EQ(topLevelNames(m_app->GetActivityTree()), QStringList(original) << QStringLiteral("Reading"));
}

TEST_F(ApplicationAddInsTest, TheEndReleasesEveryAddInAndTheController) {
    // As in the program: every checked object is listed from its creation on, and the list is
    // looked at once everything was released.
    ReportLiveObjects();
    SetLiveObjectTracking(true);
    Start();
    std::vector<std::weak_ptr<IHXAddIn>> addIns;
    for (int i = 0; i < m_app->GetAddInCount(); ++i)
        addIns.push_back(m_app->GetAddIn(i));
    const std::weak_ptr<THXApplication> controller = m_app;
    StopController();
    for (const auto& addIn : addIns)
        EXPECT_TRUE(addIn.expired());
    EXPECT_TRUE(controller.expired()) << "no add-in keeps the controller after its Cleanup";
    EXPECT_EQ(LiveObjectCount(), 0) << "nothing is left over";
    SetLiveObjectTracking(false);
    ReportLiveObjects();
}

// An add-in that fails while it is told that loading is complete or while it is launched ends the
// start-up; the add-ins launched before it let the controller go all the same.
TEST_F(ApplicationAddInsTest, AnAddInFailingAtLoadedOrLaunchEndsTheStartUpAndReleasesEverything) {
    for (const bool inLoaded : {true, false}) {
        SCOPED_TRACE(inLoaded ? "Loaded" : "LaunchAddIn");
        TInternalAddInManager table;
        table.RegisterInternalAddIn<TNoTrackingTrackerAddIn>(QStringLiteral("TNoTrackingTrackerAddIn"));
        table.RegisterInternalAddIn(TInternalAddInClass{QStringLiteral("TFailingAddIn"), [inLoaded] {
                                                            return AddInPtr(std::make_shared<TFailingAddIn>(inLoaded));
                                                        }});
        THXApplication::Options options = TestOptions();
        options.internalAddIns = &table;
        PrepareApplicationModule();
        auto application = std::make_shared<THXApplication>(options);
        EXPECT_THROW(application->Initialize(), EVRNException);
        EXPECT_EQ(application->GetAddInCount(), 0) << "the add-ins went with the failed start";
        const std::weak_ptr<THXApplication> controller = application;
        application.reset();
        StopController();
        EXPECT_TRUE(controller.expired());
    }
}

} // namespace
