// The program's tracking manager inside the controller: its settings read from the options, the
// entries read from a storage, its notifications at the tray, the last question at the normal
// close, and a working week booked through the activity booker.
#include "ControllerTestSupport.h"
#include "addins/ActivityEntryProviderAddIn.h"
#include "addins/InternalAddInManager.h"
#include "addins/NoTrackingTrackerAddIn.h"
#include "addins/StorageFileProviderAddIn.h"
#include "app/Application.h"
#include "app/ApplicationTrackingHost.h"
#include "app/MainWindow.h"
#include "app/ProgramEnd.h"
#include "app/TrackingManagerLink.h"
#include "calendar/PlannedBreak.h"
#include "controls/VRNIntegerEdit.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/platform/InstanceLock.h"
#include "model/ActivityBooker.h"
#include "model/ActivityLocator.h"
#include "model/Entry.h"
#include "model/EntryList.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyInterfaces.h"
#include "model/PropertyList.h"
#include "model/PropertyValueList.h"
#include "options_ui/OptionsDialog.h"
#include "storage/StorageInterfaces.h"
#include "support/TestEnvironment.h"
#include "tracking/TrackingSettings.h"
#include "tracking_ui/GeneralTrackingOptions.h"
#include "ui/Action.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

double DT(int year, int month, int day, int hour, int minute) {
    return DateTimeFromQDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute)));
}

/// The regular tracker's window as far as the manager sees it: records what it was asked.
class TestTrackingWindow : public IHXTrackingWindow_ {
public:
    bool IsVisible() override { return visible; }
    void SetPeriod(double f, double t) override {
        from = f;
        to = t;
    }
    void ShowTracking(double f, double t) override {
        SetPeriod(f, t);
        visible = true;
        shown.push_back({f, t, false});
    }
    void ShowTrackingModal(double f, double t) override {
        SetPeriod(f, t);
        visible = true;
        shown.push_back({f, t, true});
        if (duringModal)
            duringModal();
        visible = false;
    }
    void SetPlannedBreak(const TPlannedBreakValues* plannedBreak) override {
        proposedBreak = plannedBreak ? std::optional<TPlannedBreakValues>(*plannedBreak) : std::nullopt;
    }
    void HideTracking() override { visible = false; }
    void SetApplication(const std::shared_ptr<IApplication_>&) override {}

    struct TShown {
        double from, to;
        bool modal;
    };
    bool visible = false;
    double from = 0, to = 0;
    std::vector<TShown> shown;
    std::optional<TPlannedBreakValues> proposedBreak;
    std::function<void()> duringModal;
};

class TestRegularTracker : public IHXTrackingWindowAddIn_ {
public:
    TrackingWindowPtr CreateTrackingWindow() override { return window; }
    void FreeTrackingWindow() override {}
    QString GetName() override { return RegularTrackerName; }
    QString GetID() override { return RegularTrackerID; }
    TTrackingType GetTrackingType() override { return TTrackingType::Interval; }
    bool NeedsFallbackTracker() override { return false; }
    std::shared_ptr<TestTrackingWindow> window = std::make_shared<TestTrackingWindow>();
};

class ActivityEntryProvider : public IHXEntryProvider_ {
public:
    TGUID GetEntryTypeID() const override { return ActivityEntryTypeID; }
    EntryPtr CreateEntry() override { return std::make_shared<TActivityEntry>(); }
};

/// Day entry lists held in memory, handed out as a storage does.
class MemoryDayStorage : public IHXDayEntryStorage {
public:
    void Save() override { ++saves; }
    DayEntryListPtr GetDayEntries(const TGUID& entryTypeId, double date) override {
        ++reads;
        auto& list = lists[{entryTypeId, date}];
        if (!list)
            list = std::make_shared<TDayEntryList>(std::make_shared<ActivityEntryProvider>(), date);
        return list;
    }
    std::map<std::pair<TGUID, double>, DayEntryListPtr> lists;
    int saves = 0;
    int reads = 0;
};

const TGUID Work = TGUID::Constant("{11111111-2222-3333-4444-555555555555}");
const TGUID Lunch = TGUID::Constant("{66666666-7777-8888-9999-AAAAAAAAAAAA}");

