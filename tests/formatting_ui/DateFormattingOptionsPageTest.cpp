// The "Date Formatting" page: the rows it shows for the stored options, the buttons, and what it
// writes back into "formatting options" -> "date formatting options".

#include "formatting_ui/DateFormattingOptionsPage.h"

#include "formatting/DateFormatterList.h"
#include "formatting/DateFormatterLocDep.h"
#include "formatting/FormattingOptions.h"
#include "foundation/DateTime.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"
#include "support/OptionsControlStandIn.h"
#include "support/TestEnvironment.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class DateFormattingPageTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void TearDown() override { SetUp(); }

    /// A page whose date format dialog answers with the next queued format (name, picture) or,
    /// when none is queued, as if cancelled.
    std::unique_ptr<TfrmDateFormattingOptions> NewPage() {
        auto page = std::make_unique<TfrmDateFormattingOptions>(
            nullptr, &m_control, [this](QWidget*, std::shared_ptr<TDateFormatterLocDepUser>& formatter) {
                ++m_dialogs;
                if (m_answers.empty())
                    return false;
                if (!formatter)
                    formatter = std::make_shared<TDateFormatterLocDepUser>();
                formatter->SetName(m_answers.front().first);
                formatter->SetFormatString(m_answers.front().second);
                m_answers.erase(m_answers.begin());
                return true;
            });
        page->LoadPage();
        return page;
    }
    void AnswerDialog(const QString& name, const QString& picture) { m_answers.emplace_back(name, picture); }

    /// What the options dialog would hand the program after Apply.
    std::shared_ptr<TFormattingOptions> Applied() {
        auto options = std::make_shared<TFormattingOptions>();
        options->LoadFromPropertyList(m_control.GetSection(QStringLiteral("formatting options")));
        return options;
    }
    static QStringList Names(const DateFormatterListPtr& list) {
        QStringList names;
        for (int i = 0; i < list->Count(); ++i)
            names << list->Items(i)->Name();
        return names;
    }
    static QStringList Rows(const TfrmDateFormattingOptions& page) {
        QStringList rows;
        for (int i = 0; i < page.List()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = page.List()->topLevelItem(i);
            rows << (item->checkState(0) == Qt::Checked ? QStringLiteral("[x] ") : QStringLiteral("[ ] ")) +
                        item->text(0);
        }
        return rows;
    }
    static void Select(TfrmDateFormattingOptions& page, int row) {
        page.List()->setCurrentItem(page.List()->topLevelItem(row));
    }
    static void SetChecked(TfrmDateFormattingOptions& page, int row, bool checked) {
        page.List()->topLevelItem(row)->setCheckState(0, checked ? Qt::Checked : Qt::Unchecked);
    }

    ScopedUserLocale m_locale{QStringLiteral("en_US")};
    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
    OptionsControlStandIn m_control;
    std::vector<std::pair<QString, QString>> m_answers;
    int m_dialogs = 0;
};

const QStringList BuiltInNames{
    "Short Date", "Long Date", "Short Date (Gregorian)", "Long Date (Gregorian)", "Month Day Year",
    "Month Day",  "Day",       "Weekday Short",          "Weekday Long",          "ISO"};

QStringList Checked(const QStringList& names) {
    QStringList rows;
    for (const QString& name : names)
        rows << QStringLiteral("[x] ") + name;
    return rows;
}

