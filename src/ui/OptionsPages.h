#pragma once

// Options pages. Add-ins bring the pages of the options dialog: at their launch they add an
// IHXOptionsPage_ to the application's TOptionsPagesList. The dialog edits a working copy of the
// options; each page reads and writes its sections through IHXOptionsControl_.
//
// Writing a page takes two small pieces:
//
//     class TfrmMyOptions : public TfrmOptionsPage {
//     public:
//         using TfrmOptionsPage::TfrmOptionsPage; // (parent, control)
//         void LoadPage() override;  // fill the controls from Section("my section"); every entry
//         bool SavePage() override;  // write them back; false refuses (tell the user why first)
//     };                             // and call SetModified() whenever the user changes something
//
//     Application().GetOptionsPagesList()->Add(std::make_shared<TOptionsPage>(
//         Tr("My Page"), 600, [](QWidget* parent, IHXOptionsControl_* control) {
//             return new TfrmMyOptions(parent, control);
//         }));

#include "model/PropertyInterfaces.h"
#include "ui/BaseAddInControl.h"

#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

/// What the options dialog offers its pages.
class IHXOptionsControl_ {
public:
    IHXOptionsControl_() = default;
    virtual ~IHXOptionsControl_() = default;
    IHXOptionsControl_(const IHXOptionsControl_&) = delete;
    IHXOptionsControl_& operator=(const IHXOptionsControl_&) = delete;

    /// The named section of the dialog's working copy (created empty when missing).
    virtual std::shared_ptr<IHXPropertyList_> GetSection(const QString& name) = 0;
    /// Something was changed: the dialog enables Apply and asks before it is cancelled.
    virtual void SetModified() = 0;
};

/// One page of the options dialog, as an add-in offers it.
class IHXOptionsPage_ {
public:
    IHXOptionsPage_() = default;
    virtual ~IHXOptionsPage_() = default;
    IHXOptionsPage_(const IHXOptionsPage_&) = delete;
    IHXOptionsPage_& operator=(const IHXOptionsPage_&) = delete;

    /// The tab caption (translated).
    virtual QString GetCaption() = 0;
    /// The tab's place among the others (ascending).
    virtual int GetOrder() = 0;
    /// Whether the tab is shown at all.
    virtual bool IsAvailable() = 0;
    /// The least size of the page area (0, 0: none).
    virtual QSize GetMinimumSize() = 0;
    /// Creates the page window as a child of parent; the page keeps the control.
    virtual IHXAddInControl_* CreatePage(QWidget* parent, IHXOptionsControl_* control) = 0;
    /// Destroys the page window.
    virtual void FreePage() = 0;
    /// Fills the page's controls from the working copy.
    virtual void LoadPage() = 0;
    /// Writes the controls into the working copy; false: the values are not acceptable, the page
    /// has told the user why and nothing was written.
    virtual bool SavePage() = 0;
};
using OptionsPagePtr = std::shared_ptr<IHXOptionsPage_>;

/// The application's options pages, in the order the add-ins added them until sorted.
class TOptionsPagesList {
public:
    void Add(OptionsPagePtr page);
    int Count() const { return static_cast<int>(m_pages.size()); }
    /// Raises EVRNListError for an index outside the list.
    OptionsPagePtr Items(int index) const;
    /// Ascending by GetOrder; pages of equal order keep their order.
    void SortByOrder();
    void Clear() { m_pages.clear(); }

private:
    std::vector<OptionsPagePtr> m_pages;
};

/// The base of a page window: an add-in control that loads from and saves to the options
/// dialog's working copy.
class TfrmOptionsPage : public TfrmBaseAddInControl {
    Q_OBJECT
public:
    TfrmOptionsPage(QWidget* parent, IHXOptionsControl_* control);

    /// Fills the controls from the working copy (each time the page's tab is entered).
    virtual void LoadPage() = 0;
    /// Writes the controls into the working copy; false refuses after telling the user why,
    /// without writing anything.
    virtual bool SavePage() = 0;

protected:
    std::shared_ptr<IHXPropertyList_> Section(const QString& name) const;
    void SetModified();
    IHXOptionsControl_* OptionsControl() const { return m_control; }

private:
    IHXOptionsControl_* m_control;
};

/// An options page made of its caption, order and page window.
class TOptionsPage : public IHXOptionsPage_ {
public:
    using TCreate = std::function<TfrmOptionsPage*(QWidget* parent, IHXOptionsControl_* control)>;

    /// available: whether the tab is shown (empty: always).
    TOptionsPage(QString caption, int order, TCreate create, std::function<bool()> available = {},
                 QSize minimumSize = QSize(0, 0));
    ~TOptionsPage() override;

    QString GetCaption() override { return m_caption; }
    int GetOrder() override { return m_order; }
    bool IsAvailable() override { return !m_available || m_available(); }
    QSize GetMinimumSize() override { return m_minimumSize; }
    IHXAddInControl_* CreatePage(QWidget* parent, IHXOptionsControl_* control) override;
    void FreePage() override;
    void LoadPage() override;
    bool SavePage() override;

    /// The page window while it exists.
    TfrmOptionsPage* Window() const { return m_window; }

private:
    QString m_caption;
    int m_order;
    TCreate m_create;
    std::function<bool()> m_available;
    QSize m_minimumSize;
    QPointer<TfrmOptionsPage> m_window;
};
