#pragma once

// The twenty years of history that the benchmarks share: 2006 to 2025, 250 working days a year,
// 20 entries a day, written through the storage itself; today is 2025-12-15 (a Monday, 16:00).

#include "model/ActivityLocator.h"

#include <QDate>
#include <QString>

inline const QDate kToday(2025, 12, 15);
constexpr int kFirstYear = 2006;
constexpr int kEntriesPerDay = 20;

/// Whether the history has entries on date: Monday to Friday, without the first ten such days of
/// each year (holidays), about 250 days a year.
bool IsHistoryDay(const QDate& date);
/// Start and end (fractions of the day) of the history's entry number index of a day: every half
/// hour from 08:00, 24 minutes long.
void HistoryEntryTimes(int index, double& start, double& end);
/// Writes the history into folder through the storage (a month at a time), as the program
/// would have written it over twenty years. Installs the clock.
void WriteHistory(const QString& folder);

/// Installs the fixed clock at today 16:00.
void InstallClock();
/// Locators of the default activities, by index (wrapping around).
ActivityLocatorPtr Locator(int index);
/// The folder with the history or an empty one, written once per process; with
/// HORALUX_BENCH_DIR set, once in that folder and kept for later runs. Installs the clock.
QString HistoryFolder(bool withHistory);
