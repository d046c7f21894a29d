// The "Tracking" options page: which tracker it preselects, the panel that follows the tracker's
// way of asking with values that survive a switch, what it writes and what it refuses.

#include "tracking_ui/GeneralTrackingOptions.h"

#include "controls/VRNIntegerEdit.h"
#include "controls/VRNTimeEdit.h"
#include "foundation/DateTime.h"
#include "model/HotKeyProperty.h"
#include "model/PropertyHelpers.h"
#include "model/PropertyList.h"
#include "support/OptionsControlStandIn.h"
#include "support/TestEnvironment.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "tracking/TrackingSettings.h"
#include "ui/HotKeyEdit.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using TPanel = TfrmGeneralTrackingOptions::TPanel;

constexpr std::uint16_t ShiftControlT = 0x0354;
constexpr std::uint16_t ShiftControlM = 0x034D;

class StandInTracker : public IHXTrackingWindowAddIn_ {
public:
    StandInTracker(QString name, QString id, TTrackingType type)
        : m_name(std::move(name)), m_id(std::move(id)), m_type(type) {}
    TrackingWindowPtr CreateTrackingWindow() override { return nullptr; }
    void FreeTrackingWindow() override {}
    QString GetName() override { return m_name; }
    QString GetID() override { return m_id; }
    TTrackingType GetTrackingType() override { return m_type; }
    bool NeedsFallbackTracker() override { return false; }

private:
    QString m_name, m_id;
    TTrackingType m_type;
};

/// The trackers and the current one as the page asks for them; everything else does nothing.
class StandInManager : public IHXTrackingManagerLink {
public:
    void UpdateTracking() override {}
    void ResetTrackingData() override {}
    void TrackNow() override {}
    void ReloadSettings() override {}
    void FinishTracking() override {}
    bool HideTrackingWindow() override { return true; }
    bool HasIntervalTracker() override { return false; }
    int TrackingIntervalMinutes() override { return 60; }
    void TrackingImpossibleNoticeGiven() override {}
    void SetNextTrackingTime(double) override {}
    void SetRemindNotBefore(double) override {}
    void RecordProgramStart() override {}
    bool CanShowWorksheet() override { return false; }
    void ShowWorksheet() override {}
    void SetWorksheetShower(const std::shared_ptr<IHXWorksheetShower_>&) override {}
    void AddTracker(const TrackerAddInPtr& tracker) override { trackers.push_back(tracker); }
    int GetTrackerCount() override { return static_cast<int>(trackers.size()); }
    TrackerAddInPtr GetTracker(int index) override { return trackers.at(static_cast<size_t>(index)); }
    TrackerAddInPtr GetCurrentTracker() override { return current; }
    void Cleanup() override {}

    std::vector<TrackerAddInPtr> trackers;
    TrackerAddInPtr current;
};

const QString EveryUpdateID = QStringLiteral("{A1B2C3D4-0000-4000-8000-000000000001}");

/// "No tracking" (never asks), "Regular Horalux" (at intervals) and "Automatic Tracker" (at
/// every update), registered in this order; sorted the page lists Automatic, No, Regular.
class GeneralTrackingOptionsTest : public testing::Test {
protected:
    GeneralTrackingOptionsTest() {
        noTracking = std::make_shared<StandInTracker>(NoTrackingTrackerName, NoTrackingTrackerID, TTrackingType::None);
        regular = std::make_shared<StandInTracker>(RegularTrackerName, RegularTrackerID, TTrackingType::Interval);
        everyUpdate = std::make_shared<StandInTracker>(QStringLiteral("Automatic Tracker"), EveryUpdateID,
                                                       TTrackingType::EveryUpdate);
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    ~GeneralTrackingOptionsTest() override {
        TMessageBoxSeam::ClearAnswers();
        TMessageBoxSeam::ClearHistory();
    }
    void RegisterAll() {
        for (const TrackerAddInPtr& tracker : {noTracking, regular, everyUpdate})
            manager->AddTracker(tracker);
    }
    std::shared_ptr<IHXPropertyList_> Tracking() { return control.GetSection(TrackingSettings::SectionName); }
    static int IndexOf(const TfrmGeneralTrackingOptions& page, const QString& name) {
        return page.TrackerBox()->findText(name);
    }

    ScopedFixedClock m_clock{QDateTime(QDate(2026, 3, 2), QTime(8, 0))};
    std::shared_ptr<StandInManager> manager = std::make_shared<StandInManager>();
    OptionsControlStandIn control;
    TrackerAddInPtr noTracking, regular, everyUpdate;
};

} // namespace

