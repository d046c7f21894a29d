#pragma once

#include "addins/AddIn.h"

/// The built-in add-in "Calendar": brings the options pages of the calendar.
class TBaseCalendarAddIn : public TInternalAddIn {
public:
    static constexpr const char* ID = "{F8B43DA2-09CA-4ED2-B59F-7EEB92E18C81}";

    QString GetID() override;
    QString GetName() override;
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
