#include "calendar_ui/PlannedBreakEdit.h"

#include "activities_ui/ActivityComboBox.h"
#include "controls/VRNIntegerEdit.h"
#include "controls/VRNTimeEdit.h"
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
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <set>

namespace {

const QString ProductName = QStringLiteral("Varnelo Horalux");
constexpr int MinimumMinutes = 1;
constexpr int MaximumMinutes = 180;

/// A stored time the edit can show: the model does not validate, so anything that is no time of
/// the day (00:00 to 24:00) shows as 00:00.
double TimeEditValue(double t) {
    return IsValidTVRNTime(t) && t >= 0 && t <= 1 ? t : 0;
}

TVRNTimeEdit* NewTimeEdit(QWidget* parent) {
    return new TVRNTimeEdit(parent);
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
    m_activity = new TActivityComboBox(this);
    m_activity->SetTree(m_tree);
    activityLabel->setBuddy(m_activity);

    auto* durationLabel = new QLabel(Tr("Specify the duration of this break:"), this);
    m_duration = new TVRNIntegerEdit(this);
    m_duration->SetMaxValue(MaximumMinutes);
    m_duration->SetMinValue(MinimumMinutes);
    m_duration->SetIncrement1(1);
    m_duration->SetIncrement2(5);
    m_duration->SetIncrement3(10);
    m_duration->SetKeyStep(1);
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
    m_from->SetValue(TimeEditValue(m_break->FromTime()));
    m_to->SetValue(TimeEditValue(m_break->ToTime()));
    const double duration = m_break->Duration();
    const std::int64_t minutes = std::isfinite(duration) && duration > 0 ? DurationTotalMinutes(duration) : 0;
    m_duration->SetValue(static_cast<int>(std::clamp<std::int64_t>(minutes, MinimumMinutes, MaximumMinutes)));
    SelectLocator(m_break->ActivityLocator());
}

void TfrmPlannedBreakEdit::SelectLocator(const ActivityLocatorPtr& locator) {
    m_choices = BreakActivityChoices(m_tree);
    m_activity->BeginUpdate();
    m_activity->Clear();
    ActivityLocatorPtr selected;
    for (const TBreakActivityChoice& choice : m_choices) {
        m_activity->Add(choice.Locator);
        if (!selected && choice.Locator->ID() == locator->ID())
            selected = choice.Locator;
    }
    // A new break (the empty locator) gets the first activity; an activity that is not listed
    // (gone from the tree, or no tree at all) stays selectable as the temporary item, so that OK
    // keeps it.
    m_activity->SetSelectedLocator(selected ? selected : CopyOf(locator));
    m_activity->EndUpdate();
}

std::optional<TBreakEditRefusal> TfrmPlannedBreakEdit::CheckInput() const {
    if (!m_from->Valid())
        return TBreakEditRefusal{Tr("Please enter a valid time."), m_from};
    if (!m_to->Valid())
        return TBreakEditRefusal{Tr("Please enter a valid time."), m_to};
    if (!m_duration->Valid())
        return TBreakEditRefusal{Tr("Please enter a valid duration."), m_duration};
    if (!PlannedBreakDurationFits(m_from->Value(), m_to->Value(), m_duration->Value()))
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
    if (const ActivityLocatorPtr selected = m_activity->SelectedLocator())
        m_break->ActivityLocator()->Assign(selected);
    m_break->SetFromTime(m_from->Value());
    m_break->SetToTime(m_to->Value());
    m_break->SetDuration(m_duration->Value() * OneMinute);
}

bool EditPlannedBreak(QWidget* parent, const ActivityTreePtr& tree, const PlannedBreakPtr& plannedBreak) {
    TfrmPlannedBreakEdit dialog(tree, parent);
    dialog.SetPlannedBreak(plannedBreak);
    return dialog.exec() == QDialog::Accepted;
}