TEST_F(GeneralTrackingOptionsTest, PreselectsTheStoredTrackerElseTheOneTheManagerUses) {
    struct Case {
        const char* what;
        QString stored; // empty: none stored
        TrackerAddInPtr current;
        const char* expected;
    };
    RegisterAll();
    const std::vector<Case> cases{
        {"the stored identifier, in any case", RegularTrackerID.toLower(), everyUpdate, "Regular Horalux"},
        {"a stored GUID", NoTrackingTrackerID, regular, "No tracking"},
        {"nothing stored reads as the regular tracker", QString(), everyUpdate, "Regular Horalux"},
        // The second entry of the sorted list would be "No tracking": tracking would end on Apply.
        {"an unknown identifier: the manager's current tracker",
         QStringLiteral("{00000000-1111-2222-3333-444444444444}"), regular, "Regular Horalux"},
        {"an unknown identifier before the manager chose: the tracker it would choose",
         QStringLiteral("{00000000-1111-2222-3333-444444444444}"), nullptr, "Automatic Tracker"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Tracking()->Clear();
        if (c.stored == NoTrackingTrackerID)
            Tracking()->Items(TrackingSettings::CurrentTrackerKey)->SetAsGUID(TGUID::FromString(c.stored));
        else if (!c.stored.isEmpty())
            Tracking()->Items(TrackingSettings::CurrentTrackerKey)->SetAsString(c.stored);
        manager->current = c.current;
        TfrmGeneralTrackingOptions page(nullptr, &control, manager);
        page.LoadPage();
        EXPECT_EQ(page.TrackerBox()->currentText(), QString::fromLatin1(c.expected));
        EXPECT_EQ(page.TrackerBox()->count(), 3);
        EXPECT_EQ(page.TrackerBox()->itemText(0), "Automatic Tracker") << "sorted by name";
        EXPECT_EQ(page.TrackerBox()->itemText(2), "Regular Horalux");
        ASSERT_TRUE(page.SavePage());
        EXPECT_TRUE(SameTrackerID(FindStringDef(Tracking(), TrackingSettings::CurrentTrackerKey, QString()),
                                  page.SelectedTracker()->GetID()))
            << "an Apply keeps the tracker shown";
    }
    EXPECT_EQ(control.modified, 0) << "loading is no change";
}

TEST_F(GeneralTrackingOptionsTest, LoadsTheDefaultsIntoTheIntervalPanelWithoutReportingAChange) {
    RegisterAll();
    TfrmGeneralTrackingOptions page(nullptr, &control, manager);
    page.LoadPage();
    EXPECT_EQ(page.ShownPanel(), TPanel::Interval);
    EXPECT_EQ(page.IntervalEdit()->Text(), "60");
    EXPECT_EQ(page.GranularityEdit(TPanel::Interval)->Text(), "15");
    EXPECT_EQ(page.WorkStartEdit(TPanel::Interval)->Text(), "05:00");
    EXPECT_EQ(page.HotKeyEdit(TPanel::Interval)->HotKey(), 0);
    EXPECT_EQ(control.modified, 0);
    EXPECT_EQ(Tracking()->Count(), 0) << "loading writes nothing";

    // A second load (the tab entered again) is no change either.
    page.LoadPage();
    EXPECT_EQ(control.modified, 0);
}

TEST_F(GeneralTrackingOptionsTest, SwitchingTheTrackerTypeAndBackKeepsTheValues) {
    RegisterAll();
    TfrmGeneralTrackingOptions page(nullptr, &control, manager);
    page.LoadPage();
    ASSERT_EQ(page.ShownPanel(), TPanel::Interval);
    page.GranularityEdit(TPanel::Interval)->SetValue(7);
    page.WorkStartEdit(TPanel::Interval)->SetValue(EncodeTime(6, 30, 0, 0));
    page.HotKeyEdit(TPanel::Interval)->SetHotKey(ShiftControlT);

    page.TrackerBox()->setCurrentIndex(IndexOf(page, QStringLiteral("Automatic Tracker")));
    EXPECT_EQ(page.ShownPanel(), TPanel::EveryUpdate);
    EXPECT_EQ(control.modified, 1) << "choosing another tracker is a change";
    EXPECT_EQ(page.GranularityEdit(TPanel::EveryUpdate)->Text(), "7");
    EXPECT_EQ(page.WorkStartEdit(TPanel::EveryUpdate)->Text(), "06:30");
    EXPECT_EQ(page.HotKeyEdit(TPanel::EveryUpdate)->HotKey(), ShiftControlT);

    // Changed on the second panel, then through the empty panel back to the first.
    page.GranularityEdit(TPanel::EveryUpdate)->SetValue(9);
    page.TrackerBox()->setCurrentIndex(IndexOf(page, QStringLiteral("No tracking")));
    EXPECT_EQ(page.ShownPanel(), TPanel::Empty);
    page.TrackerBox()->setCurrentIndex(IndexOf(page, QStringLiteral("Regular Horalux")));
    EXPECT_EQ(page.ShownPanel(), TPanel::Interval);
    EXPECT_EQ(page.GranularityEdit(TPanel::Interval)->Text(), "9");
    EXPECT_EQ(page.WorkStartEdit(TPanel::Interval)->Text(), "06:30");
    EXPECT_EQ(page.HotKeyEdit(TPanel::Interval)->HotKey(), ShiftControlT);
    EXPECT_EQ(page.IntervalEdit()->Text(), "60");
}

TEST_F(GeneralTrackingOptionsTest, WritesTheShownValuesAndTheIntervalWithEveryTracker) {
    RegisterAll();
    Tracking()->Items(TrackingSettings::IntervalKey)->SetAsInteger(45);
    TfrmGeneralTrackingOptions page(nullptr, &control, manager);
    page.LoadPage();
    page.IntervalEdit()->selectAll();
    QTest::keyClicks(page.IntervalEdit(), QStringLiteral("20"));
    EXPECT_EQ(control.modified, 2) << "each typed digit is a change";
    page.TrackerBox()->setCurrentIndex(IndexOf(page, QStringLiteral("Automatic Tracker")));
    page.GranularityEdit(TPanel::EveryUpdate)->SetValue(10);
    page.WorkStartEdit(TPanel::EveryUpdate)->SetValue(EncodeTime(4, 15, 0, 0));
    page.HotKeyEdit(TPanel::EveryUpdate)->SetHotKey(ShiftControlM);

    ASSERT_TRUE(page.SavePage());
    const auto section = Tracking();
    EXPECT_TRUE(SameTrackerID(FindStringDef(section, TrackingSettings::CurrentTrackerKey, QString()), EveryUpdateID));
    EXPECT_EQ(FindIntegerDef(section, TrackingSettings::IntervalKey, 0), 20) << "written though not shown";
    EXPECT_EQ(FindIntegerDef(section, TrackingSettings::GranularityKey, 0), 10);
    EXPECT_EQ(FindTimeDef(section, TrackingSettings::WorkStartKey, 0), EncodeTime(4, 15, 0, 0));
    EXPECT_EQ(HotKeyFromProperty(section->Find(QStringLiteral("hotkey")), 0), ShiftControlM);
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(GeneralTrackingOptionsTest, RefusesTheMenusHotKeyAndValuesOutsideTheirRangesWritingNothing) {
    RegisterAll();
    HotKeyToProperty(control.GetSection(QStringLiteral("general"))->Items(QStringLiteral("hotkey")), ShiftControlT);
    struct Case {
        const char* what;
        std::function<void(TfrmGeneralTrackingOptions&)> enter;
        const char* message;
    };
    const auto type = [](TVRNCustomSpinEdit* edit, const char* text) {
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromLatin1(text));
    };
    const std::vector<Case> cases{
        {"the tray menu's hot key",
         [](TfrmGeneralTrackingOptions& p) { p.HotKeyEdit(TPanel::Interval)->SetHotKey(ShiftControlT); },
         "You have entered the same hotkey for the menu and the tracking window. Please change this hotkey."},
        {"interval 0", [&](TfrmGeneralTrackingOptions& p) { type(p.IntervalEdit(), "0"); },
         "Please enter a duration between showings of this dialog from 1 to 100 minutes."},
        {"interval 101", [&](TfrmGeneralTrackingOptions& p) { type(p.IntervalEdit(), "101"); },
         "Please enter a duration between showings of this dialog from 1 to 100 minutes."},
        {"granularity 61", [&](TfrmGeneralTrackingOptions& p) { type(p.GranularityEdit(TPanel::Interval), "61"); },
         "Please enter a tracking granularity from 1 to 60 minutes."},
        {"no time", [&](TfrmGeneralTrackingOptions& p) { type(p.WorkStartEdit(TPanel::Interval), "99:99"); },
         "Please enter the time you usually don't work as a time of the day."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMessageBoxSeam::ClearHistory();
        Tracking()->Clear();
        TfrmGeneralTrackingOptions page(nullptr, &control, manager);
        page.LoadPage();
        c.enter(page);
        TMessageBoxSeam::SetNextAnswer(MessageBoxResult::OK);
        EXPECT_FALSE(page.SavePage());
        EXPECT_EQ(Tracking()->Count(), 0);
        ASSERT_EQ(TMessageBoxSeam::History().size(), 1u);
        EXPECT_EQ(TMessageBoxSeam::History()[0].caption, "Tracking");
        EXPECT_EQ(TMessageBoxSeam::History()[0].text, QString::fromUtf8(c.message));
    }

    // No hot key is always accepted.
    TMessageBoxSeam::ClearHistory();
    HotKeyToProperty(control.GetSection(QStringLiteral("general"))->Items(QStringLiteral("hotkey")), 0);
    TfrmGeneralTrackingOptions page(nullptr, &control, manager);
    page.LoadPage();
    EXPECT_TRUE(page.SavePage());
    EXPECT_TRUE(TMessageBoxSeam::History().empty());
}

TEST_F(GeneralTrackingOptionsTest, WithoutTrackersNothingIsSelectedOrWritten) {
    TfrmGeneralTrackingOptions page(nullptr, &control, manager);
    page.LoadPage();
    EXPECT_EQ(page.TrackerBox()->count(), 0);
    EXPECT_EQ(page.SelectedTracker(), nullptr);
    EXPECT_EQ(page.ShownPanel(), TPanel::Empty);
    EXPECT_TRUE(page.SavePage());
    EXPECT_EQ(Tracking()->Count(), 0);

    TfrmGeneralTrackingOptions without(nullptr, &control, nullptr);
    without.LoadPage();
    EXPECT_TRUE(without.SavePage());
}
