#pragma once

// Windows of add-ins inside windows of the program. An options page is a window of its own that
// its add-in creates inside a host control of the options dialog. Here the page is a child widget
// of the host's container, so focus, Tab order, Enter, Escape and accelerators cross the border as
// they do between any two widgets of one window; what the host still does for its page: it keeps
// the page filling the container, places the page's controls in its own Tab order where the
// container stands, and switches its pages when the page asks (Ctrl+Page Up / Ctrl+Page Down).
//
// Two interfaces keep the contract open to pages from elsewhere: the container's, called by the
// page, and the page's, called by the container.

#include <QColor>
#include <QList>
#include <QRect>
#include <QWidget>

/// What a page asks of the container it lives in.
class IHXAddInControlContainer_ {
public:
    IHXAddInControlContainer_() = default;
    virtual ~IHXAddInControlContainer_() = default;
    IHXAddInControlContainer_(const IHXAddInControlContainer_&) = delete;
    IHXAddInControlContainer_& operator=(const IHXAddInControlContainer_&) = delete;

    /// The container's widget: the page's parent.
    virtual QWidget* GetHandle() = 0;
    /// The background colour the page takes over.
    virtual QColor GetColor() = 0;
    /// Moves the focus to the host's next Tab stop after the page.
    virtual void SelectNextControl() = 0;
    /// Moves the focus to the host's Tab stop before the page.
    virtual void SelectPreviousControl() = 0;
    /// Lets the host window handle a key the page does not handle (Enter, Escape, Ctrl+Tab);
    /// returns whether it did.
    virtual bool DialogKey(int key, Qt::KeyboardModifiers modifiers) = 0;
    /// Selects the next (forward) or previous page of the nearest page control around the
    /// container, cycling.
    virtual void SelectNextPage(bool forward) = 0;
};

/// What the container asks of its page.
class IHXAddInControl_ {
public:
    IHXAddInControl_() = default;
    virtual ~IHXAddInControl_() = default;
    IHXAddInControl_(const IHXAddInControl_&) = delete;
    IHXAddInControl_& operator=(const IHXAddInControl_&) = delete;

    /// Keeps the container, shows the page and takes over the container's background.
    virtual void SetContainer(IHXAddInControlContainer_* container) = 0;
    /// Places the page inside the container.
    virtual void SetBounds(const QRect& bounds) = 0;
    /// Focuses the page's first (last) control that takes the focus by Tab; nothing when none does.
    virtual void FocusFirst() = 0;
    virtual void FocusLast() = 0;
    /// Focuses the control that had the focus last inside the page, if any.
    virtual void FocusActive() = 0;
    /// The page's controls that take the focus by Tab, in the page's Tab order.
    virtual QList<QWidget*> TabStops() = 0;
};

/// The container: the parent widget of the page.
class ThxAddInContainer : public QWidget, public IHXAddInControlContainer_ {
    Q_OBJECT
public:
    explicit ThxAddInContainer(QWidget* parent = nullptr);

    /// Attaches the page (nullptr detaches); attaching the same page again does nothing.
    void SetAddInControl(IHXAddInControl_* page);
    IHXAddInControl_* AddInControl() const { return m_page; }

    QWidget* GetHandle() override { return this; }
    QColor GetColor() override;
    void SelectNextControl() override;
    void SelectPreviousControl() override;
    bool DialogKey(int key, Qt::KeyboardModifiers modifiers) override;
    void SelectNextPage(bool forward) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    /// The first Tab stop of the host window outside the container, after (before) it.
    QWidget* HostTabStop(bool forward) const;

    IHXAddInControl_* m_page = nullptr;
};

/// The host control placed on a host's page (a tab of the options dialog): it holds the container
/// and answers the host's questions about the page.
class ThxAddInControl : public QWidget {
    Q_OBJECT
public:
    explicit ThxAddInControl(QWidget* parent = nullptr);

    /// The parent widget for the page's creation.
    QWidget* GetContainerHandle() const { return m_container; }
    ThxAddInContainer* Container() const { return m_container; }
    void SetAddInControl(IHXAddInControl_* page) { m_container->SetAddInControl(page); }
    IHXAddInControl_* AddInControl() const { return m_container->AddInControl(); }
    /// The page's Tab stops in order (none without a page): the host chains them where the
    /// container stands in its own Tab order.
    QList<QWidget*> TabStops() const;

private:
    ThxAddInContainer* m_container;
};

/// Chains the widgets in this Tab order (each after the one before it).
void ChainTabOrder(const QList<QWidget*>& widgets);
