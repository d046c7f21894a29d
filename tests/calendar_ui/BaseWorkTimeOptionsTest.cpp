// The "Work" options page: day rows in the order of the locale's week, the week's sum, the hours
// per day, the planned-break list with its commands, and what saving writes or refuses.

#include "calendar_ui/BaseWorkTimeOptions.h"

#include "controls/VRNDurationEdit.h"
#include "controls/VRNFloatEdit.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Translation.h"
#include "model/ActivityTree.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"
#include "support/OptionsControlStandIn.h"
#include "support/TestEnvironment.h"
#include "ui/MessageBox.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

double Hours(int hours, int minutes = 0) {
    return (hours * 60 + minutes) / (24.0 * 60);
}

void Type(TVRNCustomSpinEdit* edit, const char* text) {
    edit->selectAll();
    if (*text == '\0')
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, QString::fromUtf8(text));
}

QStringList Row(const QTreeWidget* list, int row) {
    QStringList texts;
    for (int column = 0; column < list->columnCount(); ++column)
        texts << list->topLevelItem(row)->text(column);
    return texts;
}

int SelectedRow(const QTreeWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->indexOfTopLevelItem(items.first());
}

/// The options hold a working week (Monday to Friday 8:00, weekend 0:00), 7.5 hours per day and
/// two breaks booked to "Lunch" and "Coffee"; the page is created under the given locale.
class BaseWorkTimeOptionsTest : public testing::Test {
protected:
    BaseWorkTimeOptionsTest() : m_tree(TActivityTree::Create()) {
        lunch = m_tree->Childs()->AddNew();
        lunch->SetName("Lunch");
        lunch->SetIsBreak(true);
        coffee = m_tree->Childs()->AddNew();
        coffee->SetName("Coffee");
        coffee->SetIsBreak(true);
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    ~BaseWorkTimeOptionsTest() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        ReleaseAndCleanup(m_tree);
    }

    void StoreWeek(const std::array<double, 7>& mondayFirst) {
        const auto days = control.GetSection(QStringLiteral("calendar"))
                              ->Items(QStringLiteral("week"))
                              ->AsPropertyList()
                              ->Items(QStringLiteral("days"))
                              ->AsValueList();
        days->Clear();
        for (double time : mondayFirst)
            days->AddItem()->AsPropertyList()->Items(QStringLiteral("worktime"))->SetAsDuration(time);
    }
    void StoreBreaks() {
        TPlannedBreakList breaks;
        const auto add = [&](const ActivityPtr& activity, double from, double to, int minutes) {
            const PlannedBreakPtr plannedBreak = breaks.AddNew();
            plannedBreak->SetFromTime(from);
            plannedBreak->SetToTime(to);
            plannedBreak->SetDuration(minutes / (24.0 * 60));
            plannedBreak->ActivityLocator()->SetActivity(activity);
        };
        add(lunch, Hours(12), Hours(13, 30), 30);
        add(coffee, Hours(15), Hours(15, 30), 1);
        SavePlannedBreaksToSection(breaks, control.GetSection(PlannedBreaksSectionName));
    }
    void StoreHoursPerDay(double hours) {
        control.GetSection(QStringLiteral("formatting options"))
            ->Items(QStringLiteral("duration formatting options"))
            ->AsPropertyList()
            ->Items(QStringLiteral("hours per day"))
            ->SetAsDouble(hours);
    }
    void StoreAll() {
        StoreWeek({Hours(8), Hours(8), Hours(8), Hours(8), Hours(8), 0, 0});
        StoreBreaks();
        StoreHoursPerDay(7.5);
    }
    /// The saved week, Monday first.
    std::vector<double> SavedWeek() {
        std::vector<double> week;
        const auto days =
            FindValueListDef(NestedList(control.GetSection(QStringLiteral("calendar")), QStringLiteral("week")),
                             QStringLiteral("days"), nullptr);
        for (int i = 0; days && i < days->Count(); ++i)
            week.push_back(days->Items(i)->AsPropertyList()->Find(QStringLiteral("worktime"))->AsDuration());
        return week;
    }
    static std::shared_ptr<IHXPropertyList_> NestedList(const std::shared_ptr<IHXPropertyList_>& list,
                                                        const QString& name) {
        const auto property = list->Find(name);
        return property ? property->AsPropertyList() : nullptr;
    }
    double SavedHoursPerDay() {
        const auto duration = NestedList(control.GetSection(QStringLiteral("formatting options")),
                                         QStringLiteral("duration formatting options"));
        return duration ? GetDoubleDef(duration->Find(QStringLiteral("hours per day")), -1) : -1;
    }
    /// Answers the break dialog without showing it: confirm sets the break to Coffee, 20 minutes.
    void AnswerBreakDialog(TfrmBaseWorkTimeOptions& page, bool confirm) {
        page.SetBreakEditor([this, confirm](QWidget*, const ActivityTreePtr& tree, const PlannedBreakPtr& b) {
            EXPECT_EQ(tree, m_tree);
            shownBreaks.push_back({b->FromTime(), b->ToTime(), b->Duration()});
            if (confirm) {
                b->SetDuration(20 / (24.0 * 60));
                b->ActivityLocator()->SetActivity(coffee);
            }
            return confirm;
        });
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2026, 3, 2), QTime(8, 0))};
    ScopedUserLocale m_locale{QStringLiteral("en_US")};
    std::shared_ptr<TActivityTree> m_tree;
    ActivityPtr lunch, coffee;
    OptionsControlStandIn control;
    std::vector<std::array<double, 3>> shownBreaks;
};

} // namespace

