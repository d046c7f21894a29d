#pragma once

// The box in which the user picks one activity: a drop-down list of activity locators with their
// icons, kept short by its users (recent activities, a history), and a "..." button that opens
// the whole tree in the activity selection dialog. Besides the listed locators the box holds at
// most one temporary item: the activity set from outside or chosen in the dialog that is not
// among the listed ones.

#include "model/ActivityInterfaces.h"
#include "model/ActivityLocator.h"

#include <QWidget>
#include <memory>
#include <vector>

class IApplication_;
class QComboBox;
class QKeyEvent;
class QToolButton;

/// An item's locator, the activity it resolved to in the box's tree, and whether the item is the
/// temporary one.
struct TLocatorHolder {
    ActivityLocatorPtr locator;
    ActivityPtr activity;
    bool temporary = false;
};

class TActivityComboBox : public QWidget, public IActivityTreeNotify {
    Q_OBJECT
public:
    static constexpr int ButtonWidth = 25;
    static constexpr int Spacing = 3;

    explicit TActivityComboBox(QWidget* parent = nullptr);
    ~TActivityComboBox() override;

    /// Takes the application's activity tree.
    void SetApplication(IApplication_* application);
    ActivityTreePtr Tree() const { return m_tree; }
    /// Listens to another tree (or none) and refreshes every item.
    void SetTree(const ActivityTreePtr& tree);
    bool ShowPath() const { return m_showPath; }
    /// Items show the activity's path instead of its name.
    void SetShowPath(bool showPath);
    bool ShowButton() const { return m_showButton; }
    void SetShowButton(bool showButton);
    bool Sorted() const { return m_sorted; }
    /// Sorted boxes insert new items by their text; others append (Add) or insert at the top.
    void SetSorted(bool sorted);

    /// The index of an item with an equal locator, or of a new item for it.
    int Add(const ActivityLocatorPtr& locator);
    /// Puts the locator at the top (an equal item moves there; its selection goes with it).
    void AddToTop(const ActivityLocatorPtr& locator);
    int Count() const;
    ActivityLocatorPtr ItemLocator(int index) const;
    QString ItemText(int index) const;
    bool IsTemporary(int index) const;
    void DeleteItem(int index);
    void Clear();

    /// The selected item's locator, none when nothing is selected.
    ActivityLocatorPtr SelectedLocator() const;
    int SelectedIndex() const;
    /// Selects from code (no Changed): an equal item, else the first item for an empty locator,
    /// else a temporary item for it; none selects nothing.
    void SetSelectedLocator(const ActivityLocatorPtr& locator);

    /// The text an item shows for locator in the current width.
    QString TextFor(const ActivityLocatorPtr& locator) const;

    /// Holds back Changed while above 0 (calls nest).
    void BeginUpdate() { ++m_updating; }
    void EndUpdate() { --m_updating; }

    QComboBox* ComboBox() const { return m_combo; }
    QToolButton* Button() const { return m_button; }
    /// The "..." button's command: the selection dialog; a chosen activity is selected and Changed
    /// raised.
    void SelectInDialog();

    // IActivityTreeNotify
    void ActivityDeleted(const ActivityPtr& activity) override;
    void ActivityChanged(const ActivityPtr& activity) override;
    void ChildsChanged(const ActivityPtr& activity) override;
    void TreeAssigned() override;

signals:
    /// The user picked an item or chose an activity in the dialog.
    void Changed();
    void Clicked();

protected:
    /// Key presses of the inner box and the button reach the control first; returning true
    /// consumes them (the base lets everything through).
    virtual bool ChildKeyPress(QKeyEvent* event);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int InsertItem(int index, std::unique_ptr<TLocatorHolder> holder);
    int SortedPosition(const QString& text) const;
    int IndexOf(const ActivityLocatorPtr& locator) const;
    TLocatorHolder* Holder(int index) const;
    void RemoveTemporary();
    void ResolveAll();
    void RefreshTexts();
    void ShowItem(int index);
    int TextWidth() const;

    IApplication_* m_application = nullptr;
    ActivityTreePtr m_tree;
    QComboBox* m_combo;
    QToolButton* m_button;
    /// Every holder the box created, kept until Clear.
    std::vector<std::unique_ptr<TLocatorHolder>> m_holders;
    bool m_showPath = false;
    bool m_showButton = true;
    bool m_sorted = true;
    int m_updating = 0;
};
