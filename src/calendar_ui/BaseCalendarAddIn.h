#pragma once

// The built-in add-in "Calendar": it brings the options pages of the work-time calendar. It may be
// switched off on the "Add-Ins" page.

#include "addins/AddIn.h"

class TBaseCalendarAddIn : public TInternalAddIn {
public:
    static constexpr const char* ID = "{F8B43DA2-09CA-4ED2-B59F-7EEB92E18C81}";

    QString GetID() override;
    QString GetName() override;
    /// Adds the pages "Work" (order 200) and "Holidays" (order 300).
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
