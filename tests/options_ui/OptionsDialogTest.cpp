// The options dialog: its tabs from the page list, loading on entry and saving on leaving, Apply
// over the pages that were shown, the question on Cancel, the tab keys, and the focus crossing
// between the dialog and its pages.

#include "options_ui/OptionsDialog.h"

#include "StandInPages.h"
#include "model/PropertyList.h"
#include "support/TestEnvironment.h"
#include "ui/AddInControl.h"
#include "ui/FormPositions.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"
#include "ui/PageControl.h"
#include "ui/ProgramClosing.h"

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class OptionsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        SetProgramClosing(false);
        m_pages->Add(StandInPage(QStringLiteral("Holidays"), 300, m_journal));
        m_pages->Add(StandInPage(QStringLiteral("General"), 0, m_journal));
        m_pages->Add(StandInPage(QStringLiteral("Tracking"), 100, m_journal, false));
        m_pages->Add(StandInPage(QStringLiteral("Work"), 200, m_journal));
        for (const char* name : {"General", "Work", "Holidays"})
            m_options->Items(QString::fromLatin1(name))
                ->AsPropertyList()
                ->Items(QStringLiteral("text"))
                ->SetAsString(QStringLiteral("stored ") + QString::fromLatin1(name));
    }
    void TearDown() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
        SetProgramClosing(false);
    }

    /// The dialog as the Options command sets it up.
    std::unique_ptr<TfrmOptions> NewDialog() {
        auto dialog = std::make_unique<TfrmOptions>();
        dialog->SetApplication(m_pages, [this] { ++m_saves; });
        dialog->SetOptions(m_options);
        return dialog;
    }
    TfrmStandInPage* Page(TfrmOptions& dialog, int tab) {
        return static_cast<TfrmStandInPage*>(dynamic_cast<TOptionsPage&>(*dialog.TabPage(tab)).Window());
    }
    QString Stored(const QString& section) {
        const auto value = m_options->Items(section)->AsPropertyList()->Find(QStringLiteral("text"));
        return value ? value->AsString() : QString();
    }
    /// Shows the dialog as the active window, so that focus and keys behave as on the desktop.
    static void ShowActive(TfrmOptions& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
    std::shared_ptr<TPageJournal> m_journal = std::make_shared<TPageJournal>();
    std::shared_ptr<TOptionsPagesList> m_pages = std::make_shared<TOptionsPagesList>();
    std::shared_ptr<IHXPropertyList_> m_options = std::make_shared<TPropertyList>(40);
    int m_saves = 0;
};

TEST_F(OptionsDialogTest, TabsFollowThePagesOrderAndOnlyTheShownPageLoads) {
    auto dialog = NewDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Varnelo Horalux Options"));
    ASSERT_EQ(dialog->TabCount(), 3) << "the unavailable page has no tab";
    EXPECT_EQ(dialog->TabCaption(0), QStringLiteral("General"));
    EXPECT_EQ(dialog->TabCaption(1), QStringLiteral("Work"));
    EXPECT_EQ(dialog->TabCaption(2), QStringLiteral("Holidays"));
    EXPECT_EQ(m_journal->entries, QStringList{QStringLiteral("load General")});
    EXPECT_EQ(Page(*dialog, 0)->Edit()->text(), QStringLiteral("stored General"));
    EXPECT_FALSE(dialog->Panel()->ApplyButton()->isEnabled());
    EXPECT_EQ(dialog->Panel()->OKButton()->text(), QStringLiteral("&OK"));
    EXPECT_EQ(dialog->Pages()->TabBar()->focusPolicy(), Qt::NoFocus) << "the tabs are no Tab stops";
}

TEST_F(OptionsDialogTest, EveryEntryLoadsThePageAndLeavingSavesIt) {
    auto dialog = NewDialog();
    Page(*dialog, 0)->Edit()->setText(QStringLiteral("edited"));
    ASSERT_TRUE(dialog->SelectTab(1));
    ASSERT_TRUE(dialog->SelectTab(0));
    EXPECT_EQ(m_journal->entries,
              (QStringList{"load General", "save General", "load Work", "save Work", "load General"}));
    EXPECT_EQ(Page(*dialog, 0)->Edit()->text(), QStringLiteral("edited")) << "loaded from the working copy";
    EXPECT_EQ(Stored(QStringLiteral("General")), QStringLiteral("stored General")) << "not applied";
    EXPECT_TRUE(dialog->TabLoaded(1));
    EXPECT_FALSE(dialog->TabLoaded(2));
}