ActivityLocatorPtr Locator(const TGUID& id, bool isBreak = false) {
    auto values = std::make_shared<TPropertyList>(30, 1);
    values->Items(QStringLiteral("id"))->SetAsGUID(id);
    values->Items(QStringLiteral("break"))->SetAsBoolean(isBreak);
    auto locator = std::make_shared<TActivityLocator>();
    locator->LoadFromPropertyList(values);
    return locator;
}

/// A controller with the program's tracking manager (the regular tracker a test stand-in),
/// entries in memory, on a fixed clock starting Monday 2026-03-02 08:10.
class ApplicationTrackingTest : public ControllerTest {
protected:
    /// Starts the program (module preparation and controller); the regular tracker registers as
    /// its add-in would, and the options are applied.
    void Start() {
        THXApplication::Options options = TestOptions();
        options.createTrackingManager = {}; // the program's own tracking manager
        // The built-in add-ins that track nothing themselves: the regular tracker is the test's.
        static const TInternalAddInManager table = [] {
            TInternalAddInManager created;
            created.RegisterInternalAddIn<TNoTrackingTrackerAddIn>(QStringLiteral("TNoTrackingTrackerAddIn"));
            created.RegisterInternalAddIn<TActivityEntryProviderAddIn>(QStringLiteral("TActivityEntryProviderAddIn"));
            created.RegisterInternalAddIn<TStorageFileProviderAddIn>(QStringLiteral("TStorageFileProviderAddIn"));
            created.RegisterInternalAddIn<TGeneralTrackingOptions>(QStringLiteral("TGeneralTrackingOptions"));
            return created;
        }();
        options.internalAddIns = &table;
        if (!m_realStorage)
            options.dayEntryStorage = [this] { return m_storage; };
        StartController(options);
        m_booking = m_realStorage ? std::shared_ptr<IHXDayEntryStorage>(m_app->GetStorage()) : m_storage;
        m_tracker = std::make_shared<TestRegularTracker>();
        Link().Manager().AddTracker(m_tracker);
        m_app->ApplyOptions(TrackingSettings::SectionName);
    }
    /// The normal close, run as Exit runs it; the process "ends" (the files close).
    void CloseNormally() {
        QPointer<TfrmMain> window = m_app->MainWindow();
        m_app.reset();
        window->CloseNormally();
        ProcessPosted();
        m_booking.reset();
        ApplicationStart() = TApplicationStart{};
    }

    TTrackingManagerLink& Link() {
        auto link = std::dynamic_pointer_cast<TTrackingManagerLink>(m_app->GetTrackingManager());
        EXPECT_NE(link, nullptr);
        return *link;
    }
    PropertyListPtr TrackingOptions() { return m_app->GetOptions(TrackingSettings::SectionName); }
    TfrmMain& Main() { return *m_app->MainWindow(); }
    TestTrackingWindow& Window() { return *m_tracker->window; }
    double Now() const { return DateTimeFromQDateTime(Clock::Instance().CurrentDateTime()); }

    /// One tick of the main window's regular timer.
    void Tick() {
        QTimerEvent tick(Main().RegularTimer()->timerId());
        QCoreApplication::sendEvent(Main().RegularTimer(), &tick);
    }
    /// Ticks every 5 seconds until `until`.
    void RunUntil(double until) {
        while (Now() + OneMillisecond < until) {
            m_clock->AdvanceSecs(5);
            Tick();
        }
    }

    /// Books the period shown by the tracking window as the tracking dialog does: the work, and the
    /// proposed planned break as an interruption of it. The storage then reports the change.
    void BookShownPeriod() {
        TActivityBooker booker;
        booker.SetFrom(Window().from);
        booker.SetTo(Window().to);
        booker.AddItem(Locator(Work), Window().to - Window().from);
        if (Window().proposedBreak)
            booker.AddInterruption(Locator(Lunch, true), Window().proposedBreak->Duration);
        booker.Book(*m_booking);
    }

