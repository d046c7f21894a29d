#pragma once

#include "addins/AddIn.h"

/// The built-in add-in "Worksheet": at its launch it adds "Worksheet" to the tray menu and
/// becomes the tracking manager's way of opening the worksheet.
class TWorksheetAddIn : public TInternalAddIn {
public:
    static constexpr const char* ID = "{9C8327A2-CCDA-42AC-91BC-748E7B86FC0A}";

    QString GetID() override;
    QString GetName() override;
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};

/// Opens the worksheet for the application, modal while it is a current window.
void ShowWorksheet(IApplication_& application);
