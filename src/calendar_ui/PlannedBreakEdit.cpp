#include "calendar_ui/PlannedBreakEdit.h"

#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "model/ActivityLocator.h"
#include "ui/DialogFont.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <set>

namespace {

const QString ProductName = QStringLiteral("Varnelo Horalux");
constexpr int MinimumMinutes = 1;
constexpr int MaximumMinutes = 180;

QTime TimeEditValue(double t) {
    // The model does not validate; a value that is no time of day shows as 00:00.
    if (!IsValidTVRNTime(t))
        return QTime(0, 0);
    int hour = 0, minute = 0, second = 0, msec = 0;
    DecodeTVRNTime(t, hour, minute, second, msec);
    return hour == 24 ? QTime(0, 0) : QTime(hour, minute);
}

double TimeOfDay(const QTime& time) {
    return EncodeTime(time.hour(), time.minute(), 0, 0);
}

QTimeEdit* NewTimeEdit(QWidget* parent) {
    auto* edit = new QTimeEdit(parent);
    edit->setDisplayFormat(QStringLiteral("HH:mm"));
    return edit;
}

ActivityLocatorPtr CopyOf(const ActivityLocatorPtr& locator) {
    auto copy = std::make_shared<TActivityLocator>();
    copy->Assign(locator);
    return copy;
}

void CollectChoices(const ActivityListPtr& list, std::vector<TGUID>& ancestors, std::set<QString>& seen,
                    std::vector<TBreakActivityChoice>& choices) {
    for (int i = 0; i < list->Count(); ++i) {
        const ActivityPtr activity = list->Items(i);
        if (!activity || !activity->IsValid() || !seen.insert(activity->ID().ToString()).second)
            continue; // met before: shared activities are listed once, and cycles end here
        auto locator = std::make_shared<TActivityLocator>();
        locator->SetActivity(activity);
        for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it)
            locator->AddParentActivity(*it);
        locator->SetChanged(false);
        choices.push_back({locator, activity->Name()});
        ancestors.push_back(activity->ID());
        CollectChoices(activity->Childs(), ancestors, seen, choices);
        ancestors.pop_back();
    }
}

bool ByText(const TBreakActivityChoice& a, const TBreakActivityChoice& b) {
    return QString::localeAwareCompare(a.Text, b.Text) < 0;
}

} // namespace

int HeldStepSize(qint64 heldMSecs) {
    if (heldMSecs <= 2000)
        return 1;
    return heldMSecs <= 5000 ? 5 : 10;
}

int StepInteger(int value, int n, int minValue, int maxValue) {
    if (n == 0)
        return std::clamp(value, minValue, maxValue);
    const int size = n < 0 ? -n : n;
    int result = value + n;
    result -= ((result % size) + size) % size;
    return std::clamp(result, minValue, maxValue);
}

std::vector<TBreakActivityChoice> BreakActivityChoices(const ActivityTreePtr& tree) {
    std::vector<TBreakActivityChoice> choices;
    if (!tree)
        return choices;
    std::vector<TGUID> ancestors;
    std::set<QString> seen;
    CollectChoices(tree->Childs(), ancestors, seen, choices);
    std::stable_sort(choices.begin(), choices.end(), ByText);
    return choices;
}

TBreakDurationEdit::TBreakDurationEdit(QWidget* parent) : QSpinBox(parent) {
    setRange(MinimumMinutes, MaximumMinutes);
    setValue(MinimumMinutes);
}

void TBreakDurationEdit::stepBy(int steps) {
    const int size = m_held.isValid() ? HeldStepSize(m_held.elapsed()) : 1;
    setValue(StepInteger(value(), steps * size, minimum(), maximum()));
    selectAll();
}

void TBreakDurationEdit::mousePressEvent(QMouseEvent* event) {
    m_held.start();
    QSpinBox::mousePressEvent(event);
}

void TBreakDurationEdit::mouseReleaseEvent(QMouseEvent* event) {
    m_held.invalidate();
    QSpinBox::mouseReleaseEvent(event);
}

TfrmPlannedBreakEdit::TfrmPlannedBreakEdit(const ActivityTreePtr& tree, QWidget* parent)
    : QDialog(parent), m_tree(tree) {
    setFont(DialogFont());
    setWindowTitle(Tr("Regular Break"));

    auto* explanation = new QLabel(
        FormatPlaceholders(Tr("It is possible to specify a daily break.  %1 will recognize this break automatically "
                              "and help you enter your working hours correctly. A typical break is lunch."),
                           {ProductName}),
        this);
    explanation->setWordWrap(true);

    auto* activityLabel = new QLabel(Tr("Select the activity to use for this break:"), this);
    m_activity = new QComboBox(this);
    activityLabel->setBuddy(m_activity);

    auto* durationLabel = new QLabel(Tr("Specify the duration of this break:"), this);
    m_duration = new TBreakDurationEdit(this);
    durationLabel->setBuddy(m_duration);

    auto* windowLabel = new QLabel(Tr("Specify when this break usually occurs:"), this);
    m_from = NewTimeEdit(this);
    m_to = NewTimeEdit(this);
    windowLabel->setBuddy(m_from);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(Tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TfrmPlannedBreakEdit::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TfrmPlannedBreakEdit::reject);

    auto* durationRow = new QHBoxLayout;
    durationRow->addWidget(m_duration);
    durationRow->addStretch(1);
    auto* windowRow = new QHBoxLayout;
    windowRow->addWidget(m_from);
    windowRow->addWidget(new QLabel(QStringLiteral("-"), this));
    windowRow->addWidget(m_to);
    windowRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(explanation);
    layout->addSpacing(6);
    layout->addWidget(activityLabel);
    layout->addWidget(m_activity);
    layout->addSpacing(4);
    layout->addWidget(durationLabel);
    layout->addLayout(durationRow);
    layout->addSpacing(4);
    layout->addWidget(windowLabel);
    layout->addLayout(windowRow);
    layout->addStretch(1);
    layout->addWidget(buttons);

    // Designed for 370 x 281; a larger dialog font may need more.
    setFixedSize(QSize(370, 281).expandedTo(layout->totalMinimumSize()));
    m_activity->setFocus();
}

