#include "worksheet/DaySheet.h"

#include "foundation/DateTime.h"
#include "foundation/VRNException.h"
#include "model/ActivityLocator.h"

#include <QStringList>
#include <cmath>

namespace {

int CompareValues(double a, double b) {
    if (std::abs(a - b) < OneMillisecond)
        return 0;
    return a < b ? -1 : 1;
}

} // namespace

int CompareRows(int column, const IHXActivityEntry_& a, const IHXActivityEntry_& b,
                const std::function<QString(const IHXActivityEntry_&)>& pathOf) {
    switch (column) {
    case static_cast<int>(TSheetColumn::Start):
        return CompareValues(a.StartTime(), b.StartTime());
    case static_cast<int>(TSheetColumn::End):
        return CompareValues(a.EndTime(), b.EndTime());
    case static_cast<int>(TSheetColumn::Activity): {
        const QString left = pathOf ? pathOf(a) : QString();
        const QString right = pathOf ? pathOf(b) : QString();
        return QString::localeAwareCompare(left.toCaseFolded(), right.toCaseFolded());
    }
    case static_cast<int>(TSheetColumn::Duration):
        return CompareValues(a.Duration(), b.Duration());
    default:
        throw EVRNException(QStringLiteral("TfrmWorksheet.SortGrid: invalid sort column"));
    }
}

bool SortRows(std::vector<ActivityEntryPtr>& rows, int column, bool ascending,
              const std::function<QString(const IHXActivityEntry_&)>& pathOf) {
    bool moved = false;
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (size_t i = 0; i + 1 < rows.size(); ++i) {
            const int order = CompareRows(column, *rows[i], *rows[i + 1], pathOf);
            if (ascending ? order > 0 : order < 0) {
                std::swap(rows[i], rows[i + 1]);
                swapped = true;
                moved = true;
            }
        }
    }
    return moved;
}

double WorkedTime(const IHXDayEntryList_& list) {
    double total = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const auto entry = std::dynamic_pointer_cast<IHXActivityEntry_>(list.Items(i));
        if (!entry)
            continue;
        const auto locator = entry->Locator();
        if (locator && locator->IsBreak())
            continue;
        total += entry->Duration();
    }
    return total;
}

TDayMarker MarkerFromText(const QString& text) {
    const QString lower = text.toLower();
    if (lower == QLatin1String("incomplete"))
        return TDayMarker::IncompleteDays;
    if (lower == QLatin1String("changed"))
        return TDayMarker::ChangedDays;
    return TDayMarker::EmptyWorkdays;
}

QString MarkerText(int marker) {
    switch (marker) {
    case static_cast<int>(TDayMarker::EmptyWorkdays):
        return QStringLiteral("empty");
    case static_cast<int>(TDayMarker::IncompleteDays):
        return QStringLiteral("incomplete");
    case static_cast<int>(TDayMarker::ChangedDays):
        return QStringLiteral("changed");
    default:
        return QStringLiteral("???");
    }
}

bool DayIsMarked(TDayMarker marker, double date, double today, const IHXDayEntryList_* list, double required) {
    if (!list)
        return false;
    const bool future = std::floor(date) > std::floor(today);
    switch (marker) {
    case TDayMarker::EmptyWorkdays:
        return !future && list->Count() == 0;
    case TDayMarker::IncompleteDays:
        return !future && WorkedTime(*list) < required - OneMillisecond;
    case TDayMarker::ChangedDays:
        return list->Changed();
    }
    return false;
}

QString ShortenActivityPath(const QString& path, const std::function<bool(const QString&)>& fits) {
    if (fits(path))
        return path;
    const QStringList names = path.split(QLatin1Char('/'));
    if (names.size() < 2)
        return path;
    // The names kept from the front and from the back; the last name is always kept.
    int front = 0;
    int back = 1;
    const auto compose = [&names](int f, int b) {
        QStringList parts = names.mid(0, f);
        parts << QStringLiteral("...");
        parts << names.mid(names.size() - b);
        return parts.join(QLatin1Char('/'));
    };
    QString best = compose(front, back);
    bool fromFront = true;
    while (front + back < names.size() - 1) {
        const int f = fromFront ? front + 1 : front;
        const int b = fromFront ? back : back + 1;
        const QString candidate = compose(f, b);
        if (!fits(candidate))
            break;
        front = f;
        back = b;
        best = candidate;
        fromFront = !fromFront;
    }
    return best;
}
