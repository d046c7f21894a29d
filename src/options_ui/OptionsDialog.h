#pragma once

// The options dialog: one tab per options page, in the order of the pages. The pages edit a
// working copy of the options; nothing reaches the program's options before Apply (or OK), which
// writes the pages that were shown, copies the working copy over the options and saves
// everything. A page loads whenever its tab is entered and is saved when its tab is left; a page
// that refuses keeps the user on it.
//
// Keys, before the focused control: Ctrl+Tab and Ctrl+Page Down go to the next tab, Ctrl+Shift+Tab
// and Ctrl+Page Up to the previous one. The dialog keeps its place, not its size, under
// "Options".

#include "ui/BaseForm.h"
#include "ui/OptionsPages.h"

#include <functional>
#include <memory>
#include <vector>

class TOKCancelPanel;
class TPageControl;
class ThxAddInControl;

class TfrmOptions : public ThxBaseForm, public IHXOptionsControl_ {
    Q_OBJECT
public:
    explicit TfrmOptions(QWidget* parent = nullptr);
    ~TfrmOptions() override;

    /// Builds the tabs: sorts the pages by order and adds a tab for each available page, then
    /// creates the pages. saveAll runs after Apply copied the working copy over the options.
    void SetApplication(const std::shared_ptr<TOptionsPagesList>& pages, std::function<void()> saveAll);
    /// The options to edit: the working copy becomes a deep copy of them and the shown page loads.
    void SetOptions(const std::shared_ptr<IHXPropertyList_>& options);

    // IHXOptionsControl_
    std::shared_ptr<IHXPropertyList_> GetSection(const QString& name) override;
    void SetModified() override;

    /// Saves the pages that were shown, in tab order, stopping at the first that refuses (false,
    /// nothing applied); then the options take the working copy and everything is saved.
    /// Nothing to do without a change.
    bool Apply();
    /// The OK command: Apply, and close when it succeeded.
    bool OK();
    bool IsModified() const { return m_changed; }

    int TabCount() const { return static_cast<int>(m_tabs.size()); }
    QString TabCaption(int index) const;
    bool TabLoaded(int index) const { return m_tabs.at(static_cast<size_t>(index)).loaded; }
    const OptionsPagePtr& TabPage(int index) const { return m_tabs.at(static_cast<size_t>(index)).page; }
    ThxAddInControl* TabControl(int index) const { return m_tabs.at(static_cast<size_t>(index)).control; }
    int CurrentTab() const;
    /// Switches as the user would: the page being left may refuse.
    bool SelectTab(int index);
    TPageControl* Pages() const { return m_pages; }
    TOKCancelPanel* Panel() const { return m_panel; }
    std::shared_ptr<IHXPropertyList_> WorkingCopy() const { return m_working; }

    /// Cancel and Escape: without changes the dialog closes; after a change it asks whether to
    /// save them first. While the program is closing it closes without asking.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TOptionsTabSheet {
        OptionsPagePtr page;
        ThxAddInControl* control = nullptr;
        bool loaded = false;
    };

    bool MayLeave(int from);
    void Entered(int index);
    void LoadTab(int index);
    void FocusFirstControl();
    void UpdateApply();

    TPageControl* m_pages;
    TOKCancelPanel* m_panel;
    std::vector<TOptionsTabSheet> m_tabs;
    std::shared_ptr<IHXPropertyList_> m_options;
    std::shared_ptr<IHXPropertyList_> m_working;
    std::function<void()> m_saveAll;
    bool m_changed = false;
    bool m_loading = false;
    bool m_focusInPages = false;
};

/// The "Options" command: the dialog over these options and pages, shown modally while it is a
/// current window (addCurrent and removeCurrent register it with the application; either may be
/// empty). saveAll saves everything after Apply.
void ShowOptionsDialog(const std::shared_ptr<TOptionsPagesList>& pages,
                       const std::shared_ptr<IHXPropertyList_>& options, const std::function<void()>& saveAll,
                       const std::function<void(QWidget*)>& addCurrent,
                       const std::function<void(QWidget*)>& removeCurrent);
