#include "ui/BaseAddInControl.h"

#include "ui/DialogFont.h"

#include <QKeyEvent>
#include <algorithm>

TfrmBaseAddInControl::TfrmBaseAddInControl(QWidget* parent) : QWidget(parent) {
    setFont(DialogFont());
    // The host's background shows through.
    setAutoFillBackground(false);
    RegisterLiveObject(this);
}

TfrmBaseAddInControl::~TfrmBaseAddInControl() {
    UnregisterLiveObject(this);
}

QString TfrmBaseAddInControl::ClassName() const {
    return QString::fromLatin1(metaObject()->className());
}

void TfrmBaseAddInControl::SetContainer(IHXAddInControlContainer_* container) {
    m_container = container;
    if (!m_container)
        return;
    if (QWidget* handle = m_container->GetHandle(); handle && parentWidget() != handle)
        setParent(handle);
    QPalette colours = palette();
    colours.setColor(backgroundRole(), m_container->GetColor());
    setPalette(colours);
    show();
}

QList<QWidget*> TfrmBaseAddInControl::TabStops() {
    // The window's focus chain holds the page's Tab order among everything else of the window.
    QList<QWidget*> stops;
    QWidget* start = window();
    for (QWidget* widget = start->nextInFocusChain(); widget && widget != start; widget = widget->nextInFocusChain())
        if (isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus)
            stops << widget;
    return stops;
}

void TfrmBaseAddInControl::FocusEnd(bool first) {
    QList<QWidget*> stops = TabStops();
    if (!first)
        std::reverse(stops.begin(), stops.end());
    for (QWidget* widget : stops) {
        if (widget->isEnabled() && widget->isVisibleTo(window())) {
            widget->setFocus(first ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void TfrmBaseAddInControl::FocusFirst() {
    FocusEnd(true);
}

void TfrmBaseAddInControl::FocusLast() {
    FocusEnd(false);
}

void TfrmBaseAddInControl::FocusActive() {
    if (QWidget* active = focusWidget(); active && isAncestorOf(active))
        active->setFocus(Qt::OtherFocusReason);
}

void TfrmBaseAddInControl::keyPressEvent(QKeyEvent* event) {
    const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
    if (control && m_container && (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown)) {
        m_container->SelectNextPage(event->key() == Qt::Key_PageDown);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
