#include "ui/AddInControl.h"

#include "ui/PageControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

bool TakesTabFocus(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && widget->isEnabled() &&
           widget->isVisibleTo(widget->window());
}

} // namespace

ThxAddInContainer::ThxAddInContainer(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("AddInContainer"));
}

void ThxAddInContainer::SetAddInControl(IHXAddInControl_* page) {
    if (page == m_page)
        return;
    m_page = page;
    if (!m_page)
        return;
    m_page->SetContainer(this);
    m_page->SetBounds(rect());
}

QColor ThxAddInContainer::GetColor() {
    return palette().color(backgroundRole());
}

void ThxAddInContainer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (m_page)
        m_page->SetBounds(rect());
}

QWidget* ThxAddInContainer::HostTabStop(bool forward) const {
    // Start from the page's own end of the Tab order: the host chained its controls there.
    const QList<QWidget*> stops = m_page ? m_page->TabStops() : QList<QWidget*>();
    QWidget* start = stops.isEmpty() ? const_cast<ThxAddInContainer*>(this) : forward ? stops.last() : stops.first();
    // The focus chain is a ring through the whole window; one round at most.
    for (QWidget* next = forward ? start->nextInFocusChain() : start->previousInFocusChain(); next != start;
         next = forward ? next->nextInFocusChain() : next->previousInFocusChain()) {
        if (!isAncestorOf(next) && next != this && next->window() == window() && TakesTabFocus(next))
            return next;
    }
    return nullptr;
}

void ThxAddInContainer::SelectNextControl() {
    if (QWidget* next = HostTabStop(true))
        next->setFocus(Qt::TabFocusReason);
}

void ThxAddInContainer::SelectPreviousControl() {
    if (QWidget* previous = HostTabStop(false))
        previous->setFocus(Qt::BacktabFocusReason);
}

bool ThxAddInContainer::DialogKey(int key, Qt::KeyboardModifiers modifiers) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(window(), &event);
    return event.isAccepted();
}

void ThxAddInContainer::SelectNextPage(bool forward) {
    for (QWidget* widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto* pages = qobject_cast<TPageControl*>(widget)) {
            pages->SelectNextPage(forward);
            return;
        }
        if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
            const int count = tabs->count();
            if (count > 1)
                tabs->setCurrentIndex((tabs->currentIndex() + (forward ? 1 : count - 1)) % count);
            return;
        }
    }
}

ThxAddInControl::ThxAddInControl(QWidget* parent) : QWidget(parent), m_container(new ThxAddInContainer(this)) {
    setObjectName(QStringLiteral("AddInControl"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_container);
}

QList<QWidget*> ThxAddInControl::TabStops() const {
    IHXAddInControl_* page = AddInControl();
    return page ? page->TabStops() : QList<QWidget*>();
}

void ChainTabOrder(const QList<QWidget*>& widgets) {
    for (qsizetype i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}
