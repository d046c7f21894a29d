#include "tracking_ui/RegularTrackingForm.h"

#include "activities_ui/ActivityComboBox.h"
#include "activities_ui/ActivityPropertiesForm.h"
#include "activities_ui/ActivityTreeView.h"
#include "addins/ApplicationInterface.h"
#include "controls/VRNIntegerEdit.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "foundation/WallClock.h"
#include "foundation/session/SessionAbsence.h"
#include "model/ActivityBooker.h"
#include "model/ActivityLocatorList.h"
#include "model/FriendlyDuration.h"
#include "model/PropertyInterfaces.h"
#include "storage/StorageInterfaces.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "tracking/TrackingSettings.h"
#include "ui/BusyCursor.h"
#include "ui/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

namespace {

const QString kProduct = QStringLiteral("Varnelo Horalux");

std::shared_ptr<ISessionAbsence>& SessionAbsenceSource() {
    static std::shared_ptr<ISessionAbsence> source;
    return source;
}

QLabel* IconLabel(QStyle::StandardPixmap icon, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(parent->style()->standardIcon(icon).pixmap(32, 32));
    label->setAlignment(Qt::AlignTop);
    return label;
}

/// A locator of the activity with that ID at the first place the tree holds it (none when the
/// tree has no such activity).
ActivityLocatorPtr LocatorInTree(const ActivityTreePtr& tree, const TGUID& id) {
    if (!tree)
        return nullptr;
    struct Frame {
        ActivityListPtr list;
        int index;
    };
    std::vector<Frame> stack{{tree->Childs(), 0}};
    std::vector<ActivityPtr> path;
    while (!stack.empty()) {
        Frame& frame = stack.back();
        if (frame.index >= frame.list->Count() || stack.size() > 64) {
            stack.pop_back();
            if (!path.empty())
                path.pop_back();
            continue;
        }
        const ActivityPtr activity = frame.list->Items(frame.index++);
        if (activity->ID() == id) {
            auto locator = std::make_shared<TActivityLocator>();
            locator->SetActivity(activity);
            for (auto it = path.rbegin(); it != path.rend(); ++it)
                locator->AddParentActivity((*it)->ID());
            return locator;
        }
        path.push_back(activity);
        stack.push_back({activity->Childs(), 0});
    }
    return nullptr;
}

bool SameBreak(const TPlannedBreakValues& a, const TPlannedBreakValues& b) {
    return a.ActivityId == b.ActivityId && TimesEqual(a.FromTime, b.FromTime) && TimesEqual(a.ToTime, b.ToTime) &&
           TimesEqual(a.Duration, b.Duration);
}

} // namespace

double WorkStartOption(const PropertyListPtr& section) {
    const std::shared_ptr<IHXProperty_> value = section ? section->Find(TrackingSettings::WorkStartKey) : nullptr;
    double t = TrackingSettings::DefaultWorkStart;
    if (value && value->DataType() == hxpdtTime)
        t = value->AsTime();
    else if (value && value->DataType() == hxpdtDateTime)
        t = value->AsDateTime(); // as the tracking manager reads it
    return std::isfinite(t) && t >= 0.0 && t <= 1.0 ? t : TrackingSettings::DefaultWorkStart;
}

const std::vector<int>& RemindChoices() {
    static const std::vector<int> choices{0, 5, 10, 15, 20, 30, 45, 60, 90, 120, -1};
    return choices;
}

double RemindTime(int choice, double now, double workStart) {
    if (choice < 0) {
        double next = DateOf(now) + workStart;
        if (!TimeAfter(next, now))
            next += 1;
        return next;
    }
    return now + (choice > 0 ? choice : 10) * OneMinute;
}

