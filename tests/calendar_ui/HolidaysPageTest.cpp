// The holidays page, the holiday dialog and the required-time edit: what the list shows and in
// which order, what the buttons do to the page's list, what the dialog refuses, and the import.

#include "calendar_ui/BaseHolidays.h"
#include "calendar_ui/HolidayDlg.h"
#include "calendar_ui/VRNHolidayWorktimeEdit.h"

#include "calendar/HolidayFile.h"
#include "calendar/HolidayWorktimeText.h"
#include "calendar/NestedPropertyList.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "model/PropertyList.h"
#include "support/OptionsControlStandIn.h"
#include "support/TestEnvironment.h"
#include "support/XMZTestFiles.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

double Date(int year, int month, int day) {
    return EncodeDate(year, month, day);
}

std::shared_ptr<IHXHoliday_> AddHoliday(THolidayList& list, double date, const char* name, const char* rule) {
    auto holiday = list.AddNew(date);
    holiday->SetName(QString::fromUtf8(name));
    TextToHolidayWorktime(QString::fromLatin1(rule), *holiday->DefaultWorktime());
    return holiday;
}

/// Runs act on the holiday dialog as soon as it is open.
void WhenDialogOpens(const std::function<void(TfrmHolidayDlg&)>& act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<TfrmHolidayDlg*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "the holiday dialog did not open";
            return;
        }
        act(*dialog);
    });
}

class HolidaysPageTest : public testing::Test {
protected:
    HolidaysPageTest() {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        TMessageBoxSeam::SetAutoAnswer(true); // a box nobody expected must not block
        TFileDialogSeam::ClearAnswers();
        TFileDialogSeam::ClearHistory();
        // Last year, this year (2026) and next year; one with an individual required time.
        AddHoliday(stored, Date(2025, 12, 25), "Christmas Day", "00:00");
        AddHoliday(stored, Date(2026, 1, 1), "New Year", "00:00");
        AddHoliday(stored, Date(2026, 12, 24), "Christmas Eve", "50%");
        auto labour = AddHoliday(stored, Date(2026, 5, 1), "Labour Day", "00:00");
        labour->SetOverrideWorktimeDefault(true);
        TextToHolidayWorktime(QStringLiteral("-02:00"), *labour->OverrideWorktime());
        AddHoliday(stored, Date(2027, 1, 1), "New Year", "00:00");
        Store();
    }
    ~HolidaysPageTest() override {
        SetHolidayImportEnabled(false);
        TMessageBoxSeam::SetAutoAnswer(false);
        TMessageBoxSeam::ClearAnswers();
        TFileDialogSeam::ClearAnswers();
    }

    void Store() { stored.SaveToPropertyList(options.GetSection("calendar")->Items("holidaylist")->AsPropertyList()); }
    void SetHoursPerDay(double hours) {
        options.GetSection("formatting options")
            ->Items("duration formatting options")
            ->AsPropertyList()
            ->Items("hours per day")
            ->SetAsDouble(hours);
    }
    std::unique_ptr<TfrmBaseHolidays> NewPage(bool import = false) {
        SetHolidayImportEnabled(import);
        THolidayPageServices services;
        services.createFile = [] { return std::make_shared<TXMZFile>(); };
        services.addCurrentWindow = [this](QWidget* window) { currentWindows << window; };
        services.removeCurrentWindow = [this](QWidget* window) { currentWindows.removeOne(window); };
        auto page = std::make_unique<TfrmBaseHolidays>(nullptr, &options, std::move(services));
        page->LoadPage();
        return page;
    }
    static QStringList Column(const TfrmBaseHolidays& page, int column) {
        QStringList texts;
        for (int i = 0; i < page.List()->topLevelItemCount(); ++i)
            texts << page.List()->topLevelItem(i)->text(column);
        return texts;
    }
    static QStringList Names(const TfrmBaseHolidays& page) { return Column(page, 0); }
    static QString Selected(const TfrmBaseHolidays& page) {
        const auto holiday = page.SelectedHoliday();
        return holiday ? holiday->Name() + QLatin1Char(' ') + DateToISO(holiday->Date()) : QString();
    }
    static void SelectRow(TfrmBaseHolidays& page, int row) {
        page.List()->setCurrentItem(page.List()->topLevelItem(row));
    }
    /// The holidays the page wrote into the options, by ISO date and name.
    QStringList Saved(TfrmBaseHolidays& page) {
        EXPECT_TRUE(page.SavePage());
        THolidayList saved;
        saved.LoadFromPropertyList(NestedPropertyList(options.GetSection("calendar"), "holidaylist"));
        QStringList texts;
        for (const auto& holiday : saved.Sorted())
            texts << DateToISO(holiday->Date()) + QLatin1Char(' ') + holiday->Name();
        return texts;
    }

