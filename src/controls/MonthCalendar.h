#pragma once

// The month calendar with a bold state per day: the owner answers, day by day, which days are
// shown bold (for example the days that hold entries). The calendar asks for every day of the
// shown month and of the neighbouring months whose days fill the first and last week rows, and
// asks again whenever another month is shown or the owner calls UpdateDayStates.

#include "foundation/International.h"

#include <QCalendarWidget>
#include <QSet>
#include <functional>
#include <map>
#include <utility>

class TvrnMonthCalendar : public QCalendarWidget, public IvrnFormatSettingsNotify {
    Q_OBJECT
public:
    /// Sets bold for the given date (days since 1899-12-30); bold is false on entry.
    using TGetDayStateEvent = std::function<void(TvrnMonthCalendar& sender, double date, bool& bold)>;

    /// Takes the first day of the week and the day and month names from the regional settings.
    explicit TvrnMonthCalendar(QWidget* parent = nullptr);
    ~TvrnMonthCalendar() override;
    /// Takes the regional settings again.
    void FormatSettingsChanged() override;

    /// Sets the handler (may be empty: no day is bold) and asks it for the shown months.
    void SetOnGetDayState(TGetDayStateEvent handler);
    const TGetDayStateEvent& OnGetDayState() const { return m_onGetDayState; }
    /// Asks the handler again for every shown month.
    void UpdateDayStates();

    /// The answers of the last request for a month: bit k-1 stands for day k; 0 for a month that
    /// was not asked for.
    quint32 DayStateMask(int year, int month) const;
    /// The first month of the last request and the number of months asked for (the shown month
    /// with its neighbours: three).
    std::pair<int, int> FirstRequestedMonth() const { return m_firstRequested; }
    int RequestedMonthCount() const { return m_requestedCount; }

    /// The width of one month as the calendar needs it at least.
    int MonthWidth() const;
    /// A requested width rounded up to a whole multiple of the month width.
    int RoundWidthToMonths(int width) const;

signals:
    /// Raised after the font of the calendar changed.
    void FontChanged();

protected:
    void changeEvent(QEvent* event) override;

private:
    void RequestDayStates(int year, int month, int count);
    void ApplyBold(const QDate& date, bool bold);

    TGetDayStateEvent m_onGetDayState;
    std::map<std::pair<int, int>, quint32> m_masks;
    QSet<QDate> m_boldDates;
    std::pair<int, int> m_firstRequested{0, 0};
    int m_requestedCount = 0;
};
