#pragma once

#include "addins/AddIn.h"

/// The built-in add-in "No tracking": at its launch it registers the tracker that never asks with
/// the tracking manager. It may not be switched off.
class TNoTrackingTrackerAddIn : public TInternalAddIn {
public:
    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override { return false; }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
