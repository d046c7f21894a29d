#pragma once

// The day report: one line per day of an interval with the work done, the breaks, the required
// working time of the calendar, the difference and the accumulated difference, optionally with
// week, month and year totals.

#include "reports/ReportDocument.h"
#include "reports/ReportOptions.h"
#include "reports/ReportSources.h"

#include <vector>

inline const QString DayReportName = QStringLiteral("BaseDayReport");

// The columns of the day report.
inline const TGUID DayColumnDate = TGUID::Constant("{A48A7356-96AD-40FC-B227-8E27E4C38D6E}");
inline const TGUID DayColumnWork = TGUID::Constant("{3AA4B5FE-DD54-4D86-9616-F5323D0E67FF}");
inline const TGUID DayColumnBreaks = TGUID::Constant("{E54EC01F-F18F-45D0-AE21-F7A119CA0B49}");
inline const TGUID DayColumnRequired = TGUID::Constant("{447687A0-3CDA-41D9-8FE2-E7C6FE049F41}");
inline const TGUID DayColumnDifference = TGUID::Constant("{9F9D05F7-D2F6-4828-B439-1C3A25D7114A}");
inline const TGUID DayColumnAccDifference = TGUID::Constant("{50136A26-535C-428E-BA3E-3F53899571FC}");

/// The day report's own settings ("custom").
struct TDayReportOptions {
    TGUID dayFormat;
    TGUID durationFormat;
    bool hideZeros = true;
    bool showFreeDays = false;
    bool monthTotal = false;
    bool weekTotal = false;
    bool yearTotal = false;

    void Load(const PropertyListPtr& custom);
    void Save(const PropertyListPtr& custom) const;
};

/// Sums of a week, a month or a year (day fractions).
struct TDaySums {
    double work = 0;
    double breaks = 0;
    double required = 0;
    double difference = 0;
};

/// One listed day, with the sums of its week, month and year as they stand after it.
struct TReportEntry {
    double date = 0;
    double work = 0;
    double breaks = 0;
    double required = 0;
    double accumulatedDifference = 0;
    TDaySums week;
    TDaySums month;
    TDaySums year;
};

/// The listed days from from to to (both included).
std::vector<TReportEntry> ComputeDayReportEntries(const TReportSources& sources, double from, double to,
                                                  bool showFreeDays);

/// Adds the day report's columns to the selection and gives them their current names.
void EnsureDayReportColumns(TReportColumnSelection& columns);

/// Writes the day report into document (cleared first) and lays it out for page.
void WriteDayReport(TReportDocument& document, const TReportPage& page, const TReportSources& sources,
                    const TReportOptions& generic, const TDayReportOptions& options);