TfrmBaseTracking2::TfrmBaseTracking2(QWidget* parent) : ThxBaseTrackingWindow(parent) {
    setWindowTitle(Tr("Enter Activity"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);

    m_pages = new QStackedWidget(this);
    m_splitter = new QSplitter(Qt::Horizontal);
    m_tree = new TActivityTreeView;
    m_tree->SetShowRootNode(false);
    m_tree->SetReadOnly(false);
    m_tree->SetPropertiesHandled(true);
    m_tree->TreeWidget()->setFrameShape(QFrame::StyledPanel);

    auto* right = new QWidget;
    m_rightLayout = new QVBoxLayout(right);
    m_rightLayout->setContentsMargins(8, 0, 0, 0);
    m_periodLabel = new QLabel;
    m_periodLabel->setWordWrap(true);
    m_activityBox = new TActivityComboBox;
    m_activityBox->SetShowPath(true);
    m_activityBox->SetShowButton(false);
    m_activityBox->SetSorted(false);
    m_periodLabel->setBuddy(m_activityBox);

    m_breakNotice = new QWidget;
    {
        auto* heading = new QLabel(Tr("Did you have a break?"));
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        heading->setStyleSheet(QStringLiteral("color: #c00000;"));
        auto* text = new QLabel(Tr("Please check whether you had this regular break."));
        text->setWordWrap(true);
        m_noticeHeading = heading;
        m_noticeText = text;
        auto* texts = new QVBoxLayout;
        texts->setContentsMargins(0, 0, 0, 0);
        texts->addWidget(heading);
        texts->addWidget(text);
        auto* row = new QHBoxLayout(m_breakNotice);
        row->setContentsMargins(0, 4, 0, 4);
        row->addWidget(IconLabel(QStyle::SP_MessageBoxInformation, this));
        row->addLayout(texts, 1);
        m_breakNotice->hide();
    }

    m_interruption = new QWidget;
    m_interruptCheck = new QCheckBox(Tr("&Interruption - enter duration in minutes and activity:"));
    m_minutes = new TVRNIntegerEdit;
    m_minutes->SetMaxValue(60);
    m_minutes->SetMinValue(1);
    m_minutes->SetValue(1);
    m_interruptBox = new TActivityComboBox;
    m_interruptBox->SetShowPath(true);
    m_interruptBox->SetSorted(false);
    {
        auto* layout = new QVBoxLayout(m_interruption);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_interruptCheck);
        auto* row = new QHBoxLayout;
        row->addWidget(m_minutes);
        row->addWidget(m_interruptBox, 1);
        layout->addLayout(row);
    }

    m_worksheetLine = new QWidget;
    m_worksheet = new QPushButton(Tr("&Worksheet"));
    {
        auto* text = new QLabel(Tr("You can use your worksheet for entering working hours, too."));
        text->setWordWrap(true);
        auto* row = new QHBoxLayout(m_worksheetLine);
        row->setContentsMargins(0, 0, 0, 0);
        row->addWidget(text, 1);
        row->addWidget(m_worksheet);
    }

    m_rightLayout->addWidget(m_periodLabel);
    m_rightLayout->addWidget(m_activityBox);
    m_rightLayout->addSpacing(10);
    m_rightLayout->addWidget(m_breakNotice);
    m_rightLayout->addWidget(m_interruption);
    m_rightLayout->addStretch(1);
    m_rightLayout->addWidget(m_worksheetLine);

    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(right);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStretchFactor(1, 1);
    m_pages->addWidget(m_splitter);

    auto* tooShort = new QWidget;
    {
        auto* text = new QLabel(FormatPlaceholders(
            Tr("%1 needs at least one minute of time to explain. Please wait a while or come back later. If you "
               "think this message is shown in error, check your worksheet."),
            {kProduct}));
        text->setWordWrap(true);
        auto* row = new QHBoxLayout(tooShort);
        row->addWidget(IconLabel(QStyle::SP_MessageBoxWarning, this), 0, Qt::AlignTop);
        row->addWidget(text, 1, Qt::AlignTop);
    }
    m_pages->addWidget(tooShort);

    m_remindList = new QComboBox;
    for (int minutes : RemindChoices()) {
        QString text;
        if (minutes == 0)
            text = Tr("Remind automatically");
        else if (minutes < 0)
            text = Tr("Don't remind again today");
        else
            text = FormatPlaceholders(Tr("Remind in %1 minutes"), {QString::number(minutes)});
        m_remindList->addItem(text, minutes);
    }
    m_remindList->setCurrentIndex(0);
    m_remind = new QPushButton(Tr("Remind &Later"));
    m_ok = new QPushButton(Tr("&OK"));
    m_ok->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_remindList);
    bottom->addSpacing(4);
    bottom->addWidget(m_remind);
    bottom->addSpacing(10);
    bottom->addWidget(m_ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 9);
    layout->addWidget(m_pages, 1);
    layout->addLayout(bottom);

    setMinimumSize(500, 360);
    resize(614, 360);
    m_splitter->setSizes({184, 430}); // 30 %

    connect(m_ok, &QPushButton::clicked, this, &TfrmBaseTracking2::BookAnswer);
    connect(m_remind, &QPushButton::clicked, this, &TfrmBaseTracking2::reject);
    connect(m_interruptCheck, &QCheckBox::toggled, this, &TfrmBaseTracking2::InterruptToggled);
    connect(m_minutes, &TVRNIntegerEdit::Changed, this, &TfrmBaseTracking2::UpdateButtons);
    connect(m_interruptBox, &TActivityComboBox::Changed, this, &TfrmBaseTracking2::UpdateButtons);
    connect(m_interruptBox->ComboBox(), &QComboBox::currentIndexChanged, this, &TfrmBaseTracking2::UpdateButtons);
    connect(m_activityBox, &TActivityComboBox::Changed, this, &TfrmBaseTracking2::BoxChanged);
    connect(m_activityBox->ComboBox(), &QComboBox::currentIndexChanged, this, &TfrmBaseTracking2::UpdateButtons);
    connect(m_tree, &TActivityTreeView::Changed, this, &TfrmBaseTracking2::TreeSelectionChanged);
    connect(m_tree->TreeWidget(), &QTreeWidget::itemClicked, this, &TfrmBaseTracking2::TreeSelectionChanged);
    connect(m_tree, &TActivityTreeView::TreeChanged, this, [this] {
        if (const ActivityLocatorPtr locator = m_activityBox->SelectedLocator())
            m_tree->SelectLocator(locator);
    });
    connect(m_tree, &TActivityTreeView::PropertiesRequested, this, &TfrmBaseTracking2::ShowProperties);
    connect(m_splitter, &QSplitter::splitterMoved, this, &TfrmBaseTracking2::KeepSplitterInRange);
    connect(m_worksheet, &QPushButton::clicked, this, [this] {
        const auto application = Application();
        const auto manager = application ? application->GetTrackingManager() : nullptr;
        if (manager && manager->CanShowWorksheet())
            manager->ShowWorksheet();
    });
    SetPositionName(QStringLiteral("Base Tracking"), true);
    UpdateButtons();
}

