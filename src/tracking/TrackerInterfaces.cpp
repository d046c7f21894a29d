#include "tracking/TrackerInterfaces.h"

bool SameTrackerID(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}
