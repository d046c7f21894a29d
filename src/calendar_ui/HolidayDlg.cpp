#include "calendar_ui/HolidayDlg.h"

#include "calendar/Day.h"
#include "calendar/HolidayFile.h"
#include "calendar_ui/VRNHolidayWorktimeEdit.h"
#include "foundation/DateTime.h"
#include "foundation/Translation.h"
#include "foundation/VRNTools.h"
#include "ui/DateEditFormat.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TfrmHolidayDlg::TfrmHolidayDlg(QWidget* parent)
    : ThxBaseForm(parent), m_name(new QLineEdit(this)), m_date(new QDateEdit(this)),
      m_default(new TVRNHolidayWorktimeEdit(this)), m_overrideCheck(new QCheckBox(this)),
      m_override(new TVRNHolidayWorktimeEdit(this)), m_panel(new TOKCancelPanel(this)) {
    setObjectName(QStringLiteral("frmHolidayDlg"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(Tr("Holiday"));

    auto* explanation = new QLabel(Tr("Specify the name, date and required time for this holiday. You can specify the "
                                      "required time either as an absolute value or a percentage."),
                                   this);
    explanation->setWordWrap(true);
    auto* nameLabel = new QLabel(Tr("Name:"), this);
    nameLabel->setBuddy(m_name);
    auto* dateLabel = new QLabel(Tr("Date:"), this);
    dateLabel->setBuddy(m_date);
    SetupDatePicker(m_date);
    auto* timeLabel = new QLabel(Tr("Required time:"), this);
    timeLabel->setBuddy(m_default);
    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    m_overrideCheck->setText(Tr("Individual required time:"));
    m_override->setEnabled(false);
    connect(m_overrideCheck, &QCheckBox::toggled, m_override, &QWidget::setEnabled);

    m_panel->SetButtons(true, true, false);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TfrmHolidayDlg::accept);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->addWidget(nameLabel, 0, 0);
    fields->addWidget(m_name, 0, 1);
    fields->addWidget(dateLabel, 1, 0);
    fields->addWidget(m_date, 1, 1);
    fields->addWidget(timeLabel, 2, 0);
    fields->addWidget(m_default, 2, 1);
    fields->setColumnStretch(1, 1);

    auto* overrideRow = new QHBoxLayout;
    overrideRow->addSpacing(18);
    overrideRow->addWidget(m_override, 1);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 10, 10, 0);
    body->setSpacing(8);
    body->addWidget(explanation);
    body->addSpacing(4);
    body->addLayout(fields);
    body->addSpacing(4);
    body->addWidget(separator);
    body->addWidget(m_overrideCheck);
    body->addLayout(overrideRow);
    body->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(body, 1);
    layout->addWidget(m_panel);
    // Designed for 294 x 319; a larger dialog font may need more.
    setFixedSize(QSize(294, 319).expandedTo(layout->totalMinimumSize()));
}

void TfrmHolidayDlg::SetHoliday(const std::shared_ptr<THolidayList>& list,
                                const std::shared_ptr<IHXHoliday_>& holiday) {
    if (!list)
        throw EUnassignedArgumentError(QStringLiteral("TfrmHolidayDlg.SetHoliday"));
    m_list = list;
    m_holiday = holiday;
    m_defaultRule = std::make_shared<THolidayWorktime>();
    m_overrideRule = std::make_shared<THolidayWorktime>();
    if (holiday) {
        m_name->setText(holiday->Name());
        m_date->setDate(QDateFromDate(holiday->Date()));
        m_defaultRule->Assign(*holiday->DefaultWorktime());
        m_overrideCheck->setChecked(holiday->OverrideWorktimeDefault());
        if (holiday->OverrideWorktimeDefault())
            m_overrideRule->Assign(*holiday->OverrideWorktime());
    } else {
        m_name->clear();
        m_date->setDate(QDateFromDate(TodayDate()));
        m_overrideCheck->setChecked(false);
    }
    m_default->SetWorktime(m_defaultRule);
    m_override->SetWorktime(m_overrideRule);
    m_override->setEnabled(m_overrideCheck->isChecked());
    m_name->setFocus();
}

double TfrmHolidayDlg::PickedDate() const {
    return DateFromQDate(m_date->date());
}

std::optional<THolidayRefusal> TfrmHolidayDlg::CheckInput() const {
    if (m_name->text().trimmed().isEmpty())
        return THolidayRefusal{Tr("Please specify a valid name."), m_name};
    if (!m_default->Valid())
        return THolidayRefusal{Tr("Please enter a valid required time."), m_default};
    if (m_overrideCheck->isChecked() && !m_override->Valid())
        return THolidayRefusal{Tr("Please enter a valid required time."), m_override};
    if (m_list) {
        const auto existing = m_list->FindDate(PickedDate());
        if (existing && !SameObject(existing, m_holiday))
            return THolidayRefusal{Tr("There's already a holiday with this date in the list."), m_date};
    }
    return std::nullopt;
}

void TfrmHolidayDlg::accept() {
    if (const auto refusal = CheckInput()) {
        ShowMessageBox(this, windowTitle(), refusal->Message, MessageBoxKind::Error);
        refusal->Focus->setFocus();
        return;
    }
    Store();
    ThxBaseForm::accept();
}

void TfrmHolidayDlg::Store() {
    if (!m_list)
        return;
    const double date = PickedDate();
    if (!m_holiday) {
        m_holiday = m_list->AddNew(date);
    } else if (DayNumber(m_holiday->Date()) != DayNumber(date)) {
        // A holiday's date is fixed: another date makes another holiday.
        m_list->Remove(m_holiday);
        m_holiday = m_list->AddNew(date);
    }
    m_holiday->SetName(m_name->text());
    m_holiday->SetOverrideWorktimeDefault(m_overrideCheck->isChecked());
    CopyHolidayRule(*m_defaultRule, *m_holiday->DefaultWorktime());
    if (m_overrideCheck->isChecked())
        CopyHolidayRule(*m_overrideRule, *m_holiday->OverrideWorktime());
}

void TfrmHolidayDlg::FormatSettingsChanged() {
    SetupDatePicker(m_date);
}

THolidayEditResult EditHoliday(QWidget* owner, const std::shared_ptr<THolidayList>& list,
                               const std::shared_ptr<IHXHoliday_>& holiday,
                               const std::function<void(QWidget*)>& addCurrentWindow,
                               const std::function<void(QWidget*)>& removeCurrentWindow) {
    TfrmHolidayDlg dialog(owner);
    dialog.SetHoliday(list, holiday);
    THolidayEditResult result;
    result.ok = ExecAsCurrentWindow(dialog, addCurrentWindow, removeCurrentWindow) == QDialog::Accepted;
    result.holiday = dialog.Holiday();
    return result;
}
