#pragma once

// The built-in add-in that brings the "Date Formatting" options page (order 500).

#include "addins/AddIn.h"

class TAddInFormattingOptions : public TInternalAddIn {
public:
    static constexpr const char* ID = "{55072D0E-A198-4014-A2C0-57D39E6A994C}";

    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override { return false; }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
