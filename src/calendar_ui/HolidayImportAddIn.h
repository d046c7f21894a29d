#pragma once

#include "addins/AddIn.h"

/// The built-in add-in that offers the import of holiday files on the holidays page. It has no
/// window of its own: starting it switches the import on for the rest of the process. Deactivated,
/// the holidays page offers no import from the next start on.
class THolidayImportAddIn : public TInternalAddIn {
public:
    static constexpr const char* ID = "{142E2DED-DCEC-4A4B-B102-AAF63143933D}";

    QString GetID() override;
    QString GetName() override;
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
