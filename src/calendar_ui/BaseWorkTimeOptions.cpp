#include "calendar_ui/BaseWorkTimeOptions.h"

#include "calendar/NestedPropertyList.h"
#include "calendar_ui/PlannedBreakEdit.h"
#include "controls/VRNDurationEdit.h"
#include "controls/VRNFloatEdit.h"
#include "formatting/DateFormatterBuiltIn.h"
#include "formatting/DurationFormatter.h"
#include "formatting/DurationFormattingOptions.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/ActivityLocator.h"
#include "model/PropertyHelpers.h"
#include "ui/ActivityIcons.h"
#include "ui/MessageBox.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString kCalendar = QStringLiteral("calendar");
const QString kWeek = QStringLiteral("week");
const QString kFormatting = QStringLiteral("formatting options");
const QString kDurationOptions = QStringLiteral("duration formatting options");
const QString kHoursPerDay = QStringLiteral("hours per day");
const QString kUnknownActivity = QStringLiteral("???");

constexpr double NewBreakFrom = 11.5 / 24;
constexpr double NewBreakTo = 13.5 / 24;
constexpr double NewBreakDuration = 30.0 / (24 * 60);

/// The weekday (1 Monday .. 7 Sunday) of a row: row 0 is the locale's first day of the week.
int WeekdayOfRow(int row) {
    return (FormatSettings().FirstDayOfWeek + row) % 7 + 1;
}

/// The long name of a weekday (1 Monday .. 7 Sunday) in the user's locale.
QString WeekdayName(int day) {
    // 2001-01-01 was a Monday.
    return TDateFormatterGenericWeekdayLong().Format(EncodeDate(2001, 1, day));
}

QString MinutesText(double duration) {
    const long minutes = std::lround(duration * 24 * 60);
    return FormatPlaceholders(TrN("%1 minute", "%1 minutes", static_cast<unsigned long>(std::max(0L, minutes))),
                              {QString::number(minutes)});
}

QString TimeText(double time) {
    return FormatLocalTime(time, ShortTimePattern());
}

std::shared_ptr<IHXPropertyList_> DurationOptions(const std::shared_ptr<IHXPropertyList_>& formatting) {
    EnsurePropertyList(formatting, kDurationOptions);
    return formatting->Items(kDurationOptions)->AsPropertyList();
}

bool ConfirmDelete(QWidget* owner) {
    return ShowMessageBox(owner, Tr("Delete Break"), Tr("Are you sure you want to delete the selected break?"),
                          QString(), MessageBoxKind::Question,
                          MessageBoxButton::Yes | MessageBoxButton::No) == MessageBoxResult::Yes;
}

} // namespace

