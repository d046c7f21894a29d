// Pages hosted inside another window: the container keeps the page filling it, hands the focus on
// to the host's controls around it and switches the host's pages; the page focuses its first or
// last control; the page control lets its owner refuse a switch.

#include "ui/AddInControl.h"
#include "ui/BaseAddInControl.h"
#include "ui/PageControl.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

/// A page with two edits, or none.
class TfrmTwoEdits : public TfrmBaseAddInControl {
public:
    explicit TfrmTwoEdits(QWidget* parent, bool withEdits = true) : TfrmBaseAddInControl(parent) {
        auto* layout = new QVBoxLayout(this);
        if (!withEdits)
            return;
        first = new QLineEdit(this);
        last = new QLineEdit(this);
        layout->addWidget(first);
        layout->addWidget(last);
    }
    QLineEdit* first = nullptr;
    QLineEdit* last = nullptr;
};

/// A window with a button, a tab widget whose pages are add-in controls, and another button.
class THostWindow : public QWidget {
public:
    THostWindow()
        : before(new QPushButton(QStringLiteral("before"), this)), tabs(new QTabWidget(this)),
          after(new QPushButton(QStringLiteral("after"), this)) {
        for (int i = 0; i < 3; ++i) {
            auto* control = new ThxAddInControl;
            tabs->addTab(control, QString::number(i));
            auto* page = new TfrmTwoEdits(control->GetContainerHandle(), i != 2);
            control->SetAddInControl(page);
            controls << control;
            pages << page;
        }
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(before);
        layout->addWidget(tabs);
        layout->addWidget(after);
        ChainTabOrder(QList<QWidget*>{before} + controls[0]->TabStops() + QList<QWidget*>{after});
        resize(300, 300);
    }
    void ShowActive() {
        show();
        QApplication::setActiveWindow(this);
        activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(this));
    }

    QPushButton* before;
    QTabWidget* tabs;
    QPushButton* after;
    QList<ThxAddInControl*> controls;
    QList<TfrmTwoEdits*> pages;
};

TEST(AddInControlTest, TheAttachedPageFillsItsContainer) {
    THostWindow host;
    host.ShowActive();
    ThxAddInContainer* container = host.controls[0]->Container();
    EXPECT_EQ(host.pages[0]->geometry(), container->rect());
    host.resize(400, 420);
    QApplication::processEvents();
    EXPECT_EQ(host.pages[0]->geometry(), container->rect());
    EXPECT_EQ(host.pages[0]->Container(), container);
    EXPECT_EQ(host.controls[0]->AddInControl(), host.pages[0]);
    host.controls[0]->SetAddInControl(nullptr);
    EXPECT_EQ(host.controls[0]->TabStops(), QList<QWidget*>{});
}

TEST(AddInControlTest, TheContainerHandsTheFocusToTheHostsControlsAroundIt) {
    THostWindow host;
    host.ShowActive();
    TfrmTwoEdits* page = host.pages[0];
    EXPECT_EQ(host.controls[0]->TabStops(), (QList<QWidget*>{page->first, page->last}));
    page->FocusLast();
    EXPECT_EQ(QApplication::focusWidget(), page->last);
    page->Container()->SelectNextControl();
    EXPECT_EQ(QApplication::focusWidget(), host.after);
    page->FocusFirst();
    EXPECT_EQ(QApplication::focusWidget(), page->first);
    page->Container()->SelectPreviousControl();
    EXPECT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_FALSE(page->isAncestorOf(QApplication::focusWidget()));
    // Tab from the host's control before the page lands on the page's first control.
    host.before->setFocus();
    QTest::keyClick(host.before, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), page->first);
}

TEST(AddInControlTest, APageWithoutControlsLeavesTheFocusWhereItIs) {
    THostWindow host;
    host.ShowActive();
    host.tabs->setCurrentIndex(2);
    host.after->setFocus();
    host.pages[2]->FocusFirst();
    host.pages[2]->FocusLast();
    EXPECT_EQ(QApplication::focusWidget(), host.after);
}

TEST(AddInControlTest, ControlPageKeysInThePageSwitchTheHostsPagesCycling) {
    THostWindow host;
    host.ShowActive();
    host.pages[0]->first->setFocus();
    QTest::keyClick(host.pages[0], Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(host.tabs->currentIndex(), 2);
    host.pages[0]->Container()->SelectNextPage(true);
    EXPECT_EQ(host.tabs->currentIndex(), 0);
    QTest::keyClick(host.pages[0], Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(host.tabs->currentIndex(), 1);
}

TEST(AddInControlTest, EnterInThePageReachesTheHostWindow) {
    THostWindow host;
    host.ShowActive();
    int seen = 0;
    class TKeyWatcher : public QObject {
    public:
        explicit TKeyWatcher(int* seen) : m_seen(seen) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return)
                ++*m_seen;
            return false;
        }

    private:
        int* m_seen;
    } watcher(&seen);
    host.installEventFilter(&watcher);
    EXPECT_FALSE(host.pages[0]->Container()->DialogKey(Qt::Key_Return, Qt::NoModifier)) << "nobody handles it";
    EXPECT_EQ(seen, 1);
}

TEST(PageControlTest, TheOwnerMayRefuseASwitch) {
    TPageControl pages;
    for (int i = 0; i < 3; ++i)
        pages.AddPage(new QWidget, QString::number(i));
    QList<int> entered;
    QObject::connect(&pages, &TPageControl::PageChanged, [&entered](int index) { entered << index; });
    bool allow = false;
    QList<std::pair<int, int>> asked;
    pages.SetChangeGuard([&](int from, int to) {
        asked << std::make_pair(from, to);
        return allow;
    });
    pages.resize(300, 200);
    pages.show();
    EXPECT_FALSE(pages.SelectPage(1));
    QTest::mouseClick(pages.TabBar(), Qt::LeftButton, Qt::NoModifier, pages.TabBar()->tabRect(2).center());
    EXPECT_EQ(pages.CurrentIndex(), 0);
    EXPECT_EQ(pages.TabBar()->currentIndex(), 0);
    EXPECT_TRUE(entered.isEmpty());
    allow = true;
    QTest::mouseClick(pages.TabBar(), Qt::LeftButton, Qt::NoModifier, pages.TabBar()->tabRect(2).center());
    EXPECT_EQ(pages.CurrentIndex(), 2);
    EXPECT_TRUE(pages.SelectNextPage(true));
    EXPECT_EQ(pages.CurrentIndex(), 0) << "cycling";
    EXPECT_TRUE(pages.SelectPage(0)) << "the current page needs no switch";
    EXPECT_FALSE(pages.SelectPage(7));
    EXPECT_EQ(entered, (QList<int>{2, 0}));
    EXPECT_EQ(asked, (QList<std::pair<int, int>>{{0, 1}, {0, 2}, {0, 2}, {2, 0}}));
}

} // namespace