TEST_F(OptionsDialogTest, APageThatRefusesKeepsTheUserOnIt) {
    auto dialog = NewDialog();
    m_journal->refusing << QStringLiteral("General");
    EXPECT_FALSE(dialog->SelectTab(2));
    EXPECT_EQ(dialog->CurrentTab(), 0);
    EXPECT_EQ(dialog->Pages()->TabBar()->currentIndex(), 0);
    // A click on another tab is asked about the same way.
    const QRect tab = dialog->Pages()->TabBar()->tabRect(1);
    QTest::mouseClick(dialog->Pages()->TabBar(), Qt::LeftButton, Qt::NoModifier, tab.center());
    EXPECT_EQ(dialog->CurrentTab(), 0);
    EXPECT_FALSE(dialog->TabLoaded(1));
    m_journal->refusing.clear();
    QTest::mouseClick(dialog->Pages()->TabBar(), Qt::LeftButton, Qt::NoModifier, tab.center());
    EXPECT_EQ(dialog->CurrentTab(), 1);
    EXPECT_TRUE(dialog->TabLoaded(1));
}

TEST_F(OptionsDialogTest, ApplySavesTheShownPagesInTabOrderAndCopiesTheWorkingCopy) {
    auto dialog = NewDialog();
    ASSERT_TRUE(dialog->SelectTab(2));
    Page(*dialog, 2)->Edit()->setText(QStringLiteral("new Holidays"));
    dialog->SetModified();
    EXPECT_TRUE(dialog->Panel()->ApplyButton()->isEnabled());
    m_journal->entries.clear();
    EXPECT_TRUE(dialog->Apply());
    EXPECT_EQ(m_journal->entries, (QStringList{"save General", "save Holidays"})) << "Work was never shown";
    EXPECT_EQ(Stored(QStringLiteral("Holidays")), QStringLiteral("new Holidays"));
    EXPECT_EQ(Stored(QStringLiteral("Work")), QStringLiteral("stored Work"));
    EXPECT_EQ(m_saves, 1);
    EXPECT_FALSE(dialog->Panel()->ApplyButton()->isEnabled());
    EXPECT_FALSE(dialog->IsModified());
    m_journal->entries.clear();
    EXPECT_TRUE(dialog->Apply()) << "nothing to do without a change";
    EXPECT_TRUE(m_journal->entries.isEmpty());
    EXPECT_EQ(m_saves, 1);
}

TEST_F(OptionsDialogTest, ApplyStopsAtTheFirstRefusalAndAppliesNothing) {
    auto dialog = NewDialog();
    ASSERT_TRUE(dialog->SelectTab(1));
    ASSERT_TRUE(dialog->SelectTab(2));
    Page(*dialog, 2)->Edit()->setText(QStringLiteral("new Holidays"));
    dialog->SetModified();
    m_journal->refusing << QStringLiteral("Work");
    m_journal->entries.clear();
    EXPECT_FALSE(dialog->OK());
    EXPECT_EQ(m_journal->entries, (QStringList{"save General", "save Work"}));
    EXPECT_EQ(Stored(QStringLiteral("Holidays")), QStringLiteral("stored Holidays"));
    EXPECT_EQ(m_saves, 0);
    EXPECT_TRUE(dialog->IsModified());
    EXPECT_EQ(dialog->result(), QDialog::Rejected) << "still open";
}

TEST_F(OptionsDialogTest, ASectionOfAPageNeverShownIsCopiedBackUnchanged) {
    const auto work = m_options->Items(QStringLiteral("Work"))->AsPropertyList();
    work->Items(QStringLiteral("hours"))->SetAsDouble(7.5);
    work->Items(QStringLiteral("days"))->AsValueList()->AddItem()->SetAsInteger(5);
    work->Items(QStringLiteral("since"))->SetAsDate(38790);
    auto before = std::make_shared<TPropertyList>(40);
    before->Assign(work);
    auto dialog = NewDialog();
    Page(*dialog, 0)->Check()->click();
    ASSERT_TRUE(dialog->IsModified());
    EXPECT_TRUE(dialog->OK());
    EXPECT_TRUE(m_options->Find(QStringLiteral("Work"))->AsPropertyList()->Equals(before));
}