TfrmBaseTracking2::~TfrmBaseTracking2() {
    m_tree->SetTree(nullptr);
    m_activityBox->SetTree(nullptr);
    m_interruptBox->SetTree(nullptr);
}

void TfrmBaseTracking2::SetApplication(const std::shared_ptr<IApplication_>& application) {
    ThxBaseTrackingWindow::SetApplication(application);
    m_tree->SetTree(application ? application->GetActivityTree() : nullptr);
    m_activityBox->SetApplication(application.get());
    m_interruptBox->SetApplication(application.get());
    LoadHistory(m_activityBox, ActivityHistoryKey);
    LoadHistory(m_interruptBox, InterruptHistoryKey);
    LoadFormPosition();
}

void TfrmBaseTracking2::LoadHistory(TActivityComboBox* box, const QString& key) {
    box->Clear();
    const auto application = Application();
    if (!application)
        return;
    const PropertyListPtr section = application->GetOptions(RegularTrackingSection);
    const std::shared_ptr<IHXProperty_> stored = section ? section->Find(key) : nullptr;
    if (!stored || stored->DataType() != hxpdtValueList)
        return;
    TActivityLocatorHistoryList history(TrackingHistorySize);
    try {
        history.LoadFromValueList(stored->AsValueList());
    } catch (const std::exception& e) {
        // A damaged history is dropped; the next answer starts a new one.
        LogException(QStringLiteral("TfrmBaseTracking2.LoadHistory"), e);
        return;
    }
    for (int i = history.Count() - 1; i >= 0; --i)
        box->AddToTop(history.Items(i));
}

