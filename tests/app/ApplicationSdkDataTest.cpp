// The program's work data, regular breaks and current windows as an add-in of another library
// reaches them through the application's companion: what the program books is what the add-in
// sees, what the add-in books and saves is the program's, and the breaks it changes are the ones
// the program uses.

#include "app/Application.h"
#include "app/MainWindow.h"

#include "ControllerTestSupport.h"
#include "addins/GlobalCompanion.h"
#include "app/AddInWindows.h"
#include "calendar/PlannedBreak.h"
#include "foundation/DateTime.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "storage/StorageInterfaces.h"
#include "support/SdkTestSupport.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace HoraluxSDK;

namespace {

class ApplicationSdkDataTest : public ControllerTest {
protected:
    void Start() {
        StartController(TestOptions());
        *m_global.Out() = NewGlobalCompanion(m_app);
    }
    void Stop() {
        m_global.Reset();
        StopController();
    }
    void TearDown() override {
        m_global.Reset();
        ControllerTest::TearDown();
    }

    /// The add-in's list of today's activity entries.
    IHXDayEntryList* TodaysEntries() {
        HXRef<IHXStorage> storage;
        EXPECT_EQ(m_global->get_Storage(storage.Out()), HX_S_OK) << TakeErrorDescription().toStdString();
        if (!storage)
            return nullptr;
        HXBSTR type = NewHXText(ActivityEntryTypeID.ToString());
        IHXDayEntryList* list = nullptr;
        EXPECT_EQ(storage->GetDayEntries(m_today, type, &list), HX_S_OK) << TakeErrorDescription().toStdString();
        HXSysFreeString(type);
        return list;
    }

    /// The breaks the program reads from its options (what the options page and the tracking
    /// manager see).
    std::shared_ptr<TPlannedBreakList> BreaksInTheOptions() {
        auto breaks = std::make_shared<TPlannedBreakList>();
        LoadPlannedBreaksFromSection(*breaks, m_app->GetOptions(PlannedBreaksSectionName));
        return breaks;
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2006, 3, 14), QTime(12, 0))};
    const double m_today = EncodeDate(2006, 3, 14);
    HXRef<Global_> m_global;
};

TEST_F(ApplicationSdkDataTest, TheAddInSeesWhatTheProgramBooksAndBooksIntoTheProgramsStorage) {
    Start();
    const EntryPtr booked = m_app->GetTypedStorage()->GetDayEntries(m_today)->AddNew();
    booked->SetTime(8.0 / 24, 9.0 / 24);

    {
        HXRef<IHXDayEntryList> list(TodaysEntries());
        ASSERT_TRUE(list);
        int32_t count = 0;
        ASSERT_EQ(list->get_Count(&count), HX_S_OK);
        EXPECT_EQ(count, 1) << "the program's booking, not yet saved";

        ASSERT_TRUE(AddBreakEntry(list.get(), 9.0 / 24, 9.75 / 24));

        HXRef<IHXStorage> storage;
        ASSERT_EQ(m_global->get_Storage(storage.Out()), HX_S_OK);
        ASSERT_EQ(storage->Save(), HX_S_OK) << TakeErrorDescription().toStdString();
    }
    EXPECT_EQ(m_app->GetTypedStorage()->GetDayEntries(m_today)->Count(), 2);
    EXPECT_FALSE(m_app->GetStorage()->Changed()) << "the program's booking was saved with it";
    EXPECT_TRUE(TMessageBoxSeam::History().empty());

    Stop();
    Start();
    const DayEntryListPtr day = m_app->GetTypedStorage()->GetDayEntries(m_today);
    ASSERT_EQ(day->Count(), 2);
    day->Sort();
    const auto addInsEntry = std::dynamic_pointer_cast<IHXActivityEntry_>(day->Items(1));
    ASSERT_NE(addInsEntry, nullptr);
    EXPECT_DOUBLE_EQ(addInsEntry->StartTime(), 9.0 / 24);
    EXPECT_DOUBLE_EQ(addInsEntry->Duration(), 0.75 / 24);
    EXPECT_TRUE(addInsEntry->Locator()->IsBreak());
}