    using TBooked = std::vector<std::tuple<double, std::int64_t, std::int64_t, TGUID>>;
    static void AddBooked(const EntryPtr& entry, TBooked& entries) {
        const auto activityEntry = std::dynamic_pointer_cast<IHXActivityEntry_>(entry);
        ASSERT_NE(activityEntry, nullptr);
        entries.emplace_back(entry->Date(), DateTimeToMSecs(entry->Date() + entry->StartTime()),
                             DateTimeToMSecs(entry->Date() + entry->EndTime()), activityEntry->Locator()->ID());
    }
    /// Every activity entry in the memory storage as (date, start, end, activity), in milliseconds.
    TBooked Booked() const {
        TBooked entries;
        for (const auto& [key, list] : m_storage->lists)
            for (int i = 0; i < list->Count(); ++i)
                AddBooked(list->Items(i), entries);
        return entries;
    }
    /// The same read from the program's storage folder.
    TBooked StoredBetween(double fromDate, double toDate) {
        TBooked entries;
        const SearchResultPtr result = m_app->GetStorage()->SearchEntries(ActivityEntryTypeID, fromDate, toDate);
        for (result->First(); !result->Eof(); result->Next())
            AddBooked(result->Current(), entries);
        return entries;
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2026, 3, 2), QTime(8, 10))};
    ScopedUserLocale m_locale{QStringLiteral("de_DE")};
    std::shared_ptr<MemoryDayStorage> m_storage = std::make_shared<MemoryDayStorage>();
    /// The storage folder of the program instead of the memory storage.
    bool m_realStorage = false;
    /// Where answers are booked: the memory storage or the program's storage root.
    std::shared_ptr<IHXDayEntryStorage> m_booking;
    std::shared_ptr<TestRegularTracker> m_tracker;
};

} // namespace

TEST_F(ApplicationTrackingTest, SettingsComeFromTheOptionsWithTheirRangesAndDefaults) {
    Start();
    TApplicationTrackingHost host(*m_app, [this] { return m_storage; });
    host.SetManager(&Link().Manager());
    const PropertyListPtr options = TrackingOptions();
    struct Case {
        const char* key;
        std::function<void(IHXProperty_&)> set; // empty: the value is missing
        int expected;
    };
    const auto integer = [](int v) { return [v](IHXProperty_& p) { p.SetAsInteger(v); }; };
    const std::vector<Case> cases{
        {"interval", {}, 60},
        {"interval", integer(0), 1},
        {"interval", integer(-5), 1},
        {"interval", integer(101), 100},
        {"interval", [](IHXProperty_& p) { p.SetAsString(QStringLiteral("30")); }, 60},
        {"interval", integer(45), 45},
        {"tracking granularity", {}, 15},
        {"tracking granularity", integer(0), 1},
        {"tracking granularity", integer(61), 60},
        {"tracking granularity", integer(7), 7},
    };
    for (const Case& c : cases) {
        const QString key = QString::fromLatin1(c.key);
        SCOPED_TRACE(std::string(c.key) + " -> " + std::to_string(c.expected));
        options->Remove(key);
        if (c.set)
            c.set(*options->Items(key));
        const int value = key == TrackingSettings::IntervalKey ? TrackingSettings::Interval(host)
                                                               : TrackingSettings::Granularity(host);
        EXPECT_EQ(value, c.expected);
    }
    EXPECT_EQ(Link().TrackingIntervalMinutes(), 45);

    EXPECT_DOUBLE_EQ(TrackingSettings::WorkStart(host), 5.0 / 24);
    options->Items(TrackingSettings::WorkStartKey)->SetAsTime(6.5 / 24);
    EXPECT_DOUBLE_EQ(TrackingSettings::WorkStart(host), 6.5 / 24);

    EXPECT_EQ(TrackingSettings::CurrentTracker(host), RegularTrackerID);
    options->Items(TrackingSettings::CurrentTrackerKey)->SetAsGUID(TGUID::FromString(NoTrackingTrackerID));
    EXPECT_EQ(TrackingSettings::CurrentTracker(host), NoTrackingTrackerID);

    host.WriteDateTimeOption(TrackingSettings::ProgramStartKey, DT(2026, 3, 2, 7, 45));
    EXPECT_EQ(options->Find(TrackingSettings::ProgramStartKey)->DataType(), hxpdtDateTime);
    EXPECT_DOUBLE_EQ(TrackingSettings::ProgramStart(host), DT(2026, 3, 2, 7, 45));
    EXPECT_EQ(host.FindTracker(QStringLiteral("{46d37913-0103-4403-923b-38804993db25}")), m_tracker);
    EXPECT_NE(host.FindTracker(NoTrackingTrackerID), nullptr) << "the built-in tracker registered at launch";
}