TEST_F(DateFormattingPageTest, WithoutStoredOptionsTheTenBuiltInsAreListedCheckedWithTheirPictureAndSample) {
    auto page = NewPage();
    EXPECT_EQ(Rows(*page), Checked(BuiltInNames));
    const QTreeWidgetItem* first = page->List()->topLevelItem(0);
    EXPECT_EQ(first->text(1), QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(first->text(2), QStringLiteral("3/14/2006"));
    EXPECT_EQ(page->List()->topLevelItem(9)->text(2), QStringLiteral("2006-03-14"));
    EXPECT_EQ(page->List()->currentItem(), first);
    EXPECT_EQ(page->DisplayBox()->currentIndex(), 0);
    EXPECT_EQ(m_control.modified, 0) << "loading is no change";

    // Built-ins move but are neither edited nor deleted.
    EXPECT_FALSE(page->UpButton()->isEnabled());
    EXPECT_TRUE(page->DownButton()->isEnabled());
    EXPECT_FALSE(page->EditButton()->isEnabled());
    EXPECT_FALSE(page->DeleteButton()->isEnabled());
    EXPECT_TRUE(page->NewButton()->isEnabled());
    Select(*page, 9);
    EXPECT_TRUE(page->UpButton()->isEnabled());
    EXPECT_FALSE(page->DownButton()->isEnabled());
    page->EditFormat();
    page->DeleteFormat();
    EXPECT_EQ(m_dialogs, 0);
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    EXPECT_EQ(page->List()->topLevelItemCount(), 10);
}

TEST_F(DateFormattingPageTest, ANewFormatSurvivesApplyAndIsWhatTheProgramsFormatterListUses) {
    auto page = NewPage();
    AnswerDialog(QStringLiteral("Mine"), QStringLiteral("yyyy'/'MM"));
    page->NewButton()->click();
    EXPECT_EQ(m_dialogs, 1);
    EXPECT_EQ(Rows(*page).last(), QStringLiteral("[x] Mine"));
    EXPECT_EQ(page->List()->currentItem(), page->List()->topLevelItem(10));
    EXPECT_EQ(page->List()->currentItem()->text(2), QStringLiteral("2006/03"));
    EXPECT_TRUE(page->EditButton()->isEnabled());
    EXPECT_TRUE(page->DeleteButton()->isEnabled());
    EXPECT_EQ(m_control.modified, 1);
    ASSERT_TRUE(page->SavePage());

    const auto date = Applied()->DateFormattingOptions();
    ASSERT_EQ(date->Definitions()->Count(), 11);
    ASSERT_EQ(date->Selection()->Count(), 11);
    const DateFormatterPtr mine = date->Selection()->Items(10);
    EXPECT_EQ(mine->Name(), QStringLiteral("Mine"));
    EXPECT_EQ(mine->Format(EncodeDate(2024, 3, 5)), QStringLiteral("2024/03"));
    EXPECT_EQ(date->Definitions()->FindById(mine->Id()), mine);

    // The page opens again with it, editable; an edit changes the row and the stored format.
    auto again = NewPage();
    EXPECT_EQ(Rows(*again), Checked(BuiltInNames + QStringList{"Mine"}));
    Select(*again, 10);
    AnswerDialog(QStringLiteral("Mine, edited"), QStringLiteral("MM'/'yyyy"));
    again->EditButton()->click();
    EXPECT_EQ(again->List()->topLevelItem(10)->text(0), QStringLiteral("Mine, edited"));
    EXPECT_EQ(again->List()->topLevelItem(10)->text(2), QStringLiteral("03/2006"));
    ASSERT_TRUE(again->SavePage());
    const auto edited = Applied()->DateFormattingOptions();
    ASSERT_EQ(edited->Definitions()->Count(), 11);
    EXPECT_EQ(edited->Definitions()->Items(10)->Id(), mine->Id());
    EXPECT_EQ(edited->Definitions()->Items(10)->Format(EncodeDate(2024, 3, 5)), QStringLiteral("03/2024"));

    // A cancelled dialog changes nothing.
    const int modified = m_control.modified;
    again->NewFormat();
    EXPECT_EQ(again->List()->topLevelItemCount(), 11);
    EXPECT_EQ(m_control.modified, modified);
}

TEST_F(DateFormattingPageTest, WithNothingCheckedApplyIsRefusedAndNothingWritten) {
    auto page = NewPage();
    for (int row = 0; row < 10; ++row)
        SetChecked(*page, row, false);
    EXPECT_EQ(m_control.modified, 10);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
    EXPECT_FALSE(page->SavePage());
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    EXPECT_EQ(TMessageBoxSeam::History()[0].caption, QStringLiteral("Date Formatting"));
    EXPECT_EQ(TMessageBoxSeam::History()[0].text, QStringLiteral("Please select at least one format."));
    EXPECT_EQ(TMessageBoxSeam::History()[0].kind, MessageBoxKind::Error);
    EXPECT_EQ(m_control.GetSection(QStringLiteral("formatting options"))->Count(), 0) << "nothing written";

    SetChecked(*page, 9, true);
    ASSERT_TRUE(page->SavePage());
    EXPECT_EQ(Names(Applied()->DateFormattingOptions()->Selection()), QStringList{"ISO"});
}

TEST_F(DateFormattingPageTest, AnUncheckedNewFormatIsKeptAndComesBackUncheckedAfterTheSelection) {
    auto page = NewPage();
    AnswerDialog(QStringLiteral("Kept"), QStringLiteral("d"));
    page->NewFormat();
    SetChecked(*page, 10, false);
    SetChecked(*page, 1, false);
    ASSERT_TRUE(page->SavePage());
    const auto date = Applied()->DateFormattingOptions();
    EXPECT_EQ(Names(date->Definitions()), BuiltInNames + QStringList{"Kept"});
    EXPECT_EQ(date->Selection()->Count(), 9);

    auto again = NewPage();
    QStringList expected = Checked(BuiltInNames);
    expected.removeAt(1);
    expected << QStringLiteral("[ ] Long Date") << QStringLiteral("[ ] Kept");
    EXPECT_EQ(Rows(*again), expected);
}

TEST_F(DateFormattingPageTest, UpAndDownMoveTheSelectedRowAndTheSavedSelectionFollows) {
    auto page = NewPage();
    Select(*page, 2);
    page->UpButton()->click();
    page->UpButton()->click();
    EXPECT_EQ(page->List()->currentItem(), page->List()->topLevelItem(0));
    EXPECT_FALSE(page->UpButton()->isEnabled());
    page->MoveUp(); // nothing at the first row
    EXPECT_EQ(m_control.modified, 2);
    Select(*page, 9);
    page->MoveDown(); // nothing at the last row
    page->DownButton()->click();
    EXPECT_EQ(m_control.modified, 2);
    Select(*page, 3);
    page->DownButton()->click();
    EXPECT_EQ(page->List()->currentItem(), page->List()->topLevelItem(4));
    ASSERT_TRUE(page->SavePage());
    EXPECT_EQ(Names(Applied()->DateFormattingOptions()->Selection()),
              (QStringList{"Short Date (Gregorian)", "Short Date", "Long Date", "Month Day Year",
                           "Long Date (Gregorian)", "Month Day", "Day", "Weekday Short", "Weekday Long", "ISO"}));
}

TEST_F(DateFormattingPageTest, DeletingAsksAndYesRemovesTheFormatFromRowsAndDefinitions) {
    auto page = NewPage();
    AnswerDialog(QStringLiteral("Stored"), QStringLiteral("d"));
    page->NewFormat();
    ASSERT_TRUE(page->SavePage());

    auto again = NewPage();
    AnswerDialog(QStringLiteral("Fresh"), QStringLiteral("M"));
    again->NewFormat();
    // A new format deleted before Apply leaves no trace; No keeps it.
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::No);
    again->DeleteButton()->click();
    EXPECT_EQ(again->List()->topLevelItemCount(), 12);
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    QTest::keyClick(again->List(), Qt::Key_Delete);
    ASSERT_EQ(TMessageBoxSeam::History().size(), 2u);
    EXPECT_EQ(TMessageBoxSeam::History()[1].caption, QStringLiteral("Date Formatting"));
    EXPECT_EQ(TMessageBoxSeam::History()[1].text,
              QStringLiteral("Do you really want to delete the date format \"Fresh\"?"));
    EXPECT_EQ(TMessageBoxSeam::History()[1].kind, MessageBoxKind::Question);
    EXPECT_EQ(TMessageBoxSeam::History()[1].buttons, MessageBoxButton::Yes | MessageBoxButton::No);
    EXPECT_EQ(again->List()->topLevelItemCount(), 11);
    EXPECT_EQ(again->List()->currentItem(), again->List()->topLevelItem(10)) << "the last row when the last went";

    // The stored one goes from the definitions too; the row at its place is selected.
    Select(*again, 10);
    again->MoveUp();
    again->MoveUp();
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    again->DeleteFormat();
    EXPECT_EQ(again->List()->currentItem()->text(0), QStringLiteral("Weekday Long"));
    EXPECT_FALSE(again->DeleteButton()->isEnabled());
    ASSERT_TRUE(again->SavePage());
    const auto date = Applied()->DateFormattingOptions();
    EXPECT_EQ(Names(date->Definitions()), BuiltInNames);
    EXPECT_EQ(Names(date->Selection()), BuiltInNames);

    // Delete with a modifier is no delete command.
    QTest::keyClick(again->List(), Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(TMessageBoxSeam::History().size(), 3u);
}

TEST_F(DateFormattingPageTest, TheDisplayTypeIsStoredByName) {
    auto page = NewPage();
    page->DisplayBox()->setCurrentIndex(2);
    emit page->DisplayBox()->activated(2);
    EXPECT_EQ(m_control.modified, 1);
    ASSERT_TRUE(page->SavePage());
    const auto stored = m_control.GetSection(QStringLiteral("formatting options"))
                            ->Items(QStringLiteral("date formatting options"))
                            ->AsPropertyList();
    EXPECT_EQ(FindStringDef(stored, QStringLiteral("display type"), QString()), QStringLiteral("sample"));
    auto again = NewPage();
    EXPECT_EQ(again->DisplayBox()->currentIndex(), 2);
    EXPECT_EQ(m_control.modified, 1);
}

TEST_F(DateFormattingPageTest, AChangeOfTheRegionalSettingsRewritesPicturesAndSamples) {
    auto page = NewPage();
    {
        ScopedUserLocale german(QStringLiteral("de_DE"));
        page->FormatSettingsChanged();
        EXPECT_EQ(page->List()->topLevelItem(0)->text(1), QStringLiteral("dd.MM.yyyy"));
        EXPECT_EQ(page->List()->topLevelItem(0)->text(2), QStringLiteral("14.03.2006"));
    }
    page->FormatSettingsChanged();
    EXPECT_EQ(page->List()->topLevelItem(0)->text(2), QStringLiteral("3/14/2006"));
}

} // namespace