void TfrmPlannedBreakEdit::SetPlannedBreak(const PlannedBreakPtr& plannedBreak) {
    if (!plannedBreak)
        throw EUnassignedArgumentError(QStringLiteral("TfrmPlannedBreakEdit.SetPlannedBreak"));
    m_break = plannedBreak;
    m_from->setTime(TimeEditValue(m_break->FromTime()));
    m_to->setTime(TimeEditValue(m_break->ToTime()));
    const double duration = m_break->Duration();
    const std::int64_t minutes = std::isfinite(duration) && duration > 0 ? DurationTotalMinutes(duration) : 0;
    m_duration->setValue(static_cast<int>(std::clamp<std::int64_t>(minutes, MinimumMinutes, MaximumMinutes)));
    SelectLocator(m_break->ActivityLocator());
}

void TfrmPlannedBreakEdit::SelectLocator(const ActivityLocatorPtr& locator) {
    m_choices = BreakActivityChoices(m_tree);
    int selected = -1;
    const TGUID id = locator->ID();
    for (size_t i = 0; i < m_choices.size() && selected < 0; ++i) {
        if (m_choices[i].Locator->ID() == id)
            selected = static_cast<int>(i);
    }
    if (selected < 0 && id.IsNull() && !m_choices.empty()) {
        selected = 0; // a new break: the first activity of the list
    } else if (selected < 0) {
        // An activity that is not listed (gone from the tree, or no tree at all) stays selectable
        // as a temporary item, so that OK keeps it.
        TBreakActivityChoice temporary{CopyOf(locator),
                                       m_tree ? locator->GetActivityName(m_tree) : QStringLiteral("???")};
        const auto at = std::upper_bound(m_choices.begin(), m_choices.end(), temporary, ByText);
        selected = static_cast<int>(at - m_choices.begin());
        m_choices.insert(at, std::move(temporary));
    }
    m_activity->clear();
    for (const TBreakActivityChoice& choice : m_choices)
        m_activity->addItem(choice.Text);
    m_activity->setCurrentIndex(selected);
}

std::optional<TBreakEditRefusal> TfrmPlannedBreakEdit::CheckInput() const {
    if (!m_from->hasAcceptableInput() || !m_from->time().isValid())
        return TBreakEditRefusal{Tr("Please enter a valid time."), m_from};
    if (!m_to->hasAcceptableInput() || !m_to->time().isValid())
        return TBreakEditRefusal{Tr("Please enter a valid time."), m_to};
    if (!m_duration->hasAcceptableInput() || m_duration->text().trimmed().isEmpty())
        return TBreakEditRefusal{Tr("Please enter a valid duration."), m_duration};
    if (!PlannedBreakDurationFits(TimeOfDay(m_from->time()), TimeOfDay(m_to->time()), m_duration->value()))
        return TBreakEditRefusal{Tr("The duration is longer than the time interval."), m_to};
    return std::nullopt;
}

void TfrmPlannedBreakEdit::accept() {
    if (const auto refusal = CheckInput()) {
        ShowMessageBox(this, windowTitle(), refusal->Message, MessageBoxKind::Warning);
        refusal->Focus->setFocus();
        return;
    }
    Store();
    QDialog::accept();
}

void TfrmPlannedBreakEdit::Store() {
    if (!m_break)
        return;
    const int index = m_activity->currentIndex();
    if (index >= 0 && index < static_cast<int>(m_choices.size()))
        m_break->ActivityLocator()->Assign(m_choices[static_cast<size_t>(index)].Locator);
    m_break->SetFromTime(TimeOfDay(m_from->time()));
    m_break->SetToTime(TimeOfDay(m_to->time()));
    m_break->SetDuration(m_duration->value() * OneMinute);
}

bool EditPlannedBreak(QWidget* parent, const ActivityTreePtr& tree, const PlannedBreakPtr& plannedBreak) {
    TfrmPlannedBreakEdit dialog(tree, parent);
    dialog.SetPlannedBreak(plannedBreak);
    return dialog.exec() == QDialog::Accepted;
}