TEST_F(OptionsDialogTest, CancelWithoutChangesClosesWithoutAQuestion) {
    auto dialog = NewDialog();
    dialog->show();
    dialog->Panel()->CancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    EXPECT_EQ(m_saves, 0);
}

struct CancelCase {
    const char* name;
    int answer;
    bool closes;
    bool saved;
};

class OptionsDialogCancelTest : public OptionsDialogTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(OptionsDialogCancelTest, AfterAChangeCancelAsksWhetherToSave) {
    auto dialog = NewDialog();
    dialog->show();
    Page(*dialog, 0)->Check()->click();
    ASSERT_TRUE(dialog->Panel()->ApplyButton()->isEnabled());
    Page(*dialog, 0)->Edit()->setText(QStringLiteral("edited"));
    TMessageBoxSeam::SetNextAnswer(GetParam().answer);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
    const TMessageBoxRecord asked = TMessageBoxSeam::History()[0];
    EXPECT_EQ(asked.caption, QStringLiteral("Varnelo Horalux Options"));
    EXPECT_EQ(asked.text, QStringLiteral("Some options have been changed. Do you want to save these changes?"));
    EXPECT_EQ(asked.kind, 4);
    EXPECT_EQ(asked.buttons, MessageBoxButton::Yes | MessageBoxButton::No | MessageBoxButton::Cancel);
    EXPECT_EQ(dialog->isVisible(), !GetParam().closes);
    EXPECT_EQ(m_saves, GetParam().saved ? 1 : 0);
    EXPECT_EQ(Stored(QStringLiteral("General")),
              GetParam().saved ? QStringLiteral("edited") : QStringLiteral("stored General"));
}

