#include "ui/BusyCursor.h"

#include <QGuiApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

Qt::CursorShape ShownShape() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::ArrowCursor;
}

TEST(BusyCursorTest, NestedOperationsShowItOnceAndTheNormalCursorReturnsAfterTheOutermost) {
    {
        TBusyCursor outer;
        EXPECT_EQ(ShownShape(), Qt::WaitCursor);
        {
            TBusyCursor inner;
            EXPECT_EQ(TBusyCursor::Depth(), 2);
        }
        // The inner end leaves the busy cursor in place.
        EXPECT_EQ(ShownShape(), Qt::WaitCursor);
    }
    // Not at once: operations that follow closely keep it without flicker ...
    EXPECT_TRUE(TBusyCursor::Shown());
    {
        TBusyCursor next;
        EXPECT_EQ(QGuiApplication::overrideCursor() != nullptr, true);
    }
    // ... and 50 ms after the last one the normal cursor is back, with no override left behind.
    QTRY_VERIFY_WITH_TIMEOUT(!TBusyCursor::Shown(), 5000);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(BusyCursorTest, AnExceptionPassingThroughRestoresTheCursor) {
    try {
        TBusyCursor outer;
        TBusyCursor inner;
        throw std::runtime_error("failed");
    } catch (const std::exception&) {
    }
    EXPECT_EQ(TBusyCursor::Depth(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!TBusyCursor::Shown(), 5000);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