TfrmBaseWorkTimeOptions::TfrmBaseWorkTimeOptions(QWidget* parent, IHXOptionsControl_* control, ActivityTreePtr tree)
    : TfrmOptionsPage(parent, control), m_tree(std::move(tree)), m_weekSum(new QLabel(this)),
      m_hoursPerDay(new TVRNFloatEdit(this)), m_breakList(new QTreeWidget(this)),
      m_new(new QPushButton(Tr("New"), this)), m_edit(new QPushButton(Tr("Edit"), this)),
      m_delete(new QPushButton(Tr("Delete"), this)), m_editBreak(EditPlannedBreak) {
    setObjectName(QStringLiteral("frmBaseWorkTimeOptions"));
    auto* description = new QLabel(Tr("For every day of the week you can specify your required time. You can "
                                      "specify daily breaks that help you enter correct working hours."),
                                   this);
    description->setWordWrap(true);

    // Two columns of days: four on the left, three and the week's sum on the right.
    auto* days = new QGridLayout;
    days->setHorizontalSpacing(8);
    days->setVerticalSpacing(4);
    for (int row = 0; row < 7; ++row) {
        TDayRow& day = m_days[static_cast<size_t>(row)];
        day.day = WeekdayOfRow(row);
        day.label = new QLabel(WeekdayName(day.day) + u':', this);
        day.edit = new TVRNDurationEdit(this);
        day.edit->SetMaxValue(1.0); // 24:00
        day.label->setBuddy(day.edit);
        const int column = row < 4 ? 0 : 3;
        days->addWidget(day.label, row % 4, column);
        days->addWidget(day.edit, row % 4, column + 1);
        connect(day.edit, &TVRNDurationEdit::Changed, this, [this, row] { DayChanged(m_days[size_t(row)]); });
    }
    days->addWidget(new QLabel(Tr("Week:"), this), 3, 3);
    days->addWidget(m_weekSum, 3, 4);
    days->setColumnMinimumWidth(2, 16);
    days->setColumnStretch(5, 1);

    auto* hoursLabel = new QLabel(Tr("Specify the value to convert from hours to days:"), this);
    hoursLabel->setBuddy(m_hoursPerDay);
    m_hoursPerDay->SetMaxValue(24);
    m_hoursPerDay->SetMinValue(1);
    hoursLabel->setWordWrap(true); // a longer translation takes a second line
    auto* hoursRow = new QHBoxLayout;
    hoursRow->addWidget(hoursLabel, 1);
    hoursRow->addWidget(m_hoursPerDay);

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    auto* breaksLabel = new QLabel(Tr("Specify breaks that regularly occur every day:"), this);
    breaksLabel->setBuddy(m_breakList);

    m_breakList->setColumnCount(4);
    m_breakList->setHeaderHidden(true);
    m_breakList->setRootIsDecorated(false);
    m_breakList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_breakList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_breakList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_breakList->setIconSize(QSize(16, 16));
    m_breakList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_breakList->header()->setStretchLastSection(true);
    m_breakList->setMinimumHeight(70);
    m_breakList->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_new);
    buttons->addWidget(m_edit);
    buttons->addWidget(m_delete);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(6);
    layout->addWidget(description);
    layout->addLayout(days);
    layout->addLayout(hoursRow);
    layout->addWidget(separator);
    layout->addWidget(breaksLabel);
    layout->addWidget(m_breakList, 1);
    layout->addLayout(buttons);

    // The days in row order first, whatever order the controls were created in.
    QList<QWidget*> order;
    for (const TDayRow& day : m_days)
        order << day.edit;
    order << m_hoursPerDay << m_breakList << m_new << m_edit << m_delete;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_hoursPerDay, &TVRNFloatEdit::Changed, this, &TfrmBaseWorkTimeOptions::UserChanged);
    connect(m_breakList, &QTreeWidget::itemSelectionChanged, this, &TfrmBaseWorkTimeOptions::UpdateButtons);
    connect(m_breakList, &QTreeWidget::itemDoubleClicked, this, [this] { EditBreak(); });
    connect(m_new, &QPushButton::clicked, this, &TfrmBaseWorkTimeOptions::NewBreak);
    connect(m_edit, &QPushButton::clicked, this, &TfrmBaseWorkTimeOptions::EditBreak);
    connect(m_delete, &QPushButton::clicked, this, &TfrmBaseWorkTimeOptions::DeleteBreak);
    UpdateButtons();
}

void TfrmBaseWorkTimeOptions::UserChanged() {
    if (!m_loading)
        SetModified();
}

void TfrmBaseWorkTimeOptions::LoadPage() {
    m_loading = true;
    const auto guard = qScopeGuard([this] { m_loading = false; });
    m_week = std::make_shared<TWeek>();
    m_week->LoadFromPropertyList(NestedPropertyList(Section(kCalendar), kWeek));
    for (const TDayRow& row : m_days)
        row.edit->SetValue(m_week->WorkTimeOf(row.day));
    ShowWeekSum();

    m_breaks = std::make_shared<TPlannedBreakList>();
    LoadPlannedBreaksFromSection(*m_breaks, Section(PlannedBreaksSectionName));
    FillBreaks(nullptr);

    const auto durationOptions = NestedPropertyList(Section(kFormatting), kDurationOptions);
    m_hoursPerDay->SetValue(
        ClampHoursPerDay(GetDoubleDef(durationOptions ? durationOptions->Find(kHoursPerDay) : nullptr,
                                      TDurationFormattingOptions::DefaultHoursPerDay)));
    m_loading = false;
    UpdateButtons();
}

bool TfrmBaseWorkTimeOptions::SavePage() {
    const auto refuse = [this](QWidget* control, const QString& text) {
        ShowMessageBox(this, Tr("Work"), text, QString(), MessageBoxKind::Error2, MessageBoxButton::OK);
        control->setFocus();
        return false;
    };
    for (const TDayRow& row : m_days)
        if (!row.edit->Valid())
            return refuse(row.edit, FormatPlaceholders(Tr("Please enter the required time of %1 as hours and "
                                                          "minutes from 00:00 to 24:00."),
                                                       {WeekdayName(row.day)}));
    if (!m_hoursPerDay->Valid())
        return refuse(m_hoursPerDay, Tr("Please enter a number of hours from 1 to 24 to convert from hours to days."));

    for (const TDayRow& row : m_days)
        m_week->GetDay(row.day)->SetWorkTime(row.edit->Value());
    const auto calendar = Section(kCalendar);
    EnsurePropertyList(calendar, kWeek);
    m_week->SaveToPropertyList(calendar->Items(kWeek)->AsPropertyList());
    SavePlannedBreaksToSection(*m_breaks, Section(PlannedBreaksSectionName));
    DurationOptions(Section(kFormatting))->Items(kHoursPerDay)->SetAsDouble(m_hoursPerDay->Value());
    return true;
}

