#pragma once

// The base of every window that lives inside a host window as an add-in control (options pages):
// a child widget shown in the dialog font, listed among the live objects while it exists. It
// lets its container know about Ctrl+Page Up and Ctrl+Page Down, which switch the host's pages.

#include "foundation/LiveObjectRegistry.h"
#include "ui/AddInControl.h"

#include <QWidget>

class TfrmBaseAddInControl : public QWidget, public IHXAddInControl_, public ILiveObject {
    Q_OBJECT
public:
    /// parent: the container's widget (GetContainerHandle of the host).
    explicit TfrmBaseAddInControl(QWidget* parent = nullptr);
    ~TfrmBaseAddInControl() override;

    QString ClassName() const override;

    void SetContainer(IHXAddInControlContainer_* container) override;
    void SetBounds(const QRect& bounds) override { setGeometry(bounds); }
    void FocusFirst() override;
    void FocusLast() override;
    void FocusActive() override;
    QList<QWidget*> TabStops() override;

    IHXAddInControlContainer_* Container() const { return m_container; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FocusEnd(bool first);

    IHXAddInControlContainer_* m_container = nullptr;
};