TEST_F(ApplicationSdkDataTest, AStorageTheAddInStillHoldsKeepsWhatItWorksThrough) {
    Start();
    HXRef<IHXStorage> storage;
    ASSERT_EQ(m_global->get_Storage(storage.Out()), HX_S_OK);
    const std::weak_ptr<THXApplication> controller = m_app;
    Stop();
    EXPECT_FALSE(controller.expired()) << "the storage works through the controller";

    // The program has ended: whatever the members answer, they answer without harm.
    HXDATE min = 0, max = 0;
    HXBOOL hasData = HX_TRUE;
    storage->GetExistingMinMaxDate(&min, &max, &hasData);
    storage->Save();
    TakeErrorDescription();
    storage.Reset();
    EXPECT_TRUE(controller.expired());
}

TEST_F(ApplicationSdkDataTest, RegularBreaksReadAndChangedThroughTheApplicationReachTheProgram) {
    Start();
    // The user's break, as the Work options page stores it.
    {
        TPlannedBreakList breaks;
        const PlannedBreakPtr lunch = breaks.AddNew();
        lunch->SetFromTime(12.0 / 24);
        lunch->SetToTime(13.0 / 24);
        lunch->SetDuration(0.5 / 24);
        SavePlannedBreaksToSection(breaks, m_app->GetOptions(PlannedBreaksSectionName));
        m_app->ApplyOptions(PlannedBreaksSectionName);
    }
    ProcessPosted();
    const int resetsBefore = m_tracking->resets;

    HXRef<IHXPlannedBreakList> breaks;
    ASSERT_EQ(m_global->get_PlannedBreaks(breaks.Out()), HX_S_OK) << TakeErrorDescription().toStdString();
    int32_t count = 0;
    ASSERT_EQ(breaks->get_Count(&count), HX_S_OK);
    ASSERT_EQ(count, 1);
    {
        HXRef<IHXPlannedBreak> lunch;
        ASSERT_EQ(breaks->get_Items(0, lunch.Out()), HX_S_OK);
        HXDATE from = 0;
        ASSERT_EQ(lunch->get_FromTime(&from), HX_S_OK);
        EXPECT_DOUBLE_EQ(from, 12.0 / 24);
        ASSERT_EQ(lunch->put_Duration(0.75 / 24), HX_S_OK);
        // A change through the break's locator is written when the add-in lets the break go.
        HXRef<IHXActivityLocator> locator;
        ASSERT_EQ(lunch->get_ActivityLocator(locator.Out()), HX_S_OK);
        ASSERT_EQ(locator->put_IsBreak(HX_FALSE), HX_S_OK);

        HXRef<IHXPlannedBreak> coffee;
        ASSERT_EQ(breaks->AddNew(coffee.Out()), HX_S_OK);
        ASSERT_EQ(coffee->put_FromTime(15.0 / 24), HX_S_OK);
        ASSERT_EQ(coffee->put_ToTime(16.0 / 24), HX_S_OK);
        ASSERT_EQ(coffee->put_Duration(0.25 / 24), HX_S_OK);
    }

    // The options hold the changes at once; the tracking manager loads them again.
    const std::shared_ptr<TPlannedBreakList> stored = BreaksInTheOptions();
    ASSERT_EQ(stored->Count(), 2);
    EXPECT_DOUBLE_EQ(stored->Items(0)->Duration(), 0.75 / 24);
    EXPECT_FALSE(stored->Items(0)->ActivityLocator()->IsBreak());
    EXPECT_DOUBLE_EQ(stored->Items(1)->FromTime(), 15.0 / 24);
    EXPECT_EQ(m_app->GetPlannedBreaks()->Count(), 2);
    ProcessPosted();
    EXPECT_EQ(m_tracking->resets, resetsBefore + 1) << "one reload for all the changes";

    // They are saved with the options and are the program's breaks at the next start.
    breaks.Reset();
    m_app->SaveAll();
    Stop();
    Start();
    const std::shared_ptr<TPlannedBreakList> reloaded = m_app->GetPlannedBreaks();
    ASSERT_EQ(reloaded->Count(), 2);
    EXPECT_DOUBLE_EQ(reloaded->Items(1)->Duration(), 0.25 / 24);
}