    TempHome m_home;
    ScopedFixedClock m_clock{QDateTime(QDate(2026, 6, 15), QTime(12, 0))};
    ScopedUserLocale m_english{QStringLiteral("en_US")};
    OptionsControlStandIn options;
    THolidayList stored;
    QList<QWidget*> currentWindows;
};

TEST_F(HolidaysPageTest, ShowsThisYearsHolidaysByDateWithTheirEffectiveRulesAndSavesAll) {
    auto page = NewPage();
    EXPECT_TRUE(page->CurrentYearOnly()->isChecked());
    EXPECT_EQ(Names(*page), (QStringList{"New Year", "Labour Day", "Christmas Eve"}));
    EXPECT_EQ(Column(*page, 1), (QStringList{"1/1/2026", "5/1/2026", "12/24/2026"}));
    EXPECT_EQ(Column(*page, 2), (QStringList{"00:00", "-02:00", "50%"})) << "the individual required time counts";
    EXPECT_EQ(Selected(*page), "New Year 2026-01-01");
    EXPECT_TRUE(page->EditButton()->isEnabled());
    EXPECT_TRUE(page->DeleteButton()->isEnabled());
    EXPECT_TRUE(page->NewButton()->isEnabled());
    EXPECT_TRUE(page->ImportExportButton()->isHidden()) << "without the import add-in";
    EXPECT_EQ(options.modified, 0);

    SelectRow(*page, 2);
    page->CurrentYearOnly()->click();
    EXPECT_EQ(Names(*page), (QStringList{"Christmas Day", "New Year", "Labour Day", "Christmas Eve", "New Year"}));
    EXPECT_EQ(Selected(*page), "Christmas Eve 2026-12-24") << "the selection stays";
    page->CurrentYearOnly()->click();
    EXPECT_EQ(Selected(*page), "Christmas Eve 2026-12-24");

    // The dates follow the regional settings.
    {
        ScopedUserLocale german(QStringLiteral("de_DE"));
        EXPECT_EQ(Column(*page, 1), (QStringList{"01.01.2026", "01.05.2026", "24.12.2026"}));
        EXPECT_EQ(Selected(*page), "Christmas Eve 2026-12-24");
    }
    // Hidden holidays are saved all the same.
    EXPECT_EQ(Saved(*page), (QStringList{"2025-12-25 Christmas Day", "2026-01-01 New Year", "2026-05-01 Labour Day",
                                         "2026-12-24 Christmas Eve", "2027-01-01 New Year"}));
}