void TfrmBaseTracking2::SaveHistory(TActivityComboBox* box, const QString& key) {
    const auto application = Application();
    if (!application)
        return;
    TActivityLocatorHistoryList history(TrackingHistorySize);
    for (int i = box->Count() - 1; i >= 0; --i)
        if (!box->IsTemporary(i))
            history.AddToHistory(box->ItemLocator(i));
    const PropertyListPtr section = application->GetOptions(RegularTrackingSection);
    history.SaveToValueList(section->Items(key)->AsValueList());
    // The box keeps what the history keeps.
    while (box->Count() > TrackingHistorySize)
        box->DeleteItem(box->Count() - 1);
}

bool TfrmBaseTracking2::ShowsTooShortNotice() const {
    return m_pages->currentIndex() == 1;
}

int TfrmBaseTracking2::PeriodMinutes() const {
    const double length = RealTimeBetween(PeriodFrom(), PeriodTo());
    return static_cast<int>(std::floor(length / OneMinute + 1e-6));
}

void TfrmBaseTracking2::SetPeriod(double from, double to) {
    ThxBaseTrackingWindow::SetPeriod(from, to);
    m_pages->setCurrentIndex(TimesEqual(from, to) ? 1 : 0);
    const double length = RealTimeBetween(from, to);
    m_periodLabel->setText(
        FormatPlaceholders(Tr("Please explain your work from %1 to %2 (%3)."),
                           {FormatLocalTime(TimeOf(from), ShortTimePattern()),
                            FormatLocalTime(TimeOf(to), ShortTimePattern()), DurationToFriendlyText(2, length)}));
    const int minutes = PeriodMinutes();
    if (minutes < 2) {
        m_interruptCheck->setChecked(false);
    } else {
        const bool editing = isVisible() && m_interruptCheck->isChecked();
        m_minutes->SetMaxValue(minutes - 1);
        if (!editing)
            m_minutes->SetValue(m_minutes->Value());
    }
    UpdateButtons();
    ProposeAbsence();
}

void TfrmBaseTracking2::UpdateButtons() {
    const bool interrupt = m_interruptCheck->isChecked();
    m_minutes->setEnabled(interrupt);
    m_interruptBox->setEnabled(interrupt);
    if (ShowsTooShortNotice()) {
        m_ok->setEnabled(false);
        return;
    }
    const bool interruptionComplete = m_minutes->Valid() && m_interruptBox->SelectedLocator();
    m_ok->setEnabled(m_activityBox->SelectedLocator() && (!interrupt || interruptionComplete));
}

void TfrmBaseTracking2::InterruptToggled(bool checked) {
    if (checked && PeriodMinutes() < 2) {
        const QSignalBlocker block(m_interruptCheck);
        m_interruptCheck->setChecked(false);
        ShowMessageBox(this, windowTitle(), Tr("The time period to explain is too short to enter an interruption."),
                       MessageBoxKind::Information);
    }
    UpdateButtons();
}

void TfrmBaseTracking2::TreeSelectionChanged() {
    if (const ActivityLocatorPtr locator = m_tree->SelectedLocator())
        m_activityBox->SetSelectedLocator(locator);
    UpdateButtons();
}

void TfrmBaseTracking2::BoxChanged() {
    if (const ActivityLocatorPtr locator = m_activityBox->SelectedLocator())
        m_tree->SelectLocator(locator);
    UpdateButtons();
}

void TfrmBaseTracking2::ShowProperties(const ActivityPtr& activity) {
    EditActivityProperties(this, activity);
}

