#include "controls/MonthCalendar.h"
#include "foundation/DateTime.h"
#include "foundation/International.h"

#include <QEvent>
#include <QTextCharFormat>

TvrnMonthCalendar::TvrnMonthCalendar(QWidget* parent) : QCalendarWidget(parent) {
    FormatSettingsChanged();
    RegisterFormatSettingsNotify(this);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    connect(this, &QCalendarWidget::currentPageChanged, this, [this] { UpdateDayStates(); });
}

TvrnMonthCalendar::~TvrnMonthCalendar() {
    UnregisterFormatSettingsNotify(this);
}

void TvrnMonthCalendar::FormatSettingsChanged() {
    setLocale(QLocale(UserDefaultLocaleName()));
    // The regional settings count 0 = Monday .. 6 = Sunday; Qt counts Monday = 1 .. Sunday = 7.
    setFirstDayOfWeek(static_cast<Qt::DayOfWeek>(FormatSettings().FirstDayOfWeek + 1));
}

void TvrnMonthCalendar::SetOnGetDayState(TGetDayStateEvent handler) {
    m_onGetDayState = std::move(handler);
    UpdateDayStates();
}

void TvrnMonthCalendar::UpdateDayStates() {
    // The shown month's grid also holds days of the month before and the month after.
    const QDate first = QDate(yearShown(), monthShown(), 1).addMonths(-1);
    RequestDayStates(first.year(), first.month(), 3);
}

quint32 TvrnMonthCalendar::DayStateMask(int year, int month) const {
    const auto found = m_masks.find({year, month});
    return found == m_masks.end() ? 0 : found->second;
}

int TvrnMonthCalendar::MonthWidth() const {
    return minimumSizeHint().width();
}

int TvrnMonthCalendar::RoundWidthToMonths(int width) const {
    const int month = MonthWidth();
    if (month <= 0 || width <= month)
        return month;
    return (width + month - 1) / month * month;
}

void TvrnMonthCalendar::changeEvent(QEvent* event) {
    QCalendarWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        emit FontChanged();
}

void TvrnMonthCalendar::RequestDayStates(int year, int month, int count) {
    m_masks.clear();
    const QSet<QDate> previous = m_boldDates;
    for (const QDate& date : previous)
        ApplyBold(date, false);
    m_firstRequested = {year, month};
    m_requestedCount = count;
    if (!m_onGetDayState)
        return;
    QDate monthStart(year, month, 1);
    for (int i = 0; i < count; ++i, monthStart = monthStart.addMonths(1)) {
        quint32 mask = 0;
        for (int day = 1; day <= monthStart.daysInMonth(); ++day) {
            const QDate date(monthStart.year(), monthStart.month(), day);
            bool bold = false;
            m_onGetDayState(*this, DateFromQDate(date), bold);
            if (bold) {
                mask |= quint32(1) << (day - 1);
                ApplyBold(date, true);
            }
        }
        m_masks[{monthStart.year(), monthStart.month()}] = mask;
    }
}

void TvrnMonthCalendar::ApplyBold(const QDate& date, bool bold) {
    // Other marks the owner set on the date (colours) stay.
    QTextCharFormat format = dateTextFormat(date);
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    setDateTextFormat(date, format);
    if (bold)
        m_boldDates.insert(date);
    else
        m_boldDates.remove(date);
}