TEST_F(ApplicationTrackingTest, PlannedBreaksComeFromTheOptionsFreshAtEveryLoad) {
    Start();
    const auto section = m_app->GetOptions(PlannedBreaksSectionName);
    TApplicationTrackingHost host(*m_app, {});
    EXPECT_TRUE(host.LoadPlannedBreaks().empty());
    const auto list = section->Items(PlannedBreaksSectionName)->AsValueList();
    const auto values = list->AddItem()->AsPropertyList();
    values->Items(QStringLiteral("from"))->SetAsTime(12.0 / 24);
    values->Items(QStringLiteral("to"))->SetAsTime(13.0 / 24);
    values->Items(QStringLiteral("duration"))->SetAsDuration(30 * OneMinute);
    Locator(Lunch, true)->SaveToPropertyList(values->Items(QStringLiteral("activity locator"))->AsPropertyList());

    const std::vector<TPlannedBreakValues> breaks = host.LoadPlannedBreaks();
    ASSERT_EQ(breaks.size(), 1u);
    EXPECT_DOUBLE_EQ(breaks[0].FromTime, 12.0 / 24);
    EXPECT_DOUBLE_EQ(breaks[0].ToTime, 13.0 / 24);
    EXPECT_NEAR(breaks[0].Duration, 30 * OneMinute, OneMillisecond);
    EXPECT_EQ(breaks[0].ActivityId, Lunch);
    // The controller's own list follows the section when it is applied.
    m_app->ApplyOptions(PlannedBreaksSectionName);
    ASSERT_EQ(m_app->GetPlannedBreaks()->Count(), 1);
    EXPECT_EQ(m_app->GetPlannedBreaks()->Items(0)->ActivityLocator()->ID(), Lunch);

    std::vector<TTrackingEntry> entries;
    host.GetActivityEntries(DT(2026, 3, 1, 0, 0), DT(2026, 3, 2, 0, 0), entries);
    EXPECT_TRUE(entries.empty()) << "without a storage there are no entries";
}

