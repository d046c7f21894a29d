#include "tracking_ui/BaseTrackingAddIn.h"

#include "addins/ApplicationInterface.h"
#include "foundation/Translation.h"
#include "foundation/VRNException.h"
#include "tracking/TrackingManagerLinkInterface.h"
#include "tracking_ui/BaseTrackingWindow.h"
#include "tracking_ui/RegularTrackingForm.h"

TBaseTrackingAddIn::~TBaseTrackingAddIn() {
    FreeTrackingWindow();
}

TrackingWindowPtr TBaseTrackingAddIn::CreateTrackingWindow() {
    if (!m_window) {
        m_window = CreateForm();
        m_window->SetApplication(ApplicationPtr());
        m_handle = std::make_shared<TTrackingWindowHandle>(m_window);
    }
    return m_handle;
}

void TBaseTrackingAddIn::FreeTrackingWindow() {
    ThxBaseTrackingWindow* window = m_window;
    m_window = nullptr;
    m_handle.reset();
    if (!window)
        return;
    // A window whose modal loop still runs is freed once the loop has ended.
    if (window->isVisible()) {
        window->HideTracking();
        window->deleteLater();
    } else {
        delete window;
    }
}

void TBaseTrackingAddIn::LaunchAddIn(const std::shared_ptr<IApplication_>& application) {
    TInternalAddIn::LaunchAddIn(application);
    const std::shared_ptr<IHXTrackingManagerLink> manager = Application().GetTrackingManager();
    if (!manager)
        throw EVRNException(QStringLiteral("TBaseTrackingAddIn.LaunchAddIn: no tracking manager"));
    manager->AddTracker(std::shared_ptr<IHXTrackingWindowAddIn_>(SharedThis(this)));
}

QString TRegularTrackingAddIn::GetID() {
    return RegularTrackerID;
}

QString TRegularTrackingAddIn::GetName() {
    return Tr("Regular Horalux");
}

ThxBaseTrackingWindow* TRegularTrackingAddIn::CreateForm() {
    return new TfrmBaseTracking2;
}