INSTANTIATE_TEST_SUITE_P(Answers, OptionsDialogCancelTest,
                         testing::Values(CancelCase{"Yes", MessageBoxResult::Yes, true, true},
                                         CancelCase{"No", MessageBoxResult::No, true, false},
                                         CancelCase{"Cancel", MessageBoxResult::Cancel, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, YesStaysOpenWhenAPageRefuses) {
    auto dialog = NewDialog();
    dialog->show();
    Page(*dialog, 0)->Check()->click();
    m_journal->refusing << QStringLiteral("General");
    TMessageBoxSeam::SetNextAnswer(MessageBoxResult::Yes);
    dialog->reject();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(m_saves, 0);
}

TEST_F(OptionsDialogTest, WhileTheProgramClosesCancelClosesWithoutAsking) {
    auto dialog = NewDialog();
    dialog->show();
    Page(*dialog, 0)->Check()->click();
    SetProgramClosing(true);
    dialog->reject();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
    EXPECT_EQ(m_saves, 0);
}

struct TabKeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int from;
    int to;
};

class OptionsDialogTabKeyTest : public OptionsDialogTest, public testing::WithParamInterface<TabKeyCase> {};

TEST_P(OptionsDialogTabKeyTest, SwitchesTabsWhateverControlHasTheFocus) {
    auto dialog = NewDialog();
    ShowActive(*dialog);
    ASSERT_TRUE(dialog->SelectTab(GetParam().from));
    QLineEdit* edit = Page(*dialog, GetParam().from)->Edit();
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    const QString before = edit->text();
    QTest::keyClick(edit, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(dialog->CurrentTab(), GetParam().to);
    EXPECT_EQ(edit->text(), before) << "the key went to the dialog, not to the edit";
    EXPECT_EQ(QApplication::focusWidget(), Page(*dialog, GetParam().to)->Edit()) << "the new page's first control";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, OptionsDialogTabKeyTest,
    testing::Values(TabKeyCase{"CtrlTab", Qt::Key_Tab, Qt::ControlModifier, 0, 1},
                    TabKeyCase{"CtrlTabFromTheLastCycles", Qt::Key_Tab, Qt::ControlModifier, 2, 0},
                    TabKeyCase{"CtrlShiftTab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 1, 0},
                    TabKeyCase{"CtrlPageDown", Qt::Key_PageDown, Qt::ControlModifier, 1, 2},
                    TabKeyCase{"CtrlPageUpFromTheFirstCycles", Qt::Key_PageUp, Qt::ControlModifier, 0, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, TheFocusStartsOnThePageAndTabCrossesIntoTheButtonsAndBack) {
    auto dialog = NewDialog();
    ShowActive(*dialog);
    TfrmStandInPage* page = Page(*dialog, 0);
    EXPECT_EQ(QApplication::focusWidget(), page->Edit()) << "the first control after the tabs";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page->Check());
    // Tab on the page's last control leaves the page for the dialog's next control.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dialog->Panel()->OKButton());
    // Shift+Tab from there lands on the page's last control, and from its first on the dialog's
    // control before the page.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), page->Check());
    page->Edit()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(page->isAncestorOf(QApplication::focusWidget()));
    EXPECT_TRUE(dialog->Panel()->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(OptionsDialogTest, ClickingIntoThePageFocusesWhatWasClicked) {
    auto dialog = NewDialog();
    ShowActive(*dialog);
    dialog->Panel()->OKButton()->setFocus();
    TfrmStandInPage* page = Page(*dialog, 0);
    QTest::mouseClick(page->Check(), Qt::LeftButton, Qt::NoModifier, QPoint(6, page->Check()->height() / 2));
    EXPECT_EQ(QApplication::focusWidget(), page->Check()) << "not the page's first control";
    EXPECT_TRUE(page->Check()->isChecked());
    EXPECT_TRUE(dialog->IsModified());
}

TEST_F(OptionsDialogTest, EnterInAnEditOfThePagePressesTheDialogsDefaultButton) {
    auto dialog = NewDialog();
    ShowActive(*dialog);
    TfrmStandInPage* page = Page(*dialog, 0);
    QTest::keyClick(page->Edit(), Qt::Key_End); // the text was selected when the focus arrived
    QTest::keyClicks(page->Edit(), QStringLiteral(" and more"));
    ASSERT_TRUE(dialog->IsModified());
    QTest::keyClick(page->Edit(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(Stored(QStringLiteral("General")), QStringLiteral("stored General and more"));
    EXPECT_EQ(m_saves, 1);
}

TEST_F(OptionsDialogTest, TheDialogKeepsItsPlaceButNotItsSize) {
    const auto positions = std::make_shared<TPropertyList>(40);
    SetFormPositionOptions(positions);
    {
        auto dialog = NewDialog();
        dialog->show();
        dialog->reject();
    }
    SetFormPositionOptions(nullptr);
    const auto place =
        positions->Items(QStringLiteral("form positions"))->AsPropertyList()->Find(QStringLiteral("Options"));
    ASSERT_NE(place, nullptr);
    EXPECT_NE(place->AsPropertyList()->Find(QStringLiteral("left")), nullptr);
    EXPECT_EQ(place->AsPropertyList()->Find(QStringLiteral("width")), nullptr);
}

TEST_F(OptionsDialogTest, ThePagesAreFreedWithTheDialog) {
    auto dialog = NewDialog();
    const QPointer<TfrmOptionsPage> window = Page(*dialog, 1);
    ASSERT_FALSE(window.isNull());
    dialog.reset();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(dynamic_cast<TOptionsPage&>(*m_pages->Items(2)).Window(), nullptr) << "Work, the second tab";
}

} // namespace

namespace {

TEST_F(OptionsDialogTest, ThePageAreaGrowsToTheLargestMinimumSizeOfAPage) {
    m_pages->Add(std::make_shared<TOptionsPage>(
        QStringLiteral("Date Formatting"), 500,
        [this](QWidget* parent, IHXOptionsControl_* control) {
            return new TfrmStandInPage(parent, control, QStringLiteral("Date Formatting"), m_journal);
        },
        std::function<bool()>(), QSize(717, 484)));
    auto dialog = NewDialog();
    dialog->show();
    for (int i = 0; i < dialog->TabCount(); ++i) {
        ASSERT_TRUE(dialog->SelectTab(i));
        const QSize page = dialog->TabControl(i)->size();
        EXPECT_GE(page.width(), 717) << i;
        EXPECT_GE(page.height(), 484) << i;
    }
}

} // namespace
