#include "tracking/TrackerInterfaces.h"

bool SameTrackerID(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

TrackerAddInPtr ChooseTracker(const std::vector<TrackerAddInPtr>& trackers, const QString& wanted) {
    if (trackers.empty())
        return nullptr;
    // Without a match the search ends on the last tracker of the list.
    TrackerAddInPtr found = trackers.back();
    for (const TrackerAddInPtr& tracker : trackers) {
        if (SameTrackerID(tracker->GetID(), wanted)) {
            found = tracker;
            break;
        }
    }
    if (found->GetTrackingType() != TTrackingType::None || SameTrackerID(found->GetID(), wanted))
        return found;
    for (const TrackerAddInPtr& tracker : trackers)
        if (tracker->GetTrackingType() != TTrackingType::None)
            return tracker;
    return nullptr;
}
