#include "ui/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

namespace {

int g_depth = 0;
bool g_shown = false;

QTimer& ResetTimer() {
    // Created on first use, owned by the application object so it goes with it.
    static QTimer* timer = [] {
        auto* t = new QTimer(QCoreApplication::instance());
        t->setSingleShot(true);
        t->setInterval(50);
        QObject::connect(t, &QTimer::timeout, [] { TBusyCursor::RestoreNow(); });
        return t;
    }();
    return *timer;
}

} // namespace

TBusyCursor::TBusyCursor() {
    ResetTimer().stop();
    ++g_depth;
    if (!g_shown) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        g_shown = true;
    }
}

TBusyCursor::~TBusyCursor() {
    if (--g_depth == 0)
        ResetTimer().start();
}

int TBusyCursor::Depth() {
    return g_depth;
}

bool TBusyCursor::Shown() {
    return g_shown;
}

void TBusyCursor::RestoreNow() {
    if (g_depth > 0 || !g_shown)
        return;
    ResetTimer().stop();
    QGuiApplication::restoreOverrideCursor();
    g_shown = false;
}
