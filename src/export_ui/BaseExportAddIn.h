#pragma once

#include "addins/AddIn.h"

/// The built-in add-in "Export": at its launch it adds the "Export" action to the tray menu, which
/// opens the export window.
class TBaseExportAddIn : public TInternalAddIn {
public:
    static constexpr const char* ID = "{0D5D9AAA-1450-4366-91CC-BBA6F960E3B5}";

    QString GetID() override;
    QString GetName() override;
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