TEST_F(ApplicationSdkDataTest, ToolsMakeAFreeStandingBreakList) {
    Start();
    HXRef<IHXTools> tools;
    ASSERT_EQ(m_global->get_Tools(tools.Out()), HX_S_OK);
    HXRef<IHXPlannedBreakList> breaks;
    ASSERT_EQ(tools->CreateNewPlannedBreakList(breaks.Out()), HX_S_OK) << TakeErrorDescription().toStdString();
    HXRef<IHXPlannedBreak> added;
    ASSERT_EQ(breaks->AddNew(added.Out()), HX_S_OK);
    int32_t count = 0;
    ASSERT_EQ(breaks->get_Count(&count), HX_S_OK);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(m_app->GetPlannedBreaks()->Count(), 0) << "not the program's breaks";
    EXPECT_EQ(BreaksInTheOptions()->Count(), 0);
}

TEST_F(ApplicationSdkDataTest, AnAddInsWindowIsTheCurrentWindowUntilItIsRemoved) {
    Start();
    HXBOOL canShow = HX_FALSE;
    ASSERT_EQ(m_global->get_CanShowWindow(&canShow), HX_S_OK);
    ASSERT_EQ(canShow, HX_TRUE);

    ASSERT_EQ(m_global->AddCurrentWindow(0x2a00005), HX_S_OK) << TakeErrorDescription().toStdString();
    int32_t current = 0;
    ASSERT_EQ(m_global->GetCurrentWindow(&current), HX_S_OK);
    EXPECT_EQ(current, 0x2a00005);
    ASSERT_EQ(m_global->get_CanShowWindow(&canShow), HX_S_OK);
    EXPECT_EQ(canShow, HX_FALSE) << "the program shows no window of its own meanwhile";

    // A click on the tray icon brings the current window forward: an add-in's window is the
    // add-in's, its stand-in is never shown.
    m_app->MainWindow()->TrayIconClicked(Qt::LeftButton);
    ProcessPosted();
    for (QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(AddInWindowNumber(window) != 0 && window->isVisible());

    // A second window on top, then both leave.
    ASSERT_EQ(m_global->AddCurrentWindow(0x2a00009), HX_S_OK);
    ASSERT_EQ(m_global->GetCurrentWindow(&current), HX_S_OK);
    EXPECT_EQ(current, 0x2a00009);
    ASSERT_EQ(m_global->RemoveCurrentWindow(0x2a00009), HX_S_OK);
    ASSERT_EQ(m_global->GetCurrentWindow(&current), HX_S_OK);
    EXPECT_EQ(current, 0x2a00005);

    EXPECT_EQ(m_global->RemoveCurrentWindow(0x2a00007), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(),
              QStringLiteral("Global.RemoveCurrentWindow: window 44040199 was not added as a current window"));
    EXPECT_EQ(m_global->AddCurrentWindow(0), HX_E_FAIL);
    EXPECT_EQ(TakeErrorDescription(), QStringLiteral("Global.AddCurrentWindow: 0 is not the number of a window"));
    ASSERT_EQ(m_global->GetCurrentWindow(&current), HX_S_OK);
    EXPECT_EQ(current, 0x2a00005) << "the refused calls changed nothing";

    ASSERT_EQ(m_global->RemoveCurrentWindow(0x2a00005), HX_S_OK);
    ASSERT_EQ(m_global->GetCurrentWindow(&current), HX_S_OK);
    EXPECT_EQ(current, 0);
    ASSERT_EQ(m_global->get_CanShowWindow(&canShow), HX_S_OK);
    EXPECT_EQ(canShow, HX_TRUE);
    EXPECT_EQ(m_global->RemoveCurrentWindow(0x2a00005), HX_E_FAIL) << "removed once only";
    EXPECT_FALSE(TakeErrorDescription().isEmpty());
}

} // namespace