TEST_F(HolidaysPageTest, HeaderClicksSortByTheThreeKeys) {
    auto page = NewPage();
    QHeaderView* header = page->List()->header();
    const auto click = [&](int column) { emit header->sectionClicked(column); };

    click(2); // required time, ascending: 00:00 twice (by date), 04:00 (50 % of 8 hours), 06:00 (8 - 2)
    EXPECT_EQ(Names(*page), (QStringList{"New Year", "Christmas Eve", "Labour Day"}));
    click(2);
    EXPECT_EQ(Names(*page), (QStringList{"Labour Day", "Christmas Eve", "New Year"}));
    click(0);
    EXPECT_EQ(Names(*page), (QStringList{"Christmas Eve", "Labour Day", "New Year"}));
    click(1); // the date column starts descending
    EXPECT_EQ(Names(*page), (QStringList{"Christmas Eve", "Labour Day", "New Year"}));
    EXPECT_FALSE(page->SortOrder().ascending);
    click(1);
    EXPECT_EQ(Names(*page), (QStringList{"New Year", "Labour Day", "Christmas Eve"}));
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

TEST_F(HolidaysPageTest, TheReferenceDayTakesTheHoursPerDayOfTheOptions) {
    TextToHolidayWorktime(QStringLiteral("06:00"), *stored.FindDate(Date(2026, 5, 1))->OverrideWorktime());
    Store();
    auto eight = NewPage();
    emit eight->List()->header()->sectionClicked(2);
    EXPECT_EQ(Names(*eight), (QStringList{"New Year", "Christmas Eve", "Labour Day"})) << "50 % of 8 hours is 04:00";
    SetHoursPerDay(16);
    auto sixteen = NewPage();
    emit sixteen->List()->header()->sectionClicked(2);
    EXPECT_EQ(Names(*sixteen), (QStringList{"New Year", "Labour Day", "Christmas Eve"})) << "50 % of 16 hours is 08:00";
    SetHoursPerDay(100);
    EXPECT_DOUBLE_EQ(NewPage()->SortOrder().referenceWorkTime, 1.0) << "at most 24 hours";
}

TEST_F(HolidaysPageTest, DeleteAsksAndSelectsTheRowThatTakesThePlaceOfTheDeletedOne) {
    auto page = NewPage();
    SelectRow(*page, 2);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
    page->DeleteButton()->click();
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    const TMessageBoxRecord question = TMessageBoxSeam::History()[0];
    EXPECT_EQ(question.caption, "Delete Holiday");
    EXPECT_EQ(question.text, "Are you sure you want to delete the holiday \"Christmas Eve\"?");
    EXPECT_EQ(question.kind, MessageBoxKind::Question);
    EXPECT_EQ(question.buttons, MessageBoxButton::Yes | MessageBoxButton::No);
    EXPECT_EQ(page->List()->topLevelItemCount(), 3);
    EXPECT_EQ(options.modified, 0);

    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    page->DeleteButton()->click(); // the last row: the new last row is selected
    EXPECT_EQ(Names(*page), (QStringList{"New Year", "Labour Day"}));
    EXPECT_EQ(Selected(*page), "Labour Day 2026-05-01");
    EXPECT_EQ(options.modified, 1);

    SelectRow(*page, 0);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    QTest::keyClick(page->List(), Qt::Key_Delete); // the row at the same place follows
    EXPECT_EQ(Selected(*page), "Labour Day 2026-05-01");
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    QTest::keyClick(page->List(), Qt::Key_Delete, Qt::ShiftModifier); // not with a modifier
    EXPECT_EQ(page->List()->topLevelItemCount(), 1);
    TMessageBoxSeam::ClearAnswers();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    QTest::keyClick(page->List(), Qt::Key_Delete);
    EXPECT_EQ(page->List()->topLevelItemCount(), 0);
    EXPECT_EQ(page->SelectedHoliday(), nullptr);
    EXPECT_FALSE(page->EditButton()->isEnabled());
    EXPECT_FALSE(page->DeleteButton()->isEnabled());
    page->DeleteHoliday(); // without a row: nothing
    page->EditHoliday();
    EXPECT_EQ(Saved(*page), (QStringList{"2025-12-25 Christmas Day", "2027-01-01 New Year"}));
}

TEST_F(HolidaysPageTest, ANewHolidayIsAddedThroughTheDialogWhichIsACurrentWindow) {
    auto page = NewPage();
    bool wasCurrent = false;
    WhenDialogOpens([&](TfrmHolidayDlg& dialog) {
        wasCurrent = currentWindows == QList<QWidget*>{&dialog};
        EXPECT_EQ(dialog.windowTitle(), "Holiday");
        EXPECT_EQ(dialog.NameEdit()->text(), "");
        EXPECT_EQ(dialog.DatePicker()->date(), QDate(2026, 6, 15)) << "today";
        EXPECT_EQ(dialog.DefaultEdit()->Text(), "00:00");
        EXPECT_FALSE(dialog.OverrideCheck()->isChecked());
        EXPECT_FALSE(dialog.OverrideEdit()->isEnabled());
        QTest::keyClicks(dialog.NameEdit(), "Midsummer ");
        dialog.DefaultEdit()->findChild<QLineEdit*>()->setText("75%");
        dialog.Panel()->OKButton()->click();
    });
    page->NewButton()->click();
    EXPECT_TRUE(wasCurrent);
    EXPECT_TRUE(currentWindows.isEmpty());
    EXPECT_EQ(Names(*page), (QStringList{"New Year", "Labour Day", "Midsummer ", "Christmas Eve"}))
        << "the name as typed";
    EXPECT_EQ(Selected(*page), "Midsummer  2026-06-15");
    EXPECT_EQ(Column(*page, 2).at(2), "75%");
    EXPECT_EQ(options.modified, 1);

    // A holiday of another year is added but not shown; the first row is selected.
    WhenDialogOpens([&](TfrmHolidayDlg& dialog) {
        dialog.NameEdit()->setText("Later");
        dialog.DatePicker()->setDate(QDate(2028, 3, 3));
        dialog.Panel()->OKButton()->click();
    });
    page->NewButton()->click();
    EXPECT_EQ(page->List()->topLevelItemCount(), 4);
    EXPECT_EQ(Selected(*page), "New Year 2026-01-01");
    EXPECT_TRUE(Saved(*page).contains("2028-03-03 Later"));

    // Cancel adds nothing.
    WhenDialogOpens([&](TfrmHolidayDlg& dialog) {
        dialog.NameEdit()->setText("Never");
        dialog.Panel()->CancelButton()->click();
    });
    page->NewButton()->click();
    EXPECT_EQ(options.modified, 2);
    EXPECT_FALSE(Saved(*page).join(' ').contains("Never"));
}

TEST_F(HolidaysPageTest, ChangingTheDateRecreatesTheHolidayWithoutItsOldIndividualTime) {
    auto page = NewPage();
    SelectRow(*page, 1); // Labour Day, -02:00 as individual time
    WhenDialogOpens([&](TfrmHolidayDlg& dialog) {
        EXPECT_EQ(dialog.NameEdit()->text(), "Labour Day");
        EXPECT_EQ(dialog.DefaultEdit()->Text(), "00:00");
        EXPECT_TRUE(dialog.OverrideCheck()->isChecked());
        EXPECT_TRUE(dialog.OverrideEdit()->isEnabled());
        EXPECT_EQ(dialog.OverrideEdit()->Text(), "-02:00");
        dialog.OverrideCheck()->click();
        dialog.DatePicker()->setDate(QDate(2026, 5, 4));
        dialog.Panel()->OKButton()->click();
    });
    emit page->List()->itemDoubleClicked(page->List()->topLevelItem(1), 0);
    EXPECT_EQ(Selected(*page), "Labour Day 2026-05-04");
    EXPECT_EQ(page->Holidays()->FindDate(Date(2026, 5, 1)), nullptr);
    const auto moved = page->Holidays()->FindDate(Date(2026, 5, 4));
    ASSERT_NE(moved, nullptr);
    EXPECT_FALSE(moved->OverrideWorktimeDefault());
    EXPECT_EQ(HolidayWorktimeToText(*moved->OverrideWorktime()), "00:00") << "a fresh rule";
    EXPECT_EQ(options.modified, 1);
}

// --- The holiday dialog on its own

class HolidayDialogTest : public HolidaysPageTest {
protected:
    HolidayDialogTest() : list(CopyHolidayList(stored)) {}
    std::shared_ptr<THolidayList> list;
};

TEST_F(HolidayDialogTest, OKChecksInOrderAndKeepsTheDialogOpenOnTheFirstRefusal) {
    const auto eve = list->FindDate(Date(2026, 12, 24));
    struct Case {
        const char* what;
        std::function<void(TfrmHolidayDlg&)> change;
        const char* message;
        std::function<QWidget*(TfrmHolidayDlg&)> focus;
    };
    const auto nameEdit = [](TfrmHolidayDlg& d) -> QWidget* { return d.NameEdit(); };
    const auto defaultEdit = [](TfrmHolidayDlg& d) -> QWidget* { return d.DefaultEdit(); };
    const auto overrideEdit = [](TfrmHolidayDlg& d) -> QWidget* { return d.OverrideEdit(); };
    const auto datePicker = [](TfrmHolidayDlg& d) -> QWidget* { return d.DatePicker(); };
    const std::vector<Case> cases = {
        {"blank name before a bad time",
         [](TfrmHolidayDlg& d) {
             d.NameEdit()->setText("   ");
             d.DefaultEdit()->findChild<QLineEdit*>()->setText("abc");
         },
         "Please specify a valid name.", nameEdit},
        {"bad default time before a bad individual time",
         [](TfrmHolidayDlg& d) {
             d.DefaultEdit()->findChild<QLineEdit*>()->setText("abc");
             d.OverrideCheck()->setChecked(true);
             d.OverrideEdit()->findChild<QLineEdit*>()->setText("xyz");
         },
         "Please enter a valid required time.", defaultEdit},
        {"bad individual time before a taken date",
         [](TfrmHolidayDlg& d) {
             d.OverrideCheck()->setChecked(true);
             d.OverrideEdit()->findChild<QLineEdit*>()->setText("xyz");
             d.DatePicker()->setDate(QDate(2026, 1, 1));
         },
         "Please enter a valid required time.", overrideEdit},
        {"the date of another holiday", [](TfrmHolidayDlg& d) { d.DatePicker()->setDate(QDate(2026, 1, 1)); },
         "There's already a holiday with this date in the list.", datePicker},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMessageBoxSeam::ClearHistory();
        TfrmHolidayDlg dialog;
        dialog.SetHoliday(list, eve);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        c.change(dialog);
        dialog.Panel()->OKButton()->click();
        ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
        EXPECT_EQ(TMessageBoxSeam::History()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(TMessageBoxSeam::History()[0].caption, "Holiday");
        EXPECT_EQ(TMessageBoxSeam::History()[0].kind, MessageBoxKind::Error);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(c.focus(dialog)->hasFocus());
        EXPECT_EQ(eve->Name(), "Christmas Eve") << "nothing changes before all checks pass";
        EXPECT_EQ(HolidayWorktimeToText(*eve->DefaultWorktime()), "50%");
        dialog.reject();
    }
    // Its own date is no conflict.
    TMessageBoxSeam::ClearHistory();
    TfrmHolidayDlg dialog;
    dialog.SetHoliday(list, eve);
    dialog.DefaultEdit()->findChild<QLineEdit*>()->setText("-10%");
    dialog.accept();
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Holiday(), eve);
    EXPECT_EQ(HolidayWorktimeToText(*eve->DefaultWorktime()), "-10%");
}

TEST_F(HolidayDialogTest, TheEditsWorkOnCopiesUntilOK) {
    const auto eve = list->FindDate(Date(2026, 12, 24));
    TfrmHolidayDlg dialog;
    dialog.SetHoliday(list, eve);
    dialog.NameEdit()->setText("Changed");
    dialog.DefaultEdit()->findChild<QLineEdit*>()->setText("+01:00");
    dialog.OverrideCheck()->setChecked(true);
    dialog.OverrideEdit()->findChild<QLineEdit*>()->setText("03:00");
    dialog.reject();
    EXPECT_EQ(eve->Name(), "Christmas Eve");
    EXPECT_EQ(HolidayWorktimeToText(*eve->DefaultWorktime()), "50%");
    EXPECT_FALSE(eve->OverrideWorktimeDefault());
    EXPECT_EQ(list->Count(), 5);
}

// --- The required-time edit

TEST_F(HolidaysPageTest, RequiredTimeEditStepsReadsAndShowsItsRule) {
    TVRNHolidayWorktimeEdit edit;
    EXPECT_EQ(edit.Increment1(), 1);
    EXPECT_EQ(edit.Increment2(), 5);
    EXPECT_EQ(edit.Increment3(), 15);
    auto rule = std::make_shared<THolidayWorktime>();
    TextToHolidayWorktime("50%", *rule);
    edit.SetWorktime(rule);
    EXPECT_EQ(edit.Text(), "50%");

    struct Case {
        const char* text;
        int amount;
        const char* shown;
    };
    const Case steps[] = {
        {"50%", 1, "51%"},       {"50%", 15, "65%"},   {"3%", -5, "0%"},
        {"0%", -1, "0%"},        {"-20%", -15, "-5%"}, {"00:10", -15, "00:00"},
        {"+01:00", 5, "+01:05"}, {"abc", 1, "00:01"},  {"23:59", 1, "24:00"},
    };
    for (const Case& c : steps) {
        edit.findChild<QLineEdit*>()->setText(QString::fromLatin1(c.text));
        edit.Step(c.amount);
        EXPECT_EQ(edit.Text(), QString::fromLatin1(c.shown)) << c.text << " " << c.amount;
        EXPECT_EQ(HolidayWorktimeToText(*rule), QString::fromLatin1(c.shown)) << "read into the bound rule";
        EXPECT_FALSE(edit.MarkedInvalid());
    }
    edit.findChild<QLineEdit*>()->setText("51%");
    edit.Step(1);
    EXPECT_DOUBLE_EQ(rule->WorktimePercentage(), 0.52) << "one step is one percent";

    // A text that is no rule is bold and red and leaves the rule as it was.
    edit.findChild<QLineEdit*>()->setText("4 hours");
    EXPECT_TRUE(edit.MarkedInvalid());
    EXPECT_FALSE(edit.Valid());
    EXPECT_EQ(HolidayWorktimeToText(*rule), "52%");
    // Leaving the edit shows what was typed in the rule's own form.
    for (const auto& [typed, shown] : {std::pair{"4", "04:00"}, {"+0:30", "+00:30"}, {"50 %", "50%"}}) {
        edit.findChild<QLineEdit*>()->setText(QString::fromLatin1(typed));
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &leave);
        EXPECT_EQ(edit.Text(), QString::fromLatin1(shown));
    }
    edit.SetWorktime(nullptr);
    EXPECT_EQ(edit.Text(), "");
}

