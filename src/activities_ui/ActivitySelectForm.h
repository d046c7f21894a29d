#pragma once

// The activity selection dialog: the whole activity tree, editable in place (changes act on the
// tree itself), from which the user picks one activity.

#include "model/ActivityInterfaces.h"
#include "model/ActivityLocator.h"
#include "ui/BaseForm.h"

class TActivityTreeView;
class TOKCancelPanel;

class TActivitySelectForm : public ThxBaseForm {
    Q_OBJECT
public:
    TActivitySelectForm(const ActivityTreePtr& tree, const QString& caption, QWidget* caller = nullptr);
    ~TActivitySelectForm() override;

    /// Selects the locator's place in the tree.
    void Preselect(const ActivityLocatorPtr& locator);
    /// After OK: the selected place; none otherwise or when nothing valid is selected.
    ActivityLocatorPtr Result() const;

    TActivityTreeView* TreeView() const { return m_treeView; }
    TOKCancelPanel* Panel() const { return m_panel; }

public slots:
    /// OK: accepts an open rename and stays; otherwise closes with OK.
    void accept() override;
    /// Cancel and Escape: end an open rename and stay; otherwise close.
    void reject() override;

private:
    TActivityTreeView* m_treeView;
    TOKCancelPanel* m_panel;
};

class IApplication_;

/// Opens the dialog modally over caller, a current window of application (may be none) while it
/// is shown; the chosen locator, or none.
ActivityLocatorPtr SelectActivity(QWidget* caller, IApplication_* application, const ActivityTreePtr& tree,
                                  const QString& caption, const ActivityLocatorPtr& preselected);