void TfrmBaseWorkTimeOptions::DayChanged(const TDayRow& row) {
    if (row.edit->Valid())
        m_week->GetDay(row.day)->SetWorkTime(row.edit->Value());
    ShowWeekSum();
    UserChanged();
}

void TfrmBaseWorkTimeOptions::ShowWeekSum() {
    double sum = 0;
    for (int day = 1; day <= 7; ++day)
        sum += m_week->WorkTimeOf(day);
    m_weekSum->setText(TDurationFormatterHM::Text(sum));
}

void TfrmBaseWorkTimeOptions::FillBreaks(const PlannedBreakPtr& select) {
    const PlannedBreakPtr keep = select ? select : SelectedBreak();
    m_breakList->clear();
    QTreeWidgetItem* selected = nullptr;
    for (int i = 0; i < m_breaks->Count(); ++i) {
        const PlannedBreakPtr plannedBreak = m_breaks->Items(i);
        const ActivityPtr activity = m_tree ? plannedBreak->ActivityLocator()->FindActivity(m_tree) : nullptr;
        auto* item = new QTreeWidgetItem(m_breakList);
        if (activity)
            item->setIcon(0, ActivityIcon(activity->ImageIndex()));
        item->setText(0, MinutesText(plannedBreak->Duration()));
        item->setText(1, activity ? activity->Name() : kUnknownActivity);
        item->setText(2, TimeText(plannedBreak->FromTime()));
        item->setText(3, TimeText(plannedBreak->ToTime()));
        if (plannedBreak == keep)
            selected = item;
    }
    if (!selected)
        selected = m_breakList->topLevelItem(0);
    if (selected)
        m_breakList->setCurrentItem(selected);
}

PlannedBreakPtr TfrmBaseWorkTimeOptions::SelectedBreak() const {
    const QList<QTreeWidgetItem*> items = m_breakList->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const int index = m_breakList->indexOfTopLevelItem(items.first());
    return index >= 0 && index < m_breaks->Count() ? m_breaks->Items(index) : nullptr;
}

void TfrmBaseWorkTimeOptions::UpdateButtons() {
    const bool selected = SelectedBreak() != nullptr;
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}

void TfrmBaseWorkTimeOptions::NewBreak() {
    const PlannedBreakPtr plannedBreak = m_breaks->AddNew();
    plannedBreak->SetFromTime(NewBreakFrom);
    plannedBreak->SetToTime(NewBreakTo);
    plannedBreak->SetDuration(NewBreakDuration);
    if (!m_editBreak(this, m_tree, plannedBreak)) {
        m_breaks->Remove(plannedBreak);
        return;
    }
    FillBreaks(plannedBreak);
    UpdateButtons();
    UserChanged();
}

void TfrmBaseWorkTimeOptions::EditBreak() {
    const PlannedBreakPtr plannedBreak = SelectedBreak();
    if (!plannedBreak)
        return;
    const bool confirmed = m_editBreak(this, m_tree, plannedBreak);
    FillBreaks(plannedBreak);
    if (confirmed)
        UserChanged();
    UpdateButtons();
}

void TfrmBaseWorkTimeOptions::DeleteBreak() {
    const PlannedBreakPtr plannedBreak = SelectedBreak();
    if (!plannedBreak || !ConfirmDelete(this))
        return;
    const int row = m_breakList->indexOfTopLevelItem(m_breakList->selectedItems().first());
    m_breaks->Remove(plannedBreak);
    // The row at the same place stays selected, or the last one when the last was deleted.
    const PlannedBreakPtr next =
        m_breaks->Count() > 0 ? m_breaks->Items(std::min(row, m_breaks->Count() - 1)) : nullptr;
    m_breakList->clearSelection();
    FillBreaks(next);
    UserChanged();
    UpdateButtons();
}

bool TfrmBaseWorkTimeOptions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_breakList && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (key->key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
            DeleteBreak();
            return true;
        }
    }
    return TfrmOptionsPage::eventFilter(watched, event);
}