// --- Import

class HolidayImportPageTest : public HolidaysPageTest {
protected:
    QString WriteFile(const char* name, const THolidayList& holidays) {
        const QString path = m_home.Path(QString::fromLatin1(name));
        WriteHolidayFile([] { return std::make_shared<TXMZFile>(); }, path, holidays);
        return path;
    }
};

TEST_F(HolidayImportPageTest, TheButtonFollowsTheSwitches) {
    EXPECT_EQ(HolidayImportExportCaption(true, true), "Import/Export");
    EXPECT_EQ(HolidayImportExportCaption(true, false), "Import");
    EXPECT_EQ(HolidayImportExportCaption(false, true), "Export");
    EXPECT_EQ(HolidayImportExportCaption(false, false), "");
    EXPECT_FALSE(HolidayExportEnabled());
    auto page = NewPage(true);
    EXPECT_FALSE(page->ImportExportButton()->isHidden());
    EXPECT_EQ(page->ImportExportButton()->text(), "Import");
}

TEST_F(HolidayImportPageTest, AnImportMergesNamesAndDefaultRulesAndKeepsTheIndividualTime) {
    THolidayList file;
    AddHoliday(file, Date(2026, 5, 1), "May Day", "04:00");
    AddHoliday(file, Date(2026, 10, 3), "Unity Day", "00:00");
    const QString path = WriteFile("holidays.hxh", file);
    auto page = NewPage(true);

    TFileDialogSeam::SetNextFileName(QString()); // cancelled: nothing happens
    page->ImportExportButton()->click();
    EXPECT_EQ(options.modified, 0);

    TFileDialogSeam::SetNextFileName(path);
    page->ImportExportButton()->click();
    ASSERT_EQ(TFileDialogSeam::History().size(), 2u);
    const TFileDialogRequest request = TFileDialogSeam::History()[1];
    EXPECT_EQ(request.caption, "Import Holidays");
    EXPECT_EQ(request.defaultExtension, "hxh");
    EXPECT_EQ(request.filters, (QStringList{"Holidays (*.hxh)", "Varnelo Horalux files (*.hx*)", "All files (*)"}));
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    EXPECT_EQ(Names(*page), (QStringList{"New Year", "May Day", "Unity Day", "Christmas Eve"}));
    EXPECT_EQ(Column(*page, 2), (QStringList{"00:00", "-02:00", "00:00", "50%"}))
        << "the individual required time of May 1 survives";
    const auto mayDay = page->Holidays()->FindDate(Date(2026, 5, 1));
    EXPECT_EQ(HolidayWorktimeToText(*mayDay->DefaultWorktime()), "04:00");
    EXPECT_EQ(options.modified, 1);
}