// Offscreen there is no tray host: the program says so in its log and tracks all the same.
TEST_F(ApplicationTrackingTest, TheTrayHintFollowsTheTrackingManager) {
    const LogSettings saved = GetLogSettings();
    GetLogSettings() = {LogTarget::File, LogLevelNormal, m_home.Path(QStringLiteral("h.log"))};
    Start();
    GetLogSettings() = saved;
    QFile log(m_home.Path(QStringLiteral("h.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("there is no system tray; the program runs and tracks without its icon"));

    // Started 08:10 with nothing booked: the first question is due at 09:00 (08:00 + 60 minutes).
    EXPECT_EQ(Main().Hint(), QStringLiteral("Next tracking is at 09:00."));
    EXPECT_EQ(Main().IconQuarters(), 0);
    RunUntil(DT(2026, 3, 2, 8, 45));
    EXPECT_EQ(Main().Hint(), QStringLiteral("Next tracking is at 09:00."));
    EXPECT_EQ(Main().IconQuarters(), 3) << "45 of 60 minutes have passed";
    EXPECT_FALSE(Window().visible);
    const int readsBefore = m_storage->reads;
    RunUntil(DT(2026, 3, 2, 9, 0));
    EXPECT_EQ(m_storage->reads, readsBefore) << "the regular ticks do not read the storage";
    ASSERT_TRUE(Window().visible);
    EXPECT_EQ(Window().shown.back().from, DT(2026, 3, 2, 8, 10));
    EXPECT_EQ(Window().shown.back().to, DT(2026, 3, 2, 9, 0));
    EXPECT_EQ(Main().Hint(), QStringLiteral("Please enter your activity."));

    // The answer is booked; the storage reports the change and the main window rechecks.
    BookShownPeriod();
    Window().HideTracking();
    Main().PostRecheckTracking();
    ProcessPosted();
    EXPECT_EQ(Main().Hint(), QStringLiteral("Next tracking is at 10:00."));

    // An entry booked in advance covers the present: tracking is impossible.
    TActivityBooker meeting;
    meeting.SetFrom(DT(2026, 3, 2, 9, 30));
    meeting.SetTo(DT(2026, 3, 2, 11, 0));
    meeting.AddItem(Locator(Work), 90 * OneMinute);
    meeting.Book(*m_storage);
    m_app->RecheckTracking();
    RunUntil(DT(2026, 3, 2, 9, 35));
    EXPECT_EQ(Main().Hint(), QStringLiteral("Tracking is disabled."));
    EXPECT_EQ(Main().IconQuarters(), 1);
    EXPECT_FALSE(Window().visible);

    // "No tracking": no window, the hint is the product name.
    TrackingOptions()->Items(TrackingSettings::CurrentTrackerKey)->SetAsString(NoTrackingTrackerID);
    m_app->ApplyOptions(TrackingSettings::SectionName);
    EXPECT_EQ(Main().Hint(), QStringLiteral("Varnelo Horalux"));
    EXPECT_FALSE(Link().HasIntervalTracker());
    EXPECT_FALSE(Link().HasTrackingTracker()) << "no tracking-window hot key either";
    EXPECT_FALSE(Main().GetTrayPopupMenu()->defaultAction()->isVisible());
}

TEST_F(ApplicationTrackingTest, NormalCloseAsksTheLastQuestionOnlyForAWholeGranularityStep) {
    struct Case {
        int closeMinute; // minutes after 08:00
        bool asked;
        double explainTo;
    };
    for (const Case& c : {Case{20, false, 0.0}, Case{35, true, DT(2026, 3, 2, 8, 30)}}) {
        SCOPED_TRACE(c.closeMinute);
        m_clock->Set(QDateTime(QDate(2026, 3, 2), QTime(8, 10)));
        m_storage = std::make_shared<MemoryDayStorage>();
        Start();
        RunUntil(DT(2026, 3, 2, 8, c.closeMinute));
        Window().duringModal = [this] { BookShownPeriod(); };
        const std::shared_ptr<TestRegularTracker> tracker = m_tracker;
        CloseNormally();
        EXPECT_EQ(m_terminated, 1);
        m_terminated = 0;
        if (!c.asked) {
            EXPECT_TRUE(tracker->window->shown.empty());
            EXPECT_TRUE(Booked().empty());
            continue;
        }
        ASSERT_EQ(tracker->window->shown.size(), 1u);
        EXPECT_TRUE(tracker->window->shown[0].modal);
        EXPECT_EQ(tracker->window->shown[0].from, DT(2026, 3, 2, 8, 10));
        EXPECT_EQ(tracker->window->shown[0].to, c.explainTo);
        ASSERT_EQ(Booked().size(), 1u);
        EXPECT_GE(m_storage->saves, 1) << "the answer was booked into the storage";
    }
}

TEST_F(ApplicationTrackingTest, WhoStillHoldsTheManagerAfterTheProgramEndedReachesNothing) {
    Start();
    EXPECT_TRUE(Link().HasTrackingTracker());
    const TrackingManagerLinkPtr link = m_app->GetTrackingManager();
    CloseNormally();
    link->UpdateTracking();
    link->TrackNow();
    link->ResetTrackingData();
    EXPECT_TRUE(link->HideTrackingWindow());
    EXPECT_FALSE(link->HasTrackingTracker());
    EXPECT_EQ(link->TrackingIntervalMinutes(), 60);
}

TEST_F(ApplicationTrackingTest, ARestartOnTheSameDayAsksFromTheFirstStart) {
    Start();
    EXPECT_DOUBLE_EQ(TrackingOptions()->Find(TrackingSettings::ProgramStartKey)->AsDateTime(), DT(2026, 3, 2, 8, 10));
    RunUntil(DT(2026, 3, 2, 8, 20));
    CloseNormally();

    // Started again at 09:30: the period to explain still begins at the first start, 08:10.
    m_clock->Set(QDateTime(QDate(2026, 3, 2), QTime(9, 30)));
    Start();
    ASSERT_TRUE(Window().visible);
    EXPECT_EQ(Window().shown.back().from, DT(2026, 3, 2, 8, 10));
    EXPECT_EQ(Window().shown.back().to, DT(2026, 3, 2, 9, 30));
    CloseNormally();

    // The next morning the stored start lies before the work-start time and does not count.
    m_clock->Set(QDateTime(QDate(2026, 3, 3), QTime(9, 30)));
    Start();
    RunUntil(DT(2026, 3, 3, 10, 30));
    ASSERT_TRUE(Window().visible);
    EXPECT_EQ(Window().shown.back().from, DT(2026, 3, 3, 9, 30));
    EXPECT_DOUBLE_EQ(TrackingOptions()->Find(TrackingSettings::ProgramStartKey)->AsDateTime(), DT(2026, 3, 3, 9, 30));
}

// The Options command with the "Tracking" page: the interval applied there times the next question
// at once.
TEST_F(ApplicationTrackingTest, ANewIntervalAppliedOnTheTrackingPageTimesTheNextQuestion) {
    Start();
    ASSERT_EQ(Main().Hint(), QStringLiteral("Next tracking is at 09:00."));
    bool applied = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmOptions*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        int tab = 0;
        while (tab < dialog->TabCount() && dialog->TabCaption(tab) != QStringLiteral("Tracking"))
            ++tab;
        ASSERT_LT(tab, dialog->TabCount());
        ASSERT_TRUE(dialog->SelectTab(tab));
        auto* page =
            dynamic_cast<TfrmGeneralTrackingOptions*>(dynamic_cast<TOptionsPage&>(*dialog->TabPage(tab)).Window());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(page->TrackerBox()->currentText(), RegularTrackerName);
        EXPECT_FALSE(dialog->IsModified()) << "entering the page is no change";
        page->IntervalEdit()->selectAll();
        QTest::keyClicks(page->IntervalEdit(), QStringLiteral("20"));
        applied = dialog->OK();
    });
    m_app->GetAction(ActionIdOptions)->Execute();
    ASSERT_TRUE(applied);
    EXPECT_EQ(FindIntegerDef(TrackingOptions(), TrackingSettings::IntervalKey, 0), 20);

    // Started 08:10 with nothing booked: now due at 08:20 (08:00 + 20 minutes).
    EXPECT_EQ(Main().Hint(), QStringLiteral("Next tracking is at 08:20."));
    RunUntil(DT(2026, 3, 2, 8, 19));
    EXPECT_FALSE(Window().visible);
    RunUntil(DT(2026, 3, 2, 8, 20));
    ASSERT_TRUE(Window().visible);
    EXPECT_EQ(Window().shown.back().from, DT(2026, 3, 2, 8, 10));
    EXPECT_EQ(Window().shown.back().to, DT(2026, 3, 2, 8, 15)) << "the end on the 15-minute granularity";
}

namespace {

/// A working week on a clock advanced in 5-second steps, with the lunch break planned in the
/// options. The user answers each question 90 seconds after it appears (booking the shown period
/// through the activity booker, with the proposed lunch as an interruption), sometimes asks to be
/// reminded later, presses "Start Tracking for Today" when the end-of-work notice greets them, and
/// puts the machine to sleep at 18:30 except on Wednesday night. On Friday the program is closed
/// with Exit and the last question is answered. The entries go into the program's storage folder.
class ApplicationTrackingWeek : public ApplicationTrackingTest {
protected:
    ApplicationTrackingWeek() { m_realStorage = true; }

    static bool UserPresent(const QDateTime& now) { return now.time() >= QTime(8, 0) && now.time() < QTime(18, 25); }
    void PlanLunch() {
        const auto list =
            m_app->GetOptions(QStringLiteral("planned breaks"))->Items(QStringLiteral("planned breaks"))->AsValueList();
        const auto values = list->AddItem()->AsPropertyList();
        values->Items(QStringLiteral("from"))->SetAsTime(12.0 / 24);
        values->Items(QStringLiteral("to"))->SetAsTime(13.0 / 24);
        values->Items(QStringLiteral("duration"))->SetAsDuration(30 * OneMinute);
        Locator(Lunch, true)->SaveToPropertyList(values->Items(QStringLiteral("activity locator"))->AsPropertyList());
    }
    void Answer() {
        const int k = m_questions++;
        Window().HideTracking();
        if (k % 7 == 3) {
            Link().Manager().SetNextTrackingTime(Now() + 30 * OneMinute); // "Remind in 30 minutes"
            return;
        }
        if (k % 7 == 5) {
            Link().Manager().SetRemindNotBefore(Now() + 10 * OneMinute); // "Remind automatically"
            return;
        }
        BookShownPeriod();
        m_app->RecheckTracking(); // what the storage's change notification leads to
    }
    int m_questions = 0;
};

} // namespace

TEST_F(ApplicationTrackingWeek, EveryWorkingDayIsBookedWithoutGapsOrOverlaps) {
    m_clock->Set(QDateTime(QDate(2026, 3, 2), QTime(7, 50))); // Monday
    Start();
    PlanLunch();
    m_app->ApplyOptions(QStringLiteral("planned breaks"));
    int daySwitchNotices = 0;
    TTrackingManagerNotifications& notifications = Link().Manager().GetNotifications();
    notifications.OnDaySwitch = [&, shown = notifications.OnDaySwitch] {
        ++daySwitchNotices;
        shown();
    };

    std::optional<QDateTime> answerAt, startTrackingAt;
    std::map<QDate, double> dayStart{{QDate(2026, 3, 2), DT(2026, 3, 2, 7, 50)}};
    const QDateTime end(QDate(2026, 3, 6), QTime(18, 20));
    while (m_clock->CurrentDateTime() < end) {
        QDateTime now = m_clock->CurrentDateTime();
        if (now.time() >= QTime(18, 30) && now.date() != QDate(2026, 3, 4)) {
            m_clock->Set(QDateTime(now.date().addDays(1), QTime(8, 0))); // standby overnight
            answerAt.reset();
        } else {
            m_clock->AdvanceSecs(5);
        }
        now = m_clock->CurrentDateTime();
        const int noticesBefore = daySwitchNotices;
        Tick();
        // The notice may have come while the user was away; it waits on the screen for them.
        const bool noticeShown = m_app->DaySwitchWindow() && m_app->DaySwitchWindow()->isVisible();
        if ((daySwitchNotices > noticesBefore || noticeShown) && !startTrackingAt && UserPresent(now))
            startTrackingAt = now.addSecs(30);
        if (startTrackingAt && now >= *startTrackingAt) {
            // "Start Tracking for Today" in the end-of-work notice.
            ASSERT_NE(m_app->DaySwitchWindow(), nullptr);
            EXPECT_TRUE(m_app->DaySwitchWindow()->isVisible());
            m_app->DaySwitchWindow()->StartButton()->click();
            EXPECT_FALSE(m_app->HasCurrentWindow());
            dayStart[now.date()] = DateTimeFromQDateTime(now);
            startTrackingAt.reset();
        }
        if (Window().visible && !answerAt && UserPresent(now))
            answerAt = now.addSecs(90);
        if (answerAt && now >= *answerAt) {
            answerAt.reset();
            if (Window().visible)
                Answer();
        }
    }
    Window().duringModal = [this] { BookShownPeriod(); };
    const std::shared_ptr<TestRegularTracker> tracker = m_tracker;
    CloseNormally();
    ASSERT_FALSE(tracker->window->shown.empty());
    EXPECT_TRUE(tracker->window->shown.back().modal) << "Exit asked the last question";
    ASSERT_EQ(dayStart.size(), 5u) << "Tuesday to Friday began with \"Start Tracking for Today\"";

    // Started again, the program reads the week back from its files.
    Start();
    std::map<double, std::set<std::pair<std::int64_t, std::int64_t>>> periodsByDay;
    std::map<double, int> lunches;
    for (const auto& [date, from, to, activity] : StoredBetween(DT(2026, 3, 2, 0, 0), DT(2026, 3, 6, 0, 0))) {
        periodsByDay[date].insert({from, to});
        if (activity == Lunch)
            ++lunches[date];
    }
    ASSERT_EQ(periodsByDay.size(), 5u);
    for (const auto& [date, periods] : periodsByDay) {
        SCOPED_TRACE(DateToISO(date).toStdString());
        EXPECT_EQ(periods.begin()->first, DateTimeToMSecs(dayStart.at(QDateFromDate(date))) / 60000 * 60000);
        // Entries of one answer share their period; distinct periods follow each other exactly.
        std::int64_t previousEnd = periods.begin()->first;
        for (const auto& [from, to] : periods) {
            EXPECT_EQ(from, previousEnd);
            EXPECT_LT(from, to);
            previousEnd = to;
        }
        EXPECT_GE(previousEnd, DateTimeToMSecs(date + 17.0 / 24)) << "explained until the evening";
        EXPECT_EQ(lunches[date], 1);
    }
}
