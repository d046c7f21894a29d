#pragma once

// A row of tabs over a stack of pages whose owner may refuse a switch: every change of the page,
// by mouse, by keyboard or by program, first asks the change guard. The toolkit's own tab widget
// switches before anybody could object, so the options dialog, whose pages may refuse to be left,
// uses this one. The tabs are not Tab stops; Ctrl+Tab and its relatives are the owner's business
// (SelectNextPage).

#include <QWidget>
#include <functional>

class QStackedWidget;
class QTabBar;

class TPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    /// Appends a page under its caption; the control takes the page.
    int AddPage(QWidget* page, const QString& caption);
    int Count() const;
    int CurrentIndex() const;
    QWidget* Page(int index) const;
    QWidget* CurrentPage() const { return Page(CurrentIndex()); }
    QTabBar* TabBar() const { return m_tabBar; }
    /// The area the pages fill.
    QStackedWidget* PageArea() const { return m_stack; }

    /// Asked before the current page changes (from, to); false keeps the current page.
    void SetChangeGuard(std::function<bool(int, int)> guard) { m_guard = std::move(guard); }
    /// Shows that page unless it is the current one or the guard refuses; returns whether the
    /// page is now current.
    bool SelectPage(int index);
    /// The next (or previous) page, cycling.
    bool SelectNextPage(bool forward);

signals:
    /// After a page became current.
    void PageChanged(int index);

private:
    QTabBar* m_tabBar;
    QStackedWidget* m_stack;
    std::function<bool(int, int)> m_guard;
    bool m_switching = false;
};