TEST_F(BaseWorkTimeOptionsTest, DayRowsFollowTheLocalesWeekAndEachEditsItsOwnWeekday) {
    struct Case {
        const char* locale;
        const char* firstLabel;
        int firstDay;
        const char* lastLabel;
    };
    for (const Case& c : {Case{"en_US", "Sunday:", 7, "Saturday:"}, Case{"de_DE", "Montag:", 1, "Sonntag:"}}) {
        SCOPED_TRACE(c.locale);
        ScopedUserLocale locale{QString::fromLatin1(c.locale)};
        StoreAll();
        TfrmBaseWorkTimeOptions page(nullptr, &control, m_tree);
        page.LoadPage();
        EXPECT_EQ(page.DayLabel(0)->text(), QString::fromUtf8(c.firstLabel));
        EXPECT_EQ(page.DayNumber(0), c.firstDay);
        EXPECT_EQ(page.DayLabel(6)->text(), QString::fromUtf8(c.lastLabel));
        for (int row = 0; row < 7; ++row)
            EXPECT_EQ(page.DayEdit(row)->Value(), page.DayNumber(row) <= 5 ? Hours(8) : 0.0) << row;

        // The first row's edit changes its own weekday, wherever the row stands.
        Type(page.DayEdit(0), "4:00");
        ASSERT_TRUE(page.SavePage());
        const std::vector<double> week = SavedWeek();
        ASSERT_EQ(week.size(), 7u);
        EXPECT_NEAR(week[static_cast<size_t>(c.firstDay - 1)], Hours(4), 1e-9);
        EXPECT_NEAR(week[1], c.firstDay == 2 ? Hours(4) : Hours(8), 1e-9) << "Tuesday keeps its time";
    }
}

