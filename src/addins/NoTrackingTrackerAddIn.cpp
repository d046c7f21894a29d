#include "addins/NoTrackingTrackerAddIn.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "tracking/TrackerInterfaces.h"
#include "tracking/TrackingManagerLinkInterface.h"

namespace {

/// The tracker as the user sees it: its name in the user's language.
class TTranslatedNoTracking : public TNoTrackingAddIn {
public:
    QString GetName() override { return Tr("No tracking"); }
};

} // namespace

QString TNoTrackingTrackerAddIn::GetID() {
    return NoTrackingTrackerID;
}

QString TNoTrackingTrackerAddIn::GetName() {
    return Tr("No tracking");
}

void TNoTrackingTrackerAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const std::shared_ptr<IHXTrackingManagerLink> manager = Application().GetTrackingManager();
    if (!manager)
        throw EVRNException(QStringLiteral("TNoTrackingTrackerAddIn.LaunchAddIn: no tracking manager"));
    manager->AddTracker(std::make_shared<TTranslatedNoTracking>());
}
