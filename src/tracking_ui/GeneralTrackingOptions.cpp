#include "tracking_ui/GeneralTrackingOptions.h"

#include "addins/ApplicationInterface.h"
#include "controls/VRNIntegerEdit.h"
#include "controls/VRNTimeEdit.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/HotKeyProperty.h"
#include "model/PropertyHelpers.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "tracking/TrackingSettings.h"
#include "ui/HotKeyEdit.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const QString kHotKey = QStringLiteral("hotkey");

std::uint16_t ReadHotKey(const std::shared_ptr<IHXPropertyList_>& section) {
    return HotKeyFromProperty(section->Find(kHotKey), 0);
}

/// A stored work start the time edit can show: anything that is no time of the day gives the
/// default, as the tracking manager reads it.
double WorkStartValue(const std::shared_ptr<IHXPropertyList_>& section) {
    const double value = FindTimeDef(section, TrackingSettings::WorkStartKey, TrackingSettings::DefaultWorkStart);
    return std::isfinite(value) && value >= 0 && value <= 1 ? value : TrackingSettings::DefaultWorkStart;
}

/// "current tracker" as the tracking manager reads it: a text or a GUID.
QString StoredTracker(const std::shared_ptr<IHXPropertyList_>& section) {
    const auto property = section->Find(TrackingSettings::CurrentTrackerKey);
    if (property && property->DataType() == hxpdtGUID)
        return property->AsGUID().ToString();
    return GetStringDef(property, RegularTrackerID);
}

TVRNIntegerEdit* NewMinutesEdit(QWidget* parent, int minimum, int maximum) {
    auto* edit = new TVRNIntegerEdit(parent);
    edit->SetMaxValue(maximum);
    edit->SetMinValue(minimum);
    edit->SetIncrement1(1);
    edit->SetIncrement2(5);
    edit->SetIncrement3(10);
    return edit;
}

/// A caption above its control, in the panel's layout.
void AddRow(QVBoxLayout* layout, QLabel* label, QWidget* control) {
    label->setBuddy(control);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* row = new QHBoxLayout;
    row->addWidget(control);
    row->addStretch(1);
    layout->addLayout(row);
}

} // namespace

TfrmGeneralTrackingOptions::TfrmGeneralTrackingOptions(QWidget* parent, IHXOptionsControl_* control,
                                                       std::shared_ptr<IHXTrackingManagerLink> manager)
    : TfrmOptionsPage(parent, control), m_manager(std::move(manager)), m_trackerBox(new QComboBox(this)),
      m_stack(new QStackedWidget(this)) {
    setObjectName(QStringLiteral("frmGeneralTrackingOptions"));
    auto* description = new QLabel(Tr("Please select the method you want to use for tracking your time. Please "
                                      "specify some general options to adjust this program to your needs."),
                                   this);
    description->setWordWrap(true);
    auto* trackerLabel = new QLabel(Tr("Specify the dialog to use for tracking your time:"), this);
    trackerLabel->setBuddy(m_trackerBox);
    m_trackerBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    m_stack->addWidget(new QWidget(m_stack)); // the empty panel of a tracker that never asks
    m_panels[0] = BuildPanel(true);
    m_panels[1] = BuildPanel(false);
    m_stack->addWidget(m_panels[0].page);
    m_stack->addWidget(m_panels[1].page);

    auto* trackerRow = new QHBoxLayout;
    trackerRow->addWidget(m_trackerBox);
    trackerRow->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(8);
    layout->addWidget(description);
    layout->addSpacing(6);
    layout->addWidget(trackerLabel);
    layout->addLayout(trackerRow);
    layout->addSpacing(6);
    layout->addWidget(m_stack);
    layout->addStretch(1);

    connect(m_trackerBox, &QComboBox::currentIndexChanged, this, [this] {
        ShowPanelForSelection();
        UserChanged();
    });
}

