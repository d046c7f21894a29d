#include "ui/PageControl.h"

#include <QMouseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

/// A tab bar that leaves every change to its page control: a press on another tab asks the
/// control, and the wheel does not switch at all.
class TGuardedTabBar : public QTabBar {
public:
    TGuardedTabBar(TPageControl* control, QWidget* parent) : QTabBar(parent), m_control(control) {
        setFocusPolicy(Qt::NoFocus);
        setDrawBase(true);
        setExpanding(false);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            const int index = tabAt(event->position().toPoint());
            if (index >= 0 && index != currentIndex()) {
                m_control->SelectPage(index);
                event->accept();
                return;
            }
        }
        QTabBar::mousePressEvent(event);
    }
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

private:
    TPageControl* m_control;
};

} // namespace

TPageControl::TPageControl(QWidget* parent)
    : QWidget(parent), m_tabBar(new TGuardedTabBar(this, this)), m_stack(new QStackedWidget(this)) {
    m_stack->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabBar);
    layout->addWidget(m_stack, 1);
    connect(m_tabBar, &QTabBar::currentChanged, this, [this](int index) {
        // Only SelectPage changes the tab; anything else (a tab added first) is followed here.
        if (!m_switching && index >= 0)
            m_stack->setCurrentIndex(index);
    });
}

int TPageControl::AddPage(QWidget* page, const QString& caption) {
    m_stack->addWidget(page);
    return m_tabBar->addTab(caption);
}

int TPageControl::Count() const {
    return m_stack->count();
}

int TPageControl::CurrentIndex() const {
    return m_stack->currentIndex();
}

QWidget* TPageControl::Page(int index) const {
    return m_stack->widget(index);
}

bool TPageControl::SelectPage(int index) {
    if (index < 0 || index >= Count() || m_switching)
        return false;
    const int from = CurrentIndex();
    if (index == from)
        return true;
    if (m_guard && !m_guard(from, index))
        return false;
    m_switching = true;
    m_tabBar->setCurrentIndex(index);
    m_stack->setCurrentIndex(index);
    m_switching = false;
    emit PageChanged(index);
    return true;
}

bool TPageControl::SelectNextPage(bool forward) {
    const int count = Count();
    if (count < 2)
        return false;
    const int index = (CurrentIndex() + (forward ? 1 : count - 1)) % count;
    return SelectPage(index);
}
