#include "worksheet_ui/HolidayBookerForm.h"

#include "activities_ui/ActivityComboBox.h"
#include "addins/ApplicationInterface.h"
#include "calendar/Calendar.h"
#include "foundation/DateTime.h"
#include "foundation/Log.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "foundation/VRNTools.h"
#include "model/ActivityLocatorList.h"
#include "model/PropertyInterfaces.h"
#include "ui/DateEditFormat.h"
#include "ui/MessageBox.h"
#include "ui/OKCancelPanel.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("holiday booker");
const QString kHistoryKey = QStringLiteral("history");

} // namespace

TfrmHolidayBooker::TfrmHolidayBooker(QWidget* parent)
    : ThxBaseForm(parent), m_start(NewDatePicker(this)), m_end(NewDatePicker(this)),
      m_activity(new TActivityComboBox(this)), m_panel(new TOKCancelPanel(this)) {
    setWindowTitle(Tr("Enter Vacation Time"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* explanation = new QLabel(
        Tr("To automatically enter a long term vacation select the start date, the end date and the appropriate "
           "activity."),
        this);
    explanation->setWordWrap(true);
    m_activity->SetShowPath(true);
    m_activity->SetShowButton(true);
    const QDate today = QDateFromDate(TodayDate());
    m_start->setDate(today);
    m_end->setDate(today.addDays(1));
    connect(m_start, &QDateEdit::dateChanged, this, &TfrmHolidayBooker::StartChanged);
    connect(m_end, &QDateEdit::dateChanged, this, &TfrmHolidayBooker::EndChanged);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(Tr("Start date:"), this), 0, 0);
    grid->addWidget(m_start, 0, 1);
    grid->addWidget(new QLabel(Tr("End date:"), this), 1, 0);
    grid->addWidget(m_end, 1, 1);
    grid->addWidget(new QLabel(Tr("Activity:"), this), 2, 0);
    grid->addWidget(m_activity, 2, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 0, 0);
    layout->addWidget(explanation);
    auto* fields = new QVBoxLayout;
    fields->setContentsMargins(0, 6, 10, 0);
    fields->addLayout(grid);
    layout->addLayout(fields);
    layout->addStretch(1);
    m_panel->SetButtons(true, true, false);
    layout->addWidget(m_panel);
    connect(m_panel, &TOKCancelPanel::OKClicked, this, &TfrmHolidayBooker::accept);
    resize(400, 230);
}

void TfrmHolidayBooker::Initialize(IApplication_& application, TWorkingCopyOf workingCopy) {
    m_application = &application;
    m_workingCopy = std::move(workingCopy);
    m_activity->SetApplication(&application);
    const PropertyListPtr section = application.GetOptions(kSection);
    const std::shared_ptr<IHXProperty_> stored = section ? section->Find(kHistoryKey) : nullptr;
    if (!stored || stored->DataType() != hxpdtValueList)
        return;
    TActivityLocatorHistoryList history(HistorySize);
    try {
        history.LoadFromValueList(stored->AsValueList());
    } catch (const std::exception& e) {
        // A damaged history is dropped; the next vacation starts a new one.
        LogException(QStringLiteral("TfrmHolidayBooker.Initialize"), e);
        return;
    }
    for (int i = 0; i < history.Count(); ++i)
        m_activity->Add(history.Items(i));
}

void TfrmHolidayBooker::StartChanged() {
    if (m_start->date() >= m_end->date()) {
        const QSignalBlocker block(m_end);
        m_end->setDate(m_start->date().addDays(1));
    }
}

void TfrmHolidayBooker::EndChanged() {
    if (m_end->date() <= m_start->date()) {
        const QSignalBlocker block(m_start);
        m_start->setDate(m_end->date().addDays(-1));
    }
}

void TfrmHolidayBooker::accept() {
    const ActivityLocatorPtr activity = m_activity->SelectedLocator();
    if (!activity || activity->ID().IsNull()) {
        ShowMessageBox(this, windowTitle(), Tr("Please select an activity."), MessageBoxKind::Error);
        return;
    }
    const double from = DateFromQDate(m_start->date());
    const double to = DateFromQDate(m_end->date());
    if (from >= to) {
        ShowMessageBox(this, windowTitle(), Tr("The start date must be before the end date."), MessageBoxKind::Error);
        return;
    }
    if (!m_workingCopy)
        return;
    const int withData = DaysWithEntries(m_workingCopy, from, to);
    if (withData > 0) {
        const QString question = FormatPlaceholders(
            TrN("There is %1 day already containing data. Do you want to enter this vacation anyways?",
                "There are %1 days already containing data. Do you want to enter this vacation anyways?",
                static_cast<unsigned long>(withData)),
            {QString::number(withData)});
        if (ShowMessageBox(this, windowTitle(), question, QString(), MessageBoxKind::Question,
                           MessageBoxButton::Yes | MessageBoxButton::No) != MessageBoxResult::Yes)
            return;
    }
    const auto calendar = m_application ? m_application->GetCalendar() : nullptr;
    try {
        BookVacation(
            m_workingCopy, [&](double date) { return calendar ? calendar->GetWorkTime(date, date) : 0.0; }, from, to,
            activity);
    } catch (const std::exception& e) {
        // Nothing was added; the dialog stays open.
        LogException(QStringLiteral("TfrmHolidayBooker.OK"), e);
        ShowErrorBox(this, windowTitle(), GetExceptionMessage(e), e);
        return;
    }
    SaveHistory(activity);
    ThxBaseForm::accept();
}

void TfrmHolidayBooker::SaveHistory(const ActivityLocatorPtr& chosen) {
    if (!m_application)
        return;
    try {
        TActivityLocatorHistoryList history(HistorySize);
        const int count = m_activity->Count();
        for (int i = std::max(0, count - HistorySize); i < count; ++i)
            if (!m_activity->IsTemporary(i))
                history.AddToHistory(m_activity->ItemLocator(i));
        // The activity just booked is kept even when it came from the activity dialog.
        bool listed = false;
        for (int i = 0; i < history.Count(); ++i)
            listed = listed || history.Items(i)->Eq(chosen);
        if (!listed)
            history.AddToHistory(chosen);
        const PropertyListPtr section = m_application->GetOptions(kSection);
        history.SaveToValueList(section->Items(kHistoryKey)->AsValueList());
    } catch (const std::exception& e) {
        LogException(QStringLiteral("TfrmHolidayBooker.SaveHistory"), e);
    }
}
