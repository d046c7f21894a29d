#pragma once

// The built-in report add-ins: each adds its action to the "Reports" submenu of the tray menu; the
// action opens the report window.

#include "addins/AddIn.h"

/// "Activity Report".
class TBaseActivityReport : public TInternalAddIn {
public:
    static constexpr const char* ID = "{C55532D4-71D0-4630-AE5E-D59DED4B8841}";

    QString GetID() override;
    QString GetName() override;
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};

/// "Day Report".
class TSimpleRichTextDayReportAddIn : public TInternalAddIn {
public:
    static constexpr const char* ID = "{15A17DD5-E1F6-4F2A-BBA9-E73B1874381E}";

    QString GetID() override;
    QString GetName() override;
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};

/// The report windows, as their actions open them.
void ShowActivityReport(const std::shared_ptr<IApplication_>& application);
void ShowDayReport(const std::shared_ptr<IApplication_>& application);