void TfrmBaseTracking2::PlaceInterruptionFirst(bool first) {
    m_rightLayout->removeWidget(m_breakNotice);
    m_rightLayout->removeWidget(m_interruption);
    // Above the period text when a break is proposed, else below the activity box.
    const int at = first ? 0 : m_rightLayout->indexOf(m_activityBox) + 2;
    m_rightLayout->insertWidget(at, m_interruption);
    m_rightLayout->insertWidget(at, m_breakNotice);
    if (first) {
        setTabOrder(m_interruptCheck, m_minutes);
        setTabOrder(m_minutes, m_interruptBox);
        setTabOrder(m_interruptBox, m_activityBox);
    } else {
        setTabOrder(m_activityBox, m_interruptCheck);
        setTabOrder(m_interruptCheck, m_minutes);
        setTabOrder(m_minutes, m_interruptBox);
    }
}

void TfrmBaseTracking2::SetSessionAbsence(std::shared_ptr<ISessionAbsence> absence) {
    SessionAbsenceSource() = std::move(absence);
}

void TfrmBaseTracking2::ShowProposal(const QString& heading, const QString& text, int minutes,
                                     const ActivityLocatorPtr& activity) {
    m_noticeHeading->setText(heading);
    m_noticeText->setText(text);
    m_breakNotice->show();
    PlaceInterruptionFirst(true);
    if (PeriodMinutes() >= 2) {
        const QSignalBlocker block(m_interruptCheck);
        m_interruptCheck->setChecked(true);
    }
    m_minutes->SetValue(minutes);
    if (activity)
        m_interruptBox->SetSelectedLocator(activity);
    UpdateButtons();
}

void TfrmBaseTracking2::SetPlannedBreak(const TPlannedBreakValues* plannedBreak) {
    if (!plannedBreak) {
        // The proposal was withdrawn; what the user entered stays.
        if (m_proposedBreak) {
            m_proposedBreak.reset();
            m_breakNotice->hide();
            PlaceInterruptionFirst(false);
        }
        return;
    }
    if (m_proposedBreak && SameBreak(*m_proposedBreak, *plannedBreak))
        return;
    m_proposedBreak = *plannedBreak;
    m_proposedAbsence.reset();
    const auto application = Application();
    ShowProposal(Tr("Did you have a break?"), Tr("Please check whether you had this regular break."),
                 static_cast<int>(std::floor(plannedBreak->Duration / OneMinute + 1e-6)),
                 LocatorInTree(application ? application->GetActivityTree() : nullptr, plannedBreak->ActivityId));
}

void TfrmBaseTracking2::ProposeAbsence() {
    const std::shared_ptr<ISessionAbsence> source = SessionAbsenceSource();
    if (!source || !source->Available() || m_proposedBreak || ShowsTooShortNotice() || !isVisible())
        return;
    const int periodMinutes = PeriodMinutes();
    std::optional<TAbsencePeriod> longest;
    for (const TAbsencePeriod& absence : source->AbsencesBetween(PeriodFrom(), PeriodTo()))
        if (!longest || absence.to - absence.from > longest->to - longest->from)
            longest = absence;
    if (!longest)
        return;
    const int minutes = static_cast<int>(std::floor((longest->to - longest->from) / OneMinute + 1e-6));
    // Only what leaves time for the activity; an absence of the whole period is the user's to judge.
    if (minutes < 1 || minutes >= periodMinutes)
        return;
    if (m_proposedAbsence && TimesEqual(m_proposedAbsence->first, longest->from))
        return;
    m_proposedAbsence = std::make_pair(longest->from, longest->to);
    const QString from = FormatLocalTime(TimeOf(longest->from), ShortTimePattern());
    const QString to = FormatLocalTime(TimeOf(longest->to), ShortTimePattern());
    const QString text = longest->kind == TAbsenceKind::Suspended
                             ? FormatPlaceholders(Tr("The computer was asleep from %1 to %2."), {from, to})
                             : FormatPlaceholders(Tr("The screen was locked from %1 to %2."), {from, to});
    // The activity of the last interruption, if there was one.
    const ActivityLocatorPtr activity =
        m_interruptBox->Count() > 0 && !m_interruptBox->IsTemporary(0) ? m_interruptBox->ItemLocator(0) : nullptr;
    ShowProposal(Tr("Were you away?"), text, minutes, activity);
}