TEST_F(HolidayImportPageTest, ADamagedFileChangesNothingAndSaysWhy) {
    const QString content =
        QStringLiteral("<property name=\"holidaylist\" type=\"valuelist\"><value>%1%2</value></property>")
            .arg(QStringLiteral("<property type=\"propertylist\"><value><property name=\"name\" type=\"string\" "
                                "value=\"Fine\"/><property name=\"date\" type=\"date\" value=\"2026-03-01\"/>"
                                "</value></property>"),
                 QStringLiteral("<property type=\"propertylist\"><value><property name=\"name\" type=\"string\" "
                                "value=\"Broken\"/><property name=\"date\" type=\"date\" value=\"2026-03-02\"/>"
                                "<property name=\"worktime default\" type=\"propertylist\"><value>"
                                "<property name=\"ispercentage\" type=\"boolean\" value=\"true\"/>"
                                "<property name=\"worktime percentage\" type=\"double\" value=\"-1\"/>"
                                "</value></property></value></property>"));
    const QString path = m_home.Path("damaged.hxh");
    ASSERT_TRUE(xmztest::WriteBytes(
        path, xmztest::CompressedFile(QStringLiteral("<xmzdocument><header><filetype>%1</filetype></header><content>"
                                                     "%2</content></xmzdocument>")
                                          .arg(HolidayFileType.ToString(), content))));
    auto page = NewPage(true);
    SelectRow(*page, 2);
    const QStringList before = Names(*page);
    TFileDialogSeam::SetNextFileName(path);
    page->Import();
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    const TMessageBoxRecord box = TMessageBoxSeam::History()[0];
    EXPECT_EQ(box.caption, "Import Holidays");
    EXPECT_EQ(box.kind, MessageBoxKind::Warning);
    EXPECT_EQ(box.buttons, MessageBoxButton::OK | MessageBoxButton::Details);
    EXPECT_TRUE(box.text.contains("Your list of holidays has not been changed."));
    EXPECT_TRUE(box.details.contains("\"Broken\" has a negative or invalid required time"))
        << box.details.toStdString();
    EXPECT_EQ(Names(*page), before);
    EXPECT_EQ(Selected(*page), "Christmas Eve 2026-12-24") << "the list was not even refilled";
    EXPECT_EQ(page->Holidays()->FindDate(Date(2026, 3, 1)), nullptr);
    EXPECT_EQ(options.modified, 0);

    // Another kind of data file.
    const QString other = m_home.Path("other.hxh");
    ASSERT_TRUE(xmztest::WriteBytes(
        other, xmztest::PlainFile("<xmzdocument><header><filetype>{4A534831-3844-48D3-94A0-5F4112554083}</filetype>"
                                  "</header><content/></xmzdocument>")));
    TFileDialogSeam::SetNextFileName(other);
    page->Import();
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_TRUE(TMessageBoxSeam::History()[1].details.contains("EXMZFileTypeError"));
    EXPECT_EQ(Names(*page), before);
}