TEST_F(BaseWorkTimeOptionsTest, TheWeeksSumFollowsTheDaysAndLoadingIsNoChange) {
    StoreAll();
    TfrmBaseWorkTimeOptions page(nullptr, &control, m_tree);
    page.LoadPage();
    EXPECT_EQ(page.WeekSumLabel()->text(), "40:00");
    EXPECT_EQ(control.modified, 0) << "loading is no change";
    page.LoadPage();
    EXPECT_EQ(control.modified, 0);

    // Saturday (the last row under en_US) gets 4:30.
    ASSERT_EQ(page.DayNumber(6), 6);
    Type(page.DayEdit(6), "4:30");
    EXPECT_EQ(page.WeekSumLabel()->text(), "44:30");
    EXPECT_GT(control.modified, 0);
    // A text beyond 24:00 leaves the day at the last valid text typed on the way ("2").
    Type(page.DayEdit(6), "25:00");
    EXPECT_FALSE(page.DayEdit(6)->Valid());
    EXPECT_EQ(page.WeekSumLabel()->text(), "42:00");
}

TEST_F(BaseWorkTimeOptionsTest, AnInvalidValueIsRefusedWithAMessageAndNothingIsWritten) {
    struct Case {
        const char* what;
        std::function<void(TfrmBaseWorkTimeOptions&)> enter;
        const char* message;
    };
    const std::vector<Case> cases{
        {"a day beyond 24:00", [](TfrmBaseWorkTimeOptions& p) { Type(p.DayEdit(1), "24:30"); },
         "Please enter the required time of Monday as hours and minutes from 00:00 to 24:00."},
        {"a day that is no duration", [](TfrmBaseWorkTimeOptions& p) { Type(p.DayEdit(6), "8::"); },
         "Please enter the required time of Saturday as hours and minutes from 00:00 to 24:00."},
        {"0 hours per day", [](TfrmBaseWorkTimeOptions& p) { Type(p.HoursPerDayEdit(), "0"); },
         "Please enter a number of hours from 1 to 24 to convert from hours to days."},
        {"30 hours per day", [](TfrmBaseWorkTimeOptions& p) { Type(p.HoursPerDayEdit(), "30"); },
         "Please enter a number of hours from 1 to 24 to convert from hours to days."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        control.options->Clear();
        StoreAll();
        const auto before = std::make_shared<TPropertyList>();
        before->Assign(control.options);
        TMessageBoxSeam::ClearHistory();
        TfrmBaseWorkTimeOptions page(nullptr, &control, m_tree);
        page.LoadPage();
        AnswerBreakDialog(page, true);
        page.NewBreak(); // a new break is not written either
        c.enter(page);
        TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
        EXPECT_FALSE(page.SavePage());
        EXPECT_TRUE(control.options->Equals(before)) << "nothing written";
        ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
        EXPECT_EQ(TMessageBoxSeam::History()[0].caption, "Work");
        EXPECT_EQ(TMessageBoxSeam::History()[0].text, QString::fromUtf8(c.message));
    }
}

TEST_F(BaseWorkTimeOptionsTest, HoursPerDayAreReadWithinTheirRangeAndWrittenAsEntered) {
    struct Case {
        double stored; // < 0: nothing stored
        const char* shown;
        const char* typed; // empty: left as it is
        double saved;
    };
    for (const Case& c : {Case{-1, "8.0", "", 8}, Case{30, "24.0", "", 24}, Case{0, "1.0", "", 1},
                          Case{7.5, "7.5", "", 7.5}, Case{8, "8.0", "24", 24}, Case{8, "8.0", "1", 1}}) {
        SCOPED_TRACE(c.stored);
        control.options->Clear();
        if (c.stored >= 0)
            StoreHoursPerDay(c.stored);
        TfrmBaseWorkTimeOptions page(nullptr, &control, m_tree);
        page.LoadPage();
        EXPECT_EQ(page.HoursPerDayEdit()->Text(), QString::fromLatin1(c.shown));
        if (*c.typed)
            Type(page.HoursPerDayEdit(), c.typed);
        ASSERT_TRUE(page.SavePage());
        EXPECT_DOUBLE_EQ(SavedHoursPerDay(), c.saved);
    }
}

TEST_F(BaseWorkTimeOptionsTest, TheBreakListShowsEachBreakAndNewAddsOneFrom1130To1330) {
    StoreAll();
    TfrmBaseWorkTimeOptions page(nullptr, &control, m_tree);
    page.LoadPage();
    const QTreeWidget* list = page.BreakList();
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(Row(list, 0), (QStringList{"30 minutes", "Lunch", "12:00 PM", "1:30 PM"}));
    EXPECT_EQ(Row(list, 1), (QStringList{"1 minute", "Coffee", "3:00 PM", "3:30 PM"}));
    EXPECT_FALSE(list->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(SelectedRow(list), 0);
    EXPECT_TRUE(page.EditButton()->isEnabled());

    // Cancelled: the list is as before.
    AnswerBreakDialog(page, false);
    page.NewBreak();
    ASSERT_EQ(shownBreaks.size(), 1u);
    EXPECT_DOUBLE_EQ(shownBreaks[0][0], Hours(11, 30));
    EXPECT_DOUBLE_EQ(shownBreaks[0][1], Hours(13, 30));
    EXPECT_NEAR(shownBreaks[0][2], Hours(0, 30), 1e-12);
    EXPECT_EQ(page.Breaks().Count(), 2);
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(control.modified, 0);

    // Confirmed: appended and selected.
    AnswerBreakDialog(page, true);
    page.NewBreak();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(Row(list, 2), (QStringList{"20 minutes", "Coffee", "11:30 AM", "1:30 PM"}));
    EXPECT_EQ(SelectedRow(list), 2);
    EXPECT_EQ(control.modified, 1);
    ASSERT_TRUE(page.SavePage());
    TPlannedBreakList saved;
    LoadPlannedBreaksFromSection(saved, control.GetSection(PlannedBreaksSectionName));
    ASSERT_EQ(saved.Count(), 3);
    EXPECT_EQ(saved.Items(2)->ActivityLocator()->ID(), coffee->ID());
}

TEST_F(BaseWorkTimeOptionsTest, GermanShowsTheMinutesInItsOwnWords) {
    ScopedUserLocale german{QStringLiteral("de_DE")};
    SwitchLanguage(QStringLiteral("de"));
    StoreAll();
    TfrmBaseWorkTimeOptions page(nullptr, &control, m_tree);
    page.LoadPage();
    EXPECT_EQ(Row(page.BreakList(), 0), (QStringList{"30 Minuten", "Lunch", "12:00", "13:30"}));
    EXPECT_EQ(Row(page.BreakList(), 1).first(), "1 Minute");
    SwitchLanguage(QString());
}

TEST_F(BaseWorkTimeOptionsTest, EditAndDeleteWorkOnTheSelectedBreak) {
    StoreAll();
    TfrmBaseWorkTimeOptions page(nullptr, &control, m_tree);
    page.LoadPage();
    QTreeWidget* list = page.BreakList();

    // Edit keeps the edited break selected.
    list->setCurrentItem(list->topLevelItem(0));
    AnswerBreakDialog(page, true);
    page.EditBreak();
    EXPECT_EQ(Row(list, 0).mid(0, 2), (QStringList{"20 minutes", "Coffee"}));
    EXPECT_EQ(SelectedRow(list), 0);
    EXPECT_EQ(control.modified, 1);

    // "No" keeps the break.
    list->setCurrentItem(list->topLevelItem(1));
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
    page.DeleteBreak();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].caption, "Delete Break");
    EXPECT_EQ(TMessageBoxSeam::History()[0].text, "Are you sure you want to delete the selected break?");

    // The Delete key on the last row: the new last row is selected.
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->topLevelItemCount(), 1);
    EXPECT_EQ(SelectedRow(list), 0);
    EXPECT_TRUE(page.DeleteButton()->isEnabled());

    // The only row: the list is empty and Edit and Delete are off.
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    page.DeleteBreak();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(page.Breaks().Count(), 0);
    EXPECT_FALSE(page.EditButton()->isEnabled());
    EXPECT_FALSE(page.DeleteButton()->isEnabled());
    EXPECT_FALSE(TMessageBoxSeam::HasQueuedAnswers());
}