TfrmGeneralTrackingOptions::TPanelControls TfrmGeneralTrackingOptions::BuildPanel(bool withInterval) {
    TPanelControls controls;
    controls.page = new QWidget(m_stack);
    auto* layout = new QVBoxLayout(controls.page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    if (withInterval) {
        m_interval = NewMinutesEdit(controls.page, TrackingSettings::MinInterval, TrackingSettings::MaxInterval);
        AddRow(layout, new QLabel(Tr("Duration between showings of this dialog in minutes:"), controls.page),
               m_interval);
        connect(m_interval, &TVRNIntegerEdit::Changed, this, &TfrmGeneralTrackingOptions::UserChanged);
    }
    controls.granularity =
        NewMinutesEdit(controls.page, TrackingSettings::MinGranularity, TrackingSettings::MaxGranularity);
    AddRow(layout, new QLabel(Tr("Tracking granularity in minutes:"), controls.page), controls.granularity);
    controls.workStart = new TVRNTimeEdit(controls.page);
    AddRow(layout, new QLabel(Tr("Enter a time you usually don't work:"), controls.page), controls.workStart);
    controls.hotKey = new THotKeyEdit(controls.page);
    controls.hotKey->setMinimumWidth(200);
    AddRow(layout, new QLabel(Tr("Enter a hotkey for activating this dialog:"), controls.page), controls.hotKey);
    layout->addStretch(1);

    connect(controls.granularity, &TVRNIntegerEdit::Changed, this, &TfrmGeneralTrackingOptions::UserChanged);
    connect(controls.workStart, &TVRNTimeEdit::Changed, this, &TfrmGeneralTrackingOptions::UserChanged);
    connect(controls.hotKey, &THotKeyEdit::HotKeyChanged, this, &TfrmGeneralTrackingOptions::UserChanged);
    return controls;
}

const TfrmGeneralTrackingOptions::TPanelControls& TfrmGeneralTrackingOptions::Controls(TPanel panel) const {
    return m_panels[panel == TPanel::EveryUpdate ? 1 : 0];
}

const TfrmGeneralTrackingOptions::TPanelControls& TfrmGeneralTrackingOptions::Current() const {
    return Controls(m_shown == TPanel::Empty ? m_lastWithValues : m_shown);
}

TrackerAddInPtr TfrmGeneralTrackingOptions::SelectedTracker() const {
    const int index = m_trackerBox->currentIndex();
    if (index < 0 || index >= static_cast<int>(m_trackers.size()))
        return nullptr;
    return m_trackers[static_cast<size_t>(index)];
}

void TfrmGeneralTrackingOptions::UserChanged() {
    if (!m_loading)
        SetModified();
}

void TfrmGeneralTrackingOptions::ShowPanelForSelection() {
    const TrackerAddInPtr tracker = SelectedTracker();
    TPanel panel = TPanel::Empty;
    if (tracker && tracker->GetTrackingType() == TTrackingType::Interval)
        panel = TPanel::Interval;
    else if (tracker && tracker->GetTrackingType() == TTrackingType::EveryUpdate)
        panel = TPanel::EveryUpdate;
    if (panel == m_shown)
        return;
    // The values the user sees go along into the other panel, so that they survive the switch.
    const TPanelControls& from = Current();
    for (const TPanelControls& to : m_panels) {
        if (&to == &from)
            continue;
        to.granularity->SetValue(from.granularity->Value());
        to.workStart->SetValue(from.workStart->Value());
        to.hotKey->SetHotKey(from.hotKey->HotKey());
    }
    m_shown = panel;
    if (panel != TPanel::Empty)
        m_lastWithValues = panel;
    m_stack->setCurrentIndex(static_cast<int>(panel));
}

void TfrmGeneralTrackingOptions::LoadPage() {
    m_loading = true;
    const auto guard = qScopeGuard([this] { m_loading = false; });
    const auto section = Section(TrackingSettings::SectionName);

    m_trackers.clear();
    const int count = m_manager ? m_manager->GetTrackerCount() : 0;
    std::vector<TrackerAddInPtr> registered;
    for (int i = 0; i < count; ++i)
        if (TrackerAddInPtr tracker = m_manager->GetTracker(i))
            registered.push_back(std::move(tracker));
    m_trackers = registered;
    std::stable_sort(m_trackers.begin(), m_trackers.end(), [](const TrackerAddInPtr& a, const TrackerAddInPtr& b) {
        return QString::localeAwareCompare(a->GetName(), b->GetName()) < 0;
    });
    m_trackerBox->clear();
    for (const TrackerAddInPtr& tracker : m_trackers)
        m_trackerBox->addItem(tracker->GetName());

    // An identifier no tracker has: the tracker the manager really uses, else the one it would
    // choose; the entry shown is then what an Apply writes, and tracking stays as it is.
    const QString stored = StoredTracker(section);
    const auto indexOf = [this](const std::function<bool(const TrackerAddInPtr&)>& fits) {
        const auto it = std::find_if(m_trackers.begin(), m_trackers.end(), fits);
        return it == m_trackers.end() ? -1 : static_cast<int>(it - m_trackers.begin());
    };
    int index = indexOf([&](const TrackerAddInPtr& t) { return SameTrackerID(t->GetID(), stored); });
    if (index < 0 && m_manager)
        if (const TrackerAddInPtr current = m_manager->GetCurrentTracker())
            index = indexOf([&](const TrackerAddInPtr& t) { return t == current; });
    if (index < 0)
        if (const TrackerAddInPtr chosen = ChooseTracker(registered, stored))
            index = indexOf([&](const TrackerAddInPtr& t) { return t == chosen; });
    if (index < 0 && !m_trackers.empty())
        index = 0;

    m_interval->SetValue(FindIntegerDef(section, TrackingSettings::IntervalKey, TrackingSettings::DefaultInterval));
    const int granularity =
        FindIntegerDef(section, TrackingSettings::GranularityKey, TrackingSettings::DefaultGranularity);
    const double workStart = WorkStartValue(section);
    const std::uint16_t hotKey = ReadHotKey(section);
    for (const TPanelControls& panel : m_panels) {
        panel.granularity->SetValue(granularity);
        panel.workStart->SetValue(workStart);
        panel.hotKey->SetHotKey(hotKey);
    }
    m_trackerBox->setCurrentIndex(index);
    ShowPanelForSelection();
}

bool TfrmGeneralTrackingOptions::CheckValues() {
    const auto refuse = [this](QWidget* control, const QString& text) {
        ShowMessageBox(this, Tr("Tracking"), text, QString(), MessageBoxKind::Error2, MessageBoxButton::OK);
        control->setFocus();
        return false;
    };
    if (m_shown == TPanel::Interval && !m_interval->Valid())
        return refuse(m_interval, FormatPlaceholders(Tr("Please enter a duration between showings of this dialog "
                                                        "from %1 to %2 minutes."),
                                                     {QString::number(TrackingSettings::MinInterval),
                                                      QString::number(TrackingSettings::MaxInterval)}));
    if (m_shown == TPanel::Empty)
        return true;
    const TPanelControls& shown = Current();
    if (!shown.granularity->Valid())
        return refuse(shown.granularity, FormatPlaceholders(Tr("Please enter a tracking granularity from %1 to %2 "
                                                               "minutes."),
                                                            {QString::number(TrackingSettings::MinGranularity),
                                                             QString::number(TrackingSettings::MaxGranularity)}));
    if (!shown.workStart->Valid())
        return refuse(shown.workStart, Tr("Please enter the time you usually don't work as a time of the day."));
    return true;
}

bool TfrmGeneralTrackingOptions::SavePage() {
    const TrackerAddInPtr tracker = SelectedTracker();
    if (!tracker)
        return true;
    if (!CheckValues())
        return false;
    const TPanelControls& shown = Current();
    const std::uint16_t hotKey = shown.hotKey->HotKey();
    if (!AcceptHotKeyBesides(this, Tr("Tracking"), hotKey, ReadHotKey(Section(QStringLiteral("general")))))
        return false;
    const auto section = Section(TrackingSettings::SectionName);
    section->Items(TrackingSettings::CurrentTrackerKey)->SetAsString(tracker->GetID());
    // Written with every tracker; without the interval panel it keeps the loaded value.
    section->Items(TrackingSettings::IntervalKey)->SetAsInteger(m_interval->Value());
    section->Items(TrackingSettings::GranularityKey)->SetAsInteger(shown.granularity->Value());
    section->Items(TrackingSettings::WorkStartKey)->SetAsTime(shown.workStart->Value());
    HotKeyToProperty(section->Items(kHotKey), hotKey);
    return true;
}

QString TGeneralTrackingOptions::GetID() {
    return QString::fromLatin1(ID);
}

QString TGeneralTrackingOptions::GetName() {
    return Tr("Tracking Options");
}

void TGeneralTrackingOptions::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const auto pages = Application().GetOptionsPagesList();
    if (!pages)
        return;
    const std::shared_ptr<IHXTrackingManagerLink> manager = Application().GetTrackingManager();
    // The page holds the manager only while it exists; the list of pages outlives neither.
    const std::weak_ptr<IHXTrackingManagerLink> weakManager = manager;
    pages->Add(std::make_shared<TOptionsPage>(
        Tr("Tracking"), 100,
        [weakManager](QWidget* parent, IHXOptionsControl_* control) {
            return new TfrmGeneralTrackingOptions(parent, control, weakManager.lock());
        },
        [weakManager] {
            const auto manager = weakManager.lock();
            return manager && manager->GetTrackerCount() > 0;
        }));
}