TEST_F(HolidayImportPageTest, HolidaysWithoutADateAreCountedInAMessage) {
    const QString items = QStringLiteral(
        "<property type=\"propertylist\"><value><property name=\"name\" type=\"string\" value=\"Dated\"/>"
        "<property name=\"date\" type=\"date\" value=\"2026-03-01\"/></value></property>"
        "<property type=\"propertylist\"><value><property name=\"name\" type=\"string\" value=\"Undated\"/>"
        "</value></property>"
        "<property type=\"propertylist\"><value><property name=\"name\" type=\"string\" value=\"Misdated\"/>"
        "<property name=\"date\" type=\"date\" value=\"March\"/></value></property>");
    const QString path = m_home.Path("undated.hxh");
    ASSERT_TRUE(xmztest::WriteBytes(
        path, xmztest::PlainFile(QStringLiteral("<xmzdocument><header/><content><property name=\"holidaylist\" "
                                                "type=\"valuelist\"><value>%1</value></property></content>"
                                                "</xmzdocument>")
                                     .arg(items))));
    auto page = NewPage(true);
    TFileDialogSeam::SetNextFileName(path);
    page->Import();
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].text, "2 holidays of the file have no valid date and were not imported.");
    EXPECT_EQ(TMessageBoxSeam::History()[0].kind, MessageBoxKind::Information);
    EXPECT_EQ(Names(*page), (QStringList{"New Year", "Dated", "Labour Day", "Christmas Eve"}));
    EXPECT_EQ(page->Holidays()->FindDate(Date(1980, 1, 1)), nullptr);
    EXPECT_EQ(options.modified, 1);
}

} // namespace
