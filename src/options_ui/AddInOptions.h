#pragma once

// The "Add-Ins" page: the add-ins that may be switched off, alphabetically, each with a check
// mark; section "addins" holds one boolean per add-in ID (true or missing: on). Changes take
// effect at the next start, when the add-in manager leaves the switched-off ones out.

#include "addins/AddIn.h"
#include "ui/OptionsPages.h"

#include <functional>
#include <vector>

class QListWidget;

class TfrmAddInOptions : public TfrmOptionsPage {
    Q_OBJECT
public:
    /// knownAddIns: every add-in that could be created, switched-off ones included.
    TfrmAddInOptions(QWidget* parent, IHXOptionsControl_* control, std::function<std::vector<AddInPtr>()> knownAddIns);

    void LoadPage() override;
    bool SavePage() override;

    QListWidget* List() const { return m_list; }

private:
    QListWidget* m_list;
    std::function<std::vector<AddInPtr>()> m_knownAddIns;
    bool m_filling = false;
};

/// The built-in add-in that brings the "Add-Ins" page (order 1000). It cannot be switched off.
class TAddInOptionsPage : public TInternalAddIn {
public:
    static constexpr const char* ID = "{B2132954-BF06-4136-AB6F-FEE9B8F242EA}";

    QString GetID() override;
    QString GetName() override;
    bool AllowDeactivate() override { return false; }
    void LaunchAddIn(const std::shared_ptr<IApplication_>& application) override;
};