void TfrmBaseTracking2::showEvent(QShowEvent* event) {
    ThxBaseTrackingWindow::showEvent(event);
    // At program end the question is the last one: "Exit" instead of a reminder.
    m_remind->setText(IsModal() ? Tr("E&xit") : Tr("Remind &Later"));
    m_remindList->setVisible(!IsModal());
    m_activityBox->SetSelectedLocator(nullptr);
    m_interruptBox->SetSelectedLocator(nullptr);
    if (!m_proposedBreak) {
        m_proposedAbsence.reset();
        m_breakNotice->hide();
        const QSignalBlocker block(m_interruptCheck);
        m_interruptCheck->setChecked(false);
    }
    if (!ShowsTooShortNotice())
        m_activityBox->setFocus();
    const auto application = Application();
    const auto manager = application ? application->GetTrackingManager() : nullptr;
    m_worksheetLine->setVisible(manager && manager->CanShowWorksheet());
    UpdateButtons();
    ProposeAbsence();
}

bool TfrmBaseTracking2::BookAnswer() {
    TBusyCursor busy;
    m_confirmed = true;
    const ActivityLocatorPtr locator = m_activityBox->SelectedLocator();
    const auto application = Application();
    if (!locator || !application || ShowsTooShortNotice()) {
        m_confirmed = false;
        return false;
    }
    m_activityBox->AddToTop(locator);
    TActivityBooker booker;
    booker.SetFrom(PeriodFrom());
    booker.SetTo(PeriodTo());
    // The time that passed, which is less than to - from across the spring daylight saving change.
    booker.AddItem(locator, RealTimeBetween(PeriodFrom(), PeriodTo()));
    const ActivityLocatorPtr interruption = m_interruptBox->SelectedLocator();
    try {
        if (interruption && m_interruptCheck->isChecked()) {
            m_interruptBox->AddToTop(interruption);
            booker.AddInterruption(interruption, m_minutes->Value() * OneMinute);
        }
        const std::shared_ptr<IHXStorage_> storage = application->GetStorage();
        if (!storage)
            throw EMustNotHappen(QStringLiteral("TfrmBaseTracking2.cmdOKClick: no storage"));
        booker.Book(*storage);
    } catch (const EUserCancel&) {
        // The user cancelled a question of the storage: nothing was booked, the answer stays.
        m_confirmed = false;
        return false;
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TfrmBaseTracking2.cmdOKClick"), e);
        // Nothing was booked: the answer stays in the dialog for another try.
        ShowErrorBox(this, windowTitle(), Tr("Your answer could not be recorded. Please try again."), e);
        m_confirmed = false;
        return false;
    }
    application->SaveAll();
    accept();
    return true;
}

void TfrmBaseTracking2::Closing() {
    const auto application = Application();
    const auto manager = application ? application->GetTrackingManager() : nullptr;
    if (!m_confirmed && manager) {
        const int choice = m_remindList->currentData().toInt();
        const double now = NowDateTime();
        const double when =
            RemindTime(choice, now, WorkStartOption(application->GetOptions(TrackingSettings::SectionName)));
        if (choice == 0)
            manager->SetRemindNotBefore(when);
        else
            manager->SetNextTrackingTime(when);
    }
    m_confirmed = false;
    SaveHistory(m_activityBox, ActivityHistoryKey);
    SaveHistory(m_interruptBox, InterruptHistoryKey);
    m_proposedBreak.reset();
    m_proposedAbsence.reset();
    m_breakNotice->hide();
    PlaceInterruptionFirst(false);
    m_remindList->setCurrentIndex(0);
}

void TfrmBaseTracking2::KeepSplitterInRange() {
    const QList<int> sizes = m_splitter->sizes();
    const int total = sizes.value(0) + sizes.value(1);
    if (total <= 0)
        return;
    const int left = std::clamp(sizes.value(0), total * 5 / 100, total * 50 / 100);
    if (left != sizes.value(0))
        m_splitter->setSizes({left, total - left});
}
