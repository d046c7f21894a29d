// The "Options" command of the controller with the program's own pages: their tabs, the question
// after a change, the options file after OK, and the add-ins switched off on the "Add-Ins" page.

#include "activities_ui/ActivityEditorAddIn.h"
#include "app/Application.h"

#include "ControllerTestSupport.h"
#include "app/MainWindow.h"
#include "calendar/Calendar.h"
#include "calendar/HolidayFile.h"
#include "calendar/HolidayWorktimeText.h"
#include "calendar_ui/BaseHolidays.h"
#include "export_ui/BaseExportAddIn.h"
#include "formatting/DateFormatterList.h"
#include "formatting/FormattingOptions.h"
#include "formatting_ui/DateFormatterDlg.h"
#include "formatting_ui/DateFormattingOptionsPage.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/platform/Autostart.h"
#include "model/PropertyHelpers.h"
#include "options_ui/AddInOptions.h"
#include "options_ui/OptionsDialog.h"
#include "options_ui/ProgramOptions.h"
#include "support/TestEnvironment.h"
#include "support/XMZTestFiles.h"
#include "ui/Action.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QXmlStreamReader>
#include <functional>
#include <gtest/gtest.h>

namespace {

QStringList Captions(const QMenu* menu) {
    QStringList captions;
    for (QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

/// The text of the options file from the start tag of the section's element to its end tag, as the
/// file holds it.
QString SectionText(const QString& path, const QString& section) {
    const QString xml = xmztest::DecodeFile(xmztest::ReadBytes(path));
    QXmlStreamReader reader(xml);
    qint64 before = 0;
    while (!reader.atEnd()) {
        const qint64 offset = reader.characterOffset();
        reader.readNext();
        if (reader.isStartElement() && reader.attributes().value(QStringLiteral("name")) == section) {
            before = offset;
            reader.skipCurrentElement();
            return xml.mid(before, reader.characterOffset() - before);
        }
    }
    return QString();
}

class ApplicationOptionsTest : public ControllerTest {
protected:
    void SetUp() override {
        ControllerTest::SetUp();
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void Start() { StartController(TestOptions()); }
    QString OptionsFile() const { return Folder() + QStringLiteral("options.hx"); }

    /// Runs the Options command; drive gets the dialog once it is shown modally.
    void RunOptions(const std::function<void(TfrmOptions&)>& drive) {
        bool driven = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            driven = true;
            drive(*dialog);
            if (dialog->isVisible())
                dialog->reject(); // whatever happened, the command must come back
        });
        m_app->GetAction(ActionIdOptions)->Execute();
        EXPECT_TRUE(driven) << "the options dialog was shown";
    }
    /// The tab of a caption (the pages of other add-ins stand before some of ours).
    static int TabOf(TfrmOptions& dialog, const QString& caption) {
        for (int i = 0; i < dialog.TabCount(); ++i)
            if (dialog.TabCaption(i) == caption)
                return i;
        return -1;
    }
    static QWidget* PageWindow(TfrmOptions& dialog, int tab) {
        return dynamic_cast<TOptionsPage&>(*dialog.TabPage(tab)).Window();
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
};

TEST_F(ApplicationOptionsTest, TheProgramsPagesStandInTheirOrderAndCancelWithoutChangesAsksNothing) {
    Start();
    QStringList tabs;
    RunOptions([&](TfrmOptions& dialog) {
        for (int i = 0; i < dialog.TabCount(); ++i)
            tabs << dialog.TabCaption(i);
        dialog.reject();
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(tabs, (QStringList{"General", "Tracking", "Work", "Holidays", "Date Formatting", "Language Options",
                                 "Add-Ins"}));
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(ApplicationOptionsTest, TheTrackingPageIsOfferedOnlyWhileTheTrackingManagerHasATracker) {
    Start();
    ASSERT_FALSE(m_tracking->trackers.empty());
    m_tracking->trackers.clear();
    QStringList tabs;
    RunOptions([&](TfrmOptions& dialog) {
        for (int i = 0; i < dialog.TabCount(); ++i)
            tabs << dialog.TabCaption(i);
    });
    EXPECT_FALSE(tabs.contains(QStringLiteral("Tracking")));
    EXPECT_TRUE(tabs.contains(QStringLiteral("Work")));
}

TEST_F(ApplicationOptionsTest, AfterAChangeCancelAsksAndNoKeepsTheOptions) {
    Start();
    RunOptions([&](TfrmOptions& dialog) {
        auto* general = static_cast<TfrmProgramOptions*>(PageWindow(dialog, 0));
        general->AutostartBox()->click();
        TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
        dialog.reject();
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text,
              QStringLiteral("Some options have been changed. Do you want to save these changes?"));
    EXPECT_TRUE(FindBooleanDef(m_app->GetOptions(QStringLiteral("general")), QStringLiteral("autostart"), true));
    EXPECT_TRUE(QFileInfo::exists(AutostartEntryPath()));
}

TEST_F(ApplicationOptionsTest, OKKeepsTheSectionOfAPageNeverShownByteForByteInTheOptionsFile) {
    Start();
    // A section of a page that the user does not open, with values of many kinds.
    const auto work = m_app->GetOptions(QStringLiteral("work time"));
    work->Items(QStringLiteral("hours"))->SetAsDouble(7.25);
    work->Items(QStringLiteral("note"))->SetAsString(QStringLiteral("<Mo & Fr> \"early\" Straße"));
    work->Items(QStringLiteral("since"))->SetAsDate(38790);
    work->Items(QStringLiteral("flexible"))->SetAsBoolean(true);
    work->Items(QStringLiteral("days"))->AsValueList()->AddItem()->SetAsInteger(5);
    work->Items(QStringLiteral("breaks"))->AsPropertyList()->Items(QStringLiteral("lunch"))->SetAsDuration(0.5 / 24);
    m_app->SaveAll();
    const QString before = SectionText(OptionsFile(), QStringLiteral("work time"));
    ASSERT_FALSE(before.isEmpty());
    ASSERT_TRUE(before.contains(QStringLiteral("lunch")));

    RunOptions([&](TfrmOptions& dialog) {
        static_cast<TfrmProgramOptions*>(PageWindow(dialog, 0))->AutostartBox()->click();
        EXPECT_TRUE(dialog.OK());
    });
    EXPECT_EQ(SectionText(OptionsFile(), QStringLiteral("work time")), before);
    EXPECT_FALSE(FindBooleanDef(m_app->GetOptions(QStringLiteral("general")), QStringLiteral("autostart"), true));
    EXPECT_FALSE(QFileInfo::exists(AutostartEntryPath())) << "the options were applied after the dialog";
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(ApplicationOptionsTest, AnAddInSwitchedOffOnTheAddInsPageIsGoneAfterTheNextStart) {
    // The activity editor and the export: add-ins that may be switched off and bring a menu entry.
    Start();
    EXPECT_TRUE(Captions(m_app->MainWindow()->GetTrayPopupMenu()).contains(QStringLiteral("Edit Activities")));
    RunOptions([&](TfrmOptions& dialog) {
        const int tab = TabOf(dialog, QStringLiteral("Add-Ins"));
        ASSERT_TRUE(dialog.SelectTab(tab));
        auto* page = static_cast<TfrmAddInOptions*>(PageWindow(dialog, tab));
        const QList<QListWidgetItem*> items =
            page->List()->findItems(QStringLiteral("Activity Editor"), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        items[0]->setCheckState(Qt::Unchecked);
        EXPECT_TRUE(dialog.OK());
    });
    EXPECT_TRUE(Captions(m_app->MainWindow()->GetTrayPopupMenu()).contains(QStringLiteral("Edit Activities")))
        << "until the next start";
    StopController();

    Start();
    EXPECT_FALSE(Captions(m_app->MainWindow()->GetTrayPopupMenu()).contains(QStringLiteral("Edit Activities")));
    EXPECT_EQ(m_app->FindAddIn(QString::fromLatin1(TActivityEditorAddIn::ID)), nullptr);
    // The page still offers it, switched off, so that it can come back.
    RunOptions([&](TfrmOptions& dialog) {
        const int tab = TabOf(dialog, QStringLiteral("Add-Ins"));
        ASSERT_TRUE(dialog.SelectTab(tab));
        auto* page = static_cast<TfrmAddInOptions*>(PageWindow(dialog, tab));
        const QList<QListWidgetItem*> items =
            page->List()->findItems(QStringLiteral("Activity Editor"), Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        EXPECT_EQ(items[0]->checkState(), Qt::Unchecked);
    });
}

TEST_F(ApplicationOptionsTest, AHolidayFileImportedOnTheHolidaysPageReachesTheCalendarOnOK) {
    Start();
    THolidayList holidays;
    for (const auto& [date, name, rule] : {std::tuple{EncodeDate(2006, 4, 14), "Good Friday", "00:00"},
                                           std::tuple{EncodeDate(2006, 12, 24), "Christmas Eve", "50%"}}) {
        const auto holiday = holidays.AddNew(date);
        holiday->SetName(QString::fromLatin1(name));
        TextToHolidayWorktime(QString::fromLatin1(rule), *holiday->DefaultWorktime());
    }
    const QString file = Folder() + QStringLiteral("shared.hxh");
    WriteHolidayFile([this] { return m_app->GetTools()->CreateNewXMZFile(); }, file, holidays);
    TFileDialogSeam::ClearAnswers();
    RunOptions([&](TfrmOptions& dialog) {
        const int tab = TabOf(dialog, QStringLiteral("Holidays"));
        EXPECT_EQ(dialog.TabPage(tab)->GetMinimumSize(), QSize(476, 400));
        ASSERT_TRUE(dialog.SelectTab(tab));
        auto* page = static_cast<TfrmBaseHolidays*>(PageWindow(dialog, tab));
        EXPECT_EQ(page->ImportExportButton()->text(), QStringLiteral("Import")) << "the import add-in was started";
        TFileDialogSeam::SetNextFileName(file);
        page->ImportExportButton()->click();
        EXPECT_EQ(page->List()->topLevelItemCount(), 2);
        EXPECT_EQ(m_app->GetCalendar()->Holidays()->Count(), 0) << "not before the dialog applies";
        EXPECT_TRUE(dialog.OK());
    });
    const auto calendar = m_app->GetCalendar();
    ASSERT_EQ(calendar->Holidays()->Count(), 2);
    EXPECT_EQ(calendar->Holidays()->Items(1)->Name(), QStringLiteral("Christmas Eve"));
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(ApplicationOptionsTest, ADateFormatMadeInTheDialogIsTheProgramsAfterApplyAndAfterTheNextStart) {
    ScopedUserLocale locale(QStringLiteral("de_DE"));
    Start();
    bool currentWhileShown = false;
    RunOptions([&](TfrmOptions& dialog) {
        int tab = -1;
        for (int i = 0; i < dialog.TabCount(); ++i)
            if (dialog.TabCaption(i) == QStringLiteral("Date Formatting"))
                tab = i;
        ASSERT_TRUE(dialog.SelectTab(tab));
        auto* page = static_cast<TfrmDateFormattingOptions*>(PageWindow(dialog, tab));
        EXPECT_EQ(page->windowTitle(), QStringLiteral("Date Formatting Options"));
        QTimer::singleShot(0, [&] {
            auto* format = qobject_cast<TfrmDateFormatterDlg*>(QApplication::activeModalWidget());
            if (!format)
                return;
            currentWhileShown = m_app->GetCurrentWindow() == format;
            format->NameEdit()->setText(QStringLiteral("Wochentag"));
            format->FormatEdit()->setText(QStringLiteral("dddd', 'd'. 'MMMM"));
            format->Panel()->OKButton()->click();
        });
        page->NewButton()->click();
        ASSERT_EQ(page->List()->topLevelItemCount(), 11);
        EXPECT_EQ(page->List()->topLevelItem(10)->text(0), QStringLiteral("Wochentag"));
        EXPECT_EQ(page->List()->topLevelItem(10)->text(2), QStringLiteral("Dienstag, 14. März"));
        EXPECT_TRUE(dialog.OK());
    });
    EXPECT_TRUE(currentWhileShown) << "the date format dialog is a current window while it is shown";
    EXPECT_TRUE(TMessageBoxSeam::History().empty());

    // The list the program's date format choosers and reports read.
    const auto expectTheUsersFormat = [this] {
        const DateFormatterListPtr selection = m_app->GetFormattingOptions()->DateFormattingOptions()->Selection();
        ASSERT_EQ(selection->Count(), 11);
        EXPECT_EQ(selection->Items(10)->Name(), QStringLiteral("Wochentag"));
        EXPECT_EQ(selection->Items(10)->Format(EncodeDate(2024, 3, 5)), QStringLiteral("Dienstag, 5. März"));
        EXPECT_EQ(selection->Items(10)->Locale(), 0x0407u);
    };
    expectTheUsersFormat();
    StopController();
    Start();
    expectTheUsersFormat();
}

} // namespace
